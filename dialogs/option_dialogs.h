// zykampm, zykayan, zykmono: the small option dialogs. Each stores its choice in the settings block
// and writes the settings file at once when the user confirms.
#pragma once
#include "core/records.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora::dialogs {

// A dialog of one radio group: each button sets a settings field to its value.
class RadioOptionDialog final : public ui::DialogModel {
 public:
  struct Choice {
    ui::ControlId id;
    const char* text;
    int value;
  };
  RadioOptionDialog(CIni& settings, sys::HelpViewer& help, const char* resource, const char* caption,
                    const char* prompt, std::vector<Choice> choices, std::int16_t CIni::*shortField,
                    std::uint8_t CIni::*byteField, int helpTopic, ui::ControlId restoreId = 0,
                    int restoreValue = 0);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;

 private:
  int current() const;
  void select(ui::FormState&, int value) const;
  CIni& settings_;
  sys::HelpViewer& help_;
  std::vector<Choice> choices_;
  std::int16_t CIni::*shortField_;
  std::uint8_t CIni::*byteField_;
  int helpTopic_;  // -1: the help contents
  ui::ControlId restoreId_;
  int restoreValue_;
  ui::FormSpec form_;
};

// Time format: "&AM/PM" (ampm 1) or "24 hr time (&Military time)" (0). Help topic 2010.
void SetAMPMTime(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help);
// Sidereal reference: "True &Ayanamsa" (1) or "&Synetic Vernal Point" (2); "Restore &Default".
void SetDefaultAyanamsa(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help);
// Display: "Co&lor Screen" (monochrome 0) or "&Black and White Display" (1). Help topic 2050.
void SetNBColors(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help);

}  // namespace talpora::dialogs
