// zykseries: geocentric and heliocentric positions of Mercury to Pluto.
#include <cmath>

#include "engine/positions.h"
#include "engine/positions_internal.h"

namespace talpora {
namespace {

using orbit::cosDeg;
using orbit::Heliocentric;
using orbit::kDegToRad;
using orbit::kRadToDeg;
using orbit::norm360;
using orbit::sinDeg;

// Mean orbital elements of date: angles in degrees, a in AU.
struct Elements {
  double L, M, a, e, i, N;
};

// The polynomials of the handbook's table of mean elements (Meeus, Astronomical Formulae for
// Calculators, ch. 23), T in Julian centuries (dynamical time) from 1900 January 0.5. Pluto: a fixed
// osculating orbit with slowly moving perihelion and node.
Elements meanElements(int planet, double T, double jde) {
  const double T2 = T * T, T3 = T2 * T;
  switch (planet) {
    case 0:  // Mercury
      return {norm360(178.179078 + 149474.07078 * T + 0.0003011 * T2),
              norm360(102.27938 + 149472.51529 * T + 0.000007 * T2),
              0.3870986,
              0.20561421 + 0.00002046 * T - 0.00000003 * T2,
              7.002881 + 0.0018608 * T - 0.0000183 * T2,
              norm360(47.145944 + 1.1852083 * T + 0.0001739 * T2)};
    case 1:  // Venus
      return {norm360(342.767053 + 58519.21191 * T + 0.0003097 * T2),
              norm360(212.60322 + 58517.80387 * T + 0.001286 * T2),
              0.7233316,
              0.00682069 - 0.00004774 * T + 0.00000009099999 * T2,
              3.393631 + 0.0010058 * T - 0.000001 * T2,
              norm360(75.779647 + 0.89985 * T + 0.00041 * T2)};
    case 2:  // Mars; the node is the handbook's polynomial
      return {norm360(293.737334 + 19141.69551 * T + 0.0003107 * T2),
              norm360(319.51913 + 19139.85475 * T + 0.000181 * T2),
              1.5236883,
              0.09331289 + 0.000092064 * T - 0.000000077 * T2,
              1.850333 - 0.000675 * T + 0.0000126 * T2,
              norm360(48.786442 + 0.7709917 * T - 0.0000014 * T2 - 0.00000533 * T3)};
    case 3:  // Jupiter
      return {norm360(238.049257 + 3036.301986 * T + 0.0003347 * T2 - 0.00000165 * T3),
              norm360(225.32833 + 3034.69202 * T - 0.000722 * T2),
              5.202561,
              0.04833475 + 0.00016418 * T - 0.0000004676 * T2 - 0.0000000017 * T3,
              1.308736 - 0.0056961 * T + 0.0000039 * T2,
              norm360(99.443414 + 1.01053 * T + 0.00035222 * T2 - 0.00000851 * T3)};
    case 4:  // Saturn
      return {norm360(266.564377 + 1223.509884 * T + 0.0003245 * T2 - 0.0000058 * T3),
              norm360(175.46622 + 1221.55147 * T - 0.000502 * T2),
              9.554747,
              0.05589232 - 0.0003455 * T - 0.000000728 * T2 + 0.00000000074 * T3,
              2.492519 - 0.0039189 * T - 0.00001549 * T2 + 0.00000004 * T3,
              norm360(112.790414 + 0.8731951 * T - 0.00015218 * T2 - 0.00000531 * T3)};
    case 5:  // Uranus
      return {norm360(244.19747 + 429.863546 * T + 0.000316 * T2 - 0.0000006 * T3),
              norm360(72.64878 + 428.37911 * T + 0.000079 * T2),
              19.21814,
              0.0463444 - 0.00002658 * T + 0.000000077 * T2,
              0.772464 + 0.0006253 * T + 0.0000395 * T2,
              norm360(73.477111 + 0.4986678 * T + 0.0013117 * T2)};
    case 6:  // Neptune
      return {norm360(84.457994 + 219.885914 * T + 0.0003205 * T2 - 0.0000006 * T3),
              norm360(37.73063 + 218.46134 * T - 0.00007 * T2),
              30.10957,
              0.00899704 + 0.00000633 * T - 0.000000002 * T2,
              1.779242 - 0.009543599 * T - 0.0000091 * T2,
              norm360(130.681389 + 1.098935 * T + 0.00024987 * T2 - 0.000004718 * T3)};
    default: {  // Pluto
      const double L = norm360(92.53441 + 146.745 * T + 0.00031 * T2);
      return {L,         norm360(L - (223.31202 + 0.00003823 * (jde - 2415020.5))),
              39.438712, 0.250236,
              17.17047,  norm360(109.0417 + 1.3964 * T + 0.00031 * T2)};
    }
  }
}

// Solves the orbit: heliocentric longitude and latitude (degrees, ecliptic and mean equinox of date)
// and radius vector (AU) from elements of date (Meeus, Astronomical Formulae for Calculators, ch. 23).
Heliocentric solveOrbit(const Elements& el) {
  const double E = orbit::keplerDegrees(el.M, el.e);
  const double v = orbit::trueAnomalyDegrees(E, el.e);
  const double u = norm360(el.L + v - el.M - el.N);
  const double ci = cosDeg(el.i), si = sinDeg(el.i);
  const double su = sinDeg(u), cu = cosDeg(u);
  Heliocentric h;
  h.lon = norm360(kRadToDeg * std::atan2(ci * su, cu) + el.N);
  h.lat = kRadToDeg * std::asin(si * su);
  h.r = el.a * (1.0 - el.e * cosDeg(E));
  return h;
}

// Geocentric longitude and latitude (degrees) of a heliocentric position, with the Sun's geocentric
// longitude (degrees) and distance (AU); the Sun's latitude is taken as 0.
void toGeocentric(const Heliocentric& h, double sunLon, double sunDist, double& lon, double& lat) {
  const double cb = cosDeg(h.lat);
  const double x = h.r * cb * cosDeg(h.lon) + sunDist * cosDeg(sunLon);
  const double y = h.r * cb * sinDeg(h.lon) + sunDist * sinDeg(sunLon);
  const double z = h.r * sinDeg(h.lat);
  lon = norm360(kRadToDeg * std::atan2(y, x));
  lat = kRadToDeg * std::asin(z / std::sqrt(x * x + y * y + z * z));
}

}  // namespace

// Mercury to Pluto: mean elements of date with the handbook's periodic terms (Meeus, Astronomical
// Formulae for Calculators, ch. 23-25), Kepler's equation, and the Sun's geocentric longitude and
// distance for the same JDE. Pluto from its periodic series (Meeus, Astronomical Algorithms, ch. 37)
// within the years it covers, from the fixed osculating orbit outside them. Input JDE (dynamical
// time); outputs in degrees, geometric, ecliptic and mean equinox of date.
void asforce2(double jde, double sunLon, double sunDist, std::span<double, 24> out) {
  const double T = (jde - 2415020.0) * orbit::kCenturiesPerDay;
  Elements el[8];
  for (int k = 0; k < 8; ++k) el[k] = meanElements(k, T, jde);
  // The mean anomalies the corrections use, before any correction: Mercury, Venus, Mars, Jupiter
  // and the Earth's (the Sun's).
  const double Mv = el[0].M, Vv = el[1].M, Mars = el[2].M, Jv = el[3].M;
  const double Ev = norm360(358.475833 + 35999.04975 * T - 0.00015 * T * T - 0.0000033 * T * T * T);

  // Corrections to the mean elements before the orbit is solved.
  const double venusTerm = 0.00077 * sinDeg(237.24 + 150.27 * T);
  el[1].L += venusTerm;
  el[1].M += venusTerm;
  const double X = 3 * Jv - 8 * Mars + 4 * Ev;
  const double marsTerm = -0.01133 * sinDeg(X) - 0.00933 * cosDeg(X);
  el[2].L += marsTerm;
  el[2].M += marsTerm;

  Heliocentric helio[8];
  for (int k = 0; k < 3; ++k) helio[k] = solveOrbit(el[k]);
  constexpr orbit::OuterPlanet kOuter[4] = {orbit::OuterPlanet::Jupiter, orbit::OuterPlanet::Saturn,
                                            orbit::OuterPlanet::Uranus, orbit::OuterPlanet::Neptune};
  for (int k = 3; k < 7; ++k) {
    const orbit::OuterTerms c = orbit::outerPlanetTerms(kOuter[k - 3], T);
    Elements corrected = el[k];
    corrected.L = norm360(el[k].L + c.A);
    corrected.M = norm360(el[k].M + c.A - c.B / el[k].e);
    corrected.e = el[k].e + c.de;
    corrected.a = el[k].a + c.da;
    Heliocentric h = solveOrbit(corrected);
    h.lon = norm360(h.lon + c.dl);
    h.r += c.dr;
    h.lat += c.db;
    helio[k] = h;
  }
  // Pluto: the one place where the series and the fixed orbit meet.
  helio[7] = orbit::plutoSeriesCovers(jde) ? orbit::plutoSeriesOfDate(jde) : solveOrbit(el[7]);

  for (int k = 0; k < 8; ++k) {
    double lon = 0, lat = 0;
    toGeocentric(helio[k], sunLon, sunDist, lon, lat);
    out[k] = lon;
    out[8 + k] = lat;
    out[16 + k] = helio[k].lon;
  }

  // Periodic corrections to the geocentric longitudes of Mercury, Venus and Mars (ibid., ch. 25).
  out[0] =
      norm360(out[0] + 0.00204 * cosDeg(5 * Vv - 2 * Mv - 12.22) + 0.00103 * cosDeg(2 * Vv - Mv - 160.692) +
              0.00091 * cosDeg(2 * Jv - Mv - 37.003) + 0.00078 * cosDeg(5 * Vv - 3 * Mv - 10.137));
  out[1] = norm360(out[1] + 0.00313 * cosDeg(2 * Ev - 2 * Vv - 148.225) +
                   0.00198 * cosDeg(3 * Ev - 3 * Vv + 2.565) + 0.00136 * cosDeg(Ev - Vv - 119.107) +
                   0.00096 * cosDeg(3 * Ev - 2 * Vv - 135.912) + 0.00082 * cosDeg(Jv - Vv - 208.087));
  out[2] = norm360(out[2] + 0.00705 * cosDeg(Jv - Mars - 48.958) + 0.00607 * cosDeg(2 * Jv - Mars - 188.35) +
                   0.00445 * cosDeg(2 * Jv - 2 * Mars - 191.897) + 0.00388 * cosDeg(Ev - 2 * Mars + 20.495) +
                   0.00238 * cosDeg(Ev - Mars + 35.097) + 0.00204 * cosDeg(2 * Ev - 3 * Mars + 158.638) +
                   0.00177 * cosDeg(3 * Mars - Vv + 57.602) + 0.00136 * cosDeg(2 * Ev - 4 * Mars + 154.093) +
                   0.00104 * cosDeg(Jv + 17.618));
}

}  // namespace talpora
