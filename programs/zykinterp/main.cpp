// zykinterp: the interpreter program. Started as "zykinterp N," (the points to notice) or
// "zykinterp N, m, k1, k2" (one aspect, house or sign) after the starting program wrote the chart to
// the transfer file "DATA10.DTF" of the program directory; started without a command tail it shows
// the intermediate chart. A hand-over whose transfer file is missing or short ends the program.
#include "engine/chart.h"
#include "programs/zykinterp/interpreter_window.h"
#include "qt/program_main.h"

int main(int argc, char** argv) {
  using namespace talpora;
  return qt::runProgram(argc, argv, {"zykinterp", InterpreterApp::windowClass},
                        [](qt::ProgramContext& c) -> std::unique_ptr<QWidget> {
                          ProgramStart& s = c.start;
                          // The message about the transfer file has been shown: nothing to interpret.
                          if (!s.fromTransferFile && !s.fromIntermediate) return nullptr;
                          // The intermediate chart is a chart record only: compute it.
                          if (s.fromIntermediate) calculall(s.settings, s.chartA, s.computedA, 0, 0, 0);
                          return std::make_unique<qt::InterpreterWindow>(c.platform, s.settings, s.chartA,
                                                                         s.computedA, c.commandTail);
                        });
}
