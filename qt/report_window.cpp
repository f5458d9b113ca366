// qt: the report window shell.
#include "qt/report_window.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>

#include "qt/qt_canvas.h"
#include "qt/qt_text.h"

namespace talpora::qt {

void ReportEditView::show(std::string_view crlfText) {
  edit_.setPlainText(crlfToQt(crlfText));
  edit_.moveCursor(QTextCursor::Start);
  edit_.setFocus();
}

std::vector<std::string> ReportEditView::lines() const {
  QStringList parts = edit_.toPlainText().split(QLatin1Char('\n'));
  if (!parts.isEmpty() && parts.back().isEmpty()) parts.removeLast();  // the text's final line end
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(parts.size()));
  for (const auto& p : parts) out.push_back(fromQt(p));
  return out;
}

ReportWindow::ReportWindow(QWidget* parent) : MenuWindow(parent), edit_(new QPlainTextEdit(this)) {
  edit_->setObjectName(QStringLiteral("report888"));
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit_->setFont(fixedPitchFont());
  edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(edit_);
  view_ = std::make_unique<ReportEditView>(*edit_);
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::fillScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
}

}  // namespace talpora::qt
