// Tests of the headless canvases: the recording canvas's dump and fake metrics, the mapping arithmetic
// and the SVG canvas's output in the three mappings.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/headless/device_mapping.h"
#include "platform/headless/recording_canvas.h"
#include "platform/headless/svg_canvas.h"

namespace fs = std::filesystem;
using namespace talpora;
using namespace talpora::headless;
using gfx::Point;
using gfx::Rect;

namespace {
// Paints a little of everything, as a painter would.
void paintSample(gfx::Canvas& c) {
  c.setMapping(gfx::Mapping::Lometric);
  c.setOrigin({10, -20});
  c.setPen({gfx::PenStyle::Dash, 3, gfx::rgb(255, 0, 0)});
  c.setFill(gfx::rgb(0, 0, 255));
  c.line({0, 0}, {100, -100});
  const Point pts[] = {{1, 2}, {3, 4}, {5, 6}};
  c.polyline(pts);
  c.rectangle({0, 0, 50, -50});
  c.ellipse({0, 0, 40, -40});
  c.arc({0, 0, 40, -40}, 90, 180);
  c.fillDisc({20, -20}, 5, gfx::rgb(1, 2, 3));
  c.fillRingSector({20, -20}, 10, 30, 0, 30, gfx::rgb(4, 5, 6));
  c.setFill(std::nullopt);
  c.fillRect({0, 0, 10, -10}, gfx::rgb(255, 255, 255));
  c.setFont(
      gfx::FontSpec{.height = -33, .weight = 600, .italic = true, .pitchAndFamily = 34, .face = "Arial"});
  c.setTextColour(gfx::rgb(0, 128, 0));
  c.setTextBackground(gfx::rgb(255, 255, 0));
  c.text({5, -5}, "Sun \xB0 \"q\"", gfx::HAlign::Centre);
  c.setFont(gfx::StockFont::AnsiVariable);
  c.setTextBackground(std::nullopt);
  c.text({0, 0}, "x", gfx::HAlign::Right);
}

// The value of attribute `name` in the first element of `svg` that starts with `element`.
std::string attribute(const std::string& svg, const std::string& element, const std::string& name,
                      std::size_t nth = 0) {
  std::size_t at = 0;
  for (std::size_t i = 0; i <= nth; ++i) {
    at = svg.find("<" + element + " ", i == 0 ? at : at + 1);
    if (at == std::string::npos) return "(no " + element + ")";
  }
  const auto end = svg.find('>', at);
  const auto a = svg.find(" " + name + "=\"", at);
  if (a == std::string::npos || a > end) return "(no " + name + ")";
  const auto v = a + name.size() + 3;
  return svg.substr(v, svg.find('"', v) - v);
}

std::size_t occurrences(const std::string& s, const std::string& part) {
  std::size_t n = 0;
  for (auto at = s.find(part); at != std::string::npos; at = s.find(part, at + 1)) ++n;
  return n;
}
}  // namespace

TEST(RecordingCanvas, DumpListsEveryOperationInOrder) {
  RecordingCanvas c;
  paintSample(c);
  const std::string expected =
      "mapping lometric 0x0\n"
      "origin 10,-20\n"
      "pen dash 3 rgb(255,0,0)\n"
      "fill rgb(0,0,255)\n"
      "line 0,0 100,-100\n"
      "polyline 1,2 3,4 5,6\n"
      "rectangle 0,0,50,-50\n"
      "ellipse 0,0,40,-40\n"
      "arc 0,0,40,-40 from 90 sweep 180\n"
      "disc 20,-20 r=5 rgb(1,2,3)\n"
      "sector 20,-20 r=10..30 from 0 sweep 30 rgb(4,5,6)\n"
      "fill none\n"
      "fillrect 0,0,10,-10 rgb(255,255,255)\n"
      "font \"Arial\" h=-33 w=0 esc=0 wt=600 italic cs=0 pf=34\n"
      "textcolour rgb(0,128,0)\n"
      "textbackground rgb(255,255,0)\n"
      "text 5,-5 centre \"Sun \xC2\xB0 \\\"q\\\"\"\n"
      "font stock ansi-variable\n"
      "textbackground none\n"
      "text 0,0 right \"x\"\n";
  EXPECT_EQ(c.dump(), expected);
  EXPECT_EQ(c.count(CanvasOp::Kind::Text), 2u);
  EXPECT_EQ(c.texts(), (std::vector<std::string>{"Sun \xB0 \"q\"", "x"}));
  EXPECT_EQ(c.pen().style, gfx::PenStyle::Dash);
  EXPECT_FALSE(c.fill().has_value());
  EXPECT_EQ(c.origin(), (Point{10, -20}));
}

