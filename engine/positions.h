// zykorbit, zykseries, zykcalc: positions of the Sun, Moon, planets, lunar nodes, Black Moon and
// Chiron, the mean obliquity and the two sidereal reference points.
//
// Units and time scales:
//   - Angles in degrees. Longitudes and latitudes are geocentric, ecliptic of date: apparent for the
//     Sun, the Moon and the planets (nutation in longitude; aberration for the Sun; light-time and
//     aberration for the planets), mean equinox of date for the nodes and the Black Moon; the
//     planets' heliocentric longitudes are geometric, mean equinox of date.
//   - `asforce1Plus`, `asforce1` and `asforce2` take JDE, the Julian Day in dynamical time
//     (JD(UT) + tdt(year) / 86400, core/calendar.h). `asforce3`, `Epsilon` and `Chiron` take the
//     universal-time Julian Day.
//   - Distances in astronomical units.
//   - Every longitude leaving these functions lies in [0, 360), with two exceptions: `sunLon` of
//     `asforce1Plus`/`asforce1` is the true longitude minus aberration and nutation without a final
//     normalisation (it can be slightly negative or reach 360), and the two sidereal references are
//     not normalised either. Chiron without a position is -1 (kNoPosition of core/records.h).
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"

namespace talpora {

namespace ui {
class Interaction;
}

// Sun, Moon, Black Moon and the sidereal reference points for one JDE (dynamical time).
// Sun: Newcomb's theory with the planetary terms of the handbook (Meeus, Astronomical Formulae for
// Calculators, ch. 18); Moon: Brown's theory abridged (ibid., ch. 30); nutation (ibid., ch. 15);
// general precession since J2000 (Lieske 1977); Black Moon: the mean lunar apogee with the solar
// corrections of its two largest terms.
//   sunLon             apparent longitude of the Sun, degrees, not renormalised
//   moonLon, moonLat   apparent longitude (with nutation) and latitude of the Moon, degrees
//   sunDist            Sun's radius vector, AU
//   trueAyanamsa       degrees, to subtract from a tropical longitude (not normalised)
//   blackMoon          degrees, [0, 360)
//   syneticVernalPoint tropical longitude of the sidereal zero point, degrees (not normalised)
void asforce1Plus(double jde, double& sunLon, double& moonLon, double& moonLat, double& sunDist,
                  double& trueAyanamsa, double& blackMoon, double& syneticVernalPoint);
// The same without the synetic vernal point.
void asforce1(double jde, double& sunLon, double& moonLon, double& moonLat, double& sunDist,
              double& trueAyanamsa, double& blackMoon);

// Mercury to Pluto for one JDE (dynamical time), from the Sun's longitude and distance of
// `asforce1Plus` for the same JDE. Keplerian elements of date with the handbook's periodic terms
// (Meeus, Astronomical Formulae for Calculators, ch. 23-25); Pluto from its published series within
// the years that series covers, from a fixed osculating orbit outside them.
// The Earth is placed by the Sun's geometric longitude (the Sun's aberration and nutation taken off
// again); each planet then gets its own light-time, aberration and nutation.
//   out[0..7]   apparent geocentric longitudes of Mercury..Pluto, degrees, [0, 360)
//   out[8..15]  their apparent geocentric latitudes, degrees
//   out[16..23] their heliocentric longitudes, degrees, [0, 360)
void asforce2(double jde, double sunLon, double sunDist, std::span<double, 24> out);

// Mean and true lunar node for a universal-time JD, degrees in [0, 360). Mean node: Meeus,
// Astronomical Algorithms eq. 47.7; true node: the mean node with the sixteen largest periodic terms.
void asforce3(double jd, double& trueNode, double& meanNode);

// Mean obliquity of the ecliptic for a universal-time JD, degrees (Newcomb; Meeus, Astronomical
// Formulae for Calculators, ch. 18).
double Epsilon(double jd);

// Chiron's tabulated ephemeris: per calendar year from 1890 one record of 14 pairs (32-bit float day
// counted from JD 2415020.5, 32-bit float geocentric longitude of date in degrees), 112 bytes,
// little-endian. The years covered follow from the length of the data: full records only.
class ChironTable {
 public:
  static constexpr int kFirstYear = 1890;
  static constexpr int kPairsPerYear = 14;
  static constexpr int kRecordBytes = kPairsPerYear * 8;
  static constexpr double kDayZero = 2415020.5;  // JD of the day count's origin, 1900 January 1, 0h
  struct Pair {
    float day = 0;  // days from kDayZero
    float lon = 0;  // degrees
  };

