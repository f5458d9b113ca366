// zykdtype, zykcust: the drawing-type designer and the customisation question.
#include "draw/type_designer.h"

#include <algorithm>
#include <cstdio>

#include "draw/style_select.h"
#include "draw/wheel_geometry.h"
#include "format/text_format.h"
#include "platform/atomic_file.h"
#include "platform/byte_io.h"

namespace talpora {
namespace {

constexpr const char* kImpossible = "Impossible Request";
const char* const kProjectionNames[4] = {"None", "As is (South. Hem. view)", "Heliocentric Chart",
                                         "Right Ascension Chart"};
const char* const kLineNames[6] = {"None", "______", "_ _ _", "......", "_._._.", "_.._.."};
const char* const kAspectLabels[9] = {"Conjunction", "Opposition", "Trine",        "Square",  "Sextile",
                                      "Inconjunct",  "Biquintile", "Sesquisquare", "Quintile"};

int selectedData(const ui::FormState& s, ui::ControlId id, int fallback) {
  const int sel = s.selection(id);
  if (sel < 0 || sel >= static_cast<int>(s.items(id).size())) return fallback;
  return s.itemData(id, sel);
}

void selectData(ui::FormState& s, ui::ControlId id, int data) {
  const auto& items = s.items(id);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].data == data) {
      s.setSelection(id, static_cast<int>(i));
      return;
    }
  }
  s.setSelection(id, items.empty() ? -1 : 0);
}

std::optional<DrawingType> findByTitle(const CIni& settings, const std::string& title) {
  for (int f : {kFixedFile, kCustomFile})
    for (const auto& t : readDrawingTypes(drawingTypeFile(settings, f)))
      if (titleOf(t.par) == title) return t;
  return std::nullopt;
}

void refuse(ui::Interaction& ui, ui::FormState& state, ui::ControlId focus, const std::string& text,
            const std::string& caption) {
  ui.message({text, caption, ui::Buttons::Ok, ui::Icon::Stop, {}});
  state.focus(focus);
}

}  // namespace

bool writeColourEditedFlag(const CIni& settings, int value) {
  ByteWriter w;
  w.i32(value);
  return replaceFileAtomically(programDataFile(settings, "DATA88.DTF"), w.take()).ok;
}

std::optional<int> readColourEditedFlag(const CIni& settings) {
  const auto bytes = readFileRange(programDataFile(settings, "DATA88.DTF"), 0, 4);
  if (!bytes || bytes->size() < 4) return std::nullopt;
  ByteReader r(*bytes);
  return r.i32();
}

