// The chart data entry and the place-and-time dialog: OK's checks in order (message, focus, cleared
// box), two-digit years against a fixed clock, the boxes shown from a chart, the longitude unit switch,
// every atlas status through a fake atlas, Save, and the place charts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <utility>

#include "atlas/atlas_dialog.h"
#include "atlas/atlas_files.h"
#include "dialogs/chart_entry.h"
#include "dialogs/place_entry.h"
#include "files/zykfile.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"
#include "store/chart_store.h"

using namespace talpora;
using namespace talpora::dialogs;
namespace fs = std::filesystem;

namespace {
using Edits = std::vector<std::pair<ui::ControlId, std::string>>;

// A fake atlas: answers with a result and a found record, and records what it was asked.
struct FakeAtlas {
  int result = kAtlasWithZone;
  Chart1 found = zeroedRecord<Chart1>();
  int calls = 0, mode = 0;
  Chart1 asked = zeroedRecord<Chart1>();
  AtlasSearch fn() {
    return [this](ui::Interaction&, Chart1& exchange, int m) {
      ++calls;
      mode = m;
      asked = exchange;
      Chart1 answer = found;
      if (found.zoneStatus > -2001 || found.zoneStatus < -2999) answer.year = exchange.year;
      exchange = answer;
      return result;
    };
  }
};

// One dialog opened in a form state, typed into and pressed as a person would.
struct Entry {
  explicit Entry(int mode = 0, int ampm = 0, Chart1 chart = zeroedRecord<Chart1>(), bool place = false,
                 bool withDate = false) {
    settings.ampm = static_cast<std::uint8_t>(ampm);
    clock.local.year = 2026;
    EntryServices s;
    s.atlas = atlas.fn();
    s.save = [this](ui::Interaction&, const Chart1& c) {
      saved.push_back(c);
      return saveAnswer;
    };
    s.clock = &clock;
    s.help = &help;
    if (place)
      model = std::make_unique<PlaceEntryDialog>(settings, chart, mode, withDate, s);
    else
      model = std::make_unique<ChartEntryDialog>(settings, chart, mode, s);
    model->open(state);
  }
  // A valid chart: 15 June 1990 12:30, 2 h later, Paris 2°21' E 48°51' N.
  void typeValid() {
    type({{kDay, "15"},
          {kMonth, "6"},
          {kYear, "1990"},
          {kHour, "12"},
          {kMinute, "30"},
          {kZoneHours, "2"},
          {kZoneMinutes, "0"},
          {kPlace, "Paris  "},
          {kLon1, "2"},
          {kLon2, "21"},
          {kLon3, "0"},
          {kLatDeg, "48"},
          {kLatMin, "51"},
          {kName, "Test"}});
  }
  void type(const Edits& edits) {
    for (const auto& [id, text] : edits) {
      state.setText(id, text);
      model->editFinished(id, state, ui);
    }
  }
  void press(ui::ControlId id) { model->command(id, state, ui); }
  std::vector<std::string> texts() const {
    std::vector<std::string> t;
    for (const auto& m : ui.messages) t.push_back(m.text);
    return t;
  }
  const Chart1& record() const { return static_cast<const EntryDialogBase&>(*model).record(); }

  CIni settings = defaultSettings("/nonexistent");
  headless::FixedClock clock;
  headless::RecordingHelp help;
  headless::ScriptedInteraction ui;
  FakeAtlas atlas;
  std::vector<Chart1> saved;
  int saveAnswer = 1;
  std::unique_ptr<ui::DialogModel> model;
  ui::FormState state;
};

Chart1 sampleChart() {
  Chart1 c = zeroedRecord<Chart1>();
  c.day = 20;
  c.month = 7;
  c.year = 1969;
  c.hour = 15;
  c.minute = 17;
  c.timeKnown = 1;
  c.timeZone = 5.999;
  c.longitude = -74.006 / 15;
  c.latitude = 51.9999;
  c.chartType = 34;
  setField(c.place, "New York");
  setField(c.name, "Moon landing");
  setField(c.typeText, "Event");
  return c;
}
}  // namespace

