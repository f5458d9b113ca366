// zykaddtown: adding towns to the atlas and listing the towns of a country.
#include "atlas/add_towns.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/program_dir.h"

namespace talpora {

int nearDuplicate(const TownFile& towns, const TownRecord& town) {
  const std::string_view name = std::string_view(town.name, kTownNameWidth);
  const int from = locateTown(towns, name);
  for (int i = from; i < towns.count() && compareNames(towns.nameAt(i), name) == 0; ++i) {
    const TownRecord t = towns.at(i);
    if (std::fabs(t.longitude - town.longitude) < 1.0f && std::fabs(t.latitude - town.latitude) < 1.0f)
      return i;
  }
  return -1;
}

std::string withTownInserted(const TownFile& towns, const TownRecord& town, int* position) {
  const std::string_view name = std::string_view(town.name, kTownNameWidth);
  // Before the first town whose name is above the new one.
  int lo = 0, hi = towns.count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (compareNames(towns.nameAt(mid), name) <= 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (position) *position = lo;
  const std::size_t at = static_cast<std::size_t>(lo) * sizeof(TownRecord);
  std::string out;
  out.reserve(towns.bytes().size() + sizeof(TownRecord));
  out.append(towns.bytes().substr(0, at));
  out += encodeTown(town);
  out.append(towns.bytes().substr(at));
  return out;
}

namespace {

std::string degreesMinutes(double value, char positive, char negative, int width) {
  const double a = std::fabs(value);
  int d = static_cast<int>(a);
  int m = static_cast<int>(std::floor((a - d) * 60 + 0.5));
  if (m == 60) {
    m = 0;
    ++d;
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, "%*d\xB0%02d'%c", width, d, m, value < 0 ? negative : positive);
  return buf;
}

}  // namespace

std::string countryTownListing(const TownFile& towns, const AtlasDirectory& dir, int country, int state) {
  std::string title = dir.countryName(country);
  const bool byState = state > 0 && HasStates(country) == 3;
  if (byState) title += " - " + dir.stateName(country, state);
  std::string out = "All towns of Talpora Atlas Database for " + title + "\r\n";
  int total = 0;
  for (int i = 0; i < towns.count(); ++i) {
    const TownRecord t = towns.at(i);
    if (t.country != country) continue;
    if (byState && t.region != state && dir.stateName(country, t.region) != dir.stateName(country, state))
      continue;
    out += fieldText(t.name) + "  " + degreesMinutes(t.longitude, 'E', 'W', 3) + "  " +
           degreesMinutes(t.latitude, 'N', 'S', 2) + "\r\n";
    ++total;
  }
  out += "\r\n";
  if (total > 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Total = %d towns", total);
    out += buf;
  } else {
    out += "The present version of your atlas contains no entry for this country";
  }
  out += "\r\n\r\nExit by pressing Alt+F4 \n";
  return out;
}

std::optional<long> boxNumber(const std::string& text) {
  std::size_t b = text.find_first_not_of(' ');
  if (b == std::string::npos) return 0;
  std::size_t e = text.find_last_not_of(' ');
  const std::string t = text.substr(b, e - b + 1);
  for (char c : t)
    if (c < '0' || c > '9') return std::nullopt;
  if (t.size() > 6) return std::nullopt;
  return std::strtol(t.c_str(), nullptr, 10);
}

AddTownsDialog::AddTownsDialog(std::filesystem::path programDir) : dir_(std::move(programDir)) {
  using K = ui::ControlKind;
  form_.resource = "ADDTOWNS";
  form_.caption = "Atlas Manager - Add Towns";
  form_.controls = {
      {kName + ui::kLabelOffset, K::Static, "&Name of the town:", 0, 0, 0, 0},
      {kName, K::Edit, "", 18, 0, 0, 1},
      {kCountries + ui::kLabelOffset, K::Static, "&Country:", 0, 0, 1, 0},
      {kCountries, K::List, "", 0, 0, 1, 1},
      {kStateLabel, K::Static, "Select state:", 0, 0, 2, 0, kStates},
      {kStates, K::List, "", 0, 0, 2, 1},
      {kLonDegrees + ui::kLabelOffset, K::Static, "&Longitude:", 0, 0, 3, 0},
      {kLonDegrees, K::Number, "", 3, 0, 3, 1},
      {kLonMinutes, K::Number, "", 2, 0, 3, 2},
      {kLonSeconds, K::Number, "", 2, 0, 3, 3},
      {kEast, K::Radio, "&East", 0, 1, 3, 4},
      {kWest, K::Radio, "&West", 0, 1, 3, 5},
      {kLatDegrees + ui::kLabelOffset, K::Static, "L&atitude:", 0, 0, 4, 0},
      {kLatDegrees, K::Number, "", 2, 0, 4, 1},
      {kLatMinutes, K::Number, "", 2, 0, 4, 2},
      {kNorth, K::Radio, "&North", 0, 2, 4, 4},
      {kSouth, K::Radio, "&South", 0, 2, 4, 5},
      {kAddTown, K::Button, "&Add Town", 0, 0, 5, 0},
      {kViewTowns, K::Button, "&View All Towns of a Country", 0, 0, 5, 1},
      {ui::IDCANCEL, K::Button, "Close", 0, 0, 5, 2},
  };
}

void AddTownsDialog::open(ui::FormState& state) {
  state.setCaption(form_.caption);
  AtlasFolder folder(dir_);
  directory_ = folder.directory();
  std::vector<ui::FormState::Item> countries;
  if (directory_) {
    for (int c = 1; c <= directory_->countryCount(); ++c)
      countries.push_back({directory_->countryName(c), c});
    std::sort(countries.begin(), countries.end(),
              [](const auto& a, const auto& b) { return compareNames(a.text, b.text) < 0; });
  }
  state.setItems(kCountries, std::move(countries));
  state.setChecked(kEast, true);
  state.setChecked(kNorth, true);
  fillStates(state);
  state.focus(kName);
}

void AddTownsDialog::fillStates(ui::FormState& state) {
  const int country = state.itemData(kCountries, state.selection(kCountries));
  std::vector<ui::FormState::Item> items;
  std::string label = "Select state:";
  if (country == 7) {
    label = "Departement:";
    for (int d = 1; d <= 95; ++d) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "Departement %02d", d);
      items.push_back({buf, d});
    }
  } else if (country > 0 && HasStates(country) == 3 && directory_) {
    for (auto& [code, name] : directory_->statesOf(country)) items.push_back({name, code});
  }
  if (items.empty()) {
    state.setItems(kStates, {{"No states", 0}});
    state.enable(kStates, false);
  } else {
    state.setItems(kStates, std::move(items));
    state.enable(kStates, true);
  }
  state.setSelection(kStates, -1);
  state.setText(kStateLabel, label);
}

