// The drawing-type dialogs: the selection list and its deletion, PlayDrawingType's checks and hand-over,
// the designer's checks and saving, and the customisation question.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "draw/style_select.h"
#include "draw/tests/wheel_fixture.h"
#include "draw/type_designer.h"
#include "draw/type_source.h"
#include "platform/atomic_file.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

namespace fs = std::filesystem;
using namespace talpora;
using headless::ScriptedInteraction;

namespace {

// A program directory holding the shipped drawing types.
struct TypesDir {
  fs::path dir;
  CIni settings;
  DrawingTypeBook book;
  explicit TypesDir(const std::string& name) {
    dir = fs::temp_directory_path() / ("talpora-types-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    settings = defaultSettings(dir.string());
    settings.houseSystem = 1;
    DrawingTypeCompiler c;
    for (const char* f : {"colours.txt", "fixed.txt", "custom.txt"})
      c.add(*readFile(fs::path(TALPORA_SOURCE_DIR) / "data" / "drawing-types" / f), f);
    book = c.finish();
    writeDrawingTypes(dir / kFixedTypesFile, book.fixed);
    writeDrawingTypes(dir / kCustomTypesFile, book.custom);
    replaceFileAtomically(dir / kMonochromeColoursFile, encodeChCol(*book.monochrome));
  }
  ~TypesDir() { fs::remove_all(dir); }
  int fixedIndex(const std::string& title) const {
    for (std::size_t i = 0; i < book.fixed.size(); ++i)
      if (titleOf(book.fixed[i].par) == title) return static_cast<int>(i);
    return -1;
  }
};

int itemIndex(const ui::FormState& s, ui::ControlId id, const std::string& text) {
  const auto& items = s.items(id);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].text == text) return static_cast<int>(i);
  return -1;
}

void selectByData(ui::FormState& s, ui::ControlId id, int data) {
  const auto& items = s.items(id);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].data == data) s.setSelection(id, static_cast<int>(i));
}

}  // namespace

TEST(SelectDrawingType, ListsFilesByModeAndFilterAndRemembersTheChoice) {
  TypesDir d("select");
  const std::size_t nf = d.book.fixed.size(), nc = d.book.custom.size();
  writeLastDrawingTypeTitle(d.settings, "Custom B");
  ScriptedInteraction ui;
  int file = 0, index = -1;
  ui.expectDialog([&](ui::DialogModel&, ui::FormState& s, ui::Interaction&) {
    EXPECT_EQ(s.items(SelectDrawingTypeDialog::kList).size(), nf + nc);
    EXPECT_EQ(s.selection(SelectDrawingTypeDialog::kList), static_cast<int>(nf + 1));  // Custom B
    EXPECT_EQ(
        s.text(SelectDrawingTypeDialog::kNote),
        "Fixed Drawing Types (*) cannot be deleted or modified. Custom A, B and C can be modified but not "
        "deleted.");
    s.setSelection(SelectDrawingTypeDialog::kList, 2);
  });
  // The dialog is closed by a double click on the list.
  ui.expectDialog([](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    m.doubleClicked(SelectDrawingTypeDialog::kList, s, in);
  });
  // The first list is left without a choice (as if closed by the window): nothing is chosen.
  EXPECT_EQ(SelectDrawingType(ui, d.settings, &file, &index, 0, 0), 0);
  EXPECT_EQ(lastDrawingTypeTitle(d.settings), "Custom B");
  // The second is closed by a double click on its preselected entry, Custom B.
  EXPECT_EQ(SelectDrawingType(ui, d.settings, &file, &index, 0, 0), 1);
  EXPECT_EQ(file, kCustomFile);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(lastDrawingTypeTitle(d.settings), "Custom B");
  // Mode 2: custom types only, with its caption and note; mode 4 leaves "zykstyle.dtf" alone.
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.caption(), "Select Drawing Type to be Modified");
    EXPECT_EQ(s.items(SelectDrawingTypeDialog::kList).size(), nc);
    EXPECT_EQ(s.text(SelectDrawingTypeDialog::kNote),
              "Fixed Drawing Types (*) cannot be deleted or modified, and so are not listed here.");
    s.setSelection(SelectDrawingTypeDialog::kList, 2);
    m.command(ui::IDOK, s, in);
  });
  EXPECT_EQ(SelectDrawingType(ui, d.settings, &file, &index, 2, 0), 1);
  EXPECT_EQ(file, kCustomFile);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(lastDrawingTypeTitle(d.settings), "Custom C");
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.caption(), "Select Drawing Type as a Model");
    s.setSelection(SelectDrawingTypeDialog::kList, 0);
    m.command(ui::IDOK, s, in);
  });
  EXPECT_EQ(SelectDrawingType(ui, d.settings, &file, &index, 4, 0), 1);
  EXPECT_EQ(lastDrawingTypeTitle(d.settings), "Custom C");
  // Filter 1: fixed entries from 12 on, custom entries from 3 on.
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    const auto& items = s.items(SelectDrawingTypeDialog::kList);
    EXPECT_EQ(items.size(), nf - 12 + (nc - 3));
    EXPECT_EQ(items.front().text, titleOf(d.book.fixed[12].par));
    m.command(ui::IDCANCEL, s, in);
  });
  EXPECT_EQ(SelectDrawingType(ui, d.settings, &file, &index, 0, 1), 0);
}