DrawingTypeDesigner::DrawingTypeDesigner(const CIni& settings, int action, int file, int index,
                                         sys::ProcessLauncher& launcher, sys::HelpViewer* help)
    : settings_(settings), action_(action), file_(file), index_(index), launcher_(launcher), help_(help) {
  using K = ui::ControlKind;
  form_.resource = "box4";
  form_.caption = "Designing a New Drawing Type";
  auto& c = form_.controls;
  int row = 0;
  c.push_back({kTitle + ui::kLabelOffset, K::Static, "&Title:", 0, 0, row, 0});
  c.push_back({kTitle, K::Edit, "", 29, 0, row, 1});
  ++row;
  c.push_back({kStyle + ui::kLabelOffset, K::Static, "&Style:", 0, 0, row, 0});
  c.push_back({kStyle, K::Combo, "", 0, 0, row, 1});
  c.push_back({kHouseSystem + ui::kLabelOffset, K::Static, "&Houses:", 0, 0, row, 2});
  c.push_back({kHouseSystem, K::Combo, "", 0, 0, row, 3});
  ++row;
  c.push_back({kProjection + ui::kLabelOffset, K::Static, "&Projection:", 0, 0, row, 0});
  c.push_back({kProjection, K::Combo, "", 0, 0, row, 1});
  c.push_back({kFixedAries, K::Check, "0\xB0 Aries fixed at the left", 0, 0, row, 2});
  ++row;
  const char* ringLabels[4] = {"1st (inner) Circle:", "2nd Circle:", "3rd Circle:", "4th Circle:"};
  for (int k = 0; k < 4; ++k) {
    c.push_back({kRing1 + k + ui::kLabelOffset, K::Static, ringLabels[k], 0, 0, row, (k % 2) * 2});
    c.push_back({kRing1 + k, K::Combo, "", 0, 0, row, (k % 2) * 2 + 1});
    if (k % 2 == 1) ++row;
  }
  for (int a = 0; a < 9; ++a) {
    c.push_back({kLine0 + a + ui::kLabelOffset, K::Static, kAspectLabels[a], 0, 0, row, (a % 2) * 2});
    c.push_back({kLine0 + a, K::Combo, "", 0, 0, row, (a % 2) * 2 + 1});
    if (a % 2 == 1) ++row;
  }
  ++row;
  const std::pair<ui::ControlId, const char*> boxes[] = {{kShowFortune, "Show Part of &Fortune"},
                                                         {kAspectFortune, "Aspect Part of Fortune"},
                                                         {kShowBlackMoon, "Show Black Moon"},
                                                         {kAspectBlackMoon, "Aspect Black Moon"},
                                                         {kShowChiron, "Show Chiron"},
                                                         {kAspectChiron, "Aspect Chiron"},
                                                         {kAspectNodes, "Aspect the Nodes"},
                                                         {kAspectAngles, "Aspect ASC and MC"},
                                                         {kDataBlock, "Chart data"},
                                                         {kHouseLabels, "House names"},
                                                         {kCuspDegrees, "House longitudes"},
                                                         {kPlanetDegrees, "Planet longitudes"},
                                                         {kAspectGlyphs, "Aspect pictograms"},
                                                         {kEarth, "Earth at the centre"},
                                                         {kBox1130, "Spare option"}};
  int n = 0;
  for (const auto& [id, text] : boxes) {
    c.push_back({id, K::Check, text, 0, 0, row, n % 2});
    if (++n % 2 == 0) ++row;
  }
  ++row;
  c.push_back({kColourSource + ui::kLabelOffset, K::Static, "Colors of:", 0, 0, row, 0});
  c.push_back({kColourSource, K::Combo, "", 0, 0, row, 1});
  ++row;
  c.push_back({kFixedCount, K::Static, "", 0, 0, row, 0});
  c.push_back({kCustomCount, K::Static, "", 0, 0, row, 1});
  ++row;
  c.push_back({kModel, K::Button, "Mo&del", 0, 0, row, 0});
  c.push_back({kColours, K::Button, "C&ustomize Colors", 0, 0, row, 1});
  c.push_back({ui::IDOK, K::Button, "OK", 0, 0, row, 2});
  c.push_back({ui::IDCANCEL, K::Button, "Cancel", 0, 0, row, 3});
  if (help_) c.push_back({ui::IDHELP, K::Button, "&Help", 0, 0, row, 4});
}

void DrawingTypeDesigner::show(const ChPar& p, ui::FormState& s) const {
  selectData(s, kStyle, p.style);
  selectData(s, kHouseSystem, p.houseSystem);
  selectData(s, kProjection, p.projection);
  for (int k = 0; k < 4; ++k) selectData(s, kRing1 + k, p.ringKind[k + 1]);
  for (int a = 0; a < 9; ++a) selectData(s, kLine0 + a, p.aspectLine[a]);
  s.setChecked(kFixedAries, p.fixedAries != 0);
  s.setChecked(kShowFortune, p.showFortune != 0);
  s.setChecked(kShowBlackMoon, p.showBlackMoon != 0);
  s.setChecked(kShowChiron, p.showChiron != 0);
  s.setChecked(kAspectNodes, p.aspectNodes != 0);
  s.setChecked(kAspectAngles, p.aspectAngles != 0);
  s.setChecked(kAspectFortune, p.aspectFortune != 0);
  s.setChecked(kAspectBlackMoon, p.aspectBlackMoon != 0);
  s.setChecked(kAspectChiron, p.aspectChiron != 0);
  s.setChecked(kDataBlock, p.dataBlock != 0);
  s.setChecked(kHouseLabels, p.houseLabels > 0);
  s.setChecked(kCuspDegrees, p.cuspDegrees > 0);
  s.setChecked(kPlanetDegrees, p.planetDegrees > 0);
  s.setChecked(kAspectGlyphs, p.aspectGlyphs > 0);
  s.setChecked(kEarth, p.earthPictogram != 0);
  s.setChecked(kBox1130, p.optionBox1130 != 0);
}

