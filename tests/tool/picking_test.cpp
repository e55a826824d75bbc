// Face picking, connected parts, the event position and the item pick hit tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "tool/brush_application.h"
#include "tool/connected_part.h"
#include "tool/event_position.h"
#include "tool/face_pick.h"
#include "tool/item_pick.h"
#include "tool/paint_brushes.h"
#include "tool/screen_faces.h"
#include "tool/tool_test_mesh.h"

namespace velmora::tool {
namespace {

using testing::Points;
using testing::Polygons;
using testing::ToolBench;

// Two unit squares over the same spot at z = 0 and z = 3 (front view: nearer is lower z),
// and a line at z = 5 (behind both) along y = 2.
struct OverlapBench : ToolBench {
  OverlapBench() {
    Points p = {{0, 0, 3}, {1, 0, 3}, {1, 1, 3}, {0, 1, 3}, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                {0, 2, 5}, {1, 2, 5}};
    Polygons f = {{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9}};
    testing::setFrontView(tool.view, 1.0 / 64);  // 16 pixels = 0.25 exactly
    load(p, f);
  }
  int32_t faceWithCorner(int32_t corner) const {
    for (int32_t k = 0; k < mesh.numFaces; ++k)
      for (int32_t j = 0; j < mesh.faces[size_t(k)].cornerCount; ++j)
        if (mesh.faces[size_t(k)].corners[j]->index == corner) return k;
    return -1;
  }
};

TEST(FacePick, TheNearerOfTwoOverlappingFacesWinsAndNoDepthListsBoth) {
  OverlapBench b;
  testing::moveEventTo(b.tool.view, {0.5, 0.5, 0});
  PaintContext c = b.context();
  const FacePick pick = getClickedPolygon(c);
  EXPECT_EQ(pick.face, b.faceWithCorner(4));
  EXPECT_NEAR(pick.hit.z, 0.0, 1e-12);
  std::vector<int32_t> all;
  getListOfClickedPolygons(c, all);
  EXPECT_EQ(std::set<int32_t>(all.begin(), all.end()), (std::set<int32_t>{b.faceWithCorner(0), b.faceWithCorner(4)}));
  testing::moveEventTo(b.tool.view, {1.5, 0.5, 0});
  EXPECT_EQ(getClickedPolygon(c).face, -1);
}

TEST(FacePick, ALineIsPickedWithin16PixelsButNotAt17) {
  OverlapBench b;
  PaintContext c = b.context();
  const int32_t line = b.faceWithCorner(8);
  testing::moveEventTo(b.tool.view, {0.5, 2.25, 0});  // 16 pixels
  FacePick pick = getClickedPolygon(c);
  EXPECT_EQ(pick.face, line);
  EXPECT_NEAR(pick.hit.y, 2.0, 1e-12);
  testing::moveEventTo(b.tool.view, {0.5, 2.0 + 17.0 / 64, 0});
  EXPECT_EQ(getClickedPolygon(c).face, -1);
}

TEST(FacePick, ALineIsPickedOverAFaceBehindItButNotOverAFaceInFront) {
  // A line over the square's top region at y = 0.9: behind the square (z = 1, 4) or in
  // front of it (z = -1).
  for (double lineZ : {1.0, -1.0, 4.0}) {
    ToolBench b;
    Points p = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0.9, lineZ}, {1, 0.9, lineZ}};
    Polygons f = {{0, 1, 2, 3}, {4, 5}};
    testing::setFrontView(b.tool.view, 0.01);
    b.load(p, f);
    testing::moveEventTo(b.tool.view, {0.5, 0.95, 0});
    PaintContext c = b.context();
    const FacePick pick = getClickedPolygon(c);
    ASSERT_GE(pick.face, 0);
    EXPECT_EQ(b.mesh.faces[size_t(pick.face)].cornerCount == 2, lineZ <= 0.0) << lineZ;
  }
}

TEST(FacePick, AHitTooNearTheEyeVoidsThePick) {
  ToolBench b;
  Points p = {{-1, -1, 1e-6}, {1, -1, 1e-6}, {1, 1, 1e-6}, {-1, 1, 1e-6}};
  Polygons f = {{0, 1, 2, 3}};
  testing::setPerspectiveView(b.tool.view, {0, 0, 0}, 0.001);
  b.load(p, f);
  PaintContext c = b.context();
  EXPECT_EQ(getClickedPolygon(c).face, -1);
  for (auto& q : p) q[2] = 2.0;
  b.load(p, f);
  const FacePick pick = getClickedPolygon(c);
  EXPECT_EQ(pick.face, 0);
  EXPECT_NEAR(pick.hit.z, 2.0, 1e-9);
}

