// zykatlas, zykaddtown, zykdeltown: the three dialogs in the Qt form dialog (offscreen), driven as a
// person would: a double click on a town, boxes typed, lists chosen, buttons clicked.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <cstdlib>

#include "atlas/add_towns.h"
#include "atlas/atlas_dialog.h"
#include "atlas/delete_towns.h"
#include "platform/byte_io.h"
#include "platform/headless/scripted_interaction.h"
#include "qt/form_dialog.h"
#include "qt/tests/qt_test_support.h"

namespace talpora {
namespace {

namespace fs = std::filesystem;
const fs::path kData = fs::path(TALPORA_SOURCE_DIR) / "data" / "atlas";

[[maybe_unused]] auto* const g_env = ::testing::AddGlobalTestEnvironment(
    new talpora::qt::testkit::OffscreenApplication("talpora_atlas_qt_tests"));

class AtlasQt : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("talpora-atlas-qt-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    for (const auto& e : fs::directory_iterator(kData))
      if (e.path().extension() == ".DTF" || e.path().extension() == ".dtf")
        fs::copy_file(e.path(), dir_ / e.path().filename());
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

int rowOf(qt::FormDialog& d, ui::ControlId list, const std::string& text) {
  const auto& items = d.state().items(list);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].text == text) return static_cast<int>(i);
  return -1;
}

TEST_F(AtlasQt, ADoubleClickOnATownAnswersItsZone) {
  AtlasFolder folder(dir_);
  const auto towns = folder.towns();
  const auto dirs = folder.directory();
  Chart1 exchange = zeroedRecord<Chart1>();
  setField(exchange.place, "Kathmandu");
  exchange.day = 1;
  exchange.month = 1;
  exchange.year = 1990;
  exchange.hour = 12;
  AtlasDialog model(*towns, *dirs, folder.zoneFiles(), exchange, kAtlasModeWithZone);
  headless::ScriptedInteraction ui;
  qt::FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Talpora Atlas Database"));
  EXPECT_EQ(qobject_cast<QLabel*>(d.widget(AtlasDialog::kTownCount))->text(),
            QString::number(towns->count()) + QStringLiteral(" towns."));
  auto* list = qobject_cast<QListView*>(d.widget(AtlasDialog::kTownList));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->model()->rowCount(), 650);
  ASSERT_EQ(list->selectionModel()->selectedRows().size(), 1);
  const int row = list->selectionModel()->selectedRows().front().row();
  EXPECT_TRUE(list->model()->index(row, 0).data().toString().startsWith(QStringLiteral("Kathmandu ")));
  d.doubleClick(AtlasDialog::kTownList, row);
  EXPECT_TRUE(d.state().closed());
  EXPECT_EQ(d.result(), kAtlasWithZone);
  EXPECT_DOUBLE_EQ(model.exchange().timeZone, 5.75);
  EXPECT_EQ(model.exchange().zoneStatus, 1);
}

TEST_F(AtlasQt, AddingATownThroughTheForm) {
  AddTownsDialog model(dir_);
  headless::ScriptedInteraction ui;
  qt::FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Atlas Manager - Add Towns"));
  const auto before = fs::file_size(dir_ / kTownFileName);
  d.typeText(AddTownsDialog::kName, QStringLiteral("Qtville"));
  d.select(AddTownsDialog::kCountries, rowOf(d, AddTownsDialog::kCountries, "Canada"));
  EXPECT_EQ(qobject_cast<QLabel*>(d.widget(AddTownsDialog::kStateLabel))->text(),
            QStringLiteral("Select state:"));
  d.select(AddTownsDialog::kStates, rowOf(d, AddTownsDialog::kStates, "Ontario"));
  d.typeText(AddTownsDialog::kLonDegrees, QStringLiteral("79"));
  d.typeText(AddTownsDialog::kLonMinutes, QStringLiteral("23"));
  d.typeText(AddTownsDialog::kLonSeconds, QStringLiteral("0"));
  d.click(AddTownsDialog::kWest);
  d.typeText(AddTownsDialog::kLatDegrees, QStringLiteral("43"));
  d.typeText(AddTownsDialog::kLatMinutes, QStringLiteral("39"));
  ui.expectAnswer(ui::Answer::Ok);  // the patience warning
  d.click(AddTownsDialog::kAddTown);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().text,
            "There are " + std::to_string(before / 32 + 1) + " towns in your atlas.");
  EXPECT_EQ(fs::file_size(dir_ / kTownFileName), before + 32);
  EXPECT_EQ(d.state().text(AddTownsDialog::kName), "");
  const TownFile towns(*readWholeFile(dir_ / kTownFileName));
  const TownRecord t = towns.at(locateTown(towns, "Qtville"));
  EXPECT_EQ(townName(t), "Qtville");
  EXPECT_EQ(t.country, 3);
  EXPECT_NEAR(t.longitude, -(79 + 23 / 60.0), 1e-4);
  d.click(ui::IDCANCEL);
  EXPECT_TRUE(d.state().closed());
}

TEST_F(AtlasQt, DeletingATownThroughTheForm) {
  DeleteTownsDialog model(dir_);
  headless::ScriptedInteraction ui;
  qt::FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Atlas Manager - Deleting Towns"));
  d.typeText(DeleteTownsDialog::kName, QStringLiteral("Lyon"));
  // The atlas list opened from the dialog: its first row not below "Lyon" is chosen.
  ui.expectDialog(
      [](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) { m.command(ui::IDOK, s, in); });
  d.click(DeleteTownsDialog::kCallAtlas);
  EXPECT_EQ(qobject_cast<QLabel*>(d.widget(DeleteTownsDialog::kTownName))->text(), QStringLiteral("Lyon"));
  EXPECT_EQ(qobject_cast<QLabel*>(d.widget(DeleteTownsDialog::kState))->text(),
            QStringLiteral("Departement 69"));
  const auto before = fs::file_size(dir_ / kTownFileName);
  ui.expectAnswer(ui::Answer::Yes);
  ui.expectAnswer(ui::Answer::Ok);
  d.click(DeleteTownsDialog::kDeleteTown);
  EXPECT_EQ(fs::file_size(dir_ / kTownFileName), before - 32);
  EXPECT_EQ(qobject_cast<QLabel*>(d.widget(DeleteTownsDialog::kTownName))->text(), QString());
}

}  // namespace
}  // namespace talpora
