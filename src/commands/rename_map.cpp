#include "commands/rename_map.h"

#include <string>

#include "commands/bone_change_list.h"
#include "commands/command_frame.h"
#include "commands/input_name_dialog.h"
#include "commands/map_command_texts.h"
#include "mesh/weight_map_names.h"
#include "panel/edit_panel.h"
#include "settings/c_strings.h"
#include "shell/inst_data.h"
#include "shell/mesh_edit_access.h"
#include "undo/undo_history.h"
#include "undo/undo_record.h"

int32_t currentMapPosition(InstData& inst) {
  inst.weightMapIndex = inst.weightMapName[0] ? getIndexByVMapName(stHost.objectFuncs, inst.weightMapName) : 0;
  return inst.weightMapIndex;
}

void runRenameMapCommand(InstData& inst) {
  if (!refreshCommandObject(inst) || currentMapPosition(inst) == 0) return;
  copyCStringN(inst.newWeightMapName, inst.weightMapName, kMapNameSize);
  if (!openOptionPanel_InputName(inst, commandText(TextId::RenameCurrentMap))) return;
  if (compareCString(inst.newWeightMapName, inst.weightMapName)) return;
  // The write-back would replace a map of the new name: refuse instead.
  if (getIndexByVMapName(stHost.objectFuncs, inst.newWeightMapName) > 0) return;
  inst.meAccessOp = kOpRenameMap;
  callMeshEditAccess(inst);
  // Recorded only once the map carries the new name, so a failed write-back leaves no
  // undo step behind; the bones that used the old name follow it to the new one.
  if (inst.meAccessOp == kOpMapChanged) {
    const std::string oldName[1] = {inst.weightMapName};
    getBoneStcListWithSelBones(inst, bonesUsingWeightMaps(inst.mesh.currentObject, oldName), inst.newWeightMapName,
                               true);
    rec1Process(inst, kUndoRename, inst.boneChanges.entries);
    setBoneWeightMapStateWithBoneStcList(inst);
    destroyBoneStcList(inst);
    copyCStringN(inst.weightMapName, inst.newWeightMapName, kMapNameSize);
  }
  requestCommandRedraw(inst);
  refreshWindow(inst);
}
