// zykwpath: the word-processor dialog.
#include "format/word_processor.h"

#include "files/zykfile.h"
#include "platform/byte_io.h"

namespace talpora {

using ui::ControlKind;

WordProcessorDialog::WordProcessorDialog(CIni& settings, sys::ProcessLauncher& launcher,
                                         sys::HelpViewer& help)
    : settings_(settings), launcher_(launcher), help_(help) {
  form_.resource = "BOX28";
  form_.caption = "Give Talpora the key to your word processor!";
  form_.controls = {
      {100 + ui::kLabelOffset, ControlKind::Static,
       "Enter/modify the path and command line of your word processor:"},
      {kCommand, ControlKind::Edit, "", 254},
      {101 + ui::kLabelOffset, ControlKind::Static, "Example, for LibreOffice Writer:"},
      {103 + ui::kLabelOffset, ControlKind::Static, "libreoffice --writer"},
      {104 + ui::kLabelOffset, ControlKind::Static, "or:"},
      {105 + ui::kLabelOffset, ControlKind::Static, "/usr/bin/gedit"},
      {kBrowse, ControlKind::Button, "B&rowse"},
      {ui::IDOK, ControlKind::Button, "OK"},
      {ui::IDCANCEL, ControlKind::Button, "&Cancel"},
      {ui::IDHELP, ControlKind::Button, "&Help"},
  };
  form_.controls[0].buddy = kCommand;
}

void WordProcessorDialog::open(ui::FormState& state) {
  state.setText(kCommand, wordProcessorOf(settings_));
  state.focus(kCommand);
}

void WordProcessorDialog::command(ui::ControlId id, ui::FormState& state, ui::Interaction& ui) {
  switch (id) {
    case kBrowse: {
      ui::FileDialogSpec desc;
      desc.defaultName = "*.*";
      desc.filter = "*.*||";
      if (auto path = ui.chooseFile(desc)) state.setText(kCommand, path->string());
      break;
    }
    case ui::IDHELP:
      help_.contents();
      break;
    case ui::IDCANCEL:
      state.close(0);
      break;
    case ui::IDOK: {
      std::string text = state.text(kCommand);
      if (text.size() > 254) text.resize(254);
      setField(settings_.wordProcessor, text);
      if (!Serialise_CIni(settings_, &ui)) return;
      ui.message(
          {"Talpora will now perform a test. If your word processor does not start, you know you have "
           "entered the wrong path!",
           "Trial",
           ui::Buttons::Ok,
           ui::Icon::Information,
           {}});
      if (launcher_.startUserCommand(text, {})) {
        state.close(1);
      } else {
        state.focus(kCommand);
      }
      break;
    }
    default:
      break;
  }
}

int WordProcessorPath(ui::Interaction& ui, CIni& settings, sys::ProcessLauncher& launcher,
                      sys::HelpViewer& help) {
  WordProcessorDialog dialog(settings, launcher, help);
  ui.runModal(dialog);
  return 0;
}

}  // namespace talpora
