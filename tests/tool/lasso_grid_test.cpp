// The lasso, the outline crossing rules and the screen face grid with its hidden-point test.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tool/face_grid.h"
#include "tool/lasso.h"
#include "tool/outline_crossings.h"
#include "tool/tool_test_mesh.h"

namespace velmora::tool {
namespace {

using testing::Points;
using testing::Polygons;
using testing::ToolBench;

Lasso lassoOf(const std::vector<std::pair<float, float>>& nodes) {
  Lasso l;
  for (auto [x, y] : nodes) add1PolLine(l, x, y);
  return l;
}

TEST(Lasso, ASquareContainsItsInsideAndNotItsOutside) {
  Lasso l = lassoOf({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  ASSERT_EQ(makeLasso(l), 0);
  EXPECT_EQ(isInLasso(l, 5, 5), 1);
  EXPECT_EQ(isInLasso(l, 11, 5), 0);
  EXPECT_EQ(isInLasso(l, 5, -1), 0);
  EXPECT_EQ(l.bounds[2], 10.0f);
  EXPECT_EQ(l.nodes.back().endX, 0.0f) << "closed back to the first node";
  destroyLasso(l);
  EXPECT_TRUE(l.nodes.empty());
  EXPECT_EQ(isInLasso(l, 5, 5), 0);
}

TEST(Lasso, FewerThanThreeNodesCannotBeClosed) {
  Lasso l = lassoOf({{0, 0}, {10, 10}});
  EXPECT_EQ(makeLasso(l), 1);
  EXPECT_EQ(isInLasso(l, 5, 5), 0);
}

TEST(Lasso, AFigureEightHoldsPointsInsideEitherLoop) {
  // Crossing at (5, 5): one loop on the left, one on the right.
  Lasso l = lassoOf({{0, 0}, {10, 10}, {10, 0}, {0, 10}});
  ASSERT_EQ(makeLasso(l), 0);
  EXPECT_EQ(isInLasso(l, 2, 5), 1);
  EXPECT_EQ(isInLasso(l, 8, 5), 1);
  EXPECT_EQ(isInLasso(l, 5, 1), 0);
  EXPECT_EQ(isInLasso(l, 5, 9), 0);
}

TEST(Lasso, APointLevelWithATurningNodeIsDecidedCorrectly) {
  // A "W": the node (5, 4) is a turning point (the outline comes down to it and goes
  // back up); (10, 10) and (0, 10) are turning points at the top.
  Lasso l = lassoOf({{0, 10}, {2, 0}, {5, 4}, {8, 0}, {10, 10}});
  ASSERT_EQ(makeLasso(l), 0);
  EXPECT_EQ(l.nodes[2].flags & kLassoCrossing, 0);
  EXPECT_EQ(isInLasso(l, 1, 4), 0);
  EXPECT_EQ(isInLasso(l, 3, 4), 1);
  EXPECT_EQ(isInLasso(l, 7, 4), 1);
  EXPECT_EQ(isInLasso(l, 5, 6), 1);
  EXPECT_EQ(isInLasso(l, 5, 3), 0);
  // A node the outline passes through on its way counts once.
  Lasso d = lassoOf({{0, 0}, {10, 0}, {10, 5}, {10, 10}, {0, 10}});
  ASSERT_EQ(makeLasso(d), 0);
  EXPECT_NE(d.nodes[2].flags & kLassoCrossing, 0);
  EXPECT_EQ(isInLasso(d, 5, 5), 1);
  // A step drawn clockwise: the node (10, 5) is reached along a level run and the outline
  // then goes down, so it is a crossing for the scan line y = 5.
  Lasso step = lassoOf({{0, 0}, {0, 10}, {5, 10}, {5, 5}, {10, 5}, {10, 0}});
  ASSERT_EQ(makeLasso(step), 0);
  EXPECT_EQ(isInLasso(step, 3, 5), 1);
  EXPECT_EQ(isInLasso(step, 3, 7), 1);
  EXPECT_EQ(isInLasso(step, 7, 7), 0);
  EXPECT_EQ(isInLasso(step, 7, 3), 1);
}

TEST(Lasso, ManyNodesSpreadOverBands) {
  // A circle of 200 nodes: 11 bands, same answers as the geometry.
  Lasso l;
  for (int k = 0; k < 200; ++k) {
    const double a = k * 6.283185307179586 / 200;
    add1PolLine(l, float(50 + 40 * std::cos(a)), float(50 + 40 * std::sin(a)));
  }
  ASSERT_EQ(makeLasso(l), 0);
  EXPECT_EQ(l.bandCount, 11);
  for (int y = 0; y <= 100; y += 3)
    for (int x = 0; x <= 100; x += 3) {
      const double r = std::hypot(x - 50.0, y - 50.0);
      if (std::fabs(r - 40.0) < 0.5) continue;
      EXPECT_EQ(isInLasso(l, float(x), float(y)), r < 40.0 ? 1 : 0) << x << "," << y;
    }
}

TEST(OutlineCrossings, ACornerOnTheLineCountsOnceThroughAndNeverAtATurn) {
  // A diamond: the side corners are passed through, the top is a turning point.
  const OutlineCorner diamond[4] = {{0, -1, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}};
  Crossing out[8];
  EXPECT_EQ(pickCrossings(diamond, 4, 0.0, out), 2);
  EXPECT_EQ(pickCrossings(diamond, 4, 1.0, out) % 2, 0);
  EXPECT_EQ(pickCrossings(diamond, 4, 0.5, out), 2);
  // The hidden-point rule counts the turning top twice, so a point there is "on" it.
  EXPECT_EQ(hiddenTestCrossings(diamond, 4, 1.0, out), 2);
  EXPECT_EQ(hiddenTestCrossings(diamond, 4, 0.0, out), 2);
}

TEST(FaceGridSizing, AZeroSizeWindowIsOneByOneWithThreeByThreeCells) {
  double cell = 0;
  int32_t columns = 0, rows = 0;
  sizeFaceGrid(0.0, 0.0, 0, cell, columns, rows);
  EXPECT_DOUBLE_EQ(cell, 0.5);
  EXPECT_EQ(columns, 3);
  EXPECT_EQ(rows, 3);
  // A thin strip is never thinner than 1 / (m + 1) of its length.
  sizeFaceGrid(100.0, 0.0, 9, cell, columns, rows);
  EXPECT_DOUBLE_EQ(cell, std::sqrt(100.0 * 10.0 / 9.0));
  sizeFaceGrid(100.0, 1.0, 9, cell, columns, rows);
  EXPECT_DOUBLE_EQ(cell, std::sqrt(100.0 * 10.0 / 9.0));
  sizeFaceGrid(4.0, 4.0, 16, cell, columns, rows);
  EXPECT_DOUBLE_EQ(cell, 1.0);
  EXPECT_EQ(columns, 5);
}

// A front square at z = 0 over a back square at z = 2 sharing the corner (0, 0), in the
// front view (the eye on the -z side).
struct HiddenBench : ToolBench {
  HiddenBench() {
    Points p = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}, {1, 0, 2}, {3, 0, 2}, {3, 2, 2}, {1, 1, 2}};
    Polygons f = {{0, 1, 2, 3}, {4, 5, 6, 7}};
    testing::setFrontView(tool.view, 0.01);
    settings.brushSize = 1000;
    load(p, f);
    testing::moveEventTo(tool.view, {1, 1, 0});
    PaintContext c = context();
    makeTrisMat2D(c, kGridBrush);
  }
};

TEST(HiddenPoints, TheFrontFaceHidesPointsBehindItButNotItsOwnCorners) {
  HiddenBench b;
  PaintContext c = b.context();
  EXPECT_EQ(b.tool.scratch.faceGrid.entered.size(), 2u);
  EXPECT_EQ(isFrontFacePoint(c, 7), 0) << "(1, 1) behind the front square";
  EXPECT_EQ(isFrontFacePoint(c, 4), 0) << "(1, 0) on the front square's outline counts as inside";
  EXPECT_EQ(isFrontFacePoint(c, 5), 1) << "(3, 0) beside it";
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(isFrontFacePoint(c, i), 1) << i;
  destroyMat2D(b.tool.scratch.faceGrid);
  EXPECT_EQ(isFrontFacePoint(c, 7), 1) << "no grid: nothing hides";
}

TEST(HiddenPoints, APointOnAnyEdgeOfAFrontFaceIsHidden) {
  // Back points exactly on the front square's four sides (and on its box's edges), and
  // two just outside it.
  ToolBench b;
  Points p = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}, {1, 0, 2}, {2, 1, 2}, {1, 2, 2}, {0, 1, 2},
              {1, 2.001, 2}, {2.001, 1, 2}, {5, 5, 2}, {6, 5, 2}, {6, 6, 2}};
  Polygons f = {{0, 1, 2, 3}, {10, 11, 12}};
  testing::setFrontView(b.tool.view, 0.01);
  b.settings.brushSize = 1000;
  b.load(p, f);
  testing::moveEventTo(b.tool.view, {1, 1, 0});
  PaintContext c = b.context();
  makeTrisMat2D(c, kGridBrush);
  EXPECT_EQ(isFrontFacePoint(c, 4), 0) << "bottom side";
  EXPECT_EQ(isFrontFacePoint(c, 5), 0) << "right side";
  EXPECT_EQ(isFrontFacePoint(c, 6), 0) << "top side";
  EXPECT_EQ(isFrontFacePoint(c, 7), 0) << "left side";
  EXPECT_EQ(isFrontFacePoint(c, 8), 1) << "just above";
  EXPECT_EQ(isFrontFacePoint(c, 9), 1) << "just right";
}

