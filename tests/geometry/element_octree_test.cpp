#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "geometry/element_octree.h"

namespace {

using namespace velmora::geometry;

std::vector<SurfaceElement> soup(int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> pos(0.0, 10.0), off(-0.7, 0.7);
  std::vector<SurfaceElement> s;
  for (int i = 0; i < count; ++i) {
    const Vec3 a{pos(rng), pos(rng), pos(rng)};
    s.push_back(makeTriangleElement(a, a + Vec3{off(rng), off(rng), off(rng)},
                                    a + Vec3{off(rng), off(rng), off(rng)}));
  }
  s.push_back(makeTriangleElement({-1, -1, 0}, {11, -1, 10}, {-1, 11, 5}));  // kept apart
  return s;
}

int cellsIn(const CellBox& c) {
  return (c.hi[0] - c.lo[0] + 1) * (c.hi[1] - c.lo[1] + 1) * (c.hi[2] - c.lo[2] + 1);
}

TEST(ElementOctree, ChildrenPartitionTheirParentDownToSingleCells) {
  const auto s = soup(700, 2);
  ElementGrid g;
  makeTrisMat3D(g, s, kGridLargeElementsApart);
  ElementOctree o;
  makeOctreeData(o, g);
  ASSERT_FALSE(o.nodes.empty());
  EXPECT_EQ(cellsIn(o.nodes[0].cells), g.n[0] * g.n[1] * g.n[2]);
  int leaves = 0;
  for (const OctreeNode& n : o.nodes) {
    if (n.childCount == 0) {
      EXPECT_EQ(cellsIn(n.cells), 1);
      ++leaves;
      continue;
    }
    int covered = 0;
    for (int k = 0; k < n.childCount; ++k) {
      const OctreeNode& c = o.nodes[static_cast<std::size_t>(n.children[k])];
      covered += cellsIn(c.cells);
      for (int a = 0; a < 3; ++a) {
        EXPECT_GE(c.cells.lo[a], n.cells.lo[a]);
        EXPECT_LE(c.cells.hi[a], n.cells.hi[a]);
        // The lower half takes the extra cell of an odd range.
        if (c.cells.lo[a] == n.cells.lo[a] && n.cells.hi[a] > n.cells.lo[a]) {
          EXPECT_EQ(c.cells.hi[a] - c.cells.lo[a] + 1, (n.cells.hi[a] - n.cells.lo[a] + 2) / 2);
        }
      }
    }
    EXPECT_EQ(covered, cellsIn(n.cells));
  }
  EXPECT_EQ(leaves, g.n[0] * g.n[1] * g.n[2]);
}

// A sight segment from a point to a bone: the walk must offer every element
// whose triangle the segment crosses (brute force over all elements).
TEST(ElementOctree, SegmentWalkOffersEveryElementTheSegmentCrosses) {
  const auto s = soup(1500, 4);
  ElementGrid g;
  makeTrisMat3D(g, s, kGridLargeElementsApart);
  ASSERT_FALSE(g.largeElements.empty());
  ElementOctree o;
  makeOctreeData(o, g);
  std::mt19937 rng(9);
  std::uniform_real_distribution<double> pos(-1.0, 11.0);
  int crossings = 0;
  for (int k = 0; k < 300; ++k) {
    const Vec3 p{pos(rng), pos(rng), pos(rng)}, q{pos(rng), pos(rng), pos(rng)};
    std::set<std::uint32_t> offered;
    walkElementOctree(o, g, [&](const Box3& b) { return calcIntersectionOfLineAndCuboid(b, p, q); },
                      [&](std::uint32_t e) { offered.insert(e); });
    for (std::uint32_t e = 0; e < s.size(); ++e) {
      const SurfaceElement& t = s[e];
      const Box3 tb{t.boxMin, t.boxMax};
      const Vec3 a = t.origin;
      const Vec3 b = a + t.axis[0] * t.corner2[1].x + t.axis[1] * t.corner2[1].y;
      const Vec3 c = a + t.axis[0] * t.corner2[2].x + t.axis[1] * t.corner2[2].y;
      // Crossing: the segment's ends on opposite sides and the hit inside.
      const double s0 = dot(p - a, t.axis[2]), s1 = dot(q - a, t.axis[2]);
      if ((s0 > 0) == (s1 > 0) || s0 == s1) continue;
      const Vec3 hit = lerp(p, q, s0 / (s0 - s1));
      const Vec3 n = cross(b - a, c - a);
      if (dot(cross(b - a, hit - a), n) < 0 || dot(cross(c - b, hit - b), n) < 0 ||
          dot(cross(a - c, hit - c), n) < 0)
        continue;
      ASSERT_TRUE(calcIntersectionOfLineAndCuboid(tb, p, q));
      ++crossings;
      EXPECT_TRUE(offered.count(e)) << "query " << k << " element " << e;
    }
  }
  EXPECT_GT(crossings, 300);
}

TEST(ElementOctree, UnbuiltGridGivesAnEmptyWalk) {
  ElementGrid g;
  ElementOctree o;
  makeOctreeData(o, g);
  int visits = 0;
  walkElementOctree(o, g, [](const Box3&) { return true; }, [&](std::uint32_t) { ++visits; });
  EXPECT_EQ(visits, 0);
}

}  // namespace
