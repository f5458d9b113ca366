// talpora command line: subcommand registry, argument helpers and exit codes.
// Each subcommand lives in its own cmd_*.cpp and registers itself with a static TALPORA_COMMAND; the
// folder's CMakeLists.txt compiles every cli/*.cpp into the object library talpora_cli, so a new
// cmd_*.cpp needs no other line (only its library in talpora_cli's dependencies, if it is a new one).
// A subcommand parses its arguments, calls the libraries and prints: no chart, drawing or report logic.
#pragma once
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/program_dir.h"

namespace talpora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the work failed (file missing, write refused)
inline constexpr int kExitUsage = 2;   // bad usage

// Thrown for bad usage: the message names the offending argument; main prints it and the usage line.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// Thrown when the work fails: main prints the message and exits with 1.
struct WorkError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The arguments after the subcommand name, consumed as options are recognised.
class Args {
 public:
  explicit Args(std::vector<std::string> args) : args_(std::move(args)) {}
  // Takes "--name VALUE" (or "--name=VALUE"); nullopt when absent. A missing value is a UsageError.
  std::optional<std::string> option(const std::string& name);
  // Takes a flag "--name"; true when present.
  bool flag(const std::string& name);
  // Numeric options; a value that is not a number is a UsageError naming the option.
  std::optional<double> number(const std::string& name);
  std::optional<long> integer(const std::string& name);
  // The remaining positional arguments, in order (after options are taken).
  std::vector<std::string> positionals() const;
  // Takes the next positional argument; UsageError naming `what` when there is none.
  std::string next(const std::string& what);
  // UsageError for anything left over (an unknown option or an extra argument).
  void finish() const;
  bool empty() const { return args_.empty(); }
  // Splits off everything from `name` on (e.g. "--second ...") as its own Args.
  std::optional<Args> splitAt(const std::string& name);

 private:
  std::vector<std::string> args_;
};

struct Context {
  Context(std::ostream& o, std::ostream& e) : out(o), err(e) {}
  std::ostream& out;
  std::ostream& err;
  std::optional<std::filesystem::path> programDirOverride;
  // The program directory, resolved on first use (created and given defaults where needed).
  const ProgramDir& programDir();

 private:
  std::optional<ProgramDir> dir_;
};

struct Command {
  std::string name;
  std::string usage;    // "talpora jd DAY MONTH YEAR HOUR MINUTE"
  std::string summary;  // one line for --help
  std::function<int(Args&, Context&)> run;
};

std::vector<Command>& registry();
const Command* findCommand(const std::string& name);

struct Registrar {
  explicit Registrar(Command c) { registry().push_back(std::move(c)); }
};

// The whole command: `args` are the words after "talpora"; the subcommand's output goes to `out`, the
// usage and failure messages to `err`. Returns the exit code. main() is this over argv; tests call it
// in-process.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Parses a number strictly (the whole text); nullopt otherwise.
std::optional<double> parseNumber(const std::string& text);
std::optional<long> parseInteger(const std::string& text);

// Prints a double with a fixed number of decimals (no locale).
std::string fixed(double value, int decimals);

}  // namespace talpora::cli

#define TALPORA_CLI_CONCAT2(a, b) a##b
#define TALPORA_CLI_CONCAT(a, b) TALPORA_CLI_CONCAT2(a, b)
#define TALPORA_COMMAND(...)                                                             \
  static const ::talpora::cli::Registrar TALPORA_CLI_CONCAT(talporaCommand_, __LINE__) { \
    ::talpora::cli::Command {                                                            \
      __VA_ARGS__                                                                        \
    }                                                                                    \
  }
