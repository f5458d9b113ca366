// The small services: the launcher (suite programs with their command tail and program directory,
// user commands without a shell), the help browser, sound, the wait cursor, the clock ticker, the
// progress window and SIGTERM closing the main window.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QTextBrowser>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/headless/fakes.h"
#include "qt/clock_ticker.h"
#include "qt/help_viewer.h"
#include "qt/progress_dialog.h"
#include "qt/qt_launcher.h"
#include "qt/qt_services.h"
#include "qt/termination.h"
#include "qt/tests/qt_test_support.h"

namespace fs = std::filesystem;
using namespace talpora;
using namespace talpora::qt;

namespace {
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-services-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}
void writeFile(const fs::path& p, const std::string& text) {
  std::ofstream(p) << text;
}
// A program that writes its arguments, TALPORA_HOME and working folder, one a line, to `out`.
void writeRecorder(const fs::path& program, const fs::path& out) {
  writeFile(program,
            "#!/bin/sh\n{ for a in \"$@\"; do printf '%s\\n' \"$a\"; done; printf 'home=%s\\npwd=%s\\n' "
            "\"$TALPORA_HOME\" \"$PWD\"; } > '" +
                out.string() + ".tmp' && mv '" + out.string() + ".tmp' '" + out.string() + "'\n");
  fs::permissions(program, fs::perms::owner_all);
}
std::string waitForFile(const fs::path& p) {
  for (int i = 0; i < 500 && !fs::exists(p); ++i) ::usleep(10'000);
  std::ifstream in(p);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}
}  // namespace

TEST(QtLauncher, StartsSuiteProgramsWithTheirTailAndProgramDirectory) {
  const fs::path dir = freshDir("launch");
  fs::create_directories(dir / "bin");
  fs::create_directories(dir / "home");
  writeRecorder(dir / "bin" / "zyklist", dir / "out.txt");
  QtLauncher launcher(ProgramDir{dir / "home", "override"}, {dir / "nowhere", dir / "bin"});
  EXPECT_EQ(launcher.programPath(sys::Program::List), dir / "bin" / "zyklist");
  EXPECT_FALSE(launcher.programPath(sys::Program::Fore).has_value());
  EXPECT_FALSE(launcher.start(sys::Program::Fore, "4711,"));
  ASSERT_TRUE(launcher.start(sys::Program::List, "4711, 1, 0, 4"));
  EXPECT_EQ(waitForFile(dir / "out.txt"),
            "4711, 1, 0, 4\nhome=" + (dir / "home").string() + "\npwd=" + (dir / "home").string() + "\n");
  fs::remove_all(dir);
}

TEST(QtLauncher, UserCommandsAreSplitWithoutAShell) {
  const fs::path dir = freshDir("user");
  writeRecorder(dir / "recorder", dir / "out.txt");
  QtLauncher launcher(ProgramDir{dir, "override"}, {});
  const fs::path file = dir / "Listng 3.txt";
  // Double quotes group words, as on the Windows command line; ";" is no command separator.
  ASSERT_TRUE(
      launcher.startUserCommand("\"" + (dir / "recorder").string() + "\" --writer \"two words\" ;rm", file));
  const char* home = std::getenv("TALPORA_HOME");
  EXPECT_EQ(waitForFile(dir / "out.txt"), "--writer\ntwo words\n;rm\n" + file.string() + "\nhome=" +
                                              std::string(home ? home : "") + "\npwd=" + dir.string() + "\n");
  EXPECT_FALSE(launcher.startUserCommand("", file));
  EXPECT_FALSE(launcher.startUserCommand((dir / "no-such-program").string(), file));
  fs::remove_all(dir);
}

TEST(QtHelpViewer, TopicsIndexContentsAndUnknownTopics) {
  const fs::path dir = freshDir("help");
  writeFile(dir / "index.html", "<html><body><h1>Contents</h1></body></html>");
  writeFile(dir / "keywords.html", "<html><body><h1>Index of keywords</h1></body></html>");
  writeFile(dir / "topic-77.html", "<html><body><h1>Data entry for a new chart</h1></body></html>");
  QtHelpViewer help({dir / "missing", dir});
  EXPECT_EQ(help.folder(), dir);
  help.topic(77);
  EXPECT_EQ(help.currentPage(), dir / "topic-77.html");
  ASSERT_NE(help.browser(), nullptr);
  EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("Data entry for a new chart")));
  EXPECT_TRUE(help.window()->isVisible());
  help.topic(34000);  // no page: the contents
  EXPECT_EQ(help.currentPage(), dir / "index.html");
  EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("Contents")));
  help.index();
  EXPECT_EQ(help.currentPage(), dir / "keywords.html");
  help.contents();
  EXPECT_EQ(help.currentPage(), dir / "index.html");

  QtHelpViewer none({dir / "missing"});
  EXPECT_TRUE(none.pageFor(77).empty());
  none.topic(77);
  EXPECT_TRUE(none.browser()->toPlainText().contains(QStringLiteral("not installed")));
  fs::remove_all(dir);
}