TEST(ChartEntry, RefusalsInOrderWithFocusAndClearedBox) {
  struct Row {
    const char* what;
    Edits edits;
    const char* message;
    ui::ControlId focus;
    const char* focusedText;  // the box after the refusal
    ui::Icon icon = ui::Icon::Warning;
  } rows[] = {
      {"month 13", {{kMonth, "13"}, {kDay, "40"}}, "DATE : impossible month", kMonth, "   "},
      {"day 32", {{kDay, "32"}, {kHour, "25"}}, "Date: impossible day", kDay, "   "},
      {"29 Feb 2100", {{kDay, "29"}, {kMonth, "2"}, {kYear, "2100"}}, "Date: impossible day", kDay, "   "},
      {"29 Feb 1900", {{kDay, "29"}, {kMonth, "2"}, {kYear, "1900"}}, "Date: impossible day", kDay, "   "},
      {"31 April", {{kDay, "31"}, {kMonth, "4"}}, "Date: impossible day", kDay, "   "},
      {"year 0", {{kYear, "0"}}, "Date: impossible year", kYear, "   "},
      {"empty year", {{kYear, ""}}, "Date: impossible year", kYear, "   "},
      {"24:01", {{kHour, "24"}, {kMinute, "1"}}, "Time: impossible hour", kHour, "   "},
      {"minute 60", {{kMinute, "60"}}, "Time, minutes: impossible figure", kMinute, "   "},
      {"zone minutes 60", {{kZoneMinutes, "60"}}, "Impossible Time Zone", kZoneHours, "   ", ui::Icon::Stop},
      {"zone 20:01",
       {{kZoneHours, "20"}, {kZoneMinutes, "1"}},
       "Impossible Time Zone",
       kZoneHours,
       "   ",
       ui::Icon::Stop},
      {"longitude 181", {{kLon1, "181"}}, "Longitude, Degrees: impossible figure", kLon1, "   "},
      {"longitude minutes 60", {{kLon2, "60"}}, "Longitude, Minutes: impossible figure", kLon2, "   "},
      {"longitude seconds 60", {{kLon3, "60"}}, "Longitude, Seconds: impossible figure", kLon3, "   "},
      {"180 0 1",
       {{kLon1, "180"}, {kLon2, "0"}, {kLon3, "1"}},
       "Longitude: impossible figure. (A longitude can't be more than 12 hours or 180\xB0.)",
       kLon1,
       "180"},
      {"latitude 91", {{kLatDeg, "91"}}, "Latitude, Degrees: impossible figure", kLatDeg, "   "},
      {"latitude minutes 60", {{kLatMin, "60"}}, "Latitude, Minutes: impossible figure", kLatMin, "   "},
      {"90 1",
       {{kLatDeg, "90"}, {kLatMin, "1"}},
       "Latitude: impossible figure. (A latitude can't be more than 90\xB0.)",
       kLatDeg,
       "90"},
  };
  for (const Row& r : rows) {
    Entry e;
    e.typeValid();
    e.type(r.edits);
    e.press(ui::IDOK);
    EXPECT_FALSE(e.state.closed()) << r.what;
    ASSERT_EQ(e.texts(), std::vector<std::string>{r.message}) << r.what;
    EXPECT_EQ(e.ui.messages[0].caption, "Error") << r.what;
    EXPECT_EQ(e.ui.messages[0].icon, r.icon) << r.what;
    EXPECT_EQ(e.state.focused(), r.focus) << r.what;
    EXPECT_EQ(e.state.text(r.focus), r.focusedText) << r.what;
    if (r.focus == kZoneHours) {
      EXPECT_EQ(e.state.text(kZoneMinutes), "   ") << r.what;
    }
  }
}

TEST(ChartEntry, AcceptedEdgesAndTheRecord) {
  struct Row {
    const char* what;
    Edits edits;
    double lonHours, zone;
    int year, hour;
  } rows[] = {
      {"29 Feb 1996", {{kDay, "29"}, {kMonth, "2"}, {kYear, "1996"}}, 2.35 / 15, 2, 1996, 12},
      {"29 Feb 2000", {{kDay, "29"}, {kMonth, "2"}, {kYear, "2000"}}, 2.35 / 15, 2, 2000, 12},
      {"24:00", {{kHour, "24"}, {kMinute, "0"}}, 2.35 / 15, 2, 1990, 24},
      {"180 W, zone -12 (unknown time)",
       {{kLon1, "180"}, {kLon2, "0"}, {kLon3, "0"}, {kZoneHours, "12"}},
       -12,
       -12,
       1990,
       12},
      {"zone +20 (unknown time)", {{kZoneHours, "20"}}, 2.35 / 15, 20, 1990, 12},
  };
  for (const Row& r : rows) {
    Entry e;
    e.typeValid();
    e.type(r.edits);
    if (r.lonHours < 0) {
      e.press(kWest);
      e.press(kEarlier);
    }
    if (std::fabs(r.zone) > 10) e.state.setChecked(kUnknown, true);  // no plausibility questions
    e.press(ui::IDOK);
    ASSERT_TRUE(e.state.closed()) << r.what << ": " << (e.texts().empty() ? "" : e.texts()[0]);
    EXPECT_TRUE(e.ui.messages.empty()) << r.what;
    EXPECT_NEAR(e.record().longitude, r.lonHours, 1e-12) << r.what;
    EXPECT_DOUBLE_EQ(e.record().timeZone, r.zone) << r.what;
    EXPECT_EQ(e.record().year, r.year) << r.what;
    EXPECT_EQ(e.record().hour, r.hour) << r.what;
    EXPECT_EQ(fieldText(e.record().place), "Paris") << r.what;  // trailing blanks removed
    EXPECT_NEAR(e.record().latitude, 48.85, 1e-12) << r.what;
  }
}

TEST(ChartEntry, TwoDigitYearsPivotOnTheClockAndAreShown) {
  struct Row {
    const char* typed;
    int year;
  } rows[] = {{"24", 2024}, {"96", 1996}, {"26", 2026},  {"27", 1927},
              {"00", 2000}, {"5", 2005},  {"1996", 1996}};
  for (const Row& r : rows) {
    Entry e;
    e.typeValid();
    e.type({{kYear, r.typed}});
    EXPECT_EQ(e.state.text(kYear), std::to_string(r.year)) << r.typed;  // shown when the box is left
    e.state.setText(kYear, r.typed);                                    // and again before validation
    e.press(ui::IDOK);
    EXPECT_EQ(e.state.text(kYear), std::to_string(r.year)) << r.typed;
    ASSERT_TRUE(e.state.closed()) << r.typed;
    EXPECT_EQ(e.record().year, r.year) << r.typed;
  }
}

