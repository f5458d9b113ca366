// talpora command line: the computed chart as JSON (talpora chart --json), shared by every subcommand
// that prints a chart.
#pragma once
#include <cstddef>
#include <iosfwd>
#include <string>

#include "core/records.h"

namespace talpora::cli {

struct ChartJson {
  const Chart1& birth;
  const Chart2& chart;
  const CIni& settings;
  bool housesFellBack = false;
  bool sidereal = false;
  double vertex = 0, eastPoint = 0;
};

// One JSON object and a line end.
void printChartJson(std::ostream& out, const ChartJson& c);
// A longitude in the zodiac asked for (the -1 marker stays).
double shownLongitude(const CIni& settings, const Chart2& chart, bool sidereal, double lon);
// A fixed text field of a record in UTF-8 (up to its NUL, never past the field).
std::string utf8Field(const char* field, std::size_t width);

}  // namespace talpora::cli
