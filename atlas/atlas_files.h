// zykatlas: the atlas files (towns, countries and states, time-zone histories), the town-list search,
// the time-zone lookup and the exchange record. Everything here is a pure function over file bytes,
// so that the search and the lookup can be used and tested without a window.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"

namespace talpora {

inline constexpr const char* kTownFileName = "ZYKWIL.DTF";
inline constexpr const char* kAtlasDirectoryFileName = "ZYKDDDir.DTF";
inline constexpr const char* kAtlasExchangeFileName = "DATA88.DTF";
// "zykdd%03d.dtf"
std::string zoneFileName(int number);

#pragma pack(push, 1)
// One town of "ZYKWIL.DTF".
struct TownRecord {
  char name[20];  // 19 characters padded with blanks, then NUL
  std::int16_t country;
  std::int16_t region;  // state or departement, 0 when none
  float longitude;      // degrees, east positive
  float latitude;       // degrees, north positive
};
// One record of "ZYKDDDir.DTF": the header (code = number of countries), a country (code, 0, name),
// a state (country, state, name) or the closing record (6666).
struct DirectoryRecord {
  std::int16_t code;
  std::int16_t subCode;
  char name[22];
};
// One record of a zone file "zykdd%03d.dtf".
struct ZoneRecord {
  std::int16_t group;
  double end;   // local Julian Day; -1, -2 mapping records; 665 end of the data
  float value;  // hours; a region or group in mapping records; an encoded pair with the rule statuses
  std::int16_t status;
};
// A record of zone file 000: the country code first.
struct CountryZoneRecord {
  std::int32_t country;
  ZoneRecord record;
};
#pragma pack(pop)
static_assert(sizeof(TownRecord) == 32);
static_assert(offsetof(TownRecord, country) == 20 && offsetof(TownRecord, region) == 22);
static_assert(offsetof(TownRecord, longitude) == 24 && offsetof(TownRecord, latitude) == 28);
static_assert(sizeof(DirectoryRecord) == 26);
static_assert(offsetof(DirectoryRecord, subCode) == 2 && offsetof(DirectoryRecord, name) == 4);
static_assert(sizeof(ZoneRecord) == 16);
static_assert(offsetof(ZoneRecord, end) == 2 && offsetof(ZoneRecord, value) == 10 &&
              offsetof(ZoneRecord, status) == 14);
static_assert(sizeof(CountryZoneRecord) == 20 && offsetof(CountryZoneRecord, record) == 4);

// Zone statuses with a meaning of their own.
namespace zone_status {
inline constexpr int kNoDaylightSaving = 1, kDaylightSaving = 4, kCapitalTime = 31, kLocalMeanTime = 32;
inline constexpr int kEuropeanRule = 999, kEuropeanRuleOnly = 9990, kUsRule = 901, kUsRuleOnly = 9010;
inline constexpr int kNormallyNoDaylightSaving = -1999, kWar = -30;
}  // namespace zone_status
inline constexpr double kZoneMappingByGroup = -1, kZoneMappingByRegion = -2, kZoneEndOfData = 665;
inline constexpr int kDirectoryEnd = 6666;
inline constexpr int kTownNameWidth = 19;  // characters of a name before the NUL

// Decoding and encoding (little-endian, field by field). Names are forced to end in a NUL.
TownRecord decodeTown(std::string_view bytes32);
std::string encodeTown(const TownRecord&);
DirectoryRecord decodeDirectoryRecord(std::string_view bytes26);
ZoneRecord decodeZoneRecord(std::string_view bytes16);
std::string encodeZoneRecord(const ZoneRecord&);
std::string encodeCountryZoneRecord(const CountryZoneRecord&);
// A town record with its name padded with blanks to 19 characters.
TownRecord makeTown(std::string_view name, int country, int region, double longitudeDeg, double latitudeDeg);
// The name without its padding blanks.
std::string townName(const TownRecord&);

// 3 for the countries with state lists, 2 for France (departements 1 to 95), 0 otherwise.
int HasStates(int country, int ignored = 0);
// The zone file of a country: its own, France's (7) for 90 and 91, else 000.
int zoneFileOfCountry(int country);

// ---- Towns ----
// The bytes of a town file, held or mapped (a copy shares them).
class TownFile {
 public:
  explicit TownFile(std::string bytes);
  // Bytes kept alive by `keeper` (a file mapping).
  TownFile(std::shared_ptr<const void> keeper, std::string_view bytes)
      : keep_(std::move(keeper)), bytes_(bytes) {}
  int count() const { return static_cast<int>(bytes_.size() / sizeof(TownRecord)); }
  TownRecord at(int index) const;
  // The 20-byte name field of a town, up to its NUL.
  std::string_view nameAt(int index) const;
  std::string_view bytes() const { return bytes_; }

