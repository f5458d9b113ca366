// The glyph lists of the drawing program: the lines for each family of items on a chart whose
// positions are set by hand (so that every aspect is known), the house line of fixed and custom
// types, charts without Chiron, the heliocentric projection, and the start of the interpreter.
#include "interpretation/glyph_explanations.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/transfer.h"
#include "engine/chart.h"
#include "engine/houses.h"
#include "files/zykfile.h"
#include "format/text_format.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

using namespace talpora;
namespace fs = std::filesystem;

namespace {

struct GlyphFixture : ::testing::Test {
  void SetUp() override {
    dir = fs::temp_directory_path() / ("talpora-glyphs-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    settings = defaultSettings(dir.string());
    settings.houseSystem = 1;
  }
  void TearDown() override { fs::remove_all(dir); }

  // A chart record and its positions from the engine.
  Chart1 record(int year, bool timeKnown = true) const {
    Chart1 c{};
    c.marker1 = c.marker2 = 32;
    c.day = 17;
    c.month = 5;
    c.year = static_cast<std::int16_t>(year);
    c.hour = 14;
    c.minute = 5;
    c.timeZone = 2;
    c.longitude = 2.35 / 15;
    c.latitude = 48.85;
    c.timeKnown = timeKnown ? 1 : 0;
    setField(c.name, "Ada");
    return c;
  }
  Chart2 computedFor(const Chart1& c) const {
    Chart2 out{};
    calculall(settings, c, out, readChironTable(fs::path(TALPORA_SOURCE_DIR) / "data" / "zykadb.DTF"));
    return out;
  }
  // Sun 10, Moon 100.5, Mars 190, Jupiter 250 degrees; every other object without a position.
  Chart2 handSet() const {
    Chart2 c{};
    for (double& o : c.objects) o = kNoPosition;
    c.objects[kSun] = 10;
    c.objects[kMoon] = 100.5;
    c.objects[kMars] = 190;
    c.objects[kJupiter] = 250;
    c.obliquity = 23.44;
    return c;
  }
  static ChPar customType(int houseSystem = 0) {
    ChPar t;
    t.typeOrigin = 701;
    t.style = 11;
    t.ringKind[1] = 1;
    t.houseSystem = static_cast<std::int8_t>(houseSystem);
    t.aspectLine[5] = 1;
    return t;
  }
  static std::vector<std::string> texts(const std::vector<GlyphLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.text);
    return out;
  }

  fs::path dir;
  CIni settings;
};

constexpr const char* kTrailer = "For interpretation, double-click the lines starting with **";

}  // namespace

