// The talpora command: exit codes, calendar subcommands, records shown as JSON.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/tests/cli_test_support.h"
#include "core/records.h"
#include "files/zykfile.h"
#include "platform/byte_io.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {
using Run = talpora::cli::testing::Ran;
Run run(const std::string& args) {
  return talpora::cli::testing::run(args);
}
// The raw JSON value of a key (a string with its quotes and escapes, or a number).
std::string jsonValue(const std::string& json, const std::string& key) {
  const std::string probe = "\"" + key + "\": ";
  const auto at = json.find(probe);
  if (at == std::string::npos) return "<missing " + key + ">";
  std::size_t i = at + probe.size();
  const std::size_t start = i;
  if (json[i] == '"') {
    for (++i; i < json.size() && json[i] != '"'; ++i)
      if (json[i] == '\\') ++i;
    return json.substr(start, i + 1 - start);
  }
  while (i < json.size() && json[i] != ',' && json[i] != '}') ++i;
  return json.substr(start, i - start);
}
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-cli-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}
}  // namespace

TEST(Cli, CalendarSubcommands) {
  EXPECT_EQ(run("jd 1 1 2000 12 0").out, "2451545.000000\n");
  EXPECT_EQ(run("jd 15 10 1582 0 0").out, "2299160.500000\n");
  EXPECT_EQ(run("date 2299160.0").out, "1582-10-04 12:00\n");
  EXPECT_EQ(run("date 2451545").out, "2000-01-01 12:00\n");
}

TEST(Cli, BadUsageExitsWithTwo) {
  EXPECT_EQ(run("").status, 2);
  EXPECT_EQ(run("nosuch").status, 2);
  EXPECT_EQ(run("jd 1 1 2000 12").status, 2);
  EXPECT_EQ(run("jd 1 13 2000 12 0").status, 2);
  EXPECT_EQ(run("jd x 1 2000 12 0").status, 2);
  EXPECT_EQ(run("date soon").status, 2);
  EXPECT_EQ(run("jd 1 1 2000 12 0 --bogus").status, 2);
  EXPECT_EQ(run("--help").status, 0);
  // --version says the project's version, as the top CMakeLists.txt declares it.
  std::ifstream cmake(std::string(TALPORA_SOURCE_DIR) + "/CMakeLists.txt");
  const std::string top((std::istreambuf_iterator<char>(cmake)), std::istreambuf_iterator<char>());
  const auto at = top.find("project(Talpora VERSION ");
  ASSERT_NE(at, std::string::npos);
  const std::string version = top.substr(at + 24, top.find(' ', at + 24) - at - 24);
  EXPECT_EQ(run("--version").out, "talpora " + version + "\n");
}

TEST(Cli, RecordShowRoundTripsEveryField) {
  const auto dir = freshDir("record");
  Chart1 c = embeddedDefaultChart();
  c.chartType = 52;
  c.day = 29;
  c.month = 2;
  c.year = 1996;
  c.hour = 23;
  c.minute = 59;
  c.longitude = -4.9166666666666661;
  c.latitude = 40.712775999999998;
  c.timeZone = -4;
  c.timeKnown = 1;
  c.zoneStatus = 4;
  c.country = 1;
  c.region = 33;
  setField(c.place, "New York");
  setField(c.name, "Z\xFCrich \"test\"");
  setField(c.typeText, "Progression");
  setField(c.comment, "line one, with a comma");
  c.doubleChart = 1;
  c.reserved = 200;
  const auto file = dir / "one.chr";
  ASSERT_EQ(Serialise_c1(c, file, 325, 1), 1);
  const auto r = run("record show " + file.string() + " --offset 325 --json");
  ASSERT_EQ(r.status, 0);
  const std::string& j = r.out;
  EXPECT_EQ(jsonValue(j, "chartType"), "52");
  EXPECT_EQ(jsonValue(j, "day"), "29");
  EXPECT_EQ(jsonValue(j, "month"), "2");
  EXPECT_EQ(jsonValue(j, "year"), "1996");
  EXPECT_EQ(jsonValue(j, "hour"), "23");
  EXPECT_EQ(jsonValue(j, "minute"), "59");
  EXPECT_DOUBLE_EQ(std::stod(jsonValue(j, "longitude")), c.longitude);
  EXPECT_DOUBLE_EQ(std::stod(jsonValue(j, "latitude")), c.latitude);
  EXPECT_DOUBLE_EQ(std::stod(jsonValue(j, "timeZone")), -4.0);
  EXPECT_EQ(jsonValue(j, "timeKnown"), "1");
  EXPECT_EQ(jsonValue(j, "zoneStatus"), "4");
  EXPECT_EQ(jsonValue(j, "country"), "1");
  EXPECT_EQ(jsonValue(j, "place"), "\"New York\"");
  EXPECT_EQ(jsonValue(j, "name"), "\"Z\xC3\xBCrich \\\"test\\\"\"");
  EXPECT_EQ(jsonValue(j, "typeText"), "\"Progression\"");
  EXPECT_EQ(jsonValue(j, "comment"), "\"line one, with a comma\"");
  EXPECT_EQ(jsonValue(j, "region"), "33");
  EXPECT_EQ(jsonValue(j, "marker1"), "32");
  EXPECT_EQ(jsonValue(j, "marker2"), "32");
  EXPECT_EQ(jsonValue(j, "doubleChart"), "1");
  EXPECT_EQ(jsonValue(j, "marker3"), "32");
  EXPECT_EQ(jsonValue(j, "reserved"), "200");
  // No record at an offset past the end: the work failed.
  EXPECT_EQ(run("record show " + file.string() + " --offset 650").status, 1);
}

