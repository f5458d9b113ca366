// platform: little-endian reading and writing of file fields.
// The reader never reads past the end of its bytes: a read beyond the end yields zero bytes and sets
// a sticky failure flag, so a short file gives defined (zeroed) fields and a reported failure.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talpora {

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  // Copies n bytes into out; past the end the missing bytes are zero and ok() turns false.
  void raw(void* out, std::size_t n);
  std::int16_t i16();
  std::uint16_t u16();
  std::int32_t i32();
  std::uint32_t u32();
  std::uint8_t u8();
  float f32();
  double f64();
  // A fixed text field of `width` bytes into dst (width bytes); the last byte is forced to NUL.
  void text(char* dst, std::size_t width);
  void skip(std::size_t n);
  void seek(std::size_t pos) { pos_ = pos; }

  std::size_t pos() const { return pos_; }
  std::size_t size() const { return bytes_.size(); }
  std::size_t remaining() const { return pos_ < bytes_.size() ? bytes_.size() - pos_ : 0; }
  bool ok() const { return ok_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  void raw(const void* data, std::size_t n);
  void i16(std::int16_t v);
  void u16(std::uint16_t v);
  void i32(std::int32_t v);
  void u32(std::uint32_t v);
  void u8(std::uint8_t v);
  void f32(float v);
  void f64(double v);
  // A fixed text field: the bytes up to the first NUL (at most width - 1), then zeros to the width.
  void text(const char* src, std::size_t width);
  void zeros(std::size_t n);

  const std::string& bytes() const { return bytes_; }
  std::string take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

// Whole-file helpers. readFile: nullopt when the file cannot be opened or read.
std::optional<std::string> readFile(const std::filesystem::path& path);
// Reads at most `length` bytes from `offset` (fewer when the file is shorter); nullopt if unopenable.
std::optional<std::string> readFileRange(const std::filesystem::path& path, std::uint64_t offset,
                                         std::size_t length);

// Copies a NUL-terminated text into a fixed field of `width` bytes, truncated to width - 1 bytes and
// zero-filled after the NUL.
void setField(char* field, std::size_t width, std::string_view text);
template <std::size_t N>
void setField(char (&field)[N], std::string_view text) {
  setField(field, N, text);
}
// The text of a fixed field up to its first NUL (never beyond the field).
std::string fieldText(const char* field, std::size_t width);
template <std::size_t N>
std::string fieldText(const char (&field)[N]) {
  return fieldText(field, N);
}

}  // namespace talpora
