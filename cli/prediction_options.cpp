// talpora command line: the shared parts of the prediction subcommands.
#include "cli/prediction_options.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "cli/chart_json.h"
#include "cli/json.h"
#include "cli/report_text.h"
#include "core/calendar.h"
#include "engine/houses.h"
#include "files/zykfile.h"
#include "format/text_format.h"
#include "platform/cp1252.h"
#include "platform/headless/fakes.h"

namespace talpora::cli {

void loadNatal(Args& args, Context& ctx, NatalSession& s) {
  ChartRequest req = parseChartOptions(args, ctx);
  s.settings = defaultSettings(ctx.programDir().dir.string());
  PutInMemBlock_CIni(s.settings, ctx.programDir().dir, s.ui);
  if (req.houseSystem) s.settings.houseSystem = static_cast<std::int16_t>(*req.houseSystem);
  s.zodiac = req.zodiac && *req.zodiac == Zodiac::Sidereal ? 1 : 0;
  s.chiron = loadChironTable(s.settings, s.ui);
  s.natal = req.chart;
  s.status = calculall(s.settings, s.natal, s.chart, s.chiron);
}

void splitDate(const std::string& text, const std::string& option, int& year, int& month, int* day) {
  char tail = 0;
  int d = 0;
  const int n = day ? std::sscanf(text.c_str(), "%d-%d-%d%c", &year, &month, &d, &tail)
                    : std::sscanf(text.c_str(), "%d-%d%c", &year, &month, &tail);
  if (n != (day ? 3 : 2))
    throw UsageError("option " + option + ": '" + text + "' is not " + (day ? "YYYY-MM-DD" : "YYYY-MM"));
  if (day) *day = d;
}

TwoDates checkedPeriod(const std::string& from, const std::string& to, int withDays, int maxDays) {
  TwoDates d;
  splitDate(from, "--from", d.firstYear, d.firstMonth, withDays ? &d.firstDay : nullptr);
  splitDate(to, "--to", d.lastYear, d.lastMonth, withDays ? &d.lastDay : nullptr);
  const headless::SystemClock clock;
  const TwoDateDialog dialog(withDays, maxDays, 0, TwoDates{}, clock);
  if (auto refusal = dialog.validate(d)) throw UsageError(refusal->message);
  return d;
}

void checkedDate(const std::string& text, const std::string& option, int& day, int& month, int& year) {
  splitDate(text, option, year, month, &day);
  if (auto refusal = yearMonthDayRefusal(day, month, year)) throw UsageError(*refusal);
}

void printReport(Context& ctx, const Report& report) {
  ctx.out << terminalText(report.text);
}

void printDerivedJson(Context& ctx, const NatalSession& s, const Chart1& record, const Chart2& chart,
                      bool sidereal) {
  printChartJson(ctx.out, ChartJson{record, chart, s.settings, false, sidereal,
                                    Vertex(chart.obliquity, record.latitude, chart.siderealTime),
                                    EastPoint(chart.obliquity, chart.siderealTime)});
}

void printPeriod(Context& ctx, const NatalSession& s, const TransitPeriod& p, bool json) {
  std::vector<TransitEvent> events;
  transitEvents(s.settings, s.natal, s.chart, p, readPredictionOrbs(s.settings, &s.ui), s.chiron, nullptr,
                json, events);
  if (json) return printEventsJson(ctx, s, p, events);
  Report report;
  writeTransitEvents(report, nullptr, s.settings, s.natal, s.chart, p, events);
  printReport(ctx, report);
}

std::string isoMoment(double jdUt) {
  // Whole seconds from the Julian Day, then the calendar date of the day.
  const double seconds = std::round((jdUt - 0.5 - std::floor(jdUt - 0.5)) * 86400.0);
  double midnight = std::floor(jdUt - 0.5) + 0.5;
  int s = static_cast<int>(seconds);
  if (s >= 86400) s -= 86400, midnight += 1;
  short d, m, y, h, mi;
  jd_to_date(midnight + 0.25, &d, &m, &y, &h, &mi);
  char buf[96];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02dZ", y, m, d, s / 3600, s / 60 % 60, s % 60);
  return buf;
}

namespace {

const char* kindName(TransitEventKind k) {
  switch (k) {
    case TransitEventKind::PeriodStart:
      return "periodStart";
    case TransitEventKind::PeriodEnd:
      return "periodEnd";
    case TransitEventKind::InHouse:
      return "inHouse";
    case TransitEventKind::Aspect:
      return "aspect";
    case TransitEventKind::Becomes:
      return "becomes";
    case TransitEventKind::StopsBeing:
      return "stopsBeing";
    case TransitEventKind::EntersHouse:
      return "entersHouse";
    case TransitEventKind::Exact:
      return "exact";
    case TransitEventKind::EntersSign:
      return "entersSign";
  }
  return "";
}

std::string dateOf(double day) {
  short d, m, y, h, mi;
  jd_to_date(day, &d, &m, &y, &h, &mi);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
  return buf;
}

}  // namespace

void printEventsJson(Context& ctx, const NatalSession&, const TransitPeriod& p,
                     const std::vector<TransitEvent>& events) {
  Json j;
  j.beginObject();
  j.field("from", std::string_view(dateOf(p.firstDay)));
  j.field("to", std::string_view(dateOf(p.lastDay)));
  j.key("timeZone").value(p.timeZone, 4);
  j.field("zodiac", p.zodiac ? "sidereal" : "tropical");
  j.key("events").beginArray();
  for (const TransitEvent& e : events) {
    if (e.kind == TransitEventKind::PeriodStart || e.kind == TransitEventKind::PeriodEnd) continue;
    j.beginObject();
    j.field("day", std::string_view(dateOf(e.day)));
    j.field("kind", kindName(e.kind));
    j.field("moving", e.progressed ? "progressed" : "transit");
    j.field("object", std::string_view(PlanetName(e.object, 0, 0, 0, 0, 0)));
    j.key("longitude").value(e.longitude, 6);
    if (e.aspect >= 0) {
      j.field("aspect", std::string_view(AspectName(e.aspect, 0, 0)));
      j.field("natalObject", std::string_view(PlanetName(e.natalObject, 0, 0, 0, 0, 0)));
      j.key("natalLongitude").value(e.natalLongitude, 6);
      j.key("orb").value(e.orb, 6);
    }
    if (e.house) j.field("house", e.house);
    if (e.sign) j.field("sign", std::string_view(SignName(e.sign, 2, 0, 0, 0)));
    j.key("exactUT");
    if (std::isfinite(e.exactUT))
      j.value(std::string_view(isoMoment(e.exactUT)));
    else
      j.null();
    j.endObject();
  }
  j.endArray();
  j.endObject();
  ctx.out << j.str() << '\n';
}

}  // namespace talpora::cli

