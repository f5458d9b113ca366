// The number entry dialog: prompts, ranges, the hot-chart offset.
#include "listing/number_dialog.h"

#include <gtest/gtest.h>

#include "platform/headless/scripted_interaction.h"

using namespace talpora;

namespace {
struct Result {
  int number = -99, confirmed = -99;
  std::string prompt;
  std::vector<std::string> messages;
};
Result enter(int kind, std::vector<std::string> typed) {
  Result r;
  headless::ScriptedInteraction ui;
  ui.expectDialog([&](ui::DialogModel& m, ui::FormState& s, ui::Interaction& in) {
    r.prompt = s.text(NumberDialog::kPrompt);
    for (const auto& t : typed) {
      s.setText(NumberDialog::kNumber, t);
      m.command(ui::IDOK, s, in);
      if (s.closed()) return;
      EXPECT_EQ(s.text(NumberDialog::kNumber), "");  // the box is emptied after a refusal
    }
    m.command(ui::IDCANCEL, s, in);
  });
  n_data(ui, kind, 0, 0, &r.number, &r.confirmed);
  for (const auto& m : ui.messages) r.messages.push_back(m.text);
  return r;
}
}  // namespace

TEST(NumberDialog, KindsPromptsAndRanges) {
  auto r = enter(0, {"5"});
  EXPECT_EQ(r.prompt, "Enter the number:");
  EXPECT_EQ(r.number, 5);
  EXPECT_EQ(r.confirmed, 1);
  r = enter(0, {""});
  EXPECT_EQ(r.number, 0);  // an empty box reads as 0
  r = enter(9, {"11", "0", "10"});
  EXPECT_EQ(r.prompt, "Enter the Hot Chart number (1 to 10):");
  EXPECT_EQ(r.messages, (std::vector<std::string>{"Hot chart numbers range from 1 to 10",
                                                  "Hot chart numbers range from 1 to 10"}));
  EXPECT_EQ(r.number, 9);  // hot chart 10 is file 9
  r = enter(17, {"11"});
  EXPECT_EQ(r.messages, std::vector<std::string>{"The number must range between 1 and 10"});
  EXPECT_EQ(r.confirmed, 0);
  r = enter(2800, {"28"});
  EXPECT_EQ(r.prompt, "Enter the SLP number (1 to 28)");
  EXPECT_EQ(r.number, 28);
  r = enter(3000, {"108"});
  EXPECT_EQ(r.prompt, "Enter the country code");
  EXPECT_EQ(r.number, 108);
}
