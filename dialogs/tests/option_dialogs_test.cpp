// The radio-button option dialogs store their choice and write the settings file at once.
#include "dialogs/option_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/zykfile.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-options-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}
CIni reload(const fs::path& dir) {
  headless::ScriptedInteraction ui;
  CIni s;
  PutInMemBlock_CIni(s, dir, ui);
  return s;
}
}  // namespace

TEST(OptionDialogs, AmPmShowsTheCurrentChoiceAndSavesTheNewOne) {
  const auto dir = freshDir("ampm");
  CIni settings = defaultSettings(dir.string());
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_TRUE(s.checked(102));  // 24-hour clock by default
    EXPECT_FALSE(s.checked(101));
    m.command(101, s, in);
    m.command(ui::IDHELP, s, in);
    m.command(ui::IDOK, s, in);
    EXPECT_TRUE(s.closed());
  });
  dialogs::SetAMPMTime(ui, settings, help);
  EXPECT_EQ(settings.ampm, 1);
  EXPECT_EQ(reload(dir).ampm, 1);
  EXPECT_EQ(help.topics, std::vector<int>{2010});
}

TEST(OptionDialogs, SiderealReferenceRestoresTrueAyanamsaAndCancelChangesNothing) {
  const auto dir = freshDir("ayan");
  CIni settings = defaultSettings(dir.string());
  settings.ayanamsa = 2;
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_TRUE(s.checked(102));
    m.command(103, s, in);  // Restore Default
    EXPECT_TRUE(s.checked(101));
    m.command(ui::IDCANCEL, s, in);
  });
  dialogs::SetDefaultAyanamsa(ui, settings, help);
  EXPECT_EQ(settings.ayanamsa, 2);
  EXPECT_FALSE(fs::exists(dir / kSettingsFileName));
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    m.command(103, s, in);
    m.command(ui::IDHELP, s, in);
    m.command(ui::IDOK, s, in);
  });
  dialogs::SetDefaultAyanamsa(ui, settings, help);
  EXPECT_EQ(reload(dir).ayanamsa, 1);
  EXPECT_EQ(help.topics, std::vector<int>{-1});  // the contents
}

TEST(OptionDialogs, Display) {
  const auto dir = freshDir("mono");
  CIni settings = defaultSettings(dir.string());
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    m.command(102, s, in);
    m.command(ui::IDOK, s, in);
  });
  dialogs::SetNBColors(ui, settings, help);
  EXPECT_EQ(reload(dir).monochrome, 1);
}
