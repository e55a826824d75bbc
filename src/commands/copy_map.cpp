#include "commands/copy_map.h"

#include <vector>

#include "commands/command_frame.h"
#include "commands/input_name_dialog.h"
#include "commands/map_command_texts.h"
#include "commands/rename_map.h"
#include "mesh/snapshot.h"
#include "mesh/weight_map_names.h"
#include "panel/edit_panel.h"
#include "settings/c_strings.h"
#include "shell/inst_data.h"

namespace {

bool targetAccepted(const InstData& inst) {
  if (compareCString(inst.newWeightMapName, inst.weightMapName)) return false;
  int index = 0;
  return getMapDimensionsByVMapName(stHost.objectFuncs, inst.newWeightMapName, &index) <= 1;
}

}  // namespace

void runCopyMapCommand(InstData& inst) {
  if (!refreshCommandObject(inst, true) || currentMapPosition(inst) == 0) return;
  copyCStringN(inst.newWeightMapName, inst.weightMapName, kMapNameSize);
  if (!openOptionPanel_InputName(inst, commandText(TextId::CopyCurrentMap)) || !targetAccepted(inst)) return;

  MeshData& m = inst.mesh;
  const int32_t count = m.numPoints;
  std::vector<uint8_t> sourceHas(static_cast<size_t>(count));
  std::vector<float> sourceValue(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    sourceHas[size_t(i)] = m.points[size_t(i)].hasValue;
    sourceValue[size_t(i)] = m.points[size_t(i)].value;
  }
  // The snapshot now reads the target map: its values become the before side.
  copyCStringN(inst.weightMapName, inst.newWeightMapName, kMapNameSize);
  getCurrentObject(inst);
  if (m.noObject || m.numPoints != count) {
    refreshWindow(inst);
    return;
  }
  for (int32_t i = 0; i < count; ++i) {
    PntUserData& p = m.points[size_t(i)];
    p.hasValueBackup = p.hasValue;
    p.valueBackup = p.value;
    p.hasValue = sourceHas[size_t(i)];
    p.value = p.hasValue ? sourceValue[size_t(i)] : 0.0f;
    p.changed = 1;
    colourPointByValue(inst.gradient, p);
  }
  writeChangedPoints(inst);
  requestCommandRedraw(inst);
  refreshWindow(inst);
}
