// The listing program in its window, offscreen: the window over a transfer file with every menu
// action triggered, and the executable started with a command tail, ended with the suite.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "core/transfer.h"
#include "dialogs/search_dialog.h"
#include "engine/chart.h"
#include "files/startup.h"
#include "files/zykfile.h"
#include "listing/number_dialog.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"
#include "platform/suite_registry.h"
#include "programs/zyklist/listing_window.h"
#include "qt/qt_text.h"

namespace fs = std::filesystem;
using namespace talpora;
namespace lc = talpora::listing_command;

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "zyklist_tests";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};
[[maybe_unused]] auto* const g_env = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// A program directory with the shipped data and a transfer file holding a chart of Paris.
fs::path programDirWithChart(const std::string& name, Chart1& birth) {
  const fs::path dir =
      fs::temp_directory_path() / ("talpora-zyklist-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  EnsureProgramDirDefaults(dir);
  for (const char* f : {"ZYKFFL.DTF", "zykffn.dtf", "zykadb.DTF"})
    fs::copy_file(fs::path(TALPORA_SOURCE_DIR) / "data" / f, dir / f, fs::copy_options::overwrite_existing);
  headless::ScriptedInteraction ui;
  CIni settings = defaultSettings(dir.string());
  PutInMemBlock_CIni(settings, dir, ui);
  birth = zeroedRecord<Chart1>();
  birth.marker1 = birth.marker2 = 32;
  birth.marker3 = ' ';
  birth.day = 5;
  birth.month = 1;
  birth.year = 1996;
  birth.hour = 14;
  birth.minute = 5;
  birth.longitude = (2.0 + 20.0 / 60.0) / 15.0;
  birth.latitude = 48.0 + 52.0 / 60.0;
  birth.timeKnown = 1;
  setField(birth.name, "Paris Sample");
  setField(birth.place, "Paris");
  setField(birth.typeText, "Natal Chart");
  Chart2 chart = zeroedRecord<Chart2>();
  calculall(settings, birth, chart, 0, 0, 0);
  TransferBlock block;
  EXPECT_EQ(FillUpTalporaTransferBlock(block, settings, birth, chart, birth, chart), 1);
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

// Answers the dialog a command opens (a number, a modulus), cancels the others.
void answerDialogs(headless::ScriptedInteraction& ui) {
  ui.expectDialog([](ui::DialogModel& model, ui::FormState& state, ui::Interaction& in) {
    if (dynamic_cast<NumberDialog*>(&model)) {
      state.setText(NumberDialog::kNumber, "7");
      model.command(ui::IDOK, state, in);
    } else if (dynamic_cast<dialogs::SearchDialog*>(&model)) {
      state.setText(dialogs::SearchDialog::kDegrees, "30");
      model.command(ui::IDOK, state, in);
    }
    if (!state.closed()) model.command(ui::IDCANCEL, state, in);
  });
}

bool opensDialog(int id) {
  return id == lc::kOrbs || id == lc::kModulusUser || id == lc::kHelioModulusUser ||
         id == lc::kOneHarmonicTropical || id == lc::kOneHarmonicSidereal ||
         id == lc::kHarmonicDrawingTropical || id == lc::kHarmonicDrawingSidereal;
}

}  // namespace

TEST(ZyklistWindow, EveryMenuActionFromTheTransferFile) {
  Chart1 birth;
  const fs::path dir = programDirWithChart("window", birth);
  Services services(dir);
  ProgramDirInputs where;
  where.overrideDir = dir;
  ProgramStart start = startProgram("1,", where, services.ui);
  ASSERT_TRUE(start.fromTransferFile);

  qt::ListingWindow w(services.platform, start.settings, start.chartA, start.computedA);
  w.app().setHarmonicDrawer([](const Chart1&, const Chart2&) {});
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Talpora Listing:  Paris Sample - Natal Chart"));
  EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
  QPlainTextEdit* edit = w.editor();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->objectName(), QStringLiteral("report888"));
  EXPECT_TRUE(
      edit->toPlainText().startsWith(QStringLiteral("Paris Sample - Natal Chart\nFriday January 5 1996")));
  EXPECT_TRUE(edit->toPlainText().contains(QStringLiteral("  TROPICAL ZODIAC")));

  // The menu bar: the five popups, Help, and Exit at the right.
  ASSERT_NE(w.menuBar(), nullptr);
  const auto top = w.menuBar()->actions();
  ASSERT_GE(top.size(), 6);
  EXPECT_EQ(top[0]->text(), QStringLiteral("Planetary &Listings"));
  EXPECT_EQ(top[4]->text(), QStringLiteral("&Print"));
  EXPECT_EQ(w.action(lc::kMidpointsTropical)->text(), QStringLiteral("&Tropical"));
  EXPECT_EQ(w.action(lc::kModulus22)->text(), QString::fromUtf8("&22\u00B030'"));
  ASSERT_NE(top[1]->menu(), nullptr);
  bool midpoints = false;
  for (QAction* a : top[1]->menu()->actions())
    midpoints = midpoints || a->text() == QString::fromUtf8("&Midpoints (360\u00B0)...");
  EXPECT_TRUE(midpoints);
  ASSERT_NE(w.action(lc::kExit), nullptr);

  for (int id : w.menu().commandIds()) {
    if (id == lc::kExit) continue;
    if (opensDialog(id)) answerDialogs(services.ui);
    const int dialogs = services.ui.dialogsRun;
    const QString before = edit->toPlainText();
    EXPECT_TRUE(w.trigger(id)) << id;
    QApplication::processEvents();
    if (opensDialog(id)) {
      EXPECT_GT(services.ui.dialogsRun, dialogs) << id;
    }
    if (id == lc::kHarmonicDrawingTropical || id == lc::kHarmonicDrawingSidereal) {
      EXPECT_EQ(edit->toPlainText(), before) << id;  // a drawing shows no listing
    } else {
      // The edit control shows the report of the last listing (the print and save commands keep it).
      EXPECT_EQ(qt::fromQt(edit->toPlainText()), qt::fromQt(qt::crlfToQt(w.app().report().text))) << id;
    }
  }
  EXPECT_FALSE(edit->toPlainText().isEmpty());
  ASSERT_TRUE(w.trigger(lc::kDetailedTropical));
  EXPECT_TRUE(edit->toPlainText().contains(QStringLiteral("Astronomical information:")));
  ASSERT_TRUE(w.trigger(lc::kStarsTropical));
  EXPECT_TRUE(edit->toPlainText().contains(QStringLiteral(" FIXED STARS:")));
  EXPECT_TRUE(edit->toPlainText().contains(QString::fromUtf8("Vega (alpha Lyr)")));

  // Pictures of the window for a person to look at, when asked for (ZYKLIST_SCREENSHOTS=folder).
  if (const char* shots = std::getenv("ZYKLIST_SCREENSHOTS")) {
    w.resize(1000, 760);
    for (int id :
         {lc::kSimpleTropical, lc::kDetailedSidereal, lc::kCompared, lc::kHelioTropical, lc::kHousesCompared,
          lc::kStarsTropical, lc::kElementsCompared, lc::kMajorMinorTropical, lc::kMidpointsTropical,
          lc::kPlanetaryArcs, lc::kArabianTropical, lc::kHarmonicsSidereal}) {
      ASSERT_TRUE(w.trigger(id));
      QApplication::processEvents();
      w.grab().save(
          QString::fromStdString((fs::path(shots) / ("zyklist-" + std::to_string(id) + ".png")).string()));
    }
    for (int i = 0; i < 5; ++i) {
      QMenu* menu = top[i]->menu();
      menu->popup(w.mapToGlobal(QPoint(0, 0)));
      QApplication::processEvents();
      menu->grab().save(
          QString::fromStdString((fs::path(shots) / ("menu-" + std::to_string(i) + ".png")).string()));
      menu->hide();
    }
  }

  // F1 gives Help.
  const std::size_t helps = services.help.topics.size();
  QTest::keyClick(&w, Qt::Key_F1);
  QApplication::processEvents();
  EXPECT_EQ(services.help.topics.size(), helps + 1);

  // Exit closes the window.
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.trigger(lc::kExit));
  QApplication::processEvents();
  EXPECT_FALSE(w.isVisible());
  fs::remove_all(dir);
}

TEST(ZyklistProgram, StartsOnTheTransferFileAndEndsWithTheSuite) {
  Chart1 birth;
  const fs::path dir = programDirWithChart("process", birth);
  fs::create_directories(dir / "run");
  fs::permissions(dir / "run", fs::perms::owner_all);
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString((dir / "run").string()));
  env.insert(QStringLiteral("TALPORA_HOME"), QString::fromStdString(dir.string()));
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(ZYKLIST_PROGRAM), {QStringLiteral("1,")});
  ASSERT_TRUE(program.waitForStarted(10000));
  SuiteRegistry registry(dir / "run" / "talpora");
  for (int i = 0; i < 1500 && registry.live("CNPlisti").empty(); ++i) ::usleep(10'000);
  ASSERT_EQ(registry.live("CNPlisti").size(), 1u) << program.readAllStandardError().toStdString();
  const std::string_view classes[] = {"CNPlisti"};
  registry.closeAll(classes);
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  fs::remove_all(dir);
}
