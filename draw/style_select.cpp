// zykstyle: the selection list, the checks before a drawing and the hand-over to the drawing program.
#include "draw/style_select.h"

#include <cmath>

#include "draw/wheel_geometry.h"
#include "platform/atomic_file.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"

namespace talpora {
namespace fs = std::filesystem;

namespace {

constexpr const char* kImpossible = "Impossible Request";

fs::path programDirectory(const CIni& settings) {
  return fs::path(programDirOf(settings));
}

void seriousFileError(ui::Interaction& ui, const fs::path& file) {
  ui.message(
      {"File " + file.string() +
           " could not be found. First exit Windows and reboot your computer.If the error persists, then "
           "if you had a backup of this file, copy it into the directory of Talpora. Otherwise, you may "
           "have to reinstall Talpora from your setup disks.",
       "Serious File Error in zykstyle.dll",
       ui::Buttons::Ok,
       ui::Icon::Stop,
       {}});
}

}  // namespace

fs::path programDataFile(const CIni& settings, const char* name) {
  return findCaseInsensitive(programDirectory(settings), name);
}

fs::path drawingTypeFile(const CIni& settings, int file) {
  return programDataFile(settings, file == kFixedFile ? kFixedTypesFile : kCustomTypesFile);
}

std::string lastDrawingTypeTitle(const CIni& settings) {
  const auto bytes = readFileRange(programDataFile(settings, kLastTypeFile), 0, 30);
  if (!bytes) return "";
  char title[30] = {};
  for (std::size_t i = 0; i < bytes->size() && i < 30; ++i) title[i] = (*bytes)[i];
  return fieldText(title);
}

bool writeLastDrawingTypeTitle(const CIni& settings, const std::string& title) {
  char field[30] = {};
  setField(field, title);
  return replaceFileAtomically(programDataFile(settings, kLastTypeFile), std::string(field, sizeof field)).ok;
}

std::vector<std::string> allDrawingTypeTitles(const CIni& settings) {
  std::vector<std::string> out;
  for (int f : {kFixedFile, kCustomFile})
    for (const auto& t : readDrawingTypes(drawingTypeFile(settings, f))) out.push_back(titleOf(t.par));
  return out;
}

std::optional<DrawingType> loadDrawingType(const CIni& settings, int file, int index, ui::Interaction* ui) {
  const fs::path path = drawingTypeFile(settings, file);
  const auto offset = static_cast<std::int64_t>(index) * static_cast<std::int64_t>(kDrawingTypeEntrySize);
  const auto bytes = index >= 0
                         ? readFileRange(path, static_cast<std::uint64_t>(offset), kDrawingTypeEntrySize)
                         : std::nullopt;
  if (!bytes || bytes->size() < kDrawingTypeEntrySize) {
    if (ui)
      ui->message({"File " + path.string() + " cannot be opened.",
                   "Error Message from zykstyle.dll",
                   ui::Buttons::Ok,
                   ui::Icon::Stop,
                   {}});
    return std::nullopt;
  }
  DrawingType t{decodeChPar(std::string_view(*bytes).substr(0, kChParFileSize)),
                decodeChCol(std::string_view(*bytes).substr(kChParFileSize))};
  if (settings.monochrome != 0) {
    const fs::path mono = programDataFile(settings, kMonochromeColoursFile);
    const auto m = readFileRange(mono, 0, kChColSize);
    if (m && m->size() == kChColSize) {
      t.colours = decodeChCol(*m);
    } else if (ui) {
      ui->message({"File " + mono.string() + " cannot be opened.",
                   "Error Message from zykstyle.dll",
                   ui::Buttons::Ok,
                   ui::Icon::Stop,
                   {}});
    }
  }
  return t;
}

DrawingCheck checkDrawingType(const ChPar& type, const CIni& settings, const Chart1& chart,
                              const Chart2& computed) {
  DrawingCheck out;
  const bool houses = AreThereHouses(chart) != 0;
  const int system = type.typeOrigin < 700 ? settings.houseSystem : type.houseSystem;
  const bool typeHasHouses = type.houseSystem != 0 && !isHeptagramStyle(type.style);
  if (houses && typeHasHouses && std::fabs(chart.latitude) > 66.0 && system == 1) out.placidusQuestion = true;
  if (houses && typeHasHouses && IsDirectedChart(chart) && system != computed.houseSystem) {
    out.refusal =
        "Progressed charts can only be drawn in the house system for which they have been calculated.";
    return out;
  }
  if (type.style == style::kStandard3) {
    if (chart.longitude == 0 && chart.latitude == 0) {
      out.refusal =
          "This chart was entered with longitude=0 and latitude=0, which Talpora interprets as you not "
          "wanting "
          "houses. Standard type 3 cannot be drawn without houses.";
    } else if (!chart.timeKnown) {
      out.refusal =
          "When entering this chart the 'unknown time' box was checked. When the time is unknown, houses are "
          "meaningless. Standard type 3 cannot be drawn without houses.";
    } else if (chart.chartType == chart_type::kSymbolicDirections ||
               chart.chartType == chart_type::kSynastryComposite) {
      out.refusal = "Standard type 3 cannot be drawn without houses.";
    }
    if (out.refusal) return out;
  }
  if (isHeptagramStyle(type.style) && chart.doubleChart)
    out.refusal = "Heptagrams cannot be drawn for double charts, such as transits or synastry.";
  return out;
}

int PlayDrawingType(const TransferBlock& transfer, const CIni& settings, const Chart1& chart,
                    const Chart2& computed, int file, int index, ui::Interaction& ui,
                    sys::ProcessLauncher& launcher) {
  const auto type = loadDrawingType(settings, file, index, &ui);
  if (!type) return 0;
  const DrawingCheck check = checkDrawingType(type->par, settings, chart, computed);
  if (check.placidusQuestion) {
    const auto answer = ui.message(
        {kPlacidusQuestion, "Message from Talpora", ui::Buttons::YesNo, ui::Icon::Question, ui::Answer::No});
    if (answer != ui::Answer::Yes) return 0;
  }
  if (check.refusal) {
    ui.message({*check.refusal, kImpossible, ui::Buttons::Ok, ui::Icon::Stop, {}});
    return 0;
  }
  const auto written =
      replaceFileAtomically(programDataFile(settings, kData9File), encodeData9(type->par, type->colours));
  if (!written.ok) {
    ui.message({written.error, "Error Message from zykstyle.dll", ui::Buttons::Ok, ui::Icon::Stop, {}});
    return 0;
  }
  if (!launcher.start(sys::Program::Draw, std::to_string(transfer.chartA) + ",")) {
    ui.message({"The drawing program (zykdraw) could not be started. The drawing type was written to " +
                    programDataFile(settings, kData9File).string() + ".",
                kImpossible,
                ui::Buttons::Ok,
                ui::Icon::Stop,
                {}});
    return 0;
  }
  return 1;
}

bool deleteCustomDrawingType(const CIni& settings, int index, std::string* error) {
  const fs::path path = drawingTypeFile(settings, kCustomFile);
  auto types = readDrawingTypes(path);
  if (index < 3 || index >= static_cast<int>(types.size())) {
    if (error) *error = "no custom drawing type " + std::to_string(index) + " that may be deleted";
    return false;
  }
  types.erase(types.begin() + index);
  return writeDrawingTypes(path, types, error);
}

SelectDrawingTypeDialog::SelectDrawingTypeDialog(const CIni& settings, int mode, int filter,
                                                 sys::HelpViewer* help)
    : settings_(settings), mode_(mode), filter_(filter), help_(help) {
  form_.resource = "zykstyle";
  form_.caption = "Select a Drawing Type";
  form_.controls = {
      {kNote, ui::ControlKind::Static, "", 0, 0, 0},
      {kList, ui::ControlKind::List, "", 0, 0, 1},
      {ui::IDOK, ui::ControlKind::Button, "OK", 0, 0, 2, 0},
      {ui::IDCANCEL, ui::ControlKind::Button, "Cancel", 0, 0, 2, 1},
  };
  if (help_) form_.controls.push_back({ui::IDHELP, ui::ControlKind::Button, "&Help", 0, 0, 2, 2});
}

void SelectDrawingTypeDialog::open(ui::FormState& state) {
  if (mode_ == 2) state.setCaption("Select Drawing Type to be Modified");
  if (mode_ == 13) state.setCaption("Select Drawing Type to be Deleted");
  if (mode_ == 4) state.setCaption("Select Drawing Type as a Model");
  state.setText(kNote,
                (mode_ == 2 || mode_ == 13)
                    ? "Fixed Drawing Types (*) cannot be deleted or modified, and so are not listed here."
                    : "Fixed Drawing Types (*) cannot be deleted or modified. Custom A, B and C can be "
                      "modified but not deleted.");
  std::vector<ui::FormState::Item> items;
  const bool withFixed = mode_ != 2 && mode_ != 13;
  if (withFixed) {
    const auto fixed = readDrawingTypes(drawingTypeFile(settings_, kFixedFile));
    for (std::size_t i = 0; i < fixed.size(); ++i) {
      if (filter_ == 1 && i < 12) continue;
      items.push_back({titleOf(fixed[i].par), kFixedFile * 10000 + static_cast<int>(i)});
    }
  }
  const auto custom = readDrawingTypes(drawingTypeFile(settings_, kCustomFile));
  for (std::size_t i = 0; i < custom.size(); ++i) {
    if ((mode_ == 13 || filter_ == 1) && i < 3) continue;
    items.push_back({titleOf(custom[i].par), kCustomFile * 10000 + static_cast<int>(i)});
  }
  const std::string last = lastDrawingTypeTitle(settings_);
  int selected = items.empty() ? -1 : 0;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].text == last) selected = static_cast<int>(i);
  state.setItems(kList, items);
  state.setSelection(kList, selected);
  state.focus(kList);
}

