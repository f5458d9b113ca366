// talpora command line: what the prediction subcommands (transits, progress, direct, return,
// windows) share: the natal chart computed once with the settings and the Chiron table, the period
// and date options checked as the prediction program's dialogs check them, and the outputs.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "engine/chart.h"
#include "format/report_buffer.h"
#include "platform/headless/scripted_interaction.h"
#include "predict/transits.h"
#include "predict/two_date_dialog.h"

namespace talpora::cli {

struct NatalSession {
  mutable headless::StderrInteraction ui;
  CIni settings;
  ChironTable chiron;
  Chart1 natal;
  Chart2 chart;
  ChartStatus status;
  int zodiac = 0;
};

// Reads the settings (with --house-system applied), loads the Chiron table once and computes the
// natal chart of the chart options.
void loadNatal(Args& args, Context& ctx, NatalSession& session);

// "YYYY-MM-DD" or "YYYY-MM" split without judging the values (the dialogs judge them).
void splitDate(const std::string& text, const std::string& option, int& year, int& month, int* day);
// A period checked by the two-date dialog's rules; a refusal is a UsageError with the dialog's message.
TwoDates checkedPeriod(const std::string& from, const std::string& to, int withDays, int maxDays);
// A single date checked as the day-month-year dialog checks it.
void checkedDate(const std::string& text, const std::string& option, int& day, int& month, int& year);

// The report on standard output (UTF-8, LF).
void printReport(Context& ctx, const Report& report);
// A derived chart as `talpora chart --json` prints it.
void printDerivedJson(Context& ctx, const NatalSession& s, const Chart1& record, const Chart2& chart,
                      bool sidereal);
// The events of a period run as JSON.
void printEventsJson(Context& ctx, const NatalSession& s, const TransitPeriod& period,
                     const std::vector<TransitEvent>& events);
// A period run (orbs read once): its report, or its events with their moments as JSON.
void printPeriod(Context& ctx, const NatalSession& s, const TransitPeriod& period, bool json);
// "YYYY-MM-DDTHH:MM:SSZ" of a UT Julian Day (to the second).
std::string isoMoment(double jdUt);

}  // namespace talpora::cli

namespace talpora::cli {

// A comma-separated list of object numbers or names (full names, any case; "nodes" for both nodes)
// among objects 0..last; UsageError naming the option for anything else.
std::vector<int> parseObjectList(const std::string& text, const std::string& option, int last);
// A comma-separated list of aspects 0..8 by number or name ("conjunction", "trine" ...).
std::vector<int> parseAspectList(const std::string& text, const std::string& option);
// --zone style hours, at most 20 either way.
double checkedZone(double hours, const std::string& option);

}  // namespace talpora::cli
