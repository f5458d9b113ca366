// The listing program without a window: started over a temporary program directory from the transfer
// file, for charts of several kinds, with every command of its menu.
#include "programs/zyklist/listing_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "dialogs/search_dialog.h"
#include "draw/style_select.h"
#include "listing/grid_parameters.h"
#include "listing/number_dialog.h"
#include "listing/tests/listing_test_support.h"

using namespace talpora;
using namespace talpora::testing_support;
namespace lc = talpora::listing_command;

namespace {

// One started listing program: the transfer file written, the program started from it.
struct Started {
  explicit Started(const std::string& name, Chart1 birth, std::int16_t houseSystem = 1)
      : dir(freshProgramDir(name)), services(dir) {
    CIni s = settingsFor(dir);
    s.houseSystem = houseSystem;
    Serialise_CIni(s);
    const Chart2 computed = compute(s, birth);
    TransferBlock block;
    EXPECT_EQ(FillUpTalporaTransferBlock(block, s, birth, computed, birth, computed), 1);
    ProgramDirInputs where;
    where.overrideDir = dir;
    start = startProgram("4711,", where, services.ui);
    EXPECT_TRUE(start.fromTransferFile);
    app =
        std::make_unique<ListingApp>(services.platform, view, start.settings, start.chartA, start.computedA);
    app->start();
  }
  ~Started() { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
  HeadlessPlatform services;
  StringReportView view;
  ProgramStart start;
  std::unique_ptr<ListingApp> app;
};

// Answers the dialogs a command opens: the number dialog with `number`, the modulus dialog with 30
// degrees, the drawing-type list and the orbs dialog cancelled.
void scriptDialogs(headless::ScriptedInteraction& ui, int command, int number) {
  const auto answer = [number](ui::DialogModel& model, ui::FormState& state, ui::Interaction& in) {
    if (dynamic_cast<NumberDialog*>(&model)) {
      state.setText(NumberDialog::kNumber, std::to_string(number));
      model.command(ui::IDOK, state, in);
    } else if (dynamic_cast<dialogs::SearchDialog*>(&model)) {
      state.setText(dialogs::SearchDialog::kDegrees, "30");
      state.setText(dialogs::SearchDialog::kMinutes, "0");
      model.command(ui::IDOK, state, in);
    }
    if (!state.closed()) model.command(ui::IDCANCEL, state, in);
  };
  switch (command) {
    case lc::kHarmonicDrawingTropical:
    case lc::kHarmonicDrawingSidereal:
      ui.expectDialog(answer);  // the number, then the drawing type
      ui.expectDialog(answer);
      break;
    case lc::kOneHarmonicTropical:
    case lc::kOneHarmonicSidereal:
    case lc::kModulusUser:
    case lc::kHelioModulusUser:
    case lc::kOrbs:
      ui.expectDialog(answer);
      break;
    default:
      break;
  }
}

// Runs every command of the menu but Exit; each one is accepted.
void runEveryCommand(Started& s, int number);

std::set<int> menuCommands(const ListingApp& app) {
  const auto ids = app.menu().commandIds();
  return {ids.begin(), ids.end()};
}

void runEveryCommand(Started& s, int number) {
  for (int id : menuCommands(*s.app)) {
    if (id == lc::kExit) continue;
    const int dialogs = s.services.ui.dialogsRun;
    scriptDialogs(s.services.ui, id, number);
    EXPECT_TRUE(s.app->command(id)) << id;
    EXPECT_FALSE(s.app->report().empty()) << id;
    EXPECT_FALSE(s.app->exitRequested()) << id;
    // Only the commands that ask something open a dialog.
    if (id == lc::kOrbs || id == lc::kModulusUser || id == lc::kHelioModulusUser ||
        id == lc::kOneHarmonicTropical || id == lc::kOneHarmonicSidereal ||
        id == lc::kHarmonicDrawingTropical || id == lc::kHarmonicDrawingSidereal)
      EXPECT_GT(s.services.ui.dialogsRun, dialogs) << id;
    else
      EXPECT_EQ(s.services.ui.dialogsRun, dialogs) << id;
  }
}

}  // namespace

TEST(ListingApp, MenuHasTheSuitesCommandsAndTexts) {
  const ui::MenuSpec m = listingMenu();
  EXPECT_EQ(m.name, "ZYKLIST_MENU");
  EXPECT_EQ(m.commandIds().size(), 70u);
  ASSERT_NE(m.find(1040), nullptr);
  EXPECT_EQ(m.find(1040)->text, "Tropical/Sidereal &Compared ");
  EXPECT_EQ(m.find(2127)->text,
            "&22\xB0"
            "30'");
  EXPECT_EQ(m.find(3060)->text, "&Tropical");
  EXPECT_EQ(m.bar[2].popup[4].text, "&All  Aspects...");
  EXPECT_EQ(m.find(3914)->text, "&Orbs of Aspects...");
  EXPECT_EQ(m.find(14045)->text, "Print using your &Word Processor");
  EXPECT_EQ(m.find(9990)->text, "\bE&xit");
  // Help and Exit sit on the menu bar itself.
  EXPECT_EQ(m.bar[m.bar.size() - 2].id, 6650);
  EXPECT_EQ(m.bar.back().id, 9990);
  ASSERT_EQ(m.keyToCommand.size(), 1u);
  EXPECT_EQ(m.keyToCommand[0], (std::pair<int, int>{0x70, 6650}));
  // Every item of every popup is "&Tropical" or "&Sidereal" where the suite says so.
  EXPECT_EQ(m.find(2030)->text, "&Sidereal");
  EXPECT_EQ(m.find(2040)->text, "Trop./Sid. &Compared");
  EXPECT_EQ(m.find(1070)->text, "Tropical/Sidereal &Compared");
}

TEST(ListingApp, OrdinaryChartStartsOnTheTropicalSimpleListing) {
  Started s("ordinary", parisChart());
  EXPECT_EQ(s.app->title(), "Talpora Listing:  Paris Sample - Natal Chart");
  EXPECT_EQ(s.view.shown, 1);
  const auto lines = s.view.lines();
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], "Paris Sample - Natal Chart");
  EXPECT_EQ(lines[1], "Friday January 5 1996, Paris 14h05");
  EXPECT_EQ(lines[2],
            "Longitude: 02\xB0"
            "20'East    Latitude: 48\xB0"
            "52'North");
  EXPECT_EQ(lines[3].rfind("Universal Time (GMT):14h05     Sidereal Time:", 0), 0u);
  EXPECT_EQ(lines[4].rfind("Planetary hour: ", 0), 0u);
  EXPECT_TRUE(s.view.hasLine("  TROPICAL ZODIAC"));
  EXPECT_TRUE(s.view.contains("      Sun:          CAP."));
  EXPECT_TRUE(s.view.contains("  Part of Fortune: "));
  EXPECT_TRUE(s.view.contains("  Vertex:     "));
  EXPECT_TRUE(s.view.hasLine("Placidus Houses:"));
  EXPECT_TRUE(s.view.contains("      ASC:"));
  // Every listing: the whole menu, nothing refused, every listing shown.
  runEveryCommand(s, 7);
  EXPECT_FALSE(s.app->exitRequested());
  EXPECT_TRUE(s.app->command(lc::kExit));
  EXPECT_TRUE(s.app->exitRequested());
}

