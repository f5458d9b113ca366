// The canvas over QPainter: shapes and text written to PNG, SVG and PDF files, orientation of arcs
// and sectors, text at the top of its cell and upright in tenths of a millimetre (y up), and the
// LOGFONT to QFont mapping with its face substitutions.
#include "qt/qt_canvas.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <filesystem>

#include "qt/render_files.h"
#include "qt/tests/qt_test_support.h"

namespace fs = std::filesystem;
using namespace talpora;
using namespace talpora::qt;

namespace {
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-qtcanvas-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

QByteArray readAll(const fs::path& p) {
  QFile f(QString::fromStdString(p.string()));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kWhite(255, 255, 255), kBlack(0, 0, 0);

// A few shapes in device pixels on a 200 x 200 surface.
void paintShapes(gfx::Canvas& c, gfx::Size) {
  c.fillDisc({100, 100}, 40, gfx::rgb(255, 0, 0));
  // From 3 o'clock to 12 o'clock, counter-clockwise as seen: the upper right quarter.
  c.fillRingSector({100, 100}, 60, 90, 0, 90, gfx::rgb(0, 0, 255));
  c.setPen({gfx::PenStyle::Solid, 3, gfx::rgb(0, 0, 0)});
  c.line({10, 190}, {190, 190});
  c.setPen({gfx::PenStyle::Dash, 0, gfx::rgb(0, 128, 0)});
  c.setFill(std::nullopt);
  c.rectangle({5, 5, 195, 195});
  c.setFont(gfx::FontSpec{.height = -14, .weight = 700, .face = "Arial"});
  c.setTextColour(gfx::rgb(0, 0, 0));
  c.text({10, 10}, "Sun 12\xB0");
}

// The bounding box of the dark pixels of an image.
QRect inkBox(const QImage& img) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
  return box;
}
int inkIn(const QImage& img, const QRect& r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += qGray(img.pixel(x, y)) < 128;
  return n;
}
}  // namespace

TEST(QtCanvas, ShapesOnAPngFile) {
  const fs::path dir = freshDir("png");
  const fs::path file = dir / "shapes.png";
  ASSERT_TRUE(writePng(file, {200, 200}, paintShapes));
  QImage img;
  ASSERT_TRUE(img.load(QString::fromStdString(file.string())));
  ASSERT_EQ(img.size(), QSize(200, 200));
  EXPECT_EQ(img.pixelColor(100, 100), kRed);    // the disc's centre
  EXPECT_EQ(img.pixelColor(100, 135), kRed);    // inside its radius
  EXPECT_EQ(img.pixelColor(100, 145), kWhite);  // outside it
  EXPECT_EQ(img.pixelColor(153, 47), kBlue);    // the sector at 45 degrees, radius 75
  EXPECT_EQ(img.pixelColor(47, 47), kWhite);    // not at 135 degrees
  EXPECT_EQ(img.pixelColor(153, 153), kWhite);  // nor at -45 degrees
  EXPECT_EQ(img.pixelColor(100, 110), kRed);    // the ring's hole shows the disc
  EXPECT_EQ(img.pixelColor(120, 100), kRed);
  EXPECT_EQ(img.pixelColor(100, 190), kBlack);  // the thick line
  fs::remove_all(dir);
}

TEST(QtCanvas, ShapesOnAnSvgFile) {
  const fs::path dir = freshDir("svg");
  const fs::path file = dir / "shapes.svg";
  ASSERT_TRUE(writeSvg(file, {200, 200}, paintShapes));
  const QByteArray svg = readAll(file);
  EXPECT_TRUE(svg.contains("<svg"));
  EXPECT_TRUE(svg.contains("viewBox=\"0 0 200 200\""));
  EXPECT_GE(svg.count("<path"), 2);      // the disc and the sector
  EXPECT_TRUE(svg.contains("#ff0000"));  // their colours
  EXPECT_TRUE(svg.contains("#0000ff"));
  EXPECT_TRUE(svg.contains("Sun 12\xC2\xB0"));  // the text, in UTF-8
  EXPECT_TRUE(svg.contains("</svg>"));
  fs::remove_all(dir);
}

TEST(QtCanvas, PagesOnAPdfFile) {
  const fs::path dir = freshDir("pdf");
  const fs::path file = dir / "pages.pdf";
  std::vector<gfx::Size> sizes;
  ASSERT_TRUE(writePdf(file, 3, [&](gfx::Canvas& c, int page, gfx::Size size) {
    sizes.push_back(size);
    c.setPen({gfx::PenStyle::Solid, 5, 0});
    c.rectangle({100, -100, 2000, -2870});
    c.setFont(gfx::FontSpec{.height = 55, .face = "Cour"});
    c.text({200, -200}, "Page " + std::to_string(page + 1));
  }));
  const QByteArray pdf = readAll(file);
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 3);
  ASSERT_EQ(sizes.size(), 3u);
  EXPECT_EQ(sizes[0], (gfx::Size{2100, 2970}));  // A4 without margins, tenths of a millimetre
  // A file that cannot be written: false, nothing left behind.
  EXPECT_FALSE(writePdf(dir / "no" / "such" / "x.pdf", 1, [](gfx::Canvas&, int, gfx::Size) {}));
  fs::remove_all(dir);
}

