// zyknow: the chart record of the present moment.
#include "engine/now.h"

#include <cstring>
#include <string>

#include "core/calendar.h"
#include "files/zykfile.h"
#include "platform/program_dir.h"

namespace talpora {

int ashernow(const CIni& settings, Chart1& birth, int placeNumber, int, const sys::Clock& clock,
             ui::Interaction& ui) {
  if (placeNumber < 0 || placeNumber > 99) {
    ui.tell("There is no place chart " + std::to_string(placeNumber) + " (place charts are 0 to 99).",
            "Error Message from zyknow.dll", ui::Icon::Stop);
    return 0;
  }
  Chart1 place;
  const auto file = findCaseInsensitive(programDirOf(settings), placeChartFileName(placeNumber));
  if (!PutInMemBlock_c1(place, file, 0, ui)) return 0;

  const sys::UtcNow now = clock.utcNow();
  const double zone = placeNumber == 0 ? now.utcOffsetHours : place.timeZone;
  // The UTC moment with the seconds dropped, then moved to the place's clock.
  const double jdLocal =
      julian_dayh(now.utc.day, now.utc.month, now.utc.year, now.utc.hour, now.utc.minute) + zone / 24.0;
  jd_to_date(jdLocal, &place.day, &place.month, &place.year, &place.hour, &place.minute);
  place.timeZone = zone;
  place.timeKnown = 1;
  std::memset(place.name, 0, sizeof place.name);
  std::memset(place.typeText, 0, sizeof place.typeText);
  std::memset(place.comment, 0, sizeof place.comment);
  place.doubleChart = 0;
  place.chartType = static_cast<std::int16_t>(placeNumber == 0 ? chart_type::kHereAndNow
                                                               : chart_type::kHereAndNowOtherPlace);
  birth = place;
  return 1;
}

}  // namespace talpora
