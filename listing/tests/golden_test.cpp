// Golden reports of the listing tables: every table for fixed charts, compared byte for byte (as
// UTF-8 with LF line ends) with the files under listing/tests/golden/. The charts' computed values
// are kept in golden/charts.txt, so the reports depend on the tables and the formatting only.
//
// To regenerate on purpose (after reviewing why they changed), run
// listing/tests/golden/regenerate.sh BUILD_DIR: the charts are computed afresh and every file is
// rewritten.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "engine/chart.h"
#include "format/printing.h"
#include "listing/dignities.h"
#include "listing/tables.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/headless/golden.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {

const fs::path kGoldenDir = fs::path(TALPORA_SOURCE_DIR) / "listing" / "tests" / "golden";

bool regenerating() {
  return headless::updatingGoldens();
}

struct Fixed {
  Chart1 birth;
  Chart2 chart;
};

Chart1 record(const char* name, const char* place, int day, int month, int year, int hour, int minute,
              double zone, double lonDeg, double latDeg, bool timeKnown) {
  Chart1 c;
  setField(c.name, name);
  setField(c.typeText, "Test chart");
  setField(c.place, place);
  c.day = static_cast<std::int16_t>(day);
  c.month = static_cast<std::int16_t>(month);
  c.year = static_cast<std::int16_t>(year);
  c.hour = static_cast<std::int16_t>(hour);
  c.minute = static_cast<std::int16_t>(minute);
  c.timeZone = zone;
  c.longitude = lonDeg / 15.0;
  c.latitude = latDeg;
  c.timeKnown = timeKnown ? 1 : 0;
  return c;
}

// The three fixed charts: a chart with known time, a second one for the two-chart tables, and the
// first one without its time.
std::map<std::string, Chart1> records() {
  return {{"first", record("First", "Paris", 5, 1, 1996, 15, 5, 1, 2.35, 48.85, true)},
          {"second", record("Second", "New York", 21, 6, 1988, 6, 30, -4, -74.0, 40.7, true)},
          {"untimed", record("First", "Paris", 5, 1, 1996, 12, 0, 1, 2.35, 48.85, false)}};
}

std::string joinDoubles(const double* v, int n) {
  std::string s;
  char buf[40];
  for (int k = 0; k < n; ++k) {
    std::snprintf(buf, sizeof buf, " %.17g", v[k]);
    s += buf;
  }
  return s;
}

std::string encodeChart(const std::string& key, const Chart2& c) {
  std::ostringstream o;
  o << key << " julianDay" << joinDoubles(&c.julianDay, 1) << '\n';
  o << key << " siderealTime" << joinDoubles(&c.siderealTime, 1) << '\n';
  o << key << " obliquity" << joinDoubles(&c.obliquity, 1) << '\n';
  o << key << " trueAyanamsa" << joinDoubles(&c.trueAyanamsa, 1) << '\n';
  o << key << " syneticVernalPoint" << joinDoubles(&c.syneticVernalPoint, 1) << '\n';
  o << key << " houseSystem " << c.houseSystem << '\n';
  o << key << " cusps" << joinDoubles(c.cusps, 12) << '\n';
  o << key << " objects" << joinDoubles(c.objects, 17) << '\n';
  o << key << " motion " << std::string(c.motion, 17) << '\n';
  o << key << " objectLat" << joinDoubles(c.objectLat, 17) << '\n';
  o << key << " extra" << joinDoubles(c.extra, 12) << '\n';
  o << key << " planetaryHour " << c.planetaryHour << '\n';
  return o.str();
}

void readDoubles(std::istringstream& in, double* v, int n) {
  for (int k = 0; k < n; ++k) in >> v[k];
}

