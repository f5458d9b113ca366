// zykatlas, zykaddtown, zykdeltown tests: the dialogs driven through the scripted interaction, on a
// copy of the shipped atlas in a temporary program directory.
#include "atlas/atlas_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "atlas/add_towns.h"
#include "atlas/delete_towns.h"
#include "platform/byte_io.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora {
namespace {

namespace fs = std::filesystem;
using headless::ScriptedInteraction;
using ui::Answer;

const fs::path kData = fs::path(TALPORA_SOURCE_DIR) / "data" / "atlas";

class AtlasDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("talpora-atlas-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    for (const auto& e : fs::directory_iterator(kData))
      if (e.path().extension() == ".DTF" || e.path().extension() == ".dtf")
        fs::copy_file(e.path(), dir_ / e.path().filename());
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string townBytes() const { return *readWholeFile(dir_ / kTownFileName); }
  void writeExchange(const char* place, int d, int m, int y, int h, int mi) {
    Chart1 c = zeroedRecord<Chart1>();
    setField(c.place, place);
    c.day = static_cast<short>(d);
    c.month = static_cast<short>(m);
    c.year = static_cast<short>(y);
    c.hour = static_cast<short>(h);
    c.minute = static_cast<short>(mi);
    ASSERT_TRUE(writeAtlasExchange(dir_, c));
  }
  fs::path dir_;
};

TEST_F(AtlasDialogs, AtlasWithDateAnswersTheZoneThroughTheExchangeFile) {
  writeExchange("Paris", 6, 6, 1944, 12, 0);
  ScriptedInteraction ui;
  ui.expectDialog([](ui::DialogModel& model, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.caption(), "Talpora Atlas Database");
    EXPECT_EQ(s.text(AtlasDialog::kTownCount),
              std::to_string(TownFile(*readWholeFile(kData / kTownFileName)).count()) + " towns.");
    EXPECT_EQ(s.items(AtlasDialog::kTownList).size(), 650u);
    const int row = s.selection(AtlasDialog::kTownList);
    EXPECT_EQ(s.items(AtlasDialog::kTownList)[static_cast<std::size_t>(row)].text,
              "Paris               France");
    model.command(ui::IDOK, s, in);
  });
  EXPECT_EQ(Atlas(ui, dir_, kAtlasModeWithZone), kAtlasWithZone);
  const Chart1 back = readAtlasExchange(dir_);
  EXPECT_EQ(std::string(back.place, 20), std::string("Paris              ") + '\0');
  EXPECT_NEAR(back.longitude, 2.3488, 1e-4);  // degrees
  EXPECT_NEAR(back.latitude, 48.8534, 1e-4);
  EXPECT_EQ(back.country, 7);
  EXPECT_EQ(back.region, 75);
  EXPECT_DOUBLE_EQ(back.timeZone, 2.0);
  EXPECT_EQ(back.zoneStatus, 4);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AtlasDialogs, DoubleClickChoosesCoordinatesOnlyAndCancelAnswersNothing) {
  writeExchange("new york", 20, 7, 1969, 22, 56);
  ScriptedInteraction ui;
  ui.expectDialog([](ui::DialogModel& model, ui::FormState& s, ui::Interaction& in) {
    const auto& rows = s.items(AtlasDialog::kTownList);
    EXPECT_EQ(rows[static_cast<std::size_t>(s.selection(AtlasDialog::kTownList))].text.substr(0, 13),
              "New York City");
    model.doubleClicked(AtlasDialog::kTownList, s, in);
  });
  EXPECT_EQ(Atlas(ui, dir_, kAtlasModeCoordinates), kAtlasCoordinates);
  EXPECT_EQ(readAtlasExchange(dir_).zoneStatus, 0);
  EXPECT_EQ(readAtlasExchange(dir_).country, 1);
  writeExchange("Berlin", 1, 1, 2000, 0, 0);
  ui.expectDialog([](ui::DialogModel& model, ui::FormState& s, ui::Interaction& in) {
    model.command(ui::IDCANCEL, s, in);
  });
  EXPECT_EQ(Atlas(ui, dir_, kAtlasModeWithZone), kAtlasCancelled);
  EXPECT_EQ(std::string(readAtlasExchange(dir_).place), "Berlin");
}