TEST(QtServices, SoundReportsWhetherItCouldPlay) {
  const fs::path dir = freshDir("sound");
  writeFile(dir / "Alarmcc.wav", "RIFF");
  EXPECT_FALSE(QtSoundPlayer({QStringLiteral("true")}).playAsync(dir / "missing.wav"));
  EXPECT_FALSE(QtSoundPlayer({QStringLiteral("no-such-player-here")}).playAsync(dir / "Alarmcc.wav"));
  EXPECT_TRUE(QtSoundPlayer({QStringLiteral("no-such-player-here"), QStringLiteral("true")})
                  .playAsync(dir / "Alarmcc.wav"));
  fs::remove_all(dir);
}

TEST(QtServices, WaitCursorWhileBusy) {
  QtBusy busy;
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  {
    sys::BusyScope outer(busy);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    {
      sys::BusyScope inner(busy);
      EXPECT_EQ(busy.depth(), 2);
    }
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  busy.pop();  // one pop too many does no harm
  EXPECT_EQ(busy.depth(), 0);
}

TEST(ClockTicker, OneCallPerChangeOfSecondAndMinuteWhateverTheTicks) {
  headless::FixedClock clock;
  clock.local = {2024, 3, 20, 12, 0, 58};
  ClockTicker ticker(clock);
  std::vector<sys::LocalTime> seconds, minutes;
  ticker.onSecond([&](const sys::LocalTime& t) { seconds.push_back(t); });
  ticker.onMinute([&](const sys::LocalTime& t) { minutes.push_back(t); });
  ticker.poll();
  ticker.poll();  // the same second again
  EXPECT_EQ(seconds.size(), 1u);
  EXPECT_EQ(minutes.size(), 1u);
  clock.local.second = 59;
  ticker.poll();
  EXPECT_EQ(seconds.size(), 2u);
  EXPECT_EQ(minutes.size(), 1u);
  clock.local = {2024, 3, 20, 12, 1, 0};
  ticker.poll();
  EXPECT_EQ(minutes.size(), 2u);
  // After a suspend of three hours: one call with the present time, not a burst.
  clock.local = {2024, 3, 20, 15, 1, 30};
  ticker.poll();
  EXPECT_EQ(minutes.size(), 3u);
  EXPECT_EQ(minutes.back().hour, 15);
  // The clock set back: a change all the same.
  clock.local = {2024, 3, 20, 14, 1, 30};
  ticker.poll();
  EXPECT_EQ(minutes.size(), 4u);
  EXPECT_TRUE(sameMinute({2024, 3, 20, 14, 1, 0}, {2024, 3, 20, 14, 1, 59}));
  EXPECT_FALSE(sameMinute({2024, 3, 20, 14, 1, 0}, {2024, 3, 21, 14, 1, 0}));
  // Driven by its timer on the event loop.
  ticker.start(5);
  clock.local.second = 31;
  QElapsedTimer t;
  t.start();
  const auto before = seconds.size();
  while (seconds.size() == before && t.elapsed() < 2000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  ticker.stop();
  EXPECT_GT(seconds.size(), before);
}

TEST(ProgressDialogSink, ShowsProgressAndAsksToStop) {
  ProgressDialogSink sink(nullptr);
  sink.show("Cleaning the database");
  EXPECT_EQ(sink.dialog().labelText(), QStringLiteral("Cleaning the database"));
  sink.progress(25, 100);
  EXPECT_EQ(sink.dialog().value(), 250);
  EXPECT_FALSE(sink.cancelled());
  sink.dialog().cancel();
  EXPECT_TRUE(sink.cancelled());
  ui::ProgressSink& plain = sink;
  plain.progress(3'000'000'000L, 4'000'000'000L);  // long runs fit the bar
  EXPECT_EQ(sink.dialog().maximum(), 1000);
}

TEST(Termination, SigtermClosesTheMainWindow) {
  QWidget window;
  window.show();
  ASSERT_TRUE(closeOnTermination(&window));
  ASSERT_TRUE(window.isVisible());
  ::kill(::getpid(), SIGTERM);
  QElapsedTimer t;
  t.start();
  while (window.isVisible() && t.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_FALSE(window.isVisible());
  closeOnTermination(nullptr);
}
