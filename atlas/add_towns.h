// zykaddtown: the atlas manager's dialog "Atlas Manager - Add Towns": a new town inserted in name
// order, and the listing of a country's towns.
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

// A town of exactly the same name less than one degree away in both longitude and latitude: its
// index, or -1.
int nearDuplicate(const TownFile&, const TownRecord&);
// The town file with the town inserted before the first town whose name is above it (at the end when
// there is none); `position` receives its index.
std::string withTownInserted(const TownFile&, const TownRecord&, int* position = nullptr);

// The text of "Atlas.txt" for a country (and a state, 0 for all), CP1252 with CR LF line ends.
std::string countryTownListing(const TownFile&, const AtlasDirectory&, int country, int state);

// Reads a whole number typed in a box: empty is 0; nullopt when it is not a number.
std::optional<long> boxNumber(const std::string& text);

class AddTownsDialog final : public ui::DialogModel {
 public:
  enum Control : ui::ControlId {
    kName = 101,
    kCountries,
    kStates,
    kStateLabel,
    kLonDegrees,
    kLonMinutes,
    kLonSeconds,
    kEast,
    kWest,
    kLatDegrees,
    kLatMinutes,
    kNorth,
    kSouth,
    kAddTown,
    kViewTowns
  };
  explicit AddTownsDialog(std::filesystem::path programDir);
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override;
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  // Tests: make the rewrite of the town file fail after this many bytes.
  void setWriteFault(const WriteFault* fault) { fault_ = fault; }

 private:
  void fillStates(ui::FormState&);
  void addTown(ui::FormState&, ui::Interaction&);
  void viewTowns(ui::FormState&, ui::Interaction&);
  void clearBoxes(ui::FormState&);
  std::filesystem::path dir_;
  std::optional<AtlasDirectory> directory_;
  const WriteFault* fault_ = nullptr;
  ui::FormSpec form_;
};

// The export: the modal dialog over the settings' program directory.
void AtlasManagerAddTowns(ui::Interaction& ui, const CIni& settings, int = 0, int = 0, int = 0);

}  // namespace talpora
