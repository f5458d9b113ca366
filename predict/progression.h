// zykpred: secondary progressions with the angles directed by four methods, solar arc directions,
// symbolic directions, and the listing of transits, progressions or directions against the natal
// chart.
//
// Time scales: chart records hold local clock time; every Julian Day of a computed chart is universal
// time. Ages are in years of life; one day after birth stands for one year (secondary progression).
#pragma once
#include "core/records.h"
#include "engine/positions.h"
#include "format/report_buffer.h"
#include "platform/ui.h"

namespace talpora {

// Rates of the Naibod key: degrees of longitude and hours of sidereal time per year of life.
inline constexpr double kNaibodDegreesPerYear = 0.9855555555555555;
inline constexpr double kNaibodHoursPerYear = 0.06569444444444444;
// The Naibod rate of symbolic directions, as the suite has always given it.
inline constexpr double kSymbolicNaibodRate = 0.9855556;

// Progression methods (the angles) and solar arc directions.
namespace progression_method {
inline constexpr int kNaibodRightAscension = 1;
inline constexpr int kNaibodLongitude = 2;
inline constexpr int kSolarArcLongitude = 3;
inline constexpr int kSolarArcRightAscension = 4;
inline constexpr int kSolarArcDirections = 33;
}  // namespace progression_method

// 1 for the methods 1..4 and 33, else 0.
int isProgressionMethod(int method);
// The derived chart's chartType of a method (converse one higher); 0 for an unknown method.
int progressionChartType(int method, int converse);
// The method line of listings for a derived chartType (52..59, 67, 68); empty for other types.
const char* progressionMethodLine(int chartType);

// The nine prediction orbs (conjunction .. quintile), degrees: transits from "ZYKINI3.DTF",
// progressions from "ZYKINI4.DTF". A missing or short file gives the default orbs and one message
// through `ui` (when given).
struct PredictionOrbs {
  float transits[9] = {};
  float progressions[9] = {};
};
PredictionOrbs readPredictionOrbs(const CIni& settings, ui::Interaction* ui);

// The age in years of life of a target date (local calendar date at the natal clock time); negative
// for a converse progression. Birthdays on 29 February are passed on unchanged (1 March in common
// years).
double progressionAge(const Chart1& natal, int day, int month, int year, int converse);

// The progressed or solar-arc chart of the target date held in target.day/month/year: target and
// targetChart receive the derived chart. Result 1 done; 0 refused (a method outside 1..4 and 33),
// the target untouched. The natal chart's "no position" objects stay without one.
int Progression(const CIni& settings, const Chart1& natal, const Chart2& natalChart, Chart1& target,
                Chart2& targetChart, int converse, int method, const ChironTable& chiron);
// The same with the target date taken as the local calendar date of jd + natal timeZone / 24.
int ProgressionForjul_day(double julianDay, const CIni& settings, const Chart1& natal,
                          const Chart2& natalChart, Chart1& target, Chart2& targetChart, int converse,
                          int method, const ChironTable& chiron);
// The local Julian Day of the target date a derived chart was made for: that date at the natal clock
// time (the derived chart's moment is kept to the minute, so the age is rounded to the nearest date).
double ForWhenWasThisProgressionCalulated(const CIni& settings, const Chart1& natal, const Chart2& natalChart,
                                          int ignored, const Chart2& derived);
// Symbolic directions for a target year: kind 0 one degree per year, 1 Naibod. Objects are moved
// and brought into [0, 360); "no position" stays; the cusps stay natal.
void SymbolicDirections(int ignored, const Chart1& natal, const Chart2& natalChart, Chart1& target,
                        Chart2& targetChart, int year, int kind);

// Listing types.
namespace listing_type {
inline constexpr int kTransits = 2;
inline constexpr int kProgressions = 3;
inline constexpr int kDirections = 4;
inline constexpr int kTransitsAndProgressions = 22;
}  // namespace listing_type

// The listing of the moving chart (transits) and/or the progressed chart against the natal chart.
// For types 2..4 the derived chart is given as both pairs. `orbs` as readPredictionOrbs gives them.
void PredictionListing(Report& report, unsigned long* length, int type, int zodiac, const CIni& settings,
                       const Chart1& natal, const Chart2& natalChart, const Chart1& moving,
                       const Chart2& movingChart, const Chart1& progressed, const Chart2& progressedChart,
                       const PredictionOrbs& orbs);

// Shared by the listings of this library.
namespace predict_detail {
// A longitude shown in the zodiac (0 tropical, 1 sidereal with the chart's references); -1 stays.
double inZodiac(double lon, int zodiac, const CIni& settings, const Chart2& chart);
// The natal house of a moving longitude; sidereal: first shifted by the difference of the two
// charts' true ayanamsas.
int movingHouse(double lon, int zodiac, const CIni& settings, const Chart1& natal, const Chart2& natalChart,
                const Chart2& moving);
// The number of progressed objects (0..15 when the natal chart has houses, else 0..13) and of
// natal partners that take part (16 or 14).
int progressedObjectCount(const Chart1& natal);
bool natalObjectTakesPart(const Chart1& natal, int object);
}  // namespace predict_detail

}  // namespace talpora
