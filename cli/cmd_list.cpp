// talpora list: one listing table of a chart (or of two charts) as the listing program shows it.
#include <cmath>
#include <ostream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/report_text.h"
#include "engine/chart.h"
#include "engine/now.h"
#include "files/zykfile.h"
#include "format/report_headers.h"
#include "listing/dignities.h"
#include "listing/tables.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"
#include "programs/zyklist/listing_app.h"

namespace talpora::cli {
namespace {

constexpr const char* kUsage =
    "talpora list TABLE DATE TIME [CHART-OPTIONS] [--zodiac tropical|sidereal] [--heliocentric] "
    "[--second DATE TIME [CHART-OPTIONS]] [--out FILE]\n"
    "  TABLE: aspects-major, aspects-minor, aspects-rare, aspects-all, parallels, midpoints,\n"
    "         midpoints-modulus=DEG, harmonics, harmonic=N, dignities, receptions, arabian-parts\n"
    "talpora list LISTING (DATE TIME [CHART-OPTIONS] | now [--place N] [--house-system N]) "
    "[--zodiac tropical|sidereal] [--out FILE]\n"
    "  LISTING (the listing program's own): simple, detailed, compared, heliocentric, "
    "heliocentric-compared,\n"
    "         houses, houses-compared, stars, elements, elements-compared, arcs";

enum class Table {
  AspectsMajor,
  AspectsMinor,
  AspectsRare,
  AspectsAll,
  Parallels,
  Midpoints,
  MidpointsModulus,
  Harmonics,
  Harmonic,
  Dignities,
  Receptions,
  ArabianParts
};

struct TableRequest {
  Table table = Table::AspectsMajor;
  double modulus = 0;
  int harmonic = 0;
};

TableRequest parseTable(const std::string& name) {
  TableRequest t;
  const auto value = [&](const std::string& prefix) { return name.substr(prefix.size()); };
  if (name == "aspects-major") {
    t.table = Table::AspectsMajor;
  } else if (name == "aspects-minor") {
    t.table = Table::AspectsMinor;
  } else if (name == "aspects-rare") {
    t.table = Table::AspectsRare;
  } else if (name == "aspects-all") {
    t.table = Table::AspectsAll;
  } else if (name == "parallels") {
    t.table = Table::Parallels;
  } else if (name == "midpoints") {
    t.table = Table::Midpoints;
  } else if (name.rfind("midpoints-modulus=", 0) == 0) {
    t.table = Table::MidpointsModulus;
    const auto m = parseNumber(value("midpoints-modulus="));
    if (!m || !std::isfinite(*m)) throw UsageError("table " + name + ": the modulus is a number of degrees");
    if (*m <= 0) throw UsageError("table " + name + ": a modulus of 0 or less makes no sense");
    if (*m > 360) throw UsageError("table " + name + ": a modulus is at most 360 degrees");
    t.modulus = *m;
  } else if (name == "harmonics") {
    t.table = Table::Harmonics;
  } else if (name.rfind("harmonic=", 0) == 0) {
    t.table = Table::Harmonic;
    const auto n = parseInteger(value("harmonic="));
    if (!n || *n < 0) throw UsageError("table " + name + ": the harmonic is a whole number");
    if (*n == 0) throw UsageError("table " + name + ": Harmonic of 0 does not make sense");
    if (*n > kMaxHarmonic)
      throw UsageError("table " + name + ": harmonics go up to " + std::to_string(kMaxHarmonic));
    t.harmonic = static_cast<int>(*n);
  } else if (name == "dignities") {
    t.table = Table::Dignities;
  } else if (name == "receptions") {
    t.table = Table::Receptions;
  } else if (name == "arabian-parts") {
    t.table = Table::ArabianParts;
  } else {
    throw UsageError("unknown table '" + name + "'");
  }
  return t;
}

bool takesTwoCharts(Table t) {
  return t == Table::AspectsMajor || t == Table::AspectsMinor || t == Table::AspectsRare ||
         t == Table::AspectsAll || t == Table::Parallels || t == Table::Midpoints ||
         t == Table::MidpointsModulus;
}

struct ComputedChart {
  Chart1 birth;
  Chart2 chart;
};

ComputedChart compute(const ChartRequest& req, const CIni& settings, const ChironTable& chiron) {
  ComputedChart c;
  c.birth = req.chart;
  CIni s = settings;
  if (req.houseSystem) s.houseSystem = static_cast<std::int16_t>(*req.houseSystem);
  calculall(s, c.birth, c.chart, chiron);
  return c;
}

// The listing: the chart header and a blank line before the tables that the listing program
// introduces so; dignities, receptions and Arabian parts write their own heading.
Report composeListing(const TableRequest& t, int zodiac, bool heliocentric, const CIni& settings,
                      const ComputedChart& one, const ComputedChart* second) {
  Report r;
  unsigned long length = 0;
  const ComputedChart& two = second ? *second : one;
  const int mode = second ? kTwoCharts : kOneChart;
  const bool header =
      t.table != Table::Dignities && t.table != Table::Receptions && t.table != Table::ArabianParts;
  if (header) {
    ListingHeader(r, &length, settings, one.birth, one.chart);
    if (second) ListingHeader(r, &length, settings, second->birth, second->chart);
    AddLine(r, &length, "", 0, 0);
  }
  switch (t.table) {
    case Table::AspectsMajor:
      Aspects(r, &length, settings, mode, zodiac, one.birth, one.chart, two.birth, two.chart, 1, 0, 0);
      break;
    case Table::AspectsMinor:
      Aspects(r, &length, settings, mode, zodiac, one.birth, one.chart, two.birth, two.chart, 0, 1, 0);
      break;
    case Table::AspectsRare:
      Aspects(r, &length, settings, mode, zodiac, one.birth, one.chart, two.birth, two.chart, 0, 0, 1);
      break;
    case Table::AspectsAll:
      Aspects(r, &length, settings, mode, zodiac, one.birth, one.chart, two.birth, two.chart, 1, 1, 1);
      ParallelsOfDecl(r, &length, settings, mode, zodiac, one.birth, one.chart, two.birth, two.chart);
      break;
    case Table::Parallels:
      ParallelsOfDecl(r, &length, settings, mode, zodiac, one.birth, one.chart, two.birth, two.chart);
      break;
    case Table::Midpoints:
      MidPoints360(mode, zodiac, heliocentric ? 1 : 0, r, &length, settings, one.birth, one.chart, two.birth,
                   two.chart);
      break;
    case Table::MidpointsModulus:
      MidPointsModulus(mode, static_cast<float>(t.modulus), heliocentric ? 1 : 0, r, &length, settings,
                       one.birth, one.chart, two.birth, two.chart);
      break;
    case Table::Harmonics:
      Harmonics(nullptr, r, &length, settings, one.birth, one.chart, 0, 0, zodiac);
      break;
    case Table::Harmonic:
      Harmonics(nullptr, r, &length, settings, one.birth, one.chart, t.harmonic, 0, zodiac);
      break;
    case Table::Dignities:
      PrintDignities(zodiac, 1, r, &length, settings, one.birth, one.chart);
      break;
    case Table::Receptions:
      MutualReceptions(zodiac, 1, r, &length, settings, one.birth, one.chart);
      break;
    case Table::ArabianParts:
      ArabianParts(r, &length, settings, one.birth, one.chart, zodiac, 0, 0);
      break;
  }
  return r;
}

// The listings of the listing program's own menu, by the command ids of their tropical and sidereal
// forms (0: the listing has no sidereal form). Their text is the program's, word for word.
struct ProgramListing {
  const char* name;
  int tropical, sidereal;
};
constexpr ProgramListing kProgramListings[] = {
    {"simple", listing_command::kSimpleTropical, listing_command::kSimpleSidereal},
    {"detailed", listing_command::kDetailedTropical, listing_command::kDetailedSidereal},
    {"compared", listing_command::kCompared, 0},
    {"heliocentric", listing_command::kHelioTropical, listing_command::kHelioSidereal},
    {"heliocentric-compared", listing_command::kHelioCompared, 0},
    {"houses", listing_command::kHousesTropical, listing_command::kHousesSidereal},
    {"houses-compared", listing_command::kHousesCompared, 0},
    {"stars", listing_command::kStarsTropical, listing_command::kStarsSidereal},
    {"elements", listing_command::kElementsTropical, listing_command::kElementsSidereal},
    {"elements-compared", listing_command::kElementsCompared, 0},
    {"arcs", listing_command::kPlanetaryArcs, 0},
};

const ProgramListing* programListing(const std::string& name) {
  for (const auto& l : kProgramListings)
    if (name == l.name) return &l;
  return nullptr;
}

// A listing of the program's menu, of a moment given or of the present moment ("now": the place
// chart, house system and zodiac options of talpora now).
int runProgramListing(const ProgramListing& listing, bool withSecond, Args& args, Context& ctx) {
  const std::string name = listing.name;
  if (withSecond) throw UsageError("listing " + name + " takes one chart (no --second)");
  const auto out = args.option("--out");
  headless::StderrInteraction ui;
  CIni settings = defaultSettings(ctx.programDir().dir.string());
  PutInMemBlock_CIni(settings, ctx.programDir().dir, ui);
  Chart1 birth;
  std::optional<int> houseSystem;
  std::optional<Zodiac> zodiac;
  const auto positionals = args.positionals();
  if (!positionals.empty() && positionals[0] == "now") {
    args.next("now");
    const long place = args.integer("--place").value_or(0);
    if (auto hs = args.integer("--house-system")) {
      if (*hs < 0 || *hs > 11) throw UsageError("option --house-system: codes are 0 to 11");
      houseSystem = static_cast<int>(*hs);
    }
    if (auto z = args.option("--zodiac")) {
      if (*z != "tropical" && *z != "sidereal") throw UsageError("option --zodiac: tropical or sidereal");
      zodiac = *z == "sidereal" ? Zodiac::Sidereal : Zodiac::Tropical;
    }
    args.finish();
    if (place < 0 || place > 99) throw UsageError("option --place: place charts are 0 to 99");
    const headless::SystemClock clock;
    Chart1 placeChart;
    if (!readPlaceChart(settings, static_cast<int>(place), placeChart, ui))
      throw WorkError("cannot read place chart " +
                      ctx.programDir().file(placeChartFileName(static_cast<int>(place))).string());
    ashernow(placeChart, birth, static_cast<int>(place), 1, clock);
  } else {
    const ChartRequest req = parseChartOptions(args, ctx);
    args.finish();
    birth = req.chart;
    houseSystem = req.houseSystem;
    zodiac = req.zodiac;
  }
  const bool sidereal = zodiac == Zodiac::Sidereal;
  if (sidereal && listing.sidereal == 0) throw UsageError("listing " + name + " has no sidereal form");
  if (houseSystem) settings.houseSystem = static_cast<std::int16_t>(*houseSystem);
  Chart2 chart;
  calculall(settings, birth, chart, loadChironTable(settings, ui));
  const int command = sidereal ? listing.sidereal : listing.tropical;
  FixedStarCatalogue stars;
  if (command == listing_command::kStarsTropical || command == listing_command::kStarsSidereal) {
    stars = readFixedStars(ctx.programDir().dir);
    if (!stars.longitudesOpened)
      throw WorkError("cannot open " + ctx.programDir().file(kStarLongitudeFile).string());
  }
  Report report;
  unsigned long length = 0;
  listingReport(command, report, &length, settings, birth, chart, stars, &ui);
  const std::string text = terminalText(report.text);
  if (out) {
    const WriteResult w = replaceFileAtomically(*out, text);
    if (!w) throw WorkError(w.error);
  } else {
    ctx.out << text;
  }
  return kExitOk;
}

int runList(Args& args, Context& ctx) {
  std::optional<Args> secondArgs = args.splitAt("--second");
  const std::string tableName = args.next("TABLE");
  if (const ProgramListing* listing = programListing(tableName))
    return runProgramListing(*listing, secondArgs.has_value(), args, ctx);
  const TableRequest table = parseTable(tableName);
  const auto out = args.option("--out");
  const bool heliocentric = args.flag("--heliocentric");
  ChartRequest first = parseChartOptions(args, ctx);
  args.finish();
  std::optional<ChartRequest> second;
  if (secondArgs) {
    if (!takesTwoCharts(table.table))
      throw UsageError("table " + tableName + " takes one chart (no --second)");
    second = parseChartOptions(*secondArgs, ctx);
    secondArgs->finish();
  }
  if (heliocentric && table.table != Table::Midpoints && table.table != Table::MidpointsModulus)
    throw UsageError("option --heliocentric: only the midpoint tables have a heliocentric form");
  const int zodiac = first.zodiac.value_or(Zodiac::Tropical) == Zodiac::Sidereal ? 1 : 0;
  if (table.table == Table::MidpointsModulus && first.zodiac == Zodiac::Sidereal)
    throw UsageError("table " + tableName + ": the modulus midpoints are tropical only");

  headless::StderrInteraction ui;
  CIni settings = defaultSettings(ctx.programDir().dir.string());
  PutInMemBlock_CIni(settings, ctx.programDir().dir, ui);
  if (first.houseSystem) settings.houseSystem = static_cast<std::int16_t>(*first.houseSystem);
  const ChironTable chiron = loadChironTable(settings, ui);
  const ComputedChart one = compute(first, settings, chiron);
  std::optional<ComputedChart> two;
  if (second) two = compute(*second, settings, chiron);

  const Report report = composeListing(table, zodiac, heliocentric, settings, one, two ? &*two : nullptr);
  const std::string text = terminalText(report.text);
  if (out) {
    const WriteResult w = replaceFileAtomically(*out, text);
    if (!w) throw WorkError(w.error);
  } else {
    ctx.out << text;
  }
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND("list", kUsage, "one listing table (aspects, midpoints, harmonics, dignities...) of a chart",
                runList);

}  // namespace talpora::cli
