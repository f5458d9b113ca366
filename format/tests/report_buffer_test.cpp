// zyktext: tests of the report buffer.
#include "format/report_buffer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/byte_io.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora {
namespace {

// The lines of a report text; every line must end in CR LF (a trailing open piece is returned too,
// flagged by `open`).
std::vector<std::string> linesOf(const std::string& text, bool* open = nullptr) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const auto crlf = text.find("\r\n", start);
    if (crlf == std::string::npos) break;
    lines.push_back(text.substr(start, crlf - start));
    start = crlf + 2;
  }
  if (open) *open = start < text.size();
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string words(int count) {
  // Words of varied length: "a bb ccc dddd ..." cycling lengths 1..9.
  std::string s;
  for (int i = 0; i < count; ++i) {
    if (!s.empty()) s += ' ';
    s += std::string(static_cast<std::size_t>(i % 9 + 1), static_cast<char>('a' + i % 26));
  }
  return s;
}

std::string rejoin(const std::vector<std::string>& lines, std::size_t indent) {
  std::string s;
  for (const auto& l : lines) {
    if (!s.empty()) s += ' ';
    s += l.substr(indent);
  }
  return s;
}

TEST(AddLine, EmptyingAndEmptyLines) {
  Report r;
  unsigned long length = 12345;
  AddLine(r, &length, "first", 1, 0);
  EXPECT_EQ(length, 7u);
  AddLine(r, &length, "ignored", 0, 0);
  AddLine(r, &length, "ignored", 0, 0);
  EXPECT_EQ(r.text, "first\r\n\r\n\r\n");
  EXPECT_EQ(length, 11u);
  AddLine(r, &length, "", 3, 0);
  EXPECT_EQ(length, 13u);
  AddLine(r, &length, "anything", 999, 0);
  EXPECT_EQ(r.text, "");
  EXPECT_EQ(length, 0u);
  AddLine(r, &length, "nothing appended", 7, 0);
  AddLine(r, &length, "nothing appended", -1, 0);
  EXPECT_EQ(r.text, "");
  EXPECT_EQ(length, 0u);
  AddLine(r, nullptr, "no length pointer", 1, 0);
  EXPECT_EQ(r.text, "no length pointer\r\n");
}

TEST(AddLine, IndentedSentenceIsFoldedAtBlanks) {
  Report r;
  std::string sentence = words(25);
  sentence.resize(100);
  while (sentence.back() == ' ') sentence.pop_back();
  ASSERT_GE(sentence.size(), 99u);
  AddLine(r, nullptr, sentence, 1, 12);
  bool open = true;
  const auto lines = linesOf(r.text, &open);
  EXPECT_FALSE(open);
  ASSERT_EQ(lines.size(), 2u);
  for (const auto& l : lines) {
    EXPECT_LE(l.size(), kReportLineWidth);
    EXPECT_EQ(l.substr(0, 12), std::string(12, ' '));
    EXPECT_NE(l[12], ' ');
    EXPECT_NE(l.back(), ' ');
  }
  // Broken at the last blank that fits: the next word would not have fitted on the first line.
  const std::size_t nextWord = lines[1].find(' ', 12);
  EXPECT_GT(lines[0].size() + 1 + (nextWord == std::string::npos ? lines[1].size() : nextWord) - 12,
            kReportLineWidth);
  EXPECT_EQ(rejoin(lines, 12), sentence);
}

TEST(AddLine, SeventyOneAndSeventyTwoCharacters) {
  std::string t71 = words(30).substr(0, 71);
  if (t71.back() == ' ') t71.back() = 'z';
  Report r;
  AddLine(r, nullptr, t71, 1, 0);
  EXPECT_EQ(r.text, t71 + "\r\n");

  // 72 characters with a blank at index 71 (the 72nd character): the first line is 71 long.
  std::string t72 = std::string(71, 'x') + " y";
  t72[30] = ' ';
  r = {};
  AddLine(r, nullptr, t72, 1, 0);
  EXPECT_EQ(r.text, t72.substr(0, 71) + "\r\ny\r\n");

  // 72 characters whose last blank in range is at index 40.
  std::string t = std::string(72, 'q');
  t[40] = ' ';
  t[10] = ' ';
  r = {};
  AddLine(r, nullptr, t, 1, 0);
  EXPECT_EQ(r.text, t.substr(0, 40) + "\r\n" + t.substr(41) + "\r\n");
}

TEST(AddLine, PercentSignsAreKept) {
  Report r;
  AddLine(r, nullptr, "100% of %d and %s stay", 1, 2);
  EXPECT_EQ(r.text, "  100% of %d and %s stay\r\n");
}

TEST(AddLine, LongWordsAreBrokenAtTheWidth) {
  Report r;
  const std::string word(150, 'w');
  AddLine(r, nullptr, word, 1, 0);
  auto lines = linesOf(r.text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 71u);
  EXPECT_EQ(lines[1].size(), 71u);
  EXPECT_EQ(lines[2].size(), 8u);

  r = {};
  AddLine(r, nullptr, "short " + word + " tail", 1, 10);
  lines = linesOf(r.text);
  std::string joined;
  for (const auto& l : lines) {
    EXPECT_LE(l.size(), kReportLineWidth);
    EXPECT_EQ(l.substr(0, 10), std::string(10, ' '));
    joined += l.substr(10) + "|";
  }
  // The long word begins on its own line after "short" and is cut at 61 characters.
  EXPECT_EQ(lines[0], std::string(10, ' ') + "short");
  EXPECT_EQ(lines[1], std::string(10, ' ') + std::string(61, 'w'));
  EXPECT_EQ(lines[2], std::string(10, ' ') + std::string(61, 'w'));
  EXPECT_EQ(lines[3], std::string(10, ' ') + std::string(28, 'w') + " tail");

  // An indent as wide as the line still makes progress, one character per line.
  r = {};
  AddLine(r, nullptr, "abc", 1, 80);
  lines = linesOf(r.text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string(70, ' ') + "a");
  EXPECT_EQ(lines[2], std::string(70, ' ') + "c");
}