TEST_F(AtlasDialogs, MissingFilesAreReported) {
  fs::remove(dir_ / kAtlasDirectoryFileName);
  ScriptedInteraction ui;
  EXPECT_EQ(Atlas(ui, dir_, 1), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "File Error - Message from zykatlas.dll");
  fs::remove(dir_ / kTownFileName);
  EXPECT_EQ(Atlas(ui, dir_, 1), 0);
  EXPECT_EQ(ui.messages.back().caption, "File Error");
  EXPECT_TRUE(ui.saw("The Atlas database file cannot be found."));
}

TEST_F(AtlasDialogs, AMissingZoneFileGivesCoordinatesOnly) {
  fs::remove(dir_ / "zykdd007.dtf");
  writeExchange("Paris", 6, 6, 1944, 12, 0);
  ScriptedInteraction ui;
  ui.expectDialog(
      [](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) { m.command(ui::IDOK, s, in); });
  EXPECT_EQ(Atlas(ui, dir_, kAtlasModeWithZone), kAtlasCoordinates);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].text, "File zykdd007.dtf could not be found");
  EXPECT_EQ(ui.messages[0].caption, "Message from zykatlas.dll");
}

// Fills the add dialog with a town; the lists are chosen by text.
void fillTown(ui::FormState& s, const std::string& name, const std::string& country, const std::string& state,
              const char* lonDeg, bool west, const char* latDeg, bool south) {
  s.setText(AddTownsDialog::kName, name);
  const auto& countries = s.items(AddTownsDialog::kCountries);
  for (std::size_t i = 0; i < countries.size(); ++i)
    if (countries[i].text == country) s.setSelection(AddTownsDialog::kCountries, static_cast<int>(i));
  (void)state;
  s.setText(AddTownsDialog::kLonDegrees, lonDeg);
  s.setText(AddTownsDialog::kLonMinutes, "30");
  s.setText(AddTownsDialog::kLonSeconds, "0");
  s.setChecked(AddTownsDialog::kEast, !west);
  s.setChecked(AddTownsDialog::kWest, west);
  s.setText(AddTownsDialog::kLatDegrees, latDeg);
  s.setText(AddTownsDialog::kLatMinutes, "15");
  s.setChecked(AddTownsDialog::kNorth, !south);
  s.setChecked(AddTownsDialog::kSouth, south);
}

TEST_F(AtlasDialogs, AddingATownAfterEveryNameAppendsIt) {
  const std::string before = townBytes();
  AddTownsDialog dialog(dir_);
  ui::FormState s;
  dialog.open(s);
  EXPECT_EQ(s.caption(), "Atlas Manager - Add Towns");
  fillTown(s, "\xFF\xFFzzy", "Malta", "", "14", false, "35", false);
  ScriptedInteraction ui;
  dialog.command(AddTownsDialog::kCountries, s, ui);
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].caption, "Warning");
  EXPECT_EQ(ui.messages[1].text,
            "There are " + std::to_string(before.size() / 32 + 1) + " towns in your atlas.");
  const std::string after = townBytes();
  ASSERT_EQ(after.size(), before.size() + 32);
  EXPECT_EQ(after.substr(0, before.size()), before);
  const TownRecord last = decodeTown(after.substr(before.size()));
  EXPECT_EQ(townName(last), "\xFF\xFFzzy");
  EXPECT_FLOAT_EQ(last.longitude, 14.5f);
  EXPECT_FLOAT_EQ(last.latitude, 35.25f);
  EXPECT_EQ(s.text(AddTownsDialog::kName), "");  // boxes cleared
  // No temporary file is left in the program directory.
  for (const auto& e : fs::directory_iterator(dir_))
    EXPECT_EQ(e.path().filename().string().find("toto"), std::string::npos);
}

