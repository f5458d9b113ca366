// zykchart, zyksave, zykhotdlg, zykdbopen: opening and saving charts, and their dialogs.
#include "store/chart_store.h"

#include <algorithm>

#include "engine/chart.h"
#include "files/zykfile.h"
#include "platform/mapped_file.h"
#include "platform/program_dir.h"
#include "store/database.h"
#include "store/database_files.h"

namespace talpora {
namespace fs = std::filesystem;

namespace {

fs::path inProgramDir(const CIni& settings, std::string_view name) {
  return findCaseInsensitive(fs::path(programDirOf(settings)), name);
}

void tell(ui::Interaction& ui, std::string text, const char* caption, ui::Icon icon = ui::Icon::Stop) {
  ui.message({std::move(text), caption, ui::Buttons::Ok, icon, std::nullopt});
}

bool writeChoiceOrTell(ui::Interaction& ui, const CIni& settings, const fs::path& db) {
  const auto w = writeChoiceFile(inProgramDir(settings, kPickedDbChoiceFile), db);
  if (!w) tell(ui, w.error, "File Error");
  return w.ok;
}

}  // namespace

ui::FileDialogSpec chartFileDialog(bool save) {
  return {save ? "Save a Chart" : "Open a Chart", "Chart Files (*.chr)|*.chr||", "*.chr", "CHR", save, save};
}

ui::FileDialogSpec databaseFileDialog() {
  return {"Chart Database", "Chart Files (*.1sb)|*.1sb||", "*.1SB", "1SB", false, false};
}

int OpenChart(ui::Interaction& ui, const CIni& settings, Chart1& chart, Chart2& computed, int source) {
  if (source != 1 && source != 2 && (source < 10 || source > 19)) return 0;
  return OpenChart(ui, settings, chart, computed, source, loadChironTable(settings, ui));
}

int OpenChart(ui::Interaction& ui, const CIni& settings, Chart1& chart, Chart2& computed, int source,
              const ChironTable& chiron) {
  Chart1 read = chart;
  if (source == 1) {
    const auto file = ui.chooseFile(chartFileDialog(false));
    if (!file || !PutInMemBlock_c1(read, *file, 0, ui)) return 0;
  } else if (source == 2) {
    const auto file = ui.chooseFile(databaseFileDialog());
    if (!file || !writeChoiceOrTell(ui, settings, *file)) return 0;
    int chosen = 0;
    OpenFrDBase(ui, settings, 0, 0, chosen, read);
    if (chosen != 1) return 0;
  } else if (source >= 10 && source <= 19) {
    if (!PutInMemBlock_c1(read, inProgramDir(settings, hotChartFileName(source - 10)), 0, ui)) return 0;
  } else {
    return 0;
  }
  chart = read;
  calculall(settings, chart, computed, chiron);
  return 1;
}

int storeChart(ui::Interaction& ui, const CIni& settings, const Chart1& chart, int mode,
               const fs::path& target) {
  const Chart1 copy = chart;
  int stored = 0;
  if (mode == 1) {
    stored = Serialise_c1(copy, target, 0, 1, &ui);
  } else if (mode >= 10 && mode <= 19) {
    stored = Storehot(0, copy, mode - 10, settings, &ui);
  } else if (mode == 2) {
    stored = checkUpIni(ui, settings, target) && addDBEntry(ui, settings, copy, -1, 1, target);
  }
  if (!stored) return 0;
  // The chart is kept; a failure to note it as the last one saved is reported but changes nothing.
  Serialise_c1(copy, inProgramDir(settings, kLastSaveFileName), 0, 1, &ui);
  return 1;
}

int SaveChart(ui::Interaction& ui, const CIni& settings, const Chart1& chart, int mode) {
  if (mode == 0 || mode == 3) {
    if (!HowDoYouWantToBeSaved(ui, mode, mode == 3, 0)) return 0;
    if (mode == 10) {
      int digit = -1;
      if (!SelectHotChart(ui, settings, 0, digit)) return 0;
      mode = 10 + digit;
    }
  }
  if (mode == 1) {
    const auto file = ui.chooseFile(chartFileDialog(true));
    if (!file) return 0;
    return storeChart(ui, settings, chart, 1, *file);
  }
  if (mode == 2) {
    const auto file = ui.chooseFile(databaseFileDialog());
    if (!file || !writeChoiceOrTell(ui, settings, *file)) return 0;
    return storeChart(ui, settings, chart, 2, *file);
  }
  if (mode >= 10 && mode <= 19) return storeChart(ui, settings, chart, mode);
  return 0;
}

// ---- "Saving a Chart" ----

SaveModeDialog::SaveModeDialog(bool withoutHot, bool withoutDatabase)
    : withoutHot_(withoutHot), withoutDatabase_(withoutDatabase) {
  form_.resource = "zyksave";
  form_.caption = "Saving a Chart";
  form_.controls = {
      {kChartFile, ui::ControlKind::Radio, "&as Chart File", 0, 1, 0, 0},
      {kHotChart, ui::ControlKind::Radio, "as Ho&t Chart", 0, 1, 1, 0},
      {kDatabase, ui::ControlKind::Radio, "in a Databa&se", 0, 1, 2, 0},
      {ui::IDOK, ui::ControlKind::Button, "OK", 0, 0, 3, 0},
      {ui::IDCANCEL, ui::ControlKind::Button, "Cancel", 0, 0, 3, 1},
  };
}

void SaveModeDialog::open(ui::FormState& state) {
  if (withoutHot_) state.remove(kHotChart);
  if (withoutDatabase_) state.remove(kDatabase);
  state.setChecked(kChartFile, true);
  state.focus(kChartFile);
}

void SaveModeDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction&) {
  if (id == ui::IDCANCEL) state.close(0);
  if (id != ui::IDOK) return;
  mode_ = 1;
  if (!state.removed(kHotChart) && state.checked(kHotChart)) mode_ = 10;
  if (!state.removed(kDatabase) && state.checked(kDatabase)) mode_ = 2;
  state.close(1);
}

