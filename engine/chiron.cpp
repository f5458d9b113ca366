// zykcalc: Chiron's tabulated ephemeris ("zykadb.DTF") and its linear interpolation.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/calendar.h"
#include "engine/positions.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"
#include "platform/ui.h"

namespace talpora {

ChironTable::ChironTable(std::vector<Pair> pairs) : pairs_(std::move(pairs)) {
  pairs_.resize(pairs_.size() / kPairsPerYear * kPairsPerYear);
}

// The table's whole years, up to the first year that holds a damaged pair (a day or a longitude that
// is no number, a longitude outside [0, 360), a day before the one it follows): what comes after such
// a year cannot be trusted, and interpolating in it would give no position at all.
ChironTable ChironTable::fromBytes(std::string_view bytes) {
  const std::size_t years = bytes.size() / kRecordBytes;
  std::vector<Pair> pairs;
  pairs.reserve(years * kPairsPerYear);
  ByteReader r(bytes);
  float lastDay = -INFINITY;
  for (std::size_t y = 0; y < years; ++y) {
    Pair year[kPairsPerYear];
    bool sound = true;
    for (Pair& p : year) {
      p.day = r.f32();
      p.lon = r.f32();
      sound = sound && std::isfinite(p.day) && std::isfinite(p.lon) && p.lon >= 0 && p.lon < 360 && p.day >= lastDay;
      if (sound) lastDay = p.day;
    }
    if (!sound) break;
    pairs.insert(pairs.end(), year, year + kPairsPerYear);
  }
  return ChironTable(std::move(pairs));
}

std::string ChironTable::toBytes() const {
  ByteWriter w;
  for (const Pair& p : pairs_) {
    w.f32(p.day);
    w.f32(p.lon);
  }
  return w.take();
}

double ChironTable::firstJd() const {
  return julian_day(1, 1, kFirstYear, 0.0);
}
double ChironTable::endJd() const {
  return julian_day(1, 1, kFirstYear + yearCount(), 0.0);
}

ChironTable readChironTable(const std::filesystem::path& file) {
  const auto bytes = readFile(file);
  if (!bytes) return {};
  return ChironTable::fromBytes(*bytes);
}

ChironTable loadChironTable(const CIni& settings, ui::Interaction& ui) {
  const std::filesystem::path dir = programDirOf(settings);
  const auto file = findCaseInsensitive(dir, kChironFileName);
  const auto bytes = readFile(file);
  ChironTable table = bytes ? ChironTable::fromBytes(*bytes) : ChironTable{};
  if (table.empty()) {
    ui.tell(kChironMissingText, "", ui::Icon::Stop);
  } else if (table.yearCount() < static_cast<int>(bytes->size() / ChironTable::kRecordBytes)) {
    ui.tell(file.string() + " is damaged after " + std::to_string(table.lastYear()) +
                ": Chiron has no position after that year.",
            "File Error", ui::Icon::Stop);
  }
  return table;
}

// Chiron's longitude for a universal-time JD: the year's record of the table (and the next one)
// holds the pair of points around the moment; the longitude is interpolated linearly between them
// in single precision, across 360/0 when the two points straddle it. Degrees in [0, 360); 0 and -1
// outside the table.
int Chiron(const ChironTable& table, double jd, double& lon) {
  lon = kNoPosition;
  if (!table.covers(jd)) return 0;
  const auto& pairs = table.pairs();
  const float x = static_cast<float>(jd - ChironTable::kDayZero);
  short day, month, year, hour, minute;
  jd_to_date(jd, &day, &month, &year, &hour, &minute);
  int record = year - ChironTable::kFirstYear;
  if (record < 0) record = 0;
  if (record >= table.yearCount()) record = table.yearCount() - 1;
  // The year of a moment just before midnight on 31 December can come out as the next one (minutes
  // are rounded): start one record earlier when the moment lies before the record's first point.
  while (record > 0 && x < pairs[record * ChironTable::kPairsPerYear].day) --record;
  const std::size_t first = static_cast<std::size_t>(record) * ChironTable::kPairsPerYear;
  const std::size_t end = std::min(pairs.size(), first + 2 * ChironTable::kPairsPerYear);
  ChironTable::Pair prev = pairs[first];
  if (x < prev.day) return 0;
  for (std::size_t k = first + 1; k < end; ++k) {
    ChironTable::Pair cur = pairs[k];
    if (cur.day == prev.day) continue;
    // The right end is included: a moment just before the table's end can round up to its last day.
    if (prev.day <= x && x <= cur.day) {
      if (cur.lon - prev.lon < -330.0f) cur.lon += 360.0f;
      if (prev.lon - cur.lon < -330.0f) prev.lon += 360.0f;
      float value = prev.lon + (x - prev.day) * (cur.lon - prev.lon) / (cur.day - prev.day);
      while (value < 0.0f) value += 360.0f;
      while (value >= 360.0f) value -= 360.0f;
      lon = value;
      return 1;
    }
    prev = cur;
  }
  return 0;
}

// The same for one-off callers: reads the table from the program directory on every call.
int Chiron(const CIni& settings, double jd, double& lon) {
  lon = kNoPosition;
  if (jd < julian_day(1, 1, ChironTable::kFirstYear, 0.0)) return 0;  // before any table: no file read
  return Chiron(readChironTable(findCaseInsensitive(programDirOf(settings), kChironFileName)), jd, lon);
}

}  // namespace talpora
