// talpora command line: the chart options every subcommand that takes a chart shares.
//   DATE TIME (YYYY-MM-DD HH:MM[:SS], local clock time) --zone HOURS --lon DEG --lat DEG --name TEXT
//   --place TEXT --house-system N --unknown-time --zodiac tropical|sidereal
//   --chart-file FILE --record N | --hot N | --db FILE.1SB --entry N      (instead of DATE TIME)
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "cli/command.h"
#include "core/records.h"
#include "engine/chart_session.h"

namespace talpora::cli {

struct ChartRequest {
  Chart1 chart;
  std::optional<int> houseSystem;  // 0..11; default: the settings'
  std::optional<Zodiac> zodiac;
  int seconds = 0;  // the record keeps minutes; seconds given are kept here
  ChartQuery query() const { return {chart, houseSystem, zodiac}; }
};

// Parses the chart options out of `args` (leaving the others). UsageError names a bad value.
ChartRequest parseChartOptions(Args& args, Context& ctx);

// Entry `entry` of a chart database; WorkError naming it when it is deleted or beyond the end.
Chart1 databaseEntry(const std::filesystem::path& db, long entry);

// Date "YYYY-MM-DD" and time "HH:MM" or "HH:MM:SS" parsing; UsageError naming `what`.
void parseDate(const std::string& text, short& day, short& month, short& year);
void parseTime(const std::string& text, short& hour, short& minute, int& second);

}  // namespace talpora::cli
