// zykseries: geocentric and heliocentric positions of Mercury to Pluto.
#include <cmath>
#include <span>

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

// The Earth's mean anomaly (the Sun's, ibid., ch. 18), degrees, T as for the elements.
double earthMeanAnomaly(double T) {
  return norm360(358.475833 + 35999.04975 * T - 0.00015 * T * T - 0.0000033 * T * T * T);
}

// One planet's heliocentric position (0 Mercury .. 7 Pluto) for one JDE: the mean elements with
// the corrections made before the orbit is solved, then the orbit and, for Jupiter to Neptune, the
// corrections made after it. Pluto from its series within the years it covers.
Heliocentric heliocentricOf(int k, double jde) {
  const double T = (jde - 2415020.0) * orbit::kCenturiesPerDay;
  Elements el = meanElements(k, T, jde);
  switch (k) {
    case 1: {  // Venus
      const double venusTerm = 0.00077 * sinDeg(237.24 + 150.27 * T);
      el.L += venusTerm;
      el.M += venusTerm;
      return solveOrbit(el);
    }
    case 2: {  // Mars, with Jupiter's and the Earth's (the Sun's) mean anomalies
      const double Jv = meanElements(3, T, jde).M;
      const double Ev = earthMeanAnomaly(T);
      const double X = 3 * Jv - 8 * el.M + 4 * Ev;
      const double marsTerm = -0.01133 * sinDeg(X) - 0.00933 * cosDeg(X);
      el.L += marsTerm;
      el.M += marsTerm;
      return solveOrbit(el);
    }
    case 3:
    case 4:
    case 5:
    case 6: {
      constexpr orbit::OuterPlanet kOuter[4] = {orbit::OuterPlanet::Jupiter, orbit::OuterPlanet::Saturn,
                                                orbit::OuterPlanet::Uranus, orbit::OuterPlanet::Neptune};
      const orbit::OuterTerms c = orbit::outerPlanetTerms(kOuter[k - 3], T);
      Elements corrected = el;
      corrected.L = norm360(el.L + c.A);
      corrected.M = norm360(el.M + c.A - c.B / el.e);
      corrected.e = el.e + c.de;
      corrected.a = el.a + c.da;
      Heliocentric h = solveOrbit(corrected);
      h.lon = norm360(h.lon + c.dl);
      h.r += c.dr;
      h.lat += c.db;
      return h;
    }
    case 7:  // Pluto: the one place where the series and the fixed orbit meet
      return orbit::plutoSeriesCovers(jde) ? orbit::plutoSeriesOfDate(jde) : solveOrbit(el);
    default:  // Mercury
      return solveOrbit(el);
  }
}

// The Earth's heliocentric position as a rectangular vector (AU, ecliptic of date), from the Sun's
// geometric geocentric longitude and distance: opposite the Sun, its latitude taken as 0.
struct Vector {
  double x, y, z;
};
Vector earthFromSun(double geometricSunLon, double sunDist) {
  return {-sunDist * cosDeg(geometricSunLon), -sunDist * sinDeg(geometricSunLon), 0.0};
}
// The planet's geocentric vector (AU).
Vector geocentricVector(const Heliocentric& h, const Vector& earth) {
  const double cb = cosDeg(h.lat);
  return {h.r * cb * cosDeg(h.lon) - earth.x, h.r * cb * sinDeg(h.lon) - earth.y,
          h.r * sinDeg(h.lat) - earth.z};
}

// Light-time for one AU (Meeus, Astronomical Algorithms, ch. 33), days.
constexpr double kLightDaysPerAu = 0.0057755183;
// The constant of aberration (ibid., ch. 23), degrees.
constexpr double kAberration = 20.49552 * orbit::kArcsecToDeg;

}  // namespace

