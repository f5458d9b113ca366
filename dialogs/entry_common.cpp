// zykentry, zykplace: the boxes, checks and atlas plumbing the two entry dialogs share.
#include "dialogs/entry_common.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "atlas/atlas_dialog.h"
#include "atlas/atlas_files.h"
#include "core/calendar.h"
#include "dialogs/dialog_helpers.h"
#include "format/text_format.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"
#include "store/chart_store.h"

namespace talpora::dialogs {

using ui::ControlKind;

namespace {
constexpr int kGroupDate = 1, kGroupZone = 3, kGroupPlace = 4, kGroupLongitude = 5,
              kGroupUnit = 6, kGroupLatitude = 7;
// Small labels that focus nothing ("hrs", "min", "sec", "deg").
constexpr ui::ControlId kPlainLabels = 170;

ui::Answer ask(ui::Interaction& ui, std::string text, std::string caption, ui::Buttons buttons, ui::Icon icon,
               ui::Answer preselected) {
  return ui.message({std::move(text), std::move(caption), buttons, icon, preselected});
}

}  // namespace

std::string withoutTrailingBlanks(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

namespace {
bool onlyDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}
}  // namespace

bool zoneInRange(ui::Interaction& ui, double zone) {
  if (zone >= -20 && zone <= 20) return true;
  ui.message({"Impossible Time Zone", "Error", ui::Buttons::Ok, ui::Icon::Stop, {}});
  return false;
}

bool longitudeInRange(ui::Interaction& ui, double hours) {
  if (std::fabs(hours) <= 12) return true;
  ui.message({"Longitude: impossible figure. (A longitude can't be more than 12 hours or 180\xB0.)",
              "Error",
              ui::Buttons::Ok,
              ui::Icon::Warning,
              {}});
  return false;
}

bool latitudeInRange(ui::Interaction& ui, double degrees) {
  if (std::fabs(degrees) <= 90) return true;
  ui.message({"Latitude: impossible figure. (A latitude can't be more than 90\xB0.)",
              "Error",
              ui::Buttons::Ok,
              ui::Icon::Warning,
              {}});
  return false;
}

ZoneFit checkZoneAgainstLongitude(ui::Interaction& ui, double zone, double lon, const std::string& tooFarText,
                                  const std::string& tooFarCaption) {
  const auto question = [&](const char* text) {
    return ask(ui, text, "Warning from Talpora", ui::Buttons::YesNo, ui::Icon::Question, ui::Answer::No) ==
           ui::Answer::Yes;
  };
  if (zone < 0 && lon > 2 &&
      !question("With the longitude you have entered, it is highly unlikely that the time is earlier than "
                "that of Greenwich. Do you still wish to continue?"))
    return ZoneFit::NotEarlier;
  if (zone > 0 && lon < -2 &&
      !question("With the longitude you have entered, it is highly unlikely that the time is later than that "
                "of Greenwich. Do you still wish to continue?"))
    return ZoneFit::NotLater;
  if (std::fabs(lon) > std::fabs(zone) + 5) {
    if (!question("With the longitude you have entered, it is highly unlikely that the time zone can be what "
                  "you have entered (i.e. more than five hours different from the longitude). Do you still "
                  "wish to continue?"))
      return ZoneFit::Declined;
    ui.tell(tooFarText, tooFarCaption);
    return ZoneFit::TooFar;
  }
  return ZoneFit::Plausible;
}

int currentYear(const sys::Clock* clock) {
  if (clock) return clock->now().year;
  const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&t, &local);
  return local.tm_year + 1900;
}

AtlasSearch programDirAtlas(std::filesystem::path programDir) {
  return [dir = std::move(programDir)](ui::Interaction& ui, Chart1& exchange, int mode) {
    if (auto w = writeAtlasExchange(dir, exchange); !w) {
      ui.tell(w.error, "File Error");
      return kAtlasCancelled;
    }
    const int result = Atlas(ui, dir, mode);
    if (result == kAtlasCancelled) return result;
    std::error_code ec;
    if (!std::filesystem::exists(findCaseInsensitive(dir, kAtlasExchangeFileName), ec))
      return kAtlasCancelled;
    exchange = readAtlasExchange(dir);
    return result;
  };
}

