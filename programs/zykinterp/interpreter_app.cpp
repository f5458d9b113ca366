// zykinterp: the interpreter program's state, menu and commands.
#include "programs/zykinterp/interpreter_app.h"

#include <charconv>
#include <vector>

#include "dialogs/search_dialog.h"
#include "files/startup.h"
#include "format/printer_fonts.h"
#include "format/printing.h"
#include "format/report_number.h"
#include "format/text_format.h"
#include "format/word_processor.h"
#include "interpretation/bank_format.h"
#include "interpretation/writers.h"

namespace talpora {
namespace ic = interp_command;

namespace {

constexpr const char* kInterpFilePattern = "Interp%d.txt";
constexpr const char* kNoMajorAspect = " There is no major aspect between these two objects in this chart.";

ui::MenuItem item(int id, std::string text) {
  return ui::MenuItem{id, std::move(text), {}, true};
}
ui::MenuItem popup(std::string text, std::vector<ui::MenuItem> items) {
  return ui::MenuItem{0, std::move(text), std::move(items), true};
}
std::vector<ui::MenuItem> wordProcessorOrEditor(int wordProcessor, int textEditor) {
  return {item(wordProcessor, "Using your &Word Processor"), item(textEditor, "Using the Text &Editor")};
}

// Integers separated by commas, blanks allowed around each; nullopt when a part is not an integer.
std::optional<std::vector<int>> integers(std::string_view text) {
  std::vector<int> values;
  while (true) {
    const auto comma = text.find(',');
    std::string_view part = text.substr(0, comma);
    while (!part.empty() && (part.front() == ' ' || part.front() == '\t')) part.remove_prefix(1);
    while (!part.empty() && (part.back() == ' ' || part.back() == '\t')) part.remove_suffix(1);
    int v = 0;
    const auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), v);
    if (part.empty() || ec != std::errc() || ptr != part.data() + part.size()) return std::nullopt;
    values.push_back(v);
    if (comma == std::string_view::npos) return values;
    text.remove_prefix(comma + 1);
  }
}

bool isObject(int o, int last) {
  return o >= 0 && o <= last;
}

std::string name(int object) {
  return PlanetName(object, 0, 0, 0, 0, 0);
}

// Conjunction and opposition, trine and sextile change places when the South Node is read as the
// North Node.
int mirroredAspect(int aspect) {
  switch (aspect) {
    case 0:
      return 1;
    case 1:
      return 0;
    case 2:
      return 4;
    case 4:
      return 2;
    default:
      return aspect;
  }
}

}  // namespace

std::optional<InterpreterQuestion> parseInterpreterTail(std::string_view tail) {
  const auto comma = tail.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::string_view rest = tail.substr(comma + 1);
  if (rest.size() < 2) return std::nullopt;
  const auto values = integers(rest);
  if (!values || values->size() != 3) return std::nullopt;
  const InterpreterQuestion q{(*values)[0], (*values)[1], (*values)[2]};
  switch (q.mode) {
    case 1:
      if (isObject(q.key1, kPartOfFortune) && isObject(q.key2, kPartOfFortune) && q.key1 != q.key2) return q;
      break;
    case 2:
      if (isObject(q.key1, kBlackMoon) && q.key2 >= 0 && q.key2 <= 11) return q;
      break;
    case 4:
      if (isObject(q.key1, kSouthNode) && (q.key2 == 0 || q.key2 == 1)) return q;
      break;
    default:
      break;
  }
  return std::nullopt;
}

void answerQuestion(const InterpreterQuestion& q, Report& report, unsigned long* length, const CIni& settings,
                    const Chart1& chart, const Chart2& computed, ChartAnalysis& analysis,
                    MissingBankFiles& missing) {
  AddLine(report, length, "", 999, 0);
  switch (q.mode) {
    case 1:
      if (!InterpretAspect(std::min(q.key1, q.key2), std::max(q.key1, q.key2), -99, analysis.aspects, report,
                           length, 1, settings, chart, computed, missing))
        AddLine(report, length, kNoMajorAspect, 1, 0);
      break;
    case 2:
      InterpretHouse(q.key1, 0, 0, q.key2, report, length, 1, settings, chart, computed, analysis.aspects,
                     missing);
      break;
    case 4:
      InterpretOnePlanetInSign(q.key1, 0, static_cast<char>(q.key2), 0, report, length, 1, settings, chart,
                               computed, analysis.aspects, missing);
      break;
    default:
      PointsToNotice(report, length, settings, chart, computed, analysis);
      break;
  }
}

