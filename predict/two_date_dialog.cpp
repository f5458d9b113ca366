// zykymd2: the two-date dialog.
#include "predict/two_date_dialog.h"

#include <charconv>
#include <cstdio>

#include "core/calendar.h"

namespace talpora {

namespace {

using ui::ControlKind;

constexpr const char* kErrorCaption = "Error";

// A box as a whole number (blanks around it ignored); -1 when it is not one.
int boxNumber(const std::string& text) {
  std::size_t b = text.find_first_not_of(' '), e = text.find_last_not_of(' ');
  if (b == std::string::npos) return -1;
  int value = 0;
  const char* first = text.data() + b;
  const char* last = text.data() + e + 1;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && ptr == last ? value : -1;
}

std::string number(int v) {
  return std::to_string(v);
}

}  // namespace

TwoDateDialog::TwoDateDialog(int withDays, int maxDays, int preset, const TwoDates& initial,
                             const sys::Clock& clock)
    : withDays_(withDays), maxDays_(maxDays), preset_(preset), initial_(initial), clock_(clock) {
  form_.resource = "ym2_data";
  form_.caption = "";
  form_.controls = {
      {1001, ControlKind::Static, "Starting:", 0, 0, 0, 0},
      {kFirstDay + ui::kLabelOffset, ControlKind::Static, "&Day", 0, 0, 1, 0},
      {kFirstDay, ControlKind::Edit, "", 2, 0, 1, 1},
      {kFirstMonth + ui::kLabelOffset, ControlKind::Static, "&Month", 0, 0, 1, 2},
      {kFirstMonth, ControlKind::Edit, "", 2, 0, 1, 3},
      {kFirstYear + ui::kLabelOffset, ControlKind::Static, "&Year", 0, 0, 1, 4},
      {kFirstYear, ControlKind::Edit, "", 4, 0, 1, 5},
      {1002, ControlKind::Static, "Finishing:", 0, 0, 2, 0},
      {kLastDay + ui::kLabelOffset, ControlKind::Static, "D&ay", 0, 0, 3, 0},
      {kLastDay, ControlKind::Edit, "", 2, 0, 3, 1},
      {kLastMonth + ui::kLabelOffset, ControlKind::Static, "M&onth", 0, 0, 3, 2},
      {kLastMonth, ControlKind::Edit, "", 2, 0, 3, 3},
      {kLastYear + ui::kLabelOffset, ControlKind::Static, "Y&ear", 0, 0, 3, 4},
      {kLastYear, ControlKind::Edit, "", 4, 0, 3, 5},
      {ui::IDOK, ControlKind::Button, "&OK", 0, 0, 4, 0},
      {ui::IDCANCEL, ControlKind::Button, "&Cancel", 0, 0, 4, 1},
      {ui::IDHELP, ControlKind::Button, "&Help", 0, 0, 4, 2},
  };
}

void TwoDateDialog::open(ui::FormState& state) {
  if (!withDays_) {
    for (ui::ControlId id : {kFirstDay, kLastDay}) {
      state.remove(id);
      state.remove(id + ui::kLabelOffset);
    }
  }
  if (preset_ == 3) {
    state.setText(kFirstDay, number(initial_.firstDay));
    state.setText(kFirstMonth, number(initial_.firstMonth));
    state.setText(kFirstYear, number(initial_.firstYear));
  } else if (preset_ != 0) {
    state.setText(kFirstMonth, number(initial_.firstMonth));
    state.setText(kFirstYear, number(initial_.firstYear));
    state.setText(kLastMonth, number(initial_.lastMonth));
    state.setText(kLastYear, number(initial_.lastYear));
  }
  state.focus(withDays_ ? kFirstDay : kFirstMonth);
}

std::optional<TwoDateRefusal> TwoDateDialog::validate(TwoDates& d) const {
  const int currentYear = clock_.now().year;
  if (d.firstYear >= 0 && d.firstYear < 100) d.firstYear = expandTwoDigitYear(d.firstYear, currentYear);
  if (d.lastYear >= 0 && d.lastYear < 100) d.lastYear = expandTwoDigitYear(d.lastYear, currentYear);
  if (d.firstMonth < 1 || d.firstMonth > 12)
    return TwoDateRefusal{"Starting month - impossible value!", kErrorCaption, kFirstMonth};
  if (d.lastMonth < 1 || d.lastMonth > 12)
    return TwoDateRefusal{"Finishing month - impossible value!", kErrorCaption, kLastMonth};
  if (!withDays_) {
    d.firstDay = d.lastDay = 1;
    const bool nextYearsFirstMonth = d.lastMonth == d.firstMonth && d.lastYear == d.firstYear + 1;
    if (!(nextYearsFirstMonth && maxDays_ >= 1 && maxDays_ <= 369)) {
      if (++d.lastMonth > 12) {
        d.lastMonth = 1;
        ++d.lastYear;
      }
    }
  }
  for (int k = 0; k < 2; ++k) {
    short day = static_cast<short>(k == 0 ? d.firstDay : d.lastDay);
    short month = static_cast<short>(k == 0 ? d.firstMonth : d.lastMonth);
    short year = static_cast<short>(k == 0 ? d.firstYear : d.lastYear);
    const int y = k == 0 ? d.firstYear : d.lastYear;
    if (y < 1 || y > 9999 || !IsDateValid(&day, &month, &year))
      return TwoDateRefusal{"Date: impossible day", kErrorCaption,
                            withDays_ ? (k == 0 ? kFirstDay : kLastDay) : (k == 0 ? kFirstYear : kLastYear)};
  }
  const double first = julian_day(d.firstDay, d.firstMonth, d.firstYear, 0.0);
  const double last = julian_day(d.lastDay, d.lastMonth, d.lastYear, 0.0);
  const ui::ControlId finishing = withDays_ ? kLastDay : kLastMonth;
  if (last < first)
    return TwoDateRefusal{"The finishing date canoot be earlier than the starting one!", kErrorCaption,
                          finishing};
  if (maxDays_ > 0 && last - first > maxDays_ + 1) {
    char text[256];
    std::snprintf(
        text, sizeof text,
        "The option you have selected can take %d days maximum. Please reduce the time span between the "
        "'Starting' and 'Finishing' dates.",
        maxDays_);
    return TwoDateRefusal{text, "Impossible Request", finishing};
  }
  return std::nullopt;
}

void TwoDateDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == ui::IDCANCEL) {
    ok = 0;
    state.close(0);
    return;
  }
  if (id != ui::IDOK) return;
  ok = 0;
  TwoDates d;
  d.firstDay = withDays_ ? boxNumber(state.text(kFirstDay)) : 1;
  d.firstMonth = boxNumber(state.text(kFirstMonth));
  d.firstYear = boxNumber(state.text(kFirstYear));
  d.lastDay = withDays_ ? boxNumber(state.text(kLastDay)) : 1;
  d.lastMonth = boxNumber(state.text(kLastMonth));
  d.lastYear = boxNumber(state.text(kLastYear));
  if (auto refusal = validate(d)) {
    ui.message({refusal->message, refusal->caption, ui::Buttons::Ok, ui::Icon::Warning, {}});
    state.setText(refusal->box, "");
    state.focus(refusal->box);
    return;
  }
  dates = d;
  ok = 1;
  state.close(1);
}