ChPar DrawingTypeDesigner::edited(const ui::FormState& s) const {
  ChPar p = base_;
  setField(p.title, s.text(kTitle));
  p.style = static_cast<std::int16_t>(selectedData(s, kStyle, p.style));
  p.houseSystem = static_cast<std::int8_t>(selectedData(s, kHouseSystem, p.houseSystem));
  p.projection = static_cast<std::int16_t>(selectedData(s, kProjection, p.projection));
  for (int k = 0; k < 4; ++k) p.ringKind[k + 1] = static_cast<std::int16_t>(selectedData(s, kRing1 + k, 0));
  for (int a = 0; a < 9; ++a) p.aspectLine[a] = static_cast<std::int8_t>(selectedData(s, kLine0 + a, 0));
  auto flag = [&](ui::ControlId id) { return static_cast<std::int8_t>(s.checked(id) ? 1 : 0); };
  p.fixedAries = flag(kFixedAries);
  p.showFortune = flag(kShowFortune);
  p.showBlackMoon = flag(kShowBlackMoon);
  p.showChiron = flag(kShowChiron);
  p.aspectNodes = flag(kAspectNodes);
  p.aspectAngles = flag(kAspectAngles);
  p.aspectFortune = flag(kAspectFortune);
  p.aspectBlackMoon = flag(kAspectBlackMoon);
  p.aspectChiron = flag(kAspectChiron);
  // Boxes over numeric fields keep the stored value when ticked (data block 27, glyph divisor).
  p.dataBlock =
      s.checked(kDataBlock) ? (base_.dataBlock > 0 ? base_.dataBlock : std::int8_t{1}) : std::int8_t{0};
  p.houseLabels = flag(kHouseLabels);
  p.cuspDegrees = flag(kCuspDegrees);
  p.planetDegrees = flag(kPlanetDegrees);
  p.aspectGlyphs = s.checked(kAspectGlyphs) ? (base_.aspectGlyphs > 0 ? base_.aspectGlyphs : std::int8_t{2})
                                            : std::int8_t{0};
  p.earthPictogram = flag(kEarth);
  p.optionBox1130 = flag(kBox1130);
  return p;
}

void DrawingTypeDesigner::open(ui::FormState& s) {
  // Lists.
  std::vector<ui::FormState::Item> styles, houses, projections;
  for (int st : wheelStyles()) styles.push_back({styleName(st), st});
  for (int h = 0; h <= 10; ++h) houses.push_back({HouseSystemName(h), h});
  for (int k = 0; k < 4; ++k) projections.push_back({kProjectionNames[k], k});
  s.setItems(kStyle, styles);
  s.setItems(kHouseSystem, houses);
  s.setItems(kProjection, projections);
  for (int k = 0; k < 4; ++k) {
    std::vector<ui::FormState::Item> rings;
    for (int kind = k == 0 ? 1 : 0; kind <= 8; ++kind) rings.push_back({ringKindName(kind), kind});
    s.setItems(kRing1 + k, rings);
  }
  for (int a = 0; a < 9; ++a) {
    std::vector<ui::FormState::Item> lines;
    for (int m = 0; m < (a == 0 ? 2 : 6); ++m) lines.push_back({kLineNames[m], m});
    s.setItems(kLine0 + a, lines);
  }
  const auto fixed = readDrawingTypes(drawingTypeFile(settings_, kFixedFile));
  const auto custom = readDrawingTypes(drawingTypeFile(settings_, kCustomFile));
  std::vector<ui::FormState::Item> sources;
  for (const auto& t : fixed) sources.push_back({titleOf(t.par), kFixedFile});
  for (const auto& t : custom) sources.push_back({titleOf(t.par), kCustomFile});
  s.setItems(kColourSource, sources);
  char count[64];
  std::snprintf(count, sizeof count, "%d fixed (*) drawing types", static_cast<int>(fixed.size()));
  s.setText(kFixedCount, count);
  std::snprintf(count, sizeof count, "and %d custom ones", static_cast<int>(custom.size()));
  s.setText(kCustomCount, count);
  // The record to start from.
  if (action_ == 2) {
    const auto& list = file_ == kFixedFile ? fixed : custom;
    if (index_ >= 0 && index_ < static_cast<int>(list.size()))
      base_ = list[static_cast<std::size_t>(index_)].par;
    originalTitle_ = titleOf(base_);
    s.setCaption(" Modifying the '" + originalTitle_ + "' Drawing Type");
    s.setText(kTitle, originalTitle_);
  } else {
    if (action_ == 1 && !custom.empty()) {
      base_ = custom.front().par;
    } else if (fixed.size() > 5) {
      base_ = fixed[5].par;
    }
    s.setCaption("Designing a New Drawing Type");
    s.setText(kTitle, "");
  }
  show(base_, s);
  if (action_ != 2) {
    s.setChecked(kAspectAngles, true);
    s.setChecked(kAspectNodes, true);
  }
  const std::string source = titleOf(base_);
  int sel = -1;
  for (std::size_t i = 0; i < sources.size(); ++i)
    if (sources[i].text == source && sel < 0) sel = static_cast<int>(i);
  s.setSelection(kColourSource, sel < 0 && !sources.empty() ? 0 : sel);
  writeColourEditedFlag(settings_, 0);
  s.focus(kTitle);
}