ChartSaver chartStoreSaver(const CIni& settings) {
  return [settings](ui::Interaction& ui, const Chart1& chart) { return SaveChart(ui, settings, chart, 0); };
}

EntryServices programEntryServices(const CIni& settings, const sys::Clock* clock, sys::HelpViewer* help) {
  EntryServices s;
  s.atlas = programDirAtlas(programDirOf(settings));
  s.save = chartStoreSaver(settings);
  s.clock = clock;
  s.help = help;
  return s;
}

// ---------------------------------------------------------------------------------------------------

EntryDialogBase::EntryDialogBase(const CIni& settings, const Chart1& work, int mode, EntryServices services)
    : settings_(settings), work_(work), mode_(mode), services_(std::move(services)) {}

void EntryDialogBase::add(ui::ControlId id, ControlKind kind, std::string text, int group, int row,
                          int column, int maxLength) {
  ui::ControlSpec c;
  c.id = id;
  c.kind = kind;
  c.text = std::move(text);
  c.group = group;
  c.row = row;
  c.column = column;
  c.maxLength = maxLength;
  form_.controls.push_back(std::move(c));
}

void EntryDialogBase::addGroup(ui::ControlId id, std::string title, int group, int row, int column) {
  add(id, ControlKind::Group, std::move(title), group, row, column);
}

void EntryDialogBase::addDateGroup(int row, int column) {
  const auto L = ui::kLabelOffset;
  addGroup(kDateGroup, "Date", kGroupDate, row, column);
  add(kDay + L, ControlKind::Static, "&Day:", kGroupDate, 0, 0);
  add(kDay, ControlKind::Number, "", kGroupDate, 0, 1, 2);
  add(kMonth + L, ControlKind::Static, "&Month:", kGroupDate, 0, 2);
  add(kMonth, ControlKind::Number, "", kGroupDate, 0, 3, 2);
  add(kYear + L, ControlKind::Static, "&Year:", kGroupDate, 0, 4);
  add(kYear, ControlKind::Number, "", kGroupDate, 0, 5, 4);
}

void EntryDialogBase::addZoneGroup(int row, int column) {
  const auto L = ui::kLabelOffset;
  addGroup(kZoneGroup, "Time zone (the clock against Greenwich)", kGroupZone, row, column);
  add(kZoneHours + L, ControlKind::Static, "This &time was/will be(*):", kGroupZone, 0, 0);
  add(kZoneHours, ControlKind::Edit, "", kGroupZone, 0, 1, 2);
  add(kPlainLabels + 0, ControlKind::Static, "hrs", kGroupZone, 0, 2);
  add(kZoneMinutes, ControlKind::Number, "", kGroupZone, 0, 3, 2);
  add(kPlainLabels + 1, ControlKind::Static, "min", kGroupZone, 0, 4);
  add(kEarlier, ControlKind::Radio, "earlier", kGroupZone, 1, 1);
  add(kLater, ControlKind::Radio, "later(**)", kGroupZone, 1, 3);
  add(kZoneStatus, ControlKind::Static, "", kGroupZone, 2, 0);
}

