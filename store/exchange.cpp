// zykchart: AAF and CSV exchange files, database export and bulk import.
#include "store/exchange.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

#include "atlas/atlas_files.h"
#include "core/calendar.h"
#include "files/zykfile.h"
#include "platform/cp1252.h"
#include "platform/file_lock.h"
#include "platform/mapped_file.h"
#include "store/database.h"
#include "store/database_files.h"

namespace talpora {
namespace fs = std::filesystem;

namespace {

// ---- text helpers ----

bool validUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1 : 0)) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 0x2) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// The file's text in CP1252: UTF-8 when it is valid UTF-8 (a byte-order mark skipped), else CP1252.
std::string fileTextToCp1252(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return validUtf8(bytes) ? utf8ToCp1252(bytes) : std::string(bytes);
}

void setText(char* field, std::size_t width, std::string_view text) {
  std::memset(field, 0, width);
  std::memcpy(field, text.data(), std::min(text.size(), width - 1));
}

std::string trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return std::string(s);
}

std::vector<std::string> split(std::string_view s, char sep) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    const auto at = s.find(sep, start);
    out.push_back(
        std::string(s.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start)));
    if (at == std::string_view::npos) return out;
    start = at + 1;
  }
}

std::optional<double> number(std::string_view s) {
  double v = 0;
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<long> integer(std::string_view s) {
  long v = 0;
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

// The shortest text that reads back as `v`, or `v` to `precision` significant digits.
std::string shortest(double v, int precision = 0) {
  char buf[64];
  const auto r = precision ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision)
                           : std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string twoDigits(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

// Why a chart cannot be kept; empty when it is sound.
std::string checkChart(Chart1& c) {
  short d = c.day, m = c.month, y = c.year;
  if (c.year == 0 || !IsDateValid(&d, &m, &y)) return "impossible date";
  if (c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59) return "impossible time";
  if (!(std::fabs(c.latitude) <= 90)) return "latitude out of range";
  if (!(std::fabs(c.longitude) <= 12)) return "longitude out of range";
  if (!(std::fabs(c.timeZone) <= 15)) return "time zone out of range";
  return {};
}

bool summerTime(int zoneStatus) {
  return zoneStatus == 4 || zoneStatus == 9994 || zoneStatus == 9014;
}

// ---- AAF fields ----

// "48n51", "48n51:24", "2e21", "122w25" or a decimal number; `pos` and `neg` the hemisphere letters.
std::optional<double> aafAngle(std::string_view s, char pos, char neg) {
  // A plain number only without a hemisphere letter ("11e34" is 11 degrees 34 minutes east).
  const char letters[] = {pos, neg, static_cast<char>(std::toupper(pos)),
                          static_cast<char>(std::toupper(neg)), 0};
  if (s.find_first_of(letters) == std::string_view::npos) return number(s);
  std::size_t at = std::string_view::npos;
  int sign = 1;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
    if (c == pos || c == neg) {
      at = i;
      sign = c == pos ? 1 : -1;
      break;
    }
  }
  if (at == std::string_view::npos || at == 0) return std::nullopt;
  const auto deg = integer(s.substr(0, at));
  std::string_view rest = s.substr(at + 1);
  double minutes = 0, seconds = 0;
  if (const auto colon = rest.find(':'); colon != std::string_view::npos) {
    const auto sec = number(rest.substr(colon + 1));
    if (!sec) return std::nullopt;
    seconds = *sec;
    rest = rest.substr(0, colon);
  }
  if (!rest.empty()) {
    const auto min = number(rest);
    if (!min) return std::nullopt;
    minutes = *min;
  }
  if (!deg || *deg < 0 || minutes < 0 || minutes >= 60 || seconds < 0 || seconds >= 60) return std::nullopt;
  return sign * (static_cast<double>(*deg) + minutes / 60 + seconds / 3600);
}

std::string aafAngleText(double value, char pos, char neg) {
  const long totalSeconds = std::lround(std::fabs(value) * 3600);
  std::string s = std::to_string(totalSeconds / 3600) + (value < 0 && totalSeconds ? neg : pos) +
                  twoDigits(static_cast<int>(totalSeconds / 60 % 60));
  if (totalSeconds % 60) s += ":" + twoDigits(static_cast<int>(totalSeconds % 60));
  return s;
}

// Zones: "1he00", "5hw00", "-5h00", "5:30" or a decimal number of hours, east positive.
std::optional<double> aafZone(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (s.find_first_of("hew:") == std::string::npos) return number(s);
  int sign = 1;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    sign = s[0] == '-' ? -1 : 1;
    s.erase(0, 1);
  }
  const auto h = s.find_first_of("h:");
  if (h == std::string::npos) return std::nullopt;
  std::string rest = s.substr(h + 1);
  if (!rest.empty() && (rest[0] == 'e' || rest[0] == 'w')) {
    if (rest[0] == 'w') sign = -sign;
    rest.erase(0, 1);
  }
  const auto v = aafAngle(s.substr(0, h) + "e" + rest, 'e', 'w');
  if (!v) return std::nullopt;
  return sign * *v;
}

std::string aafZoneText(double hours) {
  std::string s = aafAngleText(hours, 'e', 'w');
  const auto letter = s.find_first_of("ew");
  return s.substr(0, letter) + "h" + s.substr(letter);
}

std::string aafField(std::string_view cp1252) {
  std::string s = cp1252ToUtf8(cp1252);
  std::replace(s.begin(), s.end(), ',', ';');
  std::replace(s.begin(), s.end(), '\r', ' ');
  std::replace(s.begin(), s.end(), '\n', ' ');
  return s.empty() ? "*" : s;
}

struct AafPending {
  int line = 0;
  std::vector<std::string> a, b;
  std::string comment;
};

void finishAaf(AafPending& p, ExchangeRead& out) {
  if (p.line == 0) return;
  auto fail = [&](const std::string& why) { out.errors.push_back({p.line, why}); };
  Chart1 c;
  c.chartType = 1;
  const auto& a = p.a;
  if (a.size() < 7) return fail("#A93 needs 7 fields");
  const std::string surname = a[0] == "*" ? "" : a[0], first = a[1] == "*" ? "" : a[1];
  setText(c.name, sizeof c.name, first.empty() || surname.empty() ? first + surname : first + " " + surname);
  const auto date = split(a[3], '.');
  const auto day = date.size() == 3 ? integer(date[0]) : std::nullopt;
  const auto month = date.size() == 3 ? integer(date[1]) : std::nullopt;
  const auto year = date.size() == 3 ? integer(date[2]) : std::nullopt;
  if (!day || !month || !year) return fail("date '" + a[3] + "' is not dd.mm.yyyy");
  c.day = static_cast<std::int16_t>(*day);
  c.month = static_cast<std::int16_t>(*month);
  c.year = static_cast<std::int16_t>(*year);
  c.timeKnown = a[4] != "*";
  c.hour = 12;
  if (c.timeKnown) {
    const auto t = split(a[4], ':');
    const auto hh = t.size() >= 2 ? integer(t[0]) : std::nullopt,
               mm = t.size() >= 2 ? integer(t[1]) : std::nullopt;
    if (!hh || !mm || t.size() > 3) return fail("time '" + a[4] + "' is not hh:mm");
    c.hour = static_cast<std::int16_t>(*hh);
    c.minute = static_cast<std::int16_t>(*mm);
  }
  std::string place = a[5];
  for (std::size_t i = 6; i + 1 < a.size(); ++i) place += "," + a[i];
  setText(c.place, sizeof c.place, place == "*" ? "" : place);
  c.country = static_cast<std::int16_t>(countryOfIsoCode(a.back() == "*" ? "" : a.back()));
  setText(c.comment, sizeof c.comment, p.comment);
  std::optional<double> jd;
  bool placed = false;
  if (!p.b.empty()) {
    const auto& b = p.b;
    if (b.size() < 5) return fail("#B93 needs 5 fields");
    if (b[0] != "*" && !(jd = number(b[0]))) return fail("Julian Day '" + b[0] + "' is not a number");
    if (b[1] != "*" && b[2] != "*") {
      const auto lat = aafAngle(b[1], 'n', 's'), lon = aafAngle(b[2], 'e', 'w');
      if (!lat || !lon) return fail("coordinates '" + b[1] + "," + b[2] + "' cannot be read");
      c.latitude = *lat;
      c.longitude = *lon / 15;
      placed = true;
    }
    if (b[3] != "*") {
      const auto zone = aafZone(b[3]);
      if (!zone) return fail("time zone '" + b[3] + "' cannot be read");
      c.timeZone = *zone;
    }
    if (b[4] == "1") {
      c.timeZone += 1;
      c.zoneStatus = 4;
    } else if (b[4] != "0" && b[4] != "*") {
      return fail("summer-time flag '" + b[4] + "' is not 0 or 1");
    }
  }
  if (jd) {
    // The Julian Day is the moment; the date and time are only its local reading.
    const double local = julian_dayh(c.day, c.month, c.year, c.hour, c.minute) - c.timeZone / 24;
    if (std::fabs(local - *jd) > 0.5 / 1440) {
      short d, m, y, h, mi;
      jd_to_date(*jd + c.timeZone / 24, &d, &m, &y, &h, &mi);
      c.day = d, c.month = m, c.year = y, c.hour = h, c.minute = mi;
    }
  }
  if (const auto why = checkChart(c); !why.empty()) return fail(why);
  if (!placed)
    out.warnings.push_back({p.line, std::string("no coordinates for '") + c.name + "': stored at 0/0"});
  out.records.push_back({c, p.line});
}

// ---- CSV ----

const char* const kCsvColumns[] = {"chartType",  "day",       "month",      "year",     "hour",
                                   "minute",     "longitude", "latitude",   "timeZone", "timeKnown",
                                   "zoneStatus", "country",   "place",      "name",     "typeText",
                                   "comment",    "region",    "doubleChart"};

std::string csvField(std::string s) {
  if (s.find_first_of(",;\t\"\r\n") == std::string::npos) return s;
  std::string q = "\"";
  for (char c : s) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

struct CsvRow {
  int line;
  std::vector<std::string> fields;
};

// Splits RFC 4180 text into rows (quoted fields may hold delimiters, quotes and line breaks).
std::vector<CsvRow> csvRows(std::string_view text, char delimiter, std::vector<ExchangeIssue>& errors) {
  std::vector<CsvRow> rows;
  int line = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    CsvRow row{line, {}};
    std::string field;
    bool quoted = false, bad = false;
    for (;;) {
      if (i >= text.size()) {
        if (quoted) bad = true;
        row.fields.push_back(field);
        break;
      }
      const char c = text[i++];
      if (quoted) {
        if (c == '"') {
          if (i < text.size() && text[i] == '"') {
            field += '"';
            ++i;
          } else {
            quoted = false;
          }
        } else {
          if (c == '\n') ++line;
          field += c;
        }
      } else if (c == '"' && field.empty()) {
        quoted = true;
      } else if (c == delimiter) {
        row.fields.push_back(std::move(field));
        field.clear();
      } else if (c == '\n' || c == '\r') {
        if (c == '\r' && i < text.size() && text[i] == '\n') ++i;
        ++line;
        row.fields.push_back(std::move(field));
        break;
      } else {
        field += c;
      }
    }
    if (bad)
      errors.push_back({row.line, "unterminated quoted field"});
    else if (!(row.fields.size() == 1 && row.fields[0].empty()))
      rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

std::optional<ExchangeFormat> exchangeFormatOf(const fs::path& p) {
  std::string ext = p.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == ".aaf") return ExchangeFormat::Aaf;
  if (ext == ".csv") return ExchangeFormat::Csv;
  return std::nullopt;
}

ExchangeRead readAaf(std::string_view bytes) {
  const std::string text = fileTextToCp1252(bytes);
  ExchangeRead out;
  AafPending pending;
  const auto lines = split(text, '\n');
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string line = trim(lines[n]);
    const int number = static_cast<int>(n) + 1;
    if (line.rfind("#A93:", 0) == 0) {
      finishAaf(pending, out);
      pending = AafPending{number, split(line.substr(5), ','), {}, {}};
      for (auto& f : pending.a) f = trim(f);
    } else if (line.rfind("#B93:", 0) == 0 || line.rfind("#COM:", 0) == 0) {
      if (pending.line == 0) {
        out.errors.push_back({number, line.substr(0, 4) + " without #A93"});
        continue;
      }
      if (line[1] == 'B') {
        pending.b = split(line.substr(5), ',');
        for (auto& f : pending.b) f = trim(f);
      } else {
        pending.comment += (pending.comment.empty() ? "" : " ") + line.substr(5);
      }
    }
  }
  finishAaf(pending, out);
  return out;
}

std::string writeAaf(const std::vector<Chart1>& charts) {
  std::string out;
  for (const auto& c : charts) {
    const bool dst = summerTime(c.zoneStatus);
    const double zone = dst ? c.timeZone - 1 : c.timeZone;
    const double jd = julian_dayh(c.day, c.month, c.year, c.hour, c.minute) - c.timeZone / 24;
    const std::string_view iso = isoCodeOfCountry(c.country);
    out += "#A93:" + aafField(c.name) + ",*,*," + twoDigits(c.day) + "." + twoDigits(c.month) + "." +
           std::to_string(c.year) + "," +
           (c.timeKnown ? twoDigits(c.hour) + ":" + twoDigits(c.minute) : "*") + "," + aafField(c.place) +
           "," + (iso.empty() ? "*" : std::string(iso)) + "\n";
    char jdText[32];
    const auto r = std::to_chars(jdText, jdText + sizeof jdText, jd, std::chars_format::fixed, 6);
    out += "#B93:" + std::string(jdText, r.ptr) + "," + aafAngleText(c.latitude, 'n', 's') + "," +
           aafAngleText(c.longitude * 15, 'e', 'w') + "," + aafZoneText(zone) + "," + (dst ? "1" : "0") +
           "\n";
    if (c.comment[0]) out += "#COM:" + aafField(c.comment) + "\n";
  }
  return out;
}

ExchangeRead readCsv(std::string_view bytes) {
  const std::string text = fileTextToCp1252(bytes);
  ExchangeRead out;
  const std::string header = text.substr(0, text.find_first_of("\r\n"));
  char delimiter = ',';
  std::size_t best = 0;
  for (char d : {',', ';', '\t'})
    if (const auto n = static_cast<std::size_t>(std::count(header.begin(), header.end(), d)); n > best) {
      best = n;
      delimiter = d;
    }
  auto rows = csvRows(text, delimiter, out.errors);
  if (rows.empty()) return out;
  std::map<std::string, std::size_t> column;
  for (std::size_t i = 0; i < rows[0].fields.size(); ++i) column[trim(rows[0].fields[i])] = i;
  for (const char* required : {"day", "month", "year", "name"})
    if (!column.count(required)) {
      out.errors.push_back({rows[0].line, std::string("the header has no column '") + required + "'"});
      return out;
    }
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const auto& row = rows[r];
    if (row.fields.size() != rows[0].fields.size()) {
      out.errors.push_back({row.line, std::to_string(row.fields.size()) + " fields where the header has " +
                                          std::to_string(rows[0].fields.size())});
      continue;
    }
    Chart1 c;
    c.chartType = 1;
    c.timeKnown = 1;
    std::string bad;
    auto field = [&](const char* name) -> std::optional<std::string> {
      const auto it = column.find(name);
      if (it == column.end()) return std::nullopt;
      return row.fields[it->second];
    };
    auto whole = [&](const char* name, auto& dst) {
      if (auto f = field(name)) {
        const auto v = integer(trim(*f));
        if (!v || *v < -32768 || *v > 32767)
          bad = std::string("'") + name + "' is not a whole number";
        else
          dst = static_cast<std::remove_reference_t<decltype(dst)>>(*v);
      }
    };
    auto real = [&](const char* name, double& dst, double scale) {
      if (auto f = field(name)) {
        if (const auto v = number(trim(*f)))
          dst = *v / scale;
        else
          bad = std::string("'") + name + "' is not a number";
      }
    };
    auto words = [&](const char* name, char* dst, std::size_t width) {
      if (auto f = field(name)) setText(dst, width, *f);
    };
    whole("chartType", c.chartType);
    whole("day", c.day);
    whole("month", c.month);
    whole("year", c.year);
    whole("hour", c.hour);
    whole("minute", c.minute);
    real("longitude", c.longitude, 15);
    real("latitude", c.latitude, 1);
    real("timeZone", c.timeZone, 1);
    whole("timeKnown", c.timeKnown);
    whole("zoneStatus", c.zoneStatus);
    whole("country", c.country);
    words("place", c.place, sizeof c.place);
    words("name", c.name, sizeof c.name);
    words("typeText", c.typeText, sizeof c.typeText);
    words("comment", c.comment, sizeof c.comment);
    whole("region", c.region);
    whole("doubleChart", c.doubleChart);
    if (bad.empty()) bad = checkChart(c);
    if (!bad.empty()) {
      out.errors.push_back({row.line, bad});
      continue;
    }
    if (!field("longitude") || !field("latitude"))
      out.warnings.push_back({row.line, std::string("no coordinates for '") + c.name + "': stored at 0/0"});
    out.records.push_back({c, row.line});
  }
  return out;
}

