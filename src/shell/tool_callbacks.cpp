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

// Leaves the tool when its panel was closed or nothing is selected any more; otherwise
// draws the frame (which keeps the snapshot current first).
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

namespace {

// One step of the stroke machine for an event of the active instance, with the scene
// globals re-bound first. Does nothing for another instance or a missing event.
template <typename Step>
void runStrokeStep(LWInstance instPtr, LWToolEvent* event, Step&& step) {
  if (!isOurs(instPtr) || !event || !stInstData.toolActive) return;
  InstData& inst = stInstData;
  reacquireSceneGlobals();
  LayoutStrokeHost host(inst);
  velmora::tool::StrokeContext context = strokeContextOf(inst, host);
  step(context, toolEventInputOf(*event));
}

}  // namespace

// The tool takes every press (the host then sends the drags and the release to move and
// up rather than to the handle callbacks).
int VelmoraToolDown(LWInstance instPtr, LWToolEvent* event) {
  return guardCallback<int>(1, [&]() -> int {
    int taken = 1;
    runStrokeStep(instPtr, event, [&](auto& context, const auto& input) {
      taken = velmora::tool::strokeDown(context, input);
    });
    return taken;
  });
}

void VelmoraToolMove(LWInstance instPtr, LWToolEvent* event) {
  guardCallbackVoid([&] {
    runStrokeStep(instPtr, event, [](auto& context, const auto& input) { velmora::tool::strokeMove(context, input); });
  });
}

void VelmoraToolUp(LWInstance instPtr, LWToolEvent* event) {
  guardCallbackVoid([&] {
    runStrokeStep(instPtr, event, [](auto& context, const auto& input) { velmora::tool::strokeUp(context, input); });
  });
}

void VelmoraToolEvent(LWInstance, int) {}
