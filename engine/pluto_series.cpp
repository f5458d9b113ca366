// zykseries: Pluto's heliocentric periodic series and its precession to the equinox of date.
// Source: Meeus, Astronomical Algorithms, 2nd ed. (Willmann-Bell, 1998), ch. 37 "Pluto" (the 43
// periodic terms, constant and linear parts) and the precession of ecliptical coordinates (ch. 21).
#include <cmath>

#include "engine/positions_internal.h"

namespace talpora::orbit {
namespace {

// alpha = j J + s S + p P; longitude and latitude in 1e-6 degree, radius in 1e-7 AU.
struct PlutoTerm {
  int j, s, p;
  double lonSin, lonCos, latSin, latCos, radSin, radCos;
};

constexpr PlutoTerm kPlutoTerms[] = {
    {0, 0, 1, -19799805, 19850055, -5452852, -14974862, 66865439, 68951812},
    {0, 0, 2, 897144, -4954829, 3527812, 1672790, -11827535, -332538},
    {0, 0, 3, 611149, 1211027, -1050748, 327647, 1593179, -1438890},
    {0, 0, 4, -341243, -189585, 178690, -292153, -18444, 483220},
    {0, 0, 5, 129287, -34992, 18650, 100340, -65977, -85431},
    {0, 0, 6, -38164, 30893, -30697, -25823, 31174, -6032},
    {0, 1, -1, 20442, -9987, 4878, 11248, -5794, 22161},
    {0, 1, 0, -4063, -5071, 226, -64, 4601, 4032},
    {0, 1, 1, -6016, -3336, 2030, -836, -1729, 234},
    {0, 1, 2, -3956, 3039, 69, -604, -415, 702},
    {0, 1, 3, -667, 3572, -247, -567, 239, 723},
    {0, 2, -2, 1276, 501, -57, 1, 67, -67},
    {0, 2, -1, 1152, -917, -122, 175, 1034, -451},
    {0, 2, 0, 630, -1277, -49, -164, -129, 504},
    {1, -1, 0, 2571, -459, -197, 199, 480, -231},
    {1, -1, 1, 899, -1449, -25, 217, 2, -441},
    {1, 0, -3, -1016, 1043, 589, -248, -3359, 265},
    {1, 0, -2, -2343, -1012, -269, 711, 7856, -7832},
    {1, 0, -1, 7042, 788, 185, 193, 36, 45763},
    {1, 0, 0, 1199, -338, 315, 807, 8663, 8547},
    {1, 0, 1, 418, -67, -130, -43, -809, -769},
    {1, 0, 2, 120, -274, 5, 3, 263, -144},
    {1, 0, 3, -60, -159, 2, 17, -126, 32},
    {1, 0, 4, -82, -29, 2, 5, -35, -16},
    {1, 1, -3, -36, -29, 2, 3, -19, -4},
    {1, 1, -2, -40, 7, 3, 1, -15, 8},
    {1, 1, -1, -14, 22, 2, -1, -4, 12},
    {1, 1, 0, 4, 13, 1, -1, 5, 6},
    {1, 1, 1, 5, 2, 0, -1, 3, 1},
    {1, 1, 3, -1, 0, 0, 0, 6, -2},
    {2, 0, -6, 2, 0, 0, -2, 2, 2},
    {2, 0, -5, -4, 5, 2, 2, -2, -2},
    {2, 0, -4, 4, -7, -7, 0, 14, 13},
    {2, 0, -3, 14, 24, 10, -8, -63, 13},
    {2, 0, -2, -49, -34, -3, 20, 136, -236},
    {2, 0, -1, 163, -48, 6, 5, 273, 1065},
    {2, 0, 0, 9, -24, 14, 17, 251, 149},
    {2, 0, 1, -4, 1, -2, 0, -25, -9},
    {2, 0, 2, -3, 1, 0, 0, 9, -2},
    {2, 0, 3, 1, 3, 0, 0, -8, 7},
    {3, 0, -2, -3, -1, 0, 1, 2, -10},
    {3, 0, -1, 5, -3, 0, 0, 19, 35},
    {3, 0, 0, 0, 0, 1, 0, 10, 3},
};

}  // namespace

// Geometric heliocentric longitude, latitude (degrees, ecliptic and mean equinox of J2000.0) and
// radius vector (AU) of Pluto for a JDE (dynamical time).
Heliocentric plutoSeriesJ2000(double jde) {
  const double T = (jde - 2451545.0) * kCenturiesPerDay;
  const double J = 34.35 + 3034.9057 * T;
  const double S = 50.08 + 1222.1138 * T;
  const double P = 238.96 + 144.96 * T;
  double lon = 0, lat = 0, rad = 0;
  for (const PlutoTerm& t : kPlutoTerms) {
    const double alpha = norm360(t.j * J + t.s * S + t.p * P) * kDegToRad;
    const double sa = std::sin(alpha), ca = std::cos(alpha);
    lon += t.lonSin * sa + t.lonCos * ca;
    lat += t.latSin * sa + t.latCos * ca;
    rad += t.radSin * sa + t.radCos * ca;
  }
  Heliocentric h;
  h.lon = norm360(238.958116 + 144.96 * T + lon * 0.000001);
  h.lat = -3.908239 + lat * 0.000001;
  h.r = 40.7241346 + rad * 0.0000001;
  return h;
}

// The same referred to the ecliptic and mean equinox of the date: the rotation of the precession of
// ecliptical coordinates from J2000.0 (eta, Pi, p of Meeus, Astronomical Algorithms, ch. 21).
Heliocentric plutoSeriesOfDate(double jde) {
  const Heliocentric h0 = plutoSeriesJ2000(jde);
  const double t = (jde - 2451545.0) * kCenturiesPerDay;
  const double eta = (47.0029 * t - 0.03302 * t * t + 0.00006 * t * t * t) * kArcsecToDeg;
  const double Pi = 174.876384 + (-869.8089 * t + 0.03536 * t * t) * kArcsecToDeg;
  const double p = (5029.0966 * t + 1.11113 * t * t - 0.000006 * t * t * t) * kArcsecToDeg;
  const double ce = cosDeg(eta), se = sinDeg(eta);
  const double cb = cosDeg(h0.lat), sb = sinDeg(h0.lat);
  const double A = ce * cb * sinDeg(Pi - h0.lon) - se * sb;
  const double B = cb * cosDeg(Pi - h0.lon);
  const double C = ce * sb + se * cb * sinDeg(Pi - h0.lon);
  Heliocentric h;
  h.lon = norm360(p + Pi - kRadToDeg * std::atan2(A, B));
  h.lat = kRadToDeg * std::asin(C);
  h.r = h0.r;
  return h;
}

}  // namespace talpora::orbit
