#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "geometry/segment_visibility.h"
#include "geometry/vector_math.h"

namespace {

using namespace velmora::geometry;
using Tri = std::array<Vec3, 3>;

// Oracle: X is hidden when the open segment P-X passes through a triangle
// (Moller-Trumbore on the segment, written independently of the list's
// plane-and-wedge arithmetic).
bool segmentHitsTriangle(const Vec3& p, const Vec3& x, const Tri& t) {
  const Vec3 dir = x - p;
  const Vec3 e1 = t[1] - t[0], e2 = t[2] - t[0];
  const Vec3 h = cross(dir, e2);
  const double det = dot(e1, h);
  if (std::fabs(det) < 1e-15) return false;
  const Vec3 s = p - t[0];
  const double u = dot(s, h) / det;
  if (u < 0.0 || u > 1.0) return false;
  const Vec3 q = cross(s, e1);
  const double v = dot(dir, q) / det;
  if (v < 0.0 || u + v > 1.0) return false;
  const double along = dot(e2, q) / det;
  return along > 0.0 && along < 1.0;
}

bool oracleVisible(const Vec3& p, const Vec3& x, const std::vector<Tri>& tris) {
  for (const Tri& t : tris) {
    if (segmentHitsTriangle(p, x, t)) return false;
  }
  return true;
}

bool listVisible(const XEdgeList& list, const Vec3& x) {
  for (const XEdge& e : list.pieces) {
    if (distanceBetweenPointAndLine3D(e.ends3[0], e.ends3[1], x) < 1e-7) return true;
  }
  return false;
}

// Compares the list with the oracle at many points along the segment; a
// mismatch counts only away from a visibility boundary. Also checks that every
// piece lies on the segment, ends ordered head to tail.
void checkAgainstOracle(const XEdgeList& list, const Vec3& head, const Vec3& tail, const Vec3& p,
                        const std::vector<Tri>& tris) {
  const int samples = 400;
  const double delta = 2e-4;
  Vec3 dir;
  const double len = vect3D(head, tail, dir);
  for (const XEdge& e : list.pieces) {
    for (const Vec3& end : e.ends3) EXPECT_LT(distanceBetweenPointAndLine3D(head, tail, end), 1e-9);
    if (len > 0.0) {
      EXPECT_LE(dot(e.ends3[0] - head, dir), dot(e.ends3[1] - head, dir) + 1e-12);
    }
  }
  for (int i = 0; i <= samples; ++i) {
    const double t = static_cast<double>(i) / samples;
    const Vec3 x = lerp(head, tail, t);
    const bool expected = oracleVisible(p, x, tris);
    if (listVisible(list, x) == expected) continue;
    const bool boundary = oracleVisible(p, lerp(head, tail, t - delta), tris) !=
                              oracleVisible(p, lerp(head, tail, t + delta), tris) ||
                          t < delta || t > 1.0 - delta;
    EXPECT_TRUE(boundary) << "sample t = " << t << " oracle visible = " << expected;
  }
}

void cutAll(XEdgeList& list, const std::vector<Tri>& tris) {
  for (const Tri& t : tris) cutXEdgeListWithTrigon(list, t);
}

// Pieces as sorted (start, end) x coordinates, for the exact cases along x.
std::vector<std::pair<double, double>> spansX(const XEdgeList& list) {
  std::vector<std::pair<double, double>> out;
  for (const XEdge& e : list.pieces) out.push_back({e.ends3[0].x, e.ends3[1].x});
  std::sort(out.begin(), out.end());
  return out;
}

// Bone along y = 5 in the plane z = 0, seen from the origin.
const Vec3 kEye{0, 0, 0};
const Vec3 kHead{-2, 5, 0};
const Vec3 kTail{2, 5, 0};

TEST(SegmentVisibility, TriangleAcrossTheMiddleOfTheWedgeLeavesTwoPieces) {
  XEdgeList list;
  addInitialXEdgeToList(list, kHead, kTail, kEye);
  ASSERT_FALSE(list.onZAxis);
  // Meets the plane in x = -0.25 .. 0.25 at y = 2, which covers x = +-0.625 at y = 5.
  const Tri t{{{-0.5, 2, -1}, {0.5, 2, -1}, {0, 2, 1}}};
  EXPECT_EQ(cutXEdgeListWithTrigon(list, t), 2);
  const auto s = spansX(list);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_NEAR(s[0].first, -2.0, 1e-12);
  EXPECT_NEAR(s[0].second, -0.625, 1e-12);
  EXPECT_NEAR(s[1].first, 0.625, 1e-12);
  EXPECT_NEAR(s[1].second, 2.0, 1e-12);
  EXPECT_NEAR(distanceToXEdgeList(list), std::hypot(0.625, 5.0), 1e-12);
}

TEST(SegmentVisibility, OccluderCrossingThePieceHidesOnlyItsNearPart) {
  XEdgeList list;
  addInitialXEdgeToList(list, kHead, kTail, kEye);
  // Meets the plane from (-0.25, 4.5) to (0.25, 5.5), crossing the bone at x = 0.
  const Tri t{{{-0.5, 4, -1}, {0.5, 6, -1}, {0, 5, 1}}};
  cutXEdgeListWithTrigon(list, t);
  const auto s = spansX(list);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_NEAR(s[0].second, -0.25 * 5.0 / 4.5, 1e-12);
  EXPECT_NEAR(s[1].first, 0.0, 1e-12);
}

TEST(SegmentVisibility, TrianglesThatHideNothing) {
  const std::pair<std::string, Tri> cases[] = {
      {"behind the bone", {{{-0.5, 7, -1}, {0.5, 7, -1}, {0, 7, 1}}}},
      {"outside the wedge", {{{3, 1, -1}, {4, 1, -1}, {3.5, 1, 1}}}},
      {"in the plane", {{{-1, 2, 0}, {1, 2, 0}, {0, 3, 0}}}},
      {"touching the plane at a corner", {{{-1, 2, 0}, {1, 2, 1}, {0, 3, 1}}}},
      {"the eye's own face", {{{0, 0, 0}, {-1, 8, -1}, {1, 8, 1}}}},
      {"through the eye", {{{-1, -1, -1}, {1, 1, -1}, {0, 0, 1}}}},
  };
  for (const auto& [name, t] : cases) {
    SCOPED_TRACE(name);
    XEdgeList list;
    addInitialXEdgeToList(list, kHead, kTail, kEye);
    EXPECT_EQ(cutXEdgeWithTrigon(list, t, 0), 0);
    EXPECT_EQ(list.pieces.size(), 1u);
  }
}

TEST(SegmentVisibility, FullCoverEmptiesTheListAndSliversAreDropped) {
  XEdgeList list;
  addInitialXEdgeToList(list, kHead, kTail, kEye);
  EXPECT_EQ(cutXEdgeListWithTrigon(list, {{{-5, 1, -1}, {5, 1, -1}, {0, 1, 1}}}), 0);
  EXPECT_LT(distanceToXEdgeList(list), 0.0);
  // Leaves 3e-6 of bone visible at the tail end: shorter than the minimum piece.
  addInitialXEdgeToList(list, kHead, kTail, kEye);
  const double x = (2.0 - 3e-6) * 0.5;  // the occluder at y = 2.5 projects twice as far
  EXPECT_EQ(cutXEdgeListWithTrigon(list, {{{-3, 2.5, -1}, {x, 2.5, -1}, {x, 2.5, 1}}}), 0);
}

TEST(SegmentVisibility, RandomScenesMatchTheOracle) {
  std::mt19937 rng(41);
  std::uniform_real_distribution<double> u(-1.0, 1.0), w(0.0, 1.0), size(0.05, 0.8);
  XEdgeList list;
  for (int scene = 0; scene < 300; ++scene) {
    const Vec3 p{u(rng), u(rng), u(rng)};
    const Vec3 head{u(rng) * 2, u(rng) * 2, u(rng) * 2};
    // Every third scene puts the eye on the bone's line (before, inside, beyond).
    const double lambda = scene % 3 == 0 ? std::array{-0.6, 0.4, 1.5}[static_cast<std::size_t>(scene / 3 % 3)] : 0.0;
    const Vec3 tail{u(rng) * 2, u(rng) * 2, u(rng) * 2};
    const Vec3 eye = scene % 3 == 0 ? lerp(head, tail, lambda) : p;
    std::vector<Tri> tris;
    const int numTris = 1 + scene % 12;
    for (int k = 0; k < numTris; ++k) {
      // Centred on a random point of the sight triangle so that most occlude.
      const double a = w(rng), b = w(rng) * (1 - a);
      const Vec3 c = eye * (1 - a - b) + head * a + tail * b;
      const double s = size(rng);
      tris.push_back({c + Vec3{u(rng), u(rng), u(rng)} * s, c + Vec3{u(rng), u(rng), u(rng)} * s,
                      c + Vec3{u(rng), u(rng), u(rng)} * s});
    }
    SCOPED_TRACE("scene " + std::to_string(scene));
    addInitialXEdgeToList(list, head, tail, eye);
    EXPECT_EQ(list.onZAxis, scene % 3 == 0);
    cutAll(list, tris);
    checkAgainstOracle(list, head, tail, eye, tris);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(SegmentVisibilityOnAxis, TriangleHidesWhatLiesBeyondItsCrossing) {
  const Tri at3{{{-1, -1, 3}, {1, -1, 3}, {0, 1, 3}}};
  const Tri atMinus1{{{-1, -1, -1}, {1, -1, -1}, {0, 1, -1}}};
  const Tri atHalf{{{-1, -1, 0.5}, {1, -1, 0.5}, {0, 1, 0.5}}};
  XEdgeList list;
  // Eye below the head on the bone's line.
  addInitialXEdgeToList(list, {0, 0, 1}, {0, 0, 5}, {0, 0, 0});
  ASSERT_TRUE(list.onZAxis);
  EXPECT_EQ(cutXEdgeListWithTrigon(list, atMinus1), 1);
  EXPECT_EQ(cutXEdgeListWithTrigon(list, at3), 1);
  EXPECT_NEAR(list.pieces[0].ends3[0].z, 1.0, 1e-12);
  EXPECT_NEAR(list.pieces[0].ends3[1].z, 3.0, 1e-12);
  EXPECT_EQ(cutXEdgeListWithTrigon(list, atHalf), 0);
  // Eye inside the bone: a triangle on one side hides only that side's far part.
  addInitialXEdgeToList(list, {0, 0, -2}, {0, 0, 2}, {0, 0, 0});
  EXPECT_EQ(cutXEdgeListWithTrigon(list, atHalf), 1);
  EXPECT_NEAR(list.pieces[0].ends3[0].z, -2.0, 1e-12);
  EXPECT_NEAR(list.pieces[0].ends3[1].z, 0.5, 1e-12);
  // A triangle through the eye hides nothing.
  const Tri atEye{{{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}}};
  EXPECT_EQ(cutXEdgeWithTrigonOnZAxis(list, atEye, 0), 0);
}

TEST(SegmentVisibilityOnAxis, ZeroLengthBoneIsAPoint) {
  XEdgeList list;
  addInitialXEdgeToList(list, {0, 0, 4}, {0, 0, 4}, {0, 0, 0});
  ASSERT_TRUE(list.onZAxis);
  EXPECT_EQ(cutXEdgeListWithTrigon(list, {{{-1, -1, 6}, {1, -1, 6}, {0, 1, 6}}}), 1);
  EXPECT_NEAR(distanceToXEdgeList(list), 4.0, 1e-12);
  EXPECT_EQ(cutXEdgeListWithTrigon(list, {{{-1, -1, 2}, {1, -1, 2}, {0, 1, 2}}}), 0);
  // Eye, head and tail in one place: defined, nothing to hide behind.
  addInitialXEdgeToList(list, {1, 1, 1}, {1, 1, 1}, {1, 1, 1});
  EXPECT_EQ(cutXEdgeListWithTrigon(list, {{{0, 0, 1.5}, {3, 0, 1.5}, {0, 3, 1.5}}}), 1);
}

TEST(SegmentVisibility, ListIsReusableAndDestroyIsSafeTwice) {
  XEdgeList list;
  addInitialXEdgeToList(list, kHead, kTail, kEye);
  cutXEdgeListWithTrigon(list, {{{-0.5, 2, -1}, {0.5, 2, -1}, {0, 2, 1}}});
  removeXEdgeFromList(list, 0);
  removeXEdgeFromList(list, 5);  // out of range: ignored
  EXPECT_EQ(list.pieces.size(), 1u);
  destroyXEdgeList(list);
  destroyXEdgeList(list);
  EXPECT_TRUE(list.pieces.empty());
  addInitialXEdgeToList(list, kHead, kTail, kEye);
  EXPECT_EQ(list.pieces.size(), 1u);
}

}  // namespace
