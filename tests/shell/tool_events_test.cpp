// The tool's mouse callbacks in the sim's viewports: every view type's event turns into
// a pick ray through the point under the cursor; bones are picked as they are drawn;
// the zero ring closes a painted region in the object's map.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "mesh/snapshot.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"
#include "tool/stroke.h"

namespace {

using sim::Host;
namespace vt = velmora::tool;

class ToolEvents : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    host->viewports.assign(1, {});
    port().center = {0, 1.5, 0};
    port().width = 640;
    port().height = 480;
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  }
  sim::SimViewport& port() { return host->viewports[0]; }
  std::pair<double, double> screenOf(const sim::Vec3& world) {
    double x = 0, y = 0;
    EXPECT_TRUE(port().project(world, &x, &y, nullptr));
    return {x, y};
  }
  void click(double x, double y, int button = 0) {
    ASSERT_GE(host->toolMouse(Host::MouseAction::Down, x, y, button, 0, 0), 0);
    ASSERT_GE(host->toolMouse(Host::MouseAction::Up, x, y, button, 0, 0), 0);
  }
};

// Distance from p to the ray o + t d (d unit, t >= 0).
double distanceToRay(const vt::Vec3& o, const vt::Vec3& d, const vt::Vec3& p) {
  const vt::Vec3 r = p - o;
  const double t = std::max(0.0, dot(r, d));
  return length(r - d * t);
}

TEST_F(ToolEvents, EveryViewTypesEventGivesARayThroughThePointUnderTheCursor) {
  stInstData.toolIndex = vt::kToolSelObject;  // a press that paints nothing
  const sim::Vec3 target = {0.3, 1.1, -0.2};
  for (int type = 1; type <= 9; ++type) {
    SCOPED_TRACE(type);
    port().type = type;
    port().rotation = {0.6, 0.3, 0.0};
    port().zoom = type >= 7 ? 5.0 : 2.0;
    const auto [x, y] = screenOf(target);
    click(x, y);
    const vt::ViewState& v = stInstData.tool.view;
    EXPECT_EQ(v.viewType, type);
    EXPECT_EQ(v.perspective, type >= 7 ? 1 : 0);
    EXPECT_NEAR(length(v.rayDir), 1.0, 1e-9);
    // The ray from the eye passes through the point (to float precision of the event).
    EXPECT_LT(distanceToRay(v.eyePos, v.rayDir, {target[0], target[1], target[2]}), 1e-4);
    // One pixel at the target is pixelSize (times the depth in a perspective view).
    const double depth = type >= 7 ? dot(vt::Vec3{target[0], target[1], target[2]} - v.eyePos, v.viewDir) : 1.0;
    EXPECT_NEAR(v.pixelSize * depth, port().pixelSize(1.0, target), 1e-6);
  }
}

TEST_F(ToolEvents, SelBonePicksTheBoneUnderTheCursorAndTakesItsMap) {
  // Seen from the right, the three bones run up the limb; "Hand" is at the top.
  port().type = 5;
  port().zoom = 2.0;
  stInstData.toolIndex = vt::kToolSelBone;
  stInstData.pickedBones.clear();
  // A tenth of the way along the lower bone, where its pyramid is widest.
  const sim::Frame lower = host->scene.worldFrame(demo.bones[1]);
  const sim::Vec3 nearBase = {lower.origin[0] + lower.axis[2][0] * 0.12, lower.origin[1] + lower.axis[2][1] * 0.12,
                              lower.origin[2] + lower.axis[2][2] * 0.12};
  const auto [x, y] = screenOf(nearBase);
  click(x, y, 1);  // right button: add
  ASSERT_EQ(stInstData.pickedBones.size(), 1u);
  EXPECT_EQ(stInstData.pickedBones[0].bone, reinterpret_cast<LWItemID>(uintptr_t(demo.bones[1])));
  EXPECT_STREQ(stInstData.weightMapName, "Lower");
  click(x, y, 0);  // left button with a bone picked: remove
  EXPECT_TRUE(stInstData.pickedBones.empty());
  click(20, 20, 1);  // nothing there
  EXPECT_TRUE(stInstData.pickedBones.empty());
}

TEST_F(ToolEvents, ZeroWeightedOutlinePointsCloseAPaintedRegion) {
  port().type = 4;
  port().zoom = 2.0;
  for (int zeroOutline : {0, 1}) {
    SCOPED_TRACE(zeroOutline);
    std::snprintf(stInstData.weightMapName, kMapNameSize, "Ring%d", zeroOutline);
    stInstData.zeroOutline = zeroOutline;
    stInstData.toolIndex = vt::kToolPen;
    stInstData.falloffMode = 1;
    stInstData.brushSize = 30;
    stInstData.redrawRequest = 3;
    host->redrawViewports();
    const auto [x, y] = screenOf({0, 1.0, 0.25});
    click(x, y);
    const sim::SimVMap* map = host->scene.find(demo.limb)->mesh->findVMap(sim::kVMapWGHT, stInstData.weightMapName);
    ASSERT_NE(map, nullptr);
    int zeros = 0, painted = 0;
    for (const auto& [point, values] : map->values) (values[0] == 0.0f ? zeros : painted)++;
    EXPECT_GT(painted, 0);
    // Every zero shares a polygon with a painted point: the ring closes, it does not spread.
    const sim::SimMesh& mesh = *host->scene.find(demo.limb)->mesh;
    auto valueOf = [&](uint32_t point) {
      auto it = map->values.find(point);
      return it == map->values.end() ? -1.0f : it->second[0];
    };
    for (const auto& [point, values] : map->values) {
      if (values[0] != 0.0f) continue;
      bool besidePaint = false;
      for (const auto& polygon : mesh.polygons()) {
        bool has = false, painted = false;
        for (uint32_t v : polygon.vertices) has |= v == point, painted |= valueOf(v) > 0.0f;
        besidePaint |= has && painted;
      }
      EXPECT_TRUE(besidePaint) << "point " << point;
    }
    if (zeroOutline) EXPECT_GT(zeros, 0);
    else EXPECT_EQ(zeros, 0);
  }
}

}  // namespace
