#include "commands/assign_commands.h"

#include <algorithm>

#include "commands/command_frame.h"
#include "display/zero_weighted_outline.h"
#include "shell/inst_data.h"

int32_t assignValueToTargets(InstData& inst, bool assign) {
  MeshData& m = inst.mesh;
  const bool all = m.selectedCount == 0;
  int32_t targets = 0;
  for (int32_t i = 0; i < m.numPoints; ++i) {
    PntUserData& p = m.points[size_t(i)];
    p.hasValueBackup = p.hasValue;
    p.valueBackup = p.value;
    p.changed = all || p.selected ? 1 : 0;
    if (!p.changed) continue;
    ++targets;
    p.hasValue = assign ? 1 : 0;
    p.value = assign ? inst.value : 0.0f;
    colourPointByValue(inst.gradient, p);
  }
  return targets;
}

void runAssignCommand(InstData& inst, bool assign) {
  if (!refreshCommandObject(inst, true)) return;
  assignValueToTargets(inst, assign);
  makeZeroWeightedOutlinePoints(inst.mesh, inst.gradient, inst.zeroOutline);
  if (writeChangedPoints(inst) > 0) requestCommandRedraw(inst);
}
