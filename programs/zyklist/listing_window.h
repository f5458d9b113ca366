// zyklist: the listing program's window: a report window (edit control 888, fixed-pitch, no wrapping)
// whose menu bar is the program's menu and whose every choice goes to the program class.
#pragma once
#include "programs/zyklist/listing_app.h"
#include "qt/report_window.h"

namespace talpora::qt {

class ListingWindow : public ReportWindow {
 public:
  // The window over the settings and the chart handed over; shows the first listing.
  ListingWindow(sys::Platform& platform, const CIni& settings, const Chart1& birth, const Chart2& chart,
                QWidget* parent = nullptr);
  ListingApp& app() { return app_; }

 private:
  ListingApp app_;
};

}  // namespace talpora::qt
