// Chart files and settings files: exact layouts, round trips, first-version records, the last-charts
// list, hot charts, orb files, first-start defaults and the start-up of a receiving program.
#include <gtest/gtest.h>

#include <cmath>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/transfer.h"
#include "files/startup.h"
#include "files/zykfile.h"
#include "platform/byte_io.h"
#include "platform/headless/scripted_interaction.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-files-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}
Chart1 sample(const char* name, int year) {
  Chart1 c = embeddedDefaultChart();
  setField(c.name, name);
  c.year = static_cast<std::int16_t>(year);
  c.chartType = 27;
  c.longitude = -4.75;
  c.latitude = -33.5;
  c.timeZone = 5.5;
  c.zoneStatus = -2001;
  c.country = 108;
  c.region = 12;
  c.doubleChart = 1;
  c.reserved = 9;
  c.marker1 = 0;  // markers in memory are rewritten on writing
  c.marker3 = 'x';
  return c;
}
}  // namespace

TEST(ChartRecordFile, ExactLayoutAndRoundTrip) {
  const Chart1 c = sample("Ada", 1815);
  const std::string bytes = encodeChart1(c);
  ASSERT_EQ(bytes.size(), kChartRecordSize);
  ByteReader r(bytes);
  r.seek(12);
  EXPECT_EQ(r.f64(), -4.75);  // longitude at 12
  r.seek(36);
  EXPECT_EQ(r.u8(), 1);       // timeKnown at 36
  EXPECT_EQ(r.i16(), -2001);  // zoneStatus at 37
  EXPECT_EQ(std::string(bytes.data() + 66, 4), std::string("Ada\0", 4));  // name at 66
  r.seek(318);
  EXPECT_EQ(r.i16(), 32);
  EXPECT_EQ(r.i16(), 32);
  r.seek(323);
  EXPECT_EQ(r.u8(), ' ');

  const Chart1 back = decodeChart1(bytes);
  EXPECT_EQ(back.chartType, c.chartType);
  EXPECT_EQ(back.year, 1815);
  EXPECT_EQ(back.longitude, c.longitude);
  EXPECT_EQ(back.latitude, c.latitude);
  EXPECT_EQ(back.timeZone, c.timeZone);
  EXPECT_EQ(back.zoneStatus, c.zoneStatus);
  EXPECT_EQ(back.country, 108);
  EXPECT_EQ(nameOf(back), "Ada");
  EXPECT_EQ(placeOf(back), placeOf(c));
  EXPECT_EQ(commentOf(back), commentOf(c));
  EXPECT_EQ(back.region, 12);
  EXPECT_EQ(back.doubleChart, 1);
  EXPECT_EQ(back.reserved, 9);
  EXPECT_EQ(back.marker1, 32);
  EXPECT_EQ(back.marker2, 32);
  EXPECT_EQ(back.marker3, ' ');
}

TEST(ChartRecordFile, FirstVersionRecordsAreConverted) {
  Chart1 old = sample("", 1950);
  std::string bytes = encodeChart1(old);
  // A leading byte before each text, markers that are not 32.
  const char name[] = "\x05Smith";
  std::memcpy(bytes.data() + 66, name, sizeof name);
  const char comment[] = "\x07" "comment";
  std::memcpy(bytes.data() + 116, comment, sizeof comment);
  bytes[318] = 0;
  bytes[319] = 0;
  const Chart1 c = decodeChart1(bytes);
  EXPECT_EQ(nameOf(c), "Smith");
  EXPECT_EQ(commentOf(c), "comment");
  EXPECT_EQ(c.marker3, 0);
  EXPECT_EQ(c.marker1, 32);
  EXPECT_EQ(c.marker2, 32);
}

TEST(ChartRecordFile, WritingModes) {
  const auto dir = freshDir("modes");
  const auto file = dir / "db.2SB";
  std::ofstream(file, std::ios::binary) << std::string(650, 'z');
  ASSERT_EQ(Serialise_c1(sample("Appended", 2001), file, -1, 0), 1);
  EXPECT_EQ(fs::file_size(file), 975u);
  headless::ScriptedInteraction ui;
  Chart1 c;
  ASSERT_EQ(PutInMemBlock_c1(c, file, 650, ui), 1);
  EXPECT_EQ(nameOf(c), "Appended");
  // Create 1 replaces the whole file with the record.
  ASSERT_EQ(Serialise_c1(sample("Alone", 2002), file, 0, 1), 1);
  EXPECT_EQ(fs::file_size(file), kChartRecordSize);
}

