// zykpred: the solar, converse solar and lunar return searches, tropical or sidereal, as pure
// functions; placing a return at a place and computing its chart; the lines of the results box.
//
// Time scales: the searches run on universal-time Julian Days; the theories are evaluated at
// JD + tdt(year of the search) as the chart calculation does, so a return of the birth year gives
// the birth moment back.
#pragma once
#include <string>
#include <vector>

#include "core/records.h"
#include "engine/positions.h"

namespace talpora {

// The working chart types of the searches (placed: 5, 105, 2000, 1000, 6/7, 106/107).
namespace return_type {
inline constexpr int kSolar = 2, kSiderealSolar = 102, kConverseSolar = 2000, kConverseSiderealSolar = 1000;
inline constexpr int kLunarFirst = 3, kLunarSecond = 4, kSiderealLunarFirst = 103, kSiderealLunarSecond = 104;
}  // namespace return_type

inline constexpr int kReturnSearchPasses = 50;

struct ReturnResult {
  bool found = false;  // false: the search did not converge in 50 passes, or the year was refused
  Chart1 chart{};      // the working chart: the UT date and time, timeKnown 1, the natal name
  double jdUt = 0;     // the exact moment, universal time
  int passes = 0;
};

// The solar return of a year (zodiac 0 tropical, 1 sidereal). Converse: the year 2 x natal year - Y,
// refused (found false) below 1.
ReturnResult solarReturn(const CIni& settings, const Chart1& natal, const Chart2& natalChart, int year,
                         int converse, int zodiac);
// The lunar returns whose UT date lies in the month: none, one or two (chart types 3/4, 103/104).
// A return whose search fails is given with found false.
std::vector<ReturnResult> lunarReturns(const CIni& settings, const Chart1& natal, const Chart2& natalChart,
                                       int month, int year, int zodiac);

// The final chart type and its text of a working type (2 -> 5 "Solar Return (tropical)" ...); 0 and
// empty for another type.
int placedReturnType(int workingType);
const char* returnTypeText(int placedType);
// Places a return: the local date and time at the place (longitude in hours, latitude degrees, zone
// hours later than Greenwich), the final chart type and text, then the chart calculation.
void placeReturn(const CIni& settings, const ReturnResult& found, double longitudeHours, double latitude,
                 double timeZone, const ChironTable& chiron, Chart1& placed, Chart2& placedChart);
// The four lines of the results box ("SOLAR RETURN", the date, the time, "(Universal Time/GMT)").
std::vector<std::string> returnResultLines(const CIni& settings, const ReturnResult& r);

}  // namespace talpora
