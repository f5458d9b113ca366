// The interpreter program in its window, offscreen: started over a transfer file written by
// `talpora transfer write`, every menu action triggered with its dialogs answered and the viewer
// `true`; the glyph list window double-clicked; the executable started with a command tail and
// ended with the suite.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/transfer.h"
#include "dialogs/search_dialog.h"
#include "files/startup.h"
#include "files/zykfile.h"
#include "interpretation/bank_source.h"
#include "interpretation/glyph_explanations.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"
#include "platform/suite_registry.h"
#include "programs/zykinterp/interpreter_window.h"
#include "qt/interpreter_list_window.h"
#include "qt/qt_text.h"

namespace fs = std::filesystem;
using namespace talpora;
namespace ic = talpora::interp_command;

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "zykinterp_tests";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
  }
  void TearDown() override { delete app_; }

 private:
  QApplication* app_ = nullptr;
};
[[maybe_unused]] auto* const g_env = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// A program directory with the compiled bank, the text viewer `true`, and the transfer file of Ada's
// chart written by the command line.
fs::path programDirWithChart(const std::string& name) {
  const fs::path dir =
      fs::temp_directory_path() / ("talpora-zykinterp-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  EnsureProgramDirDefaults(dir);
  fs::copy_file(fs::path(TALPORA_SOURCE_DIR) / "data" / "zykadb.DTF", dir / "zykadb.DTF");
  std::vector<bank::SourceError> errors;
  const auto compiled = bank::compileSources(
      bank::readSourceTree(fs::path(TALPORA_SOURCE_DIR) / "data" / "interpretation", errors));
  for (const auto& f : compiled.files) std::ofstream(dir / f.name(), std::ios::binary) << f.bytes();
  const std::string cmd =
      std::string(TALPORA_BIN_DIR) +
      "/talpora transfer write 1990-05-17 14:05 --zone 2 --lon 2.35 --lat 48.85 --name Ada "
      "--program-dir " +
      dir.string() + " > /dev/null";
  EXPECT_EQ(std::system(cmd.c_str()), 0);
  return dir;
}

struct Services {
  explicit Services(const fs::path& dir)
      : platform{ui, printers, launcher, help, sound, clock, busy, suite, ProgramDir{dir, "override"}} {}
  headless::ScriptedInteraction ui;
  struct NoPrinters : gfx::Printers {
    bool hasDefault() const override { return false; }
    std::string defaultName() const override { return ""; }
    std::unique_ptr<gfx::PrintJob> start(std::string_view, const std::string&) override { return nullptr; }
  } printers;
  headless::RecordingLauncher launcher;
  headless::RecordingHelp help;
  headless::RecordingSound sound;
  headless::FixedClock clock;
  headless::CountingBusy busy;
  headless::InMemorySuite suite;
  sys::Platform platform;
};

// Answers every search dialog with its first entry.
void firstEntries(headless::ScriptedInteraction& ui, int dialogs) {
  for (int i = 0; i < dialogs; ++i)
    ui.expectDialog([](ui::DialogModel& model, ui::FormState& state, ui::Interaction& in) {
      model.command(ui::IDOK, state, in);
    });
}
int dialogsOf(int id) {
  switch (id) {
    case ic::kParticularAspect:
    case ic::kBankHouse:
    case ic::kBankSign:
      return 2;
    case ic::kBankAspect:
      return 3;
    default:
      return 0;
  }
}

}  // namespace