std::map<std::string, Chart2> decodeCharts(const std::string& text) {
  std::map<std::string, Chart2> out;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string key, field;
    in >> key >> field;
    Chart2& c = out[key];
    if (field == "julianDay") readDoubles(in, &c.julianDay, 1);
    if (field == "siderealTime") readDoubles(in, &c.siderealTime, 1);
    if (field == "obliquity") readDoubles(in, &c.obliquity, 1);
    if (field == "trueAyanamsa") readDoubles(in, &c.trueAyanamsa, 1);
    if (field == "syneticVernalPoint") readDoubles(in, &c.syneticVernalPoint, 1);
    if (field == "houseSystem") in >> c.houseSystem;
    if (field == "cusps") readDoubles(in, c.cusps, 12);
    if (field == "objects") readDoubles(in, c.objects, 17);
    if (field == "motion") {
      std::string m;
      in >> m;
      for (std::size_t k = 0; k < 17 && k < m.size(); ++k) c.motion[k] = m[k];
    }
    if (field == "objectLat") readDoubles(in, c.objectLat, 17);
    if (field == "extra") readDoubles(in, c.extra, 12);
    if (field == "planetaryHour") in >> c.planetaryHour;
  }
  return out;
}

std::string readText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeText(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << text;
}

// The fixed charts: computed and stored when regenerating, read from charts.txt otherwise.
std::map<std::string, Fixed> fixedCharts(const CIni& settings) {
  std::map<std::string, Fixed> charts;
  const auto recs = records();
  if (regenerating()) {
    const ChironTable chiron = readChironTable(fs::path(TALPORA_SOURCE_DIR) / "data" / "zykadb.DTF");
    std::string text;
    for (const auto& [key, birth] : recs) {
      Fixed f{birth, Chart2{}};
      calculall(settings, f.birth, f.chart, chiron);
      text += encodeChart(key, f.chart);
      charts[key] = f;
    }
    fs::create_directories(kGoldenDir);
    writeText(kGoldenDir / "charts.txt", text);
    return charts;
  }
  const auto computed = decodeCharts(readText(kGoldenDir / "charts.txt"));
  for (const auto& [key, birth] : recs) {
    const auto it = computed.find(key);
    if (it != computed.end()) charts[key] = Fixed{birth, it->second};
  }
  return charts;
}

std::string forFile(const Report& r) {
  std::string lf;
  for (char c : r.text)
    if (c != '\r') lf += c;
  return cp1252ToUtf8(lf);
}

}  // namespace

