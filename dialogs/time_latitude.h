// zyktimedlg, zyklatdlg: entry of one clock (or sidereal) time, and of one geographic latitude.
#pragma once
#include "platform/ui.h"

namespace talpora::dialogs {

// "box6": hours 777, minutes 778, seconds 779 (labels 13777..13779), prompt 105.
class TimeDialog final : public ui::DialogModel {
 public:
  enum : ui::ControlId { kPrompt = 105, kHours = 777, kMinutes = 778, kSeconds = 779 };
  explicit TimeDialog(int mode);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  int hours = 0, minutes = 0, seconds = 0, confirmed = 0;

 private:
  int mode_;
  ui::FormSpec form_;
};

// "box7": degrees 777, minutes 778, seconds 779, North 880, South 881.
class LatitudeDialog final : public ui::DialogModel {
 public:
  enum : ui::ControlId {
    kPrompt = 105,
    kDegrees = 777,
    kMinutes = 778,
    kSeconds = 779,
    kNorth = 880,
    kSouth = 881
  };
  LatitudeDialog();
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  double latitude = 0;
  int confirmed = 0;

 private:
  ui::FormSpec form_;
};

// Mode 1 asks for a sidereal time. The numbers as typed and the confirmation (1 OK, 0 Cancel).
void time_data(ui::Interaction& ui, int mode, int* hours, int* minutes, int* seconds, int* confirmed);
// The latitude in degrees, north positive, and the confirmation.
void l_data(ui::Interaction& ui, int ignored, double* latitude, int* confirmed);

}  // namespace talpora::dialogs
