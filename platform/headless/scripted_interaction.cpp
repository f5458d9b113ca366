// headless: scripted and standard-error interactions.
#include "platform/headless/scripted_interaction.h"

#include <iostream>

#include "platform/cp1252.h"

namespace talpora::headless {

ui::Answer ScriptedInteraction::message(const ui::Message& m) {
  messages.push_back(m);
  if (!answers_.empty()) {
    auto a = answers_.front();
    answers_.pop_front();
    return a;
  }
  if (m.buttons == ui::Buttons::Ok) return ui::Answer::Ok;
  if (m.defaultButton) return *m.defaultButton;
  return defaultAnswer_;
}

std::optional<std::filesystem::path> ScriptedInteraction::chooseFile(const ui::FileDialogSpec& desc) {
  fileRequests.push_back(desc);
  if (files_.empty()) return std::nullopt;
  auto f = files_.front();
  files_.pop_front();
  return f;
}

std::optional<gfx::FontSpec> ScriptedInteraction::chooseFont(const gfx::FontSpec&) {
  if (fonts_.empty()) return std::nullopt;
  auto f = fonts_.front();
  fonts_.pop_front();
  return f;
}

int ScriptedInteraction::runModal(ui::DialogModel& model) {
  ++dialogsRun;
  ui::FormState state;
  // As the window renderer does: the form's texts and caption first, then the model's open().
  for (const auto& c : model.form().controls)
    if (c.id > 0 && !c.text.empty()) state.setText(c.id, c.text);
  state.setCaption(model.form().caption);
  model.open(state);
  if (dialogs_.empty()) return 0;  // nobody to fill the form: cancelled
  auto script = std::move(dialogs_.front());
  dialogs_.pop_front();
  script(model, state, *this);
  return state.closed() ? state.result() : 0;
}

bool ScriptedInteraction::saw(const std::string& part) const {
  for (const auto& m : messages)
    if (m.text.find(part) != std::string::npos) return true;
  return false;
}

ui::Answer StderrInteraction::message(const ui::Message& m) {
  ++shown;
  std::cerr << (m.caption.empty() ? std::string() : cp1252ToUtf8(m.caption) + ": ") << cp1252ToUtf8(m.text)
            << '\n';
  if (m.defaultButton) return *m.defaultButton;
  switch (m.buttons) {
    case ui::Buttons::Ok: return ui::Answer::Ok;
    case ui::Buttons::OkCancel: return ui::Answer::Ok;
    case ui::Buttons::YesNo:
    case ui::Buttons::YesNoCancel: return ui::Answer::Yes;
    case ui::Buttons::RetryCancel: return ui::Answer::Cancel;
  }
  return ui::Answer::Ok;
}

}  // namespace talpora::headless
