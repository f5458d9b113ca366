// talpora command line: report texts (CP1252, CR LF) as a terminal or a file takes them.
#pragma once
#include <string>

namespace talpora::cli {

// UTF-8 with LF line ends.
std::string terminalText(const std::string& cp1252);

}  // namespace talpora::cli
