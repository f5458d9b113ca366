// zyktabs: the aspect, parallel, midpoint and harmonic tables.
#include "listing/tables.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "core/zodiac.h"
#include "draw/chart_pairs.h"
#include "engine/houses.h"
#include "format/text_format.h"
#include "platform/byte_io.h"

namespace talpora {
namespace {

constexpr const char* kAbbreviations[19] = {"Sun ", "Moo.", "Mer.", "Ven.", "Mar.", "Jup.", "Sat.",
                                            "Ura.", "Nep.", "Plu.", "NNd.", "SNd.", "BMoo", "Chi.",
                                            "ASC.", "MC. ", "PFor", "Vtx.", "EPo."};

// The degree sign is the CP1252 byte 0xB0.
constexpr const char* kAspectLabels[18] = {
    "Conjunction  (=  0\xB0)", "Opposition   (=180\xB0)", "Trine        (=120\xB0)",
    "Square       (= 90\xB0)", "Sextile      (= 60\xB0)", "Inconjunction(=150\xB0)",
    "Biquintile   (=144\xB0)", "Sesquisquare (=135\xB0)", "Quintile     (= 72\xB0)",
    "Tridecile    (=108\xB0)", "Septile      (= 51\xB0)", "Semisquare   (= 45\xB0)",
    "Novile       (= 40\xB0)", "Decile       (= 36\xB0)", "Undecile     (= 33\xB0)",
    "Semisextile  (= 30\xB0)", "Quindecile   (= 24\xB0)", "Vigintile    (= 18\xB0)"};

void line(Report& r, unsigned long* length, const std::string& text) {
  AddLine(r, length, text, 1, 0);
}
void blank(Report& r, unsigned long* length) {
  AddLine(r, length, "", 0, 0);
}

double siderealIf(double lon, int zodiac, const CIni& settings, const Chart2& chart) {
  if (zodiac == 1) ConvertToSidereal(&lon, 1, settings, chart);
  return lon;
}

// Degrees and rounded minutes of an orb, with the carry of 60 minutes.
void degreesMinutes(double value, int& degrees, int& minutes) {
  const double a = std::fabs(value);
  degrees = static_cast<int>(std::floor(a));
  minutes = static_cast<int>(std::floor((a - degrees) * 60.0 + 0.5));
  if (minutes >= 60) {
    minutes -= 60;
    ++degrees;
  }
}

// The position of a midpoint object of one chart; nullopt when it has none.
std::optional<double> midpointObject(int object, bool heliocentric, const Chart1& birth,
                                     const Chart2& chart) {
  double lon = kNoPosition;
  if (heliocentric) {
    if (object >= 1 && object <= 9) lon = chart.extra[object];
  } else if (object >= 0 && object < kObjectCount) {
    lon = chart.objects[object];
  } else if (object == kVertex) {
    lon = Vertex(chart.obliquity, birth.latitude, chart.siderealTime);
  } else if (object == kEastPoint) {
    lon = EastPoint(chart.obliquity, chart.siderealTime);
  }
  if (!hasPosition(lon) || !std::isfinite(lon)) return std::nullopt;
  return lon;
}

// Entries in `columns` columns filled top to bottom, separated by `separator`.
void columnsOf(Report& r, unsigned long* length, const std::vector<std::string>& entries, std::size_t columns,
               const std::string& separator) {
  const std::size_t rows = (entries.size() + columns - 1) / columns;
  for (std::size_t row = 0; row < rows; ++row) {
    std::string text;
    for (std::size_t c = 0; c < columns; ++c) {
      const std::size_t k = row + c * rows;
      if (k >= entries.size()) break;
      if (c > 0) text += separator;
      text += entries[k];
    }
    line(r, length, text);
  }
}

std::string pairName(const MidpointEntry& e, bool heliocentric) {
  return tableAbbreviation(e.a, heliocentric) + "-" + tableAbbreviation(e.b, heliocentric);
}

}  // namespace

std::string tableAbbreviation(int object, bool heliocentric) {
  if (object < 0 || object > 18) return kNoText;
  if (heliocentric && object == kMoon) return "Ear.";
  return kAbbreviations[object];
}

std::string aspectLabel(int aspect) {
  return aspect >= 0 && aspect < 18 ? kAspectLabels[aspect] : kNoText;
}

std::string aspectsHeading(bool major, bool minor, bool rare) {
  const int groups = int{major} + int{minor} + int{rare};
  std::string s;
  if (major) {
    s = "MAJOR";
    if (groups == 2) s += " AND";
    if (groups == 3) s += ",";
  }
  if (minor) {
    s += " MINOR";
    if (rare) s += " AND";
  }
  if (rare) s += " RARE";
  return s + " ASPECTS:";
}

void Aspects(Report& report, unsigned long* length, const CIni& settings, int mode, int zodiac,
             const Chart1& birth1, const Chart2& chart1, const Chart1& birth2, const Chart2& chart2,
             char major, char minor, char rare, sys::Busy* busy) {
  sys::BusyScope wait(busy);
  const bool two = mode == kTwoCharts;
  line(report, length, aspectsHeading(major != 0, minor != 0, rare != 0));
  blank(report, length);

  const bool h1 = AreThereHouses(birth1) != 0, h2 = AreThereHouses(birth2) != 0;
  if ((!two && !h1) || (two && !h1 && !h2)) line(report, length, "(Aspects to ASC or MC are not calculated");
  if (two && !h1 && h2) line(report, length, "(Aspects to ASC or MC of chart1 are not calculated ");
  if (two && h1 && !h2) line(report, length, "(Aspects to ASC or MC of chart2 are not calculated ");
  if (!h1 || (two && !h2)) {
    line(report, length, " when longitude = 0 and latitude = 0,");
    line(report, length, " or when the time is unknown.)");
    blank(report, length);
  }

  if (zodiac == 1)
    line(report, length, "  Sidereal Zodiac, using " + AyanamsaName(settings, 0));
  else
    line(report, length, "  Longitudes referring to Tropical Zodiac");
  if (!two) {
    line(report, length, "  A.= Applying, the faster planet moving towards the slower one");
    line(report, length, "  S.= Separating, the faster planet moving away from the slower one");
    blank(report, length);
  } else {
    line(report, length, "     CHART 1         CHART 2");
  }

  for (int i = 0; i < kObjectCount; ++i) {
    for (int j = two ? 0 : i + 1; j < kObjectCount; ++j) {
      int code = 0, applying = -1;
      double orb = 0;
      if (!AreAspected(i, j, settings, birth1, chart1, birth2, chart2, major != 0, minor != 0, rare != 0,
                       code, orb, applying, !two))
        continue;
      const double lonI = siderealIf(chart1.objects[i], zodiac, settings, chart1);
      const double lonJ = siderealIf(chart2.objects[j], zodiac, settings, chart2);
      const char* verdict = applying == 1 ? "A." : applying == 0 ? "S." : "  ";
      line(report, length,
           tableAbbreviation(i) + "(" + edl_sdm(lonI) + ")-" + tableAbbreviation(j) + "(" + edl_sdm(lonJ) +
               "):" + verdict + aspectLabel(code) + "orb=" + edb_dm(orb, 0));
    }
  }
}

void ParallelsOfDecl(Report& report, unsigned long* length, const CIni& settings, int mode, int zodiac,
                     const Chart1&, const Chart2& chart1, const Chart1&, const Chart2& chart2,
                     sys::Busy* busy) {
  sys::BusyScope wait(busy);
  const bool two = mode == kTwoCharts;
  blank(report, length);
  if (zodiac == 1)
    line(report, length,
         "    PARALLELS OF DECLINATION  (Sidereal Zodiac, " + AyanamsaName(settings, 1) + ")");
  else
    line(report, length, "    PARALLELS OF DECLINATION (Tropical Zodiac)");
  blank(report, length);

  constexpr int kParallel = 18, kContraparallel = 19;
  int d1 = 0, m1 = 0, d2 = 0, m2 = 0;
  char text[128];
  degreesMinutes(settings.orbsLuminaries[kParallel], d1, m1);
  degreesMinutes(settings.orbsOthers[kParallel], d2, m2);
  std::snprintf(text, sizeof text, "Parallels   orb = %d\xB0%02d'(Sun and Moon)     orb=%d\xB0%02d'(others) ",
                d1, m1, d2, m2);
  line(report, length, text);
  degreesMinutes(settings.orbsLuminaries[kContraparallel], d1, m1);
  degreesMinutes(settings.orbsOthers[kContraparallel], d2, m2);
  std::snprintf(text, sizeof text, "Contrapar. orb = %d\xB0%02d'(Sun and Moon)     orb=%d\xB0%02d'(others) ",
                d1, m1, d2, m2);
  line(report, length, text);
  blank(report, length);
  if (two) line(report, length, "          CHART 1           CHART 2");

  // Declinations of the Sun to Pluto from the tropical longitudes, with chart 1's obliquity.
  double decl1[10], decl2[10];
  bool has1[10], has2[10];
  for (int k = 0; k < 10; ++k) {
    double ra = 0;
    has1[k] = hasPosition(chart1.objects[k]);
    has2[k] = hasPosition(chart2.objects[k]);
    lb_radel(chart1.objects[k], chart1.objectLat[k], chart1.obliquity, ra, decl1[k]);
    lb_radel(chart2.objects[k], chart2.objectLat[k], chart1.obliquity, ra, decl2[k]);
  }
  for (int i = 0; i < 10; ++i) {
    for (int j = two ? 0 : i + 1; j < 10; ++j) {
      if (!has1[i] || !has2[j]) continue;
      const bool luminary = i <= kMoon || j <= kMoon;
      const double orbParallel =
          luminary ? settings.orbsLuminaries[kParallel] : settings.orbsOthers[kParallel];
      const double orbContra =
          luminary ? settings.orbsLuminaries[kContraparallel] : settings.orbsOthers[kContraparallel];
      const double sum = std::fabs(decl1[i] + decl2[j]);
      const double difference = std::fabs(decl1[i] - decl2[j]);
      const bool parallel = difference < orbParallel;
      const bool contraparallel = sum < orbContra;
      if (!parallel && !contraparallel) continue;
      line(report, length,
           "         " + tableAbbreviation(i) + (parallel ? "    Parallel    " : " Contraparallel ") +
               tableAbbreviation(j) + " " + "  (orb =" + edb_dm(parallel ? difference : sum, 0) + ")");
    }
  }
}

double shorterArcMidpoint(double lonA, double lonB) {
  const double hi = std::max(lonA, lonB), lo = std::min(lonA, lonB);
  double m = (hi + lo) / 2.0;
  if (hi - lo >= 180.0) m += 180.0;
  if (m >= 360.0) m -= 360.0;
  return m;
}

std::vector<MidpointEntry> midpoints(int mode, int zodiac, int heliocentric, const CIni& settings,
                                     const Chart1& birth1, const Chart2& chart1, const Chart1& birth2,
                                     const Chart2& chart2) {
  const bool two = mode == kTwoCharts;
  const bool helio = heliocentric != 0;
  int count = 19;
  if (helio)
    count = 10;
  else if (!AreThereHouses(birth1) || !AreThereHouses(birth2))
    count = 14;
  std::vector<MidpointEntry> entries;
  entries.reserve(static_cast<std::size_t>(count * count));
  for (int a = helio ? 1 : 0; a < count; ++a) {
    const auto lonA = midpointObject(a, helio, birth1, chart1);
    if (!lonA) continue;
    for (int b = two ? (helio ? 1 : 0) : a + 1; b < count; ++b) {
      const auto lonB = midpointObject(b, helio, birth2, chart2);
      if (!lonB) continue;
      double m = shorterArcMidpoint(*lonA, *lonB);
      if (zodiac == 1) ConvertToSidereal(&m, 1, settings, chart1);
      entries.push_back({a, b, static_cast<float>(m)});
    }
  }
  return entries;
}

std::vector<MidpointEntry> sortedMidpoints(std::vector<MidpointEntry> entries) {
  // An exchange sort of neighbours: stable, as the suite sorts its midpoints.
  for (std::size_t n = entries.size(); n > 1; --n) {
    bool swapped = false;
    for (std::size_t k = 0; k + 1 < n; ++k) {
      if (entries[k + 1].longitude < entries[k].longitude) {
        std::swap(entries[k], entries[k + 1]);
        swapped = true;
      }
    }
    if (!swapped) break;
  }
  return entries;
}

void MidPoints360(int mode, int zodiac, int heliocentric, Report& report, unsigned long* length,
                  const CIni& settings, const Chart1& birth1, const Chart2& chart1, const Chart1& birth2,
                  const Chart2& chart2, sys::Busy* busy) {
  sys::BusyScope wait(busy);
  const bool helio = heliocentric != 0;
  const std::vector<MidpointEntry> entries =
      midpoints(mode, zodiac, heliocentric, settings, birth1, chart1, birth2, chart2);
  const std::string title = helio ? "Heliocentric Midpoints (360\xB0)" : "Midpoints (360\xB0) ";
  auto texts = [&](const std::vector<MidpointEntry>& list) {
    std::vector<std::string> out;
    out.reserve(list.size());
    for (const MidpointEntry& e : list) out.push_back(pairName(e, helio) + ":" + edl_sdm(e.longitude));
    return out;
  };

  line(report, length, title + " Listing in Planetary Sequence");
  if (zodiac == 1)
    line(report, length, "  Sidereal Zodiac, using " + AyanamsaName(settings, 0));
  else
    line(report, length, "Longitudes referring to Tropical Zodiac");
  if (mode == kTwoCharts) line(report, length, "Ch.1-Ch.2              Ch.1-Ch.2              Ch.1-Ch.2");
  columnsOf(report, length, texts(entries), 3, "   ");

  blank(report, length);
  blank(report, length);
  line(report, length,
       std::string(helio ? "Heliocentric Midpoints (360\xB0)" : "Midpoints (360\xB0)") + " Midpoint Sort");
  columnsOf(report, length, texts(sortedMidpoints(entries)), 3, "   ");
}

double reduceByModulus(double midpoint, double modulus) {
  if (!(modulus > 0) || midpoint <= modulus) return midpoint;
  const double r = std::fmod(midpoint, modulus);
  return r == 0 ? modulus : r;
}

int MidPointsModulus(int mode, float modulus, int heliocentric, Report& report, unsigned long* length,
                     const CIni& settings, const Chart1& birth1, const Chart2& chart1, const Chart1& birth2,
                     const Chart2& chart2, sys::Busy* busy) {
  if (!(modulus > 0) || !std::isfinite(modulus)) return 0;
  sys::BusyScope wait(busy);
  const bool helio = heliocentric != 0;
  std::vector<MidpointEntry> entries =
      midpoints(mode, 0, heliocentric, settings, birth1, chart1, birth2, chart2);
  for (MidpointEntry& e : entries) e.longitude = static_cast<float>(reduceByModulus(e.longitude, modulus));
  const int layout = modulus >= 100 ? 3 : 0;
  auto texts = [&](const std::vector<MidpointEntry>& list) {
    std::vector<std::string> out;
    out.reserve(list.size());
    for (const MidpointEntry& e : list) out.push_back(pairName(e, helio) + edb_dm(e.longitude, layout));
    return out;
  };
  const std::string title =
      std::string(helio ? "Heliocentric Midpoints Modulus " : "Midpoints Modulus ") + edb_dm(modulus, 0);

  line(report, length, title + " Listing in Planetary Sequence");
  columnsOf(report, length, texts(entries), 4, " ");
  blank(report, length);
  blank(report, length);
  line(report, length, title + " Midpoint Sort");
  columnsOf(report, length, texts(sortedMidpoints(entries)), 4, " ");
  return 1;
}

bool makeHarmonicChart(const Chart1& birth, const Chart2& chart, int h, Chart1& copy, Chart2& copyChart) {
  if (h < 1 || h > kMaxHarmonic) return false;
  harmonicChart(birth, chart, h, copy, copyChart);
  return true;
}

int Harmonics(const HarmonicDrawer* drawer, Report& report, unsigned long* length, const CIni& settings,
              const Chart1& birth, const Chart2& chart, int harmonic, int drawing, int zodiac,
              sys::Busy* busy) {
  if (harmonic < 0 || harmonic > kMaxHarmonic) return 0;
  if (drawing == 1) {
    if (harmonic == 0 || !drawer || !*drawer) return 0;
    Chart1 copy;
    Chart2 copyChart;
    if (!makeHarmonicChart(birth, chart, harmonic, copy, copyChart)) return 0;
    (*drawer)(copy, copyChart);
    return 1;
  }
  sys::BusyScope wait(busy);
  const bool houses = AreThereHouses(birth) != 0;
  const std::string basis = zodiac == 1 ? "   (based on Sidereal Zodiac, " + AyanamsaName(settings, 0) + ")"
                                        : std::string("   (based on Tropical Zodiac)");
  const int first = harmonic == 0 ? 2 : harmonic, last = harmonic == 0 ? 25 : harmonic;
  for (int h = first; h <= last; ++h) {
    line(report, length, " ");
    line(report, length, "  Harmonic " + std::to_string(h) + basis);
    for (int k = 0; k < kObjectCount; ++k) {
      if (k >= kAscendant && !houses) continue;
      if (!hasPosition(chart.objects[k])) continue;
      const double lon = siderealIf(chart.objects[k], zodiac, settings, chart);
      line(report, length,
           "     " + PlanetName(k, 1, 0, 0, 0, 0) + ":  " + edl_sdm(c_c360(std::fmod(h * lon, 360.0))));
    }
  }
  return 1;
}

}  // namespace talpora
