// talpora save, hot, db, export and import: the command-line round trips of chart keeping.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/tests/cli_test_support.h"

namespace fs = std::filesystem;

namespace {

struct StoreCli : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("talpora-store-cli-" + std::to_string(::getpid()));
  fs::path before;
  // Each case works in its own folder, with its own program directory "pd".
  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir / "pd");
    before = fs::current_path();
    fs::current_path(dir);
  }
  void TearDown() override {
    fs::current_path(before);
    fs::remove_all(dir);
  }
  static talpora::cli::testing::Ran run(const std::string& args) {
    return talpora::cli::testing::run(args + " --program-dir pd");
  }
  static std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string sample() const {
    return std::string(TALPORA_SOURCE_DIR) + "/store/tests/data/samples-utf8.aaf";
  }
};

TEST_F(StoreCli, ADatabaseFromCreationToListing) {
  EXPECT_EQ(run("db create family.1SB").status, 0);
  EXPECT_EQ(run("db create family.1SB").status, 1);  // exists: --replace needed
  const auto save =
      run("save 1969-07-20 22:56 --zone -4 --lon -74.006 --lat 40.714 --name 'Moon landing' --db family.1SB");
  EXPECT_EQ(save.status, 0) << save.err;
  EXPECT_TRUE(fs::exists(dir / "pd/LASTSAVE.DTF"));
  EXPECT_EQ(run("save 1969-07-20 22:56 --name 'Moon landing' --db family.1SB").status, 1);  // duplicate
  const auto import = run("db import family.1SB " + sample());
  EXPECT_EQ(import.status, 1);  // the malformed record is reported by its line and not stored
  EXPECT_NE(import.err.find("samples-utf8.aaf:14: impossible date"), std::string::npos) << import.err;
  EXPECT_NE(import.err.find(":12: no coordinates for 'Nobody'"), std::string::npos) << import.err;
  const auto list = run("db list family.1SB");
  EXPECT_EQ(list.out.substr(0, list.out.find('\n')), "1  1969-07-20 22:56  Moon landing");
  EXPECT_NE(list.out.find("3  1880-02-03 07:30  Zoé Lumière  Besançon\n"), std::string::npos) << list.out;
  EXPECT_NE(run("db list family.1SB --json").out.find("{\"entry\": 2, \"name\": \"Marie Curie\""),
            std::string::npos);
  EXPECT_NE(run("list simple --db family.1SB --entry 1").out.find("Moon landing"), std::string::npos);
  const auto deleted = run("list simple --db family.1SB --entry 0");
  EXPECT_EQ(deleted.status, 1);
  EXPECT_NE(deleted.err.find("entry 0 of family.1SB is deleted"), std::string::npos) << deleted.err;
  EXPECT_EQ(run("list simple --db family.1SB --entry 7").status, 1);

  // Importing again: every chart is a duplicate, named; renamed on request.
  const auto again = run("db import family.1SB " + sample());
  EXPECT_NE(again.err.find("'Marie Curie': already in the database; skipped"), std::string::npos)
      << again.err;
  EXPECT_EQ(run("db import family.1SB " + sample() + " --rename-duplicates").out,
            "stored 5 charts in family.1SB\n");
  EXPECT_NE(run("db list family.1SB").out.find("Marie Curie -2"), std::string::npos);

  // Export, import into a new database, export again: the same text.
  const auto csv = run("db export family.1SB --format csv");
  std::ofstream(dir / "a.csv") << csv.out;
  EXPECT_EQ(run("db import copy.1SB a.csv").status, 0);
  EXPECT_EQ(run("db export copy.1SB --format csv").out, csv.out);
  EXPECT_EQ(run("db create copy.1SB --replace").status, 0);
  EXPECT_EQ(run("db list copy.1SB").out, "");
}

TEST_F(StoreCli, CheckSaysWhyAndCleanRepairs) {
  ASSERT_EQ(run("db create d.1SB").status, 0);
  ASSERT_EQ(run("db import d.1SB " + sample()).status, 1);
  EXPECT_EQ(run("db check d.1SB").status, 0);
  std::ofstream(dir / "d.3SB", std::ios::app) << std::string(804, '\0');
  const auto bad = run("db check d.1SB");
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("holds 6 entries, file"), std::string::npos) << bad.err;
  EXPECT_EQ(run("db clean d.1SB").out, "d.1SB: 5 charts\n");
  EXPECT_EQ(run("db check d.1SB").status, 0);
  EXPECT_EQ(fs::file_size(dir / "d.3SB"), 5u * 804);
}

TEST_F(StoreCli, HotChartsAndSingleChartExchange) {
  EXPECT_EQ(run("save 2000-01-01 12:00 --name Hot --hot 3").status, 0);
  const auto hot = run("hot");
  EXPECT_NE(hot.out.find("3: Hot\n"), std::string::npos) << hot.out;
  EXPECT_NE(run("hot --json").out.find("{\"number\": 10, \"name\": "), std::string::npos);
  EXPECT_EQ(run("save 2000-01-01 12:00 --hot 11").status, 2);
  const auto aaf = run("export --hot 3 --format aaf");
  EXPECT_EQ(aaf.out.substr(0, 32), "#A93:Hot,*,*,01.01.2000,12:00,*,") << aaf.out;
  std::ofstream(dir / "one.aaf") << aaf.out;
  EXPECT_EQ(run("import one.aaf --out one.chr").out, "wrote one.chr\n");
  EXPECT_NE(run("record show one.chr").out.find("name: Hot"), std::string::npos);
  EXPECT_EQ(run("import one.aaf --out two.chr --record 1").status, 1);
}

TEST_F(StoreCli, ACleanKilledMidwayLosesNothing) {
  std::string csv = "name,day,month,year,hour,minute,longitude,latitude\n";
  const int charts = 1500;
  for (int i = 0; i < charts; ++i)
    csv += "Person " + std::to_string(i) + "," + std::to_string(1 + i % 28) + "," +
           std::to_string(1 + i % 12) + "," + std::to_string(1900 + i % 120) + ",12,0," +
           std::to_string(i % 360 - 180) + "," + std::to_string(i % 120 - 60) + "\n";
  std::ofstream(dir / "big.csv") << csv;
  ASSERT_EQ(run("db import big.1SB big.csv").status, 0);
  for (int delayMs : {100, 400}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::ostringstream out, err;
      ::_exit(talpora::cli::runCommandLine(talpora::cli::testing::shellWords("db clean big.1SB --program-dir pd"), out,
                                           err));
    }
    ::usleep(static_cast<useconds_t>(delayMs) * 1000);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    run("db check big.1SB");
    ASSERT_EQ(run("db clean big.1SB").status, 0) << delayMs;
    EXPECT_EQ(run("db check big.1SB").status, 0) << delayMs;
    const auto list = run("db list big.1SB");
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), charts) << delayMs;
  }
}

}  // namespace
