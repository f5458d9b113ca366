// zykinterp: the interpreter program without its window: the chart handed over and its analysis, the
// menu "ZYKINTERP_MENU", the commands (the points to notice, one aspect, one object in a house or a
// sign, the knowledge bank, full interpretations saved as "Interp%d.txt" and opened in the text
// editor or the word processor, printing) and the question of the command tail.
#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/records.h"
#include "format/report_buffer.h"
#include "interpretation/interpretation.h"
#include "platform/platform.h"
#include "platform/ui.h"

namespace talpora {

namespace interp_command {
inline constexpr int kIntroductionWordProcessor = 610, kIntroductionTextEditor = 611;
inline constexpr int kStandardWordProcessor = 612, kStandardTextEditor = 613;
inline constexpr int kNonAstrologersWordProcessor = 614, kNonAstrologersTextEditor = 615;
inline constexpr int kSignsTropical = 630, kSignsSidereal = 631;
inline constexpr int kPointsToNotice = 650, kParticularAspect = 655;
inline constexpr int kBankAspect = 700, kBankHouse = 705, kBankSign = 715;
inline constexpr int kPrintSelection = 14000, kListingFont = 14010, kHeaderFont = 14020, kRestoreFont = 14030,
                     kTextEditor = 14040, kWordProcessor = 14045;
inline constexpr int kHelp = 665;
inline constexpr int kExit = 999;
}  // namespace interp_command

// The question of a command tail "N, m, k1, k2": mode 1 an aspect between objects key1 and key2,
// mode 2 object key1 in its house in house system key2, mode 4 object key1 in its sign in zodiac key2
// (0 tropical, 1 sidereal).
struct InterpreterQuestion {
  int mode = 0;
  int key1 = 0;
  int key2 = 0;
  bool operator==(const InterpreterQuestion&) const = default;
};
// The question of a command tail ("4711," has none). nullopt too for a tail that is not three
// integers after the first comma or whose values are out of range: mode 1 with two different
// objects 0..16, mode 2 with an object 0..12 and a house system 0..11, mode 4 with an object 0..11
// and a zodiac 0 or 1. Blanks are optional.
std::optional<InterpreterQuestion> parseInterpreterTail(std::string_view commandTail);

// What the program shows for a question, into an emptied report, in line mode.
void answerQuestion(const InterpreterQuestion& question, Report& report, unsigned long* length,
                    const CIni& settings, const Chart1& chart, const Chart2& computed,
                    ChartAnalysis& analysis, MissingBankFiles& missing);

// The three full interpretations: with the introduction, standard, for non-astrologers.
enum class FullInterpretation { Introduction, Standard, NonAstrologers };
// The text a full interpretation writes: header and plan, the introduction when asked, the general
// points, the aspects, the planets in houses and the material for non-astrologers when asked. Line
// mode 1 for the text editor, 0 (paragraphs) for the word processor.
void writeFullInterpretation(FullInterpretation kind, int lineMode, Report& report, unsigned long* length,
                             const CIni& settings, const Chart1& chart, const Chart2& computed,
                             ChartAnalysis& analysis, MissingBankFiles& missing);

// The menu "ZYKINTERP_MENU" (F1 gives Help).
ui::MenuSpec interpreterMenu();

class InterpreterApp {
 public:
  static constexpr std::string_view windowClass = "InterpretCC";
  static constexpr int kEditControl = 888;

  // The program over the settings and the chart handed over; analyses the chart once.
  InterpreterApp(sys::Platform& platform, ui::ReportView& view, const CIni& settings, const Chart1& chart,
                 const Chart2& computed);

  // Shows the answer to the command tail's question, or the points to notice.
  void start(std::string_view commandTail);

  const ui::MenuSpec& menu() const { return menu_; }
  // "Talpora Interpreter:  " + name + " - " + kind of chart.
  std::string title() const;
  static std::string initialTitle() { return "Talpora Interpreter"; }

  // Runs a menu command; false when the menu has no such command.
  bool command(int id);

  const Report& report() const { return report_; }
  const CIni& settings() const { return settings_; }
  const Chart1& chart() const { return chart_; }
  const Chart2& computed() const { return computed_; }
  // The file the last full interpretation or save wrote ("" before the first).
  const std::filesystem::path& lastSaved() const { return lastSaved_; }

  bool exitRequested() const { return exitRequested_; }
  void setExitHandler(std::function<void()> h) { onExit_ = std::move(h); }

 private:
  void showPointsToNotice();
  void show(const InterpreterQuestion& q);
  void planetsInSigns(int zodiac);
  void particularAspect();
  void bankAspect();
  void bankHouse();
  void bankSign();
  void fullInterpretation(FullInterpretation kind, bool wordProcessor);
  std::optional<std::filesystem::path> save(Report& report);
  void openFile(const std::filesystem::path& file, bool wordProcessor);
  void saveShown(bool wordProcessor);
  std::optional<int> choose(int kind, int count, int exclude, int filter);
  void begin();
  void finish();
  void tell(const std::string& text, const std::string& caption, ui::Icon icon);

  sys::Platform& platform_;
  ui::ReportView& view_;
  CIni settings_;
  Chart1 chart_;
  Chart2 computed_;
  ChartAnalysis analysis_;
  ui::MenuSpec menu_;
  Report report_;
  unsigned long length_ = 0;
  MissingBankFiles missing_;
  std::filesystem::path lastSaved_;
  bool exitRequested_ = false;
  std::function<void()> onExit_;
};

}  // namespace talpora
