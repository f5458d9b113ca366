// talpora command line: the whole command from its arguments to its exit code, in-process.
#include <algorithm>
#include <ostream>

#include "cli/command.h"

namespace talpora::cli {
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
  std::sort(commands.begin(), commands.end(),
            [](const Command& a, const Command& b) { return a.name < b.name; });
  for (const auto& c : commands) {
    std::string name = c.name;
    name.resize(std::max<std::size_t>(name.size(), 12), ' ');
    out << "  " << name << "  " << c.summary << '\n';
  }
}

}  // namespace

int runCommandLine(const std::vector<std::string>& all, std::ostream& out, std::ostream& err) {
  if (all.empty() || all[0] == "--help" || all[0] == "-h") {
    printHelp(all.empty() ? err : out);
    return all.empty() ? kExitUsage : kExitOk;
  }
  if (all[0] == "--version") {
    out << "talpora " << TALPORA_VERSION << '\n';
    return kExitOk;
  }
  const Command* command = findCommand(all[0]);
  if (!command) {
    err << "talpora: unknown subcommand '" << all[0] << "'\n";
    err << "usage: talpora SUBCOMMAND [ARGUMENTS] [OPTIONS] (talpora --help lists them)\n";
    return kExitUsage;
  }
  Args args(std::vector<std::string>(all.begin() + 1, all.end()));
  if (args.flag("--help") || args.flag("-h")) {
    out << "usage: " << command->usage << "\n" << command->summary << '\n';
    return kExitOk;
  }
  Context ctx(out, err);
  try {
    if (auto dir = args.option("--program-dir")) ctx.programDirOverride = *dir;
    return command->run(args, ctx);
  } catch (const UsageError& e) {
    err << "talpora " << command->name << ": " << e.what() << '\n';
    err << "usage: " << command->usage << '\n';
    return kExitUsage;
  } catch (const WorkError& e) {
    err << "talpora " << command->name << ": " << e.what() << '\n';
    return kExitFailed;
  } catch (const std::exception& e) {
    err << "talpora " << command->name << ": " << e.what() << '\n';
    return kExitFailed;
  }
}

}  // namespace talpora::cli
