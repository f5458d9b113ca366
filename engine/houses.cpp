// zykhouse: house cusps in the eleven house systems, the Vertex, the East Point, the sidereal time of a
// Midheaven, and the house that holds a longitude.
#include "engine/houses.h"

#include <algorithm>
#include <cmath>

#include "core/angles.h"

namespace talpora {
namespace {

// The house routines keep the constants of the suite's original house tables, written there to 14 or
// 15 digits (pi as 3.1415926535897403, not the nearest double): with them the cusps reproduce the
// suite's listings to the last printed digit. They are named for that, apart from core/angles.h.
constexpr double kTableRadPerHour = 0.261799387799145;  // 15 degrees of right ascension per hour
constexpr double kTableDegToRad = 0.017453292519943;
constexpr double kTableRadToDeg = 57.29577951308329;
constexpr double kTableHalfPi = 1.5707963267948701;
constexpr double kTableThreeHalfPi = 4.71238898038461;
constexpr double kTablePi = 3.1415926535897403;
constexpr double kTableTwoPi = 2 * kTablePi;
// A domain argument this far outside [-1, 1] is rounding, not a circumpolar point.
constexpr double kDomainSlack = 1e-9;

double clampUnit(double x) {
  return std::clamp(x, -1.0, 1.0);
}
bool inDomain(double x) {
  return std::fabs(x) <= 1.0 + kDomainSlack;
}

// The sky of one chart in radians, seen from the northern hemisphere: a southern latitude is taken
// by its absolute value with the meridian turned by 180 degrees, and the cusps are turned back after.
struct Frame {
  double ramc = 0;  // right ascension of the meridian
  double eps = 0;   // obliquity
  double phi = 0;   // latitude, >= 0
  double phiDeg = 0;
  double epsDeg = 0;
};

// The longitude rising on the horizon of pole `pole` when the meridian has right ascension `r`
// (all radians; result degrees): atan2(cos r, -(sin r cos eps + tan pole sin eps)), written with
// Napier's analogies so that a pole of exactly 90 degrees needs no tangent.
double ascendantOf(double r, double pole, double eps) {
  const double ha = (eps - pole + kTableHalfPi) / 2;
  const double hb = (eps + pole + kTableHalfPi) / 2;
  const double hc = (r - kTableThreeHalfPi) / 2;
  const double theta1 = std::atan2(std::sin(ha) * std::sin(hc), std::cos(hb) * std::cos(hc));
  const double theta2 = std::atan2(-std::cos(ha) * std::sin(hc), std::sin(hb) * std::cos(hc));
  return norm360((theta1 - theta2) * kTableRadToDeg);
}
// Longitude (degrees) of the ecliptic point with right ascension `a` (radians).
double longitudeOfRa(double a, double eps) {
  return norm360(std::atan2(std::sin(a), std::cos(a) * std::cos(eps)) * kTableRadToDeg);
}
// The Ascendant: the intersection of ecliptic and horizon that rises in the east. The formula gives
// that one wherever the ecliptic crosses the horizon obliquely; inside the polar circles it can give
// the western one, which is then turned by 180 degrees. The eastern intersection is the one whose
// right ascension runs ahead of the meridian's, that is the one in the half of the ecliptic that
// follows the Midheaven (the Midheaven itself may lie below the horizon there).
double risingAscendant(const Frame& f) {
  const double a = ascendantOf(f.ramc, f.phi, f.eps);
  const double m = longitudeOfRa(f.ramc, f.eps);
  return norm360(a - m) < 180.0 ? a : norm360(a + 180.0);
}
// Right ascension (degrees) of the ecliptic longitude `lonDeg`.
double raOfLongitude(double lonDeg, double eps) {
  const double l = lonDeg * kTableDegToRad;
  return norm360(std::atan2(std::sin(l) * std::cos(eps), std::cos(l)) * kTableRadToDeg);
}

// Six cusps in the frame: index 0, 1, 2 = cusps 1, 2, 3 and 9, 10, 11 = cusps 10, 11, 12.
using Six = double[12];

void porphyry(const Frame& f, Six c) {
  const double a = risingAscendant(f);
  const double m = longitudeOfRa(f.ramc, f.eps);
  const double d = norm360(a - m);
  const double e = norm360(m + 180 - a);
  c[0] = a;
  c[1] = norm360(a + e / 3);
  c[2] = norm360(a + 2 * e / 3);
  c[9] = m;
  c[10] = norm360(m + d / 3);
  c[11] = norm360(m + 2 * d / 3);
}

// Placidus: trisection of the semi-arcs in time. Fixed-point iteration on the cusp's right
// ascension R' = RAMC + k acos(-+sin R tan eps tan phi), bounded; undefined where ecliptic points are
// circumpolar (latitude at or beyond 90 - eps).
bool placidus(const Frame& f, Six c) {
  if (f.phiDeg >= 90.0 - f.epsDeg) return false;
  const double t = std::tan(f.eps) * std::tan(f.phi);
  constexpr double kTolerance =
      1e-10;  // radians of right ascension (0.001 degree leaves ~7" near 66 degrees)
  constexpr int kMaxPasses = 100;
  auto solve = [&](double start, double base, double factor, double sign) {
    double r = f.ramc + start;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
      const double next = base + factor * std::acos(clampUnit(sign * std::sin(r) * t));
      const bool done = std::fabs(next - r) <= kTolerance;
      r = next;
      if (done) break;
    }
    return longitudeOfRa(r, f.eps);
  };
  c[0] = risingAscendant(f);
  c[9] = longitudeOfRa(f.ramc, f.eps);
  c[10] = solve(30 * kTableDegToRad, f.ramc, 1.0 / 3.0, -1.0);
  c[11] = solve(60 * kTableDegToRad, f.ramc, 2.0 / 3.0, -1.0);
  c[1] = solve(120 * kTableDegToRad, f.ramc + kTablePi, -2.0 / 3.0, 1.0);
  c[2] = solve(150 * kTableDegToRad, f.ramc + kTablePi, -1.0 / 3.0, 1.0);
  return true;
}

// Campanus: the prime vertical divided into twelve, projected along the house circles.
bool campanus(const Frame& f, Six c) {
  const double h30 = 30 * kTableDegToRad, h60 = 60 * kTableDegToRad;
  const double p30 = std::asin(std::sin(f.phi) * std::sin(h30));
  const double p60 = std::asin(std::sin(f.phi) * std::sin(h60));
  const double a30 = std::cos(h30) / std::cos(p30), a60 = std::cos(h60) / std::cos(p60);
  if (!inDomain(a30) || !inDomain(a60)) return false;
  const double q30 = std::asin(clampUnit(a30)), q60 = std::asin(clampUnit(a60));
  c[0] = risingAscendant(f);
  c[9] = longitudeOfRa(f.ramc, f.eps);
  c[10] = ascendantOf(f.ramc - q30, p30, f.eps);
  c[11] = ascendantOf(f.ramc - q60, p60, f.eps);
  c[1] = ascendantOf(f.ramc + q60, p60, f.eps);
  c[2] = ascendantOf(f.ramc + q30, p30, f.eps);
  return true;
}

// Regiomontanus: the equator divided into twelve, projected along the house circles.
bool regiomontanus(const Frame& f, Six c) {
  const double p30 = std::atan(std::sin(30 * kTableDegToRad) * std::tan(f.phi));
  const double p60 = std::atan(std::sin(60 * kTableDegToRad) * std::tan(f.phi));
  c[0] = risingAscendant(f);
  c[9] = longitudeOfRa(f.ramc, f.eps);
  c[10] = ascendantOf(f.ramc - 1.0471975511965976, p30, f.eps);
  c[11] = ascendantOf(f.ramc - 0.5235987755982988, p60, f.eps);
  c[1] = ascendantOf(f.ramc + 0.5235987755982988, p60, f.eps);
  c[2] = ascendantOf(f.ramc + 1.0471975511965976, p30, f.eps);
  return true;
}

// Koch: the Midheaven's diurnal semi-arc trisected in oblique ascension. Undefined where the
// Midheaven's ascensional difference does not exist (latitude at or beyond 90 - eps).
bool koch(const Frame& f, Six c) {
  if (f.phiDeg >= 90.0 - f.epsDeg) return false;
  const double arg = std::tan(f.phi) * std::tan(f.eps) * std::sin(f.ramc);
  if (!inDomain(arg)) return false;
  const double ad = std::asin(clampUnit(arg));
  const double third = (ad + kTableHalfPi) / 3;
  auto cusp = [&](int k) {
    const double x = f.ramc - ad + k * third;
    return norm360(
        std::atan2(std::sin(x), std::cos(x) * std::cos(f.eps) - std::sin(f.eps) * std::tan(f.phi)) *
        kTableRadToDeg);
  };
  c[0] = risingAscendant(f);
  c[9] = longitudeOfRa(f.ramc, f.eps);
  c[10] = cusp(1);
  c[11] = cusp(2);
  c[1] = cusp(4);
  c[2] = cusp(5);
  return true;
}

void equal(const Frame& f, Six c) {
  const double a = risingAscendant(f);
  for (int k : {0, 1, 2, 9, 10, 11}) c[k] = norm360(a + 30.0 * k);
}

// Alcabitius: the Ascendant's diurnal semi-arc trisected in right ascension.
void alcabitius(const Frame& f, Six c) {
  const double asc = risingAscendant(f);
  const double ra = raOfLongitude(asc, f.eps);
  const double m = norm360(f.ramc * kTableRadToDeg);
  const double d = norm360(ra - m);
  const double e = norm360(m + 180 - ra);
  auto lon = [&](double raDeg) { return longitudeOfRa(raDeg * kTableDegToRad, f.eps); };
  c[0] = lon(ra);
  c[1] = lon(ra + e / 3);
  c[2] = lon(ra + 2 * e / 3);
  c[9] = longitudeOfRa(f.ramc, f.eps);
  c[10] = lon(m + d / 3);
  c[11] = lon(m + 2 * d / 3);
}

// Topocentric: the poles of the intermediate cusps have tangents of 1/3 and 2/3 of tan(latitude).
void topocentric(const Frame& f, Six c) {
  const double tanPhi = std::tan(f.phi);
  auto cusp = [&](double r, double k) {
    return norm360(std::atan2(-std::cos(r), std::sin(r) * std::cos(f.eps) + k * tanPhi * std::sin(f.eps)) *
                       kTableRadToDeg +
                   180);
  };
  c[0] = risingAscendant(f);
  c[9] = longitudeOfRa(f.ramc, f.eps);
  c[10] = cusp(f.ramc + 5.2359877559829, 1.0 / 3.0);
  c[11] = cusp(f.ramc + 5.75958653158119, 2.0 / 3.0);
  c[1] = cusp(f.ramc + 0.52359877559829, 2.0 / 3.0);
  c[2] = cusp(f.ramc + 1.04719755119658, 1.0 / 3.0);
}

// Abenragel: the Ascendant's semi-arcs trisected in hour angle along its parallel of declination.
bool abenragel(const Frame& f, Six c) {
  const double asc = risingAscendant(f);
  const double da = std::asin(clampUnit(std::sin(f.eps) * std::sin(asc * kTableDegToRad)));
  const double x = std::tan(f.phi) * std::tan(da);
  if (!std::isfinite(x) || !inDomain(x)) return false;
  const double xc = clampUnit(x);
  const double sd = std::acos(-xc), sn = std::acos(xc);
  auto cusp = [&](double h) {
    const double a = std::atan2(std::cos(h) + xc, std::sin(h));
    return norm360(std::atan2(-std::cos(f.ramc + a), std::sin(f.ramc + a) * std::cos(f.eps) +
                                                         std::cos(a) * std::sin(f.eps) * std::tan(f.phi)) *
                   kTableRadToDeg);
  };
  c[0] = asc;
  c[9] = longitudeOfRa(f.ramc, f.eps);
  c[1] = cusp(2.0 / 3.0 * sn + kTablePi);
  c[2] = cusp(1.0 / 3.0 * sn + kTablePi);
  c[10] = cusp(kTableTwoPi - 1.0 / 3.0 * sd);
  c[11] = cusp(kTableTwoPi - 2.0 / 3.0 * sd);
  return true;
}

// Albatagenius: the Sun's present semi-arc (diurnal by day, nocturnal by night) trisected in right
// ascension from the meridian gives cusps 11, 12 and 1; its complement (the other semi-arc, 180
// degrees less it), trisected from cusp 1 to the lower meridian, gives cusps 2 and 3. Every cusp
// thus lies a growing arc of right ascension east of the meridian, in the order of the signs.
// Undefined without the Sun or with a circumpolar Sun.
bool albatagenius(const Frame& f, Six c, double sunDeg) {
  if (!std::isfinite(sunDeg) || sunDeg == kNoPosition) return false;
  double ra = 0, decl = 0;
  eclipticToEquatorial(sunDeg, 0.0, f.epsDeg, ra, decl);
  const double x = std::tan(f.phi) * std::tan(decl * kTableDegToRad);
  if (!std::isfinite(x) || !inDomain(x)) return false;
  const double asc = risingAscendant(f);
  const double s = sunDeg < asc ? sunDeg + 360 : sunDeg;
  const bool night = s > asc && s < asc + 180;
  const double d = night ? std::acos(clampUnit(x)) : std::acos(clampUnit(-x));
  const double n = kTablePi - d;
  c[9] = longitudeOfRa(f.ramc, f.eps);
  c[10] = longitudeOfRa(f.ramc + d / 3, f.eps);
  c[11] = longitudeOfRa(f.ramc + 2 * d / 3, f.eps);
  c[0] = longitudeOfRa(f.ramc + d, f.eps);
  c[1] = longitudeOfRa(f.ramc + d + n / 3, f.eps);
  c[2] = longitudeOfRa(f.ramc + d + 2 * n / 3, f.eps);
  return true;
}

}  // namespace

