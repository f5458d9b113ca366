// The listings of one chart: their blocks, the fixed stars and the grid parameters.
#include "listing/listings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/zodiac.h"
#include "format/text_format.h"
#include "listing/grid_parameters.h"
#include "listing/tests/listing_test_support.h"
#include "platform/atomic_file.h"

using namespace talpora;
using namespace talpora::testing_support;

namespace {

struct Listed {
  Report report;
  unsigned long length = 0;
  std::vector<std::string> lines() const { return reportLines(report.text); }
  bool has(const std::string& l) const {
    for (const auto& x : lines())
      if (x == l) return true;
    return false;
  }
  // The lines joined by blanks (undoes the folding at 71 columns).
  std::string joined() const {
    std::string out;
    for (const auto& x : lines()) out += (out.empty() ? "" : " ") + x;
    return out;
  }
  std::size_t count(const std::string& prefix) const {
    std::size_t n = 0;
    for (const auto& x : lines())
      if (x.rfind(prefix, 0) == 0) ++n;
    return n;
  }
};

struct ChartFixture {
  ChartFixture() : dir(freshProgramDir("blocks")), settings(settingsFor(dir)), birth(parisChart()) {
    chart = compute(settings, birth);
  }
  ~ChartFixture() { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
  CIni settings;
  Chart1 birth;
  Chart2 chart;
};

FixedStar flatStar(double lon) {
  FixedStar s;
  s.longitudes.fill(lon);
  return s;
}

}  // namespace

TEST(ChartHeader, WeekdayDateCoordinatesAndJulianDay) {
  ChartFixture f;
  EXPECT_EQ(chartWeekday(f.birth, f.chart), 5);  // Friday
  Listed l;
  chartHeader(l.report, &l.length, f.settings, f.birth, f.chart);
  EXPECT_EQ(l.length, l.report.text.size());
  ASSERT_EQ(l.lines().size(), 4u);
  EXPECT_EQ(l.lines()[1], "Friday January 5 1996, Paris 14h05");
  Listed jd;
  julianDayLine(jd.report, &jd.length, f.chart);
  EXPECT_EQ(jd.lines()[0], " Julian Day: 2450088.08");
  // A west and south place, a local date a day behind Greenwich, a comment and a direction method.
  Chart1 west = chartRecord(31, 12, 1999, 20, 0, -5.0, -73.95, -40.5, "West", "Somewhere", 57, "Solar Arc");
  setField(west.comment, "a comment");
  CIni s = f.settings;
  const Chart2 c = compute(s, west);
  Listed w;
  chartHeader(w.report, &w.length, s, west, c);
  const auto lines = w.lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "a comment");
  EXPECT_EQ(lines[2], "Angles directed using True Solar Arc in Longitude");
  EXPECT_EQ(lines[3], "Friday December 31 1999, Somewhere 20h00");
  EXPECT_EQ(lines[4],
            "Longitude: 73\xB0"
            "57'West    Latitude: 40\xB0"
            "30'South");
  EXPECT_EQ(lines[5].rfind("Universal Time (GMT):Jan. 1, 1h00", 0), 0u);
}

