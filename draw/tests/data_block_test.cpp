// The data block's lines, the derived charts drawn in pairs or as harmonics, and the axes of charts
// that are no moment.
#include "draw/data_block.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/transfer.h"
#include "draw/chart_pairs.h"
#include "draw/heptagram.h"
#include "draw/style_select.h"
#include "draw/tests/wheel_fixture.h"
#include "draw/wheel_geometry.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

using namespace talpora;
using Corner = DataBlockLine::Corner;
namespace fs = std::filesystem;

namespace {
std::vector<std::string> texts(const std::vector<DataBlockLine>& lines, Corner corner) {
  std::vector<std::string> out;
  for (const auto& l : lines)
    if (l.corner == corner) out.push_back(l.text);
  return out;
}
}  // namespace

TEST(DataBlock, SingleChartWithTwoRings) {
  CIni s = wheeltest::testSettings();
  Chart1 c;
  Chart2 k;
  wheeltest::testChart(c, k);
  k.planetaryHour = kVenus;
  ChPar t = wheeltest::fullType(21);
  t.ringKind[2] = ring::kSidereal;
  const auto lines = dataBlockLines(s, c, k, c, t, false, 1);
  EXPECT_EQ(texts(lines, Corner::TopLeft),
            (std::vector<std::string>{"Jun. 15 1990 Paris 14h30", "GMT: 12h30", "Hour of Venus"}));
  EXPECT_EQ(texts(lines, Corner::TopRight), (std::vector<std::string>{"Test Person"}));
  EXPECT_EQ(texts(lines, Corner::BottomLeft),
            (std::vector<std::string>{"All figures relate to the inner circle", "Inner Circle: Tropical Zod.",
                                      "Ext. Circle: Sidereal Zod. (True Ay.)", "Houses = Placidus"}));
  // The colour groups of the colour set.
  EXPECT_EQ(lines[0].colourSlot, col::kDate);
  EXPECT_EQ(lines[1].colourSlot, col::kUniversalTime);
  // One ring, the synetic vernal point, Koch that fell back to Porphyry at the chart's latitude.
  s.ayanamsa = 2;
  t = wheeltest::fullType(11);
  t.ringKind[1] = ring::kSidereal;
  t.houseSystem = house_system::kPorphyre;
  EXPECT_EQ(texts(dataBlockLines(s, c, k, c, t, true, 4), Corner::BottomLeft),
            (std::vector<std::string>{"Ext. Circle: Sidereal Zod. (SVP)", "Houses = Porphyre",
                                      "(Koch impossible at this latitude)"}));
}

