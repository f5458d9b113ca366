// Fuzz harness: the two fixed-star files (longitudes and names), then the stars' places.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "listing/listings.h"

using namespace talpora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::asBytes(data, size);
  const auto files = fuzz::splitInput(bytes);
  fuzz::writeScratch(kStarLongitudeFile, files.first);
  fuzz::writeScratch(kStarNameFile, files.second);
  const FixedStarCatalogue stars = readFixedStars(fuzz::scratchDir());
  for (const FixedStar& s : stars.stars)
    for (double lon : s.longitudes) TALPORA_FUZZ_REQUIRE(std::isfinite(lon));
  return 0;
}
