// zykcore: the drawing-type record (ChPar) and the colour-set record (ChCol), and their file forms.
// Layouts are binding: ChPar is 108 bytes in memory and 107 in files, ChCol 356 bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace talpora {

struct ChPar {
  std::int16_t typeOrigin = 701;  // 601 fixed file, 701 custom file
  std::int16_t projection = 0;    // 0 none, 1 south view, 2 heliocentric, 3 right ascension
  std::int16_t style = 11;
  std::int16_t ringKind[6] = {};  // [1] inner ring .. [5]; [0] unused
  std::int8_t houseSystem = 1;
  std::int8_t fixedAries = 0;
  std::int8_t showFortune = 0;
  std::int8_t showBlackMoon = 0;
  std::int8_t showChiron = 0;
  std::int8_t aspectNodes = 0;
  std::int8_t aspectAngles = 0;
  std::int8_t aspectFortune = 0;
  std::int8_t aspectBlackMoon = 0;
  std::int8_t aspectChiron = 0;
  std::int8_t dataBlock = 0;
  std::int8_t houseLabels = 0;
  std::int8_t cuspDegrees = 0;
  std::int8_t planetDegrees = 0;
  std::int8_t aspectGlyphs = 0;
  std::int8_t aspectIndicator = 0;
  std::int8_t earthPictogram = 0;
  std::int8_t optionBox1130 = 0;
  std::int8_t reserved36 = 0;
  std::int8_t aspectLine[9] =
      {};  // conjunction .. quintile: 0 none, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot
  std::int8_t reserved46 = 0;
  std::uint8_t pad47 = 0;  // alignment, not stored in files
  std::int16_t reserved48[15] = {};
  char title[30] = {};
};
static_assert(sizeof(ChPar) == 108);
static_assert(offsetof(ChPar, projection) == 2 && offsetof(ChPar, style) == 4 &&
              offsetof(ChPar, ringKind) == 6);
static_assert(offsetof(ChPar, houseSystem) == 18 && offsetof(ChPar, fixedAries) == 19);
static_assert(offsetof(ChPar, dataBlock) == 28 && offsetof(ChPar, aspectIndicator) == 33);
static_assert(offsetof(ChPar, optionBox1130) == 35 && offsetof(ChPar, reserved36) == 36);
static_assert(offsetof(ChPar, aspectLine) == 37 && offsetof(ChPar, reserved46) == 46);
static_assert(offsetof(ChPar, pad47) == 47 && offsetof(ChPar, reserved48) == 48 &&
              offsetof(ChPar, title) == 78);

struct ChCol {
  std::uint32_t colour[79] = {};  // COLORREF 0x00BBGGRR per slot (71..78: run-time font slots)
  std::int16_t width[20] = {};    // pen widths and other 16-bit slots
};
static_assert(sizeof(ChCol) == 356);
static_assert(offsetof(ChCol, width) == 316);

// ChCol slots the drawing reads.
namespace col {
inline constexpr int kBackground = 0, kZodiacOuter = 1, kZodiacInner = 2, kZodiacCusps = 3, kInnerCircle = 4;
inline constexpr int kWheelFill = 5, kPlanetTicks = 6, kHouseCusps = 7, kAscendant = 8, kMidheaven = 9;
inline constexpr int kDescendant = 10, kImumCoeli = 11, kDate = 12, kUniversalTime = 13, kName = 14;
inline constexpr int kTypeText = 15, kZodiacType = 16, kHouseSystem = 17, kHouseLabels = 18;
inline constexpr int kPlanetDegrees = 19, kSignGlyph = 20, kSignBackground = 32, kPlanet = 44, kAspect = 61;
}  // namespace col
namespace pen {
inline constexpr int kSignGlyph = 3, kCusps = 4, kAscMc = 5, kDesIc = 6, kPlanetGlyph = 7, kInnerCircle = 9;
inline constexpr int kGridLines = 11, kGridGlyphs = 12;
}  // namespace pen

inline constexpr std::size_t kChParFileSize = 107;
inline constexpr std::size_t kChColSize = 356;
inline constexpr std::size_t kDrawingTypeEntrySize = kChParFileSize + kChColSize;  // 463
inline constexpr std::size_t kData9Size = sizeof(ChPar) + sizeof(ChCol);           // 464
// File forms, field by field (ChPar without its alignment byte); decoding never reads past the bytes
// and forces the title to terminate.
std::string encodeChPar(const ChPar&);
ChPar decodeChPar(std::string_view bytes);
std::string encodeChCol(const ChCol&);
ChCol decodeChCol(std::string_view bytes);
std::string titleOf(const ChPar&);

}  // namespace talpora
