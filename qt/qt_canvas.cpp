// qt: the canvas over a QPainter.
#include "qt/qt_canvas.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/headless/svg_canvas.h"
#include "qt/qt_text.h"

namespace talpora::qt {

namespace {
using headless::FaceKind;

QString firstInstalled(std::initializer_list<const char*> names, QFontDatabase::SystemFont fallback) {
  const QStringList families = QFontDatabase::families();
  for (const char* n : names)
    if (families.contains(QString::fromLatin1(n), Qt::CaseInsensitive)) return QString::fromLatin1(n);
  return QFontDatabase::systemFont(fallback).family();
}

QString genericFace(FaceKind k) {
  switch (k) {
    case FaceKind::Fixed:
      return firstInstalled({"Liberation Mono", "DejaVu Sans Mono"}, QFontDatabase::FixedFont);
    case FaceKind::Serif:
      return firstInstalled({"Liberation Serif", "DejaVu Serif"}, QFontDatabase::GeneralFont);
    default:
      return firstInstalled({"Liberation Sans", "DejaVu Sans"}, QFontDatabase::GeneralFont);
  }
}

FaceKind kindOf(const gfx::FontSpec& desc) {
  auto k = headless::faceKind(desc);
  if (k == FaceKind::Other) k = headless::familyKind(desc.pitchAndFamily);
  return k;
}

void applyStyle(QFont& f, const gfx::FontSpec& desc) {
  switch (kindOf(desc)) {
    case FaceKind::Fixed:
      f.setStyleHint(QFont::TypeWriter);
      f.setFixedPitch(true);
      break;
    case FaceKind::Serif:
      f.setStyleHint(QFont::Serif);
      break;
    default:
      f.setStyleHint(QFont::SansSerif);
      break;
  }
  const int weight = desc.weight <= 0 ? 400 : std::clamp(desc.weight, 1, 1000);
  f.setWeight(static_cast<QFont::Weight>(weight));
  f.setItalic(desc.italic);
  f.setUnderline(desc.underline);
  f.setStrikeOut(desc.strikeOut);
}

QFontMetricsF metricsOf(const QFont& f, const QPaintDevice* device) {
  return device ? QFontMetricsF(f, device) : QFontMetricsF(f);
}

int rounded(double v) {
  return static_cast<int>(std::lround(v));
}
}  // namespace

QColor toQColor(gfx::Colour c) {
  return QColor(gfx::red(c), gfx::green(c), gfx::blue(c));
}

QString substituteFace(const gfx::FontSpec& desc) {
  const auto kind = headless::faceKind(desc);
  if (kind != FaceKind::Other) return genericFace(kind);
  const QString face = toQt(desc.face);
  if (QFontDatabase::families().contains(face, Qt::CaseInsensitive)) return face;
  return genericFace(headless::familyKind(desc.pitchAndFamily));
}

QFont fontForSpec(const gfx::FontSpec& desc, double pixelsPerUnit, const QPaintDevice* device) {
  QFont f(substituteFace(desc));
  applyStyle(f, desc);
  const double dpi = device ? device->logicalDpiY() : 96.0;
  if (desc.height < 0) {
    f.setPixelSize(std::max(1, rounded(-desc.height * pixelsPerUnit)));
  } else {
    // The cell height asked for: find the em size whose cell is that tall.
    const double cellPx = desc.height > 0 ? desc.height * pixelsPerUnit : 16.0 * dpi / 96.0;
    QFont probe = f;
    probe.setPixelSize(100);
    const double probeCell = metricsOf(probe, device).height();
    f.setPixelSize(std::max(1, rounded(probeCell > 0 ? cellPx * 100.0 / probeCell : cellPx)));
  }
  if (desc.width != 0) {
    const double average = metricsOf(f, device).averageCharWidth();
    if (average > 0)
      f.setStretch(std::clamp(rounded(100.0 * std::abs(desc.width) * pixelsPerUnit / average), 1, 4000));
  }
  return f;
}

QFont fixedPitchFont() {
  QFont f(genericFace(FaceKind::Fixed));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  if (general.pointSizeF() > 0) f.setPointSizeF(general.pointSizeF());
  return f;
}

QFont stockFont(gfx::StockFont which, double dotsPerInch) {
  const double k = dotsPerInch / 96.0;
  QFont f;
  switch (which) {
    case gfx::StockFont::System:
      f = QFont(genericFace(FaceKind::Sans));
      f.setWeight(QFont::Bold);
      f.setPixelSize(std::max(1, rounded(13 * k)));
      break;
    case gfx::StockFont::AnsiVariable:
      f = QFont(genericFace(FaceKind::Sans));
      f.setPixelSize(std::max(1, rounded(11 * k)));
      break;
    case gfx::StockFont::SystemFixed:
      f = QFont(genericFace(FaceKind::Fixed));
      f.setStyleHint(QFont::TypeWriter);
      f.setFixedPitch(true);
      f.setPixelSize(std::max(1, rounded(12 * k)));
      break;
  }
  return f;
}

QFont chooserFontForSpec(const gfx::FontSpec& desc) {
  QFont f(substituteFace(desc));
  applyStyle(f, desc);
  // Tenths of a millimetre to points: a positive height is the cell, about 6/5 of the em.
  const double emTenths = desc.height < 0 ? -desc.height : desc.height > 0 ? desc.height * 5.0 / 6.0 : 35.0;
  f.setPointSizeF(std::max(1.0, emTenths / 254.0 * 72.0));
  return f;
}

gfx::FontSpec specForChooserFont(const QFont& font, const gfx::FontSpec& base) {
  gfx::FontSpec out = base;
  double points = font.pointSizeF();
  if (points <= 0 && font.pixelSize() > 0) points = font.pixelSize() * 72.0 / 96.0;
  out.height = -std::max(1, rounded(points * 254.0 / 72.0));
  out.width = 0;
  out.weight = font.weight();
  out.italic = font.italic();
  out.underline = font.underline();
  out.strikeOut = font.strikeOut();
  out.face = fromQt(font.family()).substr(0, 31);  // LOGFONT faces hold 31 characters
  const std::uint8_t family = base.pitchAndFamily & 0xF0;
  if (QFontInfo(font).fixedPitch()) {
    out.pitchAndFamily = 0x30 | 1;  // FF_MODERN | FIXED_PITCH
  } else {
    out.pitchAndFamily = static_cast<std::uint8_t>((family == 0x30 || family == 0 ? 0x20 : family) | 2);
  }
  return out;
}

QtCanvas::QtCanvas(QPainter& painter, gfx::Size devicePixels, double dotsPerInch)
    : painter_(painter), map_(devicePixels, dotsPerInch) {
  painter_.resetTransform();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  applyPen();
  painter_.setBrush(Qt::NoBrush);
  realiseFont();
}

QtCanvas::QtCanvas(QPainter& painter)
    : QtCanvas(painter, {painter.device()->width(), painter.device()->height()},
               static_cast<double>(painter.device()->logicalDpiX())) {}

QPointF QtCanvas::at(gfx::Point p) const {
  const auto d = map_.map(p);
  return {d.x, d.y};
}

QRectF QtCanvas::box(gfx::Rect r) const {
  return QRectF(at({r.left, r.top}), at({r.right, r.bottom})).normalized();
}

void QtCanvas::setMapping(gfx::Mapping m, gfx::Size logical) {
  map_.set(m, logical);
  applyPen();
  realiseFont();
}

void QtCanvas::setOrigin(gfx::Point o) {
  map_.setOrigin(o);
}

void QtCanvas::applyPen() {
  if (pen_.style == gfx::PenStyle::Null) {
    painter_.setPen(Qt::NoPen);
    return;
  }
  QPen p(toQColor(pen_.colour));
  p.setWidthF(pen_.width == 0 ? 0.0 : std::max(1.0, map_.length(pen_.width)));  // 0: cosmetic
  switch (pen_.style) {
    case gfx::PenStyle::Dash:
      p.setStyle(Qt::DashLine);
      break;
    case gfx::PenStyle::Dot:
      p.setStyle(Qt::DotLine);
      break;
    case gfx::PenStyle::DashDot:
      p.setStyle(Qt::DashDotLine);
      break;
    case gfx::PenStyle::DashDotDot:
      p.setStyle(Qt::DashDotDotLine);
      break;
    default:
      p.setStyle(Qt::SolidLine);
      break;
  }
  p.setCapStyle(pen_.width == 0 ? Qt::FlatCap : Qt::RoundCap);
  p.setJoinStyle(Qt::RoundJoin);
  painter_.setPen(p);
}

void QtCanvas::setPen(const gfx::Pen& p) {
  pen_ = p;
  applyPen();
}

void QtCanvas::setFill(std::optional<gfx::Colour> c) {
  fill_ = c;
  painter_.setBrush(c ? QBrush(toQColor(*c)) : QBrush(Qt::NoBrush));
}

void QtCanvas::realiseFont() {
  font_ = stock_ ? stockFont(stockFont_, map_.dotsPerInch())
                 : fontForSpec(spec_, map_.scale(), painter_.device());
}

void QtCanvas::setFont(const gfx::FontSpec& f) {
  spec_ = f;
  stock_ = false;
  realiseFont();
}

void QtCanvas::setFont(gfx::StockFont f) {
  stockFont_ = f;
  stock_ = true;
  realiseFont();
}

void QtCanvas::line(gfx::Point a, gfx::Point b) {
  painter_.drawLine(at(a), at(b));
}

void QtCanvas::polyline(std::span<const gfx::Point> pts) {
  std::vector<QPointF> d;
  d.reserve(pts.size());
  for (auto p : pts) d.push_back(at(p));
  painter_.drawPolyline(d.data(), static_cast<int>(d.size()));
}

void QtCanvas::rectangle(gfx::Rect r) {
  painter_.drawRect(box(r));
}

void QtCanvas::fillRect(gfx::Rect r, gfx::Colour c) {
  painter_.fillRect(box(r), toQColor(c));
}

void QtCanvas::ellipse(gfx::Rect r) {
  painter_.drawEllipse(box(r));
}

void QtCanvas::arc(gfx::Rect r, double startDeg, double sweepDeg) {
  // Qt's angles run counter-clockwise as seen, like ours; the painter has no y flip.
  const QRectF b = box(r);
  QPainterPath path;
  path.arcMoveTo(b, startDeg);
  path.arcTo(b, startDeg, std::clamp(sweepDeg, -360.0, 360.0));
  painter_.save();
  painter_.setBrush(Qt::NoBrush);
  painter_.drawPath(path);
  painter_.restore();
}

void QtCanvas::fillDisc(gfx::Point centre, int radius, gfx::Colour c) {
  const double r = map_.length(radius);
  QPainterPath path;
  path.addEllipse(at(centre), r, r);
  painter_.fillPath(path, toQColor(c));
}

void QtCanvas::fillRingSector(gfx::Point centre, int rIn, int rOut, double startDeg, double sweepDeg,
                              gfx::Colour c) {
  const QPointF m = at(centre);
  const double ro = map_.length(std::max(rIn, rOut)), ri = map_.length(std::max(0, std::min(rIn, rOut)));
  const QRectF outer(m.x() - ro, m.y() - ro, 2 * ro, 2 * ro), inner(m.x() - ri, m.y() - ri, 2 * ri, 2 * ri);
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  if (std::abs(sweepDeg) >= 360.0) {
    path.addEllipse(outer);
    if (ri > 0) path.addEllipse(inner);
  } else {
    path.arcMoveTo(outer, startDeg);
    path.arcTo(outer, startDeg, sweepDeg);
    if (ri > 0) {
      path.arcTo(inner, startDeg + sweepDeg, -sweepDeg);
    } else {
      path.lineTo(m);
    }
    path.closeSubpath();
  }
  painter_.fillPath(path, toQColor(c));
}

void QtCanvas::text(gfx::Point topLeft, std::string_view cp1252, gfx::HAlign align) {
  const QString s = toQt(cp1252);
  const QFontMetricsF fm(font_, painter_.device());
  const double width = fm.horizontalAdvance(s);
  double x = 0;
  if (align == gfx::HAlign::Centre) x = -width / 2;
  if (align == gfx::HAlign::Right) x = -width;
  painter_.save();
  painter_.translate(at(topLeft));
  if (!stock_ && spec_.escapement != 0) painter_.rotate(-spec_.escapement / 10.0);
  if (textBackground_) painter_.fillRect(QRectF(x, 0, width, fm.height()), toQColor(*textBackground_));
  painter_.setFont(font_);
  painter_.setPen(toQColor(textColour_));
  painter_.drawText(QPointF(x, fm.ascent()), s);  // the baseline lies one ascent below the top
  painter_.restore();
}

gfx::Size QtCanvas::textExtent(std::string_view cp1252) {
  const QFontMetricsF fm(font_, painter_.device());
  const double s = map_.scale();
  return {rounded(fm.horizontalAdvance(toQt(cp1252)) / s), rounded(fm.height() / s)};
}

gfx::Metrics QtCanvas::metrics() {
  const QFontMetricsF fm(font_, painter_.device());
  const double s = map_.scale();
  return {rounded(fm.height() / s), rounded(fm.ascent() / s), rounded(fm.descent() / s),
          rounded(fm.leading() / s), rounded(fm.averageCharWidth() / s)};
}

}  // namespace talpora::qt