TEST(SelectDrawingType, MissingFileOrVanishedTitleIsReported) {
  TypesDir d("missing");
  ScriptedInteraction ui;
  // A title that is in neither file when OK is pressed.
  ui.expectDialog([](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    s.setItems(SelectDrawingTypeDialog::kList, {{"No Such Type", 0}});
    s.setSelection(SelectDrawingTypeDialog::kList, 0);
    m.command(ui::IDOK, s, in);
  });
  EXPECT_EQ(SelectDrawingType(ui, d.settings, nullptr, nullptr, 0, 0), 0);
  EXPECT_TRUE(ui.saw("Zykstyle failed to select a drawing type file."));
  fs::remove(d.dir / kCustomTypesFile);
  EXPECT_EQ(SelectDrawingType(ui, d.settings, nullptr, nullptr, 0, 0), 0);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().caption, "Serious File Error in zykstyle.dll");
  EXPECT_NE(ui.messages.back().text.find("could not be found"), std::string::npos);
}

TEST(SelectDrawingType, DeletingTheOnlyExtraCustomTypeLeavesCustomAToC) {
  TypesDir d("delete");
  auto custom = d.book.custom;
  custom.push_back(custom.front());
  setField(custom.back().par.title, "Mine");
  writeDrawingTypes(d.dir / kCustomTypesFile, custom);
  ScriptedInteraction ui;
  auto script = [&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.caption(), "Select Drawing Type to be Deleted");
    ASSERT_EQ(s.items(SelectDrawingTypeDialog::kList).size(), 1u);  // never Custom A, B or C
    s.setSelection(SelectDrawingTypeDialog::kList, 0);
    m.command(ui::IDOK, s, in);
  };
  ui.expectDialog(script);
  ui.expectAnswer(ui::Answer::No);
  EXPECT_EQ(SelectDrawingType(ui, d.settings, nullptr, nullptr, 13, 0), 0);
  EXPECT_EQ(fs::file_size(d.dir / kCustomTypesFile), 4 * kDrawingTypeEntrySize);
  EXPECT_TRUE(ui.saw("Are you sure you want to delete file 'Mine'?"));
  EXPECT_EQ(ui.messages.back().caption, "Confirm File Delete");
  ui.expectDialog(script);
  ui.expectAnswer(ui::Answer::Yes);
  EXPECT_EQ(SelectDrawingType(ui, d.settings, nullptr, nullptr, 13, 0), 1);
  EXPECT_EQ(fs::file_size(d.dir / kCustomTypesFile), 3 * kDrawingTypeEntrySize);
  EXPECT_EQ(encodeDrawingTypes(readDrawingTypes(d.dir / kCustomTypesFile)),
            encodeDrawingTypes(d.book.custom));
  // Entries 0 to 2 are never removed, even when asked directly.
  EXPECT_FALSE(deleteCustomDrawingType(d.settings, 1));
}

