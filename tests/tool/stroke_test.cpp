// The stroke state machine: press, drag and release through a recording host.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "tool/area_strokes.h"
#include "tool/brush_application.h"
#include "tool/stroke.h"
#include "tool/tool_test_mesh.h"

namespace velmora::tool {
namespace {

using testing::Points;
using testing::Polygons;

struct RecordingHost : StrokeHost {
  ViewportView view;
  bool haveViewports = true;
  int32_t unionWidth = 1000, unionHeight = 600;
  bool itemChanged = false;
  std::vector<std::string> calls;
  std::vector<std::vector<std::pair<int32_t, float>>> writes;
  const MeshData* mesh = nullptr;
  int32_t bonesUnderCursor = 0;
  std::string boneMap;

  bool viewportView(int32_t, ViewportView& out) override {
    out = view;
    return true;
  }
  bool viewportUnionSize(int32_t& w, int32_t& h) override {
    w = unionWidth, h = unionHeight;
    return haveViewports;
  }
  bool selectedItemChanged() override { return itemChanged; }
  void trySelectingObjectInLayout() override { calls.push_back("pickObject"); }
  void selectPickedObject() override { calls.push_back("selectObject"); }
  int32_t getSelectedBoneStc(int32_t mode) override {
    calls.push_back("bone" + std::to_string(mode));
    return bonesUnderCursor;
  }
  bool hasPickedBone() override { return bonesUnderCursor != 0; }
  bool pickedBoneWeightMap(char* out, int32_t size) override {
    if (boneMap.empty()) return false;
    std::snprintf(out, size_t(size), "%s", boneMap.c_str());
    return true;
  }
  void refreshEditPanel() override { calls.push_back("panel"); }
  void makeZeroWeightedOutlinePoints() override { calls.push_back("outline"); }
  void recordUndoStep(int32_t n) override { calls.push_back("undo" + std::to_string(n)); }
  void writeChangeList(int32_t n) override {
    calls.push_back("write" + std::to_string(n));
    std::vector<std::pair<int32_t, float>> w;
    for (int32_t k = 0; k < n; ++k) w.push_back({mesh->changeIndices[size_t(k)], mesh->changeValues[size_t(k)]});
    writes.push_back(w);
  }
};

// A 9 x 9 grid seen from the front, one pixel = 0.1 units; events carry world positions.
struct StrokeBench : testing::ToolBench {
  RecordingHost host;
  int32_t redraw = 0;
  StrokeContext ctx{mesh, settings, gradient, tool, redraw, host};
  StrokeBench() {
    Points p;
    Polygons f;
    testing::appendGrid(p, f, 9, 0.0);
    testing::buildTestMesh(mesh, p, f);
    host.mesh = &mesh;
    host.view.type = 3;
    host.view.yon = 1000;
    settings.brushSize = 20;
    settings.toolIndex = kToolBrush;
  }
  ToolEventInput event(double x, double y, int32_t flags = 0, int32_t dx = 0) const {
    ToolEventInput e;
    e.pos = {x, y, 0};
    e.axisX = {0.1, 0, 0};
    e.axisY = {0, 0.1, 0};
    e.flags = flags;
    e.dx = dx;
    return e;
  }
  void down(double x, double y, int32_t flags = 0) { strokeDown(ctx, event(x, y, flags)); }
  void drag(double x, double y, int32_t flags = 0, int32_t dx = 0) {
    redraw = 0;  // the draw callback has shown the previous event
    strokeMove(ctx, event(x, y, flags, dx));
  }
  void up() { strokeUp(ctx, event(0, 0)); }
  int32_t at(int32_t x, int32_t y) const { return y * 9 + x; }
};

TEST(StrokeLimits, BrushSizeMaxComesFromTheViewportsAndSizesAreClamped) {
  EXPECT_EQ(brushSizeMaxFor(true, 1000, 600), 320);
  EXPECT_EQ(brushSizeMaxFor(true, 300, 200), 128);
  EXPECT_EQ(brushSizeMaxFor(false, 0, 0), 320);
  EXPECT_EQ(clampBrushSize(1, 320), 4);
  EXPECT_EQ(clampBrushSize(999, 320), 320);
  EXPECT_EQ(clampBrushSize(50, 320), 50);
}

TEST(Stroke, ABrushStrokeChangesTheSnapshotAndWritesOnceAtTheRelease) {
  StrokeBench b;
  b.settings.strength[0] = 1.0f;
  b.settings.value = 0.6f;
  b.down(4, 4);
  EXPECT_EQ(b.redraw, 1);
  EXPECT_EQ(b.mesh.points[size_t(b.at(4, 4))].value, 0.6f);
  b.drag(2, 2);
  EXPECT_EQ(b.mesh.points[size_t(b.at(2, 2))].value, 0.6f);
  EXPECT_TRUE(b.host.writes.empty());
  b.up();
  EXPECT_EQ(b.redraw, 3);
  ASSERT_EQ(b.host.writes.size(), 1u);
  const auto& w = b.host.writes[0];
  EXPECT_GT(w.size(), 9u);
  for (size_t k = 1; k < w.size(); ++k) EXPECT_LT(w[k - 1].first, w[k].first) << "index order";
  EXPECT_EQ(b.host.calls.back(), "write" + std::to_string(w.size()));
  EXPECT_EQ(b.host.calls[b.host.calls.size() - 2], "undo" + std::to_string(w.size()));
}

TEST(Stroke, ADragWaitsForTheDrawOfThePreviousOne) {
  StrokeBench b;
  b.down(0, 0);
  strokeMove(b.ctx, b.event(8, 8));  // redrawRequest still 1: ignored
  EXPECT_EQ(b.mesh.points[size_t(b.at(8, 8))].changed, 0);
}

TEST(Stroke, AClickThatChangesNothingStillGivesAnEmptyListAndUndoStep) {
  StrokeBench b;
  b.down(50, 50);  // far from the mesh
  b.up();
  ASSERT_EQ(b.host.writes.size(), 1u);
  EXPECT_TRUE(b.host.writes[0].empty());
  EXPECT_NE(std::find(b.host.calls.begin(), b.host.calls.end(), "undo0"), b.host.calls.end());
  // With points selected, those are written back with their unchanged values.
  StrokeBench s;
  s.mesh.points[3].hasValue = 1, s.mesh.points[3].value = 0.25f;
  setPointSelected(s.mesh, 3, true);
  setPointSelected(s.mesh, 5, true);
  s.down(50, 50);
  s.up();
  ASSERT_EQ(s.host.writes.size(), 1u);
  EXPECT_EQ(s.host.writes[0], (std::vector<std::pair<int32_t, float>>{{3, 0.25f}, {5, kUnassignedValue}}));
}

TEST(Stroke, MovingTheViewCancelsAndWritesNothing) {
  StrokeBench b;
  b.down(4, 4);
  EXPECT_EQ(b.mesh.points[size_t(b.at(4, 4))].changed, 1);
  b.host.view.position = {0.5, 0, 0};
  b.drag(3, 3);
  EXPECT_EQ(b.redraw, 3);
  EXPECT_EQ(b.tool.stroke.cancelled, 1);
  b.host.view.position = {};
  b.drag(2, 2);  // still cancelled
  EXPECT_EQ(b.mesh.points[size_t(b.at(2, 2))].changed, 0);
  b.up();
  EXPECT_TRUE(b.host.writes.empty());
  for (const std::string& call : b.host.calls) EXPECT_EQ(call.rfind("undo", 0), std::string::npos);
}

TEST(Stroke, ARightButtonBrushDragResizesWithinItsLimits) {
  StrokeBench b;
  b.settings.brushSize = 2;  // below the minimum: clamped at the press
  b.down(4, 4, kAltButtonFlag);
  EXPECT_EQ(b.settings.brushSize, 4);
  EXPECT_EQ(b.settings.brushSizeMax, 320);
  b.drag(4, 4, kAltButtonFlag, 100);
  EXPECT_EQ(b.settings.brushSize, 104);
  b.drag(4, 4, kAltButtonFlag, -50);
  EXPECT_EQ(b.settings.brushSize, 4);
  b.drag(4, 4, kAltButtonFlag, 5000);
  EXPECT_EQ(b.settings.brushSize, 320);
  b.up();
  EXPECT_TRUE(b.host.writes.empty()) << "nothing is written by a resize";
  for (const PntUserData& p : b.mesh.points) EXPECT_EQ(p.hasValue, 0);
}

TEST(Stroke, ARightButtonPressOnABoneTakesItsWeightMap) {
  StrokeBench b;
  b.host.bonesUnderCursor = 1;
  b.host.boneMap = "Arm";
  b.down(4, 4, kAltButtonFlag);
  EXPECT_EQ(b.tool.stroke.downMode, kDownBoneRight);
  EXPECT_STREQ(b.settings.weightMapName, "Arm");
  b.up();
  EXPECT_TRUE(b.host.writes.empty());
  b.settings.boneFollowsMap = 0;
  b.settings.toolIndex = kToolSelBone;
  b.down(4, 4);
  EXPECT_EQ(b.tool.stroke.downMode, kDownPickingOff);
}

TEST(Stroke, WithoutAnObjectEveryPressPicksAnObject) {
  StrokeBench b;
  b.mesh.noObject = 1;
  b.down(4, 4);
  EXPECT_EQ(b.tool.stroke.downMode, kDownObject);
  b.drag(5, 5);
  b.up();
  EXPECT_EQ(b.host.calls, (std::vector<std::string>{"pickObject", "pickObject", "selectObject"}));
}

TEST(Stroke, PenSelSelectsWhenNothingIsSelectedAndDeselectsOtherwise) {
  StrokeBench b;
  b.settings.toolIndex = kToolPenSel;
  b.down(4, 4);
  b.up();
  EXPECT_EQ(b.mesh.selectedCount, 9);
  EXPECT_TRUE(b.host.writes.empty());
  b.down(4, 4);
  b.up();
  EXPECT_EQ(b.mesh.selectedCount, 0);
  b.down(4, 4, kAltButtonFlag);  // the right button always selects
  b.up();
  EXPECT_EQ(b.mesh.selectedCount, 9);
}

TEST(Stroke, ASnapshotReCapturedDuringTheStrokeIsPaintedSafely) {
  // A scene event re-captures a smaller object between the press and the drag.
  StrokeBench b;
  b.settings.toolIndex = kToolPen;
  b.down(4, 4);
  Points p;
  Polygons f;
  testing::appendGrid(p, f, 3, 0.0);
  testing::buildTestMesh(b.mesh, p, f);
  b.drag(1, 1);
  EXPECT_EQ(b.mesh.points[4].hasValue, 1);
  b.up();
  ASSERT_EQ(b.host.writes.size(), 1u);
  EXPECT_LE(b.host.writes[0].size(), 9u);
}

TEST(Stroke, AReleaseAfterTheObjectChangedWritesNothing) {
  StrokeBench b;
  b.down(4, 4);
  b.host.itemChanged = true;
  b.up();
  EXPECT_TRUE(b.host.writes.empty());
}

TEST(Stroke, LassoPaintSetsThePointsInsideTheOutline) {
  StrokeBench b;
  b.settings.toolIndex = kToolLassoPaint;
  b.settings.value = 0.5f;
  b.down(1.5, 1.5);
  b.drag(3.5, 1.5);
  b.drag(3.5, 3.5);
  b.drag(1.5, 3.5);
  b.up();
  ASSERT_EQ(b.host.writes.size(), 1u);
  std::vector<int32_t> written;
  for (auto [i, v] : b.host.writes[0]) {
    written.push_back(i);
    EXPECT_EQ(v, 0.5f);
  }
  EXPECT_EQ(written, (std::vector<int32_t>{b.at(2, 2), b.at(3, 2), b.at(2, 3), b.at(3, 3)}));
  EXPECT_TRUE(b.tool.stroke.lasso.nodes.empty());
}

TEST(GradientLine, SnapsToFifteenDegreeStepsKeepingTheLength) {
  ViewState v;
  testing::setFrontView(v, 0.1);
  const Vec3 end = snapGradientEnd(v, {1, 1, 0}, {1 + 2 * std::cos(0.3), 1 + 2 * std::sin(0.3), 0});
  // 0.3 rad = 17.2 degrees: snapped to 15.
  EXPECT_NEAR(end.x, 1 + 2 * std::cos(std::numbers::pi / 12), 1e-12);
  EXPECT_NEAR(end.y, 1 + 2 * std::sin(std::numbers::pi / 12), 1e-12);
  const Vec3 up = snapGradientEnd(v, {0, 0, 0}, {0.2, 3, 0});
  EXPECT_NEAR(up.x, 0.0, 1e-12);
  EXPECT_NEAR(up.y, std::hypot(0.2, 3), 1e-12);
}

TEST(GradientLine, PointsBehindTheStartGetEverythingAndBeyondTheEndNothing) {
  StrokeBench b;
  b.settings.toolIndex = kToolLinearGrad;
  b.settings.strength[1] = 1.0f;
  b.settings.value = 1.0f;
  b.down(2, 4);
  b.drag(6, 4);
  b.up();
  ASSERT_EQ(b.host.writes.size(), 1u);
  EXPECT_EQ(b.mesh.points[size_t(b.at(0, 0))].value, 1.0f);
  EXPECT_EQ(b.mesh.points[size_t(b.at(2, 8))].value, 1.0f);
  EXPECT_NEAR(b.mesh.points[size_t(b.at(4, 1))].value, 0.5f, 1e-6);
  EXPECT_EQ(b.mesh.points[size_t(b.at(7, 4))].changed, 0);
  // A line whose end is its start changes nothing and writes nothing.
  StrokeBench z;
  z.settings.toolIndex = kToolLinearGrad;
  z.down(2, 4);
  z.up();
  EXPECT_TRUE(z.host.writes.empty());
  for (const PntUserData& p : z.mesh.points) EXPECT_EQ(p.changed, 0);
}

}  // namespace
}  // namespace velmora::tool
