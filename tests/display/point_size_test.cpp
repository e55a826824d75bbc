// Point markers' sizes: "Multiply Size by Value" and the perspective lift.
#include <gtest/gtest.h>

#include "display/display_test_scene.h"
#include "display/point_markers.h"

using namespace display_testing;

TEST(PointSize, MultiplySizeByValueGrowsFromZeroToTheRangeEnd) {
  DisplayBench b;
  b.load({{0, 0, 0}, {3, 0, 0}, {6, 0, 0}, {9, 0, 0}, {12, 0, 0}}, {});
  InstData& inst = *b.inst;
  inst.visibility = kWireframedPoints;
  inst.multiplySizeByValue = 1;
  inst.pointSize = 80;  // r = 4
  inst.gradient.rangeMin = -1.0f;
  inst.gradient.rangeMax = 1.0f;
  b.setValue(1, 0.5f);
  b.setValue(2, 1.0f);
  b.setValue(3, -1.0f);
  b.setValue(4, 7.0f);  // beyond the range: clamped
  const double pixel = 0.01;
  b.frontView(pixel);
  b.draw();
  std::vector<double> halfSides;
  for (const sim::DrawPrimitive& p : b.list.primitives)
    if (p.kind == sim::DrawPrimitive::Quad) halfSides.push_back((p.vertices[1][0] - p.vertices[0][0]) / 2);
  ASSERT_EQ(halfSides.size(), 5u);
  EXPECT_NEAR(halfSides[0], pixel, 1e-12);            // no value: the smallest
  EXPECT_NEAR(halfSides[1], pixel * (1 + 0.5 * 4), 1e-9);
  EXPECT_NEAR(halfSides[2], pixel * (1 + 4), 1e-9);   // the range end: the largest
  EXPECT_NEAR(halfSides[3], pixel * (1 + 4), 1e-9);   // the other end
  EXPECT_NEAR(halfSides[4], pixel * (1 + 4), 1e-9);
  inst.multiplySizeByValue = 0;
  b.draw();
  for (const sim::DrawPrimitive& p : b.list.primitives)
    if (p.kind == sim::DrawPrimitive::Quad) {
      EXPECT_NEAR((p.vertices[1][0] - p.vertices[0][0]) / 2, pixel * 5, 1e-9);
    }
}

TEST(PointSize, SizeFactorScalesEachSignAgainstItsPartOfTheRange) {
  EXPECT_FLOAT_EQ(markerSizeFactor(0.0f, -1.0f, 1.0f), 0.0f);
  EXPECT_FLOAT_EQ(markerSizeFactor(0.25f, -1.0f, 1.0f), 0.25f);
  EXPECT_FLOAT_EQ(markerSizeFactor(-0.25f, -2.0f, 1.0f), 0.125f);
  EXPECT_FLOAT_EQ(markerSizeFactor(0.75f, 0.5f, 1.0f), 0.5f);   // a range above 0
  EXPECT_FLOAT_EQ(markerSizeFactor(0.25f, 0.5f, 1.0f), 0.0f);
  EXPECT_FLOAT_EQ(markerSizeFactor(-0.75f, -1.0f, -0.5f), 0.5f);  // a range below 0
  EXPECT_FLOAT_EQ(markerSizeFactor(0.5f, -1.0f, -0.5f), 1.0f);    // positive side of no span
  EXPECT_FLOAT_EQ(markerSizeFactor(0.5f, 0.0f, 0.0f), 1.0f);
}

TEST(PointSize, PerspectiveMarkersAreLiftedTowardTheEyeAndScaledByDepth) {
  DisplayBench b;
  b.load({{0, 0, 10}, {0, 0, -20}}, {});
  InstData& inst = *b.inst;
  inst.multiplySizeByValue = 0;
  b.perspectiveView({0, 0, 0}, 0.001);
  b.draw();
  // The point behind the eye draws nothing; the other: outer = 6 pixels, k = 0.036.
  const Counts c = b.counts();
  EXPECT_EQ(c.quads, 1);
  const double k = 6 * 6 * 0.001, depth = 10 * (1 - k);
  for (const sim::DrawPrimitive& p : b.list.primitives) {
    EXPECT_NEAR(p.vertices[0][2], depth, 1e-9);
    if (p.kind == sim::DrawPrimitive::Quad) {
      EXPECT_NEAR(p.vertices[1][0] - p.vertices[0][0], 2 * 5 * 0.001 * depth, 1e-9);
    }
  }
}
