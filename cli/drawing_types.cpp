// talpora command line: the drawing types and the choice of one.
#include "cli/drawing_types.h"

#include <cctype>

#include "cli/command.h"
#include "platform/cp1252.h"

namespace talpora::cli {
namespace {

std::string withoutMarker(std::string s) {
  for (const std::string marker : {" (*)", "(*)", "*"}) {
    if (s.size() >= marker.size() && s.compare(s.size() - marker.size(), marker.size(), marker) == 0) {
      s.resize(s.size() - marker.size());
      break;
    }
  }
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

std::vector<TypeEntry> allTypes(const CIni& settings) {
  std::vector<TypeEntry> out;
  for (int f : {kFixedFile, kCustomFile}) {
    const auto types = readDrawingTypes(drawingTypeFile(settings, f));
    for (std::size_t i = 0; i < types.size(); ++i) out.push_back({f, static_cast<int>(i), types[i]});
  }
  return out;
}

std::string lowerCase(std::string s) {
  for (auto& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

const TypeEntry& findType(const std::vector<TypeEntry>& types, const std::string& wanted) {
  if (types.empty()) throw WorkError("no drawing types: ZYKCFIX.DTF and custom.dtf are missing or empty");
  if (auto n = parseInteger(wanted)) {
    if (*n < 1 || *n > static_cast<long>(types.size()))
      throw UsageError("option --type: numbers are 1 to " + std::to_string(types.size()) +
                       " (see --list-types)");
    return types[static_cast<std::size_t>(*n - 1)];
  }
  const std::string w = utf8ToCp1252(wanted);
  for (const auto& t : types)
    if (titleOf(t.type.par) == w) return t;
  for (const auto& t : types)
    if (lowerCase(withoutMarker(titleOf(t.type.par))) == lowerCase(withoutMarker(w))) return t;
  throw UsageError("option --type: no drawing type '" + wanted + "' (see --list-types)");
}

}  // namespace talpora::cli
