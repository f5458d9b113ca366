// zykpred: transits and progressions over a period.
#include "predict/transits.h"

#include <cmath>
#include <functional>
#include <string>

#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/chart.h"
#include "engine/houses.h"
#include "format/report_headers.h"
#include "format/text_format.h"

namespace talpora {

using namespace predict_detail;

void TransitsHeader(double firstDay, double lastDay, double timeZone, int zodiac, char withTransits,
                    char withProgressions, int converse, int method, Report& report, unsigned long* length,
                    const CIni& settings, const Chart1& natal, const Chart2& natalChart, int) {
  ListingHeader(report, length, settings, natal, natalChart);
  std::string title;
  if (withTransits) title += "Transits ";
  if (withTransits && withProgressions) title += "and ";
  if (withProgressions && converse) title += "Converse ";
  if (withProgressions)
    title += method == progression_method::kSolarArcDirections ? "Solar Arc Directions " : "Progressions ";
  title += "from  " + jd_date(firstDay, 0, 1) + " to " + jd_date(lastDay, 0, 1);
  AddLine(report, length, title, 1, 0);
  if (withProgressions) {
    const std::string method_line = progressionMethodLine(progressionChartType(method, 0));
    if (!method_line.empty()) AddLine(report, length, method_line, 1, 0);
  }
  std::string zone = "calculated for time zone = ";
  if (timeZone == 0)
    zone += "GMT";
  else
    zone += edth_hms(std::fabs(timeZone), 1) + (timeZone < 0 ? " earlier than GMT" : " later than GMT");
  AddLine(report, length, zone, 1, 0);
  UsingWhichZodiac(zodiac, settings, report, length);
  AddLine(report, length, "All planetary positions indicated for 0h.", 1, 0);
}

void TrObjPositions(ui::ProgressSink* progress, double day, double timeZone, const CIni& settings, int, int,
                    Chart1& transit, Chart2& transitChart, const ChironTable& chiron) {
  if (progress)
    progress->show("Calculating planetary positions and transits for " + jd_date(day, 2, 1) +
                   std::string(25, ' '));
  transit = zeroedRecord<Chart1>();
  jd_to_date(day, &transit.day, &transit.month, &transit.year, &transit.hour, &transit.minute);
  transit.longitude = 0;
  transit.latitude = 0;
  transit.timeZone = timeZone;
  transit.timeKnown = 0;
  calculall(settings, transit, transitChart, chiron);
}

void TrObjInNatalHouses(char houses[], int count, int zodiac, const CIni& settings, const Chart1& natal,
                        const Chart2& natalChart, const Chart2& moving) {
  for (int i = 0; i < count; ++i)
    houses[i] =
        static_cast<char>(movingHouse(moving.objects[i], zodiac, settings, natal, natalChart, moving));
}

void TrObjAspectToNatalPlanets(int count, int natalCount, int zodiac, const float orbs[9],
                               const int excludedObjects[], char useExcludedObjects,
                               const int excludedAspects[9], char useExcludedAspects, const CIni& settings,
                               const Chart2& natalChart, const Chart2& moving,
                               std::vector<TransitHit>& hits) {
  hits.clear();
  for (int i = 0; i < count; ++i) {
    if (useExcludedObjects && i < 14 && excludedObjects[i]) continue;
    if (!hasPosition(moving.objects[i])) continue;
    const double a = inZodiac(moving.objects[i], zodiac, settings, moving);
    for (int j = 0; j < natalCount; ++j) {
      if (!hasPosition(natalChart.objects[j])) continue;
      const double b = inZodiac(natalChart.objects[j], zodiac, settings, natalChart);
      for (int k = 0; k < 9; ++k) {
        if (useExcludedAspects && excludedAspects[k]) continue;
        double deviation = 0;
        if (AreAspectedLowLevel(a, b, AspectValue(k), orbs[k], deviation))
          hits.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(k),
                          static_cast<std::uint8_t>(j), static_cast<float>(deviation)});
      }
    }
  }
}

namespace {

// The exact point of an aspect nearer to a longitude: natal + angle or natal - angle.
double exactPoint(double natal, double angle, double near) {
  double plus = natal + angle, minus = natal - angle;
  if (plus > 360) plus -= 360;
  if (minus < 0) minus += 360;
  return ShortestDistance(plus, near) <= ShortestDistance(minus, near) ? plus : minus;
}

}  // namespace

