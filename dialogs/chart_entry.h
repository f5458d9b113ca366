// zykentry: "Data Entry for a New Chart", everything a chart record holds typed in one dialog, checked
// in a fixed order, with an atlas search and an immediate save.
#pragma once
#include "dialogs/entry_common.h"

namespace talpora::dialogs {

// Modes: 0 a new chart; 33 the moment of transits (no place boxes, no Save); 51 and 52 the two charts
// of a synastry; 2001 editing the chart handed in; 2031 the same without Save.
class ChartEntryDialog final : public EntryDialogBase {
 public:
  ChartEntryDialog(const CIni& settings, const Chart1& chart, int mode, EntryServices services);
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  bool validate(ui::FormState&, ui::Interaction&) override;
  void atlasSearch(ui::FormState&, ui::Interaction&) override;

 private:
  int helpTopic() const override { return mode_ == 33 ? 78 : 77; }
  bool ampm() const { return settings_.ampm == 1; }
  bool hasCoordinates() const { return mode_ != 33; }
  // The AM/PM choice, the date, the hour and the minutes (OK's first steps); false: refused.
  bool readDateAndTime(ui::FormState&, ui::Interaction&, Chart1& out);
  void fillFrom(ui::FormState&, const Chart1&);
};

// Shows the dialog over `chart`; 1 (and `chart` holds the data) when the user confirmed valid data,
// 0 when cancelled. `result`, when given, receives the same.
int data(ui::Interaction& ui, const CIni& settings, Chart1& chart, int mode, int* result,
         const EntryServices& services);

}  // namespace talpora::dialogs
