// zyklist: the listing program's window.
#include "programs/zyklist/listing_window.h"

namespace talpora::qt {

ListingWindow::ListingWindow(sys::Platform& platform, const CIni& settings, const Chart1& birth,
                             const Chart2& chart, QWidget* parent)
    : ReportWindow(parent), app_(platform, report(), settings, birth, chart) {
  setTitle(ListingApp::initialTitle());
  setMenu(app_.menu());
  setCommandHandler([this](int id) { app_.command(id); });
  app_.setExitHandler([this] { close(); });
  setTitle(app_.title());
  fillScreen();
  app_.start();
}

}  // namespace talpora::qt
