// zykcore: chart-kind predicates, text fields of the records, default settings.
#include "core/records.h"

#include "platform/byte_io.h"

namespace talpora {

int IsDirectedChart(const Chart1& chart) {
  const int t = chart.chartType;
  if (t >= 52 && t <= 59) return 2;
  if (t == 67 || t == 68) return 33;
  if (t == 9 || t == 10) return 99;
  return 0;
}

int IsAstronomicalChart(int, const Chart1& chart, int) {
  if (chart.chartType == 88 || chart.chartType == 333) return 0;
  return IsDirectedChart(chart) != 0 ? 0 : 1;
}

int IsReturn(const Chart1& chart) {
  const int t = chart.chartType;
  return ((t >= 2 && t <= 7) || (t >= 102 && t <= 107) || t == 1000 || t == 2000) ? 1 : 0;
}

int MakesSenseOnlyInTropical(int, const Chart1& chart, int) {
  const int t = chart.chartType;
  return (t == 5 || t == 6 || t == 7 || t == 27 || t == 2000) ? 1 : 0;
}

int MakesSenseOnlyInSidereal(int, const Chart1& chart, int) {
  const int t = chart.chartType;
  return (t == 105 || t == 106 || t == 107 || t == 26 || t == 1000) ? 1 : 0;
}

int AreThereHouses(const Chart1& chart, int) {
  // Either sign of zero counts as zero: the comparison with 0.0 treats -0.0 as equal.
  if (chart.timeKnown == 0) return 0;
  return (chart.longitude != 0.0 || chart.latitude != 0.0) ? 1 : 0;
}

std::string placeOf(const Chart1& c) { return fieldText(c.place); }
std::string nameOf(const Chart1& c) { return fieldText(c.name); }
std::string typeTextOf(const Chart1& c) { return fieldText(c.typeText); }
std::string commentOf(const Chart1& c) { return fieldText(c.comment); }
std::string programDirOf(const CIni& s) { return fieldText(s.programDir); }
std::string wordProcessorOf(const CIni& s) { return fieldText(s.wordProcessor); }

// Aspects 0..19: conjunction, opposition, trine, square, sextile, inconjunction, biquintile,
// sesquisquare, quintile, the nine rarely used ones, parallel, contraparallel.
const float kDefaultOrbsLuminaries[20] = {10, 10, 8, 7, 6, 4, 2, 4, 5, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 2.5f};
const float kDefaultOrbsOthers[20] = {10, 10, 8, 7, 6, 4, 2, 4, 5, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
const double kDefaultTransitOrbs[9] = {5, 3, 2, 2, 1.5, 2, 2, 2, 1.5};
const float kMaximumOrbs[20] = {16, 16, 13, 13, 13, 13, 13, 13, 13, 9, 9, 9, 9, 9, 9, 9, 9, 9, 6, 6};

CIni defaultSettings(const std::string& programDir) {
  CIni s;
  s.houseSystem = 1;  // Placidus
  s.monochrome = 0;
  s.ayanamsa = 1;  // True Ayanamsa
  for (int i = 0; i < 20; ++i) {
    s.orbsLuminaries[i] = kDefaultOrbsLuminaries[i];
    s.orbsOthers[i] = kDefaultOrbsOthers[i];
  }
  s.ampm = 0;
  setField(s.programDir, programDir);
  return s;
}

Chart1 embeddedDefaultChart() {
  Chart1 c;
  c.chartType = chart_type::kOrdinary;
  c.day = 1;
  c.month = 1;
  c.year = 2000;
  c.hour = 12;
  c.minute = 0;
  c.longitude = 0.0;       // Greenwich
  c.latitude = 51.4769;    // the Royal Observatory
  c.timeZone = 0.0;
  c.timeKnown = 1;
  setField(c.place, "Greenwich");
  setField(c.name, "J2000.0");
  setField(c.typeText, "Sample chart");
  setField(c.comment, "The standard epoch, 1 January 2000 at noon, at Greenwich.");
  return c;
}

}  // namespace talpora
