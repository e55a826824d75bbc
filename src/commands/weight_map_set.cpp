#include "commands/weight_map_set.h"

#include <algorithm>
#include <cstring>

#include "mesh/child_list.h"
#include "mesh/mesh_data.h"
#include "settings/host_globals.h"

namespace {

constexpr LWID kWght = LWID_('W', 'G', 'H', 'T');

// Names of the bones' weight maps below the object (the item tree).
std::vector<std::string> boneMapNames(LWItemID object) {
  std::vector<std::string> out;
  ChildStcList list;
  if (createChildStcList(list, stHost.global, object)) {
    for (const ChildStc& c : list.nodes)
      if (c.itemType == LWI_BONE && c.weightMapName && *c.weightMapName) out.emplace_back(c.weightMapName);
  }
  destroyChildStcList(list);
  return out;
}

struct PointScan {
  MeshData* mesh;
  LWMeshInfoID info;
  WeightMapSet* set;
  const std::vector<void*>* handles;
  int32_t index;
};

size_t getWeightsFromPointsCBFunc(void* data, LWPntID point) {
  auto* s = static_cast<PointScan*>(data);
  if (s->index >= s->mesh->numPoints) return 1;
  PntUserData& p = s->mesh->points[size_t(s->index++)];
  for (size_t m = 0; m < s->handles->size(); ++m) {
    void* vmap = (*s->handles)[m];
    float value = 0.0f;
    if (!vmap || !s->info->pntVIDGet(s->info, point, &value, vmap)) continue;
    WeightStc* w = s->set->pool.make();
    w->mapName = s->set->names[m].c_str();
    w->mapIndex = int32_t(m);
    w->valueAfter = w->valueBefore = value;
    w->next = p.weightList;
    p.weightList = w;
  }
  return 0;
}

}  // namespace

WeightStc* WeightStcPool::make() {
  if (blocks_.empty() || used_ == blockSize_) {
    blocks_.push_back(std::make_unique<WeightStc[]>(blockSize_));
    used_ = 0;
  }
  WeightStc* w = &blocks_.back()[used_++];
  *w = WeightStc{};
  return w;
}

void WeightStcPool::clear() {
  blocks_.clear();
  used_ = 0;
}

int32_t weightMapCount() {
  const LWObjectFuncs* f = stHost.objectFuncs;
  return f && f->numVMaps ? std::max(f->numVMaps(kWght), 0) : 0;
}

std::vector<std::string> oneDimensionalWeightMaps(LWItemID object, bool boneMapsOnly) {
  std::vector<std::string> out;
  const LWObjectFuncs* f = stHost.objectFuncs;
  const int32_t count = weightMapCount();
  if (count == 0) return out;
  const std::vector<std::string> used = boneMapsOnly ? boneMapNames(object) : std::vector<std::string>{};
  for (int32_t i = 0; i < count; ++i) {
    const char* name = f->vmapName(kWght, i);
    if (!name || !*name || f->vmapDim(kWght, i) != 1) continue;
    if (boneMapsOnly && std::find(used.begin(), used.end(), name) == used.end()) continue;
    if (std::find(out.begin(), out.end(), name) != out.end()) continue;
    out.emplace_back(name);
  }
  return out;
}

void beginWeightMapSet(WeightMapSet& set, std::vector<std::string> names, MeshData& mesh) {
  set.names = std::move(names);
  set.pool = WeightStcPool(2 * size_t(std::max(mesh.numPoints, 0)) + 32);
  for (int32_t i = 0; i < mesh.numPoints; ++i) mesh.points[size_t(i)].weightList = nullptr;
}

bool getWeightsFromPoints(WeightMapSet& set, MeshData& mesh, LWItemID object) {
  if (!stHost.objectInfo || !object) return false;
  LWMeshInfoID info = stHost.objectInfo->meshInfo(object, 0);
  if (!info) return false;
  getWeightsFromPoints(set, mesh, info);
  if (info->destroy) info->destroy(info);
  return true;
}

void getWeightsFromPoints(WeightMapSet& set, MeshData& mesh, LWMeshInfoID info) {
  std::vector<void*> handles;
  handles.reserve(set.names.size());
  for (const std::string& name : set.names) handles.push_back(info->pntVLookup(info, kWght, name.c_str()));
  PointScan scan{&mesh, info, &set, &handles, 0};
  info->scanPoints(info, getWeightsFromPointsCBFunc, &scan);
}

void destroyWeightMapData(WeightMapSet& set, MeshData& mesh) {
  for (int32_t i = 0; i < mesh.numPoints; ++i) mesh.points[size_t(i)].weightList = nullptr;
  set.pool.clear();
  set.names.clear();
}

int32_t listPointsWithChains(MeshData& mesh) {
  const size_t room = size_t(mesh.numPoints) + 16;
  if (mesh.changeIndices.size() < room) mesh.changeIndices.resize(room);
  if (mesh.pointMapLists.size() < room) mesh.pointMapLists.resize(room);
  int32_t count = 0;
  for (int32_t i = 0; i < mesh.numPoints; ++i) {
    WeightStc* chain = mesh.points[size_t(i)].weightList;
    if (!chain) continue;
    mesh.changeIndices[size_t(count)] = i;
    mesh.pointMapLists[size_t(count)] = chain;
    ++count;
  }
  return count;
}
