// zyktime: sunrise and sunset, the planetary hours, soli-lunar phases, ingresses of the Sun and Moon
// into the signs, and whether a new or full moon can be an eclipse.
//
// Time scales: sunrise, sunset and the planetary hours work in local Julian Days (JD(UT) + timeZone /
// 24 of the chart record) and return local JDs unless said otherwise; the phase and ingress searches
// take a Julian Day and evaluate the Sun and Moon at it as given. Nothing here asks the user anything:
// polar day and night and searches that give up are reported in the results.
#pragma once
#include <string>
#include <vector>

#include "core/records.h"

namespace talpora {

namespace ui {
class Interaction;
}

// How a sunrise or sunset search ended.
enum class RiseSetStatus {
  Found,
  NoSet,         // polar day: the Sun stays above the horizon
  NoRise,        // polar night: the Sun stays below the horizon
  NotConverged,  // the search gave up after its passes (never seen outside the polar zones)
};

// The planetary-hour ruler stored when it is not computed (time unknown, no place, no sunrise).
inline constexpr int kNoPlanetaryHour = 8;

// Sunrise and sunset of the record's date at its place, local JDs. Mode 1 also gives the previous
// day's sunset and the next day's sunrise; mode 0 leaves them 0. Outputs of events not found are 0.
// The result is the first status other than Found met, or Found.
RiseSetStatus SunRisSet(const Chart1& chart, int mode, int, int, double& rise, double& set,
                        double& previousSet, double& nextRise);

// The Julian Day near `jdGuess` at which the local sidereal time at `longitudeHours` is `lst` (hours).
double LST_to_JulDay(double lst, double jdGuess, double longitudeHours);

// The ruler (object number) of the planetary hour at the record's date and clock time, with the start
// and end of that hour (UT) and the ruler of the next hour. kNoPlanetaryHour (8) when there is no
// sunrise or sunset (the other outputs are then 0 and 8). With `listing` 1 and `table` given, the
// hours from local midnight to the next are written into `table`, three to a line.
int PlHours(std::vector<std::string>* table, const Chart1& chart, double& hourStart, double& hourEnd,
            int& nextRuler, int listing, int = 0, int = 0);

// The Sun's apparent longitude near a moment as a straight line through two samples of the theory:
// `lon0` at `jd0` and `lon1` at `jd1` (the theory's time arguments; degrees, not normalised). Over a
// few days the line departs from the theory by well under a second of arc.
struct SunTrack {
  double jd0 = 0, lon0 = 0;
  double rate = 0;  // degrees per day
  static SunTrack through(double jd0, double lon0, double jd1, double lon1);
  double at(double jd) const { return lon0 + rate * (jd - jd0); }
};
// The planetary-hour ruler as PlHours gives it, with the Sun taken from `sun` instead of the full
// theory, and only the sunrises and sunsets the moment needs. The chart calculation uses it.
int planetaryHourRuler(const Chart1& chart, const SunTrack& sun, RiseSetStatus* status = nullptr);

// Soli-lunar phase 1..parts of a Sun and Moon longitude (phase 1 begins at the new moon); 0 for
// parts < 1.
int FindTheSlupe(double sunLon, double moonLon, int parts, int = 0, int = 0, int = 0);
// The phase of the chart's moment.
int FindTheSlupeFromhMc1(const CIni& settings, const Chart1& chart, int parts, int = 0, int = 0, int = 0);
// The JD at which phase `phase` begins, searching forward (1) or backward (0) from `jd`.
double WhenDoesSlupeXStart(double jd, int forward, int phase, int parts, int = 0, int = 0, int = 0);
// The JD (UT) at which the phase after the chart moment's begins.
double WhenDoesNextSlupeStart(const CIni& settings, const Chart1& chart, int parts, int = 0, int = 0,
                              int = 0);
// The JD at which the Sun (body 0) or the Moon (body 1) next (forward 1) or last (forward 0) enters
// sign 1..12. A search that gives up after 100 passes returns its estimate and, when `ui` is given,
// says so; invalid arguments return `jd`.
double WhenIsSunMoonIngres(double jd, int forward, int body, int sign, ui::Interaction* ui = nullptr);
// Whether the new moon (kind 0, solar eclipse) or full moon (kind 1, lunar eclipse) of the lunation
// counted at `jd` can be an eclipse: 1 yes, 0 no, 2 possibly.
int IsThereEclipse(double jd, int kind);

}  // namespace talpora
