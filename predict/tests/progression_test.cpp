// zykpred: progressions, directions and the prediction listing.
#include "predict/progression.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/zodiac.h"
#include "format/text_format.h"
#include "platform/headless/scripted_interaction.h"
#include "predict_test_helpers.h"

namespace talpora {
namespace {

using namespace testing_predict;

struct Derived {
  Chart1 record;
  Chart2 chart;
  int result = 0;
};

Derived progress(const CIni& s, const Natal& n, int day, int month, int year, int converse, int method) {
  Derived d;
  d.record = zeroedRecord<Chart1>();
  d.record.day = static_cast<std::int16_t>(day);
  d.record.month = static_cast<std::int16_t>(month);
  d.record.year = static_cast<std::int16_t>(year);
  zeroRecord(d.chart);
  d.result = Progression(s, n.record, n.chart, d.record, d.chart, converse, method, shippedChiron());
  return d;
}

TEST(Progression, AgeOnTheBirthdayAndTheDayBefore) {
  const CIni s = settingsIn("age");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  EXPECT_DOUBLE_EQ(progressionAge(n.record, 15, 3, 2020, 0), 30.0);
  const double before = progressionAge(n.record, 14, 3, 2020, 0);
  EXPECT_LT(before, 30.0);
  EXPECT_NEAR(before, 30.0 - 1.0 / 366.0, 1e-9);  // 2020 is a leap year: 366 days to the next birthday
  EXPECT_DOUBLE_EQ(progressionAge(n.record, 15, 3, 2020, 1), -30.0);
}

TEST(Progression, ProgressedMomentAndChartTypes) {
  const CIni s = settingsIn("moment");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  struct Row {
    const char* name;
    int converse, method, type;
    double days;  // progressed moment - natal moment
  } rows[] = {
      {"direct Naibod RA", 0, 1, 52, 30},
      {"converse Naibod RA", 1, 1, 53, -30},
      {"direct Naibod lon", 0, 2, 54, 30},
      {"converse solar arc lon", 1, 3, 57, -30},
      {"direct solar arc RA", 0, 4, 58, 30},
      {"solar arc directions", 0, 33, 67, 30},
      {"converse solar arc directions", 1, 33, 68, -30},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const Derived d = progress(s, n, 15, 3, 2020, r.converse, r.method);
    ASSERT_EQ(d.result, 1);
    EXPECT_EQ(d.record.chartType, r.type);
    // Kept to the minute.
    EXPECT_NEAR(d.chart.julianDay - n.chart.julianDay, r.days, 0.5 / 1440 + 1e-9);
  }
  const Derived p = progress(s, n, 15, 3, 2020, 0, 1);
  EXPECT_STREQ(p.record.typeText, "Progression Mar. 15 2020");
  const Derived c = progress(s, n, 15, 3, 2020, 1, 1);
  EXPECT_STREQ(c.record.typeText, "Cv.Prog. Mar. 15 2020");
  const Derived a = progress(s, n, 15, 3, 2020, 1, 33);
  EXPECT_STREQ(a.record.typeText, "Converse Solar Arc Dir.");
  EXPECT_STREQ(a.record.comment, "for Mar. 15 2020");
}

TEST(Progression, UnknownMethodsAreRefusedAndTheTargetKept) {
  const CIni s = settingsIn("refused");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  for (int method : {0, 5, 7, 32, 34, 50}) {
    Chart1 target = zeroedRecord<Chart1>();
    target.day = 1, target.month = 1, target.year = 2020;
    const Chart1 before = target;
    Chart2 chart;
    zeroRecord(chart);
    const Chart2 chartBefore = chart;
    EXPECT_EQ(Progression(s, n.record, n.chart, target, chart, 0, method, shippedChiron()), 0) << method;
    EXPECT_EQ(std::memcmp(&target, &before, sizeof target), 0);
    EXPECT_EQ(std::memcmp(&chart, &chartBefore, sizeof chart), 0);
  }
}

TEST(Progression, SolarArcMovesEveryPointByTheSignedArc) {
  const CIni s = settingsIn("arc");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  const Derived direct = progress(s, n, 15, 3, 2020, 0, 33);
  const Derived converse = progress(s, n, 15, 3, 2020, 1, 33);
  const double arc = arcDiff(direct.chart.objects[kSun], n.chart.objects[kSun]);
  EXPECT_GT(arc, 29.0);
  EXPECT_LT(arc, 31.0);
  // The converse Sun lies about 30 degrees before the natal Sun.
  const double back = arcDiff(converse.chart.objects[kSun], n.chart.objects[kSun]);
  EXPECT_GT(back, -31.0);
  EXPECT_LT(back, -29.0);
  for (int i = 0; i < kObjectCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(arcDiff(direct.chart.objects[i], n.chart.objects[i]), arc, 1e-9);
    EXPECT_NEAR(arcDiff(converse.chart.objects[i], n.chart.objects[i]), back, 1e-9);
  }
  EXPECT_NEAR(arcDiff(direct.chart.cusps[3], n.chart.cusps[3]), arc, 1e-9);
  EXPECT_DOUBLE_EQ(direct.chart.objects[kAscendant], direct.chart.cusps[0]);
  EXPECT_DOUBLE_EQ(direct.chart.objects[kMidheaven], direct.chart.cusps[9]);
}

TEST(Progression, DirectedAnglesByMethod) {
  const CIni s = settingsIn("angles");
  // Born on 19 March: the progressed Sun crosses 0 Aries within the first years.
  const Natal n = natalChart(s, 19, 3, 1990, 12, 0, 0);
  ASSERT_GT(n.chart.objects[kSun], 358.0);
  const Derived d3 = progress(s, n, 19, 3, 2000, 0, 3);
  const double solarArc = arcDiff(d3.chart.objects[kSun], n.chart.objects[kSun]);
  EXPECT_NEAR(solarArc, 9.9, 0.3);
  EXPECT_NEAR(arcDiff(d3.chart.cusps[9], n.chart.cusps[9]), solarArc, 1e-6);
  const Derived d2 = progress(s, n, 19, 3, 2000, 0, 2);
  EXPECT_NEAR(arcDiff(d2.chart.cusps[9], n.chart.cusps[9]), 10 * kNaibodDegreesPerYear, 1e-6);
  const Derived d1 = progress(s, n, 19, 3, 2000, 0, 1);
  EXPECT_NEAR(d1.chart.siderealTime, std::fmod(n.chart.siderealTime + 10 * kNaibodHoursPerYear, 24.0), 1e-9);
  const Derived d4 = progress(s, n, 19, 3, 2000, 0, 4);
  // Near 0 Aries right ascension and longitude advance alike (within the tilt's effect).
  EXPECT_NEAR(std::fmod(d4.chart.siderealTime - n.chart.siderealTime + 24, 24) * 15, solarArc, 1.0);
  for (const Derived* d : {&d1, &d2, &d3, &d4}) {
    EXPECT_DOUBLE_EQ(d->chart.objects[kAscendant], d->chart.cusps[0]);
    EXPECT_DOUBLE_EQ(d->chart.objects[kMidheaven], d->chart.cusps[9]);
  }
}

TEST(Progression, TargetDateOfADerivedChart) {
  const CIni s = settingsIn("forwhen");
  struct Row {
    const char* name;
    int hour, minute;
    double zone;
  } rows[] = {{"00:10 zone -8", 0, 10, -8},
              {"23:50 zone -8", 23, 50, -8},
              {"00:10 zone +10", 0, 10, 10},
              {"23:50 zone +10", 23, 50, 10},
              {"noon Greenwich", 12, 0, 0}};
  const int targets[][3] = {{1, 1, 2001}, {15, 6, 2020}, {31, 12, 2035}, {29, 2, 2024}, {10, 8, 1996}};
  for (const Row& r : rows) {
    const Natal n = natalChart(s, 10, 8, 1985, r.hour, r.minute, r.zone, -120, 35);
    for (const auto& t : targets) {
      SCOPED_TRACE(std::string(r.name) + " target " + std::to_string(t[0]) + "/" + std::to_string(t[1]) +
                   "/" + std::to_string(t[2]));
      for (int converse : {0, 1}) {
        const Derived d = progress(s, n, t[0], t[1], t[2], converse, 1);
        const double when = ForWhenWasThisProgressionCalulated(s, n.record, n.chart, 0, d.chart);
        EXPECT_NEAR(when, julian_dayh(t[0], t[1], t[2], r.hour, r.minute), 1e-6);
      }
    }
  }
}

TEST(Progression, ProgressionForAJulianDayTakesTheLocalDate) {
  const CIni s = settingsIn("forjd");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, -5, -74, 40.7);
  Chart1 target = zeroedRecord<Chart1>();
  Chart2 chart;
  // 2020-03-16 02:00 UT is 2020-03-15 21:00 in zone -5.
  ASSERT_EQ(ProgressionForjul_day(julian_dayh(16, 3, 2020, 2, 0), s, n.record, n.chart, target, chart, 0, 1,
                                  shippedChiron()),
            1);
  EXPECT_NEAR(chart.julianDay - n.chart.julianDay, 30.0, 0.5 / 1440 + 1e-9);
}

TEST(SymbolicDirections, MoveObjectsKeepCuspsAndMarkers) {
  const CIni s = settingsIn("symbolic");
  // 1885: outside the Chiron table.
  const Natal n = natalChart(s, 1, 6, 1885, 12, 0, 0);
  ASSERT_EQ(n.chart.objects[kChiron], kNoPosition);
  struct Row {
    const char* name;
    int year, kind, type;
    double arc;
  } rows[] = {{"one degree", 1915, 0, 9, 30.0},
              {"Naibod", 1915, 1, 10, 30 * kSymbolicNaibodRate},
              {"before birth", 1875, 0, 9, -10.0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Chart1 t;
    Chart2 c;
    SymbolicDirections(0, n.record, n.chart, t, c, r.year, r.kind);
    EXPECT_EQ(t.chartType, r.type);
    EXPECT_EQ(c.objects[kChiron], kNoPosition);
    for (int i = 0; i < kObjectCount; ++i) {
      if (i == kChiron) continue;
      EXPECT_GE(c.objects[i], 0.0);
      EXPECT_LT(c.objects[i], 360.0);
      EXPECT_NEAR(arcDiff(c.objects[i], n.chart.objects[i]), r.arc, 1e-9);
      EXPECT_EQ(c.motion[i], 'D');
    }
    EXPECT_EQ(std::memcmp(c.cusps, n.chart.cusps, sizeof c.cusps), 0);
  }
  Chart1 t;
  Chart2 c;
  SymbolicDirections(0, n.record, n.chart, t, c, 1915, 1);
  EXPECT_STREQ(t.typeText, "Symbolic Dir. Naibod");
  EXPECT_STREQ(t.comment, "for 1915");
}

// The report as lines without CR LF.
std::vector<std::string> lines(const Report& r) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t i = r.text.find("\r\n"); i != std::string::npos; i = r.text.find("\r\n", start)) {
    out.push_back(r.text.substr(start, i - start));
    start = i + 2;
  }
  return out;
}

