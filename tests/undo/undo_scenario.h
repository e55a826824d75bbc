// The limb of the demo scene painted with the mouse in a top view, with a second object:
// the scene of the undo scenarios and of the undo property test.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "mesh/snapshot.h"
#include "shell/mesh_edit_access.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"
#include "tool/stroke.h"
#include "undo/undo_record.h"
#include "undo/undo_replay.h"

namespace undo_test {

using sim::Host;
namespace vt = velmora::tool;
using ValueMap = std::map<uint32_t, float>;

class UndoScenario : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    other = host->scene.addObject("Other", sim::makeLimbMesh(3, 5, 1.0f, 0.5f)).id;
    host->viewports.assign(1, {});
    sim::SimViewport& v = host->viewports[0];
    v.type = 4;
    v.center = {0, 1.5, 0};
    v.zoom = 2.0;
    v.width = 800;
    v.height = 600;
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
    std::snprintf(stInstData.weightMapName, kMapNameSize, "Paint");
    stInstData.zeroOutline = 0;
    stInstData.toolIndex = vt::kToolBrush;
    stInstData.falloffMode = 1;
    stInstData.brushSize = 60;
    redraw();
    ASSERT_EQ(stInstData.mesh.meshReady, 1);
  }

  sim::SimItem* limb() { return host->scene.find(host->currentIdOf(demo.limb)); }
  unsigned lowId(uint64_t original) { return unsigned(host->currentIdOf(original)); }
  std::string selectCommand(uint64_t original) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "SelectItem %x", lowId(original));
    return buf;
  }
  void redraw() {
    stInstData.redrawRequest = 3;
    host->redrawViewports();
  }
  std::pair<double, double> screenOf(const sim::Vec3& world) {
    double x = 0, y = 0;
    EXPECT_TRUE(host->viewports[0].project(world, &x, &y, nullptr));
    return {x, y};
  }
  // A stroke pressed at (x, y), dragged to the right and released, then drawn.
  void stroke(double x, double y, int drags = 4) {
    ASSERT_GE(host->toolMouse(Host::MouseAction::Down, x, y, 0, 0, 0), 0);
    for (int k = 1; k <= drags; ++k)
      for (int twice = 0; twice < 2; ++twice)
        ASSERT_GE(host->toolMouse(Host::MouseAction::Move, x + 8 * k, y, 0, 0, 0), 0);
    ASSERT_GE(host->toolMouse(Host::MouseAction::Up, x + 8 * drags, y, 0, 0, 0), 0);
    host->redrawViewports();
  }
  // A weight map of the limb as the object holds it: point -> value.
  ValueMap mapOf(const std::string& name) {
    ValueMap out;
    const sim::SimVMap* map = limb()->mesh->findVMap(sim::kVMapWGHT, name);
    if (!map) return out;
    for (const auto& [point, values] : map->values) out[point] = values.empty() ? 0.0f : values[0];
    return out;
  }
  bool limbHasMap(const std::string& name) { return limb()->mesh->findVMap(sim::kVMapWGHT, name) != nullptr; }
  // The snapshot shows the object's values for the current map.
  void expectSnapshotShows(const ValueMap& map) {
    for (const PntUserData& p : stInstData.mesh.points) {
      auto it = map.find(uint32_t(p.index));
      ASSERT_EQ(bool(p.hasValue), it != map.end()) << "point " << p.index;
      if (it != map.end()) {
        EXPECT_FLOAT_EQ(p.value, it->second) << "point " << p.index;
      }
    }
  }
  int writeBacksSince(size_t from) { return countCommand(from, "ModCommand_MEAccess_vmr"); }
  // Makes the other object the tool's object, as selecting it in Layout does.
  void switchToOther() {
    char buf[32];
    std::snprintf(buf, sizeof buf, "SelectItem %x", lowId(other));
    host->command(buf);
    redraw();
    ASSERT_EQ(stInstData.mesh.currentObject, reinterpret_cast<LWItemID>(uintptr_t(host->currentIdOf(other))));
  }

  uint64_t other = 0;
};

// Renames the current map as the rename command does: record, then write back.
inline void renameCurrentMap(const char* newName) {
  std::snprintf(stInstData.newWeightMapName, kMapNameSize, "%s", newName);
  ASSERT_EQ(rec1Process(stInstData, kUndoRename), 1);
  stInstData.meAccessOp = kOpRenameMap;
  callMeshEditAccess(stInstData);
  ASSERT_EQ(stInstData.meAccessOp, kOpMapChanged);
  std::snprintf(stInstData.weightMapName, kMapNameSize, "%s", newName);
}

}  // namespace undo_test
