// The bone change list: for each bone a command changes, its settings before and after
// the change. Map management, the bone settings command and binding build it, apply its
// after side with the host's bone commands and hand it to the undo recorder.
#pragma once
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "undo/bone_settings_change.h"

extern "C" {
#include <lwrender.h>
}

struct InstData;

struct BoneChangeList {
  std::vector<BoneSettingsChange> entries;
  // Owned copies of the weight-map names the entries point at; a deque, so the
  // strings never move while the list grows.
  std::deque<std::string> names;
};

// The bone's present settings as the host reports them; the weight-map name is the
// host's string (none for a bone without a map), to be copied before the next command.
BoneSettings readBoneSettings(LWItemID bone);

// Replaces inst.boneChanges with one entry per bone that still exists: the before side
// read from the host, the after side a copy of it; with changeMap the after map becomes
// name (none when name is null or empty), and with no map weight map only goes off.
// Returns the number of entries.
int32_t getBoneStcListWithSelBones(InstData& inst, std::span<const LWItemID> bones, const char* name, bool changeMap);
// Applies every entry's after side (setBoneSettingsWithCommands), in list order, then
// selects the current object again. Nothing happens for an empty list.
void setBoneWeightMapStateWithBoneStcList(InstData& inst);
// Frees the entries and their names.
void destroyBoneStcList(InstData& inst);

// The bone items below the object in its item tree, in tree order; with skipChainStarts,
// a joint bone whose parent is not a joint bone is left out (it only marks where a
// chain begins).
std::vector<LWItemID> bonesBelowObject(LWItemID object, bool skipChainStarts);
// The bones below the object whose weight map is one of names.
std::vector<LWItemID> bonesUsingWeightMaps(LWItemID object, std::span<const std::string> names);
