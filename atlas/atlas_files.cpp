// zykatlas: the atlas files, the town-list search and the time-zone lookup.
#include "atlas/atlas_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/calendar.h"
#include "platform/byte_io.h"

namespace talpora {

std::string zoneFileName(int number) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "zykdd%03d.dtf", number);
  return buf;
}

TownRecord decodeTown(std::string_view bytes) {
  ByteReader r(bytes);
  TownRecord t{};
  r.text(t.name, sizeof t.name);
  t.country = r.i16();
  t.region = r.i16();
  t.longitude = r.f32();
  t.latitude = r.f32();
  return t;
}

std::string encodeTown(const TownRecord& t) {
  ByteWriter w;
  w.text(t.name, sizeof t.name);
  w.i16(t.country);
  w.i16(t.region);
  w.f32(t.longitude);
  w.f32(t.latitude);
  return w.take();
}

DirectoryRecord decodeDirectoryRecord(std::string_view bytes) {
  ByteReader r(bytes);
  DirectoryRecord d{};
  d.code = r.i16();
  d.subCode = r.i16();
  r.text(d.name, sizeof d.name);
  return d;
}

ZoneRecord decodeZoneRecord(std::string_view bytes) {
  ByteReader r(bytes);
  ZoneRecord z{};
  z.group = r.i16();
  z.end = r.f64();
  z.value = r.f32();
  z.status = r.i16();
  return z;
}

std::string encodeZoneRecord(const ZoneRecord& z) {
  ByteWriter w;
  w.i16(z.group);
  w.f64(z.end);
  w.f32(z.value);
  w.i16(z.status);
  return w.take();
}

std::string encodeCountryZoneRecord(const CountryZoneRecord& z) {
  ByteWriter w;
  w.i32(z.country);
  return w.take() + encodeZoneRecord(z.record);
}

TownRecord makeTown(std::string_view name, int country, int region, double longitudeDeg, double latitudeDeg) {
  TownRecord t{};
  std::memset(t.name, ' ', kTownNameWidth);
  std::memcpy(t.name, name.data(), std::min<std::size_t>(name.size(), kTownNameWidth));
  t.name[kTownNameWidth] = '\0';
  t.country = static_cast<std::int16_t>(country);
  t.region = static_cast<std::int16_t>(region);
  t.longitude = static_cast<float>(longitudeDeg);
  t.latitude = static_cast<float>(latitudeDeg);
  return t;
}

