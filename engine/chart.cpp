// zykcalc: the chart calculation.
#include "engine/chart.h"

#include <cmath>

#include "core/angles.h"
#include "core/calendar.h"
#include "platform/program_dir.h"

namespace talpora {
namespace {

// Direction of motion from two longitudes 0.1 day apart: backwards ('R') when the later one is
// behind by less than 300 degrees, or ahead by more than 300 (a backward crossing of 0 degrees).
char motionFlag(double now, double later) {
  if (now == kNoPosition || later == kNoPosition) return 'D';
  const double d = later - now;
  return ((d > -300 && d < 0) || d > 300) ? 'R' : 'D';
}

// Everything the chart needs from the position theories at one time argument.
struct Sample {
  double sunLon = 0, moonLon = 0, moonLat = 0, sunDist = 0, trueAyanamsa = 0, blackMoon = 0, svp = 0;
  double planets[24] = {};
  double trueNode = 0, meanNode = 0;
  double chiron = kNoPosition;
  bool chironFound = false;
};
// `jde` is the theories' time argument (dynamical time), `jdUt` that of the nodes and Chiron.
Sample sample(double jde, double jdUt, const ChironTable& chiron) {
  Sample s;
  asforce1Plus(jde, s.sunLon, s.moonLon, s.moonLat, s.sunDist, s.trueAyanamsa, s.blackMoon, s.svp);
  asforce2(jde, s.sunLon, s.sunDist, s.planets);
  asforce3(jdUt, s.trueNode, s.meanNode);
  s.chironFound = Chiron(chiron, jdUt, s.chiron) == 1;
  return s;
}

}  // namespace

// The chart driver: JD from the local clock time and zone (core/calendar), sidereal time, mean
// obliquity (Epsilon), positions at JDE = JD + Delta T (asforce1Plus, asforce2) and at the UT JD
// (asforce3, Chiron), a second sample 0.1 day later for the motion flags, the house cusps of the
// settings' system, and the planetary-hour ruler from the day's sunrise and sunset.
ChartStatus calculall(const CIni& settings, const Chart1& birth, Chart2& chart, const ChironTable& chiron) {
  ChartStatus status;
  status.houseSystemRequested = settings.houseSystem;
  Chart2 c;
  zeroRecord(c);

  const double jd =
      julian_day(birth.day, birth.month, birth.year, birth.hour / 24.0 + birth.minute / 1440.0) -
      birth.timeZone / 24.0;
  c.julianDay = jd;
  c.siderealTime = sideral_time(jd, birth.longitude);
  c.obliquity = Epsilon(jd);
  const double deltaT = tdt(birth.year) / 86400.0;
  const double jde = jd + deltaT;

  const Sample now = sample(jde, jd, chiron);
  // The motion sample is taken at JD + 0.1 day as the theories' time argument, without Delta T.
  const double jdLater = jd + 0.1;
  const Sample later = sample(jdLater, jdLater, chiron);
  status.chironAvailable = now.chironFound;
  c.trueAyanamsa = now.trueAyanamsa;
  c.syneticVernalPoint = norm360(now.svp);  // a longitude like any other: [0, 360)

  c.objects[kSun] = norm360(now.sunLon);
  c.objects[kMoon] = norm360(now.moonLon);
  c.objectLat[kMoon] = now.moonLat;
  for (int k = 0; k < 8; ++k) {
    c.objects[kMercury + k] = norm360(now.planets[k]);
    c.objectLat[kMercury + k] = now.planets[8 + k];
    c.extra[kMercury + k] = norm360(now.planets[16 + k]);
  }
  c.objects[kNorthNode] = norm360(now.trueNode);
  c.objects[kSouthNode] = norm360(now.trueNode + 180);
  c.objects[kBlackMoon] = norm360(now.blackMoon);
  c.objects[kChiron] = now.chironFound ? norm360(now.chiron) : kNoPosition;
  c.extra[kSun] = c.extra[kMoon] = norm360(c.objects[kSun] + 180);

  c.motion[kSun] = c.motion[kMoon] = 'D';
  for (int k = 0; k < 8; ++k) c.motion[kMercury + k] = motionFlag(now.planets[k], later.planets[k]);
  c.motion[kNorthNode] = motionFlag(now.trueNode, later.trueNode);
  c.motion[kSouthNode] = motionFlag(norm360(now.trueNode + 180), norm360(later.trueNode + 180));
  c.motion[kBlackMoon] = motionFlag(now.blackMoon, later.blackMoon);
  c.motion[kChiron] =
      motionFlag(now.chironFound ? now.chiron : kNoPosition, later.chironFound ? later.chiron : kNoPosition);
  c.motion[kAscendant] = c.motion[kMidheaven] = c.motion[kPartOfFortune] = 'D';

  const int system = effectiveHouseSystem(settings.houseSystem);
  c.houseSystem = static_cast<std::int16_t>(system);
  status.houses = Houses(c.obliquity, birth.latitude, c.siderealTime, system, c.cusps, c.objects[kSun]);
  c.objects[kAscendant] = c.cusps[0];
  c.objects[kMidheaven] = c.cusps[9];
  c.objects[kPartOfFortune] = norm360(c.objects[kMoon] - c.objects[kSun] + c.cusps[0]);

  c.planetaryHour = kNoPlanetaryHour;
  if (birth.timeKnown != 0 && (birth.longitude != 0.0 || birth.latitude != 0.0)) {
    // The sunrise searches take the Sun from the straight line through the two samples already
    // computed; where Delta T puts them too close together or too far from the day, the theory.
    if (std::fabs(jdLater - jde) >= 0.05 && std::fabs(deltaT) <= 3.0) {
      const SunTrack track = SunTrack::through(jde, now.sunLon, jdLater, later.sunLon);
      c.planetaryHour = static_cast<std::int16_t>(planetaryHourRuler(birth, track, &status.sunriseSearch));
    } else {
      double start = 0, end = 0;
      int next = 0;
      c.planetaryHour = static_cast<std::int16_t>(PlHours(nullptr, birth, start, end, next, 0));
      if (c.planetaryHour == kNoPlanetaryHour) {
        double r, s, p, n;
        status.sunriseSearch = SunRisSet(birth, 1, 0, 0, r, s, p, n);
      }
    }
  }
  chart = c;
  return status;
}

void calculall(const CIni& settings, const Chart1& birth, Chart2& chart, int, int, int) {
  const ChironTable table = readChironTable(findCaseInsensitive(programDirOf(settings), kChironFileName));
  calculall(settings, birth, chart, table);
}

}  // namespace talpora
