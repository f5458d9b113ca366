// Fuzz harness: the Chiron table, then Chiron over the whole span the table claims.
#include <cstddef>
#include <cstdint>

#include "engine/positions.h"
#include "fuzz/fuzz_support.h"

using namespace talpora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ChironTable table = ChironTable::fromBytes(fuzz::asBytes(data, size));
  if (table.empty()) return 0;
  const double first = table.firstJd(), end = table.endJd();
  for (int i = 0; i <= 64; ++i) {
    double lon = 0;
    const int found = Chiron(table, first + (end - first) * i / 64.0, lon);
    TALPORA_FUZZ_REQUIRE(found == 0 ? lon == -1 : lon >= 0 && lon < 360);
  }
  return 0;
}
