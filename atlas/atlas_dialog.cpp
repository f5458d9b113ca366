// zykatlas: the atlas dialog and the exchange with its caller.
#include "atlas/atlas_dialog.h"

#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/byte_io.h"
#include "platform/mapped_file.h"
#include "platform/program_dir.h"

namespace talpora {

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const auto size = in.tellg();
  if (size < 0) return std::nullopt;
  std::string data(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  in.read(data.data(), size);
  data.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;
  return data;
}

std::filesystem::path AtlasFolder::file(std::string_view name) const {
  return findCaseInsensitive(dir_, name);
}

// The town file and the directory are mapped: a search touches a few dozen of their pages.
std::optional<TownFile> AtlasFolder::towns() const {
  auto mapped = MappedFile::open(file(kTownFileName));
  if (!mapped) return std::nullopt;
  const std::string_view bytes = mapped->bytes();
  return TownFile(std::make_shared<MappedFile>(std::move(*mapped)), bytes);
}

std::optional<TownFile> confirmRewriteAndLoadTowns(const AtlasFolder& folder, ui::Interaction& ui) {
  if (ui.message({"Press OK and be patient. The new atlas is written beside the old one and only then put in "
                  "its place: if your computer were switched off during this operation, you would find your "
                  "atlas as it was before.",
                  "Warning", ui::Buttons::OkCancel, ui::Icon::Warning, std::nullopt}) != ui::Answer::Ok)
    return std::nullopt;
  auto towns = folder.towns();
  if (!towns)
    ui.tell(
        "The Atlas database file cannot be found. Talpora must be re-installed if you want to have access "
        "to the Atlas.",
        "File Error");
  return towns;
}

std::optional<AtlasDirectory> AtlasFolder::directory() const {
  auto mapped = MappedFile::open(file(kAtlasDirectoryFileName));
  if (!mapped) return std::nullopt;
  const std::string_view bytes = mapped->bytes();
  return AtlasDirectory(std::make_shared<MappedFile>(std::move(*mapped)), bytes);
}

ZoneFileSource AtlasFolder::zoneFiles() {
  return [this](int number) -> std::optional<std::string_view> {
    auto it = zones_.find(number);
    if (it == zones_.end()) it = zones_.emplace(number, readWholeFile(file(zoneFileName(number)))).first;
    if (!it->second) return std::nullopt;
    return std::string_view(*it->second);
  };
}

Chart1 readAtlasExchange(const std::filesystem::path& programDir) {
  Chart1 chart = zeroedRecord<Chart1>();
  auto bytes = readWholeFile(findCaseInsensitive(programDir, kAtlasExchangeFileName));
  if (bytes) std::memcpy(static_cast<void*>(&chart), bytes->data(), std::min(bytes->size(), sizeof chart));
  chart.place[sizeof chart.place - 1] = '\0';
  chart.name[sizeof chart.name - 1] = '\0';
  chart.typeText[sizeof chart.typeText - 1] = '\0';
  chart.comment[sizeof chart.comment - 1] = '\0';
  return chart;
}

WriteResult writeAtlasExchange(const std::filesystem::path& programDir, const Chart1& chart) {
  std::string bytes(sizeof chart, '\0');
  std::memcpy(bytes.data(), static_cast<const void*>(&chart), sizeof chart);
  return replaceFileAtomically(programDir / kAtlasExchangeFileName, bytes);
}

int chooseTown(const TownRecord& town, int mode, ZoneFileSource zones, Chart1& exchange,
               ui::Interaction* ui) {
  std::memcpy(exchange.place, town.name, sizeof town.name);
  std::memset(exchange.place + sizeof town.name, 0, sizeof exchange.place - sizeof town.name);
  exchange.longitude = town.longitude;  // degrees here, not the hours of a stored chart
  exchange.latitude = town.latitude;
  exchange.country = town.country;
  exchange.region = town.region;
  exchange.zoneStatus = 0;
  if (mode != kAtlasModeWithZone) return kAtlasCoordinates;
  ZoneMessages messages;
  if (ui) {
    messages.missing = [ui](const std::string& name) {
      ui->tell("File " + name + " could not be found", "Message from zykatlas.dll");
    };
    messages.ranOut = [ui] {
      ui->tell("We got where we thought we could never get", "Message from zykatlas.dll");
    };
  }
  const ZoneAnswer z = zoneAtDate(zones, town, exchange.day, exchange.month, exchange.year, exchange.hour,
                                  exchange.minute, messages);
  if (!z.found) return kAtlasCoordinates;
  exchange.timeZone = z.timeZone;
  exchange.zoneStatus = static_cast<std::int16_t>(z.zoneStatus);
  exchange.year = static_cast<std::int16_t>(z.yearUsed);
  return kAtlasWithZone;
}

AtlasDialog::AtlasDialog(const TownFile& towns, const AtlasDirectory& dir, ZoneFileSource zones,
                         Chart1 exchange, int mode)
    : towns_(towns), dir_(dir), zones_(std::move(zones)), exchange_(exchange), mode_(mode) {
  form_.resource = "ATLAS";
  form_.caption = "Talpora Atlas Database";
  form_.controls = {
      {kTownCount, ui::ControlKind::Static, "", 0, 0, 0, 0},
      {kTownList, ui::ControlKind::List, "", 0, 0, 1, 0, 0, true},
      {ui::IDOK, ui::ControlKind::Button, "OK", 0, 0, 2, 0},
      {ui::IDCANCEL, ui::ControlKind::Button, "Cancel", 0, 0, 2, 1},
  };
}

void AtlasDialog::open(ui::FormState& state) {
  state.setCaption(form_.caption);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d towns.", towns_.count());
  state.setText(kTownCount, buf);
  const std::string key = townSearchKey(towns_, fieldText(exchange_.place));
  window_ = townWindow(towns_, locateTown(towns_, key));
  std::vector<ui::FormState::Item> rows;
  rows.reserve(static_cast<std::size_t>(window_.count));
  for (int i = 0; i < window_.count; ++i) {
    const int index = window_.first + i;
    rows.push_back({townRowText(towns_.at(index), dir_), index});
  }
  state.setItems(kTownList, std::move(rows));
  state.setSelection(kTownList, window_.selected);
  state.focus(kTownList);
}

void AtlasDialog::choose(ui::FormState& state, ui::Interaction& ui) {
  const int row = state.selection(kTownList);
  const int index = state.itemData(kTownList, row);
  if (index < 0 || index >= towns_.count()) return;  // nothing chosen: the list stays
  const int result = chooseTown(towns_.at(index), mode_, zones_, exchange_, &ui);
  state.close(result);
}

void AtlasDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == ui::IDOK) choose(state, ui);
  if (id == ui::IDCANCEL) state.close(kAtlasCancelled);
}

