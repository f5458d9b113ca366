// zykinterp: the interpreter program's window.
#include "programs/zykinterp/interpreter_window.h"

namespace talpora::qt {

InterpreterWindow::InterpreterWindow(sys::Platform& platform, const CIni& settings, const Chart1& chart,
                                     const Chart2& computed, std::string_view commandTail, QWidget* parent)
    : ReportWindow(parent), app_(platform, report(), settings, chart, computed) {
  setTitle(InterpreterApp::initialTitle());
  setMenu(app_.menu());
  setCommandHandler([this](int id) { app_.command(id); });
  app_.setExitHandler([this] { close(); });
  setTitle(app_.title());
  fillScreen();
  app_.start(commandTail);
}

}  // namespace talpora::qt