TEST(ChartEntry, PrecisionWarningRetryOrCancel) {
  for (auto answer : {ui::Answer::Retry, ui::Answer::Cancel}) {
    Entry e;
    e.typeValid();
    e.type({{kYear, "1700"}});
    e.ui.expectAnswer(answer);
    e.press(ui::IDOK);
    ASSERT_EQ(e.ui.messages.size(), 1u);
    EXPECT_EQ(e.ui.messages[0].caption, "Warning: Talpora' precision ranges from 1830 to 2130");
    EXPECT_EQ(e.ui.messages[0].buttons, ui::Buttons::RetryCancel);
    EXPECT_EQ(e.ui.messages[0].defaultButton, ui::Answer::Cancel);
    EXPECT_EQ(e.state.closed(), answer == ui::Answer::Retry);
    if (answer == ui::Answer::Cancel) {
      EXPECT_EQ(e.state.focused(), kYear);
      EXPECT_EQ(e.state.text(kYear), "   ");
    }
  }
}

TEST(ChartEntry, ZoneAgainstLongitudeQuestions) {
  const std::string earlier =
      "With the longitude you have entered, it is highly unlikely that the time is earlier than that of "
      "Greenwich. Do you still wish to continue?";
  const std::string far =
      "With the longitude you have entered, it is highly unlikely that the time zone can be what you have "
      "entered (i.e. more than five hours different from the longitude). Do you still wish to continue?";
  struct Row {
    const char* what;
    Edits edits;
    bool earlierZone, unknown;
    ui::Answer answer;
    std::vector<std::string> messages;
    bool closed;
    ui::ControlId focus;
  } rows[] = {
      {"2h30 E, earlier: No",
       {{kLon1, "37"}, {kLon2, "30"}, {kZoneHours, "1"}},
       true,
       false,
       ui::Answer::No,
       {earlier},
       false,
       kLater},
      {"2h30 E, earlier: Yes",
       {{kLon1, "37"}, {kLon2, "30"}, {kZoneHours, "1"}},
       true,
       false,
       ui::Answer::Yes,
       {earlier},
       true,
       0},
      {"exactly 2 h E, earlier",
       {{kLon1, "30"}, {kLon2, "0"}, {kZoneHours, "1"}},
       true,
       false,
       ui::Answer::No,
       {},
       true,
       0},
      {"8 h E, +1: No",
       {{kLon1, "120"}, {kZoneHours, "1"}},
       false,
       false,
       ui::Answer::No,
       {far},
       false,
       kZoneHours},
      {"8 h E, +1: Yes",
       {{kLon1, "120"}, {kZoneHours, "1"}},
       false,
       false,
       ui::Answer::Yes,
       {far,
        " In this case the discrepancy is too great, and incompatible with Talpora' calculations. The "
        "option 'unkown' time must be ticked."},
       false,
       0},
      {"8 h E, +1, time unknown",
       {{kLon1, "120"}, {kZoneHours, "1"}},
       false,
       true,
       ui::Answer::No,
       {},
       true,
       0},
  };
  for (const Row& r : rows) {
    Entry e;
    e.typeValid();
    e.type(r.edits);
    if (r.earlierZone) e.press(kEarlier);
    e.state.setChecked(kUnknown, r.unknown);
    e.ui.expectAnswer(r.answer);
    e.press(ui::IDOK);
    EXPECT_EQ(e.texts(), r.messages) << r.what;
    EXPECT_EQ(e.state.closed(), r.closed) << r.what;
    if (!r.messages.empty()) {
      EXPECT_EQ(e.ui.messages[0].defaultButton, ui::Answer::No) << r.what;
    }
    if (r.focus) {
      EXPECT_EQ(e.state.focused(), r.focus) << r.what;
    }
    if (r.focus == kZoneHours) {
      EXPECT_EQ(e.state.text(kZoneHours), "   ") << r.what;
    }
    if (r.messages.size() == 2) {
      EXPECT_TRUE(e.state.checked(kUnknown)) << r.what;
    }
  }
}

TEST(ChartEntry, AmPmTimes) {
  struct Row {
    const char* what;
    const char* hour;
    ui::ControlId button;  // 0: neither
    bool unknown;
    const char* message;  // nullptr: accepted
    int hour24;
  } rows[] = {
      {"neither AM nor PM", "3", 0, false, "You must select either AM or PM", 0},
      {"hour 0, time known", "0", kAm, false, "Time: impossible hour", 0},
      {"hour 13", "13", kPm, false, "Time: impossible hour", 0},
      {"hour 0, time unknown", "0", 0, true, nullptr, 0},
      {"12 AM", "12", kAm, false, nullptr, 0},
      {"12 PM", "12", kPm, false, nullptr, 12},
      {"3 PM", "3", kPm, false, nullptr, 15},
  };
  for (const Row& r : rows) {
    Entry e(0, 1);
    EXPECT_EQ(e.state.text(kTimeLabel), "Time (AM/PM)");
    e.typeValid();
    e.type({{kHour, r.hour}});
    if (r.button) e.press(r.button);
    e.state.setChecked(kUnknown, r.unknown);
    e.press(ui::IDOK);
    if (r.message) {
      EXPECT_EQ(e.texts(), std::vector<std::string>{r.message}) << r.what;
      EXPECT_FALSE(e.state.closed()) << r.what;
    } else {
      ASSERT_TRUE(e.state.closed()) << r.what;
      EXPECT_EQ(e.record().hour, r.hour24) << r.what;
    }
  }
  Entry plain;
  EXPECT_TRUE(plain.state.removed(kAm));
  EXPECT_EQ(plain.state.text(kTimeLabel), "Time (use 24 hr clock):");
}

