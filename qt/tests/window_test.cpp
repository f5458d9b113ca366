// The window shells: a report window with a menu from a table (commands, greying, relabelling,
// removal, a right-justified item, F1 through the accelerator table) and its report view, and a
// painted window whose clicks map back into the painter's units.
#include <gtest/gtest.h>

#include <QAction>
#include <QFontInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include "qt/painted_window.h"
#include "qt/report_window.h"
#include "qt/tests/qt_test_support.h"

using namespace talpora;
using namespace talpora::qt;

namespace {
ui::MenuSpec sampleMenu() {
  ui::MenuSpec m;
  m.name = "ZYKLIST_MENU";
  m.bar = {
      {0,
       "&File",
       {{1001, "&Open...", {}, true}, {0, "", {}, true}, {1002, "&Save\tCtrl+S", {}, true}},
       true},
      {0, "&Tables", {{3000, "&Positions", {}, true}, {3001, "&Houses && Cusps", {}, false}}, true},
      {6650, "&Help", {}, true},
      {9990, "\bE&xit", {}, true},
  };
  m.keyToCommand = {{0x70, 6650}, {'P' | kKeyCtrl, 3000}};
  return m;
}
}  // namespace

TEST(ReportWindow, MenuFromATableRunsCommands) {
  ReportWindow w;
  std::vector<int> ran;
  w.setCommandHandler([&](int id) { ran.push_back(id); });
  w.setMenu(sampleMenu());
  ASSERT_NE(w.action(3000), nullptr);
  EXPECT_EQ(w.action(1001)->text(), QStringLiteral("&Open..."));
  EXPECT_EQ(w.action(3001)->text(), QStringLiteral("&Houses && Cusps"));
  EXPECT_TRUE(w.trigger(3000));
  EXPECT_TRUE(w.trigger(6650));   // a command right on the bar
  EXPECT_FALSE(w.trigger(3001));  // greyed
  EXPECT_FALSE(w.trigger(4242));  // no such item
  EXPECT_EQ(ran, (std::vector<int>{3000, 6650}));

  // Greying, relabelling and removal at run time.
  EXPECT_TRUE(w.setItemEnabled(3001, true));
  EXPECT_TRUE(w.trigger(3001));
  EXPECT_TRUE(w.setItemText(3000, "&Positions of 1990"));
  EXPECT_EQ(w.action(3000)->text(), QStringLiteral("&Positions of 1990"));
  EXPECT_EQ(w.menu().find(3000)->text, "&Positions of 1990");
  EXPECT_TRUE(w.removeItem(1002));
  EXPECT_EQ(w.action(1002), nullptr);
  EXPECT_NE(w.action(1001), nullptr);
  EXPECT_TRUE(w.setItemEnabled(1001, false));
  EXPECT_FALSE(w.action(1001)->isEnabled());

  // The right-justified item lives in the bar's right corner, without its mark.
  auto* corner = qobject_cast<QMenuBar*>(w.menuBar()->cornerWidget(Qt::TopRightCorner));
  ASSERT_NE(corner, nullptr);
  ASSERT_TRUE(corner->actions().contains(w.action(9990)));
  EXPECT_EQ(w.action(9990)->text(), QStringLiteral("E&xit"));
  EXPECT_FALSE(w.menuBar()->actions().contains(w.action(9990)));
}

TEST(ReportWindow, AcceleratorsReachTheCommandsFromTheReport) {
  ReportWindow w;
  std::vector<int> ran;
  w.setCommandHandler([&](int id) { ran.push_back(id); });
  w.setMenu(sampleMenu());
  w.resize(400, 300);
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.editor()->setFocus();
  QTest::keyClick(w.editor(), Qt::Key_F1);
  QTest::keyClick(w.editor(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(ran, (std::vector<int>{6650, 3000}));
  EXPECT_EQ(qtKeyOf(0x70), int(Qt::Key_F1));
  EXPECT_EQ(qtKeyOf(0x2E), int(Qt::Key_Delete));
  EXPECT_EQ(qtKeyOf('A' | kKeyShift), (Qt::SHIFT | Qt::Key_A).toCombined());
  EXPECT_EQ(qtKeyOf(0xFF), 0);
}

TEST(ReportWindow, ReportViewShowsAndReadsBackLinesWithEdits) {
  ReportWindow w;
  QPlainTextEdit* e = w.editor();
  EXPECT_EQ(e->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_TRUE(QFontInfo(e->font()).fixedPitch());
  w.report().show("Positions\r\nSun     12\xB0 Leo\r\n\r\nEnd\r\n");
  EXPECT_EQ(e->toPlainText(), QString::fromUtf8("Positions\nSun     12\u00B0 Leo\n\nEnd\n"));
  EXPECT_EQ(w.report().lines(), (std::vector<std::string>{"Positions", "Sun     12\xB0 Leo", "", "End"}));
  // A person edits the report before printing it.
  e->moveCursor(QTextCursor::End);
  e->insertPlainText(QString::fromUtf8("Note \u00E9"));
  EXPECT_EQ(w.report().lines().back(), "Note \xE9");
  EXPECT_EQ(w.report().lines().size(), 5u);
}

TEST(PaintedWindow, PaintsThroughACanvasAndMapsClicksBack) {
  PaintedWindow w;
  w.view().setPainter([](gfx::Canvas& c, gfx::Size) {
    c.setMapping(gfx::Mapping::Isotropic, {1000, 1000});
    c.fillDisc({500, 500}, 200, gfx::rgb(255, 0, 0));
  });
  std::vector<gfx::Point> clicks;
  w.view().setClickHandler([&](gfx::Point p, PaintedView::Button b, bool twice) {
    if (b == PaintedView::Button::Right && !twice) clicks.push_back(w.view().toLogical(p));
  });
  w.view().setFixedSize(300, 400);
  w.show();
  const QImage shot = w.view().grab().toImage();
  // 1000 logical units fit the 300-pixel width: the disc's centre is at (150, 150).
  EXPECT_EQ(shot.pixelColor(150, 150), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(150, 300), QColor(255, 255, 255));
  EXPECT_NEAR(w.view().lastMapping().scale(), 0.3, 1e-9);
  QTest::mouseClick(&w.view(), Qt::RightButton, Qt::NoModifier, QPoint(150, 60));
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], (gfx::Point{500, 200}));
}
