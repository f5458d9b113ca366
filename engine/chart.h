// zykcalc: the chart calculation. From a chart record (date, clock time, zone, place) and the settings'
// house system to the computed chart: Julian Day, sidereal time, obliquity, the sidereal references,
// the house cusps, seventeen objects with their latitudes, motion flags and heliocentric longitudes,
// and the ruler of the planetary hour.
#pragma once
#include "core/records.h"
#include "engine/events.h"
#include "engine/houses.h"
#include "engine/positions.h"

namespace talpora {

// What the computed chart cannot say itself (its layout is fixed): how its cusps and its planetary
// hour were obtained. Listings and drawings show the fallback in their headers.
struct ChartStatus {
  HouseStatus houses = HouseStatus::Computed;  // PorphyryFallback: the system cannot be computed there
  int houseSystemRequested = 0;                // the settings' code as given
  // The planetary-hour search: Found also when it was not needed (time unknown, no place).
  RiseSetStatus sunriseSearch = RiseSetStatus::Found;
  bool chironAvailable = false;
  bool housesFellBack() const { return houses == HouseStatus::PorphyryFallback; }
};

// Computes the chart of `birth` into `chart` (every byte written: padding and spare fields zero).
// Chiron comes from `chiron`, a table loaded once (loadChironTable). Every longitude is in [0, 360)
// except Chiron's -1 when the table does not cover the moment. The stored house system is the
// settings' code, or 1 (Placidus) for a code outside 0..11.
ChartStatus calculall(const CIni& settings, const Chart1& birth, Chart2& chart, const ChironTable& chiron);

// The same with the Chiron table read from the settings' program directory on this call (a missing
// table gives Chiron -1 without a message); the three integers have no effect.
void calculall(const CIni& settings, const Chart1& birth, Chart2& chart, int, int, int);

}  // namespace talpora
