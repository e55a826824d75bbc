#include "commands/command_frame.h"

#include <algorithm>
#include <span>

#include "gradient/gradient.h"
#include "mesh/snapshot.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"
#include "shell/mesh_edit_access.h"
#include "tool/stroke.h"
#include "undo/undo_record.h"

bool refreshCommandObject(InstData& inst, bool needMeshReady) {
  getCurrentObject(inst);
  if (inst.mesh.noObject || inst.mesh.numPoints <= 0) return false;
  return !needMeshReady || inst.mesh.meshReady;
}

void requestCommandRedraw(InstData& inst) {
  inst.redrawRequest = 3;
  hostCommand("RedrawNow");
}

void colourPointByValue(const GradientData& gradient, PntUserData& p) {
  if (p.hasValue) {
    p.colourKey = getInterpolatedColorAtGradPosition(gradient, p.value, std::span<float, 4>(p.colour));
    return;
  }
  float atZero[4];
  p.colourKey = getInterpolatedColorAtGradPosition(gradient, 0.0f, std::span<float, 4>(atZero));
  std::copy(gradient.unweightedColour, gradient.unweightedColour + 4, p.colour);
}

int32_t writeChangedPoints(InstData& inst, std::span<const BoneSettingsChange> bones) {
  const int32_t count = velmora::tool::buildChangeList(inst.mesh);
  if (count == 0) return 0;
  inst.changeCount = count;
  inst.meAccessOp = kOpStoreValues;
  rec1Process(inst, kUndoPointValues, bones);
  inst.meAccessOp = kOpStoreValues;
  callMeshEditAccess(inst);
  return count;
}

void writeMultiMapChanges(InstData& inst, int32_t count, std::span<const BoneSettingsChange> bones) {
  if (count <= 0) return;
  inst.changeCount = count;
  inst.meAccessOp = kOpMultiMapAfter;
  rec1Process(inst, kUndoMultiMap, bones);
  inst.meAccessOp = kOpMultiMapAfter;
  callMeshEditAccess(inst);
}