bool DrawingTypeDesigner::validate(ui::FormState& s, ui::Interaction& ui, bool saving) {
  const ChPar p = edited(s);
  auto resetRings = [&](ui::FormState& st) {
    selectData(st, kRing1, ring::kTropical);
    for (int k = 1; k < 4; ++k) selectData(st, kRing1 + k, ring::kNone);
  };
  const bool singleZodiac = p.ringKind[1] == ring::kTropical || p.ringKind[1] == ring::kSidereal;
  // 1, 2. Standard Style III.
  if (p.style == style::kStandard3 && (p.ringKind[2] != ring::kNone || !singleZodiac)) {
    if (p.ringKind[1] > ring::kSidereal) selectData(s, kRing1, ring::kTropical);
    refuse(ui, s, kRing1, "Standard Style III supports only (single) Tropical or Sidereal Zodiac",
           kImpossible);
    return false;
  }
  if (p.style == style::kStandard3 && p.houseSystem == 0) {
    selectData(s, kHouseSystem, 1);
    refuse(ui, s, kHouseSystem, "Standard Style III cannot be drawn without houses", kImpossible);
    return false;
  }
  // 3, 4. Rings follow each other.
  if ((p.ringKind[3] != ring::kNone || p.ringKind[4] != ring::kNone) && p.ringKind[2] == ring::kNone) {
    refuse(ui, s, kRing1 + 1, "Can't have no second zodiac and a third or fourth one.", "Impossible request");
    return false;
  }
  if (p.ringKind[4] != ring::kNone && p.ringKind[3] == ring::kNone) {
    refuse(ui, s, kRing1 + 2, "Can't have no third zodiac and a fourth one.", "Impossible request");
    return false;
  }
  // 5. Right ascension.
  if (p.projection == projection::kRightAscension &&
      (p.ringKind[2] != ring::kNone || p.ringKind[1] != ring::kTropical)) {
    resetRings(s);
    refuse(ui, s, kRing1,
           "Right Ascension charts can only be drawn in relation to the tropical zodiac, and only with one "
           "circle.",
           kImpossible);
    return false;
  }
  // 6, 7. Mandalas and the Seven Spheres.
  if (isMandalaStyle(p.style) && !singleZodiac) {
    resetRings(s);
    refuse(ui, s, kRing1, "Mandalas support only the tropical and sidereal zodiacs.", kImpossible);
    return false;
  }
  if ((isMandalaStyle(p.style) || p.style == style::kSevenSpheres) && p.ringKind[2] != ring::kNone) {
    refuse(ui, s, kRing1 + 1, "The style you have selected supports only 1 zodiac", kImpossible);
    return false;
  }
  if (!saving) return true;
  // 8. The title.
  const std::string title = s.text(kTitle);
  if (title.empty()) {
    refuse(ui, s, kTitle, "A drawing type must be given a title", "Error");
    return false;
  }
  const auto custom = readDrawingTypes(drawingTypeFile(settings_, kCustomFile));
  const auto fixed = readDrawingTypes(drawingTypeFile(settings_, kFixedFile));
  for (int f : {kFixedFile, kCustomFile}) {
    const auto& list = f == kFixedFile ? fixed : custom;
    for (std::size_t i = 0; i < list.size(); ++i) {
      const bool self = action_ == 2 && f == file_ && static_cast<int>(i) == index_;
      if (!self && titleOf(list[i].par) == title) {
        refuse(ui, s, kTitle, "Another drawing type already has this title", "Error");
        return false;
      }
    }
  }
  if (action_ == 2 && file_ == kCustomFile && index_ >= 0 && index_ <= 2 && title != originalTitle_) {
    s.setText(kTitle, originalTitle_);
    refuse(ui, s, kTitle, "Custom A, B and C can be modified but not renamed.", "Message from Talpora");
    return false;
  }
  // 9. The star marks the fixed types.
  if (title.find('*') != std::string::npos) {
    std::string fixedTitle = title;
    std::replace(fixedTitle.begin(), fixedTitle.end(), '*', ' ');
    s.setText(kTitle, fixedTitle);
    refuse(ui, s, kTitle, "The '*' sign is allowed only in the title of Fixed Drawing Charts",
           "Impossible Title");
    return false;
  }
  return true;
}

