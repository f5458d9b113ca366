// Fuzz harness: a file of the interpretation text bank, of any family.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "interpretation/bank_format.h"

using namespace talpora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int family = data[0] % 8;  // 1 aspects, 2 houses, 3 general, 4 signs
  if (!bank::isFamily(family)) return 0;
  const auto decoded = bank::decodeFile(family, fuzz::asBytes(data + 1, size - 1));
  for (const auto& r : decoded.records) TALPORA_FUZZ_REQUIRE(r.text.size() <= size);
  return 0;
}
