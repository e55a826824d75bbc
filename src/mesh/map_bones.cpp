#include "mesh/map_bones.h"

#include <algorithm>

#include "mesh/child_list.h"
#include "settings/c_strings.h"
#include "settings/host_globals.h"

namespace {

constexpr int32_t kBoneNode = 3;
constexpr int32_t kJointBone = 1;

bool isJointBone(const ChildStc* node) {
  return node && node->itemType == kBoneNode && node->boneType == kJointBone;
}

bool selectable(const ChildStc& node, const char* mapName) {
  if (node.itemType != kBoneNode || !node.weightMapName || !compareCString(node.weightMapName, mapName)) return false;
  return node.boneType != kJointBone || isJointBone(node.parent);
}

}  // namespace

int selectBonesByWeightName(InstData& inst, const char* mapName) {
  inst.pickedBones.clear();
  if (inst.boneFollowsMap != 1 || !mapName || !mapName[0] || !inst.mesh.currentObject || !stHost.global) return 0;
  ChildStcList tree;
  if (!createChildStcList(tree, stHost.global, inst.mesh.currentObject)) return 0;
  for (const ChildStc* node = tree.root; node; node = node->nextInOrder)
    if (selectable(*node, mapName)) inst.pickedBones.push_back({node->item, 1.0});
  destroyChildStcList(tree);
  // Each bone found goes to the head of the list, as the tree walk adds them.
  std::reverse(inst.pickedBones.begin(), inst.pickedBones.end());
  return int(inst.pickedBones.size());
}
