// zykatlas tests: the time-zone lookup on small zone files (mapping records, rule files, earlier
// years) and on the shipped atlas compared with the IANA database as the C library reads it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>

#include "atlas/atlas_dialog.h"
#include "atlas/atlas_files.h"
#include "core/calendar.h"

namespace talpora {
namespace {

const std::filesystem::path kData = std::filesystem::path(TALPORA_SOURCE_DIR) / "data" / "atlas";

std::string file16(std::initializer_list<ZoneRecord> recs) {
  std::string b;
  for (const auto& r : recs) b += encodeZoneRecord(r);
  return b;
}

// Zone files held in memory for a test.
struct Files {
  std::map<int, std::string> bytes;
  ZoneFileSource source() const {
    return [this](int n) -> std::optional<std::string_view> {
      auto it = bytes.find(n);
      if (it == bytes.end()) return std::nullopt;
      return std::string_view(it->second);
    };
  }
};

double jd(int d, int m, int y, int h, int mi) {
  return julian_dayh(d, m, y, h, mi);
}

TEST(ZoneLookup, ADateEqualToARecordsEndFallsIntoTheNextRecord) {
  const double change = jd(28, 3, 2021, 2, 0);
  const std::string f = file16({{5, change, 1.0f, 1}, {5, jd(1, 1, 2101, 0, 0), 2.0f, 4}, {0, 665, 0, 0}});
  const ZoneLookup before = lookupZone(f, 5, 5, jd(28, 3, 2021, 1, 59), 5, 5);
  EXPECT_EQ(before.outcome, ZoneSearch::Found);
  EXPECT_EQ(+before.record.value, 1.0f);
  const ZoneLookup at = lookupZone(f, 5, 5, change, 5, 5);
  EXPECT_EQ(at.outcome, ZoneSearch::Found);
  EXPECT_EQ(+at.record.value, 2.0f);
  EXPECT_EQ(at.result, 1);
  EXPECT_EQ(lookupZone(f, 5, 5, jd(1, 1, 2101, 0, 0), 5, 5).outcome, ZoneSearch::NotFound);
}

TEST(ZoneLookup, MappingRecordsChooseTheGroup) {
  // Region 3 maps to group 1001 (-1); in a shared file, region 96 switches to its own group (-2).
  const std::string f = file16({{1000, -1, 0.0f, 0},
                                {1001, -1, 3.0f, 0},
                                {1000, jd(1, 1, 2101, 0, 0), 1.0f, 1},
                                {32767, 1.0, 0.0f, 0},
                                {1001, jd(1, 1, 2101, 0, 0), 3.0f, 1},
                                {0, 665, 0, 0}});
  EXPECT_EQ(+lookupZone(f, 4, 4, jd(1, 6, 2000, 12, 0), 3, 3).record.value, 3.0f);
  EXPECT_EQ(+lookupZone(f, 4, 4, jd(1, 6, 2000, 12, 0), 0, 0).record.value, 1.0f);
  EXPECT_EQ(lookupZone(f, 4, 4, jd(1, 6, 2000, 12, 0), 9, 9).outcome, ZoneSearch::NotFound);
  const std::string g = file16({{96, -2, 96.0f, 0},
                                {0, jd(1, 1, 2101, 0, 0), 1.0f, 1},
                                {32767, 1.0, 0.0f, 0},
                                {96, jd(1, 1, 2101, 0, 0), 1.5f, 1},
                                {0, 665, 0, 0}});
  EXPECT_EQ(+lookupZone(g, 7, 90, jd(1, 6, 2000, 12, 0), 0, 96).record.value, 1.5f);
  EXPECT_EQ(+lookupZone(g, 7, 7, jd(1, 6, 2000, 12, 0), 0, 75).record.value, 1.0f);
  // No end record: the search runs out.
  EXPECT_EQ(lookupZone(file16({{0, 2451545.0, 1.0f, 1}}), 4, 4, 2460000.0, 0, 0).outcome, ZoneSearch::RanOut);
}

TEST(ZoneLookup, FileZeroKeepsEachCountrysRecords) {
  std::string f;
  f += encodeCountryZoneRecord({15, {0, jd(1, 1, 2101, 0, 0), 3.0f, 1}});
  f += encodeCountryZoneRecord({16, {0, jd(1, 1, 1950, 0, 0), 5.5f, 32}});
  f += encodeCountryZoneRecord({16, {0, jd(1, 1, 2101, 0, 0), 5.75f, 1}});
  f += encodeCountryZoneRecord({0x7fffffff, {0, 665, 0, 0}});
  EXPECT_EQ(+lookupZone(f, 0, 16, jd(1, 1, 1949, 0, 0), 0, 0).record.value, 5.5f);
  EXPECT_EQ(+lookupZone(f, 0, 16, jd(1, 1, 1950, 0, 0), 0, 0).record.value, 5.75f);
  EXPECT_EQ(+lookupZone(f, 0, 15, jd(1, 1, 1950, 0, 0), 0, 0).record.value, 3.0f);
  EXPECT_EQ(lookupZone(f, 0, 17, jd(1, 1, 1950, 0, 0), 0, 0).outcome, ZoneSearch::NotFound);
}

TEST(ZoneAtDate, EuropeanRuleValue102GivesOneInWinterAndTwoInSummer) {
  Files files;
  files.bytes[0] = encodeCountryZoneRecord({20, {0, jd(1, 1, 2101, 0, 0), 102.0f, 999}}) +
                   encodeCountryZoneRecord({0x7fffffff, {0, 665, 0, 0}});
  files.bytes[999] = file16({{0, jd(28, 3, 2021, 2, 0), 1.0f, 1},
                             {0, jd(31, 10, 2021, 3, 0), 2.0f, 4},
                             {0, jd(1, 1, 2101, 0, 0), 1.0f, 1},
                             {0, 665, 0, 0}});
  const TownRecord town = makeTown("Somewhere", 20, 0, 10, 50);
  const ZoneAnswer winter = zoneAtDate(files.source(), town, 15, 1, 2021, 12, 0);
  EXPECT_TRUE(winter.found);
  EXPECT_DOUBLE_EQ(winter.timeZone, 1.0);
  EXPECT_EQ(winter.zoneStatus, 1);
  const ZoneAnswer summer = zoneAtDate(files.source(), town, 15, 7, 2021, 12, 0);
  EXPECT_DOUBLE_EQ(summer.timeZone, 2.0);
  EXPECT_EQ(summer.zoneStatus, 4);
  // Without records of its own (9990), the status says so.
  files.bytes[0] = encodeCountryZoneRecord({20, {0, jd(1, 1, 2101, 0, 0), 102.0f, 9990}}) +
                   encodeCountryZoneRecord({0x7fffffff, {0, 665, 0, 0}});
  EXPECT_EQ(zoneAtDate(files.source(), town, 15, 7, 2021, 12, 0).zoneStatus, 9994);
  // The US pair -504: -5 in winter, -4 in summer.
  files.bytes[0] = encodeCountryZoneRecord({20, {0, jd(1, 1, 2101, 0, 0), -504.0f, 901}}) +
                   encodeCountryZoneRecord({0x7fffffff, {0, 665, 0, 0}});
  files.bytes[901] = files.bytes[999];
  EXPECT_DOUBLE_EQ(zoneAtDate(files.source(), town, 15, 1, 2021, 12, 0).timeZone, -5.0);
  EXPECT_DOUBLE_EQ(zoneAtDate(files.source(), town, 15, 7, 2021, 12, 0).timeZone, -4.0);
}

TEST(ZoneAtDate, ADateBeforeACountrysRecordsFindsNothingEarlierAndGivesCoordinatesOnly) {
  Files files;
  // The country's records start in 1850 (a record of another group ends there first).
  files.bytes[0] = encodeCountryZoneRecord({21, {32767, jd(1, 1, 1850, 0, 0), 0.0f, 0}}) +
                   encodeCountryZoneRecord({21, {0, jd(1, 1, 2101, 0, 0), 1.0f, 1}}) +
                   encodeCountryZoneRecord({0x7fffffff, {0, 665, 0, 0}});
  const TownRecord town = makeTown("Old", 21, 0, 10, 50);
  EXPECT_FALSE(zoneAtDate(files.source(), town, 1, 6, 1800, 12, 0).found);
  EXPECT_TRUE(zoneAtDate(files.source(), town, 1, 6, 1851, 12, 0).found);
}

TEST(ZoneAtDate, AfterTheLastRecordTheSameDateOfAnEarlierYearIsUsed) {
  Files files;
  files.bytes[0] = encodeCountryZoneRecord({22, {0, jd(1, 1, 2101, 0, 0), 3.0f, 1}}) +
                   encodeCountryZoneRecord({0x7fffffff, {0, 665, 0, 0}});
  const TownRecord town = makeTown("Later", 22, 0, 45, 50);
  // 2105: 2095 succeeds, then one year at a time up to 2100 (2101 has no records at that date).
  const ZoneAnswer a = zoneAtDate(files.source(), town, 1, 6, 2105, 12, 0);
  EXPECT_TRUE(a.found);
  EXPECT_EQ(a.zoneStatus, -2001);
  EXPECT_EQ(a.yearUsed, 2100);
  EXPECT_DOUBLE_EQ(a.timeZone, 3.0);
  // 2140: 2130, 2120 fail, 2110 fails too: nothing.
  EXPECT_FALSE(zoneAtDate(files.source(), town, 1, 6, 2140, 12, 0).found);
}

TEST(ZoneAtDate, AMissingZoneFileIsReportedAndGivesCoordinatesOnly) {
  Files files;
  std::string missing;
  ZoneMessages m;
  m.missing = [&](const std::string& n) { missing = n; };
  EXPECT_FALSE(zoneAtDate(files.source(), makeTown("X", 1, 5, 0, 0), 1, 1, 2000, 0, 0, m).found);
  EXPECT_EQ(missing, "zykdd001.dtf");
}

// ---- The shipped atlas against the IANA database (the C library's reading of /usr/share/zoneinfo) ----

class ShippedAtlas : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new AtlasFolder(kData);
    towns_ = new TownFile(*folder_->towns());
  }
  static void TearDownTestSuite() {
    delete towns_;
    delete folder_;
  }
  static TownRecord town(const std::string& name, int country) {
    for (int i = locateTown(*towns_, name); i < towns_->count() && townName(towns_->at(i)) == name; ++i)
      if (towns_->at(i).country == country) return towns_->at(i);
    ADD_FAILURE() << name << " not in the atlas";
    return makeTown(name, country, 0, 0, 0);
  }
  static ZoneAnswer at(const TownRecord& t, int d, int m, int y, int h, int mi) {
    return zoneAtDate(folder_->zoneFiles(), t, d, m, y, h, mi);
  }
  static AtlasFolder* folder_;
  static TownFile* towns_;
};
AtlasFolder* ShippedAtlas::folder_ = nullptr;
TownFile* ShippedAtlas::towns_ = nullptr;

