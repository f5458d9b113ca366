// zyklist: the listing program. Started as "zyklist N," after the starting program wrote the chart to
// the transfer file "DATA10.DTF" of the program directory; started without a command tail it shows
// the intermediate chart.
#include "engine/chart.h"
#include "programs/zyklist/listing_window.h"
#include "qt/program_main.h"

int main(int argc, char** argv) {
  using namespace talpora;
  return qt::runProgram(argc, argv, {"zyklist", ListingApp::windowClass}, [](qt::ProgramContext& c) {
    ProgramStart& s = c.start;
    // The intermediate chart is a chart record only: compute it.
    if (s.fromIntermediate) calculall(s.settings, s.chartA, s.computedA, 0, 0, 0);
    return std::make_unique<qt::ListingWindow>(c.platform, s.settings, s.chartA, s.computedA);
  });
}
