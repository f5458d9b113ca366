// zykcore: angles on the circle and the unit constants every routine of the suite shares.
//
// norm360 and norm180 are bounded for every input: NaN and +-Inf give NaN, any finite value (1e20
// included) gives a value in range without loops, and a tiny negative angle that would round to 360
// gives 0. The arithmetic is exact (fmod), so a value already in range comes back unchanged.
#pragma once
#include <cmath>

#ifdef __FAST_MATH__
#error "Talpora must not be built with -ffast-math: results must be reproducible and NaN-aware"
#endif

namespace talpora {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;
inline constexpr double kDegToRad = kPi / 180.0;
inline constexpr double kRadToDeg = 180.0 / kPi;
inline constexpr double kArcsecToDeg = 1.0 / 3600.0;

// Degrees into [0, 360); NaN for NaN and +-Inf.
inline double norm360(double deg) {
  double r = std::fmod(deg, 360.0);  // exact, |r| < 360, NaN for NaN or Inf
  if (r < 0.0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;
}

// Degrees into [-180, 180); NaN for NaN and +-Inf.
inline double norm180(double deg) {
  const double r = norm360(deg);
  return r >= 180.0 ? r - 360.0 : r;
}

}  // namespace talpora
