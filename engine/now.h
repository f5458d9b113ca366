// zyknow: the chart record of the present moment (a here-and-now chart) at one of the place charts.
#pragma once
#include "core/records.h"
#include "platform/sys.h"

namespace talpora {

// Fills `birth` with the present moment at place chart `placeNumber` (0..99; 0 is the user's own
// place), whose record `place` the caller has read (files/zykfile.h readPlaceChart): the place, its
// coordinates and zone from the place chart, the date and clock time (seconds dropped) of the present
// moment there, time known, the name, chart-type text and comment empty, kind 33 for place 0 and 34
// for the others. The present moment is the clock's UTC. At place 0 the chart's zone is the system's
// current offset (summer time included) and the clock time is UTC plus that offset; at another place
// the clock time is UTC plus the place's stored zone. `convert` has no effect: the moment is always
// right. Result 1.
int ashernow(const Chart1& place, Chart1& birth, int placeNumber, int convert, const sys::Clock& clock);

}  // namespace talpora
