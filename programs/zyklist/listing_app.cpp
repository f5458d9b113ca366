// zyklist: the listing program's state, menu and commands.
#include "programs/zyklist/listing_app.h"

#include <cstdio>

#include "core/transfer.h"
#include "dialogs/orbs_dialog.h"
#include "dialogs/search_dialog.h"
#include "draw/style_select.h"
#include "files/startup.h"
#include "format/printer_fonts.h"
#include "format/printing.h"
#include "format/report_number.h"
#include "format/word_processor.h"
#include "listing/dignities.h"
#include "listing/grid_parameters.h"
#include "listing/number_dialog.h"

namespace talpora {
namespace lc = listing_command;

namespace {

ui::MenuItem item(int id, std::string text) {
  return ui::MenuItem{id, std::move(text), {}, true};
}
ui::MenuItem popup(std::string text, std::vector<ui::MenuItem> items) {
  return ui::MenuItem{0, std::move(text), std::move(items), true};
}
std::vector<ui::MenuItem> tropicalSidereal(int tropical, int sidereal) {
  return {item(tropical, "&Tropical"), item(sidereal, "&Sidereal")};
}
std::vector<ui::MenuItem> modulusItems(int first, int second, int third, int fourth, int user) {
  return {item(first, "&360\xB0"), item(second, "&90\xB0"), item(third, "&45\xB0"),
          item(fourth,
               "&22\xB0"
               "30'"),
          item(user, "&User Defined")};
}

constexpr int kGreyedForSymbolicDirections[] = {
    lc::kDetailedTropical, lc::kDetailedSidereal,  lc::kHelioTropical,    lc::kHelioSidereal,
    lc::kHelioCompared,    lc::kParallelsTropical, lc::kParallelsSidereal};
constexpr int kRemovedForTropicalOnly[] = {1010, 1030, 1040, 1060, 1070, 2030, 2040, 2060, 2063,
                                           2067, 2080, 2090, 2101, 2120, 2132, 2140, 2160, 2180,
                                           3010, 3030, 3050, 3056, 3070, 3090, 3120, 3140, 3160};
constexpr int kRemovedForSiderealOnly[] = {1000, 1020, 1040, 1050, 1070, 2020, 2040, 2050, 2062,
                                           2066, 2070, 2090, 2100, 2110, 2131, 2139, 2150, 2170,
                                           3000, 3020, 3040, 3052, 3060, 3080, 3110, 3130, 3150};

// Aspect tables: major, minor, rare, then the parallels.
struct AspectCommand {
  int tropical, sidereal;
  char major, minor, rare;
  bool parallels;
};
constexpr AspectCommand kAspectCommands[] = {
    {lc::kMajorTropical, lc::kMajorSidereal, 1, 0, 0, false},
    {lc::kMinorTropical, lc::kMinorSidereal, 0, 1, 0, false},
    {lc::kRareTropical, lc::kRareSidereal, 0, 0, 1, false},
    {lc::kMajorMinorTropical, lc::kMajorMinorSidereal, 1, 1, 0, true},
    {lc::kAllAspectsTropical, lc::kAllAspectsSidereal, 1, 1, 1, true},
};

// The modulus of the fixed modulus commands: 360, 90, 45 and 22.5 degrees.
float modulusOf(int command) {
  switch (command) {
    case lc::kModulus90:
    case lc::kHelioModulus90:
      return 90.0f;
    case lc::kModulus45:
    case lc::kHelioModulus45:
      return 45.0f;
    case lc::kModulus22:
    case lc::kHelioModulus22:
      return 22.5f;
    default:
      return 360.0f;
  }
}

}  // namespace

ui::MenuSpec listingMenu() {
  ui::MenuSpec m;
  m.name = "ZYKLIST_MENU";
  m.bar = {
      popup("Planetary &Listings",
            {popup("Simple &Listing", tropicalSidereal(lc::kSimpleTropical, lc::kSimpleSidereal)),
             popup("&Detailed Listing", tropicalSidereal(lc::kDetailedTropical, lc::kDetailedSidereal)),
             item(lc::kCompared, "Tropical/Sidereal &Compared "),
             popup("&Heliocentric",
                   {item(lc::kHelioTropical, "&Tropical"), item(lc::kHelioSidereal, "&Sidereal"),
                    item(lc::kHelioCompared, "Tropical/Sidereal &Compared")})}),
      popup(
          "&Various",
          {popup("All &Houses...",
                 {item(lc::kHousesTropical, "&Tropical"), item(lc::kHousesSidereal, "&Sidereal"),
                  item(lc::kHousesCompared, "Trop./Sid. &Compared")}),
           popup("&Fixed Stars...", tropicalSidereal(lc::kStarsTropical, lc::kStarsSidereal)),
           popup("&Elements and Quadruplicities...",
                 {item(lc::kElementsTropical, "&Tropical"), item(lc::kElementsSidereal, "&Sidereal"),
                  item(lc::kElementsCompared, "Trop./Sid. &Compared")}),
           popup("&Dignities, Exaltations...",
                 tropicalSidereal(lc::kDignitiesTropical, lc::kDignitiesSidereal)),
           popup("&Mutual Receptions", tropicalSidereal(lc::kReceptionsTropical, lc::kReceptionsSidereal)),
           popup("&Arabian and Other Parts", tropicalSidereal(lc::kArabianTropical, lc::kArabianSidereal)),
           popup("&Midpoints (360\xB0)...", tropicalSidereal(lc::kMidpointsTropical, lc::kMidpointsSidereal)),
           popup("Midpoints M&odulus...", modulusItems(lc::kModulus360, lc::kModulus90, lc::kModulus45,
                                                       lc::kModulus22, lc::kModulusUser)),
           popup("&Heliocentric Midpoints (360\xB0)...",
                 tropicalSidereal(lc::kHelioMidpointsTropical, lc::kHelioMidpointsSidereal)),
           popup("Heliocentric M&idpoints Modulus...",
                 modulusItems(lc::kHelioModulus360, lc::kHelioModulus90, lc::kHelioModulus45,
                              lc::kHelioModulus22, lc::kHelioModulusUser)),
           popup("Ha&rmonic Listing...",
                 {popup("&One Harmonic...",
                        tropicalSidereal(lc::kOneHarmonicTropical, lc::kOneHarmonicSidereal)),
                  popup("Harmonics &2 to 25...",
                        tropicalSidereal(lc::kHarmonicsTropical, lc::kHarmonicsSidereal)),
                  popup("H&armonic Drawing...",
                        tropicalSidereal(lc::kHarmonicDrawingTropical, lc::kHarmonicDrawingSidereal))})}),
      popup("&Aspects",
            {popup("&Major Aspects...", tropicalSidereal(lc::kMajorTropical, lc::kMajorSidereal)),
             popup("M&inor Aspects...", tropicalSidereal(lc::kMinorTropical, lc::kMinorSidereal)),
             popup("&Rarely Used Aspects...", tropicalSidereal(lc::kRareTropical, lc::kRareSidereal)),
             popup("Ma&jor and Minor Aspects...",
                   tropicalSidereal(lc::kMajorMinorTropical, lc::kMajorMinorSidereal)),
             popup("&All  Aspects...", tropicalSidereal(lc::kAllAspectsTropical, lc::kAllAspectsSidereal)),
             popup("Parallels of &Declination...",
                   tropicalSidereal(lc::kParallelsTropical, lc::kParallelsSidereal)),
             item(lc::kPlanetaryArcs, "&Planetary Arcs"), item(lc::kOrbs, "&Orbs of Aspects...")}),
      popup("&Grids",
            {popup("&Major Aspects...", tropicalSidereal(lc::kGridMajorTropical, lc::kGridMajorSidereal)),
             popup("Mi&nor Aspects...", tropicalSidereal(lc::kGridMinorTropical, lc::kGridMinorSidereal)),
             popup("Major and M&inor Aspects...",
                   tropicalSidereal(lc::kGridBothTropical, lc::kGridBothSidereal))}),
      popup("&Print", {item(lc::kPrintSelection, "&Present Selection"),
                       item(lc::kListingFont, "Change Font for Printed &Listings"),
                       item(lc::kHeaderFont, "Change Font for Listing &Headers"),
                       item(lc::kRestoreFont, "Restore &Default Font for Printed Listings"),
                       item(lc::kTextEditor, "Print using the Text &Editor"),
                       item(lc::kWordProcessor, "Print using your &Word Processor")}),
      item(lc::kHelp, "&Help"),
      item(lc::kExit, "\bE&xit"),
  };
  m.keyToCommand = {{0x70, lc::kHelp}};  // F1
  return m;
}

ui::MenuSpec listingMenuFor(const Chart1& birth) {
  ui::MenuSpec m = listingMenu();
  if (birth.chartType == chart_type::kSymbolicDirections)
    for (int id : kGreyedForSymbolicDirections) m.setEnabled(id, false);
  if (MakesSenseOnlyInTropical(0, birth, 0))
    for (int id : kRemovedForTropicalOnly) m.remove(id);
  if (MakesSenseOnlyInSidereal(0, birth, 0))
    for (int id : kRemovedForSiderealOnly) m.remove(id);
  return m;
}

bool listingReport(int command, Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                   const Chart2& chart, const FixedStarCatalogue& stars, ui::Interaction* ui) {
  AddLine(r, length, "", 999, 0);
  auto headed = [&] {
    chartHeader(r, length, settings, birth, chart);
    AddLine(r, length, "", 0, 0);
  };
  for (const AspectCommand& a : kAspectCommands) {
    if (command != a.tropical && command != a.sidereal) continue;
    const int z = command == a.sidereal ? 1 : 0;
    headed();
    Aspects(r, length, settings, kOneChart, z, birth, chart, birth, chart, a.major, a.minor, a.rare);
    if (a.parallels) ParallelsOfDecl(r, length, settings, kOneChart, z, birth, chart, birth, chart);
    return true;
  }
  switch (command) {
    case lc::kSimpleTropical:
    case lc::kSimpleSidereal:
      simpleListing(r, length, settings, birth, chart, command == lc::kSimpleSidereal ? 1 : 0);
      return true;
    case lc::kDetailedTropical:
    case lc::kDetailedSidereal:
      detailedListing(r, length, settings, birth, chart, command == lc::kDetailedSidereal ? 1 : 0);
      return true;
    case lc::kCompared:
      comparedListing(r, length, settings, birth, chart);
      return true;
    case lc::kHelioTropical:
    case lc::kHelioSidereal:
    case lc::kHelioCompared:
      heliocentricListing(r, length, settings, birth, chart, (command - lc::kHelioTropical) / 10);
      return true;
    case lc::kHousesTropical:
    case lc::kHousesSidereal:
    case lc::kHousesCompared:
      allHousesListing(r, length, settings, birth, chart, (command - lc::kHousesTropical) / 10);
      return true;
    case lc::kStarsTropical:
    case lc::kStarsSidereal:
      fixedStarsListing(r, length, settings, birth, chart, command == lc::kStarsSidereal ? 1 : 0, stars, ui);
      return true;
    case lc::kElementsTropical:
    case lc::kElementsSidereal:
    case lc::kElementsCompared:
      elementsListing(r, length, settings, birth, chart, (command - lc::kElementsTropical) / 10);
      return true;
    case lc::kDignitiesTropical:
    case lc::kDignitiesSidereal:
      PrintDignities(command == lc::kDignitiesSidereal ? 1 : 0, 1, r, length, settings, birth, chart);
      return true;
    case lc::kReceptionsTropical:
    case lc::kReceptionsSidereal:
      MutualReceptions(command == lc::kReceptionsSidereal ? 1 : 0, 1, r, length, settings, birth, chart);
      return true;
    case lc::kArabianTropical:
    case lc::kArabianSidereal:
      ArabianParts(r, length, settings, birth, chart, command == lc::kArabianSidereal ? 1 : 0, 0, 0);
      return true;
    case lc::kMidpointsTropical:
    case lc::kMidpointsSidereal:
    case lc::kHelioMidpointsTropical:
    case lc::kHelioMidpointsSidereal: {
      const int z = command == lc::kMidpointsSidereal || command == lc::kHelioMidpointsSidereal ? 1 : 0;
      const int helio =
          command == lc::kHelioMidpointsTropical || command == lc::kHelioMidpointsSidereal ? 1 : 0;
      headed();
      MidPoints360(kOneChart, z, helio, r, length, settings, birth, chart, birth, chart);
      return true;
    }
    case lc::kModulus360:
    case lc::kModulus90:
    case lc::kModulus45:
    case lc::kModulus22:
    case lc::kHelioModulus360:
    case lc::kHelioModulus90:
    case lc::kHelioModulus45:
    case lc::kHelioModulus22: {
      const bool helio = command >= lc::kHelioModulus360;
      const float modulus = modulusOf(command);
      headed();
      MidPointsModulus(kOneChart, modulus, helio ? 1 : 0, r, length, settings, birth, chart, birth, chart);
      return true;
    }
    case lc::kHarmonicsTropical:
    case lc::kHarmonicsSidereal:
      headed();
      Harmonics(nullptr, r, length, settings, birth, chart, 0, 0, command == lc::kHarmonicsSidereal ? 1 : 0);
      return true;
    case lc::kParallelsTropical:
    case lc::kParallelsSidereal:
      headed();
      ParallelsOfDecl(r, length, settings, kOneChart, command == lc::kParallelsSidereal ? 1 : 0, birth, chart,
                      birth, chart);
      return true;
    case lc::kPlanetaryArcs:
      planetaryArcsListing(r, length, chart);
      return true;
    default:
      return false;
  }
}

ListingApp::ListingApp(sys::Platform& platform, ui::ReportView& view, const CIni& settings,
                       const Chart1& birth, const Chart2& chart)
    : platform_(platform),
      view_(view),
      settings_(settings),
      birth_(birth),
      chart_(chart),
      menu_(listingMenuFor(birth)) {
  report_.text.reserve(10000);
}

void ListingApp::start() {
  showListing(MakesSenseOnlyInSidereal(0, birth_, 0) ? lc::kSimpleSidereal : lc::kSimpleTropical);
}

std::string ListingApp::title() const {
  return windowTitle("Talpora Listing:  ", birth_);
}

void ListingApp::tell(const std::string& text, const std::string& caption, ui::Icon icon) {
  platform_.ui.message(ui::Message{text, caption, ui::Buttons::Ok, icon, std::nullopt});
}

void ListingApp::showListing(int command) {
  sys::BusyScope busy(platform_.busy);
  if (command == lc::kStarsTropical || command == lc::kStarsSidereal)
    stars_ = readFixedStars(platform_.dirs.dir);
  if (listingReport(command, report_, &length_, settings_, birth_, chart_, stars_, &platform_.ui))
    ShowContent(report_, view_);
}

bool ListingApp::command(int id) {
  const ui::MenuItem* entry = menu_.find(id);
  if (!entry || !entry->popup.empty() || !entry->enabled) return false;
  switch (id) {
    case lc::kOneHarmonicTropical:
    case lc::kOneHarmonicSidereal:
      harmonic(id == lc::kOneHarmonicSidereal ? 1 : 0, false);
      return true;
    case lc::kHarmonicDrawingTropical:
    case lc::kHarmonicDrawingSidereal:
      harmonic(id == lc::kHarmonicDrawingSidereal ? 1 : 0, true);
      return true;
    case lc::kModulusUser:
      userModulus(false);
      return true;
    case lc::kHelioModulusUser:
      userModulus(true);
      return true;
    case lc::kOrbs:
      dialogs::SetAspectOrbs(platform_.ui, settings_, platform_.help, 0);
      return true;
    case lc::kGridMajorTropical:
    case lc::kGridMajorSidereal:
      grid(true, false, id == lc::kGridMajorSidereal ? 1 : 0);
      return true;
    case lc::kGridMinorTropical:
    case lc::kGridMinorSidereal:
      grid(false, true, id == lc::kGridMinorSidereal ? 1 : 0);
      return true;
    case lc::kGridBothTropical:
    case lc::kGridBothSidereal:
      grid(true, true, id == lc::kGridBothSidereal ? 1 : 0);
      return true;
    case lc::kPrintSelection:
      PrintSel(platform_.ui, platform_.printers, view_, settings_, &birth_, &chart_, nullptr, 2, 0);
      return true;
    case lc::kListingFont:
      GetUsAFont(platform_.ui, settings_, 3);
      return true;
    case lc::kHeaderFont:
      GetUsAFont(platform_.ui, settings_, 2);
      return true;
    case lc::kRestoreFont:
      RestoreListingFont(settings_, &platform_.ui);
      return true;
    case lc::kTextEditor:
      openInTextEditor();
      return true;
    case lc::kWordProcessor:
      openInWordProcessor();
      return true;
    case lc::kHelp:
      platform_.help.contents();
      return true;
    case lc::kExit:
      exitRequested_ = true;
      if (onExit_) onExit_();
      return true;
    default:
      showListing(id);
      return true;
  }
}

void ListingApp::harmonic(int zodiac, bool drawing) {
  int number = 0, confirmed = 0;
  n_data(platform_.ui, 0, 0, 0, &number, &confirmed);
  if (!confirmed) return;
  if (number <= 0 || number > kMaxHarmonic) {
    // The harmonic chart's title must fit its field: harmonics go up to 9999.
    char text[64];
    std::snprintf(text, sizeof text, "Harmonic of %d does not make sense", number);
    tell(text, "", ui::Icon::Stop);
    return;
  }
  sys::BusyScope busy(platform_.busy);
  AddLine(report_, &length_, "", 999, 0);
  chartHeader(report_, &length_, settings_, birth_, chart_);
  AddLine(report_, &length_, "", 0, 0);
  if (!drawing) {
    Harmonics(nullptr, report_, &length_, settings_, birth_, chart_, number, 0, zodiac);
    ShowContent(report_, view_);
    return;
  }
  const HarmonicDrawer drawer =
      drawer_ ? drawer_ : HarmonicDrawer([this](const Chart1& c, const Chart2& cc) { drawHarmonic(c, cc); });
  Harmonics(&drawer, report_, &length_, settings_, birth_, chart_, number, 1, zodiac);
}

void ListingApp::drawHarmonic(const Chart1& copy, const Chart2& copyChart) {
  int file = 0, index = 0;
  if (!SelectDrawingType(platform_.ui, settings_, &file, &index, 0, 0, &platform_.help)) return;
  TransferBlock block;
  std::string error;
  if (!FillUpTalporaTransferBlock(block, settings_, copy, copyChart, copy, copyChart, &error)) {
    tell("The chart could not be handed to the drawing program: " + error, "File Error", ui::Icon::Stop);
    return;
  }
  PlayDrawingType(block, settings_, copy, copyChart, file, index, platform_.ui, platform_.launcher);
}

void ListingApp::userModulus(bool heliocentric) {
  double value = 0;
  int result = 0;
  dialogs::search_data(platform_.ui, 500, &value, 1, 0, 0, 111, &result);
  if (!result || value == 0) return;
  modulusMidpoints(value, heliocentric);
}

void ListingApp::modulusMidpoints(double modulus, bool heliocentric) {
  sys::BusyScope busy(platform_.busy);
  AddLine(report_, &length_, "", 999, 0);
  chartHeader(report_, &length_, settings_, birth_, chart_);
  AddLine(report_, &length_, "", 0, 0);
  MidPointsModulus(kOneChart, static_cast<float>(modulus), heliocentric ? 1 : 0, report_, &length_, settings_,
                   birth_, chart_, birth_, chart_);
  ShowContent(report_, view_);
}

void ListingApp::grid(bool major, bool minor, int zodiac) {
  std::string error;
  if (!writeGridParameters(platform_.dirs.dir, listingGridParameters(major, minor, zodiac), &error)) {
    tell("The grid parameters could not be written: " + error, "File Error", ui::Icon::Stop);
    return;
  }
  TransferBlock block;
  if (!FillUpTalporaTransferBlock(block, settings_, birth_, chart_, birth_, chart_, &error)) {
    tell("The chart could not be handed to the grid program: " + error, "File Error", ui::Icon::Stop);
    return;
  }
  if (!platform_.launcher.start(sys::Program::Grid, std::to_string(block.chartA) + ","))
    tell("The grid program (zykgrid) could not be started: it is not installed beside this program.",
         "Message from Talpora", ui::Icon::Information);
}

bool ListingApp::saveListing() {
  fileCounter_ = nextReportNumber(platform_.dirs.dir, "Listng%d.txt", kMaxSavedListing);
  const std::filesystem::path path = platform_.dirs.dir / reportFileName("Listng%d.txt", fileCounter_);
  if (!SaveAsTextFile(report_, path, 1, 0, &platform_.ui)) return false;
  lastSaved_ = path;
  return true;
}

void ListingApp::openInTextEditor() {
  if (!saveListing()) return;
  if (!platform_.launcher.openTextFile(lastSaved_))
    tell("Talpora could not open " + lastSaved_.string() + " in a text editor.", "Message from Talpora",
         ui::Icon::Warning);
}

void ListingApp::openInWordProcessor() {
  const std::string command = wordProcessorOf(settings_);
  if (command.empty()) {
    tell(kWordProcessorReminderForSaving, "", ui::Icon::None);
    return;
  }
  if (!saveListing()) return;
  if (!platform_.launcher.startUserCommand(command, lastSaved_))
    tell("Talpora could not start your word processor (" + command + ").", "Message from Talpora",
         ui::Icon::Warning);
}

}  // namespace talpora
