// qt: the window of the listing, prediction, synastry and interpreter programs: a menu bar over an
// editable multi-line text (the report, control 888), without wrapping, in the fixed-pitch font.
#pragma once
#include <memory>

#include "platform/ui.h"
#include "qt/menu_window.h"

class QPlainTextEdit;

namespace talpora::qt {

// The report view over a plain-text editor: CP1252 with CR LF on the suite's side.
class ReportEditView : public ui::ReportView {
 public:
  explicit ReportEditView(QPlainTextEdit& edit) : edit_(edit) {}
  void show(std::string_view crlfText) override;
  std::vector<std::string> lines() const override;

 private:
  QPlainTextEdit& edit_;
};

class ReportWindow : public MenuWindow {
 public:
  static constexpr int kReportControlId = 888;
  explicit ReportWindow(QWidget* parent = nullptr);
  ~ReportWindow() override;
  ui::ReportView& report() { return *view_; }
  // Fills the whole available screen (and asks to be maximised where a window manager honours it),
  // as every report program opens.
  void fillScreen();
  QPlainTextEdit* editor() const { return edit_; }

 private:
  QPlainTextEdit* edit_;
  std::unique_ptr<ReportEditView> view_;
};

}  // namespace talpora::qt
