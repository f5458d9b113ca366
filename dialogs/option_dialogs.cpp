// zykampm, zykayan, zykmono: the radio-button option dialogs.
#include "dialogs/option_dialogs.h"

#include "files/zykfile.h"

namespace talpora::dialogs {

RadioOptionDialog::RadioOptionDialog(CIni& settings, sys::HelpViewer& help, const char* resource,
                                     const char* caption, const char* prompt, std::vector<Choice> choices,
                                     std::int16_t CIni::*shortField, std::uint8_t CIni::*byteField,
                                     int helpTopic, ui::ControlId restoreId, int restoreValue)
    : settings_(settings),
      help_(help),
      choices_(std::move(choices)),
      shortField_(shortField),
      byteField_(byteField),
      helpTopic_(helpTopic),
      restoreId_(restoreId),
      restoreValue_(restoreValue) {
  form_.resource = resource;
  form_.caption = caption;
  int row = 0;
  if (prompt && *prompt) form_.controls.push_back({100, ui::ControlKind::Static, prompt, 0, 0, row++});
  for (const auto& c : choices_)
    form_.controls.push_back({c.id, ui::ControlKind::Radio, c.text, 0, 1, row++});
  if (restoreId_)
    form_.controls.push_back({restoreId_, ui::ControlKind::Button, "Restore &Default", 0, 0, row++});
  form_.controls.push_back({ui::IDOK, ui::ControlKind::Button, "OK", 0, 0, row, 0});
  form_.controls.push_back({ui::IDCANCEL, ui::ControlKind::Button, "Cancel", 0, 0, row, 1});
  form_.controls.push_back({ui::IDHELP, ui::ControlKind::Button, "&Help", 0, 0, row, 2});
}

int RadioOptionDialog::current() const {
  return shortField_ ? settings_.*shortField_ : settings_.*byteField_;
}

void RadioOptionDialog::select(ui::FormState& state, int value) const {
  for (const auto& c : choices_) state.setChecked(c.id, c.value == value);
}

void RadioOptionDialog::open(ui::FormState& state) {
  select(state, current());
}

void RadioOptionDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  for (const auto& c : choices_) {
    if (c.id == id) {
      select(state, c.value);
      return;
    }
  }
  if (restoreId_ && id == restoreId_) {
    select(state, restoreValue_);
    return;
  }
  switch (id) {
    case ui::IDHELP:
      if (helpTopic_ < 0) {
        help_.contents();
      } else {
        help_.topic(helpTopic_);
      }
      return;
    case ui::IDCANCEL:
      state.close(0);
      return;
    case ui::IDOK:
      for (const auto& c : choices_) {
        if (state.checked(c.id)) {
          if (shortField_) settings_.*shortField_ = static_cast<std::int16_t>(c.value);
          if (byteField_) settings_.*byteField_ = static_cast<std::uint8_t>(c.value);
        }
      }
      if (Serialise_CIni(settings_, &ui)) state.close(1);
      return;
    default:
      return;
  }
}

void SetAMPMTime(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help) {
  RadioOptionDialog d(settings, help, "zykampm", "Setting up Default Options and Colors", "",
                      {{101, "&AM/PM", 1}, {102, "24 hr time (&Military time)", 0}}, nullptr, &CIni::ampm,
                      2010);
  ui.runModal(d);
}

void SetDefaultAyanamsa(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help) {
  RadioOptionDialog d(settings, help, "zykayan", "Talpora Options", "Choose default sideral calculation:",
                      {{101, "True &Ayanamsa", 1}, {102, "&Synetic Vernal Point", 2}}, &CIni::ayanamsa,
                      nullptr, -1, 103, 1);
  ui.runModal(d);
}

void SetNBColors(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help) {
  RadioOptionDialog d(settings, help, "zykmono", "Setting up Default Options and Colors", "",
                      {{101, "Co&lor Screen", 0}, {102, "&Black and White Display", 1}}, &CIni::monochrome,
                      nullptr, 2050);
  ui.runModal(d);
}

}  // namespace talpora::dialogs
