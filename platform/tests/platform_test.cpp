// Tests of the platform helpers: code page, little-endian I/O, atomic replacement, program directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/atomic_file.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/headless/scripted_interaction.h"
#include "platform/program_dir.h"
#include "platform/ui.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-platform-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}
void writeBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}
}  // namespace

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << "byte " << b;
  }
  EXPECT_EQ(cp1252ToUtf8("\xB0"), "\xC2\xB0");       // degree sign
  EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC");   // euro sign
  EXPECT_EQ(utf8ToCp1252("Z\xC3\xBCrich"), "Z\xFCrich");
}

TEST(Cp1252, MissingCharactersAndBrokenUtf8) {
  EXPECT_EQ(utf8ToCp1252("\xE6\x9D\xB1"), "?");           // a CJK character
  EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");                 // truncated sequence
  EXPECT_FALSE(utf8ToCp1252Strict("\xE6\x9D\xB1").has_value());
  EXPECT_EQ(utf8ToCp1252Strict("caf\xC3\xA9").value(), "caf\xE9");
}

TEST(ByteReader, NeverReadsPastTheEndAndZeroesWhatIsMissing) {
  const std::string bytes = {'\x01', '\x02', '\x03'};
  ByteReader r(bytes);
  EXPECT_EQ(r.i16(), 0x0201);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.i32(), 0x03);  // one byte there, three zeros
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.f64(), 0.0);
  char text[5];
  std::memset(text, 'x', sizeof text);
  r.text(text, sizeof text);
  EXPECT_STREQ(text, "");
}

TEST(ByteWriter, FixedTextFieldsAreTerminatedAndZeroFilled) {
  ByteWriter w;
  char field[6] = {'a', 'b', 'c', 'd', 'e', 'f'};  // no NUL inside the field
  w.text(field, sizeof field);
  EXPECT_EQ(w.bytes(), std::string("abcde\0", 6));
  ByteWriter w2;
  w2.i16(-2);
  w2.f32(1.5f);
  EXPECT_EQ(w2.bytes(), std::string("\xFE\xFF\x00\x00\xC0\x3F", 6));
  char dst[4];
  setField(dst, "toolong");
  EXPECT_EQ(fieldText(dst), "too");
}

TEST(AtomicFile, FailedWriteLeavesTheOldFileIntactAndNoTemporary) {
  const auto dir = freshDir("atomic");
  const auto file = dir / "zykini1.dtf";
  writeBytes(file, "old contents");
  WriteFault fault{3};
  const auto r = replaceFileAtomically(file, "new contents that fail", &fault);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
  EXPECT_EQ(readFile(file).value(), "old contents");
  EXPECT_FALSE(fs::exists(temporarySibling(file)));
  ASSERT_TRUE(replaceFileAtomically(file, "new").ok);
  EXPECT_EQ(readFile(file).value(), "new");
}

