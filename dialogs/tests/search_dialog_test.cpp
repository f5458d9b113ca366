// The search parameters dialog and the default house system dialog.
#include "dialogs/search_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/house_system_dialog.h"
#include "files/zykfile.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

using namespace talpora;
using dialogs::SearchDialog;

namespace {
std::vector<std::string> texts(const SearchDialog& d) {
  std::vector<std::string> out;
  for (const auto& e : d.entries()) out.push_back(e.text);
  return out;
}
}  // namespace

TEST(SearchDialog, ListsByKindCountExcludeAndFilter) {
  auto houses = texts(SearchDialog(200, 0, 0, 12, 0));
  EXPECT_EQ(houses.size(), 12u);
  EXPECT_EQ(houses.front(), "1st house");
  EXPECT_EQ(houses.back(), "12th house");
  EXPECT_EQ(texts(SearchDialog(250, 0, 0, 0, 0)).back(), "All houses");

  auto second = texts(SearchDialog(102, 0, 1, 10, 0));
  EXPECT_EQ(std::count(second.begin(), second.end(), "Nth Node"), 0);
  EXPECT_EQ(std::count(second.begin(), second.end(), "Sth Node"), 0);
  EXPECT_EQ(second.size(), 15u);

  EXPECT_EQ(texts(SearchDialog(100, 0, 7, 0, 0)).size(), 7u);
  auto noAngles = texts(SearchDialog(100, 0, 341, 0, 0));
  EXPECT_EQ(std::count(noAngles.begin(), noAngles.end(), "Ascendant"), 0);
  EXPECT_EQ(noAngles.size(), 15u);
  EXPECT_EQ(texts(SearchDialog(101, 0, 0, 0, 66)).size(), 12u);

  auto aspects = texts(SearchDialog(400, 0, 0, 0, 0));
  ASSERT_EQ(aspects.size(), 19u);
  EXPECT_EQ(aspects[0], "Conjunction  (=  0\xB0)");
  EXPECT_EQ(aspects[10], "Septile      (= 51\xB0)");
  EXPECT_EQ(aspects[14], "Undecile     (= 33\xB0)");  // degrees, not minutes
  EXPECT_EQ(aspects.back(), "All Aspects");
  auto major = texts(SearchDialog(400, 0, 0, 0, 33));
  EXPECT_EQ(major.size(), 6u);
  auto upToQuintile = texts(SearchDialog(400, 0, 0, 0, 99));
  EXPECT_EQ(upToQuintile.size(), 10u);
  EXPECT_EQ(upToQuintile.back(), "All Aspects");
}

TEST(SearchDialog, SignWithDegreesAndTheirChecks) {
  headless::ScriptedInteraction ui;
  ui.expectDialog([](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.text(SearchDialog::kPrompt), "Enter the sign, deg. && min. of the event");
    EXPECT_EQ(s.items(SearchDialog::kList).size(), 12u);  // no "All Signs" with degrees
    s.setSelection(SearchDialog::kList, 4);               // Leo
    s.setText(SearchDialog::kDegrees, "12");
    s.setText(SearchDialog::kMinutes, "60");
    m.command(ui::IDOK, s, in);
    EXPECT_FALSE(s.closed());
    EXPECT_EQ(s.text(SearchDialog::kMinutes), "");
    s.setText(SearchDialog::kMinutes, "30");
    m.command(ui::IDOK, s, in);
  });
  double value = 0;
  int result = 0;
  dialogs::search_data(ui, 300, &value, 1, 0, 0, 0, &result);
  EXPECT_EQ(result, 1);
  EXPECT_DOUBLE_EQ(value, 132.5);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Minutes - impossible values");
  EXPECT_EQ(ui.messages[0].caption, "Error");
}

TEST(SearchDialog, ModulusAndDoubleClick) {
  headless::ScriptedInteraction ui;
  ui.expectDialog([](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_TRUE(s.removed(SearchDialog::kList));
    EXPECT_EQ(s.text(SearchDialog::kPrompt), "Enter modulus:");
    s.setText(SearchDialog::kDegrees, "22");
    s.setText(SearchDialog::kMinutes, "30");
    m.command(ui::IDOK, s, in);
  });
  double value = 0;
  int result = 0;
  dialogs::search_data(ui, 500, &value, 0, 0, 0, 111, &result);
  EXPECT_DOUBLE_EQ(value, 22.5);
  ui.expectDialog([](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    s.setSelection(SearchDialog::kList, 12);
    m.doubleClicked(SearchDialog::kList, s, in);
  });
  dialogs::search_data(ui, 300, &value, 0, 0, 0, 0, &result);
  EXPECT_EQ(value, 99);  // "All Signs"
  EXPECT_EQ(result, 1);
}

TEST(HouseSystemDialog, OffersTenSystemsRestoresPlacidusAndSaves) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("talpora-hsys-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  CIni settings = defaultSettings(dir.string());
  settings.houseSystem = 4;
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  ui.expectDialog([](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    const auto& items = s.items(dialogs::HouseSystemDialog::kList);
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items.front().text, "Placidus");
    EXPECT_EQ(items.back().text, "Abenragel");
    EXPECT_EQ(items[static_cast<std::size_t>(s.selection(dialogs::HouseSystemDialog::kList))].text, "Koch");
    s.setSelection(dialogs::HouseSystemDialog::kList, 6);  // Porphyre
    m.command(ui::IDOK, s, in);
  });
  EXPECT_EQ(dialogs::SetDefaultHouseSystem(ui, settings, help), 1);
  headless::ScriptedInteraction quiet;
  CIni back;
  PutInMemBlock_CIni(back, dir, quiet);
  EXPECT_EQ(back.houseSystem, 7);
}
