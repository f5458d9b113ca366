// The readable drawing-type source: compiling, errors, decompiling back, and the shipped source.
#include "draw/type_source.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "draw/wheel_geometry.h"
#include "platform/byte_io.h"

using namespace talpora;
namespace fs = std::filesystem;

namespace {
const char* kSample = R"(# a comment
[colours Base]
background = #FFFFFF
zodiac-outer = #102030
sign-elements = #FF0000 #00FF00 #FFFF00 #0000FF
planets = #010101 #020202 #030303 #040404 #050505 #060606 #070707 #080808 #090909 #0A0A0A \
          #0B0B0B #0C0C0C #0D0D0D #0E0E0E #000000 #000000 #111111
pen.planet-glyphs = 3

[colours Dark]
based-on = Base
background = #101010

[fixed Wheel (*)]
style = Standard Style II
rings = Tropical Zodiac, Sidereal Zodiac, 27 Nakshatras
house-system = Koch
fixed-aries = yes
show = fortune chiron
aspect-points = nodes angles
data-block = 1
aspect-glyphs = 2
lines = solid solid dash dot dash-dot dash-dot-dot none none solid
colours = Dark

[custom Mine]
style = 27779
projection = heliocentric
colours = Base

[monochrome]
colours = Base
)";
}  // namespace

TEST(DrawingTypeSource, CompilesTypesAndColourSets) {
  DrawingTypeCompiler c;
  c.add(kSample, "sample.txt");
  const DrawingTypeBook book = c.finish();
  ASSERT_TRUE(c.errors().empty()) << c.errors().front();
  ASSERT_EQ(book.fixed.size(), 1u);
  ASSERT_EQ(book.custom.size(), 1u);
  ASSERT_TRUE(book.monochrome.has_value());
  const ChPar& p = book.fixed[0].par;
  EXPECT_EQ(titleOf(p), "Wheel (*)");
  EXPECT_EQ(p.typeOrigin, 601);
  EXPECT_EQ(p.style, 21);
  EXPECT_EQ(p.ringKind[1], 1);
  EXPECT_EQ(p.ringKind[2], 2);
  EXPECT_EQ(p.ringKind[3], 6);
  EXPECT_EQ(p.ringKind[4], 0);
  EXPECT_EQ(p.houseSystem, 4);
  EXPECT_EQ(p.fixedAries, 1);
  EXPECT_EQ(p.showFortune, 1);
  EXPECT_EQ(p.showBlackMoon, 0);
  EXPECT_EQ(p.showChiron, 1);
  EXPECT_EQ(p.aspectNodes, 1);
  EXPECT_EQ(p.aspectAngles, 1);
  EXPECT_EQ(p.aspectChiron, 0);
  EXPECT_EQ(p.aspectGlyphs, 2);
  const std::int8_t lines[9] = {1, 1, 2, 3, 4, 5, 0, 0, 1};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(p.aspectLine[k], lines[k]) << k;
  // Colours: COLORREF 0x00BBGGRR; the derived set keeps what it does not change.
  const ChCol& dark = book.fixed[0].colours;
  EXPECT_EQ(dark.colour[0], 0x101010u);
  EXPECT_EQ(dark.colour[1], 0x302010u);
  EXPECT_EQ(dark.colour[20], 0x0000FFu);  // Aries: fire, red
  EXPECT_EQ(dark.colour[21], 0x00FF00u);  // Taurus: earth
  EXPECT_EQ(dark.colour[22], 0x00FFFFu);  // Gemini: air, yellow
  EXPECT_EQ(dark.colour[23], 0xFF0000u);  // Cancer: water, blue
  EXPECT_EQ(dark.colour[31], 0xFF0000u);  // Pisces
  EXPECT_EQ(dark.colour[44], 0x010101u);
  EXPECT_EQ(dark.colour[60], 0x111111u);  // Part of Fortune (continued line)
  EXPECT_EQ(dark.width[7], 3);
  EXPECT_EQ(book.custom[0].par.typeOrigin, 701);
  EXPECT_EQ(book.custom[0].par.style, 27779);
  EXPECT_EQ(book.custom[0].par.projection, 2);
  EXPECT_EQ(book.monochrome->colour[0], 0xFFFFFFu);
}

