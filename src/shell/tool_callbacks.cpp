// The tool's callbacks other than activation.
#include "display/tool_frame.h"
#include "gradient/gradient.h"
#include "mesh/snapshot.h"
#include "panel/edit_panel.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/comm_rings.h"
#include "shell/module_state.h"
#include "shell/stroke_host.h"
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

// The tool takes every press of an active instance (the host then sends drags and the
// release to move and up rather than to the handle callbacks).
int VelmoraToolDown(LWInstance instPtr, LWToolEvent* event) {
  return guardCallback<int>(1, [&]() -> int {
    if (!isOurs(instPtr) || !event || !stInstData.toolActive) return 1;
    InstData& inst = stInstData;
    reacquireSceneGlobals();
    LayoutStrokeHost host(inst);
    velmora::tool::StrokeContext context = strokeContextOf(inst, host);
    return velmora::tool::strokeDown(context, toolEventInputOf(*event));
  });
}

void VelmoraToolMove(LWInstance instPtr, LWToolEvent* event) {
  guardCallbackVoid([&] {
    if (!isOurs(instPtr) || !event || !stInstData.toolActive) return;
    InstData& inst = stInstData;
    reacquireSceneGlobals();
    LayoutStrokeHost host(inst);
    velmora::tool::StrokeContext context = strokeContextOf(inst, host);
    velmora::tool::strokeMove(context, toolEventInputOf(*event));
  });
}

void VelmoraToolUp(LWInstance instPtr, LWToolEvent* event) {
  guardCallbackVoid([&] {
    if (!isOurs(instPtr) || !event || !stInstData.toolActive) return;
    InstData& inst = stInstData;
    reacquireSceneGlobals();
    LayoutStrokeHost host(inst);
    velmora::tool::StrokeContext context = strokeContextOf(inst, host);
    velmora::tool::strokeUp(context, toolEventInputOf(*event));
  });
}

void VelmoraToolEvent(LWInstance, int) {}