void SelectDrawingTypeDialog::choose(ui::FormState& state, ui::Interaction& ui) {
  const int sel = state.selection(kList);
  const auto& items = state.items(kList);
  if (sel < 0 || sel >= static_cast<int>(items.size())) return;
  const std::string title = items[static_cast<std::size_t>(sel)].text;
  // The first entry of that title, fixed file first.
  file_ = 0;
  index_ = -1;
  for (int f : {kFixedFile, kCustomFile}) {
    const auto types = readDrawingTypes(drawingTypeFile(settings_, f));
    for (std::size_t i = 0; i < types.size() && file_ == 0; ++i) {
      if (titleOf(types[i].par) == title) {
        file_ = f;
        index_ = static_cast<int>(i);
      }
    }
    if (file_ != 0) break;
  }
  if (file_ == 0) {
    ui.message({"Zykstyle failed to select a drawing type file.",
                "File Error",
                ui::Buttons::Ok,
                ui::Icon::Stop,
                {}});
    state.close(0);
    return;
  }
  if (mode_ != 4 && mode_ != 13) writeLastDrawingTypeTitle(settings_, title);
  if (mode_ == 13) {
    const auto answer =
        ui.message({"Are you sure you want to delete file '" + title + "'?", "Confirm File Delete",
                    ui::Buttons::YesNo, ui::Icon::Question, ui::Answer::No});
    if (answer != ui::Answer::Yes) {
      state.close(0);
      return;
    }
    std::string error;
    if (file_ != kCustomFile || !deleteCustomDrawingType(settings_, index_, &error)) {
      ui.message({error.empty() ? "Fixed drawing types cannot be deleted." : error,
                  "Error Message from zykstyle.dll",
                  ui::Buttons::Ok,
                  ui::Icon::Stop,
                  {}});
      state.close(0);
      return;
    }
  }
  state.close(1);
}

void SelectDrawingTypeDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  switch (id) {
    case ui::IDOK:
      choose(state, ui);
      return;
    case ui::IDCANCEL:
      state.close(0);
      return;
    case ui::IDHELP:
      if (help_) help_->contents();
      return;
    default:
      return;
  }
}

void SelectDrawingTypeDialog::doubleClicked(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == kList) choose(state, ui);
}

int SelectDrawingType(ui::Interaction& ui, const CIni& settings, int* file, int* index, int mode, int filter,
                      sys::HelpViewer* help) {
  for (int f : {kFixedFile, kCustomFile}) {
    const fs::path path = drawingTypeFile(settings, f);
    if (!fs::exists(path)) {
      seriousFileError(ui, path);
      return 0;
    }
  }
  SelectDrawingTypeDialog dialog(settings, mode, filter, help);
  if (ui.runModal(dialog) != 1) return 0;
  if (file) *file = dialog.file();
  if (index) *index = dialog.index();
  return 1;
}

}  // namespace talpora
