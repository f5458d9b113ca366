// zykdeltown: the atlas manager's dialog "Atlas Manager - Deleting Towns": a town picked through the
// atlas dialog and removed from the town file.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "atlas/atlas_dialog.h"
#include "atlas/atlas_files.h"
#include "core/records.h"
#include "platform/atomic_file.h"
#include "platform/ui.h"

namespace talpora {

// The town file without the first town equal to `town` in name, country, region, longitude and
// latitude; nullopt when there is none.
std::optional<std::string> withTownRemoved(const TownFile&, const TownRecord& town);

class DeleteTownsDialog final : public ui::DialogModel {
 public:
  enum Control : ui::ControlId {
    kName = 201,
    kCallAtlas,
    kTownName,
    kCountry,
    kState,
    kLongitude,
    kLatitude,
    kDeleteTown
  };
  explicit DeleteTownsDialog(std::filesystem::path programDir);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  void setWriteFault(const WriteFault* fault) { fault_ = fault; }
  const std::optional<TownRecord>& picked() const { return picked_; }

 private:
  void callAtlas(ui::FormState&, ui::Interaction&);
  void deleteTown(ui::FormState&, ui::Interaction&);
  void showPicked(ui::FormState&);
  std::filesystem::path dir_;
  std::optional<TownRecord> picked_;
  const WriteFault* fault_ = nullptr;
  ui::FormSpec form_;
};

void AtlasManagerDeleteTowns(ui::Interaction& ui, const CIni& settings, int = 0, int = 0, int = 0);

}  // namespace talpora