TEST(DataBlock, PairsProjectionsAndHeptagrams) {
  const CIni s = wheeltest::testSettings();
  Chart1 inner;
  Chart2 k;
  wheeltest::testChart(inner, k);
  Chart1 outer = inner;
  setField(outer.name, "Second Person");
  const Chart1 pair = synastryPair(inner, outer);
  const auto lines = dataBlockLines(s, pair, k, outer, wheeltest::fullType(21), false, 1);
  EXPECT_EQ(texts(lines, Corner::TopLeft), (std::vector<std::string>{"SYNASTRY CHART"}));
  EXPECT_EQ(texts(lines, Corner::TopRight),
            (std::vector<std::string>{"Test Person (inside)", "Second Person (outside)"}));
  // Projections name themselves at the right.
  ChPar t = wheeltest::fullType(30);
  t.projection = projection::kHeliocentric;
  auto right = texts(dataBlockLines(s, inner, k, inner, t, false, 1), Corner::TopRight);
  EXPECT_NE(std::find(right.begin(), right.end(), "Solar System (Heliocentric)"), right.end());
  t = wheeltest::fullType(31);
  right = texts(dataBlockLines(s, inner, k, inner, t, false, 1), Corner::TopRight);
  EXPECT_NE(std::find(right.begin(), right.end(), "Ancient System of the 7 spheres"), right.end());
  t = wheeltest::fullType(11);
  t.projection = projection::kSouthView;
  inner.latitude = -30;
  right = texts(dataBlockLines(s, inner, k, inner, t, false, 1), Corner::TopRight);
  EXPECT_NE(std::find(right.begin(), right.end(), "the south hemisphere"), right.end());
  inner.latitude = 48.85;
  // A heptagram: its classification at the bottom, the word at the top right.
  t = wheeltest::fullType(style::kHeptagramHour);
  const Heptagram h = classifyHeptagram(k, kHourOrder);
  const auto hl = dataBlockLines(s, inner, k, inner, t, false, 1);
  right = texts(hl, Corner::TopRight);
  EXPECT_EQ(right.back(), "HEPTAGRAM");
  const auto bottom = texts(hl, Corner::BottomLeft);
  ASSERT_GE(bottom.size(), 3u);
  EXPECT_EQ(bottom[0], heptagramKindName(h.count));
  EXPECT_EQ(bottom[1], "Planets linked according to");
  EXPECT_EQ(bottom[2], "the sequence of the planetary hours");
  if (h.count < 7) {
    ASSERT_EQ(bottom.size(), 5u);
    EXPECT_EQ(bottom[3].rfind("Base = line between ", 0), 0u);
    EXPECT_EQ(bottom[4].rfind("Pole = ", 0), 0u);
  }
  // The double heptagram has a second block, in the week order on the left.
  t = wheeltest::fullType(style::kHeptagramDouble);
  const auto dl = dataBlockLines(s, inner, k, inner, t, false, 1);
  EXPECT_EQ(texts(dl, Corner::TopRight).back(), "HEPTAGRAMS");
  EXPECT_EQ(texts(dl, Corner::BottomLeft)[2], "the sequence of the week days");
  EXPECT_EQ(texts(dl, Corner::BottomLeftSecond)[2], "the sequence of the planetary hours");
}

TEST(ChartPairs, HarmonicChartMultipliesTheUsedLongitudes) {
  Chart1 c;
  Chart2 k;
  wheeltest::testChart(c, k);
  k.objects[kChiron] = kNoPosition;
  Chart1 hc;
  Chart2 hk;
  harmonicChart(c, k, 5, hc, hk);
  EXPECT_EQ(hc.chartType, chart_type::kNotAMoment);
  EXPECT_EQ(typeTextOf(hc), "Harmonic Chart, n=5");
  EXPECT_NEAR(hk.objects[kSun], std::fmod(5 * k.objects[kSun], 360.0), 1e-9);
  EXPECT_NEAR(hk.objects[kAscendant], std::fmod(5 * k.objects[kAscendant], 360.0), 1e-9);
  EXPECT_EQ(hk.objects[kChiron], kNoPosition);
  // Without houses the angles and the Part of Fortune stay as they are.
  c.timeKnown = 0;
  harmonicChart(c, k, 7, hc, hk);
  EXPECT_EQ(hk.objects[kAscendant], k.objects[kAscendant]);
  EXPECT_EQ(hk.objects[kPartOfFortune], k.objects[kPartOfFortune]);
  // A long order is cut to the field and stays terminated.
  harmonicChart(c, k, 2147483647, hc, hk);
  EXPECT_EQ(typeTextOf(hc), std::string("Harmonic Chart, n=2147483647").substr(0, 24));
}

