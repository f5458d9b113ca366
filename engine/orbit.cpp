// zykorbit: the Sun, the Moon, the Black Moon and the two sidereal reference points.
#include <cmath>

#include "engine/positions.h"
#include "engine/positions_internal.h"

namespace talpora {
namespace {

using orbit::cosDeg;
using orbit::kArcsecToDeg;
using orbit::kDegToRad;
using orbit::norm360;
using orbit::sinDeg;

// One planetary term of the Sun's longitude: amplitude (arc seconds) times
// cos(v V + m Ma + j J + s S + g G + phase), V, Ma, J, S, G the arguments of sunPlanetaryTerms.
struct SunTerm {
  int v, m, j, s, g;
  double phaseDeg;
  double amplitudeArcsec;
};

// The Sun's planetary terms (Newcomb's perturbations by Venus, Mars, Jupiter and Saturn).
constexpr SunTerm kSunTerms[] = {
    // Venus
    {1, 0, 0, 0, 0, 90.0, 4.838},
    {2, 0, 0, 0, 0, 90.12, 5.526},
    {3, 0, 0, 0, 0, 270.41, 0.666},
    {4, 0, 0, 0, 0, 89.8, 0.21},
    {5, 0, 0, 0, 0, 270.1, 0.084},
    {2, 0, 0, 0, -1, 257.75, 2.497},
    {3, 0, 0, 0, -1, 77.96, 1.559},
    {3, 0, 0, 0, -2, 50.85, 1.024},
    {5, 0, 0, 0, -3, 34.1, 0.154},
    {4, 0, 0, 0, -2, 227.4, 0.152},
    {4, 0, 0, 0, -1, 79.0, 0.144},
    {5, 0, 0, 0, -2, 229.8, 0.123},
    {2, 0, 0, 0, 1, 90.7, 0.116},
    {1, 0, 0, 0, 1, 87.5, 0.075},
    {1, 0, 0, 0, -1, 358.8, 0.074},
    // Mars
    {0, 2, 0, 0, 0, 89.76, 2.043},
    {0, 3, 0, 0, 0, 273.0, 0.129},
    {0, 2, 0, 0, -1, 306.27, 1.77},
    {0, 4, 0, 0, -2, 185.82, 0.585},
    {0, 4, 0, 0, -1, 316.94, 0.5},
    {0, 3, 0, 0, -1, 317.7, 0.425},
    {0, 5, 0, 0, -2, 185.5, 0.204},
    {0, 6, 0, 0, -2, 185.0, 0.154},
    {0, 7, 0, 0, -3, 53.3, 0.106},
    {0, 6, 0, 0, -3, 53.9, 0.101},
    {0, 5, 0, 0, -1, 139.3, 0.085},
    {0, 1, 0, 0, 0, 90.6, 0.273},
    // Saturn
    {0, 0, 0, 1, 0, 90.34, 0.419},
    {0, 0, 0, 2, 0, 270.1, 0.108},
    {0, 0, 0, 2, -1, 273.1, 0.112},
    {0, 0, 0, 1, -1, 259.22, 0.32},
    // Jupiter
    {0, 0, 1, 0, 0, 91.09, 7.208},
    {0, 0, 2, 0, 0, 270.25, 2.731},
    {0, 0, 3, 0, 0, 265.25, 0.164},
    {0, 0, 1, 0, -1, 174.77, 2.6},
    {0, 0, 2, 0, -1, 292.6, 1.61},
    {0, 0, 3, 0, -1, 177.31, 0.556},
    {0, 0, 3, 0, -2, 193.2, 0.21},
    {0, 0, 1, 0, 1, 110.2, 0.163},
    {0, 0, 4, 0, -2, 83.9, 0.08},
    {0, 0, 1, 0, -2, 187.9, 0.073},
    {0, 0, 2, 0, -2, 75.7, 0.073},
    {0, 0, 2, 0, 1, 263.9, 0.069},
};

// Sum of the Sun's planetary terms and its lunar and long-period terms, arc seconds.
// g: the Sun's mean anomaly (degrees); T: Julian centuries (dynamical time) from 1900 January 0.5.
double sunPlanetaryTerms(double g, double T) {
  const double V = norm360(63.07037 + 22518.442986 * T);
  const double Ma = norm360(165.94905 + 16589.069667 * T);
  const double J = norm360(221.64742 + 32964.466939 * T);
  const double S = norm360(193.1323 + 34777.259042 * T);
  const double D1 = norm360(350.7374861 + 445267.114166 * T - 0.001436111 * T * T);
  const double M1 = norm360(296.1046083 + 477198.8489 * T + 0.0091966666 * T * T);
  double p = 0;
  for (const SunTerm& t : kSunTerms) {
    const double arg = t.v * V + t.m * Ma + t.j * J + t.s * S + t.g * g;
    p += t.amplitudeArcsec * std::cos((norm360(arg) + t.phaseDeg) * kDegToRad);
  }
  p += 6.454 * sinDeg(D1) + 0.424 * sinDeg(D1 - M1) + (1.882 - 0.016 * T) * sinDeg(57.24 + 150.27 * T) +
       6.4 * sinDeg(231.19 + 20.2 * T) + 0.266 * sinDeg(31.8 + 119.0 * T) + 0.202 * sinDeg(315.6 + 893.3 * T);
  return p;
}

// One periodic term of the Moon: amplitude (degrees) times Ef^e sin(d D + m Ms + mm Mm + f F).
struct MoonTerm {
  int d, m, mm, f;
  int efPower;
  double amplitudeDeg;
};

// The Moon's longitude (Brown's theory as abridged in Meeus, Astronomical Formulae for Calculators,
// ch. 30).
constexpr MoonTerm kMoonLongitude[] = {
    {0, 0, 1, 0, 0, 6.28875},    {2, 0, -1, 0, 0, 1.274018},  {2, 0, 0, 0, 0, 0.658309},
    {0, 0, 2, 0, 0, 0.213616},   {0, 1, 0, 0, 1, -0.185596},  {0, 0, 0, 2, 0, -0.114336},
    {2, 0, -2, 0, 0, 0.058793},  {2, -1, -1, 0, 1, 0.057212}, {2, 0, 1, 0, 0, 0.05332},
    {2, -1, 0, 0, 1, 0.045874},  {0, -1, 1, 0, 1, 0.041024},  {1, 0, 0, 0, 0, -0.034718},
    {0, 1, 1, 0, 1, -0.030465},  {2, 0, 0, -2, 0, 0.015326},  {0, 0, 1, 2, 0, -0.012528},
    {0, 0, -1, 2, 0, -0.01098},  {4, 0, -1, 0, 0, 0.010674},  {0, 0, 3, 0, 0, 0.010034},
    {4, 0, -2, 0, 0, 0.008548},  {2, 1, -1, 0, 1, -0.00791},  {2, 1, 0, 0, 1, -0.006783},
    {-1, 0, 1, 0, 0, 0.005162},  {1, 1, 0, 0, 1, 0.005},      {2, -1, 1, 0, 1, 0.004049},
    {2, 0, 2, 0, 0, 0.003996},   {4, 0, 0, 0, 0, 0.003862},   {2, 0, -3, 0, 0, 0.003665},
    {0, -1, 2, 0, 1, 0.002695},  {-2, 0, 1, -2, 0, 0.002602}, {2, -1, -2, 0, 1, 0.002396},
    {1, 0, 1, 0, 0, -0.002349},  {2, -2, 0, 0, 2, 0.002249},  {0, 1, 2, 0, 1, -0.002125},
    {0, 2, 0, 0, 2, -0.002079},  {2, -2, -1, 0, 2, 0.002059}, {2, 0, 1, -2, 0, -0.001773},
    {2, 0, 0, 2, 0, -0.001595},  {4, -1, -1, 0, 1, 0.00122},  {0, 0, 2, 2, 0, -0.00111},
    {-3, 0, 1, 0, 0, 0.000892},  {2, 1, 1, 0, 1, -0.000811},  {4, -1, -2, 0, 1, 0.000761},
    {0, -2, 1, 0, 2, 0.000717},  {-2, -2, 1, 0, 2, 0.000704}, {2, 1, -2, 0, 1, 0.000693},
    {2, -1, 0, -2, 1, 0.000598}, {4, 0, 1, 0, 0, 0.00055},    {0, 0, 4, 0, 0, 0.000538},
    {4, -1, 0, 0, 1, 0.000521},  {-1, 0, 2, 0, 0, 0.000486},
};

// The Moon's latitude (ibid.). Three rows of the handbook's table repeat the argument of another
// row (Mm + F, 2D - F and, with its sign turned, 2D - 2Mm - F); in their places stand the terms of
// the same size in Meeus, Astronomical Algorithms, table 47.B: Ms + F, 2D - Ms + Mm - F and
// 2D - 2Mm + F.
constexpr MoonTerm kMoonLatitude[] = {
    {0, 0, 0, 1, 0, 5.128896},   {0, 0, 1, 1, 0, 0.280606},    {0, 0, 1, -1, 0, 0.277693},
    {2, 0, 0, -1, 0, 0.173238},  {2, 0, -1, 1, 0, 0.055413},   {2, 0, -1, -1, 0, 0.046272},
    {2, 0, 0, 1, 0, 0.032573},   {0, 0, 2, 1, 0, 0.017198},    {2, 0, 1, -1, 0, 0.009267},
    {0, 0, 2, -1, 0, 0.008823},  {2, -1, 0, -1, 1, 0.008247},  {2, 0, -2, -1, 0, 0.004323},
    {2, 0, 1, 1, 0, 0.0042},     {-2, -1, 0, 1, 1, 0.003372},  {2, -1, -1, 1, 1, 0.002472},
    {2, -1, 0, 1, 1, 0.002222},  {2, -1, -1, -1, 1, 0.002072}, {0, -1, 1, 1, 1, 0.001877},
    {4, 0, -1, -1, 0, 0.001828}, {0, 1, 0, 1, 1, -0.001794},   {0, 0, 0, 3, 0, -0.00175},
    {0, -1, 1, -1, 1, 0.00157},  {0, 1, 1, 1, 1, -0.001481},   {0, -1, -1, 1, 1, 0.001417},
    {0, -1, 0, 1, 1, 0.00135},   {-1, 0, 0, 1, 0, 0.00133},    {0, 0, 3, 1, 0, 0.001106},
    {4, 0, 0, -1, 0, 0.00102},   {4, 0, -1, 1, 0, 0.000833},   {0, 0, 1, -3, 0, 0.000781},
    {4, 0, -2, 1, 0, 0.00067},   {2, 0, 0, -3, 0, 0.000606},   {2, 0, 2, -1, 0, 0.000597},
    {2, -1, 1, -1, 1, 0.000491}, {2, 0, -2, 1, 0, -0.000451},  {0, 0, 3, -1, 0, 0.000439},
    {2, 0, 2, 1, 0, 0.000423},   {2, 0, -3, -1, 0, 0.000422},  {2, 1, -1, 1, 1, -0.000367},
    {2, 1, 0, 1, 1, -0.000353},  {4, 0, 0, 1, 0, 0.000331},    {2, -1, 1, 1, 1, 0.000317},
    {2, -2, 0, -1, 2, 0.000306}, {0, 0, 1, 3, 0, -0.000283},
};

template <std::size_t N>
double moonSum(const MoonTerm (&terms)[N], double D, double Ms, double Mm, double F, double Ef) {
  double sum = 0;
  for (const MoonTerm& t : terms) {
    double factor = 1.0;
    for (int k = 0; k < t.efPower; ++k) factor *= Ef;
    sum += t.amplitudeDeg * factor * sinDeg(t.d * D + t.m * Ms + t.mm * Mm + t.f * F);
  }
  return sum;
}

}  // namespace

// The Sun: Newcomb's theory in the form of Meeus, Astronomical Formulae for Calculators, ch. 18, with
// its planetary and lunar terms in arc seconds; aberration and nutation as there. The Moon: Brown's
// theory abridged (ibid., ch. 30). Nutation: ibid., ch. 15. General precession since J2000: Lieske
// (1977). Black Moon: the mean lunar perigee (Meeus, Astronomical Algorithms, ch. 47) turned to the
// apogee, with its two largest solar terms. Input JDE (dynamical time); outputs in degrees (sunDist
// in AU), the Sun's longitude not renormalised, the references not normalised.
void asforce1Plus(double jde, double& sunLon, double& moonLon, double& moonLat, double& sunDist,
                  double& trueAyanamsa, double& blackMoon, double& syneticVernalPoint) {
  const double T = (jde - 2415020.0) * orbit::kCenturiesPerDay;
  const double T2 = T * T, T3 = T2 * T;

  // The Sun.
  const double L = norm360(279.69668 + 36000.76892 * T + 0.0003025 * T2);
  const double M = norm360(358.475833 + 35999.04975 * T - 0.00015 * T2 - 0.0000033 * T3);
  const double e = 0.01675104 - 0.0000418 * T - 0.000000126 * T2;
  const double E = orbit::keplerDegrees(M, e);
  const double v = orbit::trueAnomalyDegrees(E, e);
  const double A = norm360(153.23 + 22518.7541 * T);
  const double B = norm360(216.57 + 45037.5082 * T);
  const double K = norm360(312.69 + 32964.3577 * T);
  const double Dp = norm360(350.74 + 445267.1142 * T - 0.00144 * T2);
  const double H = norm360(335.4 + 65928.0 * T);
  sunDist = 1.0000002 * (1.0 - e * cosDeg(E)) + 0.00000543 * sinDeg(A) + 0.00001575 * sinDeg(B) +
            0.00001627 * sinDeg(K) + 0.00003076 * cosDeg(Dp) + 0.00000927 * sinDeg(H);
  const double P = sunPlanetaryTerms(M, T);
  const double lambda0 = norm360(L + (v - M) + P / 3600.0);
  sunLon = lambda0 + orbit::sunAberrationAndNutation(T);

  // Nutation and precession: the two sidereal references.
  const orbit::LunarSolarArguments args = orbit::lunarSolarArguments(T);
  double Lm = args.Lm, Ms = args.Ms, Mm = args.Mm, D = args.D, F = args.F;
  const double Omm = args.Omm;
  const double dpsiArcsec = orbit::nutationInLongitudeArcsec(args, T);
  const double dpsi = dpsiArcsec * kArcsecToDeg;
  const double t = (jde - 2451544.5) * orbit::kCenturiesPerDay;
  const double p = (5029.0966 * t + 1.11113 * t * t - 0.000006 * t * t * t) / 3600.0;
  trueAyanamsa = 23.8569170650906 + p + dpsi;
  syneticVernalPoint = 335.2595461 - dpsi - p;

  // The Black Moon, from the Sun's apparent longitude.
  const double Pi = 83.3532429861111 + 4069.0137110555556 * t - 0.010323472222222222 * t * t;
  const double ls = norm360(lambda0 + dpsi - (20.47 + 0.342 * cosDeg(Ms)) / 3600.0);
  blackMoon = norm360(norm360(Pi + 180.0) + 11.6 * sinDeg(2 * (ls - Pi)) - 2.21 * sinDeg(4 * (ls - Pi)));

  // The Moon: additive corrections to the mean elements, then the periodic terms.
  const double X = sinDeg(51.2 + 20.2 * T);
  const double Y = 0.003964 * sinDeg(346.56 + 132.87 * T - 0.0091731 * T2);
  const double Z = sinDeg(Omm);
  Lm += 0.000233 * X + Y + 0.001964 * Z;
  Ms -= 0.001778 * X;
  Mm += 0.000817 * X + Y + 0.002541 * Z;
  D += 0.002011 * X + Y + 0.001964 * Z;
  F += Y - 0.024691 * Z - 0.004328 * sinDeg(Omm + 275.05 - 2.3 * T);
  const double Ef = 1.0 - 0.002495 * T - 0.00000752 * T2;
  double lon = Lm + moonSum(kMoonLongitude, D, Ms, Mm, F, Ef);
  const double Ls = 279.6966778 + 36000.76892 * T + 0.0003025 * T2;
  lon += (-1.273 * sinDeg(2 * Ls) - (17.2327 + 0.01737 * T) * sinDeg(Omm)) / 3600.0;
  moonLon = norm360(lon);
  moonLat = moonSum(kMoonLatitude, D, Ms, Mm, F, Ef);
}

// The Sun, Moon, references and Black Moon without the synetic vernal point (see asforce1Plus).
void asforce1(double jde, double& sunLon, double& moonLon, double& moonLat, double& sunDist,
              double& trueAyanamsa, double& blackMoon) {
  double svp = 0;
  asforce1Plus(jde, sunLon, moonLon, moonLat, sunDist, trueAyanamsa, blackMoon, svp);
}

}  // namespace talpora
