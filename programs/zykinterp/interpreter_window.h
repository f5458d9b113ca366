// zykinterp: the interpreter program's window: a report window (edit control 888, fixed pitch, no
// wrapping) whose menu bar is the program's menu and whose every choice goes to the program class.
#pragma once
#include <string_view>

#include "programs/zykinterp/interpreter_app.h"
#include "qt/report_window.h"

namespace talpora::qt {

class InterpreterWindow : public ReportWindow {
 public:
  // The window over the settings and the chart handed over; shows the answer to the command tail.
  InterpreterWindow(sys::Platform& platform, const CIni& settings, const Chart1& chart,
                    const Chart2& computed, std::string_view commandTail, QWidget* parent = nullptr);
  InterpreterApp& app() { return app_; }

 private:
  InterpreterApp app_;
};

}  // namespace talpora::qt
