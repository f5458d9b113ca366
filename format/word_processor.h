// zykwpath: the dialog in which the user gives the command line of a word processor, which the
// programs start to open saved listings.
#pragma once
#include "core/records.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

class WordProcessorDialog final : public ui::DialogModel {
 public:
  enum : ui::ControlId { kCommand = 102, kBrowse = 3737 };
  WordProcessorDialog(CIni& settings, sys::ProcessLauncher& launcher, sys::HelpViewer& help);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;

 private:
  CIni& settings_;
  sys::ProcessLauncher& launcher_;
  sys::HelpViewer& help_;
  ui::FormSpec form_;
};

// Shows the dialog; the settings change (and the settings file is written) when the user confirms
// a command that starts. Returns 0 always.
int WordProcessorPath(ui::Interaction& ui, CIni& settings, sys::ProcessLauncher& launcher,
                      sys::HelpViewer& help);

}  // namespace talpora
