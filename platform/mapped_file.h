// platform: a read-only view of a whole file mapped into memory. Only the pages a reader touches are
// read from the disk (or the page cache), which makes a search in a large file of records fast from a
// cold start. The view stays valid while a copy of the MappedFile lives, even if the file is replaced
// by a rename meanwhile.
#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace talpora {

class MappedFile {
 public:
  // nullopt when the file cannot be opened or mapped. An empty file gives an empty view.
  static std::optional<MappedFile> open(const std::filesystem::path&);
  std::string_view bytes() const { return view_; }

 private:
  std::shared_ptr<const void> keep_;
  std::string_view view_;
};

}  // namespace talpora