bool hasLineStarting(const std::vector<std::string>& ls, const std::string& prefix) {
  for (const auto& l : ls)
    if (l.rfind(prefix, 0) == 0) return true;
  return false;
}

TEST(PredictionListing, TitlesMethodLinesAndObjects) {
  const CIni s = settingsIn("listing");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  const PredictionOrbs orbs = readPredictionOrbs(s, nullptr);
  struct Row {
    const char* name;
    int converse, method, type;
    const char* title;
    const char* method_line;
    const char* object_prefix;
  } rows[] = {
      {"progression", 0, 3, 3, "PROGRESSIONS for Mar. 15 2025",
       "Angles directed using True Solar Arc in Longitude", "Progressed Sun - "},
      {"converse", 1, 1, 3, "CONVERSE PROGRESSIONS for Mar. 15 2025",
       "Angles directed using Naibod (59'08) in Right Ascension", "Progressed Ascendant - "},
      {"solar arc", 0, 33, 4, "SOLAR ARC DIRECTIONS for Mar. 15 2025:",
       "All planets moved at the rate of the Sun, 1 day per year", "Directed Midheaven - "},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const Derived d = progress(s, n, 15, 3, 2025, r.converse, r.method);
    Report report;
    unsigned long length = 0;
    PredictionListing(report, &length, r.type, 0, s, n.record, n.chart, d.record, d.chart, d.record, d.chart,
                      orbs);
    EXPECT_EQ(length, report.size());
    const auto ls = lines(report);
    EXPECT_TRUE(hasLineStarting(ls, r.title));
    EXPECT_TRUE(hasLineStarting(ls, r.method_line));
    EXPECT_TRUE(hasLineStarting(ls, r.object_prefix));
    EXPECT_TRUE(hasLineStarting(ls, "      in the "));
    EXPECT_TRUE(hasLineStarting(ls, "Tropical Zodiac"));
  }
}

