// zykfmt: the text of a computed chart against its golden files (tests/golden/chart_*.txt, the
// `talpora chart` output of the same charts). TALPORA_UPDATE_GOLDEN=1 rewrites them.
#include "format/chart_report.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/chart_session.h"
#include "files/zykfile.h"
#include "platform/byte_io.h"
#include "platform/headless/golden.h"

namespace talpora {
namespace {

namespace fs = std::filesystem;

struct Row {
  const char* golden;
  const char* name;
  const char* place;
  int year, month, day, hour, minute;
  double zone, lonDeg, latDeg;
  bool timeKnown;
  std::optional<int> houseSystem;
  std::optional<Zodiac> zodiac;
};
const Row kRows[] = {
    {"chart_paris", "Paris Sample", "Paris", 1996, 1, 5, 14, 5, 0, 2.33333333, 48.86666667, true, {}, {}},
    {"chart_paris_sidereal", "Paris Sample", "Paris", 1996, 1, 5, 14, 5, 0, 2.33333333, 48.86666667, true, 11,
     Zodiac::Sidereal},
    {"chart_unknown_time", "Berlin", "", 1950, 3, 21, 12, 0, 1, 13.4, 52.5, false, {}, {}},
    {"chart_tromso_placidus", "", "Tromso", 1990, 12, 21, 12, 0, 1, 18.95, 69.65, true, 1, {}},
    {"chart_no_place", "", "", 2000, 1, 1, 12, 0, 0, 0, 0, true, {}, {}},
};

ChartQuery queryOf(const Row& r) {
  ChartQuery q;
  Chart1& c = q.birth;
  setField(c.name, r.name);
  setField(c.place, r.place);
  c.year = static_cast<std::int16_t>(r.year);
  c.month = static_cast<std::int16_t>(r.month);
  c.day = static_cast<std::int16_t>(r.day);
  c.hour = static_cast<std::int16_t>(r.hour);
  c.minute = static_cast<std::int16_t>(r.minute);
  c.timeZone = r.zone;
  c.longitude = r.lonDeg / 15.0;
  c.latitude = r.latDeg;
  c.timeKnown = r.timeKnown ? 1 : 0;
  q.houseSystem = r.houseSystem;
  q.zodiac = r.zodiac;
  return q;
}

TEST(ChartReport, MatchesTheGoldenFiles) {
  const fs::path data = fs::path(TALPORA_SOURCE_DIR) / "data";
  const ChartSession session(defaultSettings(data.string()), readChironTable(data / kChironFileName));
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.golden);
    const std::string text = chartReport(session.compute(queryOf(r)));
    const auto check = headless::checkGolden(
        fs::path(TALPORA_SOURCE_DIR) / "format/tests/golden" / (std::string(r.golden) + ".txt"), text);
    EXPECT_TRUE(check.ok) << check.message;
  }
}

}  // namespace
}  // namespace talpora
