// talpora atlas: the towns of the atlas list around a name and, with a date, the time zone of the
// first town of that name (in a country with --country).
#include <cmath>
#include <cstdio>
#include <ostream>

#include "atlas/atlas_dialog.h"
#include "atlas/atlas_files.h"
#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/json.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora::cli {
namespace {

std::string stateText(const TownRecord& t, const AtlasDirectory& dir) {
  if (HasStates(t.country) == 2 && t.region >= 1 && t.region <= 95) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "Departement %02d", t.region);
    return buf;
  }
  return dir.stateName(t.country, t.region);
}

void townJson(Json& j, const TownRecord& t, const AtlasDirectory& dir) {
  j.field("name", cp1252ToUtf8(townName(t)));
  j.field("country", cp1252ToUtf8(dir.countryName(t.country)));
  const std::string state = stateText(t, dir);
  j.key("state");
  if (state.empty())
    j.null();
  else
    j.value(cp1252ToUtf8(state));
  j.key("longitude").value(static_cast<double>(t.longitude), 5);
  j.key("latitude").value(static_cast<double>(t.latitude), 5);
}

std::string hoursMinutes(double hours) {
  const double a = std::fabs(hours);
  int h = static_cast<int>(a);
  int m = static_cast<int>(std::floor((a - h) * 60 + 0.5));
  if (m == 60) {
    m = 0;
    ++h;
  }
  char buf[48];
  std::snprintf(buf, sizeof buf, "%d:%02d %s Greenwich", h, m, hours < 0 ? "earlier than" : "later than");
  return buf;
}

int runAtlas(Args& args, Context& ctx) {
  const std::string name = args.next("NAME");
  const auto iso = args.option("--country");
  const auto date = args.option("--date");
  const auto time = args.option("--time");
  const bool json = args.flag("--json");
  args.finish();
  int country = 0;
  if (iso) {
    country = countryOfIsoCode(*iso);
    if (!country)
      throw UsageError("option --country: '" + *iso + "' is not a two-letter country code of the atlas");
  }
  short day = 0, month = 0, year = 0, hour = 12, minute = 0;
  int second = 0;
  if (time && !date) throw UsageError("option --time needs --date");
  if (date) parseDate(*date, day, month, year);
  if (time) parseTime(*time, hour, minute, second);

  const auto& dirs = ctx.programDir();
  AtlasFolder folder(dirs.dir);
  const auto towns = folder.towns();
  if (!towns) throw WorkError("cannot read the atlas's town file " + folder.file(kTownFileName).string());
  const auto dir = folder.directory();
  if (!dir)
    throw WorkError("cannot read the atlas's directory " + folder.file(kAtlasDirectoryFileName).string());

  const std::string key = townSearchKey(*towns, utf8ToCp1252(name));
  const int position = locateTown(*towns, key);
  const TownWindow w = townWindow(*towns, position);

  // The match (in the country asked for).
  std::optional<TownRecord> match;
  if (date || iso) {
    std::string trimmed = key;
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    // The first town whose name is the one typed or begins with it ("New York": "New York City").
    for (int i = position; i < towns->count(); ++i) {
      const TownRecord t = towns->at(i);
      if (townName(t).compare(0, trimmed.size(), trimmed) != 0) break;
      if (country && t.country != country) continue;
      match = t;
      break;
    }
    if (!match)
      throw WorkError("the atlas has no town named '" + name + "'" + (iso ? " in " + *iso : std::string()));
  }
  int result = 0;
  Chart1 exchange = zeroedRecord<Chart1>();
  if (match && date) {
    exchange.day = day;
    exchange.month = month;
    exchange.year = year;
    exchange.hour = hour;
    exchange.minute = minute;
    headless::StderrInteraction ui;
    result = chooseTown(*match, kAtlasModeWithZone, folder.zoneFiles(), exchange, &ui);
  }

  if (json) {
    Json j;
    j.beginObject();
    j.key("towns").beginArray();
    for (int i = 0; i < w.count; ++i) {
      j.beginObject();
      townJson(j, towns->at(w.first + i), *dir);
      j.endObject();
    }
    j.endArray();
    j.field("selected", w.selected);
    if (match) {
      j.key("match").beginObject();
      townJson(j, *match, *dir);
      if (date) {
        j.key("timeZone");
        if (result == kAtlasWithZone)
          j.value(exchange.timeZone, 6);
        else
          j.null();
        j.field("zoneStatus", result == kAtlasWithZone ? static_cast<int>(exchange.zoneStatus) : 0);
        j.field("label", zoneStatusLabel(result == kAtlasWithZone ? exchange.zoneStatus : 0));
        if (exchange.zoneStatus <= -2001 && exchange.zoneStatus >= -2999)
          j.field("yearUsed", static_cast<int>(exchange.year));
      }
      j.endObject();
    }
    j.endObject();
    ctx.out << j.str() << '\n';
    return kExitOk;
  }

  for (int i = 0; i < w.count; ++i) {
    std::string row = townRowText(towns->at(w.first + i), *dir);
    ctx.out << (i == w.selected ? "> " : "  ") << cp1252ToUtf8(row) << '\n';
  }
  if (match) {
    const std::string state = stateText(*match, *dir);
    ctx.out << '\n' << "town: " << cp1252ToUtf8(townName(*match)) << '\n';
    ctx.out << "country: " << cp1252ToUtf8(dir->countryName(match->country)) << '\n';
    if (!state.empty()) ctx.out << "state: " << cp1252ToUtf8(state) << '\n';
    ctx.out << "longitude: " << fixed(match->longitude, 5) << " (degrees, east positive)\n";
    ctx.out << "latitude: " << fixed(match->latitude, 5) << " (degrees, north positive)\n";
    if (date) {
      if (result == kAtlasWithZone) {
        ctx.out << "time zone: " << fixed(exchange.timeZone, 6) << " h (" << hoursMinutes(exchange.timeZone)
                << ")\n";
        ctx.out << "status: " << exchange.zoneStatus;
        const std::string label = zoneStatusLabel(exchange.zoneStatus);
        if (!label.empty()) ctx.out << ' ' << label;
        ctx.out << '\n';
        if (exchange.zoneStatus == 32)
          ctx.out << "local mean time of the town: " << fixed(match->longitude / 15.0, 6) << " h\n";
        if (exchange.zoneStatus <= -2001 && exchange.zoneStatus >= -2999)
          ctx.out << "records of the year " << exchange.year << " used\n";
      } else {
        ctx.out << "time zone: not in the atlas for that date (coordinates only)\n";
      }
    }
  }
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND("atlas", "talpora atlas NAME [--country ISO] [--date YYYY-MM-DD [--time HH:MM]] [--json]",
                "the atlas's towns around a name; with a date, the time zone of the first town of that name",
                runAtlas);

}  // namespace talpora::cli