TEST(RecordingCanvas, FakeMetricsAreFixedAndFollowTheFont) {
  RecordingCanvas c;
  // The system font until another is chosen.
  auto m = c.metrics();
  EXPECT_EQ(m.height, 16);
  EXPECT_EQ(m.ascent + m.descent, m.height);
  EXPECT_EQ(c.textExtent("Mars"), (gfx::Size{4 * 7, 16}));
  // A negative height is the em height: the cell is a fifth taller.
  c.setFont(gfx::FontSpec{.height = -50, .face = "Courier New"});
  m = c.metrics();
  EXPECT_EQ(m.height, 60);
  EXPECT_EQ(m.ascent, 48);
  EXPECT_EQ(m.descent, 12);
  EXPECT_EQ(m.externalLeading, 6);
  EXPECT_EQ(c.textExtent("12345"), (gfx::Size{150, 60}));
  // A positive height is the cell; an explicit width is the character width.
  c.setFont(gfx::FontSpec{.height = 45, .width = 20, .face = ""});
  EXPECT_EQ(c.textExtent("ab"), (gfx::Size{40, 45}));
  c.setFont(gfx::StockFont::SystemFixed);
  EXPECT_EQ(c.textExtent(""), (gfx::Size{0, 15}));
  // Queries are not drawing: they are not recorded.
  const auto before = c.ops().size();
  (void)c.textExtent("abc");
  (void)c.metrics();
  EXPECT_EQ(c.ops().size(), before);
}

TEST(DeviceMapping, ThreeMappingsAndTheirInverse) {
  DeviceMapping m({1000, 800}, 254.0);
  m.set(gfx::Mapping::DevicePixels, {});
  m.setOrigin({5, 7});
  EXPECT_DOUBLE_EQ(m.map(Point{10, 20}).x, 15);
  EXPECT_DOUBLE_EQ(m.map(Point{10, 20}).y, 27);
  EXPECT_EQ(m.unmap(15, 27), (Point{10, 20}));

  // Isotropic: the logical size fits uniformly (the narrower side decides), origin top left.
  m.setOrigin({0, 0});
  m.set(gfx::Mapping::Isotropic, {2000, 1000});
  EXPECT_DOUBLE_EQ(m.scale(), 0.5);
  EXPECT_DOUBLE_EQ(m.map(Point{2000, 1000}).x, 1000);
  EXPECT_DOUBLE_EQ(m.map(Point{2000, 1000}).y, 500);
  m.set(gfx::Mapping::Isotropic, {500, 1600});
  EXPECT_DOUBLE_EQ(m.scale(), 0.5);
  EXPECT_EQ(m.unmap(250, 400), (Point{500, 800}));

  // Lometric: 254 dpi is one pixel per tenth of a millimetre; y grows upwards.
  m.set(gfx::Mapping::Lometric, {});
  EXPECT_TRUE(m.yUp());
  EXPECT_DOUBLE_EQ(m.scale(), 1.0);
  EXPECT_DOUBLE_EQ(m.map(Point{100, -200}).x, 100);
  EXPECT_DOUBLE_EQ(m.map(Point{100, -200}).y, 200);
  m.setOrigin({-2100, 0});  // the second tile of a poster
  EXPECT_DOUBLE_EQ(m.map(Point{2150, -10}).x, 50);
  EXPECT_EQ(m.unmap(50, 10), (Point{2150, -10}));
  DeviceMapping print({4960, 7016}, 600.0);
  print.set(gfx::Mapping::Lometric, {});
  EXPECT_NEAR(print.length(2100), 4960.6, 0.1);  // A4 width at 600 dpi
}

