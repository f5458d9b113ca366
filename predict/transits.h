// zykpred: transits and progressions over a period, day by day. A run is computed as a list of
// events (what stands where on the first and last day, and what changed on every day between), and
// the report lines are written from that list.
//
// Days are Julian Days of 0h local time in the period's time zone (firstDay, lastDay end in .5); the
// transit chart of day D is the moment D - timeZone / 24 in universal time. The progressed chart of
// day D is that of D's calendar date.
#pragma once
#include <cstdint>
#include <limits>
#include <vector>

#include "core/records.h"
#include "engine/positions.h"
#include "format/report_buffer.h"
#include "platform/ui.h"
#include "predict/progression.h"

namespace talpora {

enum class TransitEventKind {
  PeriodStart,  // "At the beginning of the period, ..."
  PeriodEnd,    // "At the end of the period, ..."
  InHouse,      // on the first or last day: a moving object in a natal house
  Aspect,       // on the first or last day: an aspect within its orb
  Becomes,      // an aspect enters its orb
  StopsBeing,   // an aspect leaves its orb
  EntersHouse,  // a moving object enters a natal house
  Exact,        // an aspect became exact since the day before
  EntersSign,   // a moving object enters a sign
};

struct TransitEvent {
  double day = 0;  // 0h of the day (local, the period's zone)
  TransitEventKind kind = TransitEventKind::PeriodStart;
  bool progressed = false;  // a progressed object, else a transiting one
  int object = -1;          // moving object 0..15
  int aspect = -1;          // 0..8
  int natalObject = -1;     // 0..15
  double orb = 0;           // degrees from exact, within the orb
  int house = 0;            // natal house 1..12
  int sign = 0;             // 1..12
  double longitude = 0;     // the moving object's longitude in the period's zodiac, that day
  char motion = 'D';
  double natalLongitude = 0;  // in the period's zodiac
  char natalMotion = 'D';
  // The moment of the change in universal time, to a second (when asked for): NaN otherwise.
  double exactUT = std::numeric_limits<double>::quiet_NaN();
};

struct TransitPeriod {
  char withTransits = 1;
  char withProgressions = 0;
  double firstDay = 0, lastDay = 0;  // 0h of the first and last day
  int zodiac = 0;                    // 0 tropical, 1 sidereal
  double timeZone = 0;               // hours later than Greenwich
  int excludedObjects[14] = {};      // non-zero: the transiting object is left out
  int excludedAspects[9] = {};       // non-zero: the aspect is left out of the transits
  int converse = 0;
  int method = 1;  // Progression's method
};

// One aspect within its orb.
struct TransitHit {
  std::uint8_t moving = 0, aspect = 0, natal = 0;
  float orb = 0;
  bool operator==(const TransitHit& o) const {
    return moving == o.moving && aspect == o.aspect && natal == o.natal;
  }
};

// The events of a run, in the report's order. Progress goes to `progress` (may be null) with the line
// of the day and (done, total). Result 1 done; 0 when the sink asked to stop (events then empty).
// With `exactMoments` every change event gets its moment, found by bisection to one second.
int transitEvents(const CIni& settings, const Chart1& natal, const Chart2& natalChart,
                  const TransitPeriod& period, const PredictionOrbs& orbs, const ChironTable& chiron,
                  ui::ProgressSink* progress, bool exactMoments, std::vector<TransitEvent>& events);
// The report lines of a run: the header, then the events.
void writeTransitEvents(Report& report, unsigned long* length, const CIni& settings, const Chart1& natal,
                        const Chart2& natalChart, const TransitPeriod& period,
                        const std::vector<TransitEvent>& events);

// The whole run into the report: orbs read once (missing files reported once through `ui`), the
// events, then the lines. Result 1 done; 0 stopped by the sink, nothing written.
int TransitsByDay(ui::ProgressSink* progress, Report& report, unsigned long* length, const CIni& settings,
                  const Chart1& natal, const Chart2& natalChart, char withTransits, char withProgressions,
                  double firstDay, double lastDay, int zodiac, double timeZone, const int excludedObjects[14],
                  const int excludedAspects[9], int converse, int method, const ChironTable& chiron,
                  ui::Interaction* ui);

void TransitsHeader(double firstDay, double lastDay, double timeZone, int zodiac, char withTransits,
                    char withProgressions, int converse, int method, Report& report, unsigned long* length,
                    const CIni& settings, const Chart1& natal, const Chart2& natalChart, int ignored = 0);
// The transit chart of a day: 0h in the zone, no place, time unknown (so no planetary hour); the
// positions and motion flags are calculall's.
void TrObjPositions(ui::ProgressSink* progress, double day, double timeZone, const CIni& settings,
                    int ignored1, int ignored2, Chart1& transit, Chart2& transitChart,
                    const ChironTable& chiron);
// The natal house of each of the first `count` moving objects (0 for no position).
void TrObjInNatalHouses(char houses[], int count, int zodiac, const CIni& settings, const Chart1& natal,
                        const Chart2& natalChart, const Chart2& moving);
// Every aspect 0..8 within its orb between the first `count` moving objects and natal objects below
// natalCount, in the order moving object, natal object, aspect. Objects without a position never
// take part. The list grows as needed.
void TrObjAspectToNatalPlanets(int count, int natalCount, int zodiac, const float orbs[9],
                               const int excludedObjects[], char useExcludedObjects,
                               const int excludedAspects[9], char useExcludedAspects, const CIni& settings,
                               const Chart2& natalChart, const Chart2& moving, std::vector<TransitHit>& hits);
// 1 when the aspect's exact point (natal +- angle, the one nearer to yesterday's position) lies
// between yesterday's and today's positions.
int HasTransitBeenExact(double natalLongitude, int aspect, double yesterday, double today, int zodiac,
                        const CIni& settings, const Chart2& natalChart, const Chart2& moving);

}  // namespace talpora
