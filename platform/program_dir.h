// platform: where the suite's data files live (the program directory).
// Resolution, first that applies: an explicit override (--program-dir); $TALPORA_HOME; the running
// executable's folder when it holds the suite's data ("talpora.dir" marker or a settings file) and is
// writable; else $XDG_DATA_HOME/talpora (default ~/.local/share/talpora), created and seeded from the
// installed share/talpora by copying the files it lacks (never overwriting).
#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace talpora {

struct ProgramDirInputs {
  std::optional<std::filesystem::path> overrideDir;  // --program-dir
  std::optional<std::string> talporaHome;             // $TALPORA_HOME
  std::optional<std::string> xdgDataHome;             // $XDG_DATA_HOME
  std::optional<std::string> home;                    // $HOME
  std::filesystem::path executable;                   // the running program's path
};

struct ProgramDir {
  std::filesystem::path dir;
  std::string how;  // "override", "TALPORA_HOME", "executable", "user data"
  // A data file of the suite under its fixed name; an existing file of the same name in another
  // letter case is found too.
  std::filesystem::path file(std::string_view name) const;
};

// The marker a folder of shipped data carries.
inline constexpr const char* kProgramDirMarker = "talpora.dir";

ProgramDirInputs programDirInputsFromEnvironment(std::optional<std::filesystem::path> overrideDir = {});
std::filesystem::path currentExecutable();
// Resolves and, where needed, creates and seeds the directory.
ProgramDir resolveProgramDir(const ProgramDirInputs&);

// A file of `dir` named `name`, matched case-insensitively when the exact name does not exist.
std::filesystem::path findCaseInsensitive(const std::filesystem::path& dir, std::string_view name);

}  // namespace talpora
