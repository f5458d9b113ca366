// zykentry, zykplace: what the chart data entry and the place-and-time dialog share: their control ids,
// the services they call (atlas search, saving, the clock, help), the showing of longitudes, latitudes
// and time zones in their boxes, and the checks of a place's values.
#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/records.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora::dialogs {

enum EntryControl : ui::ControlId {
  kDay = 100,
  kMonth,
  kYear,
  kUnknown,
  kHour,
  kMinute,
  kAm,
  kPm,
  kZoneHours,
  kZoneMinutes,
  kEarlier,
  kLater,
  kPlace,
  kLon1,
  kLon2,
  kLon3,
  kUnitHours,
  kUnitDegrees,
  kEast,
  kWest,
  kLatDeg,
  kLatMin,
  kNorth,
  kSouth,
  kName,
  kTypeText,
  kComment,
  kZoneStatus,
  kSave,
  kAtlasSearch,
  kTimeLabel,     // "Time (use 24 hr clock):" and its variants
  kLonUnitLabel,  // "deg" or "hrs" after the first longitude box
  kTransitNote,   // mode 33's note under the time
  // Group boxes.
  kDateGroup = 150,
  kTimeGroup,
  kZoneGroup,
  kPlaceGroup,
  kLongitudeGroup,
  kUnitGroup,
  kLatitudeGroup,
  kPersonGroup,
};

// An atlas search: the exchange record (date, time and place name as typed) goes in; the record the
// atlas chose comes back in it, with the longitude in degrees. The Atlas result: 0 cancelled, 100
// coordinates only, 200 coordinates with time-zone information. Mode 1 without date, 7 with.
using AtlasSearch = std::function<int(ui::Interaction&, Chart1& exchange, int mode)>;
// The atlas of a program directory, through the exchange file "DATA88.DTF". A file that cannot be
// written or read back gives 0 (no coordinates).
AtlasSearch programDirAtlas(std::filesystem::path programDir);

// Stores a chart as the user chooses (the save dialog); 1 stored, 0 cancelled or refused.
using ChartSaver = std::function<int(ui::Interaction&, const Chart1&)>;

// The save dialog of the chart store (all three ways: chart file, hot chart, database).
ChartSaver chartStoreSaver(const CIni& settings);

struct EntryServices {
  AtlasSearch atlas;                  // empty: no atlas button
  ChartSaver save;                    // empty: no Save button
  const sys::Clock* clock = nullptr;  // the current year for two-digit years (null: the system clock)
  sys::HelpViewer* help = nullptr;    // null: Help does nothing
};
// What a program gives the entry dialogs: the atlas of the settings' program directory, the chart
// store's save, its clock and help.
EntryServices programEntryServices(const CIni& settings, const sys::Clock* clock, sys::HelpViewer* help);

// The checks of a place's values, each with its message when it fails.
// A time zone outside -20..20 hours: "Impossible Time Zone".
bool zoneInRange(ui::Interaction&, double zoneHours);
// A longitude beyond 12 hours either way.
bool longitudeInRange(ui::Interaction&, double longitudeHours);
// A latitude beyond 90 degrees either way.
bool latitudeInRange(ui::Interaction&, double latitudeDegrees);

enum class ZoneFit {
  Plausible,
  NotEarlier,  // the user declined a zone earlier than Greenwich east of 2 hours
  NotLater,    // ... later than Greenwich west of 2 hours
  Declined,    // the user declined a zone five hours away from the longitude
  TooFar,      // the user insisted: the dialog says why it cannot be, and stays open
};
// The plausibility questions on the time zone against the longitude (hours, east positive). When
// the user insists on a zone more than five hours from the longitude, `tooFarText` is shown with
// `tooFarCaption`.
ZoneFit checkZoneAgainstLongitude(ui::Interaction&, double zoneHours, double longitudeHours,
                                  const std::string& tooFarText, const std::string& tooFarCaption);

// The text of a box without its trailing blanks.
std::string withoutTrailingBlanks(std::string);

// The current year of the clock (or of the system clock).
int currentYear(const sys::Clock*);

}  // namespace talpora::dialogs

