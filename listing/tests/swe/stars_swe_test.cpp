// The fixed stars of the listing against Swiss Ephemeris's own star routine: inside the shipped table
// (1790-2000) and carried on outside it, for every star, from 1700 to 2100.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/zodiac.h"
#include "listing/listings.h"

using namespace talpora;

namespace {
// Tropical longitude of date (nutation included) at 1 January 0h UT of a year, Moshier ephemeris for
// the Earth, as the table was made.
double sweLongitude(const std::string& star, int year) {
  char name[SE_MAX_STNAME * 2 + 1];
  std::snprintf(name, sizeof name, "%s", star.c_str());
  double xx[6];
  char err[AS_MAXCH];
  const double tjd = swe_julday(year, 1, 1, 0.0, SE_GREG_CAL);
  if (swe_fixstar2_ut(name, tjd, SEFLG_MOSEPH, xx, err) < 0) return std::nan("");
  return xx[0];
}

// The catalogue's designations of a star of the name file, "Regulus (alpha Leo), mag. 1.4": ",alLeo"
// (the Greek letter abbreviated, a component number with or without a hyphen), else its name.
std::vector<std::string> designations(const std::string& record) {
  static const std::map<std::string, std::string> kGreek = {
      {"alpha", "al"},  {"beta", "be"}, {"gamma", "ga"}, {"delta", "de"}, {"epsilon", "ep"},
      {"zeta", "ze"},   {"eta", "et"},  {"theta", "th"}, {"iota", "io"},  {"kappa", "ka"},
      {"lambda", "la"}, {"mu", "mu"},   {"nu", "nu"},    {"xi", "xi"},    {"omicron", "omi"},
      {"pi", "pi"},     {"rho", "rh"},  {"sigma", "si"}, {"tau", "ta"},   {"upsilon", "up"},
      {"phi", "ph"},    {"chi", "ch"},  {"psi", "ps"},   {"omega", "ome"}};
  const std::string name = record.substr(0, record.find(" ("));
  const auto open = record.find(" ("), close = record.find(')');
  std::vector<std::string> out;
  if (open != std::string::npos && close != std::string::npos) {
    const std::string inner = record.substr(open + 2, close - open - 2);
    const auto blank = inner.find(' ');
    const auto greek = blank == std::string::npos ? kGreek.end() : kGreek.find(inner.substr(0, blank));
    if (greek != kGreek.end()) {
      const std::string rest = inner.substr(blank + 1);
      out.push_back("," + greek->second + rest);
      out.push_back("," + greek->second + "-" + rest);
    } else {
      out.push_back("," + inner);
    }
  }
  out.push_back(name);
  return out;
}
}  // namespace

TEST(FixedStarsSwe, EveryStarFrom1700To2100) {
  swe_set_ephe_path(const_cast<char*>(TALPORA_SWE_EPHE_PATH));
  const FixedStarCatalogue c = readFixedStars(std::filesystem::path(TALPORA_SOURCE_DIR) / "data");
  ASSERT_EQ(c.stars.size(), 106u);
  double worstInside = 0, worstOutside = 0;
  for (const FixedStar& s : c.stars) {
    std::string star;
    for (const auto& d : designations(s.name))
      if (star.empty() && std::isfinite(sweLongitude(d, 2000))) star = d;
    ASSERT_FALSE(star.empty()) << s.name;
    // The star found is the one tabulated: its 2000 value.
    ASSERT_LT(ShortestDistance(sweLongitude(star, 2000), s.longitudes[21]), 1e-6) << s.name << " as " << star;
    const std::string& name = s.name;
    for (int year : {1700, 1750, 1790, 1833, 1901, 1966, 1999, 2000, 2001, 2010, 2024, 2050, 2075, 2100}) {
      const double reference = sweLongitude(star, year);
      ASSERT_TRUE(std::isfinite(reference)) << name;
      const double d = ShortestDistance(starLongitude(s, year), reference);
      // Within the table: linear interpolation over a decade of a motion that is almost uniform, and
      // the nutation of the year start against the decade's (up to about 6" apart). Outside it: the
      // mean motion of 1790-2000 carried on, off by the nutation and by the slow change of the
      // precession rate (about 1.1" a century squared).
      const bool inside = year >= 1790 && year <= 2000;
      EXPECT_LT(d * 3600, inside ? 25.0 : 60.0) << name << " " << year;
      (inside ? worstInside : worstOutside) = std::max(inside ? worstInside : worstOutside, d * 3600);
    }
  }
  std::printf("worst difference: %.1f\" within 1790-2000, %.1f\" outside\n", worstInside, worstOutside);
  swe_close();
}
