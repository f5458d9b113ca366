// The application every Qt test runs in (offscreen), and the checks of the text boundary: code page,
// line ends, mnemonics, file filters and default extensions, program arguments.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "qt/program_main.h"
#include "qt/qt_interaction.h"
#include "qt/qt_text.h"
#include "qt/tests/qt_test_support.h"

namespace {
[[maybe_unused]] auto* const g_env = ::testing::AddGlobalTestEnvironment(
    new talpora::qt::testkit::OffscreenApplication("talpora_qtplatform_tests"));
}  // namespace

using namespace talpora;
using namespace talpora::qt;

TEST(QtText, CodePageAndLineEndsCrossTheBoundary) {
  EXPECT_EQ(toQt("12\xB0 Z\xFCrich \x80"), QString::fromUtf8("12\u00B0 Z\u00FCrich \u20AC"));
  EXPECT_EQ(fromQt(QString::fromUtf8("12\u00B0 \u20AC")), "12\xB0 \x80");
  EXPECT_EQ(fromQt(QString::fromUtf8("\u4E2D")), "?");  // not in the code page
  EXPECT_EQ(crlfToQt("a\r\nb\r\n"), QStringLiteral("a\nb\n"));
  EXPECT_EQ(qtToCrlf(QStringLiteral("a\nb\n")), "a\r\nb\r\n");
  EXPECT_EQ(qtToCrlf(QStringLiteral("a\r\nb")), "a\r\nb");
  EXPECT_EQ(withoutMnemonics("&Save && Exit"), QStringLiteral("Save & Exit"));
  EXPECT_EQ(withoutMnemonics("100 &&"), QStringLiteral("100 &"));
  EXPECT_EQ(toPath(fromPath("/tmp/a b/\xC3\xA9.chr")), std::filesystem::path("/tmp/a b/\xC3\xA9.chr"));
}

TEST(QtText, FileFiltersAndDefaultExtensions) {
  EXPECT_EQ(qtFileFilter("Chart Files (*.chr)|*.chr||"), QStringLiteral("Chart Files (*.chr *.CHR)"));
  EXPECT_EQ(qtFileFilter("Chart Files (*.1sb)|*.1sb||"), QStringLiteral("Chart Files (*.1sb *.1SB)"));
  EXPECT_EQ(qtFileFilter("*.*||"), QStringLiteral("*.* (*)"));
  EXPECT_EQ(qtFileFilter("Texts|*.txt;*.doc|All Files (*.*)|*.*||"),
            QStringLiteral("Texts (*.txt *.TXT *.doc *.DOC);;All Files (*)"));
  EXPECT_EQ(qtFileFilter(""), QString());
  EXPECT_EQ(withDefaultExtension("/home/u/chart", "CHR"), std::filesystem::path("/home/u/chart.CHR"));
  EXPECT_EQ(withDefaultExtension("/home/u/chart.chr", "CHR"), std::filesystem::path("/home/u/chart.chr"));
  EXPECT_EQ(withDefaultExtension("/home/u/base", ""), std::filesystem::path("/home/u/base"));
}

TEST(ProgramMain, CommandTailAndProgramDirectoryOption) {
  auto a = parseProgramArguments({QStringLiteral("4711,")});
  EXPECT_EQ(a.tail, "4711,");
  EXPECT_FALSE(a.programDir);
  a = parseProgramArguments({QStringLiteral("--program-dir"), QStringLiteral("/data/t"),
                             QStringLiteral("4711,"), QStringLiteral("1,"), QStringLiteral("0,"),
                             QStringLiteral("4")});
  EXPECT_EQ(a.tail, "4711, 1, 0, 4");
  EXPECT_EQ(a.programDir, std::filesystem::path("/data/t"));
  a = parseProgramArguments({QStringLiteral("--program-dir=/x"), QStringLiteral("4711, 2, 3, 5")});
  EXPECT_EQ(a.tail, "4711, 2, 3, 5");
  EXPECT_EQ(a.programDir, std::filesystem::path("/x"));
  EXPECT_EQ(parseProgramArguments({}).tail, "");
}
