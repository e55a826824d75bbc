#include "mesh/snapshot.h"

#include <span>

#include "gradient/gradient.h"
#include "mesh/dummy_object.h"
#include "mesh/weight_map_names.h"
#include "settings/c_strings.h"
#include "settings/host_globals.h"
#include "shell/master_control.h"

namespace {

const LWID kWght = LWID_('W', 'G', 'H', 'T');

unsigned lowId(LWItemID id) { return unsigned(reinterpret_cast<uintptr_t>(id)); }

LWItemID firstSelected() {
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  return ui && ui->selItems ? ui->selItems[0] : LWITEM_NULL;
}

bool shadedChoice(const InstData& inst) { return inst.visibility == 1 || inst.visibility == 2; }

void allocateChangeArrays(MeshData& m, int numPoints) {
  const size_t n = size_t(numPoints) + 16;
  m.changeIndices.assign(n, 0);
  m.changeValues.assign(n, 0.0f);
  m.pointMapLists.assign(n, nullptr);
}

struct ScanState {
  InstData* inst;
  LWMeshInfoID mesh;
  void* vmap;
};

size_t getPointDataCBFunc(void* data, LWPntID point) {
  auto* s = static_cast<ScanState*>(data);
  MeshData& m = s->inst->mesh;
  if (m.skipPoints > 0) {
    --m.skipPoints;
    return 0;
  }
  if (m.scanIndex >= m.numPoints) return 0;  // more points than counted: ignore extras
  PntUserData& p = m.points[size_t(m.scanIndex++)];
  p.pointId = point;
  LWFVector pos;
  s->mesh->pntOtherPos(s->mesh, point, pos);
  for (int a = 0; a < 3; ++a) p.pos[a] = pos[a];
  p.hasValue = 0;
  p.value = 0.0f;
  if (s->vmap) {
    float v = 0.0f;
    if (s->mesh->pntVIDGet(s->mesh, point, &v, s->vmap)) {
      p.hasValue = 1;
      p.value = v;
    }
  }
  return 0;
}

size_t initPointsCBFunc(void* data, LWPntID point) {
  auto* s = static_cast<ScanState*>(data);
  MeshData& m = s->inst->mesh;
  if (m.scanIndex >= m.numPoints) return 0;
  int k = m.scanIndex++;
  PntUserData& p = m.points[size_t(k)];
  p.pointId = point;
  p.index = k;
  LWFVector pos;
  s->mesh->pntBasePos(s->mesh, point, pos);
  for (int a = 0; a < 3; ++a) p.restPos[a] = pos[a];
  return 0;
}

void releaseMesh(LWMeshInfoID mesh) {
  if (mesh && mesh->destroy) mesh->destroy(mesh);
}

}  // namespace

void destroyMeshData(InstData& inst) {
  MeshData& m = inst.mesh;
  m.weightVMap = nullptr;
  m.points.clear();
  m.points.shrink_to_fit();
  m.changeIndices.clear();
  m.changeValues.clear();
  m.pointMapLists.clear();
  m.numPoints = m.numPolygons = m.scanIndex = m.skipPoints = 0;
  m.faceTypeCount = m.patchTypeCount = m.subdTypeCount = m.selectedCount = 0;
}

void recolourPoints(InstData& inst) {
  for (PntUserData& p : inst.mesh.points) {
    if (p.hasValue) {
      p.colourKey = getInterpolatedColorAtGradPosition(inst.gradient, p.value, std::span<float, 4>(p.colour));
    } else {
      for (int c = 0; c < 4; ++c) p.colour[c] = inst.gradient.unweightedColour[c];
      p.colourKey = 0.0f;
    }
  }
}

bool currentSelectedItemWasChanged(InstData& inst) {
  GlobalFunc* global = stHost.global;
  if (global) stHost.interfaceInfo = static_cast<LWInterfaceInfo*>(global(LWINTERFACEINFO_GLOBAL, GFUSE_TRANSIENT));
  if (inst.mesh.currentObject == firstSelected()) return false;
  inst.cancelStroke = 1;
  return true;
}

void correctVMapIndexByName(InstData& inst) {
  if (inst.weightMapIndex == 0 || !stHost.objectFuncs) return;
  char name[kMapNameSize];
  getVMapNameByIndex(stHost.objectFuncs, name, inst.weightMapIndex, kMapNameSize);
  if (!compareCString(name, inst.weightMapName))
    inst.weightMapIndex = getIndexByVMapName(stHost.objectFuncs, inst.weightMapName);
}

