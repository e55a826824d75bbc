#include "mesh/map_bones.h"

#include "settings/c_strings.h"
#include "settings/host_globals.h"

std::vector<LWItemID> selectBonesByWeightName(InstData& inst, const char* mapName) {
  std::vector<LWItemID> bones;
  const LWItemInfo* items = stHost.itemInfo;
  const LWObjectInfo* objects = stHost.objectInfo;
  const LWBoneInfo* boneInfo = stHost.boneInfo;
  if (inst.boneFollowsMap != 1 || !mapName || !mapName[0] || !inst.mesh.currentObject || !items || !objects ||
      !boneInfo)
    return bones;
  const LWItemID source = objects->boneSource(inst.mesh.currentObject);
  if (!source) return bones;
  for (LWItemID bone = items->first(LWI_BONE, source); bone; bone = items->next(bone)) {
    const char* name = boneInfo->weightMap(bone);
    if (name && compareCString(name, mapName)) bones.push_back(bone);
  }
  return bones;
}
