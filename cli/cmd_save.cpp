// talpora save, talpora hot: storing a chart as a chart file, a hot chart or a database entry, and
// the list of hot charts.
#include <ostream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/json.h"
#include "cli/store_support.h"
#include "files/zykfile.h"
#include "platform/cp1252.h"
#include "store/chart_store.h"

namespace talpora::cli {
namespace {

int runSave(Args& args, Context& ctx) {
  const auto out = args.option("--out");
  const auto hot = args.integer("--hot");
  const auto db = args.option("--db");
  // "--hot N" and "--db FILE" name the target here; a source chart comes from DATE TIME or --chart-file.
  const ChartRequest req = parseChartOptions(args, ctx);
  args.finish();
  if ((out ? 1 : 0) + (hot ? 1 : 0) + (db ? 1 : 0) != 1) throw UsageError("give one of --out, --hot or --db");
  if (hot && (*hot < 1 || *hot > 10)) throw UsageError("option --hot: hot chart numbers are 1 to 10");
  headless::StderrInteraction ui;
  CIni settings = loadSettings(ctx, ui);
  if (req.houseSystem) settings.houseSystem = static_cast<std::int16_t>(*req.houseSystem);
  const int mode = out ? 1 : db ? 2 : 9 + static_cast<int>(*hot);
  std::filesystem::path target;
  if (out)
    target = *out;
  else if (db)
    target = *db;
  else
    target = ctx.programDir().file(hotChartFileName(mode - 10));
  if (!storeChart(ui, settings, req.chart, mode, target))
    throw WorkError("the chart was not stored in " + target.string());
  ctx.out << "wrote " << target.string() << "\n";
  return kExitOk;
}

int runHot(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  args.finish();
  headless::StderrInteraction ui;
  const CIni settings = loadSettings(ctx, ui);
  const auto rows = hotChartRows(settings);
  if (!json) {
    for (const auto& r : rows) ctx.out << cp1252ToUtf8(r) << "\n";
    return kExitOk;
  }
  Json j;
  j.beginObject().key("hot").beginArray();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string name = rows[i].substr(rows[i].find(": ") + 2);
    j.beginObject()
        .field("number", static_cast<int>(i) + 1)
        .key("name")
        .value(cp1252ToUtf8(name))
        .endObject();
  }
  j.endArray().endObject();
  ctx.out << j.str() << "\n";
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND(
    "save", "talpora save CHART-OPTIONS (--out FILE.chr | --hot N | --db FILE.1SB)",
    "store a chart as a chart file, hot chart N (1 to 10) or a new entry of a chart database, and note "
    "it as the last chart saved (LASTSAVE.DTF)",
    runSave);
TALPORA_COMMAND("hot", "talpora hot [--json]", "list the ten hot charts", runHot);

}  // namespace talpora::cli