int effectiveHouseSystem(int system) {
  return (system < 0 || system >= house_system::kCount) ? house_system::kPlacidus : system;
}

// Cusps of the house systems: the formulas of each system in its usual spherical form (the
// Ascendant-type point of a pole, trisections in right ascension, oblique ascension or hour angle).
// Input degrees and hours; a non-finite input is taken as 0, a latitude beyond +-90 as +-90.
HouseStatus Houses(double eps, double latitude, double siderealTime, int system, std::span<double, 12> cusps,
                   double sunLongitude) {
  using namespace house_system;
  if (!std::isfinite(eps)) eps = 0;
  if (!std::isfinite(latitude)) latitude = 0;
  if (!std::isfinite(siderealTime)) siderealTime = 0;
  latitude = std::clamp(latitude, -90.0, 90.0);
  const int sys = effectiveHouseSystem(system);
  // Bi-horary: south of the equator the sidereal time is advanced by 12 hours, then Placidus runs.
  if (sys == kBiHorary && latitude < 0) siderealTime += 12;
  const bool south = latitude < 0;
  Frame f;
  f.phiDeg = std::fabs(latitude);
  f.phi = f.phiDeg * kTableDegToRad;
  f.epsDeg = eps;
  f.eps = eps * kTableDegToRad;
  f.ramc = siderealTime * kTableRadPerHour + (south ? kTablePi : 0.0);
  Six c = {};
  bool ok = true;
  switch (sys) {
    case kNoHouses:
    case kPlacidus:
    case kBiHorary:
      ok = placidus(f, c);
      break;
    case kCampanus:
      ok = campanus(f, c);
      break;
    case kRegiomontanus:
      ok = regiomontanus(f, c);
      break;
    case kKoch:
      ok = koch(f, c);
      break;
    case kEqual:
      equal(f, c);
      break;
    case kPorphyre:
      porphyry(f, c);
      break;
    case kAlcabitius:
      alcabitius(f, c);
      break;
    case kTopocentric:
      topocentric(f, c);
      break;
    case kAbenragel:
      ok = abenragel(f, c);
      break;
    case kAlbatagenius:
      ok = albatagenius(f, c, sunLongitude);
      break;
    default:
      ok = placidus(f, c);
      break;
  }
  for (int k : {0, 1, 2, 9, 10, 11})
    if (!std::isfinite(c[k])) ok = false;
  if (!ok) porphyry(f, c);
  for (int k : {0, 1, 2, 9, 10, 11}) {
    cusps[k] = south ? norm360(c[k] + 180) : c[k];
  }
  for (int k = 0; k < 3; ++k) {
    cusps[3 + k] = norm360(cusps[9 + k] + 180);
    cusps[6 + k] = norm360(cusps[k] + 180);
  }
  return ok ? HouseStatus::Computed : HouseStatus::PorphyryFallback;
}

