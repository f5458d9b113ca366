// zykatlas tests: record layouts, the town-list search and the directory, on small files and on the
// shipped atlas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>

#include "atlas/atlas_dialog.h"
#include "atlas/atlas_files.h"
#include "platform/byte_io.h"

namespace talpora {
namespace {

const std::filesystem::path kData = std::filesystem::path(TALPORA_SOURCE_DIR) / "data" / "atlas";

TownFile townsOf(std::initializer_list<const char*> names) {
  std::string bytes;
  int i = 0;
  for (const char* n : names) {
    bytes += encodeTown(makeTown(n, 1 + i % 3, 0, 10.0 + i, 45.0));
    ++i;
  }
  return TownFile(bytes);
}

const TownFile& shippedTowns() {
  static const TownFile towns(*readWholeFile(kData / kTownFileName));
  return towns;
}
const AtlasDirectory& shippedDirectory() {
  static const AtlasDirectory dir(*readWholeFile(kData / kAtlasDirectoryFileName));
  return dir;
}

TEST(AtlasRecords, TownRecordIsByteExactAndRoundTrips) {
  const TownRecord t = makeTown("Paris", 7, 75, 2.3488, 48.85341);
  const std::string bytes = encodeTown(t);
  ASSERT_EQ(bytes.size(), 32u);
  EXPECT_EQ(bytes.substr(0, 20), std::string("Paris              ") + '\0');
  EXPECT_EQ(static_cast<unsigned char>(bytes[20]), 7);
  EXPECT_EQ(static_cast<unsigned char>(bytes[22]), 75);
  float lon;
  std::memcpy(&lon, bytes.data() + 24, 4);
  EXPECT_FLOAT_EQ(lon, 2.3488f);
  const TownRecord back = decodeTown(bytes);
  EXPECT_EQ(encodeTown(back), bytes);
  EXPECT_EQ(townName(back), "Paris");
  // A name field without its NUL is forced to end.
  std::string noNul = bytes;
  noNul[19] = 'X';
  EXPECT_EQ(decodeTown(noNul).name[19], '\0');
}

TEST(AtlasRecords, ZoneRecordsAreSixteenAndTwentyBytes) {
  const ZoneRecord z{1000, 2451545.25, -4.5f, 4};
  const std::string b = encodeZoneRecord(z);
  ASSERT_EQ(b.size(), 16u);
  const ZoneRecord back = decodeZoneRecord(b);
  // The record is packed: its fields are copied out before the comparisons take references to them.
  const int group = back.group, status = back.status;
  const double end = back.end;
  const float value = back.value;
  EXPECT_EQ(group, 1000);
  EXPECT_EQ(end, 2451545.25);
  EXPECT_EQ(value, -4.5f);
  EXPECT_EQ(status, 4);
  EXPECT_EQ(encodeCountryZoneRecord({42, z}).size(), 20u);
  EXPECT_EQ(zoneFileName(7), "zykdd007.dtf");
  EXPECT_EQ(zoneFileName(999), "zykdd999.dtf");
}

TEST(AtlasRecords, HasStatesAndZoneFiles) {
  for (int c : {1, 3, 11, 12, 23, 42, 49, 54, 108}) EXPECT_EQ(HasStates(c, 0), 3) << c;
  EXPECT_EQ(HasStates(7, 0), 2);
  for (int c : {2, 4, 5, 10, 90, 200}) EXPECT_EQ(HasStates(c, 0), 0) << c;
  for (int c : {1, 2, 10, 12, 13, 14, 52, 92, 169, 170}) EXPECT_EQ(zoneFileOfCountry(c), c);
  EXPECT_EQ(zoneFileOfCountry(90), 7);
  EXPECT_EQ(zoneFileOfCountry(91), 7);
  for (int c : {11, 15, 51, 53, 91 + 2, 168, 171}) EXPECT_EQ(zoneFileOfCountry(c), 0) << c;
}

TEST(AtlasSearch, TypedNameBeforeEveryTownShowsTheListFromTheFirstTown) {
  const TownFile towns = townsOf({"Aachen", "Berlin", "Cairo"});
  EXPECT_EQ(locateTown(towns, "AAA"), 0);
  const TownWindow w = townWindow(towns, locateTown(towns, "AAA"));
  EXPECT_EQ(w.first, 0);
  EXPECT_EQ(w.count, 3);
  EXPECT_EQ(w.selected, 0);
  const TownWindow real = townWindow(shippedTowns(), locateTown(shippedTowns(), "!"));
  EXPECT_EQ(real.first, 0);
  EXPECT_EQ(real.selected, 0);
  EXPECT_EQ(real.count, 650);
}

TEST(AtlasSearch, WindowIs650RowsStarting325Before) {
  const TownFile& towns = shippedTowns();
  const int pos = locateTown(towns, "Paris");
  const TownWindow w = townWindow(towns, pos);
  EXPECT_EQ(w.first, pos - 325);
  EXPECT_EQ(w.count, 650);
  EXPECT_EQ(w.selected, 325);
  EXPECT_EQ(townName(towns.at(w.first + w.selected)), "Paris");
  // A name after every town: the list ends with the last town, which is selected.
  const TownWindow last = townWindow(towns, locateTown(towns, "\xFF\xFF"));
  EXPECT_EQ(last.first + last.count, towns.count());
  EXPECT_EQ(last.selected, last.count - 1);
}

TEST(AtlasSearch, HalvingAndBinaryStepsFindTheFirstTownNotBelow) {
  const TownFile& towns = shippedTowns();
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pick(0, towns.count() - 1);
  for (int k = 0; k < 3000; ++k) {
    std::string key(towns.nameAt(pick(rng)));
    if (k % 3 == 1) key = key.substr(0, 1 + k % 5);
    if (k % 3 == 2) key.back() = static_cast<char>(key.back() + 1);
    const int got = locateTown(towns, key);
    int lo = 0, hi = towns.count();
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (compareNames(towns.nameAt(mid), key) < 0)
        lo = mid + 1;
      else
        hi = mid;
    }
    ASSERT_EQ(got, lo) << key;
  }
}

TEST(AtlasSearch, StoredOrderIsByteWiseAndSameNamesByPopulation) {
  const TownFile& towns = shippedTowns();
  for (int i = 1; i < towns.count(); ++i)
    ASSERT_LE(compareNames(towns.nameAt(i - 1), towns.nameAt(i)), 0) << i;
  const TownRecord paris = towns.at(locateTown(towns, "Paris"));
  EXPECT_EQ(shippedDirectory().countryName(paris.country), "France");
  EXPECT_EQ(paris.country, 7);
  EXPECT_EQ(paris.region, 75);
  const TownRecord london = towns.at(locateTown(towns, "London"));
  EXPECT_EQ(shippedDirectory().countryName(london.country), "United Kingdom");
}

TEST(AtlasSearch, LowerCaseFindsTheSameTownsAsTheCapitalisedName) {
  const TownFile& towns = shippedTowns();
  for (auto [lower, capital] : {std::pair{"paris", "Paris"},
                                {"new york", "New York"},
                                {"rio de janeiro", "Rio de Janeiro"},
                                {"stratford-upon-avon", "Stratford-upon-Avon"},
                                {"san", "San"},
                                {"zurich", "Zurich"}}) {
    const std::string key = townSearchKey(towns, lower);
    EXPECT_EQ(locateTown(towns, key), locateTown(towns, capital)) << lower << " -> " << key;
  }
  EXPECT_EQ(townSearchKey(towns, "z\xFCrich"), "Z\xFCrich");
  // A capital anywhere: searched as typed.
  EXPECT_EQ(townSearchKey(towns, "pARIS"), "pARIS");
  EXPECT_EQ(townSearchKey(towns, ""), "");
}

TEST(AtlasDirectoryTest, CountriesAndRowTexts) {
  const AtlasDirectory& dir = shippedDirectory();
  EXPECT_EQ(dir.countryCount(), 250);
  EXPECT_EQ(dir.countryName(1), "United States");
  EXPECT_EQ(dir.countryName(3), "Canada");
  EXPECT_EQ(dir.countryName(7), "France");
  EXPECT_EQ(dir.countryName(11), "India");
  EXPECT_EQ(dir.countryName(12), "Australia");
  EXPECT_EQ(dir.countryName(90), "Monaco");
  EXPECT_EQ(dir.countryName(91), "Andorra");
  EXPECT_EQ(dir.countryName(251), "");
  const TownFile& towns = shippedTowns();
  const auto rowOf = [&](const char* name, int country) {
    for (int i = locateTown(towns, name); i < towns.count() && townName(towns.at(i)) == name; ++i)
      if (towns.at(i).country == country) return townRowText(towns.at(i), dir);
    return std::string("not found");
  };
  EXPECT_EQ(rowOf("Los Angeles", 1), "Los Angeles         United States (California)");
  EXPECT_EQ(rowOf("El Paso", 1), "El Paso             United States (Texas)");
  EXPECT_EQ(rowOf("Toronto", 3), "Toronto             Canada (Ontario)");
  EXPECT_EQ(rowOf("Mumbai", 11), "Mumbai              India (Maharashtra)");
  EXPECT_EQ(rowOf("Sydney", 12), "Sydney              Australia (New South Wales)");
  EXPECT_EQ(rowOf("Lord Howe Island", 12), "Lord Howe Island    Australia (New South Wales)");
  EXPECT_EQ(rowOf("Paris", 7), "Paris               France");
}

// Every town of the countries whose list rows show states finds its own state through the lookup
// that starts at the state section + code (+ 24 for country 12).
TEST(AtlasDirectoryTest, EveryTownWithAStateFindsItsStateName) {
  const AtlasDirectory& dir = shippedDirectory();
  const TownFile& towns = shippedTowns();
  std::map<std::pair<int, int>, std::string> scannedNames;
  for (int r = dir.countryCount() + 1; r < dir.recordCount(); ++r) {
    const DirectoryRecord d = dir.at(r);
    if (d.code == kDirectoryEnd) break;
    scannedNames.emplace(std::pair{int(d.code), int(d.subCode)}, fieldText(d.name));
  }
  int checked = 0;
  for (int i = 0; i < towns.count(); ++i) {
    const TownRecord t = towns.at(i);
    if (t.region == 0) continue;
    if (t.country == 7 || t.country == 90 || t.country == 91) {
      ASSERT_TRUE((t.country == 7 && t.region >= 1 && t.region <= 95) ||
                  (t.country == 90 && t.region == 96) || (t.country == 91 && t.region == 97))
          << townName(t);
      continue;
    }
    // The record a full scan of the state section finds.
    const auto it = scannedNames.find({t.country, t.region});
    const std::string scanned = it == scannedNames.end() ? std::string() : it->second;
    ASSERT_FALSE(scanned.empty()) << townName(t) << " " << t.country << "/" << t.region;
    ASSERT_EQ(dir.stateName(t.country, t.region), scanned) << townName(t);
    if (t.country == 1 || t.country == 3 || t.country == 11 || t.country == 12) ++checked;
  }
  EXPECT_GT(checked, 30000);
  // The directory closes with 6666 and the variants' names repeat a state's name.
  EXPECT_EQ(dir.at(dir.recordCount() - 1).code, kDirectoryEnd);
  for (auto& [code, name] : dir.statesOf(12)) EXPECT_LT(code, 500) << name;
  EXPECT_EQ(dir.statesOf(1).size(), 51u);
}

}  // namespace
}  // namespace talpora