TEST(ChartEntry, EditingShowsTheChartAndKeepsItsKind) {
  Entry e(2001, 1, sampleChart());
  EXPECT_EQ(e.state.caption(), "Data Entry - Editing: Moon landing - Event");
  const std::pair<ui::ControlId, const char*> shown[] = {
      {kDay, "20"},      {kMonth, "7"},       {kYear, "1969"},      {kHour, "3"},           {kMinute, "17"},
      {kZoneHours, "6"}, {kZoneMinutes, "0"}, {kLon1, "74"},        {kLon2, "0"},           {kLon3, "22"},
      {kLatDeg, "52"},   {kLatMin, "0"},      {kPlace, "New York"}, {kName, "Moon landing"}};
  for (auto [id, text] : shown) EXPECT_EQ(e.state.text(id), text) << id;
  EXPECT_TRUE(e.state.checked(kPm));
  EXPECT_TRUE(e.state.checked(kWest));
  EXPECT_TRUE(e.state.checked(kLater));
  EXPECT_TRUE(e.state.checked(kNorth));
  EXPECT_FALSE(e.state.removed(kSave));
  e.state.setText(kZoneHours, "4");
  e.press(kEarlier);
  e.press(ui::IDOK);
  ASSERT_TRUE(e.state.closed()) << (e.texts().empty() ? "" : e.texts()[0]);
  EXPECT_EQ(e.record().chartType, 0);  // a chart of the present moment becomes an ordinary one
  EXPECT_EQ(e.record().hour, 15);
  EXPECT_DOUBLE_EQ(e.record().timeZone, -4);

  Chart1 kept = sampleChart();
  kept.chartType = 7;
  Entry k(2031, 0, kept);
  EXPECT_TRUE(k.state.removed(kSave));
  k.state.setText(kZoneHours, "5");
  k.press(kEarlier);
  k.press(ui::IDOK);
  ASSERT_TRUE(k.state.closed());
  EXPECT_EQ(k.record().chartType, 7);
  Entry fresh(0, 0, kept);
  fresh.typeValid();
  fresh.press(ui::IDOK);
  EXPECT_EQ(fresh.record().chartType, 0);
}

TEST(ChartEntry, ShownValuesCarryAndTheUnitSwitchRoundTrips) {
  Chart1 c = zeroedRecord<Chart1>();
  Entry zero(2001, 0, c);
  EXPECT_TRUE(zero.state.checked(kEast));
  EXPECT_TRUE(zero.state.checked(kNorth));
  EXPECT_TRUE(zero.state.checked(kLater));
  c.longitude = 2.9999999 / 15;
  Entry carry(2001, 0, c);
  EXPECT_EQ(carry.state.text(kLon1) + " " + carry.state.text(kLon2) + " " + carry.state.text(kLon3), "3 0 0");

  Entry e;
  e.type({{kLon1, "15"}, {kLon2, "0"}, {kLon3, "0"}});
  e.press(kUnitHours);
  EXPECT_EQ(e.state.text(kLon1) + " " + e.state.text(kLon2) + " " + e.state.text(kLon3), "1 0 0");
  EXPECT_EQ(e.state.text(kLonUnitLabel), "hrs");
  e.press(kUnitHours);  // the unit in force: nothing changes
  EXPECT_EQ(e.state.text(kLon1), "1");
  e.press(kUnitDegrees);
  EXPECT_EQ(e.state.text(kLon1) + " " + e.state.text(kLon2) + " " + e.state.text(kLon3), "15 0 0");
  EXPECT_EQ(e.state.text(kLonUnitLabel), "deg");
  e.type({{kLon1, "2"}, {kLon2, "21"}, {kLon3, "0"}});
  e.press(kUnitHours);
  EXPECT_EQ(e.state.text(kLon1) + " " + e.state.text(kLon2) + " " + e.state.text(kLon3), "0 9 24");
  e.typeValid();
  e.type({{kLon1, "13"}});
  e.press(ui::IDOK);
  EXPECT_EQ(e.texts(), std::vector<std::string>{"Longitude, Hours: impossible figure"});
}

