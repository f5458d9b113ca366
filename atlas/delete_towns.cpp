// zykdeltown: deleting towns from the atlas.
#include "atlas/delete_towns.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/byte_io.h"
#include "platform/program_dir.h"

namespace talpora {

std::optional<std::string> withTownRemoved(const TownFile& towns, const TownRecord& town) {
  const std::string_view name = std::string_view(town.name, kTownNameWidth);
  for (int i = locateTown(towns, name); i < towns.count() && compareNames(towns.nameAt(i), name) == 0; ++i) {
    const TownRecord t = towns.at(i);
    if (t.country == town.country && t.region == town.region && t.longitude == town.longitude &&
        t.latitude == town.latitude) {
      std::string out(towns.bytes());
      out.erase(static_cast<std::size_t>(i) * sizeof(TownRecord), sizeof(TownRecord));
      return out;
    }
  }
  return std::nullopt;
}

DeleteTownsDialog::DeleteTownsDialog(std::filesystem::path programDir) : dir_(std::move(programDir)) {
  using K = ui::ControlKind;
  form_.resource = "DELTOWNS";
  form_.caption = "Atlas Manager - Deleting Towns";
  form_.controls = {
      {kName + ui::kLabelOffset, K::Static, "First letters of the &name of the town:", 0, 0, 0, 0},
      {kName, K::Edit, "", 18, 0, 0, 1},
      {kCallAtlas, K::Button, "Call Atlas Data&base", 0, 0, 0, 2},
      {kTownName, K::Static, "", 0, 0, 1, 0},
      {kCountry, K::Static, "", 0, 0, 2, 0},
      {kState, K::Static, "", 0, 0, 3, 0},
      {kLongitude, K::Static, "", 0, 0, 4, 0},
      {kLatitude, K::Static, "", 0, 0, 5, 0},
      {kDeleteTown, K::Button, "&Delete Town", 0, 0, 6, 0},
      {ui::IDCANCEL, K::Button, "Close", 0, 0, 6, 1},
  };
}

void DeleteTownsDialog::open(ui::FormState& state) {
  state.setCaption(form_.caption);
  state.focus(kName);
}

namespace {

std::string angleText(double value, char positive, char negative) {
  const double a = std::fabs(value);
  int d = static_cast<int>(a);
  int m = static_cast<int>(std::floor((a - d) * 60 + 0.5));
  if (m == 60) {
    m = 0;
    ++d;
  }
  char buf[48];
  std::snprintf(buf, sizeof buf, "%d\xB0 %02d' %c", d, m, value < 0 ? negative : positive);
  return buf;
}

}  // namespace

void DeleteTownsDialog::showPicked(ui::FormState& state) {
  if (!picked_) {
    for (ui::ControlId id : {kTownName, kCountry, kState, kLongitude, kLatitude}) state.setText(id, "");
    return;
  }
  const TownRecord& t = *picked_;
  AtlasFolder folder(dir_);
  const auto dir = folder.directory();
  state.setText(kTownName, townName(t));
  state.setText(kCountry, dir ? dir->countryName(t.country) : std::string());
  std::string stateText;
  if (HasStates(t.country) == 2 && t.region > 0) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "Departement %d", t.region);
    stateText = buf;
  } else if (dir) {
    stateText = dir->stateName(t.country, t.region);
  }
  state.setText(kState, stateText);
  state.setText(kLongitude, "Longitude: " + angleText(t.longitude, 'E', 'W'));
  state.setText(kLatitude, "Latitude: " + angleText(t.latitude, 'N', 'S'));
}

void DeleteTownsDialog::callAtlas(ui::FormState& state, ui::Interaction& ui) {
  Chart1 exchange = zeroedRecord<Chart1>();
  setField(exchange.place, state.text(kName).substr(0, 18));
  if (auto w = writeAtlasExchange(dir_, exchange); !w) {
    ui.tell(w.error, "File Error", ui::Icon::Stop);
    return;
  }
  if (Atlas(ui, dir_, kAtlasModeCoordinates) != kAtlasCoordinates) return;
  const Chart1 back = readAtlasExchange(dir_);
  TownRecord t{};
  std::memcpy(t.name, back.place, sizeof t.name);
  t.name[kTownNameWidth] = '\0';
  t.country = back.country;
  t.region = back.region;
  t.longitude = static_cast<float>(back.longitude);
  t.latitude = static_cast<float>(back.latitude);
  picked_ = t;
  showPicked(state);
}

void DeleteTownsDialog::deleteTown(ui::FormState& state, ui::Interaction& ui) {
  if (!picked_) {
    ui.tell(std::string("1) type of name of town in the edit control at the top, 2) call Atlas Database. ") +
                "As long a town has not been selected in Atlas Database, it cannot be deleted.",
            "Nothing to delete");
    return;
  }
  if (ui.message(
          {"Are you sure you want to delete the town called '" + townName(*picked_) + "' from your atlas?",
           "Confirm delete", ui::Buttons::YesNo, ui::Icon::Question, std::nullopt}) != ui::Answer::Yes)
    return;
  AtlasFolder folder(dir_);
  auto towns = confirmRewriteAndLoadTowns(folder, ui);
  if (!towns) return;
  auto bytes = withTownRemoved(*towns, *picked_);
  if (bytes) {
    if (auto w = replaceFileAtomically(folder.file(kTownFileName), *bytes, fault_); !w) {
      ui.tell(w.error, "File Error", ui::Icon::Stop);
      return;
    }
  }
  picked_.reset();
  showPicked(state);
  state.setText(kName, "");
  state.focus(kName);
}

void DeleteTownsDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  switch (id) {
    case kCallAtlas:
      callAtlas(state, ui);
      break;
    case kDeleteTown:
      deleteTown(state, ui);
      break;
    case ui::IDCANCEL:
      state.close(0);
      break;
    default:
      break;
  }
}

void AtlasManagerDeleteTowns(ui::Interaction& ui, const CIni& settings, int, int, int) {
  DeleteTownsDialog dialog{std::filesystem::path(programDirOf(settings))};
  ui.runModal(dialog);
}

}  // namespace talpora
