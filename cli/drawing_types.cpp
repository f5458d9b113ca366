// talpora command line: the choice of a drawing type.
#include "cli/drawing_types.h"

#include "cli/command.h"
#include "platform/cp1252.h"

namespace talpora::cli {

const DrawingTypeEntry& findType(const std::vector<DrawingTypeEntry>& types, const std::string& wanted) {
  if (types.empty()) throw WorkError("no drawing types: ZYKCFIX.DTF and custom.dtf are missing or empty");
  if (auto n = parseInteger(wanted)) {
    if (*n < 1 || *n > static_cast<long>(types.size()))
      throw UsageError("option --type: numbers are 1 to " + std::to_string(types.size()) +
                       " (see --list-types)");
    return types[static_cast<std::size_t>(*n - 1)];
  }
  if (auto i = findDrawingType(types, utf8ToCp1252(wanted))) return types[*i];
  throw UsageError("option --type: no drawing type '" + wanted + "' (see --list-types)");
}

}  // namespace talpora::cli