TEST(DrawingTypeSource, ReportsEveryErrorWithItsLine) {
  DrawingTypeCompiler c;
  c.add(
      "[fixed A title that is much longer than twenty-nine]\nstyle = Nonsense\nlines = solid\n"
      "colours = Missing\n[custom Star*]\ncolours = X\nunknown = 1\n[colours X]\nbackground = #12345G\n",
      "bad.txt");
  c.finish();
  const auto& e = c.errors();
  auto mentions = [&](const std::string& s) {
    for (const auto& m : e)
      if (m.find(s) != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(mentions("bad.txt:1: title"));
  EXPECT_TRUE(mentions("bad.txt:2: unknown style"));
  EXPECT_TRUE(mentions("bad.txt:3: 'lines' takes 9"));
  EXPECT_TRUE(mentions("unknown colour set 'Missing'"));
  EXPECT_TRUE(mentions("bad.txt:5: '*' is kept"));
  EXPECT_TRUE(mentions("bad.txt:7: unknown key 'unknown'"));
  EXPECT_TRUE(mentions("bad.txt:9: '#12345G' is not a colour"));
}

TEST(DrawingTypeSource, DecompiledTypesCompileToTheSameBytes) {
  DrawingTypeCompiler c;
  c.add(kSample, "sample.txt");
  DrawingTypeBook book = c.finish();
  ASSERT_TRUE(c.errors().empty());
  // Odd values in the stored-only fields survive too.
  book.fixed[0].par.reserved48[3] = -7;
  book.fixed[0].par.optionBox1130 = 1;
  book.fixed[0].colours.colour[70] = 0x12345678;
  const std::string fixedText = decompileDrawingTypes(book.fixed, true);
  const std::string customText = decompileDrawingTypes(book.custom, false);
  DrawingTypeCompiler again;
  again.add(fixedText, "fixed");
  again.add(customText, "custom");
  const DrawingTypeBook back = again.finish();
  ASSERT_TRUE(again.errors().empty()) << again.errors().front();
  EXPECT_EQ(encodeDrawingTypes(back.fixed), encodeDrawingTypes(book.fixed));
  EXPECT_EQ(encodeDrawingTypes(back.custom), encodeDrawingTypes(book.custom));
  // A lone colour set too.
  DrawingTypeCompiler mono;
  mono.add(decompileColourSet(*book.monochrome, "M") + "[monochrome]\ncolours = M\n", "m");
  EXPECT_EQ(encodeChCol(*mono.finish().monochrome), encodeChCol(*book.monochrome));
}

TEST(DrawingTypeSource, ColourTexts) {
  EXPECT_EQ(colourText(0x00CC8844), "#4488CC");
  EXPECT_EQ(colourText(0), "none");
  EXPECT_EQ(parseColour("#4488cc"), 0x00CC8844u);
  EXPECT_EQ(parseColour("none"), 0u);
  EXPECT_FALSE(parseColour("4488CC").has_value());
  EXPECT_EQ(parseColour(colourText(0xAB000001)), 0xAB000001u);
}

TEST(DrawingTypeSource, TheShippedSourceMakesTheFilesTheSuiteExpects) {
  const fs::path dir = fs::path(TALPORA_SOURCE_DIR) / "data" / "drawing-types";
  DrawingTypeCompiler c;
  for (const char* f : {"colours.txt", "fixed.txt", "custom.txt"}) {
    const auto text = readFile(dir / f);
    ASSERT_TRUE(text.has_value()) << f;
    c.add(*text, f);
  }
  const DrawingTypeBook book = c.finish();
  ASSERT_TRUE(c.errors().empty()) << c.errors().front();
  ASSERT_TRUE(book.monochrome.has_value());
  // Custom A, B and C first in the custom file.
  ASSERT_GE(book.custom.size(), 3u);
  EXPECT_EQ(titleOf(book.custom[0].par), "Custom A (Favourite)");
  EXPECT_EQ(titleOf(book.custom[1].par), "Custom B");
  EXPECT_EQ(titleOf(book.custom[2].par), "Custom C");
  // Entry 5 is the template of a new type; the double-wheel types come from entry 12 on.
  ASSERT_GT(book.fixed.size(), 12u);
  EXPECT_EQ(book.fixed[5].par.style, 11);
  EXPECT_EQ(book.fixed[5].par.aspectNodes, 1);
  EXPECT_EQ(book.fixed[5].par.aspectAngles, 1);
  // Every style and every ring kind is shown by some fixed type; every title marks a fixed type.
  for (int style : wheelStyles()) {
    EXPECT_TRUE(std::any_of(book.fixed.begin(), book.fixed.end(), [&](const DrawingType& t) {
      return t.par.style == style;
    })) << styleName(style);
  }
  for (int kind = 1; kind <= 8; ++kind) {
    bool found = false;
    for (const auto& t : book.fixed)
      for (int k = 1; k <= 5; ++k) found = found || t.par.ringKind[k] == kind;
    EXPECT_TRUE(found) << ringKindName(kind);
  }
  for (const auto& t : book.fixed) {
    const std::string title = titleOf(t.par);
    EXPECT_LE(title.size(), 29u);
    EXPECT_NE(title.find("(*)"), std::string::npos) << title;
    // Sector fills need one outline colour; the background is painted.
    EXPECT_NE(t.colours.colour[0], 0u) << title;
  }
  // Black and white: every line and glyph black on white, the aspects told apart by their lines.
  const ChCol& mono = *book.monochrome;
  EXPECT_EQ(mono.colour[0], 0xFFFFFFu);
  for (int s = 1; s <= 31; ++s) {
    if (s == 5) continue;  // the white wheel
    EXPECT_EQ(mono.colour[s] & 0xFFFFFF, 0u) << s;
  }
  for (int s = 44; s <= 69; ++s) EXPECT_EQ(mono.colour[s], 0u) << s;
}
