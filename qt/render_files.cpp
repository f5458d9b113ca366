// qt: paintings written to PNG, SVG and PDF files.
#include "qt/render_files.h"

#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

#include "qt/qt_canvas.h"
#include "qt/qt_printers.h"
#include "qt/qt_text.h"

namespace talpora::qt {

QImage renderImage(QSize pixels, const PaintFunction& paint, QColor background, double dotsPerInch) {
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  image.fill(background);
  QPainter painter(&image);
  QtCanvas canvas(painter, {pixels.width(), pixels.height()}, dotsPerInch);
  paint(canvas, {pixels.width(), pixels.height()});
  painter.end();
  return image;
}

bool writePng(const std::filesystem::path& path, QSize pixels, const PaintFunction& paint, QColor background,
              double dotsPerInch) {
  const QImage image = renderImage(pixels, paint, background, dotsPerInch);
  QSaveFile file(fromPath(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  return image.save(&file, "PNG") && file.commit();
}

bool writeSvg(const std::filesystem::path& path, QSize pixels, const PaintFunction& paint,
              double dotsPerInch) {
  QSaveFile file(fromPath(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(pixels);
  svg.setViewBox(QRect(QPoint(0, 0), pixels));
  svg.setResolution(static_cast<int>(std::lround(dotsPerInch)));
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  QtCanvas canvas(painter, {pixels.width(), pixels.height()}, dotsPerInch);
  paint(canvas, {pixels.width(), pixels.height()});
  if (!painter.end()) return false;
  return file.commit();
}

bool writePdf(const std::filesystem::path& path, int pages, const PagePaintFunction& paint,
              const QPageSize& pageSize, int dotsPerInch) {
  auto job = startPdfJob(path, path.stem().string(), pageSize, dotsPerInch);
  if (!job) return false;
  for (int page = 0; page < pages; ++page) {
    gfx::Canvas* canvas = job->beginPage();
    if (!canvas) return false;
    paint(*canvas, page, job->pageSize());
    job->endPage();
  }
  return job->end();
}

}  // namespace talpora::qt
