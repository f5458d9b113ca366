// zykfmt: the short texts every listing, printout, dialog and drawing shows: names of chart objects,
// signs, aspects, house systems and ayanamsas; longitudes as sign, degrees and minutes; signed angles;
// geographic coordinates; right ascension and declination; dates and clock times of Julian Days; and
// the house-ruler sentence.
//
// Every text is CP1252 (the degree sign is the byte 0xB0) and is returned as a string. An index
// outside a table (object, sign, aspect, house system, month, weekday) and the no-position marker -1
// give "---"; a longitude outside [0, 360) is brought into it; a value that is not a number gives
// "---". Arguments that have no effect are kept in their places (callers pass 0).
#pragma once
#include <string>

#include "core/records.h"

namespace talpora {

// The text given for a value that has no text: -1 (no position), an index outside a table, NaN.
inline constexpr const char* kNoText = "---";

// A non-negative value split into whole units and minutes, the minutes rounded half up; 60 minutes
// carry into the units.
struct UnitsMinutes {
  long units;
  int minutes;
};
UnitsMinutes splitMinutes(double x);
// The same with truncated minutes and rounded seconds; 60 seconds carry into the minutes.
struct UnitsMinutesSeconds {
  long units;
  int minutes;
  int seconds;
};
UnitsMinutesSeconds splitSeconds(double x);

// Names. `width` (capped at 30) pads with trailing blanks; a longer name is never cut.
// style 1: abbreviation ("Sun ", "Moo."); otherwise the full name, with a colon when withColon is set
// (object 18 has none). heliocentric 1 names object 1 the Earth.
std::string PlanetName(int object, int style, int ignored, int width, int withColon, int heliocentric);
// style 1: "Ari"; otherwise "Aries". withColon appends ":".
std::string SignName(int sign, int style, int ignored, int width, int withColon);
// Aspects 0..19: the noun ("conjunction") and the participle ("conjunct"); capital 1 upper-cases the
// first letter.
std::string AspectName(int aspect, int ignored, int capital, int = 0, int = 0, int = 0);
std::string AspectedName(int aspect, int ignored, int capital, int = 0, int = 0, int = 0);
// House systems 0..11.
std::string HouseSystemName(int system, int = 0, int = 0, int = 0, int = 0, int = 0);
// The settings' ayanamsa: 1 "True Ayanamsa" ("True Ay."), 2 "Synetic Vernal Point" ("SVP").
std::string AyanamsaName(const CIni& settings, int shortForm, int = 0, int = 0, int = 0, int = 0);
// 1st, 2nd, 3rd, 4th, 11th, 12th, 13th, 21st, 112th.
std::string ProperFormat(int n, int ignored = 0);

// Hours as " 9h05m07s" (or " 9h05m with noSeconds); 24 hours wrap to 0.
std::string edth_hms(double hours, int noSeconds);
// Longitudes in the column form: "ARI. 5°07'", "TAU.15°30'"; edl_sdmR appends " R" for 'R';
// edl_sdms: "GEM.12°03'09"".
std::string edl_sdm(double longitude, int ignored = 0);
std::string edl_sdmR(double longitude, char retrograde, int ignored = 0);
std::string edl_sdms(double longitude, int ignored = 0);
// Signed angles: "-00°30'", " 07°15'"; layout -1 omits the blank of a non-negative angle, layout 3
// pads the degrees to three places, layout 12 writes "deg." for the degree sign.
std::string edb_dm(double angle, int layout);
std::string edb_dms(double angle, int layout);
// Geographic coordinates from degrees (east and north positive): "02°21'00"E" and "48°51'N" (suffix 0),
// "East"/"North" (suffix 1), none (other suffixes); layout 12 puts the letter for the degree sign.
std::string edb_geographicalongldms(double longitudeDeg, int layout, int suffix);
std::string edb_geographicallatdm(double latitudeDeg, int layout, int suffix);

// Equatorial coordinates of an ecliptic position (degrees): right ascension in [0, 360), declination.
void lb_radel(double longitude, double latitude, double obliquity, double& rightAscension,
              double& declination);
// " 2h30m00s     23° N 26'".
std::string radel(double longitude, double latitude, double obliquity, int ignored = 0);

// Dates: "Jan. 5 1996", "May 17" (withoutYear).
std::string ed_date(int day, int month, int year, int withoutYear);
// The date of a Julian Day; weekday 1 "Sun. ", 2 "Sunday " in front; withYear 1 with the year.
std::string jd_date(double jd, int weekday, int withYear);
// "14h05", " 9h30".
std::string jd_time(double jd, int ignored = 0);
// "Universal Time (GMT):5 Jan 1996" (layout 1), "5 Jan" (layout 7), "5 Jan 1996" (others).
std::string jd_ut(double jd, int layout);
// "14h05" on the reference day of the month, "Jan. 6, 2h15" on another.
std::string jd_ut2(double jd, int referenceDay, int ignored = 0);
// Layout 0: "1997 Jan. 5, 14h05"; 2 and 3 with the short or long weekday in front; 4: "Jan. 5 1997, 14h05";
// the others as layout 1: "Jan. 5, 14h05".
std::string jd_datetime(double jd, int layout);
// Clock time in the settings' style: "2:05PM" (ampm) or "14h05"; with seconds "2:05:09PM", "14h05m09s".
std::string Smart_time(int hour, int minute, int second, int withSeconds, const CIni& settings);
// Date and/or time of a Julian Day as given (add timeZone / 24 for local time).
std::string Smart_datetime(double jd, int withDate, int weekday, int withYear, int withTime, int withSeconds,
                           const CIni& settings);

// Listing longitudes: "Tau.  5°07'R", "Gem. 29°59'59" "; zodiac 1 converts to the settings' sidereal
// zodiac with the chart's references first.
std::string Smart_longitude1(double longitude, char retrograde, const CIni& settings, const Chart2& chart,
                             int zodiac, int withSign, int withSeconds, int withRetrograde,
                             int noRetrogradeBlank, int noBlankAfterSign, int = 0, int = 0, int = 0, int = 0);
// The same for chart object 0..16, with its motion flag.
std::string Smart_longitude2(int object, const CIni& settings, const Chart2& chart, int zodiac, int withSign,
                             int withSeconds, int withRetrograde, int noRetrogradeBlank, int noBlankAfterSign,
                             int = 0, int = 0, int = 0, int = 0);

// "Mars, ruler of the 1st house (cusp in Ari), is in the 10th house." The last clause is left out when
// the ruler is in no house ("Mars, ruler of the 1st house (cusp in Ari)."); a house outside 1..12
// gives "---".
std::string RulerOfHouseIsInHouse(int house, int zodiac, int traditionalRulers, const CIni& settings,
                                  const Chart1& birth, const Chart2& chart);

}  // namespace talpora