TEST(ChartEntry, TransitModeSaveAndHelp) {
  Entry t(33);
  EXPECT_EQ(t.state.caption(), "Data for the calculation of the Transits");
  EXPECT_EQ(t.state.text(kTypeText), "Transits");
  EXPECT_EQ(t.state.text(kTimeLabel), "Time (optional):");
  for (ui::ControlId id : {kSave, kLon1, kLatDeg, kEast, kUnitHours, kAtlasSearch, kLongitudeGroup})
    EXPECT_TRUE(t.state.removed(id)) << id;
  t.press(ui::IDHELP);
  Entry n(51);
  EXPECT_EQ(n.state.caption(), "Talpora Synastry - Data for Chart 1");
  EXPECT_TRUE(n.state.removed(kTransitNote));
  n.press(ui::IDHELP);
  EXPECT_EQ(t.help.topics, std::vector<int>{78});
  EXPECT_EQ(n.help.topics, std::vector<int>{77});

  for (int answer : {0, 1}) {
    Entry s;
    s.saveAnswer = answer;
    s.typeValid();
    s.press(kSave);
    ASSERT_EQ(s.saved.size(), 1u);
    EXPECT_EQ(fieldText(s.saved[0].name), "Test");
    EXPECT_EQ(s.state.closed(), answer == 1);
  }
  Entry bad;
  bad.typeValid();
  bad.type({{kMonth, "13"}});
  bad.press(kSave);
  EXPECT_TRUE(bad.saved.empty());  // nothing invalid is saved
}

TEST(ChartEntry, EveryAtlasStatus) {
  const std::string coords =
      "The search retrieved the longitude and latitude coordinates but no information related to daylight "
      "saving (DLS).";
  const std::string tail =
      " You must consult a specialised book on time zones and DLS. Call 'Help' and see the bibliography at "
      "the "
      "end of the online manual.";
  const std::string full =
      "The search retrieved not only longitude/latitude coordinates but also all required time-zone and "
      "daylight saving (DLS) information.";
  const std::string eu =
      "Talpora holds longitude and latitude for this place but no time records for this period. However, "
      "because this country follows the time changes of the European Union (DLS from the last Sunday of "
      "March "
      "to the last Sunday of September), you can safely assume ";
  const std::string us =
      "Talpora holds longitude and latitude for this place but no time records for this period. However, "
      "because this state usually follows the US Federal Law, you can safely assume ";
  const std::string noDls = "that for this particular year, no DLS was/will be enforced at this date.";
  const std::string dls = "that for this particular year, DLS was/will be enforced at this date";
  const std::string war =
      "This was war and different parts of the coutry followed different times. Talpora does not hold the "
      "details of the battle line and so cannot give you the DLS information.";
  const std::string past =
      "The search retrieved the longitude and latitude coordinates but no information related to daylight "
      "saving (DLS) for this date. Consulting past records, however, Talpora found what the situation was at "
      "the same date but in year 1985. Do you wish to use this information?";
  const std::string normally =
      "Talpora does not hold records for that date. Past records for the same country, however, show that it "
      "normally did not have DLS. It is relatively safe to assume no DLS for this date either. If you wish "
      "to do "
      "so press 'Yes'.";
  struct Row {
    int result, code;
    const char* year;
    ui::Answer answer;
    std::vector<std::string> messages;
    const char* zoneHours;
    const char* label;
    const char* comment;
    ui::ControlId focus;
  } rows[] = {
      {200, 1, "1990", ui::Answer::Ok, {full}, "2", "(*) no DLS", "", kName},
      {200, 4, "1990", ui::Answer::Ok, {full}, "2", "(*) DLS enforced", "", kName},
      {200, 31, "1990", ui::Answer::Ok, {full}, "2", "(*) Time of the capital city", "", kName},
      {200, 32, "1990", ui::Answer::Ok, {full}, "0", "(*) Local time", "", kName},
      {200, 9991, "1990", ui::Answer::Ok, {eu + noDls}, "2", "(*) no DLS", "", kName},
      {200, 9994, "1990", ui::Answer::Ok, {eu + dls}, "2", "(*) DLS enforced", "", kName},
      {200, 9011, "1990", ui::Answer::Ok, {us + noDls}, "2", "(*) no DLS", "", kName},
      {200, 9014, "1990", ui::Answer::Ok, {us + dls}, "2", "(*) DLS enforced", "", kName},
      {200, 7, "1990", ui::Answer::Ok, {full}, "2", "(*) ", "", kName},
      {200, -30, "1990", ui::Answer::Ok, {war + tail}, "?", "", "", kPlace},
      {200, 0, "2005", ui::Answer::Ok, {coords}, "?", "", "", kPlace},
      {200,
       -1999,
       "1990",
       ui::Answer::Yes,
       {normally},
       "2",
       "(*) no DLS",
       "No absolute certainty on DLS information.",
       kName},
      {200, -1999, "1990", ui::Answer::No, {normally}, "?", "", "", kPlace},
      {200,
       -2004,
       "1990",
       ui::Answer::Yes,
       {past},
       "2",
       "(*) DLS enforced",
       "Doubt on the time zone.",
       kName},
      {200, -2004, "1990", ui::Answer::No, {past}, "?", "", "", kPlace},
      {100, 0, "1990", ui::Answer::Ok, {coords + tail}, "?", "", "", kZoneHours},
      {0, 0, "1990", ui::Answer::Ok, {}, "?", "", "", kLon1},
  };
  for (const Row& r : rows) {
    const std::string what = std::to_string(r.result) + "/" + std::to_string(r.code);
    Entry e;
    e.typeValid();
    e.type({{kYear, r.year}, {kZoneHours, "9"}, {kPlace, "Pari"}});
    e.state.focus(kPlace);
    e.atlas.result = r.result;
    setField(e.atlas.found.place, "Paris");
    e.atlas.found.longitude = 2.35;  // degrees in the exchange record
    e.atlas.found.latitude = 48.8666;
    e.atlas.found.timeZone = 2;
    e.atlas.found.zoneStatus = static_cast<std::int16_t>(r.code);
    e.atlas.found.year = 1985;
    e.atlas.found.country = 33;
    e.ui.expectAnswer(r.answer);
    e.press(kAtlasSearch);
    EXPECT_EQ(e.atlas.calls, 1) << what;
    EXPECT_EQ(e.atlas.mode, kAtlasModeWithZone) << what;
    EXPECT_EQ(fieldText(e.atlas.asked.place), "Pari") << what;
    EXPECT_EQ(e.atlas.asked.day, 15) << what;
    EXPECT_EQ(e.texts(), r.messages) << what;
    EXPECT_EQ(e.state.text(kZoneHours), r.zoneHours) << what;
    if (std::string(r.zoneHours) == "?") {
      EXPECT_EQ(e.state.text(kZoneMinutes), "0") << what;
    }
    EXPECT_EQ(e.state.text(kZoneStatus), r.label) << what;
    EXPECT_EQ(e.state.text(kComment), r.comment) << what;
    EXPECT_EQ(e.state.focused(), r.focus) << what;
    if (r.result == 0) {
      EXPECT_EQ(e.state.text(kPlace), "Pari") << what;  // a cancelled search keeps the boxes
      continue;
    }
    EXPECT_EQ(e.state.text(kPlace), "Paris") << what;
    EXPECT_EQ(e.state.text(kLon1) + " " + e.state.text(kLon2) + " " + e.state.text(kLon3), "2 21 0") << what;
    EXPECT_EQ(e.state.text(kLatDeg) + " " + e.state.text(kLatMin), "48 52") << what;
  }
}