  ChironTable() = default;  // empty: Chiron never has a position
  // From the bytes of the file; a trailing partial record is ignored.
  static ChironTable fromBytes(std::string_view bytes);
  explicit ChironTable(std::vector<Pair> pairs);  // whole records, year 1890 first

  bool empty() const { return yearCount() == 0; }
  int yearCount() const { return static_cast<int>(pairs_.size() / kPairsPerYear); }
  int lastYear() const { return kFirstYear + yearCount() - 1; }
  // The valid range, both ends included (the table's first and last points lie on them): 1890
  // January 1.0 and January 1.0 after the last year (UT).
  double firstJd() const;
  double endJd() const;
  bool covers(double jd) const { return !empty() && jd >= firstJd() && jd <= endJd(); }
  const std::vector<Pair>& pairs() const { return pairs_; }
  // Bytes of the file (the inverse of fromBytes).
  std::string toBytes() const;

 private:
  std::vector<Pair> pairs_;
};

// The name of the table's file in the program directory.
inline constexpr const char* kChironFileName = "zykadb.DTF";
// The message shown (empty caption, stop icon) when the file cannot be read.
inline constexpr const char* kChironMissingText = "Chiron adb cannot be found";

// Reads the table from a file; empty when the file cannot be read. Says nothing.
ChironTable readChironTable(const std::filesystem::path& file);
// Reads the table from the program directory of the settings. When the file cannot be read, shows
// "Chiron adb cannot be found" once through `ui` and returns an empty table. Load it once per
// process (or per program start) and pass it to every calculation.
ChironTable loadChironTable(const CIni& settings, ui::Interaction& ui);

// Chiron's geocentric longitude of date for a universal-time JD, interpolated linearly in the
// table (degrees in [0, 360)). Result 1 found; 0 not available, lon = -1.
int Chiron(const ChironTable& table, double jd, double& lon);
// The same reading the table from the program directory of the settings on this call (for one-off
// callers). A missing file gives 0 and lon = -1 without a message: the program reports it once when it
// loads its table with loadChironTable.
int Chiron(const CIni& settings, double jd, double& lon);

// The sidereal conversion of core/zodiac.h (ConvertToSidereal) with the two references computed for
// a Julian Day by asforce1Plus(jd), the jd used as given. In place; the -1 marker stays.
void ConvertToSiderealForJD(double* values, int count, const CIni& settings, double jd);
void ConvertToSiderealForJDFloat(float* values, int count, const CIni& settings, double jd);

// Every position of the engine for one moment, in the chart's object order (0 Sun .. 13 Chiron).
struct Positions {
  double jdUt = 0;          // universal time
  double deltaT = 0;        // seconds, tdt(year of the moment)
  double jde = 0;           // dynamical time
  double obliquity = 0;     // mean obliquity, degrees
  double trueAyanamsa = 0;  // degrees
  double syneticVernalPoint = 0;
  double sunDist = 0;        // AU
  double lon[14] = {};       // [0, 360); Chiron -1 when not available
  double lat[14] = {};       // Sun, nodes, Black Moon and Chiron 0
  double helioLon[14] = {};  // Mercury..Pluto (2..9); others 0
  double meanNode = 0;       // degrees
};
// Computes them in the chart driver's order: JDE from tdt(year), Sun and Moon, planets, nodes (UT),
// Chiron (UT). The Sun is normalised; the South Node is the true North Node + 180.
Positions computePositions(double jdUt, const ChironTable& chiron);

}  // namespace talpora