TEST(PlayDrawingType, WritesTheHandOverFileAndStartsTheDrawingProgram) {
  TypesDir d("play");
  Chart1 chart;
  Chart2 computed;
  wheeltest::testChart(chart, computed);
  ScriptedInteraction ui;
  headless::RecordingLauncher launcher;
  TransferBlock transfer;
  transfer.chartA = 4711;
  ASSERT_EQ(PlayDrawingType(transfer, d.settings, chart, computed, kFixedFile, 1, ui, launcher), 1);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].first, "zykdraw");
  EXPECT_EQ(launcher.started[0].second, "4711,");
  const auto data9 = readFile(d.dir / kData9File);
  ASSERT_TRUE(data9.has_value());
  ASSERT_EQ(data9->size(), kData9Size);
  const auto handed = decodeData9(*data9);
  EXPECT_EQ(titleOf(handed->par), titleOf(d.book.fixed[1].par));
  EXPECT_EQ(encodeChCol(handed->colours), encodeChCol(d.book.fixed[1].colours));
  // Black and white: the monochrome colour set goes with the type.
  d.settings.monochrome = 1;
  ASSERT_EQ(PlayDrawingType(transfer, d.settings, chart, computed, kFixedFile, 1, ui, launcher), 1);
  EXPECT_EQ(encodeChCol(decodeData9(*readFile(d.dir / kData9File))->colours),
            encodeChCol(*d.book.monochrome));
  // Without the drawing program the user is told so.
  launcher.succeed = false;
  EXPECT_EQ(PlayDrawingType(transfer, d.settings, chart, computed, kFixedFile, 1, ui, launcher), 0);
  EXPECT_TRUE(ui.saw("could not be started"));
}

TEST(PlayDrawingType, RefusesWhatCannotBeDrawn) {
  TypesDir d("refuse");
  Chart1 chart;
  Chart2 computed;
  wheeltest::testChart(chart, computed);
  ScriptedInteraction ui;
  headless::RecordingLauncher launcher;
  const TransferBlock transfer;
  const int style3 = d.fixedIndex("Houses and Cusps (*)");
  const int heptagram = d.fixedIndex("Heptagram, Week Order (*)");
  ASSERT_GE(style3, 0);
  ASSERT_GE(heptagram, 0);
  auto refused = [&](const Chart1& c, int index, const std::string& text) {
    const std::size_t before = ui.messages.size();
    EXPECT_EQ(PlayDrawingType(transfer, d.settings, c, computed, kFixedFile, index, ui, launcher), 0) << text;
    ASSERT_EQ(ui.messages.size(), before + 1) << text;
    EXPECT_EQ(ui.messages.back().text, text);
    EXPECT_EQ(ui.messages.back().caption, "Impossible Request");
  };
  Chart1 c = chart;
  c.longitude = 0;
  c.latitude = 0;
  refused(
      c, style3,
      "This chart was entered with longitude=0 and latitude=0, which Talpora interprets as you not wanting "
      "houses. Standard type 3 cannot be drawn without houses.");
  c = chart;
  c.timeKnown = 0;
  refused(c, style3,
          "When entering this chart the 'unknown time' box was checked. When the time is unknown, houses are "
          "meaningless. Standard type 3 cannot be drawn without houses.");
  c = chart;
  c.chartType = chart_type::kSynastryComposite;
  refused(c, style3, "Standard type 3 cannot be drawn without houses.");
  c = chart;
  c.doubleChart = 1;
  refused(c, heptagram, "Heptagrams cannot be drawn for double charts, such as transits or synastry.");
  // A progressed chart keeps the house system it was computed in.
  c = chart;
  c.chartType = 52;
  Chart2 progressed = computed;
  progressed.houseSystem = 4;  // Koch; the settings (and so the fixed type) say Placidus
  EXPECT_EQ(PlayDrawingType(transfer, d.settings, c, progressed, kFixedFile, 0, ui, launcher), 0);
  EXPECT_EQ(ui.messages.back().text,
            "Progressed charts can only be drawn in the house system for which they have been calculated.");
  progressed.houseSystem = 1;
  EXPECT_EQ(PlayDrawingType(transfer, d.settings, c, progressed, kFixedFile, 0, ui, launcher), 1);
  EXPECT_TRUE(launcher.started.size() == 1u);
}

TEST(PlayDrawingType, PlacidusBeyondSixtySixDegreesAsksFirst) {
  TypesDir d("polar");
  Chart1 chart;
  Chart2 computed;
  wheeltest::testChart(chart, computed);
  ScriptedInteraction ui;
  headless::RecordingLauncher launcher;
  const TransferBlock transfer;
  chart.latitude = 66.0;
  EXPECT_EQ(PlayDrawingType(transfer, d.settings, chart, computed, kFixedFile, 0, ui, launcher), 1);
  EXPECT_TRUE(ui.messages.empty());
  chart.latitude = 66.01;
  ui.expectAnswer(ui::Answer::No);
  EXPECT_EQ(PlayDrawingType(transfer, d.settings, chart, computed, kFixedFile, 0, ui, launcher), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kPlacidusQuestion);
  EXPECT_EQ(ui.messages[0].caption, "Message from Talpora");
  EXPECT_EQ(ui.messages[0].defaultButton, ui::Answer::No);
  ui.expectAnswer(ui::Answer::Yes);
  chart.latitude = -70;
  EXPECT_EQ(PlayDrawingType(transfer, d.settings, chart, computed, kFixedFile, 0, ui, launcher), 1);
  // Another house system asks nothing.
  d.settings.houseSystem = 2;
  const std::size_t before = ui.messages.size();
  EXPECT_EQ(PlayDrawingType(transfer, d.settings, chart, computed, kFixedFile, 0, ui, launcher), 1);
  EXPECT_EQ(ui.messages.size(), before);
}

