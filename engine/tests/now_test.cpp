// zyknow tests: the chart record of the present moment at a place chart.
#include "engine/now.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "files/zykfile.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora {
namespace {

namespace fs = std::filesystem;

class Ashernow : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("talpora_now_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    settings = defaultSettings(dir.string());
  }
  void TearDown() override { fs::remove_all(dir); }
  void writePlace(int n, double zone, const char* placeName, double lonHours, double lat) {
    Chart1 p;
    p.timeZone = zone;
    p.longitude = lonHours;
    p.latitude = lat;
    p.zoneStatus = 1;
    setField(p.place, placeName);
    setField(p.name, "Someone");
    setField(p.typeText, "Radix");
    setField(p.comment, "a comment");
    p.doubleChart = 1;
    p.year = 1970;
    ASSERT_EQ(Serialise_c1(p, dir / placeChartFileName(n), 0, 1), 1);
  }
  // The place chart read as the callers read it, then the present moment there.
  int now(int n, int convert, Chart1& c) {
    Chart1 place;
    if (!readPlaceChart(settings, n, place, ui)) return 0;
    return ashernow(place, c, n, convert, clock);
  }
  fs::path dir;
  CIni settings;
  headless::FixedClock clock;
  headless::ScriptedInteraction ui;
};

TEST_F(Ashernow, OwnPlaceTakesTheSystemsOffset) {
  writePlace(0, 1.0, "Vienna", 16.37 / 15, 48.21);  // the stored zone is standard time
  clock.utc = {2024, 7, 1, 10, 30, 45};
  clock.offsetHours = 2.0;  // summer time in force
  Chart1 c;
  ASSERT_EQ(now(0, 0, c), 1);
  EXPECT_EQ(c.chartType, 33);
  EXPECT_EQ(c.year, 2024);
  EXPECT_EQ(c.month, 7);
  EXPECT_EQ(c.day, 1);
  EXPECT_EQ(c.hour, 12);
  EXPECT_EQ(c.minute, 30);  // seconds dropped
  EXPECT_EQ(c.timeZone, 2.0);
  EXPECT_EQ(c.timeKnown, 1);
  EXPECT_EQ(placeOf(c), "Vienna");
  EXPECT_DOUBLE_EQ(c.longitude, 16.37 / 15);
  EXPECT_DOUBLE_EQ(c.latitude, 48.21);
  EXPECT_EQ(nameOf(c), "");
  EXPECT_EQ(typeTextOf(c), "");
  EXPECT_EQ(commentOf(c), "");
  for (char ch : c.comment) EXPECT_EQ(ch, 0);
  EXPECT_EQ(c.doubleChart, 0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Ashernow, OtherPlacesTakeTheirStoredZone) {
  writePlace(7, -5.0, "New York", -74.0 / 15, 40.7);
  writePlace(12, 5.75, "Kathmandu", 85.3 / 15, 27.7);
  clock.utc = {2024, 12, 31, 23, 30, 0};
  clock.offsetHours = 1.0;
  Chart1 c;
  ASSERT_EQ(now(7, 1, c), 1);
  EXPECT_EQ(c.chartType, 34);
  EXPECT_EQ(c.day, 31);
  EXPECT_EQ(c.hour, 18);
  EXPECT_EQ(c.minute, 30);
  EXPECT_EQ(c.timeZone, -5.0);
  ASSERT_EQ(now(12, 0, c), 1);  // `convert` does not change the moment
  EXPECT_EQ(c.year, 2025);
  EXPECT_EQ(c.month, 1);
  EXPECT_EQ(c.day, 1);
  EXPECT_EQ(c.hour, 5);
  EXPECT_EQ(c.minute, 15);
  EXPECT_EQ(c.timeZone, 5.75);
}

TEST_F(Ashernow, UnreadablePlaceIsReportedAndLeavesTheRecord) {
  Chart1 c;
  setField(c.name, "kept");
  EXPECT_EQ(now(3, 0, c), 0);
  EXPECT_FALSE(ui.messages.empty());
  EXPECT_EQ(nameOf(c), "kept");
  ui.messages.clear();
  EXPECT_EQ(now(100, 0, c), 0);
  EXPECT_EQ(now(-1, 0, c), 0);
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(nameOf(c), "kept");
}

}  // namespace
}  // namespace talpora
