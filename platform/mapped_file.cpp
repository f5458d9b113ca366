// platform: read-only file mappings (POSIX mmap).
#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talpora {

std::optional<MappedFile> MappedFile::open(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  MappedFile f;
  const auto size = static_cast<std::size_t>(st.st_size);
  if (size > 0) {
    void* p = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (p == MAP_FAILED) {
      ::close(fd);
      return std::nullopt;
    }
    f.keep_ = std::shared_ptr<const void>(p, [size](const void* q) { ::munmap(const_cast<void*>(q), size); });
    f.view_ = std::string_view(static_cast<const char*>(p), size);
  }
  ::close(fd);
  return f;
}

}  // namespace talpora
