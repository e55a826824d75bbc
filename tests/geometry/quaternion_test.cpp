#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "geometry/quaternion.h"
#include "geometry/vector_math.h"

namespace {

using namespace velmora::geometry;

Vec3 randomUnit(std::mt19937& rng) {
  std::normal_distribution<double> g;
  Vec3 v{g(rng), g(rng), g(rng)};
  normalize3D(v);
  return v;
}

// Rodrigues' rotation formula: an oracle independent of quaternions.
Vec3 rodrigues(const Vec3& v, const Vec3& k, double angle) {
  return v * std::cos(angle) + cross(k, v) * std::sin(angle) + k * (dot(k, v) * (1 - std::cos(angle)));
}

void expectNear(const Vec3& a, const Vec3& b, double tol) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
}

TEST(Quaternion, HamiltonProductOfUnitQuaternions) {
  const Quat i{0, 1, 0, 0}, j{0, 0, 1, 0}, k{0, 0, 0, 1};
  Quat out;
  multiplyQuaternion(i, j, out);
  EXPECT_EQ(out.z, 1.0);  // ij = k
  multiplyQuaternion(j, i, out);
  EXPECT_EQ(out.z, -1.0);  // ji = -k
  multiplyQuaternion(k, k, out);
  EXPECT_EQ(out.w, -1.0);
  Quat a{1, 2, 3, 4};
  multiplyQuaternion(a, j, a);  // aliasing the output with an input
  EXPECT_EQ(a.w, -3.0);
  EXPECT_EQ(a.x, -4.0);
  EXPECT_EQ(a.y, 1.0);
  EXPECT_EQ(a.z, 2.0);
}

TEST(Quaternion, TransformMatchesRodrigues) {
  std::mt19937 rng(21);
  std::uniform_real_distribution<double> angle(-7.0, 7.0);
  for (int i = 0; i < 200; ++i) {
    const Vec3 axis = randomUnit(rng);
    const Vec3 v = randomUnit(rng) * 3.0;
    const double a = angle(rng);
    Quat q, qi;
    getQuaternion(axis, a, q, qi);
    Vec3 out;
    transformQuaternion(q, qi, v, out);
    expectNear(out, rodrigues(v, axis, a), 1e-12);
  }
}

TEST(RotateAngleAndAxis, TurnsAIntoB) {
  std::mt19937 rng(23);
  for (int i = 0; i < 200; ++i) {
    const Vec3 a = randomUnit(rng);
    // Every fifth pair nearly opposite, to reach the ill-conditioned end.
    const Vec3 b = i % 5 == 0 ? -a + randomUnit(rng) * 1e-6 : randomUnit(rng);
    Vec3 bn = b;
    normalize3D(bn);
    Vec3 axis;
    double angle = 0.0;
    ASSERT_EQ(getRotateAngleAndAxis(a, bn, axis, angle), 0);
    EXPECT_NEAR(length(axis), 1.0, 1e-12);
    expectNear(rodrigues(a, axis, angle), bn, 1e-9);
  }
}

TEST(RotateAngleAndAxis, EqualVectorsLeaveOutputsUntouched) {
  Vec3 axis{7, 8, 9};
  double angle = 42.0;
  const Vec3 a{0.6, 0.0, 0.8};
  EXPECT_EQ(getRotateAngleAndAxis(a, a, axis, angle), 1);
  EXPECT_EQ(axis.x, 7.0);
  EXPECT_EQ(angle, 42.0);
}

TEST(RotateAngleAndAxis, OppositeVectorsTurnByPiAboutAPerpendicular) {
  for (const Vec3& a : {Vec3{1, 0, 0}, Vec3{0, 0.6, -0.8}, Vec3{0.48, 0.6, 0.64}}) {
    Vec3 axis;
    double angle = 0.0;
    ASSERT_EQ(getRotateAngleAndAxis(a, -a, axis, angle), 0);
    EXPECT_DOUBLE_EQ(angle, std::numbers::pi);
    EXPECT_NEAR(dot(axis, a), 0.0, 1e-12);
    EXPECT_NEAR(length(axis), 1.0, 1e-12);
    expectNear(rodrigues(a, axis, angle), -a, 1e-12);
  }
}

}  // namespace