TEST(ZykinterpWindow, EveryMenuActionAndTheGlyphList) {
  const fs::path dir = programDirWithChart("window");
  Services services(dir);
  ProgramDirInputs where;
  where.overrideDir = dir;
  ProgramStart start = startProgram("1,", where, services.ui);
  ASSERT_TRUE(start.fromTransferFile);
  setField(start.settings.wordProcessor, "true");

  qt::InterpreterWindow w(services.platform, start.settings, start.chartA, start.computedA, "1,");
  w.show();
  EXPECT_EQ(w.windowTitle(),
            QStringLiteral("Talpora Interpreter:  Ada - ") + qt::toQt(typeTextOf(start.chartA)));
  QPlainTextEdit* edit = w.editor();
  EXPECT_TRUE(edit->toPlainText().contains(QStringLiteral("List of the ")));
  for (int id : w.app().menu().commandIds()) {
    if (id == ic::kExit) continue;
    firstEntries(services.ui, dialogsOf(id));
    EXPECT_TRUE(w.trigger(id)) << id;
    QApplication::processEvents();
    EXPECT_EQ(qt::fromQt(edit->toPlainText()), qt::fromQt(qt::crlfToQt(w.app().report().text))) << id;
  }
  // Six full interpretations and two saves, each opened; no printer for the two font commands.
  EXPECT_EQ(services.launcher.opened.size() + services.launcher.userCommands.size(), 8u);
  EXPECT_TRUE(fs::exists(dir / "Interp8.txt"));
  EXPECT_EQ(services.ui.messages.size(), 3u);  // print to PDF instead?, and no printer twice
  services.ui.messages.clear();
  if (const char* shots = std::getenv("ZYKINTERP_SCREENSHOTS")) {
    w.resize(1000, 700);
    for (int id : {ic::kPointsToNotice, ic::kSignsTropical}) {
      w.trigger(id);
      QApplication::processEvents();
      w.grab().save(
          QString::fromStdString((fs::path(shots) / ("zykinterp-" + std::to_string(id) + ".png")).string()));
    }
  }

  // The glyph list of the Sun: a double click on the house line starts the interpreter for it; the
  // name line does nothing.
  ChPar type;
  type.typeOrigin = 601;
  type.ringKind[1] = 1;
  std::vector<std::string> texts;
  for (const auto& l : glyphExplanation(0, start.settings, start.chartA, start.computedA, type))
    texts.push_back(l.text);
  qt::InterpreterListWindow list;
  list.setLines(texts);
  std::vector<int> activated;
  list.setActivationHandler([&](int index) {
    activated.push_back(index);
    Interpreter(0, start.settings, start.chartA, start.computedA, type, index, services.launcher,
                services.ui);
  });
  list.resize(700, 260);
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  EXPECT_EQ(list.windowTitle(), QStringLiteral("Talpora Interpreter"));
  ASSERT_EQ(list.list()->count(), static_cast<int>(texts.size()));
  auto doubleClick = [&](int row) {
    const QRect r = list.list()->visualItemRect(list.list()->item(row));
    // A press on the row first, as a real double click begins.
    QTest::mouseClick(list.list()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list.list()->viewport(), Qt::LeftButton, {}, r.center());
    QApplication::processEvents();
  };
  doubleClick(0);
  EXPECT_TRUE(services.launcher.started.empty());
  doubleClick(1);
  EXPECT_EQ(activated, std::vector<int>{1});
  ASSERT_EQ(services.launcher.started.size(), 1u);
  EXPECT_EQ(services.launcher.started[0].first, "zykinterp");
  EXPECT_NE(services.launcher.started[0].second.find(", 2, 0, 1"), std::string::npos);
  // Enter on the current row does the same.
  list.list()->setCurrentRow(2);
  QTest::keyClick(list.list(), Qt::Key_Return);
  EXPECT_EQ(activated, (std::vector<int>{1, 2}));
  if (const char* shots = std::getenv("ZYKINTERP_SCREENSHOTS")) {
    list.resize(700, 260);
    list.grab().save(QString::fromStdString((fs::path(shots) / "zykinterp-list.png").string()));
  }
  // Placed away from the click: a click at the top left puts the list at the bottom right.
  EXPECT_EQ(qt::InterpreterListWindow::placement({0, 0, 1000, 800}, {100, 100}), QRect(390, 560, 610, 240));
  EXPECT_EQ(qt::InterpreterListWindow::placement({0, 0, 1000, 800}, {900, 700}), QRect(0, 0, 610, 240));

  // F1 opens the help index; Exit closes the window.
  QTest::keyClick(&w, Qt::Key_F1);
  QApplication::processEvents();
  EXPECT_EQ(services.help.topics.back(), -2);
  EXPECT_TRUE(w.trigger(ic::kExit));
  QApplication::processEvents();
  EXPECT_FALSE(w.isVisible());
  fs::remove_all(dir);
}

TEST(ZykinterpProgram, StartsOnATailAndEndsWithTheSuite) {
  const fs::path dir = programDirWithChart("process");
  fs::create_directories(dir / "run");
  fs::permissions(dir / "run", fs::perms::owner_all);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString((dir / "run").string()));
  env.insert(QStringLiteral("TALPORA_HOME"), QString::fromStdString(dir.string()));
  QProcess program;
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(ZYKINTERP_PROGRAM), {QStringLiteral("1, 1, 0, 4")});
  ASSERT_TRUE(program.waitForStarted(10000));
  SuiteRegistry registry(dir / "run" / "talpora");
  for (int i = 0; i < 1500 && registry.live("InterpretCC").empty(); ++i) ::usleep(10'000);
  ASSERT_EQ(registry.live("InterpretCC").size(), 1u) << program.readAllStandardError().toStdString();
  const std::string_view classes[] = {"InterpretCC"};
  registry.closeAll(classes);
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitCode(), 0);

  fs::remove_all(dir);
}
