// talpora interpret: a written interpretation of a chart from the knowledge bank of the program
// directory, in the interpreter's order (header, plan, general points, aspects, planets in houses,
// planets in signs), or the points to notice.
#include <ostream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "engine/chart.h"
#include "files/zykfile.h"
#include "format/report_buffer.h"
#include "interpretation/interpretation.h"
#include "platform/cp1252.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora::cli {
namespace {

// The report as UTF-8 with LF line ends.
std::string reportText(const Report& report) {
  std::string text = cp1252ToUtf8(report.text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

int runInterpret(Args& args, Context& ctx) {
  const std::string section = args.option("--section").value_or("all");
  const auto outFile = args.option("--out");
  const bool introduction = args.flag("--introduction");
  const bool nonAstrologers = args.flag("--non-astrologers");
  const bool paragraphs = args.flag("--paragraphs");
  ChartRequest req = parseChartOptions(args, ctx);
  args.finish();
  if (section != "all" && section != "general" && section != "aspects" && section != "houses" &&
      section != "signs" && section != "points")
    throw UsageError("option --section: general, aspects, houses, signs, points or all");

  headless::StderrInteraction ui;
  const auto& dir = ctx.programDir();
  CIni settings = defaultSettings(dir.dir.string());
  PutInMemBlock_CIni(settings, dir.dir, ui);
  if (req.houseSystem) settings.houseSystem = static_cast<std::int16_t>(*req.houseSystem);
  Chart1& chart = req.chart;
  Chart2 computed;
  calculall(settings, chart, computed, 0, 0, 0);

  ChartAnalysis analysis = AnalyseChart(settings, chart, computed);
  Report report;
  MissingBankFiles missing;
  if (section == "points") {
    PointsToNotice(report, nullptr, settings, chart, computed, analysis);
  } else {
    InterpretationParts parts;
    parts.headerAndPlan = parts.generalPoints = section == "all" || section == "general";
    parts.introduction = introduction && parts.headerAndPlan;
    parts.nonAstrologers = nonAstrologers && section == "all";
    parts.aspects = section == "all" || section == "aspects";
    parts.houses = section == "all" || section == "houses";
    parts.signs = section == "all" || section == "signs";
    parts.zodiac = req.zodiac == Zodiac::Sidereal ? 1 : 0;
    parts.lineMode = paragraphs ? 0 : 1;
    WriteInterpretation(report, nullptr, settings, chart, computed, analysis, parts, missing);
  }

  if (outFile) {
    if (!SaveAsTextFile(report, *outFile, 1, 0, &ui)) throw WorkError("cannot write " + *outFile);
  } else {
    ctx.out << reportText(report);
  }
  if (!missing.empty()) {
    std::string names;
    for (const auto& f : missing.files()) names += (names.empty() ? "" : ", ") + f;
    throw WorkError("the knowledge bank in " + dir.dir.string() + " lacks " + names +
                    " (the interpretation was written without their texts)");
  }
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND(
    "interpret",
    "talpora interpret DATE TIME [CHART-OPTIONS] [--section general|aspects|houses|signs|points|all] "
    "[--introduction] [--non-astrologers] [--paragraphs] [--out FILE]",
    "a written interpretation of a chart from the knowledge bank", runInterpret);

}  // namespace talpora::cli
