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
#include "draw/drawing_request.h"
#include "draw/drawing_type.h"
#include "draw/style_select.h"
#include "draw/wheel.h"
#include "engine/chart_session.h"
#include "files/zykfile.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"
#include "platform/headless/svg_canvas.h"
#include "platform/text.h"

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
ChartRequest chartOrNow(Args& args, Context& ctx, const ChartSession& session) {
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
  if (!session.now(static_cast<int>(place), headless::SystemClock(), req.chart, ui))
    throw WorkError("cannot read place chart " +
                    ctx.programDir().file(placeChartFileName(static_cast<int>(place))).string());
  return req;
}

int runDraw(Args& args, Context& ctx) {
  const bool list = args.flag("--list-types");
  headless::StderrInteraction ui;
  const ChartSession session(ctx.programDir().dir, ui);
  const std::vector<DrawingTypeEntry> types = allDrawingTypes(session.settings());
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
  ChartRequest first = chartOrNow(args, ctx, session);
  args.finish();
  std::optional<ChartRequest> second;
  if (secondArgs) {
    second = chartOrNow(*secondArgs, ctx, session);
    secondArgs->finish();
  }
  if (!out) throw UsageError("option --out FILE.png|.svg|.pdf is required");
  const std::string ext = lower(fs::path(*out).extension().string());
  if (ext != ".png" && ext != ".svg" && ext != ".pdf")
    throw UsageError("option --out: the file ends in .png, .svg or .pdf");
  const int width = static_cast<int>(size.value_or(1600));
  if (width < 200 || width > 12000) throw UsageError("option --size: 200 to 12000 pixels");
  if (harmonic && (*harmonic < 1 || *harmonic > 999)) throw UsageError("option --harmonic: 1 to 999");
  if (harmonic && second) throw UsageError("option --harmonic draws one chart (no --second)");
  if (pair && *pair != "transits" && *pair != "synastry")
    throw UsageError("option --pair: transits or synastry");
  if (pair && !second) throw UsageError("option --pair needs --second");
  DrawingRequest request;
  request.type = drawingTypeFor(session.settings(), findType(types, typeName.value_or("1")));
  request.first = first.query();
  if (second) request.second = second->query();
  if (harmonic) request.harmonic = static_cast<int>(*harmonic);
  request.pair = pair.value_or("synastry") == "synastry" ? PairKind::Synastry : PairKind::Transits;
  const DrawingCharts d = prepareDrawing(session, request);
  const CIni& settings = d.settings;
  const DrawingType& type = d.type;
  const Chart1 &chart = d.chart, &outerChart = d.outerChart;
  const Chart2 &computed = d.computed, &outerComputed = d.outerComputed;
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
