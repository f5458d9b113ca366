// Printer font files and the word-processor dialog.
#include <gtest/gtest.h>

#include <cstring>

#include <filesystem>
#include <fstream>

#include "files/zykfile.h"
#include "format/printer_fonts.h"
#include "format/word_processor.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-fonts-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}
}  // namespace

TEST(PrinterFonts, DefaultListingFontRecordIsByteExact) {
  const std::string bytes = encodeFontRecord(defaultListingFont());
  ASSERT_EQ(bytes.size(), kFontRecordSize);
  ByteReader r(bytes);
  EXPECT_EQ(r.i32(), 42);
  EXPECT_EQ(r.i32(), 0);
  r.skip(8);
  EXPECT_EQ(r.i32(), 700);
  EXPECT_EQ(r.u8(), 1);  // italic
  r.skip(6);
  EXPECT_EQ(r.u8(), 0x31);
  EXPECT_EQ(std::string(bytes.data() + 28, 5), std::string("Cour\0", 5));
  EXPECT_EQ(decodeFontRecord(bytes).value(), defaultListingFont());
}

TEST(PrinterFonts, FilesAreCheckedAndRestored) {
  const auto dir = freshDir("files");
  const CIni settings = defaultSettings(dir.string());
  EXPECT_FALSE(readFontFile(settings, 3).has_value());
  EXPECT_EQ(printerFont(settings, 3), defaultListingFont());
  std::ofstream(dir / "ZYKFT003.DTF", std::ios::binary) << std::string(59, 'x');  // short: refused
  EXPECT_FALSE(readFontFile(settings, 3).has_value());
  std::string full = encodeFontRecord(defaultListingFont());
  full.replace(28, 32, std::string(32, 'A'));  // a face without its NUL
  std::ofstream(dir / "ZYKFT002.DTF", std::ios::binary) << full;
  const auto f = readFontFile(settings, 2);
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->face.size(), 31u);
  RestoreListingFont(settings);
  EXPECT_EQ(readFontFile(settings, 3).value(), defaultListingFont());
  EnsurePrinterFonts(settings);
  EXPECT_TRUE(readFontFile(settings, 1).has_value());
  EXPECT_EQ(readFontFile(settings, 2)->face.size(), 31u);  // an existing file is kept
}

// The damaged record of a killed or broken writer: no page holds the font, so it is no font.
TEST(PrinterFonts, ImpossibleSizesAreRefused) {
  for (int field : {0, 1, 4}) {  // height, width, weight
    std::string bytes = encodeFontRecord(defaultListingFont());
    const std::int32_t huge = 0x7fffffff;
    std::memcpy(bytes.data() + 4 * field, &huge, 4);
    EXPECT_FALSE(decodeFontRecord(bytes).has_value()) << field;
  }
}

TEST(PrinterFonts, ChoosingAFontAsksFirstAndStoresTheChoice) {
  const auto dir = freshDir("choose");
  const CIni settings = defaultSettings(dir.string());
  headless::ScriptedInteraction ui;
  ui.expectAnswer(ui::Answer::Cancel);
  EXPECT_EQ(GetUsAFont(ui, settings, 3), 0);
  EXPECT_EQ(ui.messages.back().caption, "Choose carefully!");
  gfx::FontSpec chosen = defaultListingFont();
  chosen.face = "DejaVu Sans Mono";
  ui.expectAnswer(ui::Answer::Ok);
  ui.expectFont(chosen);
  EXPECT_EQ(GetUsAFont(ui, settings, 1), 1);
  EXPECT_EQ(ui.messages.back().caption, "");
  EXPECT_EQ(readFontFile(settings, 1)->face, "DejaVu Sans Mono");
  EXPECT_EQ(linuxFaceFor(defaultListingFont()), "Liberation Mono");
}

TEST(WordProcessorDialog, StoresTheCommandOnlyWhenItStarts) {
  const auto dir = freshDir("wp");
  CIni settings = defaultSettings(dir.string());
  headless::RecordingLauncher launcher;
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  launcher.succeed = false;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    EXPECT_EQ(s.text(WordProcessorDialog::kCommand), "");
    s.setText(WordProcessorDialog::kCommand, "nosuch-editor --new");
    m.command(ui::IDOK, s, in);
    EXPECT_FALSE(s.closed());  // the trial failed: the dialog stays open
    EXPECT_EQ(s.focused(), WordProcessorDialog::kCommand);
    m.command(ui::IDHELP, s, in);
    launcher.succeed = true;
    s.setText(WordProcessorDialog::kCommand, "gedit");
    m.command(ui::IDOK, s, in);
    EXPECT_TRUE(s.closed());
  });
  EXPECT_EQ(WordProcessorPath(ui, settings, launcher, help), 0);
  EXPECT_TRUE(ui.saw("Talpora will now perform a test."));
  ASSERT_EQ(launcher.userCommands.size(), 2u);
  EXPECT_EQ(launcher.userCommands[1].first, "gedit");
  EXPECT_EQ(help.topics, std::vector<int>{-1});
  headless::ScriptedInteraction ui2;
  CIni back;
  PutInMemBlock_CIni(back, dir, ui2);
  EXPECT_EQ(wordProcessorOf(back), "gedit");
}
