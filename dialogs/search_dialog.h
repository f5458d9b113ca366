// zyksearch: "Search Parameters": pick an object, a house, a sign, an aspect, or enter an angle.
#pragma once
#include <vector>

#include "platform/ui.h"

namespace talpora::dialogs {

class SearchDialog final : public ui::DialogModel {
 public:
  enum : ui::ControlId { kPrompt = 100, kList = 101, kDegrees = 102, kMinutes = 103 };
  SearchDialog(int kind, int withDegrees, int count, int exclude, int filter);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  void doubleClicked(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  double value = 0;
  int result = 0;

  // The entries offered: text and position in the full table (99 for "All ...").
  const std::vector<ui::FormState::Item>& entries() const { return entries_; }

 private:
  void accept(ui::FormState&, ui::Interaction&);
  int family() const { return kind_ / 100; }
  int kind_, withDegrees_, count_, exclude_, filter_;
  std::vector<ui::FormState::Item> entries_;
  std::string prompt_;
  ui::FormSpec form_;
};

// Shows the dialog; the choice as a number through `value`, and 1 (OK or a double click) or 0.
double search_data(ui::Interaction& ui, int kind, double* value, int withDegrees, int count, int exclude,
                   int filter, int* result);

}  // namespace talpora::dialogs
