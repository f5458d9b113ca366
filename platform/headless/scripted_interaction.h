// headless: an Interaction for tests and the command line. Messages are recorded; answers come from
// a queue of expectations (or a default answer), dialogs are driven by scripts.
#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace talpora::headless {

class ScriptedInteraction : public ui::Interaction {
 public:
  // A script for the next dialog: it gets the model and its state after open() and drives it.
  using DialogScript = std::function<void(ui::DialogModel&, ui::FormState&, ui::Interaction&)>;

  // Answers, in order, for the next questions; when empty, `defaultAnswer` is given.
  void expectAnswer(ui::Answer a) { answers_.push_back(a); }
  void setDefaultAnswer(ui::Answer a) { defaultAnswer_ = a; }
  void expectFile(std::optional<std::filesystem::path> p) { files_.push_back(std::move(p)); }
  void expectFont(std::optional<gfx::FontSpec> f) { fonts_.push_back(std::move(f)); }
  void expectDialog(DialogScript s) { dialogs_.push_back(std::move(s)); }

  ui::Answer message(const ui::Message& m) override;
  std::optional<std::filesystem::path> chooseFile(const ui::FileDialogSpec&) override;
  std::optional<gfx::FontSpec> chooseFont(const gfx::FontSpec& initial) override;
  bool printSetup() override { return printSetupAnswer_; }
  int runModal(ui::DialogModel&) override;
  void showTextFile(const std::filesystem::path& p) override { shownFiles.push_back(p); }

  std::vector<ui::Message> messages;  // every message shown, in order
  std::vector<std::filesystem::path> shownFiles;
  std::vector<ui::FileDialogSpec> fileRequests;
  int dialogsRun = 0;
  bool printSetupAnswer_ = true;

  // True when some message's text contains `part`.
  bool saw(const std::string& part) const;

 private:
  std::deque<ui::Answer> answers_;
  ui::Answer defaultAnswer_ = ui::Answer::Ok;
  std::deque<std::optional<std::filesystem::path>> files_;
  std::deque<std::optional<gfx::FontSpec>> fonts_;
  std::deque<DialogScript> dialogs_;
};

// An Interaction for the command line: messages go to standard error (UTF-8), questions take
// their default button, no dialog can be shown (cancelled).
class StderrInteraction : public ui::Interaction {
 public:
  ui::Answer message(const ui::Message& m) override;
  std::optional<std::filesystem::path> chooseFile(const ui::FileDialogSpec&) override { return std::nullopt; }
  std::optional<gfx::FontSpec> chooseFont(const gfx::FontSpec&) override { return std::nullopt; }
  bool printSetup() override { return false; }
  int runModal(ui::DialogModel&) override { return 0; }
  int shown = 0;
};

}  // namespace talpora::headless
