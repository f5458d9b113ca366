// zykymd2: the two-date dialog.
#include "predict/two_date_dialog.h"

#include <gtest/gtest.h>

#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora {
namespace {

using D = TwoDateDialog;

struct Typed {
  const char *firstDay, *firstMonth, *firstYear, *lastDay, *lastMonth, *lastYear;
};

struct Outcome {
  ui::FormState state;
  headless::ScriptedInteraction ui;
  int ok = 0;
  TwoDates dates;
};

void press(int withDays, int maxDays, const Typed& t, Outcome& o) {
  headless::FixedClock clock;
  clock.local = {2026, 12, 8, 10, 0, 0};
  D dialog(withDays, maxDays, 0, TwoDates{}, clock);
  dialog.open(o.state);
  const std::pair<ui::ControlId, const char*> boxes[] = {
      {D::kFirstDay, t.firstDay}, {D::kFirstMonth, t.firstMonth}, {D::kFirstYear, t.firstYear},
      {D::kLastDay, t.lastDay},   {D::kLastMonth, t.lastMonth},   {D::kLastYear, t.lastYear}};
  for (auto [id, text] : boxes) o.state.setText(id, text);
  dialog.command(ui::IDOK, o.state, o.ui);
  o.ok = dialog.ok;
  o.dates = dialog.dates;
}

TEST(TwoDateDialog, Refusals) {
  struct Row {
    const char* name;
    int withDays, maxDays;
    Typed typed;
    const char* message;
    const char* caption;
    ui::ControlId box;
  } rows[] = {
      {"starting month",
       1,
       0,
       {"1", "13", "2025", "1", "2", "2025"},
       "Starting month - impossible value!",
       "Error",
       D::kFirstMonth},
      {"finishing month",
       1,
       0,
       {"1", "1", "2025", "1", "0", "2025"},
       "Finishing month - impossible value!",
       "Error",
       D::kLastMonth},
      {"starting day",
       1,
       0,
       {"31", "4", "2025", "1", "5", "2025"},
       "Date: impossible day",
       "Error",
       D::kFirstDay},
      {"29 February 2100",
       1,
       0,
       {"1", "1", "2100", "29", "2", "2100"},
       "Date: impossible day",
       "Error",
       D::kLastDay},
      {"day not a number",
       1,
       0,
       {"x", "1", "2025", "1", "2", "2025"},
       "Date: impossible day",
       "Error",
       D::kFirstDay},
      {"finishing earlier",
       1,
       0,
       {"2", "3", "2025", "1", "3", "2025"},
       "The finishing date canoot be earlier than the starting one!",
       "Error",
       D::kLastDay},
      {"months earlier",
       0,
       365,
       {"", "5", "2025", "", "3", "2025"},
       "The finishing date canoot be earlier than the starting one!",
       "Error",
       D::kLastMonth},
      {"too long",
       0,
       365,
       {"", "1", "2025", "", "3", "2026"},
       "The option you have selected can take 365 days maximum. Please reduce the time span between the "
       "'Starting' "
       "and 'Finishing' dates.",
       "Impossible Request",
       D::kLastMonth},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Outcome o;
    press(r.withDays, r.maxDays, r.typed, o);
    EXPECT_EQ(o.ok, 0);
    EXPECT_FALSE(o.state.closed());
    ASSERT_EQ(o.ui.messages.size(), 1u);
    EXPECT_EQ(o.ui.messages[0].text, r.message);
    EXPECT_EQ(o.ui.messages[0].caption, r.caption);
    EXPECT_EQ(o.ui.messages[0].icon, ui::Icon::Warning);
    EXPECT_EQ(o.state.focused(), r.box);
    EXPECT_EQ(o.state.text(r.box), "");
  }
}

TEST(TwoDateDialog, AcceptedDates) {
  struct Row {
    const char* name;
    int withDays, maxDays;
    Typed typed;
    TwoDates expected;
  } rows[] = {
      {"29 February 2024", 1, 0, {"29", "2", "2024", "1", "3", "2024"}, {29, 2, 2024, 1, 3, 2024}},
      // The data entry's pivot on the clock's year (2026): up to 26 is 20xx, above it 19xx.
      {"two-digit years", 1, 0, {"1", "1", "27", "5", "6", "26"}, {1, 1, 1927, 5, 6, 2026}},
      {"one-digit year", 1, 0, {"1", "1", "7", "5", "6", "2030"}, {1, 1, 2007, 5, 6, 2030}},
      {"without days: the whole finishing month",
       0,
       365,
       {"", "1", "2025", "", "12", "2025"},
       {1, 1, 2025, 1, 1, 2026}},
      {"one month", 0, 365, {"", "5", "2025", "", "5", "2025"}, {1, 5, 2025, 1, 6, 2025}},
      {"the starting month of the next year",
       0,
       365,
       {"", "3", "2025", "", "3", "2026"},
       {1, 3, 2025, 1, 3, 2026}},
      {"no limit", 0, 0, {"", "3", "2025", "", "3", "2026"}, {1, 3, 2025, 1, 4, 2026}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Outcome o;
    press(r.withDays, r.maxDays, r.typed, o);
    EXPECT_EQ(o.ok, 1);
    EXPECT_TRUE(o.state.closed());
    EXPECT_TRUE(o.ui.messages.empty());
    const TwoDates& d = o.dates;
    const TwoDates& e = r.expected;
    EXPECT_EQ(d.firstDay, e.firstDay);
    EXPECT_EQ(d.firstMonth, e.firstMonth);
    EXPECT_EQ(d.firstYear, e.firstYear);
    EXPECT_EQ(d.lastDay, e.lastDay);
    EXPECT_EQ(d.lastMonth, e.lastMonth);
    EXPECT_EQ(d.lastYear, e.lastYear);
  }
}

TEST(TwoDateDialog, FormPresetsAndDayBoxes) {
  headless::FixedClock clock;
  const TwoDates initial{7, 8, 2025, 9, 10, 2026};
  struct Row {
    const char* name;
    int withDays, preset;
    const char *firstDay, *firstMonth, *lastMonth;
  } rows[] = {
      {"preset 3", 1, 3, "7", "8", ""}, {"preset 1", 1, 1, "", "8", "10"}, {"no preset", 0, 0, "", "", ""}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    D dialog(r.withDays, 0, r.preset, initial, clock);
    ui::FormState state;
    dialog.open(state);
    EXPECT_EQ(state.text(D::kFirstDay), r.firstDay);
    EXPECT_EQ(state.text(D::kFirstMonth), r.firstMonth);
    EXPECT_EQ(state.text(D::kLastMonth), r.lastMonth);
    EXPECT_EQ(state.removed(D::kFirstDay), r.withDays == 0);
    EXPECT_EQ(state.focused(), r.withDays ? D::kFirstDay : D::kFirstMonth);
  }
  D dialog(1, 0, 0, initial, clock);
  EXPECT_EQ(dialog.form().resource, "ym2_data");
  EXPECT_EQ(dialog.form().find(D::kFirstYear)->maxLength, 4);
  EXPECT_EQ(dialog.form().find(D::kLastYear)->maxLength, 4);
}

}  // namespace
}  // namespace talpora
