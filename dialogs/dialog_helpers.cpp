// zykdialogs: shared helpers of the dialog models.
#include "dialogs/dialog_helpers.h"

#include <charconv>
#include <climits>

#include "platform/text.h"

namespace talpora::dialogs {
unsigned readUnsigned(const std::string& text) {
  const auto v = trim(text);
  unsigned value = 0;
  const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
  if (v.empty() || ec != std::errc() || ptr != v.data() + v.size() || value > INT_MAX) return 0;
  return value;
}

long readSigned(const std::string& text, long fallback) {
  auto v = trim(text);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  long value = 0;
  const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
  if (v.empty() || ec != std::errc() || ptr != v.data() + v.size()) return fallback;
  return value;
}

void refuse(ui::Interaction& ui, ui::FormState& state, ui::ControlId box, const std::string& message,
            const std::string& clearedText, const std::string& caption) {
  ui.message({message, caption, ui::Buttons::Ok, ui::Icon::Warning, {}});
  state.setText(box, clearedText);
  state.focus(box);
}

}  // namespace talpora::dialogs
