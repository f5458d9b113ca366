// The time and latitude entry dialogs: validation order, messages, cleared boxes, results.
#include "dialogs/time_latitude.h"

#include <gtest/gtest.h>

#include "dialogs/dialog_helpers.h"
#include "platform/headless/scripted_interaction.h"

using namespace talpora;
using namespace talpora::dialogs;

namespace {
struct TimeResult {
  int h, m, s, ok;
  std::vector<std::string> messages;
};
// Types the three boxes, presses OK; when refused, presses Cancel.
TimeResult enterTime(int mode, const char* h, const char* m, const char* s, std::string* prompt = nullptr,
                     ui::ControlId* focus = nullptr, std::string* cleared = nullptr) {
  headless::ScriptedInteraction ui;
  ui.expectDialog([&](ui::DialogModel& model, ui::FormState& st, ui::Interaction& in) {
    if (prompt) *prompt = st.text(TimeDialog::kPrompt);
    st.setText(TimeDialog::kHours, h);
    st.setText(TimeDialog::kMinutes, m);
    st.setText(TimeDialog::kSeconds, s);
    model.command(ui::IDOK, st, in);
    if (!st.closed()) {
      if (focus) *focus = st.focused();
      if (cleared) *cleared = st.text(st.focused());
      model.command(ui::IDCANCEL, st, in);
    }
  });
  TimeResult r{};
  time_data(ui, mode, &r.h, &r.m, &r.s, &r.ok);
  for (const auto& msg : ui.messages) {
    EXPECT_EQ(msg.caption, "Error");
    EXPECT_EQ(msg.icon, ui::Icon::Warning);
    r.messages.push_back(msg.text);
  }
  return r;
}
}  // namespace

TEST(TimeDialog, AcceptsTwentyFourHundredAndRefusesInOrder) {
  std::string prompt;
  auto r = enterTime(0, "24", "0", "0", &prompt);
  EXPECT_EQ(prompt, "Enter the time:");
  EXPECT_EQ((std::array<int, 4>{r.h, r.m, r.s, r.ok}), (std::array<int, 4>{24, 0, 0, 1}));
  EXPECT_TRUE(r.messages.empty());

  ui::ControlId focus = 0;
  std::string cleared;
  r = enterTime(0, "24", "0", "1", nullptr, &focus, &cleared);
  EXPECT_EQ(r.messages, std::vector<std::string>{"Time: impossible hour"});
  EXPECT_EQ(focus, TimeDialog::kHours);
  EXPECT_EQ(cleared, "   ");
  EXPECT_EQ(r.ok, 0);

  r = enterTime(0, "12", "30", "75", nullptr, &focus, &cleared);
  EXPECT_EQ(r.messages, std::vector<std::string>{"Time, seconds: impossible figure"});
  EXPECT_EQ(focus, TimeDialog::kSeconds);
  r = enterTime(0, "12", "60", "75");
  EXPECT_EQ(r.messages, std::vector<std::string>{"Time, minutes: impossible figure"});  // minutes first
  r = enterTime(1, "", "x", "", &prompt);
  EXPECT_EQ(prompt, "Enter the Sidereal Time:");
  EXPECT_EQ((std::array<int, 4>{r.h, r.m, r.s, r.ok}), (std::array<int, 4>{0, 0, 0, 1}));
}

TEST(LatitudeDialog, SouthIsNegativeAndNinetyIsTheLimit) {
  auto enter = [](const char* d, const char* m, const char* s, bool south, std::vector<std::string>* msgs) {
    headless::ScriptedInteraction ui;
    ui.expectDialog([&](ui::DialogModel& model, ui::FormState& st, ui::Interaction& in) {
      EXPECT_TRUE(st.checked(LatitudeDialog::kNorth));
      st.setText(LatitudeDialog::kDegrees, d);
      st.setText(LatitudeDialog::kMinutes, m);
      st.setText(LatitudeDialog::kSeconds, s);
      if (south) model.command(LatitudeDialog::kSouth, st, in);
      model.command(ui::IDOK, st, in);
      if (!st.closed()) model.command(ui::IDCANCEL, st, in);
    });
    double lat = 99;
    int ok = -1;
    l_data(ui, 0, &lat, &ok);
    for (const auto& m : ui.messages) msgs->push_back(m.text);
    return std::pair<double, int>{lat, ok};
  };
  std::vector<std::string> msgs;
  auto [lat, ok] = enter("33", "52", "0", true, &msgs);
  EXPECT_NEAR(lat, -33.866666666666667, 1e-12);
  EXPECT_EQ(ok, 1);
  std::tie(lat, ok) = enter("90", "30", "0", false, &msgs);
  EXPECT_EQ(ok, 0);
  ASSERT_EQ(msgs.size(), 1u);
  EXPECT_EQ(msgs[0], "Latitude: impossible figure. (A latitude can't be more than 90\xB0.)");
  msgs.clear();
  std::tie(lat, ok) = enter("90", "0", "0", true, &msgs);
  EXPECT_EQ(lat, -90.0);
  EXPECT_EQ(ok, 1);
  std::tie(lat, ok) = enter("", "", "", false, &msgs);
  EXPECT_EQ(lat, 0.0);
  EXPECT_EQ(ok, 1);
  std::tie(lat, ok) = enter("91", "0", "0", false, &msgs);
  EXPECT_EQ(msgs.back(), "Latitude, Degrees: impossible figure");
  std::tie(lat, ok) = enter("10", "0", "60", false, &msgs);
  EXPECT_EQ(msgs.back(), "Latitude, Seconds: impossible figure");
}

TEST(DialogHelpers, UnsignedBoxes) {
  EXPECT_EQ(readUnsigned(" 42 "), 42u);
  EXPECT_EQ(readUnsigned(""), 0u);
  EXPECT_EQ(readUnsigned("-3"), 0u);
  EXPECT_EQ(readUnsigned("12abc"), 0u);
  EXPECT_EQ(readUnsigned("99999999999"), 0u);
  EXPECT_EQ(readSigned("-7"), -7);
  EXPECT_EQ(readSigned("x", 5), 5);
}
