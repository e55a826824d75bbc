// The tool's handler on its ring: the mesh-edit command asks for its work here, and the
// master forwards scene events.
#include "mesh/dummy_object.h"
#include "mesh/snapshot.h"
#include "mesh/weight_map_names.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/comm_rings.h"
#include "shell/item_id_changes.h"

void sendRingMessage(const char* topic, int code, void* data) {
  GlobalFunc* global = stHost.global;
  auto* ring = global ? static_cast<LWComRing*>(global(hostapi::kComRing, GFUSE_TRANSIENT)) : nullptr;
  if (ring) ring->ringMessage(const_cast<char*>(topic), code, data);
}

namespace {

LWItemID firstSelectedItem() {
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  return ui && ui->selItems ? ui->selItems[0] : LWITEM_NULL;
}


void onSelectionChanged(InstData& inst) {
  if (!reacquireSceneGlobals()) return;
  LWItemID u = firstSelectedItem();
  if (u && stHost.itemInfo->type(u) != LWI_OBJECT) return;
  if (u == inst.mesh.lastObject) return;
  inst.mesh.lastObject = u;
  LWItemID current = inst.mesh.currentObject;
  if (!itemExistsWithItemID(stHost.itemInfo, current) || inst.mesh.noObject == 1) return;
  hostCommandf("SelectItem %x", unsigned(reinterpret_cast<uintptr_t>(current)));
  if (!u) {
    // Nothing selected: the tool keeps its object selected. The host reports that
    // re-selection as another change; it is the tool's own object, not a new one.
    inst.mesh.lastObject = current;
    return;
  }
  hostCommandf("ItemVisibility %d", inst.mesh.savedVisibility);
  hostCommandf("SelectItem %x", unsigned(reinterpret_cast<uintptr_t>(u)));
  if (inst.pendingRefresh != 0 || stBuildNumber < 2000) {
    inst.pendingRefresh = 0;
    hostCommand("RefreshNow");
  }
}

bool toolObjectIsFirstSelected(const InstData& inst) {
  return inst.mesh.currentObject && inst.mesh.noObject == 0 && firstSelectedItem() == inst.mesh.currentObject &&
         inst.visibility != 0;
}

void onSceneSaveStarting(InstData& inst) {
  reacquireSceneGlobals();
  hostCommand("AutoConfirm 1");
  removeDummyObject(inst);
  hostCommand("AutoConfirm 0");
  if (toolObjectIsFirstSelected(inst)) {
    hostCommandf("ItemVisibility %d", inst.mesh.savedVisibility);
    hostCommand("Refresh");
  }
}

void onSceneSaveDone(InstData& inst) {
  reacquireSceneGlobals();
  inst.mesh.dummyObject = getDummyObject(inst);
  if (toolObjectIsFirstSelected(inst)) hostCommand("ItemVisibility 1");
  hostCommand("RefreshNow");
}

void replyToCommand(InstData& inst, int code, RingDataBlock* block) {
  if (!block || inst.mesh.noObject) return;
  switch (code) {
    case kMsgStoreValues:
      block->count = inst.changeCount;
      block->indices = inst.mesh.changeIndices.data();
      block->values = inst.mesh.changeValues.data();
      block->instance = &inst;
      break;
    case kMsgMapNames:
      block->instance = &inst;
      block->secondName = inst.newWeightMapName;
      break;
    case kMsgMultiMap:
    case kOpMultiMapBefore:
      block->count = inst.changeCount;
      block->indices = inst.mesh.changeIndices.data();
      block->deletions = inst.mapsToDelete;
      block->pointMapLists = inst.mesh.pointMapLists.data();
      break;
    default: break;
  }
}

}  // namespace

void ringEvent(void* instPtr, void*, int code, void* data) {
  guardCallbackVoid([&] {
    if (instPtr != &stInstData) return;
    InstData& inst = *static_cast<InstData*>(instPtr);
    auto* block = static_cast<RingDataBlock*>(data);
    if (code == kMsgItemIdsChanged) {
      applyItemIdChanges(inst, static_cast<const LWItemID*>(data));
      return;
    }
    if (code == kMsgMapChanged) {
      inst.meAccessOp = kOpMapChanged;
      return;
    }
    if (code == kMsgSelectionChanged) {
      if (inst.mesh.noObject) return;
      onSelectionChanged(inst);
      return;
    }
    if (code == kMsgSceneSaveStarting) {
      onSceneSaveStarting(inst);
      return;
    }
    if (code == kMsgSceneSaveDone) {
      onSceneSaveDone(inst);
      return;
    }
    if (code == kMsgQueryOp) {
      // Answered with or without an object: the dummy object's edits run before the
      // first snapshot.
      if (block) block->count = inst.meAccessOp;
      return;
    }
    replyToCommand(inst, code, block);
  });
}
