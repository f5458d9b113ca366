// talpora windows: the time windows of a natal chart over a span of months.
#include <ostream>

#include "cli/json.h"
#include "cli/prediction_options.h"
#include "format/text_format.h"
#include "predict/arcs.h"

namespace talpora::cli {
namespace {

int runWindows(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  const auto from = args.option("--from");
  const auto to = args.option("--to");
  const auto kindText = args.option("--kind");
  if (!from || !to) throw UsageError(from ? "option --to is missing" : "option --from is missing");
  if (!kindText) throw UsageError("option --kind is missing");
  int kind = arc_kind::kAll, a = 0, b = 0;
  if (*kindText == "soli-lunar") {
    kind = arc_kind::kSoliLunar;
  } else if (*kindText == "solar") {
    kind = arc_kind::kSolar;
  } else if (*kindText == "lunar") {
    kind = arc_kind::kLunar;
  } else if (*kindText == "all") {
    kind = arc_kind::kAll;
  } else {
    const auto pair = parseObjectList(*kindText, "--kind", kSouthNode);
    if (pair.size() != 2 || pair[0] == pair[1])
      throw UsageError("option --kind: soli-lunar, solar, lunar, all or two objects A,B (Sun to South Node)");
    kind = arc_kind::kOnePair;
    a = pair[0];
    b = pair[1];
    if (arcPairs(kind, a, b).empty()) throw UsageError("option --kind: the two nodes make no arc");
  }
  NatalSession s;
  loadNatal(args, ctx, s);
  args.finish();
  const TwoDates d = checkedPeriod(*from, *to, 0, 365);
  if (json) {
    Json j;
    j.beginObject();
    j.key("windows").beginArray();
    for (const TimeWindow& w :
         timeWindows(s.chart, d.firstMonth, d.firstYear, d.lastMonth, d.lastYear, kind, a, b)) {
      j.beginObject();
      j.field("a", std::string_view(PlanetName(w.a, 0, 0, 0, 0, 0)));
      j.field("b", std::string_view(PlanetName(w.b, 0, 0, 0, 0, 0)));
      j.field("day", std::string_view(isoMoment(w.day).substr(0, 10)));
      j.field("hour", w.hour);
      j.key("natalArc").value(w.natalArc, 6);
      j.endObject();
    }
    j.endArray();
    j.endObject();
    ctx.out << j.str() << '\n';
    return kExitOk;
  }
  Report report;
  AllArcs(report, nullptr, s.chart, d.firstMonth, d.firstYear, d.lastMonth, d.lastYear, kind, a, b);
  printReport(ctx, report);
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND(
    "windows",
    "talpora windows CHART-OPTIONS --from YYYY-MM --to YYYY-MM --kind soli-lunar|solar|lunar|all|A,B "
    "[--json]\n"
    "CHART-OPTIONS: see talpora help chart-options",
    "time windows: the days on which the arc between two planets comes back to its natal value (at "
    "most 365 days; A,B: two objects from the Sun to the South Node)",
    runWindows);

}  // namespace talpora::cli
