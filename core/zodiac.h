// zykcore: zodiac and aspect primitives: distances on the circle, the sidereal conversion, signs
// and their rulers, and the aspect test between two chart objects with its orbs.
//
// Angles are degrees. A longitude of exactly -1 (kNoPosition) means "no position" (Chiron outside its
// table): every function here leaves it alone or answers "no". Longitudes are normalised to [0, 360)
// before any sign lookup, so an unnormalised Sun (-0.003 in an old chart) or a Chiron of 360.0 still
// falls into a sign of 1..12.
#pragma once

#include "core/records.h"

namespace talpora {

// x - 360 floor(x / 360), in [0, 360).
double c_c360(double x);
// The shorter arc between a and b, [0, 180].
double ShortestDistance(double a, double b);
// The forward arc from a to b: b - a, plus 360 when negative (for inputs in [0, 360)).
double ConsecutiveDistance(double a, double b);
// 1 when x lies strictly inside the shorter arc between a and b, else 0.
int IsBetween(double x, double a, double b);

// Mean periods in years (0: no motion) and speed classes (1 fastest; 0: no motion) of objects 0..16.
double meanPeriodYears(int object);
int speedClass(int object);
// 1 when i is faster (faster = i, slower = j), 2 when j is faster or as fast (faster = j, slower =
// i), 0 when either object has no motion (outputs untouched).
int IsFaster(int i, int j, int& faster, int& slower);
// The arc from the slower object to the faster one in the order of the signs, [0, 360); -1 when a
// longitude is -1 or an object has no motion.
double PlanetaryArc(int i, int j, double lonI, double lonJ);

// Sign 1 (Aries) .. 12 (Pisces) of a longitude (normalised first); 0 for the -1 marker.
int signOfLongitude(double lon);
// The sign of chart object objectPlus1 - 1 (1..17), sidereal when `sidereal` is 1 (with the
// settings' sidereal reference and the chart's references). 0 when the object has no position or
// the number is out of range.
int IsInSign(int objectPlus1, int sidereal, const CIni& settings, const Chart2& chart);

// The ruler of a sign 1..12: traditional when `traditional` is non-zero, modern otherwise; 0 (the
// Sun) for a sign out of range.
int RulerOfSign(int sign, int traditional);
// ruler: the modern ruler (-1 out of range); coRuler: the traditional ruler of Scorpio, Aquarius and
// Pisces, -1 for every other sign.
void Ruler2OfSign(int sign, int& ruler, int& coRuler);
// The ruler of the sign on cusp `house` (1..12), sidereal when `sidereal` is 1. 0 for a house out of
// range.
int RulerOfHouse(int house, int sidereal, int traditional, const CIni& settings, const Chart2& chart);

// Sidereal references of CIni.ayanamsa.
inline constexpr int kTrueAyanamsa = 1;
inline constexpr int kSyneticVernalPoint = 2;
// One longitude to the sidereal zodiac of `ayanamsaCode` (1: minus the true ayanamsa; 2: plus the
// synetic vernal point minus 360; anything else: unchanged). The -1 marker stays -1.
double toSidereal(double lon, int ayanamsaCode, double trueAyanamsa, double syneticVernalPoint);
// In place, with the references of the computed chart.
void ConvertToSidereal(double* values, int count, const CIni& settings, const Chart2& chart);
void ConvertToSiderealFloat(float* values, int count, const CIni& settings, const Chart2& chart);
// (ConvertToSiderealForJD and ConvertToSiderealForJDFloat compute the references for a Julian Day
// and live beside the position routines, engine/positions.h.)

// The aspects 0..17, their angles (stored as 32-bit floats) and groups.
inline constexpr int kAspectCount = 18;
enum class AspectGroup { Major, Minor, Rare };
AspectGroup aspectGroup(int code);  // codes 0..4 major, 5..8 minor, 9..17 rare
// The angle of an aspect code, or -1 for a code outside 0..17.
double AspectValue(int code);

// 1 with deviation = |d - angle| when the shorter distance d lies within angle +- orb (inclusive).
int AreAspectedLowLevel(double a, double b, double angle, double orb, double& deviation);

// Aspect between object objA of chart A and objB of chart B: the first enabled aspect code whose orb
// (orbsLuminaries when the Sun or the Moon takes part, orbsOthers otherwise) holds the distance.
// `oneChart` says whether both objects come from the same chart: only then is the applying verdict
// given (1 applying, 0 separating, -1 when neither object moves) and the North Node never aspects
// the South Node; between two charts applying is -1. Result 1 when aspected; on 0 the outputs are
// untouched. Angles, Midheaven and Part of Fortune count only in charts with houses.
int AreAspected(int objA, int objB, const CIni& settings, const Chart1& chartA, const Chart2& computedA,
                const Chart1& chartB, const Chart2& computedB, bool major, bool minor, bool rare, int& code,
                double& deviation, int& applying, bool oneChart);
// The same deciding "one chart" by identity: both computed charts are the same record.
int AreAspected(int objA, int objB, const CIni& settings, const Chart1& chartA, const Chart2& computedA,
                const Chart1& chartB, const Chart2& computedB, bool major, bool minor, bool rare, int& code,
                double& deviation, int& applying);

// Aspect between a longitude (taking the Sun's place and orbs) and a chart object; no applying
// verdict.
int IsObjectAspectedToPl(double lon, int obj, const CIni& settings, const Chart1& chart,
                         const Chart2& computed, bool major, bool minor, bool rare, int& code,
                         double& deviation);

}  // namespace talpora
