// zykfmt: the text of a computed chart (the `talpora chart` and `talpora now` report), in UTF-8.
#pragma once
#include <string>

#include "engine/chart_session.h"

namespace talpora {

// The report, one line per "\n": name, place, local and universal time, Julian Day and Delta T,
// sidereal time and obliquity, the sidereal references, zodiac, house system (and how it was
// obtained), planetary hour, the seventeen objects (angles only with houses) in the chart's zodiac,
// then the twelve cusps, the Vertex and the East Point (or why there are no houses).
std::string chartReport(const ComputedChart& chart);

}  // namespace talpora
