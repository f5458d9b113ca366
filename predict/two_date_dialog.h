// zykymd2: the two-date dialog of the prediction program (a starting and a finishing day, month and
// year), as a dialog model.
#pragma once
#include <optional>
#include <string>

#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

struct TwoDates {
  int firstDay = 1, firstMonth = 1, firstYear = 0;
  int lastDay = 1, lastMonth = 1, lastYear = 0;
};

// A refusal: the message, its caption, and the box cleared and focused (0: none).
struct TwoDateRefusal {
  std::string message;
  std::string caption;
  ui::ControlId box = 0;
};

// "ym2_data". withDays 0 removes the two day boxes (both days become 1 and the finishing month is
// covered whole); maxDays > 0 limits the span; preset 3 pre-fills the starting day, month and year,
// any other non-zero preset the starting and finishing months and years. One- and two-digit years
// are expanded with the pivot on the clock's year.
class TwoDateDialog final : public ui::DialogModel {
 public:
  enum : ui::ControlId {
    kFirstDay = 101,
    kFirstMonth = 102,
    kFirstYear = 103,
    kLastDay = 104,
    kLastMonth = 105,
    kLastYear = 106,
  };
  TwoDateDialog(int withDays, int maxDays, int preset, const TwoDates& initial, const sys::Clock& clock);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;

  // The checks of OK on the numbers as typed (years as typed, -1 for a box that is not a number):
  // the dates as they are then used, or the refusal.
  std::optional<TwoDateRefusal> validate(TwoDates& dates) const;

  TwoDates dates;
  int ok = 0;

 private:
  int withDays_, maxDays_, preset_;
  TwoDates initial_;
  const sys::Clock& clock_;
  ui::FormSpec form_;
};

// The checks of the prediction program's other date dialogs (caption "Error"): a year not above
// lowestYear ("Impossible Year, earlier than that of birth!"); a month and year; a day, month and year
// (the Gregorian calendar). No value when the entry is accepted.
std::optional<std::string> yearRefusal(int year, int lowestYear);
std::optional<std::string> yearMonthRefusal(int month, int year, int lowestYear);
std::optional<std::string> yearMonthDayRefusal(int day, int month, int year);

// The dialog run through `ui`: ok 1 after a valid OK, 0 otherwise; the dates when ok.
void yearmonth2_data(ui::Interaction& ui, const sys::Clock& clock, int withDays, int maxDays, int preset,
                     int* ok, int* firstDay, int* firstMonth, int* firstYear, int* lastDay, int* lastMonth,
                     int* lastYear);

}  // namespace talpora
