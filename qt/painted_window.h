// qt: the window of the drawing programs: a menu bar (when the program has one) over a surface that
// a painter draws on through a canvas at every paint; clicks are reported in device pixels and can
// be turned into the painter's logical units with the mapping of the last paint.
#pragma once
#include <QWidget>
#include <functional>

#include "platform/gfx.h"
#include "platform/headless/device_mapping.h"
#include "qt/menu_window.h"

namespace talpora::qt {

class PaintedView : public QWidget {
 public:
  using PaintCallback = std::function<void(gfx::Canvas&, gfx::Size devicePixels)>;
  enum class Button { Left, Right };
  using ClickCallback = std::function<void(gfx::Point devicePixel, Button, bool doubleClick)>;

  explicit PaintedView(QWidget* parent = nullptr);
  void setPainter(PaintCallback p) { paint_ = std::move(p); }
  void setClickHandler(ClickCallback c) { click_ = std::move(c); }
  void setBackground(gfx::Colour c) { background_ = c; }
  // The mapping the painter left at the end of the last paint.
  const headless::DeviceMapping& lastMapping() const { return mapping_; }
  gfx::Point toLogical(gfx::Point devicePixel) const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;

 private:
  PaintCallback paint_;
  ClickCallback click_;
  gfx::Colour background_ = gfx::rgb(255, 255, 255);
  headless::DeviceMapping mapping_;
};

class PaintedWindow : public MenuWindow {
 public:
  explicit PaintedWindow(QWidget* parent = nullptr);
  PaintedView& view() { return *view_; }

 private:
  PaintedView* view_;
};

}  // namespace talpora::qt
