#include "commands/rename_map.h"

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
  rec1Process(inst, kUndoRename);
  inst.meAccessOp = kOpRenameMap;
  callMeshEditAccess(inst);
  if (inst.meAccessOp == kOpMapChanged) copyCStringN(inst.weightMapName, inst.newWeightMapName, kMapNameSize);
  requestCommandRedraw(inst);
  refreshWindow(inst);
}
