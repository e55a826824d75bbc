#include "panel/edit_panel.h"

#include <cstdint>

#include "gradient/gradient.h"
#include "mesh/dummy_object.h"
#include "mesh/snapshot.h"
#include "mesh/weight_map_names.h"
#include "settings/cfg_file.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/master_control.h"

extern "C" {
#include <lwhost.h>
}

namespace {

constexpr int kPanelWidth = 212;

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
    pf->drawFuncs->drawText(panel, inst->versionLabel, LWP_NORMAL, kPanelWidth - 60, 4);
  });
}

void closePanelHook(LWPanelID panel, void* data) { panelClose_EditPanel(panel, data); }

std::string settingsFilePath() {
  auto* dirInfo = stHost.global ? reinterpret_cast<LWDirInfoFunc*>(stHost.global(hostapi::kDirInfo, GFUSE_TRANSIENT)) : nullptr;
  const char* dir = dirInfo ? dirInfo(LWFTYPE_SETTING) : nullptr;
  return dir ? makeCfgFilePath(dir) : std::string();
}

}  // namespace

bool isEditPanelOpen() { return stPanel.open; }

void resetEditPanelState() { stPanel = EditPanelState{}; }

void refreshWindow(InstData&) {
  if (stPanel.open && stHost.panel) stHost.panel->draw(stPanel.panel, DR_REFRESH);
}

void openEditPanel(InstData& inst) {
  setSnapshotPanelRefresh(&refreshWindow);  // captures refresh the panel from now on
  LWPanelFuncs* pf = stHost.panel;
  if (!pf) return;
  if (!stPanel.panel) {
    stPanel.panel = pf->create(const_cast<char*>("Velmora"), pf);
    if (!stPanel.panel) return;
  }
  pf->set(stPanel.panel, PAN_USERDATA, &inst);
  pf->set(stPanel.panel, PAN_USERDRAW, reinterpret_cast<void*>(&panelDraw_EditPanel));
  pf->set(stPanel.panel, PAN_USERCLOSE, reinterpret_cast<void*>(&closePanelHook));
  if (stPanel.open) {
    pf->draw(stPanel.panel, DR_REFRESH);
  } else {
    stPanel.open = pf->open(stPanel.panel, PANF_NOBUTT | PANF_PASSALLKEYS) != 0;
  }
  int width = kPanelWidth;
  pf->set(stPanel.panel, PAN_W, &width);
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
    std::string path = settingsFilePath();
    if (!path.empty()) saveCfgFile(inst, inst.gradient, path);
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
