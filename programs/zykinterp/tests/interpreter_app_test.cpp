// The interpreter program without a window: started over a temporary program directory that holds
// the compiled knowledge bank, for a chart with a known time, one without, and one at 70 degrees
// north, with every command of its menu.
#include "programs/zykinterp/interpreter_app.h"

#include <gtest/gtest.h>

#include <fstream>

#include "dialogs/search_dialog.h"
#include "format/report_number.h"
#include "format/word_processor.h"
#include "interpretation/bank_source.h"
#include "listing/tests/listing_test_support.h"
#include "platform/cp1252.h"

using namespace talpora;
using namespace talpora::testing_support;
namespace ic = talpora::interp_command;

namespace {

// The shipped bank, compiled into the directory.
void writeBank(const fs::path& dir) {
  std::vector<bank::SourceError> errors;
  const auto sources = bank::readSourceTree(fs::path(TALPORA_SOURCE_DIR) / "data" / "interpretation", errors);
  ASSERT_TRUE(errors.empty());
  const auto compiled = bank::compileSources(sources);
  ASSERT_TRUE(compiled.ok()) << compiled.errors.front().text();
  for (const auto& f : compiled.files) {
    std::ofstream out(dir / f.name(), std::ios::binary);
    const std::string bytes = f.bytes();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
}

Chart1 knownTime() {
  return chartRecord(17, 5, 1990, 14, 5, 2.0, 2.35, 48.85, "Ada", "Paris");
}
Chart1 unknownTime() {
  Chart1 c = chartRecord(17, 5, 1990, 12, 0, 2.0, 2.35, 48.85, "No Time", "Paris");
  c.timeKnown = 0;
  return c;
}
Chart1 farNorth() {
  return chartRecord(17, 5, 1990, 14, 5, 1.0, 25.0, 70.0, "Far North", "Hammerfest");
}

// One started interpreter: the transfer file written, the program started from it.
struct Started {
  explicit Started(const std::string& name, Chart1 chart, const std::string& tail = "4711,",
                   const std::string& wordProcessor = "")
      : dir(freshProgramDir("interp-" + name)), services(dir) {
    writeBank(dir);
    CIni s = settingsFor(dir);
    s.houseSystem = 1;
    setField(s.wordProcessor, wordProcessor);
    Serialise_CIni(s);
    const Chart2 computed = compute(s, chart);
    TransferBlock block;
    EXPECT_EQ(FillUpTalporaTransferBlock(block, s, chart, computed, chart, computed), 1);
    ProgramDirInputs where;
    where.overrideDir = dir;
    start = startProgram(tail, where, services.ui);
    EXPECT_TRUE(start.fromTransferFile);
    restart(tail);
  }
  void restart(const std::string& tail = "4711,") {
    app = std::make_unique<InterpreterApp>(services.platform, view, start.settings, start.chartA,
                                           start.computedA);
    app->start(tail);
  }
  ~Started() { fs::remove_all(dir); }
  std::vector<std::string> lines() const { return view.lines(); }
  std::string file(int n) const { return readFile(dir / reportFileName("Interp%d.txt", n)); }
  static std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path dir;
  HeadlessPlatform services;
  StringReportView view;
  ProgramStart start;
  std::unique_ptr<InterpreterApp> app;
};

// Scripts the search dialogs of a command: each choice is the entry with that value, or a cancel
// (nullopt). `offered` receives the values each dialog offered.
void choose(headless::ScriptedInteraction& ui, std::vector<std::optional<int>> choices,
            std::vector<std::vector<int>>* offered = nullptr) {
  for (auto choice : choices) {
    ui.expectDialog([choice, offered](ui::DialogModel& model, ui::FormState& state, ui::Interaction& in) {
      auto& search = dynamic_cast<dialogs::SearchDialog&>(model);
      std::vector<int> values;
      for (const auto& e : search.entries()) values.push_back(static_cast<int>(e.data));
      if (offered) offered->push_back(values);
      const auto at = choice ? std::find(values.begin(), values.end(), *choice) : values.end();
      if (at == values.end()) {
        model.command(ui::IDCANCEL, state, in);
        return;
      }
      state.setSelection(dialogs::SearchDialog::kList, static_cast<int>(at - values.begin()));
      model.command(ui::IDOK, state, in);
    });
  }
}

bool hasLine(const std::vector<std::string>& lines, const std::string& l) {
  return std::find(lines.begin(), lines.end(), l) != lines.end();
}

constexpr const char* kAspectList = "List of the ";

}  // namespace

TEST(InterpreterTail, ValidQuestionsOnlyAndBadValuesGivePointsToNotice) {
  struct Row {
    const char* tail;
    std::optional<InterpreterQuestion> question;
  };
  const Row rows[] = {
      {"4711,", std::nullopt},
      {"4711, ", std::nullopt},
      {"1, 1, 0, 4", InterpreterQuestion{1, 0, 4}},
      {"1,1,0,4", InterpreterQuestion{1, 0, 4}},
      {"1, 1, 16, 15", InterpreterQuestion{1, 16, 15}},
      {"1, 2, 12, 11", InterpreterQuestion{2, 12, 11}},
      {"1, 4, 11, 1", InterpreterQuestion{4, 11, 1}},
      {"1, 1, 17, 4", std::nullopt},    // no object 17
      {"1, 1, 3, 3", std::nullopt},     // one object with itself
      {"4, 2, 99, 0", std::nullopt},    // mode 2 takes objects 0..12
      {"1, 2, 13, 1", std::nullopt},    // no house texts for Chiron
      {"1, 2, 0, 12", std::nullopt},    // house systems 0..11
      {"2, 0, 4, 12", std::nullopt},    // no mode 0
      {"1, 4, 12, 0", std::nullopt},    // mode 4 takes objects 0..11
      {"1, 4, 0, 2", std::nullopt},     // zodiac 0 or 1
      {"1, 3, 0, 1", std::nullopt},     // no mode 3
      {"1, 1, 0", std::nullopt},        // two keys only
      {"1, 1, 0, 4, 5", std::nullopt},  // one value too many
      {"1, 1, x, 4", std::nullopt},
  };
  for (const Row& r : rows) EXPECT_EQ(parseInterpreterTail(r.tail), r.question) << r.tail;
}

TEST(InterpreterApp, MenuHoldsEveryCommandAndHelpOnF1) {
  const ui::MenuSpec m = interpreterMenu();
  EXPECT_EQ(m.name, "ZYKINTERP_MENU");
  auto ids = m.commandIds();
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<int>{610, 611, 612, 613, 614,   615,   630,   631,   650,   655,  665,
                                   700, 705, 715, 999, 14000, 14010, 14020, 14030, 14040, 14045}));
  EXPECT_EQ(m.find(ic::kStandardTextEditor)->text, "Using the Text &Editor");
  EXPECT_EQ(m.find(ic::kTextEditor)->text, "Print using the Text &Editor");
  EXPECT_EQ(m.keyToCommand, (std::vector<std::pair<int, int>>{{0x70, ic::kHelp}}));
}

