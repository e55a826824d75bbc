// Triangulation invariants, run over named polygons in many variants, in the
// manner of Blender's BLI_polyfill_2d tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "geometry/polygon_triangulation.h"
#include "geometry/vector_math.h"

namespace {

using namespace velmora::geometry;
using Poly = std::vector<Vec3>;

constexpr double kPi = std::numbers::pi;

// Newell's normal: twice the vector area of a planar polygon.
Vec3 newellNormal(const Poly& p) {
  Vec3 n;
  for (std::size_t k = 0; k < p.size(); ++k) n = n + cross(p[k], p[(k + 1) % p.size()]);
  return n;
}

struct Piece {
  int numCorners;
  int c[4];
};

std::vector<Piece> pieces(const TCDTriangulationData& td) {
  std::vector<Piece> out;
  for (int t = 0; t < td.numTrigons; ++t) {
    const TCDTrigon& tri = td.trigons[static_cast<std::size_t>(t)];
    if (tri.deleted) continue;
    Piece p{tri.numCorners, {}};
    for (int k = 0; k < tri.numCorners; ++k) p.c[k] = td.vertices[static_cast<std::size_t>(tri.corners[k])].index;
    out.push_back(p);
  }
  return out;
}

// Checks a finished triangulation of polygon p:
// - every index valid and every corner used;
// - outline edges used once in the polygon's direction, inner edges twice in
//   opposite directions (so the pieces tile the polygon without gaps or folds);
// - every piece wound like the polygon, quads convex, areas adding up, and no
//   zero-area piece unless the polygon repeats a corner;
// - n - 2 triangles, a quad counting as two.
void checkTriangulation(const Poly& p, const TCDTriangulationData& td) {
  const int n = static_cast<int>(p.size());
  const std::vector<Piece> ps = pieces(td);
  const Vec3 normal = newellNormal(p);
  const double area = length(normal) / 2.0;
  Vec3 unit;
  normalize3D2(normal, unit);

  bool repeats = false;
  for (int a = 0; a < n; ++a) {
    for (int b = a + 1; b < n; ++b) repeats = repeats || isEqual3DPositions(p[static_cast<std::size_t>(a)], p[static_cast<std::size_t>(b)]);
  }
  std::map<std::pair<int, int>, int> directed;
  std::vector<int> used(static_cast<std::size_t>(n), 0);
  double sumArea = 0.0;
  int numTriangles = 0;
  for (const Piece& piece : ps) {
    ASSERT_TRUE(piece.numCorners == 3 || piece.numCorners == 4);
    numTriangles += piece.numCorners - 2;
    for (int k = 0; k < piece.numCorners; ++k) {
      const int a = piece.c[k];
      const int b = piece.c[(k + 1) % piece.numCorners];
      ASSERT_GE(a, 0);
      ASSERT_LT(a, n);
      ++used[static_cast<std::size_t>(a)];
      ++directed[{a, b}];
    }
    Poly corners;
    for (int k = 0; k < piece.numCorners; ++k) corners.push_back(p[static_cast<std::size_t>(piece.c[k])]);
    const double signedArea = dot(newellNormal(corners), unit) / 2.0;
    EXPECT_GE(signedArea, -1e-9 * area) << "piece wound against the polygon";
    if (!repeats) {
      EXPECT_GT(signedArea, 1e-9 * area) << "zero-area piece";
    }
    sumArea += signedArea;
    if (piece.numCorners == 4) {
      for (int k = 0; k < 4; ++k) {
        const Vec3 turn = cross(corners[(k + 1) % 4] - corners[k], corners[(k + 2) % 4] - corners[(k + 1) % 4]);
        // Zero turns only where the polygon repeats a corner.
        EXPECT_GE(dot(turn, unit), -1e-12 * area) << "quad not convex";
      }
    }
  }
  EXPECT_EQ(numTriangles, n - 2);
  for (int k = 0; k < n; ++k) EXPECT_GT(used[static_cast<std::size_t>(k)], 0) << "corner " << k << " unused";
  for (const auto& [edge, count] : directed) {
    const auto [a, b] = edge;
    EXPECT_EQ(count, 1) << "edge " << a << "-" << b << " used twice in one direction";
    const bool outline = b == (a + 1) % n;
    const bool outlineReversed = a == (b + 1) % n;
    if (outline) continue;
    EXPECT_FALSE(outlineReversed) << "outline edge " << b << "-" << a << " walked backwards";
    EXPECT_EQ(directed.count({b, a}), 1u) << "inner edge " << a << "-" << b << " has one side only";
  }
  for (int k = 0; k < n; ++k) EXPECT_EQ(directed.count({k, (k + 1) % n}), 1u) << "outline edge " << k << " missing";
  EXPECT_NEAR(sumArea, area, 1e-9 * area + 1e-12);
}

// --- named polygons, in the xy plane ----------------------------------------

Poly fromXY(std::initializer_list<std::pair<double, double>> xy) {
  Poly p;
  for (auto [x, y] : xy) p.push_back({x, y, 0.0});
  return p;
}

Poly regular(int n, double radius = 1.0) {
  Poly p;
  for (int k = 0; k < n; ++k) {
    const double a = 2.0 * kPi * k / n;
    p.push_back({radius * std::cos(a), radius * std::sin(a), 0.0});
  }
  return p;
}

Poly star(int points) {
  Poly p;
  for (int k = 0; k < 2 * points; ++k) {
    const double a = kPi * k / points;
    const double r = k % 2 == 0 ? 1.0 : 0.4;
    p.push_back({r * std::cos(a), r * std::sin(a), 0.0});
  }
  return p;
}

Poly spiral(int turnsCorners) {
  Poly outer, inner;
  for (int k = 0; k < turnsCorners; ++k) {
    const double a = 0.35 * k;
    const double r = 1.0 + 0.25 * a;
    outer.push_back({r * std::cos(a), r * std::sin(a), 0.0});
    inner.push_back({(r - 0.3) * std::cos(a), (r - 0.3) * std::sin(a), 0.0});
  }
  std::reverse(inner.begin(), inner.end());
  outer.insert(outer.end(), inner.begin(), inner.end());
  return outer;
}

struct Named {
  std::string name;
  Poly poly;
};

std::vector<Named> namedPolygons() {
  return {
      {"pentagon", regular(5)},
      {"circle48", regular(48)},
      {"star", star(7)},
      {"spiral", spiral(24)},
      {"U", fromXY({{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}})},
      {"comb", fromXY({{0, 0}, {7, 0}, {7, 3}, {6, 3}, {6, 1}, {5, 1}, {5, 3}, {4, 3}, {4, 1},
                       {3, 1}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}})},
      {"collinear sides", fromXY({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {2, 2}, {1, 2}, {0, 2}, {0, 1}})},
      {"repeated corner", fromXY({{0, 0}, {2, 0}, {2, 0}, {2, 1}, {1, 2}, {0, 1}})},
      {"doubled corners", fromXY({{0, 0}, {0, 0}, {2, 0}, {2, 0}, {2, 2}, {2, 2}, {0, 2}, {0, 2}})},
      {"self-touching", fromXY({{0, 0}, {4, 0}, {4, 4}, {2, 4}, {2, 2}, {3, 3}, {3, 1}, {1, 1}, {2, 2}, {2, 4}, {0, 4}})},
      {"thin sliver fan", fromXY({{0, 0}, {10, 0}, {10, 0.1}, {8, 0.12}, {6, 0.13}, {4, 0.12}, {2, 0.11}, {0, 0.1}})},
  };
}

