// zykwheel: a drawing asked for by name: the drawing types of the program directory in the order the
// lists show them, the type found by its title, the charts of a single, harmonic or double wheel
// (synastry or transits) computed in one chart session, and the type's zodiac rings turned to the
// zodiac asked for. The drawing program and the command line draw what this prepares.
#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "draw/drawing_type.h"
#include "engine/chart_session.h"

namespace talpora {

struct DrawingTypeEntry {
  int file = 0;  // kFixedFile or kCustomFile
  int index = 0;
  DrawingType type;
};
// Every drawing type, fixed ones first (numbered from 1 in this order in lists).
std::vector<DrawingTypeEntry> allDrawingTypes(const CIni& settings);
// The type titled `title` (CP1252): the exact title first, then ignoring case, trailing blanks and a
// trailing "(*)" or "*" marker. nullopt when none is.
std::optional<std::size_t> findDrawingType(const std::vector<DrawingTypeEntry>& types,
                                           std::string_view title);
// The entry's type, with the monochrome colour set when the settings ask for monochrome drawings.
DrawingType drawingTypeFor(const CIni& settings, const DrawingTypeEntry& entry);

// A sidereal request draws the type's tropical rings (kinds 1 and 4) in the sidereal zodiac (2 and 5),
// a tropical request the reverse.
void turnRingsToZodiac(ChPar& par, Zodiac zodiac);

enum class PairKind { Synastry, Transits };

struct DrawingRequest {
  ChartQuery first;
  std::optional<ChartQuery> second;  // a double wheel: the second chart outside
  std::optional<int> harmonic;       // 1..999: the harmonic chart of `first` (one chart only)
  PairKind pair = PairKind::Synastry;
  DrawingType type;
};

// What zykdraw is given: the settings (with the first chart's house system), the type, the inner and
// outer charts (the same chart for a single wheel).
struct DrawingCharts {
  CIni settings;
  DrawingType type;
  Chart1 chart, outerChart;
  Chart2 computed, outerComputed;
};

// The second chart takes the first one's house system unless it asks for its own.
DrawingCharts prepareDrawing(const ChartSession& session, const DrawingRequest& request);

}  // namespace talpora
