// Painting as a user does it, under every host policy: strokes pressed, dragged and
// released in the sim's viewports reach the object's weight map once, at the release,
// at exactly the points the tool changed; a moved view voids the stroke; picks select
// objects; the brush hits the posed mesh where it is shown.
#include <cmath>
#include <map>

#include "mesh/snapshot.h"
#include "policy/policy_fixture.h"
#include "shell/module_state.h"
#include "tool/stroke.h"
#include "undo/undo_history.h"

namespace {

using sim::Host;
namespace vt = velmora::tool;

// Undo records the strokes left in the tool's history; every one holds point values.
int recordedSteps() {
  int n = 0;
  for (const UndoStc* r = stInstData.undo.head ? stInstData.undo.head->next : nullptr; r; r = r->next, ++n)
    EXPECT_EQ(r->kind, kUndoPointValues);
  return n;
}

class PaintingScenario : public PolicyFixture {
 protected:
  void SetUp() override {
    PolicyFixture::SetUp();
    host->viewports.assign(1, {});
    front().type = 4;
    front().center = {0, 1.5, 0};
    front().zoom = 2.0;
    front().width = 800;
    front().height = 600;
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
    // Paint into a map of its own, so every value in it comes from the strokes.
    std::snprintf(stInstData.weightMapName, kMapNameSize, "Paint");
    stInstData.zeroOutline = 0;
    stInstData.redrawRequest = 3;
    host->redrawViewports();
    ASSERT_EQ(stInstData.mesh.meshReady, 1);
  }
  sim::SimViewport& front() { return host->viewports[0]; }
  // Window position of a world point in viewport 0.
  std::pair<double, double> screenOf(const sim::Vec3& world) {
    double x = 0, y = 0;
    EXPECT_TRUE(host->viewports[0].project(world, &x, &y, nullptr));
    return {x, y};
  }
  sim::Vec3 displayed(uint32_t point) {
    const sim::FrozenMesh& f = host->scene.frozen(id(demo.limb));
    const auto& p = f.otherPos[f.extraPoints + point];
    return {p[0], p[1], p[2]};
  }
  void press(double x, double y, int button = 0) { ASSERT_GE(host->toolMouse(Host::MouseAction::Down, x, y, button, 0, 0), 0); }
  // A move as the user makes it: the mouse rests there until the host has drawn a frame
  // (a host may deliver a second move before it draws).
  void drag(double x, double y) {
    for (int k = 0; k < 2; ++k) ASSERT_GE(host->toolMouse(Host::MouseAction::Move, x, y, 0, 0, 0), 0);
  }
  void release(double x, double y) { ASSERT_GE(host->toolMouse(Host::MouseAction::Up, x, y, 0, 0, 0), 0); }
  // The "Paint" map as it is on the object: point -> value.
  std::map<uint32_t, float> paintMap() {
    std::map<uint32_t, float> out;
    const sim::SimVMap* map = item(demo.limb)->mesh->findVMap(sim::kVMapWGHT, "Paint");
    if (!map) return out;
    for (const auto& [point, values] : map->values) out[point] = values.empty() ? 0.0f : values[0];
    return out;
  }
  // What the snapshot holds as changed by the stroke so far.
  std::map<uint32_t, float> snapshotChanges() {
    std::map<uint32_t, float> out;
    for (const PntUserData& p : stInstData.mesh.points)
      if (p.changed && p.hasValue) out[uint32_t(p.index)] = p.value;
    return out;
  }
  int writeBacksSince(size_t from) { return countCommand(from, "ModCommand_MEAccess_vmr"); }
};

TEST_P(PaintingScenario, AStrokeLandsOnceAtTheReleaseAtExactlyThePointsTheToolChanged) {
  stInstData.toolIndex = vt::kToolBrush;
  stInstData.falloffMode = 1;  // "Surface"
  stInstData.brushSize = 60;
  const size_t from = logSize();
  const auto [x, y] = screenOf({0, 0.8, 0});
  press(x, y);
  for (int k = 1; k <= 6; ++k) drag(x + 10 * k, y - 5 * k);
  EXPECT_EQ(writeBacksSince(from), 0);
  EXPECT_TRUE(paintMap().empty());
  const auto painted = snapshotChanges();
  ASSERT_FALSE(painted.empty());
  release(x + 60, y - 30);
  EXPECT_EQ(writeBacksSince(from), 1);
  EXPECT_EQ(recordedSteps(), 1);
  EXPECT_EQ(paintMap(), painted);
  // The next frame re-captures the snapshot from the object: the same values come back.
  host->redrawViewports();
  for (const auto& [index, value] : painted) {
    ASSERT_TRUE(stInstData.mesh.points[index].hasValue);
    EXPECT_FLOAT_EQ(stInstData.mesh.points[index].value, value);
  }
}

TEST_P(PaintingScenario, TheBrushPaintsThePosedMeshWhereItIsShown) {
  // The top of the limb is bent away by the posed lower bone (a pitch): seen from the
  // right, find a point whose shown and rest positions lie far apart on the screen.
  front().type = 5;
  sim::SimItem* limb = item(demo.limb);
  uint32_t chosen = 0;
  double best = -1;
  for (uint32_t i = 0; i < limb->mesh->numPoints(); ++i) {
    const auto& rest = limb->mesh->point(i).pos;
    const sim::Vec3 shown = displayed(i);
    if (rest[0] < 0.2) continue;  // on the side towards the eye
    const double apart = std::hypot(shown[2] - rest[2], shown[1] - rest[1]);
    if (apart > best) best = apart, chosen = i;
  }
  ASSERT_GT(best, 0.3);
  stInstData.toolIndex = vt::kToolPen;
  stInstData.falloffMode = 0;  // "Global"
  stInstData.brushSize = 12;
  const auto [x, y] = screenOf(displayed(chosen));
  press(x, y);
  release(x, y);
  const auto map = paintMap();
  ASSERT_TRUE(map.count(chosen)) << "point " << chosen;
  // Every painted point is shown near the cursor, whatever its rest position.
  for (const auto& [index, value] : map) {
    const auto [px, py] = screenOf(displayed(index));
    EXPECT_LE(std::hypot(px - x, py - y), 13.0) << "point " << index << " rest far from the cursor";
  }
}

TEST_P(PaintingScenario, MovingTheViewDuringADragWritesNothing) {
  stInstData.toolIndex = vt::kToolBrush;
  const size_t from = logSize();
  const auto [x, y] = screenOf({0, 0.8, 0});
  press(x, y);
  drag(x + 5, y);
  front().center = {0.5, 1.5, 0};  // the user pans the view
  drag(x + 10, y);
  drag(x + 15, y);
  release(x + 15, y);
  EXPECT_EQ(writeBacksSince(from), 0);
  EXPECT_EQ(recordedSteps(), 0);
  EXPECT_TRUE(paintMap().empty());
  // The next frame re-captures: what the voided stroke painted into the snapshot is gone.
  host->redrawViewports();
  for (const PntUserData& p : stInstData.mesh.points) ASSERT_FALSE(p.hasValue) << "point " << p.index;
}

TEST_P(PaintingScenario, AClickThatChangesNothingStillRecordsAndWritesAnEmptyList) {
  stInstData.toolIndex = vt::kToolBrush;
  const size_t from = logSize();
  press(20, 20);  // far off the limb
  release(20, 20);
  EXPECT_EQ(writeBacksSince(from), 1);
  EXPECT_EQ(recordedSteps(), 1);
  EXPECT_EQ(stInstData.changeCount, 0);
  EXPECT_TRUE(paintMap().empty());
}

TEST_P(PaintingScenario, SelectedOnlyPaintingAndFillStayInsideTheSelection) {
  // Select the points of the lower third, then paint across the whole limb.
  MeshData& m = stInstData.mesh;
  for (PntUserData& p : m.points) p.selected = p.pos[1] < 0.9 ? 1 : 0;
  m.selectedCount = 0;
  for (const PntUserData& p : m.points) m.selectedCount += p.selected;
  stInstData.toolIndex = vt::kToolFill;
  const auto [x, y] = screenOf({0, 0.5, -0.25});
  press(x, y);
  release(x, y);
  const auto map = paintMap();
  ASSERT_FALSE(map.empty());
  for (const auto& [index, value] : map) {
    EXPECT_LT(item(demo.limb)->mesh->point(index).pos[1], 0.9f) << "point " << index;
    EXPECT_FLOAT_EQ(value, 1.0f);
  }
}

TEST_P(PaintingScenario, SelObjectPicksTheObjectUnderTheCursorAndSelectsItAtTheRelease) {
  // "Other" stands beside the limb (moved in its own mesh, so that its item transform
  // stays the identity whichever space the host's displayed positions are in).
  sim::SimMesh& mesh = *item(other)->mesh;
  for (size_t i = 0; i < mesh.numPoints(); ++i) mesh.point(i).pos[0] += 1.2f;
  mesh.touch();
  host->command("RefreshNow");
  stInstData.toolIndex = vt::kToolSelObject;
  size_t from = logSize();
  auto [lx, ly] = screenOf({0, 1.0, -0.25});
  press(lx, ly);
  release(lx, ly);
  EXPECT_EQ(countCommand(from, selectCommand(demo.limb)), 0) << "the current object is not selected again";
  auto [ox, oy] = screenOf({1.2, 0.5, 0});
  // Nearly dissolved, it is not there for the pick.
  item(other)->dissolve = 0.99;
  from = logSize();
  press(ox, oy);
  release(ox, oy);
  EXPECT_EQ(countCommand(from, selectCommand(other)), 0);
  item(other)->dissolve = 0.98;
  from = logSize();
  press(ox, oy);
  release(ox, oy);
  EXPECT_EQ(countCommand(from, selectCommand(other)), 1);
  EXPECT_EQ(host->scene.firstSelected(), id(other));
  EXPECT_EQ(stInstData.mesh.currentObject, itemId(other));
}

TEST_P(PaintingScenario, ARightButtonDragResizesTheBrushWithinItsBounds) {
  stInstData.toolIndex = vt::kToolBrush;
  stInstData.brushSize = 50;
  press(700, 100, 1);
  drag(400, 100);  // 300 pixels to the left
  EXPECT_EQ(stInstData.brushSize, 4);
  drag(2000, 100);
  EXPECT_EQ(stInstData.brushSize, stInstData.brushSizeMax);
  EXPECT_EQ(stInstData.brushSizeMax, 280);  // 0.2 (800 + 600)
  const size_t from = logSize();
  release(2000, 100);
  EXPECT_EQ(writeBacksSince(from), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryPlausibleHost, PaintingScenario, ::testing::ValuesIn(sim::plausibleHostPolicies()),
                         policyTestName);

}  // namespace
