// zyklist: the grid parameters handed to the grid program in "DATA88.DTF" (27 bytes, little-endian):
// mode, major, minor and rare aspects, zodiac (int32 each), whether the nodes, Chiron and the Black Moon
// are shown (one byte each), and the grid layout (int32).
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace talpora {

inline constexpr const char* kGridParameterFile = "DATA88.DTF";
inline constexpr std::size_t kGridParameterSize = 27;

struct GridParameters {
  std::int32_t mode = 0;    // 0 one chart, 10 two charts
  std::int32_t major = 1;   // 1 show the major aspects
  std::int32_t minor = 0;   // 1 show the minor aspects
  std::int32_t rare = 0;    // 1 show the rarely used aspects
  std::int32_t zodiac = 0;  // 0 tropical, 1 sidereal
  std::uint8_t nodes = 1, chiron = 1, blackMoon = 1;
  std::int32_t layout = 15;  // 15 from the listing program, 5 from the synastry program
  bool operator==(const GridParameters&) const = default;
};

// The parameters of a grid of one chart as the listing program asks for it.
GridParameters listingGridParameters(bool major, bool minor, int zodiac);

std::string encodeGridParameters(const GridParameters&);
// nullopt unless exactly 27 bytes are given.
std::optional<GridParameters> decodeGridParameters(std::string_view bytes);

// Replaces "DATA88.DTF" of the directory (atomically). true when written; otherwise `error` says why.
bool writeGridParameters(const std::filesystem::path& programDir, const GridParameters&,
                         std::string* error = nullptr);
// Reads the file of the directory; nullopt when it is missing or not 27 bytes long.
std::optional<GridParameters> readGridParameters(const std::filesystem::path& programDir);

}  // namespace talpora
