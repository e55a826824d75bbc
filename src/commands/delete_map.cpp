#include "commands/delete_map.h"

#include <string>

#include "commands/bone_change_list.h"
#include "commands/command_frame.h"
#include "commands/map_command_texts.h"
#include "commands/rename_map.h"
#include "panel/edit_panel.h"
#include "shell/inst_data.h"
#include "shell/mesh_edit_access.h"

namespace {

bool userConfirmsDelete() {
  const LWMessageFuncs* messages = stHost.message;
  if (!messages || !messages->yesNo) return false;
  return messages->yesNo(commandText(TextId::DeleteCurrentMap), commandText(TextId::DeleteCurrentMapQuestion),
                         nullptr) != 0;
}

// Every point loses its value in the current map.
void unassignEveryPoint(InstData& inst) {
  MeshData& m = inst.mesh;
  for (int32_t i = 0; i < m.numPoints; ++i) {
    PntUserData& p = m.points[size_t(i)];
    p.hasValueBackup = p.hasValue;
    p.valueBackup = p.value;
    p.hasValue = 0;
    p.value = 0.0f;
    p.changed = 1;
    colourPointByValue(inst.gradient, p);
  }
}

// The bones leave the map, and its values go with them: one undo step for both.
void releaseBonesAndValues(InstData& inst) {
  const std::string names[1] = {inst.weightMapName};
  const std::vector<LWItemID> bones = bonesUsingWeightMaps(inst.mesh.currentObject, names);
  getBoneStcListWithSelBones(inst, bones, nullptr, true);
  setBoneWeightMapStateWithBoneStcList(inst);
  unassignEveryPoint(inst);
  writeChangedPoints(inst, inst.boneChanges.entries);
  destroyBoneStcList(inst);
}

}  // namespace

void runDeleteMapCommand(InstData& inst, CommandMode mode) {
  if (!refreshCommandObject(inst) || currentMapPosition(inst) == 0) return;
  if (mode == CommandMode::Interactive && !userConfirmsDelete()) return;
  if (inst.mesh.meshReady) releaseBonesAndValues(inst);
  inst.meAccessOp = kOpDeleteMap;
  callMeshEditAccess(inst);
  if (inst.meAccessOp == kOpMapChanged) inst.weightMapName[0] = 0;
  requestCommandRedraw(inst);
  refreshWindow(inst);
}
