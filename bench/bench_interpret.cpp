// Interpretation benchmarks over 240 distinct charts, with the knowledge bank of the build's program
// directory: a full interpretation composed and written to a file, and the glyph lists of all 39
// items of a chart.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "engine/chart.h"
#include "files/zykfile.h"
#include "interpretation/glyph_explanations.h"
#include "platform/byte_io.h"
#include "platform/headless/scripted_interaction.h"
#include "programs/zykinterp/interpreter_app.h"

namespace {
using namespace talpora;

struct Charts {
  CIni settings;
  std::vector<Chart1> records;
  std::vector<Chart2> computed;
};

const Charts& charts() {
  static const Charts c = [] {
    Charts out;
    out.settings = defaultSettings(TALPORA_BIN_DIR);
    headless::ScriptedInteraction ui;
    PutInMemBlock_CIni(out.settings, TALPORA_BIN_DIR, ui);
    for (int i = 0; i < 240; ++i) {
      Chart1 r{};
      r.marker1 = r.marker2 = 32;
      r.day = static_cast<std::int16_t>(1 + i % 28);
      r.month = static_cast<std::int16_t>(1 + i % 12);
      r.year = static_cast<std::int16_t>(1900 + (i * 7) % 120);
      r.hour = static_cast<std::int16_t>((i * 5) % 24);
      r.minute = static_cast<std::int16_t>((i * 13) % 60);
      r.longitude = ((i * 37) % 360 - 180) / 15.0;
      r.latitude = (i * 11) % 120 - 60;
      r.timeKnown = 1;
      setField(r.name, "Bench");
      Chart2 c{};
      calculall(out.settings, r, c, 0, 0, 0);
      out.records.push_back(r);
      out.computed.push_back(c);
    }
    return out;
  }();
  return c;
}

void BM_FullInterpretation(benchmark::State& state) {
  const Charts& c = charts();
  const auto file = std::filesystem::temp_directory_path() / "talpora-bench-interp.txt";
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t k = i++ % c.records.size();
    ChartAnalysis analysis = AnalyseChart(c.settings, c.records[k], c.computed[k]);
    Report report;
    MissingBankFiles missing;
    writeFullInterpretation(FullInterpretation::NonAstrologers, 1, report, nullptr, c.settings, c.records[k],
                            c.computed[k], analysis, missing);
    benchmark::DoNotOptimize(SaveAsTextFile(report, file, 1, 0));
  }
  std::filesystem::remove(file);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullInterpretation)->Unit(benchmark::kMillisecond);

void BM_GlyphList(benchmark::State& state) {
  const Charts& c = charts();
  ChPar type;
  type.typeOrigin = 601;
  type.ringKind[1] = 1;
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t k = i++ % c.records.size();
    for (int item = 0; item <= kGlyphEarth; ++item)
      benchmark::DoNotOptimize(glyphExplanation(item, c.settings, c.records[k], c.computed[k], type));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GlyphList)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
