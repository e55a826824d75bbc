// The plane a polygon is laid flat in, and the size independence of its triangulation:
// bent and noisy polygons, polygons whose first corner is straight, and polygons far
// smaller or larger than a unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <set>
#include <vector>

#include "geometry/polygon_triangulation.h"
#include "geometry/vector_math.h"

namespace {

using namespace velmora::geometry;
using Poly = std::vector<Vec3>;

constexpr double kPi = std::numbers::pi;

// A random rotation (unit quaternion from three uniforms) applied to p, then an offset.
struct Placement {
  double m[3][3];
  Vec3 offset;
  Vec3 apply(const Vec3& p) const {
    return Vec3{m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z, m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
                m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z} +
           offset;
  }
  Vec3 turn(const Vec3& v) const { return apply(v) - offset; }
};

Placement randomPlacement(std::mt19937& rng, double spread) {
  std::uniform_real_distribution<double> u(0.0, 1.0), o(-spread, spread);
  const double u1 = u(rng), u2 = u(rng) * 2 * kPi, u3 = u(rng) * 2 * kPi;
  const double w = std::sqrt(1 - u1) * std::sin(u2), x = std::sqrt(1 - u1) * std::cos(u2);
  const double y = std::sqrt(u1) * std::sin(u3), z = std::sqrt(u1) * std::cos(u3);
  Placement p{{{1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y)},
               {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x)},
               {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)}},
              {o(rng), o(rng), o(rng)}};
  return p;
}

// Positions as the host hands them over: single precision.
Vec3 asFloat(const Vec3& v) { return {double(float(v.x)), double(float(v.y)), double(float(v.z))}; }

struct Piece {
  int count;
  int c[4];
};

std::vector<Piece> piecesOf(const TCDTriangulationData& td) {
  std::vector<Piece> out;
  for (int t = 0; t < td.numTrigons; ++t) {
    const TCDTrigon& tri = td.trigons[size_t(t)];
    if (tri.deleted) continue;
    Piece p{tri.numCorners, {}};
    for (int k = 0; k < tri.numCorners; ++k) p.c[k] = td.vertices[size_t(tri.corners[k])].index;
    out.push_back(p);
  }
  return out;
}

Vec3 vectorArea(const Poly& p) {
  Vec3 n;
  for (size_t k = 0; k < p.size(); ++k) n = n + cross(p[k] - p[0], p[(k + 1) % p.size()] - p[0]);
  return n * 0.5;
}

// The pieces' areas projected on unit normal n, added up with their signs.
double piecesArea(const Poly& p, const std::vector<Piece>& pieces, const Vec3& n) {
  double sum = 0.0;
  for (const Piece& piece : pieces) {
    Poly corners;
    for (int k = 0; k < piece.count; ++k) corners.push_back(p[size_t(piece.c[k])]);
    sum += dot(vectorArea(corners), n);
  }
  return sum;
}

// The frame normal the triangulation used (sign free).
Vec3 frameNormal(const TCDTriangulationData& td) { return cross(td.axisX, td.axisY); }

double angleBetweenLines(const Vec3& a, const Vec3& b) {
  Vec3 ua, ub;
  normalize3D2(a, ua);
  normalize3D2(b, ub);
  return std::acos(std::min(1.0, std::fabs(dot(ua, ub))));
}

TEST(PolygonPlane, NoisyBentOctagonsAreAllTriangulatedWithTheirAreaKept) {
  // Regular octagons of radius r with every corner pushed out of the plane by up to
  // +-0.5 r, turned and moved at random: the outline seen along the polygon's normal
  // is still simple, so every one must be cut, and the pieces must cover it.
  std::mt19937 rng(20261208);
  std::uniform_real_distribution<double> bend(-0.5, 0.5), radius(0.01, 50.0);
  TCDTriangulationData td;
  int dropped = 0;
  for (int trial = 0; trial < 400; ++trial) {
    SCOPED_TRACE(trial);
    const double r = radius(rng);
    const Placement place = randomPlacement(rng, 100.0);
    Poly p;
    for (int k = 0; k < 8; ++k) {
      const double a = 2 * kPi * k / 8;
      p.push_back(asFloat(place.apply({r * std::cos(a), r * std::sin(a), r * bend(rng)})));
    }
    if (triangulatePolygon(td, p, trial % 2 == 0) == 0) {
      ++dropped;
      continue;
    }
    const std::vector<Piece> pieces = piecesOf(td);
    int triangles = 0;
    for (const Piece& piece : pieces) triangles += piece.count - 2;
    EXPECT_EQ(triangles, 6);
    Vec3 n;
    normalize3D2(vectorArea(p), n);
    const double area = dot(vectorArea(p), n);
    EXPECT_NEAR(piecesArea(p, pieces, n), area, 1e-6 * area);
  }
  EXPECT_EQ(dropped, 0);
}

