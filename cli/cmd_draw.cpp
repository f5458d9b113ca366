// talpora draw: a chart (or a double wheel) painted with a drawing type into a PNG, SVG or PDF file;
// talpora draw --list-types.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/drawing_types.h"
#include "core/records.h"
#include "draw/chart_pairs.h"
#include "draw/drawing_type.h"
#include "draw/style_select.h"
#include "draw/wheel.h"
#include "engine/chart.h"
#include "engine/now.h"
#include "files/zykfile.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"
#include "platform/headless/svg_canvas.h"

#if __has_include(<QImage>)
#include <QGuiApplication>
#include <cstdlib>

#include "qt/render_files.h"
#define TALPORA_DRAW_WITH_QT 1
#endif

namespace talpora::cli {
namespace {
namespace fs = std::filesystem;

// The chart options, or "now [--place N]": the present moment at place chart N (0: your own place).
ChartRequest chartOrNow(Args& args, Context& ctx, const CIni& settings) {
  const auto positionals = args.positionals();
  if (positionals.empty() || positionals.front() != "now") return parseChartOptions(args, ctx);
  args.next("now");
  ChartRequest req;
  const long place = args.integer("--place").value_or(0);
  if (place < 0 || place > 99) throw UsageError("option --place: place charts are 0 to 99");
  if (auto hs = args.integer("--house-system")) {
    if (*hs < 0 || *hs > 11) throw UsageError("option --house-system: codes are 0 to 11");
    req.houseSystem = static_cast<int>(*hs);
  }
  if (auto z = args.option("--zodiac")) {
    if (*z != "tropical" && *z != "sidereal") throw UsageError("option --zodiac: tropical or sidereal");
    req.zodiac = *z == "sidereal" ? Zodiac::Sidereal : Zodiac::Tropical;
  }
  headless::StderrInteraction ui;
  const headless::SystemClock clock;
  Chart1 placeChart;
  if (!readPlaceChart(settings, static_cast<int>(place), placeChart, ui))
    throw WorkError("cannot read place chart " +
                    ctx.programDir().file(placeChartFileName(static_cast<int>(place))).string());
  ashernow(placeChart, req.chart, static_cast<int>(place), 1, clock);
  return req;
}

struct Computed {
  Chart1 chart;
  Chart2 computed;
};

Computed compute(const ChartRequest& req, CIni settings, const ChironTable& chiron) {
  if (req.houseSystem) settings.houseSystem = static_cast<std::int16_t>(*req.houseSystem);
  Computed c{req.chart, zeroedRecord<Chart2>()};
  calculall(settings, c.chart, c.computed, chiron);
  return c;
}

int runDraw(Args& args, Context& ctx) {
  const bool list = args.flag("--list-types");
  headless::StderrInteraction ui;
  CIni settings = defaultSettings(ctx.programDir().dir.string());
  PutInMemBlock_CIni(settings, ctx.programDir().dir, ui);
  setField(settings.programDir, ctx.programDir().dir.string());
  const std::vector<TypeEntry> types = allTypes(settings);
  if (list) {
    args.finish();
    if (types.empty()) throw WorkError("no drawing types in " + ctx.programDir().dir.string());
    for (std::size_t i = 0; i < types.size(); ++i)
      ctx.out << (i + 1) << ' ' << cp1252ToUtf8(titleOf(types[i].type.par)) << '\n';
    return kExitOk;
  }
  std::optional<Args> secondArgs = args.splitAt("--second");
  // The drawing's own options may stand before or after the second chart.
  auto option = [&](const char* name) {
    auto v = args.option(name);
    if (!v && secondArgs) v = secondArgs->option(name);
    return v;
  };
  auto integer = [&](const char* name) {
    auto v = args.integer(name);
    if (!v && secondArgs) v = secondArgs->integer(name);
    return v;
  };
  const auto typeName = option("--type");
  const auto out = option("--out");
  const auto size = integer("--size");
  const auto harmonic = integer("--harmonic");
  const auto pair = option("--pair");
  ChartRequest first = chartOrNow(args, ctx, settings);
  args.finish();
  std::optional<ChartRequest> second;
  if (secondArgs) {
    second = chartOrNow(*secondArgs, ctx, settings);
    secondArgs->finish();
  }
  if (!out) throw UsageError("option --out FILE.png|.svg|.pdf is required");
  const std::string ext = lowerCase(fs::path(*out).extension().string());
  if (ext != ".png" && ext != ".svg" && ext != ".pdf")
    throw UsageError("option --out: the file ends in .png, .svg or .pdf");
  const int width = static_cast<int>(size.value_or(1600));
  if (width < 200 || width > 12000) throw UsageError("option --size: 200 to 12000 pixels");
  if (harmonic && (*harmonic < 1 || *harmonic > 999)) throw UsageError("option --harmonic: 1 to 999");
  if (harmonic && second) throw UsageError("option --harmonic draws one chart (no --second)");
  if (pair && *pair != "transits" && *pair != "synastry")
    throw UsageError("option --pair: transits or synastry");
  if (pair && !second) throw UsageError("option --pair needs --second");
  const TypeEntry& entry = findType(types, typeName.value_or("1"));
  DrawingType type = entry.type;
  if (settings.monochrome) {
    if (auto mono = loadDrawingType(settings, entry.file, entry.index, nullptr)) type.colours = mono->colours;
  }

  const ChironTable chiron = loadChironTable(settings, ui);
  if (first.zodiac) {
    // A sidereal request draws the type's tropical rings in the sidereal zodiac, and the reverse.
    for (int k = 1; k <= 5; ++k) {
      auto& r = type.par.ringKind[k];
      if (*first.zodiac == Zodiac::Sidereal && r == 1) r = 2;
      if (*first.zodiac == Zodiac::Sidereal && r == 4) r = 5;
      if (*first.zodiac == Zodiac::Tropical && r == 2) r = 1;
      if (*first.zodiac == Zodiac::Tropical && r == 5) r = 4;
    }
  }
  Computed a = compute(first, settings, chiron);
  if (first.houseSystem) settings.houseSystem = static_cast<std::int16_t>(*first.houseSystem);
  Chart1 chart = a.chart, outerChart = a.chart;
  Chart2 computed = a.computed, outerComputed = a.computed;
  if (harmonic) {
    harmonicChart(a.chart, a.computed, static_cast<int>(*harmonic), chart, computed);
    outerChart = chart;
    outerComputed = computed;
  }
  if (second) {
    const Computed b = compute(*second, settings, chiron);
    outerChart = b.chart;
    outerComputed = b.computed;
    if (pair.value_or("synastry") == "synastry") {
      chart = synastryPair(a.chart, b.chart);
    } else {
      transitsPair(chart, outerChart, first.zodiac == Zodiac::Sidereal);
    }
  }
  const DrawingCheck check = checkDrawingType(type.par, settings, chart, computed);
  if (check.placidusQuestion)
    ctx.err
        << "talpora draw: the Placidus system makes no sense beyond 66 degrees of latitude; the cusps are "
           "drawn as the engine gives them\n";
  if (check.refusal) throw WorkError(cp1252ToUtf8(*check.refusal));

  const int height = static_cast<int>(std::lround(width * 0.75));
  // On a screen-like device the wheel fills the picture; the stock fonts grow with it as on a screen of
  // 768 lines.
  const double dpi = 96.0 * height / 768.0;
  auto paintImage = [&](gfx::Canvas& canvas, gfx::Size px) {
    GlyphHitTable hits;
    canvas.setMapping(gfx::Mapping::DevicePixels);
    zykdraw(canvas, px.width, px.height, 10000, settings, chart, computed, outerChart, outerComputed,
            type.par, type.colours, hits);
  };
  bool ok = false;
#ifdef TALPORA_DRAW_WITH_QT
  // Fonts need a GUI application; the command draws off screen unless told otherwise.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qtArgc = 1;
  char qtName[] = "talpora";
  char* qtArgv[] = {qtName, nullptr};
  std::optional<QGuiApplication> app;
  if (!QGuiApplication::instance()) app.emplace(qtArgc, qtArgv);
#endif
  if (ext == ".svg") {
#ifdef TALPORA_DRAW_WITH_QT
    ok = qt::writeSvg(*out, QSize(width, height), paintImage, dpi);
#else
    headless::SvgCanvas svg({width, height}, dpi, std::nullopt);
    paintImage(svg, {width, height});
    ok = svg.save(*out).ok;
#endif
  } else {
#ifdef TALPORA_DRAW_WITH_QT
    if (ext == ".png") {
      ok = qt::writePng(*out, QSize(width, height), paintImage, Qt::white, dpi);
    } else {
      // A page: the wheel 150 mm across in a 190 x 150 mm drawing area, centred on A4.
      ok = qt::writePdf(*out, 1, [&](gfx::Canvas& canvas, int, gfx::Size page) {
        const int w = 1900, h = 1500;
        canvas.setOrigin({(page.width - w) / 2, -(page.height - h) / 2});
        GlyphHitTable hits;
        const WheelFonts fonts = defaultWheelFonts();
        zykdraw(canvas, w, -h, 1000, settings, chart, computed, outerChart, outerComputed, type.par,
                type.colours, hits, &fonts);
      });
    }
#else
    throw WorkError("this build has no Qt: only .svg pictures can be written");
#endif
  }
  if (!ok) throw WorkError("cannot write " + *out);
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND(
    "draw",
    "talpora draw CHART-OPTIONS|now [--place N] [--type NAME|NUMBER] [--harmonic N] [--second "
    "CHART-OPTIONS|now [--pair synastry|transits]] --out FILE.png|.svg|.pdf [--size PIXELS] | "
    "talpora draw --list-types",
    "paint a chart (now: the present moment at place chart N), a harmonic chart or a double wheel with "
    "a drawing type (first fixed type by default) into a PNG or SVG picture PIXELS wide (default 1600) "
    "and 3/4 as high, or a PDF page",
    runDraw);

}  // namespace talpora::cli
