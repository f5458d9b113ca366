// zykwheel: the records a drawing of derived charts is made from: the harmonic chart, and the pair
// records of double wheels (transits round a chart, synastry of two people).
#pragma once
#include "core/records.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

// The harmonic chart of order h: every object with a position (the Ascendant, Midheaven and Part of
// Fortune only when the chart has houses) at h x longitude modulo 360, from the tropical longitudes;
// chartType 333 (no moment) and the typeText "Harmonic Chart, n=%d", cut to the field.
void harmonicChart(const Chart1& birth, const Chart2& computed, int h, Chart1& outBirth, Chart2& outComputed);

// Drawing a harmonic chart from a listing: the harmonic copy of the chart, the choice of a drawing type
// (SelectDrawingType), the transfer file with the copy as both charts, and PlayDrawingType. 1 when
// the drawing program was started; 0 when cancelled, refused or failed (each with its message).
int drawHarmonicChart(ui::Interaction& ui, const CIni& settings, const Chart1& birth, const Chart2& computed,
                      int h, sys::ProcessLauncher& launcher, sys::HelpViewer* help = nullptr);

// A double wheel of a chart (inside) and the transits of another moment (outside): the inner record
// is marked as a double chart; the outer one becomes a transits chart (chartType 27, or 26 in the
// sidereal zodiac) named "Transits for " and its date, and named after the inner chart when it has no
// name of its own.
void transitsPair(Chart1& inner, Chart1& outer, bool sidereal);

// A synastry double wheel: the pair record (chartType 28, a double chart) made from the inner chart,
// named after the outer person, with the inner person's name as its kind of chart.
Chart1 synastryPair(const Chart1& inner, const Chart1& outer);

}  // namespace talpora