TEST_F(AtlasDialogs, ASameNameTownOneAndAHalfDegreesAwayIsAddedWithoutAQuestion) {
  AddTownsDialog dialog(dir_);
  ui::FormState s;
  dialog.open(s);
  ScriptedInteraction quiet;
  // Valletta, Malta lies at 14.51 E, 35.90 N; 1.5 degrees west of it:
  fillTown(s, "Valletta", "Malta", "", "13", false, "35", false);
  s.setText(AddTownsDialog::kLonMinutes, "0");
  s.setText(AddTownsDialog::kLatMinutes, "54");
  dialog.command(AddTownsDialog::kCountries, s, quiet);
  ScriptedInteraction ui;
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  EXPECT_FALSE(ui.saw("Your atlas already contains"));
  EXPECT_TRUE(ui.saw("There are " +
                     std::to_string(TownFile(*readWholeFile(kData / kTownFileName)).count() + 1) +
                     " towns in your atlas."));
  // The same again, now 0.5 degree from the one just added: the question, answered No, adds nothing.
  fillTown(s, "Valletta", "Malta", "", "13", false, "35", false);
  s.setText(AddTownsDialog::kLonMinutes, "0");
  s.setText(AddTownsDialog::kLatMinutes, "24");
  dialog.command(AddTownsDialog::kCountries, s, quiet);
  const std::string before = townBytes();
  ScriptedInteraction ui2;
  ui2.expectAnswer(Answer::Ok);  // the patience warning
  ui2.expectAnswer(Answer::No);  // the duplicate question
  dialog.command(AddTownsDialog::kAddTown, s, ui2);
  ASSERT_EQ(ui2.messages.size(), 2u);
  EXPECT_EQ(ui2.messages[1].caption, "Duplicate Entry");
  EXPECT_EQ(
      ui2.messages[1].text,
      "Your atlas already contains a town named Valletta, and located at less than one degree of longitude "
      "and latitude from the town which you are presently adding. If you continue, it is likely the same "
      "town will be entered twice. Do you wish to continue with this entry?");
  EXPECT_EQ(ui2.messages[1].defaultButton, Answer::No);
  EXPECT_EQ(townBytes(), before);
}

TEST_F(AtlasDialogs, AddValidationsInOrder) {
  AddTownsDialog dialog(dir_);
  ui::FormState s;
  dialog.open(s);
  ScriptedInteraction ui;
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  EXPECT_EQ(ui.messages.back().text, "A name of place must be entered");
  EXPECT_EQ(ui.messages.back().caption, "Impossible data");
  s.setText(AddTownsDialog::kName, "Newtown");
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  EXPECT_EQ(ui.messages.back().text, "A country must be selected");
  fillTown(s, "Newtown", "United States", "", "200", true, "40", false);
  dialog.command(AddTownsDialog::kCountries, s, ui);
  EXPECT_EQ(s.text(AddTownsDialog::kStateLabel), "Select state:");
  EXPECT_EQ(s.items(AddTownsDialog::kStates).size(), 51u);
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  EXPECT_EQ(ui.messages.back().text, "For a town in this country, a state must be selected");
  s.setSelection(AddTownsDialog::kStates, 4);
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  EXPECT_EQ(ui.messages.back().text, "Longitude, Degrees: impossible figure");
  EXPECT_EQ(s.text(AddTownsDialog::kLonDegrees), "");
  EXPECT_EQ(s.focused(), AddTownsDialog::kLonDegrees);
  s.setText(AddTownsDialog::kLonDegrees, "180");
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  EXPECT_EQ(ui.messages.back().text,
            "Longitude: impossible figure. (A longitude can't be more than 12 hours or 180\xB0.)");
  s.setText(AddTownsDialog::kLonDegrees, "0");
  s.setText(AddTownsDialog::kLonMinutes, "0");
  ui.expectAnswer(Answer::No);
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  EXPECT_EQ(ui.messages.back().text, "Are you sure you want to enter longitude = 0?");
  EXPECT_EQ(ui.messages.back().caption, "Suspect data");
  s.setText(AddTownsDialog::kLonDegrees, "100");
  s.setText(AddTownsDialog::kLatMinutes, "61");
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  EXPECT_EQ(ui.messages.back().text, "Latitude, Minutes: impossible figure");
  // France: departements.
  fillTown(s, "Newtown", "France", "", "2", false, "48", false);
  dialog.command(AddTownsDialog::kCountries, s, ui);
  EXPECT_EQ(s.text(AddTownsDialog::kStateLabel), "Departement:");
  EXPECT_EQ(s.items(AddTownsDialog::kStates).size(), 95u);
  EXPECT_EQ(s.items(AddTownsDialog::kStates)[19].text, "Departement 20");
  // Others: no states, none to choose.
  fillTown(s, "Newtown", "Malta", "", "14", false, "35", false);
  dialog.command(AddTownsDialog::kCountries, s, ui);
  EXPECT_EQ(s.items(AddTownsDialog::kStates).size(), 1u);
  EXPECT_EQ(s.items(AddTownsDialog::kStates)[0].text, "No states");
}

