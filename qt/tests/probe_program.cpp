// A small windowed program of the suite for the start-up test: it writes what its start-up found
// (command tail, handle, charts from the transfer file) to "probe.txt" in the program directory and
// shows a report window registered under the class "TalporaProbe".
#include <fstream>

#include "qt/program_main.h"
#include "qt/report_window.h"

int main(int argc, char** argv) {
  using namespace talpora;
  return qt::runProgram(argc, argv, {"talpora_probe", "TalporaProbe"}, [](qt::ProgramContext& c) {
    std::ofstream(c.start.dirs.file("probe.txt"))
        << "tail=" << c.commandTail << "\nhandle=" << (c.start.handle ? *c.start.handle : -1)
        << "\ntransfer=" << c.start.fromTransferFile << "\nchart=" << nameOf(c.start.chartA) << "\n";
    auto w = std::make_unique<qt::ReportWindow>();
    w->setTitle(windowTitle("Probe - ", c.start.chartA));
    w->report().show("Probe\r\n");
    return w;
  });
}