TEST(InterpreterApp, StartsOnTheQuestionOfItsTailOrThePointsToNotice) {
  Started s("tail", knownTime(), "1, 1, 0, 4");
  EXPECT_EQ(s.app->title(), "Talpora Interpreter:  Ada - Natal Chart");
  // Sun and Mars: their aspect, or the line saying there is none.
  const auto sunMars = s.lines();
  double orb = 0;
  if (IsAspected(kSun, kMars, AnalyseChart(s.start.settings, s.start.chartA, s.start.computedA).aspects,
                 &orb) < 0)
    EXPECT_TRUE(hasLine(sunMars, " There is no major aspect between these two objects in this chart."));
  else
    EXPECT_NE(sunMars.front().find("Sun"), std::string::npos);
  // The same question asked through the menu gives the same text.
  choose(s.services.ui, {0, 4});
  s.app->command(ic::kParticularAspect);
  EXPECT_EQ(s.lines(), sunMars);
  for (const char* bad : {"1, 1, 17, 4", "4, 2, 99, 0", "2, 0, 4, 12"}) {
    s.restart(bad);
    EXPECT_TRUE(s.view.contains(kAspectList)) << bad;
  }
}

TEST(InterpreterApp, OnScreenCommandsAndCancelsAtEveryStep) {
  Started s("screen", knownTime());
  EXPECT_TRUE(s.view.contains(kAspectList));
  s.app->command(ic::kSignsTropical);
  EXPECT_EQ(s.lines().front(), "Planets in Signs (Tropical Zodiac):");
  s.app->command(ic::kSignsSidereal);
  EXPECT_EQ(s.lines().front().rfind("Planets in Signs (Sidereal Zodiac - ", 0), 0u);

  // The South Node is read as the North Node with the mirrored aspect.
  std::vector<std::vector<int>> offered;
  choose(s.services.ui, {0, 11, 0}, &offered);
  s.app->command(ic::kBankAspect);
  ASSERT_GE(s.lines().size(), 2u);
  EXPECT_EQ(s.lines()[0], "Sun-Nth Node opposition:");
  EXPECT_EQ(s.lines()[1], "Sun-Sth Node conjunction:");
  ASSERT_EQ(offered.size(), 3u);
  EXPECT_EQ(std::count(offered[1].begin(), offered[1].end(), 0), 0);  // the first object is not offered
  EXPECT_EQ(offered[2], (std::vector<int>{0, 1, 2, 3, 4}));           // aspects the bank has texts for

  choose(s.services.ui, {0, 2, 3});
  s.app->command(ic::kBankAspect);
  EXPECT_EQ(s.lines()[0], "Sun-Mercury square:");
  EXPECT_TRUE(hasLine(s.lines(), "Thus there is no such thing as a Sun-Mercury square."));

  offered.clear();
  choose(s.services.ui, {0, 3}, &offered);
  s.app->command(ic::kBankHouse);
  EXPECT_EQ(s.lines().front(), "Sun in the 4th house:");
  EXPECT_EQ(offered[0].size(), 13u);
  EXPECT_EQ(offered[1].size(), 12u);  // no "All houses"

  offered.clear();
  choose(s.services.ui, {1, 4}, &offered);
  s.app->command(ic::kBankSign);
  EXPECT_EQ(s.lines().front(), "Moon in Leo:");
  EXPECT_EQ(offered[0].size(), 12u);
  EXPECT_EQ(offered[1].size(), 12u);  // no "All Signs"

  // A cancel at any step leaves the report as it is.
  struct Cancel {
    int command;
    std::vector<std::optional<int>> choices;
  };
  const Cancel cancels[] = {
      {ic::kParticularAspect, {std::nullopt}}, {ic::kParticularAspect, {0, std::nullopt}},
      {ic::kBankAspect, {std::nullopt}},       {ic::kBankAspect, {0, std::nullopt}},
      {ic::kBankAspect, {0, 4, std::nullopt}}, {ic::kBankHouse, {std::nullopt}},
      {ic::kBankHouse, {0, std::nullopt}},     {ic::kBankSign, {std::nullopt}},
      {ic::kBankSign, {0, std::nullopt}}};
  for (const Cancel& c : cancels) {
    const std::string before = s.view.text;
    const int shown = s.view.shown;
    choose(s.services.ui, c.choices);
    EXPECT_TRUE(s.app->command(c.command));
    EXPECT_EQ(s.view.text, before) << c.command << " after " << c.choices.size() << " dialogs";
    EXPECT_EQ(s.view.shown, shown);
  }
  EXPECT_TRUE(s.services.ui.messages.empty());
}

