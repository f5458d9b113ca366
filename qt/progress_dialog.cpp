// qt: the progress window.
#include "qt/progress_dialog.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

#include "qt/qt_text.h"

namespace talpora::qt {

ProgressDialogSink::ProgressDialogSink(QWidget* parent, const char* title)
    : dialog_(std::make_unique<QProgressDialog>(parent)) {
  dialog_->setWindowTitle(QString::fromUtf8(title));
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setCancelButtonText(QStringLiteral("Cancel"));
  dialog_->setRange(0, 0);  // busy until a total is known
  dialog_->setMinimumDuration(300);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
}

ProgressDialogSink::~ProgressDialogSink() {
  dialog_->close();
}

void ProgressDialogSink::show(std::string_view cp1252) {
  dialog_->setLabelText(toQt(cp1252));
  QCoreApplication::processEvents();
}

void ProgressDialogSink::progress(long done, long total) {
  if (total <= 0) {
    dialog_->setRange(0, 0);
  } else {
    // The bar counts in thousandths so that long totals fit an int.
    dialog_->setRange(0, 1000);
    dialog_->setValue(static_cast<int>(std::clamp(done, 0L, total) * 1000 / total));
  }
  QCoreApplication::processEvents();
}

bool ProgressDialogSink::cancelled() const {
  return dialog_->wasCanceled();
}

}  // namespace talpora::qt
