// zyklist: the listing program without its window: the chart it shows, its menu (greyed and cut by the
// kind of chart), the commands of the menu, the window title and the report every command rebuilds.
// A window shows report() in its edit control and menu() as its menu bar, and sends every choice to
// command(); the program class reaches the person and the system only through the platform.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "core/records.h"
#include "format/report_buffer.h"
#include "listing/listings.h"
#include "listing/tables.h"
#include "platform/platform.h"
#include "platform/ui.h"

namespace talpora {

// The command ids of the listing program's menu.
namespace listing_command {
inline constexpr int kSimpleTropical = 1000, kSimpleSidereal = 1010;
inline constexpr int kDetailedTropical = 1020, kDetailedSidereal = 1030, kCompared = 1040;
inline constexpr int kHelioTropical = 1050, kHelioSidereal = 1060, kHelioCompared = 1070;
inline constexpr int kHousesTropical = 2020, kHousesSidereal = 2030, kHousesCompared = 2040;
inline constexpr int kStarsTropical = 2050, kStarsSidereal = 2060;
inline constexpr int kDignitiesTropical = 2062, kDignitiesSidereal = 2063;
inline constexpr int kReceptionsTropical = 2066, kReceptionsSidereal = 2067;
inline constexpr int kElementsTropical = 2070, kElementsSidereal = 2080, kElementsCompared = 2090;
inline constexpr int kArabianTropical = 2100, kArabianSidereal = 2101;
inline constexpr int kMidpointsTropical = 2110, kMidpointsSidereal = 2120;
inline constexpr int kModulus360 = 2122, kModulus90 = 2125, kModulus45 = 2126, kModulus22 = 2127,
                     kModulusUser = 2128;
inline constexpr int kHelioMidpointsTropical = 2131, kHelioMidpointsSidereal = 2132;
inline constexpr int kHelioModulus360 = 2133, kHelioModulus90 = 2134, kHelioModulus45 = 2135,
                     kHelioModulus22 = 2136, kHelioModulusUser = 2137;
inline constexpr int kOneHarmonicTropical = 2139, kOneHarmonicSidereal = 2140;
inline constexpr int kHarmonicsTropical = 2150, kHarmonicsSidereal = 2160;
inline constexpr int kHarmonicDrawingTropical = 2170, kHarmonicDrawingSidereal = 2180;
inline constexpr int kMajorTropical = 3000, kMajorSidereal = 3010;
inline constexpr int kMinorTropical = 3020, kMinorSidereal = 3030;
inline constexpr int kRareTropical = 3040, kRareSidereal = 3050;
inline constexpr int kMajorMinorTropical = 3052, kMajorMinorSidereal = 3056;
inline constexpr int kAllAspectsTropical = 3060, kAllAspectsSidereal = 3070;
inline constexpr int kParallelsTropical = 3080, kParallelsSidereal = 3090;
inline constexpr int kPlanetaryArcs = 3100;
inline constexpr int kOrbs = 3914;
inline constexpr int kGridMajorTropical = 3110, kGridMajorSidereal = 3120;
inline constexpr int kGridMinorTropical = 3130, kGridMinorSidereal = 3140;
inline constexpr int kGridBothTropical = 3150, kGridBothSidereal = 3160;
inline constexpr int kPrintSelection = 14000, kListingFont = 14010, kHeaderFont = 14020, kRestoreFont = 14030,
                     kTextEditor = 14040, kWordProcessor = 14045;
inline constexpr int kHelp = 6650;
inline constexpr int kExit = 9990;
}  // namespace listing_command

// The menu "ZYKLIST_MENU" as the suite defines it, before any adjustment (F1 gives Help).
ui::MenuSpec listingMenu();
// The menu adjusted to a chart: commands greyed for symbolic directions, the sidereal and compared
// commands removed for charts that make sense only in the tropical zodiac, the tropical and compared
// ones for charts that make sense only in the sidereal zodiac.
ui::MenuSpec listingMenuFor(const Chart1& birth);

// The report of a command that only lists (no question asked, nothing started): the listings of the
// Planetary Listings and Various menus, the aspect tables and the planetary arcs. false for any other
// command (the report is then left empty). The report is emptied first.
bool listingReport(int command, Report& report, unsigned long* length, const CIni& settings,
                   const Chart1& birth, const Chart2& chart, const FixedStarCatalogue& stars,
                   ui::Interaction* ui);

class ListingApp {
 public:
  static constexpr std::string_view windowClass = "CNPlisti";
  static constexpr int kEditControl = 888;
  static constexpr int kMaxSavedListing = 15;

  // The program over the settings and the chart handed over (the transfer file's chart A, as read at
  // start). Nothing is shown until start().
  ListingApp(sys::Platform& platform, ui::ReportView& view, const CIni& settings, const Chart1& birth,
             const Chart2& chart);

  // Shows the first listing: the simple listing, sidereal for a chart that makes sense only in the
  // sidereal zodiac, tropical otherwise.
  void start();

  const ui::MenuSpec& menu() const { return menu_; }
  // "Talpora Listing:  " + name + " - " + kind of chart.
  std::string title() const;
  static std::string initialTitle() { return "Talpora Listing"; }

  // Runs a menu command. false when the menu has no such command or it is greyed (nothing done).
  bool command(int id);

  const Report& report() const { return report_; }
  unsigned long length() const { return length_; }
  const CIni& settings() const { return settings_; }
  const Chart1& birth() const { return birth_; }
  const Chart2& chart() const { return chart_; }
  int fileCounter() const { return fileCounter_; }
  // The file the last text-editor or word-processor command saved ("" before the first).
  const std::filesystem::path& lastSaved() const { return lastSaved_; }

  // Exit was chosen; the window closes (the callback, when set, is called at once).
  bool exitRequested() const { return exitRequested_; }
  void setExitHandler(std::function<void()> h) { onExit_ = std::move(h); }

  // How a harmonic chart is drawn: the choice of a drawing type and the drawing program. The default
  // asks for a drawing type and starts the drawing program with the harmonic chart.
  void setHarmonicDrawer(HarmonicDrawer drawer) { drawer_ = std::move(drawer); }

 private:
  void showListing(int command);
  void harmonic(int zodiac, bool drawing);
  void modulusMidpoints(double modulus, bool heliocentric);
  void userModulus(bool heliocentric);
  void grid(bool major, bool minor, int zodiac);
  bool saveListing();
  void openInTextEditor();
  void openInWordProcessor();
  void drawHarmonic(const Chart1& copy, const Chart2& copyChart);
  void tell(const std::string& text, const std::string& caption, ui::Icon icon);

  sys::Platform& platform_;
  ui::ReportView& view_;
  CIni settings_;
  Chart1 birth_;
  Chart2 chart_;
  FixedStarCatalogue stars_;
  ui::MenuSpec menu_;
  Report report_;
  unsigned long length_ = 0;
  int fileCounter_ = 0;
  std::filesystem::path lastSaved_;
  bool exitRequested_ = false;
  std::function<void()> onExit_;
  HarmonicDrawer drawer_;
};

}  // namespace talpora
