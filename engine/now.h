// zyknow: the chart record of the present moment (a here-and-now chart) at one of the place charts.
#pragma once
#include "core/records.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

// Fills `birth` with the present moment at place chart `placeNumber` ("ZYKF%02d.DTF" in the settings'
// program directory, 0..99; 0 is the user's own place): the place, its coordinates and zone from the
// place chart, the date and clock time (seconds dropped) of the present moment there, time known, the
// name, chart-type text and comment empty, kind 33 for place 0 and 34 for the others.
// The present moment is the clock's UTC. At place 0 the chart's zone is the system's current offset
// (summer time included) and the clock time is UTC plus that offset; at another place the clock time
// is UTC plus the place's stored zone. `convert` has no effect: the moment is always right.
// Result 1 done; 0 when the place chart cannot be read (reported through `ui`; `birth` unchanged).
int ashernow(const CIni& settings, Chart1& birth, int placeNumber, int convert, const sys::Clock& clock,
             ui::Interaction& ui);

}  // namespace talpora
