// qt: progress of a long run (transits over years, cleaning a database, rewriting the atlas, printing
// a poster) in a window with a bar and a Cancel button. The run keeps the event loop alive through it.
#pragma once
#include <memory>

#include "platform/ui.h"

class QProgressDialog;
class QWidget;

namespace talpora::qt {

class ProgressDialogSink : public ui::ProgressSink {
 public:
  explicit ProgressDialogSink(QWidget* parent, const char* title = "Talpora");
  ~ProgressDialogSink() override;
  void show(std::string_view cp1252) override;
  void progress(long done, long total) override;
  bool cancelled() const override;
  QProgressDialog& dialog() { return *dialog_; }

 private:
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace talpora::qt
