// zykcalc: a chart session.
#include "engine/chart_session.h"

#include "engine/houses.h"
#include "engine/now.h"
#include "files/zykfile.h"

namespace talpora {
namespace {

CIni settingsOf(const std::filesystem::path& programDir, ui::Interaction& ui) {
  CIni settings = defaultSettings(programDir.string());
  PutInMemBlock_CIni(settings, programDir, ui);
  return settings;
}

}  // namespace

ChartSession::ChartSession(const std::filesystem::path& programDir, ui::Interaction& ui)
    : settings_(settingsOf(programDir, ui)), chiron_(loadChironTable(settings_, ui)) {}

CIni ChartSession::settingsFor(std::optional<int> houseSystem) const {
  CIni s = settings_;
  if (houseSystem) s.houseSystem = static_cast<std::int16_t>(*houseSystem);
  return s;
}

ComputedChart ChartSession::compute(const ChartQuery& query) const {
  ComputedChart c;
  c.birth = query.birth;
  c.settings = settingsFor(query.houseSystem);
  c.sidereal = query.zodiac && *query.zodiac == Zodiac::Sidereal;
  c.chart = zeroedRecord<Chart2>();
  c.status = calculall(c.settings, c.birth, c.chart, chiron_);
  c.vertex = Vertex(c.chart.obliquity, c.birth.latitude, c.chart.siderealTime);
  c.eastPoint = EastPoint(c.chart.obliquity, c.chart.siderealTime);
  return c;
}

int ChartSession::now(int placeNumber, const sys::Clock& clock, Chart1& birth, ui::Interaction& ui) const {
  Chart1 place;
  if (!readPlaceChart(settings_, placeNumber, place, ui)) return 0;
  return ashernow(place, birth, placeNumber, 1, clock);
}

}  // namespace talpora
