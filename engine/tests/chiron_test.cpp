// zykcalc: Chiron's table: layout, valid range from the data's length, interpolation across 360/0,
// a missing file reported once, and the shipped table.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/calendar.h"
#include "core/records.h"
#include "engine/positions.h"
#include "platform/atomic_file.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora {
namespace {

namespace fs = std::filesystem;

// A table of `years` records from 1890: 14 evenly spaced points per year from 1 January to the
// next 1 January, the longitude rising by `rate` degrees a day from `start`.
ChironTable syntheticTable(int years, double start, double rate) {
  std::vector<ChironTable::Pair> pairs;
  for (int y = 0; y < years; ++y) {
    const double d0 = julian_day(1, 1, 1890 + y, 0.0) - ChironTable::kDayZero;
    const double d1 = julian_day(1, 1, 1891 + y, 0.0) - ChironTable::kDayZero;
    for (int k = 0; k < ChironTable::kPairsPerYear; ++k) {
      const double day = d0 + (d1 - d0) * k / (ChironTable::kPairsPerYear - 1);
      const double lon =
          std::fmod(start + rate * (day - (julian_day(1, 1, 1890, 0.0) - ChironTable::kDayZero)), 360.0);
      pairs.push_back({static_cast<float>(day), static_cast<float>(lon)});
    }
  }
  return ChironTable(std::move(pairs));
}

TEST(ChironTable, RangeComesFromTheLengthOfTheData) {
  const ChironTable empty;
  EXPECT_TRUE(empty.empty());
  double lon = 0;
  EXPECT_EQ(Chiron(empty, 2451545.0, lon), 0);
  EXPECT_EQ(lon, kNoPosition);

  const ChironTable t = syntheticTable(3, 10.0, 0.02);
  EXPECT_EQ(t.yearCount(), 3);
  EXPECT_EQ(t.lastYear(), 1892);
  EXPECT_DOUBLE_EQ(t.firstJd(), 2411368.5);
  EXPECT_DOUBLE_EQ(t.endJd(), julian_day(1, 1, 1893, 0.0));
  // Both ends included: the first and the last point of the table, as they stand.
  EXPECT_EQ(Chiron(t, t.firstJd(), lon), 1);
  EXPECT_NEAR(lon, 10.0, 1e-4);
  EXPECT_EQ(Chiron(t, t.endJd(), lon), 1);
  EXPECT_NEAR(lon, t.pairs().back().lon, 1e-4);
  // Just outside them, nothing.
  EXPECT_EQ(Chiron(t, t.firstJd() - 0.01, lon), 0);
  EXPECT_EQ(lon, kNoPosition);
  EXPECT_EQ(Chiron(t, t.endJd() + 0.01, lon), 0);
  EXPECT_EQ(lon, kNoPosition);
  EXPECT_EQ(Chiron(t, t.endJd() - 0.5, lon), 1);
  EXPECT_EQ(Chiron(t, t.firstJd() + 0.5, lon), 1);
  EXPECT_NEAR(lon, 10.01, 1e-4);
}

TEST(ChironTable, BytesRoundTripAndPartialRecordsAreIgnored) {
  const ChironTable t = syntheticTable(2, 100.0, 0.05);
  const std::string bytes = t.toBytes();
  ASSERT_EQ(bytes.size(), 2u * 112u);
  // The first pair: day from JD 2415020.5 as a little-endian float, then the longitude.
  float day0 = 0;
  std::memcpy(&day0, bytes.data(), 4);
  EXPECT_EQ(day0, static_cast<float>(2411368.5 - 2415020.5));
  const ChironTable back = ChironTable::fromBytes(bytes);
  ASSERT_EQ(back.pairs().size(), t.pairs().size());
  for (std::size_t k = 0; k < t.pairs().size(); ++k) {
    EXPECT_EQ(back.pairs()[k].day, t.pairs()[k].day);
    EXPECT_EQ(back.pairs()[k].lon, t.pairs()[k].lon);
  }
  EXPECT_EQ(ChironTable::fromBytes(bytes.substr(0, 112 + 111)).yearCount(), 1);
  EXPECT_TRUE(ChironTable::fromBytes(bytes.substr(0, 50)).empty());
}

TEST(ChironTable, InterpolatesLinearlyAndAcrossTheYearBoundary) {
  const ChironTable t = syntheticTable(3, 50.0, 0.03);
  double lon = 0;
  for (double jd = t.firstJd() + 0.3; jd < t.endJd(); jd += 7.77) {
    ASSERT_EQ(Chiron(t, jd, lon), 1) << jd;
    EXPECT_NEAR(lon, 50.0 + 0.03 * (jd - t.firstJd()), 2e-3) << jd;
  }
  // Half a minute before midnight on 31 December rounds to the next year's date; the lookup must
  // still bracket the moment.
  const double newYear = julian_day(1, 1, 1891, 0.0);
  ASSERT_EQ(Chiron(t, newYear - 20.0 / 86400.0, lon), 1);
  EXPECT_NEAR(lon, 50.0 + 0.03 * (newYear - t.firstJd()), 2e-3);
}

TEST(ChironTable, InterpolationAcross360) {
  // Two points straddling 0 Aries: 359.5 and then 0.4 ten days later.
  std::vector<ChironTable::Pair> pairs;
  const float d0 = static_cast<float>(2411368.5 - ChironTable::kDayZero);
  for (int k = 0; k < ChironTable::kPairsPerYear; ++k) {
    const float day = d0 + 10.0f * k;
    pairs.push_back({day, k == 0 ? 359.5f : (k == 1 ? 0.4f : 0.4f + 0.09f * (k - 1))});
  }
  pairs.back().day = static_cast<float>(julian_day(1, 1, 1891, 0.0) - ChironTable::kDayZero);
  const ChironTable t(pairs);
  double lon = 0;
  ASSERT_EQ(Chiron(t, 2411368.5 + 5.0, lon), 1);
  EXPECT_NEAR(lon, 359.95, 1e-3);
  ASSERT_EQ(Chiron(t, 2411368.5 + 7.5, lon), 1);
  EXPECT_NEAR(lon, 0.175, 1e-3);
  for (double jd = 2411368.6; jd < 2411378.5; jd += 0.1) {
    ASSERT_EQ(Chiron(t, jd, lon), 1);
    EXPECT_GE(lon, 0.0);
    EXPECT_LT(lon, 360.0);
    EXPECT_TRUE(lon > 359.4 || lon < 0.5) << lon;  // never near 180
  }
  // Backwards across 0 (retrograde): 0.4 then 359.5.
  std::swap(pairs[0].lon, pairs[1].lon);
  const ChironTable back(pairs);
  ASSERT_EQ(Chiron(back, 2411368.5 + 5.0, lon), 1);
  EXPECT_NEAR(lon, 359.95, 1e-3);
}

TEST(ChironTable, DuplicatePointsAreSkipped) {
  // The last point of one year and the first of the next fall on the same day; a pair with the
  // same day as the one before must not divide by zero.
  std::vector<ChironTable::Pair> pairs;
  const float d0 = static_cast<float>(2411368.5 - ChironTable::kDayZero);
  for (int k = 0; k < ChironTable::kPairsPerYear; ++k) pairs.push_back({d0 + 30.0f * (k / 2), 10.0f + k});
  pairs.back().day = static_cast<float>(julian_day(1, 1, 1891, 0.0) - ChironTable::kDayZero);
  const ChironTable t(pairs);
  double lon = 0;
  ASSERT_EQ(Chiron(t, 2411368.5 + 15.0, lon), 1);
  EXPECT_TRUE(std::isfinite(lon));
  EXPECT_NEAR(lon, 10.0 + 0.5 * (12.0 - 10.0), 1e-4);  // from the first of the two equal days
}

class ChironFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("talpora_chiron_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(ChironFile, MissingFileIsReportedOnceByTheLoader) {
  const CIni settings = defaultSettings(dir_.string());
  headless::ScriptedInteraction ui;
  const ChironTable table = loadChironTable(settings, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Chiron adb cannot be found");
  EXPECT_EQ(ui.messages[0].caption, "");
  EXPECT_EQ(ui.messages[0].icon, ui::Icon::Stop);
  // Every later calculation with the empty table says nothing and gives no position.
  double lon = 0;
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Chiron(table, 2451545.0 + k, lon), 0);
    EXPECT_EQ(lon, kNoPosition);
    EXPECT_EQ(Chiron(settings, 2451545.0 + k, lon), 0);
    EXPECT_EQ(lon, kNoPosition);
  }
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(ChironFile, LoadsFromTheProgramDirectory) {
  const ChironTable t = syntheticTable(4, 200.0, 0.04);
  ASSERT_TRUE(replaceFileAtomically(dir_ / kChironFileName, t.toBytes()));
  const CIni settings = defaultSettings(dir_.string());
  headless::ScriptedInteraction ui;
  const ChironTable loaded = loadChironTable(settings, ui);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(loaded.yearCount(), 4);
  double a = 0, b = 0;
  EXPECT_EQ(Chiron(loaded, 2412000.25, a), 1);
  EXPECT_EQ(Chiron(settings, 2412000.25, b), 1);
  EXPECT_EQ(a, b);
}

// A damaged value (no number, or a longitude no normalising could bring into a circle) ends the table
// at the year before it: the loader says so once, and no calculation hangs or gives a wild value.
TEST_F(ChironFile, DamagedYearsEndTheTableWithAMessage) {
  std::string bytes = syntheticTable(4, 200.0, 0.04).toBytes();
  struct Row {
    const char* name;
    float value;
    std::size_t pairIndex;  // from the start of the file
    bool day;
  } rows[] = {{"huge longitude", 1e20f, 2 * 14 + 3, false},
              {"infinite longitude", INFINITY, 2 * 14 + 3, false},
              {"longitude not a number", NAN, 2 * 14 + 3, false},
              {"negative longitude", -5.0f, 2 * 14, false},
              {"day not a number", NAN, 2 * 14 + 1, true},
              {"day going back", -1e6f, 2 * 14 + 5, true}};
  for (const Row& r : rows) {
    std::string damaged = bytes;
    std::memcpy(damaged.data() + r.pairIndex * 8 + (r.day ? 0 : 4), &r.value, 4);
    ASSERT_TRUE(replaceFileAtomically(dir_ / kChironFileName, damaged));
    headless::ScriptedInteraction ui;
    const ChironTable t = loadChironTable(defaultSettings(dir_.string()), ui);
    EXPECT_EQ(t.yearCount(), 2) << r.name;
    ASSERT_EQ(ui.messages.size(), 1u) << r.name;
    EXPECT_NE(ui.messages[0].text.find("damaged after 1891"), std::string::npos) << r.name;
    double lon = 0;
    EXPECT_EQ(Chiron(t, julian_day(1, 7, 1892, 0.0), lon), 0) << r.name;
    EXPECT_EQ(Chiron(t, julian_day(1, 7, 1891, 0.0), lon), 1) << r.name;
    EXPECT_TRUE(lon >= 0 && lon < 360) << r.name;
  }
}

// The table shipped with the suite (data/zykadb.DTF): 1890 to 2100, a value for 2026, the first
// point of every year on 1 January and the last on the next 1 January.
TEST(ShippedChironTable, Covers1890To2100) {
  const ChironTable t = readChironTable(fs::path(TALPORA_SOURCE_DIR) / "data" / kChironFileName);
  ASSERT_FALSE(t.empty()) << "data/zykadb.DTF is missing";
  EXPECT_EQ(t.lastYear(), 2100);
  for (int y = 0; y < t.yearCount(); ++y) {
    const auto& first = t.pairs()[y * ChironTable::kPairsPerYear];
    const auto& last = t.pairs()[y * ChironTable::kPairsPerYear + ChironTable::kPairsPerYear - 1];
    EXPECT_LE(first.day, julian_day(1, 1, 1890 + y, 0.0) - ChironTable::kDayZero) << 1890 + y;
    EXPECT_GE(last.day, julian_day(1, 1, 1891 + y, 0.0) - ChironTable::kDayZero) << 1890 + y;
  }
  double lon = 0;
  ASSERT_EQ(Chiron(t, julian_day(1, 7, 2026, 0.5), lon), 1);
  // Chiron is in early Aries in the middle of 2026.
  EXPECT_GT(lon, 20.0);
  EXPECT_LT(lon, 35.0);
  for (double jd = t.firstJd() + 0.01; jd < t.endJd(); jd += 11.3) {
    ASSERT_EQ(Chiron(t, jd, lon), 1) << jd;
    ASSERT_GE(lon, 0.0);
    ASSERT_LT(lon, 360.0);
  }
}

}  // namespace
}  // namespace talpora