TEST(PolygonPlane, AStraightFirstCornerStillGivesThePolygonsPlane) {
  // The first corner sits on a side (its two edges are in line, up to the rounding of
  // single-precision positions), so its own cross product says nothing about the
  // plane. The frame must still be the polygon's plane, and the polygon must be cut.
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> along(0.2, 0.8), size(0.001, 1000.0);
  TCDTriangulationData td;
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE(trial);
    const double s = size(rng);
    const Placement place = randomPlacement(rng, 10.0 * s);
    // A pentagon with a sixth corner on the side between the last and the first.
    const Poly flat = {{0, 0, 0}, {2 * s, 0, 0}, {2.5 * s, 1.5 * s, 0}, {1 * s, 2.5 * s, 0}, {-0.5 * s, 1.5 * s, 0}};
    Poly p;
    const double t = along(rng);
    p.push_back(asFloat(place.apply(lerp(flat[4], flat[0], t))));
    for (const Vec3& v : flat) p.push_back(asFloat(place.apply(v)));
    ASSERT_EQ(triangulatePolygon(td, p, true), 1);
    EXPECT_LT(angleBetweenLines(frameNormal(td), place.turn({0, 0, 1})), 1e-3);
    int triangles = 0;
    for (const Piece& piece : piecesOf(td)) triangles += piece.count - 2;
    EXPECT_EQ(triangles, 4);
  }
}

TEST(PolygonPlane, PolygonPlaneNormalIsTwiceTheAreaAtUnitSize) {
  // A 2 x 1 rectangle in the xy plane at size 2: area 2 / 2^2, doubled.
  const Poly rect = {{5, 5, 5}, {7, 5, 5}, {7, 6, 5}, {5, 6, 5}};
  const Vec3 n = polygonPlaneNormal(rect);
  EXPECT_NEAR(n.x, 0.0, 1e-15);
  EXPECT_NEAR(n.y, 0.0, 1e-15);
  EXPECT_NEAR(n.z, 1.0, 1e-15);
  // Reversed, it points the other way; any size gives the same vector.
  const Poly reversed(rect.rbegin(), rect.rend());
  EXPECT_NEAR(polygonPlaneNormal(reversed).z, -1.0, 1e-15);
  Poly tiny;
  for (const Vec3& v : rect) tiny.push_back(v * 1e-7);
  EXPECT_NEAR(polygonPlaneNormal(tiny).z, 1.0, 1e-9);
  // No area: collinear or coincident corners, or too few.
  EXPECT_LT(length(polygonPlaneNormal(Poly{{0, 0, 0}, {1, 1, 1}, {3, 3, 3}, {2, 2, 2}})), 1e-12);
  EXPECT_EQ(length(polygonPlaneNormal(Poly{{1, 2, 3}, {1, 2, 3}, {1, 2, 3}})), 0.0);
  EXPECT_EQ(length(polygonPlaneNormal(Poly{{0, 0, 0}, {1, 0, 0}})), 0.0);
}

// The pieces as sets of corner indices, order free.
std::set<std::vector<int>> pieceSet(const TCDTriangulationData& td) {
  std::set<std::vector<int>> out;
  for (const Piece& piece : piecesOf(td)) {
    std::vector<int> c(piece.c, piece.c + piece.count);
    std::sort(c.begin(), c.end());
    out.insert(c);
  }
  return out;
}

TEST(PolygonPlane, TinyAndHugePolygonsAreCutLikeTheirUnitSizeCopies) {
  // Convex and concave outlines, with a zig-zag whose inner corners are only a few
  // percent of its size deep: at 1e-6 and 1e-9 units, and at 1e4, each must be cut
  // into exactly the pieces of the same outline at unit size.
  // (No two ways of cutting any of them are equally good, so rounding cannot tip a tie.)
  const std::vector<Poly> shapes = {
      {{0, 0, 0}, {1.1, 0, 0}, {1.2, 0.9, 0}, {0.5, 1.6, 0}, {-0.1, 1, 0}},
      {{0, 0, 0}, {2, 1, 0}, {0, 2, 0}, {0.5, 1, 0}, {0.2, 0.8, 0}},
      {{0, 0, 0}, {1, 0.05, 0}, {2.1, 0, 0}, {3, 0.06, 0}, {4.3, 0, 0}, {4, 1.2, 0}, {0, 1, 0}},
      {{0, 0, 0}, {3.2, 0, 0}, {3, 3.1, 0}, {2.1, 2.9, 0}, {2, 1.1, 0}, {1, 0.9, 0}, {1.1, 3.3, 0}, {0, 3, 0}},
  };
  std::mt19937 rng(3);
  TCDTriangulationData unit, scaled;
  for (size_t s = 0; s < shapes.size(); ++s) {
    for (double scale : {1e-6, 1e-9, 1e4}) {
      SCOPED_TRACE(::testing::Message() << "shape " << s << " scale " << scale);
      const Placement place = randomPlacement(rng, 0.0);
      Poly a, b;
      for (const Vec3& v : shapes[s]) {
        a.push_back(place.apply(v));
        b.push_back(place.apply(v * scale) + Vec3{0.25, -0.5, 0.125});
      }
      for (bool merge : {false, true}) {
        ASSERT_EQ(triangulatePolygon(unit, a, merge), 1);
        ASSERT_EQ(triangulatePolygon(scaled, b, merge), 1);
        EXPECT_EQ(pieceSet(scaled), pieceSet(unit));
      }
    }
  }
}

}  // namespace