TEST(Positions, RowsFollowTheChart) {
  ChartFixture f;
  Listed l;
  positionsTable(l.report, &l.length, f.settings, f.chart, PositionsLayout{false, 0, true, false, true});
  const auto lines = l.lines();
  ASSERT_EQ(lines.size(), 15u);  // heading and Sun to Chiron
  EXPECT_EQ(lines[0], "  TROPICAL ZODIAC");
  EXPECT_EQ(lines[1], "      Sun:          " + edl_sdms(f.chart.objects[kSun]));
  const std::string mars = "      Mars:         " + edl_sdmR(f.chart.objects[kMars], f.chart.motion[kMars]);
  EXPECT_EQ(lines[5].rfind(mars, 0), 0u);
  EXPECT_NE(lines[13].find("(=2nd focus of the Moon's orbit)"), std::string::npos);
  // Columns line up: every position starts in column 20 and the retrograde mark keeps the width.
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].substr(20, 3).size(), 3u);
  // Sidereal: the longitudes shifted by the ayanamsa.
  Listed sid;
  positionsTable(sid.report, &sid.length, f.settings, f.chart, PositionsLayout{false, 1, true, false, true});
  EXPECT_EQ(sid.lines()[1], "      Sun:          " + edl_sdms(f.chart.objects[kSun] - f.chart.trueAyanamsa));
  // Compared: the sidereal column after eight blanks.
  Listed cmp;
  positionsTable(cmp.report, &cmp.length, f.settings, f.chart, PositionsLayout{false, 2, true, false, true});
  EXPECT_EQ(cmp.lines()[0], " ");
  EXPECT_EQ(cmp.lines()[2], "      Sun:          " + edl_sdms(f.chart.objects[kSun]) + "        " +
                                edl_sdms(f.chart.objects[kSun] - f.chart.trueAyanamsa));
  // Heliocentric: the Earth first, opposite the Sun, and no Moon.
  Listed helio;
  positionsTable(helio.report, &helio.length, f.settings, f.chart,
                 PositionsLayout{true, 0, true, false, true});
  ASSERT_EQ(helio.lines().size(), 10u);
  EXPECT_EQ(helio.lines()[1],
            "      Earth:        " + edl_sdms(std::fmod(f.chart.objects[kSun] + 180.0, 360.0)));
}

TEST(Positions, EquatorialColumnsComeFromTheTropicalLongitude) {
  ChartFixture f;
  Listed trop, sid;
  positionsTable(trop.report, &trop.length, f.settings, f.chart,
                 PositionsLayout{false, 0, false, true, false});
  positionsTable(sid.report, &sid.length, f.settings, f.chart, PositionsLayout{false, 1, false, true, false});
  ASSERT_EQ(trop.lines().size(), 17u);
  EXPECT_EQ(trop.lines()[1], "                                          Right");
  EXPECT_EQ(trop.lines()[2], "       Longitude:     Latitude:         Ascension:  Declination: ");
  // Right ascension and declination are the same in both zodiacs; the Sun's declination in early
  // January is about 22.6 degrees south.
  const std::string sunTrop = trop.lines()[3], sunSid = sid.lines()[3];
  const std::string radecl = radel(f.chart.objects[kSun], f.chart.objectLat[kSun], f.chart.obliquity);
  EXPECT_EQ(sunTrop.substr(sunTrop.size() - radecl.size()), radecl);
  EXPECT_EQ(sunSid.substr(sunSid.size() - radecl.size()), radecl);
  double ra = 0, decl = 0;
  lb_radel(f.chart.objects[kSun], 0, f.chart.obliquity, ra, decl);
  EXPECT_NEAR(decl, -22.6, 0.2);
  // The nodes, the Black Moon and Chiron have no equatorial columns.
  EXPECT_EQ(trop.lines()[13].find(radel(f.chart.objects[kNorthNode], 0, f.chart.obliquity)),
            std::string::npos);
}

