// qt: the glyph list window.
#include "qt/interpreter_list_window.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace talpora::qt {

InterpreterListWindow::InterpreterListWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), list_(new QListWidget(this)) {
  setWindowTitle(QStringLiteral("Talpora Interpreter"));
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  // Enter and a double click both arrive as activation.
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { activate(list_->row(item)); });
}

void InterpreterListWindow::setLines(const std::vector<std::string>& lines) {
  list_->clear();
  for (const std::string& l : lines) list_->addItem(toQt(l));
  if (list_->count() > 0) list_->setCurrentRow(0);
}

bool InterpreterListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      activate(list_->currentRow());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void InterpreterListWindow::activate(int row) {
  if (row >= 1 && handler_) handler_(row);
}

QRect InterpreterListWindow::placement(const QRect& screen, const QPoint& click) {
  const int w = screen.width() * 61 / 100, h = screen.height() * 30 / 100;
  const bool clickLeft = click.x() < screen.center().x(), clickTop = click.y() < screen.center().y();
  const int x = clickLeft ? screen.right() + 1 - w : screen.left();
  const int y = clickTop ? screen.bottom() + 1 - h : screen.top();
  return {x, y, w, h};
}

}  // namespace talpora::qt
