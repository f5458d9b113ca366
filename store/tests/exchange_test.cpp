// Exchange files: the AAF samples in both encodings, CSV round trips and bad input, and the bulk
// import into a database.
#include "store/exchange.h"

#include <gtest/gtest.h>

#include <cmath>

#include "atlas/atlas_files.h"
#include "platform/cp1252.h"
#include "store/database.h"
#include "store/tests/store_fixture.h"

namespace talpora {
namespace {
using testing::fileBytes;
using testing::sampleChart;
using testing::StoreDir;

const std::string kSamples = std::string(TALPORA_SOURCE_DIR) + "/store/tests/data/";

TEST(Aaf, ReadsTheSamplesInBothEncodings) {
  for (const char* file : {"samples-utf8.aaf", "samples-cp1252.aaf"}) {
    const ExchangeRead r = readAaf(fileBytes(kSamples + file));
    ASSERT_EQ(r.records.size(), 5u) << file;
    const Chart1 &curie = r.records[0].chart, &lumiere = r.records[1].chart, &summer = r.records[2].chart,
                 &south = r.records[3].chart, &nobody = r.records[4].chart;
    EXPECT_STREQ(curie.name, "Marie Curie");
    EXPECT_EQ(curie.timeKnown, 0);
    EXPECT_EQ(curie.country, countryOfIsoCode("PL"));
    EXPECT_STREQ(curie.comment, "time unknown");
    EXPECT_EQ(cp1252ToUtf8(lumiere.name), "Zoé Lumière") << file;
    EXPECT_EQ(cp1252ToUtf8(lumiere.place), "Besançon") << file;
    EXPECT_NEAR(lumiere.timeZone, 24 / 60.0 + 5 / 3600.0, 1e-12);  // local mean time, to the second
    EXPECT_NEAR(lumiere.longitude * 15, 6.02, 1e-12);
    EXPECT_NEAR(lumiere.latitude, 47.24, 1e-12);
    EXPECT_EQ(lumiere.hour * 60 + lumiere.minute, 7 * 60 + 30);
    EXPECT_EQ(summer.timeZone, 2);  // standard zone + summer time
    EXPECT_EQ(summer.zoneStatus, 4);
    EXPECT_NEAR(south.latitude, -(30 + 2 / 60.0), 1e-12);
    EXPECT_NEAR(south.longitude * 15, -(51 + 14 / 60.0), 1e-12);
    EXPECT_EQ(south.timeZone, -3);
    EXPECT_STREQ(nobody.name, "Nobody");
    EXPECT_EQ(nobody.latitude, 0);
    ASSERT_EQ(r.warnings.size(), 1u);  // stored at 0/0, named
    EXPECT_EQ(r.warnings[0].line, 12);
    EXPECT_NE(r.warnings[0].message.find("Nobody"), std::string::npos);
    ASSERT_EQ(r.errors.size(), 1u);  // 31 February, by its line
    EXPECT_EQ(r.errors[0].line, 14);
  }
}

TEST(Aaf, TheJulianDayWinsOverTheDateAndTime) {
  // 12:00 UT on 1 January 2000 is JD 2451545.0; the #A93 line says 11:00 at zone +1 of another day.
  const auto r = readAaf("#A93:Day,*,*,02.01.2000,11:00,X,*\n#B93:2451545.0,10n00,10e00,1he00,0\n");
  ASSERT_EQ(r.records.size(), 1u);
  const Chart1& c = r.records[0].chart;
  EXPECT_EQ(c.day, 1);
  EXPECT_EQ(c.hour, 13);
  EXPECT_EQ(c.minute, 0);
}

TEST(Aaf, WritesWhatItReads) {
  const ExchangeRead first = readAaf(fileBytes(kSamples + "samples-utf8.aaf"));
  std::vector<Chart1> charts;
  for (const auto& r : first.records) charts.push_back(r.chart);
  const std::string text = writeAaf(charts);
  EXPECT_NE(text.find("#A93:Zoé Lumière,*,*,03.02.1880,07:30,Besançon,FR\n"), std::string::npos) << text;
  EXPECT_NE(text.find("#B93:2448064.031250,48n08,11e34,1he00,1\n"), std::string::npos) << text;
  EXPECT_NE(text.find(",30s02,51w14,3hw00,0\n"), std::string::npos) << text;
  const ExchangeRead again = readAaf(text);
  ASSERT_EQ(again.records.size(), charts.size());
  for (std::size_t i = 0; i < charts.size(); ++i) {
    const Chart1 &a = charts[i], &b = again.records[i].chart;
    EXPECT_STREQ(a.name, b.name);
    EXPECT_STREQ(a.place, b.place);
    EXPECT_EQ(a.day * 10000 + a.month * 100 + a.hour, b.day * 10000 + b.month * 100 + b.hour) << a.name;
    EXPECT_EQ(a.minute, b.minute);
    EXPECT_EQ(a.timeKnown, b.timeKnown);
    EXPECT_NEAR(a.latitude, b.latitude, 0.5 / 3600);  // AAF carries whole seconds of arc
    EXPECT_NEAR(a.longitude, b.longitude, 0.5 / 3600 / 15);
    EXPECT_NEAR(a.timeZone, b.timeZone, 0.5 / 3600);
    EXPECT_EQ(a.zoneStatus == 4, b.zoneStatus == 4);
    EXPECT_EQ(a.country, b.country);
  }
}

TEST(Csv, RoundTripsRecordsExactly) {
  std::vector<Chart1> charts;
  for (int i = 0; i < 40; ++i) {
    Chart1 c = sampleChart("N" + std::to_string(i), i);
    c.longitude = (i * 0.1234567890123 - 2.5);
    c.latitude = -33.8688 + i / 7.0;
    c.timeZone = i % 3 ? 5.5 : -1.0 / 3;
    c.zoneStatus = static_cast<std::int16_t>(i);
    c.country = static_cast<std::int16_t>(i * 3);
    c.region = static_cast<std::int16_t>(i);
    std::snprintf(c.comment, sizeof c.comment, "line one\r\nline \"two\", with; tab\t%d \xE9", i);
    std::snprintf(c.typeText, sizeof c.typeText, "%s", i % 2 ? "Natal" : "");
    charts.push_back(c);
  }
  const std::string text = writeCsv(charts);
  const ExchangeRead back = readCsv(text);
  ASSERT_TRUE(back.errors.empty()) << back.errors[0].message;
  ASSERT_EQ(back.records.size(), charts.size());
  for (std::size_t i = 0; i < charts.size(); ++i) {
    Chart1 b = back.records[i].chart;
    EXPECT_NEAR(b.longitude * 15, charts[i].longitude * 15, 1e-12);
    b.longitude = charts[i].longitude;
    EXPECT_TRUE(encodeChart1(b) == encodeChart1(charts[i])) << i;
  }
  // Written again, the text is the same.
  std::vector<Chart1> again;
  for (const auto& r : back.records) again.push_back(r.chart);
  EXPECT_EQ(writeCsv(again), text);
}

TEST(Csv, TakesAnyDelimiterAndColumnOrderAndReportsBadRowsByLine) {
  const std::string text =
      "name;year;month;day;hour;minute;latitude;longitude;place\r\n"
      "Anna;1970;5;17;8;5;48.5;-2.25;\"Rennes; Bretagne\"\r\n"
      "Bad;1970;13;1;8;5;0;0;x\r\n"
      "Short;1970;1\r\n"
      "Carl;2100;2;28;23;59;-90;180;Pole\r\n";
  const ExchangeRead r = readCsv(text);
  ASSERT_EQ(r.records.size(), 2u);
  EXPECT_STREQ(r.records[0].chart.place, "Rennes; Bretagne");
  EXPECT_EQ(r.records[0].chart.longitude, -2.25 / 15);
  EXPECT_EQ(r.records[1].line, 5);
  ASSERT_EQ(r.errors.size(), 2u);
  EXPECT_EQ(r.errors[0].line, 3);
  EXPECT_EQ(r.errors[1].line, 4);
  EXPECT_EQ(readCsv("name\tday\tmonth\tyear\nTab\t1\t2\t1950\n").records.at(0).chart.month, 2);
  EXPECT_EQ(readCsv("a,b\n1,2\n").errors.at(0).line, 1);  // no date columns
  EXPECT_EQ(readCsv("name,day,month,year\n29 Feb,29,2,2100\n").errors.size(), 1u);
}

TEST(Import, StoresAllOrNothingAndNamesDuplicates) {
  StoreDir d;
  const auto db = d.database("IMP.1SB", {testing::deletedChart(), sampleChart("Anna", 1)});
  std::vector<Chart1> charts{sampleChart("Bert", 2), sampleChart("Anna", 3), sampleChart("Bert", 4),
                             sampleChart("Carl", 5)};
  ImportOutcome out;
  ASSERT_EQ(importIntoDatabase(d.ui, d.settings, db.settings, charts, false, d.chiron, out), 1);
  EXPECT_EQ(out.stored, 2);
  EXPECT_EQ(out.skipped, (std::vector<std::string>{"Anna", "Bert"}));
  ASSERT_EQ(importIntoDatabase(d.ui, d.settings, db.settings, charts, true, d.chiron, out), 1);
  EXPECT_EQ(out.renamed, (std::vector<std::string>{"Bert -2", "Anna -2", "Bert -3", "Carl -2"}));
  const auto all = databaseCharts(db.settings);
  ASSERT_EQ(all->size(), 7u);
  EXPECT_STREQ((*all)[6].name, "Carl -2");
  EXPECT_TRUE(encodeDbEntry(computeDbEntry(d.settings, (*all)[6], d.chiron)) ==
              fileBytes(db.calculations).substr(7 * 804));
  EXPECT_EQ(inspectDatabase(db).problem, DbProblem::None);

  // Other settings: refused, nothing written.
  CIni koch = d.settings;
  koch.houseSystem = 4;
  const std::string before = fileBytes(db.records);
  EXPECT_EQ(importIntoDatabase(d.ui, koch, db.settings, charts, true, d.chiron, out), 0);
  EXPECT_TRUE(fileBytes(db.records) == before);
}

}  // namespace
}  // namespace talpora
