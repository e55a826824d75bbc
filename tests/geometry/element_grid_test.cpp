#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "geometry/element_grid.h"

namespace {

using namespace velmora::geometry;

std::vector<SurfaceElement> randomSoup(int count, unsigned seed, double size) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> pos(0.0, size);
  std::uniform_real_distribution<double> off(-0.05 * size, 0.05 * size);
  std::vector<SurfaceElement> soup;
  for (int i = 0; i < count; ++i) {
    const Vec3 a{pos(rng), pos(rng), pos(rng)};
    soup.push_back(makeTriangleElement(a, a + Vec3{off(rng), off(rng), off(rng)},
                                       a + Vec3{off(rng), off(rng), off(rng)}));
  }
  return soup;
}

std::int64_t cellTotal(const ElementGrid& g) {
  return static_cast<std::int64_t>(g.n[0]) * g.n[1] * g.n[2];
}

// Every element must be listed in every cell its bounding box overlaps, or the
// nearest search could miss it.
void expectEveryOverlappedCellListsElement(const ElementGrid& g,
                                           const std::vector<SurfaceElement>& elements) {
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const SurfaceElement& e = elements[i];
    const int lo[3] = {cellCoordinate(g, 0, e.boxMin.x), cellCoordinate(g, 1, e.boxMin.y),
                       cellCoordinate(g, 2, e.boxMin.z)};
    const int hi[3] = {cellCoordinate(g, 0, e.boxMax.x), cellCoordinate(g, 1, e.boxMax.y),
                       cellCoordinate(g, 2, e.boxMax.z)};
    for (int z = lo[2]; z <= hi[2]; ++z)
      for (int y = lo[1]; y <= hi[1]; ++y)
        for (int x = lo[0]; x <= hi[0]; ++x) {
          ASSERT_TRUE(x >= 0 && x < g.n[0] && y >= 0 && y < g.n[1] && z >= 0 && z < g.n[2]);
          const auto list = cellElements(g, x, y, z);
          ASSERT_NE(std::find(list.begin(), list.end(), i), list.end())
              << "element " << i << " missing from cell " << x << "," << y << "," << z;
        }
  }
}

TEST(ElementGrid, CellCountFollowsElementCountAndListsAreComplete) {
  const auto soup = randomSoup(2000, 7, 10.0);
  ElementGrid g;
  makeTrisMat3D(g, soup, 0);
  ASSERT_TRUE(g.built);
  EXPECT_GE(cellTotal(g), 2000 / 4);
  EXPECT_LE(cellTotal(g), 2000 * 4);
  expectEveryOverlappedCellListsElement(g, soup);
}

TEST(ElementGrid, LongThinMeshStaysWithin256CellsPerAxis) {
  std::vector<SurfaceElement> strip;
  for (int i = 0; i < 20000; ++i) {
    const double x = i * 0.05;
    strip.push_back(makeTriangleElement({x, 0, 0}, {x + 0.05, 0, 0}, {x, 0.01, 0.001}));
  }
  ElementGrid g;
  makeTrisMat3D(g, strip, 0);
  for (int a = 0; a < 3; ++a) {
    EXPECT_GE(g.n[a], 1);
    EXPECT_LE(g.n[a], kMaxGridCellsPerAxis);
  }
  EXPECT_EQ(g.n[0], kMaxGridCellsPerAxis);
  expectEveryOverlappedCellListsElement(g, strip);
}

TEST(ElementGrid, EmptyTinyAndNonFiniteInputsGiveAUsableGrid) {
  ElementGrid g;
  makeTrisMat3D(g, {}, 0);
  EXPECT_TRUE(g.built);
  EXPECT_TRUE(g.entries.empty());
  EXPECT_GE(cellTotal(g), 1);

  // All corners within 0.000004: one point-like element, unit extents.
  std::vector<SurfaceElement> tiny{makeTriangleElement({1, 1, 1}, {1, 1, 1}, {1, 1, 1.000001})};
  makeTrisMat3D(g, tiny, 0);
  EXPECT_EQ(g.entries.size(), 1u);

  std::vector<SurfaceElement> bad{makeTriangleElement({0, 0, 0}, {1, 0, 0}, {0, 1, 0}),
                                  makeTriangleElement({0, 0, 0}, {NAN, 0, 0}, {0, 1, 0})};
  makeTrisMat3D(g, bad, 0);
  for (std::uint32_t e : g.entries) EXPECT_EQ(e, 0u);
  destroyMat3D(g);
  EXPECT_FALSE(g.built);
}

TEST(ElementGrid, SegmentsOnlyWithTheirModeBitAndLargeElementsApart) {
  std::vector<SurfaceElement> mixed = randomSoup(200, 3, 10.0);
  mixed.push_back(makeSegmentElement({0, 0, 0}, {1, 1, 1}, {}, {}));
  const std::uint32_t segment = static_cast<std::uint32_t>(mixed.size() - 1);
  mixed.push_back(makeTriangleElement({-1, -1, 5}, {11, -1, 5}, {-1, 11, 5}));
  const std::uint32_t huge = segment + 1;

  ElementGrid g;
  makeTrisMat3D(g, mixed, 0);
  EXPECT_EQ(std::count(g.entries.begin(), g.entries.end(), segment), 0);
  makeTrisMat3D(g, mixed, kGridWithSegments);
  EXPECT_GT(std::count(g.entries.begin(), g.entries.end(), segment), 0);
  EXPECT_TRUE(g.largeElements.empty());

  makeTrisMat3D(g, mixed, kGridLargeElementsApart);
  EXPECT_EQ(std::count(g.entries.begin(), g.entries.end(), huge), 0);
  EXPECT_EQ(std::count(g.largeElements.begin(), g.largeElements.end(), huge), 1);
}

}  // namespace
