// zykndlg: the number entry dialog "N_DATA": a prompt and one box for an unsigned whole number.
#pragma once
#include "platform/ui.h"

namespace talpora {

class NumberDialog final : public ui::DialogModel {
 public:
  enum : ui::ControlId { kPrompt = 100, kNumber = 101 };
  explicit NumberDialog(int kind);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  int number = 0;
  int confirmed = 0;

 private:
  int kind_;
  ui::FormSpec form_;
};

// Kinds: 0 any number, 7 a page number, 9 a hot chart 1..10 (returned minus one), 17 at least how
// many planets (1..10), 2800 a soli-lunar period (1..28), 3000 a country code.
void n_data(ui::Interaction& ui, int kind, int ignored1, int ignored2, int* number, int* confirmed);

}  // namespace talpora
