// zyktabs: the aspect, parallel, midpoint and harmonic tables, appended to a report for one chart or
// for two charts.
//
// mode 0: one chart (the caller passes the same records twice; pairs are i < j); mode 10: two charts
// (every object of chart 1 with every object of chart 2). zodiac 0 tropical, 1 sidereal (the
// settings' reference with each chart's own values). Every table appends with AddLine mode 1, indent
// 0, blank lines with mode 0, and returns the report's length through `length`. `busy`, when given,
// shows the wait cursor while the table is computed.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/records.h"
#include "format/report_buffer.h"
#include "platform/sys.h"

namespace talpora {

inline constexpr int kOneChart = 0;
inline constexpr int kTwoCharts = 10;

// The object abbreviations of the tables ("Sun ", "Moo." ... "Vtx.", "EPo."); heliocentric lists
// name object 1 "Ear.". "---" outside 0..18.
std::string tableAbbreviation(int object, bool heliocentric = false);
// The aspect labels of the aspect table, 20 characters each ("Conjunction  (=  0°)").
std::string aspectLabel(int aspect);

// The heading of the aspect table for the groups selected ("MAJOR, MINOR AND RARE ASPECTS:").
std::string aspectsHeading(bool major, bool minor, bool rare);

// The aspects of the selected groups between the objects of the chart(s), with the applying or
// separating verdict within one chart.
void Aspects(Report& report, unsigned long* length, const CIni& settings, int mode, int zodiac,
             const Chart1& birth1, const Chart2& chart1, const Chart1& birth2, const Chart2& chart2,
             char major, char minor, char rare, sys::Busy* busy = nullptr);

// Parallels and contraparallels of declination of the Sun to Pluto (orbs: settings slots 18, 19).
void ParallelsOfDecl(Report& report, unsigned long* length, const CIni& settings, int mode, int zodiac,
                     const Chart1& birth1, const Chart2& chart1, const Chart1& birth2, const Chart2& chart2,
                     sys::Busy* busy = nullptr);

// One midpoint of a listing: the two objects and the midpoint's longitude.
struct MidpointEntry {
  int a = 0, b = 0;
  float longitude = 0;
};
// The midpoint on the shorter arc between two longitudes, in [0, 360).
double shorterArcMidpoint(double lonA, double lonB);
// The midpoints of the chart(s) in the order generated (object by object). Objects: 0..16 with the
// Vertex and the East Point when the chart(s) have houses, 0..13 without; heliocentric: the Earth and
// Mercury to Pluto. Objects without a position take no part. zodiac 1 converts the midpoints.
std::vector<MidpointEntry> midpoints(int mode, int zodiac, int heliocentric, const CIni& settings,
                                     const Chart1& birth1, const Chart2& chart1, const Chart1& birth2,
                                     const Chart2& chart2);
// The entries sorted by longitude, ascending; equal longitudes keep their order.
std::vector<MidpointEntry> sortedMidpoints(std::vector<MidpointEntry> entries);

// The midpoints on the full circle: in the order of the objects, then sorted, in three columns.
void MidPoints360(int mode, int zodiac, int heliocentric, Report& report, unsigned long* length,
                  const CIni& settings, const Chart1& birth1, const Chart2& chart1, const Chart1& birth2,
                  const Chart2& chart2, sys::Busy* busy = nullptr);

// A midpoint reduced by the modulus into (0, modulus] (0 stays 0).
double reduceByModulus(double midpoint, double modulus);
// The tropical midpoints reduced by the modulus, in four columns. A modulus of 0 or less (or not a
// number) is refused: nothing is appended and the result is 0; otherwise 1.
int MidPointsModulus(int mode, float modulus, int heliocentric, Report& report, unsigned long* length,
                     const CIni& settings, const Chart1& birth1, const Chart2& chart1, const Chart1& birth2,
                     const Chart2& chart2, sys::Busy* busy = nullptr);

// The largest harmonic number the tables accept (its chart title must fit the record's field).
inline constexpr int kMaxHarmonic = 9999;

// The harmonic chart of harmonic h (1..9999): copies of the records whose chart type is 333, whose
// kind of chart reads "Harmonic Chart, n=h", and whose object longitudes (those that take part:
// the angles and the Part of Fortune only with houses, none without a position) are h times the
// tropical longitudes, modulo 360. false for an h outside 1..9999.
bool makeHarmonicChart(const Chart1& birth, const Chart2& chart, int h, Chart1& copy, Chart2& copyChart);

// Shows a harmonic chart drawing (the drawing program's part: the choice of a drawing type and the
// drawing itself), given the harmonic chart's records.
using HarmonicDrawer = std::function<void(const Chart1& copy, const Chart2& copyChart)>;

// drawing 0: lists the harmonic positions of harmonic `harmonic` (0: of 2 to 25). drawing 1: hands the
// harmonic chart to `drawer` and appends nothing. A harmonic outside 0..9999, 0 for a drawing, or a
// drawing without a drawer is refused: result 0, nothing done; otherwise 1.
int Harmonics(const HarmonicDrawer* drawer, Report& report, unsigned long* length, const CIni& settings,
              const Chart1& birth, const Chart2& chart, int harmonic, int drawing, int zodiac,
              sys::Busy* busy = nullptr);

}  // namespace talpora
