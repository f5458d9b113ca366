// platform: atomic replacement (temp file, fsync, rename) and in-place record writes.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace talpora {
namespace {

std::string describe(const std::string& what, const std::filesystem::path& path, int err) {
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

}  // namespace

std::filesystem::path temporarySibling(const std::filesystem::path& path) {
  std::string name = ".";
  name.append(path.filename().string());
  name.append(".tmp");
  name.append(std::to_string(::getpid()));
  return path.parent_path() / name;
}

WriteResult replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                  const WriteFault* fault) {
  const auto tmp = temporarySibling(path);
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return {false, describe("cannot create", tmp, errno)};
  int err = 0;
  bool ok = writeAll(fd, bytes, fault, err);
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
    return {false, describe("cannot write", path, err)};
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    err = errno;
    ::unlink(tmp.c_str());
    return {false, describe("cannot replace", path, err)};
  }
  return {};
}

WriteResult writeAt(const std::filesystem::path& path, std::int64_t offset, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return {false, describe("cannot open", path, errno)};
  off_t pos = offset < 0 ? ::lseek(fd, 0, SEEK_END) : ::lseek(fd, static_cast<off_t>(offset), SEEK_SET);
  int err = 0;
  bool ok = pos >= 0;
  if (!ok) err = errno;
  if (ok) ok = writeAll(fd, bytes, nullptr, err);
  if (::close(fd) != 0 && ok) {
    err = errno;
    ok = false;
  }
  if (!ok) return {false, describe("cannot write", path, err)};
  return {};
}

}  // namespace talpora
