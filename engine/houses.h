// zykhouse: house cusps in the eleven house systems, the Vertex, the East Point, the sidereal time of a
// Midheaven, and the house that holds a longitude.
//
// Units: obliquity and latitude in degrees (north positive), sidereal time in hours; every longitude
// returned is an ecliptic longitude of date in degrees, in [0, 360). No routine loops without a bound,
// none returns a NaN for finite input, and none asks the user anything: a system that cannot be
// computed at a latitude is replaced by Porphyry and the result says so.
#pragma once
#include <span>

#include "core/records.h"

namespace talpora {

// House system codes (the settings' first field and the computed chart's houseSystem).
namespace house_system {
inline constexpr int kNoHouses = 0;  // cusps are still computed, by Placidus
inline constexpr int kPlacidus = 1;
inline constexpr int kCampanus = 2;
inline constexpr int kRegiomontanus = 3;
inline constexpr int kKoch = 4;
inline constexpr int kEqual = 5;
inline constexpr int kBiHorary = 6;
inline constexpr int kPorphyre = 7;
inline constexpr int kAlcabitius = 8;
inline constexpr int kTopocentric = 9;  // "Vendel Polich"
inline constexpr int kAbenragel = 10;
inline constexpr int kAlbatagenius = 11;
inline constexpr int kCount = 12;
}  // namespace house_system

// How a set of cusps was obtained.
enum class HouseStatus {
  Computed,          // by the system asked for (a code outside 0..11 is computed as Placidus)
  PorphyryFallback,  // the system cannot be computed there (circumpolar cusps, or a circumpolar Sun
                     // for Albatagenius, or no Sun given to it): the cusps are Porphyry's
};

// The code a system is computed with: codes outside 0..11 become Placidus (1); the others stay.
int effectiveHouseSystem(int system);

// Twelve cusps (cusp 1 first) for obliquity `eps` (degrees), geographic latitude (degrees) and local
// sidereal time (hours). Albatagenius trisects the Sun's semi-arc and needs the Sun's longitude of the
// chart (degrees); without it (kNoPosition) it falls back to Porphyry like any system that cannot be
// computed. Cusps 4..9 are always the opposites of cusps 10..12 and 1..3.
HouseStatus Houses(double eps, double latitude, double siderealTime, int system, std::span<double, 12> cusps,
                   double sunLongitude = kNoPosition);

// The Vertex: the western intersection of the prime vertical with the ecliptic (degrees).
double Vertex(double eps, double latitude, double siderealTime);
// The East Point: the Ascendant of the same sidereal time at latitude 0 (degrees).
double EastPoint(double eps, double siderealTime);
// The sidereal time (hours, [0, 24)) whose Midheaven is `mc` (degrees).
double GetSiderealTimeFromMC(double mc, double eps);

// The house 1..12 that holds `longitude` among twelve cusps: house i runs from cusp i (included) to
// cusp i+1 (excluded) in the order of the signs. 0 for the no-position marker and for a non-finite
// longitude, or when every cusp coincides.
int houseOfLongitude(double longitude, std::span<const double, 12> cusps);

// The house of a longitude in the chart: 0 unless `force` is non-zero or the chart has houses
// (AreThereHouses), 0 for the no-position marker. The chart's own cusps serve when the settings ask
// for the system the chart was computed with; otherwise the settings' system is computed from the
// chart's obliquity, sidereal time and Sun and the record's latitude.
int ObjectIsInHouse(double longitude, int force, const CIni& settings, const Chart1& birth,
                    const Chart2& chart);
// The house of chart object 0..16; 0 for the Ascendant, the Midheaven, an object without a position,
// an object number outside 0..16, and for a chart without houses.
int IsInHouse(int object, const CIni& settings, const Chart1& birth, const Chart2& chart);
// The same in another house system.
int IsInHouseUsingThatHouseSystem(int object, int system, const CIni& settings, const Chart1& birth,
                                  const Chart2& chart);

// Ecliptic (longitude, latitude) to equatorial (right ascension in [0, 360), declination), degrees,
// for an obliquity in degrees. The formatting library's lb_radel and the Sun and Moon events use it.
void eclipticToEquatorial(double longitude, double latitude, double eps, double& rightAscension,
                          double& declination);

}  // namespace talpora
