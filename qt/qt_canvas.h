// qt: the drawing surface over a QPainter (screen, printer, PDF, PNG, SVG). Points are mapped into
// device pixels by the canvas itself and the painter keeps an identity transform, so text in the
// metric mapping (y up) stays upright; text is placed by the top of its cell.
#pragma once
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

#include "platform/gfx.h"
#include "platform/headless/device_mapping.h"

namespace talpora::qt {

QColor toQColor(gfx::Colour);
// The face that stands in for a LOGFONT face ("Cour" -> a fixed-pitch face such as Liberation Mono,
// "Helv"/"Arial" -> Liberation Sans or DejaVu Sans); another installed face is kept.
QString substituteFace(const gfx::FontSpec&);
// A LOGFONT in logical units as a QFont in device pixels (pixelsPerUnit: the canvas's scale).
// Height < 0: the em height; > 0: the cell height; 0: a default cell of 16 screen pixels.
QFont fontForSpec(const gfx::FontSpec&, double pixelsPerUnit, const QPaintDevice* device = nullptr);
// The fixed-pitch font of reports and fixed-pitch boxes (Liberation Mono or DejaVu Sans Mono when
// installed), at the size of the desktop's text.
QFont fixedPitchFont();
// The stock fonts, at the size they have on a 96-dpi screen, on a device of `dotsPerInch`.
QFont stockFont(gfx::StockFont, double dotsPerInch = 96.0);
// Printer fonts for the font chooser: heights in tenths of a millimetre, and back.
QFont chooserFontForSpec(const gfx::FontSpec&);
gfx::FontSpec specForChooserFont(const QFont&, const gfx::FontSpec& base);

class QtCanvas : public gfx::Canvas {
 public:
  // `painter` is active on a device of `devicePixels` at `dotsPerInch`.
  QtCanvas(QPainter& painter, gfx::Size devicePixels, double dotsPerInch);
  // For a painter active on a device: its size and resolution.
  explicit QtCanvas(QPainter& painter);

  void setMapping(gfx::Mapping, gfx::Size logical = {}) override;
  void setOrigin(gfx::Point) override;
  void setPen(const gfx::Pen&) override;
  void setFill(std::optional<gfx::Colour>) override;
  void setFont(const gfx::FontSpec&) override;
  void setFont(gfx::StockFont) override;
  void setTextColour(gfx::Colour c) override { textColour_ = c; }
  void setTextBackground(std::optional<gfx::Colour> c) override { textBackground_ = c; }
  void line(gfx::Point, gfx::Point) override;
  void polyline(std::span<const gfx::Point>) override;
  void rectangle(gfx::Rect) override;
  void fillRect(gfx::Rect, gfx::Colour) override;
  void ellipse(gfx::Rect) override;
  void arc(gfx::Rect box, double startDeg, double sweepDeg) override;
  void fillDisc(gfx::Point centre, int radius, gfx::Colour) override;
  void fillRingSector(gfx::Point centre, int rIn, int rOut, double startDeg, double sweepDeg,
                      gfx::Colour) override;
  void text(gfx::Point topLeft, std::string_view cp1252, gfx::HAlign = gfx::HAlign::Left) override;
  gfx::Size textExtent(std::string_view cp1252) override;
  gfx::Metrics metrics() override;

  const headless::DeviceMapping& deviceMapping() const { return map_; }
  QPainter& painter() { return painter_; }

 private:
  QPointF at(gfx::Point p) const;
  QRectF box(gfx::Rect r) const;
  void applyPen();
  void realiseFont();

  QPainter& painter_;
  headless::DeviceMapping map_;
  gfx::Pen pen_{};
  std::optional<gfx::Colour> fill_;
  bool stock_ = true;
  gfx::StockFont stockFont_ = gfx::StockFont::System;
  gfx::FontSpec spec_{};
  QFont font_;
  gfx::Colour textColour_ = 0;
  std::optional<gfx::Colour> textBackground_;
};

}  // namespace talpora::qt