TEST(FacePick, TheScreenGridFindsExactlyWhatTestingEveryFaceFinds) {
  // A bumpy random sheet seen in perspective from many cursor positions: the pick with
  // the grid must agree with the pick over every face.
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> jitter(-0.3, 0.3);
  Points p;
  Polygons f;
  testing::appendGrid(p, f, 30, 0.0);
  for (auto& q : p) q[2] = 10.0 + jitter(rng) * 3.0, q[0] += jitter(rng), q[1] += jitter(rng);
  ToolBench b;
  testing::setPerspectiveView(b.tool.view, {14, 14, -5}, 0.001);
  b.load(p, f);
  ToolBench full;
  testing::setPerspectiveView(full.tool.view, {14, 14, -5}, 0.001);
  testing::buildTestMesh(full.mesh, p, f);  // no caches: every face is tested
  PaintContext c = b.context(), cf = full.context();
  int32_t hits = 0;
  std::uniform_real_distribution<double> aim(-1.2, 1.2);
  for (int k = 0; k < 400; ++k) {
    const Vec3 e{14 + aim(rng), 14 + aim(rng), -4};
    testing::moveEventTo(b.tool.view, e);
    testing::moveEventTo(full.tool.view, e);
    const FacePick a = getClickedPolygon(c), z = getClickedPolygon(cf);
    ASSERT_EQ(a.face, z.face) << k;
    hits += a.face >= 0;
  }
  EXPECT_GT(hits, 100);
}

TEST(ConnectedPart, FillReachesOnlySelectedPointsConnectedThroughSelectedPoints) {
  // A strip 0-1-2-3-4 of lines, and a separate quad 5..8.
  ToolBench b;
  Points p;
  for (int x = 0; x < 5; ++x) p.push_back({double(x), 0, 0});
  for (auto q : Points{{0, 2, 0}, {1, 2, 0}, {1, 3, 0}, {0, 3, 0}}) p.push_back(q);
  Polygons f = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {5, 6, 7, 8}};
  testing::setFrontView(b.tool.view, 0.01);
  b.load(p, f);
  PaintContext c = b.context();
  int32_t first = -1;
  for (int32_t k = 0; k < b.mesh.numFaces; ++k)
    if (b.mesh.faces[size_t(k)].cornerCount == 2 && b.mesh.faces[size_t(k)].corners[0]->index == 0) first = k;
  ASSERT_GE(first, 0);
  getPointsOfClickedPart(c, {first}, 1);
  EXPECT_EQ(b.tool.scratch.part, (std::vector<int32_t>{0, 1, 2, 3, 4}));
  for (int32_t i : {0, 1, 3, 4, 6}) setPointSelected(b.mesh, i, true);
  b.settings.value = 0.5f;
  EXPECT_EQ(runVMapPaintBrush_Fill(c, {first}), 2);
  EXPECT_EQ(b.mesh.points[1].value, 0.5f);
  EXPECT_EQ(b.mesh.points[3].changed, 0) << "selected, but only reachable through unselected 2";
  EXPECT_EQ(b.mesh.points[6].changed, 0);
  // Without the restriction ("Fill Sel") the part is whole; the work marks are left clear.
  getPointsOfClickedPart(c, {first}, 0);
  EXPECT_EQ(b.tool.scratch.part.size(), 5u);
  for (uint8_t m : b.tool.scratch.mark) EXPECT_EQ(m, 0);
}

TEST(ConnectedPart, FacesTouchingAtACornerJoinThroughIt) {
  ToolBench b;
  Points p = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 1, 0}, {2, 2, 0}, {5, 5, 0}, {6, 5, 0}, {6, 6, 0}};
  Polygons f = {{0, 1, 2}, {2, 3, 4}, {5, 6, 7}};
  testing::setFrontView(b.tool.view, 0.01);
  b.load(p, f);
  PaintContext c = b.context();
  getPointsOfClickedPart(c, {0}, 0);
  std::set<int32_t> got(b.tool.scratch.part.begin(), b.tool.scratch.part.end());
  EXPECT_EQ(got, (std::set<int32_t>{0, 1, 2, 3, 4}));
}

TEST(EventPosition, ATopViewIgnoresTheEventHeight) {
  ViewState v;
  v.viewType = 1;
  v.yon = 50;
  setScreenAxes(v, {0.02, 0, 0}, {0, 0, 0.02});
  EXPECT_DOUBLE_EQ(v.pixelSize, 0.02);
  EXPECT_EQ(getEventPosRaw(v, {3, 7, -2}, {1, 1, 1}), 0.0);
  EXPECT_EQ(v.eventPos.x, 3);
  EXPECT_EQ(v.eventPos.y, 0);
  EXPECT_EQ(v.eventPos.z, -2);
  EXPECT_EQ(v.eyePos.y, 1e8);
  EXPECT_EQ(v.rayDir.y, -1);
  EXPECT_EQ(v.eventOffset.y, 0);
  EXPECT_EQ(v.depthLimit, -500);
  EXPECT_EQ(v.perspective, 0);
  EXPECT_NEAR(dot(v.pickFrame[2], v.rayDir), 1.0, 1e-15);
  EXPECT_NEAR(dot(v.pickFrame[0], v.pickFrame[1]), 0.0, 1e-15);
}

