// The bones that follow the current weight map: the ones whose weight-map name is the
// map being painted.
#pragma once
#include <vector>

#include "shell/inst_data.h"

// With boneFollowsMap set, the bones of the current object's bone source whose weight
// map is named mapName, in item order; empty otherwise, or when mapName is empty or
// there is no object. The host's selection is left alone: the tool keeps its object
// selected while it runs, so the edit panel shows these bones instead of selecting
// them. Re-acquires nothing; uses the item, object and bone info in stHost.
std::vector<LWItemID> selectBonesByWeightName(InstData& inst, const char* mapName);