void getCurrentObject(InstData& inst) {
  if (!reacquireSceneGlobals()) return;
  MeshData& m = inst.mesh;
  const LWItemInfo* items = stHost.itemInfo;
  const LWObjectInfo* objects = stHost.objectInfo;
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  LWItemID sel = firstSelected();

  if (!masterIsPresent()) addMasterControlPlugin();

  const bool hadObject = m.noObject == 0;
  bool objectChanged = false;
  bool levelChanged = false, deformChanged = false, topologyChanged = false;
  bool refreshRequested = false;
  if (sel != m.currentObject) {
    inst.cancelStroke = 1;
    objectChanged = true;
  }
  if (objectChanged || m.noObject != 0) {
    const LWItemID previous = m.currentObject;
    const bool previousHadSnapshot = m.numPoints > 0;
    destroyMeshData(inst);
    m.currentObject = m.lastObject = sel;
    if (objectChanged && previous && previousHadSnapshot && shadedChoice(inst) &&
        itemExistsWithItemID(items, previous) && ui->itemVis(previous) == 1) {
      hostCommandf("SelectItem %x", lowId(previous));
      hostCommandf("ItemVisibility %d", m.savedVisibility);
      if (inst.pendingRefresh || stBuildNumber < 2000) refreshRequested = true;
      inst.pendingRefresh = 0;
      if (sel) hostCommandf("SelectItem %x", lowId(sel));
      reacquireSceneGlobals();
      ui = stHost.interfaceInfo;
    }
    if (!sel) {
      m.savedVisibility = 5;
      m.noObject = 1;
      m.meshReady = 0;
      inst.subPatchLevel = 0;
      if (refreshRequested) hostCommand("RefreshNow");
      return;
    }
    if (compareCString(items->name(sel), kDummyObjectName) || items->type(sel) != LWI_OBJECT) {
      m.savedVisibility = ui->itemVis(sel);
      m.noObject = 1;
      m.meshReady = 0;
      inst.subPatchLevel = 0;
      if (refreshRequested) hostCommand("RefreshNow");
      return;
    }
  }

  int level = 0, renderLevel = 0;
  objects->patchLevel(sel, &level, &renderLevel);
  if (level != inst.subPatchLevel) {
    inst.subPatchLevel = level;
    levelChanged = true;
    if (!objectChanged) inst.pendingRefresh = 1;
  }

  LWMeshInfoID counting = objects->meshInfo(sel, 0);
  int numPoints = counting ? counting->numPoints(counting) : 0;
  int numPolygons = counting ? counting->numPolygons(counting) : 0;
  releaseMesh(counting);
  if (numPoints <= 0) {
    destroyMeshData(inst);
    m.savedVisibility = ui->itemVis(sel);
    m.noObject = 1;
    m.meshReady = 0;
    if (refreshRequested) hostCommand("RefreshNow");
    return;
  }

  m.noObject = 0;
  if (objectChanged || !hadObject) {
    m.savedVisibility = ui->itemVis(sel);
    if (shadedChoice(inst)) hostCommand("ItemVisibility 1");
  } else if (shadedChoice(inst) && ui->itemVis(sel) != 1) {
    hostCommand("ItemVisibility 1");
  }

  int deform = layoutDeformationFlags(inst, 0);
  if (deform != inst.deformationsEnabled) {
    inst.deformationsEnabled = deform;
    deformChanged = true;
  }
  reacquireSceneGlobals();
  objects = stHost.objectInfo;

  if (numPoints != m.numPoints || numPolygons != m.hostPolygonCount || m.points.empty()) {
    destroyMeshData(inst);
    m.numPoints = numPoints;
    m.hostPolygonCount = numPolygons;
    m.points.assign(size_t(numPoints), PntUserData{});
    allocateChangeArrays(m, numPoints);
    topologyChanged = true;
  }

  // Values and displayed positions from the frozen mesh; its extra subdivision points
  // come first and are skipped.
  LWMeshInfoID frozen = objects->meshInfo(sel, 1);
  if (frozen) {
    ScanState s{&inst, frozen, nullptr};
    m.skipPoints = frozen->numPoints(frozen) - numPoints;
    if (m.skipPoints < 0) m.skipPoints = 0;
    m.scanIndex = 0;
    m.weightVMap = frozen->pntVLookup(frozen, kWght, inst.weightMapName);
    int index = 0;
    int dimension = getMapDimensionsByVMapName(stHost.objectFuncs, inst.weightMapName, &index);
    m.meshReady = inst.weightMapName[0] && (!m.weightVMap || dimension == 1) ? 1 : 0;
    s.vmap = m.weightVMap && dimension == 1 ? m.weightVMap : nullptr;
    frozen->scanPoints(frozen, getPointDataCBFunc, &s);
    releaseMesh(frozen);
    m.weightVMap = nullptr;  // the id belonged to the released mesh info
  }
  recolourPoints(inst);

  if (topologyChanged) {
    LWMeshInfoID base = objects->meshInfo(sel, 0);
    if (base) {
      ScanState s{&inst, base, nullptr};
      m.scanIndex = 0;
      base->scanPoints(base, initPointsCBFunc, &s);
      releaseMesh(base);
    }
  }

  const bool nothingChanged = !objectChanged && !levelChanged && !deformChanged && !topologyChanged && hadObject;
  if ((nothingChanged && inst.pendingRefresh) || refreshRequested) {
    inst.pendingRefresh = 0;
    hostCommand("RefreshNow");
  }
}
