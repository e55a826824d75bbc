#include "panel/cancel_point_selection.h"

#include "shell/inst_data.h"

void cancelSelectionStateOfAllPnts(InstData& inst) {
  for (PntUserData& p : inst.mesh.points) p.selected = 0;
  inst.mesh.selectedCount = 0;
}