int HowDoYouWantToBeSaved(ui::Interaction& ui, int& mode, int withoutHot, int withoutDatabase) {
  SaveModeDialog dialog(withoutHot != 0, withoutDatabase != 0);
  if (ui.runModal(dialog) != 1) return 0;
  mode = dialog.mode();
  return 1;
}

// ---- "Save as Hot Chart" ----

std::vector<std::string> hotChartRows(const CIni& settings) {
  std::vector<std::string> rows;
  for (int d = 0; d <= 9; ++d) {
    std::string name;
    // A slot that cannot be read is listed with an empty name: the first start creates every slot.
    if (const auto file = MappedFile::open(inProgramDir(settings, hotChartFileName(d)));
        file && file->bytes().size() >= kChartRecordSize)
      name = decodeChart1(file->bytes().substr(0, kChartRecordSize)).name;
    rows.push_back(std::to_string(d + 1) + ": " + name);
  }
  return rows;
}

HotChartDialog::HotChartDialog(const CIni& settings) : settings_(settings) {
  form_.resource = "zykhotdlg";
  form_.caption = "Save as Hot Chart";
  form_.controls = {
      {kList, ui::ControlKind::List, "", 0, 0, 0, 0},
      {kNumber + ui::kLabelOffset, ui::ControlKind::Static, "Save as Hot Chart no.", 0, 0, 1, 0},
      {kNumber, ui::ControlKind::Edit, "", 2, 0, 1, 1},
      {ui::IDOK, ui::ControlKind::Button, "OK", 0, 0, 2, 0},
      {ui::IDCANCEL, ui::ControlKind::Button, "Cancel", 0, 0, 2, 1},
  };
}

void HotChartDialog::open(ui::FormState& state) {
  std::vector<ui::FormState::Item> items;
  int n = 1;
  for (auto& row : hotChartRows(settings_)) items.push_back({std::move(row), n++});
  state.setItems(kList, std::move(items));
  state.focus(kNumber);
}

void HotChartDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == kList) {
    const int sel = state.selection(kList);
    if (sel >= 0) state.setText(kNumber, std::to_string(state.itemData(kList, sel)));
    return;
  }
  if (id == ui::IDCANCEL) state.close(0);
  if (id != ui::IDOK) return;
  const std::string text = state.text(kNumber);
  int number = 0;
  const bool digits = !text.empty() && text.size() <= 2 &&
                      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (digits) number = std::stoi(text);
  if (number < 1 || number > 10) {
    ui.message(
        {"Hot chart numbers range from 1 to 10", "Error", ui::Buttons::Ok, ui::Icon::Warning, std::nullopt});
    state.setText(kNumber, "");
    state.focus(kNumber);
    return;
  }
  digit_ = number - 1;
  state.close(1);
}

void HotChartDialog::doubleClicked(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id != kList) return;
  command(kList, state, ui);
  command(ui::IDOK, state, ui);
}

int SelectHotChart(ui::Interaction& ui, const CIni& settings, int, int& digit) {
  HotChartDialog dialog(settings);
  if (ui.runModal(dialog) != 1) return 0;
  digit = dialog.digit();
  return 1;
}

// ---- "Open a Chart From a Database" ----

OpenFromDatabaseDialog::OpenFromDatabaseDialog(fs::path dbSettingsFile, Chart1& chart)
    : db_(std::move(dbSettingsFile)), chart_(chart) {
  form_.resource = "zykdbopen";
  form_.caption = "Open a Chart From a Database";
  form_.controls = {
      {kList, ui::ControlKind::List, "", 0, 0, 0, 0},
      {ui::IDOK, ui::ControlKind::Button, "OK", 0, 0, 1, 0},
      {ui::IDCANCEL, ui::ControlKind::Button, "Cancel", 0, 0, 1, 1},
  };
}

void OpenFromDatabaseDialog::open(ui::FormState& state) {
  std::vector<ui::FormState::Item> items;
  if (const auto records = MappedFile::open(databasePaths(db_).records))
    for (auto& e : liveEntries(records->bytes()))
      items.push_back({std::move(e.name), static_cast<int>(e.entry)});
  std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.text < b.text; });
  const bool any = !items.empty();
  state.setItems(kList, std::move(items));
  if (any) state.setSelection(kList, 0);
  state.focus(kList);
}

void OpenFromDatabaseDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == ui::IDCANCEL) state.close(0);
  if (id != ui::IDOK) return;
  const int sel = state.selection(kList);
  if (sel < 0) return;
  const auto entry = static_cast<std::size_t>(state.itemData(kList, sel));
  const auto records = MappedFile::open(databasePaths(db_).records);
  if (!records || records->bytes().size() < (entry + 1) * kChartRecordSize) {
    tell(ui, "Database File can't be found", "Message from zykdbopen");
    return;
  }
  chart_ = decodeChart1(records->bytes().substr(entry * kChartRecordSize, kChartRecordSize));
  state.close(1);
}

void OpenFromDatabaseDialog::doubleClicked(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == kList) command(ui::IDOK, state, ui);
}

void OpenFrDBase(ui::Interaction& ui, const CIni& settings, int, int, int& result, Chart1& chart) {
  result = 0;
  const fs::path choice = inProgramDir(settings, kPickedDbChoiceFile);
  const auto db = readChoiceFile(choice);
  if (!db) {
    tell(ui, "File " + choice.string() + " cannot be opened.", "File Error");
    return;
  }
  const DatabasePaths paths = databasePaths(*db);
  if (inspectDatabase(paths).problem == DbProblem::FirstVersion) {
    if (ui.message(
            {"This database was created with Talpora 1.0. If you have a backup and wish to convert it, press "
             "OK. Otherwise, press Cancel and come back after doing a back up of the 2 files: \n " +
                 paths.settings.string() + " and " + paths.records.string() + ".",
             "Conversion Warning", ui::Buttons::OkCancel, ui::Icon::Stop, std::nullopt}) != ui::Answer::Ok)
      return;
    if (!runCleaner(ui, settings, *db, nullptr, false)) return;
  }
  OpenFromDatabaseDialog dialog(*db, chart);
  result = ui.runModal(dialog) == 1 ? 1 : 0;
}

}  // namespace talpora
