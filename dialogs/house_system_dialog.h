// zykhsys: "Setting up Default House System".
#pragma once
#include "core/records.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora::dialogs {

class HouseSystemDialog final : public ui::DialogModel {
 public:
  enum : ui::ControlId { kList = 101, kRestore = 102 };
  HouseSystemDialog(CIni& settings, sys::HelpViewer& help);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  void doubleClicked(ui::ControlId, ui::FormState&, ui::Interaction&) override;

 private:
  CIni& settings_;
  sys::HelpViewer& help_;
  ui::FormSpec form_;
};

// 1 when a house system was stored (and the settings file written), 0 on Cancel.
int SetDefaultHouseSystem(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help);

}  // namespace talpora::dialogs
