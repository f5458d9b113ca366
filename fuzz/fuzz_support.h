// Fuzz harnesses: what every harness shares. A harness feeds arbitrary bytes to one reader of the
// suite and then uses what it read the way the programs do; a crash, a hang, a read past an end
// (AddressSanitizer), undefined behaviour or an impossible value read out of the file stops the run.
#pragma once
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace talpora::fuzz {

// Stops the run, saying what was let through that the reader must refuse.
[[noreturn]] inline void fail(const char* what, int line) {
  std::fprintf(stderr, "fuzz: line %d: %s\n", line, what);
  __builtin_trap();
}
#define TALPORA_FUZZ_REQUIRE(condition) ((condition) ? void() : ::talpora::fuzz::fail(#condition, __LINE__))

// A longitude the suite hands on: in [0, 360) or the -1 "no position" marker.
inline void requireLongitude(double lon) {
  TALPORA_FUZZ_REQUIRE(lon == -1 || (lon >= 0 && lon < 360));
}

// A report must never show a number that is not one.
inline void requireNoNonFinite(std::string_view text) {
  for (std::string_view bad : {"nan", "NaN", "inf", "-nan"})
    TALPORA_FUZZ_REQUIRE(text.find(bad) == std::string_view::npos);
}

// A private folder of this process, for the readers that take a file or a program directory.
inline const std::filesystem::path& scratchDir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("talpora-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

// Writes a scratch file plainly (no sync: the harness's files need not survive a power cut).
inline std::filesystem::path writeScratch(const std::string& name, std::string_view bytes) {
  const auto path = scratchDir() / name;
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Two files in one input: a little-endian 32-bit length, the first file (cut to what is there), the
// second file.
struct TwoFiles {
  std::string_view first, second;
};
inline TwoFiles splitInput(std::string_view bytes) {
  if (bytes.size() < 4) return {};
  std::uint32_t n = 0;
  for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<std::uint8_t>(bytes[i]);
  bytes.remove_prefix(4);
  const std::size_t cut = n < bytes.size() ? n : bytes.size();
  return {bytes.substr(0, cut), bytes.substr(cut)};
}

inline std::string_view asBytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace talpora::fuzz
