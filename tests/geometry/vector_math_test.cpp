#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/geometry_conventions.h"
#include "geometry/vector_math.h"

namespace {

using namespace velmora::geometry;

constexpr double kTol = 1e-12;

Vec3 randomVec(std::mt19937& rng, double scale = 10.0) {
  std::uniform_real_distribution<double> u(-scale, scale);
  return {u(rng), u(rng), u(rng)};
}

TEST(Normalize, ShortVectorsBecomeZeroWithResultZero) {
  Vec3 v{0.0, 0.0, 1e-12};
  EXPECT_EQ(normalize3D(v), 0.0);
  EXPECT_EQ(v.x, 0.0);
  EXPECT_EQ(v.y, 0.0);
  EXPECT_EQ(v.z, 0.0);
  Vec2 w{3e-12, -4e-12};
  Vec2 out{7.0, 7.0};
  EXPECT_EQ(normalize2D2(w, out), 0.0);
  EXPECT_EQ(out.x, 0.0);
  EXPECT_EQ(out.y, 0.0);
  Vec3 d;
  EXPECT_EQ(vect3D({1, 2, 3}, {1, 2, 3}, d), 0.0);
  EXPECT_EQ(length(d), 0.0);
}

TEST(Normalize, JustAboveTheToleranceStillNormalises) {
  Vec3 v{0.0, 2e-11, 0.0};
  EXPECT_DOUBLE_EQ(normalize3D(v), 2e-11);
  EXPECT_DOUBLE_EQ(v.y, 1.0);
  Vec2 d;
  EXPECT_DOUBLE_EQ(vect2D({1, 1}, {4, 5}, d), 5.0);
  EXPECT_DOUBLE_EQ(d.x, 0.6);
  EXPECT_DOUBLE_EQ(d.y, 0.8);
}

TEST(Norm3D, ParallelVectorsAreDegenerate) {
  Vec3 out{1, 1, 1};
  EXPECT_EQ(norm3D({1, 2, 3}, {2, 4, 6}, out), 1);
  EXPECT_EQ(length(out), 0.0);
  EXPECT_EQ(norm3D({1, 0, 0}, {0, 1, 0}, out), 0);
  EXPECT_NEAR(out.z, 1.0, kTol);  // right-handed
}

TEST(EqualPositions, ThreeDToleranceIsPerAxisAndStrict) {
  const Vec3 a{5.0, -3.0, 1e6};
  const double under = kEqualPosition3D * 0.99;
  const Vec3 b{a.x + under, a.y - under, a.z + under};
  EXPECT_GT(dist3D(a, b), kEqualPosition3D);  // apart by distance, equal per axis
  EXPECT_TRUE(isEqual3DPositions(a, b));
  EXPECT_FALSE(isEqual3DPositions({0, 0, 0}, {0, 0.000002, 0}));
  EXPECT_FALSE(isEqual3DPositions({0, 0, 0}, {-0.000002, 0, 0}));
  EXPECT_TRUE(isEqual2DPositions({1, 1}, {1 + 0.9e-11, 1 - 0.9e-11}));
  EXPECT_FALSE(isEqual2DPositions({1, 1}, {1, 1 + 2e-11}));
}

TEST(CrossVect2D, ParametersMeetAtTheCrossing) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> u(-5, 5);
  for (int i = 0; i < 200; ++i) {
    const Vec2 p{u(rng), u(rng)}, q{u(rng), u(rng)}, a{u(rng), u(rng)}, b{u(rng), u(rng)};
    if (std::fabs(cross(a, b)) < 1e-3) continue;
    double s = 0, t = 0;
    ASSERT_EQ(crossVect2D(p, q, a, b, s, t), 1);
    const Vec2 x = p + a * s;
    const Vec2 y = q + b * t;
    EXPECT_NEAR(x.x, y.x, 1e-9);
    EXPECT_NEAR(x.y, y.y, 1e-9);
  }
  double s = 1, t = 1;
  EXPECT_EQ(crossVect2D({0, 0}, {0, 1}, {1, 1}, {-2, -2}, s, t), 0);
  EXPECT_EQ(s, 0.0);
  EXPECT_EQ(t, 0.0);
  EXPECT_EQ(crossVect2D({0, 0}, {0, 1}, {1, 1}, {0, 0}, s, t), 0);
}

TEST(DistancePointSegment, ClampsToTheEnds) {
  const Vec3 a{1, 1, 1}, b{4, 1, 1};
  EXPECT_NEAR(distanceBetweenPointAndLine3D(a, b, {2, 3, 1}), 2.0, kTol);   // beside
  EXPECT_NEAR(distanceBetweenPointAndLine3D(a, b, {-2, 5, 1}), 5.0, kTol);  // before a
  EXPECT_NEAR(distanceBetweenPointAndLine3D(a, b, {7, 1, 5}), 5.0, kTol);   // beyond b
  EXPECT_NEAR(distanceBetweenPointAndLine3D(a, a, {1, 4, 5}), 5.0, kTol);   // zero length
  // Far from the origin the perpendicular part is not lost to cancellation.
  const Vec3 far{1e6, 1e6, 1e6};
  EXPECT_NEAR(distanceBetweenPointAndLine3D(far, far + Vec3{1e3, 0, 0}, far + Vec3{500, 1e-4, 0}), 1e-4, 1e-9);
}

