// zykcalc: the lunar nodes, the mean obliquity, and all positions of one moment.
#include "engine/positions.h"

#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/positions_internal.h"

namespace talpora {

using orbit::norm360;
using orbit::sinDeg;

// Mean node: Meeus, Astronomical Algorithms, eq. 47.7 (ELP-2000/82), T in Julian centuries from
// J2000.0. True node: the mean node plus sixteen periodic terms in the Sun's and Moon's mean
// longitudes and perigees (amplitudes in degrees), the Moon's arguments with the same T. Input: the
// universal-time JD, used as it stands; outputs in degrees, [0, 360).
void asforce3(double jd, double& trueNode, double& meanNode) {
  const double T = (jd - 2451545.0) * orbit::kCenturiesPerDay;
  meanNode = norm360(125.0445479 - 1934.1362891 * T + 0.0020754 * T * T + T * T * T / 467441.0 -
                     T * T * T * T / 60616000.0);
  // The Moon's mean perigee and mean longitude, with the same T from J2000.0.
  const double G = norm360(83.0032429861111 + 4069.0137110555556 * T - 0.010323472222222222 * T * T);
  const double Lm = norm360(218.01665436388888 + 481267.8813423889 * T - 0.0013298055555555556 * T * T);
  const double T1900 = (jd - 2415020.0) * orbit::kCenturiesPerDay;
  const double W = norm360(101.0 + 180.0 + 1.719175 * T1900 + 0.00045277777777777775 * T1900 * T1900 +
                           0.0000033333333333333333 * T1900 * T1900 * T1900);
  const double L = norm360(279.69668 + 36000.76892 * T1900 + 0.0003025 * T1900 * T1900);
  const double N = meanNode;
  double node = meanNode;
  node += 1.517 * sinDeg(2 * L - 2 * N);
  node -= 0.163 * sinDeg(L - W);
  node -= 0.128 * sinDeg(2 * Lm - 2 * L);
  node += 0.12 * sinDeg(2 * Lm - 2 * N);
  node += 0.107 * sinDeg(2 * G - 2 * N);
  node += 0.063 * sinDeg(3 * L - 2 * N - W);
  node += 0.04 * sinDeg(Lm + G - 2 * L);
  node -= 0.04 * sinDeg(Lm + G - 2 * N);
  node += 0.027 * sinDeg(Lm - G);
  node -= 0.027 * sinDeg(L + W - 2 * N);
  node += 0.015 * sinDeg(2 * L - 2 * G);
  node -= 0.013 * sinDeg(Lm - G - 2 * L + 2 * N);
  node -= 0.013 * sinDeg(Lm - G + 2 * L - 2 * N);
  node -= 0.007 * sinDeg(2 * Lm + W - 3 * L);
  node += 0.005 * sinDeg(3 * Lm - G - 2 * N);
  node -= 0.005 * sinDeg(3 * Lm - G - 2 * L);
  trueNode = norm360(node);
}

// Mean obliquity of the ecliptic (Newcomb; Meeus, Astronomical Formulae for Calculators, ch. 18),
// T in Julian centuries from 1900 January 0.5 of the given (universal-time) JD. Degrees.
double Epsilon(double jd) {
  const double T = (jd - 2415020.0) * orbit::kCenturiesPerDay;
  return 23.452294 - 0.0130125 * T - 0.00000164 * T * T + 0.000000503 * T * T * T;
}

void ConvertToSiderealForJD(double* values, int count, const CIni& settings, double jd) {
  double sunLon, moonLon, moonLat, sunDist, trueAyanamsa, blackMoon, svp;
  asforce1Plus(jd, sunLon, moonLon, moonLat, sunDist, trueAyanamsa, blackMoon, svp);
  for (int k = 0; k < count; ++k) values[k] = toSidereal(values[k], settings.ayanamsa, trueAyanamsa, svp);
}

void ConvertToSiderealForJDFloat(float* values, int count, const CIni& settings, double jd) {
  double sunLon, moonLon, moonLat, sunDist, trueAyanamsa, blackMoon, svp;
  asforce1Plus(jd, sunLon, moonLon, moonLat, sunDist, trueAyanamsa, blackMoon, svp);
  for (int k = 0; k < count; ++k)
    values[k] = static_cast<float>(toSidereal(values[k], settings.ayanamsa, trueAyanamsa, svp));
}

// All positions of one universal-time moment, in the chart driver's order and time scales.
Positions computePositions(double jdUt, const ChironTable& chiron) {
  Positions p;
  p.jdUt = jdUt;
  short day, month, year, hour, minute;
  jd_to_date(jdUt, &day, &month, &year, &hour, &minute);
  p.deltaT = tdt(year);
  p.jde = jdUt + p.deltaT / 86400.0;
  p.obliquity = Epsilon(jdUt);
  double sunLon = 0;
  asforce1Plus(p.jde, sunLon, p.lon[kMoon], p.lat[kMoon], p.sunDist, p.trueAyanamsa, p.lon[kBlackMoon],
               p.syneticVernalPoint);
  double out[24];
  asforce2(p.jde, sunLon, p.sunDist, out);
  p.syneticVernalPoint = norm360(p.syneticVernalPoint);
  p.lon[kSun] = norm360(sunLon);
  for (int k = 0; k < 8; ++k) {
    p.lon[kMercury + k] = out[k];
    p.lat[kMercury + k] = out[8 + k];
    p.helioLon[kMercury + k] = out[16 + k];
  }
  double trueNode = 0;
  asforce3(jdUt, trueNode, p.meanNode);
  p.lon[kNorthNode] = trueNode;
  p.lon[kSouthNode] = norm360(trueNode + 180.0);
  Chiron(chiron, jdUt, p.lon[kChiron]);
  return p;
}

}  // namespace talpora
