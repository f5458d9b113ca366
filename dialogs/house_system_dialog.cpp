// zykhsys: the default house system dialog: systems 1 to 10 (Albatagenius is not offered).
#include "dialogs/house_system_dialog.h"

#include "files/zykfile.h"
#include "format/text_format.h"

namespace talpora::dialogs {

HouseSystemDialog::HouseSystemDialog(CIni& settings, sys::HelpViewer& help)
    : settings_(settings), help_(help) {
  form_.resource = "zykhsys";
  form_.caption = "Setting up Default House System";
  form_.controls = {
      {kList, ui::ControlKind::List, "", 0, 0, 0, 0},
      {kRestore, ui::ControlKind::Button, "&Restore", 0, 0, 1, 0},
      {ui::IDOK, ui::ControlKind::Button, "OK", 0, 0, 1, 1},
      {ui::IDCANCEL, ui::ControlKind::Button, "Cancel", 0, 0, 1, 2},
      {ui::IDHELP, ui::ControlKind::Button, "&Help", 0, 0, 1, 3},
  };
}

void HouseSystemDialog::open(ui::FormState& state) {
  std::vector<ui::FormState::Item> items;
  for (int s = 1; s <= 10; ++s) items.push_back({HouseSystemName(s), s});
  state.setItems(kList, std::move(items));
  const int current = settings_.houseSystem;
  state.setSelection(kList, current >= 1 && current <= 10 ? current - 1 : 0);
  state.focus(kList);
}

void HouseSystemDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  switch (id) {
    case kRestore:
      state.setSelection(kList, 0);  // Placidus
      return;
    case ui::IDHELP:
      help_.topic(2000);
      return;
    case ui::IDCANCEL:
      state.close(0);
      return;
    case ui::IDOK: {
      const int system = state.itemData(kList, state.selection(kList));
      if (system < 1) return;
      settings_.houseSystem = static_cast<std::int16_t>(system);
      if (Serialise_CIni(settings_, &ui)) state.close(1);
      return;
    }
    default:
      return;
  }
}

void HouseSystemDialog::doubleClicked(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == kList) command(ui::IDOK, state, ui);
}

int SetDefaultHouseSystem(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help) {
  HouseSystemDialog dialog(settings, help);
  return ui.runModal(dialog) == 1 ? 1 : 0;
}

}  // namespace talpora::dialogs
