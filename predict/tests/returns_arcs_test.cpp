// zykpred, zykarcs: the return searches and the time windows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/zodiac.h"
#include "predict/arcs.h"
#include "predict/returns.h"
#include "predict_test_helpers.h"

namespace talpora {
namespace {

using namespace testing_predict;

double moonAt(const CIni& s, double jdUt, int zodiac) {
  short d, m, y, h, mi;
  jd_to_date(jdUt, &d, &m, &y, &h, &mi);
  double sun, moon, lat, dist, aya, bm, svp;
  const double jde = jdUt + tdt(y) / 86400.0;
  asforce1Plus(jde, sun, moon, lat, dist, aya, bm, svp);
  if (zodiac == 1) ConvertToSiderealForJD(&moon, 1, s, jde);
  return moon;
}

TEST(SolarReturn, BirthYearGivesTheBirthMomentBack) {
  const CIni s = settingsIn("sr-birth");
  for (int zodiac : {0, 1}) {
    const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
    const ReturnResult r = solarReturn(s, n.record, n.chart, 1990, 0, zodiac);
    ASSERT_TRUE(r.found);
    EXPECT_LE(r.passes, 10);
    EXPECT_NEAR(r.jdUt, n.chart.julianDay, 0.5 / 86400);  // 1e-6 degree of the Sun is 0.09 s
    EXPECT_EQ(r.chart.chartType, zodiac ? 102 : 2);
    EXPECT_EQ(r.chart.day, 15);
    EXPECT_EQ(r.chart.hour, 13);
    EXPECT_EQ(r.chart.minute, 30);
    EXPECT_EQ(r.chart.timeKnown, 1);
    EXPECT_STREQ(r.chart.name, "Test");
    EXPECT_EQ(r.chart.longitude, 0);
  }
}

TEST(SolarReturn, ConverseYearsAndRefusals) {
  const CIni s = settingsIn("sr-converse");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  const ReturnResult c = solarReturn(s, n.record, n.chart, 2000, 1, 0);
  ASSERT_TRUE(c.found);
  EXPECT_EQ(c.chart.year, 1980);
  EXPECT_EQ(c.chart.chartType, 2000);
  EXPECT_EQ(solarReturn(s, n.record, n.chart, 2000, 1, 1).chart.chartType, 1000);
  EXPECT_FALSE(solarReturn(s, n.record, n.chart, 3980, 1, 0).found);  // year 0
  Natal broken = n;
  broken.chart.objects[kSun] = std::numeric_limits<double>::quiet_NaN();
  const ReturnResult failed = solarReturn(s, broken.record, broken.chart, 2020, 0, 0);
  EXPECT_FALSE(failed.found);
  EXPECT_GT(failed.passes, kReturnSearchPasses);
}

TEST(LunarReturn, OneOrTwoAMonthEachInItsMonth) {
  const CIni s = settingsIn("lr");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  int twos = 0, total = 0;
  double previous = 0;
  for (int zodiac : {0, 1})
    for (int year : {2024, 2025})
      for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month) + " zodiac " +
                     std::to_string(zodiac));
        const auto rs = lunarReturns(s, n.record, n.chart, month, year, zodiac);
        ASSERT_GE(rs.size(), 1u);
        ASSERT_LE(rs.size(), 2u);
        twos += rs.size() == 2;
        for (std::size_t k = 0; k < rs.size(); ++k) {
          const ReturnResult& r = rs[k];
          ASSERT_TRUE(r.found);
          EXPECT_EQ(r.chart.month, month);
          EXPECT_EQ(r.chart.year, year);
          EXPECT_EQ(r.chart.chartType, (zodiac ? 103 : 3) + static_cast<int>(k));
          double natal = n.chart.objects[kMoon];
          if (zodiac) ConvertToSidereal(&natal, 1, s, n.chart);
          EXPECT_NEAR(arcDiff(moonAt(s, r.jdUt, zodiac), natal), 0, 2e-6);
          if (zodiac == 0 && previous != 0 && (k > 0 || month > 1 || year > 2024)) {
            EXPECT_GT(r.jdUt - previous, 27.0);
            EXPECT_LT(r.jdUt - previous, 28.0);
          }
          if (zodiac == 0) previous = r.jdUt;
          ++total;
        }
      }
  EXPECT_GT(twos, 0);
}