TEST(AddLine, ContinuationModeKeepsTheLineOpen) {
  Report r;
  AddLine(r, nullptr, "Planets:", 2, 0);
  EXPECT_EQ(r.text, "Planets:");
  EXPECT_EQ(r.column, 8u);
  AddLine(r, nullptr, " Sun", 2, 0);
  AddLine(r, nullptr, " Moon", 2, 0);
  EXPECT_EQ(r.text, "Planets: Sun Moon");
  EXPECT_EQ(r.column, 17u);

  // A long continuation folds with the remembered column taken into account.
  const std::string more = " " + words(20);
  AddLine(r, nullptr, more, 2, 0);
  bool open = false;
  auto lines = linesOf(r.text, &open);
  EXPECT_TRUE(open);
  ASSERT_GE(lines.size(), 2u);
  for (const auto& l : lines) EXPECT_LE(l.size(), kReportLineWidth);
  EXPECT_EQ(r.column, lines.back().size());
  EXPECT_EQ(rejoin(lines, 0), "Planets: Sun Moon" + more);

  // A line filled exactly to 71 characters is ended.
  r = {};
  AddLine(r, nullptr, std::string(60, 'a'), 2, 0);
  AddLine(r, nullptr, std::string(11, 'b'), 2, 0);
  EXPECT_EQ(r.text, std::string(60, 'a') + std::string(11, 'b') + "\r\n");
  EXPECT_EQ(r.column, 0u);

  // A word that does not fit on the rest of the line starts the next line whole.
  r = {};
  AddLine(r, nullptr, std::string(65, 'a'), 2, 0);
  AddLine(r, nullptr, "extraordinary", 2, 0);
  EXPECT_EQ(r.text, std::string(65, 'a') + "\r\nextraordinary");
  EXPECT_EQ(r.column, 13u);

  // Any other mode resets the column counter.
  AddLine(r, nullptr, "", 0, 0);
  EXPECT_EQ(r.column, 0u);
  AddLine(r, nullptr, "open", 2, 0);
  EXPECT_EQ(r.column, 4u);
  AddLine(r, nullptr, "x", 42, 0);
  EXPECT_EQ(r.column, 0u);
}

TEST(AddParagraph, AppendsUnchanged) {
  Report r;
  unsigned long length = 0;
  const std::string text = words(80) + " 50% %d";
  ASSERT_GT(text.size(), 300u);
  AddParagraph(r, &length, text);
  EXPECT_EQ(r.text, text + "\r\n");
  EXPECT_EQ(length, text.size() + 2);
  AddParagraph(r, &length, "");
  EXPECT_EQ(length, text.size() + 4);
}

class SaveAsTextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("talpora_report_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(SaveAsTextFileTest, CreatesReplacesAndAppendsInUtf8) {
  const auto file = dir_ / "Interp1.txt";
  Report r;
  AddLine(r, nullptr,
          "Sun ARI.12\xB0"
          "05' caf\xE9",
          1, 0);
  EXPECT_EQ(SaveAsTextFile(r, file, 1, 0), 1);
  EXPECT_EQ(readFile(file).value(),
            "Sun ARI.12\xC2\xB0"
            "05' caf\xC3\xA9\r\n");
  EXPECT_FALSE(r.empty());  // kept

  Report other;
  AddLine(other, nullptr, "replaced", 1, 0);
  EXPECT_EQ(SaveAsTextFile(other, file, 1, 0), 1);
  EXPECT_EQ(readFile(file).value(), "replaced\r\n");

  Report more;
  AddLine(more, nullptr, "appended", 1, 0);
  EXPECT_EQ(SaveAsTextFile(more, file, 2, 1), 1);
  EXPECT_EQ(readFile(file).value(), "replaced\r\nappended\r\n");
  EXPECT_TRUE(more.empty());  // cleared
}

TEST_F(SaveAsTextFileTest, FailuresAreReportedAndKeepTheReport) {
  headless::ScriptedInteraction ui;
  Report r;
  AddLine(r, nullptr, "keep me", 1, 0);
  EXPECT_EQ(SaveAsTextFile(r, dir_ / "no such folder" / "x.txt", 1, 1, &ui), 0);
  EXPECT_EQ(r.text, "keep me\r\n");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("no such folder"), std::string::npos);

  // Appending needs an existing file.
  EXPECT_EQ(SaveAsTextFile(r, dir_ / "missing.txt", 2, 1, &ui), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing.txt"));
  EXPECT_EQ(r.text, "keep me\r\n");
  EXPECT_EQ(ui.messages.size(), 2u);

  EXPECT_EQ(SaveAsTextFile(r, dir_ / "y.txt", 3, 0, &ui), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "y.txt"));
  EXPECT_EQ(SaveAsTextFile(r, dir_ / "z.txt", 1, 0), 1);  // without an Interaction
}

}  // namespace
}  // namespace talpora
