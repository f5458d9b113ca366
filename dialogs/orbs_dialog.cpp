// zykorbs: the orbs dialog.
#include "dialogs/orbs_dialog.h"

#include <cmath>
#include <cstdio>

#include "core/zodiac.h"
#include "dialogs/dialog_helpers.h"
#include "files/zykfile.h"
#include "format/text_format.h"

namespace talpora::dialogs {
namespace {

std::string fmt(const char* pattern, int a, int b = 0) {
  char buf[160];
  std::snprintf(buf, sizeof buf, pattern, a, b);
  return buf;
}

// Whole degrees and rounded minutes of an orb.
std::pair<int, int> degMin(double orb) {
  int d = static_cast<int>(std::floor(orb));
  int m = static_cast<int>(std::lround((orb - d) * 60));
  if (m == 60) {
    ++d;
    m = 0;
  }
  return {d, m};
}

std::string name(int aspect) {
  return AspectName(aspect, 0, 1);
}

}  // namespace

OrbsDialog::OrbsDialog(CIni& settings, sys::HelpViewer& help, int mode, ui::Interaction& ui)
    : settings_(settings), help_(help), mode_(mode == 1 || mode == 2 ? mode : 0) {
  using K = ui::ControlKind;
  form_.resource = "zykorbs";
  form_.caption = "Customizing Orbs of Aspects";
  form_.controls = {
      {kList, K::List, "", 0, 0, 0, 0},
      {kName, K::Static, "", 0, 0, 0, 1},
      {kDefinition, K::Static, "", 0, 0, 1, 1},
      {kCategory, K::Static, "", 0, 0, 2, 1},
      {kLabel1, K::Static, "", 0, 0, 3, 0},
      {kDegrees1, K::Edit, "", 3, 0, 4, 0},
      {kDegrees1 + ui::kLabelOffset, K::Static, "deg.", 0, 0, 4, 1},
      {kMinutes1, K::Edit, "", 2, 0, 4, 2},
      {kMinutes1 + ui::kLabelOffset, K::Static, "min.", 0, 0, 4, 3},
      {kDefault1, K::Static, "", 0, 0, 4, 4},
      {kLabel2, K::Static, "", 0, 0, 5, 0},
      {kDegrees2, K::Edit, "", 3, 0, 6, 0},
      {kDegrees2 + ui::kLabelOffset, K::Static, "deg.", 0, 0, 6, 1},
      {kMinutes2, K::Edit, "", 2, 0, 6, 2},
      {kMinutes2 + ui::kLabelOffset, K::Static, "min.", 0, 0, 6, 3},
      {kDefault2, K::Static, "", 0, 0, 6, 4},
      {kRestore, K::Button, "&Restore", 0, 0, 7, 0},
      {ui::IDOK, K::Button, "OK", 0, 0, 7, 1},
      {ui::IDCANCEL, K::Button, "Cancel", 0, 0, 7, 2},
      {ui::IDHELP, K::Button, "&Help", 0, 0, 7, 3},
  };
  form_.controls[4].buddy = kDegrees1;
  form_.controls[10].buddy = kDegrees2;
  if (mode_ == 0) {
    float a[20], b[20];
    ReadOrbs(settings_, 4, a, b, 1, &ui);
    for (int i = 0; i < 20; ++i) {
      luminaries[i] = a[i];
      others[i] = b[i];
    }
  } else {
    float a[20], b[20];
    ReadOrbs(settings_, 2, a, b, mode_ == 1 ? 2 : 3, &ui);
    for (int i = 0; i < 9; ++i) luminaries[i] = others[i] = a[i];
  }
}

double OrbsDialog::defaultOrb(int aspect, bool withLuminaries) const {
  if (mode_ != 0) return aspect < 9 ? kDefaultTransitOrbs[aspect] : 0;
  return withLuminaries ? kDefaultOrbsLuminaries[aspect] : kDefaultOrbsOthers[aspect];
}

void OrbsDialog::open(ui::FormState& state) {
  if (mode_ != 0) {
    state.setCaption(mode_ == 1 ? "Orbs of Aspects for Transits" : "Orbs of Aspects for Progressions");
    for (ui::ControlId id :
         std::initializer_list<ui::ControlId>{kLabel2, kDegrees2, kMinutes2, kDefault2,
                                              kDegrees2 + ui::kLabelOffset, kMinutes2 + ui::kLabelOffset})
      state.remove(id);
  } else {
    state.setCaption("Customizing Orbs of Aspects");
  }
  std::vector<ui::FormState::Item> items;
  for (int i = 0; i < aspectCount(); ++i) items.push_back({name(i), i});
  state.setItems(kList, std::move(items));
  state.setSelection(kList, 0);
  show(state, 0);
}

void OrbsDialog::show(ui::FormState& state, int aspect) {
  shown_ = aspect;
  state.setSelection(kList, aspect);
  state.setText(kName, name(aspect));
  if (aspect < 18) {
    const double angle = AspectValue(aspect);
    const int d = static_cast<int>(std::floor(angle));
    state.setText(kDefinition, fmt("Definition:      %3d deg.  %02d min.", d,
                                   static_cast<int>(std::lround((angle - d) * 60))));
  } else {
    state.setText(kDefinition, "");
  }
  const char* category = aspect < 5    ? "Category: Major Aspects"
                         : aspect < 9  ? "Category: Minor Aspects"
                         : aspect < 18 ? "Category: Rarely Used Aspects"
                                       : "Category: Declination";
  state.setText(kCategory, category);
  if (mode_ == 0) {
    state.setText(kLabel1, aspect < 18 ? "O&rb of " + name(aspect) + "s involving the Sun or the Moon:"
                                       : std::string("O&rb involving the Sun or the Moon"));
    state.setText(kLabel2, aspect < 18 ? "Orb of " + name(aspect) + "s between &other objects:"
                                       : std::string("Orb between &other objects"));
  } else {
    state.setText(kLabel1, "&Orb or the Aspect");
  }
  auto put = [&](ui::ControlId deg, ui::ControlId min, ui::ControlId def, double orb, double dflt) {
    const auto [d, m] = degMin(orb);
    state.setText(deg, std::to_string(d));
    state.setText(min, std::to_string(m));
    const auto [dd, dm] = degMin(dflt);
    state.setText(def, fmt("(default = %d deg. %d min.)", dd, dm));
  };
  put(kDegrees1, kMinutes1, kDefault1, luminaries[aspect], defaultOrb(aspect, true));
  if (mode_ == 0) put(kDegrees2, kMinutes2, kDefault2, others[aspect], defaultOrb(aspect, false));
}

bool OrbsDialog::store(ui::FormState& state, ui::Interaction& ui) {
  const int a = shown_;
  auto read = [&](ui::ControlId deg, ui::ControlId min) {
    return readUnsigned(state.text(deg)) + readUnsigned(state.text(min)) / 60.0;
  };
  const double o1 = read(kDegrees1, kMinutes1);
  const double o2 = mode_ == 0 ? read(kDegrees2, kMinutes2) : o1;
  const double maximum = kMaximumOrbs[a];
  if (o1 > maximum || o2 > maximum) {
    ui.message({name(a) + "s: excessive value. The very maximum Talpora can accept" +
                    fmt(" is %d degrees.", static_cast<int>(maximum)),
                "Impossible Request",
                ui::Buttons::Ok,
                ui::Icon::Warning,
                {}});
    luminaries[a] = defaultOrb(a, true);
    others[a] = defaultOrb(a, false);
    show(state, a);
    return false;
  }
  luminaries[a] = o1;
  others[a] = o2;
  return true;
}

bool OrbsDialog::overlapsAccepted(ui::FormState& state, ui::Interaction& ui) {
  struct Pair {
    int first, second;
    double limit;
    const char* selected1;
    const char* selected2;
    const char* problem;
    const char* both;
    const char* grids;
  };
  static const Pair kPairs[] = {
      {5, 6, 6, "You have selected %d degrees %d minutes as the orb for inconjunctions ",
       "and %d degrees %d minutes as the orb for biquintiles. ",
       "There is a problem. Inconjunctions are 150 degrees and biquintiles 144 degrees. The difference is "
       "6\xB0, "
       "which is less than the sum of the orbs you have chosen. ",
       "Consequently there will be occasions when 2 planets will be BOTH inconjunct and biquintile. ",
       "If you wish to continue, press OK. Then when 2 planets are both inconjunct and biquintile, the "
       "aspect grids "
       "will indicate an inconjunction, and the chart drawing a biquintile. "},
      {6, 7, 9, "You have selected %d degrees %d minutes as the orb for biquintiles ",
       "and %d degrees %d minutes as the orb for sesquisquares. ",
       "There is a problem. Biquintiles are 144 degrees and sesquisquares 135 degrees. The difference is "
       "9\xB0, "
       "which is less than the sum of the orbs you have chosen. ",
       "Consequently there will be occasions when 2 planets will be BOTH biquintile and sesquisuare. ",
       "If you wish to continue, press OK. Then when 2 planets are both biquintile and sesquisquare, the "
       "aspect grids "
       "will indicate an biquintile, and the chart drawing a biquintile. "},
  };
  for (const Pair& p : kPairs) {
    const double sumA = luminaries[p.first] + luminaries[p.second];
    const double sumB = mode_ == 0 ? others[p.first] + others[p.second] : 0;
    if (sumA <= p.limit && sumB <= p.limit) continue;
    const auto& set = sumA >= sumB ? luminaries : others;
    const auto [d1, m1] = degMin(set[p.first]);
    const auto [d2, m2] = degMin(set[p.second]);
    const auto [dt, mt] = degMin(set[p.first] + set[p.second]);
    const std::string text = fmt(p.selected1, d1, m1) + fmt(p.selected2, d2, m2) +
                             fmt("The total %d degrees %d minutes. ", dt, mt) + p.problem + p.both + p.grids +
                             "The written listings, however, will indicate both. " +
                             "  If you press Cancel, Talpora will suggest values to avoid this problem.";
    if (ui.message({text, "Warning from Talpora", ui::Buttons::OkCancel, ui::Icon::Warning,
                    ui::Answer::Cancel}) == ui::Answer::Ok)
      continue;
    for (int a : {5, 6, 7}) {
      luminaries[a] = defaultOrb(a, true);
      others[a] = defaultOrb(a, false);
    }
    show(state, 6);
    return false;
  }
  return true;
}

bool OrbsDialog::save(ui::Interaction& ui) {
  if (mode_ == 0) {
    for (int i = 0; i < 20; ++i) {
      settings_.orbsLuminaries[i] = static_cast<float>(luminaries[i]);
      settings_.orbsOthers[i] = static_cast<float>(others[i]);
    }
    return Serialise_CIni(settings_, &ui) == 1;
  }
  double orbs[9];
  for (int i = 0; i < 9; ++i) orbs[i] = luminaries[i];
  return WriteOrbFile(settings_, mode_ == 1 ? 2 : 3, orbs, &ui) == 1;
}

void OrbsDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  switch (id) {
    case kList: {
      const int wanted = state.selection(kList);
      if (wanted < 0 || wanted == shown_) return;
      if (store(state, ui)) show(state, wanted);
      return;
    }
    case kRestore:
      for (int i = 0; i < 20; ++i) {
        luminaries[i] = defaultOrb(i, true);
        others[i] = defaultOrb(i, false);
      }
      show(state, shown_);
      return;
    case ui::IDHELP:
      help_.topic(mode_ == 0 ? 2020 : mode_ == 1 ? 2030 : 2040);
      return;
    case ui::IDCANCEL:
      state.close(0);
      return;
    case ui::IDOK:
      if (!store(state, ui) || !overlapsAccepted(state, ui)) return;
      if (save(ui)) state.close(1);
      return;
    default:
      return;
  }
}

int SetAspectOrbs(ui::Interaction& ui, CIni& settings, sys::HelpViewer& help, int mode) {
  OrbsDialog dialog(settings, help, mode, ui);
  return ui.runModal(dialog) == 1 ? 1 : 0;
}

}  // namespace talpora::dialogs