TEST(ListingApp, EveryListingCommandShowsItsHeading) {
  Started s("headings", parisChart());
  struct Expect {
    int id;
    std::string line;  // a line of the report
  };
  const Expect expects[] = {
      {lc::kSimpleSidereal, "  SIDEREAL ZODIAC (using True Ayanamsa)"},
      {lc::kDetailedTropical, "Astronomical information:"},
      {lc::kDetailedSidereal, "Other planetary information:"},
      {lc::kCompared, "                 TROPICAL:           SIDEREAL (True Ayanamsa):"},
      {lc::kHelioTropical, " HELIOCENTRIC POSITIONS - TROPICAL ZODIAC"},
      {lc::kHelioSidereal, " HELIOCENTRIC POSITIONS - SIDEREAL ZODIAC (using True Ayanamsa)"},
      {lc::kHelioCompared, " HELIOCENTRIC POSITIONS -"},
      {lc::kHousesTropical, "HOUSE POSITIONS IN VARIOUS SYSTEMS:"},
      {lc::kHousesSidereal, "Sidereal Zodiac (True Ayanamsa)"},
      {lc::kHousesCompared, "HOUSE POSITIONS IN VARIOUS SYSTEMS  (TROPICAL / SIDEREAL COMPARED):"},
      {lc::kStarsTropical, "   Longitudes referring to the Tropical Zodiac"},
      {lc::kStarsSidereal, "   using True Ayanamsa"},
      {lc::kElementsTropical, "Elements (=triplicities) - Tropical Zodiac:"},
      {lc::kElementsSidereal, "Quadruplicities - Sidereal Zodiac:"},
      {lc::kElementsCompared, "Quadruplicities - Sidereal Zodiac:"},
      {lc::kPlanetaryArcs, "Planetary Arcs:"},
  };
  for (const auto& e : expects) {
    ASSERT_TRUE(s.app->command(e.id)) << e.id;
    EXPECT_TRUE(s.view.hasLine(e.line)) << e.id << ": " << e.line;
  }
  // The tables of the shared library: the chart header, a blank line, then the table.
  ASSERT_TRUE(s.app->command(lc::kMajorTropical));
  auto lines = s.view.lines();
  const auto blank = std::find(lines.begin(), lines.end(), "");
  ASSERT_NE(blank, lines.end());
  EXPECT_EQ(lines[0], "Paris Sample - Natal Chart");
  EXPECT_NE(s.view.text.find("MAJOR ASPECTS"), std::string::npos);
  ASSERT_TRUE(s.app->command(lc::kAllAspectsSidereal));
  EXPECT_NE(s.view.text.find("MAJOR, MINOR AND RARE ASPECTS"), std::string::npos);
  // Dignities, receptions and Arabian parts write their own heading, without the chart header.
  ASSERT_TRUE(s.app->command(lc::kDignitiesTropical));
  EXPECT_NE(s.view.lines()[0], "Paris Sample - Natal Chart");
  // The report the program keeps is the text shown.
  EXPECT_EQ(s.app->report().text, s.view.text);
  EXPECT_EQ(s.app->length(), s.view.text.size());
}

