// zykcore: the one normalisation of angles, bounded for every input.
#include "core/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/heptagram.h"
#include "core/zodiac.h"

namespace talpora {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Row {
  const char* name;
  double in, want360, want180;
};
// want = NaN: the result must be NaN. Values in range come back unchanged (fmod is exact).
const Row kRows[] = {
    {"zero", 0.0, 0.0, 0.0},
    {"in range", 123.456, 123.456, 123.456},
    {"full turn", 360.0, 0.0, 0.0},
    {"minus a turn", -360.0, 0.0, 0.0},
    {"half turn", 180.0, 180.0, -180.0},
    {"small negative", -0.5, 359.5, -0.5},
    {"tiny negative rounds to 360", -1e-20, 0.0, -0.0},
    {"several turns", 720.25, 0.25, 0.25},
    {"several turns back", -1079.75, 0.25, 0.25},
    // 1e20 is exactly 10^20, and 10^20 = 280 (mod 360).
    {"huge", 1e20, 280.0, -80.0},
    {"huge negative", -1e20, 80.0, 80.0},
    {"NaN", kNaN, kNaN, kNaN},
    {"+Inf", kInf, kNaN, kNaN},
    {"-Inf", -kInf, kNaN, kNaN},
};

void expectAngle(double got, double want, const char* what) {
  if (std::isnan(want)) {
    EXPECT_TRUE(std::isnan(got)) << what << ": " << got;
  } else {
    EXPECT_DOUBLE_EQ(got, want) << what;
  }
}

TEST(Angles, Norm360AndNorm180AreBoundedForEveryInput) {
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.name);
    const double a = norm360(r.in), b = norm180(r.in);
    expectAngle(a, r.want360, "norm360");
    expectAngle(b, r.want180, "norm180");
    if (!std::isnan(a)) {
      EXPECT_GE(a, 0.0);
      EXPECT_LT(a, 360.0);
      EXPECT_GE(b, -180.0);
      EXPECT_LT(b, 180.0);
    }
    // The suite's exported name is the same function.
    expectAngle(c_c360(r.in), r.want360, "c_c360");
  }
}

TEST(Angles, UnitConstantsAgree) {
  EXPECT_DOUBLE_EQ(kDegToRad * kRadToDeg, 1.0);
  EXPECT_DOUBLE_EQ(180.0 * kDegToRad, kPi);
  EXPECT_DOUBLE_EQ(3600.0 * kArcsecToDeg, 1.0);
  EXPECT_DOUBLE_EQ(kTwoPi, 2 * kPi);
}

// The heptagram used to normalise with loops that never ended on huge or infinite longitudes; the
// classification now ends and leaves the figure well formed.
TEST(Angles, HeptagramEndsOnUnboundedLongitudes) {
  for (double bad : {1e20, kInf, -kInf, kNaN}) {
    SCOPED_TRACE(bad);
    const Heptagram h = classifyHeptagram({bad, 15, 8, 6, 19, 18, 16}, 3.0, kWeekOrder);
    for (int v = 1; v <= 7; ++v) {
      EXPECT_GE(h.planetAt[v], 0);
      EXPECT_LE(h.planetAt[v], 7);
    }
  }
}

}  // namespace
}  // namespace talpora
