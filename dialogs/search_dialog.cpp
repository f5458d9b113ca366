// zyksearch: the search parameters dialog.
#include "dialogs/search_dialog.h"

#include <cmath>
#include <cstdio>

#include "core/zodiac.h"
#include "dialogs/dialog_helpers.h"
#include "format/text_format.h"

namespace talpora::dialogs {
namespace {

const char* kObjects[17] = {"Sun",        "Moon",   "Mercury",   "Venus",     "Mars",     "Jupiter",
                            "Saturn",     "Uranus", "Neptune",   "Pluto",     "Nth Node", "Sth Node",
                            "Black Moon", "Chiron", "Ascendant", "Midheaven", "P.Fortune"};
const char* kSigns[12] = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                          "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

}  // namespace

SearchDialog::SearchDialog(int kind, int withDegrees, int count, int exclude, int filter)
    : kind_(kind), withDegrees_(withDegrees), count_(count), exclude_(exclude), filter_(filter) {
  form_.resource = "SEARCH";
  form_.caption = "Search Parameters";
  form_.controls = {
      {kPrompt, ui::ControlKind::Static, "", 0, 0, 0, 0},
      {kList, ui::ControlKind::List, "", 0, 0, 1, 0},
      {kDegrees, ui::ControlKind::Edit, "", 3, 0, 2, 0},
      {kDegrees + ui::kLabelOffset, ui::ControlKind::Static, "deg.", 0, 0, 2, 1},
      {kMinutes, ui::ControlKind::Edit, "", 2, 0, 2, 2},
      {kMinutes + ui::kLabelOffset, ui::ControlKind::Static, "min.", 0, 0, 2, 3},
      {ui::IDOK, ui::ControlKind::Button, "OK", 0, 0, 3, 0},
      {ui::IDCANCEL, ui::ControlKind::Button, "Cancel", 0, 0, 3, 1},
  };
  const bool all12 = exclude_ != 12;
  switch (family()) {
    case 1: {
      prompt_ = kind == 101   ? "Select the 1st planet:"
                : kind == 102 ? "Select the 2nd planet:"
                              : "Select a planet:";
      for (int i = 0; i < 17; ++i) {
        if (kind == 100 && count_ >= 1 && count_ != 341 && i >= count_) continue;
        if (kind == 100 && count_ == 341 && (i == 14 || i == 15)) continue;
        if (kind == 102 && count_ == 1) {
          if (i == exclude_) continue;
          if ((exclude_ == 10 && i == 11) || (exclude_ == 11 && i == 10) || (exclude_ == 14 && i == 15) ||
              (exclude_ == 15 && i == 14))
            continue;
        }
        if (filter_ == 33 && (i == 13 || i == 16)) continue;
        if (filter_ == 66 && i > 11) continue;
        if (filter_ == 99 && i == 16) continue;
        entries_.push_back({kObjects[i], i});
      }
      break;
    }
    case 2:
      prompt_ = "Select a house:";
      for (int h = 1; h <= 12; ++h) entries_.push_back({ProperFormat(h) + " house", h - 1});
      if (all12) entries_.push_back({"All houses", 99});
      break;
    case 3:
      prompt_ = withDegrees_ == 1 ? "Enter the sign, deg. && min. of the event" : "Select a sign:";
      for (int s = 0; s < 12; ++s) entries_.push_back({kSigns[s], s});
      if (all12 && withDegrees_ != 1) entries_.push_back({"All Signs", 99});
      break;
    case 4: {
      prompt_ = "Select an aspect:";
      for (int a = 0; a < 18; ++a) {
        if (filter_ == 33 && a > 4) continue;
        if (filter_ == 99 && a > 8) continue;
        std::string name = AspectName(a, 0, 1);
        name.resize(13, ' ');
        char angle[16];
        std::snprintf(angle, sizeof angle, "(=%3d\xB0)", static_cast<int>(std::lround(AspectValue(a))));
        entries_.push_back({name + angle, a});
      }
      if (all12) entries_.push_back({"All Aspects", 99});
      break;
    }
    case 5:
      prompt_ = filter_ == 111 ? "Enter modulus:" : "";
      break;
    default:
      break;
  }
}

void SearchDialog::open(ui::FormState& state) {
  state.setText(kPrompt, prompt_);
  if (family() == 5) {
    state.remove(kList);
  } else {
    state.setItems(kList, entries_);
    if (!entries_.empty()) state.setSelection(kList, 0);
  }
  if (withDegrees_ != 1 && family() != 5) {
    for (ui::ControlId id : std::initializer_list<ui::ControlId>{
             kDegrees, kMinutes, kDegrees + ui::kLabelOffset, kMinutes + ui::kLabelOffset})
      state.remove(id);
  }
  state.focus(family() == 5 ? kDegrees : kList);
}

void SearchDialog::accept(ui::FormState& state, ui::Interaction& ui) {
  double chosen = 0;
  if (family() != 5) {
    const int sel = state.selection(kList);
    if (sel < 0 || sel >= static_cast<int>(entries_.size())) return;
    chosen = entries_[static_cast<std::size_t>(sel)].data;
  }
  if (withDegrees_ == 1 || family() == 5) {
    const unsigned d = readUnsigned(state.text(kDegrees)), m = readUnsigned(state.text(kMinutes));
    const unsigned maxDegrees = family() == 5 ? 360 : 29;
    if (d > maxDegrees) return refuse(ui, state, kDegrees, "Degrees - impossible values", "");
    if (m > 59) return refuse(ui, state, kMinutes, "Minutes - impossible values", "");
    chosen = family() == 5 ? d + m / 60.0 : chosen * 30 + d + m / 60.0;
  }
  value = chosen;
  result = 1;
  state.close(1);
}

void SearchDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == ui::IDOK) accept(state, ui);
  if (id == ui::IDCANCEL) {
    result = 0;
    state.close(0);
  }
}

void SearchDialog::doubleClicked(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == kList) accept(state, ui);
}

double search_data(ui::Interaction& ui, int kind, double* value, int withDegrees, int count, int exclude,
                   int filter, int* result) {
  SearchDialog dialog(kind, withDegrees, count, exclude, filter);
  ui.runModal(dialog);
  if (value) *value = dialog.value;
  if (result) *result = dialog.result;
  return dialog.value;
}

}  // namespace talpora::dialogs
