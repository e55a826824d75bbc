// The host's idle step, scene evaluation, item renumbering and scene clearing: the parts
// whose timing the SDK documents leave open and the host policy decides.
#include <algorithm>

#include "host/host_access.h"
#include "host/host_slots.h"

namespace sim {

void Host::idle() {
  if (evaluationPending_) evaluateScene();
  processEvents();
}

void Host::applyScenePolicy() {
  const bool world = policy.otherPos == OtherPosSpace::World;
  if (world == appliedOtherPosInWorld_) return;
  appliedOtherPosInWorld_ = world;
  scene.otherPosInWorld = world;
  scene.refreshFrozen();
}

void Host::evaluateScene() {
  applyScenePolicy();
  evaluationPending_ = false;
  scene.refreshFrozen();
}

void Host::evaluationInputsChanged() {
  if (policy.objectFlags == ObjectFlagState::Live) {
    evaluateScene();
    return;
  }
  evaluationPending_ = true;
  if (commandDepth_ == 0 && pluginDepth_ == 0) idle();
}

void Host::renumberItems() {
  std::vector<std::pair<uint64_t, uint64_t>> changes = scene.renumberItems();
  if (changes.empty()) return;
  for (const auto& [from, to] : changes) renumbered_[from] = to;
  // "old-1, new-1, old-2, new-2, ..." ending in a null id.
  std::vector<LWItemID> list;
  for (const auto& [from, to] : changes) {
    list.push_back(toItemID(from));
    list.push_back(toItemID(to));
  }
  list.push_back(LWITEM_NULL);
  std::vector<MasterSlot*> current;
  for (auto& m : masters_) current.push_back(m.get());
  for (MasterSlot* slot : current) {
    bool alive = std::any_of(masters_.begin(), masters_.end(), [&](const auto& m) { return m.get() == slot; });
    if (!alive || !slot->item.changeID) continue;
    PluginCall call(*this);
    slot->item.changeID(slot->instance, list.data());
  }
  syncInterfaceInfo();
}

uint64_t Host::currentIdOf(uint64_t id) const {
  // Each id is renumbered at most once per step, so the chain is finite.
  for (auto it = renumbered_.find(id); it != renumbered_.end(); it = renumbered_.find(id)) id = it->second;
  return id;
}

void Host::clearScene() {
  static char sceneName[] = "(unnamed)";
  sendMasterEvent(LWEVNT_NOTIFY_SCENE_CLEAR_STARTING, sceneName);
  // Scene-level masters belong to the scene and are destroyed with it.
  for (size_t i = masters_.size(); i-- > 0;)
    if (masters_[i]->local.type != LWMAST_LAYOUT) removeServer(LWMASTER_HCLASS, int(i) + 1);
  while (!scene.items().empty()) scene.removeItem(scene.items().front()->id);
  syncInterfaceInfo();
  sendMasterEvent(LWEVNT_NOTIFY_SCENE_CLEAR_COMPLETE, sceneName);
}

void Host::sceneLoadStarting(const std::string& file) {
  std::string name = file;
  sendMasterEvent(LWEVNT_NOTIFY_SCENE_LOAD_STARTING, name.data());
}

void Host::sceneLoadComplete(const std::string& file) {
  std::string name = file;
  sendMasterEvent(LWEVNT_NOTIFY_SCENE_LOAD_COMPLETE, name.data());
  if (policy.itemIds == ItemIdStability::ChangeOnEvents) renumberItems();
}

}  // namespace sim