// The Vertex as the western intersection of the prime vertical and the ecliptic, by vectors in
// equatorial coordinates: the prime vertical's pole is the horizon's north point (declination
// 90 - latitude on the lower meridian), the ecliptic's pole is (0, -sin eps, cos eps).
double Vertex(double eps, double latitude, double siderealTime) {
  if (!std::isfinite(eps)) eps = 0;
  if (!std::isfinite(latitude)) latitude = 0;
  if (!std::isfinite(siderealTime)) siderealTime = 0;
  latitude = std::clamp(latitude, -90.0, 90.0);
  const double e = eps * kTableDegToRad, phi = latitude * kTableDegToRad,
               ramc = siderealTime * kTableRadPerHour;
  const double kx = 0, ky = -std::sin(e), kz = std::cos(e);
  const double px = -std::sin(phi) * std::cos(ramc), py = -std::sin(phi) * std::sin(ramc), pz = std::cos(phi);
  double dx = ky * pz - kz * py, dy = kz * px - kx * pz, dz = kx * py - ky * px;
  // The west point of the horizon (declination 0, right ascension RAMC - 90 degrees).
  const double wx = std::sin(ramc), wy = -std::cos(ramc);
  const double norm = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (norm < 1e-12) {
    // The ecliptic is the prime vertical: its western point is the west point itself.
    dx = wx;
    dy = wy;
    dz = 0;
  } else {
    double west = dx * wx + dy * wy;
    if (std::fabs(west) < 1e-12 * norm) {
      // The intersection lies on the meridian (zenith and nadir): take the one above the horizon.
      const double zx = std::cos(phi) * std::cos(ramc), zy = std::cos(phi) * std::sin(ramc),
                   zz = std::sin(phi);
      west = dx * zx + dy * zy + dz * zz;
    }
    if (west < 0) {
      dx = -dx;
      dy = -dy;
      dz = -dz;
    }
  }
  const double xe = dx, ye = dy * std::cos(e) + dz * std::sin(e);
  return norm360(std::atan2(ye, xe) * kTableRadToDeg);
}