TEST(DrawingTypeDesigner, NewTypeStartsFromCustomAAndIsAppended) {
  TypesDir d("design");
  writeColourEditedFlag(d.settings, 1);
  ScriptedInteraction ui;
  headless::RecordingLauncher launcher;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.caption(), "Designing a New Drawing Type");
    EXPECT_EQ(m.form().find(DrawingTypeDesigner::kTitle)->maxLength, 29);
    EXPECT_EQ(readColourEditedFlag(d.settings), 0);  // a customisation begins
    EXPECT_EQ(s.text(DrawingTypeDesigner::kFixedCount),
              std::to_string(d.book.fixed.size()) + " fixed (*) drawing types");
    EXPECT_EQ(s.text(DrawingTypeDesigner::kCustomCount), "and 3 custom ones");
    EXPECT_EQ(s.items(DrawingTypeDesigner::kStyle).size(), 14u);
    EXPECT_EQ(s.items(DrawingTypeDesigner::kHouseSystem).size(), 11u);
    EXPECT_EQ(s.items(DrawingTypeDesigner::kRing1).size(), 8u);      // without "None"
    EXPECT_EQ(s.items(DrawingTypeDesigner::kRing1 + 1).size(), 9u);  // with it
    EXPECT_EQ(s.items(DrawingTypeDesigner::kLine0).size(), 2u);      // "None" and "______"
    EXPECT_EQ(s.items(DrawingTypeDesigner::kLine0 + 1).size(), 6u);
    EXPECT_TRUE(s.checked(DrawingTypeDesigner::kAspectAngles));
    EXPECT_TRUE(s.checked(DrawingTypeDesigner::kAspectNodes));
    // Linked boxes.
    s.setChecked(DrawingTypeDesigner::kShowChiron, false);
    m.command(DrawingTypeDesigner::kShowChiron, s, in);
    EXPECT_FALSE(s.checked(DrawingTypeDesigner::kAspectChiron));
    s.setChecked(DrawingTypeDesigner::kAspectBlackMoon, true);
    m.command(DrawingTypeDesigner::kAspectBlackMoon, s, in);
    EXPECT_TRUE(s.checked(DrawingTypeDesigner::kShowBlackMoon));
    // An empty title is refused; a fixed title is taken; a star is not allowed.
    m.command(ui::IDOK, s, in);
    EXPECT_FALSE(s.closed());
    s.setText(DrawingTypeDesigner::kTitle, "Classic Wheel (*)");
    m.command(ui::IDOK, s, in);
    EXPECT_FALSE(s.closed());
    s.setText(DrawingTypeDesigner::kTitle, "My*Wheel");
    m.command(ui::IDOK, s, in);
    EXPECT_FALSE(s.closed());
    EXPECT_EQ(s.text(DrawingTypeDesigner::kTitle), "My Wheel");
    s.setSelection(DrawingTypeDesigner::kColourSource,
                   itemIndex(s, DrawingTypeDesigner::kColourSource, "Night Sky (*)"));
    m.command(ui::IDOK, s, in);
    EXPECT_TRUE(s.closed());
  });
  int file = 0, index = 0;
  ASSERT_EQ(CustomizeDrawingType(ui, d.settings, 1, &file, &index, launcher), 1);
  EXPECT_EQ(file, kCustomFile);
  EXPECT_EQ(index, 3);
  EXPECT_TRUE(ui.saw("A drawing type must be given a title"));
  EXPECT_TRUE(ui.saw("Another drawing type already has this title"));
  EXPECT_TRUE(ui.saw("The '*' sign is allowed only in the title of Fixed Drawing Charts"));
  const auto custom = readDrawingTypes(d.dir / kCustomTypesFile);
  ASSERT_EQ(custom.size(), 4u);
  const ChPar& p = custom[3].par;
  EXPECT_EQ(titleOf(p), "My Wheel");
  EXPECT_EQ(p.typeOrigin, 701);
  EXPECT_EQ(p.aspectIndicator, 1);
  EXPECT_EQ(p.style, d.book.custom[0].par.style);
  EXPECT_EQ(p.showChiron, 0);
  EXPECT_EQ(p.aspectChiron, 0);
  EXPECT_EQ(p.showBlackMoon, 1);
  EXPECT_EQ(p.aspectBlackMoon, 1);
  EXPECT_EQ(encodeChCol(custom[3].colours), encodeChCol(d.book.fixed[d.fixedIndex("Night Sky (*)")].colours));
  EXPECT_EQ(lastDrawingTypeTitle(d.settings), "My Wheel");
}

