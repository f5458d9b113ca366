// talpora command line: the choice of a drawing type by a --type value (the types themselves and the
// lookup by title are draw/drawing_request.h's).
#pragma once
#include <string>
#include <vector>

#include "draw/drawing_request.h"

namespace talpora::cli {

// The type of a --type value: a number (1..count, in the order of allDrawingTypes) or a title (the
// marker " (*)" and case ignored). UsageError naming --type otherwise; WorkError when there are no types.
const DrawingTypeEntry& findType(const std::vector<DrawingTypeEntry>& types, const std::string& wanted);

}  // namespace talpora::cli
