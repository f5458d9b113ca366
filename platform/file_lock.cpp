// platform: flock-based locks with a bounded wait.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace talpora {

std::optional<FileLock> FileLock::acquire(const std::filesystem::path& path, Mode mode,
                                          std::chrono::milliseconds wait, std::string* error) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  const int op = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  for (;;) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      if (error) *error = "cannot open " + path.string() + ": " + std::strerror(errno);
      return std::nullopt;
    }
    // Poll until granted or the wait is over; a file renamed over meanwhile is reopened.
    for (;;) {
      if (::flock(fd, op) == 0) {
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev)
          return FileLock(fd);
        break;  // the name now points to another file: lock that one
      }
      if (errno != EWOULDBLOCK && errno != EINTR) {
        if (error) *error = "cannot lock " + path.string() + ": " + std::strerror(errno);
        ::close(fd);
        return std::nullopt;
      }
      if (std::chrono::steady_clock::now() >= deadline) {
        if (error) *error = path.string() + " is in use by another program";
        ::close(fd);
        return std::nullopt;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::close(fd);
    if (std::chrono::steady_clock::now() >= deadline) {
      if (error) *error = path.string() + " is in use by another program";
      return std::nullopt;
    }
  }
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace talpora