// The Ascendant for latitude 0: the ecliptic point rising on the equator's horizon.
double EastPoint(double eps, double siderealTime) {
  if (!std::isfinite(eps)) eps = 0;
  if (!std::isfinite(siderealTime)) siderealTime = 0;
  return ascendantOf(siderealTime * kTableRadPerHour, 0.0, eps * kTableDegToRad);
}

// The right ascension of the meridian whose ecliptic point is `mc`, in hours.
double GetSiderealTimeFromMC(double mc, double eps) {
  if (!std::isfinite(mc) || !std::isfinite(eps)) return 0;
  const double m = mc * kTableDegToRad, e = eps * kTableDegToRad;
  const double hours =
      norm360(std::atan2(std::sin(m) * std::cos(e), std::cos(m)) * kTableRadToDeg) * 0.06666666666666667;
  return hours >= 24.0 ? 0.0 : hours;
}

int houseOfLongitude(double longitude, std::span<const double, 12> cusps) {
  if (!std::isfinite(longitude) || longitude == kNoPosition) return 0;
  const double x = norm360(longitude);
  for (int i = 0; i < 12; ++i) {
    const double from = cusps[i], to = cusps[(i + 1) % 12];
    if (!std::isfinite(from) || !std::isfinite(to)) continue;
    const double span = norm360(to - from);
    if (norm360(x - from) < span) return i + 1;
  }
  return 0;
}

