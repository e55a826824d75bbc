#include "mesh/snapshot.h"

#include <span>

#include "gradient/gradient.h"
#include "mesh/dummy_object.h"
#include "mesh/map_bones.h"
#include "mesh/mesh_topology.h"
#include "mesh/weight_map_names.h"
#include "settings/c_strings.h"
#include "settings/host_globals.h"
#include "shell/master_control.h"

namespace {

SnapshotRefreshFunc stPanelRefresh = nullptr;

void refreshPanel(InstData& inst) {
  if (stPanelRefresh) stPanelRefresh(inst);
}

const LWID kWght = LWID_('W', 'G', 'H', 'T');

unsigned lowId(LWItemID id) { return unsigned(reinterpret_cast<uintptr_t>(id)); }

LWItemID firstSelected() {
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  return ui && ui->selItems ? ui->selItems[0] : LWITEM_NULL;
}

bool shadedChoice(const InstData& inst) { return inst.visibility == 1 || inst.visibility == 2; }

void releaseMesh(LWMeshInfoID mesh) {
  if (mesh && mesh->destroy) mesh->destroy(mesh);
}

}  // namespace

void setSnapshotPanelRefresh(SnapshotRefreshFunc refresh) { stPanelRefresh = refresh; }

void destroyMeshData(InstData& inst) { clearMeshRecords(inst.mesh); }

void recolourPoints(InstData& inst) {
  float atZero[4];
  // Unvalued points are shaded at the key coordinate of 0, like a value of 0.
  const float keyAtZero = getInterpolatedColorAtGradPosition(inst.gradient, 0.0f, std::span<float, 4>(atZero));
  for (PntUserData& p : inst.mesh.points) {
    if (p.hasValue) {
      p.colourKey = getInterpolatedColorAtGradPosition(inst.gradient, p.value, std::span<float, 4>(p.colour));
    } else {
      for (int c = 0; c < 4; ++c) p.colour[c] = inst.gradient.unweightedColour[c];
      p.colourKey = keyAtZero;
    }
  }
}

bool currentSelectedItemWasChanged(InstData& inst) {
  GlobalFunc* global = stHost.global;
  if (global) stHost.interfaceInfo = static_cast<LWInterfaceInfo*>(global(hostapi::kInterfaceInfo, GFUSE_TRANSIENT));
  if (inst.mesh.currentObject == firstSelected()) return false;
  inst.tool.stroke.cancelled = 1;
  return true;
}

void correctVMapIndexByName(InstData& inst) {
  if (inst.weightMapIndex == 0 || !stHost.objectFuncs) return;
  char name[kMapNameSize];
  getVMapNameByIndex(stHost.objectFuncs, name, inst.weightMapIndex, kMapNameSize);
  if (compareCString(name, inst.weightMapName)) return;
  inst.weightMapIndex = getIndexByVMapName(stHost.objectFuncs, inst.weightMapName);
  refreshPanel(inst);
}


namespace {

// The end of a capture that found no usable object.
void finishWithoutObject(InstData& inst, int32_t savedVisibility, bool resetLevel, bool refreshRequested) {
  MeshData& m = inst.mesh;
  m.savedVisibility = savedVisibility;
  m.noObject = 1;
  m.meshReady = 0;
  if (resetLevel) inst.subPatchLevel = 0;
  refreshPanel(inst);
  if (refreshRequested) hostCommand("RefreshNow");
}

// Gives the previous object back its own visibility when the weight-shaded display
// had replaced it, then selects sel again. True when a "RefreshNow" is owed.
bool restorePreviousVisibility(InstData& inst, LWItemID previous, LWItemID sel) {
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  if (!itemExistsWithItemID(stHost.itemInfo, previous) || ui->itemVis(previous) != 1) return false;
  // lastObject follows each selection made here, so that the selection events they
  // cause (however soon the host delivers them) are known as the tool's own.
  inst.mesh.lastObject = previous;
  hostCommandf("SelectItem %x", lowId(previous));
  hostCommandf("ItemVisibility %d", inst.mesh.savedVisibility);
  const bool refresh = inst.pendingRefresh != 0 || stBuildNumber < 2000;
  inst.pendingRefresh = 0;
  inst.mesh.lastObject = sel;
  if (sel) hostCommandf("SelectItem %x", lowId(sel));
  reacquireSceneGlobals();
  return refresh;
}

// Values, displayed positions and the map's state from the frozen mesh.
void captureValues(InstData& inst, LWItemID object) {
  MeshData& m = inst.mesh;
  LWMeshInfoID frozen = stHost.objectInfo->meshInfo(object, 1);
  int index = 0;
  const int dimension = getMapDimensionsByVMapName(stHost.objectFuncs, inst.weightMapName, &index);
  if (frozen) {
    m.weightVMap = frozen->pntVLookup(frozen, kWght, inst.weightMapName);
    m.meshReady = inst.weightMapName[0] && (!m.weightVMap || dimension == 1) ? 1 : 0;
    scanPointValues(m, frozen, m.weightVMap && dimension == 1 ? m.weightVMap : nullptr);
    releaseMesh(frozen);
    m.weightVMap = nullptr;  // the id belonged to the released mesh info
  } else {
    m.meshReady = inst.weightMapName[0] && dimension <= 1 ? 1 : 0;
  }
  recolourPoints(inst);
}

}  // namespace

