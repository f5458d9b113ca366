// zykchart, zyksave, zykhotdlg, zykdbopen: opening and saving charts as chart files, hot charts and
// database entries, the dialogs that ask how and where, and the open-from-database dialog.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "core/records.h"
#include "engine/positions.h"
#include "platform/ui.h"

namespace talpora {

// File dialogs of chart files and database settings files.
ui::FileDialogSpec chartFileDialog(bool save);
ui::FileDialogSpec databaseFileDialog();

// Source 1 chart file, 2 database entry, 10..19 hot chart (file digit source - 10); any other 0.
// 1 when a chart was read and computed into `computed`.
int OpenChart(ui::Interaction& ui, const CIni& settings, Chart1& chart, Chart2& computed, int source);
int OpenChart(ui::Interaction& ui, const CIni& settings, Chart1& chart, Chart2& computed, int source,
              const ChironTable& chiron);

// Mode 0 asks (all three ways), 3 asks without the hot chart, 1 chart file, 2 database, 10..19 hot
// chart mode - 10. 1 stored (and "LASTSAVE.DTF" rewritten); 0 cancelled or refused.
int SaveChart(ui::Interaction& ui, const CIni& settings, const Chart1& chart, int mode);
// Stores without asking: mode 1 into the chart file `target`, 2 into the database whose settings
// file is `target`, 10..19 as a hot chart; then "LASTSAVE.DTF". 1 stored.
int storeChart(ui::Interaction& ui, const CIni& settings, const Chart1& chart, int mode,
               const std::filesystem::path& target = {});

// "Saving a Chart": 1 on OK with the mode (1, 10 or 2) in `mode`.
class SaveModeDialog : public ui::DialogModel {
 public:
  static constexpr ui::ControlId kChartFile = 1001, kHotChart = 1002, kDatabase = 1003;
  SaveModeDialog(bool withoutHot, bool withoutDatabase);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  int mode() const { return mode_; }

 private:
  ui::FormSpec form_;
  bool withoutHot_, withoutDatabase_;
  int mode_ = 1;
};
int HowDoYouWantToBeSaved(ui::Interaction& ui, int& mode, int withoutHot, int withoutDatabase);

// "Save as Hot Chart": 1 on OK with the file digit 0..9.
class HotChartDialog : public ui::DialogModel {
 public:
  static constexpr ui::ControlId kList = 1001, kNumber = 1002;
  explicit HotChartDialog(const CIni& settings);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  void doubleClicked(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  int digit() const { return digit_; }

 private:
  ui::FormSpec form_;
  const CIni& settings_;
  int digit_ = -1;
};
int SelectHotChart(ui::Interaction& ui, const CIni& settings, int, int& digit);
// The rows the hot-chart list shows: "%d: " + name, an unreadable slot with an empty name.
std::vector<std::string> hotChartRows(const CIni& settings);

// "Open a Chart From a Database": the live entries' names sorted, each with its entry number.
class OpenFromDatabaseDialog : public ui::DialogModel {
 public:
  static constexpr ui::ControlId kList = 1001;
  OpenFromDatabaseDialog(std::filesystem::path dbSettingsFile, Chart1& chart);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  void doubleClicked(ui::ControlId, ui::FormState&, ui::Interaction&) override;

 private:
  ui::FormSpec form_;
  std::filesystem::path db_;
  Chart1& chart_;
};
// Opens the database named in "zykdbfc.dtf" (converting a first-version one when the user agrees)
// and lets the user pick an entry into `chart`; result 1 when chosen.
void OpenFrDBase(ui::Interaction& ui, const CIni& settings, int, int, int& result, Chart1& chart);

}  // namespace talpora