void EntryDialogBase::addPlaceControls(int placeRow, int latitudeRow) {
  const auto L = ui::kLabelOffset;
  addGroup(kPlaceGroup, "Place", kGroupPlace, placeRow, 0);
  add(kPlace + L, ControlKind::Static, "Name of the &Place:", kGroupPlace, 0, 0);
  add(kPlace, ControlKind::Edit, "", kGroupPlace, 0, 1, 24);
  add(kAtlasSearch, ControlKind::Button, "Call Atlas Data&base", kGroupPlace, 0, 2);

  addGroup(kLongitudeGroup, "Longitude", kGroupLongitude, latitudeRow, 1);
  add(kLon1 + L, ControlKind::Static, "&Longitude", kGroupLongitude, 0, 0);
  add(kLon1, ControlKind::Number, "", kGroupLongitude, 0, 1, 3);
  add(kLonUnitLabel, ControlKind::Static, "deg", kGroupLongitude, 0, 2);
  add(kLon2, ControlKind::Number, "", kGroupLongitude, 0, 3, 2);
  add(kPlainLabels + 2, ControlKind::Static, "min", kGroupLongitude, 0, 4);
  add(kLon3, ControlKind::Number, "", kGroupLongitude, 0, 5, 2);
  add(kPlainLabels + 3, ControlKind::Static, "sec", kGroupLongitude, 0, 6);
  add(kEast, ControlKind::Radio, "&East", kGroupLongitude, 1, 1);
  add(kWest, ControlKind::Radio, "&West", kGroupLongitude, 1, 3);

  addGroup(kLatitudeGroup, "Latitude", kGroupLatitude, latitudeRow, 2);
  add(kLatDeg + L, ControlKind::Static, "Lat&itude", kGroupLatitude, 0, 0);
  add(kLatDeg, ControlKind::Number, "", kGroupLatitude, 0, 1, 2);
  add(kPlainLabels + 4, ControlKind::Static, "deg", kGroupLatitude, 0, 2);
  add(kLatMin, ControlKind::Number, "", kGroupLatitude, 0, 3, 2);
  add(kPlainLabels + 5, ControlKind::Static, "min", kGroupLatitude, 0, 4);
  add(kNorth, ControlKind::Radio, "&North", kGroupLatitude, 1, 1);
  add(kSouth, ControlKind::Radio, "&South", kGroupLatitude, 1, 3);

  addGroup(kUnitGroup, "Longitude unit", kGroupUnit, latitudeRow + 1, 1);
  add(kUnitHours, ControlKind::Radio, "hours/min/sec", kGroupUnit, 0, 0);
  add(kUnitDegrees, ControlKind::Radio, "de&grees/min/sec", kGroupUnit, 0, 1);
}

void EntryDialogBase::setRadio(ui::FormState& state, ui::ControlId on, ui::ControlId off) {
  state.setChecked(on, true);
  state.setChecked(off, false);
}

void EntryDialogBase::setDefaults(ui::FormState& state) {
  setRadio(state, kLater, kEarlier);
  setRadio(state, kUnitDegrees, kUnitHours);
  setRadio(state, kEast, kWest);
  setRadio(state, kNorth, kSouth);
  state.setText(kLonUnitLabel, "deg");
  lonInHours_ = false;
}

bool EntryDialogBase::radioCommand(ui::ControlId id, ui::FormState& state) {
  static constexpr std::pair<ui::ControlId, ui::ControlId> pairs[] = {
      {kAm, kPm}, {kEarlier, kLater}, {kEast, kWest}, {kNorth, kSouth}};
  for (auto [a, b] : pairs) {
    if (id == a || id == b) {
      setRadio(state, id, id == a ? b : a);
      return true;
    }
  }
  if (id != kUnitHours && id != kUnitDegrees) return false;
  const bool toHours = id == kUnitHours;
  setRadio(state, id, toHours ? kUnitDegrees : kUnitHours);
  if (toHours == lonInHours_) return true;
  const double a = readUnsigned(state.text(kLon1)), b = readUnsigned(state.text(kLon2)),
               c = readUnsigned(state.text(kLon3));
  const double value = toHours ? a / 15 + b / 900 + c / 54000 : (a + b / 60 + c / 3600) * 15;
  const UnitsMinutesSeconds s = splitSeconds(std::fabs(value));
  state.setText(kLon1, std::to_string(s.units));
  state.setText(kLon2, std::to_string(s.minutes));
  state.setText(kLon3, std::to_string(s.seconds));
  state.setText(kLonUnitLabel, toHours ? "hrs" : "deg");
  lonInHours_ = toHours;
  return true;
}