// --- variants that must not matter ------------------------------------------

Poly rotated(const Poly& p, int offset) {
  Poly out(p.size());
  for (std::size_t k = 0; k < p.size(); ++k) out[k] = p[(k + static_cast<std::size_t>(offset)) % p.size()];
  return out;
}

Poly reversed(Poly p) {
  std::reverse(p.begin(), p.end());
  return p;
}

Poly mapped(const Poly& p, Vec3 (*f)(const Vec3&)) {
  Poly out;
  for (const Vec3& v : p) out.push_back(f(v));
  return out;
}

Vec3 mirrorX(const Vec3& v) { return {-v.x, v.y, v.z}; }
Vec3 mirrorY(const Vec3& v) { return {v.x, -v.y, v.z}; }
Vec3 farAway(const Vec3& v) { return {v.x + 1.0e5, v.y - 2.5e5, v.z + 7.0e4}; }
// Into a tilted plane: rotate about x by 50 degrees, then about z by 20.
Vec3 tilted(const Vec3& v) {
  const double c1 = std::cos(0.87), s1 = std::sin(0.87), c2 = std::cos(0.35), s2 = std::sin(0.35);
  const Vec3 r{v.x, c1 * v.y - s1 * v.z, s1 * v.y + c1 * v.z};
  return {c2 * r.x - s2 * r.y, s2 * r.x + c2 * r.y, r.z};
}
Vec3 small(const Vec3& v) { return v * 1e-3; }
Vec3 large(const Vec3& v) { return v * 1e4; }

