// talpora: the suite's command line. One subcommand per cmd_*.cpp (see command.h).
#include <algorithm>
#include <iostream>

#include "cli/command.h"

using namespace talpora::cli;

namespace {

void printHelp(std::ostream& out) {
  out << "talpora - the suite's listings, drawings and lookups from a shell\n\n"
         "usage: talpora SUBCOMMAND [ARGUMENTS] [OPTIONS]\n"
         "       talpora SUBCOMMAND --help\n"
         "       talpora --version\n\n"
         "Options for every subcommand:\n"
         "  --program-dir DIR   use DIR as the program directory for this call\n\n"
         "Subcommands:\n";
  auto commands = registry();
  std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
  for (const auto& c : commands) {
    std::string name = c.name;
    name.resize(std::max<std::size_t>(name.size(), 12), ' ');
    out << "  " << name << "  " << c.summary << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> all(argv + 1, argv + argc);
  if (all.empty() || all[0] == "--help" || all[0] == "-h") {
    printHelp(all.empty() ? std::cerr : std::cout);
    return all.empty() ? kExitUsage : kExitOk;
  }
  if (all[0] == "--version") {
    std::cout << "talpora 0.1.0\n";
    return kExitOk;
  }
  const Command* command = findCommand(all[0]);
  if (!command) {
    std::cerr << "talpora: unknown subcommand '" << all[0] << "'\n";
    std::cerr << "usage: talpora SUBCOMMAND [ARGUMENTS] [OPTIONS] (talpora --help lists them)\n";
    return kExitUsage;
  }
  Args args(std::vector<std::string>(all.begin() + 1, all.end()));
  if (args.flag("--help") || args.flag("-h")) {
    std::cout << "usage: " << command->usage << "\n" << command->summary << '\n';
    return kExitOk;
  }
  Context ctx(std::cout, std::cerr);
  try {
    if (auto dir = args.option("--program-dir")) ctx.programDirOverride = *dir;
    return command->run(args, ctx);
  } catch (const UsageError& e) {
    std::cerr << "talpora " << command->name << ": " << e.what() << '\n';
    std::cerr << "usage: " << command->usage << '\n';
    return kExitUsage;
  } catch (const WorkError& e) {
    std::cerr << "talpora " << command->name << ": " << e.what() << '\n';
    return kExitFailed;
  } catch (const std::exception& e) {
    std::cerr << "talpora " << command->name << ": " << e.what() << '\n';
    return kExitFailed;
  }
}