TEST(ChartEntry, LocalMeanTimeKeepsItsExactZone) {
  for (bool retype : {false, true}) {
    Entry e;
    e.typeValid();
    e.atlas.found.longitude = 2.3372;
    e.atlas.found.latitude = 48.85;
    e.atlas.found.zoneStatus = 32;
    e.press(kAtlasSearch);
    EXPECT_EQ(e.state.text(kZoneHours) + ":" + e.state.text(kZoneMinutes), "0:9");
    if (retype) e.type({{kZoneMinutes, "10"}});
    e.press(ui::IDOK);
    ASSERT_TRUE(e.state.closed());
    EXPECT_EQ(e.record().timeZone, retype ? 10 / 60.0 : 2.3372 / 15);
    EXPECT_EQ(e.record().zoneStatus, 32);
  }
}

TEST(ChartEntry, AtlasSearchPreconditions) {
  Entry unknown;
  unknown.typeValid();
  unknown.state.setChecked(kUnknown, true);
  unknown.ui.expectAnswer(ui::Answer::Cancel);
  unknown.press(kAtlasSearch);
  EXPECT_EQ(unknown.atlas.calls, 0);
  ASSERT_EQ(unknown.ui.messages.size(), 1u);
  EXPECT_EQ(unknown.ui.messages[0].defaultButton, ui::Answer::Cancel);
  for (ui::ControlId id : {kLon1, kLon2, kLon3, kLatDeg, kLatMin, kZoneHours, kZoneMinutes})
    EXPECT_EQ(unknown.state.text(id), "0") << id;
  EXPECT_EQ(unknown.state.focused(), kName);

  Entry empty;
  empty.typeValid();
  empty.type({{kPlace, "   "}});
  empty.press(kAtlasSearch);
  EXPECT_EQ(empty.atlas.calls, 0);
  EXPECT_EQ(empty.texts(),
            std::vector<std::string>{
                "A name of city must be entered before Talpora can conduct the Atlas Database search!"});

  Entry impossible;
  impossible.typeValid();
  impossible.type({{kDay, "31"}, {kMonth, "4"}});
  impossible.press(kAtlasSearch);
  EXPECT_EQ(impossible.atlas.calls, 0);
  EXPECT_EQ(impossible.texts(), std::vector<std::string>{"Date: impossible day"});

  for (auto answer : {ui::Answer::No, ui::Answer::Yes}) {
    Entry nodate;
    nodate.typeValid();
    nodate.type({{kDay, ""}, {kMonth, ""}, {kYear, ""}});
    nodate.atlas.result = kAtlasCoordinates;
    nodate.ui.expectAnswer(answer);
    nodate.press(kAtlasSearch);
    EXPECT_EQ(nodate.atlas.calls, answer == ui::Answer::Yes ? 1 : 0);
    EXPECT_EQ(nodate.ui.messages.size(), 1u);  // no coordinates-only text without a date
    if (answer == ui::Answer::Yes) {
      EXPECT_EQ(nodate.atlas.mode, kAtlasModeCoordinates);
    }
  }
}

