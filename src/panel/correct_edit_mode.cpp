#include "panel/correct_edit_mode.h"

#include <cstdint>

#include "mesh/weight_map_names.h"
#include "panel/edit_panel.h"
#include "settings/host_globals.h"
#include "shell/module_state.h"
#include "shell/tool_activation.h"

namespace {

LWItemID firstSelectedItem() {
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  return ui && ui->selItems ? ui->selItems[0] : LWITEM_NULL;
}

bool toolIsActive() {
  return stToolLocal && stToolLocal->tool && stToolLocal->tool->done == VelmoraToolDone;
}

// "EditObjects", then the first selected item as the host now reports it.
LWItemID enterObjectsMode() {
  hostCommand("EditObjects");
  reacquireSceneGlobals();
  return firstSelectedItem();
}

void reselectToolObject(const InstData& inst, LWItemID first) {
  const LWItemID object = inst.mesh.currentObject;
  if (object && object != first && itemExistsWithItemID(stHost.itemInfo, object))
    hostCommandf("SelectItem %x", unsigned(reinterpret_cast<uintptr_t>(object)));
}

}  // namespace

int32_t correctEditMode(InstData& inst) {
  if (!isEditPanelOpen()) return 1;
  if (!reacquireSceneGlobals()) return 1;
  if (!toolIsActive()) {
    const LWItemID first = enterObjectsMode();
    if (!first) {
      closeEditPanel(inst);
      return 1;
    }
    reselectToolObject(inst, first);
    saveEditPanelSettings(inst);
    hostCommandf("Tool_%s", kToolServerName);
    return 2;
  }
  const LWItemID first = firstSelectedItem();
  if (first && stHost.itemInfo->type(first) == LWI_OBJECT) return 0;
  const LWItemID now = enterObjectsMode();
  if (!now) {
    closeEditPanel(inst);
    return 1;
  }
  reselectToolObject(inst, now);
  return 0;
}
