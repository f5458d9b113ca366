// Records, chart kinds and the transfer file.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/records.h"
#include "core/transfer.h"
#include "platform/byte_io.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {
Chart1 withType(int t) {
  Chart1 c;
  c.chartType = static_cast<std::int16_t>(t);
  return c;
}
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-core-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}
}  // namespace

TEST(ChartKinds, Predicates) {
  EXPECT_EQ(IsDirectedChart(withType(52)), 2);
  EXPECT_EQ(IsDirectedChart(withType(59)), 2);
  EXPECT_EQ(IsDirectedChart(withType(60)), 0);
  EXPECT_EQ(IsDirectedChart(withType(66)), 0);
  EXPECT_EQ(IsDirectedChart(withType(67)), 33);
  EXPECT_EQ(IsDirectedChart(withType(10)), 99);
  EXPECT_EQ(IsDirectedChart(withType(11)), 0);
  EXPECT_EQ(IsAstronomicalChart(0, withType(52), 0), 0);
  EXPECT_EQ(IsAstronomicalChart(0, withType(5), 0), 1);
  EXPECT_EQ(IsAstronomicalChart(0, withType(333), 0), 0);
  EXPECT_EQ(IsAstronomicalChart(0, withType(88), 0), 0);
  for (int t : {2, 3, 4, 5, 6, 7, 102, 103, 104, 105, 106, 107, 1000, 2000}) EXPECT_EQ(IsReturn(withType(t)), 1) << t;
  for (int t : {0, 1, 8, 101, 108, 999, 27}) EXPECT_EQ(IsReturn(withType(t)), 0) << t;
  for (int t : {5, 6, 7, 27, 2000}) EXPECT_EQ(MakesSenseOnlyInTropical(0, withType(t), 0), 1);
  for (int t : {105, 106, 107, 26, 1000}) EXPECT_EQ(MakesSenseOnlyInSidereal(0, withType(t), 0), 1);
  EXPECT_EQ(MakesSenseOnlyInTropical(0, withType(105), 0), 0);
  EXPECT_EQ(MakesSenseOnlyInSidereal(0, withType(5), 0), 0);
}

TEST(ChartKinds, HousesNeedATimeAndAPlace) {
  Chart1 c;
  c.timeKnown = 1;
  EXPECT_EQ(AreThereHouses(c), 0);
  c.longitude = -0.0;
  c.latitude = -0.0;
  EXPECT_EQ(AreThereHouses(c), 0);
  c.latitude = 51.5;
  EXPECT_EQ(AreThereHouses(c), 1);
  c.timeKnown = 0;
  EXPECT_EQ(AreThereHouses(c), 0);
}

TEST(ChartRecords, UniversalTimeFromTheZone) {
  // Five hours earlier than Greenwich at 12:00 local is 17:00 UT: the record keeps -5.
  Chart1 c;
  c.timeZone = -5;
  const double localHours = 12.0;
  EXPECT_DOUBLE_EQ(localHours - c.timeZone, 17.0);
}

TEST(TransferFile, OneChartTwiceAndPaddingKept) {
  const auto dir = freshDir("transfer");
  CIni settings = defaultSettings(dir.string());
  Chart1 a = embeddedDefaultChart();
  std::memset(a.pad12, 0xAB, sizeof a.pad12);  // padding bytes travel unchanged
  a.pad331[4] = 0x5A;
  Chart2 ca;
  ca.julianDay = 2451545.0;
  ca.pad42[0] = 0x77;
  TransferBlock block;
  ASSERT_EQ(FillUpTalporaTransferBlock(block, settings, a, ca, a, ca), 1);
  const auto bytes = readFile(dir / kTransferFileName).value();
  ASSERT_EQ(bytes.size(), kTransferFileSize);
  EXPECT_EQ(bytes.substr(0, 880), bytes.substr(880, 880));
  EXPECT_EQ(std::memcmp(bytes.data(), &a, sizeof a), 0);
  EXPECT_EQ(static_cast<unsigned char>(bytes[12]), 0xAB);
  EXPECT_EQ(static_cast<unsigned char>(bytes[336 + 42]), 0x77);

  const TransferCharts t = readTransferFile(dir);
  EXPECT_TRUE(t.found && t.hasA() && t.hasB());
  EXPECT_EQ(std::memcmp(&t.chartB, &a, sizeof a), 0);
  EXPECT_EQ(std::memcmp(&t.computedA, &ca, sizeof ca), 0);
}

TEST(TransferFile, ShortOrMissingFileGivesZeroedRecords) {
  const auto dir = freshDir("short");
  EXPECT_FALSE(readTransferFile(dir).found);
  Chart1 a = embeddedDefaultChart();
  std::string bytes(reinterpret_cast<const char*>(&a), sizeof a);
  bytes += std::string(100, '\x11');  // a Chart2 cut short
  std::ofstream(dir / kTransferFileName, std::ios::binary) << bytes;
  const TransferCharts t = readTransferFile(dir);
  EXPECT_TRUE(t.found);
  EXPECT_FALSE(t.hasA());
  EXPECT_EQ(t.bytesRead, 436u);
  EXPECT_EQ(t.chartA.year, 2000);  // the whole Chart1 was there
  EXPECT_EQ(t.computedA.julianDay, 0.0);
  EXPECT_EQ(t.chartB.marker1, 0);
}

TEST(TransferFile, TextsReadFromTheFileAreTerminated) {
  Chart1 a;
  std::memset(a.name, 'N', sizeof a.name);
  std::memset(a.comment, 'C', sizeof a.comment);
  Chart2 ca;
  const auto t = transferFromBytes(transferBytes(a, ca, a, ca));
  EXPECT_EQ(nameOf(t.chartA).size(), 24u);
  EXPECT_EQ(commentOf(t.chartB).size(), 199u);
}

TEST(Settings, Defaults) {
  const CIni s = defaultSettings("/tmp/x");
  EXPECT_EQ(s.houseSystem, 1);
  EXPECT_EQ(s.ayanamsa, 1);
  EXPECT_FLOAT_EQ(s.orbsLuminaries[18], 3.0f);
  EXPECT_FLOAT_EQ(s.orbsLuminaries[19], 2.5f);
  EXPECT_FLOAT_EQ(s.orbsOthers[0], 10.0f);
  EXPECT_EQ(programDirOf(s), "/tmp/x");
}