void checkAllVariants(const Named& named, bool merge) {
  TCDTriangulationData td;
  const std::pair<const char*, Vec3 (*)(const Vec3&)> maps[] = {
      {"plain", [](const Vec3& v) { return v; }},
      {"mirror x", mirrorX}, {"mirror y", mirrorY}, {"far away", farAway},
      {"tilted", tilted},    {"small", small},      {"large", large}};
  for (const auto& [mapName, f] : maps) {
    for (bool rev : {false, true}) {
      const Poly base = mapped(rev ? reversed(named.poly) : named.poly, f);
      for (int offset = 0; offset < static_cast<int>(base.size()); ++offset) {
        SCOPED_TRACE(named.name + ", " + mapName + (rev ? ", reversed" : "") + ", offset " + std::to_string(offset));
        const Poly p = rotated(base, offset);
        ASSERT_EQ(triangulatePolygon(td, p, merge), 1);
        checkTriangulation(p, td);
        if (::testing::Test::HasFailure()) return;
      }
    }
  }
}

TEST(PolygonTriangulation, NamedPolygonsKeepInvariantsInEveryVariant) {
  for (const Named& named : namedPolygons()) {
    checkAllVariants(named, false);
    checkAllVariants(named, true);
  }
}

// Random star-shaped and random-walk outlines stress the flips and merges.
TEST(PolygonTriangulation, RandomPolygonsKeepInvariants) {
  std::mt19937 rng(12345);
  std::uniform_real_distribution<double> radius(0.2, 1.0);
  TCDTriangulationData td;
  for (int trial = 0; trial < 400; ++trial) {
    const int n = 5 + trial % 40;
    Poly p;
    for (int k = 0; k < n; ++k) {
      const double a = 2.0 * kPi * k / n;
      const double r = radius(rng);
      p.push_back({r * std::cos(a), r * std::sin(a), 0.0});
    }
    SCOPED_TRACE("trial " + std::to_string(trial));
    ASSERT_EQ(triangulatePolygon(td, p, trial % 2 == 0), 1);
    checkTriangulation(p, td);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(PolygonTriangulation, ConvexPentagonGivesQuadAndTriangleOrThreeTriangles) {
  TCDTriangulationData td;
  ASSERT_EQ(triangulatePolygon(td, regular(5), false), 1);
  EXPECT_EQ(pieces(td).size(), 3u);
  ASSERT_EQ(triangulatePolygon(td, regular(5), true), 1);
  const auto merged = pieces(td);
  ASSERT_EQ(merged.size(), 2u);  // all quad corners are within 72 degrees of square
  EXPECT_EQ(merged[0].numCorners + merged[1].numCorners, 7);
}

TEST(PolygonTriangulation, RectangleWithSideMidpointsMergesIntoTwoSquares) {
  const Poly p = fromXY({{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}, {0, 1}});
  TCDTriangulationData td;
  ASSERT_EQ(triangulatePolygon(td, p, true), 1);
  const auto ps = pieces(td);
  ASSERT_EQ(ps.size(), 2u);
  std::set<std::set<int>> quads;
  for (const Piece& q : ps) {
    EXPECT_EQ(q.numCorners, 4);
    quads.insert(std::set<int>(q.c, q.c + q.numCorners));
  }
  EXPECT_EQ(quads, (std::set<std::set<int>>{{0, 1, 4, 5}, {1, 2, 3, 4}}));
}

TEST(PolygonTriangulation, TrapezoidFarFromSquareStaysTriangles) {
  // Two triangles whose quad has a 20-degree corner: far more than the
  // tolerance, the merge must not happen, but the pentagon still splits.
  const Poly p = fromXY({{0, 0}, {10, 0}, {10, 1}, {5, 1.5}, {0, 0.2}});
  TCDTriangulationData td;
  ASSERT_EQ(triangulatePolygon(td, p, true), 1);
  checkTriangulation(p, td);
}

std::set<std::set<int>> cornerSets(const TCDTriangulationData& td, bool reverseIndices, int n) {
  std::set<std::set<int>> out;
  for (const Piece& piece : pieces(td)) {
    std::set<int> s;
    for (int k = 0; k < piece.numCorners; ++k) s.insert(reverseIndices ? (n - piece.c[k]) % n : piece.c[k]);
    out.insert(s);
  }
  return out;
}

TEST(PolygonTriangulation, ClockwiseListingGivesTheSamePieces) {
  // Generic outlines only: with ties (cocircular corners, collinear sides) the
  // visiting order may break them either way.
  std::mt19937 rng(777);
  std::uniform_real_distribution<double> radius(0.3, 1.0);
  std::uniform_real_distribution<double> jitter(-0.2, 0.2);
  std::vector<Named> cases = {{"spiral", spiral(24)}, {"thin sliver fan", namedPolygons().back().poly}};
  for (int trial = 0; trial < 100; ++trial) {
    const int n = 5 + trial % 20;
    Poly p;
    for (int k = 0; k < n; ++k) {
      const double a = 2.0 * kPi * (k + jitter(rng)) / n;
      const double r = radius(rng);
      p.push_back({r * std::cos(a), r * std::sin(a), 0.0});
    }
    cases.push_back({"random " + std::to_string(trial), p});
  }
  for (const Named& c : cases) {
    SCOPED_TRACE(c.name);
    const int n = static_cast<int>(c.poly.size());
    // Reversed around corner 0: corner k of the reversal is corner (n - k) % n.
    Poly rev{c.poly[0]};
    for (int k = n - 1; k >= 1; --k) rev.push_back(c.poly[static_cast<std::size_t>(k)]);
    for (bool merge : {false, true}) {
      TCDTriangulationData a, b;
      ASSERT_EQ(triangulatePolygon(a, c.poly, merge), 1);
      ASSERT_EQ(triangulatePolygon(b, rev, merge), 1);
      EXPECT_EQ(cornerSets(a, false, n), cornerSets(b, true, n));
    }
  }
}

double smallestAngle(const Poly& p, const TCDTriangulationData& td) {
  double smallest = kPi;
  for (const Piece& piece : pieces(td)) {
    for (int k = 0; k < 3; ++k) {
      const Vec3& a = p[static_cast<std::size_t>(piece.c[k])];
      Vec3 u, w;
      vect3D(a, p[static_cast<std::size_t>(piece.c[(k + 1) % 3])], u);
      vect3D(a, p[static_cast<std::size_t>(piece.c[(k + 2) % 3])], w);
      smallest = std::min(smallest, std::acos(std::clamp(dot(u, w), -1.0, 1.0)));
    }
  }
  return smallest;
}

Poly ellipse(int n, double rx, double ry) {
  Poly p;
  for (int k = 0; k < n; ++k) {
    const double a = 2.0 * kPi * k / n + 0.1;
    p.push_back({rx * std::cos(a), ry * std::sin(a), 0.0});
  }
  return p;
}

TEST(PolygonTriangulation, FlipsWidenTheSmallestAngle) {
  // Ear clipping walks round a convex outline and leaves slivers; flipping
  // must leave better-shaped triangles.
  const std::vector<Named> cases = {{"ellipse 12", ellipse(12, 4.0, 1.0)},
                                    {"ellipse 30", ellipse(30, 6.0, 1.0)},
                                    {"thin sliver fan", namedPolygons().back().poly}};
  for (const Named& c : cases) {
    SCOPED_TRACE(c.name);
    TCDTriangulationData td;
    setTCDPlaneFrame(c.poly[0], {0, 0, 1}, td);
    ASSERT_EQ(createTCDTriangulationData(td, c.poly), 1);
    ASSERT_EQ(tcTriangulation(td), 1);
    const double before = smallestAngle(c.poly, td);
    spinTDCTTrigons(td);
    checkTriangulation(c.poly, td);
    EXPECT_GT(smallestAngle(c.poly, td), before * 1.5);
  }
}

TEST(PolygonTriangulation, FlipsSettleOnTiesInsteadOfCycling) {
  // A regular 512-star has many cocircular corners: equal cosines up to
  // rounding once flipped one edge back and forth until the safety cap.
  Poly p;
  for (int k = 0; k < 512; ++k) {
    const double a = 2.0 * kPi * k / 512;
    const double r = k % 2 == 0 ? 1.0 : 0.6;
    p.push_back({r * std::cos(a), r * std::sin(a), 0.0});
  }
  TCDTriangulationData td;
  setTCDPlaneFrame(p[0], {0, 0, 1}, td);
  ASSERT_EQ(createTCDTriangulationData(td, p), 1);
  ASSERT_EQ(tcTriangulation(td), 1);
  EXPECT_LT(spinTDCTTrigons(td), td.numEdges);
  checkTriangulation(p, td);
}

TEST(PolygonTriangulation, ZeroAreaPolygonFindsNoEar) {
  TCDTriangulationData td;
  const Poly line = fromXY({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {1.5, 0}});
  EXPECT_EQ(triangulatePolygon(td, line, true), 0);
  const Poly point = fromXY({{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}});
  EXPECT_EQ(triangulatePolygon(td, point, true), 0);
}

TEST(PolygonTriangulation, FewerThanThreeCornersLoadNothing) {
  TCDTriangulationData td;
  EXPECT_EQ(createTCDTriangulationData(td, fromXY({{0, 0}, {1, 0}})), 0);
  EXPECT_EQ(tcTriangulation(td), 0);
  EXPECT_EQ(td.numTrigons, 0);
  EXPECT_EQ(triangulatePolygon(td, {}, true), 0);
}

TEST(PolygonTriangulation, WorkRecordIsReusableAcrossSizesAndAfterDestroy) {
  TCDTriangulationData td;
  for (int n : {40, 5, 17, 5}) {
    const Poly p = star(n);
    ASSERT_EQ(triangulatePolygon(td, p, true), 1);
    checkTriangulation(p, td);
  }
  destroyTCDTriangulationData(td);
  destroyTCDTriangulationData(td);
  EXPECT_TRUE(td.vertices.empty());
  const Poly p = regular(7);
  ASSERT_EQ(triangulatePolygon(td, p, true), 1);
  checkTriangulation(p, td);
}

TEST(PolygonTriangulation, RecordWrappersReadPositionsThroughTheAccessor) {
  struct Point {
    double restPos[3];
  };
  const Point pts[5] = {{{0, 0, 0}}, {{2, 0, 0}}, {{3, 1, 0}}, {{1, 2, 0}}, {{-1, 1, 0}}};
  const Point* corners[5] = {&pts[0], &pts[1], &pts[2], &pts[3], &pts[4]};
  auto pos = [](const Point* p) { return Vec3{p->restPos[0], p->restPos[1], p->restPos[2]}; };
  TCDTriangulationData td;
  EXPECT_EQ(searchFineZeroIndexOfPolyForBgPoints(td, std::span<const Point* const>(corners), nullptr, pos),
            searchFineZeroIndexOfPoly(std::vector<Vec3>{pos(corners[0]), pos(corners[1]), pos(corners[2]),
                                                        pos(corners[3]), pos(corners[4])},
                                      nullptr));
  setTCDPlaneFrame(pos(corners[0]), {0, 0, 1}, td);
  ASSERT_EQ(createTCDTriangulationDataForPoints(td, std::span<const Point* const>(corners), pos), 1);
  ASSERT_EQ(tcTriangulation(td), 1);
  Poly p;
  for (const Point* c : corners) p.push_back(pos(c));
  checkTriangulation(p, td);
}

// --- first corner --------------------------------------------------------------

// The corner is usable: both edges non-zero, and convex for the polygon.
void expectConvexCorner(const Poly& p, int k) {
  const int n = static_cast<int>(p.size());
  const Vec3& prev = p[static_cast<std::size_t>((k + n - 1) % n)];
  const Vec3& cur = p[static_cast<std::size_t>(k)];
  const Vec3& next = p[static_cast<std::size_t>((k + 1) % n)];
  const Vec3 turn = cross(cur - prev, next - cur);
  EXPECT_GT(length(turn), 1e-9) << "corner " << k << " is degenerate";
  EXPECT_GT(dot(turn, newellNormal(p)), 0.0) << "corner " << k << " is reflex";
}

TEST(FirstCorner, SkipsDegenerateAndReflexCorners) {
  const std::vector<Named> cases = {
      {"collinear start", fromXY({{1, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}})},
      {"repeated start", fromXY({{0, 0}, {0, 0}, {3, 0}, {3, 2}, {0, 2}})},
      // Every corner is a right angle; corner 0 is the reflex one of the L.
      {"L from reflex corner", fromXY({{1, 1}, {1, 2}, {0, 2}, {0, 0}, {2, 0}, {2, 1}})},
      {"star", star(5)},
  };
  for (const Named& c : cases) {
    for (bool rev : {false, true}) {
      SCOPED_TRACE(c.name + (rev ? " reversed" : ""));
      const Poly p = rev ? reversed(c.poly) : c.poly;
      const int k = searchFineZeroIndexOfPoly(p, nullptr);
      expectConvexCorner(p, k);
    }
  }
}

TEST(FirstCorner, PrefersTheCornerClosestToARightAngleFirstOnTies) {
  // Corners 1 and 3 are right angles; the first wins.
  const Poly p = fromXY({{0, 0}, {4, 0}, {4, 2}, {1, 2}, {-1, 1}});
  EXPECT_EQ(searchFineZeroIndexOfPoly(p, nullptr), 1);
}

TEST(FirstCorner, WithANormalOnlyCornersTurningAboutItCount) {
  const Poly l = fromXY({{1, 1}, {1, 2}, {0, 2}, {0, 0}, {2, 0}, {2, 1}});
  const Vec3 up{0, 0, 1};
  const Vec3 down{0, 0, -1};
  const int k = searchFineZeroIndexOfPoly(l, &up);
  expectConvexCorner(l, k);
  EXPECT_EQ(searchFineZeroIndexOfPoly(l, &down), 0);  // only the reflex corner turns about -z
}

TEST(FirstCorner, NoUsableCornerGivesZero) {
  EXPECT_EQ(searchFineZeroIndexOfPoly(fromXY({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {1, 0}}), nullptr), 0);
  EXPECT_EQ(searchFineZeroIndexOfPoly(fromXY({{0, 0}, {1, 0}}), nullptr), 0);
}

}  // namespace