TEST(DrawingTypeDesigner, ChecksInOrderAndKeepsTheDialogOpen) {
  TypesDir d("checks");
  ScriptedInteraction ui;
  headless::RecordingLauncher launcher;
  std::vector<std::string> seen;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    auto& scripted = static_cast<ScriptedInteraction&>(in);
    s.setText(DrawingTypeDesigner::kTitle, "Checked");
    auto ok = [&]() {
      const std::size_t before = scripted.messages.size();
      m.command(ui::IDOK, s, in);
      EXPECT_FALSE(s.closed());
      if (scripted.messages.size() > before) seen.push_back(scripted.messages.back().text);
    };
    // 1. Standard Style III with a nakshatra ring: the ring goes back to tropical.
    selectByData(s, DrawingTypeDesigner::kStyle, 26);
    selectByData(s, DrawingTypeDesigner::kRing1, 6);
    ok();
    EXPECT_EQ(s.itemData(DrawingTypeDesigner::kRing1, s.selection(DrawingTypeDesigner::kRing1)), 1);
    // 2. ... without houses: Placidus is put back and focused.
    selectByData(s, DrawingTypeDesigner::kHouseSystem, 0);
    ok();
    EXPECT_EQ(s.itemData(DrawingTypeDesigner::kHouseSystem, s.selection(DrawingTypeDesigner::kHouseSystem)),
              1);
    EXPECT_EQ(s.focused(), DrawingTypeDesigner::kHouseSystem);
    selectByData(s, DrawingTypeDesigner::kStyle, 11);
    // 3, 4. Rings follow each other.
    selectByData(s, DrawingTypeDesigner::kRing1 + 2, 4);
    ok();
    EXPECT_EQ(s.focused(), DrawingTypeDesigner::kRing1 + 1);
    selectByData(s, DrawingTypeDesigner::kRing1 + 2, 0);
    selectByData(s, DrawingTypeDesigner::kRing1 + 1, 2);
    selectByData(s, DrawingTypeDesigner::kRing1 + 3, 4);
    ok();
    EXPECT_EQ(s.focused(), DrawingTypeDesigner::kRing1 + 2);
    selectByData(s, DrawingTypeDesigner::kRing1 + 3, 0);
    // 5. Right ascension: one tropical ring.
    selectByData(s, DrawingTypeDesigner::kProjection, 3);
    ok();
    EXPECT_EQ(s.itemData(DrawingTypeDesigner::kRing1 + 1, s.selection(DrawingTypeDesigner::kRing1 + 1)), 0);
    selectByData(s, DrawingTypeDesigner::kProjection, 0);
    // 6, 7. Mandalas.
    selectByData(s, DrawingTypeDesigner::kStyle, 32);
    selectByData(s, DrawingTypeDesigner::kRing1, 3);
    ok();
    selectByData(s, DrawingTypeDesigner::kRing1 + 1, 2);
    ok();
    m.command(ui::IDCANCEL, s, in);
  });
  EXPECT_EQ(CustomizeDrawingType(ui, d.settings, 11, nullptr, nullptr, launcher), 0);
  const std::vector<std::string> expected = {
      "Standard Style III supports only (single) Tropical or Sidereal Zodiac",
      "Standard Style III cannot be drawn without houses",
      "Can't have no second zodiac and a third or fourth one.",
      "Can't have no third zodiac and a fourth one.",
      "Right Ascension charts can only be drawn in relation to the tropical zodiac, and only with one "
      "circle.",
      "Mandalas support only the tropical and sidereal zodiacs.",
      "The style you have selected supports only 1 zodiac"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(readDrawingTypes(d.dir / kCustomTypesFile).size(), 3u);  // nothing saved
}