TEST(ChartRecordFile, MissingOrShortFilesAreReportedAndLeaveTheRecord) {
  const auto dir = freshDir("short");
  headless::ScriptedInteraction ui;
  Chart1 c = sample("Kept", 1999);
  EXPECT_EQ(PutInMemBlock_c1(c, dir / "none.chr", 0, ui), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Error Message from zykfile.dll");
  EXPECT_EQ(ui.messages[0].text, "File " + (dir / "none.chr").string() + " cannot be opened.");
  std::ofstream(dir / "half.chr", std::ios::binary) << std::string(100, 'x');
  EXPECT_EQ(Read_pc1(&c, dir / "half.chr", 0, ui), 0);
  EXPECT_EQ(nameOf(c), "Kept");
}

TEST(ComputedChartFile, LayoutAndRoundTrip) {
  Chart2 c;
  c.julianDay = 2451545.25;
  c.houseSystem = 7;
  c.cusps[11] = 359.5;
  c.objects[13] = -1;
  std::memcpy(c.motion, "DDRDDRRRRRDDDDDDD", 17);
  c.objectLat[1] = -5.1;
  c.extra[9] = 250.0;
  c.planetaryHour = 4;
  c.spare[2] = -3;
  const std::string bytes = encodeChart2(c);
  ASSERT_EQ(bytes.size(), kComputedRecordSize);
  ByteReader r(bytes);
  r.seek(40);
  EXPECT_EQ(r.i16(), 7);
  r.seek(42 + 11 * 8);
  EXPECT_EQ(r.f64(), 359.5);
  EXPECT_EQ(bytes[274 + 2], 'R');
  r.seek(523);
  EXPECT_EQ(r.i16(), 4);
  const Chart2 back = decodeChart2(bytes);
  EXPECT_EQ(std::memcmp(&back, &c, sizeof c), 0);  // padding is zero in both
}

TEST(ChartIndexFile, RoundTrip) {
  Chart3 c;
  c.houseOf[14] = 255;
  c.aspectOf[3][15] = 4;
  const auto bytes = encodeChart3(c);
  ASSERT_EQ(bytes.size(), kIndexRecordSize);
  EXPECT_EQ(static_cast<unsigned char>(bytes[17 + 3 * 16 + 15]), 4);
  const Chart3 back = decodeChart3(bytes);
  EXPECT_EQ(std::memcmp(&c, &back, sizeof c), 0);
}

TEST(SettingsFile, LayoutRoundTripAndDefaultsWhenMissing) {
  const auto dir = freshDir("settings");
  headless::ScriptedInteraction ui;
  CIni s;
  EXPECT_EQ(PutInMemBlock_CIni(s, dir, ui), 0);
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(s.houseSystem, 1);  // Placidus
  EXPECT_FLOAT_EQ(s.orbsOthers[2], 8.0f);
  s.houseSystem = 4;
  s.orbsLuminaries[19] = 1.25f;
  setField(s.wordProcessor, "libreoffice --writer");
  s.ampm = 1;
  ASSERT_EQ(Serialise_CIni(s), 1);
  const auto bytes = readFile(dir / kSettingsFileName).value();
  ASSERT_EQ(bytes.size(), kSettingsFileSize);
  EXPECT_EQ(std::string(bytes.data() + 166, 20), "libreoffice --writer");
  EXPECT_EQ(bytes[422], 1);
  CIni back;
  EXPECT_EQ(PutInMemBlock_CIni(back, dir, ui), 1);
  EXPECT_EQ(back.houseSystem, 4);
  EXPECT_FLOAT_EQ(back.orbsLuminaries[19], 1.25f);
  EXPECT_EQ(wordProcessorOf(back), "libreoffice --writer");
  EXPECT_EQ(programDirOf(back), dir.string());
}

TEST(SettingsFile, AStoredDirectoryElsewhereIsNotTaken) {
  const auto dir = freshDir("moved");
  CIni s = defaultSettings("/old/place");
  std::ofstream(dir / kSettingsFileName, std::ios::binary) << encodeSettings(s);
  headless::ScriptedInteraction ui;
  CIni back;
  ASSERT_EQ(PutInMemBlock_CIni(back, dir, ui), 1);
  EXPECT_EQ(programDirOf(back), dir.string());
}

class LastCharts : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = freshDir("last");
    settings = defaultSettings(dir.string());
    for (int slot = 1; slot <= 4; ++slot) put(slot, ("c" + std::to_string(slot)).c_str(), 1900 + slot);
  }
  void put(int slot, const char* name, int year) {
    ASSERT_EQ(Serialise_c1(sample(name, year), dir / lastChartFileName(slot), 0, 1), 1);
  }
  std::string at(int slot) {
    Chart1 c;
    EXPECT_EQ(PutInMemBlock_c1(c, dir / lastChartFileName(slot), 0, ui), 1);
    return nameOf(c) + "/" + std::to_string(c.year);
  }
  fs::path dir;
  CIni settings;
  headless::ScriptedInteraction ui;
  ui::MenuSpec menu{"m", {{0, "&File", {{191, "", {}}, {192, "", {}}, {193, "", {}}, {194, "", {}}}}}, {}};
};