TEST(Golden, EveryTableForFixedCharts) {
  const CIni settings = defaultSettings("/nonexistent");
  const auto charts = fixedCharts(settings);
  ASSERT_EQ(charts.size(), 3u) << "golden/charts.txt is missing or incomplete";
  const Fixed& a = charts.at("first");
  const Fixed& b = charts.at("second");
  const Fixed& u = charts.at("untimed");

  using Build = std::function<void(Report&, unsigned long*)>;
  const std::vector<std::pair<std::string, Build>> cases = {
      {"aspects-major",
       [&](Report& r, unsigned long* n) {
         Aspects(r, n, settings, 0, 0, a.birth, a.chart, a.birth, a.chart, 1, 0, 0);
       }},
      {"aspects-minor",
       [&](Report& r, unsigned long* n) {
         Aspects(r, n, settings, 0, 0, a.birth, a.chart, a.birth, a.chart, 0, 1, 0);
       }},
      {"aspects-rare",
       [&](Report& r, unsigned long* n) {
         Aspects(r, n, settings, 0, 0, a.birth, a.chart, a.birth, a.chart, 0, 0, 1);
       }},
      {"aspects-all-sidereal",
       [&](Report& r, unsigned long* n) {
         Aspects(r, n, settings, 0, 1, a.birth, a.chart, a.birth, a.chart, 1, 1, 1);
         ParallelsOfDecl(r, n, settings, 0, 1, a.birth, a.chart, a.birth, a.chart);
       }},
      {"aspects-major-untimed",
       [&](Report& r, unsigned long* n) {
         Aspects(r, n, settings, 0, 0, u.birth, u.chart, u.birth, u.chart, 1, 0, 0);
       }},
      {"aspects-two-charts",
       [&](Report& r, unsigned long* n) {
         Aspects(r, n, settings, 10, 0, a.birth, a.chart, b.birth, b.chart, 1, 1, 0);
       }},
      {"aspects-two-charts-untimed",
       [&](Report& r, unsigned long* n) {
         Aspects(r, n, settings, 10, 0, u.birth, u.chart, b.birth, b.chart, 1, 0, 0);
       }},
      {"parallels",
       [&](Report& r, unsigned long* n) {
         ParallelsOfDecl(r, n, settings, 0, 0, a.birth, a.chart, a.birth, a.chart);
       }},
      {"parallels-two-charts",
       [&](Report& r, unsigned long* n) {
         ParallelsOfDecl(r, n, settings, 10, 0, a.birth, a.chart, b.birth, b.chart);
       }},
      {"midpoints",
       [&](Report& r, unsigned long* n) {
         MidPoints360(0, 0, 0, r, n, settings, a.birth, a.chart, a.birth, a.chart);
       }},
      {"midpoints-sidereal",
       [&](Report& r, unsigned long* n) {
         MidPoints360(0, 1, 0, r, n, settings, a.birth, a.chart, a.birth, a.chart);
       }},
      {"midpoints-untimed",
       [&](Report& r, unsigned long* n) {
         MidPoints360(0, 0, 0, r, n, settings, u.birth, u.chart, u.birth, u.chart);
       }},
      {"midpoints-heliocentric",
       [&](Report& r, unsigned long* n) {
         MidPoints360(0, 0, 1, r, n, settings, a.birth, a.chart, a.birth, a.chart);
       }},
      {"midpoints-two-charts",
       [&](Report& r, unsigned long* n) {
         MidPoints360(10, 0, 0, r, n, settings, a.birth, a.chart, b.birth, b.chart);
       }},
      {"midpoints-modulus-90",
       [&](Report& r, unsigned long* n) {
         MidPointsModulus(0, 90.0f, 0, r, n, settings, a.birth, a.chart, a.birth, a.chart);
       }},
      {"midpoints-modulus-360-heliocentric",
       [&](Report& r, unsigned long* n) {
         MidPointsModulus(0, 360.0f, 1, r, n, settings, a.birth, a.chart, a.birth, a.chart);
       }},
      {"harmonics",
       [&](Report& r, unsigned long* n) { Harmonics(nullptr, r, n, settings, a.birth, a.chart, 0, 0, 0); }},
      {"harmonic-7-sidereal-untimed",
       [&](Report& r, unsigned long* n) { Harmonics(nullptr, r, n, settings, u.birth, u.chart, 7, 0, 1); }},
      {"dignities",
       [&](Report& r, unsigned long* n) { PrintDignities(0, 1, r, n, settings, a.birth, a.chart); }},
      {"dignities-sidereal-untimed",
       [&](Report& r, unsigned long* n) { PrintDignities(1, 1, r, n, settings, u.birth, u.chart); }},
      {"receptions",
       [&](Report& r, unsigned long* n) { MutualReceptions(0, 1, r, n, settings, a.birth, a.chart); }},
      {"receptions-sidereal-second",
       [&](Report& r, unsigned long* n) { MutualReceptions(1, 1, r, n, settings, b.birth, b.chart); }},
      {"arabian-parts",
       [&](Report& r, unsigned long* n) { ArabianParts(r, n, settings, a.birth, a.chart, 0, 0, 0); }},
      {"arabian-parts-sidereal",
       [&](Report& r, unsigned long* n) { ArabianParts(r, n, settings, a.birth, a.chart, 1, 0, 0); }},
      {"arabian-parts-untimed",
       [&](Report& r, unsigned long* n) { ArabianParts(r, n, settings, u.birth, u.chart, 0, 0, 0); }},
  };

  for (const auto& [name, build] : cases) {
    Report r;
    unsigned long length = 0;
    build(r, &length);
    EXPECT_EQ(length, r.text.size()) << name;
    for (const auto& line : reportLines(r.text))
      EXPECT_LE(line.size(), kReportLineWidth) << name << ": " << line;
    const fs::path file = kGoldenDir / (name + ".txt");
    if (regenerating()) {
      writeText(file, forFile(r));
      continue;
    }
    ASSERT_TRUE(fs::exists(file)) << file;
    EXPECT_EQ(forFile(r), readText(file)) << "the report differs from " << file;
  }
}
