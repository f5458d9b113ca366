// zyknow: the chart record of the present moment.
#include "engine/now.h"

#include <cstring>

#include "core/calendar.h"

namespace talpora {

int ashernow(const Chart1& placeChart, Chart1& birth, int placeNumber, int, const sys::Clock& clock) {
  Chart1 place = placeChart;
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
