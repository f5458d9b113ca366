// Opening and saving charts through the dialogs, with every source and mode and the cancel paths.
#include "store/chart_store.h"

#include <gtest/gtest.h>

#include "engine/chart.h"
#include "store/database.h"
#include "store/tests/store_fixture.h"

namespace talpora {
namespace {
namespace fs = std::filesystem;
using testing::fileBytes;
using testing::sampleChart;
using testing::StoreDir;
using Script = headless::ScriptedInteraction::DialogScript;

// Dialog scripts: pick a radio button of "Saving a Chart", type a hot-chart number, pick a list row.
Script chooseMode(ui::ControlId radio) {
  return [radio](ui::DialogModel& m, ui::FormState& s, ui::Interaction& ui) {
    s.setChecked(SaveModeDialog::kChartFile, radio == SaveModeDialog::kChartFile);
    s.setChecked(radio, true);
    m.command(ui::IDOK, s, ui);
  };
}
Script typeHot(std::string number) {
  return [number](ui::DialogModel& m, ui::FormState& s, ui::Interaction& ui) {
    s.setText(HotChartDialog::kNumber, number);
    m.command(ui::IDOK, s, ui);
  };
}
Script press(ui::ControlId id) {
  return [id](ui::DialogModel& m, ui::FormState& s, ui::Interaction& ui) { m.command(id, s, ui); };
}

struct SaveFixture : ::testing::Test {
  StoreDir d;
  Chart1 chart = sampleChart("Moon landing", 5);
  std::string lastSave() { return fileBytes(d.file(kLastSaveFileName)); }
};

TEST_F(SaveFixture, EveryModeStoresTheChartAndNotesItAsLastSaved) {
  ASSERT_EQ(createDatabase(d.ui, d.settings, d.file("FAMILY.1SB")), 1);
  struct Row {
    const char* what;
    int mode;
    std::vector<Script> dialogs;
    std::optional<fs::path> file;
    std::string written;
  } rows[] = {
      {"asked: chart file", 0, {chooseMode(SaveModeDialog::kChartFile)}, d.file("a.chr"), "a.chr"},
      {"asked: hot chart 3",
       0,
       {chooseMode(SaveModeDialog::kHotChart), typeHot("3")},
       std::nullopt,
       "ZYKHOT2.DTF"},
      {"asked: database", 0, {chooseMode(SaveModeDialog::kDatabase)}, d.file("FAMILY.1SB"), "FAMILY.2SB"},
      {"chart file", 1, {}, d.file("b.chr"), "b.chr"},
      {"hot chart 10", 19, {}, std::nullopt, "ZYKHOT9.DTF"},
  };
  for (auto& r : rows) {
    fs::remove(d.file(kLastSaveFileName));
    for (auto& s : r.dialogs) d.ui.expectDialog(s);
    if (r.file) d.ui.expectFile(r.file);
    Chart1 c = chart;
    std::snprintf(c.name, sizeof c.name, "%s", r.what);
    ASSERT_EQ(SaveChart(d.ui, d.settings, c, r.mode), 1) << r.what;
    EXPECT_EQ(lastSave(), encodeChart1(c)) << r.what;
    const std::string stored = fileBytes(d.file(r.written));
    EXPECT_EQ(stored.substr(stored.size() - 325), encodeChart1(c)) << r.what;
  }
  EXPECT_EQ(readChoiceFile(d.file(kPickedDbChoiceFile)), d.file("FAMILY.1SB"));
  EXPECT_EQ(d.ui.fileRequests[0].filter, "Chart Files (*.chr)|*.chr||");
  EXPECT_TRUE(d.ui.fileRequests[0].overwritePrompt);
  EXPECT_EQ(d.ui.fileRequests[1].defaultName, "*.1SB");
}

TEST_F(SaveFixture, CancelledAndRefusedSavesWriteNothing) {
  const auto db = databasePaths(d.file("ONE.1SB"));
  ASSERT_EQ(createDatabase(d.ui, d.settings, db.settings), 1);
  ASSERT_EQ(addDBEntry(d.ui, d.settings, chart, -1, 1, db.settings, {&d.chiron}), 1);
  CIni koch = d.settings;
  koch.houseSystem = 4;
  struct Row {
    const char* what;
    const CIni* settings;
    int mode;
    std::vector<Script> dialogs;
    std::optional<fs::path> file;
  } rows[] = {
      {"mode dialog cancelled", &d.settings, 0, {press(ui::IDCANCEL)}, std::nullopt},
      {"hot dialog cancelled",
       &d.settings,
       0,
       {chooseMode(SaveModeDialog::kHotChart), press(ui::IDCANCEL)},
       {}},
      {"file dialog cancelled", &d.settings, 1, {}, std::nullopt},
      {"duplicate name", &d.settings, 2, {}, db.settings},
      {"other house system", &koch, 2, {}, db.settings},
      {"no such directory", &d.settings, 1, {}, d.file("no/such/dir/x.chr")},
  };
  const std::string records = fileBytes(db.records);
  for (auto& r : rows) {
    fs::remove(d.file(kLastSaveFileName));
    for (auto& s : r.dialogs) d.ui.expectDialog(s);
    if (r.mode != 0) d.ui.expectFile(r.file);
    EXPECT_EQ(SaveChart(d.ui, *r.settings, chart, r.mode), 0) << r.what;
    EXPECT_FALSE(fs::exists(d.file(kLastSaveFileName))) << r.what;
    EXPECT_TRUE(fileBytes(db.records) == records) << r.what;
  }
}

TEST_F(SaveFixture, WithoutTheHotChartTheModeDialogHasTwoChoices) {
  bool hotRemoved = false;
  d.ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& ui) {
    hotRemoved = s.removed(SaveModeDialog::kHotChart) && !s.removed(SaveModeDialog::kDatabase);
    EXPECT_TRUE(s.checked(SaveModeDialog::kChartFile));
    m.command(ui::IDCANCEL, s, ui);
  });
  EXPECT_EQ(SaveChart(d.ui, d.settings, chart, 3), 0);
  EXPECT_TRUE(hotRemoved);
}

