// talpora jd, talpora date: the calendar conversions.
#include <cstdio>
#include <ostream>

#include "cli/command.h"
#include "core/calendar.h"

namespace talpora::cli {
namespace {

long integerArg(Args& args, const std::string& what) {
  const std::string text = args.next(what);
  auto v = parseInteger(text);
  if (!v) throw UsageError(what + " '" + text + "' is not a whole number");
  return *v;
}

int runJd(Args& args, Context& ctx) {
  const long day = integerArg(args, "DAY");
  const long month = integerArg(args, "MONTH");
  const long year = integerArg(args, "YEAR");
  const long hour = integerArg(args, "HOUR");
  const long minute = integerArg(args, "MINUTE");
  args.finish();
  if (day < 1 || day > 31) throw UsageError("DAY must be 1 to 31");
  if (month < 1 || month > 12) throw UsageError("MONTH must be 1 to 12");
  if (year < -9999 || year > 9999) throw UsageError("YEAR must be -9999 to 9999");
  if (hour < 0 || hour > 24) throw UsageError("HOUR must be 0 to 24");
  if (minute < 0 || minute > 59) throw UsageError("MINUTE must be 0 to 59");
  ctx.out << fixed(julian_dayh(static_cast<int>(day), static_cast<int>(month), static_cast<int>(year),
                               static_cast<int>(hour), static_cast<int>(minute)),
                   6)
          << '\n';
  return kExitOk;
}

int runDate(Args& args, Context& ctx) {
  const std::string text = args.next("JD");
  args.finish();
  auto jd = parseNumber(text);
  if (!jd || *jd < 0 || *jd > 5373484.5)
    throw UsageError("JD '" + text + "' is not a Julian Day (0 to 5373484.5)");
  short d, m, y, h, mi;
  jd_to_date(*jd, &d, &m, &y, &h, &mi);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", y, m, d, h, mi);
  ctx.out << buf << '\n';
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND("jd", "talpora jd DAY MONTH YEAR HOUR MINUTE",
                "the Julian Day of a date and time (6 decimals)", runJd);
TALPORA_COMMAND("date", "talpora date JD", "the calendar date and time of a Julian Day (YYYY-MM-DD HH:MM)",
                runDate);

}  // namespace talpora::cli
