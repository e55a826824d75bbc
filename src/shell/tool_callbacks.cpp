// The tool's callbacks other than activation.
#include "display/tool_frame.h"
#include "gradient/gradient.h"
#include "mesh/snapshot.h"
#include "panel/edit_panel.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/comm_rings.h"
#include "shell/module_state.h"
#include "shell/tool_activation.h"

extern "C" {
#include <lwtool.h>
}

namespace {

bool isOurs(LWInstance inst) { return inst == &stInstData; }

bool nothingSelected() {
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  return !ui || !ui->selItems || !ui->selItems[0];
}

}  // namespace

void VelmoraToolDone(LWInstance instPtr) {
  guardCallbackVoid([&] {
    if (!isOurs(instPtr)) return;
    InstData& inst = stInstData;
    if (isEditPanelOpen()) closeEditPanelForToolDone(inst);
    if (stHost.global)
      if (auto* ring = static_cast<LWComRing*>(stHost.global(hostapi::kComRing, GFUSE_TRANSIENT)))
        ring->ringDetach(const_cast<char*>(kToolRing), &inst);
    inst.toolActive = 0;
  });
}

// Re-captures the snapshot when asked to, then clears the request. Leaves the tool when
// its panel was closed or nothing is selected any more.
void VelmoraToolDraw(LWInstance instPtr, LWCustomObjAccess* access) {
  guardCallbackVoid([&] {
    if (!isOurs(instPtr)) {
      hostCommand("ChangeTool");
      return;
    }
    InstData& inst = stInstData;
    if (!inst.toolActive) return;
    reacquireSceneGlobals();
    if (!isEditPanelOpen() || nothingSelected()) {
      inst.mesh.noObject = 1;
      hostCommand("ChangeTool");
      return;
    }
    drawToolFrame(inst, access);
  });
}

const char* VelmoraToolHelp(LWInstance, LWToolEvent*) { return "Velmora Tool."; }

int VelmoraToolDirty(LWInstance instPtr) {
  return guardCallback<int>(0, [&]() -> int {
    if (!isOurs(instPtr)) return 0;
    return stInstData.redrawRequest ? (LWT_DIRTY_WIREFRAME | LWT_DIRTY_HELPTEXT) : 0;
  });
}

// Painting with the mouse is not part of this build yet: a press starts nothing.
int VelmoraToolDown(LWInstance, LWToolEvent*) { return 0; }
void VelmoraToolMove(LWInstance, LWToolEvent*) {}
void VelmoraToolUp(LWInstance, LWToolEvent*) {}

void VelmoraToolEvent(LWInstance, int) {}
