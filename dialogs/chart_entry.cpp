// zykentry: the chart data entry dialog.
#include "dialogs/chart_entry.h"

#include <cstdio>

#include "atlas/atlas_dialog.h"
#include "atlas/atlas_files.h"
#include "core/calendar.h"
#include "dialogs/dialog_helpers.h"
#include "platform/byte_io.h"

namespace talpora::dialogs {

using ui::ControlKind;

namespace {
constexpr int kGroupTime = 2, kGroupPerson = 8;

const char* const kNoDlsTail =
    " You must consult a specialised book on time zones and DLS. Call 'Help' and see the bibliography at "
    "the end of the online manual.";
const char* const kNoRecordsPrefix =
    "Talpora holds longitude and latitude for this place but no time records for this period. However, ";
const char* const kNoDlsAssumed = "that for this particular year, no DLS was/will be enforced at this date.";
const char* const kDlsAssumed = "that for this particular year, DLS was/will be enforced at this date";
}  // namespace

ChartEntryDialog::ChartEntryDialog(const CIni& settings, const Chart1& chart, int mode,
                                   EntryServices services)
    : EntryDialogBase(settings, chart, mode, std::move(services)) {
  const auto L = ui::kLabelOffset;
  form_.resource = "Data Entry for a New Chart";
  form_.caption = "Data Entry for a New Chart";
  addDateGroup(0, 1);
  addGroup(kTimeGroup, "Time", kGroupTime, 0, 2);
  add(kTimeLabel, ControlKind::Static, "Time (use 24 hr clock):", kGroupTime, 0, 0);
  add(kHour + L, ControlKind::Static, "h&rs", kGroupTime, 1, 0);
  add(kHour, ControlKind::Number, "", kGroupTime, 1, 1, 2);
  add(kMinute + L, ControlKind::Static, "min", kGroupTime, 1, 2);
  add(kMinute, ControlKind::Number, "", kGroupTime, 1, 3, 2);
  add(kAm, ControlKind::Radio, "AM", kGroupTime, 2, 0);
  add(kPm, ControlKind::Radio, "PM", kGroupTime, 2, 1);
  add(kUnknown, ControlKind::Check, "&unknown", kGroupTime, 2, 2);
  add(kTransitNote, ControlKind::Static, "(*) Time needed only for very precise transits - see Help",
      kGroupTime, 3, 0);
  addZoneGroup(1, 0);
  addPlaceControls(2, 3);
  addGroup(kPersonGroup, "Name, kind of chart and comment", kGroupPerson, 5, 0);
  add(kName + L, ControlKind::Static, "&1 - Person's name:", kGroupPerson, 0, 0);
  add(kName, ControlKind::Edit, "", kGroupPerson, 0, 1, 24);
  add(kTypeText + L, ControlKind::Static, "&2 - Type of chart (optional):", kGroupPerson, 1, 0);
  add(kTypeText, ControlKind::Edit, "", kGroupPerson, 1, 1, 24);
  add(kComment + L, ControlKind::Static, "&3 - Optional Comment:", kGroupPerson, 2, 0);
  add(kComment, ControlKind::MultiEdit, "", kGroupPerson, 2, 1, 200);
  add(ui::IDOK, ControlKind::Button, "OK", 0, -1, 0);
  add(kSave, ControlKind::Button, "&Save", 0, -1, 0);
  add(ui::IDCANCEL, ControlKind::Button, "Cancel", 0, -1, 0);
  add(ui::IDHELP, ControlKind::Button, "&Help", 0, -1, 0);
}

void ChartEntryDialog::fillFrom(ui::FormState& state, const Chart1& c) {
  showDate(state, c);
  int hour = c.hour;
  if (ampm()) {
    int pm = 0;
    Convert24hTimeToAMPM(&hour, &pm);
    setRadio(state, pm ? kPm : kAm, pm ? kAm : kPm);
  }
  state.setText(kHour, std::to_string(hour));
  state.setText(kMinute, std::to_string(c.minute));
  state.setChecked(kUnknown, c.timeKnown == 0);
  showPlace(state, c);
  state.setText(kZoneStatus, zoneStatusLabel(c.zoneStatus));
  state.setText(kName, fieldText(c.name));
  state.setText(kTypeText, fieldText(c.typeText));
  state.setText(kComment, fieldText(c.comment));
}

void ChartEntryDialog::open(ui::FormState& state) {
  setDefaults(state);
  const bool editing = mode_ == 2001 || mode_ == 2031;
  switch (mode_) {
    case 33:
      state.setCaption("Data for the calculation of the Transits");
      break;
    case 51:
      state.setCaption("Talpora Synastry - Data for Chart 1");
      break;
    case 52:
      state.setCaption("Talpora Synastry - Data for Chart 2");
      break;
    case 2001:
    case 2031:
      state.setCaption("Data Entry - Editing: " + fieldText(work_.name) + " - " + fieldText(work_.typeText));
      break;
    default:
      state.setCaption("Data Entry for a New Chart");
  }
  if (ampm()) {
    state.setText(kTimeLabel, "Time (AM/PM)");
  } else {
    state.remove(kAm);
    state.remove(kPm);
    state.setText(kTimeLabel, "Time (use 24 hr clock):");
  }
  if (mode_ == 33) {
    state.setText(kTimeLabel, "Time (optional):");
    state.setText(kTypeText, "Transits");
    for (ui::ControlId id : {kLongitudeGroup, kLatitudeGroup, kUnitGroup, kAtlasSearch}) state.remove(id);
    for (const auto& c : form_.controls)
      if (c.group == 5 || c.group == 6 || c.group == 7) state.remove(c.id);
  } else {
    state.remove(kTransitNote);
  }
  if (mode_ == 33 || mode_ == 2031 || !services_.save) state.remove(kSave);
  if (!services_.atlas) state.remove(kAtlasSearch);
  if (editing) fillFrom(state, work_);
  state.focus(kDay);
}

void ChartEntryDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (id != kSave) return EntryDialogBase::command(id, state, ui);
  if (validate(state, ui) && services_.save && services_.save(ui, work_) == 1) state.close(1);
}