struct TzScope {
  explicit TzScope(const char* zone) {
    if (const char* old = std::getenv("TZ")) saved = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TzScope() {
    if (saved.empty())
      unsetenv("TZ");
    else
      setenv("TZ", saved.c_str(), 1);
    tzset();
  }
  std::string saved;
};

TEST_F(ShippedAtlas, LookupsAgreeWithTheIanaDatabaseFrom1900To2100) {
  struct Case {
    const char* town;
    int country;
    const char* zone;
  };
  const Case cases[] = {
      {"New York City", 1, "America/New_York"},
      {"Los Angeles", 1, "America/Los_Angeles"},
      {"Phoenix", 1, "America/Phoenix"},
      {"Indianapolis", 1, "America/Indiana/Indianapolis"},
      {"London", 54, "Europe/London"},
      {"Paris", 7, "Europe/Paris"},
      {"Berlin", 23, "Europe/Berlin"},
      {"Moscow", 4, "Europe/Moscow"},
      {"Kolkata", 11, "Asia/Kolkata"},
      {"Kathmandu", countryOfIsoCode("NP"), "Asia/Kathmandu"},
      {"Sydney", 12, "Australia/Sydney"},
      {"Adelaide", 12, "Australia/Adelaide"},
      {"Lord Howe Island", 12, "Australia/Lord_Howe"},
      {"Santiago", 10, "America/Santiago"},
      {"Tehran", countryOfIsoCode("IR"), "Asia/Tehran"},
  };
  for (const Case& c : cases) {
    const TownRecord t = town(c.town, c.country);
    TzScope tz(c.zone);
    int compared = 0;
    // Twice a month, at varied hours, from 1900 to 2100: the UT moment, its local clock time and the
    // offset the C library gives; moments within three hours of a change of clocks are left to the
    // boundary test below.
    for (int y = 1900; y <= 2100; ++y) {
      for (int m = 1; m <= 12; ++m) {
        for (int d : {3, 17}) {
          std::tm ut{};
          ut.tm_year = y - 1900;
          ut.tm_mon = m - 1;
          ut.tm_mday = d;
          ut.tm_hour = (y * 7 + m * 5 + d) % 24;
          ut.tm_min = (y + m * 13 + d) % 60;
          const std::time_t t0 = timegm(&ut);
          std::tm local{}, a{}, b{};
          localtime_r(&t0, &local);
          const std::time_t ta = t0 - 3 * 3600, tb = t0 + 3 * 3600;
          localtime_r(&ta, &a);
          localtime_r(&tb, &b);
          if (a.tm_gmtoff != local.tm_gmtoff || b.tm_gmtoff != local.tm_gmtoff ||
              a.tm_isdst != local.tm_isdst || b.tm_isdst != local.tm_isdst)
            continue;
          const ZoneAnswer z =
              at(t, local.tm_mday, local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min);
          ASSERT_TRUE(z.found) << c.town << " " << y << "-" << m << "-" << d;
          const int status = std::string(local.tm_zone) == "LMT" ? 32 : (local.tm_isdst ? 4 : 1);
          ASSERT_NEAR(z.timeZone, local.tm_gmtoff / 3600.0, 1e-5)
              << c.town << " " << y << "-" << m << "-" << d;
          ASSERT_EQ(z.zoneStatus, status) << c.town << " " << y << "-" << m << "-" << d;
          ++compared;
        }
      }
    }
    EXPECT_GT(compared, 4500) << c.town;
  }
}

TEST_F(ShippedAtlas, ChangesOfClocksAtTheirMinute) {
  struct Case {
    const char* town;
    int country, d, m, y, h, mi;
    double zone;
    int status;
  };
  const Case cases[] = {
      // Paris 2021: clocks forward at 02:00 (02:00 to 02:59 do not exist: the new time), back at 03:00
      // (02:00 to 02:59 occur twice: the first time).
      {"Paris", 7, 28, 3, 2021, 1, 59, 1, 1},
      {"Paris", 7, 28, 3, 2021, 2, 0, 2, 4},
      {"Paris", 7, 31, 10, 2021, 2, 59, 2, 4},
      {"Paris", 7, 31, 10, 2021, 3, 0, 1, 1},
      {"New York City", 1, 10, 3, 2024, 1, 59, -5, 1},
      {"New York City", 1, 10, 3, 2024, 2, 0, -4, 4},
      {"New York City", 1, 3, 11, 2024, 1, 30, -4, 4},
      {"New York City", 1, 3, 11, 2024, 2, 0, -5, 1},
      // Lord Howe Island: half an hour of summer time.
      {"Lord Howe Island", 12, 7, 4, 2024, 1, 45, 11, 4},
      {"Lord Howe Island", 12, 7, 4, 2024, 2, 0, 10.5, 1},
      // Kathmandu: +5:30 to +5:45 at midnight of 1 January 1986.
      {"Kathmandu", countryOfIsoCode("NP"), 31, 12, 1985, 23, 59, 5.5, 1},
      {"Kathmandu", countryOfIsoCode("NP"), 1, 1, 1986, 0, 15, 5.75, 1},
      // Double summer time in London, war time in Kolkata.
      {"London", 54, 1, 7, 1941, 12, 0, 2, 4},
      {"Kolkata", 11, 1, 7, 1943, 12, 0, 6.5, 4},
      // Paris on D-Day and New York at the Moon landing.
      {"Paris", 7, 6, 6, 1944, 12, 0, 2, 4},
      {"New York City", 1, 20, 7, 1969, 22, 56, -4, 4},
  };
  for (const Case& c : cases) {
    const ZoneAnswer z = at(town(c.town, c.country), c.d, c.m, c.y, c.h, c.mi);
    ASSERT_TRUE(z.found) << c.town;
    EXPECT_NEAR(z.timeZone, c.zone, 1e-6)
        << c.town << " " << c.y << "-" << c.m << "-" << c.d << " " << c.h << ":" << c.mi;
    EXPECT_EQ(z.zoneStatus, c.status)
        << c.town << " " << c.y << "-" << c.m << "-" << c.d << " " << c.h << ":" << c.mi;
  }
}

TEST_F(ShippedAtlas, LocalMeanTimeBeforeTheFirstChangeAndEarlierYearsAfter2100) {
  const ZoneAnswer lmt = at(town("Paris", 7), 1, 1, 1880, 12, 0);
  EXPECT_EQ(lmt.zoneStatus, 32);
  EXPECT_NEAR(lmt.timeZone, (9 * 60 + 21) / 3600.0, 1e-5);  // Paris mean time, 0:09:21
  const ZoneAnswer later = at(town("Paris", 7), 1, 7, 2105, 12, 0);
  EXPECT_TRUE(later.found);
  EXPECT_EQ(later.zoneStatus, -2004);  // summer time, found in 2100
  EXPECT_EQ(later.yearUsed, 2100);
  EXPECT_DOUBLE_EQ(later.timeZone, 2.0);
}

TEST(ZoneLabels, TextsOfTheStatusCodes) {
  EXPECT_EQ(zoneStatusLabel(1), "(*) no DLS");
  EXPECT_EQ(zoneStatusLabel(4), "(*) DLS enforced");
  EXPECT_EQ(zoneStatusLabel(9994), "(*) DLS enforced");
  EXPECT_EQ(zoneStatusLabel(9011), "(*) no DLS");
  EXPECT_EQ(zoneStatusLabel(31), "(*) Time of the capital city");
  EXPECT_EQ(zoneStatusLabel(32), "(*) Local time");
  EXPECT_EQ(zoneStatusLabel(-1999), "");
  EXPECT_EQ(zoneStatusLabel(7), "(*) ");
  EXPECT_EQ(countryOfIsoCode("fr"), 7);
  EXPECT_EQ(isoCodeOfCountry(1), "US");
  EXPECT_EQ(countryOfIsoCode("QQ"), 0);
}

}  // namespace
}  // namespace talpora