void writeFullInterpretation(FullInterpretation kind, int lineMode, Report& report, unsigned long* length,
                             const CIni& settings, const Chart1& chart, const Chart2& computed,
                             ChartAnalysis& analysis, MissingBankFiles& missing) {
  InterpretationParts parts;
  parts.headerAndPlan = parts.generalPoints = parts.aspects = parts.houses = true;
  parts.signs = false;
  parts.introduction = kind != FullInterpretation::Standard;
  parts.nonAstrologers = kind == FullInterpretation::NonAstrologers;
  parts.lineMode = lineMode;
  WriteInterpretation(report, length, settings, chart, computed, analysis, parts, missing);
}

ui::MenuSpec interpreterMenu() {
  ui::MenuSpec m;
  m.name = "ZYKINTERP_MENU";
  m.bar = {
      popup("&Full Interpretation",
            {popup("Interpretation with &Introduction",
                   wordProcessorOrEditor(ic::kIntroductionWordProcessor, ic::kIntroductionTextEditor)),
             popup("&Standard Interpretation",
                   wordProcessorOrEditor(ic::kStandardWordProcessor, ic::kStandardTextEditor)),
             popup("Text for &Non-Astrologers",
                   wordProcessorOrEditor(ic::kNonAstrologersWordProcessor, ic::kNonAstrologersTextEditor))}),
      popup("&On Screen", {item(ic::kPointsToNotice, "&Points to notice"),
                           popup("Planets in &Sign", {item(ic::kSignsTropical, "&Tropical"),
                                                      item(ic::kSignsSidereal, "&Sidereal")}),
                           item(ic::kParticularAspect, "A Particular &Aspect")}),
      popup("&Knowledge Bank",
            {item(ic::kBankAspect, "&2 Planets in Aspect..."), item(ic::kBankHouse, "Planet in &House..."),
             item(ic::kBankSign, "Planet in &Sign...")}),
      popup("&Print", {item(ic::kPrintSelection, "&Present Selection"),
                       item(ic::kListingFont, "Change Font for Printed &Listings"),
                       item(ic::kHeaderFont, "Change Font for Listing &Headers"),
                       item(ic::kRestoreFont, "Restore &Default Font for Printed Listings"),
                       item(ic::kTextEditor, "Print using the Text &Editor"),
                       item(ic::kWordProcessor, "Print using your &Word Processor")}),
      item(ic::kHelp, "&Help"),
      item(ic::kExit, "\bE&xit"),
  };
  m.keyToCommand = {{0x70, ic::kHelp}};  // F1
  return m;
}

InterpreterApp::InterpreterApp(sys::Platform& platform, ui::ReportView& view, const CIni& settings,
                               const Chart1& chart, const Chart2& computed)
    : platform_(platform),
      view_(view),
      settings_(settings),
      chart_(chart),
      computed_(computed),
      analysis_(AnalyseChart(settings_, chart_, computed_)),
      menu_(interpreterMenu()) {
  report_.text.reserve(10000);
}

std::string InterpreterApp::title() const {
  return windowTitle("Talpora Interpreter:  ", chart_);
}

void InterpreterApp::tell(const std::string& text, const std::string& caption, ui::Icon icon) {
  platform_.ui.message(ui::Message{text, caption, ui::Buttons::Ok, icon, std::nullopt});
}

void InterpreterApp::begin() {
  AddLine(report_, &length_, "", 999, 0);
}

void InterpreterApp::finish() {
  ShowContent(report_, view_);
  missing_.report(platform_.ui);
}

void InterpreterApp::start(std::string_view commandTail) {
  sys::BusyScope busy(platform_.busy);
  if (const auto q = parseInterpreterTail(commandTail))
    show(*q);
  else
    showPointsToNotice();
}

void InterpreterApp::show(const InterpreterQuestion& q) {
  answerQuestion(q, report_, &length_, settings_, chart_, computed_, analysis_, missing_);
  finish();
}

void InterpreterApp::showPointsToNotice() {
  begin();
  PointsToNotice(report_, &length_, settings_, chart_, computed_, analysis_);
  finish();
}