int HasTransitBeenExact(double natalLongitude, int aspect, double yesterday, double today, int zodiac,
                        const CIni& settings, const Chart2& natalChart, const Chart2& moving) {
  if (zodiac == 1) {
    ConvertToSidereal(&natalLongitude, 1, settings, natalChart);
    ConvertToSidereal(&yesterday, 1, settings, moving);
    ConvertToSidereal(&today, 1, settings, moving);
  }
  const double point = exactPoint(natalLongitude, AspectValue(aspect), yesterday);
  return IsBetween(point, yesterday, today);
}

namespace {

constexpr int kTransitCount = 14;

// What one kind of moving chart (transits or progressions) stood at on a day.
struct DayState {
  Chart1 chart1{};
  Chart2 chart{};
  std::vector<TransitHit> hits;
  char houses[17] = {};
  int signs[17] = {};
};

struct Side {
  bool on = false;
  bool progressed = false;
  int count = 0;
  const float* orbs = nullptr;
  DayState today, yesterday;
};

bool excluded(const Side& side, const TransitPeriod& p, int object) {
  return !side.progressed && object < kTransitCount && p.excludedObjects[object] != 0;
}

struct Run {
  const CIni& settings;
  const Chart1& natal;
  const Chart2& natalChart;
  const TransitPeriod& period;
  const ChironTable& chiron;
  bool houses;
  int natalCount;
};

void computeDay(const Run& r, Side& side, double day, ui::ProgressSink* progress) {
  DayState& s = side.today;
  if (side.progressed) {
    Chart1 target = r.natal;
    short h, mi;
    jd_to_date(day, &target.day, &target.month, &target.year, &h, &mi);
    Progression(r.settings, r.natal, r.natalChart, target, s.chart, r.period.converse, r.period.method,
                r.chiron);
    s.chart1 = target;
  } else {
    TrObjPositions(progress, day, r.period.timeZone, r.settings, 0, 0, s.chart1, s.chart, r.chiron);
  }
  if (r.houses) {
    TrObjInNatalHouses(s.houses, side.count, r.period.zodiac, r.settings, r.natal, r.natalChart, s.chart);
    for (int i = 0; i < side.count; ++i) s.signs[i] = IsInSign(i + 1, r.period.zodiac, r.settings, s.chart);
  }
  TrObjAspectToNatalPlanets(side.count, r.natalCount, r.period.zodiac, side.orbs, r.period.excludedObjects,
                            side.progressed ? 0 : 1, r.period.excludedAspects, side.progressed ? 0 : 1,
                            r.settings, r.natalChart, s.chart, s.hits);
}

TransitEvent baseEvent(const Run& r, const Side& side, TransitEventKind kind, double day, int object) {
  TransitEvent e;
  e.day = day;
  e.kind = kind;
  e.progressed = side.progressed;
  e.object = object;
  e.longitude = inZodiac(side.today.chart.objects[object], r.period.zodiac, r.settings, side.today.chart);
  e.motion = side.today.chart.motion[object];
  return e;
}

TransitEvent hitEvent(const Run& r, const Side& side, TransitEventKind kind, double day,
                      const TransitHit& h) {
  TransitEvent e = baseEvent(r, side, kind, day, h.moving);
  e.aspect = h.aspect;
  e.natalObject = h.natal;
  e.orb = h.orb;
  e.natalLongitude = inZodiac(r.natalChart.objects[h.natal], r.period.zodiac, r.settings, r.natalChart);
  e.natalMotion = r.natalChart.motion[h.natal];
  return e;
}

bool contains(const std::vector<TransitHit>& hits, const TransitHit& h) {
  for (const auto& x : hits)
    if (x == h) return true;
  return false;
}

void listDay(const Run& r, Side* sides[2], double day, TransitEventKind kind,
             std::vector<TransitEvent>& out) {
  out.push_back(TransitEvent{day, kind});
  if (r.houses) {
    for (int i = 0; i < kObjectCount; ++i)
      for (int k = 0; k < 2; ++k) {
        Side& s = *sides[k];
        if (!s.on || i >= s.count || excluded(s, r.period, i) || !hasPosition(s.today.chart.objects[i]))
          continue;
        TransitEvent e = baseEvent(r, s, TransitEventKind::InHouse, day, i);
        e.house = s.today.houses[i];
        out.push_back(e);
      }
  }
  for (int k = 0; k < 2; ++k)
    if (sides[k]->on)
      for (const auto& h : sides[k]->today.hits)
        out.push_back(hitEvent(r, *sides[k], TransitEventKind::Aspect, day, h));
}

void changes(const Run& r, const Side& s, double day, std::vector<TransitEvent>& out) {
  for (const auto& h : s.today.hits)
    if (!contains(s.yesterday.hits, h)) out.push_back(hitEvent(r, s, TransitEventKind::Becomes, day, h));
  for (const auto& h : s.yesterday.hits)
    if (!contains(s.today.hits, h)) out.push_back(hitEvent(r, s, TransitEventKind::StopsBeing, day, h));
  if (r.houses)
    for (int i = 0; i < s.count; ++i) {
      if (excluded(s, r.period, i) || s.today.houses[i] == s.yesterday.houses[i] || s.today.houses[i] == 0)
        continue;
      TransitEvent e = baseEvent(r, s, TransitEventKind::EntersHouse, day, i);
      e.house = s.today.houses[i];
      out.push_back(e);
    }
  for (const auto& h : s.today.hits) {
    const double natalLon = r.natalChart.objects[h.natal];
    if (!hasPosition(s.yesterday.chart.objects[h.moving])) continue;
    if (HasTransitBeenExact(natalLon, h.aspect, s.yesterday.chart.objects[h.moving],
                            s.today.chart.objects[h.moving], r.period.zodiac, r.settings, r.natalChart,
                            s.today.chart))
      out.push_back(hitEvent(r, s, TransitEventKind::Exact, day, h));
  }
  if (r.houses)
    for (int i = 0; i < s.count; ++i) {
      if (excluded(s, r.period, i) || s.today.signs[i] == s.yesterday.signs[i] || s.today.signs[i] == 0)
        continue;
      TransitEvent e = baseEvent(r, s, TransitEventKind::EntersSign, day, i);
      e.sign = s.today.signs[i];
      e.house = s.today.houses[i];
      out.push_back(e);
    }
}

// The moving chart at a moment between two days: transits computed by the engine, progressed objects
// interpolated along the shorter arc between the two days' charts (they move a day's worth of a
// year in a day).
Chart2 stateAt(const Run& r, const Side& s, double day, double fraction) {
  if (!s.progressed) {
    Chart2 c2;
    const double ut = day - 1 + fraction - r.period.timeZone / 24.0;
    // A moment to the second: the record keeps minutes, so the positions are taken directly.
    const Positions p = computePositions(ut, r.chiron);
    c2 = s.today.chart;
    c2.julianDay = ut;
    c2.trueAyanamsa = p.trueAyanamsa;
    c2.syneticVernalPoint = p.syneticVernalPoint;
    for (int i = 0; i < kTransitCount; ++i) c2.objects[i] = p.lon[i];
    return c2;
  }
  Chart2 c2 = s.today.chart;
  for (int i = 0; i < kObjectCount; ++i) {
    const double a = s.yesterday.chart.objects[i], b = s.today.chart.objects[i];
    if (!hasPosition(a) || !hasPosition(b)) continue;
    double d = b - a;
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    c2.objects[i] = c_c360(a + fraction * d);
  }
  c2.trueAyanamsa = s.yesterday.chart.trueAyanamsa +
                    fraction * (s.today.chart.trueAyanamsa - s.yesterday.chart.trueAyanamsa);
  c2.syneticVernalPoint =
      s.yesterday.chart.syneticVernalPoint +
      fraction * (s.today.chart.syneticVernalPoint - s.yesterday.chart.syneticVernalPoint);
  return c2;
}

// Whether the change of an event has happened in the state given.
bool changed(const Run& r, const Side& s, const TransitEvent& e, const Chart2& state) {
  const int z = r.period.zodiac;
  const double lon = state.objects[e.object];
  switch (e.kind) {
    case TransitEventKind::Becomes:
    case TransitEventKind::StopsBeing: {
      double deviation = 0;
      const double a = inZodiac(lon, z, r.settings, state);
      const double b = inZodiac(r.natalChart.objects[e.natalObject], z, r.settings, r.natalChart);
      const bool in = AreAspectedLowLevel(a, b, AspectValue(e.aspect), s.orbs[e.aspect], deviation) != 0;
      return e.kind == TransitEventKind::Becomes ? in : !in;
    }
    case TransitEventKind::EntersHouse:
      return movingHouse(lon, z, r.settings, r.natal, r.natalChart, state) == e.house;
    case TransitEventKind::EntersSign:
      return IsInSign(e.object + 1, z, r.settings, state) == e.sign;
    case TransitEventKind::Exact: {
      double natalLon = r.natalChart.objects[e.natalObject], y = s.yesterday.chart.objects[e.object],
             now = lon;
      if (z == 1) {
        ConvertToSidereal(&natalLon, 1, r.settings, r.natalChart);
        ConvertToSidereal(&y, 1, r.settings, s.today.chart);
        ConvertToSidereal(&now, 1, r.settings, state);
      }
      const double point = exactPoint(natalLon, AspectValue(e.aspect), y);
      double before = y - point, after = now - point;
      before = before - 360 * std::floor((before + 180) / 360);
      after = after - 360 * std::floor((after + 180) / 360);
      return (before < 0) != (after < 0);
    }
    default:
      return true;
  }
}

// The moment of a change between 0h of the day before and 0h of the day, to a second.
double momentOf(const Run& r, const Side& s, const TransitEvent& e) {
  double lo = 0, hi = 1;
  for (int pass = 0; pass < 18 && hi - lo > 1.0 / 86400; ++pass) {
    const double mid = 0.5 * (lo + hi);
    if (changed(r, s, e, stateAt(r, s, e.day, mid)))
      hi = mid;
    else
      lo = mid;
  }
  return e.day - 1 + 0.5 * (lo + hi) - r.period.timeZone / 24.0;
}

}  // namespace