void EntryDialogBase::showDate(ui::FormState& state, const Chart1& c) {
  if (c.day == 0 && c.month == 0 && c.year == 0) return;  // a record without a date: empty boxes
  state.setText(kDay, std::to_string(c.day));
  state.setText(kMonth, std::to_string(c.month));
  state.setText(kYear, std::to_string(c.year));
}

void EntryDialogBase::showLongitude(ui::FormState& state, double hours) {
  const UnitsMinutesSeconds s = splitSeconds(std::fabs(hours * 15));
  state.setText(kLon1, std::to_string(s.units));
  state.setText(kLon2, std::to_string(s.minutes));
  state.setText(kLon3, std::to_string(s.seconds));
  state.setText(kLonUnitLabel, "deg");
  setRadio(state, kUnitDegrees, kUnitHours);
  lonInHours_ = false;
  if (hours < 0)
    setRadio(state, kWest, kEast);
  else
    setRadio(state, kEast, kWest);  // zero shows as East
}

void EntryDialogBase::showLatitude(ui::FormState& state, double degrees) {
  const UnitsMinutes d = splitMinutes(std::fabs(degrees));
  state.setText(kLatDeg, std::to_string(d.units));
  state.setText(kLatMin, std::to_string(d.minutes));
  if (degrees < 0)
    setRadio(state, kSouth, kNorth);
  else
    setRadio(state, kNorth, kSouth);  // zero shows as North
}

void EntryDialogBase::showZone(ui::FormState& state, double hours) {
  const UnitsMinutes z = splitMinutes(std::fabs(hours));
  state.setText(kZoneHours, std::to_string(z.units));
  state.setText(kZoneMinutes, std::to_string(z.minutes));
  if (hours < 0)
    setRadio(state, kEarlier, kLater);
  else
    setRadio(state, kLater, kEarlier);
  exactZone_.reset();
}

void EntryDialogBase::showZoneUnknown(ui::FormState& state) {
  state.setText(kZoneHours, "?");
  state.setText(kZoneMinutes, "0");
  exactZone_.reset();
}

void EntryDialogBase::showPlace(ui::FormState& state, const Chart1& c) {
  state.setText(kPlace, fieldText(c.place));
  showLongitude(state, c.longitude);
  showLatitude(state, c.latitude);
  showZone(state, c.timeZone);
}

void EntryDialogBase::editFinished(ui::ControlId id, ui::FormState& state, ui::Interaction&) {
  if (id == kYear) expandedYear(state);
}

int EntryDialogBase::expandedYear(ui::FormState& state) {
  std::string text = state.text(kYear);
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  while (!text.empty() && text.back() == ' ') text.pop_back();
  int year = static_cast<int>(std::min(readUnsigned(text), 9999u));
  // One or two digits: 1..99, or "00" for 2000. A lone "0" stays the impossible year 0.
  if (onlyDigits(text) && text.size() <= 2 && (year > 0 || text == "00")) {
    year = expandTwoDigitYear(year, currentYear(services_.clock));
    state.setText(kYear, std::to_string(year));
  }
  return year;
}

bool EntryDialogBase::readDate(ui::FormState& state, ui::Interaction& ui, Chart1& out) {
  const int year = expandedYear(state);
  const unsigned day = readUnsigned(state.text(kDay)), month = readUnsigned(state.text(kMonth));
  if (month < 1 || month > 12) {
    refuse(ui, state, kMonth, "DATE : impossible month");
    return false;
  }
  short d = static_cast<short>(std::min(day, 99u)), m = static_cast<short>(month),
        y = static_cast<short>(year);
  if (day < 1 || !IsDateValid(&d, &m, &y)) {
    refuse(ui, state, kDay, "Date: impossible day");
    return false;
  }
  if (year == 0) {
    refuse(ui, state, kYear, "Date: impossible year");
    return false;
  }
  out.day = d;
  out.month = m;
  out.year = y;
  return true;
}

