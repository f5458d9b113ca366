// platform: little-endian field reader and writer, whole-file reads, fixed text fields.
#include "platform/byte_io.h"

#include <bit>
#include <fstream>

namespace talpora {

static_assert(std::endian::native == std::endian::little, "the suite's files are little-endian");

void ByteReader::raw(void* out, std::size_t n) {
  auto* dst = static_cast<unsigned char*>(out);
  const std::size_t have = remaining() < n ? remaining() : n;
  if (have > 0) std::memcpy(dst, bytes_.data() + pos_, have);
  if (have < n) {
    std::memset(dst + have, 0, n - have);
    ok_ = false;
  }
  pos_ += have;
  if (have < n) pos_ = bytes_.size();
}

template <typename T>
static T readAs(ByteReader& r) {
  T v;
  r.raw(&v, sizeof v);
  return v;
}

std::int16_t ByteReader::i16() { return readAs<std::int16_t>(*this); }
std::uint16_t ByteReader::u16() { return readAs<std::uint16_t>(*this); }
std::int32_t ByteReader::i32() { return readAs<std::int32_t>(*this); }
std::uint32_t ByteReader::u32() { return readAs<std::uint32_t>(*this); }
std::uint8_t ByteReader::u8() { return readAs<std::uint8_t>(*this); }
float ByteReader::f32() { return readAs<float>(*this); }
double ByteReader::f64() { return readAs<double>(*this); }

void ByteReader::text(char* dst, std::size_t width) {
  raw(dst, width);
  if (width > 0) dst[width - 1] = '\0';
}

void ByteReader::skip(std::size_t n) {
  if (remaining() < n) {
    ok_ = false;
    pos_ = bytes_.size();
  } else {
    pos_ += n;
  }
}

void ByteWriter::raw(const void* data, std::size_t n) {
  bytes_.append(static_cast<const char*>(data), n);
}
void ByteWriter::i16(std::int16_t v) { raw(&v, sizeof v); }
void ByteWriter::u16(std::uint16_t v) { raw(&v, sizeof v); }
void ByteWriter::i32(std::int32_t v) { raw(&v, sizeof v); }
void ByteWriter::u32(std::uint32_t v) { raw(&v, sizeof v); }
void ByteWriter::u8(std::uint8_t v) { raw(&v, sizeof v); }
void ByteWriter::f32(float v) { raw(&v, sizeof v); }
void ByteWriter::f64(double v) { raw(&v, sizeof v); }
void ByteWriter::zeros(std::size_t n) { bytes_.append(n, '\0'); }

void ByteWriter::text(const char* src, std::size_t width) {
  if (width == 0) return;
  std::size_t len = 0;
  while (len < width - 1 && src[len] != '\0') ++len;
  raw(src, len);
  zeros(width - len);
}

std::optional<std::string> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return data;
}

std::optional<std::string> readFileRange(const std::filesystem::path& path, std::uint64_t offset,
                                         std::size_t length) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  const auto size = static_cast<std::uint64_t>(in.tellg());
  if (offset >= size) return std::string();
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(length, size - offset));
  std::string data(n, '\0');
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(data.data(), static_cast<std::streamsize>(n));
  data.resize(static_cast<std::size_t>(in.gcount()));
  return data;
}

void setField(char* field, std::size_t width, std::string_view text) {
  if (width == 0) return;
  std::size_t len = 0;
  while (len < text.size() && len < width - 1 && text[len] != '\0') ++len;
  std::memcpy(field, text.data(), len);
  std::memset(field + len, 0, width - len);
}

std::string fieldText(const char* field, std::size_t width) {
  std::size_t len = 0;
  while (len < width && field[len] != '\0') ++len;
  return std::string(field, len);
}

}  // namespace talpora
