#include "undo/undo_replay.h"

#include <cstdint>
#include <vector>

#include "mesh/snapshot.h"
#include "mesh/weight_map_names.h"
#include "settings/c_strings.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"
#include "shell/mesh_edit_access.h"
#include "undo/bone_replay.h"
#include "undo/undo_controls.h"

namespace {

const LWID kWght = LWID_('W', 'G', 'H', 'T');

unsigned lowId(LWItemID id) { return unsigned(reinterpret_cast<uintptr_t>(id)); }

// Makes the record's object the tool's object; false when it cannot be.
bool bringRecordObjectCurrent(InstData& inst, const UndoStc& r) {
  if (!r.objectId) return false;
  if (r.objectId == inst.mesh.currentObject && !inst.mesh.noObject) return true;
  if (!stHost.itemInfo || !itemExistsWithItemID(stHost.itemInfo, r.objectId)) return false;
  hostCommandf("SelectItem %x", lowId(r.objectId));
  getCurrentObject(inst);
  return r.objectId == inst.mesh.currentObject && !inst.mesh.noObject;
}

bool samePointCount(const InstData& inst, const UndoStc& r) {
  return r.pointCount == inst.mesh.numPoints && size_t(r.pointCount) <= inst.mesh.points.size();
}

bool objectHasWeightMap(LWItemID object, const char* name) {
  if (!object || !name || !*name || !stHost.objectInfo || !stHost.objectInfo->meshInfo) return false;
  LWMeshInfoID mesh = stHost.objectInfo->meshInfo(object, 0);
  if (!mesh) return false;
  const bool found = mesh->pntVLookup && mesh->pntVLookup(mesh, kWght, name) != nullptr;
  if (mesh->destroy) mesh->destroy(mesh);
  return found;
}

// The record's map becomes the current map, and its bone the selected one.
void restoreMapAndBone(InstData& inst, const char* mapName, LWItemID bone) {
  copyCStringN(inst.weightMapName, mapName, kMapNameSize);
  inst.weightMapIndex = stHost.objectFuncs ? getIndexByVMapName(stHost.objectFuncs, inst.weightMapName) : 0;
  if (bone) makeOnly1BoneSelected(inst, bone);
  else inst.pickedBones.clear();
}

void ensureChangeRoom(MeshData& m, size_t n) {
  if (m.changeIndices.size() < n) m.changeIndices.resize(n);
  if (m.changeValues.size() < n) m.changeValues.resize(n);
  if (m.pointMapLists.size() < n) m.pointMapLists.resize(n, nullptr);
}

void clearSelection(MeshData& m) {
  for (PntUserData& p : m.points) p.selected = 0;
  m.selectedCount = 0;
}

// Kind 0: the points take the recorded side, and the change list writes it.
void replayPointValues(InstData& inst, const UndoStc& r, bool after) {
  MeshData& m = inst.mesh;
  clearSelection(m);
  ensureChangeRoom(m, r.pointEntries.size());
  int32_t n = 0;
  for (const UndoStc::PointEntry& e : r.pointEntries) {
    if (e.pointIndex < 0 || e.pointIndex >= m.numPoints) continue;
    PntUserData& p = m.points[size_t(e.pointIndex)];
    p.selected = e.selected;
    m.selectedCount += e.selected ? 1 : 0;
    p.hasValue = after ? e.assignedAfter : e.assignedBefore;
    p.value = p.hasValue ? (after ? e.valueAfter : e.valueBefore) : 0.0f;
    m.changeIndices[size_t(n)] = e.pointIndex;
    m.changeValues[size_t(n)] = p.hasValue ? p.value : kUnassignedValue;
    ++n;
  }
  recolourPoints(inst);
  inst.changeCount = n;
  inst.meAccessOp = kOpStoreValues;
  callMeshEditAccess(inst);
}

// Kind 1: the selection comes back, and the per-point lists write the recorded side.
void replayMapLists(InstData& inst, const UndoStc& r, bool after) {
  MeshData& m = inst.mesh;
  clearSelection(m);
  if (r.selectionBytes.size() == size_t(m.numPoints))
    for (int32_t i = 0; i < m.numPoints; ++i) {
      m.points[size_t(i)].selected = r.selectionBytes[size_t(i)];
      m.selectedCount += r.selectionBytes[size_t(i)] ? 1 : 0;
    }
  // The write-back reads WeightStc chains; these copies live for the one command run.
  std::vector<WeightStc> chains(r.mapEntries.size());
  const size_t n = r.pointListHeads.size();
  ensureChangeRoom(m, n);
  size_t used = 0;
  for (size_t k = 0; k < n; ++k) {
    m.changeIndices[k] = r.pointListHeads[k].pointIndex;
    WeightStc** link = &m.pointMapLists[k];
    *link = nullptr;
    for (const UndoStc::MapEntry* e = r.pointListHeads[k].head; e && used < chains.size(); e = e->next) {
      WeightStc& w = chains[used++];
      w.mapName = e->mapName;
      w.mapIndex = e->mapIndex;
      w.valueAfter = e->valueAfter;
      w.valueBefore = e->valueBefore;
      *link = &w;
      link = &w.next;
    }
  }
  // The command's deletions belonged to that command; a replay deletes no map.
  MapDelete* const deletions = inst.mapsToDelete;
  inst.mapsToDelete = nullptr;
  inst.changeCount = int32_t(n);
  inst.meAccessOp = after ? kOpMultiMapAfter : kOpMultiMapBefore;
  callMeshEditAccess(inst);
  inst.mapsToDelete = deletions;
  for (size_t k = 0; k < n && k < m.pointMapLists.size(); ++k) m.pointMapLists[k] = nullptr;
}

// Kind 10: renames the map from one name to the other; the new name becomes current
// and the record's bones take the settings of that side.
void replayRename(InstData& inst, const UndoStc& r, bool after) {
  const char* from = after ? r.mapName : r.renameTarget.c_str();
  const char* to = after ? r.renameTarget.c_str() : r.mapName;
  // The write-back first removes a map already named `to`; without `from` on the
  // object that would delete a map and rename nothing.
  if (!objectHasWeightMap(inst.mesh.currentObject, from)) return;
  char keptNewName[kMapNameSize];
  copyCStringN(keptNewName, inst.newWeightMapName, kMapNameSize);
  copyCStringN(inst.weightMapName, from, kMapNameSize);
  copyCStringN(inst.newWeightMapName, to, kMapNameSize);
  inst.meAccessOp = kOpRenameMap;
  callMeshEditAccess(inst);
  const bool renamed = inst.meAccessOp == kOpMapChanged;
  copyCStringN(inst.newWeightMapName, keptNewName, kMapNameSize);
  // The bones that followed the rename follow it back (and forth again).
  if (renamed && after) redoBoneState_InRedo(inst, r);
  if (renamed && !after) undoBoneState_InUndo(inst, r);
  restoreMapAndBone(inst, renamed ? to : r.mapName, r.selectedBoneId);
}

void replay(InstData& inst, const UndoStc& r, bool after) {
  reacquireSceneGlobals();
  if (!bringRecordObjectCurrent(inst, r)) return;
  switch (r.kind) {
    case kUndoPointValues:
      if (!samePointCount(inst, r)) return;
      if (after) redoBoneState_InRedo(inst, r);
      restoreMapAndBone(inst, r.mapName, r.selectedBoneId);
      replayPointValues(inst, r, after);
      if (!after) undoBoneState_InUndo(inst, r);
      break;
    case kUndoMultiMap:
      if (!samePointCount(inst, r)) return;
      if (!after) undoBoneState_InUndo(inst, r);
      restoreMapAndBone(inst, r.mapName, r.selectedBoneId);
      replayMapLists(inst, r, after);
      if (after) redoBoneState_InRedo(inst, r);
      break;
    case kUndoRename: replayRename(inst, r, after); break;
    default:
      if (after) redoBoneState_InRedo(inst, r);
      else undoBoneState_InUndo(inst, r);
      break;
  }
}

void requestRedraw(InstData& inst) {
  inst.redrawRequest = 3;
  if (stBuildNumber >= 2000 && !inst.pendingRefresh) {
    hostCommand("RedrawNow");
  } else {
    inst.pendingRefresh = 0;
    hostCommand("RefreshNow");
  }
}

}  // namespace

int32_t pushUndoButtonEvent(InstData& inst) {
  if (inst.redrawRequest != 0) return 0;
  UndoHistory& h = inst.undo;
  if (!canUndo(h)) return 0;
  const UndoStc& r = *h.current;
  h.current = r.prev;
  replay(inst, r, false);
  refreshUndoRedoCtl(inst);
  requestRedraw(inst);
  return 1;
}

int32_t pushRedoButtonEvent(InstData& inst) {
  if (inst.redrawRequest != 0) return 0;
  UndoHistory& h = inst.undo;
  if (!canRedo(h)) return 0;
  h.current = h.current->next;
  replay(inst, *h.current, true);
  refreshUndoRedoCtl(inst);
  requestRedraw(inst);
  return 1;
}

void destroyUndoStcData(InstData& inst) {
  destroyUndoHistory(inst.undo);
  inst.undo.costBudget = kDefaultUndoCostBudget;
}
