#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/triangle_location.h"
#include "geometry/vector_math.h"

namespace {

using namespace velmora::geometry;

struct Located {
  int region;
  double w[3];
};

Located locate(const SurfaceElement& t, const Vec3& p) {
  double c[3];
  Located l{getLocationPerAtTrigon(t, p, c), {}};
  cornerWeightsFromLocation(c, l.w);
  return l;
}

void expectWeights(const Located& l, double a, double b, double c) {
  EXPECT_NEAR(l.w[0], a, 1e-9);
  EXPECT_NEAR(l.w[1], b, 1e-9);
  EXPECT_NEAR(l.w[2], c, 1e-9);
}

// A tilted, scalene triangle so that no frame axis lines up with the world.
const Vec3 kA{0.3, -0.2, 1.1};
const Vec3 kB{2.1, 0.4, 0.7};
const Vec3 kC{0.9, 1.8, 1.6};

TEST(TriangleLocation, CornersTakeTheirCornerRegionAndFullWeight) {
  const SurfaceElement t = makeTriangleElement(kA, kB, kC);
  Located l = locate(t, kA);
  EXPECT_EQ(l.region, kBeyondCornerA);
  expectWeights(l, 1, 0, 0);
  l = locate(t, kB);
  EXPECT_EQ(l.region, kBeyondCornerB);
  expectWeights(l, 0, 1, 0);
  l = locate(t, kC);
  EXPECT_EQ(l.region, kBeyondCornerC);
  expectWeights(l, 0, 0, 1);
  // Beyond a corner, away from the triangle and off its plane.
  Vec3 n;
  norm3D(kB - kA, kC - kA, n);
  l = locate(t, kB + (kB - kA) * 0.5 + (kB - kC) * 0.5 + n * 0.3);
  EXPECT_EQ(l.region, kBeyondCornerB);
  expectWeights(l, 0, 1, 0);
}

TEST(TriangleLocation, InsidePointsGetBarycentricWeightsAndEdgesSplitAlongTheEdge) {
  const SurfaceElement t = makeTriangleElement(kA, kB, kC);
  Vec3 n;
  norm3D(kB - kA, kC - kA, n);
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> unit(0.01, 1.0);
  for (int k = 0; k < 200; ++k) {
    double a = unit(rng), b = unit(rng), c = unit(rng);
    const double s = a + b + c;
    a /= s, b /= s, c /= s;
    const Located l = locate(t, kA * a + kB * b + kC * c + n * (unit(rng) - 0.5));
    EXPECT_EQ(l.region, kInsideTriangle);
    expectWeights(l, a, b, c);
  }
  // Outside each edge, a quarter of the way along it.
  const Vec3 centre = (kA + kB + kC) * (1.0 / 3.0);
  struct Edge { Vec3 from, to; int region; double w[3]; };
  const Edge edges[] = {{kA, kB, kOutsideEdgeAB, {0.75, 0.25, 0}},
                        {kB, kC, kOutsideEdgeBC, {0, 0.75, 0.25}},
                        {kC, kA, kOutsideEdgeCA, {0.25, 0, 0.75}}};
  for (const Edge& e : edges) {
    const Vec3 onEdge = e.from + (e.to - e.from) * 0.25;
    Vec3 out;
    vect3D(centre, onEdge, out);
    // Push outwards in the plane, perpendicular to the edge.
    Vec3 dir;
    vect3D(e.from, e.to, dir);
    const Vec3 away = out - dir * dot(out, dir);
    const Located l = locate(t, onEdge + away * 0.2);
    EXPECT_EQ(l.region, e.region);
    expectWeights(l, e.w[0], e.w[1], e.w[2]);
  }
}

TEST(TriangleLocation, CornerNormalsWidenTheTriangleWithHeight) {
  // B's normal leans outwards by 45 degrees: one unit up, B sits one unit further out.
  const Vec3 normals[3] = {{0, 0, 1}, {1, 0, 1}, {0, 0, 1}};
  const SurfaceElement t = makeTriangleElement({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, normals);
  Located l = locate(t, {2.0, 0.0, 1.0});
  EXPECT_EQ(l.region, kBeyondCornerB);
  expectWeights(l, 0, 1, 0);
  // Flat face normals: the same point is merely beyond B.
  const SurfaceElement flat = makeTriangleElement({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  l = locate(flat, {0.5, 0.25, 1.0});
  EXPECT_EQ(l.region, kInsideTriangle);
  expectWeights(l, 0.25, 0.5, 0.25);
}

TEST(TriangleLocation, DegenerateTrianglesGiveFiniteWeights) {
  const SurfaceElement line = makeTriangleElement({0, 0, 0}, {2, 0, 0}, {1, 0, 0});
  Located l = locate(line, {1.5, 0.3, 0.2});
  for (double w : l.w) EXPECT_TRUE(std::isfinite(w));
  expectWeights(l, 0.25, 0.75, 0);
  const SurfaceElement point = makeTriangleElement({1, 1, 1}, {1, 1, 1}, {1, 1, 1});
  l = locate(point, {3, 0, 1});
  EXPECT_NEAR(l.w[0] + l.w[1] + l.w[2], 1.0, 1e-12);
  for (double w : l.w) EXPECT_TRUE(std::isfinite(w));
}

TEST(TriangleLocation, FanTriangleReportsThePositionAlongTheOuterSide) {
  // Fan triangle of a unit quad: centre, corner k, corner k + 1.
  const SurfaceElement fan = makeTriangleElement({0.5, 0.5, 0}, {0, 0, 0}, {1, 0, 0});
  double c[4];
  getLocationPerAtPolygon(fan, {0.5, 0.5, 0}, c);
  EXPECT_DOUBLE_EQ(c[3], 0.5);
  EXPECT_NEAR(c[1], 0.0, 1e-12);  // 0 at the centre
  getLocationPerAtPolygon(fan, {0.75, 0.0, 0}, c);
  EXPECT_NEAR(c[3], 0.75, 1e-9);
  EXPECT_NEAR(c[1], 1.0, 1e-9);  // 1 on the side
  getLocationPerAtPolygon(fan, {0.6, 0.25, 0}, c);  // halfway out, through (0.7, 0)
  EXPECT_NEAR(c[3], 0.7, 1e-9);
  EXPECT_NEAR(c[1], 0.5, 1e-9);
  EXPECT_EQ(getLocationPerAtPolygon(fan, {1, 0, 0}, c), kBeyondCornerC);
  EXPECT_NEAR(c[3], 1.0, 1e-12);
}

}  // namespace
