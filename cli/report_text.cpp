// talpora command line: report texts for a terminal.
#include "cli/report_text.h"

#include "platform/cp1252.h"

namespace talpora::cli {

std::string terminalText(const std::string& cp1252) {
  std::string lf;
  lf.reserve(cp1252.size());
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    if (cp1252[i] == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n') continue;
    lf += cp1252[i];
  }
  return cp1252ToUtf8(lf);
}

}  // namespace talpora::cli