void getCurrentObject(InstData& inst) {
  if (!reacquireSceneGlobals()) return;
  MeshData& m = inst.mesh;
  const LWItemID sel = firstSelected();
  if (!masterIsPresent()) addMasterControlPlugin();

  const bool hadObject = m.noObject == 0;
  bool objectChanged = false, levelChanged = false, deformChanged = false, topologyChanged = false;
  bool refreshRequested = false;
  if (sel != m.currentObject) {
    inst.tool.stroke.cancelled = 1;
    objectChanged = true;
  }
  if (objectChanged || !hadObject) {
    const LWItemID previous = m.currentObject;
    resetMeshRecords(m);  // the storage stays for the coming build
    m.currentObject = m.lastObject = sel;
    if (objectChanged && hadObject && previous && shadedChoice(inst))
      refreshRequested = restorePreviousVisibility(inst, previous, sel);
    const LWItemInfo* items = stHost.itemInfo;
    if (!sel) return finishWithoutObject(inst, 5, true, refreshRequested);
    if (items->type(sel) != LWI_OBJECT || compareCString(items->name(sel), kDummyObjectName))
      return finishWithoutObject(inst, stHost.interfaceInfo->itemVis(sel), true, refreshRequested);
  }

  int level = 0, renderLevel = 0;
  stHost.objectInfo->patchLevel(sel, &level, &renderLevel);
  if (level != inst.subPatchLevel) {
    inst.subPatchLevel = level;
    levelChanged = true;
    if (!objectChanged) inst.pendingRefresh = 1;
  }

  LWMeshInfoID counting = stHost.objectInfo->meshInfo(sel, 0);
  const int numPoints = counting ? counting->numPoints(counting) : 0;
  const int numPolygons = counting ? counting->numPolygons(counting) : 0;
  releaseMesh(counting);
  if (numPoints <= 0) {
    destroyMeshData(inst);
    return finishWithoutObject(inst, stHost.interfaceInfo->itemVis(sel), false, refreshRequested);
  }

  m.noObject = 0;
  if (objectChanged || !hadObject) {
    m.savedVisibility = stHost.interfaceInfo->itemVis(sel);
    if (shadedChoice(inst)) hostCommand("ItemVisibility 1");
  } else if (shadedChoice(inst) && stHost.interfaceInfo->itemVis(sel) != 1) {
    hostCommand("ItemVisibility 1");
  }

  const int deform = layoutDeformationFlags(inst, 0);
  if (deform != inst.deformationsEnabled) {
    inst.deformationsEnabled = deform;
    deformChanged = true;
  }
  reacquireSceneGlobals();

  if (numPoints != m.numPoints || numPolygons != m.hostPolygonCount) {
    allocateMeshRecords(m, numPoints, numPolygons);
    topologyChanged = true;
  }

  captureValues(inst, sel);

  if (topologyChanged) {
    LWMeshInfoID base = stHost.objectInfo->meshInfo(sel, 0);
    buildMeshTopology(m, base);
    releaseMesh(base);
  }

  if (!objectChanged && !levelChanged && !deformChanged && !topologyChanged && hadObject) {
    if (inst.pendingRefresh) {
      inst.pendingRefresh = 0;
      hostCommand("RefreshNow");
    }
    return;
  }
  if (objectChanged || topologyChanged || !hadObject) selectBonesByWeightName(inst, inst.weightMapName);
  refreshPanel(inst);
  if (refreshRequested) hostCommand("RefreshNow");
}