ChCol DrawingTypeDesigner::colourSetToSave(const ui::FormState& s) const {
  // Colours edited in the colour program, else those of the type named in the list, else Custom A's.
  if (readColourEditedFlag(settings_).value_or(0) == 1) {
    if (const auto bytes = readFile(programDataFile(settings_, kData9File)))
      if (const auto t = decodeData9(*bytes)) return t->colours;
  }
  const int sel = s.selection(kColourSource);
  if (sel >= 0 && sel < static_cast<int>(s.items(kColourSource).size()))
    if (const auto t = findByTitle(settings_, s.items(kColourSource)[static_cast<std::size_t>(sel)].text))
      return t->colours;
  const auto custom = readDrawingTypes(drawingTypeFile(settings_, kCustomFile));
  return custom.empty() ? ChCol{} : custom.front().colours;
}

void DrawingTypeDesigner::save(ui::FormState& s, ui::Interaction& ui) {
  ChPar p = edited(s);
  p.typeOrigin = 701;
  p.aspectIndicator = 1;
  const ChCol colours = colourSetToSave(s);
  const auto path = drawingTypeFile(settings_, kCustomFile);
  auto types = readDrawingTypes(path);
  int at = static_cast<int>(types.size());
  if (action_ == 2 && file_ == kCustomFile && index_ >= 0 && index_ < at) {
    at = index_;
    types[static_cast<std::size_t>(at)] = {p, colours};
  } else {
    types.push_back({p, colours});
  }
  std::string error;
  if (!writeDrawingTypes(path, types, &error)) {
    ui.message({error, "Error Message from zykstyle.dll", ui::Buttons::Ok, ui::Icon::Stop, {}});
    return;
  }
  writeLastDrawingTypeTitle(settings_, titleOf(p));
  file_ = kCustomFile;
  index_ = at;
  s.close(1);
}

void DrawingTypeDesigner::customizeColours(ui::FormState& s, ui::Interaction& ui) {
  const ChPar p = edited(s);
  const auto written =
      replaceFileAtomically(programDataFile(settings_, kData9File), encodeData9(p, colourSetToSave(s)));
  if (!written.ok) {
    ui.message({written.error, "Error Message from zykstyle.dll", ui::Buttons::Ok, ui::Icon::Stop, {}});
    return;
  }
  if (!launcher_.start(sys::Program::Color, "0,"))
    ui.message({"The colour program (zykcolor) could not be started.",
                kImpossible,
                ui::Buttons::Ok,
                ui::Icon::Stop,
                {}});
}

