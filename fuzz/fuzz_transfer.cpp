// Fuzz harness: the transfer file one program hands to another.
#include <cstddef>
#include <cstdint>

#include "core/transfer.h"
#include "fuzz/fuzz_support.h"

using namespace talpora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TransferCharts t = transferFromBytes(fuzz::asBytes(data, size));
  TALPORA_FUZZ_REQUIRE(t.bytesRead <= size);
  // Texts are forced to end inside their fields.
  TALPORA_FUZZ_REQUIRE(std::string_view(t.chartA.name, sizeof t.chartA.name).find('\0') !=
                       std::string_view::npos);
  TALPORA_FUZZ_REQUIRE(std::string_view(t.chartB.place, sizeof t.chartB.place).find('\0') !=
                       std::string_view::npos);
  return 0;
}
