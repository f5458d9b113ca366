// talpora command line: every field of the chart records, as text or as JSON.
#pragma once
#include <string>

#include "cli/json.h"
#include "core/records.h"

namespace talpora::cli {

// "field: value" lines, texts in UTF-8.
std::string chart1Text(const Chart1&);
std::string chart2Text(const Chart2&);
// The fields as members of the current JSON object (keys = the records' field names).
void chart1Json(Json&, const Chart1&);
void chart2Json(Json&, const Chart2&);
// A double with enough digits to read back the same value.
std::string exact(double);

}  // namespace talpora::cli
