// The orbs dialog: maxima, the two overlap questions, the transit orb file.
#include "dialogs/orbs_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/zykfile.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

namespace fs = std::filesystem;
using namespace talpora;
using dialogs::OrbsDialog;

namespace {
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-orbs-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  EnsureProgramDirDefaults(d);
  return d;
}
void selectAspect(ui::DialogModel& m, ui::FormState& s, ui::Interaction& in, int aspect) {
  s.setSelection(OrbsDialog::kList, aspect);
  m.command(OrbsDialog::kList, s, in);
}
}  // namespace

TEST(OrbsDialog, ShowsDefinitionCategoryAndDefaults) {
  const auto dir = freshDir("show");
  CIni settings = defaultSettings(dir.string());
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.items(OrbsDialog::kList).size(), 20u);
    selectAspect(m, s, in, 14);
    EXPECT_EQ(s.text(OrbsDialog::kDefinition), "Definition:       32 deg.  44 min.");
    EXPECT_EQ(s.text(OrbsDialog::kCategory), "Category: Rarely Used Aspects");
    selectAspect(m, s, in, 19);
    EXPECT_EQ(s.text(OrbsDialog::kDefinition), "");
    EXPECT_EQ(s.text(OrbsDialog::kLabel1), "O&rb involving the Sun or the Moon");
    EXPECT_EQ(s.text(OrbsDialog::kDegrees1), "2");
    EXPECT_EQ(s.text(OrbsDialog::kMinutes1), "30");
    EXPECT_EQ(s.text(OrbsDialog::kDefault1), "(default = 2 deg. 30 min.)");
    m.command(ui::IDHELP, s, in);
    m.command(ui::IDCANCEL, s, in);
  });
  EXPECT_EQ(dialogs::SetAspectOrbs(ui, settings, help, 0), 0);
  EXPECT_EQ(help.topics, std::vector<int>{2020});
}

TEST(OrbsDialog, AnExcessiveOrbRestoresBothDefaults) {
  const auto dir = freshDir("max");
  CIni settings = defaultSettings(dir.string());
  settings.orbsOthers[0] = 12;
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    s.setText(OrbsDialog::kDegrees1, "16");
    s.setText(OrbsDialog::kMinutes1, "1");
    selectAspect(m, s, in, 3);
    EXPECT_EQ(s.selection(OrbsDialog::kList), 0);  // the conjunction is shown again
    EXPECT_EQ(s.text(OrbsDialog::kDegrees1), "10");
    EXPECT_EQ(s.text(OrbsDialog::kDegrees2), "10");
    m.command(ui::IDCANCEL, s, in);
  });
  dialogs::SetAspectOrbs(ui, settings, help, 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Conjunctions: excessive value. The very maximum Talpora can accept is 16 degrees.");
  EXPECT_EQ(ui.messages[0].caption, "Impossible Request");
}

TEST(OrbsDialog, OverlapQuestionsAndCancelSuggestion) {
  const auto dir = freshDir("overlap");
  CIni settings = defaultSettings(dir.string());
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    // Defaults: no question.
    selectAspect(m, s, in, 6);
    s.setText(OrbsDialog::kDegrees1, "3");
    s.setText(OrbsDialog::kMinutes1, "0");
    m.command(ui::IDOK, s, in);  // 4 + 3 > 6: the inconjunction question; Cancel (the default)
    EXPECT_FALSE(s.closed());
    EXPECT_EQ(s.selection(OrbsDialog::kList), 6);
    EXPECT_EQ(s.text(OrbsDialog::kDegrees1), "2");
    selectAspect(m, s, in, 7);
    s.setText(OrbsDialog::kDegrees1, "8");
    m.command(ui::IDOK, s, in);  // 2 + 8 > 9 in the first set only: the biquintile question; OK
    EXPECT_TRUE(s.closed());
  });
  ui.expectAnswer(ui::Answer::Cancel);
  ui.expectAnswer(ui::Answer::Ok);
  EXPECT_EQ(dialogs::SetAspectOrbs(ui, settings, help, 0), 1);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text.rfind(
                "You have selected 4 degrees 0 minutes as the orb for inconjunctions and 3 "
                "degrees 0 minutes as the orb for biquintiles. The total 7 degrees 0 minutes. ",
                0),
            0u);
  EXPECT_EQ(ui.messages[0].defaultButton, ui::Answer::Cancel);
  EXPECT_EQ(
      ui.messages[1].text.rfind("You have selected 2 degrees 0 minutes as the orb for biquintiles and 8", 0),
      0u);
  headless::ScriptedInteraction quiet;
  CIni back;
  PutInMemBlock_CIni(back, dir, quiet);
  EXPECT_FLOAT_EQ(back.orbsLuminaries[7], 8.0f);
  EXPECT_FLOAT_EQ(back.orbsOthers[7], 4.0f);
}

TEST(OrbsDialog, TransitOrbsGoToTheirFile) {
  const auto dir = freshDir("transit");
  CIni settings = defaultSettings(dir.string());
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.caption(), "Orbs of Aspects for Transits");
    EXPECT_EQ(s.items(OrbsDialog::kList).size(), 9u);
    EXPECT_TRUE(s.removed(OrbsDialog::kDegrees2));
    EXPECT_EQ(s.text(OrbsDialog::kLabel1), "&Orb or the Aspect");
    s.setText(OrbsDialog::kDegrees1, "1");
    s.setText(OrbsDialog::kMinutes1, "30");
    m.command(ui::IDOK, s, in);
  });
  EXPECT_EQ(dialogs::SetAspectOrbs(ui, settings, help, 1), 1);
  EXPECT_EQ(fs::file_size(dir / "ZYKINI3.DTF"), 72u);
  float a[9], b[9];
  ReadOrbs(settings, 2, a, b, 2);
  EXPECT_FLOAT_EQ(a[0], 1.5f);
  EXPECT_FLOAT_EQ(a[1], 3.0f);
}
