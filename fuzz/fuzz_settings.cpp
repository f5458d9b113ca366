// Fuzz harness: the settings file and the orb files, read as a program starts, then used for a chart.
#include <cstddef>
#include <cstdint>

#include "engine/chart.h"
#include "engine/positions.h"
#include "files/zykfile.h"
#include "fuzz/fuzz_support.h"
#include "platform/headless/scripted_interaction.h"

using namespace talpora;
using talpora::headless::ScriptedInteraction;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first 679 bytes are the settings file, the rest the transit orbs file.
  const auto bytes = fuzz::asBytes(data, size);
  const auto dir = fuzz::scratchDir();
  fuzz::writeScratch(kSettingsFileName, bytes.substr(0, kSettingsFileSize));
  fuzz::writeScratch(kTransitOrbsFileName,
                     bytes.size() > kSettingsFileSize ? bytes.substr(kSettingsFileSize) : "");
  ScriptedInteraction ui;
  CIni settings{};
  PutInMemBlock_CIni(settings, dir, ui);
  float orbsA[20] = {}, orbsB[20] = {};
  for (int set = 1; set <= 4; ++set) {
    if (ReadOrbs(settings, set, orbsA, orbsB, 1, &ui) != 1) continue;
    for (int i = 0; i < 20; ++i) TALPORA_FUZZ_REQUIRE(std::isfinite(orbsA[i]) && std::isfinite(orbsB[i]));
  }
  if (ReadOrbs(settings, 2, orbsA, orbsB, 2, &ui) == 1)
    for (int i = 0; i < 9; ++i)
      TALPORA_FUZZ_REQUIRE(std::isfinite(orbsA[i]) && orbsA[i] >= 0 && orbsA[i] <= 360);
  Chart1 birth = defaultPlaceChart();
  birth.day = 1;
  birth.month = 1;
  birth.year = 2000;
  birth.hour = 12;
  Chart2 chart{};
  static const ChironTable noChiron;
  calculall(settings, birth, chart, noChiron);
  for (double lon : chart.cusps) fuzz::requireLongitude(lon);
  return 0;
}
