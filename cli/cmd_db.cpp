// talpora db create|check|clean|list|import|export: chart databases on the command line.
#include <ostream>

#include "cli/command.h"
#include "cli/json.h"
#include "cli/store_support.h"
#include "files/zykfile.h"
#include "platform/cp1252.h"
#include "platform/mapped_file.h"
#include "store/database.h"
#include "store/exchange.h"

namespace talpora::cli {
namespace {
namespace fs = std::filesystem;

std::string dateTime(const Chart1& c) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, c.hour, c.minute);
  return buf;
}

long liveCount(const DatabasePaths& p) {
  const auto records = MappedFile::open(p.records);
  return records ? static_cast<long>(liveEntries(records->bytes()).size()) : 0;
}

int create(Args& args, Context& ctx, const fs::path& db) {
  const bool replace = args.flag("--replace");
  args.finish();
  const auto paths = databasePaths(db);
  std::error_code ec;
  if (!replace && (fs::exists(paths.settings, ec) || fs::exists(paths.records, ec)))
    throw WorkError(db.string() + " already holds " + std::to_string(liveCount(paths)) +
                    " charts; give --replace to replace it with an empty database");
  AgreeingInteraction ui;
  if (!createDatabase(ui, loadSettings(ctx, ui), db))
    throw WorkError("the database " + db.string() + " was not created");
  ctx.out << "wrote " << paths.settings.string() << ", " << paths.records.string() << ", "
          << paths.calculations.string() << "\n";
  return kExitOk;
}

int check(Args& args, Context& ctx, const fs::path& db) {
  args.finish();
  const auto paths = databasePaths(db);
  const DbInspection r = inspectDatabase(paths);
  headless::StderrInteraction ui;
  const CIni settings = loadSettings(ctx, ui);
  ctx.out << db.string() << ": " << r.records << " entries in " << paths.records.filename().string() << " ("
          << r.records - r.deleted << " live, " << r.deleted << " deleted), " << r.calculations << " in "
          << paths.calculations.filename().string() << "\n";
  if (!r.usable()) {
    ctx.err << db.string() << ": " << describeDbProblem(r, paths) << "; run talpora db clean\n";
    return kExitFailed;
  }
  if (r.problem == DbProblem::TooManyDeleted)
    ctx.out << r.deleted << " deleted entries: a clean-up (talpora db clean) would remove them\n";
  const auto stored = readDbSettings(paths.settings);
  if (!stored) {
    ctx.err << "cannot read the database settings " << paths.settings.string() << "\n";
    return kExitFailed;
  }
  if (const auto changed = settingsChangedText(*stored, dbSettingsFrom(settings)); !changed.empty()) {
    ctx.err << db.string() << ": " << cp1252ToUtf8(changed) << " Run talpora db clean to recompute them.\n";
    return kExitFailed;
  }
  return kExitOk;
}

int clean(Args& args, Context& ctx, const fs::path& db) {
  args.finish();
  AgreeingInteraction ui;
  const CIni settings = loadSettings(ctx, ui);
  if (!runCleaner(ui, settings, db, nullptr, false))
    throw WorkError("the database " + db.string() + " was not cleaned");
  ctx.out << db.string() << ": " << liveCount(databasePaths(db)) << " charts\n";
  return kExitOk;
}

