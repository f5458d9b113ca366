// zykndlg: the number entry dialog.
#include "listing/number_dialog.h"

#include <string>

#include "dialogs/dialog_helpers.h"

namespace talpora {
namespace {
struct Kind {
  int kind;
  const char* prompt;
  unsigned low, high;  // accepted range (0, 0: any)
  const char* refusal;
  int offset;  // subtracted from the number returned
};
constexpr Kind kKinds[] = {
    {0, "Enter the number:", 0, 0, nullptr, 0},
    {7, "Enter the page number:", 0, 0, nullptr, 0},
    {9, "Enter the Hot Chart number (1 to 10):", 1, 10, "Hot chart numbers range from 1 to 10", 1},
    {17, "At least how many planets?", 1, 10, "The number must range between 1 and 10", 0},
    {2800, "Enter the SLP number (1 to 28)", 1, 28, "Soli-Lunar Periods range between 1 and 28", 0},
    {3000, "Enter the country code", 0, 0, nullptr, 0},
};
const Kind& kindOf(int kind) {
  for (const auto& k : kKinds)
    if (k.kind == kind) return k;
  return kKinds[0];
}
}  // namespace

NumberDialog::NumberDialog(int kind) : kind_(kind) {
  form_.resource = "N_DATA";
  form_.caption = "";
  form_.controls = {
      {kPrompt, ui::ControlKind::Static, kindOf(kind).prompt},
      {kNumber, ui::ControlKind::Edit, "", 10},
      {ui::IDOK, ui::ControlKind::Button, "OK"},
      {ui::IDCANCEL, ui::ControlKind::Button, "Cancel"},
  };
  form_.controls[0].buddy = kNumber;
}

void NumberDialog::open(ui::FormState& state) {
  state.setText(kPrompt, kindOf(kind_).prompt);
  state.focus(kNumber);
}

void NumberDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == ui::IDCANCEL) {
    confirmed = 0;
    state.close(0);
    return;
  }
  if (id != ui::IDOK) return;
  const Kind& k = kindOf(kind_);
  const unsigned typed = dialogs::readUnsigned(state.text(kNumber));
  if (k.refusal && (typed < k.low || typed > k.high)) {
    dialogs::refuse(ui, state, kNumber, k.refusal, "");
    return;
  }
  number = static_cast<int>(typed) - k.offset;
  confirmed = 1;
  state.close(1);
}

void n_data(ui::Interaction& ui, int kind, int, int, int* number, int* confirmed) {
  NumberDialog dialog(kind);
  ui.runModal(dialog);
  *number = dialog.number;
  *confirmed = dialog.confirmed;
}

}  // namespace talpora
