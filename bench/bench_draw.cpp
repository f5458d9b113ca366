// bench_draw: painting wheels. BM_PaintWheelPng2000 paints one chart with the first fixed drawing type
// ("Classic Wheel") into a 2000 x 1500 picture and encodes it as PNG in memory, a different chart each
// time (64 moments from 1950 to 2030 at Paris, computed beforehand). BM_PaintWheelImage2000 paints
// without encoding.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "core/records.h"
#include "draw/drawing_type.h"
#include "draw/wheel.h"
#include "engine/chart.h"
#include "platform/byte_io.h"

#if __has_include(<QImage>)
#include <QBuffer>
#include <QGuiApplication>

#include "qt/render_files.h"
#define TALPORA_BENCH_WITH_QT 1
#endif

namespace {
using namespace talpora;

struct Charts {
  CIni settings;
  std::vector<Chart1> births;
  std::vector<Chart2> computed;
};

Charts makeCharts() {
  Charts c{defaultSettings(TALPORA_BIN_DIR), {}, {}};
  const ChironTable chiron = readChironTable(std::filesystem::path(TALPORA_BIN_DIR) / kChironFileName);
  for (int i = 0; i < 64; ++i) {
    Chart1 b = zeroedRecord<Chart1>();
    b.year = static_cast<std::int16_t>(1950 + (i * 80) / 64);
    b.month = static_cast<std::int16_t>(1 + (i * 5) % 12);
    b.day = static_cast<std::int16_t>(1 + (i * 7) % 28);
    b.hour = static_cast<std::int16_t>((i * 5) % 24);
    b.minute = static_cast<std::int16_t>((i * 13) % 60);
    b.timeZone = 1;
    b.longitude = 2.35 / 15;
    b.latitude = 48.85;
    b.timeKnown = 1;
    setField(b.name, "Benchmark");
    setField(b.place, "Paris");
    Chart2 k = zeroedRecord<Chart2>();
    calculall(c.settings, b, k, chiron);
    c.births.push_back(b);
    c.computed.push_back(k);
  }
  return c;
}

#ifdef TALPORA_BENCH_WITH_QT
void BM_PaintWheelPng2000(benchmark::State& state) {
  static const Charts charts = makeCharts();
  const auto types = readDrawingTypes(std::filesystem::path(TALPORA_BIN_DIR) / kFixedTypesFile);
  if (types.empty()) {
    state.SkipWithError("no ZYKCFIX.DTF in the program directory: build talpora_drawing_types first");
    return;
  }
  const DrawingType& type = types.front();
  std::size_t i = 0, bytes = 0;
  for (auto _ : state) {
    const Chart1& b = charts.births[i % charts.births.size()];
    const Chart2& k = charts.computed[i % charts.computed.size()];
    ++i;
    const QImage image = qt::renderImage(
        QSize(2000, 1500),
        [&](gfx::Canvas& canvas, gfx::Size px) {
          GlyphHitTable hits;
          zykdraw(canvas, px.width, px.height, 10000, charts.settings, b, k, b, k, type.par, type.colours,
                  hits);
        },
        Qt::white, 96.0 * 1500 / 768);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    bytes += static_cast<std::size_t>(png.size());
    benchmark::DoNotOptimize(png.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
  state.counters["pngBytes"] = benchmark::Counter(static_cast<double>(bytes) / std::max<std::size_t>(1, i));
}
BENCHMARK(BM_PaintWheelPng2000)->Unit(benchmark::kMillisecond);

// The same painting without the PNG encoding, to tell the two apart.
void BM_PaintWheelImage2000(benchmark::State& state) {
  static const Charts charts = makeCharts();
  const auto types = readDrawingTypes(std::filesystem::path(TALPORA_BIN_DIR) / kFixedTypesFile);
  if (types.empty()) {
    state.SkipWithError("no ZYKCFIX.DTF in the program directory: build talpora_drawing_types first");
    return;
  }
  const DrawingType& type = types.front();
  std::size_t i = 0;
  for (auto _ : state) {
    const Chart1& b = charts.births[i % charts.births.size()];
    const Chart2& k = charts.computed[i % charts.computed.size()];
    ++i;
    const QImage image = qt::renderImage(
        QSize(2000, 1500),
        [&](gfx::Canvas& canvas, gfx::Size px) {
          GlyphHitTable hits;
          zykdraw(canvas, px.width, px.height, 10000, charts.settings, b, k, b, k, type.par, type.colours,
                  hits);
        },
        Qt::white, 96.0 * 1500 / 768);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_PaintWheelImage2000)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef TALPORA_BENCH_WITH_QT
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