int ObjectIsInHouse(double longitude, int force, const CIni& settings, const Chart1& birth,
                    const Chart2& chart) {
  if (force == 0 && AreThereHouses(birth) != 1) return 0;
  if (!std::isfinite(longitude) || longitude == kNoPosition) return 0;
  if (settings.houseSystem == chart.houseSystem) return houseOfLongitude(longitude, chart.cusps);
  double cusps[12];
  Houses(chart.obliquity, birth.latitude, chart.siderealTime, settings.houseSystem, cusps,
         chart.objects[kSun]);
  return houseOfLongitude(longitude, cusps);
}

int IsInHouse(int object, const CIni& settings, const Chart1& birth, const Chart2& chart) {
  if (object < 0 || object >= kObjectCount || object == kAscendant || object == kMidheaven) return 0;
  const double lon = chart.objects[object];
  if (lon == kNoPosition) return 0;
  return ObjectIsInHouse(lon, 0, settings, birth, chart);
}

int IsInHouseUsingThatHouseSystem(int object, int system, const CIni& settings, const Chart1& birth,
                                  const Chart2& chart) {
  CIni other = settings;
  other.houseSystem = static_cast<std::int16_t>(system);
  return IsInHouse(object, other, birth, chart);
}

// Ecliptic to equatorial coordinates (Meeus, Astronomical Algorithms, eq. 13.3 and 13.4), degrees.
void eclipticToEquatorial(double longitude, double latitude, double eps, double& rightAscension,
                          double& declination) {
  constexpr double kRad = kDegToRad;
  const double l = longitude * kRad, b = latitude * kRad, e = eps * kRad;
  double ra = std::atan2(std::sin(l) * std::cos(e) - std::tan(b) * std::sin(e), std::cos(l)) / kRad;
  if (ra < 0) ra += 360;
  if (ra >= 360) ra -= 360;
  rightAscension = ra;
  declination =
      std::asin(clampUnit(std::sin(b) * std::cos(e) + std::cos(b) * std::sin(e) * std::sin(l))) / kRad;
}

}  // namespace talpora
