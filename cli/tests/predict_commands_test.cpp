// The prediction subcommands: transits, progress, direct, return, windows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "cli_test_support.h"

namespace fs = std::filesystem;

namespace {

struct Output {
  int status;
  std::string out;
};

// One call in a fresh program directory (with the shipped Chiron table); output and messages together.
Output talpora(const std::string& args) {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("talpora-cli-predict-" + std::to_string(::getpid()));
    fs::remove_all(d);
    fs::create_directories(d);
    fs::copy_file(fs::path(TALPORA_SOURCE_DIR) / "data" / "zykadb.DTF", d / "zykadb.DTF");
    return d;
  }();
  const auto r = talpora::cli::testing::run(args + " --program-dir " + dir.string());
  return {r.status, r.out + r.err};
}

const std::string kNatal = "1990-03-15 14:30 --zone 1 --lon 2.35 --lat 48.85 ";

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(PredictCommands, Outputs) {
  struct Row {
    const char* name;
    std::string args;
    int status;
    const char* expected;
  } rows[] = {
      {"progression", "progress " + kNatal + "--date 2025-03-15 --method 3", 0,
       "PROGRESSIONS for Mar. 15 2025\nAngles directed using True Solar Arc in Longitude\n"},
      {"converse progression as a chart",
       "progress " + kNatal + "--date 2025-03-15 --method 3 --converse --json", 0, "\"chartType\": 57,"},
      {"period", "transits " + kNatal + "--from 2025-01-01 --to 2025-12-31", 0,
       "At the end of the period, Wednesday Dec. 31 2025"},
      {"converse solar arc", "direct " + kNatal + "--solar-arc --date 2020-03-15 --converse", 0,
       "Directed Sun - AQU.24"},
      {"symbolic", "direct " + kNatal + "--symbolic naibod --year 2000", 0,
       "SYMBOLIC DIRECTIONS NAIBOD (59'08 per year) for 2000:"},
      {"solar return", "return " + kNatal + "--solar 2025", 0, "SOLAR RETURN\n      March 15 2025\n"},
      {"return moment", "return " + kNatal + "--solar 2025 --json", 0, "\"exactUT\": \"2025-03-15T01:"},
      {"events with moments", "transits " + kNatal + "--from 2025-03-01 --to 2025-03-31 --objects Sun --json",
       0, "\"exactUT\": \"2025-03-"},
      {"a refused period", "transits " + kNatal + "--from 2025-03-01 --to 2025-02-01", 2,
       "The finishing date canoot be earlier than the starting one!"},
      {"a refused day", "progress " + kNatal + "--date 2025-02-29 --method 1", 2, "Date: impossible day"},
      {"too many days", "windows " + kNatal + "--from 2025-01 --to 2026-06 --kind solar", 2,
       "can take 365 days maximum"},
      {"a refused method", "progress " + kNatal + "--date 2025-02-28 --method 7", 2, "methods are 1 to 4"},
      {"a refused year", "return " + kNatal + "--solar 0", 2, "Impossible Year, earlier than that of birth!"},
      {"a refused month", "return " + kNatal + "--lunar 2025-13", 2, "Impossible Month!"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const Output out = talpora(r.args);
    EXPECT_EQ(out.status, r.status) << out.out;
    EXPECT_NE(out.out.find(r.expected), std::string::npos) << out.out;
  }
}

TEST(PredictCommands, TwelveOrThirteenSoliLunarWindowsAYear) {
  const Output out = talpora("windows " + kNatal + "--from 2025-01 --to 2025-12 --kind soli-lunar");
  ASSERT_EQ(out.status, 0);
  const std::size_t n = count(out.out, " Sun -Moo. Arc: ");
  EXPECT_GE(n, 12u);
  EXPECT_LE(n, 13u);
  const Output pair = talpora("windows " + kNatal + "--from 2025-01 --to 2025-12 --kind Moon,Sun");
  EXPECT_EQ(count(pair.out, " Sun -Moo. Arc: "), n);
}

}  // namespace