namespace talpora::dialogs {

// The boxes and buttons both dialogs have (place, longitude, latitude, time zone, date) and how they
// are read, shown and checked. The dialogs add their own boxes, validation order and atlas texts.
class EntryDialogBase : public ui::DialogModel {
 public:
  const ui::FormSpec& form() const override { return form_; }
  // Radio buttons, the unit switch, OK, Cancel, Help and the atlas search.
  void command(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  // OK's checks in order; true when the record is accepted (then record() holds it).
  virtual bool validate(ui::FormState&, ui::Interaction&) = 0;
  virtual void atlasSearch(ui::FormState&, ui::Interaction&) = 0;
  // Leaving the year box shows the year a one- or two-digit entry stands for.
  void editFinished(ui::ControlId, ui::FormState&, ui::Interaction&) override;
  // The record the dialog works on (the result once confirmed).
  const Chart1& record() const { return work_; }

 protected:
  EntryDialogBase(const CIni& settings, const Chart1& work, int mode, EntryServices services);

  void add(ui::ControlId id, ui::ControlKind kind, std::string text, int group, int row, int column,
           int maxLength = 0);
  void addGroup(ui::ControlId id, std::string title, int group, int row, int column);
  // The place, longitude (with its unit buttons) and latitude groups.
  void addPlaceControls(int placeRow, int latitudeRow);
  void addZoneGroup(int row, int column);
  void addDateGroup(int row, int column);

  // Radio buttons and the longitude unit; true when `id` was one of them.
  bool radioCommand(ui::ControlId id, ui::FormState&);
  void setRadio(ui::FormState&, ui::ControlId on, ui::ControlId off);
  void setDefaults(ui::FormState&);

  void showDate(ui::FormState&, const Chart1&);
  void showPlace(ui::FormState&, const Chart1&);     // place, longitude, latitude, zone
  void showLongitude(ui::FormState&, double hours);  // in degrees, East or West
  void showLatitude(ui::FormState&, double degrees);
  void showZone(ui::FormState&, double hours);
  void showZoneUnknown(ui::FormState&);  // "?" and 0

  // The year box with a one- or two-digit year expanded (shown again in the box).
  int expandedYear(ui::FormState&);
  // Month, day and year (steps shared with the OK of both dialogs); false: refused, box focused.
  bool readDate(ui::FormState&, ui::Interaction&, Chart1& out);
  // Minutes 0..59 and the range of the zone; false: both boxes cleared and the hours focused.
  bool readZone(ui::FormState&, ui::Interaction&, double& zone);
  bool readLongitude(ui::FormState&, ui::Interaction&, double& hours);
  bool readLatitude(ui::FormState&, ui::Interaction&, double& degrees);
  // The precision warning for years outside 1830..2130; false when the user cancels (year cleared).
  bool precisionAccepted(ui::FormState&, ui::Interaction&, int year);
  // The zone against the longitude; false keeps the dialog open (focus or boxes set).
  bool zoneFits(ui::FormState&, ui::Interaction&, double zone, double longitudeHours,
                const std::string& tooFarText, const std::string& tooFarCaption, bool tickUnknown);
  // After an atlas search that found a place: the name, longitude and latitude.
  void showFoundPlace(ui::FormState&, const Chart1& found);
  // Step 10 of the search: the zone of a result, with the status label.
  void showFoundZone(ui::FormState&, int result, const Chart1& found);
  virtual int helpTopic() const { return 77; }
  // The place box for an atlas search: nullopt (said) when it is empty.
  std::optional<std::string> placeToSearch(ui::FormState&, ui::Interaction&);
  // Calls the atlas for `place` with the exchange record; a cancelled search shows the zone as
  // unknown and focuses the longitude. The Atlas result.
  int callAtlas(ui::FormState&, ui::Interaction&, Chart1& exchange, const std::string& place, int mode);
  // The question whether the situation at the same date of another year may be used.
  static bool usePastRecords(ui::Interaction&, int year, const std::string& caption);
  // After a search that did not cancel: the place, coordinates and zone shown, and the status,
  // country and region (from the atlas, the status as the user confirmed it) kept in the record.
  void takeFound(ui::FormState&, int result, Chart1& found, int code);

  CIni settings_;
  Chart1 work_;
  int mode_;
  EntryServices services_;
  ui::FormSpec form_;
  bool lonInHours_ = false;
  // A local mean time keeps its exact value while the zone boxes show what was put there.
  struct ExactZone {
    double zone = 0;
    std::string hours, minutes;
    bool earlier = false;
  };
  std::optional<ExactZone> exactZone_;
};

}  // namespace talpora::dialogs