TEST(HiddenPoints, ASharedCornerIsNeverHiddenAndAnEmptyWindowHidesNothing) {
  ToolBench b;
  // A back triangle leaning away from the front square's corner 2 under the square.
  Points p = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}, {0, 0, 3}, {2, 0, 3}};
  Polygons f = {{0, 1, 2, 3}, {2, 4, 5}};
  testing::setFrontView(b.tool.view, 0.01);
  b.settings.brushSize = 300;
  b.load(p, f);
  testing::moveEventTo(b.tool.view, {1, 1, 0});
  PaintContext c = b.context();
  makeTrisMat2D(c, kGridBrush);
  EXPECT_EQ(isFrontFacePoint(c, 2), 1) << "a corner of both faces";
  EXPECT_EQ(isFrontFacePoint(c, 0), 1);
  EXPECT_EQ(isFrontFacePoint(c, 4), 0);
  EXPECT_EQ(isFrontFacePoint(c, 5), 0);
  testing::moveEventTo(b.tool.view, {50, 50, 0});
  makeTrisMat2D(c, kGridBrush);
  EXPECT_TRUE(b.tool.scratch.faceGrid.entered.empty());
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(isFrontFacePoint(c, i), 1) << i;
}

}  // namespace
}  // namespace velmora::tool