TEST(Returns, PlacedChartAndResultLines) {
  const CIni s = settingsIn("place");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  const ReturnResult r = solarReturn(s, n.record, n.chart, 2025, 0, 0);
  ASSERT_TRUE(r.found);
  Chart1 placed;
  Chart2 chart;
  placeReturn(s, r, -74 / 15.0, 40.7, -5, shippedChiron(), placed, chart);
  EXPECT_EQ(placed.chartType, 5);
  EXPECT_STREQ(placed.typeText, "Solar Return (tropical)");
  EXPECT_NEAR(chart.julianDay, r.jdUt, 0.5 / 1440 + 1e-9);
  EXPECT_NEAR(arcDiff(chart.objects[kSun], n.chart.objects[kSun]), 0, 0.001);
  const auto lines = returnResultLines(s, r);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "SOLAR RETURN");
  EXPECT_EQ(lines[1].substr(0, 12), "      March ");
  EXPECT_EQ(lines[3], "(Universal Time/GMT)");
  ReturnResult early = r;
  early.chart.hour = 3, early.chart.minute = 7, early.chart.chartType = 103;
  const auto l2 = returnResultLines(s, early);
  EXPECT_EQ(l2[0], "LUNAR RETURN Sidereal (True Ayanamsa)");
  EXPECT_EQ(l2[2], "       3h07mn");
}

TEST(TimeWindows, Pairs) {
  struct Row {
    const char* name;
    int kind, a, b;
    std::size_t count;
  } rows[] = {{"soli-lunar", 0, 0, 0, 1}, {"solar", 1, 0, 0, 11},         {"lunar", 2, 0, 0, 11},
              {"Moon-Sun", 33, 1, 0, 1},  {"nodes never", 33, 10, 11, 0}, {"all", 99, 0, 0, 65}};
  for (const Row& r : rows) EXPECT_EQ(arcPairs(r.kind, r.a, r.b).size(), r.count) << r.name;
  EXPECT_EQ(arcPairs(33, 1, 0)[0], std::make_pair(0, 1));
}

TEST(TimeWindows, OneMonthSpanAndMoonSunEqualsSoliLunar) {
  const CIni s = settingsIn("windows");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  // The two-date dialog turns May 2025 into 1 May .. 1 June.
  const auto w = timeWindows(n.chart, 5, 2025, 6, 2025, 0, 0, 0);
  ASSERT_GE(w.size(), 1u);
  ASSERT_LE(w.size(), 2u);
  for (const auto& x : w) {
    EXPECT_GE(x.day, julian_dayh(1, 5, 2025, 0, 0));
    EXPECT_LE(x.day, julian_dayh(2, 6, 2025, 0, 0));
    EXPECT_GE(x.hour, 0);
    EXPECT_LE(x.hour, 23);
  }
  const auto moonSun = timeWindows(n.chart, 5, 2025, 6, 2025, 33, 1, 0);
  ASSERT_EQ(moonSun.size(), w.size());
  for (std::size_t k = 0; k < w.size(); ++k) EXPECT_EQ(moonSun[k].day, w[k].day);
}

TEST(TimeWindows, Listing) {
  const CIni s = settingsIn("allarcs");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  Report r;
  unsigned long length = 0;
  AllArcs(r, &length, n.chart, 1, 2025, 2, 2025, 33, 1, 0);
  EXPECT_EQ(length, r.size());
  EXPECT_EQ(r.text.rfind("\r\n Sun -Moo. Arc Time Windows (Universal Time):\r\n", 0), 0u);
  EXPECT_NE(r.text.find(" Sun -Moo. Arc: "), std::string::npos);
  EXPECT_NE(r.text.find("These Time Windows should be understood"), std::string::npos);
  Report none;
  AllArcs(none, nullptr, n.chart, 1, 2025, 1, 2025, 33, 8, 9);  // Neptune-Pluto barely moves
  EXPECT_NE(none.text.find("No Time Window occurs during the requested period."), std::string::npos);
}

}  // namespace
}  // namespace talpora
