// talpora command line: the drawing types of the program directory (fixed ones first, numbered from
// 1) and the choice of one by number or title, for the subcommands that take --type.
#pragma once
#include <string>
#include <vector>

#include "core/records.h"
#include "draw/drawing_type.h"
#include "draw/style_select.h"

namespace talpora::cli {

struct TypeEntry {
  int file = kFixedFile;
  int index = 0;
  DrawingType type;
};

// Every drawing type, fixed ones first, numbered from 1 in this order.
std::vector<TypeEntry> allTypes(const CIni& settings);
// The type of a --type value: a number (1..count) or a title (the marker " (*)" and case ignored).
// UsageError naming --type otherwise; WorkError when there are no types.
const TypeEntry& findType(const std::vector<TypeEntry>& types, const std::string& wanted);
std::string lowerCase(std::string s);

}  // namespace talpora::cli
