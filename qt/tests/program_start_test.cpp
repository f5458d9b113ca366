// A windowed program from start to end: started with a command tail over a transfer file, it
// registers its window class, and ending the suite closes its window through SIGTERM, after which
// it unregisters and exits normally.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/records.h"
#include "core/transfer.h"
#include "platform/atomic_file.h"
#include "platform/suite_registry.h"
#include "qt/tests/qt_test_support.h"

namespace fs = std::filesystem;
using namespace talpora;

TEST(ProgramStart, StartsOnTheTransferFileAndEndsWithTheSuite) {
  const fs::path dir = fs::temp_directory_path() / ("talpora-probe-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "home");
  fs::create_directories(dir / "run");
  fs::permissions(dir / "run", fs::perms::owner_all);
  const Chart1 chart = embeddedDefaultChart();
  ASSERT_TRUE(replaceFileAtomically(dir / "home" / kTransferFileName, transferBytes(chart, {}, chart, {})));

  QProcess probe;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString((dir / "run").string()));
  env.insert(QStringLiteral("TALPORA_HOME"), QString::fromStdString((dir / "home").string()));
  probe.setProcessEnvironment(env);
  probe.start(QStringLiteral(TALPORA_PROBE_PROGRAM), {QStringLiteral("4711,")});
  ASSERT_TRUE(probe.waitForStarted(10000));

  SuiteRegistry registry(dir / "run" / "talpora");
  for (int i = 0; i < 1000 && registry.live("TalporaProbe").empty(); ++i) ::usleep(10'000);
  ASSERT_EQ(registry.live("TalporaProbe").size(), 1u) << probe.readAllStandardError().toStdString();
  EXPECT_EQ(registry.live("TalporaProbe")[0].pid, static_cast<pid_t>(probe.processId()));

  std::ifstream in(dir / "home" / "probe.txt");
  std::stringstream ss;
  ss << in.rdbuf();
  EXPECT_EQ(ss.str(), "tail=4711,\nhandle=4711\ntransfer=1\nchart=" + nameOf(chart) + "\n");

  const std::string_view classes[] = {"CNPlisti", "TalporaProbe"};
  registry.closeAll(classes);
  ASSERT_TRUE(probe.waitForFinished(10000));
  EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);  // closed its window, not killed
  EXPECT_EQ(probe.exitCode(), 0);
  EXPECT_EQ(registry.signalled().size(), 1u);
  EXPECT_TRUE(fs::is_empty(dir / "run" / "talpora"));  // unregistered on the way out
  fs::remove_all(dir);
}