std::string townName(const TownRecord& t) {
  std::string s = fieldText(t.name);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

int HasStates(int country, int /*ignored*/) {
  switch (country) {
    case 1:
    case 3:
    case 11:
    case 12:
    case 23:
    case 42:
    case 49:
    case 54:
    case 108:
      return 3;
    case 7:
      return 2;
    default:
      return 0;
  }
}

int zoneFileOfCountry(int country) {
  if ((country >= 1 && country <= 10) || (country >= 12 && country <= 14) || country == 52 || country == 92 ||
      country == 169 || country == 170)
    return country;
  if (country == 90 || country == 91) return 7;
  return 0;
}

// ---- Towns ----

TownFile::TownFile(std::string bytes) {
  auto held = std::make_shared<const std::string>(std::move(bytes));
  bytes_ = *held;
  keep_ = std::move(held);
}

TownRecord TownFile::at(int index) const {
  return decodeTown(bytes_.substr(static_cast<std::size_t>(index) * sizeof(TownRecord), sizeof(TownRecord)));
}

std::string_view TownFile::nameAt(int index) const {
  const char* p = bytes_.data() + static_cast<std::size_t>(index) * sizeof(TownRecord);
  std::size_t len = 0;
  while (len < 19 && p[len] != '\0') ++len;  // the 20th byte is the NUL
  return std::string_view(p, len);
}

int compareNames(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

namespace {

// Capital and small letters of the Windows code page.
bool isCapital(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A || c == 0x8C ||
         c == 0x8E || c == 0x9F;
}
unsigned char capitalOf(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 16);
  if (c == 0xFF) return 0x9F;
  return c;
}
// Case-blind comparison of the first n bytes of a name with a key of n bytes, and ordering.
int compareFolded(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = capitalOf(static_cast<unsigned char>(a[i])),
               y = capitalOf(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// First town whose name is not below key, by plain binary search (used for ranges of first letters).
int lowerBound(const TownFile& towns, std::string_view key) {
  int lo = 0, hi = towns.count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (compareNames(towns.nameAt(mid), key) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

}  // namespace

std::string townSearchKey(const TownFile& towns, std::string_view typed) {
  std::string key(typed);
  if (key.empty()) return key;
  for (unsigned char c : key)
    if (isCapital(c)) return key;
  // Towns beginning with the typed first letter, capital or small.
  const auto first = static_cast<unsigned char>(key[0]);
  std::vector<unsigned char> starts{capitalOf(first)};
  if (capitalOf(first) != first) starts.push_back(first);
  int best = -1;
  std::string_view bestName;
  for (unsigned char s : starts) {
    const std::string from(1, static_cast<char>(s));
    int i = lowerBound(towns, from);
    for (; i < towns.count(); ++i) {
      const std::string_view name = towns.nameAt(i);
      if (name.empty() || static_cast<unsigned char>(name[0]) != s) break;
      if (name.size() < key.size() || compareFolded(name.substr(0, key.size()), key) != 0) continue;
      if (best < 0 || compareFolded(name, bestName) < 0) {
        best = i;
        bestName = name;
      }
    }
  }
  if (best >= 0) return std::string(bestName.substr(0, key.size()));
  key[0] = static_cast<char>(capitalOf(first));
  return key;
}

int locateTown(const TownFile& towns, std::string_view key) {
  const int count = towns.count();
  int halvings = 0;
  for (int n = count; n > 300; n /= 2) ++halvings;
  int lo = 0, hi = count;
  for (int step = 0; step < halvings && lo < hi; ++step) {
    const int mid = lo + (hi - lo) / 2;
    if (compareNames(towns.nameAt(mid), key) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  while (lo < count && compareNames(towns.nameAt(lo), key) < 0) ++lo;
  return lo;
}

TownWindow townWindow(const TownFile& towns, int position) {
  TownWindow w;
  const int count = towns.count();
  w.first = std::max(0, position - 325);
  w.count = std::max(0, std::min(650, count - w.first));
  if (w.count == 0) return w;
  w.selected = position < count ? position - w.first : w.count - 1;
  return w;
}

// ---- Countries and states ----

AtlasDirectory::AtlasDirectory(std::shared_ptr<const void> keeper, std::string_view bytes)
    : keep_(std::move(keeper)), bytes_(bytes) {
  if (recordCount() > 0) countries_ = std::max(0, static_cast<int>(at(0).code));
  countries_ = std::min(countries_, std::max(0, recordCount() - 1));
}

AtlasDirectory::AtlasDirectory(std::string bytes) : AtlasDirectory(nullptr, std::string_view()) {
  auto held = std::make_shared<const std::string>(std::move(bytes));
  *this = AtlasDirectory(held, *held);
}

DirectoryRecord AtlasDirectory::at(int index) const {
  return decodeDirectoryRecord(
      bytes_.substr(static_cast<std::size_t>(index) * sizeof(DirectoryRecord), sizeof(DirectoryRecord)));
}

std::string AtlasDirectory::countryName(int country) const {
  if (country < 1 || country > countries_) return {};
  return fieldText(at(country).name);
}

std::string AtlasDirectory::stateName(int country, int state) const {
  if (state <= 0) return {};
  int i = countries_ + state + (country == 12 ? 24 : 0);
  for (; i < recordCount(); ++i) {
    const DirectoryRecord r = at(i);
    if (r.code == kDirectoryEnd) break;
    if (r.code == country && r.subCode == state) return fieldText(r.name);
  }
  return {};
}

std::vector<std::pair<int, std::string>> AtlasDirectory::statesOf(int country) const {
  std::vector<std::pair<int, std::string>> out;
  for (int i = countries_ + 1; i < recordCount(); ++i) {
    const DirectoryRecord r = at(i);
    if (r.code == kDirectoryEnd) break;
    if (r.code == country && r.subCode > 0 && r.subCode < 500) out.emplace_back(r.subCode, fieldText(r.name));
  }
  return out;
}

std::string townRowText(const TownRecord& t, const AtlasDirectory& dir) {
  std::string row = fieldText(t.name) + " " + dir.countryName(t.country);
  if (t.country == 1 || t.country == 3 || t.country == 11 || t.country == 12) {
    const std::string state = dir.stateName(t.country, t.region);
    if (!state.empty()) row += " (" + state + ")";
  }
  return row;
}

// ---- Time zones ----

ZoneLookup lookupZone(std::string_view bytes, int fileNumber, int country, double jd, int group, int region) {
  ZoneLookup out;
  const bool keyed = fileNumber == 0;
  const std::size_t size = keyed ? sizeof(CountryZoneRecord) : sizeof(ZoneRecord);
  const std::size_t count = bytes.size() / size;
  auto keyAt = [&](std::size_t i) {
    ByteReader r(bytes.substr(i * size, 4));
    return r.i32();
  };
  // File 000 is sorted by country: its records start where the country's do.
  std::size_t i = 0;
  if (keyed) {
    std::size_t lo = 0, hi = count;
    while (lo < hi) {
      const std::size_t mid = lo + (hi - lo) / 2;
      if (keyAt(mid) < country)
        lo = mid + 1;
      else
        hi = mid;
    }
    i = lo;
  }
  double previousEnd = 1.0;
  int g = group;
  for (; i < count; ++i) {
    std::string_view rec = bytes.substr(i * size, size);
    if (keyed) {
      const std::int32_t key = keyAt(i);
      if (key > country) return out;  // not found
      if (key < country) continue;
      rec.remove_prefix(4);
    }
    const ZoneRecord z = decodeZoneRecord(rec);
    if (z.end == kZoneEndOfData) return out;
    if (z.end == kZoneMappingByGroup) {
      if (std::trunc(z.value) == g) g = z.group;  // compared as numbers: damaged values cast to no int
      continue;
    }
    if (z.end == kZoneMappingByRegion) {
      if (std::trunc(z.value) == region) g = region;
      continue;
    }
    if (z.group == g && previousEnd <= jd && jd < z.end) {
      out.outcome = ZoneSearch::Found;
      out.record = z;
      switch (z.status) {
        case zone_status::kEuropeanRule:
        case zone_status::kEuropeanRuleOnly:
        case zone_status::kUsRule:
        case zone_status::kUsRuleOnly:
        case zone_status::kNormallyNoDaylightSaving:
          out.result = z.status;
          break;
        default:
          out.result = 1;
      }
      return out;
    }
    if (z.end > 0) previousEnd = z.end;
  }
  out.outcome = ZoneSearch::RanOut;
  return out;
}

namespace {

struct Resolved {
  double zone = 0;
  int status = 0;
};

// One lookup of a town at a local Julian Day, with the rule files resolved: the zone in hours and the
// status (1 or 4 for the rules, plus 9990 or 9010 for the countries without records of their own).
std::optional<Resolved> resolveAt(const ZoneFileSource& files, const TownRecord& town, double jd,
                                  const ZoneMessages& messages) {
  const int file = zoneFileOfCountry(town.country);
  auto bytes = files(file);
  if (!bytes) {
    if (messages.missing) messages.missing(zoneFileName(file));
    return std::nullopt;
  }
  const int group = (file == 7 || file == 0 || file == 999 || file == 901) ? 0 : town.region;
  const ZoneLookup hit = lookupZone(*bytes, file, town.country, jd, group, town.region);
  if (hit.outcome == ZoneSearch::RanOut && messages.ranOut) messages.ranOut();
  if (hit.outcome != ZoneSearch::Found) return std::nullopt;
  const int status = hit.record.status;
  int ruleFile = 0;
  if (status == zone_status::kEuropeanRule || status == zone_status::kEuropeanRuleOnly) ruleFile = 999;
  if (status == zone_status::kUsRule || status == zone_status::kUsRuleOnly) ruleFile = 901;
  // A zone no clock keeps (damaged bytes) is refused: the town then has its coordinates only.
  const auto sound = [&](Resolved r, int fileNumber) -> std::optional<Resolved> {
    if (std::isfinite(r.zone) && std::fabs(r.zone) <= 24) return r;
    if (messages.damaged) messages.damaged(zoneFileName(fileNumber));
    return std::nullopt;
  };
  if (ruleFile == 0) return sound(Resolved{hit.record.value, status}, file);
  // The rule file says whether summer time is in force; the country's value holds both zones:
  // the standard zone in its hundreds and the summer zone in its units.
  auto rule = files(ruleFile);
  if (!rule) {
    if (messages.missing) messages.missing(zoneFileName(ruleFile));
    return std::nullopt;
  }
  const ZoneLookup r = lookupZone(*rule, ruleFile, 0, jd, 0, 0);
  if (r.outcome == ZoneSearch::RanOut && messages.ranOut) messages.ranOut();
  if (r.outcome != ZoneSearch::Found) return std::nullopt;
  const double v = hit.record.value;
  const int s = r.record.status;
  Resolved out;
  out.zone = s == zone_status::kNoDaylightSaving ? std::trunc(v * 0.1) * 0.1 : v - 10 * std::trunc(v * 0.1);
  out.status = s;
  if (status == zone_status::kEuropeanRuleOnly || status == zone_status::kUsRuleOnly) out.status += status;
  return sound(out, file);
}

}  // namespace

// Steps: the lookup at the date; then, when nothing is found (or only "normally no daylight saving"),
// the same date and time 10, 20 and 30 years earlier, and from the first year found one year forward
// at a time (at most nine steps) while the lookup keeps succeeding. The rule statuses are resolved in
// the other year too, so that the answer is always a zone in hours.
ZoneAnswer zoneAtDate(const ZoneFileSource& files, const TownRecord& town, int day, int month, int year,
                      int hour, int minute, const ZoneMessages& messages) {
  ZoneAnswer answer;
  answer.yearUsed = year;
  const auto at = [&](int y) {
    return resolveAt(files, town, julian_dayh(day, month, y, hour, minute), messages);
  };
  const auto direct = at(year);
  if (direct && direct->status != zone_status::kNormallyNoDaylightSaving) {
    answer.found = true;
    answer.timeZone = direct->zone;
    answer.zoneStatus = direct->status;
    return answer;
  }
  ZoneMessages quiet;  // a missing file has been reported once already
  const auto atQuiet = [&](int y) {
    return resolveAt(files, town, julian_dayh(day, month, y, hour, minute), quiet);
  };
  for (int back = 10; back <= 30; back += 10) {
    auto found = atQuiet(year - back);
    if (!found || found->status == zone_status::kNormallyNoDaylightSaving) continue;
    int used = year - back;
    for (int step = 1; step <= 9; ++step) {
      auto next = atQuiet(year - back + step);
      if (!next || next->status == zone_status::kNormallyNoDaylightSaving) break;
      found = next;
      used = year - back + step;
    }
    answer.found = true;
    answer.timeZone = found->zone;
    answer.zoneStatus = -found->status - 2000;
    answer.yearUsed = used;
    return answer;
  }
  if (direct) {  // only "normally no daylight saving" at the date
    answer.found = true;
    answer.timeZone = direct->zone;
    answer.zoneStatus = direct->status;
  }
  return answer;
}

std::string zoneStatusLabel(int code) {
  switch (code) {
    case 1:
    case 9991:
    case 9011:
      return "(*) no DLS";
    case 4:
    case 9994:
    case 9014:
      return "(*) DLS enforced";
    case 31:
      return "(*) Time of the capital city";
    case 32:
      return "(*) Local time";
    default:
      return code > 0 ? "(*) " : "";
  }
}

}  // namespace talpora
