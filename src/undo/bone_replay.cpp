#include "undo/bone_replay.h"

#include <cmath>
#include <cstdint>

#include "mesh/child_list.h"
#include "mesh/weight_map_names.h"
#include "settings/c_strings.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"

namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

unsigned lowId(LWItemID id) { return unsigned(reinterpret_cast<uintptr_t>(id)); }

bool boneExists(LWItemID bone) { return bone && stHost.itemInfo && itemExistsWithItemID(stHost.itemInfo, bone); }

BoneSettings sideOf(const UndoStc::BoneEntry& e, bool after) {
  const int k = after ? 1 : 0;
  BoneSettings s;
  s.weightMap = after ? e.mapNameAfter : e.mapNameBefore;
  s.strength = after ? e.strengthAfter : e.strengthBefore;
  s.weightMapOnly = e.weightMapOnly[k];
  s.normalization = e.normalization[k];
  s.multiplyByRestLength = e.multiplyByRestLength[k];
  s.active = e.active[k];
  const double* pos = after ? e.restPosAfter : e.restPosBefore;
  const double* rot = after ? e.restRotAfter : e.restRotBefore;
  for (int i = 0; i < 3; ++i) {
    s.restPos[i] = pos[i];
    s.restRot[i] = rot[i];
  }
  return s;
}

void replayBones(InstData& inst, const UndoStc& record, bool after) {
  if (record.boneEntries.empty()) return;
  reacquireSceneGlobals();
  for (const UndoStc::BoneEntry& e : record.boneEntries)
    if (boneExists(e.bone)) setBoneSettingsWithCommands(e.bone, sideOf(e, after));
  if (inst.mesh.currentObject) hostCommandf("SelectItem %x", lowId(inst.mesh.currentObject));
}

double distance3(const double a[3], const double b[3]) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

double boneLengthKey(InstData& inst, LWItemID bone) {
  double length = stHost.boneInfo && stHost.boneInfo->restLength ? stHost.boneInfo->restLength(bone) : 1.0;
  ChildStcList tree;
  if (stHost.global && inst.mesh.currentObject && createChildStcList(tree, stHost.global, inst.mesh.currentObject)) {
    for (const ChildStc& node : tree.nodes) {
      if (node.item != bone) continue;
      const ChildStc* parent = node.parent;
      if (node.itemType == LWI_BONE && node.boneType == LWBONETYPE_JOINT && parent && parent->itemType == LWI_BONE &&
          parent->boneType == LWBONETYPE_JOINT)
        length = distance3(node.worldOrigin, parent->worldOrigin);
      break;
    }
  }
  destroyChildStcList(tree);
  return length;
}

}  // namespace

void setBoneSettingsWithCommands(LWItemID bone, const BoneSettings& s) {
  const LWBoneInfo* info = stHost.boneInfo;
  const char* present = info && info->weightMap ? info->weightMap(bone) : nullptr;
  const bool hadMap = present && *present;
  const unsigned flags = info && info->flags ? info->flags(bone) : 0;
  const bool active = s.active != 0, multiply = s.multiplyByRestLength != 0;
  const bool normalization = s.normalization != 0;
  hostCommandf("SelectItem %x", lowId(bone));
  hostCommandf("BoneStrength %.8f", s.strength);
  if (active != ((flags & LWBONEF_ACTIVE) != 0)) hostCommand("BoneActive");
  hostCommandf("BoneRestPosition %.8lf %.8lf %.8lf", s.restPos[0], s.restPos[1], s.restPos[2]);
  hostCommandf("BoneRestRotation %.8lf %.8lf %.8lf", s.restRot[0] * kDegreesPerRadian, s.restRot[1] * kDegreesPerRadian,
               s.restRot[2] * kDegreesPerRadian);
  if (multiply != ((flags & LWBONEF_SCALE_STRENGTH) != 0)) hostCommand("BoneStrengthMultiply");
  if (s.weightMap) hostCommandf("BoneWeightMapName %s", s.weightMap);
  if (hadMap || s.weightMap) {
    // The normalization toggle is issued with weight map only switched on.
    if (!(flags & LWBONEF_WEIGHT_MAP_ONLY)) hostCommand("BoneWeightMapOnly");
    if (normalization != ((flags & LWBONEF_WEIGHT_NORM) != 0)) hostCommand("BoneNormalization");
    if (!s.weightMapOnly) hostCommand("BoneWeightMapOnly");
  }
  if (!s.weightMap) hostCommand("BoneWeightMapName (none)");
}

void undoBoneState_InUndo(InstData& inst, const UndoStc& record) { replayBones(inst, record, false); }

void redoBoneState_InRedo(InstData& inst, const UndoStc& record) { replayBones(inst, record, true); }

void makeOnly1BoneSelected(InstData& inst, LWItemID bone) {
  if (!inst.boneFollowsMap) {
    inst.pickedBones.clear();
    return;
  }
  if (!boneExists(bone)) return;
  const double length = boneLengthKey(inst, bone);
  inst.pickedBones.assign(1, BonePick{bone, length});
}
