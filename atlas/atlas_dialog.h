// zykatlas: the atlas dialog "Talpora Atlas Database" (the town list around the typed place) and its
// export Atlas, which answers through the exchange file "DATA88.DTF".
#pragma once
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "atlas/atlas_files.h"
#include "core/records.h"
#include "platform/atomic_file.h"
#include "platform/ui.h"

namespace talpora {

// The atlas files of a program directory, each read with one read; zone files are read on first use
// and kept by this object.
class AtlasFolder {
 public:
  explicit AtlasFolder(std::filesystem::path dir) : dir_(std::move(dir)) {}
  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path file(std::string_view name) const;
  std::optional<TownFile> towns() const;
  std::optional<AtlasDirectory> directory() const;
  // Zone files by number (nullopt when missing), valid while this object lives.
  ZoneFileSource zoneFiles();

 private:
  std::filesystem::path dir_;
  std::map<int, std::optional<std::string>> zones_;
};

// Before adding or deleting a town: asks the user to be patient (the new atlas is written beside the
// old one), then loads the town file; nullopt when the user cancels or the file is missing (said).
std::optional<TownFile> confirmRewriteAndLoadTowns(const AtlasFolder& folder, ui::Interaction& ui);

// A whole file with one open, one size query and one read; nullopt when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path&);

// Results of Atlas.
inline constexpr int kAtlasCancelled = 0, kAtlasCoordinates = 100, kAtlasWithZone = 200;
// Modes of Atlas.
inline constexpr int kAtlasModeCoordinates = 1, kAtlasModeWithZone = 7;

// The town of a list position copied into the exchange record (longitude and latitude in degrees),
// and in mode 7 the time zone at the record's date: the Atlas result (100 or 200).
int chooseTown(const TownRecord&, int mode, ZoneFileSource, Chart1& exchange, ui::Interaction* ui);

class AtlasDialog final : public ui::DialogModel {
 public:
  enum Control : ui::ControlId { kTownCount = 101, kTownList = 102 };
  AtlasDialog(const TownFile& towns, const AtlasDirectory& dir, ZoneFileSource zones, Chart1 exchange,
              int mode);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  void doubleClicked(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  const Chart1& exchange() const { return exchange_; }
  const TownWindow& window() const { return window_; }

 private:
  void choose(ui::FormState&, ui::Interaction&);
  const TownFile& towns_;
  const AtlasDirectory& dir_;
  ZoneFileSource zones_;
  Chart1 exchange_;
  int mode_;
  TownWindow window_;
  ui::FormSpec form_;
};

// The export: reads the exchange record from "DATA88.DTF" of the program directory, shows the town list
// and writes the chosen town back. 0 cancelled (or an atlas file missing), 100 coordinates only,
// 200 coordinates with time-zone information.
int Atlas(ui::Interaction& ui, const CIni& settings, int mode, int ignored = 0);
int Atlas(ui::Interaction& ui, const std::filesystem::path& programDir, int mode);

// The exchange record: read (zeroed when missing or short) and written (replacing it atomically).
Chart1 readAtlasExchange(const std::filesystem::path& programDir);
WriteResult writeAtlasExchange(const std::filesystem::path& programDir, const Chart1&);

}  // namespace talpora
