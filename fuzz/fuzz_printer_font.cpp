// Fuzz harness: a printer-font record.
#include <cstddef>
#include <cstdint>

#include "format/printer_fonts.h"
#include "fuzz/fuzz_support.h"

using namespace talpora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto font = decodeFontRecord(fuzz::asBytes(data, size));
  if (!font) return 0;
  // A font a page can hold: what the reader lets through is within the sizes it promises.
  TALPORA_FUZZ_REQUIRE(font->height >= -kMaxFontExtent && font->height <= kMaxFontExtent);
  TALPORA_FUZZ_REQUIRE(font->width >= 0 && font->width <= kMaxFontExtent);
  TALPORA_FUZZ_REQUIRE(font->weight >= 0 && font->weight <= 1000);
  return 0;
}
