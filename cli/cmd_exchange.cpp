// talpora export, talpora import: single charts as AAF or CSV.
#include <ostream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/store_support.h"
#include "files/zykfile.h"

namespace talpora::cli {
namespace {

int runExport(Args& args, Context& ctx) {
  const ExchangeFormat format = formatOption(args);
  const ChartRequest req = parseChartOptions(args, ctx);
  args.finish();
  ctx.out << writeExchange({req.chart}, format);
  return kExitOk;
}

int runImport(Args& args, Context& ctx) {
  const std::filesystem::path file = args.next("FILE.aaf|FILE.csv");
  const auto out = args.option("--out");
  const long record = args.integer("--record").value_or(0);
  args.finish();
  if (!out) throw UsageError("option --out FILE.chr is required");
  const ExchangeRead read = readExchangeFile(file, ctx);
  if (record < 0 || record >= static_cast<long>(read.records.size()))
    throw WorkError(file.string() + " holds no record " + std::to_string(record) + " (" +
                    std::to_string(read.records.size()) + " read)");
  headless::StderrInteraction ui;
  if (!Serialise_c1(read.records[static_cast<std::size_t>(record)].chart, *out, 0, 1, &ui))
    throw WorkError("cannot write " + *out);
  ctx.out << "wrote " << *out << "\n";
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND("export", "talpora export CHART-OPTIONS --format aaf|csv",
                "print a chart as an AAF or CSV exchange record", runExport);
TALPORA_COMMAND("import", "talpora import FILE.aaf|FILE.csv --out FILE.chr [--record N]",
                "store record N (from 0) of an exchange file as a chart file", runImport);

}  // namespace talpora::cli
