#include <gtest/gtest.h>

#include <random>

#include "geometry/box_overlap.h"

namespace {

using namespace velmora::geometry;

const Box3 kUnit{{0, 0, 0}, {1, 1, 1}};

bool inBox(const Box3& b, const Vec3& p) {
  return p.x >= b.min.x && p.x <= b.max.x && p.y >= b.min.y && p.y <= b.max.y && p.z >= b.min.z &&
         p.z <= b.max.z;
}

TEST(BoxOverlap, SegmentsThroughBesideAndTouchingTheBox) {
  EXPECT_TRUE(calcIntersectionOfLineAndCuboid(kUnit, {-1, 0.5, 0.5}, {2, 0.5, 0.5}));  // through
  EXPECT_TRUE(calcIntersectionOfLineAndCuboid(kUnit, {0.2, 0.2, 0.2}, {0.3, 0.3, 0.3}));  // inside
  EXPECT_TRUE(calcIntersectionOfLineAndCuboid(kUnit, {-1, 1.000001, 0.5}, {2, 1.000001, 0.5}));
  EXPECT_FALSE(calcIntersectionOfLineAndCuboid(kUnit, {-1, 1.1, 0.5}, {2, 1.1, 0.5}));
  // Diagonal passing the corner (1, 1, z) outside.
  EXPECT_FALSE(calcIntersectionOfLineAndCuboid(kUnit, {0.8, 1.5, 0.5}, {1.5, 0.8, 0.5}));
  EXPECT_TRUE(calcIntersectionOfLineAndCuboid(kUnit, {0.4, 1.5, 0.5}, {1.5, 0.4, 0.5}));
  EXPECT_TRUE(calcIntersectionOfLineAndSquare(kUnit, 2, true, {0.5, 0.5, 2}, {0.5, 0.5, 0}));
  EXPECT_FALSE(calcIntersectionOfLineAndSquare(kUnit, 2, true, {1.5, 0.5, 2}, {1.5, 0.5, 0}));
  EXPECT_FALSE(calcIntersectionOfLineAndSquare(kUnit, 2, false, {0.5, 0.5, 2}, {0.5, 0.5, 0.5}));
}

TEST(BoxOverlap, TrianglesThatSpanMissOrOnlyPassACorner) {
  // Large triangle slicing through the middle, no corner inside the box.
  EXPECT_TRUE(calcIntersectionOfTrigonAndCuboid(kUnit, {-5, -5, 0.5}, {10, -5, 0.5}, {-5, 10, 0.5}));
  // Its plane passes beside the corner (1, 1, 1): only the normal axis separates.
  EXPECT_FALSE(calcIntersectionOfTrigonAndCuboid(kUnit, {3.2, 0, 0}, {0, 3.2, 0}, {0, 0, 3.2}));
  EXPECT_TRUE(calcIntersectionOfTrigonAndCuboid(kUnit, {2.9, 0, 0}, {0, 2.9, 0}, {0, 0, 2.9}));
  // Only an edge-cross axis separates this one.
  EXPECT_FALSE(calcIntersectionOfTrigonAndCuboid(kUnit, {1.6, -0.5, 0.5}, {2, 0, 0.5}, {-0.5, 1.6, 3}));
  EXPECT_TRUE(calcIntersectionOfTrigonAndCuboid(kUnit, {1, 1, 1.000001}, {3, 3, 3}, {3, 1, 3}));
  // Degenerate triangles behave as their segment or point.
  EXPECT_TRUE(calcIntersectionOfTrigonAndCuboid(kUnit, {-1, 0.5, 0.5}, {2, 0.5, 0.5}, {2, 0.5, 0.5}));
  EXPECT_FALSE(calcIntersectionOfTrigonAndCuboid(kUnit, {2, 2, 2}, {2, 2, 2}, {2, 2, 2}));
}

// A walk that drops a box the test wrongly calls separate misses an occluder:
// any sampled point of a segment or triangle inside the box must give overlap.
TEST(BoxOverlap, NeverMissesAPointInsideTheBox) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> pos(-1.0, 2.0);
  for (int k = 0; k < 3000; ++k) {
    const Vec3 a{pos(rng), pos(rng), pos(rng)}, b{pos(rng), pos(rng), pos(rng)},
        c{pos(rng), pos(rng), pos(rng)};
    bool segmentHits = false, triangleHits = false;
    for (int i = 0; i <= 40; ++i) {
      segmentHits |= inBox(kUnit, lerp(a, b, i / 40.0));
      for (int j = 0; i + j <= 40; ++j) triangleHits |= inBox(kUnit, a + (b - a) * (i / 40.0) + (c - a) * (j / 40.0));
    }
    if (segmentHits) {
      EXPECT_TRUE(calcIntersectionOfLineAndCuboid(kUnit, a, b)) << k;
    }
    if (triangleHits) {
      EXPECT_TRUE(calcIntersectionOfTrigonAndCuboid(kUnit, a, b, c)) << k;
    }
  }
}

}  // namespace
