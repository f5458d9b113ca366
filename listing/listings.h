// zyklist: the listings of one chart the listing program shows: simple, detailed, compared and
// heliocentric positions, the houses in every system, fixed stars, elements and quadruplicities, and
// planetary arcs, with the blocks they are built from.
//
// The zodiac switch z is 0 tropical, 1 sidereal (the settings' reference with the chart's own
// values), 2 tropical and sidereal compared where a listing offers it. Every line is appended with
// AddLine mode 1, indent 0; a blank line is AddLine mode 0. `length` receives the report's length.
#pragma once
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/records.h"
#include "format/report_buffer.h"
#include "platform/ui.h"

namespace talpora {

// ---- Blocks -------------------------------------------------------------------------------------

// Name and kind of chart, comment, the direction method of a directed chart, weekday, date, place and
// clock time, longitude and latitude, universal and sidereal time.
void chartHeader(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                 const Chart2& chart);
// The weekday of the chart's local date, 0 = Sunday.
int chartWeekday(const Chart1& birth, const Chart2& chart);

// "Planetary hour: " and the ruler, or the five lines that say why there is none.
void planetaryHourBlock(Report& report, unsigned long* length, const Chart1& birth, const Chart2& chart);
// The five lines that say the time or the place is missing.
void timeUnknownLines(Report& report, unsigned long* length);

struct PositionsLayout {
  bool heliocentric = false;
  int zodiac = 0;
  bool margin = true;       // six blanks before each row
  bool equatorial = false;  // latitude, right ascension and declination columns
  bool fullNames = true;    // "Mercury:" padded to 11, else "Mer."
};
// The positions table: Sun to Chiron (geocentric) or the Earth and Mercury to Pluto (heliocentric).
void positionsTable(Report& report, unsigned long* length, const CIni& settings, const Chart2& chart,
                    const PositionsLayout& layout);

// "  Part of Fortune: ..." (charts with houses, not in symbolic directions).
void partOfFortune(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                   const Chart2& chart, int zodiac);
// "  Vertex: ..." and "  East Point: ..." (charts with houses).
void vertexAndEastPoint(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                        const Chart2& chart, int zodiac);
// "  Mean North Node: ..." with its motion.
void meanNode(Report& report, unsigned long* length, const CIni& settings, const Chart2& chart, int zodiac);

// The title lines of house system 1..11.
std::vector<std::string> houseSystemTitle(int system);
// The cusps of one system (0: the settings' system), z 0, 1 or 2. Nothing for an unknown time or a
// chart without a place; a directed chart shows its own system and cusps.
void housesOfSystem(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                    const Chart2& chart, int system, int zodiac);
// The houses in every system, 1 to 11.
void allHouses(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
               const Chart2& chart, int zodiac);
// The ruler of each house and the house it is in (modern rulers).
void houseRulers(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                 const Chart2& chart, int zodiac);

// The objects in each element and quadruplicity; z 2 gives the sections tropical, then sidereal.
void elementsAndQuadruplicities(Report& report, unsigned long* length, const CIni& settings,
                                const Chart1& birth, const Chart2& chart, int zodiac, bool zodiacSuffix);

// Mercury and Venus on the Earth's side of the Sun or away from it.
void mercuryAndVenus(Report& report, unsigned long* length, const Chart2& chart);
// The soli-lunar arc and the soli-lunar period (of 28).
void soliLunar(Report& report, unsigned long* length, const Chart2& chart);
// The arcs of Mercury to Pluto from the Sun and from the Moon.
void solarAndLunarArcs(Report& report, unsigned long* length, const Chart2& chart);

// " Julian Day: 2450088.08"
void julianDayLine(Report& report, unsigned long* length, const Chart2& chart);
// " Ayanamsa: ..." with the Synetic Vernal Point.
void ayanamsaLine(Report& report, unsigned long* length, const Chart2& chart);
// " Obliquity of the ecliptic: ..."
void obliquityLine(Report& report, unsigned long* length, const Chart2& chart);
// The nutation in longitude, seconds of arc, implied by the chart's true ayanamsa.
double nutationSeconds(const Chart2& chart);
// " Nutation: 12.34"" (the sign kept for values between -1 and 0).
void nutationLine(Report& report, unsigned long* length, const Chart2& chart);
// " Planetary positions calculated with ... Dynamical Time correction= ... sec."
void dynamicalTimeLine(Report& report, unsigned long* length, const Chart1& birth);

// The arcs between every two of the Sun to the South Node (except between the two nodes).
void planetaryArcs(Report& report, unsigned long* length, const Chart2& chart);

// ---- Fixed stars --------------------------------------------------------------------------------

inline constexpr const char* kStarLongitudeFile = "ZYKFFL.DTF";
inline constexpr const char* kStarNameFile = "zykffn.dtf";
inline constexpr int kStarCount = 106;
inline constexpr int kStarValues = 22;  // 1790, 1800, ..., 2000
inline constexpr int kStarFirstYear = 1790;
inline constexpr int kStarLastYear = 2000;
inline constexpr std::size_t kStarNameSize = 45;
inline constexpr double kStarOrb = 2.0;  // degrees, exclusive
// General precession in longitude, degrees a year (5029.0966" a Julian century at J2000.0, IAU 2000).
inline constexpr double kPrecessionPerYear = 5029.0966 / 100.0 / 3600.0;

struct FixedStar {
  std::array<double, kStarValues> longitudes{};  // tropical, degrees, at the start of 1790 + 10 j
  std::string name;                              // CP1252, at most 44 bytes
};

struct FixedStarCatalogue {
  bool longitudesOpened = false;
  bool namesOpened = false;
  std::vector<FixedStar> stars;  // only the stars whose 22 values the file holds whole and sound
  int damagedStars = 0;          // stars left out: a value that is no longitude in [0, 360)
};

// Reads both star files of a directory (never past their ends; a name record is forced to end).
FixedStarCatalogue readFixedStars(const std::filesystem::path& programDir);

// A star's mean motion in longitude over the table, degrees a year (the general precession when the
// table's values give none near it).
double starRatePerYear(const FixedStar& star);
// A star's tropical longitude at the start of `year`: interpolated within 1790-2000, carried on at the
// star's mean rate from the nearest end of the table outside it; in [0, 360).
double starLongitude(const FixedStar& star, int year);

struct StarContact {
  int star = 0;
  double starLongitude = 0;  // tropical
  double orb = 0;            // circular distance, degrees
};
// The stars within the orb of a tropical longitude, ordered by their position around it (from the
// one farthest behind to the one farthest ahead); the distance is taken on the circle.
std::vector<StarContact> starContacts(const FixedStarCatalogue& catalogue, double longitude, int year);

// " FIXED STARS:" and the stars near each chart point. A missing longitude file is reported through
// `ui` (when given) and ends the block after its heading.
void fixedStars(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                const Chart2& chart, int zodiac, const FixedStarCatalogue& catalogue, ui::Interaction* ui);

// ---- Listings -----------------------------------------------------------------------------------
// Each appends to the report as it is (the caller empties it first).

void simpleListing(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                   const Chart2& chart, int zodiac);
void detailedListing(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                     const Chart2& chart, int zodiac);
void comparedListing(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                     const Chart2& chart);
void heliocentricListing(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                         const Chart2& chart, int zodiac);
void allHousesListing(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                      const Chart2& chart, int zodiac);
void fixedStarsListing(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                       const Chart2& chart, int zodiac, const FixedStarCatalogue& catalogue,
                       ui::Interaction* ui);
void elementsListing(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                     const Chart2& chart, int zodiac);
void planetaryArcsListing(Report& report, unsigned long* length, const Chart2& chart);

}  // namespace talpora