bool InterpreterApp::command(int id) {
  const ui::MenuItem* entry = menu_.find(id);
  if (!entry || !entry->popup.empty() || !entry->enabled) return false;
  switch (id) {
    case ic::kIntroductionWordProcessor:
    case ic::kIntroductionTextEditor:
      fullInterpretation(FullInterpretation::Introduction, id == ic::kIntroductionWordProcessor);
      return true;
    case ic::kStandardWordProcessor:
    case ic::kStandardTextEditor:
      fullInterpretation(FullInterpretation::Standard, id == ic::kStandardWordProcessor);
      return true;
    case ic::kNonAstrologersWordProcessor:
    case ic::kNonAstrologersTextEditor:
      fullInterpretation(FullInterpretation::NonAstrologers, id == ic::kNonAstrologersWordProcessor);
      return true;
    case ic::kSignsTropical:
    case ic::kSignsSidereal:
      planetsInSigns(id == ic::kSignsSidereal ? 1 : 0);
      return true;
    case ic::kPointsToNotice:
      showPointsToNotice();
      return true;
    case ic::kParticularAspect:
      particularAspect();
      return true;
    case ic::kBankAspect:
      bankAspect();
      return true;
    case ic::kBankHouse:
      bankHouse();
      return true;
    case ic::kBankSign:
      bankSign();
      return true;
    case ic::kPrintSelection:
      PrintSel(platform_.ui, platform_.printers, view_, settings_, &chart_, &computed_, nullptr, 2, 0);
      return true;
    case ic::kListingFont:
    case ic::kHeaderFont:
      if (!platform_.printers.hasDefault())
        tell("No printer is installed", "Error", ui::Icon::Stop);
      else
        GetUsAFont(platform_.ui, settings_, id == ic::kListingFont ? 3 : 2);
      return true;
    case ic::kRestoreFont:
      RestoreListingFont(settings_, &platform_.ui);
      return true;
    case ic::kTextEditor:
    case ic::kWordProcessor:
      saveShown(id == ic::kWordProcessor);
      return true;
    case ic::kHelp:
      platform_.help.index();
      return true;
    case ic::kExit:
      exitRequested_ = true;
      if (onExit_) onExit_();
      return true;
    default:
      return false;
  }
}

void InterpreterApp::planetsInSigns(int zodiac) {
  begin();
  AddLine(report_, &length_,
          zodiac ? "Planets in Signs (Sidereal Zodiac - " + AyanamsaName(settings_, 0) + ")"
                 : std::string("Planets in Signs (Tropical Zodiac):"),
          1, 0);
  AddLine(report_, &length_, "", 0, 0);
  InterpretPlanetsInSign(static_cast<char>(zodiac), report_, &length_, 1, settings_, chart_, computed_,
                         analysis_.aspects, missing_);
  finish();
}

std::optional<int> InterpreterApp::choose(int kind, int count, int exclude, int filter) {
  double value = 0;
  int result = 0;
  dialogs::search_data(platform_.ui, kind, &value, 0, count, exclude, filter, &result);
  if (result != 1) return std::nullopt;
  return static_cast<int>(value);
}

void InterpreterApp::particularAspect() {
  const auto first = choose(101, 0, 0, 33);
  if (!first || !isObject(*first, kPartOfFortune)) return;
  const auto second = choose(102, 1, *first, 33);
  if (!second || !isObject(*second, kPartOfFortune) || *second == *first) return;
  sys::BusyScope busy(platform_.busy);
  show({1, *first, *second});
}

