// zykmeans: the list of aspects of a chart that the interpretation is built on.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace talpora {

// One aspect between two chart objects: 12 bytes, as kept in the aspect list.
struct AspectEntry {
  std::int8_t first = 0;       // object number
  std::int8_t second = 0;      // object number
  std::int8_t aspect = 0;      // 0 conjunction, 1 opposition, 2 trine, 3 square, 4 sextile, 5..8 minor
  std::int8_t applying = -1;   // 1 applying, 0 separating, -1 not defined
  float orb = 0;               // distance from the exact aspect, degrees
  std::int8_t tightness = -1;  // class 0 (tightest) to 3, -1 no class
  std::int8_t written = 0;     // 1 once the aspect has been interpreted
  std::uint8_t unused[2] = {};
};
static_assert(sizeof(AspectEntry) == 12);
static_assert(offsetof(AspectEntry, orb) == 4 && offsetof(AspectEntry, tightness) == 8);
static_assert(offsetof(AspectEntry, written) == 9);

// The entries in the order of the first object, then the second, then the aspect number. The
// vector's size is the entry count.
using AspectList = std::vector<AspectEntry>;

}  // namespace talpora
