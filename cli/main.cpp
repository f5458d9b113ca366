// talpora: the suite's command line (the subcommands are the library talpora_cli; see cli/command.h).
#include <iostream>

#include "cli/command.h"

int main(int argc, char** argv) {
  return talpora::cli::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
