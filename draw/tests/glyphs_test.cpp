// Glyphs: upright on screens and on paper, sizes, unknown codes, the star polygon.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "draw/glyphs.h"
#include "platform/headless/recording_canvas.h"

using namespace talpora;
using headless::CanvasOp;
using headless::RecordingCanvas;

namespace {
// Every point and arc box of a recording, relative to the glyph centre.
std::vector<int> verticalOffsets(const RecordingCanvas& c, int y) {
  std::vector<int> out;
  for (const auto& op : c.ops()) {
    for (const auto& p : op.points) out.push_back(p.y - y);
    if (op.kind == CanvasOp::Kind::Arc || op.kind == CanvasOp::Kind::Ellipse) {
      out.push_back(op.rect.top - y);
      out.push_back(op.rect.bottom - y);
    }
  }
  return out;
}
using Painter = void (*)(gfx::Canvas&, int, int, int, int, int);
}  // namespace

TEST(Glyphs, UprightOnScreenAndOnPaper) {
  // On paper (y up) every vertical offset is the mirror of the same glyph's on a y-down device, so the
  // glyph stands upright on both. Device 10000 is y-down and draws circles as two halves like paper,
  // so the two recordings pair up operation by operation.
  struct Family {
    Painter paint;
    int first, last;
  };
  for (const Family& f : {Family{dr_sig, 1, 12}, Family{dr_pl, 0, 14}, Family{dr_asp, -2, 8}}) {
    for (int code = f.first; code <= f.last; ++code) {
      RecordingCanvas down, paper;
      f.paint(down, 500, 400, 60, code, 10000);
      f.paint(paper, 500, -400, 60, code, 1500);
      auto a = verticalOffsets(down, 400), b = verticalOffsets(paper, -400);
      ASSERT_FALSE(a.empty()) << "glyph " << code << " draws nothing";
      for (int& v : b) v = -v;
      std::sort(a.begin(), a.end());
      std::sort(b.begin(), b.end());
      ASSERT_EQ(a.size(), b.size()) << code;
      for (std::size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], b[i], 1) << "glyph " << code;
      // Arcs keep their visual angles on both devices.
      for (std::size_t i = 0; i < down.ops().size(); ++i) {
        EXPECT_EQ(down.ops()[i].startDeg, paper.ops()[i].startDeg);
        EXPECT_EQ(down.ops()[i].sweepDeg, paper.ops()[i].sweepDeg);
      }
    }
  }
}

TEST(Glyphs, ScreenCirclesAreOneArcPrinterCirclesTwoHalves) {
  RecordingCanvas screen, paper;
  dr_pl(screen, 0, 0, 40, 0, 1);
  dr_pl(paper, 0, 0, 40, 0, 1500);
  EXPECT_EQ(screen.count(CanvasOp::Kind::Arc), 1u);
  EXPECT_EQ(paper.count(CanvasOp::Kind::Arc), 2u);
  EXPECT_EQ(screen.count(CanvasOp::Kind::Line), 2u);  // the cross
}

TEST(Glyphs, PartOfFortuneIsTheEarthAtSixTenths) {
  RecordingCanvas earth, fortune;
  dr_pl(earth, 100, 100, 100, 0, 1);
  dr_pl(fortune, 100, 100, 100, 17, 1);
  const auto& e = earth.ops()[0].rect;
  const auto& f = fortune.ops()[0].rect;
  EXPECT_EQ(e.right - e.left, 120);  // radius 0.6 s
  EXPECT_EQ(f.right - f.left, 72);   // 0.6 of it
}

TEST(Glyphs, UnknownCodesDrawNothing) {
  RecordingCanvas c;
  dr_sig(c, 0, 0, 50, 0, 1);
  dr_sig(c, 0, 0, 50, 13, 1);
  dr_pl(c, 0, 0, 50, 15, 1);
  dr_pl(c, 0, 0, 50, 16, 1);
  dr_pl(c, 0, 0, 50, -1, 1);
  dr_asp(c, 0, 0, 50, 9, 1);
  dr_asp(c, 0, 0, 50, -3, 1);
  EXPECT_TRUE(c.ops().empty());
}

TEST(Glyphs, BiquintileIsAPentagramOfFiveChords) {
  RecordingCanvas c;
  dr_asp(c, 0, 0, 100, 6, 1);
  ASSERT_EQ(c.count(CanvasOp::Kind::Line), 5u);
  for (const auto& op : c.ops()) {
    // Each chord joins two vertices on the circle of radius s/2, two steps apart (144 degrees).
    const auto a = op.points[0], b = op.points[1];
    EXPECT_NEAR(std::hypot(a.x, a.y), 50, 1);
    EXPECT_NEAR(std::hypot(b.x, b.y), 50, 1);
    EXPECT_NEAR(std::hypot(a.x - b.x, a.y - b.y), 2 * 50 * std::sin(72 * M_PI / 180), 1.5);
  }
  // The -1 code: two parallel strokes as given.
  RecordingCanvas p;
  dr_asp(p, 0, 0, 50, -1, 1);
  ASSERT_EQ(p.ops().size(), 2u);
  EXPECT_EQ(p.ops()[0].points[0], (gfx::Point{-10, 20}));
  EXPECT_EQ(p.ops()[0].points[1], (gfx::Point{0, -20}));
}

TEST(Glyphs, ObjectCodes) {
  EXPECT_EQ(glyphCodeOfObject(0), 1);
  EXPECT_EQ(glyphCodeOfObject(11), 12);
  EXPECT_EQ(glyphCodeOfObject(13), 14);
  EXPECT_EQ(glyphCodeOfObject(14), -1);
  EXPECT_EQ(glyphCodeOfObject(16), 17);
}