bool EntryDialogBase::readZone(ui::FormState& state, ui::Interaction& ui, double& zone) {
  const std::string hoursText = state.text(kZoneHours), minutesText = state.text(kZoneMinutes);
  const bool earlier = state.checked(kEarlier);
  const unsigned h = readUnsigned(hoursText), m = readUnsigned(minutesText);
  double value = h + m / 60.0;
  if (earlier) value = -value;
  if (exactZone_ && exactZone_->hours == hoursText && exactZone_->minutes == minutesText &&
      exactZone_->earlier == earlier)
    value = exactZone_->zone;
  // Minutes beyond 59 make the zone as impossible as one beyond 20 hours.
  if (!zoneInRange(ui, m > 59 ? 99.0 : value)) {
    state.setText(kZoneHours, "   ");
    state.setText(kZoneMinutes, "   ");
    state.focus(kZoneHours);
    return false;
  }
  zone = value;
  return true;
}

bool EntryDialogBase::readLongitude(ui::FormState& state, ui::Interaction& ui, double& hours) {
  const unsigned a = readUnsigned(state.text(kLon1)), b = readUnsigned(state.text(kLon2)),
                 c = readUnsigned(state.text(kLon3));
  if (lonInHours_ && a > 12) {
    refuse(ui, state, kLon1, "Longitude, Hours: impossible figure");
    return false;
  }
  if (!lonInHours_ && a > 180) {
    refuse(ui, state, kLon1, "Longitude, Degrees: impossible figure");
    return false;
  }
  if (b > 59) {
    refuse(ui, state, kLon2, "Longitude, Minutes: impossible figure");
    return false;
  }
  if (c > 59) {
    refuse(ui, state, kLon3, "Longitude, Seconds: impossible figure");
    return false;
  }
  double value = lonInHours_ ? a + b / 60.0 + c / 3600.0 : a / 15.0 + b / 900.0 + c / 54000.0;
  if (state.checked(kWest)) value = -value;
  if (!longitudeInRange(ui, value)) {
    state.focus(kLon1);
    return false;
  }
  hours = value;
  return true;
}

bool EntryDialogBase::readLatitude(ui::FormState& state, ui::Interaction& ui, double& degrees) {
  const unsigned d = readUnsigned(state.text(kLatDeg)), m = readUnsigned(state.text(kLatMin));
  if (d > 90) {
    refuse(ui, state, kLatDeg, "Latitude, Degrees: impossible figure");
    return false;
  }
  if (m > 59) {
    refuse(ui, state, kLatMin, "Latitude, Minutes: impossible figure");
    return false;
  }
  double value = d + m / 60.0;
  if (state.checked(kSouth)) value = -value;
  if (!latitudeInRange(ui, value)) {
    state.focus(kLatDeg);
    return false;
  }
  degrees = value;
  return true;
}

bool EntryDialogBase::precisionAccepted(ui::FormState& state, ui::Interaction& ui, int year) {
  if (year >= 1830 && year <= 2130) return true;
  const auto a = ask(ui,
                     "You may continue if you wish (by pressing Retry) - but the results are likely to be "
                     "meaningless.",
                     "Warning: Talpora' precision ranges from 1830 to 2130", ui::Buttons::RetryCancel,
                     ui::Icon::Stop, ui::Answer::Cancel);
  if (a == ui::Answer::Retry) return true;
  state.setText(kYear, "   ");
  state.focus(kYear);
  return false;
}

