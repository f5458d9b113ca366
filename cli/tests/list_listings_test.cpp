// talpora list with the listing program's own listings: simple, detailed, compared, heliocentric,
// houses, fixed stars, elements and arcs, of a moment given or of the present moment.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/tests/cli_test_support.h"

namespace fs = std::filesystem;

namespace {
using Ran = talpora::cli::testing::Ran;
Ran runTalpora(const std::string& args) {
  return talpora::cli::testing::run(args);
}

// A program directory with the shipped star and Chiron files.
struct ListingDir {
  ListingDir() {
    dir = fs::temp_directory_path() / ("talpora-cli-listings-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* f : {"ZYKFFL.DTF", "zykffn.dtf", "zykadb.DTF"})
      fs::copy_file(fs::path(TALPORA_SOURCE_DIR) / "data" / f, dir / f);
  }
  ~ListingDir() { fs::remove_all(dir); }
  std::string list(const std::string& args) const {
    return "list " + args + " --program-dir " + dir.string();
  }
  fs::path dir;
};

const std::string kParis =
    " 1996-01-05 14:05 --zone 0 --lon 2.33333333 --lat 48.86666667 --name 'Paris Sample' --place Paris";
}  // namespace

TEST(ListListings, SimpleListingOfAMoment) {
  ListingDir d;
  const Ran r = runTalpora(d.list("simple" + kParis));
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("Paris Sample - \nFriday January 5 1996, Paris 14h05\n"
                        "Longitude: 02\u00B020'East    Latitude: 48\u00B052'North\n",
                        0),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("\n  TROPICAL ZODIAC\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nPlacidus Houses:\n"), std::string::npos);
  const Ran sid = runTalpora(d.list("simple" + kParis + " --zodiac sidereal --house-system 11"));
  ASSERT_EQ(sid.status, 0);
  EXPECT_NE(sid.out.find("  SIDEREAL ZODIAC (using True Ayanamsa)"), std::string::npos);
  EXPECT_NE(sid.out.find("\nAlbatagenius Houses:\n"), std::string::npos);
}

TEST(ListListings, EveryListingOfTheMenu) {
  ListingDir d;
  const std::pair<std::string, std::string> expects[] = {
      {"detailed", "Astronomical information:"},
      {"compared", "                 TROPICAL:           SIDEREAL (True Ayanamsa):"},
      {"heliocentric", " HELIOCENTRIC POSITIONS - TROPICAL ZODIAC"},
      {"heliocentric-compared", " HELIOCENTRIC POSITIONS -\n"},
      {"houses", "HOUSE POSITIONS IN VARIOUS SYSTEMS:"},
      {"houses-compared", "(TROPICAL / SIDEREAL COMPARED)"},
      {"stars", " FIXED STARS:"},
      {"elements", "Elements (=triplicities) - Tropical Zodiac:"},
      {"elements-compared", "Quadruplicities - Sidereal Zodiac:"},
      {"arcs", "Planetary Arcs:"},
  };
  for (const auto& [name, line] : expects) {
    const Ran r = runTalpora(d.list(name + kParis));
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_NE(r.out.find(line), std::string::npos) << name << ":\n" << r.out;
  }
  // The fixed stars of the Sun at 14 deg 31' Capricorn in 1996: Vega among them.
  EXPECT_NE(runTalpora(d.list("stars" + kParis)).out.find("     Vega (alpha Lyr)"), std::string::npos);
  // Written to a file instead of standard output.
  const fs::path out = d.dir / "arcs.txt";
  ASSERT_EQ(runTalpora(d.list("arcs" + kParis + " --out " + out.string())).status, 0);
  EXPECT_TRUE(fs::exists(out));
}

TEST(ListListings, PresentMomentAndBadUsage) {
  ListingDir d;
  const Ran now = runTalpora(d.list("simple now"));
  ASSERT_EQ(now.status, 0);
  EXPECT_NE(now.out.find("Universal Time (GMT):"), std::string::npos);
  EXPECT_NE(now.out.find("  TROPICAL ZODIAC"), std::string::npos);
  EXPECT_EQ(runTalpora(d.list("compared" + kParis + " --zodiac sidereal")).status, 2);
  EXPECT_EQ(runTalpora(d.list("arcs" + kParis + " --zodiac sidereal")).status, 2);
  EXPECT_EQ(runTalpora(d.list("simple" + kParis + " --second" + kParis)).status, 2);
  EXPECT_EQ(runTalpora(d.list("simple now --place 100")).status, 2);
  EXPECT_EQ(runTalpora(d.list("simple now --lon 3")).status, 2);
  // Without a readable star file the work fails (a folder in its place: the program directory is
  // seeded with the files it lacks, so a missing file would come back).
  fs::remove(d.dir / "ZYKFFL.DTF");
  fs::create_directory(d.dir / "ZYKFFL.DTF");
  EXPECT_EQ(runTalpora(d.list("stars" + kParis)).status, 1);
}
