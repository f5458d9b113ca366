// talpora list and talpora print: every table for a chart with and without known time in both
// zodiacs, the two-chart tables, refused tables, and a text file printed to a multi-page PDF.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/tests/cli_test_support.h"

namespace fs = std::filesystem;

namespace {

using Result = talpora::cli::testing::Ran;

Result talporaIn(const std::string& args, const fs::path& dir) {
  return talpora::cli::testing::run(args + " --program-dir " + dir.string());
}

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ListCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("talpora-list-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // The Chiron table of the build, so that Chiron has a position.
    const fs::path chiron = fs::path(TALPORA_SOURCE_DIR) / "data" / "zykadb.DTF";
    if (fs::exists(chiron)) fs::copy_file(chiron, dir / "zykadb.DTF");
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
  const std::string chart = "1996-01-05 15:05 --zone 1 --lon 2.35 --lat 48.85 --name Test --place Paris";
};

// The first line of the table proper, by table.
const std::pair<const char*, const char*> kTables[] = {
    {"aspects-major", "MAJOR ASPECTS:"},
    {"aspects-minor", " MINOR ASPECTS:"},
    {"aspects-rare", " RARE ASPECTS:"},
    {"aspects-all", "MAJOR, MINOR AND RARE ASPECTS:"},
    {"parallels", "    PARALLELS OF DECLINATION"},
    {"midpoints", "Midpoints (360\u00B0)  Listing in Planetary Sequence"},
    {"midpoints-modulus=22.5", "Midpoints Modulus  22\u00B030' Listing in Planetary Sequence"},
    {"harmonics", "  Harmonic 2   (based on "},
    {"harmonic=9", "  Harmonic 9   (based on "},
    {"dignities", "Dignities ("},
    {"receptions", "Mutual receptions ("},
    {"arabian-parts", "Arabian and Other Parts:"},
};

}  // namespace

TEST_F(ListCommand, EveryTableWithAndWithoutTimeInBothZodiacs) {
  for (const auto& [table, heading] : kTables) {
    for (const char* time : {"", " --unknown-time"}) {
      for (const char* zodiac : {"tropical", "sidereal"}) {
        if (std::string(table).rfind("midpoints-modulus", 0) == 0 && std::string(zodiac) == "sidereal")
          continue;
        const std::string args = std::string("list ") + table + " " + chart + time + " --zodiac " + zodiac;
        const Result r = talporaIn(args, dir);
        ASSERT_EQ(r.status, 0) << args << "\n" << r.err;
        EXPECT_NE(("\n" + r.out).find(std::string("\n") + heading), std::string::npos) << args << "\n"
                                                                                       << r.out;
        EXPECT_EQ(r.out.find('\r'), std::string::npos) << args;  // LF line ends on a terminal
        EXPECT_EQ(r.out.back(), '\n');
        if (std::string(zodiac) == "sidereal") {
          EXPECT_NE(r.out.find("Sidereal Zodiac"), std::string::npos) << args;
        }
        if (*time) {
          EXPECT_EQ(r.out.find("ASC."), std::string::npos) << args << "\n" << r.out;
        }
      }
    }
  }
}

TEST_F(ListCommand, UnknownTimeNotesAndTwoCharts) {
  Result r = talporaIn("list aspects-major " + chart + " --unknown-time", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Time unknown - no houses calculated\n"), std::string::npos);
  EXPECT_NE(r.out.find("(Aspects to ASC or MC are not calculated\n"), std::string::npos);
  r = talporaIn("list arabian-parts " + chart + " --unknown-time", dir);
  EXPECT_NE(r.out.find("meaningless in a chart without houses.\n"), std::string::npos);

  r = talporaIn("list aspects-major " + chart + " --second 1988-06-21 06:30 --zone -4 --lon -74 --lat 40.7",
                dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("     CHART 1         CHART 2\n"), std::string::npos);
  EXPECT_EQ(r.out.find("A.= Applying"), std::string::npos);
  r = talporaIn("list midpoints " + chart + " --second 1988-06-21 06:30 --zone -4 --lon -74 --lat 40.7", dir);
  EXPECT_NE(r.out.find("Ch.1-Ch.2              Ch.1-Ch.2              Ch.1-Ch.2\n"), std::string::npos);
  r = talporaIn("list dignities " + chart + " --second 1988-06-21 06:30", dir);
  EXPECT_EQ(r.status, 2);
}

TEST_F(ListCommand, RefusedTablesAndOutputFile) {
  EXPECT_EQ(talporaIn("list harmonic=0 " + chart, dir).status, 2);
  const Result zero = talporaIn("list harmonic=0 " + chart, dir);
  EXPECT_NE(zero.err.find("Harmonic of 0 does not make sense"), std::string::npos);
  EXPECT_EQ(talporaIn("list harmonic=10000 " + chart, dir).status, 2);
  EXPECT_EQ(talporaIn("list midpoints-modulus=0 " + chart, dir).status, 2);
  EXPECT_EQ(talporaIn("list midpoints-modulus=-30 " + chart, dir).status, 2);
  EXPECT_EQ(talporaIn("list midpoints-modulus=abc " + chart, dir).status, 2);
  EXPECT_EQ(talporaIn("list nonsense " + chart, dir).status, 2);
  EXPECT_EQ(talporaIn("list dignities " + chart + " --heliocentric", dir).status, 2);

  const fs::path out = dir / "listing.txt";
  const Result r = talporaIn("list dignities " + chart + " --out " + out.string(), dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.empty());
  const std::string text = readAll(out);
  EXPECT_EQ(text.rfind("Dignities (Tropical Zodiac):\n", 0), 0u) << text;
  EXPECT_EQ(text, talporaIn("list dignities " + chart, dir).out);
}

TEST_F(ListCommand, PrintWritesAMultiPagePdf) {
  // A text file of 300 lines, with a degree sign (UTF-8) in it.
  const fs::path text = dir / "listing.txt";
  {
    std::ofstream o(text);
    for (int i = 1; i <= 300; ++i) o << "Line " << i << " of the listing: Sun at 14\u00B031' Capricorn\n";
  }
  const fs::path pdf = dir / "listing.pdf";
  const Result r = talporaIn("print " + text.string() + " --pdf " + pdf.string() + " " + chart, dir);
  if (r.status == 1 && r.err.find("without the Qt platform") != std::string::npos)
    GTEST_SKIP() << "built without the Qt platform: no PDF printing";
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = readAll(pdf);
  ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
  // One page object per page: 300 lines need several pages.
  std::size_t pages = 0;
  for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos;
       at = bytes.find("/Type /Page", at + 1))
    if (bytes.compare(at, 12, "/Type /Pages") != 0) ++pages;
  EXPECT_GE(pages, 5u);
  EXPECT_EQ(talporaIn("print " + (dir / "missing.txt").string() + " --pdf " + pdf.string(), dir).status, 1);
}
