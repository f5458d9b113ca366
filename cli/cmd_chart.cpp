// talpora chart, talpora now: the computed chart of a moment, or of the present moment at a place chart.
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

#include "cli/chart_json.h"
#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/json.h"
#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/chart_session.h"
#include "files/zykfile.h"
#include "format/chart_report.h"
#include "format/text_format.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora::cli {
namespace {

void printJson(const ComputedChart& c, std::ostream& out) {
  printChartJson(out, ChartJson{c.birth, c.chart, c.settings, c.status.housesFellBack(), c.sidereal, c.vertex,
                                c.eastPoint});
}

int runChart(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  ChartRequest req = parseChartOptions(args, ctx);
  args.finish();
  headless::StderrInteraction ui;
  const ChartSession session(ctx.programDir().dir, ui);
  const ComputedChart c = session.compute(req.query());
  json ? printJson(c, ctx.out) : void(ctx.out << chartReport(c));
  return kExitOk;
}

int runNow(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  const long place = args.integer("--place").value_or(0);
  std::optional<int> houseSystem;
  if (auto hs = args.integer("--house-system")) {
    if (*hs < 0 || *hs > 11) throw UsageError("option --house-system: codes are 0 to 11");
    houseSystem = static_cast<int>(*hs);
  }
  std::optional<Zodiac> zodiac;
  if (auto z = args.option("--zodiac")) {
    if (*z != "tropical" && *z != "sidereal") throw UsageError("option --zodiac: tropical or sidereal");
    zodiac = *z == "sidereal" ? Zodiac::Sidereal : Zodiac::Tropical;
  }
  args.finish();
  if (place < 0 || place > 99) throw UsageError("option --place: place charts are 0 to 99");
  headless::StderrInteraction ui;
  const ChartSession session(ctx.programDir().dir, ui);
  Chart1 birth;
  if (!session.now(static_cast<int>(place), headless::SystemClock(), birth, ui))
    throw WorkError("cannot read place chart " +
                    ctx.programDir().file(placeChartFileName(static_cast<int>(place))).string());
  const ComputedChart c = session.compute({birth, houseSystem, zodiac});
  json ? printJson(c, ctx.out) : void(ctx.out << chartReport(c));
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND("chart",
                "talpora chart DATE TIME [--zone HOURS] [--lon DEG] [--lat DEG] [--name TEXT] [--place TEXT] "
                "[--house-system N] [--unknown-time] [--zodiac tropical|sidereal] [--json]",
                "the computed chart of a moment: objects, cusps, Vertex, East Point, planetary hour",
                runChart);
TALPORA_COMMAND("now", "talpora now [--place N] [--house-system N] [--zodiac tropical|sidereal] [--json]",
                "the chart of the present moment at place chart N (0, the default, is your own place)",
                runNow);

}  // namespace talpora::cli