TEST(PredictionListing, NoHousesNoAnglesAndNoChironWithoutPosition) {
  const CIni s = settingsIn("nohouses", 8.0);
  // Time unknown: no houses; 1885: no Chiron.
  const Natal n = natalChart(s, 1, 6, 1885, 12, 0, 0, 2.35, 48.85, false);
  const PredictionOrbs orbs = readPredictionOrbs(s, nullptr);
  const Derived d = progress(s, n, 1, 6, 1915, 0, 1);
  Report report;
  PredictionListing(report, nullptr, 3, 0, s, n.record, n.chart, d.record, d.chart, d.record, d.chart, orbs);
  const auto ls = lines(report);
  EXPECT_TRUE(hasLineStarting(ls, "Progressed Sun - "));
  EXPECT_FALSE(hasLineStarting(ls, "Progressed Ascendant"));
  EXPECT_FALSE(hasLineStarting(ls, "Progressed Midheaven"));
  EXPECT_FALSE(hasLineStarting(ls, "Progressed Chiron"));
  EXPECT_FALSE(hasLineStarting(ls, "      in the "));
  for (const auto& l : ls) {
    EXPECT_EQ(l.find("natal Ascendant"), std::string::npos) << l;
    EXPECT_EQ(l.find("natal Part of Fortune"), std::string::npos) << l;
    EXPECT_EQ(l.find("natal Chiron"), std::string::npos) << l;
  }
}

TEST(PredictionListing, OrbFilesMissingGiveDefaultsReportedOncePerFile) {
  const CIni s = settingsIn("noorbs", 0);
  headless::ScriptedInteraction ui;
  const PredictionOrbs orbs = readPredictionOrbs(s, &ui);
  EXPECT_EQ(ui.messages.size(), 2u);
  for (int k = 0; k < 9; ++k) {
    EXPECT_FLOAT_EQ(orbs.transits[k], static_cast<float>(kDefaultTransitOrbs[k]));
    EXPECT_FLOAT_EQ(orbs.progressions[k], static_cast<float>(kDefaultTransitOrbs[k]));
  }
}

}  // namespace
}  // namespace talpora