TEST(ListingApp, TimeUnknownShowsNoHoursNoHouses) {
  Chart1 c = parisChart();
  c.timeKnown = 0;
  Started s("unknown", c);
  EXPECT_TRUE(s.view.hasLine(" When the time is unknown,"));
  EXPECT_TRUE(s.view.hasLine(" and therefore are not calculated."));
  EXPECT_FALSE(s.view.contains("Part of Fortune"));
  EXPECT_FALSE(s.view.contains("Vertex"));
  EXPECT_FALSE(s.view.contains("Houses:"));
  EXPECT_FALSE(s.view.contains("Planetary hour:"));
  ASSERT_TRUE(s.app->command(lc::kHousesTropical));
  EXPECT_TRUE(s.view.hasLine(" (longitude = 0 and latitude = 0),"));
  EXPECT_FALSE(s.view.contains("HOUSE POSITIONS"));
  // Fixed stars: Sun to Chiron only.
  ASSERT_TRUE(s.app->command(lc::kStarsTropical));
  EXPECT_FALSE(s.view.contains("Ascendant ("));
  runEveryCommand(s, 5);
}

TEST(ListingApp, ChartAtZeroZeroIsWestSouthWithoutHouses) {
  Started s("zero", chartRecord(21, 6, 1988, 6, 30, 0.0, 0.0, 0.0, "Null Island", "Sea"));
  const auto lines = s.view.lines();
  EXPECT_EQ(lines[2],
            "Longitude: 00\xB0"
            "00'West    Latitude: 00\xB0"
            "00'South");
  EXPECT_TRUE(s.view.hasLine(" When the time is unknown,"));
  EXPECT_FALSE(s.view.contains("Placidus Houses:"));
  EXPECT_FALSE(s.view.contains("Part of Fortune"));
}

TEST(ListingApp, ProgressedChartListsOnlyItsOwnHouses) {
  Started s("progressed", chartRecord(5, 1, 2026, 14, 5, 0.0, 2.0 + 20.0 / 60.0, 48.0 + 52.0 / 60.0,
                                      "Paris Sample", "Paris", 52, "Progressed Chart"));
  EXPECT_TRUE(s.view.hasLine("Angles directed using Naibod (59'08) in Right Ascension"));
  ASSERT_TRUE(s.app->command(lc::kHousesTropical));
  EXPECT_TRUE(s.view.contains(" Progressed charts are meaningful only for the house system"));
  EXPECT_TRUE(s.view.hasLine("Placidus Houses:"));
  EXPECT_FALSE(s.view.contains("Campanus Houses:"));
  // Nothing is removed or greyed for a progressed chart.
  EXPECT_EQ(menuCommands(*s.app).size(), 70u);
  runEveryCommand(s, 3);
}

