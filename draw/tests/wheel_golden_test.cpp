// Every fixed drawing type painted for one fixed chart, compared operation by operation with the
// recordings kept in draw/tests/golden/ (one file per type, plus a double wheel and a page on paper).
// The recordings change only on purpose: run the test with TALPORA_UPDATE_GOLDEN=1 to rewrite them,
// and review the difference before committing it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "draw/tests/wheel_fixture.h"
#include "draw/type_source.h"
#include "draw/wheel.h"
#include "platform/atomic_file.h"
#include "platform/byte_io.h"
#include "platform/headless/recording_canvas.h"
#include "platform/headless/golden.h"

using namespace talpora;
namespace fs = std::filesystem;

namespace {

const fs::path kGoldenDir = fs::path(TALPORA_SOURCE_DIR) / "draw" / "tests" / "golden";

DrawingTypeBook shippedTypes() {
  DrawingTypeCompiler c;
  for (const char* f : {"colours.txt", "fixed.txt", "custom.txt"}) {
    const auto text = readFile(fs::path(TALPORA_SOURCE_DIR) / "data" / "drawing-types" / f);
    if (text) c.add(*text, f);
  }
  return c.finish();
}

std::string record(const DrawingType& t, const Chart1& chart, const Chart2& computed, const Chart1& second,
                   const Chart2& secondComputed, int width, int height, int device) {
  headless::RecordingCanvas canvas;
  GlyphHitTable hits;
  const CIni settings = wheeltest::testSettings();
  const WheelFonts fonts = defaultWheelFonts();
  zykdraw(canvas, width, height, device, settings, chart, computed, second, secondComputed, t.par, t.colours,
          hits, &fonts);
  std::string out = "# " + titleOf(t.par) + "\n" + canvas.dump() + "hits";
  for (int i = 0; i < 39; ++i) out += " " + std::to_string(hits.x[i]) + "," + std::to_string(hits.y[i]);
  return out + "\n";
}

void compareWithGolden(const std::string& name, const std::string& actual) {
  const fs::path file = kGoldenDir / (name + ".txt");
  if (headless::updatingGoldens()) {
    fs::create_directories(kGoldenDir);
    ASSERT_TRUE(replaceFileAtomically(file, actual).ok) << file;
    return;
  }
  const auto expected = readFile(file);
  ASSERT_TRUE(expected.has_value()) << file << " is missing (TALPORA_UPDATE_GOLDEN=1 writes it)";
  if (*expected == actual) return;
  // Show the first line that differs and keep the whole recording for a diff.
  std::size_t line = 1, i = 0;
  while (i < expected->size() && i < actual.size() && (*expected)[i] == actual[i]) {
    if (actual[i] == '\n') ++line;
    ++i;
  }
  const fs::path kept = fs::temp_directory_path() / (name + ".actual.txt");
  replaceFileAtomically(kept, actual);
  ADD_FAILURE() << name << " differs from its recording from line " << line << "; the new one is in " << kept;
}

}  // namespace

TEST(WheelGolden, EveryFixedTypeForTheFixedChart) {
  const DrawingTypeBook book = shippedTypes();
  ASSERT_FALSE(book.fixed.empty());
  Chart1 chart;
  Chart2 computed;
  wheeltest::testChart(chart, computed);
  for (std::size_t i = 0; i < book.fixed.size(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "fixed_%02zu", i);
    const std::string actual = record(book.fixed[i], chart, computed, chart, computed, 1600, 1200, 10000);
    // Whatever the type, something of the chart is drawn and the recording holds no NaN coordinates.
    EXPECT_NE(actual.find("line "), std::string::npos) << titleOf(book.fixed[i].par);
    EXPECT_EQ(actual.find("nan"), std::string::npos) << titleOf(book.fixed[i].par);
    compareWithGolden(name, actual);
  }
}

TEST(WheelGolden, DoubleWheelAndPrintedPage) {
  const DrawingTypeBook book = shippedTypes();
  ASSERT_GT(book.fixed.size(), 12u);
  Chart1 chart;
  Chart2 computed;
  wheeltest::testChart(chart, computed);
  Chart1 transits = chart;
  Chart2 transitsComputed = computed;
  transits.chartType = chart_type::kTransits;
  setField(transits.typeText, "Transits for Mar. 1 2024");
  for (int i = 0; i < 14; ++i)
    transitsComputed.objects[i] = std::fmod(computed.objects[i] + 97.5 + 3 * i, 360.0);
  chart.doubleChart = 1;
  compareWithGolden("double_transits",
                    record(book.fixed[12], chart, computed, transits, transitsComputed, 1600, 1200, 10000));
  chart.doubleChart = 0;
  // Paper: tenths of a millimetre, y up, the printer fonts.
  compareWithGolden("paper_classic",
                    record(book.fixed[0], chart, computed, chart, computed, 1900, -1500, 1000));
}
