// talpora command line: chart options.
#include "cli/chart_options.h"

#include <cmath>
#include <cstdio>

#include "core/calendar.h"
#include "files/zykfile.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/headless/scripted_interaction.h"
#include "platform/mapped_file.h"
#include "store/database_files.h"

namespace talpora::cli {

void parseDate(const std::string& text, short& day, short& month, short& year) {
  int y = 0, m = 0, d = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d%c", &y, &m, &d, &tail) != 3)
    throw UsageError("date '" + text + "' is not YYYY-MM-DD");
  if (y < -9999 || y > 9999) throw UsageError("date '" + text + "': year out of range");
  day = static_cast<short>(d);
  month = static_cast<short>(m);
  year = static_cast<short>(y);
  short dd = day, mm = month, yy = year;
  if (!IsDateValid(&dd, &mm, &yy)) throw UsageError("date '" + text + "' is not a valid date");
}

void parseTime(const std::string& text, short& hour, short& minute, int& second) {
  int h = 0, m = 0, s = 0;
  char tail = 0;
  const int n = std::sscanf(text.c_str(), "%d:%d:%d%c", &h, &m, &s, &tail);
  if (n != 2 && n != 3) throw UsageError("time '" + text + "' is not HH:MM or HH:MM:SS");
  short hh = static_cast<short>(h), mm = static_cast<short>(m), ss = static_cast<short>(s);
  if (!Is24hTimeValid(&hh, &mm, &ss)) throw UsageError("time '" + text + "' is not a valid clock time");
  hour = static_cast<short>(h);
  minute = static_cast<short>(m);
  second = s;
}

Chart1 databaseEntry(const std::filesystem::path& db, long entry) {
  const auto paths = databasePaths(db);
  const auto records = MappedFile::open(paths.records);
  if (!records) throw WorkError("cannot read the chart records " + paths.records.string());
  const auto n = static_cast<long>(records->bytes().size() / kChartRecordSize);
  if (entry >= n)
    throw WorkError(db.string() + " holds no entry " + std::to_string(entry) + " (entries 0 to " +
                    std::to_string(n - 1) + ")");
  const auto bytes =
      records->bytes().substr(static_cast<std::size_t>(entry) * kChartRecordSize, kChartRecordSize);
  if (recordChartType(bytes) == kDeletedChartType)
    throw WorkError("entry " + std::to_string(entry) + " of " + db.string() + " is deleted");
  return decodeChart1(bytes);
}

ChartRequest parseChartOptions(Args& args, Context& ctx) {
  ChartRequest req;
  Chart1& c = req.chart;
  c.timeKnown = 1;
  const auto chartFile = args.option("--chart-file");
  const auto record = args.integer("--record");
  const auto hot = args.integer("--hot");
  const auto db = args.option("--db");
  const auto entry = args.integer("--entry");
  headless::StderrInteraction ui;
  if (db) {
    if (!entry) throw UsageError("option --db needs --entry N");
    if (*entry < 0) throw UsageError("option --entry: entries are numbered from 0");
    c = databaseEntry(*db, *entry);
  } else if (entry) {
    throw UsageError("option --entry needs --db");
  } else if (chartFile || hot) {
    std::filesystem::path file;
    std::int64_t offset = 0;
    if (chartFile) {
      file = *chartFile;
      offset = static_cast<std::int64_t>(record.value_or(0)) * static_cast<std::int64_t>(kChartRecordSize);
    } else {
      if (*hot < 1 || *hot > 10) throw UsageError("option --hot: hot chart numbers are 1 to 10");
      file = ctx.programDir().file(hotChartFileName(static_cast<int>(*hot) - 1));
    }
    if (!PutInMemBlock_c1(c, file, offset, ui)) throw WorkError("cannot read a chart from " + file.string());
  } else {
    if (record) throw UsageError("option --record needs --chart-file");
    parseDate(args.next("DATE (YYYY-MM-DD)"), c.day, c.month, c.year);
    parseTime(args.next("TIME (HH:MM)"), c.hour, c.minute, req.seconds);
  }
  if (auto zone = args.number("--zone")) {
    if (std::fabs(*zone) > 20) throw UsageError("option --zone: at most 20 hours either way");
    c.timeZone = *zone;
  }
  if (auto lon = args.number("--lon")) {
    if (std::fabs(*lon) > 180) throw UsageError("option --lon: longitude is -180 to 180 degrees");
    c.longitude = *lon / 15.0;
  }
  if (auto lat = args.number("--lat")) {
    if (std::fabs(*lat) > 90) throw UsageError("option --lat: latitude is -90 to 90 degrees");
    c.latitude = *lat;
  }
  if (auto name = args.option("--name")) setField(c.name, utf8ToCp1252(*name));
  if (auto place = args.option("--place")) setField(c.place, utf8ToCp1252(*place));
  if (auto hs = args.integer("--house-system")) {
    if (*hs < 0 || *hs > 11) throw UsageError("option --house-system: codes are 0 to 11");
    req.houseSystem = static_cast<int>(*hs);
  }
  if (args.flag("--unknown-time")) c.timeKnown = 0;
  if (auto z = args.option("--zodiac")) {
    if (*z == "tropical") {
      req.zodiac = Zodiac::Tropical;
    } else if (*z == "sidereal") {
      req.zodiac = Zodiac::Sidereal;
    } else {
      throw UsageError("option --zodiac: tropical or sidereal");
    }
  }
  return req;
}

}  // namespace talpora::cli
