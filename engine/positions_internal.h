// zykorbit, zykseries: helpers shared by the position theories (normalisation, Kepler's equation,
// the outer planets' periodic terms, Pluto's series). Not part of the engine's exported interface.
#pragma once
#include <cmath>
#include <span>

#include "core/angles.h"

namespace talpora::orbit {

using talpora::kArcsecToDeg;
using talpora::kDegToRad;
using talpora::kRadToDeg;
using talpora::norm360;
// Julian centuries per day (1 / 36525), the factor of every T.
inline constexpr double kCenturiesPerDay = 2.7378507871321012e-05;

// x - 360 floor(x / 360), degrees, in [0, 360). A tiny negative x would round to 360.0 and is
inline double sinDeg(double deg) {
  return std::sin(norm360(deg) * kDegToRad);
}
inline double cosDeg(double deg) {
  return std::cos(norm360(deg) * kDegToRad);
}

// The lunar and solar mean arguments of the nutation and of the Moon (Meeus, Astronomical
// Formulae for Calculators, ch. 15 and 30), degrees in [0, 360), T in Julian centuries of dynamical
// time from 1900 January 0.5: the Sun's mean longitude L, the Moon's mean longitude Lm, the Sun's
// and the Moon's mean anomalies Ms and Mm, the Moon's elongation D, its argument of latitude F and
// the longitude of its ascending node Omm.
struct LunarSolarArguments {
  double L, Lm, Ms, Mm, D, F, Omm;
};
inline LunarSolarArguments lunarSolarArguments(double T) {
  const double T2 = T * T, T3 = T2 * T;
  return {norm360(279.69668 + 36000.76892 * T + 0.0003025 * T2),
          norm360(270.434164 + 481267.8831 * T - 0.001133 * T2 + 0.0000019 * T3),
          norm360(358.47583 + 35999.04975 * T - 0.00015 * T2 - 0.0000033 * T3),
          norm360(296.104608 + 477198.8491 * T + 0.009192 * T2 + 0.0000144 * T3),
          norm360(350.737486 + 445267.1142 * T - 0.001436 * T2 + 0.0000019 * T3),
          norm360(11.250889 + 483202.0251 * T - 0.003211 * T2 - 0.0000003 * T3),
          norm360(259.183275 - 1934.142 * T + 0.002078 * T2 + 0.0000022 * T3)};
}

// Nutation in longitude (ibid., ch. 15), arc seconds, from the arguments of the same T.
inline double nutationInLongitudeArcsec(const LunarSolarArguments& a, double T) {
  return -(17.2327 + 0.01737 * T) * sinDeg(a.Omm) - (1.2729 + 0.00013 * T) * sinDeg(2 * a.L) +
         0.2088 * sinDeg(2 * a.Omm) - 0.2037 * sinDeg(2 * a.Lm) + (0.1261 - 0.00031 * T) * sinDeg(a.Ms) +
         0.0675 * sinDeg(a.Mm) - (0.0497 - 0.00012 * T) * sinDeg(2 * a.L + a.Ms) -
         0.0342 * sinDeg(2 * a.Lm - a.Omm) - 0.0261 * sinDeg(2 * a.Lm + a.Mm) +
         0.0214 * sinDeg(2 * a.L - a.Ms) - 0.0149 * sinDeg(2 * a.L - 2 * a.Lm + a.Mm) +
         0.0124 * sinDeg(2 * a.L - a.Omm) + 0.0114 * sinDeg(2 * a.Lm - a.Mm);
}

// What asforce1Plus adds to the Sun's true (geometric) longitude to make it apparent: the
// aberration (-20.5") and the nutation in longitude (-17.2" sin of the Moon's node), degrees, T as
// above (ibid., ch. 18).
inline double sunAberrationAndNutation(double T) {
  return -0.00569 - 0.00479 * sinDeg(259.18 - 1934.142 * T);
}

// Kepler's equation E = M + e sin E in degrees by fixed-point iteration from E = 0, until two
// passes differ by at most 1e-7 degree (at most 100 passes; for e < 0.3 about 15 are needed, and a
// NaN input stops there instead of looping for ever). M in degrees, result in degrees.
inline double keplerDegrees(double meanAnomalyDeg, double e) {
  double E = 0.0;
  for (int pass = 0; pass < 100; ++pass) {
    const double next = meanAnomalyDeg + e * kRadToDeg * std::sin(E * kDegToRad);
    const bool done = std::fabs(next - E) <= 1e-7;
    E = next;
    if (done) break;
  }
  return E;
}

// True anomaly in degrees [0, 360) from the eccentric anomaly E (degrees) and the eccentricity.
inline double trueAnomalyDegrees(double E, double e) {
  const double half = E * 0.5 * kDegToRad;
  double v = 114.59155902616465 *
             std::atan2(std::sqrt(1.0 + e) * std::sin(half), std::sqrt(1.0 - e) * std::cos(half));
  if (v < 0) v += 360.0;
  return v;
}

// Periodic terms of one outer planet (Meeus, Astronomical Formulae for Calculators, the
// perturbations of Jupiter to Neptune), summed for T in Julian centuries of dynamical time from
// 1900 January 0.5. Units: A, B, dl, db degrees; de a pure number; da, dr AU.
struct OuterTerms {
  double A = 0;   // added to the mean longitude and the mean anomaly
  double B = 0;   // perihelion quantity: the mean anomaly gets - B / e (e before its correction)
  double de = 0;  // eccentricity
  double da = 0;  // semi-major axis
  double dl = 0;  // heliocentric longitude, after the orbit is solved (Uranus, Neptune)
  double dr = 0;  // radius vector, after the orbit is solved (Uranus, Neptune)
  double db = 0;  // heliocentric latitude, after the orbit is solved (Saturn, Uranus, Neptune)
};
enum class OuterPlanet { Jupiter, Saturn, Uranus, Neptune };
OuterTerms outerPlanetTerms(OuterPlanet planet, double T);

// A heliocentric position: longitude and latitude in degrees, radius vector in AU.
struct Heliocentric {
  double lon = 0;
  double lat = 0;
  double r = 0;
};

// Mercury to Pluto as seen from the Earth, the Earth placed opposite the Sun's geometric
// longitude (degrees) at its distance (AU). Geometric: the positions of the JDE, ecliptic and mean
// equinox of date. Apparent: each planet where it was when its light left it (light-time), with the
// annual aberration and the nutation in longitude, true equinox of date. The output layout is
// asforce2's; the heliocentric longitudes are geometric, of the JDE, in both.
enum class PlanetFrame { Geometric, Apparent };
void planetPositions(double jde, double geometricSunLon, double sunDist, PlanetFrame frame,
                     std::span<double, 24> out);

// Pluto's periodic series (Meeus, Astronomical Algorithms, 2nd ed., ch. 37), JDE in dynamical time.
// The years in which the engine uses it instead of the fixed osculating orbit: from 1885 January 1.0
// TT up to, not including, 2101 January 1.0 TT (the series' own range ends a year earlier, but 2100
// measures as well as 2099 against a modern ephemeris, and the fixed orbit is 0.6 degree off there).
inline constexpr double kPlutoSeriesFirstJde = 2409542.5;
inline constexpr double kPlutoSeriesEndJde = 2488434.5;
inline bool plutoSeriesCovers(double jde) {
  return jde >= kPlutoSeriesFirstJde && jde < kPlutoSeriesEndJde;
}
// Geometric heliocentric position referred to the ecliptic and mean equinox of J2000.0.
Heliocentric plutoSeriesJ2000(double jde);
// The same precessed to the ecliptic and mean equinox of the date (Meeus, Astronomical Algorithms,
// precession of ecliptical coordinates).
Heliocentric plutoSeriesOfDate(double jde);

}  // namespace talpora::orbit
