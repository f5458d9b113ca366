// zykfile: the suite's registry of running programs, for ending the suite.
#include "platform/suite_registry.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/atomic_file.h"

namespace talpora {

namespace fs = std::filesystem;

fs::path defaultSuiteRegistryDir() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return fs::path(runtime) / "talpora";
  return fs::path("/tmp") / ("talpora-" + std::to_string(::getuid()));
}

std::optional<unsigned long long> processStartTime(pid_t pid) {
  if (pid <= 0) return std::nullopt;
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  if (!in) return std::nullopt;
  std::string line;
  std::getline(in, line);
  // The command name is in parentheses and may itself hold blanks and parentheses.
  const auto close = line.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream rest(line.substr(close + 1));
  std::string field;
  std::vector<std::string> fields;  // fields[0] is field 3 (the state)
  while (rest >> field && fields.size() < 20) fields.push_back(field);
  if (fields.size() < 20) return std::nullopt;
  if (fields[0] == "Z" || fields[0] == "X" || fields[0] == "x") return std::nullopt;
  try {
    return std::stoull(fields[19]);
  } catch (...) {
    return std::nullopt;
  }
}

bool SuiteRegistry::validClassName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name) {
    const bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    if (!ok) return false;
  }
  return true;
}

SuiteRegistry::SuiteRegistry(fs::path dir) : dir_(std::move(dir)) {
  if (::mkdir(dir_.c_str(), 0700) != 0 && errno != EEXIST) return;
  struct stat st {};
  // A folder of this user, not a link planted by someone else in a shared /tmp.
  if (::lstat(dir_.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return;
  usable_ = true;
}

SuiteRegistry::~SuiteRegistry() {
  unregister();
}

void SuiteRegistry::registerSelf(std::string_view windowClass) {
  unregister();
  if (!usable_ || !validClassName(windowClass)) return;
  const pid_t self = ::getpid();
  const auto start = processStartTime(self);
  if (!start) return;
  const fs::path file = dir_ / (std::string(windowClass) + "." + std::to_string(self));
  if (replaceFileAtomically(file, std::to_string(*start) + "\n")) mine_ = file;
}

void SuiteRegistry::unregister() {
  if (!mine_) return;
  std::error_code ec;
  fs::remove(*mine_, ec);
  mine_.reset();
}

std::vector<SuiteRegistry::Entry> SuiteRegistry::live(std::string_view windowClass) {
  std::vector<Entry> out;
  if (!usable_ || !validClassName(windowClass)) return out;
  const std::string prefix = std::string(windowClass) + ".";
  std::error_code ec;
  for (const auto& de : fs::directory_iterator(dir_, ec)) {
    const std::string name = de.path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) continue;
    Entry e{std::string(windowClass), static_cast<pid_t>(std::stol(digits)), 0, de.path()};
    std::ifstream in(de.path());
    bool readable = static_cast<bool>(in >> e.startTime);
    const auto actual = processStartTime(e.pid);
    if (!readable || !actual || *actual != e.startTime) {
      // Ended, or the number now belongs to another process: the entry is stale.
      if (!mine_ || *mine_ != de.path()) fs::remove(de.path(), ec);
      continue;
    }
    out.push_back(std::move(e));
  }
  return out;
}

void SuiteRegistry::closeAll(std::span<const std::string_view> classesInOrder) {
  const pid_t self = ::getpid();
  for (auto cls : classesInOrder) {
    std::vector<Entry> asked;
    for (auto& e : live(cls)) {
      if (e.pid == self) continue;
      if (::kill(e.pid, SIGTERM) == 0) {
        signalled_.emplace_back(e.windowClass, e.pid);
        asked.push_back(std::move(e));
      }
    }
    // The next class only when this one has gone (or the wait ran out).
    const auto deadline = std::chrono::steady_clock::now() + waitPerClass_;
    while (!asked.empty()) {
      std::erase_if(asked, [](const Entry& e) {
        const auto actual = processStartTime(e.pid);
        if (actual && *actual == e.startTime) return false;
        std::error_code ec;
        fs::remove(e.file, ec);
        return true;
      });
      if (asked.empty() || std::chrono::steady_clock::now() >= deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
}

}  // namespace talpora