namespace orbit {

// Geocentric positions from the heliocentric ones of the same theory. The apparent positions follow
// Meeus, Astronomical Algorithms, ch. 33: the planet at JDE - tau with tau the light-time of its
// geometric distance (one pass, enough to a hundredth of an arc second), the annual aberration of
// ch. 23 (eq. 23.2, with the Earth's eccentricity and perihelion of Newcomb) and the nutation in
// longitude of asforce1Plus. Degrees, AU, dynamical time.
void planetPositions(double jde, double geometricSunLon, double sunDist, PlanetFrame frame,
                     std::span<double, 24> out) {
  const double T = (jde - 2415020.0) * kCenturiesPerDay;
  const Vector earth = earthFromSun(geometricSunLon, sunDist);
  const LunarSolarArguments args = lunarSolarArguments(T);
  const double dpsi = nutationInLongitudeArcsec(args, T) * kArcsecToDeg;
  const double earthE = 0.01675104 - 0.0000418 * T - 0.000000126 * T * T;
  const double earthPerihelion = 101.22083 + 1.7191736 * T + 0.000453 * T * T;
  for (int k = 0; k < 8; ++k) {
    const Heliocentric h = heliocentricOf(k, jde);
    out[16 + k] = h.lon;
    Vector g = geocentricVector(h, earth);
    if (frame == PlanetFrame::Apparent) {
      const double distance = std::sqrt(g.x * g.x + g.y * g.y + g.z * g.z);
      g = geocentricVector(heliocentricOf(k, jde - kLightDaysPerAu * distance), earth);
    }
    double lon = norm360(kRadToDeg * std::atan2(g.y, g.x));
    double lat = kRadToDeg * std::asin(g.z / std::sqrt(g.x * g.x + g.y * g.y + g.z * g.z));
    if (frame == PlanetFrame::Apparent) {
      const double toSun = geometricSunLon - lon, toPerihelion = earthPerihelion - lon;
      const double dLon =
          (-kAberration * cosDeg(toSun) + earthE * kAberration * cosDeg(toPerihelion)) / cosDeg(lat);
      const double dLat = -kAberration * sinDeg(lat) * (sinDeg(toSun) - earthE * sinDeg(toPerihelion));
      lon = norm360(lon + dLon + dpsi);
      lat += dLat;
    }
    out[k] = lon;
    out[8 + k] = lat;
  }

  // Periodic corrections to the geocentric longitudes of Mercury, Venus and Mars (Meeus,
  // Astronomical Formulae for Calculators, ch. 25), with the mean anomalies of the JDE before any
  // correction: Mercury, Venus, Mars, Jupiter and the Earth's (the Sun's).
  const double Mv = meanElements(0, T, jde).M, Vv = meanElements(1, T, jde).M;
  const double Mars = meanElements(2, T, jde).M, Jv = meanElements(3, T, jde).M;
  const double Ev = earthMeanAnomaly(T);
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

}  // namespace orbit

// Mercury to Pluto: mean elements of date with the handbook's periodic terms (Meeus, Astronomical
// Formulae for Calculators, ch. 23-25), Kepler's equation, and the Sun's apparent longitude and
// distance of asforce1Plus for the same JDE. The Earth is placed by the Sun's geometric longitude
// (asforce1Plus's aberration and nutation taken off again), so that the planet gets each correction
// once, its own. Pluto from its periodic series (Meeus, Astronomical Algorithms, ch. 37) within the
// years it covers, from the fixed osculating orbit outside them. Input JDE (dynamical time);
// outputs in degrees: geocentric apparent (true equinox of date), heliocentric geometric (mean
// equinox of date).
void asforce2(double jde, double sunLon, double sunDist, std::span<double, 24> out) {
  const double T = (jde - 2415020.0) * orbit::kCenturiesPerDay;
  const double geometricSunLon = sunLon - orbit::sunAberrationAndNutation(T);
  orbit::planetPositions(jde, geometricSunLon, sunDist, orbit::PlanetFrame::Apparent, out);
}

}  // namespace talpora