std::optional<std::string> yearRefusal(int year, int lowestYear) {
  if (year <= lowestYear) return "Impossible Year, earlier than that of birth!";
  return std::nullopt;
}

std::optional<std::string> yearMonthRefusal(int month, int year, int lowestYear) {
  if (month < 1 || month > 12) return "Impossible Month!";
  if (year < lowestYear) return "Impossible Year, earlier than that of birth!";
  return std::nullopt;
}

std::optional<std::string> yearMonthDayRefusal(int day, int month, int year) {
  short d = static_cast<short>(day), m = static_cast<short>(month), y = static_cast<short>(year);
  if (month < 1 || month > 12) return "Date: impossible month";
  if (year < 1 || year > 9999 || !IsDateValid(&d, &m, &y)) return "Date: impossible day";
  return std::nullopt;
}

void yearmonth2_data(ui::Interaction& ui, const sys::Clock& clock, int withDays, int maxDays, int preset,
                     int* ok, int* firstDay, int* firstMonth, int* firstYear, int* lastDay, int* lastMonth,
                     int* lastYear) {
  const TwoDates initial{*firstDay, *firstMonth, *firstYear, *lastDay, *lastMonth, *lastYear};
  TwoDateDialog dialog(withDays, maxDays, preset, initial, clock);
  ui.runModal(dialog);
  *ok = dialog.ok;
  if (!dialog.ok) return;
  *firstDay = dialog.dates.firstDay;
  *firstMonth = dialog.dates.firstMonth;
  *firstYear = dialog.dates.firstYear;
  *lastDay = dialog.dates.lastDay;
  *lastMonth = dialog.dates.lastMonth;
  *lastYear = dialog.dates.lastYear;
}

}  // namespace talpora