int list(Args& args, Context& ctx, const fs::path& db) {
  const bool json = args.flag("--json"), csv = args.flag("--csv");
  args.finish();
  if (json && csv) throw UsageError("give --json or --csv, not both");
  const auto records = MappedFile::open(databasePaths(db).records);
  if (!records) throw WorkError("cannot read the chart records of " + db.string());
  Json j;
  j.beginObject().key("database").value(db.string()).key("entries").beginArray();
  if (csv) ctx.out << "entry,name,date,place\n";
  for (const auto& e : liveEntries(records->bytes())) {
    const Chart1 c = decodeChart1(
        records->bytes().substr(static_cast<std::size_t>(e.entry) * kChartRecordSize, kChartRecordSize));
    const std::string name = cp1252ToUtf8(c.name), place = cp1252ToUtf8(c.place);
    if (json)
      j.beginObject()
          .field("entry", e.entry)
          .key("name")
          .value(name)
          .key("date")
          .value(dateTime(c))
          .field("timeKnown", c.timeKnown != 0)
          .key("place")
          .value(place)
          .endObject();
    else if (csv)
      ctx.out << writeCsvLine({std::to_string(e.entry), name, dateTime(c), place}) << "\n";
    else
      ctx.out << e.entry << "  " << dateTime(c) << "  " << name << (place.empty() ? "" : "  " + place)
              << "\n";
  }
  j.endArray().endObject();
  if (json) ctx.out << j.str() << "\n";
  return kExitOk;
}

int import(Args& args, Context& ctx, const fs::path& db) {
  const fs::path file = args.next("FILE.aaf|FILE.csv");
  const bool rename = args.flag("--rename-duplicates");
  args.finish();
  const ExchangeRead read = readExchangeFile(file, ctx);
  AgreeingInteraction ui;
  const CIni settings = loadSettings(ctx, ui);
  std::error_code ec;
  if (!fs::exists(databasePaths(db).settings, ec) && !createDatabase(ui, settings, db))
    throw WorkError("the database " + db.string() + " could not be created");
  std::vector<Chart1> charts;
  for (const auto& r : read.records) charts.push_back(r.chart);
  ImportOutcome outcome;
  if (!importIntoDatabase(ui, settings, db, charts, rename, loadChironTable(settings, ui), outcome))
    throw WorkError("nothing was stored in " + db.string());
  for (const auto& name : outcome.skipped)
    ctx.err << (name.find_first_not_of(' ') == std::string::npos ? std::string("a chart without a name")
                                                                 : "'" + cp1252ToUtf8(name) + "'")
            << ": " << (name.empty() ? "a database entry must have a name" : "already in the database")
            << "; skipped\n";
  for (const auto& name : outcome.renamed) ctx.err << "stored as '" << cp1252ToUtf8(name) << "'\n";
  ctx.out << "stored " << outcome.stored << " charts in " << db.string() << "\n";
  return outcome.skipped.empty() && read.errors.empty() ? kExitOk : kExitFailed;
}

int exportDb(Args& args, Context& ctx, const fs::path& db) {
  const ExchangeFormat format = formatOption(args);
  args.finish();
  const auto charts = databaseCharts(db);
  if (!charts) throw WorkError("cannot read the chart records of " + db.string());
  ctx.out << writeExchange(*charts, format);
  return kExitOk;
}

int runDb(Args& args, Context& ctx) {
  const std::string action = args.next("ACTION (create, check, clean, list, import or export)");
  const fs::path db = args.next("FILE.1SB");
  if (action == "create") return create(args, ctx, db);
  if (action == "check") return check(args, ctx, db);
  if (action == "clean") return clean(args, ctx, db);
  if (action == "list") return list(args, ctx, db);
  if (action == "import") return import(args, ctx, db);
  if (action == "export") return exportDb(args, ctx, db);
  throw UsageError("unknown action '" + action + "' (create, check, clean, list, import or export)");
}

}  // namespace

TALPORA_COMMAND(
    "db",
    "talpora db create FILE.1SB [--replace] | db check FILE.1SB | db clean FILE.1SB | db list FILE.1SB "
    "[--json|--csv] | db import FILE.1SB FILE.aaf|FILE.csv [--rename-duplicates] | db export FILE.1SB "
    "--format aaf|csv",
    "chart databases: create one, check it (exit 1 when it cannot be used as it is), rebuild it "
    "(converting a first-version one), list its charts, import and export AAF or CSV",
    runDb);

}  // namespace talpora::cli