TEST(Houses, EverySystemIncludingAlbatagenius) {
  ChartFixture f;
  Listed l;
  allHouses(l.report, &l.length, f.settings, f.birth, f.chart, 0);
  EXPECT_EQ(l.lines()[0], "HOUSE POSITIONS IN VARIOUS SYSTEMS:");
  EXPECT_EQ(l.lines()[1], "Tropical Zodiac");
  EXPECT_EQ(l.count("      ASC:"), 11u);
  for (const char* title :
       {"Placidus Houses:", "Campanus Houses:", "Regiomontanus Houses:", "Koch Houses:", "Equal Houses:",
        "Bi-horary System of Houses:", "Porphyre System of Houses:",
        "Alcabitius Houses, an equatorial equivalent of Porphyre:",
        "Vendel Polich, said 'topocentric system':", "Abenragel Houses:", "Albatagenius Houses:"})
    EXPECT_TRUE(l.has(title)) << title;
  // The cusps are the engine's: the MC of Placidus is the chart's own cusp 10.
  Listed p;
  housesOfSystem(p.report, &p.length, f.settings, f.birth, f.chart, 1, 0);
  ASSERT_EQ(p.lines().size(), 5u);
  EXPECT_EQ(p.lines()[4].substr(0, 20), "       MC:" + edl_sdm(f.chart.cusps[9]));
  EXPECT_EQ(p.lines()[1].substr(0, 20), "      ASC:" + edl_sdm(f.chart.cusps[0]));
  // Compared: six cusps, tropical and sidereal.
  Listed c;
  housesOfSystem(c.report, &c.length, f.settings, f.birth, f.chart, 1, 2);
  ASSERT_EQ(c.lines().size(), 8u);
  EXPECT_EQ(c.lines()[2], "          ASC:   " + edl_sdm(f.chart.cusps[0]) + "           " +
                              edl_sdm(f.chart.cusps[0] - f.chart.trueAyanamsa));
  // Beyond the polar circle Placidus cannot be computed: the listing says the cusps are Porphyre's.
  Chart1 north = chartRecord(21, 12, 2000, 12, 0, 1.0, 25.0, 70.0, "North", "Far North");
  const Chart2 nc = compute(f.settings, north);
  Listed n;
  housesOfSystem(n.report, &n.length, f.settings, north, nc, 1, 0);
  EXPECT_TRUE(n.has("   (cannot be computed at this latitude: the cusps are Porphyre's)"));
}

TEST(Houses, DefaultSystemNoHousesListsNothing) {
  ChartFixture f;
  CIni s = f.settings;
  s.houseSystem = 0;
  Listed l;
  housesOfSystem(l.report, &l.length, s, f.birth, f.chart, 0, 0);
  EXPECT_TRUE(l.report.empty());
  s.houseSystem = 11;
  housesOfSystem(l.report, &l.length, s, f.birth, f.chart, 0, 0);
  EXPECT_TRUE(l.has("Albatagenius Houses:"));
}

TEST(Elements, EveryObjectCountedOncePerSection) {
  ChartFixture f;
  Listed l;
  elementsAndQuadruplicities(l.report, &l.length, f.settings, f.birth, f.chart, 2, true);
  const auto lines = l.lines();
  EXPECT_EQ(lines[0], "Elements and quadruplicities:");
  EXPECT_EQ(lines[1], "Elements (=triplicities) - Tropical Zodiac:");
  int total = 0, sections = 0;
  for (const auto& x : lines) {
    int n = 0;
    if (std::sscanf(x.c_str(), " %*s =%d,", &n) == 1) total += n;
    if (x.back() == ':') ++sections;
  }
  EXPECT_EQ(sections, 5);    // heading and four sections
  EXPECT_EQ(total, 4 * 17);  // 17 objects with houses and Chiron, in four sections
  // The Sun in Capricorn: earth and cardinal in the tropical zodiac.
  EXPECT_EQ(lines[3].rfind(" Earth =", 0), 0u);
  EXPECT_NE(lines[3].find("Sun "), std::string::npos);
  EXPECT_NE(lines[7].find("Sun "), std::string::npos);
  EXPECT_EQ(lines[7].rfind(" Cardinal =", 0), 0u);
}