TEST(SvgCanvas, LometricPointsLandOnThePageYDown) {
  SvgCanvas c({1000, 1000}, 254.0);
  c.setMapping(gfx::Mapping::Lometric);
  c.setPen({gfx::PenStyle::Solid, 0, gfx::rgb(0, 0, 0)});
  c.line({0, 0}, {1000, -500});
  const auto svg = c.svg();
  EXPECT_EQ(attribute(svg, "line", "x1"), "0");
  EXPECT_EQ(attribute(svg, "line", "y1"), "0");
  EXPECT_EQ(attribute(svg, "line", "x2"), "1000");
  EXPECT_EQ(attribute(svg, "line", "y2"), "500");
  EXPECT_EQ(attribute(svg, "line", "stroke-width"), "1");  // width 0: the thinnest line
  EXPECT_EQ(attribute(svg, "line", "stroke"), "#000000");
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_EQ(attribute(svg, "svg", "width"), "1000");
}

TEST(SvgCanvas, ArcsRunCounterClockwiseAsSeenInEveryMapping) {
  // Quarter arc from 3 o'clock to 12 o'clock on a 200-pixel box.
  SvgCanvas px({400, 400});
  px.arc({0, 0, 200, 200}, 0, 90);
  EXPECT_EQ(attribute(px.svg(), "path", "d"), "M200 100 A100 100 0 0 0 100 0");
  // The same quarter in tenths of a millimetre (y up): still from the right to the top as seen.
  SvgCanvas lo({400, 400}, 254.0);
  lo.setMapping(gfx::Mapping::Lometric);
  lo.arc({0, 0, 200, -200}, 0, 90);
  EXPECT_EQ(attribute(lo.svg(), "path", "d"), "M200 100 A100 100 0 0 0 100 0");
  // A clockwise sweep over more than half the ellipse.
  SvgCanvas cw({400, 400});
  cw.arc({0, 0, 200, 100}, 90, -270);
  EXPECT_EQ(attribute(cw.svg(), "path", "d"), "M100 0 A100 50 0 1 1 0 50");
}

TEST(SvgCanvas, DiscsAndRingSectorsAreFilledPaths) {
  SvgCanvas c({400, 400});
  c.fillDisc({100, 100}, 50, gfx::rgb(255, 0, 0));
  c.fillRingSector({100, 100}, 50, 100, 0, 90, gfx::rgb(0, 255, 0));
  c.fillRingSector({100, 100}, 20, 40, 0, 360, gfx::rgb(0, 0, 255));
  const auto svg = c.svg();
  EXPECT_EQ(occurrences(svg, "<path "), 3u);
  EXPECT_EQ(attribute(svg, "path", "d", 0), "M150 100 A50 50 0 0 0 50 100 A50 50 0 0 0 150 100 Z");
  EXPECT_EQ(attribute(svg, "path", "fill", 0), "#ff0000");
  EXPECT_EQ(attribute(svg, "path", "d", 1), "M200 100 A100 100 0 0 0 100 0 L100 50 A50 50 0 0 1 150 100 Z");
  EXPECT_EQ(attribute(svg, "path", "fill", 1), "#00ff00");
  // A whole ring: two circles, the inner one cut out by the even-odd rule.
  EXPECT_EQ(attribute(svg, "path", "d", 2),
            "M140 100 A40 40 0 0 0 60 100 A40 40 0 0 0 140 100 Z M120 100 A20 20 0 0 1 80 100 A20 20 0 0 1 "
            "120 100 Z");
  EXPECT_EQ(attribute(svg, "path", "fill-rule", 2), "evenodd");
  EXPECT_EQ(attribute(svg, "path", "stroke", 2), "none");
}