int transitEvents(const CIni& settings, const Chart1& natal, const Chart2& natalChart,
                  const TransitPeriod& period, const PredictionOrbs& orbs, const ChironTable& chiron,
                  ui::ProgressSink* progress, bool exactMoments, std::vector<TransitEvent>& events) {
  events.clear();
  const bool houses = AreThereHouses(natal) != 0;
  const Run r{settings, natal, natalChart, period, chiron, houses, houses ? 16 : 14};
  Side transits, progressions;
  transits.on = period.withTransits != 0;
  transits.count = kTransitCount;
  transits.orbs = orbs.transits;
  progressions.on = period.withProgressions != 0 && isProgressionMethod(period.method);
  progressions.progressed = true;
  progressions.count = progressedObjectCount(natal);
  progressions.orbs = orbs.progressions;
  Side* sides[2] = {&transits, &progressions};
  const long total = std::lround(period.lastDay - period.firstDay) + 2;
  long done = 1;
  // The day before the first is neither reported nor compared with: the run starts on the first day.
  for (long n = 1; n < total; ++n) {
    const double day = period.firstDay - 1 + n;
    for (Side* s : sides)
      if (s->on) computeDay(r, *s, day, s->progressed ? nullptr : progress);
    if (progress) {
      progress->progress(++done, total);
      if (progress->cancelled()) {
        events.clear();
        return 0;
      }
    }
    const bool first = n == 1, last = n == total - 1;
    if (last) {
      listDay(r, sides, day, TransitEventKind::PeriodEnd, events);
    } else if (first) {
      listDay(r, sides, day, TransitEventKind::PeriodStart, events);
    } else if (n > 1) {
      for (Side* s : sides) {
        if (!s->on) continue;
        const std::size_t from = events.size();
        changes(r, *s, day, events);
        if (exactMoments)
          for (std::size_t k = from; k < events.size(); ++k) events[k].exactUT = momentOf(r, *s, events[k]);
      }
    }
    for (Side* s : sides) s->yesterday = s->today;
  }
  return 1;
}

