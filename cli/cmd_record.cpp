// talpora record show, talpora record default; talpora transfer show.
#include <ostream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/record_print.h"
#include "core/calendar.h"
#include "core/transfer.h"
#include "engine/chart.h"
#include "files/zykfile.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora::cli {
namespace {

int runRecord(Args& args, Context& ctx) {
  const std::string action = args.next("ACTION (show or default)");
  const bool json = args.flag("--json");
  Chart1 chart;
  if (action == "show") {
    const std::string file = args.next("FILE");
    const long offset = args.integer("--offset").value_or(0);
    args.finish();
    if (offset < 0) throw UsageError("option --offset: a byte offset is 0 or more");
    headless::StderrInteraction ui;
    if (!PutInMemBlock_c1(chart, file, offset, ui))
      throw WorkError("no chart record at offset " + std::to_string(offset) + " of " + file);
  } else if (action == "default") {
    args.finish();
    chart = embeddedDefaultChart();
  } else {
    throw UsageError("unknown action '" + action + "' (show or default)");
  }
  const double jd =
      julian_dayh(chart.day, chart.month, chart.year, chart.hour, chart.minute) - chart.timeZone / 24.0;
  const double st = sideral_time(jd, chart.longitude);
  if (json) {
    Json j;
    j.beginObject();
    chart1Json(j, chart);
    if (action == "default") {
      j.key("julianDayUT").value(jd, 6);
      j.key("siderealTime").value(st, 6);
    }
    j.endObject();
    ctx.out << j.str() << '\n';
  } else {
    ctx.out << chart1Text(chart);
    if (action == "default") {
      ctx.out << "Julian Day (UT): " << fixed(jd, 6) << '\n';
      ctx.out << "sidereal time: " << fixed(st, 6) << " h\n";
    }
  }
  return kExitOk;
}

// Computes a chart given on the command line with the settings of the program directory (its house
// system unless the options name one).
void computeRequested(const ChartRequest& req, const CIni& settings, const ChironTable& chiron, Chart1& chart,
                      Chart2& computed) {
  CIni s = settings;
  if (req.houseSystem) s.houseSystem = static_cast<std::int16_t>(*req.houseSystem);
  chart = req.chart;
  calculall(s, chart, computed, chiron);
}

int writeTransfer(Args& args, Context& ctx) {
  auto second = args.splitAt("--second");
  const ChartRequest a = parseChartOptions(args, ctx);
  args.finish();
  std::optional<ChartRequest> b;
  if (second) {
    b = parseChartOptions(*second, ctx);
    second->finish();
  }
  const auto& dir = ctx.programDir();
  headless::StderrInteraction ui;
  CIni settings;
  PutInMemBlock_CIni(settings, dir.dir, ui);
  const ChironTable chiron = loadChironTable(settings, ui);
  Chart1 chartA, chartB;
  Chart2 computedA, computedB;
  computeRequested(a, settings, chiron, chartA, computedA);
  if (b) {
    computeRequested(*b, settings, chiron, chartB, computedB);
  } else {
    chartB = chartA;
    computedB = computedA;
  }
  TransferBlock block;
  std::string error;
  if (!FillUpTalporaTransferBlock(block, settings, chartA, computedA, chartB, computedB, &error))
    throw WorkError(error);
  ctx.out << dir.file(kTransferFileName).string() << '\n';
  return kExitOk;
}

int runTransfer(Args& args, Context& ctx) {
  const std::string action = args.next("ACTION (show or write)");
  if (action == "write") return writeTransfer(args, ctx);
  const bool json = args.flag("--json");
  if (action != "show") throw UsageError("unknown action '" + action + "' (show or write)");
  args.finish();
  const auto& dir = ctx.programDir();
  const TransferCharts t = readTransferFile(dir.dir);
  if (!t.found) throw WorkError("cannot open " + dir.file(kTransferFileName).string());
  if (!t.hasA()) {
    ctx.err << "talpora transfer: " << dir.file(kTransferFileName).string() << " holds only " << t.bytesRead
            << " bytes; the missing records are shown zeroed\n";
  }
  if (json) {
    Json j;
    j.beginObject();
    j.key("chartA").beginObject();
    chart1Json(j, t.chartA);
    j.key("computed").beginObject();
    chart2Json(j, t.computedA);
    j.endObject().endObject();
    j.key("chartB").beginObject();
    chart1Json(j, t.chartB);
    j.key("computed").beginObject();
    chart2Json(j, t.computedB);
    j.endObject().endObject();
    j.endObject();
    ctx.out << j.str() << '\n';
  } else {
    ctx.out << "== chart A ==\n" << chart1Text(t.chartA) << "-- computed --\n" << chart2Text(t.computedA);
    ctx.out << "== chart B ==\n" << chart1Text(t.chartB) << "-- computed --\n" << chart2Text(t.computedB);
  }
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND("record", "talpora record show FILE [--offset N] [--json] | talpora record default [--json]",
                "every field of the chart record at a byte offset of a file, or of the built-in sample chart",
                runRecord);
TALPORA_COMMAND(
    "transfer",
    "talpora transfer show [--json] | talpora transfer write CHART-OPTIONS [--second CHART-OPTIONS]",
    "show charts A and B of the program directory's transfer file DATA10.DTF, or compute charts and "
    "write them into it (so that a program of the suite can be started on them)",
    runTransfer);

}  // namespace talpora::cli