TEST(AtomicFile, RewriteKeepsModeAndLinkAndClearsDeadWritersTemporaries) {
  const auto dir = freshDir("atomic-keep");
  const auto file = dir / "DATA10.DTF";
  writeBytes(file, "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  // A temporary of a writer that was killed: a process that has ended.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const auto stale = dir / (".DATA10.DTF.tmp" + std::to_string(child));
  writeBytes(stale, "torn");
  fs::create_symlink("DATA10.DTF", dir / "link.dtf");

  ASSERT_TRUE(replaceFileAtomically(dir / "link.dtf", "new").ok);
  EXPECT_TRUE(fs::is_symlink(dir / "link.dtf"));
  EXPECT_EQ(readFile(file).value(), "new");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(fs::exists(stale));
}

TEST(AtomicFile, FailedWriteAtIsUndone) {
  const auto dir = freshDir("writeat-undo");
  const auto file = dir / "db";
  writeBytes(file, "0123456789");
  WriteFault fault{2};
  EXPECT_FALSE(writeAt(file, 8, "abcd", &fault).ok);  // would patch 2 bytes and extend by 2
  EXPECT_EQ(readFile(file).value(), "0123456789");
  EXPECT_FALSE(writeAt(file, -1, "xyz", &fault).ok);
  EXPECT_EQ(readFile(file).value(), "0123456789");
  EXPECT_FALSE(writeAt(dir / "no" / "such", 0, "x").ok);
}

TEST(AtomicFile, WriteAtAppendsAndPatches) {
  const auto dir = freshDir("writeat");
  const auto file = dir / "db";
  writeBytes(file, std::string(10, 'a'));
  ASSERT_TRUE(writeAt(file, -1, "bb").ok);
  ASSERT_TRUE(writeAt(file, 2, "c").ok);
  EXPECT_EQ(readFile(file).value(), "aacaaaaaaabb");
  EXPECT_EQ(readFileRange(file, 10, 100).value(), "bb");
  EXPECT_EQ(readFileRange(file, 50, 4).value(), "");
  EXPECT_FALSE(readFileRange(dir / "missing", 0, 4).has_value());
}

TEST(ProgramDir, ResolutionOrder) {
  const auto root = freshDir("resolve");
  const auto exeDir = root / "bin";
  fs::create_directories(exeDir);
  writeBytes(exeDir / "talpora", "");
  ProgramDirInputs in;
  in.executable = exeDir / "talpora";
  in.home = (root / "home").string();

  // Without data beside the executable: the user's data directory, created.
  auto d = resolveProgramDir(in);
  EXPECT_EQ(d.dir, root / "home" / ".local" / "share" / "talpora");
  EXPECT_TRUE(fs::is_directory(d.dir));

  in.xdgDataHome = (root / "xdg").string();
  EXPECT_EQ(resolveProgramDir(in).dir, root / "xdg" / "talpora");

  // Data beside a writable executable: that folder (build tree, portable copy).
  writeBytes(exeDir / kProgramDirMarker, "");
  writeBytes(exeDir / "zykadb.DTF", "chiron");
  writeBytes(exeDir / "DATA10.DTF", "somebody's hand-over");
  writeBytes(exeDir / "ZYKHOT3.DTF", "somebody's hot chart");
  writeBytes(exeDir / "ZYKF00.DTF", "somebody's place");
  writeBytes(exeDir / "ZYKFFL.DTF", "stars");
  EXPECT_EQ(resolveProgramDir(in).dir, exeDir);

  // TALPORA_HOME and an explicit override come first; they are seeded with the shipped data files
  // (not the programs).
  in.talporaHome = (root / "th").string();
  d = resolveProgramDir(in);
  EXPECT_EQ(d.dir, root / "th");
  EXPECT_EQ(readFile(d.dir / "zykadb.DTF").value(), "chiron");
  EXPECT_EQ(readFile(d.dir / "ZYKFFL.DTF").value(), "stars");
  // The files of somebody's work are not taken along.
  EXPECT_FALSE(fs::exists(d.dir / "DATA10.DTF"));
  EXPECT_FALSE(fs::exists(d.dir / "ZYKHOT3.DTF"));
  EXPECT_FALSE(fs::exists(d.dir / "ZYKF00.DTF"));
  in.overrideDir = root / "ov";
  EXPECT_EQ(resolveProgramDir(in).dir, root / "ov");

  // A copy torn by a start killed while seeding is seeded again; a file the user changed stays.
  in.overrideDir.reset();
  writeBytes(exeDir / "ZYKWIL.DTF", "town records, all of them");
  writeBytes(d.dir / "ZYKWIL.DTF", "town rec");
  writeBytes(d.dir / "ZYKFFL.DTF", "my stars");
  resolveProgramDir(in);
  EXPECT_EQ(readFile(d.dir / "ZYKWIL.DTF").value(), "town records, all of them");
  EXPECT_EQ(readFile(d.dir / "ZYKFFL.DTF").value(), "my stars");
  for (const auto& e : fs::directory_iterator(d.dir)) EXPECT_NE(e.path().filename().string()[0], '.');
}

TEST(ProgramDir, FindsFilesInAnotherLetterCase) {
  const auto dir = freshDir("case");
  writeBytes(dir / "ZYKDDDir.dtf", "x");
  EXPECT_EQ(findCaseInsensitive(dir, "ZYKDDDir.DTF"), dir / "ZYKDDDir.dtf");
  EXPECT_EQ(findCaseInsensitive(dir, "absent.DTF"), dir / "absent.DTF");
}

TEST(FormState, ListsSelectionsAndRemoval) {
  ui::FormState s;
  s.setItems(10, {{"one", 1}, {"two", 2}});
  s.setSelection(10, 1);
  EXPECT_EQ(s.itemData(10, s.selection(10)), 2);
  s.setItems(10, {{"only", 7}});
  EXPECT_EQ(s.selection(10), -1);  // a selection beyond the new list is dropped
  s.remove(11);
  EXPECT_FALSE(s.enabled(11));
  EXPECT_TRUE(s.enabled(12));
}

TEST(MenuSpec, FindRemoveAndRelabelNestedItems) {
  ui::MenuSpec m{"M", {{0, "&File", {{191, "&1 a", {}}, {192, "&2 b", {}}}}, {9990, "E&xit", {}}}, {}};
  EXPECT_TRUE(m.setText(192, "&2 c"));
  EXPECT_EQ(m.find(192)->text, "&2 c");
  EXPECT_TRUE(m.remove(191));
  EXPECT_EQ(m.find(191), nullptr);
  EXPECT_EQ(m.commandIds(), (std::vector<int>{192, 9990}));
}

TEST(ScriptedInteraction, AnswersInOrderThenTheDefaultButton) {
  headless::ScriptedInteraction ui;
  ui.expectAnswer(ui::Answer::No);
  EXPECT_EQ(ui.message({"q1", "c", ui::Buttons::YesNo, ui::Icon::None, ui::Answer::Yes}), ui::Answer::No);
  EXPECT_EQ(ui.message({"q2", "c", ui::Buttons::YesNo, ui::Icon::None, ui::Answer::No}), ui::Answer::No);
  EXPECT_TRUE(ui.saw("q2"));
  EXPECT_EQ(ui.messages.size(), 2u);
}
