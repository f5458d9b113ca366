// zykplace: the place-and-time dialog and the place charts.
#include "dialogs/place_entry.h"

#include <cstdio>
#include <cstring>

#include "atlas/atlas_dialog.h"
#include "atlas/atlas_files.h"
#include "dialogs/dialog_helpers.h"
#include "files/zykfile.h"
#include "platform/atomic_file.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"

namespace talpora::dialogs {

using ui::ControlKind;

namespace {
bool fillsFromRecord(int mode) {
  return (mode >= 10 && mode <= 19) || mode == 31;
}
}  // namespace

std::string placeZoneTooFarText() {
  return std::string(
             " In this case the discrepancy between longitude and time zone is so big that it is not only "
             "absurd, "
             "but it could also crash the system!") +
         " Please enter the proper time zone difference with Greenwich or cancel and come back later.";
}

PlaceEntryDialog::PlaceEntryDialog(const CIni& settings, const Chart1& work, int mode, bool withDate,
                                   EntryServices services)
    : EntryDialogBase(settings, work, mode, std::move(services)), withDate_(withDate) {
  form_.resource = "Talpora - Enter Data";
  form_.caption = "Talpora - Enter Data";
  if (withDate_) addDateGroup(0, 1);
  addZoneGroup(1, 0);
  addPlaceControls(2, 3);
  add(ui::IDOK, ControlKind::Button, "OK", 0, -1, 0);
  add(ui::IDCANCEL, ControlKind::Button, "Cancel", 0, -1, 0);
  add(ui::IDHELP, ControlKind::Button, "&Help", 0, -1, 0);
}

void PlaceEntryDialog::open(ui::FormState& state) {
  setDefaults(state);
  if (mode_ == 10) {
    state.setCaption("Data for 'Here and Now' Charts");
  } else if (mode_ >= 11 && mode_ <= 19) {
    state.setCaption("Data for Now's Charts in Place " + std::to_string(mode_ - 10));
  } else if (mode_ == 31) {
    state.setCaption("Data for new almanac calculations");
  } else {
    state.setCaption("Talpora - Enter Data");
  }
  if (fillsFromRecord(mode_)) {
    showPlace(state, work_);
    state.setText(kZoneStatus, zoneStatusLabel(work_.zoneStatus));
    if (withDate_) showDate(state, work_);
  }
  if (!services_.atlas) state.remove(kAtlasSearch);
  state.focus(withDate_ ? kDay : kZoneHours);
}

bool PlaceEntryDialog::validate(ui::FormState& state, ui::Interaction& ui) {
  Chart1 rec = work_;
  if (withDate_ && !readDate(state, ui, rec)) return false;
  double zone = 0, lon = 0, lat = 0;
  if (!readZone(state, ui, zone) || !readLongitude(state, ui, lon) || !readLatitude(state, ui, lat))
    return false;
  rec.timeZone = zone;
  rec.longitude = lon;
  rec.latitude = lat;
  setField(rec.place, withoutTrailingBlanks(state.text(kPlace)));
  if (withDate_ && !precisionAccepted(state, ui, rec.year)) return false;
  // A place has no unknown time: the zone is always checked against the longitude.
  if (!zoneFits(state, ui, zone, lon, placeZoneTooFarText(), kPlaceZoneTooFarCaption, false)) return false;
  work_ = rec;
  return true;
}

void PlaceEntryDialog::atlasSearch(ui::FormState& state, ui::Interaction& ui) {
  const auto place = placeToSearch(state, ui);
  if (!place) return;
  // The zone is looked up at the caller's date, or at the date typed once it is valid.
  Chart1 exchange = work_;
  if (withDate_ && !readDate(state, ui, exchange)) return;
  const int typedYear = exchange.year;
  const int result = callAtlas(state, ui, exchange, *place, kAtlasModeWithZone);
  if (result == kAtlasCancelled) return;
  int code = exchange.zoneStatus;
  const bool pastRecords = code <= -2001 && code >= -2999;
  if (result == kAtlasCoordinates || (code <= 0 && !pastRecords)) {
    std::string text =
        "The search retrieved the longitude and latitude coordinates but no information related to daylight "
        "saving (DLS).";
    if (typedYear < 2000)
      text +=
          " You must consult a specialised book on time zones and DLS. Call 'Help' and see the bibliography "
          "at "
          "the end of the online manual.";
    ui.tell(text, "Database search only partly successful", ui::Icon::Information);
  } else if (code > 0) {
    const std::string prefix =
        "Talpora holds longitude and latitude for this place but no time records for this period. However, ";
    std::string text;
    if (code == 9991 || code == 9994)
      text = prefix +
             "because this country follows EEC time changes (DLS from the last Sunday of March to the last "
             "Sunday of September), you can safely assume " +
             (code == 9991 ? "that no DLS was/will be enforced at this date"
                           : "that DLS was/will be enforced at this date");
    else if (code == 9011 || code == 9014)
      text = prefix + "because this state usually follows the US Federal Law, you can safely assume " +
             (code == 9011 ? "that for this particular year, no DLS was/will be enforced at this date."
                           : "that for this particular year, DLS was/will be enforced at this date");
    else
      text =
          "The search retrieved not only longitude/latitude coordinates but also all required time-zone and "
          "daylight saving (DLS) information.";
    ui.tell(text, "Database search was successful", ui::Icon::Information);
  } else {
    if (usePastRecords(ui, exchange.year, "Database search only partly successful")) code = -code - 2000;
  }
  takeFound(state, result, exchange, code);
}

int lonlat_data(ui::Interaction& ui, const CIni& settings, Chart1& work, int mode, int withDate,
                const EntryServices& services, double* zone, double* latitude, double* longitude) {
  PlaceEntryDialog dialog(settings, work, mode, withDate == 1, services);
  if (ui.runModal(dialog) != 1) return 0;
  work = dialog.record();
  if (zone) *zone = work.timeZone;
  if (latitude) *latitude = work.latitude;
  if (longitude) *longitude = work.longitude;
  return 1;
}

void lonlat_data(ui::Interaction& ui, const CIni& settings, double* zone, double* latitude, double* longitude,
                 int mode, int withDate, int, int* result, const EntryServices& services) {
  const std::filesystem::path dir = programDirOf(settings);
  Chart1 work = readAtlasExchange(dir);
  if (mode >= 10 && mode <= 19) readPlaceChart(ui, settings, mode - 10, work);
  double z = 0, lat = 0, lon = 0;
  int r = lonlat_data(ui, settings, work, mode, withDate, services, &z, &lat, &lon);
  if (r == 1) {
    WriteResult w;
    if (withDate == 1) {
      w = writeAtlasExchange(dir, work);
    } else {
      const std::string name = fieldText(work.place);
      w = replaceFileAtomically(dir / kAtlasExchangeFileName,
                                std::string_view(name.c_str(), name.size() + 1));
    }
    if (!w) {
      ui.tell(w.error, "File Error");
      r = 0;
    }
  }
  if (r == 1) {
    if (zone) *zone = z;
    if (latitude) *latitude = lat;
    if (longitude) *longitude = lon;
  }
  if (result) *result = r;
}

int readPlaceChart(ui::Interaction& ui, const CIni& settings, int place, Chart1& chart) {
  if (place < 0 || place > 99) {
    ui.tell("There is no place chart " + std::to_string(place) + " (place charts are 0 to 99).", "Error");
    return 0;
  }
  const auto file = findCaseInsensitive(programDirOf(settings), placeChartFileName(place));
  return PutInMemBlock_c1(chart, file, 0, ui);
}

int setPlaceChart(ui::Interaction& ui, const CIni& settings, int place, double lonDegrees, double latDegrees,
                  double zone, const std::optional<std::string>& placeName) {
  if (place < 0 || place > 99) {
    ui.tell("There is no place chart " + std::to_string(place) + " (place charts are 0 to 99).", "Error");
    return 0;
  }
  const double lonHours = lonDegrees / 15;
  if (!zoneInRange(ui, zone) || !longitudeInRange(ui, lonHours) || !latitudeInRange(ui, latDegrees)) return 0;
  if (checkZoneAgainstLongitude(ui, zone, lonHours, placeZoneTooFarText(), kPlaceZoneTooFarCaption) !=
      ZoneFit::Plausible)
    return 0;
  const auto file = findCaseInsensitive(programDirOf(settings), placeChartFileName(place));
  Chart1 chart = place == 0 ? defaultPlaceChart() : zeroedRecord<Chart1>();
  std::error_code ec;
  if (std::filesystem::exists(file, ec) && !PutInMemBlock_c1(chart, file, 0, ui)) return 0;
  chart.longitude = lonHours;
  chart.latitude = latDegrees;
  chart.timeZone = zone;
  if (placeName) setField(chart.place, *placeName);
  return Serialise_c1(chart, file, 0, 1, &ui);
}

}  // namespace talpora::dialogs