TEST(PlaceEntry, CaptionsFillingChecksAndAtlasTexts) {
  Chart1 here = sampleChart();
  here.timeZone = -5;
  Entry p(10, 0, here, true);
  EXPECT_EQ(p.state.caption(), "Data for 'Here and Now' Charts");
  EXPECT_EQ(p.state.text(kPlace), "New York");
  EXPECT_EQ(p.state.text(kZoneHours), "5");
  EXPECT_TRUE(p.state.checked(kEarlier));
  EXPECT_TRUE(p.state.removed(kDay) || !p.model->form().find(kDay));
  EXPECT_EQ(Entry(13, 0, here, true).state.caption(), "Data for Now's Charts in Place 3");
  EXPECT_EQ(Entry(31, 0, here, true).state.caption(), "Data for new almanac calculations");
  Entry plain(0, 0, here, true);
  EXPECT_EQ(plain.state.caption(), "Talpora - Enter Data");
  EXPECT_EQ(plain.state.text(kPlace), "");

  // Five hours too far: insisting is refused with its own text.
  p.type({{kLon1, "120"}, {kLon2, "0"}, {kLon3, "0"}, {kZoneHours, "1"}, {kZoneMinutes, "0"}});
  p.press(kLater);
  p.ui.expectAnswer(ui::Answer::Yes);
  p.ui.expectAnswer(ui::Answer::Yes);
  p.press(ui::IDOK);
  EXPECT_FALSE(p.state.closed());
  ASSERT_EQ(p.ui.messages.size(), 3u)
      << p.ui.messages[0].text;  // later than Greenwich west of 2 h, five hours, too much
  EXPECT_EQ(p.ui.messages[2].caption, "Too much is too much!");
  EXPECT_EQ(p.ui.messages[2].text, placeZoneTooFarText());

  struct Row {
    int result, code;
    std::string caption, text;
  } rows[] = {
      {200, 9994, "Database search was successful",
       "Talpora holds longitude and latitude for this place but no time records for this period. However, "
       "because this country follows EEC time changes (DLS from the last Sunday of March to the last Sunday "
       "of "
       "September), you can safely assume that DLS was/will be enforced at this date"},
      {200, -1999, "Database search only partly successful",
       "The search retrieved the longitude and latitude coordinates but no information related to daylight "
       "saving (DLS). You must consult a specialised book on time zones and DLS. Call 'Help' and see the "
       "bibliography at the end of the online manual."},
      {200, -30, "Database search only partly successful",
       "The search retrieved the longitude and latitude coordinates but no information related to daylight "
       "saving (DLS). You must consult a specialised book on time zones and DLS. Call 'Help' and see the "
       "bibliography at the end of the online manual."},
  };
  for (const Row& r : rows) {
    Entry a(10, 0, here, true);
    a.atlas.result = r.result;
    a.atlas.found.zoneStatus = static_cast<std::int16_t>(r.code);
    a.atlas.found.timeZone = 1;
    a.press(kAtlasSearch);
    EXPECT_EQ(a.atlas.mode, kAtlasModeWithZone);
    EXPECT_EQ(a.atlas.asked.year, 1969);  // the caller's date
    ASSERT_EQ(a.ui.messages.size(), 1u) << r.code;
    EXPECT_EQ(a.ui.messages[0].caption, r.caption) << r.code;
    EXPECT_EQ(a.ui.messages[0].text, r.text) << r.code;
  }
}

TEST(PlaceEntry, WithDateAndTheInMemoryOverload) {
  Chart1 work = sampleChart();
  struct Row {
    const char* what;
    Edits edits;
    const char* message;
  } rows[] = {
      {"year 0", {{kYear, "0"}}, "Date: impossible year"},
      {"29 Feb 2100", {{kDay, "29"}, {kMonth, "2"}, {kYear, "2100"}}, "Date: impossible day"},
      {"zone minutes 60", {{kZoneMinutes, "60"}}, "Impossible Time Zone"},
  };
  for (const Row& r : rows) {
    Entry e(31, 0, work, true, true);
    e.type({{kZoneHours, "4"}});
    e.press(kEarlier);
    e.type(r.edits);
    e.press(ui::IDOK);
    EXPECT_EQ(e.texts(), std::vector<std::string>{r.message}) << r.what;
  }
  headless::ScriptedInteraction ui;
  ui.expectDialog([](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) {
    EXPECT_EQ(st.text(kYear), "1969");
    st.setText(kYear, "24");
    st.setText(kZoneHours, "4");
    m.command(kEarlier, st, in);
    m.command(ui::IDOK, st, in);
  });
  headless::FixedClock clock;
  clock.local.year = 2026;
  EntryServices services;
  services.clock = &clock;
  double zone = 0, lat = 0, lon = 0;
  ASSERT_EQ(lonlat_data(ui, defaultSettings("/nonexistent"), work, 31, 1, services, &zone, &lat, &lon), 1);
  EXPECT_EQ(work.year, 2024);
  EXPECT_DOUBLE_EQ(zone, -4);
  EXPECT_NEAR(lat, 52, 1e-12);
  EXPECT_NEAR(lon * 15, -74.0061111, 1e-6);  // 74° 0' 22" W as shown
  EXPECT_EQ(work.timeZone, zone);
}

