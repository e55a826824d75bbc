#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/quad_interpolation.h"

namespace {

using namespace velmora::geometry;

Vec2 bilinear(const Vec2 q[4], double u, double v) {
  return (q[0] * (1 - u) + q[1] * u) * (1 - v) + (q[3] * (1 - u) + q[2] * u) * v;
}

void expectRoundTrip(const Vec2 q[4], unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int k = 0; k < 500; ++k) {
    const double u = unit(rng), v = unit(rng);
    double uu = -1, vv = -1;
    ASSERT_EQ(getQuadInterpolation(q, bilinear(q, u, v), uu, vv), 1) << u << " " << v;
    EXPECT_NEAR(uu, u, 1e-8);
    EXPECT_NEAR(vv, v, 1e-8);
  }
}

TEST(QuadInterpolation, InvertsBilinearMapsOfConvexQuads) {
  const Vec2 square[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  expectRoundTrip(square, 1);
  const Vec2 parallelogram[4] = {{0, 0}, {2, 0.5}, {2.5, 1.5}, {0.5, 1}};
  expectRoundTrip(parallelogram, 2);
  const Vec2 trapezoid[4] = {{-1, -1}, {1, -0.8}, {0.4, 1}, {-0.3, 0.9}};
  expectRoundTrip(trapezoid, 3);
  const Vec2 kite[4] = {{0, -1}, {1.2, 0}, {0, 0.4}, {-1, 0}};
  expectRoundTrip(kite, 4);
}

TEST(QuadInterpolation, FailsCleanlyOutsideAndOnCollapsedQuads) {
  const Vec2 square[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  double u = 0, v = 0;
  EXPECT_EQ(getQuadInterpolation(square, {0.5, 3.0}, u, v), 0);
  const Vec2 trapezoid[4] = {{-1, -1}, {1, -0.8}, {0.4, 1}, {-0.3, 0.9}};
  EXPECT_EQ(getQuadInterpolation(trapezoid, {0.0, 4.0}, u, v), 0);
  const Vec2 point[4] = {{1, 1}, {1, 1}, {1, 1}, {1, 1}};
  EXPECT_EQ(getQuadInterpolation(point, {1, 1}, u, v), 0);
  const Vec2 line[4] = {{0, 0}, {1, 0}, {1, 0}, {0, 0}};
  EXPECT_EQ(getQuadInterpolation(line, {0.5, 0.5}, u, v), 0);
}

}  // namespace
