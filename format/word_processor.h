// zykwpath: the dialog in which the user gives the command line of a word processor, which the
// programs start to open saved listings.
#pragma once
#include "core/records.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

// The reminders shown (empty caption, OK) when a program is asked to use the word processor and none
// has been chosen: when saving a report, and before or after a full interpretation.
inline constexpr const char* kWordProcessorReminderForSaving =
    "Before you can use this function, you must tell Talpora the path and name of your word processor. "
    "First, Exit this window. Then in Talpora Central Menu, under 'Options', click on 'Select your "
    "Favourite Word Porcessor'.";
inline constexpr const char* kWordProcessorReminderForInterpretation =
    "Before you can use this option, you must tell Talpora the path and name of your word processor. "
    "First, exit this window. Then in Talpora Central Menu, under 'Options', click on 'Select your "
    "Favourite Word Porcessor'.";

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
