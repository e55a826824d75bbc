#include "mesh/dummy_object.h"

#include <cstdint>

#include "mesh/weight_map_names.h"
#include "settings/c_strings.h"
#include "settings/host_globals.h"
#include "shell/item_id_changes.h"
#include "shell/mesh_edit_access.h"
#include "shell/module_state.h"

namespace {

constexpr unsigned kNoDeformersApplied = 1u << 18;
constexpr unsigned kUnseenByCamera = 1u << 0, kUnseenByRays = 1u << 1, kUnaffectByFog = 1u << 2,
                   kUnseenByRadiosity = 1u << 19;

unsigned lowId(LWItemID id) { return unsigned(reinterpret_cast<uintptr_t>(id)); }

LWItemID firstSelected() {
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  return ui && ui->selItems ? ui->selItems[0] : LWITEM_NULL;
}

LWItemID findDummyCandidate() {
  const LWItemInfo* items = stHost.itemInfo;
  for (LWItemID id = items->first(LWI_OBJECT, LWITEM_NULL); id; id = items->next(id))
    if (compareCString(items->name(id), kDummyObjectName)) return id;
  return LWITEM_NULL;
}

bool hasBone(LWItemID object) { return stHost.itemInfo->first(LWI_BONE, object) != LWITEM_NULL; }

void runMeshEdit(InstData& inst, int op) {
  int saved = inst.meAccessOp;
  inst.meAccessOp = op;
  hostCommand("ModCommand_MEAccess_vmr");
  inst.meAccessOp = saved;
}

}  // namespace

LWItemID getDummyObject(InstData& inst) {
  if (!reacquireSceneGlobals() || !stHost.command) return LWITEM_NULL;
  const LWItemInfo* items = stHost.itemInfo;
  const LWObjectInfo* objects = stHost.objectInfo;
  LWItemID candidate = findDummyCandidate();
  if (candidate && objects->numPoints(candidate) > 0 && hasBone(candidate)) return candidate;

  LWItemID remembered = firstSelected();
  hostCommand("AutoConfirm 1");
  if (!candidate) {
    hostCommandf("AddNull %s", kDummyObjectName);
    reacquireSceneGlobals();
    candidate = firstSelected();
  } else {
    hostCommandf("SelectItem %x", lowId(candidate));
  }
  if (candidate && items->type(candidate) == LWI_OBJECT) {
    if (objects->numPoints(candidate) == 0) {
      if (stDummyFirstEditPending && stBuildNumber > 3350) runMeshEdit(inst, kOpEmptyEdit);
      stDummyFirstEditPending = false;
      runMeshEdit(inst, kOpAddTwoPoints);
    }
    unsigned shadows = objects->shadowOpts(candidate);
    if (shadows & (1u << 0)) hostCommand("SelfShadow");
    if (shadows & (1u << 1)) hostCommand("CastShadow");
    if (shadows & (1u << 2)) hostCommand("ReceiveShadow");
    unsigned flags = objects->flags(candidate);
    if (!(flags & kUnseenByCamera)) hostCommand("UnseenByCamera");
    if (!(flags & kUnseenByRays)) hostCommand("UnseenByRays");
    if (!(flags & kUnseenByRadiosity)) hostCommand("UnseenByRadiosity");
    if (!(flags & kUnaffectByFog)) hostCommand("UnaffectedByFog");
    hostCommand("UnseenByAlphaChannel 1");
    hostCommand("ItemVisibility 2");
    hostCommand("ItemLock 1");
    if (!hasBone(candidate)) {
      hostCommand("AddBone Bone");
      hostCommand("BoneRestLength 0.0001");
      hostCommand("BoneActive");
      hostCommand("ItemVisibility 0");
      hostCommand("ItemLock 1");
    }
  }
  hostCommand("AutoConfirm 0");
  if (remembered) hostCommandf("SelectItem %x", lowId(remembered));
  stDeformationStateUnevaluated = true;
  return candidate;
}

void removeDummyObject(InstData& inst) {
  if (!reacquireSceneGlobals()) return;
  LWItemID dummy = inst.mesh.dummyObject;
  if (!itemExistsWithItemID(stHost.itemInfo, dummy)) return;
  if (!compareCString(stHost.itemInfo->name(dummy), kDummyObjectName)) return;
  LWItemID remembered = firstSelected();
  const size_t idMark = itemIdChangeMark();
  hostCommandf("SelectItem %x", lowId(dummy));
  hostCommand("ClearSelected");
  // Removing an item may renumber the others.
  if (remembered && remembered != dummy) hostCommandf("SelectItem %x", lowId(followItemId(remembered, idMark)));
  inst.mesh.dummyObject = LWITEM_NULL;
}

int layoutDeformationFlags(InstData& inst, int mode) {
  if (!reacquireSceneGlobals()) return 0;
  if (inst.mesh.dummyObject && !itemExistsWithItemID(stHost.itemInfo, inst.mesh.dummyObject))
    inst.mesh.dummyObject = LWITEM_NULL;
  if (!inst.mesh.dummyObject) inst.mesh.dummyObject = getDummyObject(inst);
  if (stDeformationStateUnevaluated && inst.mesh.dummyObject) {
    // The flag is only as new as the host's last evaluation: have the host evaluate first.
    stDeformationStateUnevaluated = false;
    hostCommand("RefreshNow");
  }
  reacquireSceneGlobals();
  const bool off = inst.mesh.dummyObject && (stHost.objectInfo->flags(inst.mesh.dummyObject) & kNoDeformersApplied);
  if (mode == 0) return off ? 0 : 1;
  const unsigned general = stHost.interfaceInfo->generalFlags;
  const bool ikOn = general & (1u << 7);
  const bool mcOn = general & (1u << 11);
  if ((mode & 1) ? off : !off) stDeformationStateUnevaluated = true;
  if (mode & 1) {
    if (off) hostCommand("EnableDeformations");
    if (!ikOn) hostCommand("EnableIK");
    if (!mcOn) hostCommand("EnableMC");
    return 1;
  }
  if (!off) hostCommand("EnableDeformations");
  if (ikOn) hostCommand("EnableIK");
  if (mcOn) hostCommand("EnableMC");
  return 0;
}
