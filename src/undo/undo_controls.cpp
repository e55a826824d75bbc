#include "undo/undo_controls.h"

#include "shell/inst_data.h"

namespace {
UndoControlsRefreshFunc stControlsRefresh = nullptr;
}

void setUndoControlsRefresh(UndoControlsRefreshFunc refresh) { stControlsRefresh = refresh; }

void refreshUndoRedoCtl(InstData& inst) {
  if (stControlsRefresh) stControlsRefresh(inst, canUndo(inst.undo), canRedo(inst.undo));
}