TEST(PlaneCrossing, PointLiesOnPlaneAndLine) {
  std::mt19937 rng(5);
  for (int i = 0; i < 100; ++i) {
    const Vec3 pp = randomVec(rng), pn = randomVec(rng), lp = randomVec(rng), ld = randomVec(rng);
    if (std::fabs(dot(pn, ld)) < 1e-3) continue;
    Vec3 out;
    ASSERT_EQ(crossPosWithPlaneVect3D(pp, pn, lp, ld, out), 1);
    EXPECT_NEAR(dot(out - pp, pn), 0.0, 1e-8);
    EXPECT_NEAR(length(cross(out - lp, ld)), 0.0, 1e-8);
  }
  Vec3 out;
  EXPECT_EQ(crossPosWithPlaneVect3D({0, 0, 0}, {0, 0, 1}, {1, 2, 3}, {1, 1, 0}, out), 0);
  EXPECT_EQ(out.x, 1.0);
  EXPECT_EQ(out.z, 3.0);
}

TEST(Rot90, PerpendicularUnitAndTieRules) {
  std::mt19937 rng(7);
  for (int i = 0; i < 100; ++i) {
    const Vec3 v = randomVec(rng);
    Vec3 out;
    ASSERT_EQ(getRot90Vector(v, out), 0);
    EXPECT_NEAR(length(out), 1.0, kTol);
    EXPECT_NEAR(dot(out, v), 0.0, 1e-10);
  }
  // Ties: X only when both others are strictly larger, Y when x >= y < z, else Z.
  struct Case {
    Vec3 v, expected;
  };
  const double r = 1.0 / std::sqrt(2.0);
  const double f = 1.0 / std::sqrt(5.0);
  const Case cases[] = {
      {{0, 1, 1}, {0, r, -r}},          // x smallest: X, (0, z, -y)
      {{1, 0, 1}, {-r, 0, r}},          // y smallest: Y, (-z, 0, x)
      {{1, 1, 1}, {r, -r, 0}},          // all equal: Z, (y, -x, 0)
      {{1, 1, 2}, {-2 * f, 0, f}},      // x = y < z: Y (X needs y > x)
      {{2, 1, 1}, {f, -2 * f, 0}},      // y = z < x: Z (Y needs z > y)
      {{1, 2, 1}, {2 * f, -f, 0}},      // x = z < y: Z (X needs z > x)
  };
  for (const Case& c : cases) {
    Vec3 out;
    getRot90Vector(c.v, out);
    SCOPED_TRACE(testing::Message() << c.v.x << "," << c.v.y << "," << c.v.z);
    EXPECT_NEAR(out.x, c.expected.x, kTol);
    EXPECT_NEAR(out.y, c.expected.y, kTol);
    EXPECT_NEAR(out.z, c.expected.z, kTol);
  }
  Vec3 out{1, 1, 1};
  EXPECT_EQ(getRot90Vector({0, 0, 0}, out), 1);
  EXPECT_EQ(length(out), 0.0);
}

TEST(LocalAxis, GivesAnOrthonormalFrameAroundTheDirection) {
  std::mt19937 rng(9);
  for (int i = 0; i < 100; ++i) {
    Vec3 d = randomVec(rng);
    normalize3D(d);
    Vec3 a, b, rot;
    ASSERT_EQ(getLocalAxis(d, a, b), 0);
    getRot90Vector(d, rot);
    EXPECT_NEAR(length(b - rot), 0.0, kTol);
    EXPECT_NEAR(length(a), 1.0, 1e-12);
    EXPECT_NEAR(dot(a, b), 0.0, 1e-12);
    EXPECT_NEAR(dot(a, d), 0.0, 1e-12);
    EXPECT_NEAR(dot(cross(a, b), d), 1.0, 1e-12);  // (a, b, d) right-handed
  }
  Vec3 a{1, 1, 1}, b{1, 1, 1};
  EXPECT_EQ(getLocalAxis({0, 0, 0}, a, b), 1);
  EXPECT_EQ(length(a) + length(b), 0.0);
}

TEST(SpinTrigon, PicksTheDiagonalInsideAConcaveQuad) {
  // Reflex at p0: only p0-p2 lies inside. Reflex at p1: only p1-p3.
  const Vec3 reflex{3, 3, 0}, b{4, 0, 0}, c{4, 4, 0}, d{0, 4, 0};
  EXPECT_FALSE(boolSpinTrigon(reflex, b, c, d));
  EXPECT_TRUE(boolSpinTrigon(d, reflex, b, c));
  EXPECT_FALSE(boolSpinTrigon(c, d, reflex, b));
  EXPECT_TRUE(boolSpinTrigon(b, c, d, reflex));
}

TEST(LineDistance, SkewAndParallelLines) {
  EXPECT_NEAR(shortestDistanceBetweenTwoVectors3D({0, 0, 0}, {3, -2, 5}, {1, 0, 0}, {0, 1, 0}), 5.0, kTol);
  EXPECT_NEAR(shortestDistanceBetweenTwoVectors3D({0, 0, 0}, {7, 3, 4}, {1, 0, 0}, {-1, 0, 0}), 5.0, kTol);
  EXPECT_NEAR(shortestDistanceBetweenTwoVectors3D({1, 1, 1}, {4, 5, 1}, {0, 0, 1}, {0, 0, 1}), 5.0, kTol);
  // Brute-force oracle on random skew lines.
  std::mt19937 rng(11);
  for (int i = 0; i < 20; ++i) {
    Vec3 p1 = randomVec(rng), p2 = randomVec(rng), d1 = randomVec(rng), d2 = randomVec(rng);
    normalize3D(d1);
    normalize3D(d2);
    // Closest points from the 2x2 normal equations.
    const Vec3 w = p1 - p2;
    const double b = dot(d1, d2), d = dot(d1, w), e = dot(d2, w), den = 1 - b * b;
    const double s = (b * e - d) / den, t = (e - b * d) / den;
    EXPECT_NEAR(shortestDistanceBetweenTwoVectors3D(p1, p2, d1, d2), dist3D(p1 + d1 * s, p2 + d2 * t), 1e-9);
  }
}

}  // namespace