TEST_F(AtlasDialogs, AWriteFailureMidWayLeavesTheOldAtlasIntact) {
  const std::string before = townBytes();
  AddTownsDialog dialog(dir_);
  const WriteFault fault{1 << 20};  // a megabyte written, then the disk fails
  dialog.setWriteFault(&fault);
  ui::FormState s;
  dialog.open(s);
  fillTown(s, "Faultville", "Malta", "", "14", false, "35", false);
  ScriptedInteraction ui;
  dialog.command(AddTownsDialog::kCountries, s, ui);
  dialog.command(AddTownsDialog::kAddTown, s, ui);
  EXPECT_EQ(ui.messages.back().caption, "File Error");
  EXPECT_EQ(townBytes(), before);
  // Deleting under the same failure: the atlas is unchanged too.
  DeleteTownsDialog del(dir_);
  del.setWriteFault(&fault);
  ui::FormState d;
  del.open(d);
  d.setText(DeleteTownsDialog::kName, "Valletta");
  ScriptedInteraction ui2;
  ui2.expectDialog(
      [](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) { m.command(ui::IDOK, st, in); });
  del.command(DeleteTownsDialog::kCallAtlas, d, ui2);
  ASSERT_TRUE(del.picked().has_value());
  ui2.expectAnswer(Answer::Yes);
  ui2.expectAnswer(Answer::Ok);
  del.command(DeleteTownsDialog::kDeleteTown, d, ui2);
  EXPECT_EQ(ui2.messages.back().caption, "File Error");
  EXPECT_EQ(townBytes(), before);
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir_)) files += e.path().filename().string()[0] == '.' ? 1 : 0;
  EXPECT_EQ(files, 0);  // no temporary file left behind
}

TEST_F(AtlasDialogs, DeletingAPickedTown) {
  DeleteTownsDialog del(dir_);
  ui::FormState d;
  del.open(d);
  EXPECT_EQ(d.caption(), "Atlas Manager - Deleting Towns");
  ScriptedInteraction ui;
  del.command(DeleteTownsDialog::kDeleteTown, d, ui);
  EXPECT_EQ(ui.messages.back().caption, "Nothing to delete");
  EXPECT_EQ(ui.messages.back().text,
            "1) type of name of town in the edit control at the top, 2) call Atlas Database. As long a town "
            "has not "
            "been selected in Atlas Database, it cannot be deleted.");
  d.setText(DeleteTownsDialog::kName, "Lyon");
  ui.expectDialog(
      [](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) { m.command(ui::IDOK, st, in); });
  del.command(DeleteTownsDialog::kCallAtlas, d, ui);
  EXPECT_EQ(d.text(DeleteTownsDialog::kTownName), "Lyon");
  EXPECT_EQ(d.text(DeleteTownsDialog::kCountry), "France");
  EXPECT_EQ(d.text(DeleteTownsDialog::kState), "Departement 69");
  EXPECT_EQ(d.text(DeleteTownsDialog::kLongitude).substr(0, 11), "Longitude: ");
  const std::string before = townBytes();
  const TownFile towns(before);
  const int lyon = locateTown(towns, "Lyon");
  ui.expectAnswer(Answer::Yes);
  ui.expectAnswer(Answer::Ok);
  del.command(DeleteTownsDialog::kDeleteTown, d, ui);
  EXPECT_EQ(ui.messages[ui.messages.size() - 2].text,
            "Are you sure you want to delete the town called 'Lyon' from your atlas?");
  EXPECT_EQ(ui.messages[ui.messages.size() - 2].caption, "Confirm delete");
  const std::string after = townBytes();
  ASSERT_EQ(after.size(), before.size() - 32);
  EXPECT_EQ(after.substr(0, static_cast<std::size_t>(lyon) * 32),
            before.substr(0, static_cast<std::size_t>(lyon) * 32));
  EXPECT_EQ(after.substr(static_cast<std::size_t>(lyon) * 32),
            before.substr(static_cast<std::size_t>(lyon + 1) * 32));
}

