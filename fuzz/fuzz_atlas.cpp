// Fuzz harness: the atlas's town file (search, list window, rows) and a zone file (the lookup of a
// town's zone at a date).
#include <cstddef>
#include <cstdint>

#include "atlas/atlas_files.h"
#include "fuzz/fuzz_support.h"

using namespace talpora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::asBytes(data, size);
  const auto files = fuzz::splitInput(bytes);
  const TownFile towns{std::string(files.first)};
  const std::string zoneBytes(files.second);
  for (std::string_view typed : {"Paris", "a", "zz", ""}) {
    const std::string key = townSearchKey(towns, typed);
    const int at = locateTown(towns, key);
    TALPORA_FUZZ_REQUIRE(at >= 0 && at <= towns.count());
    const TownWindow w = townWindow(towns, at);
    TALPORA_FUZZ_REQUIRE(w.first >= 0 && w.first + w.count <= towns.count());
  }
  const ZoneFileSource source = [&](int) -> std::optional<std::string_view> { return zoneBytes; };
  for (int i = 0; i < towns.count() && i < 4; ++i) {
    const ZoneAnswer z = zoneAtDate(source, towns.at(i), 1, 6, 1990, 12, 0);
    if (z.found) TALPORA_FUZZ_REQUIRE(std::isfinite(z.timeZone) && std::fabs(z.timeZone) <= 24);
  }
  return 0;
}
