// zykcalc: the chart session computes what calculall computes, with the house system asked for, and
// reads the place charts for the present moment.
#include "engine/chart_session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "files/zykfile.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora {
namespace {

namespace fs = std::filesystem;

Chart1 paris() {
  Chart1 c;
  c.year = 1996, c.month = 1, c.day = 5, c.hour = 14, c.minute = 5;
  c.longitude = 2.33333333 / 15.0;
  c.latitude = 48.86666667;
  c.timeKnown = 1;
  return c;
}

TEST(ChartSession, ComputesAsCalculallWithTheHouseSystemAskedFor) {
  const fs::path data = fs::path(TALPORA_SOURCE_DIR) / "data";
  const CIni settings = defaultSettings(data.string());
  const ChartSession session(settings, readChironTable(data / kChironFileName));
  struct Row {
    const char* name;
    std::optional<int> houseSystem;
    std::optional<Zodiac> zodiac;
    int wantSystem;
  };
  for (const Row& r : {Row{"settings' system", {}, {}, settings.houseSystem}, Row{"Koch", 2, {}, 2},
                       Row{"sidereal", 11, Zodiac::Sidereal, 11}}) {
    SCOPED_TRACE(r.name);
    const ComputedChart c = session.compute({paris(), r.houseSystem, r.zodiac});
    CIni s = settings;
    s.houseSystem = static_cast<std::int16_t>(r.wantSystem);
    Chart2 direct = zeroedRecord<Chart2>();
    calculall(s, paris(), direct, session.chiron());
    EXPECT_EQ(std::memcmp(&c.chart, &direct, sizeof direct), 0);  // byte for byte
    EXPECT_EQ(c.settings.houseSystem, r.wantSystem);
    EXPECT_EQ(c.sidereal, r.zodiac == Zodiac::Sidereal);
    EXPECT_DOUBLE_EQ(c.vertex, Vertex(direct.obliquity, paris().latitude, direct.siderealTime));
    EXPECT_DOUBLE_EQ(c.eastPoint, EastPoint(direct.obliquity, direct.siderealTime));
    EXPECT_NE(c.chart.objects[kChiron], kNoPosition);  // the table was loaded once and used
  }
}

TEST(ChartSession, PresentMomentAtAPlaceChart) {
  const fs::path dir = fs::temp_directory_path() / ("talpora_session_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  headless::ScriptedInteraction ui;
  const ChartSession session(dir, ui);  // no settings file, no Chiron table: both reported
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(programDirOf(session.settings()), dir.string());
  ui.messages.clear();
  Chart1 place = paris();
  place.timeZone = 1.0;
  ASSERT_EQ(Serialise_c1(place, dir / placeChartFileName(5), 0, 1), 1);
  headless::FixedClock clock;
  clock.utc = {2024, 7, 1, 10, 30, 45};
  Chart1 birth;
  ASSERT_EQ(session.now(5, clock, birth, ui), 1);
  EXPECT_EQ(birth.chartType, 34);
  EXPECT_EQ(birth.hour, 11);
  EXPECT_EQ(birth.minute, 30);
  EXPECT_EQ(session.now(6, clock, birth, ui), 0);    // no such file
  EXPECT_EQ(session.now(100, clock, birth, ui), 0);  // no such number
  EXPECT_EQ(ui.messages.size(), 2u);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace talpora
