// zykplace: "Talpora - Enter Data", a place, its time zone and optionally a date, for charts that need
// only where (and when) a moment is: the here-and-now place charts, new almanac calculations, the
// prediction program. Also the place charts "ZYKF%02d.DTF" as the command line reads and sets them.
#pragma once
#include <optional>
#include <string>

#include "dialogs/entry_common.h"

namespace talpora::dialogs {

// Modes 10..19 fill the boxes from place chart mode - 10, 31 from the caller's record; any other mode
// starts empty. With `withDate` the dialog also takes a day, month and year.
class PlaceEntryDialog final : public EntryDialogBase {
 public:
  PlaceEntryDialog(const CIni& settings, const Chart1& work, int mode, bool withDate, EntryServices services);
  void open(ui::FormState&) override;
  bool validate(ui::FormState&, ui::Interaction&) override;
  void atlasSearch(ui::FormState&, ui::Interaction&) override;

 private:
  bool withDate_;
};

// The text shown when the user insists on a zone five hours away from the longitude.
std::string placeZoneTooFarText();
inline constexpr const char* kPlaceZoneTooFarCaption = "Too much is too much!";

// The dialog over a work record in memory: on OK (result 1) `work` holds the place, coordinates, zone
// and, with date, the date typed; the out values get the zone (hours), the latitude (degrees) and the
// longitude (hours). 0 on Cancel, nothing changed.
int lonlat_data(ui::Interaction& ui, const CIni& settings, Chart1& work, int mode, int withDate,
                const EntryServices& services, double* zone, double* latitude, double* longitude);

// The dialog as the other programs call it: the caller's chart comes from "DATA88.DTF" of the program
// directory (modes 10..19 from the place chart); on OK "DATA88.DTF" is replaced by the place name and
// its NUL, or with date by the whole work record. A file that cannot be written is said, and gives 0.
void lonlat_data(ui::Interaction& ui, const CIni& settings, double* zone, double* latitude, double* longitude,
                 int mode, int withDate, int ignored, int* result, const EntryServices& services);

// Place chart `place` (0..99) of the settings' program directory; 1 read, 0 when there is none or it
// cannot be read (said).
int readPlaceChart(ui::Interaction& ui, const CIni& settings, int place, Chart1& chart);
// Sets place chart `place` to a longitude and latitude in degrees (east and north positive), a zone in
// hours and, when given, a place name (CP1252), with the place dialog's checks: a value it refuses is
// said through `ui` and nothing is written. The other fields of an existing place chart are kept.
// 1 written (atomically), 0 refused or failed.
int setPlaceChart(ui::Interaction& ui, const CIni& settings, int place, double longitudeDegrees,
                  double latitudeDegrees, double zoneHours, const std::optional<std::string>& placeName);

}  // namespace talpora::dialogs