TEST_F(GlyphFixture, EachItemFamilyOnAHandSetChart) {
  const Chart1 c = record(1990, false);
  const Chart2 hand = handSet();
  struct Row {
    int item;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {0,
       {"    Sun", "** Sun is in Aries", "** Sun is opposed Mars", "** Sun is trine Jupiter",
        "** Sun is square Moon", kTrailer}},
      {1,
       {"    Moon", "** Moon is in Cancer", "** Moon is square Sun", "** Moon is square Mars",
        "    Moon is inconjunct Jupiter", kTrailer}},
      {17, {"     Aries", "** Sun is in Aries", kTrailer}},
      {18, {"     Taurus"}},
      {32,
       {"You have clicked on the pictogram for squares.", "    ", "** Sun is square Moon",
        "** Moon is square Mars", kTrailer}},
      {33,
       {"You have clicked on the pictogram for sextiles.", "    ", "** Mars is sextile Jupiter", kTrailer}},
      {37, {"You have clicked on the pictogram for quintiles.", "    ", "this aspect is not found."}},
      {38, {"    You have clicked on the symbol for the Earth"}},
      {13, {"    Chiron"}},
      {-1, {}},
      {39, {}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(texts(glyphExplanation(r.item, settings, c, hand, customType())), r.lines) << "item " << r.item;
  // The marked lines carry what they start; the others nothing.
  const auto sun = glyphExplanation(0, settings, c, hand, customType());
  EXPECT_FALSE(sun[0].action);
  EXPECT_EQ(sun[1].action, (GlyphAction{4, kSun, 0}));
  EXPECT_EQ(sun[2].action, (GlyphAction{1, kSun, kMars}));
  EXPECT_FALSE(sun.back().action);
  // Without the minor aspects' line the inconjunction is not listed.
  ChPar noMinor = customType();
  noMinor.aspectLine[5] = 0;
  EXPECT_EQ(glyphExplanation(1, settings, c, hand, noMinor).size(), 5u);
  // A sidereal ring names the sign in the sidereal zodiac.
  ChPar sidereal = customType();
  sidereal.ringKind[1] = 2;
  EXPECT_EQ(glyphExplanation(0, settings, c, hand, sidereal)[1].action, (GlyphAction{4, kSun, 1}));
}

TEST_F(GlyphFixture, TheHouseLineNamesTheSystemTheWheelDrew) {
  const Chart1 c = record(1990);
  const Chart2 computed = computedFor(c);
  struct Row {
    const char* name;
    int origin, storedSystem, expectedSystem;
  };
  const Row rows[] = {{"fixed type: the settings' system", 601, 6, 1},
                      {"custom type: its own system", 701, 6, 6}};
  for (const Row& r : rows) {
    ChPar t = customType(r.storedSystem);
    t.typeOrigin = static_cast<std::int16_t>(r.origin);
    const auto lines = glyphExplanation(0, settings, c, computed, t);
    ASSERT_GE(lines.size(), 2u) << r.name;
    const int house = IsInHouseUsingThatHouseSystem(kSun, r.expectedSystem, settings, c, computed);
    EXPECT_EQ(lines[1].text, "** Sun is in the " + ProperFormat(house) + " house") << r.name;
    EXPECT_EQ(lines[1].action, (GlyphAction{2, kSun, r.expectedSystem})) << r.name;
  }
}

TEST_F(GlyphFixture, NoChironBefore1890AndNoNodesHeliocentric) {
  const Chart1 old = record(1885);
  const Chart2 oldComputed = computedFor(old);
  ASSERT_FALSE(hasPosition(oldComputed.objects[kChiron]));
  ChPar t = customType(1);
  t.showChiron = t.aspectChiron = 1;
  EXPECT_EQ(texts(glyphExplanation(kChiron, settings, old, oldComputed, t)),
            std::vector<std::string>{"    Chiron"});
  ChPar helio = customType();
  helio.projection = 2;
  const Chart1 c = record(1990);
  const Chart2 computed = computedFor(c);
  for (int item = 0; item <= kGlyphEarth; ++item) {
    for (const auto& l : glyphExplanation(item, settings, old, oldComputed, t))
      EXPECT_EQ(l.text.find("Chiron"), item == kChiron ? 0u + 4 : std::string::npos)
          << item << ": " << l.text;
    if (item == kNorthNode || item == kSouthNode) continue;
    for (const auto& l : glyphExplanation(item, settings, c, computed, helio))
      EXPECT_EQ(l.text.find("Node"), std::string::npos) << item << ": " << l.text;
  }
  // The Moon's place is the Earth's.
  EXPECT_EQ(glyphExplanation(kMoon, settings, c, computed, helio)[0].text, "    Earth");
}

TEST_F(GlyphFixture, ADoubleClickOnAMarkedLineStartsTheInterpreter) {
  const Chart1 c = record(1990);
  const Chart2 computed = computedFor(c);
  const ChPar fixed = [] {
    ChPar t = customType(6);
    t.typeOrigin = 601;
    return t;
  }();
  headless::RecordingLauncher launcher;
  headless::ScriptedInteraction ui;
  const int lineCount = static_cast<int>(glyphExplanation(0, settings, c, computed, fixed).size());
  for (int key : {0, lineCount - 1, lineCount, 99})  // the name line, the trailer, past the end
    EXPECT_EQ(Interpreter(0, settings, c, computed, fixed, key, launcher, ui), 0) << key;
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_FALSE(fs::exists(dir / kTransferFileName));

  EXPECT_EQ(Interpreter(0, settings, c, computed, fixed, 1, launcher, ui), 1);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].first, "zykinterp");
  const TransferCharts handed = readTransferFile(dir);
  ASSERT_TRUE(handed.hasB());
  const std::string tail = launcher.started[0].second;
  EXPECT_EQ(tail.substr(tail.find(',')), ", 2, 0, 1");
  EXPECT_EQ(std::string(handed.chartA.name), "Ada");

  launcher.succeed = false;
  EXPECT_EQ(Interpreter(0, settings, c, computed, fixed, 1, launcher, ui), 0);
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(interpreterTail(4711, {1, 0, 4}), "4711, 1, 0, 4");
}
