// platform: program-directory resolution and seeding.
#include "platform/program_dir.h"

#include "platform/atomic_file.h"
#include "platform/byte_io.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#include "platform/text.h"

namespace talpora {
namespace fs = std::filesystem;

namespace {

std::optional<std::string> env(const char* name) {
  const char* v = std::getenv(name);
  if (!v || !*v) return std::nullopt;
  return std::string(v);
}

bool holdsSuiteData(const fs::path& dir) {
  std::error_code ec;
  return fs::exists(dir / kProgramDirMarker, ec) || fs::exists(dir / "zykini1.dtf", ec);
}

bool writable(const fs::path& dir) {
  return ::access(dir.c_str(), W_OK) == 0;
}

// A file a user's work writes (settings, hand-over and scratch files, hot, last and place charts,
// orb files, saved reports): never taken from another program directory, where it belongs to
// somebody else's session.
bool isUserFile(const std::string& name) {
  std::string n = name;
  std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return std::toupper(c); });
  static const char* kExact[] = {"DATA10.DTF",   "DATA88.DTF",   "DATA9.DTF",   "DATAINTE.DTF",
                                 "LASTSAVE.DTF", "ZYKINI1.DTF",  "ZYKINI3.DTF", "ZYKINI4.DTF",
                                 "ZYKSTYLE.DTF", "ZYKCURDB.DTF", "ZYKDBFC.DTF", "ZYKPRNDLG.INI",
                                 "TOTO.REM",     "ATLAS.TXT"};
  for (const char* e : kExact)
    if (n == e) return true;
  static const char* kPrefixes[] = {"ZYKLAST", "ZYKHOT", "LISTNG", "SNSTRY", "INTERP", "PRDICT", "."};
  for (const char* p : kPrefixes)
    if (n.rfind(p, 0) == 0) return true;
  // Place charts "ZYKF00.DTF".."ZYKF99.DTF" (not the fixed-star file ZYKFFL.DTF).
  return n.size() == 10 && n.rfind("ZYKF", 0) == 0 && std::isdigit(static_cast<unsigned char>(n[4])) &&
         std::isdigit(static_cast<unsigned char>(n[5])) && n.substr(6) == ".DTF";
}

// True when `dest` is a torn copy of `source`: shorter, and its bytes the start of the source's. A copy
// killed part-way (before seeding went through a temporary) leaves exactly that; a file the user
// changed is never a strict prefix of the shipped one, and stays as it is.
bool isTornCopy(const fs::path& source, const fs::path& dest) {
  std::error_code ec;
  const auto have = fs::file_size(dest, ec);
  if (ec) return false;
  const auto want = fs::file_size(source, ec);
  if (ec || have >= want) return false;
  const auto head = readFileRange(source, 0, have);
  const auto copy = readFile(dest);
  return head && copy && *head == *copy;
}

// Seeds `target` with the shipped data files of `source` that it lacks, each through a temporary
// and a rename, so that an interrupted start never leaves a partial data file; a torn copy left by
// an older start is seeded again.
void seedFrom(const fs::path& source, const fs::path& target) {
  std::error_code ec;
  if (!fs::is_directory(source, ec)) return;
  for (const auto& entry : fs::directory_iterator(source, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    // Data files only: programs stay where they are.
    const auto perms = entry.status(ec).permissions();
    if ((perms & fs::perms::owner_exec) != fs::perms::none) continue;
    if (isUserFile(entry.path().filename().string())) continue;
    const auto dest = target / entry.path().filename();
    if (fs::exists(dest, ec) && !isTornCopy(entry.path(), dest)) continue;
    if (const auto bytes = readFile(entry.path())) replaceFileAtomically(dest, *bytes);
  }
}

}  // namespace

fs::path findCaseInsensitive(const fs::path& dir, std::string_view name) {
  fs::path exact = dir / std::string(name);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  const std::string want = lower(name);
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    if (lower(entry.path().filename().string()) == want) return entry.path();
  }
  return exact;
}

fs::path ProgramDir::file(std::string_view name) const {
  return findCaseInsensitive(dir, name);
}

fs::path currentExecutable() {
  std::error_code ec;
  auto p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : p;
}

ProgramDirInputs programDirInputsFromEnvironment(std::optional<fs::path> overrideDir) {
  ProgramDirInputs in;
  in.overrideDir = std::move(overrideDir);
  in.talporaHome = env("TALPORA_HOME");
  in.xdgDataHome = env("XDG_DATA_HOME");
  in.home = env("HOME");
  in.executable = currentExecutable();
  return in;
}

ProgramDir resolveProgramDir(const ProgramDirInputs& in) {
  std::error_code ec;
  const fs::path exeDir = in.executable.parent_path();
  auto made = [&](fs::path dir, std::string how) {
    fs::create_directories(dir, ec);
    // A fresh directory gets the shipped data it lacks.
    if (!exeDir.empty()) {
      seedFrom(exeDir.parent_path() / "share" / "talpora", dir);
      if (holdsSuiteData(exeDir) && exeDir != dir) seedFrom(exeDir, dir);
    }
    return ProgramDir{std::move(dir), std::move(how)};
  };
  if (in.overrideDir) return made(*in.overrideDir, "override");
  if (in.talporaHome) return made(fs::path(*in.talporaHome), "TALPORA_HOME");
  if (!exeDir.empty() && holdsSuiteData(exeDir) && writable(exeDir)) return ProgramDir{exeDir, "executable"};
  fs::path base;
  if (in.xdgDataHome) {
    base = *in.xdgDataHome;
  } else if (in.home) {
    base = fs::path(*in.home) / ".local" / "share";
  } else {
    base = fs::temp_directory_path(ec);
  }
  return made(base / "talpora", "user data");
}

}  // namespace talpora