TEST(ChartPairs, HarmonicDrawingHandsTheHarmonicChartToTheDrawingProgram) {
  const fs::path dir = fs::temp_directory_path() / ("talpora-harmonic-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  CIni s = defaultSettings(dir.string());
  ChPar type = wheeltest::fullType(11);
  type.typeOrigin = 601;
  writeDrawingTypes(dir / kFixedTypesFile, {{type, ChCol{}}});
  writeDrawingTypes(dir / kCustomTypesFile, {});
  Chart1 c;
  Chart2 k;
  wheeltest::testChart(c, k);
  headless::ScriptedInteraction ui;
  headless::RecordingLauncher launcher;
  ui.expectDialog([](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) {
    st.setSelection(SelectDrawingTypeDialog::kList, 0);
    m.command(ui::IDOK, st, in);
  });
  ASSERT_EQ(drawHarmonicChart(ui, s, c, k, 4, launcher), 1);
  ASSERT_EQ(launcher.started.size(), 1u);
  const TransferCharts handed = readTransferFile(dir);
  ASSERT_TRUE(handed.hasB());
  EXPECT_EQ(handed.chartA.chartType, chart_type::kNotAMoment);
  EXPECT_EQ(typeTextOf(handed.chartA), "Harmonic Chart, n=4");
  EXPECT_NEAR(handed.computedA.objects[kMoon], std::fmod(4 * k.objects[kMoon], 360.0), 1e-9);
  EXPECT_EQ(handed.chartB.chartType, chart_type::kNotAMoment);  // the copy as both charts
  const auto data9 = decodeData9(*readFile(dir / kData9File));
  ASSERT_TRUE(data9.has_value());
  EXPECT_EQ(encodeChPar(data9->par), encodeChPar(type));
  // Cancelling the choice draws nothing.
  EXPECT_EQ(drawHarmonicChart(ui, s, c, k, 4, launcher), 0);
  EXPECT_EQ(launcher.started.size(), 1u);
  fs::remove_all(dir);
}

TEST(ChartPairs, TransitsPairFitsItsDateIntoTheField) {
  Chart1 natal;
  Chart2 k;
  wheeltest::testChart(natal, k);
  Chart1 transits = natal;
  setField(transits.name, "");
  transits.day = 1;
  transits.month = 3;
  transits.year = 2024;
  transitsPair(natal, transits, false);
  EXPECT_EQ(natal.doubleChart, 1);
  EXPECT_EQ(transits.chartType, chart_type::kTransits);
  EXPECT_EQ(typeTextOf(transits), "Transits for Mar. 1 2024");
  EXPECT_EQ(typeTextOf(natal), "Transits for Mar. 1 2024");
  EXPECT_EQ(nameOf(transits), "Test Person");
  transits.day = 10;  // "Transits for Mar. 10 2024" would be 25 characters
  transitsPair(natal, transits, false);
  EXPECT_EQ(typeTextOf(transits), "Transits for 10.03.2024");
  transitsPair(natal, transits, true);
  EXPECT_EQ(transits.chartType, chart_type::kSiderealTransits);
  EXPECT_EQ(typeTextOf(transits), "Sid.Trans. Mar. 10 2024");
}

TEST(WheelPlan, ChartsThatAreNoMomentDrawOnlyTheirAxes) {
  const CIni s = wheeltest::testSettings();
  Chart1 c;
  Chart2 k;
  wheeltest::testChart(c, k);
  c.chartType = chart_type::kSynastryComposite;
  k.objects[kAscendant] = 123.0;
  k.objects[kMidheaven] = 31.0;
  const WheelPlan p = planWheel({s, c, k, c, k, wheeltest::fullType(11), 1600, 1200, kScreenDevice});
  const WheelPass& pass = p.passes.front();
  EXPECT_EQ(pass.cuspsDrawn, (std::vector<int>{1, 4, 7, 10}));
  EXPECT_DOUBLE_EQ(pass.chart.cusps[0], 123.0);
  EXPECT_DOUBLE_EQ(pass.chart.cusps[9], 31.0);
  EXPECT_DOUBLE_EQ(pass.chart.cusps[6], 303.0);
  EXPECT_DOUBLE_EQ(pass.chart.cusps[3], 211.0);
  // A harmonic chart: Aries fixed at the left.
  c.chartType = chart_type::kNotAMoment;
  const WheelPass harmonic =
      planWheel({s, c, k, c, k, wheeltest::fullType(11), 1600, 1200, kScreenDevice}).passes.front();
  EXPECT_EQ(harmonic.type.fixedAries, 1);
  EXPECT_EQ(harmonic.rotation, 0.0);
}
