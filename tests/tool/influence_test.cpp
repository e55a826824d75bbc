// The influence builders and the value operations of the paint brushes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "tool/brush_application.h"
#include "tool/enable_point_list.h"
#include "tool/face_normals.h"
#include "tool/falloff_curve.h"
#include "tool/paint_brushes.h"
#include "tool/tool_test_mesh.h"

namespace velmora::tool {
namespace {

using testing::appendGrid;
using testing::Points;
using testing::Polygons;
using testing::ToolBench;

std::set<int32_t> members(const ToolBench& b) {
  return {b.tool.scratch.list.members.begin(), b.tool.scratch.list.members.end()};
}

// A 9 x 9 grid in the front view, one pixel = 0.1 world units, brush of 20 pixels (2 units).
struct GridBench : ToolBench {
  explicit GridBench(int32_t side = 9) {
    Points p;
    Polygons f;
    appendGrid(p, f, side, 0.0);
    testing::setFrontView(tool.view, 0.1);
    settings.brushSize = 20;
    load(p, f);
  }
  int32_t at(int32_t x, int32_t y, int32_t side = 9) const { return y * side + x; }
};

TEST(FalloffCurve, IsOneAtTheCentreZeroAtTheRimAndSmoothBetween) {
  EXPECT_DOUBLE_EQ(falloffCurve(0.0), 1.0);
  EXPECT_DOUBLE_EQ(falloffCurve(1.0), 0.0);
  EXPECT_DOUBLE_EQ(falloffCurve(0.5), 0.5);
  EXPECT_GT(falloffCurve(0.25), falloffCurve(0.5));
}

TEST(RadialInfluence, TheRimPointIsUntouchedAndTheCentreGetsFactorOne) {
  GridBench b;
  testing::moveEventTo(b.tool.view, {4, 4, 0});
  PaintContext c = b.context();
  for (int32_t i = 0; i < b.mesh.numPoints; ++i) b.mesh.points[size_t(i)].factor = -1.0;
  makeEnablePointList_Radial2D(c, 1, 0);
  const auto in = members(b);
  EXPECT_TRUE(in.count(b.at(4, 4)));
  EXPECT_DOUBLE_EQ(b.mesh.points[size_t(b.at(4, 4))].factor, 1.0);
  // (6, 4) is exactly 2 units = 20 pixels away: on the rim, not touched, factor kept.
  EXPECT_FALSE(in.count(b.at(6, 4)));
  EXPECT_DOUBLE_EQ(b.mesh.points[size_t(b.at(6, 4))].factor, -1.0);
  EXPECT_TRUE(in.count(b.at(5, 5)));  // sqrt(2) units inside
  EXPECT_EQ(b.tool.scratch.list.influenceDepth, 1);
  // List order is the reverse of index order, and the snapshot's enableList matches it.
  EXPECT_TRUE(std::is_sorted(b.tool.scratch.list.members.rbegin(), b.tool.scratch.list.members.rend()));
  const PntUserData* p = b.mesh.enableList;
  for (int32_t i : b.tool.scratch.list.members) {
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->index, i);
    p = p->enableNext;
  }
  EXPECT_EQ(p, nullptr);
}

TEST(RadialInfluence, GlobalFalloffUsesDistanceInSpaceFromTheHit) {
  GridBench b;
  PaintContext c = b.context();
  b.tool.view.brushRadius3D = b.tool.view.brushRadius3DMin = 2.0;
  makeEnablePointList_Radial3D(c, {4, 4, 0}, 1, 0);
  const auto in = members(b);
  EXPECT_EQ(in.size(), 9u);  // inside a circle of radius 2 on a unit grid, (+-2, 0) on the rim
  EXPECT_FALSE(in.count(b.at(6, 4)));
  EXPECT_NEAR(b.mesh.points[size_t(b.at(5, 4))].factor, falloffCurve(0.5), 1e-12);
}

TEST(RadialInfluence, PaintToolsTouchOnlySelectedPointsWhilePenSelTouchesAll) {
  GridBench b;
  testing::moveEventTo(b.tool.view, {4, 4, 0});
  for (int32_t i : {b.at(4, 4), b.at(5, 4)}) setPointSelected(b.mesh, i, true);
  PaintContext c = b.context();
  makeEnablePointList_Radial2D(c, 1, 0);
  EXPECT_EQ(members(b), (std::set<int32_t>{b.at(4, 4), b.at(5, 4)}));
  makeEnablePointList_Radial2D(c, 0, 0);
  EXPECT_EQ(members(b).size(), 9u);
  b.tool.view.brushRadius3D = b.tool.view.brushRadius3DMin = 2.0;
  makeEnablePointList_Radial3D(c, {4, 4, 0}, 1, 0);
  EXPECT_EQ(members(b).size(), 2u);
  initOtherNormOfPoints(c);
  makeEnablePointList_Mesh2(c, 0, {0.5, 0.5, 0}, 1);
  EXPECT_TRUE(members(b).empty()) << "the clicked face's corners are not selected";
}

TEST(RadialInfluence, PointsBehindTheEyeAreNeverTouched) {
  // A sheet reaching from in front of the eye to behind it; the brush covers everything.
  ToolBench b;
  Points p;
  Polygons f;
  appendGrid(p, f, 5, 0.0);
  for (auto& q : p) q[2] = q[1] - 2.0;  // rows 0-1 behind the eye at z = 0, row 2 at it
  testing::setPerspectiveView(b.tool.view, {2, 2, 0}, 0.001);
  b.settings.brushSize = 100000;
  b.load(p, f);
  PaintContext c = b.context();
  makeEnablePointList_Radial2D(c, 1, 0);
  auto in = members(b);
  for (int32_t i = 0; i < 15; ++i) EXPECT_FALSE(in.count(i)) << i;
  EXPECT_EQ(in.size(), 10u);
  makeEnablePointListCullFace_Radial2D(c, 1, 0);
  in = members(b);
  for (int32_t i = 0; i < 15; ++i) EXPECT_FALSE(in.count(i)) << i;
  EXPECT_FALSE(in.empty());
}

TEST(SurfaceWalk, DoesNotCrossAGapThatGlobalCrosses) {
  // Two sheets 0.5 apart in space, joined by nothing.
  ToolBench b;
  Points p;
  Polygons f;
  appendGrid(p, f, 5, 0.0);
  appendGrid(p, f, 5, 0.5);
  testing::setFrontView(b.tool.view, 0.1);
  b.load(p, f);
  PaintContext c = b.context();
  initOtherNormOfPoints(c);
  b.tool.view.brushRadius3D = b.tool.view.brushRadius3DMin = 1.5;
  const Vec3 hit{2, 2, 0};
  makeEnablePointList_Radial3D(c, hit, 1, 0);
  bool globalCrosses = false;
  for (int32_t i : b.tool.scratch.list.members) globalCrosses |= i >= 25;
  EXPECT_TRUE(globalCrosses);
  // The face of the first sheet around (2, 2): its corner 12 = (2, 2).
  int32_t face = -1;
  for (int32_t k = 0; k < b.mesh.numFaces; ++k)
    if (b.mesh.faces[size_t(k)].cornerCount == 4 && b.mesh.faces[size_t(k)].corners[0]->index == 12) face = k;
  ASSERT_GE(face, 0);
  makeEnablePointList_Mesh2(c, face, hit, 1);
  ASSERT_FALSE(b.tool.scratch.list.members.empty());
  for (int32_t i : b.tool.scratch.list.members) EXPECT_LT(i, 25);
  EXPECT_DOUBLE_EQ(b.mesh.points[12].factor, 1.0);
}

TEST(SurfaceWalk, APointAtTheRimIsNotReached) {
  GridBench b;
  PaintContext c = b.context();
  initOtherNormOfPoints(c);
  b.tool.view.brushRadius3D = b.tool.view.brushRadius3DMin = 2.0;
  int32_t face = -1;
  for (int32_t k = 0; k < b.mesh.numFaces; ++k)
    if (b.mesh.faces[size_t(k)].corners[0]->index == b.at(4, 4)) face = k;
  ASSERT_GE(face, 0);
  makeEnablePointList_Mesh2(c, face, {4, 4, 0}, 1);
  const auto in = members(b);
  EXPECT_EQ(in.size(), 9u);
  EXPECT_FALSE(in.count(b.at(6, 4)));
  EXPECT_FALSE(in.count(b.at(4, 2)));
}

TEST(SurfaceWalk, OnAFlatSheetTheDistanceIsTheStraightDistance) {
  GridBench b(11);
  PaintContext c = b.context();
  initOtherNormOfPoints(c);
  b.tool.view.brushRadius3D = b.tool.view.brushRadius3DMin = 4.0;
  const Vec3 hit{5.25, 5.5, 0};
  int32_t face = -1;
  for (int32_t k = 0; k < b.mesh.numFaces; ++k)
    if (b.mesh.faces[size_t(k)].corners[0]->index == 5 * 11 + 5) face = k;
  ASSERT_GE(face, 0);
  makeEnablePointList_Mesh2(c, face, hit, 1);
  const auto in = members(b);
  int32_t reached = 0;
  for (int32_t y = 0; y < 11; ++y)
    for (int32_t x = 0; x < 11; ++x) {
      const int32_t i = y * 11 + x;
      const double d = std::hypot(x - hit.x, y - hit.y);
      if (d > 3.9) {
        EXPECT_FALSE(in.count(i) && d > 4.0) << x << "," << y;
        continue;
      }
      ASSERT_TRUE(in.count(i)) << x << "," << y;
      ++reached;
      EXPECT_NEAR(b.mesh.points[size_t(i)].factor, falloffCurve(d / 4.0), 1e-9) << x << "," << y;
    }
  EXPECT_GT(reached, 40);
  // Rings of edges from the clicked face: the deepest point is several hops away.
  EXPECT_GE(b.tool.scratch.list.influenceDepth, 4);
}

TEST(SurfaceWalk, ThePackedNeighbourListsWalkLikeTheSnapshot) {
  // A bumpy sheet with triangles and quads: the walk from the press's packed lists and
  // the walk over the snapshot's own adjacency settle the same points the same way.
  ToolBench b;
  Points p;
  Polygons f;
  appendGrid(p, f, 12, 0.0);
  for (size_t k = 0; k < p.size(); ++k) p[k][2] = 0.4 * std::sin(double(k) * 0.7);
  const size_t quads = f.size();  // split only the grid's own quads, not the halves added
  for (size_t k = 0; k < quads; k += 3) {
    const auto q = f[k];
    f[k] = {q[0], q[1], q[2]};
    f.push_back({q[2], q[3], q[0]});
  }
  testing::setFrontView(b.tool.view, 0.1);
  b.load(p, f);
  PaintContext c = b.context();
  initOtherNormOfPoints(c);
  b.tool.view.brushRadius3D = b.tool.view.brushRadius3DMin = 4.0;
  makeEnablePointList_Mesh2(c, 40, {5.3, 5.6, 0.1}, 1);
  const std::vector<int32_t> packed = b.tool.scratch.list.members;
  std::vector<double> factors;
  for (int32_t i : packed) factors.push_back(b.mesh.points[size_t(i)].factor);
  b.tool.scratch.cachesReady = false;
  makeEnablePointList_Mesh2(c, 40, {5.3, 5.6, 0.1}, 1);
  EXPECT_GT(packed.size(), 5u);
  EXPECT_EQ(b.tool.scratch.list.members, packed);
  for (size_t k = 0; k < packed.size() && k < b.tool.scratch.list.members.size(); ++k)
    EXPECT_EQ(b.mesh.points[size_t(packed[k])].factor, factors[k]);
}

TEST(RingWalk, CountsRingsOfTheTouchedRegion) {
  // A 1 x 12 strip of quads; the brush covers points 0..4 of both rows from one end.
  ToolBench b;
  Points p;
  Polygons f;
  for (int32_t x = 0; x < 12; ++x) p.push_back({double(x), 0, 0});
  for (int32_t x = 0; x < 12; ++x) p.push_back({double(x), 1, 0});
  for (int32_t x = 0; x + 1 < 12; ++x) f.push_back({x, x + 1, x + 13, x + 12});
  testing::setFrontView(b.tool.view, 0.1);
  b.settings.brushSize = 45;  // 4.5 units
  b.load(p, f);
  testing::moveEventTo(b.tool.view, {0, 0, 0});
  PaintContext c = b.context();
  makeEnablePointList_Radial2D(c, 1, 1);
  // Members: x = 0..4 on row 0, x = 0..4 on row 1 (hypot(4, 1) < 4.5). From (0, 0) the
  // rings are {0}, {1, 12, 13}, {2, 14}, {3, 15}, {4, 16}: five rings.
  EXPECT_EQ(members(b).size(), 10u);
  EXPECT_EQ(b.tool.scratch.list.influenceDepth, 5);
  makeEnablePointList_Radial2D(c, 1, 0);
  EXPECT_EQ(b.tool.scratch.list.influenceDepth, 1);
}

TEST(RingWalk, WalksTheNearestGroupTheFirstWalkMissed) {
  // Two separate strips under one brush: the second group is deeper.
  ToolBench b;
  Points p;
  Polygons f;
  for (int32_t x = 0; x < 2; ++x) p.push_back({double(x), 0, 0}), p.push_back({double(x), 0.5, 0});
  f.push_back({0, 2, 3, 1});
  const int32_t base = int32_t(p.size());
  for (int32_t x = 0; x < 6; ++x) p.push_back({double(x), 3, 0});
  for (int32_t x = 0; x + 1 < 6; ++x) f.push_back({base + x, base + x + 1});
  testing::setFrontView(b.tool.view, 0.1);
  b.settings.brushSize = 100;
  b.load(p, f);
  testing::moveEventTo(b.tool.view, {0, 0, 0});
  PaintContext c = b.context();
  makeEnablePointList_Radial2D(c, 1, 1);
  EXPECT_EQ(b.tool.scratch.list.influenceDepth, 6);
}

struct PaintBench : GridBench {
  PaintBench() {
    testing::moveEventTo(tool.view, {4, 4, 0});
    PaintContext c = context();
    makeEnablePointList_Radial2D(c, 1, 0);
  }
  PntUserData& centre() { return mesh.points[size_t(at(4, 4))]; }
  PntUserData& near() { return mesh.points[size_t(at(5, 5))]; }
};

TEST(PaintBrushes, BrushAtFullStrengthSetsTheCentreInOneStepAndSnapsNearValues) {
  PaintBench b;
  b.settings.strength[0] = 1.0f;
  b.settings.value = 0.8f;
  b.centre().value = 0.1f;
  b.near().hasValue = 1, b.near().value = 0.7975f;  // within 0.005 after one step
  b.mesh.points[size_t(b.at(4, 5))].hasValue = 1;
  b.mesh.points[size_t(b.at(4, 5))].value = 0.2f;
  PaintContext c = b.context();
  runVMapPaintBrush_Brush(c);
  EXPECT_EQ(b.centre().value, 0.8f);
  EXPECT_EQ(b.centre().hasValue, 1);
  EXPECT_EQ(b.centre().changed, 1);
  EXPECT_EQ(b.near().value, 0.8f);
  const PntUserData& side = b.mesh.points[size_t(b.at(4, 5))];
  EXPECT_GT(side.value, 0.2f);
  EXPECT_LT(side.value, 0.8f);
  EXPECT_EQ(b.mesh.points[size_t(b.at(8, 8))].changed, 0);
}

TEST(PaintBrushes, BrushEraseSkipsPointsWithoutValueAndRemovesSmallOnes) {
  PaintBench b;
  b.settings.erase = 1;
  b.settings.strength[0] = 1.0f;
  b.centre().hasValue = 1, b.centre().value = 0.5f;
  PaintContext c = b.context();
  runVMapPaintBrush_Brush(c);
  EXPECT_EQ(b.centre().hasValue, 0);
  EXPECT_EQ(b.centre().value, 0.0f);
  EXPECT_EQ(b.centre().changed, 1);
  EXPECT_EQ(b.near().changed, 0) << "a point without a value is never touched by the eraser";
  EXPECT_EQ(b.centre().colour[0], b.gradient.unweightedColour[0]);
}

TEST(PaintBrushes, PenSetsOrErasesWhateverTheFactor) {
  PaintBench b;
  const int32_t edge = b.at(6, 5);  // hypot(2, 1) > 2: outside
  const int32_t inside = b.at(5, 3);
  b.mesh.points[size_t(inside)].factor = 1e-9;
  b.mesh.points[size_t(inside)].hasValue = 1;
  b.mesh.points[size_t(inside)].value = 0.9f;
  PaintContext c = b.context();
  b.settings.value = 0.25f;
  runVMapPaintBrush_Pen(c);
  EXPECT_EQ(b.centre().value, 0.25f);
  EXPECT_EQ(b.mesh.points[size_t(edge)].changed, 0);
  b.settings.erase = 1;
  runVMapPaintBrush_Pen(c);
  EXPECT_EQ(b.mesh.points[size_t(inside)].hasValue, 0);
  EXPECT_EQ(b.centre().hasValue, 0);
}

TEST(PaintBrushes, BlurPassCountFollowsStrengthAndDepthAndIsCapped) {
  EXPECT_EQ(blurPassCount(2.0f, 5), 10);
  EXPECT_EQ(blurPassCount(1.0f, 5), 1);
  EXPECT_EQ(blurPassCount(0.5f, 40), 1);
  EXPECT_EQ(blurPassCount(1.5f, 0), 1);
  EXPECT_EQ(blurPassCount(100.0f, 5), kMaxBlurPasses);
  EXPECT_EQ(blurPassCount(1.1f, 3), 1);  // trunc(0.6) = 0 -> 1
}

TEST(PaintBrushes, BlurLeavesUnweightedRegionsAloneAndSpreadsIntoNeighbours) {
  PaintBench b;
  b.settings.strength[2] = 1.0f;
  PaintContext c = b.context();
  runVMapPaintBrush_Blur(c);
  for (const PntUserData& p : b.mesh.points) EXPECT_EQ(p.changed, 0);

  PntUserData& weighted = b.mesh.points[size_t(b.at(4, 3))];
  weighted.hasValue = weighted.hasValueAtStart = 1;
  weighted.value = weighted.valueAtStart = 1.0f;
  runVMapPaintBrush_Blur(c);
  // The centre has 4 edge neighbours and 4 opposite corners: 1/9 of the way at factor 1.
  EXPECT_EQ(b.centre().hasValue, 1);
  EXPECT_NEAR(b.centre().value, 1.0f / 9.0f, 1e-6);
  EXPECT_EQ(b.centre().valueAtStart, b.centre().value) << "passes build on the smoothed values";
  EXPECT_LT(weighted.value, 1.0f);
}

TEST(PaintBrushes, BlurRunsMorePassesForADeeperRegion) {
  PaintBench b;
  PntUserData& weighted = b.mesh.points[size_t(b.at(4, 3))];
  weighted.hasValue = weighted.hasValueAtStart = 1;
  weighted.value = weighted.valueAtStart = 1.0f;
  b.settings.strength[2] = 2.0f;
  b.tool.scratch.list.influenceDepth = 5;
  PaintContext c = b.context();
  runVMapPaintBrush_Blur(c);
  // After 10 passes the value has spread two rings from its source.
  EXPECT_EQ(b.mesh.points[size_t(b.at(4, 5))].hasValue, 1);
  EXPECT_EQ(b.mesh.points[size_t(b.at(6, 4))].hasValue, 0) << "not a member";
}

}  // namespace
}  // namespace velmora::tool