TEST(OtherInformation, ArcsNutationAndDeltaT) {
  ChartFixture f;
  Listed arcs;
  planetaryArcs(arcs.report, &arcs.length, f.chart);
  EXPECT_EQ(arcs.lines().size(), 1u + 65u);
  EXPECT_EQ(arcs.count(" Nod.-"), 0u);
  Listed sl;
  soliLunar(sl.report, &sl.length, f.chart);
  const double arc = std::fmod(f.chart.objects[kMoon] - f.chart.objects[kSun] + 360.0, 360.0);
  EXPECT_EQ(sl.lines()[0], " Soli-Lunar Arc: " + edb_dm(arc, 0));
  // The soli-lunar period is the 28th of the lunation the arc lies in.
  EXPECT_EQ(sl.lines()[1], " The Soli-Lunar Period is no. " +
                               std::to_string(static_cast<int>(arc / (360.0 / 28)) + 1) + ".");
  Listed mv;
  mercuryAndVenus(mv.report, &mv.length, f.chart);
  EXPECT_EQ(mv.lines().size(), 2u);
  // Nutation in longitude stays within its amplitude of about 17.2".
  EXPECT_LT(std::fabs(nutationSeconds(f.chart)), 18.5);
  Chart2 c = f.chart;
  c.trueAyanamsa -= nutationSeconds(c) / 3600.0 + 0.505 / 3600.0;  // -0.505"
  Listed nut;
  nutationLine(nut.report, &nut.length, c);
  EXPECT_EQ(nut.lines()[0], " Nutation: -0.50\"");
  Listed dt;
  dynamicalTimeLine(dt.report, &dt.length, f.birth);
  EXPECT_NE(dt.joined().find("with estimated Terrestrial Dynamical Time correction= 61.0 sec."),
            std::string::npos);
  Chart1 old = f.birth;
  old.year = 1950;
  Listed dt1950;
  dynamicalTimeLine(dt1950.report, &dt1950.length, old);
  EXPECT_NE(dt1950.joined().find(" with Terrestrial Dynamical Time correction= 29.4 sec."),
            std::string::npos);
  Chart1 future = f.birth;
  future.year = 2030;
  Listed dt2030;
  dynamicalTimeLine(dt2030.report, &dt2030.length, future);
  EXPECT_NE(dt2030.report.text.find("with estimated"), std::string::npos);
  EXPECT_EQ(dt2030.report.text.find("without"), std::string::npos);
}

TEST(FixedStars, ShippedCatalogueIsWholeAndOrdered) {
  const FixedStarCatalogue c = readFixedStars(std::filesystem::path(TALPORA_SOURCE_DIR) / "data");
  ASSERT_TRUE(c.longitudesOpened);
  ASSERT_TRUE(c.namesOpened);
  ASSERT_EQ(c.stars.size(), 106u);
  // Ordered by longitude, with the quadrants starting at stars 0, 25, 53 and 77, at every decade.
  for (int j = 0; j < kStarValues; ++j) {
    for (std::size_t k = 1; k < c.stars.size(); ++k)
      EXPECT_LT(c.stars[k - 1].longitudes[j], c.stars[k].longitudes[j]);
    EXPECT_GT(c.stars[25].longitudes[j], 90);
    EXPECT_LE(c.stars[24].longitudes[j], 90);
    EXPECT_GT(c.stars[53].longitudes[j], 180);
    EXPECT_GT(c.stars[77].longitudes[j], 270);
  }
  bool regulus = false;
  for (const auto& s : c.stars) {
    EXPECT_FALSE(s.name.empty());
    EXPECT_LT(s.name.size(), kStarNameSize);
    if (s.name.rfind("Regulus", 0) == 0) {
      regulus = true;
      // Regulus: 29 deg 50' Leo at the start of 2000 (precession since 1790: 2.93 degrees).
      EXPECT_NEAR(s.longitudes[21], 149.83, 0.02);
      // Precession less its proper motion of about -0.25" a year.
      EXPECT_NEAR(s.longitudes[21] - s.longitudes[0], 210 * kPrecessionPerYear, 0.03);
    }
  }
  EXPECT_TRUE(regulus);
}

