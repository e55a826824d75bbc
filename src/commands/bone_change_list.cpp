#include "commands/bone_change_list.h"

#include <algorithm>
#include <cstdint>

#include "mesh/child_list.h"
#include "mesh/weight_map_names.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"
#include "undo/bone_replay.h"

namespace {

const char* ownName(BoneChangeList& list, const char* name) {
  if (!name || !*name) return nullptr;
  list.names.emplace_back(name);
  return list.names.back().c_str();
}

unsigned lowId(LWItemID id) { return unsigned(reinterpret_cast<uintptr_t>(id)); }

bool boneExists(LWItemID bone) { return bone && stHost.itemInfo && itemExistsWithItemID(stHost.itemInfo, bone); }

template <typename Keep>
std::vector<LWItemID> bonesOfTree(LWItemID object, Keep&& keep) {
  std::vector<LWItemID> out;
  ChildStcList tree;
  if (stHost.global && object && createChildStcList(tree, stHost.global, object)) {
    for (const ChildStc& node : tree.nodes)
      if (node.itemType == LWI_BONE && keep(node)) out.push_back(node.item);
  }
  destroyChildStcList(tree);
  return out;
}

bool isJointBone(const ChildStc* node) {
  return node && node->itemType == LWI_BONE && node->boneType == LWBONETYPE_JOINT;
}

}  // namespace

BoneSettings readBoneSettings(LWItemID bone) {
  BoneSettings s;
  const LWBoneInfo* info = stHost.boneInfo;
  if (!info || !bone) return s;
  const char* map = info->weightMap ? info->weightMap(bone) : nullptr;
  s.weightMap = map && *map ? map : nullptr;
  s.strength = info->strength ? info->strength(bone) : 1.0;
  const unsigned flags = info->flags ? info->flags(bone) : 0;
  s.weightMapOnly = (flags & LWBONEF_WEIGHT_MAP_ONLY) ? 1 : 0;
  s.normalization = (flags & LWBONEF_WEIGHT_NORM) ? 1 : 0;
  s.multiplyByRestLength = (flags & LWBONEF_SCALE_STRENGTH) ? 1 : 0;
  s.active = (flags & LWBONEF_ACTIVE) ? 1 : 0;
  if (info->restParam) {
    info->restParam(bone, LWIP_POSITION, s.restPos);
    info->restParam(bone, LWIP_ROTATION, s.restRot);
  }
  return s;
}

int32_t getBoneStcListWithSelBones(InstData& inst, std::span<const LWItemID> bones, const char* name, bool changeMap) {
  destroyBoneStcList(inst);
  BoneChangeList& list = inst.boneChanges;
  list.entries.reserve(bones.size());
  const char* target = changeMap ? ownName(list, name) : nullptr;
  for (LWItemID bone : bones) {
    if (!boneExists(bone)) continue;
    BoneSettingsChange change;
    change.bone = bone;
    change.before = readBoneSettings(bone);
    change.before.weightMap = ownName(list, change.before.weightMap);
    change.after = change.before;
    if (changeMap) {
      change.after.weightMap = target;
      if (!target) change.after.weightMapOnly = 0;
    }
    list.entries.push_back(change);
  }
  return int32_t(list.entries.size());
}

void setBoneWeightMapStateWithBoneStcList(InstData& inst) {
  if (inst.boneChanges.entries.empty()) return;
  reacquireSceneGlobals();
  for (const BoneSettingsChange& change : inst.boneChanges.entries)
    if (boneExists(change.bone)) setBoneSettingsWithCommands(change.bone, change.after);
  if (inst.mesh.currentObject) hostCommandf("SelectItem %x", lowId(inst.mesh.currentObject));
}

void destroyBoneStcList(InstData& inst) {
  inst.boneChanges.entries.clear();
  inst.boneChanges.names.clear();
}

std::vector<LWItemID> bonesBelowObject(LWItemID object, bool skipChainStarts) {
  return bonesOfTree(object, [&](const ChildStc& node) {
    return !skipChainStarts || !isJointBone(&node) || isJointBone(node.parent);
  });
}

std::vector<LWItemID> bonesUsingWeightMaps(LWItemID object, std::span<const std::string> names) {
  return bonesOfTree(object, [&](const ChildStc& node) {
    return node.weightMapName && *node.weightMapName &&
           std::find(names.begin(), names.end(), node.weightMapName) != names.end();
  });
}
