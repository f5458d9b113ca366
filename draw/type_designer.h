// zykdtype, zykcust: designing, modifying and deleting the user's drawing types. The designer ("box4")
// edits every parameter of a type, checks it, and saves it into the custom file; the small question
// dialog asks whether to modify, add or delete a type.
#pragma once
#include <optional>
#include <string>

#include "core/records.h"
#include "draw/drawing_type.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

// The designer. Actions: 1 design a new type from "Custom A (Favourite)", 11 from the fixed template
// (entry 5 of "ZYKCFIX.DTF"), 2 modify entry (file, index).
class DrawingTypeDesigner : public ui::DialogModel {
 public:
  enum : ui::ControlId {
    kTitle = 101,
    kStyle = 102,
    kHouseSystem = 103,
    kRing1 = 104,  // .. 107 for the 4th ring
    kProjection = 108,
    kLine0 = 110,  // .. 118: conjunction .. quintile
    kFixedAries = 120,
    kShowFortune = 121,
    kShowBlackMoon = 122,
    kShowChiron = 123,
    kAspectNodes = 124,
    kAspectAngles = 125,
    kAspectFortune = 126,
    kAspectBlackMoon = 127,
    kAspectChiron = 128,
    kDataBlock = 129,
    kHouseLabels = 130,
    kCuspDegrees = 131,
    kPlanetDegrees = 132,
    kAspectGlyphs = 133,
    kEarth = 134,
    kColourSource = 140,
    kFixedCount = 141,
    kCustomCount = 142,
    kModel = 150,
    kColours = 151,
    kBox1130 = 1130,
  };
  DrawingTypeDesigner(const CIni& settings, int action, int file, int index, sys::ProcessLauncher& launcher,
                      sys::HelpViewer* help = nullptr);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  // Where the type was saved (file 2 and its index) after OK.
  int file() const { return file_; }
  int index() const { return index_; }

  // The type shown by the dialog (the record it started from, with the boxes' values).
  ChPar edited(const ui::FormState&) const;

 private:
  void show(const ChPar&, ui::FormState&) const;
  // The checks of OK (saving) or of the colour button; false with the message shown and the dialog kept.
  bool validate(ui::FormState&, ui::Interaction&, bool saving);
  ChCol colourSetToSave(const ui::FormState&) const;
  void save(ui::FormState&, ui::Interaction&);
  void customizeColours(ui::FormState&, ui::Interaction&);

  const CIni& settings_;
  int action_, file_, index_;
  sys::ProcessLauncher& launcher_;
  sys::HelpViewer* help_;
  ui::FormSpec form_;
  ChPar base_;  // the record the dialog started from (its stored-only fields are kept)
  std::string originalTitle_;
};

// Runs the designer; 1 when a type was saved (file and index of it), 0 otherwise.
int CustomizeDrawingType(ui::Interaction& ui, const CIni& settings, int action, int* file, int* index,
                         sys::ProcessLauncher& launcher, sys::HelpViewer* help = nullptr);

// "Customizing a Chart Drawing": modify (2, preselected), add (1) or delete (13); 0 on Cancel.
class AddModifDelChartDialog : public ui::DialogModel {
 public:
  static constexpr ui::ControlId kModify = 101, kAdd = 102, kDelete = 103, kFixed = 104;
  AddModifDelChartDialog();
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;

 private:
  ui::FormSpec form_;
};
int AddModifDelChart(ui::Interaction& ui);

// The whole customisation the menus offer: the question, then the list and the designer (or the
// deletion). 1 when something was saved or deleted.
int CustomizeChartDrawings(ui::Interaction& ui, const CIni& settings, sys::ProcessLauncher& launcher,
                           sys::HelpViewer* help = nullptr);

// "DATA88.DTF" as the designer and the colour program use it: 1 when the colour set of "DATA9.DTF"
// was edited and is to be kept.
bool writeColourEditedFlag(const CIni& settings, int value);
std::optional<int> readColourEditedFlag(const CIni& settings);

}  // namespace talpora