namespace {

std::string lonText(const CIni& settings, double lon, char motion) {
  static const Chart2 kNoReferences{};
  return Smart_longitude1(lon, motion, settings, kNoReferences, 0, 1, 0, 1, 1, 0);
}

std::string movingPart(const CIni& settings, const TransitEvent& e) {
  return std::string(e.progressed ? "Progr." : "Trans.") + PlanetName(e.object, 1, 0, 0, 0, 0) + "(" +
         lonText(settings, e.longitude, e.motion);
}

std::string natalPart(const CIni& settings, const TransitEvent& e) {
  return PlanetName(e.natalObject, 1, 0, 0, 0, 0) + "(" + lonText(settings, e.natalLongitude, e.natalMotion);
}

std::string eventLine(const CIni& settings, const TransitEvent& e) {
  const std::string moving = movingPart(settings, e);
  switch (e.kind) {
    case TransitEventKind::InHouse:
      return moving + ") in the " + ProperFormat(e.house) + " house of the natal chart";
    case TransitEventKind::Aspect:
      return moving + ") " + AspectedName(e.aspect, 0, 0) + " nat." + natalPart(settings, e) +
             ",orb=" + edb_dm(e.orb, -1) + ")";
    case TransitEventKind::Becomes:
      return moving + ") becomes " + AspectedName(e.aspect, 0, 0) + " nat." + natalPart(settings, e) + ")";
    case TransitEventKind::StopsBeing:
      return moving + ")" + " stops being " + AspectedName(e.aspect, 0, 0) + " nat." +
             natalPart(settings, e) + ")";
    case TransitEventKind::EntersHouse:
      if (e.progressed)
        return "Progr." + PlanetName(e.object, 1, 0, 0, 0, 0) + " enters the " + ProperFormat(e.house) +
               " house of the natal chart";
      return moving + ") enters the " + ProperFormat(e.house) + " house of the natal chart";
    case TransitEventKind::Exact:
      return moving + ") in exact " + AspectName(e.aspect, 0, 0) + " with nat." + natalPart(settings, e) +
             ")";
    case TransitEventKind::EntersSign:
      return std::string(e.progressed ? "Progr." : "Trans.") + PlanetName(e.object, 1, 0, 0, 0, 0) +
             " enters " + SignName(e.sign, 2, 0, 0, 0) + " in the " + ProperFormat(e.house) +
             " house of the natal chart";
    default:
      return {};
  }
}

}  // namespace