std::string writeCsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (const auto& f : fields) line += (line.empty() ? "" : ",") + csvField(f);
  return line;
}

std::string writeCsv(const std::vector<Chart1>& charts) {
  std::string out =
      writeCsvLine(std::vector<std::string>(std::begin(kCsvColumns), std::end(kCsvColumns))) + "\n";
  for (const auto& c : charts)
    out += writeCsvLine({std::to_string(c.chartType), std::to_string(c.day), std::to_string(c.month),
                         std::to_string(c.year), std::to_string(c.hour), std::to_string(c.minute),
                         shortest(c.longitude * 15, 15), shortest(c.latitude), shortest(c.timeZone),
                         std::to_string(c.timeKnown), std::to_string(c.zoneStatus), std::to_string(c.country),
                         cp1252ToUtf8(c.place), cp1252ToUtf8(c.name), cp1252ToUtf8(c.typeText),
                         cp1252ToUtf8(c.comment), std::to_string(c.region), std::to_string(c.doubleChart)}) +
           "\n";
  return out;
}

ExchangeRead readExchange(std::string_view bytes, ExchangeFormat f) {
  return f == ExchangeFormat::Aaf ? readAaf(bytes) : readCsv(bytes);
}
std::string writeExchange(const std::vector<Chart1>& charts, ExchangeFormat f) {
  return f == ExchangeFormat::Aaf ? writeAaf(charts) : writeCsv(charts);
}