bool ChartEntryDialog::readDateAndTime(ui::FormState& state, ui::Interaction& ui, Chart1& rec) {
  const bool known = !state.checked(kUnknown);
  if (ampm() && known && !state.checked(kAm) && !state.checked(kPm)) {
    ui.message({"You must select either AM or PM", "Error", ui::Buttons::Ok, ui::Icon::Warning, {}});
    state.focus(kAm);
    return false;
  }
  if (!readDate(state, ui, rec)) return false;
  unsigned hour = readUnsigned(state.text(kHour));
  const unsigned minute = readUnsigned(state.text(kMinute));
  if (hour > 24 || (hour == 24 && minute > 0)) {
    refuse(ui, state, kHour, "Time: impossible hour");
    return false;
  }
  if (minute > 59) {
    refuse(ui, state, kMinute, "Time, minutes: impossible figure");
    return false;
  }
  int h = static_cast<int>(hour);
  if (ampm() && (known || h != 0)) {
    if (h < 1 || h > 12) {
      refuse(ui, state, kHour, "Time: impossible hour");
      return false;
    }
    ConvertAMPMTimeTo24h(&h, state.checked(kPm) ? 1 : 0);
  }
  rec.hour = static_cast<std::int16_t>(h);
  rec.minute = static_cast<std::int16_t>(minute);
  rec.timeKnown = known ? 1 : 0;
  return true;
}

bool ChartEntryDialog::validate(ui::FormState& state, ui::Interaction& ui) {
  Chart1 rec = work_;
  if (!readDateAndTime(state, ui, rec)) return false;
  double zone = 0;
  if (!readZone(state, ui, zone)) return false;
  double lon = work_.longitude, lat = work_.latitude;
  if (hasCoordinates() && (!readLongitude(state, ui, lon) || !readLatitude(state, ui, lat))) return false;
  rec.timeZone = zone;
  rec.longitude = lon;
  rec.latitude = lat;
  setField(rec.name, state.text(kName));
  setField(rec.typeText, state.text(kTypeText));
  setField(rec.comment, state.text(kComment).substr(0, sizeof rec.comment - 1));
  setField(rec.place, withoutTrailingBlanks(state.text(kPlace)));
  if (!precisionAccepted(state, ui, rec.year)) return false;
  if (rec.timeKnown &&
      !zoneFits(state, ui, zone, lon,
                std::string(" In this case the discrepancy is too great, and incompatible with Talpora' "
                            "calculations.") +
                    " The option 'unkown' time must be ticked.",
                "Warning from Talpora", true))
    return false;
  const bool editing = mode_ == 2001 || mode_ == 2031;
  if (!editing || rec.chartType == 33 || rec.chartType == 34) rec.chartType = 0;
  work_ = rec;
  return true;
}