namespace {
fs::path freshDir(const char* name) {
  fs::path d =
      fs::temp_directory_path() / ("talpora-entry-" + std::string(name) + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  EnsureProgramDirDefaults(d);
  return d;
}
std::string bytesOf(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST(PlaceEntry, TheFileFormExchangesThroughData88) {
  const fs::path dir = freshDir("data88");
  const CIni settings = defaultSettings(dir.string());
  Chart1 caller = sampleChart();
  ASSERT_TRUE(writeAtlasExchange(dir, caller));
  for (int withDate : {0, 1}) {
    headless::ScriptedInteraction ui;
    ui.expectDialog([](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) {
      EXPECT_EQ(st.text(kPlace), "New York");  // mode 31: the record in the exchange file
      st.setText(kZoneHours, "5");
      m.command(kEarlier, st, in);
      m.command(ui::IDOK, st, in);
    });
    double zone = 0, lat = 0, lon = 0;
    int result = -1;
    lonlat_data(ui, settings, &zone, &lat, &lon, 31, withDate, 0, &result, EntryServices{});
    ASSERT_EQ(result, 1);
    EXPECT_DOUBLE_EQ(zone, -5);
    const std::string bytes = bytesOf(dir / "DATA88.DTF");
    if (withDate == 0) {
      EXPECT_EQ(bytes, std::string("New York") + '\0');
      ASSERT_TRUE(writeAtlasExchange(dir, caller));
    } else {
      ASSERT_EQ(bytes.size(), sizeof(Chart1));
      EXPECT_EQ(readAtlasExchange(dir).timeZone, -5);
      EXPECT_EQ(readAtlasExchange(dir).year, 1969);
    }
  }
  fs::remove_all(dir);
}

TEST(PlaceCharts, SetChecksLikeTheDialogAndKeepsTheRest) {
  const fs::path dir = freshDir("place");
  const CIni settings = defaultSettings(dir.string());
  const fs::path file = dir / placeChartFileName(0);
  headless::ScriptedInteraction ui;
  ASSERT_EQ(setPlaceChart(ui, settings, 0, 2.35, 48.85, 1, std::string("Paris")), 1);
  Chart1 back;
  ASSERT_EQ(readPlaceChart(ui, settings, 0, back), 1);
  EXPECT_EQ(fieldText(back.place), "Paris");
  EXPECT_EQ(fieldText(back.name), "My place");
  EXPECT_DOUBLE_EQ(back.longitude * 15, 2.35);
  EXPECT_DOUBLE_EQ(back.latitude, 48.85);
  EXPECT_DOUBLE_EQ(back.timeZone, 1);
  const std::string before = bytesOf(file);
  struct Row {
    double lon, lat, zone;
    const char* message;
  } rows[] = {
      {2.35, 48.85, 21, "Impossible Time Zone"},
      {181, 48.85, 1, "Longitude: impossible figure. (A longitude can't be more than 12 hours or 180\xB0.)"},
      {2.35, -90.5, 1, "Latitude: impossible figure. (A latitude can't be more than 90\xB0.)"},
      {120, 0, 1,
       "With the longitude you have entered, it is highly unlikely that the time zone can be what you have "
       "entered (i.e. more than five hours different from the longitude). Do you still wish to continue?"},
  };
  for (const Row& r : rows) {
    headless::ScriptedInteraction refused;
    EXPECT_EQ(setPlaceChart(refused, settings, 0, r.lon, r.lat, r.zone, std::nullopt), 0) << r.message;
    EXPECT_EQ(refused.messages.empty() ? std::string() : refused.messages[0].text, r.message);
    EXPECT_EQ(bytesOf(file), before) << r.message;
  }
  EXPECT_EQ(setPlaceChart(ui, settings, 100, 0, 0, 0, std::nullopt), 0);
  fs::remove_all(dir);
}

TEST(ChartEntry, SaveGoesThroughTheChartStore) {
  const fs::path dir = freshDir("save");
  const CIni settings = defaultSettings(dir.string());
  headless::FixedClock clock;
  Entry e;
  e.model = std::make_unique<ChartEntryDialog>(settings, zeroedRecord<Chart1>(), 0,
                                               programEntryServices(settings, &clock, nullptr));
  e.state = ui::FormState();
  e.model->open(e.state);
  e.typeValid();
  e.ui.expectDialog([](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) {
    st.setChecked(SaveModeDialog::kChartFile, false);
    st.setChecked(SaveModeDialog::kHotChart, true);
    m.command(ui::IDOK, st, in);
  });
  e.ui.expectDialog([](ui::DialogModel& m, ui::FormState& st, ui::Interaction& in) {
    st.setText(HotChartDialog::kNumber, "3");
    m.command(ui::IDOK, st, in);
  });
  e.press(kSave);
  ASSERT_TRUE(e.state.closed()) << (e.texts().empty() ? "" : e.texts()[0]);
  for (const char* name : {"ZYKHOT2.DTF", "LASTSAVE.DTF"}) {
    const Chart1 stored = decodeChart1(bytesOf(dir / name));
    EXPECT_EQ(fieldText(stored.name), "Test") << name;
    EXPECT_EQ(stored.year, 1990) << name;
  }
  fs::remove_all(dir);
}
