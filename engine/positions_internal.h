// zykorbit, zykseries: helpers shared by the position theories (normalisation, Kepler's equation,
// the outer planets' periodic terms, Pluto's series). Not part of the engine's exported interface.
#pragma once
#include <cmath>

namespace talpora::orbit {

inline constexpr double kDegToRad = 0.017453292519943295;
inline constexpr double kRadToDeg = 57.29577951308232;
inline constexpr double kArcsecToDeg = 0.0002777777777777778;
// Julian centuries per day (1 / 36525), the factor of every T.
inline constexpr double kCenturiesPerDay = 2.7378507871321012e-05;

// x - 360 floor(x / 360), degrees, in [0, 360). A tiny negative x would round to 360.0 and is
// mapped to 0.
inline double norm360(double x) {
  const double r = x - 360.0 * std::floor(x * 0.002777777777777778);
  return r >= 360.0 ? r - 360.0 : r;
}
inline double sinDeg(double deg) {
  return std::sin(norm360(deg) * kDegToRad);
}
inline double cosDeg(double deg) {
  return std::cos(norm360(deg) * kDegToRad);
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