TEST_F(LastCharts, ANewChartGoesOnTopAndTheLastFallsOff) {
  put(0, "new", 2000);
  ASSERT_EQ(StoreLast(&menu, settings, ui), 1);
  EXPECT_EQ(at(1), "new/2000");
  EXPECT_EQ(at(2), "c1/1901");
  EXPECT_EQ(at(4), "c3/1903");
  EXPECT_EQ(menu.find(191)->text, "&1 new");
  EXPECT_EQ(menu.find(194)->text, "&4 c3");
}

TEST_F(LastCharts, AChartInSlotThreeMovesUpAndSlotFourStays) {
  put(0, "c3", 1903);
  ASSERT_EQ(StoreLast(&menu, settings, ui), 1);
  EXPECT_EQ(at(1), "c3/1903");
  EXPECT_EQ(at(2), "c1/1901");
  EXPECT_EQ(at(3), "c2/1902");
  EXPECT_EQ(at(4), "c4/1904");
  EXPECT_EQ(menu.find(194)->text, "");  // untouched
}

TEST_F(LastCharts, AlreadyFirstRewritesOnlySlotOneAndTheSameNameWithAnotherYearIsNew) {
  put(0, "c1", 1901);
  ASSERT_EQ(StoreLast(&menu, settings, ui), 1);
  EXPECT_EQ(menu.find(191)->text, "&1 c1");
  EXPECT_EQ(menu.find(192)->text, "");
  put(0, "c1", 1950);
  ASSERT_EQ(StoreLast(&menu, settings, ui), 1);
  EXPECT_EQ(at(1), "c1/1950");
  EXPECT_EQ(at(2), "c1/1901");
}

TEST_F(LastCharts, LoadLastFlagsFailure) {
  int flag = -1;
  Chart1 c;
  LoadLast(2, &flag, c, settings, ui);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(nameOf(c), "c2");
  fs::remove(dir / lastChartFileName(3));
  LoadLast(3, &flag, c, settings, ui);
  EXPECT_EQ(flag, 0);
}

TEST(IntermediateAndHotCharts, HereAndNowBecomesOrdinary) {
  const auto dir = freshDir("interm");
  const CIni settings = defaultSettings(dir.string());
  Chart1 c = sample("now", 2026);
  c.chartType = 34;
  ASSERT_EQ(Storeinterm(c, settings), 1);
  EXPECT_EQ(c.chartType, 0);
  ASSERT_EQ(Storehot(0, c, 9, settings), 1);
  EXPECT_TRUE(fs::exists(dir / "ZYKHOT9.DTF"));
  EXPECT_EQ(Storehot(0, c, 10, settings), 0);
}

