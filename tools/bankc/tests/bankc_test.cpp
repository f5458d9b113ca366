// bankc: tests of the bank compiler (source -> binary -> source), its rejections and the tool itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/records.h"
#include "interpretation/bank_source.h"
#include "platform/byte_io.h"

namespace talpora::bank {
namespace {

namespace fs = std::filesystem;

// A source set that uses every feature of the format.
std::vector<SourceFile> sampleSources() {
  return {
      {"aspects/sun.txt",
       "# The Sun's aspects\n"
       "@ Sun conjunction Moon\n"
       "A new-moon birth: one   purpose, \xE2\x80\x9C"
       "focused\xE2\x80\x9D \xE2\x80\x93 caf\xC3\xA9 50%.\n"
       "\n"
       "   Second line of the same text.   \n"
       "@+\n"
       "And a continuation.\n"
       "@ Sun opposition/square Moon level 2 if separating and time known\n"
       "Tension between will and need.\n"
       "@ Sun trine/sextile Moon level 0 if applying and aspect Mars square Saturn and born before 1950\n"
       "Ease.\n"
       "@ Sun any Mars if born after 1949 and time unknown and aspect North Node conjunction/opposition "
       "Black Moon\n"
       "Drive.\n"
       "@ sun CONJUNCTION/TRINE/SQUARE/SEXTILE midheaven level 255\n"
       "Public life.\n"},
      {"aspects/ascendant.txt", "@ Ascendant square Midheaven\nAngles.\n"},
      {"houses/north-node.txt",
       "@ North Node in house 1\nThe path leads to yourself; the South Node in the 7th.\n"
       "@ North Node in house 12\nRetreat.\n"},
      {"signs/venus.txt", "@ Venus in Aries\nQuick affection.\n@ Venus in Pisces if time unknown\nTender.\n"},
      {"general/02.txt", "@ general 2 topic 1\nIntroduction.\n@ general 2 topic 4\nThe houses.\n"},
  };
}

TEST(BankCompiler, CompilesEveryFeature) {
  const auto result = compileSources(sampleSources());
  ASSERT_TRUE(result.ok()) << result.errors.front().text();
  ASSERT_EQ(result.files.size(), 5u);
  const auto& sun = result.files[0];
  EXPECT_EQ(sun.name(), "zoraA01.dtf");
  ASSERT_EQ(sun.records.size(), 6u);
  // Lines joined with single blanks, trimmed; UTF-8 turned into CP1252 bytes.
  EXPECT_EQ(sun.records[0].text,
            "A new-moon birth: one   purpose, \x93"
            "focused\x94 \x96 caf\xE9 50%. Second line of the same text.");
  EXPECT_EQ(sun.records[0].key, talpora::kMoon);
  EXPECT_EQ(sun.records[0].aspectCode, 1);
  EXPECT_EQ(sun.records[0].level, 1);
  EXPECT_FALSE(sun.records[1].conditional);
  EXPECT_EQ(sun.records[2].aspectCode, 14);
  EXPECT_EQ(sun.records[2].level, 2);
  EXPECT_EQ(sun.records[2].conditions, (std::vector<Condition>{{kSeparating, {}}, {kTimeKnown, {}}}));
  EXPECT_EQ(sun.records[3].aspectCode, 15);
  EXPECT_EQ(sun.records[3].level, 0);
  EXPECT_EQ(
      sun.records[3].conditions,
      (std::vector<Condition>{{kApplying, {}}, {kAspectInChart, {4, 6, 4}}, {kBornBeforeAfter, {-1, 1950}}}));
  EXPECT_EQ(sun.records[4].aspectCode, 0);
  EXPECT_EQ(sun.records[4].key, talpora::kMars);
  EXPECT_EQ(sun.records[4].conditions,
            (std::vector<Condition>{
                {kBornBeforeAfter, {1, 1949}}, {kTimeUnknown, {}}, {kAspectInChart, {10, 12, 10}}}));
  EXPECT_EQ(sun.records[5].aspectCode, 16);
  EXPECT_EQ(sun.records[5].key, talpora::kMidheaven);
  EXPECT_EQ(sun.records[5].level, 255);
  EXPECT_EQ(result.files[1].name(), "zoraA15.dtf");
  EXPECT_EQ(result.files[2].name(), "zorah11.dtf");
  EXPECT_EQ(result.files[2].records[1].key, 11);
  EXPECT_EQ(result.files[3].name(), "zoraS04.dtf");
  EXPECT_EQ(result.files[3].records[1].key, 11);
  EXPECT_EQ(result.files[4].name(), "zorab02.dtf");
  EXPECT_EQ(result.files[4].records[1].key, 4);
  const auto stats = statsOf(result.files);
  EXPECT_EQ(stats.files, 5);
  EXPECT_EQ(stats.texts, 13);
}

// compile -> decompile -> compile gives the same bytes, and decompiling again the same source.
TEST(BankCompiler, RoundTripIsByteIdentical) {
  const auto first = compileSources(sampleSources());
  ASSERT_TRUE(first.ok());
  std::vector<SourceFile> decompiled;
  for (const auto& f : first.files) {
    const auto decoded = decodeFile(f.family, f.bytes());
    ASSERT_TRUE(decoded.ok) << decoded.error;
    std::string error;
    const auto text = decompile(f.family, f.number, decoded.records, error);
    ASSERT_TRUE(text) << error;
    decompiled.push_back({sourcePathOf(f.family, f.number), *text});
  }
  const auto second = compileSources(decompiled);
  ASSERT_TRUE(second.ok()) << second.errors.front().text();
  ASSERT_EQ(second.files.size(), first.files.size());
  for (std::size_t i = 0; i < first.files.size(); ++i) {
    EXPECT_EQ(second.files[i].name(), first.files[i].name());
    EXPECT_EQ(second.files[i].bytes(), first.files[i].bytes()) << first.files[i].name();
    std::string error;
    EXPECT_EQ(
        decompile(second.files[i].family, second.files[i].number, second.files[i].records, error).value(),
        decompiled[i].text);
  }
}

TEST(BankCompiler, LongTextsFoldLosslesslyInTheSourceForm) {
  std::string text;
  for (int i = 0; i < 150; ++i)
    text += (i ? (i % 7 == 0 ? "  " : " ") : "") + std::string("word#") + std::to_string(i);
  text += " @end";
  ASSERT_LT(text.size(), 1999u);
  Record r;
  r.key = 3;
  r.text = text;
  std::string error;
  const auto source = decompile(kSigns, 1, {r}, error);
  ASSERT_TRUE(source) << error;
  const auto again = compileSources({{"signs/sun.txt", *source}});
  ASSERT_TRUE(again.ok()) << again.errors.front().text();
  EXPECT_EQ(again.files[0].records[0].text, text);
}

struct Rejection {
  std::string path, source;
  int line;
  std::string words;  // part of the message
};

TEST(BankCompiler, RejectionsNameFileAndLine) {
  const std::string tooLong(2000, 'e');
  std::string longUtf8;
  for (int i = 0; i < 1000; ++i)
    longUtf8 += "\xC3\xA9";  // 1000 x 'e acute': 2000 bytes in UTF-8, 1000 in CP1252
  const std::vector<Rejection> cases = {
      {"aspects/sun.txt", "# c\n@ Sun conjunction Vulcan\nText.\n", 2, "unknown object"},
      {"aspects/sun.txt", "@ Sun conjunction Moon\nA.\n@ Sun novile Mars\nB.\n", 3, "unknown aspect"},
      {"aspects/sun.txt", "@ Sun trine Mars if retrograde\nB.\n", 1, "unknown condition"},
      {"aspects/sun.txt", "@ Sun trine Mars if born in 1950\nB.\n", 1, "before"},
      {"aspects/sun.txt", "@ Sun trine Mars level high\nB.\n", 1, "unknown level"},
      {"aspects/sun.txt", "@ Sun trine Mars level 256\nB.\n", 1, "unknown level"},
      {"aspects/sun.txt", "@ Sun trine Mars\nB.\n\n@ Sun square Moon\nC.\n", 4, "out of key order"},
      {"houses/moon.txt", "@ Moon in house 3\nA.\n@ Moon in house 2\nB.\n", 3, "out of key order"},
      {"signs/moon.txt", "@ Moon in Leo\nA.\n@ Moon in Cancer\nB.\n", 3, "out of key order"},
      {"general/01.txt", "@ general 1 topic 2\nA.\n@ general 1 topic 1\nB.\n", 3, "out of key order"},
      {"signs/mars.txt", "@ Mars in Aries\n" + tooLong + "\n", 1, "2000 bytes"},
      {"signs/mars.txt", "@ Mars in Aries\nFine.\n\xE2\x86\x92 arrow\n", 3, "not in the Windows code page"},
      {"signs/mars.txt", "@ Mars in Aries\nSmile \xF0\x9F\x98\x80\n", 2, "U+1F600"},
      {"signs/mars.txt", "@ Mars in Aries\nBad \xC3\n", 2, "invalid UTF-8"},
      {"signs/mars.txt", "@ Mars in Aries\nTab\there\n", 2, "control character"},
      {"signs/mars.txt", "@ Mars in Virgin\nA.\n", 1, "unknown sign"},
      {"houses/mars.txt", "@ Mars in house 13\nA.\n", 1, "house 1..12"},
      {"houses/mars.txt", "@ Venus in house 1\nA.\n", 1, "in the file of Mars"},
      {"aspects/mars.txt", "@ Mars square Sun\nA.\n", 1, "lower-numbered"},
      {"aspects/mars.txt", "@ Mars square Chiron\nA.\n", 1, "Chiron"},
      {"aspects/mars.txt", "@ Mars square South Node\nA.\n", 1, "North Node"},
      {"houses/mars.txt", "@ Mars in house 1 if applying\nA.\n", 1, "not about aspects"},
      {"houses/mars.txt", "@ Mars in house 1\n@ Mars in house 2\nB.\n", 1, "without text"},
      {"houses/mars.txt", "Stray text.\n@ Mars in house 1\nB.\n", 1, "outside a record"},
      {"houses/mars.txt", "@+\nB.\n", 1, "needs a record before it"},
      {"houses/mars.txt", "@ Mars in house 1 level 2 extra\nB.\n", 1, "unexpected 'extra'"},
      {"general/02.txt", "@ general 1 topic 1\nA.\n", 1, "general file 1"},
      {"houses/chiron.txt", "@ Chiron in house 1\nA.\n", 1, "never asked"},
      {"houses/vulcan.txt", "@ Sun in house 1\nA.\n", 1, "not a source"},
  };
  for (const auto& c : cases) {
    const auto result = compileSources({{c.path, c.source}});
    ASSERT_FALSE(result.ok()) << c.source;
    EXPECT_TRUE(result.files.empty()) << c.source;
    const auto& e = result.errors.front();
    EXPECT_EQ(e.file, c.path);
    EXPECT_EQ(e.line, c.line) << e.text();
    EXPECT_NE(e.message.find(c.words), std::string::npos) << e.text();
  }
  // 1999 bytes in the code page is the most a text may take; the UTF-8 length does not count.
  EXPECT_TRUE(compileSources({{"signs/mars.txt", "@ Mars in Aries\n" + std::string(1999, 'e') + "\n"}}).ok());
  EXPECT_TRUE(compileSources({{"signs/mars.txt", "@ Mars in Aries\n" + longUtf8 + "\n"}}).ok());
}

// The tool: errors on standard error as FILE:LINE, nothing written; decompiling damaged files.
class BankcToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("talpora_bankc_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  void write(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
  }
  int run(const std::string& args, std::string* err = nullptr) {
    const auto errFile = dir_ / "stderr.txt";
    const int status = std::system((std::string(BANKC_EXE) + " " + args + " 2>" + errFile.string()).c_str());
    if (err) *err = readFile(errFile).value_or("");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  fs::path dir_;
};

TEST_F(BankcToolTest, CompilesDecompilesAndReportsErrors) {
  for (const auto& s : sampleSources()) write(dir_ / "src" / s.path, s.text);
  ASSERT_EQ(run("--out " + (dir_ / "bin").string() + " " + (dir_ / "src").string()), 0);
  EXPECT_TRUE(fs::exists(dir_ / "bin" / "zoraA01.dtf"));
  EXPECT_TRUE(fs::exists(dir_ / "bin" / "zorab02.dtf"));
  ASSERT_EQ(run("--decompile " + (dir_ / "bin").string() + " --out " + (dir_ / "back").string()), 0);
  ASSERT_EQ(run("--out " + (dir_ / "bin2").string() + " " + (dir_ / "back").string()), 0);
  for (const auto& e : fs::directory_iterator(dir_ / "bin"))
    EXPECT_EQ(readFile(e.path()), readFile(dir_ / "bin2" / e.path().filename())) << e.path();

  // An error: reported with file and line, and nothing is written.
  write(dir_ / "bad" / "signs" / "sun.txt", "@ Sun in Aries\nFine.\n@ Sun in Leo level x\nB.\n");
  write(dir_ / "bad" / "signs" / "moon.txt", "@ Moon in Aries\nFine.\n");
  std::string err;
  EXPECT_EQ(run("--out " + (dir_ / "badbin").string() + " " + (dir_ / "bad").string(), &err), 1);
  EXPECT_NE(err.find((dir_ / "bad" / "signs" / "sun.txt").string() + ":3: unknown level"), std::string::npos)
      << err;
  EXPECT_FALSE(fs::exists(dir_ / "badbin" / "zoraS02.dtf"));
  EXPECT_EQ(run("--frobnicate x"), 2);
}

TEST_F(BankcToolTest, DamagedBankFilesAreRefusedWithoutHarm) {
  const auto result = compileSources(sampleSources());
  const std::string good = result.files[0].bytes();
  for (std::size_t n : {std::size_t{0}, std::size_t{30}, std::size_t{68}, std::size_t{69}, std::size_t{80},
                        good.size() - 1}) {
    const std::string cut = good.substr(0, n);
    const auto decoded = decodeFile(kAspects, cut);
    EXPECT_FALSE(decoded.ok) << n;
    EXPECT_FALSE(decoded.error.empty());
  }
  std::string corrupt = good;
  corrupt[4 * 1] = 3;  // the Moon's slot points into the index
  EXPECT_FALSE(decodeFile(kAspects, corrupt).ok);
  write(dir_ / "bank" / "zoraA01.dtf", good.substr(0, good.size() - 3));
  std::string err;
  EXPECT_EQ(run("--decompile " + (dir_ / "bank").string() + " --out " + (dir_ / "src").string(), &err), 1);
  EXPECT_NE(err.find("zoraA01.dtf"), std::string::npos);
}

}  // namespace
}  // namespace talpora::bank
