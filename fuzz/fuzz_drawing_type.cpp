// Fuzz harness: a drawing type as the designer hands it over ("DATA9.DTF") and as the type files
// keep it (parameters and colours).
#include <cstddef>
#include <cstdint>

#include "draw/drawing_type.h"
#include "fuzz/fuzz_support.h"

using namespace talpora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::asBytes(data, size);
  if (const auto type = decodeData9(bytes)) (void)encodeData9(type->par, type->colours);
  const ChPar par = decodeChPar(bytes);
  const ChCol col = decodeChCol(bytes);
  TALPORA_FUZZ_REQUIRE(std::string_view(par.title, sizeof par.title).find('\0') != std::string_view::npos);
  (void)col;
  return 0;
}
