#include "display/tool_frame.h"

#include <algorithm>

#include "display/bone_drawing.h"
#include "display/cursor_drawing.h"
#include "display/display_frame.h"
#include "display/edge_drawing.h"
#include "display/pick_highlight.h"
#include "display/point_markers.h"
#include "display/shaded_faces.h"
#include "display/value_labels.h"
#include "mesh/child_list.h"
#include "mesh/snapshot.h"
#include "panel/edit_panel.h"
#include "settings/host_globals.h"

using velmora::geometry::Vec3;

namespace {

DisplayState stDisplayState;

bool nothingSelected() {
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  return !ui || !ui->selItems || !ui->selItems[0];
}

void recapture(InstData& inst) {
  getCurrentObject(inst);
  correctVMapIndexByName(inst);
}

void keepSnapshotCurrent(InstData& inst, DisplayState& state, const LWViewportInfo* viewports) {
  const int32_t numViewports = viewports ? viewports->numViewports : 1;
  switch (bookSnapshotRefresh(inst.redrawRequest, state.refreshSkip, numViewports, inst.tool.stroke.buttonKind != 0)) {
    case RefreshAction::Capture: recapture(inst); break;
    case RefreshAction::CheckSelection: currentSelectedItemWasChanged(inst); break;
    case RefreshAction::None: break;
  }
}

void guardStroke(InstData& inst, const LWViewportInfo* viewports, int32_t viewport) {
  if (!viewports || !viewports->pos || inst.tool.stroke.buttonKind == 0) return;
  double pos[3] = {0, 0, 0};
  viewports->pos(viewport, pos);
  if (!viewMovedDuringStroke(inst, viewport, pos)) return;
  inst.tool.stroke.cancelled = 1;
  inst.tool.stroke.buttonKind = 0;
}

void drawBonesOfObject(DisplayFrame& f) {
  if (!f.inst.boneFollowsMap || !stHost.global) return;
  ChildStcList bones;
  if (createChildStcList(bones, stHost.global, f.inst.mesh.currentObject)) drawBones(f, bones);
  destroyChildStcList(bones);
}

void drawPickHighlight(DisplayFrame& f) {
  const InstData& inst = f.inst;
  if (inst.tool.stroke.downMode != velmora::tool::kDownObject || !inst.pickedObject) return;
  const LWObjectInfo* objects = stHost.objectInfo;
  if (!objects || !objects->meshInfo) return;
  LWMeshInfoID mesh = objects->meshInfo(inst.pickedObject, 1);
  if (!mesh) return;
  collectHighlightPieces(mesh, f.state.highlight);
  if (mesh->destroy) mesh->destroy(mesh);
  drawHighlightPieces(f, f.state.highlight);
  f.state.highlight.clear();
}

}  // namespace

RefreshAction bookSnapshotRefresh(int32_t& redrawRequest, int32_t& refreshSkip, int32_t numViewports,
                                  bool buttonHeld) {
  const int32_t others = std::max(numViewports - 1, 0);
  if (redrawRequest != 0) {
    const bool capture = (redrawRequest & 2) != 0;
    refreshSkip = others;
    redrawRequest = 0;
    return capture ? RefreshAction::Capture : RefreshAction::None;
  }
  if (refreshSkip > 0) {
    --refreshSkip;
    return RefreshAction::CheckSelection;
  }
  if (buttonHeld) return RefreshAction::None;
  refreshSkip = others;
  return RefreshAction::Capture;
}

bool viewMovedDuringStroke(const InstData& inst, int32_t viewport, const double pos[3]) {
  if (inst.tool.stroke.buttonKind == 0 || inst.tool.view.viewport != viewport) return false;
  const Vec3& atPress = inst.tool.view.eyePosAtPress;
  return pos[0] != atPress.x || pos[1] != atPress.y || pos[2] != atPress.z;
}

DisplayState& toolDisplayState() { return stDisplayState; }

void drawToolFrame(InstData& inst, LWCustomObjAccess* access) {
  if (!inst.toolActive) return;
  reacquireSceneGlobals();
  if (!isEditPanelOpen() || nothingSelected()) {
    inst.mesh.noObject = 1;
    hostCommand("ChangeTool");
    return;
  }
  DisplayState& state = stDisplayState;
  const auto* viewports =
      stHost.global ? static_cast<const LWViewportInfo*>(stHost.global(hostapi::kViewportInfo, GFUSE_TRANSIENT)) : nullptr;
  keepSnapshotCurrent(inst, state, viewports);
  if (!access || !access->dispData) return;
  DrawView view;
  if (!readDrawView(viewports, *access, view)) return;
  guardStroke(inst, viewports, view.viewport);
  state.access = access;
  DisplayFrame f{*access, view, inst, state};
  if (!inst.mesh.noObject) {
    drawShadedFaces(f);
    drawBonesOfObject(f);
    computeDrawPositions(inst.mesh, view, state.points);
    drawEdges(f);
    drawPointMarkers(f);
    if (inst.showWeights) drawValueLabels(f);
  }
  drawCursor(f);
  drawPickHighlight(f);
  state.access = nullptr;
}

void drawSnapshot(DisplayFrame& f) {
  if (!f.inst.mesh.noObject) {
    drawShadedFaces(f);
    computeDrawPositions(f.inst.mesh, f.view, f.state.points);
    drawEdges(f);
    drawPointMarkers(f);
    if (f.inst.showWeights) drawValueLabels(f);
  }
  drawCursor(f);
}