void AddTownsDialog::clearBoxes(ui::FormState& state) {
  for (ui::ControlId id : {kName, kLonDegrees, kLonMinutes, kLonSeconds, kLatDegrees, kLatMinutes})
    state.setText(id, "");
  state.setSelection(kCountries, -1);
  fillStates(state);
  state.setChecked(kEast, true);
  state.setChecked(kWest, false);
  state.setChecked(kNorth, true);
  state.setChecked(kSouth, false);
  state.focus(kName);
}

void AddTownsDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  switch (id) {
    case kCountries:
      fillStates(state);
      break;
    case kEast:
    case kWest:
      state.setChecked(kEast, id == kEast);
      state.setChecked(kWest, id == kWest);
      break;
    case kNorth:
    case kSouth:
      state.setChecked(kNorth, id == kNorth);
      state.setChecked(kSouth, id == kSouth);
      break;
    case kAddTown:
      addTown(state, ui);
      break;
    case kViewTowns:
      viewTowns(state, ui);
      break;
    case ui::IDCANCEL:
      state.close(0);
      break;
    default:
      break;
  }
}

namespace {

// A box read as a whole number within [0, max]; on failure the message, the box cleared and focused.
bool readBox(ui::FormState& state, ui::Interaction& ui, ui::ControlId id, long max, const char* message,
             long& out) {
  const auto v = boxNumber(state.text(id));
  if (v && *v >= 0 && *v <= max) {
    out = *v;
    return true;
  }
  ui.tell(message, "Error", ui::Icon::Warning);
  state.setText(id, "");
  state.focus(id);
  return false;
}

bool askSuspect(ui::Interaction& ui, const std::string& text) {
  return ui.message({text, "Suspect data", ui::Buttons::YesNo, ui::Icon::Question, ui::Answer::No}) ==
         ui::Answer::Yes;
}

}  // namespace

