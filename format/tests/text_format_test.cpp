// zykfmt tests: names, angles, coordinates, dates and times, listing longitudes, the ruler sentence.
#include "format/text_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/calendar.h"
#include "engine/houses.h"
#include "platform/cp1252.h"

namespace talpora {
namespace {

// The formatters write CP1252; the expectations are written in UTF-8.
std::string u(const std::string& cp1252) {
  return cp1252ToUtf8(cp1252);
}
double dms(int d, int m, double s) {
  return d + m / 60.0 + s / 3600.0;
}

TEST(Names, ObjectsSignsAspectsSystems) {
  EXPECT_EQ(PlanetName(0, 1, 0, 0, 0, 0), "Sun ");
  EXPECT_EQ(PlanetName(12, 1, 0, 0, 0, 0), "BMoo");
  EXPECT_EQ(PlanetName(15, 1, 0, 0, 0, 0), "MC. ");
  EXPECT_EQ(PlanetName(10, 0, 0, 0, 0, 0), "Nth Node");
  EXPECT_EQ(PlanetName(16, 0, 0, 0, 1, 0), "Part of Fortune:");
  EXPECT_EQ(PlanetName(17, 0, 0, 0, 1, 0), "Vertex:");
  EXPECT_EQ(PlanetName(18, 0, 0, 0, 1, 0), "East Point");
  EXPECT_EQ(PlanetName(1, 0, 0, 12, 0, 1), "Earth       ");
  EXPECT_EQ(PlanetName(1, 1, 0, 0, 0, 1), "Ear.");
  EXPECT_EQ(PlanetName(1, 2, 0, 0, 1, 1), "Earth:");
  EXPECT_EQ(PlanetName(1, 2, 0, 0, 1, 0), "Moon:");
  EXPECT_EQ(PlanetName(3, 0, 0, 40, 0, 0).size(), 30u);         // width capped at 30
  EXPECT_EQ(PlanetName(16, 0, 0, 4, 0, 0), "Part of Fortune");  // never cut
  EXPECT_EQ(PlanetName(19, 0, 0, 0, 0, 0), "---");
  EXPECT_EQ(PlanetName(-1, 1, 0, 6, 0, 0), "---   ");
  EXPECT_EQ(SignName(1, 0, 0, 0, 0), "Aries");
  EXPECT_EQ(SignName(9, 1, 0, 0, 0), "Sag");
  EXPECT_EQ(SignName(12, 0, 0, 0, 1), "Pisces:");
  EXPECT_EQ(SignName(5, 1, 0, 6, 1), "Leo:  ");
  EXPECT_EQ(SignName(0, 0, 0, 0, 0), "---");
  EXPECT_EQ(SignName(13, 1, 0, 0, 0), "---");
  EXPECT_EQ(AspectName(0, 0, 0), "conjunction");
  EXPECT_EQ(AspectName(0, 0, 1), "Conjunction");
  EXPECT_EQ(AspectName(19, 0, 0), "contraparallel of declination");
  EXPECT_EQ(AspectedName(1, 0, 1), "Opposed");
  EXPECT_EQ(AspectedName(5, 0, 0), "inconjunct");
  EXPECT_EQ(AspectedName(18, 0, 0), "parallel");
  EXPECT_EQ(AspectName(20, 0, 0), "---");
  EXPECT_EQ(AspectedName(-1, 0, 1), "---");
  const char* systems[12] = {"No Houses",  "Placidus",      "Campanus",  "Regiomontanus",
                             "Koch",       "Equal Houses",  "Bi-horary", "Porphyre",
                             "Alcabitius", "Vendel Polich", "Abenragel", "Albatagenius"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(HouseSystemName(i), systems[i]);
  EXPECT_EQ(HouseSystemName(12), "---");
  CIni s = defaultSettings("/tmp");
  s.ayanamsa = 1;
  EXPECT_EQ(AyanamsaName(s, 0), "True Ayanamsa");
  EXPECT_EQ(AyanamsaName(s, 1), "True Ay.");
  s.ayanamsa = 2;
  EXPECT_EQ(AyanamsaName(s, 0), "Synetic Vernal Point");
  EXPECT_EQ(AyanamsaName(s, 1), "SVP");
  s.ayanamsa = 0;
  EXPECT_EQ(AyanamsaName(s, 0), "---");
}

TEST(Names, OrdinalNumbers) {
  const std::pair<int, const char*> cases[] = {
      {1, "1st"},   {2, "2nd"},   {3, "3rd"},     {4, "4th"},     {11, "11th"},   {12, "12th"}, {13, "13th"},
      {21, "21st"}, {22, "22nd"}, {101, "101st"}, {111, "111th"}, {112, "112th"}, {0, "0th"}};
  for (const auto& [n, text] : cases) EXPECT_EQ(ProperFormat(n), text);
}

TEST(Angles, SiderealHours) {
  EXPECT_EQ(edth_hms(23.99999, 0), " 0h00m00s");
  EXPECT_EQ(edth_hms(dms(9, 5, 7), 0), " 9h05m07s");
  EXPECT_EQ(edth_hms(dms(13, 5, 20), 1), "13h05m");
  EXPECT_EQ(edth_hms(dms(13, 5, 40), 1), "13h06m");
  EXPECT_EQ(edth_hms(23.999, 1), " 0h00m");
  EXPECT_EQ(edth_hms(-1, 0), "23h00m00s");
  EXPECT_EQ(edth_hms(NAN, 0), "---");
}

TEST(Angles, ColumnLongitudes) {
  EXPECT_EQ(u(edl_sdm(dms(5, 7, 0))), "ARI. 5°07'");
  EXPECT_EQ(u(edl_sdm(30 + 15.5)), "TAU.15°30'");
  EXPECT_EQ(u(edl_sdm(120 + dms(2, 45, 0))), "LEO  2°45'");
  EXPECT_EQ(u(edl_sdm(330 + dms(29, 59, 40))), "ARI. 0°00'");
  EXPECT_EQ(u(edl_sdm(359.99)), "PIS.29°59'");
  EXPECT_EQ(u(edl_sdm(360.0)), "ARI. 0°00'");
  EXPECT_EQ(u(edl_sdm(-0.5)), "PIS.29°30'");
  EXPECT_EQ(edl_sdm(-1.0), "---");
  EXPECT_EQ(edl_sdm(NAN), "---");
  EXPECT_EQ(u(edl_sdmR(30 + 15.5, 'R')), "TAU.15°30' R");
  EXPECT_EQ(u(edl_sdmR(30 + 15.5, 'D')), "TAU.15°30'");
  EXPECT_EQ(edl_sdmR(-1.0, 'R'), "---");
  EXPECT_EQ(u(edl_sdms(60 + dms(12, 3, 9))), "GEM.12°03'09\"");
  EXPECT_EQ(u(edl_sdms(270 + dms(5, 59, 59.7))), "CAP. 6°00'00\"");
  EXPECT_EQ(u(edl_sdms(dms(15, 10, 20))), "ARI.15°10'20\"");
}

TEST(Angles, SignedAngles) {
  EXPECT_EQ(u(edb_dm(-0.5, 0)), "-00°30'");
  EXPECT_EQ(u(edb_dm(0.5, -1)), "00°30'");
  EXPECT_EQ(u(edb_dm(-0.5, -1)), "-00°30'");
  EXPECT_EQ(u(edb_dm(7.25, 0)), " 07°15'");
  EXPECT_EQ(u(edb_dm(0.0, 0)), " 00°00'");
  EXPECT_EQ(u(edb_dm(-0.0, 0)), " 00°00'");
  EXPECT_EQ(u(edb_dm(123.999, 3)), " 124°00'");
  EXPECT_EQ(u(edb_dm(7.25, 3)), "   7°15'");
  EXPECT_EQ(edb_dm(-7.25, 12), "-07deg.15'");
  EXPECT_EQ(u(edb_dms(-dms(23, 26, 21.4), 0)), "-23°26'21\"");
  EXPECT_EQ(edb_dms(dms(1, 2, 3), 12), " 01deg.02'03\"");
  EXPECT_EQ(edb_dm(INFINITY, 0), "---");
}

TEST(Angles, GeographicCoordinates) {
  EXPECT_EQ(u(edb_geographicalongldms(2.35, 0, 0)), "02°21'00\"E");
  EXPECT_EQ(u(edb_geographicalongldms(-74.0060, 0, 1)), "74°00'22\"West");
  EXPECT_EQ(u(edb_geographicalongldms(0.0, 0, 1)), "00°00'00\"East");
  EXPECT_EQ(u(edb_geographicalongldms(151.2, 0, 5)), "151°12'00\"");
  EXPECT_EQ(edb_geographicalongldms(2.35, 12, 0), "02E21'00\"");
  EXPECT_EQ(edb_geographicalongldms(-2.35, 12, 1), "02W21'00\"");
  EXPECT_EQ(u(edb_geographicallatdm(48.85, 0, 0)), "48°51'N");
  EXPECT_EQ(u(edb_geographicallatdm(-33.9, 0, 1)), "33°54'South");
  EXPECT_EQ(u(edb_geographicallatdm(51.5, 0, 2)), "51°30'");
  EXPECT_EQ(edb_geographicallatdm(-33.9, 12, 0), "33S54'");
  EXPECT_EQ(edb_geographicallatdm(5.0, 12, 0), "05N00'");
}

TEST(Angles, EquatorialCoordinates) {
  double ra = 0, decl = 0;
  lb_radel(90, 0, 23.4392911, ra, decl);
  EXPECT_NEAR(ra, 90, 1e-9);
  EXPECT_NEAR(decl, 23.4392911, 1e-9);
  lb_radel(300, 0, 23.4392911, ra, decl);
  EXPECT_GT(ra, 270);
  EXPECT_LT(ra, 360);
  EXPECT_EQ(u(radel(90, 0, 23.4392911)), " 6h00m00s     23° N 26'");
  EXPECT_EQ(u(radel(270, 0, 23.4392911)), "18h00m00s     23° S 26'");
  lb_radel(10, 0, 23.4392911, ra, decl);
  EXPECT_EQ(u(radel(10, 0, 23.4392911)), edth_hms(ra / 15, 0) + "      3° N 58'");
}

TEST(Dates, CalendarDatesAndClockTimes) {
  EXPECT_EQ(ed_date(5, 1, 1996, 0), "Jan. 5 1996");
  EXPECT_EQ(ed_date(17, 5, 1996, 1), "May 17");
  EXPECT_EQ(ed_date(17, 13, 1996, 1), "--- 17");
  const double sunday = julian_dayh(5, 1, 1997, 14, 5);  // a Sunday
  EXPECT_EQ(jd_date(sunday, 2, 1), "Sunday Jan. 5 1997");
  EXPECT_EQ(jd_date(sunday, 1, 1), "Sun. Jan. 5 1997");
  EXPECT_EQ(jd_date(sunday, 0, 0), "Jan. 5");
  EXPECT_EQ(jd_date(julian_dayh(6, 1, 1997, 0, 30), 1, 1), "Mon. Jan. 6 1997");
  EXPECT_EQ(jd_time(sunday), "14h05");
  EXPECT_EQ(jd_time(julian_dayh(5, 1, 1997, 9, 30)), " 9h30");
  EXPECT_EQ(jd_ut2(julian_dayh(6, 1, 1997, 2, 15), 5), "Jan. 6, 2h15");
  EXPECT_EQ(jd_ut2(sunday, 5), "14h05");
  EXPECT_EQ(jd_ut2(julian_dayh(6, 1, 1997, 0, 30), 5), "Jan. 6, 0h30");
  EXPECT_EQ(jd_ut2(julian_dayh(6, 5, 1997, 0, 30), 5), "May 6, 0h30");
  EXPECT_EQ(jd_ut(julian_dayh(5, 1, 1996, 12, 0), 1), "Universal Time (GMT):5 Jan 1996");
  EXPECT_EQ(jd_ut(julian_dayh(5, 1, 1996, 12, 0), 7), "5 Jan");
  EXPECT_EQ(jd_ut(julian_dayh(5, 1, 1996, 12, 0), 0), "5 Jan 1996");
  EXPECT_EQ(jd_datetime(sunday, 0), "1997 Jan. 5, 14h05");
  EXPECT_EQ(jd_datetime(sunday, 1), "Jan. 5, 14h05");
  EXPECT_EQ(jd_datetime(sunday, 2), "Sun. Jan. 5, 14h05");
  EXPECT_EQ(jd_datetime(sunday, 3), "Sunday Jan. 5, 14h05");
  EXPECT_EQ(jd_datetime(sunday, 4), "Jan. 5 1997, 14h05");
  EXPECT_EQ(jd_date(NAN, 1, 1), "---");
  EXPECT_EQ(jd_time(INFINITY), "---");
}

TEST(Dates, TwelveAndTwentyFourHourClocks) {
  CIni s = defaultSettings("/tmp");
  s.ampm = 1;
  EXPECT_EQ(Smart_time(0, 0, 0, 0, s), "12:00AM");
  EXPECT_EQ(Smart_time(12, 0, 0, 0, s), "12:00PM");
  EXPECT_EQ(Smart_time(13, 0, 0, 0, s), "1:00PM");
  EXPECT_EQ(Smart_time(14, 5, 9, 1, s), "2:05:09PM");
  EXPECT_EQ(Smart_time(9, 5, 0, 0, s), "9:05AM");
  const double jd = julian_dayh(5, 1, 1997, 14, 5);
  EXPECT_EQ(Smart_datetime(jd, 1, 2, 1, 1, 0, s), "Sunday Jan. 5 1997, 2:05PM");
  s.ampm = 0;
  EXPECT_EQ(Smart_time(14, 5, 0, 0, s), "14h05");
  EXPECT_EQ(Smart_time(14, 5, 9, 1, s), "14h05m09s");
  EXPECT_EQ(Smart_time(25, 0, 0, 0, s), "---");
  EXPECT_EQ(Smart_datetime(jd, 1, 1, 0, 0, 0, s), "Sun. Jan. 5");
  EXPECT_EQ(Smart_datetime(jd, 0, 0, 0, 1, 1, s), "14h05m00s");
  EXPECT_EQ(Smart_datetime(jd, 1, 0, 1, 1, 0, s), "Jan. 5 1997, 14h05");
}

Chart2 sampleChart() {
  Chart2 c;
  for (int i = 0; i < kObjectCount; ++i) c.objects[i] = 12.0 * i + 3.5;
  for (int i = 0; i < kObjectCount; ++i) c.motion[i] = 'D';
  c.trueAyanamsa = 24.0;
  c.syneticVernalPoint = 336.0;
  return c;
}

TEST(ListingLongitudes, LayoutsAndZodiacs) {
  CIni s = defaultSettings("/tmp");
  const Chart2 c = sampleChart();
  EXPECT_EQ(u(Smart_longitude1(30 + dms(5, 7, 0), 'R', s, c, 0, 1, 0, 1, 0, 0)), "Tau.  5°07'R");
  EXPECT_EQ(u(Smart_longitude1(60 + dms(29, 59, 59), 'D', s, c, 0, 1, 1, 1, 0, 0)), "Gem. 29°59'59\" ");
  EXPECT_EQ(u(Smart_longitude1(330 + dms(29, 59, 40), 'D', s, c, 0, 1, 0, 0, 0, 0)), "Ari.  0°00'");
  EXPECT_EQ(u(Smart_longitude1(120 + 12.5, 'D', s, c, 0, 1, 0, 1, 1, 1)), "Leo 12°30'");
  EXPECT_EQ(u(Smart_longitude1(120 + 12.5, 'D', s, c, 0, 0, 0, 0, 0, 0)), "12°30'");
  EXPECT_EQ(Smart_longitude1(-1, 'D', s, c, 0, 1, 0, 0, 0, 0), "---");
  // Sidereal: the true ayanamsa (24 degrees) subtracted, or the synetic vernal point added.
  s.ayanamsa = 1;
  EXPECT_EQ(u(Smart_longitude1(30, 'D', s, c, 1, 1, 0, 0, 0, 0)), "Ari.  6°00'");
  EXPECT_EQ(u(Smart_longitude1(10, 'D', s, c, 1, 1, 0, 0, 0, 0)), "Pis. 16°00'");
  s.ayanamsa = 2;
  EXPECT_EQ(u(Smart_longitude1(30, 'D', s, c, 1, 1, 0, 0, 0, 0)), "Ari.  6°00'");
  Chart2 r = c;
  r.motion[kMars] = 'R';
  s.ayanamsa = 1;
  EXPECT_EQ(u(Smart_longitude2(kMars, s, r, 0, 1, 0, 1, 0, 0)), "Tau. 21°30'R");
  EXPECT_EQ(u(Smart_longitude2(kMars, s, r, 1, 1, 0, 1, 0, 0)), "Ari. 27°30'R");
  EXPECT_EQ(Smart_longitude2(17, s, r, 0, 1, 0, 1, 0, 0), "---");
}

TEST(RulerSentence, HouseRulerAndItsHouse) {
  CIni s = defaultSettings("/tmp");
  s.houseSystem = 1;
  Chart1 b;
  b.timeKnown = 1;
  b.latitude = 45;
  b.longitude = 1;
  Chart2 c = sampleChart();
  c.houseSystem = 1;
  for (int k = 0; k < 12; ++k) c.cusps[k] = 10.0 + 30 * k;  // cusp 1 in Aries, cusp 10 at 280
  c.objects[kMars] = 290;                                   // in the 10th house
  EXPECT_EQ(RulerOfHouseIsInHouse(1, 0, 0, s, b, c),
            "Mars, ruler of the 1st house (cusp in Ari), is in the 10th house.");
  // Scorpio on cusp 8 (220): Pluto in the modern rulership, Mars in the traditional one.
  c.objects[kPluto] = 15;
  EXPECT_EQ(RulerOfHouseIsInHouse(8, 0, 0, s, b, c),
            "Pluto, ruler of the 8th house (cusp in Sco), is in the 1st house.");
  EXPECT_EQ(RulerOfHouseIsInHouse(8, 0, 1, s, b, c),
            "Mars, ruler of the 8th house (cusp in Sco), is in the 10th house.");
  // Without houses the ruler's house is left out.
  b.timeKnown = 0;
  EXPECT_EQ(RulerOfHouseIsInHouse(1, 0, 0, s, b, c), "Mars, ruler of the 1st house (cusp in Ari).");
  EXPECT_EQ(RulerOfHouseIsInHouse(0, 0, 0, s, b, c), "---");
  EXPECT_EQ(RulerOfHouseIsInHouse(13, 0, 0, s, b, c), "---");
  // Sidereal: the cusp at 10 becomes 346, Pisces, ruled by Neptune (modern).
  b.timeKnown = 1;
  s.ayanamsa = 1;
  c.objects[kNeptune] = 100;
  EXPECT_EQ(RulerOfHouseIsInHouse(1, 1, 0, s, b, c),
            "Neptune, ruler of the 1st house (cusp in Pis), is in the 4th house.");
}

}  // namespace
}  // namespace talpora
