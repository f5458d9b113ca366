// Heptagram placement and classification, and the drawing pass.
#include <gtest/gtest.h>

#include <cmath>

#include "draw/heptagram.h"
#include "platform/headless/recording_canvas.h"

using namespace talpora;

TEST(Heptagram, VertexArithmeticAndRanks) {
  EXPECT_EQ(compute_value(0), 7);
  EXPECT_EQ(compute_value(8), 1);
  EXPECT_EQ(compute_value(-1), 6);
  EXPECT_EQ(compute_value(-7), 7);
  EXPECT_EQ(heptagramRank(kWeekOrder, 1), 7);  // Sun last in the week order starting from Monday's Moon
  EXPECT_EQ(heptagramRank(kWeekOrder, 5), 2);
  EXPECT_EQ(heptagramRank(kHourOrder, 2), 7);
  EXPECT_EQ(heptagramRank(kHourOrder, 7), 1);
}

TEST(Heptagram, PlacementStartsNearestTheReferenceAndFollowsTheZodiac) {
  // Mars is nearest the reference; the others follow in zodiacal order from it.
  const Heptagram h = classifyHeptagram({100, 200, 300, 20, 49, 250, 150}, 50, kWeekOrder);
  EXPECT_EQ(h.planetAt[1], 5);  // Mars at 49
  EXPECT_EQ(h.planetAt[2], 1);  // Sun at 100
  EXPECT_EQ(h.planetAt[3], 7);  // Saturn at 150
  EXPECT_EQ(h.planetAt[7], 4);  // Venus at 20 comes last (no wrap before the start)
  for (int p = 1; p <= 7; ++p) EXPECT_EQ(h.planetAt[h.vertexOf[p]], p);
}

TEST(Heptagram, TiesKeepTheLowerNumberedPlanet) {
  // Moon and Mercury are both 5 degrees from the reference.
  const Heptagram h = classifyHeptagram({200, 95, 105, 250, 300, 330, 10}, 100, kWeekOrder);
  EXPECT_EQ(h.planetAt[1], 2);
}

TEST(Heptagram, APolygonInLinkingOrderIsPerfect) {
  // The planets stand round the circle in the week order itself: every chord is a side of the
  // heptagon, and all seven axes are symmetrical.
  const Heptagram h = classifyHeptagram({10, 60, 160, 260, 110, 210, 310}, 10, kWeekOrder);
  EXPECT_EQ(h.count, 7);
  EXPECT_STREQ(heptagramKindName(h.count), "Perfect Heptagram");
}

TEST(Heptagram, DemonstrationIsStableAndComplete) {
  Chart2 c;
  const Heptagram a = classifyHeptagram(c, kDemonstration);
  const Heptagram b = classifyHeptagram(c, kDemonstration);
  EXPECT_EQ(a.count, b.count);
  EXPECT_EQ(a.pole, b.pole);
  EXPECT_EQ(a.base1, b.base1);
  EXPECT_EQ(a.planetAt[1], 1);  // the Sun at 5 degrees is nearest the reference of 3
  EXPECT_GE(a.pole, 1);
  EXPECT_LE(a.pole, 7);
  EXPECT_NE(a.base1, a.base2);
  int links = 0;
  for (int i = 1; i <= 7; ++i)
    for (int j = i + 1; j <= 7; ++j) links += a.linked[i][j];
  EXPECT_EQ(links, 7);
}

TEST(Heptagram, ClassifyOnlyDrawsNothingAndDrawingPlacesSevenGlyphsAndChords) {
  Chart2 c;
  const double lon[7] = {12, 95, 30, 330, 200, 140, 260};
  for (int k = 0; k < 7; ++k) c.objects[k] = lon[k];
  c.objects[kMidheaven] = 100;
  const Heptagram classified = ashept(nullptr, 1, 0, 0, 0, c, nullptr, kHourOrder, kClassifyOnly);
  headless::RecordingCanvas canvas;
  ChCol colours;
  const Heptagram drawn = ashept(&canvas, 1, 300, 300, 600, c, &colours, kHourOrder, 1);
  EXPECT_EQ(classified.count, drawn.count);
  EXPECT_EQ(classified.pole, drawn.pole);
  // The heptagon's circle (radius 200) and the extra one (0.42 of the size); the Sun's dot is tiny.
  std::vector<int> radii;
  for (const auto& op : canvas.ops())
    if (op.kind == headless::CanvasOp::Kind::Ellipse && op.rect.right - op.rect.left > 10)
      radii.push_back((op.rect.right - op.rect.left) / 2);
  EXPECT_EQ(radii, (std::vector<int>{200, 252}));
  // Seven chords, each from a vertex on the circle of radius 200.
  int chords = 0;
  for (const auto& op : canvas.ops()) {
    if (op.kind == headless::CanvasOp::Kind::Line && op.pen.colour == colours.colour[63]) {
      const double r = std::hypot(op.points[0].x - 300, op.points[0].y - 300);
      if (std::abs(r - 200) <= 1) ++chords;
    }
  }
  EXPECT_EQ(chords, 7);
}
