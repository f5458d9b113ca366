// platform: atomic replacement (temp file, fsync, rename, folder sync) and in-place record writes.
#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace talpora {
namespace fs = std::filesystem;
namespace {

std::string describe(const std::string& what, const fs::path& path, int err) {
  return what + " " + path.string() + ": " + std::strerror(err);
}

bool writeAll(int fd, std::string_view bytes, const WriteFault* fault, int& err) {
  std::size_t limit = bytes.size();
  if (fault && fault->failAfterBytes < limit) limit = fault->failAfterBytes;
  std::size_t done = 0;
  while (done < limit) {
    const ssize_t n = ::write(fd, bytes.data() + done, limit - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  if (limit < bytes.size()) {
    err = EIO;
    return false;
  }
  return true;
}

// The file a write lands in: a symbolic link is followed to its target (relative links resolve
// against the link's folder), so that replacing writes keep the link. At most 40 hops, as the kernel.
fs::path followLinks(fs::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    fs::path target = fs::read_symlink(path, ec);
    if (ec) return path;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

}  // namespace

// Syncs the folder that holds `path`, so that a rename survives a power cut.
void syncFolder(const fs::path& path) {
  const fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Removes the temporaries that writers of `path` killed before their rename left behind: hidden
// siblings ".NAME.tmpPID" whose process is gone. Another live writer's temporary stays.
void removeStaleTemporaries(const fs::path& path) {
  const fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  const std::string prefix = "." + path.filename().string() + ".tmp";
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) continue;
    const long pid = std::strtol(digits.c_str(), nullptr, 10);
    if (pid == ::getpid()) continue;  // ours: replaced below
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) ::unlink((dir / name).c_str());
  }
  ::closedir(d);
}

fs::path temporarySibling(const fs::path& path) {
  std::string name = ".";
  name.append(path.filename().string());
  name.append(".tmp");
  name.append(std::to_string(::getpid()));
  return path.parent_path() / name;
}

WriteResult replaceFileAtomically(const fs::path& requested, std::string_view bytes,
                                  const WriteFault* fault) {
  const fs::path path = followLinks(requested);
  removeStaleTemporaries(path);
  // A rewrite keeps the mode of the file it replaces; a new file gets the usual 0644 less the umask.
  struct stat old {};
  const bool existed = ::stat(path.c_str(), &old) == 0;
  const auto tmp = temporarySibling(path);
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return {false, describe("cannot create", tmp, errno)};
  int err = 0;
  bool ok = true;
  if (existed && ::fchmod(fd, old.st_mode & 07777) != 0) {
    err = errno;
    ok = false;
  }
  if (ok) ok = writeAll(fd, bytes, fault, err);
  if (ok && ::fsync(fd) != 0) {
    err = errno;
    ok = false;
  }
  if (::close(fd) != 0 && ok) {
    err = errno;
    ok = false;
  }
  if (!ok) {
    ::unlink(tmp.c_str());
    return {false, describe("cannot write", requested, err)};
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    err = errno;
    ::unlink(tmp.c_str());
    return {false, describe("cannot replace", requested, err)};
  }
  syncFolder(path);
  return {};
}

WriteResult writeAt(const fs::path& path, std::int64_t offset, std::string_view bytes,
                    const WriteFault* fault) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return {false, describe("cannot open", path, errno)};
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return {false, describe("cannot open", path, err)};
  }
  const off_t oldSize = st.st_size;
  const off_t pos = offset < 0 ? oldSize : static_cast<off_t>(offset);
  // What the write covers today, so that a failed write can be undone.
  std::string before;
  if (pos < oldSize) {
    const std::size_t n =
        static_cast<std::size_t>(std::min<off_t>(oldSize - pos, static_cast<off_t>(bytes.size())));
    before.resize(n);
    std::size_t got = 0;
    while (got < n) {
      const ssize_t r = ::pread(fd, before.data() + got, n - got, pos + static_cast<off_t>(got));
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) break;
      got += static_cast<std::size_t>(r);
    }
    before.resize(got);
  }
  int err = 0;
  bool ok = ::lseek(fd, pos, SEEK_SET) >= 0;
  if (!ok) err = errno;
  if (ok) ok = writeAll(fd, bytes, fault, err);
  if (ok && ::fsync(fd) != 0) {
    err = errno;
    ok = false;
  }
  if (!ok) {
    // Roll back: the old bytes where there were some, the old length where the write extended it.
    if (!before.empty()) (void)!::pwrite(fd, before.data(), before.size(), pos);
    if (pos + static_cast<off_t>(bytes.size()) > oldSize) (void)!::ftruncate(fd, oldSize);
    ::fsync(fd);
  }
  if (::close(fd) != 0 && ok) {
    err = errno;
    ok = false;
  }
  if (!ok) return {false, describe("cannot write", path, err)};
  return {};
}

}  // namespace talpora