TEST(InterpreterApp, FullInterpretationsGoToNumberedFilesAndTheViewer) {
  Started s("full", knownTime(), "4711,", "mywriter --new");
  const std::string shown = s.view.text;
  s.app->command(ic::kIntroductionTextEditor);
  ASSERT_EQ(s.services.launcher.opened.size(), 1u);
  EXPECT_EQ(s.services.launcher.opened[0], s.dir / "Interp1.txt");
  const std::string first = s.file(1);
  EXPECT_NE(first.find("INTRODUCTION"), std::string::npos);
  // The file holds the interpretation only, not the on-screen text before it.
  Report expected;
  MissingBankFiles missing;
  ChartAnalysis analysis = AnalyseChart(s.start.settings, s.start.chartA, s.start.computedA);
  writeFullInterpretation(FullInterpretation::Introduction, 1, expected, nullptr, s.start.settings,
                          s.start.chartA, s.start.computedA, analysis, missing);
  EXPECT_EQ(first, cp1252ToUtf8(expected.text));
  EXPECT_EQ(s.view.text, shown);  // the window keeps its text
  // For the word processor: paragraphs, started with the user's command.
  s.app->command(ic::kStandardWordProcessor);
  ASSERT_EQ(s.services.launcher.userCommands.size(), 1u);
  EXPECT_EQ(s.services.launcher.userCommands[0],
            std::make_pair(std::string("mywriter --new"), s.dir / "Interp2.txt"));
  const std::string second = s.file(2);
  EXPECT_EQ(second.find("INTRODUCTION"), std::string::npos);
  EXPECT_LT(std::count(second.begin(), second.end(), '\n'), std::count(first.begin(), first.end(), '\n'));
  // 14040 saves what the window shows.
  s.app->command(ic::kTextEditor);
  EXPECT_EQ(s.file(3), cp1252ToUtf8(shown));
  // Sixteen files in all: the sixteenth reuses the first number.
  for (int n = 4; n <= 16; ++n) s.app->command(ic::kNonAstrologersTextEditor);
  EXPECT_EQ(s.app->lastSaved(), s.dir / "Interp1.txt");
  EXPECT_FALSE(fs::exists(s.dir / "Interp16.txt"));
  EXPECT_TRUE(s.services.ui.messages.empty());
  // After a restart the number follows the newest file.
  const auto now = fs::file_time_type::clock::now();
  for (int n = 1; n <= 15; ++n)
    fs::last_write_time(s.dir / reportFileName("Interp%d.txt", n), now - std::chrono::hours(n == 7 ? 0 : 1));
  s.restart();
  s.app->command(ic::kStandardTextEditor);
  EXPECT_EQ(s.app->lastSaved(), s.dir / "Interp8.txt");
}