TEST(Cli, TransferShowReadsTheProgramDirectory) {
  const auto dir = freshDir("transfer");
  EXPECT_EQ(run("transfer show --program-dir " + dir.string()).status, 1);
  const auto r = run("record default --json");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(jsonValue(r.out, "julianDayUT"), "2451545.000000");
}

TEST(Cli, TransferWriteThenShow) {
  const auto dir = freshDir("transfer-write");
  const std::string where = " --program-dir " + dir.string();
  auto w = run("transfer write 1990-05-17 06:30 --zone 2 --lon 13.4 --lat 52.5 --name Berlin" + where +
               " --second 2000-01-01 12:00 --name Epoch");
  ASSERT_EQ(w.status, 0);
  EXPECT_EQ(fs::file_size(dir / "DATA10.DTF"), 1760u);
  const auto r = run("transfer show --json" + where);
  ASSERT_EQ(r.status, 0);
  // Chart A first, then chart B; 04:30 UT on 17 May 1990 and noon on 1 January 2000.
  EXPECT_EQ(jsonValue(r.out, "name"), "\"Berlin\"");
  EXPECT_NE(r.out.find("\"julianDay\": 2448028.687500000"), std::string::npos);
  EXPECT_NE(r.out.find("\"name\": \"Epoch\""), std::string::npos);
  EXPECT_NE(r.out.find("\"julianDay\": 2451545.000000000"), std::string::npos);
  EXPECT_EQ(run("transfer write 1990-02-30 06:30" + where).status, 2);
}

TEST(Cli, PlaceSetMakesNowShowThePlace) {
  const auto dir = freshDir("place");
  const std::string where = " --program-dir " + dir.string();
  ASSERT_EQ(run("place set 0 --lon 2.35 --lat 48.85 --zone 1 --place Paris" + where).status, 0);
  EXPECT_NE(run("now" + where).out.find("Place: Paris  "), std::string::npos);
  const auto shown = run("place show 0 --json" + where);
  ASSERT_EQ(shown.status, 0);
  EXPECT_EQ(jsonValue(shown.out, "name"), "\"Paris\"");
  EXPECT_EQ(jsonValue(shown.out, "longitude"), "2.350000");
  EXPECT_EQ(jsonValue(shown.out, "latitude"), "48.850000");
  EXPECT_EQ(jsonValue(shown.out, "timeZone"), "1.000000");
  // The place dialog's checks: refused values leave the place chart as it was.
  EXPECT_EQ(run("place set 0 --lon 2.35 --lat 48.85 --zone 21" + where).status, 1);
  EXPECT_EQ(run("place set 0 --lon 120 --lat 0 --zone 1" + where).status, 1);
  EXPECT_EQ(jsonValue(run("place show 0 --json" + where).out, "timeZone"), "1.000000");
  EXPECT_EQ(run("place set 100 --lon 0 --lat 0 --zone 0" + where).status, 2);
  EXPECT_EQ(run("place set 1 --lon 0 --lat 0" + where).status, 2);
  EXPECT_EQ(run("place show 5" + where).status, 1);  // no such place chart yet
}
