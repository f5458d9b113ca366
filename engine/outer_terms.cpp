// zykseries: the periodic terms of Jupiter, Saturn, Uranus and Neptune.
// Source: Meeus, Astronomical Formulae for Calculators (Willmann-Bell, 3rd ed. 1985 / 4th ed. 1988),
// the perturbations of the four outer planets that follow the table of mean orbital elements. Each row
// is (c0 + c1 nu + c2 nu^2) times one or two sines/cosines; factored groups of the handbook are
// expanded into one row per product, with the sign carried into the numbers.
#include <cstddef>
#include <initializer_list>

#include "engine/positions_internal.h"

namespace talpora::orbit {
namespace {

// The quantity a row adds to, and the unit of its numbers.
enum Quantity { kA, kB, kDe, kDa, kDl, kDr, kDb };
// The arguments of the terms (degrees).
enum Arg { kNone, kV, kW, kZeta, kQ, kPsi, kH, kS, kEta, kTheta, kG, kArgCount };
enum Fn { kOne, kSin, kCos };

// fn(m1 a1 + m2 a2), or 1 for kOne.
struct Factor {
  Fn fn = kOne;
  int m1 = 0;
  Arg a1 = kNone;
  int m2 = 0;
  Arg a2 = kNone;
};

struct Term {
  Quantity q;
  double c0, c1, c2;  // constant, times nu, times nu^2
  Factor f1, f2;
};

constexpr Term kJupiter[] = {
    // A
    {kA, 0.331364, -0.010281, -0.004692, {kSin, 1, kV, 0, kNone}, {kOne}},
    {kA, 0.003228, -0.064436, 0.002075, {kCos, 1, kV, 0, kNone}, {kOne}},
    {kA, -0.003083, -0.000275, 0.000489, {kSin, 2, kV, 0, kNone}, {kOne}},
    {kA, 0.002472, 0, 0, {kSin, 1, kW, 0, kNone}, {kOne}},
    {kA, 0.013619, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kOne}},
    {kA, 0.018472, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kOne}},
    {kA, 0.006717, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kOne}},
    {kA, 0.002775, 0, 0, {kSin, 4, kZeta, 0, kNone}, {kOne}},
    {kA, 0.007275, -0.001253, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, 0.006417, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, 0.002439, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, -0.033839, -0.001125, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, -0.003767, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, -0.035681, -0.001208, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kA, -0.004261, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kA, 0.002178, 0, 0, {kCos, 1, kQ, 0, kNone}, {kOne}},
    {kA, -0.006333, 0.001161, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kA, -0.006675, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kA, -0.002664, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kA, -0.002572, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kA, -0.003567, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kA, 0.002094, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kA, 0.003342, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    // B
    {kB, 0.007192, -0.003147, 0, {kSin, 1, kV, 0, kNone}, {kOne}},
    {kB, -0.020428, -0.000675, 0.000197, {kCos, 1, kV, 0, kNone}, {kOne}},
    {kB, 0.007269, 0.000672, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kB, -0.004344, 0, 0, {kSin, 1, kQ, 0, kNone}, {kOne}},
    {kB, 0.034036, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kB, 0.005614, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kB, 0.002964, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kB, 0.037761, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kB, 0.006158, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kB, -0.006603, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kB, -0.005356, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kB, 0.002722, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kB, 0.004483, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kB, -0.002642, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kB, 0.004403, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kB, -0.002536, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kB, 0.005547, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kB, -0.002689, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    // de
    {kDe, 3606, 130, -43, {kSin, 1, kV, 0, kNone}, {kOne}},
    {kDe, 1289, -580, 0, {kCos, 1, kV, 0, kNone}, {kOne}},
    {kDe, -6764, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, -1110, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, -224, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, -204, 0, 0, {kSin, 1, kQ, 0, kNone}, {kOne}},
    {kDe, 1284, 116, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, 188, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, 1460, 130, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, 224, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, -817, 0, 0, {kCos, 1, kQ, 0, kNone}, {kOne}},
    {kDe, 6074, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, 992, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, 508, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, 230, 0, 0, {kCos, 4, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, 108, 0, 0, {kCos, 5, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, -956, -73, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, 448, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, 137, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, -997, 108, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, 480, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, 148, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, -956, 99, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, 490, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, 158, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, 179, 0, 0, {kCos, 2, kQ, 0, kNone}, {kOne}},
    {kDe, 1024, 75, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, -437, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, -132, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    // da
    {kDa, -263, 0, 0, {kCos, 1, kV, 0, kNone}, {kOne}},
    {kDa, 205, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kOne}},
    {kDa, 693, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kOne}},
    {kDa, 312, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kOne}},
    {kDa, 147, 0, 0, {kCos, 4, kZeta, 0, kNone}, {kOne}},
    {kDa, 299, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, 181, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, 204, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, 111, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, -337, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, -111, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
};
constexpr Term kSaturn[] = {
    // A
    {kA, -0.814181, 0.018150, 0.016714, {kSin, 1, kV, 0, kNone}, {kOne}},
    {kA, -0.010497, 0.160906, -0.004100, {kCos, 1, kV, 0, kNone}, {kOne}},
    {kA, 0.007581, 0, 0, {kSin, 2, kV, 0, kNone}, {kOne}},
    {kA, -0.007986, 0, 0, {kSin, 1, kW, 0, kNone}, {kOne}},
    {kA, -0.148811, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kOne}},
    {kA, -0.040786, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kOne}},
    {kA, -0.015208, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kOne}},
    {kA, -0.006339, 0, 0, {kSin, 4, kZeta, 0, kNone}, {kOne}},
    {kA, -0.006244, 0, 0, {kSin, 1, kQ, 0, kNone}, {kOne}},
    {kA, 0.008931, 0.002728, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, -0.016500, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, -0.005775, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, 0.081344, 0.003206, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, 0.015019, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kA, 0.085581, 0.002494, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kA, 0.025328, -0.003117, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kA, 0.014394, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kA, 0.006319, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kA, 0.006369, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kA, 0.009156, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kA, 0.007525, 0, 0, {kSin, 3, kPsi, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kA, -0.005236, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kA, -0.007736, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kA, -0.007528, 0, 0, {kCos, 3, kPsi, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    // B
    {kB, 0.077108, 0.007186, -0.001533, {kSin, 1, kV, 0, kNone}, {kOne}},
    {kB, 0.045803, -0.014766, -0.000536, {kCos, 1, kV, 0, kNone}, {kOne}},
    {kB, -0.007075, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kOne}},
    {kB, -0.075825, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kB, -0.024839, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kB, -0.008631, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kB, -0.072586, 0, 0, {kCos, 1, kQ, 0, kNone}, {kOne}},
    {kB, -0.150383, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kB, 0.026897, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kB, 0.010053, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kB, -0.013597, -0.001719, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kB, -0.007742, 0.001517, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kB, 0.013586, -0.001375, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kB, -0.013667, 0.001239, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kB, 0.011981, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kB, 0.014861, 0.001136, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kB, -0.013064, -0.001628, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    // de
    {kDe, -7927, 2548, 91, {kSin, 1, kV, 0, kNone}, {kOne}},
    {kDe, 13381, 1226, -253, {kCos, 1, kV, 0, kNone}, {kOne}},
    {kDe, 248, -121, 0, {kSin, 2, kV, 0, kNone}, {kOne}},
    {kDe, -305, -91, 0, {kCos, 2, kV, 0, kNone}, {kOne}},
    {kDe, 412, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kOne}},
    {kDe, 12415, 0, 0, {kSin, 1, kQ, 0, kNone}, {kOne}},
    {kDe, 390, -617, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, 165, -204, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, 26599, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, -4687, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, -1870, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, -821, 0, 0, {kCos, 4, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, -377, 0, 0, {kCos, 5, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, 497, 0, 0, {kCos, 2, kPsi, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDe, 163, -611, 0, {kCos, 1, kQ, 0, kNone}, {kOne}},
    {kDe, -12696, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, -4200, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, -1503, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, -619, 0, 0, {kSin, 4, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, -268, 0, 0, {kSin, 5, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, -282, -1306, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, -86, 230, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, 461, 0, 0, {kSin, 2, kPsi, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDe, -350, 0, 0, {kSin, 2, kQ, 0, kNone}, {kOne}},
    {kDe, 2211, -286, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, -2208, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, -568, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, -346, 0, 0, {kSin, 4, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, -2780, -222, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, 2022, 263, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, 248, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, 242, 0, 0, {kSin, 3, kPsi, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, 467, 0, 0, {kCos, 3, kPsi, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDe, -490, 0, 0, {kCos, 2, kQ, 0, kNone}, {kOne}},
    {kDe, -2842, -279, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, 128, 226, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, 224, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, -1594, 282, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, 2162, -207, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, 561, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, 343, 0, 0, {kCos, 4, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, 469, 0, 0, {kSin, 3, kPsi, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, -242, 0, 0, {kCos, 3, kPsi, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDe, -205, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 3, kQ, 0, kNone}},
    {kDe, 262, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kSin, 3, kQ, 0, kNone}},
    {kDe, 208, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 3, kQ, 0, kNone}},
    {kDe, -271, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 3, kQ, 0, kNone}},
    {kDe, -382, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kSin, 4, kQ, 0, kNone}},
    {kDe, -376, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kCos, 4, kQ, 0, kNone}},
    // da
    {kDa, 0, 572, 0, {kSin, 1, kV, 0, kNone}, {kOne}},
    {kDa, 2933, 0, 0, {kCos, 1, kV, 0, kNone}, {kOne}},
    {kDa, 33629, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kOne}},
    {kDa, -3081, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kOne}},
    {kDa, -1423, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kOne}},
    {kDa, -671, 0, 0, {kCos, 4, kZeta, 0, kNone}, {kOne}},
    {kDa, -320, 0, 0, {kCos, 5, kZeta, 0, kNone}, {kOne}},
    {kDa, 1098, 0, 0, {kSin, 1, kQ, 0, kNone}, {kOne}},
    {kDa, -2812, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, 688, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, -393, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, -228, 0, 0, {kSin, 4, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, 2138, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, -999, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, -642, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, -325, 0, 0, {kCos, 4, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDa, -890, 0, 0, {kCos, 1, kQ, 0, kNone}, {kOne}},
    {kDa, 2206, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, -1590, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, -647, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, -344, 0, 0, {kSin, 4, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, 2885, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, 2172, 102, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, 296, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDa, -267, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDa, -778, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDa, 495, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDa, 250, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDa, -856, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDa, 441, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDa, 296, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDa, 211, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDa, -427, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kSin, 3, kQ, 0, kNone}},
    {kDa, 398, 0, 0, {kSin, 3, kZeta, 0, kNone}, {kSin, 3, kQ, 0, kNone}},
    {kDa, 344, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 3, kQ, 0, kNone}},
    {kDa, -427, 0, 0, {kCos, 3, kZeta, 0, kNone}, {kCos, 3, kQ, 0, kNone}},
    // db
    {kDb, 0.000747, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kSin, 1, kQ, 0, kNone}},
    {kDb, 0.001069, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kCos, 1, kQ, 0, kNone}},
    {kDb, 0.002108, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDb, 0.001261, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kSin, 2, kQ, 0, kNone}},
    {kDb, 0.001236, 0, 0, {kSin, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
    {kDb, -0.002075, 0, 0, {kCos, 2, kZeta, 0, kNone}, {kCos, 2, kQ, 0, kNone}},
};
constexpr Term kUranus[] = {
    // A
    {kA, 0.864319, -0.001583, 0, {kSin, 1, kH, 0, kNone}, {kOne}},
    {kA, 0.082222, -0.006833, 0, {kCos, 1, kH, 0, kNone}, {kOne}},
    {kA, 0.036017, 0, 0, {kSin, 2, kH, 0, kNone}, {kOne}},
    {kA, -0.003019, 0, 0, {kCos, 2, kH, 0, kNone}, {kOne}},
    {kA, 0.008122, 0, 0, {kSin, 1, kW, 0, kNone}, {kOne}},
    // B
    {kB, 0.120303, 0, 0, {kSin, 1, kH, 0, kNone}, {kOne}},
    {kB, 0.019472, -0.000947, 0, {kCos, 1, kH, 0, kNone}, {kOne}},
    {kB, 0.006197, 0, 0, {kSin, 2, kH, 0, kNone}, {kOne}},
    // de
    {kDe, -3349, 163, 0, {kSin, 1, kH, 0, kNone}, {kOne}},
    {kDe, 20981, 0, 0, {kCos, 1, kH, 0, kNone}, {kOne}},
    {kDe, 1311, 0, 0, {kCos, 2, kH, 0, kNone}, {kOne}},
    // da
    {kDa, -0.003825, 0, 0, {kCos, 1, kH, 0, kNone}, {kOne}},
    // dl
    {kDl, 0.010122, -0.000988, 0, {kSin, 1, kS, 1, kEta}, {kOne}},
    {kDl, -0.038581, 0.002031, -0.001910, {kCos, 1, kS, 1, kEta}, {kOne}},
    {kDl, 0.034964, -0.001038, 0.000868, {kCos, 2, kS, 1, kEta}, {kOne}},
    {kDl, 0.005594, 0, 0, {kSin, 1, kS, 3, kTheta}, {kOne}},
    {kDl, -0.014808, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kOne}},
    {kDl, -0.005794, 0, 0, {kSin, 1, kEta, 0, kNone}, {kOne}},
    {kDl, 0.002347, 0, 0, {kCos, 1, kEta, 0, kNone}, {kOne}},
    {kDl, 0.009872, 0, 0, {kSin, 1, kTheta, 0, kNone}, {kOne}},
    {kDl, 0.008803, 0, 0, {kSin, 2, kTheta, 0, kNone}, {kOne}},
    {kDl, -0.004308, 0, 0, {kSin, 3, kTheta, 0, kNone}, {kOne}},
    // dr
    {kDr, -25948, 0, 0, {kOne}, {kOne}},
    {kDr, 4985, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kOne}},
    {kDr, -1230, 0, 0, {kCos, 1, kS, 0, kNone}, {kOne}},
    {kDr, 3354, 0, 0, {kCos, 1, kEta, 0, kNone}, {kOne}},
    {kDr, 904, 0, 0, {kCos, 2, kTheta, 0, kNone}, {kOne}},
    {kDr, 894, 0, 0, {kCos, 1, kTheta, 0, kNone}, {kOne}},
    {kDr, -894, 0, 0, {kCos, 3, kTheta, 0, kNone}, {kOne}},
    {kDr, 5795, 0, 0, {kCos, 1, kS, 0, kNone}, {kSin, 1, kEta, 0, kNone}},
    {kDr, -1165, 0, 0, {kSin, 1, kS, 0, kNone}, {kSin, 1, kEta, 0, kNone}},
    {kDr, 1388, 0, 0, {kCos, 2, kS, 0, kNone}, {kSin, 1, kEta, 0, kNone}},
    {kDr, 1351, 0, 0, {kCos, 1, kS, 0, kNone}, {kCos, 1, kEta, 0, kNone}},
    {kDr, 5702, 0, 0, {kSin, 1, kS, 0, kNone}, {kCos, 1, kEta, 0, kNone}},
    {kDr, 1388, 0, 0, {kSin, 2, kS, 0, kNone}, {kCos, 1, kEta, 0, kNone}},
    // db
    {kDb, 0.000458, 0, 0, {kSin, 1, kEta, 0, kNone}, {kSin, 1, kS, 0, kNone}},
    {kDb, -0.000642, 0, 0, {kCos, 1, kEta, 0, kNone}, {kSin, 1, kS, 0, kNone}},
    {kDb, -0.000517, 0, 0, {kCos, 4, kTheta, 0, kNone}, {kSin, 1, kS, 0, kNone}},
    {kDb, -0.000347, 0, 0, {kSin, 1, kEta, 0, kNone}, {kCos, 1, kS, 0, kNone}},
    {kDb, -0.000853, 0, 0, {kCos, 1, kEta, 0, kNone}, {kCos, 1, kS, 0, kNone}},
    {kDb, -0.000517, 0, 0, {kSin, 4, kEta, 0, kNone}, {kCos, 1, kS, 0, kNone}},
    {kDb, 0.000403, 0, 0, {kCos, 2, kTheta, 0, kNone}, {kSin, 2, kS, 0, kNone}},
    {kDb, 0.000403, 0, 0, {kSin, 2, kTheta, 0, kNone}, {kCos, 2, kS, 0, kNone}},
};
constexpr Term kNeptune[] = {
    // A
    {kA, -0.589833, 0.001089, 0, {kSin, 1, kH, 0, kNone}, {kOne}},
    {kA, -0.056094, 0.004658, 0, {kCos, 1, kH, 0, kNone}, {kOne}},
    {kA, -0.024286, 0, 0, {kSin, 2, kH, 0, kNone}, {kOne}},
    // B
    {kB, 0.024039, 0, 0, {kSin, 1, kH, 0, kNone}, {kOne}},
    {kB, -0.025303, 0, 0, {kCos, 1, kH, 0, kNone}, {kOne}},
    {kB, 0.006206, 0, 0, {kSin, 2, kH, 0, kNone}, {kOne}},
    {kB, -0.005992, 0, 0, {kCos, 2, kH, 0, kNone}, {kOne}},
    // de
    {kDe, 4389, 0, 0, {kSin, 1, kH, 0, kNone}, {kOne}},
    {kDe, 4262, 0, 0, {kCos, 1, kH, 0, kNone}, {kOne}},
    {kDe, 1129, 0, 0, {kSin, 2, kH, 0, kNone}, {kOne}},
    {kDe, 1089, 0, 0, {kCos, 2, kH, 0, kNone}, {kOne}},
    // da
    {kDa, -817, 0, 0, {kSin, 1, kH, 0, kNone}, {kOne}},
    {kDa, 8189, 0, 0, {kCos, 1, kH, 0, kNone}, {kOne}},
    {kDa, 781, 0, 0, {kCos, 2, kH, 0, kNone}, {kOne}},
    // dl
    {kDl, -0.009556, 0, 0, {kSin, 1, kZeta, 0, kNone}, {kOne}},
    {kDl, -0.005178, 0, 0, {kSin, 1, kEta, 0, kNone}, {kOne}},
    {kDl, 0.002572, 0, 0, {kSin, 2, kTheta, 0, kNone}, {kOne}},
    {kDl, -0.002972, 0, 0, {kCos, 2, kTheta, 0, kNone}, {kSin, 1, kG, 0, kNone}},
    {kDl, -0.002833, 0, 0, {kSin, 2, kTheta, 0, kNone}, {kCos, 1, kG, 0, kNone}},
    // dr
    {kDr, -40596, 0, 0, {kOne}, {kOne}},
    {kDr, 4992, 0, 0, {kCos, 1, kZeta, 0, kNone}, {kOne}},
    {kDr, 2744, 0, 0, {kCos, 1, kEta, 0, kNone}, {kOne}},
    {kDr, 2044, 0, 0, {kCos, 1, kTheta, 0, kNone}, {kOne}},
    {kDr, 1051, 0, 0, {kCos, 2, kTheta, 0, kNone}, {kOne}},
    // db
    {kDb, 0.000336, 0, 0, {kCos, 2, kTheta, 0, kNone}, {kSin, 1, kG, 0, kNone}},
    {kDb, 0.000364, 0, 0, {kSin, 2, kTheta, 0, kNone}, {kCos, 1, kG, 0, kNone}},
};

template <std::size_t N>
OuterTerms sumTerms(const Term (&table)[N], const double (&arg)[kArgCount], double nu, double daUnit) {
  double sum[7] = {};
  for (const Term& t : table) {
    double value = t.c0 + (t.c1 + t.c2 * nu) * nu;
    for (const Factor* f : {&t.f1, &t.f2}) {
      if (f->fn == kOne) continue;
      const double x = f->m1 * arg[f->a1] + f->m2 * arg[f->a2];
      value *= f->fn == kSin ? sinDeg(x) : cosDeg(x);
    }
    sum[t.q] += value;
  }
  OuterTerms r;
  r.A = sum[kA];
  r.B = sum[kB];
  r.de = sum[kDe] * 1e-7;
  r.da = sum[kDa] * daUnit;
  r.dl = sum[kDl];
  r.dr = sum[kDr] * 1e-6;
  r.db = sum[kDb];
  return r;
}

}  // namespace

// The outer planets' periodic terms, T in Julian centuries of dynamical time from 1900 January 0.5.
// Semi-major-axis terms are in 1e-6 AU except Uranus's single term, given in AU.
OuterTerms outerPlanetTerms(OuterPlanet planet, double T) {
  const double nu = T / 5.0 + 0.1;
  const double P = norm360(237.47555 + 3034.9061 * T);
  const double Q = norm360(265.9165 + 1222.1139 * T);
  const double S = norm360(243.51721 + 428.4677 * T);
  const double G = norm360(83.76922 + 218.4901 * T);
  double arg[kArgCount] = {};
  arg[kV] = 5 * Q - 2 * P;
  arg[kW] = 2 * P - 6 * Q + 3 * S;
  arg[kQ] = Q;
  arg[kS] = S;
  arg[kG] = G;
  arg[kH] = 2 * G - S;
  switch (planet) {
    case OuterPlanet::Jupiter:
      arg[kZeta] = Q - P;
      return sumTerms(kJupiter, arg, nu, 1e-6);
    case OuterPlanet::Saturn:
      arg[kZeta] = Q - P;
      arg[kPsi] = S - Q;
      return sumTerms(kSaturn, arg, nu, 1e-6);
    case OuterPlanet::Uranus:
      arg[kZeta] = S - P;
      arg[kEta] = S - Q;
      arg[kTheta] = G - S;
      return sumTerms(kUranus, arg, nu, 1.0);
    case OuterPlanet::Neptune:
      arg[kZeta] = G - P;
      arg[kEta] = G - Q;
      arg[kTheta] = G - S;
      return sumTerms(kNeptune, arg, nu, 1e-6);
  }
  return {};
}

}  // namespace talpora::orbit