void writeTransitEvents(Report& report, unsigned long* length, const CIni& settings, const Chart1& natal,
                        const Chart2& natalChart, const TransitPeriod& p,
                        const std::vector<TransitEvent>& events) {
  TransitsHeader(p.firstDay, p.lastDay, p.timeZone, p.zodiac, p.withTransits, p.withProgressions, p.converse,
                 p.method, report, length, settings, natal, natalChart);
  double datedDay = std::numeric_limits<double>::quiet_NaN();
  for (const TransitEvent& e : events) {
    if (e.kind == TransitEventKind::PeriodStart || e.kind == TransitEventKind::PeriodEnd) {
      AddLine(report, length, "", 0, 0);
      AddLine(report, length,
              std::string(e.kind == TransitEventKind::PeriodStart ? "At the beginning of the period, "
                                                                  : "At the end of the period, ") +
                  jd_date(e.day, 2, 1),
              1, 0);
      datedDay = e.day;
      continue;
    }
    if (e.day != datedDay) {
      AddLine(report, length, jd_date(e.day, 2, 1), 1, 0);
      datedDay = e.day;
    }
    AddLine(report, length, eventLine(settings, e), 1, 0);
  }
}

int TransitsByDay(ui::ProgressSink* progress, Report& report, unsigned long* length, const CIni& settings,
                  const Chart1& natal, const Chart2& natalChart, char withTransits, char withProgressions,
                  double firstDay, double lastDay, int zodiac, double timeZone, const int excludedObjects[14],
                  const int excludedAspects[9], int converse, int method, const ChironTable& chiron,
                  ui::Interaction* ui) {
  TransitPeriod p;
  p.withTransits = withTransits;
  p.withProgressions = withProgressions;
  p.firstDay = firstDay;
  p.lastDay = lastDay;
  p.zodiac = zodiac;
  p.timeZone = timeZone;
  for (int i = 0; i < 14; ++i) p.excludedObjects[i] = excludedObjects ? excludedObjects[i] : 0;
  for (int k = 0; k < 9; ++k) p.excludedAspects[k] = excludedAspects ? excludedAspects[k] : 0;
  p.converse = converse;
  p.method = method;
  const PredictionOrbs orbs = readPredictionOrbs(settings, ui);
  std::vector<TransitEvent> events;
  if (!transitEvents(settings, natal, natalChart, p, orbs, chiron, progress, false, events)) return 0;
  writeTransitEvents(report, length, settings, natal, natalChart, p, events);
  return 1;
}

}  // namespace talpora