void AtlasDialog::doubleClicked(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id == kTownList) choose(state, ui);
}

int Atlas(ui::Interaction& ui, const CIni& settings, int mode, int /*ignored*/) {
  return Atlas(ui, std::filesystem::path(programDirOf(settings)), mode);
}

int Atlas(ui::Interaction& ui, const std::filesystem::path& programDir, int mode) {
  AtlasFolder folder(programDir);
  Chart1 exchange = readAtlasExchange(programDir);
  const auto towns = folder.towns();
  if (!towns) {
    ui.tell(
        "The Atlas database file cannot be found. Talpora must be re-installed if you want to have access "
        "to the Atlas.",
        "File Error");
    return kAtlasCancelled;
  }
  const auto dir = folder.directory();
  if (!dir) {
    ui.tell(
        "File ZYKDDDir.dtf cannot be found. Talpora must be re-installed if you want to have access to the "
        "Atlas option.",
        "File Error - Message from zykatlas.dll");
    return kAtlasCancelled;
  }
  AtlasDialog dialog(*towns, *dir, folder.zoneFiles(), exchange, mode);
  const int result = ui.runModal(dialog);
  if (result != kAtlasCoordinates && result != kAtlasWithZone) return kAtlasCancelled;
  if (auto w = writeAtlasExchange(programDir, dialog.exchange()); !w) {
    ui.tell(w.error, "File Error");
    return kAtlasCancelled;
  }
  return result;
}

}  // namespace talpora