TEST(InterpreterApp, NoWordProcessorNoPrinterAndAFileThatCannotBeWritten) {
  Started s("refusals", knownTime());
  struct Row {
    int command;
    const char* message;
    bool fileWritten;
  };
  const Row rows[] = {
      {ic::kIntroductionWordProcessor, kWordProcessorReminderForInterpretation, false},
      {ic::kStandardWordProcessor, kWordProcessorReminderForInterpretation, false},
      {ic::kNonAstrologersWordProcessor, kWordProcessorReminderForInterpretation, false},
      {ic::kWordProcessor, kWordProcessorReminderForSaving, true},  // saves first
  };
  for (const Row& r : rows) {
    s.services.ui.messages.clear();
    s.app->command(r.command);
    ASSERT_EQ(s.services.ui.messages.size(), 1u) << r.command;
    EXPECT_EQ(s.services.ui.messages[0].text, r.message);
    EXPECT_EQ(s.services.ui.messages[0].caption, "");
    EXPECT_EQ(fs::exists(s.dir / "Interp1.txt"), r.fileWritten) << r.command;
  }
  EXPECT_TRUE(s.services.launcher.userCommands.empty());

  s.services.ui.messages.clear();
  s.services.printers.installed = false;
  s.app->command(ic::kListingFont);
  s.app->command(ic::kHeaderFont);
  ASSERT_EQ(s.services.ui.messages.size(), 2u);
  EXPECT_EQ(s.services.ui.messages[1].text, "No printer is installed");
  EXPECT_EQ(s.services.ui.messages[1].caption, "Error");
  EXPECT_EQ(s.services.ui.messages[1].icon, ui::Icon::Stop);

  // The next file's name is taken by a folder: the write fails, is reported, and starts no viewer.
  fs::remove(s.dir / "Interp1.txt");
  fs::create_directory(s.dir / "Interp1.txt");
  s.services.ui.messages.clear();
  s.app->command(ic::kStandardTextEditor);
  EXPECT_EQ(s.services.ui.messages.size(), 1u);
  EXPECT_TRUE(s.services.launcher.opened.empty());

  s.app->command(ic::kHelp);
  EXPECT_EQ(s.services.help.topics, std::vector<int>{-2});
  s.app->command(ic::kPrintSelection);
  EXPECT_FALSE(s.app->exitRequested());
  s.app->command(ic::kExit);
  EXPECT_TRUE(s.app->exitRequested());
}

TEST(InterpreterApp, AMissingBankFileIsReportedOncePerInterpretation) {
  Started s("missing", knownTime());
  fs::remove(s.dir / "zoraA01.dtf");  // the Sun's aspects
  s.app->command(ic::kStandardTextEditor);
  ASSERT_EQ(s.services.ui.messages.size(), 1u);
  EXPECT_EQ(s.services.ui.messages[0].caption, "File Error");
  EXPECT_NE(s.services.ui.messages[0].text.find("zoraA01.dtf"), std::string::npos);
  EXPECT_EQ(s.services.launcher.opened.size(), 1u);  // the rest is written and opened
}

TEST(InterpreterApp, ChartsWithoutTimeAndFarNorth) {
  Started none("notime", unknownTime());
  none.app->command(ic::kStandardTextEditor);
  const std::string text = none.file(1);
  EXPECT_EQ(text.find("PLANETS IN HOUSES"), std::string::npos);
  EXPECT_NE(text.find("Note: the chart data was entered with 'unknown time'."), std::string::npos);
  for (const char* aspect : {"-Ascendant, orb", "-Midheaven, orb", " Ascendant-", " Midheaven-"})
    EXPECT_EQ(text.find(aspect), std::string::npos) << aspect;  // the angles take part in no aspect

  Started north("north", farNorth());
  north.app->command(ic::kStandardTextEditor);
  EXPECT_NE(
      north.file(1).find("The house system used is Placidus\r\n(it cannot be computed at this latitude: the "
                         "cusps are Porphyre's)"),
      std::string::npos);
}
