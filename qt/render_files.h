// qt: a painting written to a picture file: PNG (QImage), SVG (QSvgGenerator) or PDF (QPdfWriter).
// Each painter gets a canvas in device pixels; it chooses its own mapping.
#pragma once
#include <QColor>
#include <QImage>
#include <QPageSize>
#include <QSize>
#include <filesystem>
#include <functional>

#include "platform/gfx.h"

namespace talpora::qt {

using PaintFunction = std::function<void(gfx::Canvas&, gfx::Size devicePixels)>;
using PagePaintFunction = std::function<void(gfx::Canvas&, int page, gfx::Size pageTenthsMm)>;

// A painting on an image of `pixels` at `dotsPerInch`, over a background.
QImage renderImage(QSize pixels, const PaintFunction&, QColor background = Qt::white,
                   double dotsPerInch = 96.0);
// The files are replaced atomically; false when one cannot be written.
bool writePng(const std::filesystem::path&, QSize pixels, const PaintFunction&, QColor background = Qt::white,
              double dotsPerInch = 96.0);
bool writeSvg(const std::filesystem::path&, QSize pixels, const PaintFunction&, double dotsPerInch = 96.0);
// `pages` pages of `pageSize`, each painted in tenths of a millimetre from its top left corner.
bool writePdf(const std::filesystem::path&, int pages, const PagePaintFunction&,
              const QPageSize& pageSize = QPageSize(QPageSize::A4), int dotsPerInch = 600);

}  // namespace talpora::qt