TEST(FixedStars, LongitudeStaysWithinTheStarsOwnValues) {
  FixedStar s;
  for (int j = 0; j < kStarValues; ++j) s.longitudes[j] = 100.0 + j * 0.14;
  EXPECT_DOUBLE_EQ(starLongitude(s, 1790), 100.0);
  EXPECT_DOUBLE_EQ(starLongitude(s, 2000), 100.0 + 21 * 0.14);
  EXPECT_NEAR(starLongitude(s, 1795), 100.07, 1e-12);
  EXPECT_NEAR(starLongitude(s, 1999), 100.0 + 20 * 0.14 + 0.9 * 0.14, 1e-12);
  // Outside the table: carried on by precession, never another star's value.
  EXPECT_NEAR(starRatePerYear(s), 0.014, 1e-12);
  EXPECT_NEAR(starLongitude(s, 2025), 100.0 + 21 * 0.14 + 25 * 0.014, 1e-12);
  EXPECT_NEAR(starLongitude(s, 1700), 100.0 - 90 * 0.014, 1e-12);
  // A table without a sensible motion: the general precession.
  EXPECT_DOUBLE_EQ(starRatePerYear(flatStar(42.0)), kPrecessionPerYear);
  // A star carried through 0 degrees Aries within a decade.
  FixedStar wrap;
  wrap.longitudes.fill(359.9);
  wrap.longitudes[1] = 0.04;
  EXPECT_NEAR(starLongitude(wrap, 1795), 359.97, 1e-9);
  EXPECT_NEAR(starLongitude(flatStar(359.99), 2100), std::fmod(359.99 + 100 * kPrecessionPerYear, 360.0),
              1e-9);
}

TEST(FixedStars, ContactsAcrossZeroAriesAndQuadrants) {
  FixedStarCatalogue c;
  c.longitudesOpened = c.namesOpened = true;
  for (double lon : {0.5, 89.5, 91.5, 200.0, 358.5}) c.stars.push_back(flatStar(lon));
  // A point at 359 degrees sees the stars at 0.5 and 358.5, the one behind first.
  auto near359 = starContacts(c, 359.0, 2000);
  ASSERT_EQ(near359.size(), 2u);
  EXPECT_EQ(near359[0].star, 4);
  EXPECT_EQ(near359[1].star, 0);
  EXPECT_NEAR(near359[1].orb, 1.5, 1e-9);
  // A point at 91 degrees sees both sides of the quadrant boundary.
  auto near91 = starContacts(c, 91.0, 2000);
  ASSERT_EQ(near91.size(), 2u);
  EXPECT_EQ(near91[0].star, 1);
  EXPECT_EQ(near91[1].star, 2);
  // The orb is strict: exactly two degrees is no contact; -1 has no contacts.
  EXPECT_TRUE(starContacts(c, 202.0, 2000).empty());
  EXPECT_EQ(starContacts(c, 201.99, 2000).size(), 1u);
  EXPECT_TRUE(starContacts(c, kNoPosition, 2000).empty());
}

TEST(FixedStars, ShortAndDamagedFilesAreReadSafely) {
  const auto dir = freshProgramDir("shortstars");
  const auto full = readFile(dir / kStarLongitudeFile);
  ASSERT_TRUE(full.has_value());
  // Ten and a half stars: ten are taken.
  ASSERT_TRUE(replaceFileAtomically(dir / kStarLongitudeFile, full->substr(0, 176 * 10 + 88)).ok);
  // A name record without its NUL, and a name file ending within star 3.
  std::string names(45 * 3 + 20, 'A');
  ASSERT_TRUE(replaceFileAtomically(dir / kStarNameFile, names).ok);
  const FixedStarCatalogue c = readFixedStars(dir);
  EXPECT_TRUE(c.longitudesOpened);
  ASSERT_EQ(c.stars.size(), 10u);
  EXPECT_EQ(c.stars[0].name, std::string(44, 'A'));
  EXPECT_EQ(c.stars[2].name.size(), 44u);
  EXPECT_TRUE(c.stars[3].name.empty());
  // The listing names a star without a name by its number.
  CIni settings = settingsFor(dir);
  Chart1 birth = parisChart();
  Chart2 chart = compute(settings, birth);
  chart.objects[kSun] = starLongitude(c.stars[5], 1996) + 0.5;
  Listed l;
  fixedStars(l.report, &l.length, settings, birth, chart, 0, c, nullptr);
  EXPECT_TRUE(l.has("     Star no. 6"));
  std::filesystem::remove_all(dir);
}

