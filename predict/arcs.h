// zykarcs: time windows, the days on which the arc between two moving objects comes back to the arc
// the same two objects formed at birth. Objects 0..11 (Sun, Moon, Mercury..Pluto, the nodes); the
// arc of a pair is PlanetaryArc (core/zodiac.h). Days are 0h universal time.
#pragma once
#include <vector>

#include "core/records.h"
#include "format/report_buffer.h"

namespace talpora {

// Kinds of AllArcs.
namespace arc_kind {
inline constexpr int kSoliLunar = 0, kSolar = 1, kLunar = 2, kOnePair = 33, kAll = 99;
}  // namespace arc_kind

struct TimeWindow {
  int a = 0, b = 0;  // the pair, a < b
  double day = 0;    // 0h UT of the day D: the arc passes the natal arc between D and D + 1
  int hour = 0;      // 0..23, the hour estimated by linear interpolation (12 when the arc stands still)
  double natalArc = 0;
};

// The pairs of a kind, (a, b) with a < b; kind 33 takes objects A and B in either order. The pair
// North Node - South Node never takes part.
std::vector<std::pair<int, int>> arcPairs(int kind, int objectA, int objectB);
// The windows from the 1st of the first month to the 2nd of the month after the last 1st.
std::vector<TimeWindow> timeWindows(const Chart2& natalChart, int firstMonth, int firstYear, int lastMonth,
                                    int lastYear, int kind, int objectA, int objectB);
// The listing of the windows.
void AllArcs(Report& report, unsigned long* length, const Chart2& natalChart, int firstMonth, int firstYear,
             int lastMonth, int lastYear, int kind, int objectA, int objectB);

}  // namespace talpora