void InterpreterApp::bankAspect() {
  const auto first = choose(101, 0, 0, 33);
  if (!first || !isObject(*first, kPartOfFortune)) return;
  const auto second = choose(102, 1, *first, 33);
  if (!second || !isObject(*second, kPartOfFortune) || *second == *first) return;
  // The aspect: conjunction to sextile, the aspects the bank has texts for.
  const auto chosen = choose(400, 0, 12, 33);
  if (!chosen || *chosen < 0 || *chosen > 4) return;
  sys::BusyScope busy(platform_.busy);
  int a = std::min(*first, *second), b = std::max(*first, *second), aspect = *chosen;
  if (a == kSouthNode || b == kSouthNode) {
    (a == kSouthNode ? a : b) = kNorthNode;
    aspect = mirroredAspect(aspect);
  }
  const std::string aspectName = AspectName(aspect, 0, 0),
                    mirrored = AspectName(mirroredAspect(aspect), 0, 0);
  begin();
  AddLine(report_, &length_, name(a) + "-" + name(b) + " " + aspectName + ":", 1, 0);
  if (a == kNorthNode) AddLine(report_, &length_, "Sth Node-" + name(b) + " " + mirrored + ":", 1, 0);
  if (b == kNorthNode) AddLine(report_, &length_, name(a) + "-Sth Node " + mirrored + ":", 1, 0);
  ReadOradelleFiles(report_, &length_, 1, bank::kAspects, a, b, aspect, 5, settings_, chart_, computed_,
                    analysis_.aspects, missing_);
  if (a == kSun && (b == kMercury || b == kVenus) && aspect != 0) {
    AddLine(report_, &length_,
            "Because Mercury and Venus are internal planets, the only possible major aspect between them and "
            "the Sun is the conjunction!",
            1, 0);
    AddLine(report_, &length_,
            "Thus there is no such thing as a " + name(a) + "-" + name(b) + " " + aspectName + ".", 1, 0);
  }
  finish();
}

void InterpreterApp::bankHouse() {
  const auto object = choose(100, 13, 0, 0);
  if (!object || !isObject(*object, kBlackMoon)) return;
  const auto house = choose(200, 0, 12, 0);
  if (!house || *house < 0 || *house > 11) return;
  begin();
  InterpretHouse(*object, *house + 1, 1, 0, report_, &length_, 1, settings_, chart_, computed_,
                 analysis_.aspects, missing_);
  finish();
}

void InterpreterApp::bankSign() {
  const auto object = choose(100, 12, 0, 0);
  if (!object || !isObject(*object, kSouthNode)) return;
  const auto sign = choose(300, 0, 12, 0);
  if (!sign || *sign < 0 || *sign > 11) return;
  begin();
  InterpretOnePlanetInSign(*object, *sign + 1, 0, 1, report_, &length_, 1, settings_, chart_, computed_,
                           analysis_.aspects, missing_);
  finish();
}

std::optional<std::filesystem::path> InterpreterApp::save(Report& report) {
  const int number = nextReportNumber(platform_.dirs.dir, kInterpFilePattern);
  const std::filesystem::path file = platform_.dirs.dir / reportFileName(kInterpFilePattern, number);
  if (!SaveAsTextFile(report, file, 1, 0, &platform_.ui)) return std::nullopt;
  lastSaved_ = file;
  return file;
}

void InterpreterApp::openFile(const std::filesystem::path& file, bool wordProcessor) {
  if (!wordProcessor) {
    if (!platform_.launcher.openTextFile(file))
      tell("Talpora could not open " + file.string() + " in a text editor.", "Message from Talpora",
           ui::Icon::Warning);
    return;
  }
  const std::string command = wordProcessorOf(settings_);
  if (!platform_.launcher.startUserCommand(command, file))
    tell("Talpora could not start your word processor (" + command + ").", "Message from Talpora",
         ui::Icon::Warning);
}

void InterpreterApp::fullInterpretation(FullInterpretation kind, bool wordProcessor) {
  if (wordProcessor && wordProcessorOf(settings_).empty()) {
    tell(kWordProcessorReminderForInterpretation, "", ui::Icon::None);
    return;
  }
  std::optional<std::filesystem::path> file;
  {
    sys::BusyScope busy(platform_.busy);
    // Composed apart: the window and its report keep what they show.
    Report text;
    text.text.reserve(65536);
    writeFullInterpretation(kind, wordProcessor ? 0 : 1, text, nullptr, settings_, chart_, computed_,
                            analysis_, missing_);
    missing_.report(platform_.ui);
    file = save(text);
  }
  if (!file) return;
  if (wordProcessor && wordProcessorOf(settings_).empty()) {
    tell(kWordProcessorReminderForInterpretation, "", ui::Icon::None);
    return;
  }
  openFile(*file, wordProcessor);
}

void InterpreterApp::saveShown(bool wordProcessor) {
  const auto file = save(report_);
  if (!file) return;
  if (wordProcessor && wordProcessorOf(settings_).empty()) {
    tell(kWordProcessorReminderForSaving, "", ui::Icon::None);
    return;
  }
  openFile(*file, wordProcessor);
}

}  // namespace talpora