TEST(EventPosition, APerspectiveEventLiesAtDepthOneAndReturnsItsDepth) {
  ViewState v;
  v.viewType = 7;
  v.eyePos = {1, 2, 3};
  setScreenAxes(v, {1, 0, 0}, {0, 1, 0});
  const double depth = getEventPosRaw(v, {3, 2, 7}, {0, 0, 0});
  EXPECT_DOUBLE_EQ(depth, 4.0);
  EXPECT_NEAR(v.eventPos.x, 1.5, 1e-15);
  EXPECT_NEAR(v.eventPos.z, 4.0, 1e-15);
  EXPECT_EQ(v.perspective, 1);
  EXPECT_NEAR(v.eventScreen.x, 0.5, 1e-15);
  // An event at the eye gives a neutral answer, not a division by zero.
  EXPECT_EQ(getEventPosRaw(v, {1, 2, 3}, {0, 0, 0}), 0.0);
  EXPECT_TRUE(std::isfinite(v.eventPos.x) && std::isfinite(v.rayDir.z));
  v.viewType = 12;
  getEventPosRaw(v, {3, 2, 7}, {0, 0, 0});
  EXPECT_EQ(v.rayDir.z, 1.0);
  EXPECT_EQ(v.eventPos.x, 0.0);
}

// A bone along +y from the origin: base, four side corners, tip.
void bonePyramid(Vec3 out[6], double length, double z = 0.0) {
  const double h = 0.1 * length;
  out[0] = {0, 0, z};
  out[1] = {h, h, z - h};
  out[2] = {-h, h, z - h};
  out[3] = {-h, h, z + h};
  out[4] = {h, h, z + h};
  out[5] = {0, length, z};
}

TEST(ItemPick, TheBoneDoublePyramidIsHitInsideAndOnItsEdge) {
  ViewState v;
  testing::setFrontView(v, 0.01);
  Vec3 bone[6];
  bonePyramid(bone, 1.0);
  EXPECT_TRUE(boneDoublePyramidHit(v, bone, {0.0, 0.5}));
  EXPECT_TRUE(boneDoublePyramidHit(v, bone, {0.0, 0.1}));  // on an edge
  EXPECT_FALSE(boneDoublePyramidHit(v, bone, {0.2, 0.5}));
  EXPECT_FALSE(boneDoublePyramidHit(v, bone, {0.0, 1.05}));
  ViewState p;
  testing::setPerspectiveView(p, {0, 0.5, 0}, 0.001);
  EXPECT_FALSE(boneDoublePyramidHit(p, bone, {0.0, 0.0})) << "a bone at the eye is skipped";
}

TEST(ItemPick, ModeOneKeepsTheShortestBoneAndModesTwoAndThreeAddAndRemove) {
  PickedBone storage[4];
  int32_t count = 0;
  EXPECT_EQ(applyBonePickHit(storage, count, {11, 2.0}, 1, true), 1);
  applyBonePickHit(storage, count, {12, 1.0}, 1, false);
  applyBonePickHit(storage, count, {13, 1.0}, 1, false);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(storage[0].item, 12u) << "the shorter wins, the first among equals";
  EXPECT_EQ(applyBonePickHit(storage, count, {14, 3.0}, 2, false), 1);
  EXPECT_EQ(applyBonePickHit(storage, count, {14, 3.0}, 2, false), 0);
  EXPECT_EQ(storage[0].item, 14u);
  EXPECT_EQ(applyBonePickHit(storage, count, {12, 1.0}, 3, false), -1);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(applyBonePickHit(storage, count, {99, 1.0}, 3, false), 0);
}

TEST(ItemPick, ObjectPolygonsLinesWithin16PixelsAndTheNearestFaceWins) {
  ViewState v;
  testing::setFrontView(v, 1.0 / 64);
  testing::moveEventTo(v, {0, 0, 0});
  ObjectPick pick;
  const Vec3 far[4] = {{-1, -1, 5}, {1, -1, 5}, {1, 1, 5}, {-1, 1, 5}};
  const Vec3 near[4] = {{-1, -1, 2}, {1, -1, 2}, {1, 1, 2}, {-1, 1, 2}};
  const Vec3 line16[2] = {{-1, 16.0 / 64, 1}, {1, 16.0 / 64, 1}};
  const Vec3 line17[2] = {{-1, 17.0 / 64, 0}, {1, 17.0 / 64, 0}};
  int tag[4];
  EXPECT_TRUE(offerObjectPolygon(pick, v, far, &tag[0]));
  EXPECT_TRUE(offerObjectPolygon(pick, v, near, &tag[1]));
  EXPECT_FALSE(offerObjectPolygon(pick, v, far, &tag[0]));
  EXPECT_FALSE(offerObjectPolygon(pick, v, line17, &tag[3]));
  EXPECT_TRUE(offerObjectPolygon(pick, v, line16, &tag[2]));
  EXPECT_EQ(pick.bestPolygon, &tag[2]);
  EXPECT_DOUBLE_EQ(pick.bestHit, 1.0);
  const Vec3 aside[3] = {{2, 2, 0}, {3, 2, 0}, {3, 3, 0}};
  EXPECT_FALSE(offerObjectPolygon(pick, v, aside, &tag[3]));
}

}  // namespace
}  // namespace velmora::tool
