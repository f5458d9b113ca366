// talpora interpret: a written interpretation of a chart from the knowledge bank of the program
// directory, in the interpreter's order (header, plan, general points, aspects, planets in houses,
// planets in signs), or the points to notice; a full interpretation as the interpreter program writes
// it (--full), the answer it shows for one question (--topic), and the glyph list of the drawing
// program (--glyph).
#include <ostream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/drawing_types.h"
#include "cli/json.h"
#include "engine/chart.h"
#include "files/zykfile.h"
#include "format/report_buffer.h"
#include "interpretation/glyph_explanations.h"
#include "interpretation/interpretation.h"
#include "platform/cp1252.h"
#include "platform/headless/scripted_interaction.h"
#include "programs/zykinterp/interpreter_app.h"

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

// An integer positional argument in [low, high]; UsageError naming it otherwise.
int keyArgument(Args& args, const std::string& what, int low, int high) {
  const std::string text = args.next(what);
  const auto v = parseInteger(text);
  if (!v || *v < low || *v > high)
    throw UsageError(what + ": '" + text + "' is not " + std::to_string(low) + " to " + std::to_string(high));
  return static_cast<int>(*v);
}

// The question of --topic: "aspect A B", "house OBJECT SYSTEM" or "sign OBJECT 0|1".
InterpreterQuestion topicQuestion(const std::string& topic, Args& args) {
  if (topic == "aspect") {
    const int a = keyArgument(args, "--topic aspect: first object", 0, 16);
    const int b = keyArgument(args, "--topic aspect: second object", 0, 16);
    if (a == b) throw UsageError("--topic aspect: the two objects must differ");
    return {1, a, b};
  }
  if (topic == "house")
    return {2, keyArgument(args, "--topic house: object", 0, 12),
            keyArgument(args, "--topic house: house system", 0, 11)};
  if (topic == "sign")
    return {4, keyArgument(args, "--topic sign: object", 0, 11),
            keyArgument(args, "--topic sign: zodiac", 0, 1)};
  throw UsageError("option --topic: aspect A B, house OBJECT SYSTEM or sign OBJECT 0|1");
}

void printGlyphList(const std::vector<GlyphLine>& lines, bool json, std::ostream& out) {
  if (!json) {
    for (const GlyphLine& l : lines) out << cp1252ToUtf8(l.text) << '\n';
    return;
  }
  Json j;
  j.beginObject().key("lines").beginArray();
  for (const GlyphLine& l : lines) {
    j.beginObject().key("text").value(cp1252ToUtf8(l.text)).key("action");
    if (l.action)
      j.beginObject()
          .field("mode", l.action->mode)
          .field("key1", l.action->key1)
          .field("key2", l.action->key2)
          .endObject();
    else
      j.null();
    j.endObject();
  }
  j.endArray().endObject();
  out << j.str() << '\n';
}

int runInterpret(Args& args, Context& ctx) {
  const auto full = args.option("--full");
  const auto topic = args.option("--topic");
  const auto glyph = args.option("--glyph");
  const auto typeName = args.option("--type");
  const bool json = args.flag("--json");
  if ((full ? 1 : 0) + (topic ? 1 : 0) + (glyph ? 1 : 0) > 1)
    throw UsageError("options --full, --topic and --glyph exclude each other");
  std::optional<FullInterpretation> fullKind;
  if (full) {
    if (*full == "introduction")
      fullKind = FullInterpretation::Introduction;
    else if (*full == "standard")
      fullKind = FullInterpretation::Standard;
    else if (*full == "non-astrologers")
      fullKind = FullInterpretation::NonAstrologers;
    else
      throw UsageError("option --full: introduction, standard or non-astrologers");
  }
  std::optional<int> glyphItem;
  if (glyph) {
    const auto v = parseInteger(*glyph);
    if (!v || *v < 0 || *v > kGlyphEarth) throw UsageError("option --glyph: items are 0 to 38");
    glyphItem = static_cast<int>(*v);
  }
  if ((typeName || json) && !glyph) throw UsageError("options --type and --json go with --glyph");
  const std::string section = args.option("--section").value_or("all");
  const auto outFile = args.option("--out");
  const bool introduction = args.flag("--introduction");
  const bool nonAstrologers = args.flag("--non-astrologers");
  const bool paragraphs = args.flag("--paragraphs");
  ChartRequest req = parseChartOptions(args, ctx);
  std::optional<InterpreterQuestion> question;
  if (topic) question = topicQuestion(*topic, args);
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
  if (glyphItem) {
    // The first fixed type unless another is named, as talpora draw.
    const std::vector<DrawingTypeEntry> types = allDrawingTypes(settings);
    ChPar type;
    if (typeName || !types.empty()) {
      type = findType(types, typeName.value_or("1")).type.par;
    } else {
      type.typeOrigin = 601;  // no type files: a fixed wheel with a tropical ring
      type.ringKind[1] = 1;
    }
    printGlyphList(glyphExplanation(*glyphItem, settings, chart, computed, type), json, ctx.out);
    return kExitOk;
  }
  if (question) {
    answerQuestion(*question, report, nullptr, settings, chart, computed, analysis, missing);
  } else if (fullKind) {
    writeFullInterpretation(*fullKind, paragraphs ? 0 : 1, report, nullptr, settings, chart, computed,
                            analysis, missing);
  } else if (section == "points") {
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
    "[--introduction] [--non-astrologers] [--paragraphs] [--out FILE]\n"
    "talpora interpret CHART-OPTIONS --full introduction|standard|non-astrologers [--paragraphs] [--out "
    "FILE]\n"
    "talpora interpret CHART-OPTIONS --topic aspect A B | house OBJECT SYSTEM | sign OBJECT 0|1 [--out "
    "FILE]\n"
    "talpora interpret CHART-OPTIONS --glyph ITEM [--type N|NAME] [--json]",
    "a written interpretation of a chart from the knowledge bank; --full: the interpreter program's "
    "full interpretation; --topic: what it shows for one aspect, house or sign; --glyph: the drawing "
    "program's list for a glyph (0..16 objects, 17..28 signs, 29..37 aspects, 38 the Earth)",
    runInterpret);

}  // namespace talpora::cli