TEST(FixedStars, ListingOfAChart) {
  ChartFixture f;
  const FixedStarCatalogue c = readFixedStars(f.dir);
  // Put the Sun on Regulus in 2010: listed with its longitude of 2010 and the orb.
  Chart1 birth = f.birth;
  birth.year = 2010;
  Chart2 chart = f.chart;
  int regulus = -1;
  for (std::size_t k = 0; k < c.stars.size(); ++k)
    if (c.stars[k].name.rfind("Regulus", 0) == 0) regulus = static_cast<int>(k);
  ASSERT_GE(regulus, 0);
  const double star = starLongitude(c.stars[static_cast<std::size_t>(regulus)], 2010);
  EXPECT_NEAR(star, 149.83 + 10 * kPrecessionPerYear, 0.03);
  chart.objects[kSun] = star - 0.25;
  Listed l;
  fixedStars(l.report, &l.length, f.settings, birth, chart, 0, c, nullptr);
  const auto lines = l.lines();
  EXPECT_EQ(lines[0], " FIXED STARS:");
  EXPECT_EQ(lines[1], "   Longitudes referring to the Tropical Zodiac");
  const auto at = std::find(lines.begin(), lines.end(), "Sun  (" + edl_sdm(chart.objects[kSun]) + ")");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(*(at - 1), "");
  const auto name = std::find(at, lines.end(), "     " + c.stars[static_cast<std::size_t>(regulus)].name);
  ASSERT_NE(name, lines.end());
  EXPECT_EQ(*(name + 1), "        (longitude of the star: " + edl_sdm(star) +
                             " orb= 00\xB0"
                             "15')");
  // Sidereal: the same contacts, longitudes in the sidereal zodiac.
  Listed sid;
  fixedStars(sid.report, &sid.length, f.settings, birth, chart, 1, c, nullptr);
  EXPECT_TRUE(sid.has("   using True Ayanamsa"));
  EXPECT_TRUE(sid.has("        (longitude of the star: " + edl_sdm(star - chart.trueAyanamsa) +
                      " orb= 00\xB0"
                      "15')"));
}

TEST(GridParameters, TwentySevenBytesLittleEndian) {
  const GridParameters p = listingGridParameters(true, false, 1);
  const std::string b = encodeGridParameters(p);
  ASSERT_EQ(b.size(), kGridParameterSize);
  const std::string expected(
      "\0\0\0\0"
      "\1\0\0\0"
      "\0\0\0\0"
      "\0\0\0\0"
      "\1\0\0\0"
      "\1\1\1"
      "\x0f\0\0\0",
      27);
  EXPECT_EQ(b, expected);
  EXPECT_EQ(decodeGridParameters(b), p);
  EXPECT_FALSE(decodeGridParameters(b.substr(0, 26)).has_value());
  EXPECT_FALSE(decodeGridParameters(b + "x").has_value());
  const auto dir = freshProgramDir("grid");
  GridParameters two = p;
  two.mode = 10;
  two.layout = 5;
  ASSERT_TRUE(writeGridParameters(dir, two));
  EXPECT_EQ(readGridParameters(dir), two);
  ASSERT_TRUE(replaceFileAtomically(dir / kGridParameterFile, b.substr(0, 20)).ok);
  EXPECT_FALSE(readGridParameters(dir).has_value());
  std::filesystem::remove_all(dir);
}