TEST(QtCanvas, MetricTextIsUprightAndHangsBelowItsTopPoint) {
  // At 254 dpi one pixel is a tenth of a millimetre; y grows upwards in the drawing.
  auto render = [](const char* text) {
    return renderImage(
        {600, 600},
        [&](gfx::Canvas& c, gfx::Size) {
          c.setMapping(gfx::Mapping::Lometric);
          c.setFont(gfx::FontSpec{.height = -300, .weight = 700, .face = "Arial"});
          c.text({100, -100}, text);
        },
        Qt::white, 254.0);
  };
  const QImage t = render("T");
  const QRect box = inkBox(t);
  ASSERT_FALSE(box.isEmpty());
  EXPECT_GE(box.top(), 100);  // below the top point on the page
  EXPECT_LT(box.top(), 200);  // within the cell's ascent
  EXPECT_LE(box.bottom(), 460);
  EXPECT_GE(box.left(), 95);  // to the right of the point
  // Upright: a T carries its bar at the top; mirrored, the bar would be at the bottom.
  const int band = box.height() / 6;
  const int top = inkIn(t, QRect(box.left(), box.top(), box.width(), band));
  const int bottom = inkIn(t, QRect(box.left(), box.bottom() - band + 1, box.width(), band));
  EXPECT_GT(top, 2 * bottom);
  // Not turned left to right: an L has its stem on the left.
  const QImage l = render("L");
  const QRect lb = inkBox(l);
  const int cols = lb.width() / 4;
  EXPECT_GT(inkIn(l, QRect(lb.left(), lb.top(), cols, lb.height())),
            2 * inkIn(l, QRect(lb.right() - cols + 1, lb.top(), cols, lb.height())));
}

TEST(QtCanvas, TextAlignsByTheTopOfTheCellAndMeasuresInLogicalUnits) {
  QImage img(400, 200, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::white);
  QPainter p(&img);
  QtCanvas c(p, {400, 200}, 96.0);
  c.setFont(gfx::FontSpec{.height = 40, .face = "Helv"});  // a cell 40 pixels tall
  const auto m = c.metrics();
  EXPECT_NEAR(m.height, 40, 2);
  EXPECT_NEAR(m.ascent + m.descent, m.height, 1);
  const auto one = c.textExtent("M"), two = c.textExtent("MM");
  EXPECT_NEAR(two.width, 2 * one.width, 1);
  EXPECT_EQ(one.height, m.height);
  // Right-aligned text ends at its point; centred text straddles it.
  c.text({300, 20}, "HHH", gfx::HAlign::Right);
  c.text({100, 120}, "HHH", gfx::HAlign::Centre);
  p.end();
  const QRect right = inkBox(img.copy(0, 0, 400, 100));
  EXPECT_NEAR(right.right(), 300, 4);
  EXPECT_GE(right.top(), 20);
  const QRect centre = inkBox(img.copy(0, 100, 400, 100));
  EXPECT_NEAR((centre.left() + centre.right()) / 2.0, 100, 4);

  // The same drawing in tenths of a millimetre measures in tenths of a millimetre.
  QImage paper(800, 800, QImage::Format_ARGB32_Premultiplied);
  QPainter pp(&paper);
  QtCanvas metric(pp, {800, 800}, 600.0);
  metric.setMapping(gfx::Mapping::Lometric);
  metric.setFont(gfx::FontSpec{.height = 55, .face = "Cour"});
  EXPECT_NEAR(metric.metrics().height, 55, 2);
  const int w10 = metric.textExtent("0123456789").width;
  EXPECT_NEAR(metric.textExtent("0123456789012345678901234567890123456789").width, 4 * w10, 4);
}

TEST(QtFonts, LogfontFacesSizesAndWeights) {
  const QFont cour = fontForSpec({.height = -100, .face = "Cour"}, 1.0);
  EXPECT_TRUE(QFontInfo(cour).fixedPitch());
  EXPECT_TRUE(cour.family() == QStringLiteral("Liberation Mono") ||
              cour.family() == QStringLiteral("DejaVu Sans Mono"))
      << cour.family().toStdString();
  EXPECT_EQ(cour.pixelSize(), 100);  // negative: the em height
  EXPECT_EQ(fontForSpec({.height = -20, .face = "Courier New"}, 2.5).pixelSize(), 50);
  const QFont helv = fontForSpec({.height = 60, .weight = 700, .italic = true, .face = "Helv"}, 1.0);
  EXPECT_TRUE(helv.family() == QStringLiteral("Liberation Sans") ||
              helv.family() == QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(helv.weight(), QFont::Bold);
  EXPECT_TRUE(helv.italic());
  EXPECT_NEAR(QFontMetricsF(helv).height(), 60, 2);  // positive: the cell height
  EXPECT_EQ(fontForSpec({.weight = 600, .face = "Arial"}, 1.0).weight(), QFont::DemiBold);
  // A face the system lacks falls back by its family byte.
  EXPECT_TRUE(QFontInfo(fontForSpec({.height = -30, .pitchAndFamily = 0x31, .face = "No Such Face"}, 1.0))
                  .fixedPitch());
  // An explicit width narrows the characters.
  const QFont narrow = fontForSpec({.height = -40, .width = 8, .face = "Arial"}, 1.0);
  EXPECT_LT(narrow.stretch(), 100);
  EXPECT_NEAR(QFontMetricsF(narrow).averageCharWidth(), 8, 2);
  // Printer fonts through the chooser keep their size in tenths of a millimetre.
  const gfx::FontSpec bold{.height = -85, .weight = 700, .face = "Arial"};
  const gfx::FontSpec back = specForChooserFont(chooserFontForSpec(bold), bold);
  EXPECT_NEAR(back.height, -85, 1);
  EXPECT_EQ(back.weight, 700);
  EXPECT_TRUE(back.face == "Liberation Sans" || back.face == "DejaVu Sans") << back.face;
  EXPECT_TRUE(QFontInfo(fixedPitchFont()).fixedPitch());
}