void ChartEntryDialog::atlasSearch(ui::FormState& state, ui::Interaction& ui) {
  if (state.checked(kUnknown)) {
    const auto a = ui.message(
        {std::string(
             "If you do not know the time, then there is no point in entering longitude, latitude and "
             "time zone information, which are used to calculate houses. (Houses are meaningless if "
             "you do not know the time.) ") +
             "If you press Cancel, Talpora will set longitude=0 and latitude=0. (Anyway, since you indicated "
             "'unknown' time, all charts will automatically be calculated without houses.)",
         "Warning from Talpora", ui::Buttons::OkCancel, ui::Icon::Warning, ui::Answer::Cancel});
    if (a != ui::Answer::Ok) {
      for (ui::ControlId id : {kLon1, kLon2, kLon3, kLatDeg, kLatMin, kZoneHours, kZoneMinutes})
        state.setText(id, "0");
      exactZone_.reset();
      state.focus(kName);
      return;
    }
  }
  const auto place = placeToSearch(state, ui);
  if (!place) return;
  Chart1 exchange = zeroedRecord<Chart1>();
  const bool noDate = readUnsigned(state.text(kDay)) == 0 && readUnsigned(state.text(kMonth)) == 0 &&
                      readUnsigned(state.text(kYear)) == 0;
  if (noDate) {
    const auto a =
        ui.message({"When no date is entered, Talpora will search for longitude and latitude but not "
                    "for DLS information. Do you wish to continue?",
                    "", ui::Buttons::YesNo, ui::Icon::Information, std::nullopt});
    if (a != ui::Answer::Yes) return;
  } else if (!readDateAndTime(state, ui, exchange)) {
    return;  // no impossible date reaches the zone lookup
  }
  const int typedYear = exchange.year;
  const int result =
      callAtlas(state, ui, exchange, *place, noDate ? kAtlasModeCoordinates : kAtlasModeWithZone);
  if (result == kAtlasCancelled) return;
  int code = exchange.zoneStatus;
  const bool pastRecords = code <= -2001 && code >= -2999;
  if (!noDate && (result == kAtlasCoordinates || (code <= 0 && code != -1999 && !pastRecords))) {
    std::string text = code == -30
                           ? "This was war and different parts of the coutry followed different times. "
                             "Talpora does not hold the details of the battle line and so cannot give "
                             "you the DLS information."
                           : "The search retrieved the longitude and latitude coordinates but no "
                             "information related to daylight saving (DLS).";
    if (typedYear < 2000) text += kNoDlsTail;
    ui.tell(text, "Search Results", ui::Icon::Information);
  }
  if (result == kAtlasWithZone && code > 0) {
    std::string text;
    if (code == 9991 || code == 9994)
      text =
          std::string(kNoRecordsPrefix) +
          "because this country follows the time changes of the European Union (DLS from the last Sunday of "
          "March to the last Sunday of September), you can safely assume " +
          (code == 9991 ? kNoDlsAssumed : kDlsAssumed);
    else if (code == 9011 || code == 9014)
      text = std::string(kNoRecordsPrefix) +
             "because this state usually follows the US Federal Law, you can safely assume " +
             (code == 9011 ? kNoDlsAssumed : kDlsAssumed);
    else
      text =
          "The search retrieved not only longitude/latitude coordinates but also all required time-zone and "
          "daylight saving (DLS) information.";
    ui.tell(text, "Search Results", ui::Icon::Information);
  }
  if (result == kAtlasWithZone && code == -1999) {
    const auto a = ui.message(
        {std::string(
             "Talpora does not hold records for that date. Past records for the same country, however, "
             "show that it normally did not have DLS.") +
             " It is relatively safe to assume no DLS for this date either. If you wish to do so press "
             "'Yes'.",
         "Search Results", ui::Buttons::YesNo, ui::Icon::Question, std::nullopt});
    if (a == ui::Answer::Yes) {
      code = 1;
      state.setText(kComment, "No absolute certainty on DLS information.");
    }
  }
  if (result == kAtlasWithZone && pastRecords) {
    if (usePastRecords(ui, exchange.year, "Search Results")) {
      code = -code - 2000;
      state.setText(kComment, "Doubt on the time zone.");
    }
  }
  takeFound(state, result, exchange, code);
}

int data(ui::Interaction& ui, const CIni& settings, Chart1& chart, int mode, int* result,
         const EntryServices& services) {
  ChartEntryDialog dialog(settings, chart, mode, services);
  const int r = ui.runModal(dialog) == 1 ? 1 : 0;
  if (r == 1) chart = dialog.record();
  if (result) *result = r;
  return r;
}

}  // namespace talpora::dialogs