 private:
  std::shared_ptr<const void> keep_;
  std::string_view bytes_;
};

// Byte-wise comparison of a typed name with a name field (unsigned bytes, the shorter first).
int compareNames(std::string_view a, std::string_view b);

// The search key for what the user typed: the text itself, except that a name typed without any
// capital letter is given the capitals of the first town it matches letter for letter (ignoring
// case), so that "paris" and "new york" find the same towns as "Paris" and "New York".
std::string townSearchKey(const TownFile&, std::string_view typed);

// The first town whose name is not below `key`, found as the list does it: halve the town count to
// at most 300 counting the halvings k, make k binary steps, then scan forward. count() when none.
int locateTown(const TownFile&, std::string_view key);

// The list window: up to 650 towns starting 325 before the position, and the row to select.
struct TownWindow {
  int first = 0;      // index of the first row's town
  int count = 0;      // rows
  int selected = -1;  // row of the first town not below the key (the last row when every town is below)
};
TownWindow townWindow(const TownFile&, int position);

// ---- Countries and states ----
class AtlasDirectory {
 public:
  explicit AtlasDirectory(std::string bytes);
  AtlasDirectory(std::shared_ptr<const void> keeper, std::string_view bytes);
  int countryCount() const { return countries_; }
  int recordCount() const { return static_cast<int>(bytes_.size() / sizeof(DirectoryRecord)); }
  DirectoryRecord at(int index) const;
  // Name of a country (empty when the code is not a country).
  std::string countryName(int country) const;
  // The name of a state as the town list finds it: from the state section record + state code (+ 24
  // for country 12) forward to the record of that country and state; empty when not found.
  std::string stateName(int country, int state) const;
  // The states of a country in directory order (code, name); zone variants (codes from 500) left out.
  std::vector<std::pair<int, std::string>> statesOf(int country) const;

 private:
  std::shared_ptr<const void> keep_;
  std::string_view bytes_;
  int countries_ = 0;
};

// A list row: the padded town name, a blank, the country name, and for countries 1, 3, 11 and 12 the
// state name in parentheses.
std::string townRowText(const TownRecord&, const AtlasDirectory&);

// ---- Time zones ----
enum class ZoneSearch { Found, NotFound, RanOut };
struct ZoneLookup {
  ZoneSearch outcome = ZoneSearch::NotFound;
  int result = 0;       // the status for 999, 9990, 901, 9010, -1999; else 1
  ZoneRecord record{};  // the record found
};
// The lookup in one zone file (its bytes) for a local Julian Day, starting at `group`; `region` is
// the town's region for the mapping records -2; `country` selects the records of file 000.
ZoneLookup lookupZone(std::string_view fileBytes, int fileNumber, int country, double jd, int group,
                      int region);

// Zone files by number: the bytes, or nullopt when the file is missing.
using ZoneFileSource = std::function<std::optional<std::string_view>(int fileNumber)>;

// The time zone of a town at a local date and time, as the atlas answers it in mode 7.
struct ZoneAnswer {
  bool found = false;   // false: coordinates only (result 100)
  double timeZone = 0;  // hours later than Greenwich
  int zoneStatus = 0;
  int yearUsed = 0;  // the year whose records were used (another year for -2001 .. -2999)
};
// `missing` is told the name of a zone file that cannot be found; `ranOut` when a file has no end record.
struct ZoneMessages {
  std::function<void(const std::string& fileName)> missing;
  std::function<void()> ranOut;
  // Told the name of a zone file whose record gives no possible zone (damaged).
  std::function<void(const std::string& fileName)> damaged;
};
ZoneAnswer zoneAtDate(const ZoneFileSource&, const TownRecord&, int day, int month, int year, int hour,
                      int minute, const ZoneMessages& messages = {});

// The label the data entry shows for a zone status ("(*) no DLS", ...); empty for none.
std::string zoneStatusLabel(int zoneStatus);

// The ISO 3166 two-letter code of a country of the directory, and back (0 when unknown).
std::string_view isoCodeOfCountry(int country);
int countryOfIsoCode(std::string_view iso);

}  // namespace talpora