TEST_F(SaveFixture, HotChartNumbersOutsideOneToTenAreRefusedAndTheDialogStays) {
  fs::remove(d.file(hotChartFileName(4)));
  for (const char* bad : {"0", "11", "", "x"}) {
    d.ui.expectDialog([&, bad](ui::DialogModel& m, ui::FormState& s, ui::Interaction& ui) {
      EXPECT_EQ(s.items(HotChartDialog::kList).at(4).text, "5: ");  // missing slot, no message
      EXPECT_EQ(s.items(HotChartDialog::kList).size(), 10u);
      s.setText(HotChartDialog::kNumber, bad);
      m.command(ui::IDOK, s, ui);
      EXPECT_FALSE(s.closed()) << bad;
      EXPECT_EQ(s.text(HotChartDialog::kNumber), "") << bad;
      EXPECT_EQ(s.focused(), HotChartDialog::kNumber);
      s.setSelection(HotChartDialog::kList, 6);
      m.doubleClicked(HotChartDialog::kList, s, ui);
    });
    int digit = -1;
    d.ui.messages.clear();
    EXPECT_EQ(SelectHotChart(d.ui, d.settings, 0, digit), 1);
    EXPECT_EQ(digit, 6);
    ASSERT_EQ(d.ui.messages.size(), 1u);
    EXPECT_EQ(d.ui.messages[0].text, "Hot chart numbers range from 1 to 10");
    EXPECT_EQ(d.ui.messages[0].icon, ui::Icon::Warning);
  }
}

TEST_F(SaveFixture, OpenChartReadsEverySourceAndComputes) {
  ASSERT_EQ(Serialise_c1(chart, d.file("x.chr"), 0, 1), 1);
  ASSERT_EQ(Storehot(0, chart, 3, d.settings), 1);
  const auto db = databasePaths(d.file("O.1SB"));
  ASSERT_EQ(createDatabase(d.ui, d.settings, db.settings), 1);
  for (const char* n : {"Zeta", "Alpha", "Mu"}) {
    Chart1 c = chart;
    std::snprintf(c.name, sizeof c.name, "%s", n);
    ASSERT_EQ(addDBEntry(d.ui, d.settings, c, -1, 1, db.settings, {&d.chiron}), 1);
  }
  Chart2 expected;
  calculall(d.settings, chart, expected, d.chiron);

  Chart1 got;
  Chart2 computed;
  d.ui.expectFile(d.file("x.chr"));
  ASSERT_EQ(OpenChart(d.ui, d.settings, got, computed, 1, d.chiron), 1);
  EXPECT_EQ(encodeChart1(got), encodeChart1(chart));
  EXPECT_EQ(encodeChart2(computed), encodeChart2(expected));
  ASSERT_EQ(OpenChart(d.ui, d.settings, got, computed, 13, d.chiron), 1);
  EXPECT_EQ(encodeChart1(got), encodeChart1(chart));

  // The database list is sorted by name and carries the entry numbers.
  d.ui.expectFile(db.settings);
  d.ui.expectDialog([](ui::DialogModel& m, ui::FormState& s, ui::Interaction& ui) {
    const auto& items = s.items(OpenFromDatabaseDialog::kList);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "Alpha");
    EXPECT_EQ(items[0].data, 2);
    EXPECT_EQ(items[2].text, "Zeta");
    s.setSelection(OpenFromDatabaseDialog::kList, 1);
    m.doubleClicked(OpenFromDatabaseDialog::kList, s, ui);
  });
  ASSERT_EQ(OpenChart(d.ui, d.settings, got, computed, 2, d.chiron), 1);
  EXPECT_STREQ(got.name, "Mu");
  EXPECT_EQ(readChoiceFile(d.file(kPickedDbChoiceFile)), db.settings);

  // Refusals compute nothing and leave the record.
  const Chart1 before = got;
  d.ui.expectFile(d.file("missing.chr"));
  EXPECT_EQ(OpenChart(d.ui, d.settings, got, computed, 1, d.chiron), 0);
  EXPECT_TRUE(d.ui.saw("missing.chr"));
  d.ui.expectFile(std::nullopt);
  EXPECT_EQ(OpenChart(d.ui, d.settings, got, computed, 2, d.chiron), 0);
  for (int source : {0, 3, 9, 20, -1})
    EXPECT_EQ(OpenChart(d.ui, d.settings, got, computed, source, d.chiron), 0);
  EXPECT_EQ(encodeChart1(got), encodeChart1(before));
}

}  // namespace
}  // namespace talpora
