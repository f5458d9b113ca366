// zyktimedlg, zyklatdlg: the time and latitude entry dialogs.
#include "dialogs/time_latitude.h"

#include <cmath>

#include "dialogs/dialog_helpers.h"

namespace talpora::dialogs {

using ui::ControlKind;

TimeDialog::TimeDialog(int mode) : mode_(mode) {
  form_.resource = "box6";
  form_.caption = "";
  form_.controls = {
      {kPrompt, ControlKind::Static, "Enter the time:", 0, 0, 0},
      {kHours + ui::kLabelOffset, ControlKind::Static, "&hrs", 0, 0, 1, 0},
      {kHours, ControlKind::Edit, "", 0, 0, 1, 1},
      {kMinutes + ui::kLabelOffset, ControlKind::Static, "&min", 0, 0, 1, 2},
      {kMinutes, ControlKind::Edit, "", 0, 0, 1, 3},
      {kSeconds + ui::kLabelOffset, ControlKind::Static, "&sec", 0, 0, 1, 4},
      {kSeconds, ControlKind::Edit, "", 0, 0, 1, 5},
      {ui::IDOK, ControlKind::Button, "&OK", 0, 0, 2, 0},
      {ui::IDCANCEL, ControlKind::Button, "&Cancel", 0, 0, 2, 1},
  };
}

void TimeDialog::open(ui::FormState& state) {
  state.setText(kPrompt, mode_ == 1 ? "Enter the Sidereal Time:" : "Enter the time:");
  state.focus(kHours);
}

void TimeDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == ui::IDCANCEL) {
    confirmed = 0;
    state.close(0);
    return;
  }
  if (id != ui::IDOK) return;
  const unsigned h = readUnsigned(state.text(kHours)), m = readUnsigned(state.text(kMinutes)),
                 s = readUnsigned(state.text(kSeconds));
  hours = static_cast<int>(h);
  minutes = static_cast<int>(m);
  seconds = static_cast<int>(s);
  confirmed = 0;
  if (h > 24 || (h == 24 && (m > 0 || s > 0))) return refuse(ui, state, kHours, "Time: impossible hour");
  if (m > 59) return refuse(ui, state, kMinutes, "Time, minutes: impossible figure");
  if (s > 59) return refuse(ui, state, kSeconds, "Time, seconds: impossible figure");
  confirmed = 1;
  state.close(1);
}

LatitudeDialog::LatitudeDialog() {
  form_.resource = "box7";
  form_.caption = "";
  form_.controls = {
      {kPrompt, ControlKind::Static, "Enter the latitude:", 0, 0, 0},
      {kDegrees + ui::kLabelOffset, ControlKind::Static, "&deg", 0, 0, 1, 0},
      {kDegrees, ControlKind::Edit, "", 0, 0, 1, 1},
      {kMinutes + ui::kLabelOffset, ControlKind::Static, "&min", 0, 0, 1, 2},
      {kMinutes, ControlKind::Edit, "", 0, 0, 1, 3},
      {kSeconds + ui::kLabelOffset, ControlKind::Static, "s&ec", 0, 0, 1, 4},
      {kSeconds, ControlKind::Edit, "", 0, 0, 1, 5},
      {kNorth, ControlKind::Radio, "&North", 0, 1, 2, 0},
      {kSouth, ControlKind::Radio, "&South", 0, 1, 2, 1},
      {ui::IDOK, ControlKind::Button, "O&K", 0, 0, 3, 0},
      {ui::IDCANCEL, ControlKind::Button, "&Cancel", 0, 0, 3, 1},
  };
}

void LatitudeDialog::open(ui::FormState& state) {
  state.setChecked(kNorth, true);
  state.setChecked(kSouth, false);
  state.focus(kDegrees);
}

void LatitudeDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == kNorth || id == kSouth) {
    state.setChecked(kNorth, id == kNorth);
    state.setChecked(kSouth, id == kSouth);
    return;
  }
  if (id == ui::IDCANCEL) {
    confirmed = 0;
    state.close(0);
    return;
  }
  if (id != ui::IDOK) return;
  confirmed = 0;
  const unsigned d = readUnsigned(state.text(kDegrees)), m = readUnsigned(state.text(kMinutes)),
                 s = readUnsigned(state.text(kSeconds));
  if (d > 90) return refuse(ui, state, kDegrees, "Latitude, Degrees: impossible figure");
  if (m > 59) return refuse(ui, state, kMinutes, "Latitude, Minutes: impossible figure");
  if (s > 59) return refuse(ui, state, kSeconds, "Latitude, Seconds: impossible figure");
  double value = d + m * 0.016666666666666666 + s * 0.0002777777777777778;
  if (!state.checked(kNorth)) value = -value;
  latitude = value;
  if (std::fabs(value) > 90) {
    ui.message({"Latitude: impossible figure. (A latitude can't be more than 90\xB0.)",
                "Error",
                ui::Buttons::Ok,
                ui::Icon::Warning,
                {}});
    state.focus(kDegrees);
    return;
  }
  confirmed = 1;
  state.close(1);
}

void time_data(ui::Interaction& ui, int mode, int* hours, int* minutes, int* seconds, int* confirmed) {
  TimeDialog dialog(mode);
  ui.runModal(dialog);
  *hours = dialog.hours;
  *minutes = dialog.minutes;
  *seconds = dialog.seconds;
  *confirmed = dialog.confirmed;
}

void l_data(ui::Interaction& ui, int, double* latitude, int* confirmed) {
  LatitudeDialog dialog;
  ui.runModal(dialog);
  *latitude = dialog.latitude;
  *confirmed = dialog.confirmed;
}

}  // namespace talpora::dialogs