namespace talpora::cli {

namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    while (!part.empty() && part.front() == ' ') part.erase(part.begin());
    while (!part.empty() && part.back() == ' ') part.pop_back();
    out.push_back(part);
    if (comma == std::string::npos) return out;
    start = comma + 1;
  }
}

}  // namespace

std::vector<int> parseObjectList(const std::string& text, const std::string& option, int last) {
  std::vector<int> out;
  for (const std::string& part : split(text)) {
    const std::string name = lower(part);
    if (auto n = parseInteger(part); n && *n >= 0 && *n <= last) {
      out.push_back(static_cast<int>(*n));
      continue;
    }
    if (name == "nodes" && last >= kSouthNode) {
      out.push_back(kNorthNode);
      out.push_back(kSouthNode);
      continue;
    }
    int found = -1;
    for (int i = 0; i <= last && found < 0; ++i)
      if (lower(PlanetName(i, 0, 0, 0, 0, 0)) == name) found = i;
    if (found < 0) throw UsageError("option " + option + ": '" + part + "' is not an object");
    out.push_back(found);
  }
  return out;
}

std::vector<int> parseAspectList(const std::string& text, const std::string& option) {
  std::vector<int> out;
  for (const std::string& part : split(text)) {
    if (auto n = parseInteger(part); n && *n >= 0 && *n <= 8) {
      out.push_back(static_cast<int>(*n));
      continue;
    }
    int found = -1;
    for (int k = 0; k < 9 && found < 0; ++k)
      if (lower(AspectName(k, 0, 0)) == lower(part)) found = k;
    if (found < 0) throw UsageError("option " + option + ": '" + part + "' is not one of the nine aspects");
    out.push_back(found);
  }
  return out;
}

double checkedZone(double hours, const std::string& option) {
  if (std::fabs(hours) > 20) throw UsageError("option " + option + ": Impossible Time Zone");
  return hours;
}

}  // namespace talpora::cli
