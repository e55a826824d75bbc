// The bones that follow the current weight map: the ones whose weight-map name is the
// map being painted become the tool's selected bones.
#pragma once

#include "shell/inst_data.h"

// Empties the tool's selected-bone list (inst.pickedBones); with boneFollowsMap on, fills
// it with the bones of the current object's item tree (the child list) whose weight map
// is named mapName, each with length key 1.0. A joint bone counts only when its parent
// is a joint bone too (the first joint of a chain only marks where the chain starts).
// The host's selection is left alone. Returns the number of bones selected.
int selectBonesByWeightName(InstData& inst, const char* mapName);