void AddTownsDialog::addTown(ui::FormState& state, ui::Interaction& ui) {
  std::string name = state.text(kName).substr(0, 18);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (name.empty()) {
    ui.tell("A name of place must be entered", "Impossible data", ui::Icon::Warning);
    state.focus(kName);
    return;
  }
  const int country = state.itemData(kCountries, state.selection(kCountries));
  if (country <= 0) {
    ui.tell("A country must be selected", "Error", ui::Icon::Warning);
    state.focus(kCountries);
    return;
  }
  int region = 0;
  if (state.enabled(kStates)) {
    region = state.itemData(kStates, state.selection(kStates));
    if (region <= 0) {
      ui.tell("For a town in this country, a state must be selected", "Error", ui::Icon::Warning);
      state.focus(kStates);
      return;
    }
  }
  long d = 0, m = 0, s = 0;
  if (!readBox(state, ui, kLonDegrees, 180, "Longitude, Degrees: impossible figure", d) ||
      !readBox(state, ui, kLonMinutes, 59, "Longitude, Minutes: impossible figure", m) ||
      !readBox(state, ui, kLonSeconds, 59, "Longitude, Seconds: impossible figure", s))
    return;
  double lon = d + m / 60.0 + s / 3600.0;
  if (state.checked(kWest)) lon = -lon;
  if (std::fabs(lon) > 180) {
    ui.tell("Longitude: impossible figure. (A longitude can't be more than 12 hours or 180\xB0.)", "Error",
            ui::Icon::Warning);
    state.focus(kLonDegrees);
    return;
  }
  if (lon == 0 && !askSuspect(ui, "Are you sure you want to enter longitude = 0?")) {
    state.focus(kLonDegrees);
    return;
  }
  if (!readBox(state, ui, kLatDegrees, 90, "Latitude, Degrees: impossible figure", d) ||
      !readBox(state, ui, kLatMinutes, 59, "Latitude, Minutes: impossible figure", m))
    return;
  double lat = d + m / 60.0;
  if (state.checked(kSouth)) lat = -lat;
  if (std::fabs(lat) > 90) {
    ui.tell("Latitude: impossible figure. (A latitude can't be more than 90\xB0.)", "Error",
            ui::Icon::Warning);
    state.focus(kLatDegrees);
    return;
  }
  if (lat == 0 && !askSuspect(ui, "Are you sure you want to enter latitude = 0?")) {
    state.focus(kLatDegrees);
    return;
  }
  AtlasFolder folder(dir_);
  auto towns = confirmRewriteAndLoadTowns(folder, ui);
  if (!towns) return;
  const TownRecord town = makeTown(name, country, region, lon, lat);
  if (const int dup = nearDuplicate(*towns, town); dup >= 0) {
    const std::string text = "Your atlas already contains a town named " + townName(towns->at(dup)) +
                             ", and located at less than one degree of longitude and latitude from the town "
                             "which you are presently adding. " +
                             "If you continue, it is likely the same town will be entered twice. " +
                             "Do you wish to continue with this entry?";
    if (ui.message({text, "Duplicate Entry", ui::Buttons::YesNo, ui::Icon::Question, ui::Answer::No}) !=
        ui::Answer::Yes)
      return;
  }
  const std::string bytes = withTownInserted(*towns, town);
  if (auto w = replaceFileAtomically(folder.file(kTownFileName), bytes, fault_); !w) {
    ui.tell(w.error, "File Error", ui::Icon::Stop);
    return;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "There are %d towns in your atlas.", towns->count() + 1);
  ui.tell(buf, "Atlas Manager - Add Towns");
  clearBoxes(state);
}

void AddTownsDialog::viewTowns(ui::FormState& state, ui::Interaction& ui) {
  const int country = state.itemData(kCountries, state.selection(kCountries));
  if (country <= 0) {
    ui.tell("Please select a country, then press the button again", "Error", ui::Icon::Warning);
    state.focus(kCountries);
    return;
  }
  int region = 0;
  if (HasStates(country) == 3 && state.enabled(kStates)) {
    region = state.itemData(kStates, state.selection(kStates));
    if (region <= 0) {
      region = 0;
      if (ui.message({"Do you wish to select a particular state?", "", ui::Buttons::YesNo, ui::Icon::Question,
                      std::nullopt}) == ui::Answer::Yes) {
        state.focus(kStates);
        return;
      }
    }
  }
  AtlasFolder folder(dir_);
  auto towns = folder.towns();
  if (!towns || !directory_) {
    ui.tell(
        "The Atlas database file cannot be found. Talpora must be re-installed if you want to have access "
        "to the Atlas.",
        "File Error");
    return;
  }
  const std::string text = cp1252ToUtf8(countryTownListing(*towns, *directory_, country, region));
  const auto path = dir_ / "Atlas.txt";
  if (auto w = replaceFileAtomically(path, text); !w) {
    ui.tell(w.error, "File Error", ui::Icon::Stop);
    return;
  }
  ui.showTextFile(path);
}

void AtlasManagerAddTowns(ui::Interaction& ui, const CIni& settings, int, int, int) {
  AddTownsDialog dialog{std::filesystem::path(programDirOf(settings))};
  ui.runModal(dialog);
}

}  // namespace talpora