TEST(DrawingTypeDesigner, CustomAToCKeepTheirNamesAndAreRewrittenInPlace) {
  TypesDir d("modify");
  ScriptedInteraction ui;
  headless::RecordingLauncher launcher;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.caption(), " Modifying the 'Custom B' Drawing Type");
    s.setText(DrawingTypeDesigner::kTitle, "Renamed");
    m.command(ui::IDOK, s, in);
    EXPECT_FALSE(s.closed());
    EXPECT_EQ(s.text(DrawingTypeDesigner::kTitle), "Custom B");  // put back
    selectByData(s, DrawingTypeDesigner::kStyle, 17);
    m.command(ui::IDOK, s, in);  // "Custom B" at index 1 saves unchanged in name
    EXPECT_TRUE(s.closed());
  });
  int file = kCustomFile, index = 1;
  ASSERT_EQ(CustomizeDrawingType(ui, d.settings, 2, &file, &index, launcher), 1);
  EXPECT_TRUE(ui.saw("Custom A, B and C can be modified but not renamed."));
  const auto custom = readDrawingTypes(d.dir / kCustomTypesFile);
  ASSERT_EQ(custom.size(), 3u);
  EXPECT_EQ(titleOf(custom[1].par), "Custom B");
  EXPECT_EQ(custom[1].par.style, 17);
  EXPECT_EQ(encodeChPar(custom[0].par), encodeChPar(d.book.custom[0].par));
}

TEST(DrawingTypeDesigner, ColourButtonHandsTheTypeToTheColourProgramAndItsColoursAreKept) {
  TypesDir d("colours");
  ScriptedInteraction ui;
  headless::RecordingLauncher launcher;
  ChCol edited = d.book.custom[0].colours;
  edited.colour[col::kBackground] = 0x00123456;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    s.setText(DrawingTypeDesigner::kTitle, "Coloured");
    m.command(DrawingTypeDesigner::kColours, s, in);
    EXPECT_FALSE(s.closed());
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].first, "zykcolor");
    const auto handed = decodeData9(*readFile(d.dir / kData9File));
    ASSERT_TRUE(handed.has_value());
    EXPECT_EQ(titleOf(handed->par), "Coloured");
    // The colour program edits the set and marks it.
    replaceFileAtomically(d.dir / kData9File, encodeData9(handed->par, edited));
    writeColourEditedFlag(d.settings, 1);
    m.command(ui::IDOK, s, in);
    EXPECT_TRUE(s.closed());
  });
  ASSERT_EQ(CustomizeDrawingType(ui, d.settings, 1, nullptr, nullptr, launcher), 1);
  const auto custom = readDrawingTypes(d.dir / kCustomTypesFile);
  ASSERT_EQ(custom.size(), 4u);
  EXPECT_EQ(custom[3].colours.colour[col::kBackground], 0x00123456u);
}

TEST(AddModifDelChart, AsksModifyAddOrDelete) {
  for (auto [button, result] :
       {std::pair{0, 2}, {AddModifDelChartDialog::kAdd, 1}, {AddModifDelChartDialog::kDelete, 13}, {-1, 0}}) {
    ScriptedInteraction ui;
    ui.expectDialog([&, button = button](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
      EXPECT_EQ(m.form().caption, "Customizing a Chart Drawing");
      EXPECT_TRUE(s.removed(AddModifDelChartDialog::kFixed));
      EXPECT_TRUE(s.checked(AddModifDelChartDialog::kModify));
      if (button > 0) m.command(button, s, in);
      m.command(button < 0 ? ui::IDCANCEL : ui::IDOK, s, in);
    });
    EXPECT_EQ(AddModifDelChart(ui), result);
  }
}

TEST(DrawingTypeDesigner, ATitleOfTwentyNineCharactersIsKeptWhole) {
  TypesDir d("title29");
  ScriptedInteraction ui;
  headless::RecordingLauncher launcher;
  const std::string title = "A title of twenty-nine chars.";
  ASSERT_EQ(title.size(), 29u);
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    s.setText(DrawingTypeDesigner::kTitle, title);
    m.command(ui::IDOK, s, in);
    EXPECT_TRUE(s.closed());
  });
  ASSERT_EQ(CustomizeDrawingType(ui, d.settings, 11, nullptr, nullptr, launcher), 1);
  const auto custom = readDrawingTypes(d.dir / kCustomTypesFile);
  ASSERT_EQ(custom.size(), 4u);
  EXPECT_EQ(titleOf(custom[3].par), title);
  // Designed from the fixed template (entry 5), not from Custom A.
  EXPECT_EQ(custom[3].par.style, d.book.fixed[5].par.style);
  EXPECT_EQ(custom[3].par.typeOrigin, 701);
}
