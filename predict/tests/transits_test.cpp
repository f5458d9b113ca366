// zykpred: transits and progressions over a period.
#include "predict/transits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/zodiac.h"
#include "engine/chart.h"
#include "platform/headless/scripted_interaction.h"
#include "predict_test_helpers.h"

namespace talpora {
namespace {

using namespace testing_predict;
using K = TransitEventKind;

// Only the listed transiting objects and aspects.
TransitPeriod period(double first, double last, std::initializer_list<int> objects = {},
                     std::initializer_list<int> aspects = {}) {
  TransitPeriod p;
  p.firstDay = first;
  p.lastDay = last;
  if (objects.size()) {
    for (int& x : p.excludedObjects) x = 1;
    for (int o : objects) p.excludedObjects[o] = 0;
  }
  if (aspects.size()) {
    for (int& x : p.excludedAspects) x = 1;
    for (int a : aspects) p.excludedAspects[a] = 0;
  }
  return p;
}

std::vector<TransitEvent> run(const CIni& s, const Natal& n, const TransitPeriod& p, bool moments = false) {
  std::vector<TransitEvent> events;
  EXPECT_EQ(transitEvents(s, n.record, n.chart, p, readPredictionOrbs(s, nullptr), shippedChiron(), nullptr,
                          moments, events),
            1);
  return events;
}

std::vector<TransitEvent> about(const std::vector<TransitEvent>& events, K kind, int object, int natal) {
  std::vector<TransitEvent> out;
  for (const auto& e : events)
    if (e.kind == kind && e.object == object && e.natalObject == natal) out.push_back(e);
  return out;
}

double sunAt0h(double day) {
  return computePositions(day, shippedChiron()).lon[kSun];
}

TEST(Transits, DayChartHasTheChartCalculationsPositionsAndFlags) {
  const CIni s = settingsIn("daychart");
  Chart1 t;
  Chart2 c;
  const double day = julian_dayh(3, 4, 2025, 0, 0);
  TrObjPositions(nullptr, day, -5, s, 0, 0, t, c, shippedChiron());
  Chart1 full = embeddedDefaultChart();
  full.day = 3, full.month = 4, full.year = 2025, full.hour = 0, full.minute = 0;
  full.timeZone = -5, full.longitude = -74 / 15.0, full.latitude = 40.7, full.timeKnown = 1;
  Chart2 ref;
  calculall(s, full, ref, shippedChiron());
  EXPECT_DOUBLE_EQ(c.julianDay, day + 5.0 / 24);
  for (int i = 0; i <= kChiron; ++i) {
    EXPECT_EQ(c.objects[i], ref.objects[i]) << i;
    EXPECT_EQ(c.motion[i], ref.motion[i]) << i;
  }
  EXPECT_EQ(c.trueAyanamsa, ref.trueAyanamsa);
}

TEST(Transits, OneDayPeriodIsListedOnceAsTheEnd) {
  const CIni s = settingsIn("oneday");
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  const double d = julian_dayh(1, 6, 2025, 0, 0);
  Report r;
  unsigned long length = 0;
  TransitPeriod p = period(d, d);
  ASSERT_EQ(TransitsByDay(nullptr, r, &length, s, n.record, n.chart, 1, 0, d, d, 0, 0, p.excludedObjects,
                          p.excludedAspects, 0, 1, shippedChiron(), nullptr),
            1);
  EXPECT_EQ(length, r.size());
  EXPECT_EQ(r.text.find("At the beginning of the period"), std::string::npos);
  const auto at = r.text.find("At the end of the period, Sunday Jun. 1 2025");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(r.text.find("At the end of the period", at + 1), std::string::npos);
  EXPECT_NE(r.text.find("Transits from  Jun. 1 2025 to Jun. 1 2025"), std::string::npos);
  EXPECT_NE(r.text.find("calculated for time zone = GMT"), std::string::npos);
  EXPECT_NE(r.text.find("All planetary positions indicated for 0h."), std::string::npos);
  EXPECT_NE(r.text.find("Trans.Sun (Gem. 10"), std::string::npos);
}

TEST(Transits, AspectEntersItsOrbOnDayThreeAndLeavesOnDaySeven) {
  const CIni s = settingsIn("orbwindow", 2.0);
  Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  const double first = julian_dayh(1, 6, 2025, 0, 0);
  // A natal point 1.5 degrees ahead of the Sun of day 3: in the 2-degree orb from day 3 to day 6.
  n.chart.objects[kMars] = c_c360(sunAt0h(first + 2) + 1.5);
  const auto events = run(s, n, period(first, first + 9, {kSun}, {0}));
  const auto becomes = about(events, K::Becomes, kSun, kMars);
  const auto stops = about(events, K::StopsBeing, kSun, kMars);
  const auto exact = about(events, K::Exact, kSun, kMars);
  ASSERT_EQ(becomes.size(), 1u);
  ASSERT_EQ(stops.size(), 1u);
  ASSERT_EQ(exact.size(), 1u);
  EXPECT_EQ(becomes[0].day, first + 2);
  EXPECT_EQ(stops[0].day, first + 6);
  EXPECT_EQ(exact[0].day, first + 4);
}

TEST(Transits, ExactAcrossZeroAriesWithItsMoment) {
  const CIni s = settingsIn("aries", 1.0);
  Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  n.chart.objects[kMars] = 0.3;
  const double first = julian_dayh(15, 3, 2025, 0, 0);
  const auto events = run(s, n, period(first, first + 10, {kSun}, {0}), true);
  const auto exact = about(events, K::Exact, kSun, kMars);
  ASSERT_EQ(exact.size(), 1u);
  EXPECT_EQ(exact[0].day, julian_dayh(21, 3, 2025, 0, 0));
  const double t = exact[0].exactUT;
  ASSERT_TRUE(std::isfinite(t));
  EXPECT_GT(t, exact[0].day - 1);
  EXPECT_LT(t, exact[0].day);
  EXPECT_NEAR(arcDiff(computePositions(t, shippedChiron()).lon[kSun], 0.3), 0.0, 2.0 / 86400);
}

TEST(Transits, StationBringsASecondBecomes) {
  const CIni s = settingsIn("station", 1.0);
  Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  // Mercury's first station of 2025 (found from the engine), a natal point 2 degrees behind it.
  double station = 0, stationLon = 0;
  const double from = julian_dayh(1, 1, 2025, 0, 0);
  for (double d = from; d < from + 200 && station == 0; d += 1) {
    const double a = computePositions(d, shippedChiron()).lon[kMercury];
    const double b = computePositions(d + 1, shippedChiron()).lon[kMercury];
    if (arcDiff(b, a) < 0) station = d, stationLon = a;
  }
  ASSERT_NE(station, 0);
  n.chart.objects[kMars] = c_c360(stationLon - 2.0);
  const auto events = run(s, n, period(station - 40, station + 60, {kMercury}, {0}));
  EXPECT_GE(about(events, K::Becomes, kMercury, kMars).size(), 2u);
  EXPECT_EQ(about(events, K::Exact, kMercury, kMars).size(), 3u);
}

TEST(Transits, WithoutHousesOnlyAspectEvents) {
  const CIni s = settingsIn("nohouses", 3.0);
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1, 0, 0);  // no place: no houses
  ASSERT_EQ(AreThereHouses(n.record), 0);
  const double first = julian_dayh(1, 1, 2025, 0, 0);
  const auto events = run(s, n, period(first, first + 40));
  int aspects = 0;
  for (const auto& e : events) {
    EXPECT_NE(e.kind, K::InHouse);
    EXPECT_NE(e.kind, K::EntersHouse);
    EXPECT_NE(e.kind, K::EntersSign);
    if (e.natalObject >= kAscendant) ADD_FAILURE() << "an angle of a chart without houses";
    aspects += e.kind == K::Becomes;
  }
  EXPECT_GT(aspects, 0);
}

TEST(Transits, ExcludedTransitIsStillProgressed) {
  const CIni s = settingsIn("excluded", 2.0);
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  const double first = julian_dayh(1, 1, 2025, 0, 0);
  TransitPeriod p = period(first, first + 30);
  p.excludedObjects[kSun] = 1;
  p.withProgressions = 1;
  p.method = 3;
  const auto events = run(s, n, p);
  bool progressedSun = false;
  for (const auto& e : events) {
    if (e.object == kSun && !e.progressed && e.kind != K::PeriodStart && e.kind != K::PeriodEnd)
      ADD_FAILURE() << "excluded Sun listed";
    progressedSun = progressedSun || (e.object == kSun && e.progressed && e.kind == K::InHouse);
  }
  EXPECT_TRUE(progressedSun);
}

TEST(Transits, HitListsHaveNoCap) {
  // The widest orbs the orb files may hold.
  const CIni s = settingsIn("wide", 0);
  double widest[9];
  for (int k = 0; k < 9; ++k) widest[k] = kMaximumOrbs[k];
  WriteOrbFile(s, 2, widest);
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  const double first = julian_dayh(1, 1, 2025, 0, 0);
  const TransitPeriod p = period(first, first + 3);
  const auto events = run(s, n, p);
  std::size_t listed = 0;
  for (const auto& e : events) listed += e.kind == K::Aspect && e.day == first;
  EXPECT_GT(listed, 99u);
  // Every change of day 2 is a true difference of the two days' hit lists.
  const PredictionOrbs orbs = readPredictionOrbs(s, nullptr);
  std::vector<TransitHit> day[2];
  for (int k = 0; k < 2; ++k) {
    Chart1 t;
    Chart2 c;
    TrObjPositions(nullptr, first + k, 0, s, 0, 0, t, c, shippedChiron());
    TrObjAspectToNatalPlanets(14, 16, 0, orbs.transits, p.excludedObjects, 1, p.excludedAspects, 1, s,
                              n.chart, c, day[k]);
  }
  std::size_t expected = 0;
  for (const auto& h : day[1]) expected += std::find(day[0].begin(), day[0].end(), h) == day[0].end();
  for (const auto& h : day[0]) expected += std::find(day[1].begin(), day[1].end(), h) == day[1].end();
  std::size_t changes = 0;
  for (const auto& e : events)
    changes += (e.kind == K::Becomes || e.kind == K::StopsBeing) && e.day == first + 1;
  EXPECT_EQ(changes, expected);
}

TEST(Transits, MissingOrbFileReportedOnce) {
  const CIni s = settingsIn("orbmissing", 0);
  double orbs[9] = {2, 2, 2, 2, 2, 2, 2, 2, 2};
  WriteOrbFile(s, 3, orbs);
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  headless::ScriptedInteraction ui;
  Report r;
  const double first = julian_dayh(1, 1, 2025, 0, 0);
  const int none[14] = {};
  const int noAspects[9] = {};
  ASSERT_EQ(TransitsByDay(nullptr, r, nullptr, s, n.record, n.chart, 1, 1, first, first + 20, 0, 0, none,
                          noAspects, 0, 1, shippedChiron(), &ui),
            1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("ZYKINI3.DTF"), std::string::npos);
}

TEST(Transits, ProgressedChartOfTheDaysCalendarDateWestOfGreenwich) {
  const CIni s = settingsIn("west", 2.0);
  const Natal n = natalChart(s, 15, 3, 1990, 23, 30, -8, -118, 34);
  const double first = julian_dayh(10, 6, 2025, 0, 0);
  TransitPeriod p = period(first, first + 2);
  p.withTransits = 0;
  p.withProgressions = 1;
  p.method = 1;
  const auto events = run(s, n, p);
  Chart1 target = zeroedRecord<Chart1>();
  target.day = 10, target.month = 6, target.year = 2025;
  Chart2 expected;
  ASSERT_EQ(Progression(s, n.record, n.chart, target, expected, 0, 1, shippedChiron()), 1);
  bool found = false;
  for (const auto& e : events)
    if (e.kind == K::InHouse && e.progressed && e.object == kMidheaven && e.day == first) {
      found = true;
      EXPECT_DOUBLE_EQ(e.longitude, expected.objects[kMidheaven]);
    }
  EXPECT_TRUE(found);
}

class StoppingSink : public ui::ProgressSink {
 public:
  void show(std::string_view text) override { lines.emplace_back(text); }
  void progress(long done, long total) override {
    last = done;
    this->total = total;
  }
  bool cancelled() const override { return last >= 5; }
  std::vector<std::string> lines;
  long last = 0, total = 0;
};

TEST(Transits, ProgressAndStopping) {
  const CIni s = settingsIn("stop", 2.0);
  const Natal n = natalChart(s, 15, 3, 1990, 14, 30, 1);
  StoppingSink sink;
  Report r;
  AddLine(r, nullptr, "kept", 1, 0);
  const Report before = r;
  const double first = julian_dayh(1, 1, 2025, 0, 0);
  const int none[14] = {};
  const int noAspects[9] = {};
  EXPECT_EQ(TransitsByDay(&sink, r, nullptr, s, n.record, n.chart, 1, 0, first, first + 30, 0, 0, none,
                          noAspects, 0, 1, shippedChiron(), nullptr),
            0);
  EXPECT_EQ(r.text, before.text);
  EXPECT_EQ(sink.total, 32);
  ASSERT_FALSE(sink.lines.empty());
  EXPECT_EQ(sink.lines[0],
            "Calculating planetary positions and transits for Wednesday Jan. 1 2025" + std::string(25, ' '));
}

}  // namespace
}  // namespace talpora