std::optional<std::vector<Chart1>> databaseCharts(const fs::path& dbSettingsFile) {
  const auto records = MappedFile::open(databasePaths(dbSettingsFile).records);
  if (!records) return std::nullopt;
  std::vector<Chart1> out;
  for (const auto& e : liveEntries(records->bytes()))
    out.push_back(decodeChart1(
        records->bytes().substr(static_cast<std::size_t>(e.entry) * kChartRecordSize, kChartRecordSize)));
  return out;
}

int importIntoDatabase(ui::Interaction& ui, const CIni& settings, const fs::path& dbSettingsFile,
                       const std::vector<Chart1>& charts, bool renameDuplicates, const ChironTable& chiron,
                       ImportOutcome& outcome) {
  const DatabasePaths paths = databasePaths(dbSettingsFile);
  std::string error;
  const auto lock =
      FileLock::acquire(paths.settings, FileLock::Mode::Exclusive, FileLock::kDefaultWait, &error);
  if (!lock) {
    ui.message({"The database " + paths.settings.string() + " cannot be used now: " + error + ".",
                "Database in Use", ui::Buttons::Ok, ui::Icon::Stop, std::nullopt});
    return 0;
  }
  const DbInspection state = inspectDatabase(paths);
  if (!state.usable()) {
    ui.message({"The database " + paths.settings.string() +
                    " cannot be written into as it is: " + describeDbProblem(state, paths) +
                    ". Open it in Chartdex and run Chartdex Cleaner, then try again.",
                "Corrupt Database", ui::Buttons::Ok, ui::Icon::Stop, std::nullopt});
    return 0;
  }
  if (!checkUpIni(ui, settings, paths.settings)) return 0;
  const auto records = MappedFile::open(paths.records);
  const auto calcs = MappedFile::open(paths.calculations);
  if (!records || !calcs) {
    ui.message({"The database " + paths.settings.string() + " cannot be read.", "File Error", ui::Buttons::Ok,
                ui::Icon::Stop, std::nullopt});
    return 0;
  }
  std::set<std::string> names;
  for (auto& e : liveEntries(records->bytes())) names.insert(std::move(e.name));
  DatabaseBuilder builder(paths, settings, chiron);
  bool ok = builder.begin(records->bytes(), calcs->bytes());
  ImportOutcome result;
  for (const Chart1& chart : charts) {
    if (!ok) break;
    Chart1 c = chart;
    std::string name = c.name;
    if (name.find_first_not_of(' ') == std::string::npos) {
      result.skipped.push_back(name);  // a database entry must have a name
      continue;
    }
    if (names.count(name)) {
      if (!renameDuplicates) {
        result.skipped.push_back(name);
        continue;
      }
      for (int n = 2;; ++n) {
        const std::string suffix = " -" + std::to_string(n);
        std::string candidate = name.substr(0, 24 - std::min<std::size_t>(24, suffix.size())) + suffix;
        if (!names.count(candidate)) {
          name = candidate;
          break;
        }
      }
      setText(c.name, sizeof c.name, name);
      result.renamed.push_back(name);
    }
    names.insert(name);
    ok = builder.add(c);
    ++result.stored;
  }
  if (!ok || !builder.commit(false)) {
    ui.message({"The charts could not be stored: " + builder.error() + ". The database stays as it was.",
                "File Error", ui::Buttons::Ok, ui::Icon::Stop, std::nullopt});
    return 0;
  }
  outcome = std::move(result);
  return 1;
}

}  // namespace talpora