TEST(ListingApp, TransitsChartHasNoSiderealOrComparedCommands) {
  Started s("transits",
            chartRecord(1, 3, 2024, 12, 0, 1.0, 13.4, 52.5, "Transits", "Berlin", 27, "Transits"));
  const auto ids = menuCommands(*s.app);
  EXPECT_EQ(ids.size(), 70u - 27u);
  for (int id : {1010, 1030, 1040, 1060, 1070, 2030, 2040, 2060, 2063, 2067, 2080, 2090, 2101, 2120,
                 2132, 2140, 2160, 2180, 3010, 3030, 3050, 3056, 3070, 3090, 3120, 3140, 3160}) {
    EXPECT_EQ(ids.count(id), 0u) << id;
    EXPECT_FALSE(s.app->command(id)) << id;
  }
  EXPECT_TRUE(s.view.hasLine("  TROPICAL ZODIAC"));
  runEveryCommand(s, 4);
}

TEST(ListingApp, SiderealReturnStartsSiderealWithoutTropicalCommands) {
  Started s("sidreturn", chartRecord(4, 1, 2025, 9, 41, 1.0, 2.35, 48.85, "Return", "Paris", 105,
                                     "Sidereal Solar Return"));
  EXPECT_TRUE(s.view.hasLine("  SIDEREAL ZODIAC (using True Ayanamsa)"));
  EXPECT_FALSE(s.view.contains("TROPICAL"));
  const auto ids = menuCommands(*s.app);
  EXPECT_EQ(ids.size(), 70u - 27u);
  for (int id : {1000, 1020, 1040, 1050, 1070, 2020, 2040, 2050, 2062, 2066, 2070, 2090, 2100, 2110,
                 2131, 2139, 2150, 2170, 3000, 3020, 3040, 3052, 3060, 3080, 3110, 3130, 3150})
    EXPECT_FALSE(s.app->command(id)) << id;
  runEveryCommand(s, 2);
}

TEST(ListingApp, SymbolicDirectionsGreyTheirCommands) {
  Started s("symbolic",
            chartRecord(5, 1, 2000, 14, 5, 0.0, 2.35, 48.85, "Symbolic", "Paris", 9, "Symbolic Directions"));
  for (int id : {1020, 1030, 1050, 1060, 1070, 3080, 3090}) {
    ASSERT_NE(s.app->menu().find(id), nullptr) << id;
    EXPECT_FALSE(s.app->menu().find(id)->enabled) << id;
    EXPECT_FALSE(s.app->command(id)) << id;
  }
  EXPECT_TRUE(s.view.hasLine(" (Apart from ASC and MC, no house cusps are "));
  EXPECT_TRUE(s.view.hasLine("  calculated in symbolic directions.)"));
  EXPECT_FALSE(s.view.contains("Part of Fortune"));
}

TEST(ListingApp, HarmonicsAskForANumber) {
  Started s("harmonic", parisChart());
  // Cancel: nothing changes.
  const std::string before = s.view.text;
  s.services.ui.expectDialog(
      [](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) { m.command(ui::IDCANCEL, st, in); });
  ASSERT_TRUE(s.app->command(lc::kOneHarmonicTropical));
  EXPECT_EQ(s.view.text, before);
  // 0: refused with its message.
  scriptDialogs(s.services.ui, lc::kOneHarmonicTropical, 0);
  ASSERT_TRUE(s.app->command(lc::kOneHarmonicTropical));
  ASSERT_FALSE(s.services.ui.messages.empty());
  EXPECT_EQ(s.services.ui.messages.back().text, "Harmonic of 0 does not make sense");
  EXPECT_EQ(s.services.ui.messages.back().caption, "");
  EXPECT_EQ(s.services.ui.messages.back().icon, ui::Icon::Stop);
  // 5: the chart header, then harmonic 5.
  scriptDialogs(s.services.ui, lc::kOneHarmonicSidereal, 5);
  ASSERT_TRUE(s.app->command(lc::kOneHarmonicSidereal));
  EXPECT_EQ(s.view.lines()[0], "Paris Sample - Natal Chart");
  EXPECT_TRUE(s.view.contains("  Harmonic 5"));
  // The drawing hands the harmonic chart over and shows no report.
  int drawn = 0;
  Chart1 drawnChart{};
  s.app->setHarmonicDrawer([&](const Chart1& c, const Chart2&) {
    ++drawn;
    drawnChart = c;
  });
  const int shownBefore = s.view.shown;
  s.services.ui.expectDialog([](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) {
    st.setText(NumberDialog::kNumber, "12");
    m.command(ui::IDOK, st, in);
  });
  ASSERT_TRUE(s.app->command(lc::kHarmonicDrawingTropical));
  EXPECT_EQ(drawn, 1);
  EXPECT_EQ(drawnChart.chartType, 333);
  EXPECT_EQ(typeTextOf(drawnChart), "Harmonic Chart, n=12");
  EXPECT_EQ(s.view.shown, shownBefore);
}

