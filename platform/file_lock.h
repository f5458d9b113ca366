// platform: advisory locks between processes on one file (flock). Writers take the lock exclusively,
// readers that must see several files in agreement take it shared. A lock that is not granted within
// the wait is refused, so no program hangs behind another.
#pragma once
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace talpora {

class FileLock {
 public:
  enum class Mode { Shared, Exclusive };
  static constexpr std::chrono::milliseconds kDefaultWait{5000};

  // Locks `path` (which must exist), waiting up to `wait`. When the file is replaced by a rename while
  // waiting, the lock is taken on the file now under the name. nullopt when refused; `error` then says
  // why (busy, or the file cannot be opened).
  static std::optional<FileLock> acquire(const std::filesystem::path& path, Mode mode,
                                         std::chrono::milliseconds wait = kDefaultWait,
                                         std::string* error = nullptr);

  FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace talpora