void DrawingTypeDesigner::command(ui::ControlId id, ui::FormState& s, ui::Interaction& ui) {
  switch (id) {
    case kShowFortune:
    case kShowBlackMoon:
    case kShowChiron:
      // Not shown, not aspected.
      if (!s.checked(id)) s.setChecked(id + (kAspectFortune - kShowFortune), false);
      return;
    case kAspectFortune:
    case kAspectBlackMoon:
    case kAspectChiron:
      if (s.checked(id)) s.setChecked(id - (kAspectFortune - kShowFortune), true);
      return;
    case kModel: {
      SelectDrawingTypeDialog list(settings_, 4, 0, help_);
      if (ui.runModal(list) != 1) return;
      const auto& types = readDrawingTypes(drawingTypeFile(settings_, list.file()));
      if (list.index() < 0 || list.index() >= static_cast<int>(types.size())) return;
      const std::string title = s.text(kTitle);
      const ChPar model = types[static_cast<std::size_t>(list.index())].par;
      show(model, s);
      s.setText(kTitle, title);
      const auto& sources = s.items(kColourSource);
      for (std::size_t i = 0; i < sources.size(); ++i)
        if (sources[i].text == titleOf(model)) s.setSelection(kColourSource, static_cast<int>(i));
      return;
    }
    case kColours:
      if (validate(s, ui, false)) customizeColours(s, ui);
      return;
    case ui::IDOK:
      if (validate(s, ui, true)) save(s, ui);
      return;
    case ui::IDCANCEL:
      s.close(0);
      return;
    case ui::IDHELP:
      if (help_) help_->contents();
      return;
    default:
      return;
  }
}

int CustomizeDrawingType(ui::Interaction& ui, const CIni& settings, int action, int* file, int* index,
                         sys::ProcessLauncher& launcher, sys::HelpViewer* help) {
  DrawingTypeDesigner designer(settings, action, file ? *file : kCustomFile, index ? *index : -1, launcher,
                               help);
  if (ui.runModal(designer) != 1) return 0;
  if (file) *file = designer.file();
  if (index) *index = designer.index();
  return 1;
}

AddModifDelChartDialog::AddModifDelChartDialog() {
  using K = ui::ControlKind;
  form_.resource = "zykcust";
  form_.caption = "Customizing a Chart Drawing";
  form_.controls = {
      {100, K::Static, "Do you wish to", 0, 0, 0}, {kModify, K::Radio, "&Modify", 0, 1, 1},
      {kAdd, K::Radio, "&Add", 0, 1, 2},           {kDelete, K::Radio, "&Delete", 0, 1, 3},
      {kFixed, K::Check, "&Fixed", 0, 0, 4},       {105, K::Static, "a type of chart drawing?", 0, 0, 5},
      {ui::IDOK, K::Button, "OK", 0, 0, 6, 0},     {ui::IDCANCEL, K::Button, "Cancel", 0, 0, 6, 1}};
}

void AddModifDelChartDialog::open(ui::FormState& s) {
  s.remove(kFixed);
  s.setChecked(kModify, true);
  s.setChecked(kAdd, false);
  s.setChecked(kDelete, false);
}

void AddModifDelChartDialog::command(ui::ControlId id, ui::FormState& s, ui::Interaction&) {
  switch (id) {
    case kModify:
    case kAdd:
    case kDelete:
      for (ui::ControlId r : {kModify, kAdd, kDelete}) s.setChecked(r, r == id);
      return;
    case ui::IDOK:
      s.close(s.checked(kAdd) ? 1 : s.checked(kDelete) ? 13 : 2);
      return;
    case ui::IDCANCEL:
      s.close(0);
      return;
    default:
      return;
  }
}

int AddModifDelChart(ui::Interaction& ui) {
  AddModifDelChartDialog d;
  return ui.runModal(d);
}

int CustomizeChartDrawings(ui::Interaction& ui, const CIni& settings, sys::ProcessLauncher& launcher,
                           sys::HelpViewer* help) {
  const int what = AddModifDelChart(ui);
  int file = kCustomFile, index = 0;
  switch (what) {
    case 1:
      return CustomizeDrawingType(ui, settings, 1, &file, &index, launcher, help);
    case 2:
      if (!SelectDrawingType(ui, settings, &file, &index, 2, 0, help)) return 0;
      return CustomizeDrawingType(ui, settings, 2, &file, &index, launcher, help);
    case 13:
      return SelectDrawingType(ui, settings, &file, &index, 13, 0, help);
    default:
      return 0;
  }
}

}  // namespace talpora