TEST_F(AtlasDialogs, ListingTheTownsOfACountry) {
  AddTownsDialog dialog(dir_);
  ui::FormState s;
  dialog.open(s);
  ScriptedInteraction ui;
  dialog.command(AddTownsDialog::kViewTowns, s, ui);
  EXPECT_EQ(ui.messages.back().text, "Please select a country, then press the button again");
  fillTown(s, "", "Australia", "", "0", false, "0", false);
  dialog.command(AddTownsDialog::kCountries, s, ui);
  ui.expectAnswer(Answer::No);
  dialog.command(AddTownsDialog::kViewTowns, s, ui);
  EXPECT_EQ(ui.messages.back().text, "Do you wish to select a particular state?");
  ASSERT_EQ(ui.shownFiles.size(), 1u);
  EXPECT_EQ(ui.shownFiles[0], dir_ / "Atlas.txt");
  std::ifstream in(dir_ / "Atlas.txt", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.rfind("All towns of Talpora Atlas Database for Australia\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\nSydney" + std::string(15, ' ') + "151\xC2\xB0"), std::string::npos);
  EXPECT_NE(text.find("\r\nTotal = "), std::string::npos);
  const std::string end = "\r\n\r\nExit by pressing Alt+F4 \n";
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
  // A country without towns.
  const TownFile none(std::string{});
  const AtlasDirectory dir(*readWholeFile(dir_ / kAtlasDirectoryFileName));
  EXPECT_NE(countryTownListing(none, dir, 7, 0)
                .find("The present version of your atlas contains no entry for this country"),
            std::string::npos);
}

}  // namespace
}  // namespace talpora

namespace talpora {
namespace {

TEST(AtlasFolderTest, AMappedTownFileKeepsItsBytesWhenTheFileIsReplaced) {
  const fs::path dir = fs::temp_directory_path() / ("talpora-atlas-map-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string first =
      encodeTown(makeTown("Alpha", 1, 0, 1, 2)) + encodeTown(makeTown("Beta", 2, 0, 3, 4));
  ASSERT_TRUE(replaceFileAtomically(dir / kTownFileName, first));
  AtlasFolder folder(dir);
  const auto towns = folder.towns();
  ASSERT_TRUE(towns.has_value());
  EXPECT_EQ(towns->count(), 2);
  ASSERT_TRUE(replaceFileAtomically(dir / kTownFileName, encodeTown(makeTown("Gamma", 3, 0, 5, 6))));
  EXPECT_EQ(std::string(towns->bytes()), first);  // the old file's bytes, still readable
  EXPECT_EQ(townName(folder.towns()->at(0)), "Gamma");
  ASSERT_TRUE(replaceFileAtomically(dir / kTownFileName, ""));
  EXPECT_EQ(folder.towns()->count(), 0);  // an empty file is an empty atlas
  fs::remove_all(dir);
  EXPECT_FALSE(folder.towns().has_value());
}

}  // namespace
}  // namespace talpora
