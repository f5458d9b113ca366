// zykfile: ending the suite (CloseAllModules) on a POSIX system. Every running program registers its
// window class as a file "<class>.<pid>" in the suite's runtime folder, holding the process's start
// time so that a recycled process number is never mistaken for the program; closeAll asks the
// registered programs of each class, in order, to end (SIGTERM) and waits a bounded time for them.
#pragma once
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys.h"

namespace talpora {

// $XDG_RUNTIME_DIR/talpora, else /tmp/talpora-<uid>.
std::filesystem::path defaultSuiteRegistryDir();

// The start time of a process (clock ticks after boot, field 22 of /proc/<pid>/stat); nullopt when the
// process does not exist or has ended (a zombie counts as ended).
std::optional<unsigned long long> processStartTime(pid_t pid);

class SuiteRegistry : public sys::Suite {
 public:
  struct Entry {
    std::string windowClass;
    pid_t pid = 0;
    unsigned long long startTime = 0;
    std::filesystem::path file;
  };

  // The folder is created (mode 0700) when missing; a folder that is not a directory, or belongs to
  // another user, disables the registry (usable() is false).
  explicit SuiteRegistry(std::filesystem::path dir = defaultSuiteRegistryDir());
  ~SuiteRegistry() override;  // unregisters
  SuiteRegistry(const SuiteRegistry&) = delete;
  SuiteRegistry& operator=(const SuiteRegistry&) = delete;

  // Registers this process under a window class (letters, digits, '_' and '-'); a second call
  // replaces the first.
  void registerSelf(std::string_view windowClass) override;
  void unregister();
  // For every class in order: SIGTERM to each live registered process but this one, then wait up to
  // waitPerClass for them to end before the next class. Entries of ended or recycled processes are
  // removed.
  void closeAll(std::span<const std::string_view> classesInOrder) override;

  void setWaitPerClass(std::chrono::milliseconds w) { waitPerClass_ = w; }
  bool usable() const { return usable_; }
  const std::filesystem::path& dir() const { return dir_; }
  // The entries of a class whose processes are alive (stale ones removed on the way).
  std::vector<Entry> live(std::string_view windowClass);
  // Signals sent by closeAll, in order (class, pid), for the caller's log and tests.
  const std::vector<std::pair<std::string, pid_t>>& signalled() const { return signalled_; }

  static bool validClassName(std::string_view);

 private:
  std::filesystem::path dir_;
  bool usable_ = false;
  std::optional<std::filesystem::path> mine_;
  std::chrono::milliseconds waitPerClass_{3000};
  std::vector<std::pair<std::string, pid_t>> signalled_;
};

}  // namespace talpora
