#include "panel/edit_panel.h"

#include <cstdint>

#include "commands/edit_menu.h"
#include "gradient/gradient.h"
#include "gradient_panel/gradient_panel.h"
#include "mesh/dummy_object.h"
#include "mesh/snapshot.h"
#include "mesh/weight_map_names.h"
#include "panel/panel_controls.h"
#include "panel/panel_images.h"
#include "panel/panel_layout.h"
#include "panel/reset_panel_parm.h"
#include "settings/cfg_file.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/master_control.h"
#include "undo/undo_controls.h"

extern "C" {
#include <lwhost.h>
}

namespace {

struct EditPanelState {
  LWPanelID panel = nullptr;
  bool open = false;
  bool closing = false;
};
EditPanelState stPanel;

unsigned lowId(LWItemID id) { return unsigned(reinterpret_cast<uintptr_t>(id)); }

void panelDraw_EditPanel(LWPanelID panel, void* data, DrMode) {
  guardCallbackVoid([&] {
    auto* inst = static_cast<InstData*>(data);
    LWPanelFuncs* pf = stHost.panel;
    if (!pf || !inst) return;
    drawEditPanelSeparators(pf, panel);
    drawEditPanelImages(*inst);
  });
}

// The history's state in the panel: the map name and whether Undo and Redo can act.
void showUndoRedoControls(InstData& inst, bool undoEnabled, bool redoEnabled) {
  if (!stPanel.open) return;
  setCtlText(kCtlName, inst.weightMapName);
  enableCtl(kCtlUndo, undoEnabled && inst.mesh.noObject == 0);
  enableCtl(kCtlRedo, redoEnabled && inst.mesh.noObject == 0);
}

void closePanelHook(LWPanelID panel, void* data) { panelClose_EditPanel(panel, data); }

std::string settingsFilePath() {
  if (!stHost.global) return std::string();
  auto* dirInfo = reinterpret_cast<LWDirInfoFunc*>(stHost.global(hostapi::kDirInfo, GFUSE_TRANSIENT));
  const char* dir = dirInfo ? dirInfo(LWFTYPE_SETTING) : nullptr;
  return dir ? makeCfgFilePath(dir) : std::string();
}

}  // namespace

bool isEditPanelOpen() { return stPanel.open; }

LWPanelID editPanelId() { return stPanel.panel; }

void saveEditPanelSettings(InstData& inst) {
  std::string path = settingsFilePath();
  if (!path.empty()) saveCfgFile(inst, inst.gradient, path);
}

int panelKeyBlocking_EditPanel(LWPanelID, void*, LWDualKey key) { return key < 32 ? 1 : 0; }

void resetEditPanelState() {
  stPanel = EditPanelState{};
  forgetEditPanelControls();
  setUndoControlsRefresh(nullptr);
}

void refreshWindow(InstData& inst) {
  if (!stPanel.open || !stHost.panel) return;
  resetPanelParm(inst);
  stHost.panel->draw(stPanel.panel, DR_REFRESH);
}

void openEditPanel(InstData& inst) {
  setSnapshotPanelRefresh(&refreshWindow);  // captures refresh the panel from now on
  LWPanelFuncs* pf = stHost.panel;
  if (!pf) return;
  makeEditCommandList(inst);  // the menu control shows these strings
  if (!stPanel.panel) {
    stPanel.panel = pf->create(const_cast<char*>("Velmora"), pf);
    if (!stPanel.panel) return;
    createEditPanelControls(pf, stPanel.panel, inst);
  }
  makeEditPanelIconRasters();
  setUndoControlsRefresh(&showUndoRedoControls);
  pf->set(stPanel.panel, PAN_USERDATA, &inst);
  pf->set(stPanel.panel, PAN_USERDRAW, reinterpret_cast<void*>(&panelDraw_EditPanel));
  pf->set(stPanel.panel, PAN_USERCLOSE, reinterpret_cast<void*>(&closePanelHook));
  pf->set(stPanel.panel, PAN_MOUSEBUTTON, reinterpret_cast<void*>(&mouseButton_EditPanel));
  pf->set(stPanel.panel, PAN_USERKEYS, reinterpret_cast<void*>(&panelKeyBlocking_EditPanel));
  resetPanelParm(inst);
  if (stPanel.open) {
    pf->draw(stPanel.panel, DR_REFRESH);
  } else {
    stPanel.open = pf->open(stPanel.panel, PANF_NOBUTT | PANF_PASSALLKEYS) != 0;
  }
  int width = kEditPanelWidth;
  pf->set(stPanel.panel, PAN_W, &width);
  int height = editPanelHeight();
  pf->set(stPanel.panel, PAN_H, &height);
  refreshWindow(inst);
}

void closeEditPanel(InstData&) {
  if (stPanel.open && stHost.panel) stHost.panel->close(stPanel.panel);
}

void closeEditPanelForToolDone(InstData&) {
  if (!stPanel.open) return;
  stPanel.open = false;
  if (stHost.panel) stHost.panel->close(stPanel.panel);
}

void panelClose_EditPanel(void*, void* data) {
  guardCallbackVoid([&] {
    if (stPanel.closing) return;
    auto* instPtr = static_cast<InstData*>(data);
    if (!instPtr) return;
    InstData& inst = *instPtr;
    stPanel.closing = true;
    closeGradientPanel();  // it edits the gradient freed below
    const bool wasOpen = stPanel.open;
    if (reacquireSceneGlobals()) {
      const LWInterfaceInfo* ui = stHost.interfaceInfo;
      LWItemID sel = ui->selItems ? ui->selItems[0] : LWITEM_NULL;
      LWItemID object = inst.mesh.currentObject;
      const bool objectExists = object && itemExistsWithItemID(stHost.itemInfo, object);
      if (sel && stHost.itemInfo->type(sel) != LWI_OBJECT) {
        hostCommand("EditObjects");
        if (objectExists) hostCommandf("SelectItem %x", lowId(object));
        else inst.mesh.noObject = 1;
      }
      reacquireSceneGlobals();
      sel = stHost.interfaceInfo->selItems ? stHost.interfaceInfo->selItems[0] : LWITEM_NULL;
      if (objectExists && inst.mesh.noObject == 0 && sel == object)
        hostCommandf("ItemVisibility %d", inst.mesh.savedVisibility);
      layoutDeformationFlags(inst, 1);
      hostCommand("AutoConfirm 1");
      removeDummyObject(inst);
      if (inst.autoSave) hostCommand("SaveAllObjects");
      hostCommand("AutoConfirm 0");
      removeMasterControlPlugins();
    }
    freeEditPanelIconRasters();
    saveEditPanelSettings(inst);
    destroyUndoHistory(inst.undo);
    destroyMeshData(inst);
    destroyGradientData(inst.gradient);
    inst.gradientTexture.clear();
    inst.gradientTextureSize = 0;
    inst.toolActive = 0;
    hostCommand("RefreshNow");
    if (wasOpen) {
      stPanel.open = false;
      hostCommand("EditObjects");
      hostCommand("ChangeTool");
    }
    stPanel.open = false;
    stPanel.closing = false;
  });
}
