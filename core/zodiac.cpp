// zykcore: zodiac and aspect primitives.
#include "core/zodiac.h"

#include <cmath>

#include "core/angles.h"

namespace talpora {
namespace {

// Mean periods in years of objects 0..16 (which of two objects is faster).
constexpr double kMeanPeriod[kObjectCount] = {1,   0.08, 0.99, 0.98, 1.6, 12, 27, 84, 160,
                                              270, 18,   18,   8.5,  50,  0,  0,  0};
// Speed classes of objects 0..16 for the applying verdict (1 fastest, 0 no motion).
constexpr int kSpeedClass[kObjectCount] = {4, 1, 2, 3, 5, 7, 10, 12, 13, 14, 8, 9, 6, 11, 0, 0, 0};

// The aspect angles, as the suite stores them (32-bit floats).
constexpr float kAspectAngle[kAspectCount] = {0,   180,   120, 90, 60, 150,      144, 135, 72,
                                              108, 51.4f, 45,  40, 36, 32.7272f, 30,  24,  18};

// Modern and traditional rulers of the signs 1..12 (index 0 unused).
constexpr int kModernRuler[13] = {0,      kMars,  kVenus,   kMercury, kMoon,   kSun,    kMercury,
                                  kVenus, kPluto, kJupiter, kSaturn,  kUranus, kNeptune};
constexpr int kTraditionalRuler[13] = {0,      kMars, kVenus,   kMercury, kMoon,   kSun,    kMercury,
                                       kVenus, kMars, kJupiter, kSaturn,  kSaturn, kJupiter};

bool validObject(int object) {
  return object >= 0 && object < kObjectCount;
}

}  // namespace

double c_c360(double x) {
  return norm360(x);
}

double ShortestDistance(double a, double b) {
  const double d1 = c_c360(a - b), d2 = c_c360(b - a);
  return d1 < d2 ? d1 : d2;
}

double ConsecutiveDistance(double a, double b) {
  const double d = b - a;
  return d >= 0 ? d : d + 360.0;
}

int IsBetween(double x, double a, double b) {
  double lo = a, hi = b;
  if (c_c360(b - a) != ShortestDistance(a, b)) {
    lo = b;
    hi = a;
  }
  if (hi - lo < -180.0) {  // the arc crosses 0
    if (hi > x) x += 360.0;
    hi += 360.0;
  }
  return lo < x && x < hi ? 1 : 0;
}

double meanPeriodYears(int object) {
  return validObject(object) ? kMeanPeriod[object] : 0.0;
}
int speedClass(int object) {
  return validObject(object) ? kSpeedClass[object] : 0;
}

int IsFaster(int i, int j, int& faster, int& slower) {
  const double pi = meanPeriodYears(i), pj = meanPeriodYears(j);
  if (pi * pj == 0) return 0;
  if (pi >= pj) {
    faster = j;
    slower = i;
    return 2;
  }
  faster = i;
  slower = j;
  return 1;
}

double PlanetaryArc(int i, int j, double lonI, double lonJ) {
  if (lonI == kNoPosition || lonJ == kNoPosition) return -1.0;
  int faster = 0, slower = 0;
  switch (IsFaster(i, j, faster, slower)) {
    case 1:
      return c_c360(lonI - lonJ);
    case 2:
      return c_c360(lonJ - lonI);
    default:
      return -1.0;
  }
}

int signOfLongitude(double lon) {
  if (lon == kNoPosition || !std::isfinite(lon)) return 0;
  const int sign = static_cast<int>(std::floor(c_c360(lon) * 0.03333333333333333)) + 1;
  return sign > 12 ? 12 : sign;
}

double toSidereal(double lon, int ayanamsaCode, double trueAyanamsa, double syneticVernalPoint) {
  if (lon == kNoPosition) return lon;
  switch (ayanamsaCode) {
    case kTrueAyanamsa:
      return c_c360(lon - trueAyanamsa);
    case kSyneticVernalPoint:
      return c_c360(syneticVernalPoint + lon - 360.0);
    default:
      return lon;
  }
}

void ConvertToSidereal(double* values, int count, const CIni& settings, const Chart2& chart) {
  for (int k = 0; k < count; ++k)
    values[k] = toSidereal(values[k], settings.ayanamsa, chart.trueAyanamsa, chart.syneticVernalPoint);
}

void ConvertToSiderealFloat(float* values, int count, const CIni& settings, const Chart2& chart) {
  for (int k = 0; k < count; ++k)
    values[k] = static_cast<float>(
        toSidereal(values[k], settings.ayanamsa, chart.trueAyanamsa, chart.syneticVernalPoint));
}

int IsInSign(int objectPlus1, int sidereal, const CIni& settings, const Chart2& chart) {
  if (!validObject(objectPlus1 - 1)) return 0;
  double lon = chart.objects[objectPlus1 - 1];
  if (sidereal == 1) ConvertToSidereal(&lon, 1, settings, chart);
  return signOfLongitude(lon);
}

int RulerOfSign(int sign, int traditional) {
  if (sign < 1 || sign > 12) return kSun;
  return traditional ? kTraditionalRuler[sign] : kModernRuler[sign];
}

void Ruler2OfSign(int sign, int& ruler, int& coRuler) {
  if (sign < 1 || sign > 12) {
    ruler = -1;
    coRuler = -1;
    return;
  }
  ruler = kModernRuler[sign];
  coRuler = kModernRuler[sign] != kTraditionalRuler[sign] ? kTraditionalRuler[sign] : -1;
}

int RulerOfHouse(int house, int sidereal, int traditional, const CIni& settings, const Chart2& chart) {
  if (house < 1 || house > 12) return kSun;
  double cusp = chart.cusps[house - 1];
  if (sidereal == 1) ConvertToSidereal(&cusp, 1, settings, chart);
  const int sign = signOfLongitude(cusp);
  return sign == 0 ? kSun : RulerOfSign(sign, traditional);
}

AspectGroup aspectGroup(int code) {
  if (code <= 4) return AspectGroup::Major;
  if (code <= 8) return AspectGroup::Minor;
  return AspectGroup::Rare;
}

double AspectValue(int code) {
  return code >= 0 && code < kAspectCount ? kAspectAngle[code] : -1.0;
}

int AreAspectedLowLevel(double a, double b, double angle, double orb, double& deviation) {
  const double d = ShortestDistance(a, b);
  if (angle - orb <= d && d <= angle + orb) {
    deviation = std::fabs(d - angle);
    return 1;
  }
  return 0;
}

int AreAspected(int objA, int objB, const CIni& settings, const Chart1& chartA, const Chart2& computedA,
                const Chart1& chartB, const Chart2& computedB, bool major, bool minor, bool rare, int& code,
                double& deviation, int& applying, bool oneChart) {
  if (!validObject(objA) || !validObject(objB)) return 0;
  if (objA >= kAscendant && !AreThereHouses(chartA)) return 0;
  if (objB >= kAscendant && !AreThereHouses(chartB)) return 0;
  const double rawA = computedA.objects[objA], rawB = computedB.objects[objB];
  if (rawA == kNoPosition || rawB == kNoPosition) return 0;
  const double lonA = c_c360(rawA), lonB = c_c360(rawB);
  const double d = ShortestDistance(lonA, lonB);
  const bool luminary = objA == kSun || objA == kMoon || objB == kSun || objB == kMoon;
  const float* orbs = luminary ? settings.orbsLuminaries : settings.orbsOthers;
  const bool nodePair =
      (objA == kNorthNode && objB == kSouthNode) || (objA == kSouthNode && objB == kNorthNode);
  if (nodePair && oneChart) return 0;

  int verdict = -1;
  if (oneChart) {
    const int classA = speedClass(objA), classB = speedClass(objB);
    if (classA != 0 || classB != 0) {
      const bool bSlower = classB >= classA;
      const double s = bSlower ? lonB : lonA;
      double f = bSlower ? lonA : lonB;
      if (s + 180.0 > 360.0 && c_c360(s + 180.0) > f) f += 360.0;
      verdict = (s < f && f < s + 180.0) ? 0 : 1;
    }
  }

  for (int k = 0; k < kAspectCount; ++k) {
    const AspectGroup group = aspectGroup(k);
    if ((group == AspectGroup::Major && !major) || (group == AspectGroup::Minor && !minor) ||
        (group == AspectGroup::Rare && !rare))
      continue;
    const double angle = AspectValue(k);
    const double orb = orbs[k];
    if (angle - orb <= d && d <= angle + orb) {
      code = k;
      deviation = std::fabs(d - angle);
      applying = verdict;
      return 1;
    }
  }
  return 0;
}

int AreAspected(int objA, int objB, const CIni& settings, const Chart1& chartA, const Chart2& computedA,
                const Chart1& chartB, const Chart2& computedB, bool major, bool minor, bool rare, int& code,
                double& deviation, int& applying) {
  return AreAspected(objA, objB, settings, chartA, computedA, chartB, computedB, major, minor, rare, code,
                     deviation, applying, &computedA == &computedB);
}

int IsObjectAspectedToPl(double lon, int obj, const CIni& settings, const Chart1& chart,
                         const Chart2& computed, bool major, bool minor, bool rare, int& code,
                         double& deviation) {
  Chart2 copy = computed;
  copy.objects[kSun] = lon;
  int applying = -1;
  return AreAspected(kSun, obj, settings, chart, copy, chart, computed, major, minor, rare, code, deviation,
                     applying, false);
}

}  // namespace talpora
