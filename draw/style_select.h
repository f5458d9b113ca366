// zykstyle: choosing a drawing type (the selection list, its deletion mode) and starting a drawing with
// it (PlayDrawingType: the checks of the chart against the type, "DATA9.DTF", the drawing program).
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/records.h"
#include "draw/drawing_type.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

inline constexpr int kFixedFile = 1;
inline constexpr int kCustomFile = 2;

// The drawing-type files of the settings' program directory.
std::filesystem::path drawingTypeFile(const CIni& settings, int file);
std::filesystem::path programDataFile(const CIni& settings, const char* name);

// "zykstyle.dtf": the 30-byte title of the last type chosen ("" when missing).
std::string lastDrawingTypeTitle(const CIni& settings);
bool writeLastDrawingTypeTitle(const CIni& settings, const std::string& title);

// The type and colour set a drawing uses: entry `index` of the file, with the monochrome colour set
// ("ZYKNBCOL.DTF") when the settings ask for black and white. nullopt when the entry cannot be read
// (reported through `ui` when given).
std::optional<DrawingType> loadDrawingType(const CIni& settings, int file, int index, ui::Interaction* ui);

// The checks of a chart against a drawing type before it is drawn. `placidusQuestion`: the chart lies
// beyond 66 degrees of latitude and the type draws Placidus houses (the user is asked whether to go on).
// `refusal`: the text of the "Impossible Request" box, when the chart cannot be drawn so.
struct DrawingCheck {
  bool placidusQuestion = false;
  std::optional<std::string> refusal;
};
DrawingCheck checkDrawingType(const ChPar& type, const CIni& settings, const Chart1& chart,
                              const Chart2& computed);
inline constexpr const char* kPlacidusQuestion =
    "By pressing Yes, you may continue if you wish, but the Placidus system makes absolutely no sense for "
    "latitudes greater than 66 degrees. The wise choice would be to use Campanus instead.";

// Checks the chart (a double chart when `chart.doubleChart` is set) against entry `index` of `file`,
// writes "DATA9.DTF" and starts the drawing program with the transfer block's command tail. 1 when
// started; 0 refused, cancelled or failed (each with its message).
int PlayDrawingType(const TransferBlock& transfer, const CIni& settings, const Chart1& chart,
                    const Chart2& computed, int file, int index, ui::Interaction& ui,
                    sys::ProcessLauncher& launcher);

// The selection list. Modes: 2 choose a type to modify, 13 to delete, 4 to use as a model, others to
// draw with; filter 1 offers fixed entries from 12 on and custom entries from 3 on.
class SelectDrawingTypeDialog : public ui::DialogModel {
 public:
  static constexpr ui::ControlId kNote = 101, kList = 102;
  SelectDrawingTypeDialog(const CIni& settings, int mode, int filter, sys::HelpViewer* help = nullptr);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  void doubleClicked(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  int file() const { return file_; }
  int index() const { return index_; }

 private:
  void choose(ui::FormState&, ui::Interaction&);
  const CIni& settings_;
  int mode_, filter_;
  sys::HelpViewer* help_;
  ui::FormSpec form_;
  int file_ = 0, index_ = -1;
};

// Runs the selection list; 1 with the file (1 fixed, 2 custom) and index chosen, 0 on Cancel.
int SelectDrawingType(ui::Interaction& ui, const CIni& settings, int* file, int* index, int mode, int filter,
                      sys::HelpViewer* help = nullptr);

// Removes entry `index` of the custom file in one atomic replacement (entries 0 to 2 are kept).
bool deleteCustomDrawingType(const CIni& settings, int index, std::string* error = nullptr);

// Every title of both files, fixed first (as the lists show them).
std::vector<std::string> allDrawingTypeTitles(const CIni& settings);

}  // namespace talpora