TEST(ListingApp, UserDefinedModulus) {
  Started s("modulus", parisChart());
  scriptDialogs(s.services.ui, lc::kModulusUser, 0);
  ASSERT_TRUE(s.app->command(lc::kModulusUser));
  EXPECT_TRUE(
      s.view.contains("Midpoints Modulus  30\xB0"
                      "00' Listing in Planetary Sequence"));
  scriptDialogs(s.services.ui, lc::kHelioModulusUser, 0);
  ASSERT_TRUE(s.app->command(lc::kHelioModulusUser));
  EXPECT_TRUE(
      s.view.contains("Heliocentric Midpoints Modulus  30\xB0"
                      "00'"));
  ASSERT_TRUE(s.app->command(lc::kModulus22));
  EXPECT_TRUE(
      s.view.contains("Midpoints Modulus  22\xB0"
                      "30'"));
  ASSERT_TRUE(s.app->command(lc::kHelioModulus90));
  EXPECT_TRUE(
      s.view.contains("Heliocentric Midpoints Modulus  90\xB0"
                      "00'"));
}

TEST(ListingApp, GridsWriteTheirParametersAndStartTheGridProgram) {
  Started s("grids", parisChart());
  ASSERT_TRUE(s.app->command(lc::kGridBothSidereal));
  const auto p = readGridParameters(s.dir);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(*p, listingGridParameters(true, true, 1));
  ASSERT_EQ(s.services.launcher.started.size(), 1u);
  EXPECT_EQ(s.services.launcher.started[0].first, "zykgrid");
  EXPECT_EQ(s.services.launcher.started[0].second.back(), ',');
  // The transfer file holds the chart shown.
  const TransferCharts t = readTransferFile(s.dir);
  ASSERT_TRUE(t.hasB());
  EXPECT_EQ(nameOf(t.chartA), "Paris Sample");
  // Without the grid program: a clear message.
  s.services.launcher.succeed = false;
  ASSERT_TRUE(s.app->command(lc::kGridMinorTropical));
  EXPECT_TRUE(s.services.ui.saw("zykgrid"));
  EXPECT_EQ(readGridParameters(s.dir)->minor, 1);
  EXPECT_EQ(readGridParameters(s.dir)->major, 0);
}

TEST(ListingApp, SavedListingsRotateThroughFifteenFiles) {
  Started s("saving", parisChart());
  ASSERT_TRUE(s.app->command(lc::kPlanetaryArcs));
  for (int i = 1; i <= 16; ++i) ASSERT_TRUE(s.app->command(lc::kTextEditor));
  EXPECT_EQ(s.app->fileCounter(), 1);
  EXPECT_EQ(s.app->lastSaved(), s.dir / "Listng1.txt");
  EXPECT_TRUE(std::filesystem::exists(s.dir / "Listng15.txt"));
  EXPECT_FALSE(std::filesystem::exists(s.dir / "Listng16.txt"));
  ASSERT_EQ(s.services.launcher.opened.size(), 16u);
  EXPECT_EQ(s.services.launcher.opened.back(), s.dir / "Listng1.txt");
  const auto saved = readFile(s.dir / "Listng1.txt");
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->rfind("Planetary Arcs:\r\n", 0), 0u);
  // The word processor: the reminder when none is set, otherwise the user's command with the file.
  ASSERT_TRUE(s.app->command(lc::kWordProcessor));
  EXPECT_TRUE(s.services.ui.saw("Select your Favourite Word Porcessor"));
  EXPECT_TRUE(s.services.launcher.userCommands.empty());
  CIni settings = s.app->settings();
  setField(settings.wordProcessor, "libreoffice --writer");
  ListingApp second(s.services.platform, s.view, settings, s.app->birth(), s.app->chart());
  ASSERT_TRUE(second.command(lc::kWordProcessor));
  ASSERT_EQ(s.services.launcher.userCommands.size(), 1u);
  EXPECT_EQ(s.services.launcher.userCommands[0].first, "libreoffice --writer");
  // A second program goes on after the newest file rather than overwriting it.
  EXPECT_EQ(s.services.launcher.userCommands[0].second, s.dir / "Listng2.txt");
  // A viewer that does not start is reported.
  s.services.launcher.succeed = false;
  const std::size_t messages = s.services.ui.messages.size();
  ASSERT_TRUE(s.app->command(lc::kTextEditor));
  EXPECT_EQ(s.services.ui.messages.size(), messages + 1);
}