TEST(SvgCanvas, TextSitsBelowItsTopPointAndIsEscaped) {
  SvgCanvas c({400, 400});
  c.setTextColour(gfx::rgb(0, 0, 255));
  c.text({10, 20}, "<A&B> 12\xB0", gfx::HAlign::Right);
  auto svg = c.svg();
  EXPECT_EQ(attribute(svg, "text", "x"), "10");
  EXPECT_EQ(attribute(svg, "text", "y"), "33");  // top + ascent of the system font
  EXPECT_EQ(attribute(svg, "text", "text-anchor"), "end");
  EXPECT_EQ(attribute(svg, "text", "fill"), "#0000ff");
  EXPECT_NE(svg.find(">&lt;A&amp;B&gt; 12\xC2\xB0</text>"), std::string::npos);

  // Tenths of a millimetre: the cell hangs below the top point on the page, never mirrored.
  SvgCanvas lo({1000, 1000}, 254.0);
  lo.setMapping(gfx::Mapping::Lometric);
  lo.setFont(gfx::FontSpec{.height = 50, .face = "Cour"});
  lo.setTextBackground(gfx::rgb(255, 255, 255));
  lo.text({100, -100}, "AS");
  svg = lo.svg();
  EXPECT_EQ(attribute(svg, "text", "y"), "140");
  EXPECT_EQ(svg.find("scale("), std::string::npos);
  EXPECT_NE(attribute(svg, "text", "font-family").find("Mono"), std::string::npos);
  EXPECT_EQ(attribute(svg, "rect", "y", 1), "100");  // the opaque background cell (after the page)
  EXPECT_EQ(attribute(svg, "rect", "height", 1), "50");
  EXPECT_EQ(lo.textExtent("AS"), (gfx::Size{50, 50}));

  // Rotated text turns about its point, counter-clockwise for a positive escapement.
  SvgCanvas rot({400, 400});
  rot.setFont(gfx::FontSpec{.height = 20, .escapement = 900, .face = ""});
  rot.text({50, 60}, "up");
  EXPECT_EQ(attribute(rot.svg(), "text", "transform"), "rotate(-90 50 60)");
}

TEST(SvgCanvas, PensFillsAndFaces) {
  SvgCanvas c({100, 100}, 96.0, std::nullopt);
  c.setPen({gfx::PenStyle::Dot, 0, gfx::rgb(1, 2, 3)});
  c.setFill(gfx::rgb(10, 20, 30));
  c.ellipse({10, 10, 30, 50});
  c.setPen({gfx::PenStyle::Null, 0, 0});
  c.rectangle({0, 0, 10, 10});
  const auto svg = c.svg();
  EXPECT_EQ(attribute(svg, "ellipse", "stroke-dasharray"), "3,3");
  EXPECT_EQ(attribute(svg, "ellipse", "fill"), "#0a141e");
  EXPECT_EQ(attribute(svg, "ellipse", "rx"), "10");
  EXPECT_EQ(attribute(svg, "ellipse", "ry"), "20");
  EXPECT_EQ(attribute(svg, "rect", "stroke"), "none");  // no page rectangle: transparent background

  EXPECT_EQ(faceKind({.face = "Cour"}), FaceKind::Fixed);
  EXPECT_EQ(faceKind({.face = "COURIER NEW"}), FaceKind::Fixed);
  EXPECT_EQ(faceKind({.face = "Helv"}), FaceKind::Sans);
  EXPECT_EQ(faceKind({.face = "Arial"}), FaceKind::Sans);
  EXPECT_EQ(faceKind({.face = "Tms Rmn"}), FaceKind::Serif);
  EXPECT_EQ(faceKind({.pitchAndFamily = 0x31, .face = ""}), FaceKind::Fixed);
  EXPECT_EQ(faceKind({.pitchAndFamily = 0x12, .face = ""}), FaceKind::Serif);
  EXPECT_EQ(faceKind({.face = "Gentium"}), FaceKind::Other);
  EXPECT_EQ(svgFontFamily({.pitchAndFamily = 0x10, .face = "Gentium"}),
            "'Gentium', 'Liberation Serif', 'DejaVu Serif', serif");
}

TEST(SvgCanvas, SavesTheWholeDocument) {
  const fs::path file = fs::temp_directory_path() / ("talpora-svg-" + std::to_string(::getpid()) + ".svg");
  SvgCanvas c({300, 300}, 254.0);
  paintSample(c);
  ASSERT_TRUE(c.save(file));
  std::ifstream in(file, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  EXPECT_EQ(ss.str(), c.svg());
  EXPECT_EQ(occurrences(ss.str(), "<text "), 2u);
  EXPECT_NE(ss.str().find("</svg>\n"), std::string::npos);
  fs::remove(file);
}
