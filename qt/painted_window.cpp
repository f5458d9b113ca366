// qt: the painted-window shell.
#include "qt/painted_window.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/qt_canvas.h"

namespace talpora::qt {

PaintedView::PaintedView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void PaintedView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), toQColor(background_));
  QtCanvas canvas(painter, {width(), height()}, static_cast<double>(logicalDpiX()));
  if (paint_) paint_(canvas, {width(), height()});
  mapping_ = canvas.deviceMapping();
}

gfx::Point PaintedView::toLogical(gfx::Point p) const {
  return mapping_.unmap(p.x, p.y);
}

void PaintedView::mousePressEvent(QMouseEvent* e) {
  if (!click_ || (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)) return;
  const QPoint p = e->position().toPoint();
  click_({p.x(), p.y()}, e->button() == Qt::LeftButton ? Button::Left : Button::Right, false);
}

void PaintedView::mouseDoubleClickEvent(QMouseEvent* e) {
  if (!click_ || (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)) return;
  const QPoint p = e->position().toPoint();
  click_({p.x(), p.y()}, e->button() == Qt::LeftButton ? Button::Left : Button::Right, true);
}

PaintedWindow::PaintedWindow(QWidget* parent) : MenuWindow(parent), view_(new PaintedView(this)) {
  setCentralWidget(view_);
}

}  // namespace talpora::qt