TEST(ListingApp, PrintHelpFontsAndOrbs) {
  Started s("print", parisChart());
  ASSERT_TRUE(s.app->command(lc::kPrintSelection));
  ASSERT_EQ(s.services.printers.documents.size(), 1u);
  EXPECT_EQ(s.services.printers.documents[0], "PrintSel");
  EXPECT_FALSE(s.services.printers.pages.empty());
  ASSERT_TRUE(s.app->command(lc::kHelp));
  EXPECT_EQ(s.services.help.topics, std::vector<int>{-1});
  // Restoring the listing font writes font file 3.
  std::filesystem::remove(s.dir / "ZYKFT003.DTF");
  ASSERT_TRUE(s.app->command(lc::kRestoreFont));
  EXPECT_TRUE(std::filesystem::exists(s.dir / "ZYKFT003.DTF"));
  // The orbs dialog changes the orbs the aspect tables use.
  s.services.ui.expectDialog(
      [](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) { m.command(ui::IDCANCEL, st, in); });
  const int dialogs = s.services.ui.dialogsRun;
  ASSERT_TRUE(s.app->command(lc::kOrbs));
  EXPECT_EQ(s.services.ui.dialogsRun, dialogs + 1);
}

TEST(ListingApp, MissingStarFileIsReported) {
  Started s("nostars", parisChart());
  std::filesystem::remove(s.dir / "ZYKFFL.DTF");
  ASSERT_TRUE(s.app->command(lc::kStarsTropical));
  ASSERT_FALSE(s.services.ui.messages.empty());
  EXPECT_EQ(s.services.ui.messages.back().text, "Could not open ZYKFFL.DTF file");
  EXPECT_EQ(s.services.ui.messages.back().caption, "From Zykifxs");
  EXPECT_EQ(s.view.lines().back(), "   Longitudes referring to the Tropical Zodiac");
}

TEST(ListingApp, HarmonicDrawingStartsTheDrawingProgramOnTheHarmonicChart) {
  Started s("harmonicdraw", parisChart());
  // One drawing type in the fixed file: a plain wheel without houses.
  DrawingType type{};
  zeroRecord(type.par);
  zeroRecord(type.colours);
  setField(type.par.title, "Harmonic Wheel");
  ASSERT_TRUE(writeDrawingTypes(drawingTypeFile(s.app->settings(), kFixedFile), {type}));
  ASSERT_TRUE(writeDrawingTypes(drawingTypeFile(s.app->settings(), kCustomFile), {}));
  s.services.ui.expectDialog([](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) {
    st.setText(NumberDialog::kNumber, "9");
    m.command(ui::IDOK, st, in);
  });
  s.services.ui.expectDialog([](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) {
    ASSERT_TRUE(dynamic_cast<SelectDrawingTypeDialog*>(&m));
    ASSERT_EQ(st.items(SelectDrawingTypeDialog::kList).size(), 1u);
    st.setSelection(SelectDrawingTypeDialog::kList, 0);
    m.command(ui::IDOK, st, in);
  });
  const std::string shown = s.view.text;
  ASSERT_TRUE(s.app->command(lc::kHarmonicDrawingSidereal));
  EXPECT_EQ(s.view.text, shown);
  ASSERT_EQ(s.services.launcher.started.size(), 1u)
      << (s.services.ui.messages.empty() ? "" : s.services.ui.messages.back().text);
  EXPECT_EQ(s.services.launcher.started[0].first, "zykdraw");
  // The drawing program receives the harmonic chart: kind 333, every longitude nine times the chart's.
  const TransferCharts t = readTransferFile(s.dir);
  ASSERT_TRUE(t.hasA());
  EXPECT_EQ(t.chartA.chartType, 333);
  EXPECT_EQ(typeTextOf(t.chartA), "Harmonic Chart, n=9");
  EXPECT_NEAR(t.computedA.objects[kMars], std::fmod(9 * s.app->chart().objects[kMars], 360.0), 1e-9);
  EXPECT_TRUE(std::filesystem::exists(s.dir / kData9File));
}