bool EntryDialogBase::zoneFits(ui::FormState& state, ui::Interaction& ui, double zone, double lon,
                               const std::string& tooFarText, const std::string& tooFarCaption,
                               bool tickUnknown) {
  switch (checkZoneAgainstLongitude(ui, zone, lon, tooFarText, tooFarCaption)) {
    case ZoneFit::Plausible:
      return true;
    case ZoneFit::NotEarlier:
      state.focus(kLater);
      return false;
    case ZoneFit::NotLater:
      state.focus(kEarlier);
      return false;
    case ZoneFit::Declined:
      state.setText(kZoneHours, "   ");
      state.setText(kZoneMinutes, "   ");
      state.focus(kZoneHours);
      return false;
    case ZoneFit::TooFar:
      if (tickUnknown) state.setChecked(kUnknown, true);
      return false;
  }
  return false;
}

void EntryDialogBase::showFoundPlace(ui::FormState& state, const Chart1& found) {
  state.setText(kPlace, fieldText(found.place));
  showLongitude(state, found.longitude / 15);  // the exchange record holds degrees
  showLatitude(state, found.latitude);
}

void EntryDialogBase::showFoundZone(ui::FormState& state, int result, const Chart1& found) {
  state.setText(kZoneStatus, "");
  if (result == kAtlasCoordinates) {
    showZoneUnknown(state);
    state.focus(kZoneHours);
    return;
  }
  if (found.zoneStatus <= 0) {
    showZoneUnknown(state);
    return;
  }
  const double zone = found.zoneStatus == 32 ? found.longitude / 15 : found.timeZone;
  showZone(state, zone);
  if (found.zoneStatus == 32)
    exactZone_ = ExactZone{zone, state.text(kZoneHours), state.text(kZoneMinutes), zone < 0};
  state.setText(kZoneStatus, zoneStatusLabel(found.zoneStatus));
  work_.timeZone = zone;
  state.focus(kName);
}

void EntryDialogBase::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  if (radioCommand(id, state)) return;
  switch (id) {
    case ui::IDCANCEL:
      state.close(0);
      return;
    case ui::IDHELP:
      if (services_.help) services_.help->topic(helpTopic());
      return;
    case kAtlasSearch:
      if (services_.atlas) atlasSearch(state, ui);
      return;
    case ui::IDOK:
      if (validate(state, ui)) state.close(1);
      return;
    default:
      return;
  }
}

std::optional<std::string> EntryDialogBase::placeToSearch(ui::FormState& state, ui::Interaction& ui) {
  std::string place = withoutTrailingBlanks(state.text(kPlace));
  if (place.find_first_not_of(' ') != std::string::npos) return place;
  ui.tell("A name of city must be entered before Talpora can conduct the Atlas Database search!", "");
  state.focus(kPlace);
  return std::nullopt;
}

int EntryDialogBase::callAtlas(ui::FormState& state, ui::Interaction& ui, Chart1& exchange,
                               const std::string& place, int mode) {
  setField(exchange.place, place);
  const int result = services_.atlas(ui, exchange, mode);
  if (result == kAtlasCancelled) {
    showZoneUnknown(state);
    state.focus(kLon1);
  }
  return result;
}

bool EntryDialogBase::usePastRecords(ui::Interaction& ui, int year, const std::string& caption) {
  char tail[200];
  std::snprintf(
      tail, sizeof tail,
      " Consulting past records, however, Talpora found what the situation was at the same date but "
      "in year %d. Do you wish to use this information?",
      year);
  return ui.message({std::string("The search retrieved the longitude and latitude coordinates but no "
                                 "information related to daylight saving (DLS) for this date.") +
                         tail,
                     caption, ui::Buttons::YesNo, ui::Icon::Question, std::nullopt}) == ui::Answer::Yes;
}

void EntryDialogBase::takeFound(ui::FormState& state, int result, Chart1& found, int code) {
  found.zoneStatus = static_cast<std::int16_t>(code);
  showFoundPlace(state, found);
  showFoundZone(state, result, found);
  work_.zoneStatus = found.zoneStatus;
  work_.country = found.country;
  work_.region = found.region;
}

}  // namespace talpora::dialogs
