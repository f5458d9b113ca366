// Fuzz harness: a chart file's record as the programs read it, then computed and listed.
#include <cstddef>
#include <cstdint>

#include "engine/chart.h"
#include "engine/positions.h"
#include "files/zykfile.h"
#include "format/report_buffer.h"
#include "fuzz/fuzz_support.h"
#include "listing/listings.h"
#include "platform/headless/scripted_interaction.h"

using namespace talpora;
using talpora::headless::ScriptedInteraction;

namespace {
const CIni& settings() {
  static const CIni s = [] {
    EnsureProgramDirDefaults(fuzz::scratchDir());
    CIni out{};
    ScriptedInteraction ui;
    PutInMemBlock_CIni(out, fuzz::scratchDir(), ui);
    return out;
  }();
  return s;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzz::writeScratch("fuzz.chr", fuzz::asBytes(data, size));
  ScriptedInteraction ui;
  Chart1 birth{};
  if (Read_pc1(&birth, file, 0, ui) != 1) return 0;
  Chart2 chart{};
  static const ChironTable noChiron;
  calculall(settings(), birth, chart, noChiron);
  for (double lon : chart.objects) fuzz::requireLongitude(lon);
  Report report;
  chartHeader(report, nullptr, settings(), birth, chart);
  planetaryHourBlock(report, nullptr, birth, chart);
  positionsTable(report, nullptr, settings(), chart, PositionsLayout{});
  fuzz::requireNoNonFinite(report.text);
  return 0;
}
