// The chart data entry and the place-and-time dialog in the Qt form dialog (offscreen), used as a
// person would: boxes typed and left, labels and buttons clicked. Every label and box must get the room
// it asks for, in its labelled group. With TALPORA_SCREENSHOTS=DIR each dialog is saved there as PNG
// (run with QT_SCALE_FACTOR=2 to look at 200 %).
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <cstdlib>
#include <string>

#include "dialogs/chart_entry.h"
#include "dialogs/place_entry.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"
#include "qt/form_dialog.h"
#include "qt/tests/qt_test_support.h"

namespace talpora {
namespace {

using namespace dialogs;

[[maybe_unused]] auto* const g_env = ::testing::AddGlobalTestEnvironment(
    new talpora::qt::testkit::OffscreenApplication("talpora_dialogs_qt_tests"));

void screenshot(qt::FormDialog& d, const std::string& name) {
  if (const char* dir = std::getenv("TALPORA_SCREENSHOTS"))
    d.grab().save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
}

// Every visible label, box and button is at least as large as it asks to be, and lies in a group box.
void expectLegible(qt::FormDialog& d) {
  QApplication::processEvents();
  for (const auto& c : d.form().controls) {
    QWidget* w = d.widget(c.id);
    if (!w || !w->isVisible()) continue;
    const QSize hint = w->minimumSizeHint();
    EXPECT_GE(w->width(), hint.width()) << c.id << " " << c.text;
    EXPECT_GE(w->height(), hint.height()) << c.id << " " << c.text;
    if (c.kind != ui::ControlKind::Button || c.row >= 0) {
      EXPECT_TRUE(c.kind == ui::ControlKind::Group || qobject_cast<QGroupBox*>(w->parentWidget()))
          << c.id << " " << c.text;
    }
  }
}

QString boxText(qt::FormDialog& d, ui::ControlId id) {
  return qobject_cast<QLineEdit*>(d.widget(id))->text();
}

TEST(EntryQt, ChartEntryTypedAndRefusedInTheForm) {
  headless::FixedClock clock;
  clock.local.year = 2026;
  EntryServices services;
  services.clock = &clock;
  int atlasCalls = 0;
  services.atlas = [&](ui::Interaction&, Chart1& ex, int) {
    ++atlasCalls;
    ex.longitude = 2.35;
    ex.latitude = 48.85;
    ex.timeZone = 2;
    ex.zoneStatus = 4;
    return 200;
  };
  services.save = [](ui::Interaction&, const Chart1&) { return 1; };
  CIni settings = defaultSettings("/nonexistent");
  settings.ampm = 1;
  ChartEntryDialog model(settings, zeroedRecord<Chart1>(), 0, services);
  headless::ScriptedInteraction ui;
  qt::FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Data Entry for a New Chart"));
  EXPECT_EQ(qobject_cast<QGroupBox*>(d.widget(kZoneGroup))->title(),
            QStringLiteral("Time zone (the clock against Greenwich)"));
  d.typeText(kDay, QStringLiteral("15"));
  d.typeText(kMonth, QStringLiteral("13"));
  d.typeText(kYear, QStringLiteral("24"));
  EXPECT_EQ(boxText(d, kYear), QStringLiteral("2024"));
  d.typeText(kHour, QStringLiteral("9"));
  d.typeText(kMinute, QStringLiteral("5"));
  d.click(kAm);
  d.click(ui::IDOK);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "DATE : impossible month");
  EXPECT_EQ(d.focusedControl(), kMonth);
  EXPECT_EQ(boxText(d, kMonth).trimmed(), QString());
  d.clickLabel(kPlace + ui::kLabelOffset);
  EXPECT_EQ(d.focusedControl(), kPlace);
  d.typeText(kPlace, QStringLiteral("Paris"));
  d.click(kAtlasSearch);  // the month is still missing: refused before the atlas
  EXPECT_EQ(atlasCalls, 0);
  d.typeText(kMonth, QStringLiteral("6"));
  d.click(kAtlasSearch);
  EXPECT_EQ(atlasCalls, 1);
  EXPECT_EQ(boxText(d, kLon2), QStringLiteral("21"));
  EXPECT_EQ(qobject_cast<QLabel*>(d.widget(kZoneStatus))->text(), QStringLiteral("(*) DLS enforced"));
  d.click(kUnitHours);
  EXPECT_EQ(qobject_cast<QLabel*>(d.widget(kLonUnitLabel))->text(), QStringLiteral("hrs"));
  EXPECT_EQ(boxText(d, kLon2), QStringLiteral("9"));
  d.typeText(kName, QStringLiteral("Ren\u00e9e"));
  expectLegible(d);
  screenshot(d, "chart-entry");
  d.click(ui::IDOK);
  EXPECT_TRUE(d.state().closed());
  EXPECT_EQ(model.record().hour, 9);
  EXPECT_EQ(model.record().year, 2024);
  EXPECT_EQ(std::string(model.record().name),
            "Ren\xE9"
            "e");
}

TEST(EntryQt, TransitModeAndThePlaceDialog) {
  EntryServices services;
  headless::ScriptedInteraction ui;
  ChartEntryDialog transits(defaultSettings("/nonexistent"), zeroedRecord<Chart1>(), 33, services);
  qt::FormDialog t(transits, ui);
  ASSERT_TRUE(t.prepare());
  t.show();
  EXPECT_FALSE(t.widget(kLongitudeGroup)->isVisible());
  EXPECT_FALSE(t.widget(kSave)->isVisible());
  EXPECT_TRUE(t.widget(kTransitNote)->isVisible());
  expectLegible(t);
  screenshot(t, "chart-entry-transits");

  Chart1 here = zeroedRecord<Chart1>();
  here.longitude = 2.35 / 15;
  here.latitude = 48.85;
  here.timeZone = 1;
  std::snprintf(here.place, sizeof here.place, "Paris");
  services.atlas = [](ui::Interaction&, Chart1&, int) { return 0; };
  PlaceEntryDialog place(defaultSettings("/nonexistent"), here, 11, true, services);
  qt::FormDialog p(place, ui);
  ASSERT_TRUE(p.prepare());
  p.show();
  EXPECT_EQ(p.windowTitle(), QStringLiteral("Data for Now's Charts in Place 1"));
  EXPECT_EQ(boxText(p, kPlace), QStringLiteral("Paris"));
  EXPECT_EQ(boxText(p, kZoneHours), QStringLiteral("1"));
  expectLegible(p);
  screenshot(p, "place-entry");
}

}  // namespace
}  // namespace talpora