TEST(OrbFiles, AspectSetsAndSources) {
  const auto dir = freshDir("orbs");
  CIni settings = defaultSettings(dir.string());
  const double transit[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  ASSERT_EQ(WriteOrbFile(settings, 2, transit), 1);
  EXPECT_EQ(fs::file_size(dir / "ZYKINI3.DTF"), 72u);
  float a[20], b[20];
  std::fill(a, a + 20, -7.0f);
  std::fill(b, b + 20, -7.0f);
  EXPECT_EQ(ReadOrbs(settings, 4, a, b, 2), 1);
  EXPECT_FLOAT_EQ(a[8], 9.0f);
  EXPECT_FLOAT_EQ(b[8], 9.0f);
  EXPECT_FLOAT_EQ(a[9], -7.0f);  // nine values only
  EXPECT_EQ(ReadOrbs(settings, 1, a, b, 1), 1);
  EXPECT_FLOAT_EQ(a[4], 6.0f);
  EXPECT_FLOAT_EQ(a[5], 6.0f);  // five values only: the sixth kept from the transit read
  EXPECT_EQ(ReadOrbs(settings, 5, a, b, 1), 0);
  // A missing progression file gives the defaults, reported.
  headless::ScriptedInteraction ui;
  EXPECT_EQ(ReadOrbs(settings, 2, a, b, 3, &ui), 1);
  EXPECT_FLOAT_EQ(a[0], 5.0f);
  EXPECT_FLOAT_EQ(a[4], 1.5f);
  EXPECT_EQ(ui.messages.size(), 1u);
}

// An orb file holding an orb no dialog accepts is damaged: the defaults, and one message naming it.
TEST(OrbFiles, DamagedOrbsGiveTheDefaultsWithAMessage) {
  const auto dir = freshDir("orbs-damaged");
  const CIni settings = defaultSettings(dir.string());
  for (double bad : {1e30, -1.0, std::nan(""), double(INFINITY), 16.5}) {
    double orbs[9] = {8, 8, 6, 6, 5, 2, 2, 2, 2};
    orbs[0] = bad;
    ASSERT_EQ(WriteOrbFile(settings, 2, orbs), 1);
    float a[20], b[20];
    headless::ScriptedInteraction ui;
    EXPECT_EQ(ReadOrbs(settings, 2, a, b, 2, &ui), 1);
    for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(a[i], static_cast<float>(kDefaultTransitOrbs[i])) << bad;
    ASSERT_EQ(ui.messages.size(), 1u) << bad;
    EXPECT_NE(ui.messages[0].text.find("ZYKINI3.DTF is damaged"), std::string::npos);
  }
}

TEST(FirstStart, DefaultsAreCreatedOnceAndNeverOverwritten) {
  const auto dir = freshDir("first");
  const auto created = EnsureProgramDirDefaults(dir);
  EXPECT_GE(created.size(), 19u);
  for (const char* f : {"zykini1.dtf", "DATAINTE.DTF", "ZYKLAST.DTF", "ZYKLAST4.DTF", "ZYKHOT0.DTF", "ZYKHOT9.DTF",
                        "ZYKINI3.DTF", "ZYKINI4.DTF", "ZYKF00.DTF"})
    EXPECT_TRUE(fs::exists(dir / f)) << f;
  CIni s = defaultSettings(dir.string());
  s.houseSystem = 6;
  ASSERT_EQ(Serialise_CIni(s), 1);
  EXPECT_TRUE(EnsureProgramDirDefaults(dir).empty());
  headless::ScriptedInteraction ui;
  CIni back;
  PutInMemBlock_CIni(back, dir, ui);
  EXPECT_EQ(back.houseSystem, 6);
}

TEST(StartUp, CommandTailTransferFileAndFallbacks) {
  EXPECT_EQ(parseCommandTail("4711,").value(), 4711);
  EXPECT_EQ(parseCommandTail(" 12 , 1, 0, 4").value(), 12);
  EXPECT_FALSE(parseCommandTail("").has_value());
  EXPECT_FALSE(parseCommandTail("x,").has_value());

  const auto dir = freshDir("start");
  ProgramDirInputs where;
  where.overrideDir = dir;
  headless::ScriptedInteraction ui;

  // No transfer file and no tail: the intermediate chart.
  auto s = startProgram("", where, ui);
  EXPECT_TRUE(s.fromIntermediate);
  EXPECT_EQ(nameOf(s.chartA), "J2000.0");
  EXPECT_TRUE(ui.messages.empty());

  // A tail but no transfer file: reported, zeroed records.
  s = startProgram("4711,", where, ui);
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(s.chartA.year, 0);
  EXPECT_EQ(s.handle.value(), 4711);

  // A transfer file with one chart: A and B alike, also with an empty command line.
  Chart1 a = sample("Hand-over", 1980);
  Chart2 ca;
  ca.julianDay = 2444240.5;
  TransferBlock block;
  ASSERT_EQ(FillUpTalporaTransferBlock(block, defaultSettings(dir.string()), a, ca, a, ca), 1);
  s = startProgram("", where, ui);
  EXPECT_TRUE(s.fromTransferFile);
  EXPECT_EQ(nameOf(s.chartA), "Hand-over");
  EXPECT_EQ(s.computedB.julianDay, 2444240.5);
  EXPECT_EQ(windowTitle("Talpora Listing:  ", s.chartA), "Talpora Listing:  Hand-over - Sample chart");
}
