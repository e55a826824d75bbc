#include "tool/stroke.h"

#include <algorithm>
#include <cmath>

#include "settings/c_strings.h"
#include "tool/area_strokes.h"
#include "tool/brush_application.h"
#include "tool/connected_part.h"
#include "tool/event_position.h"
#include "tool/face_pick.h"
#include "tool/paint_brushes.h"
#include "tool/screen_faces.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

int32_t brushSizeMaxFor(bool haveViewports, int32_t width, int32_t height) {
  if (!haveViewports) return 320;
  return std::max(int32_t(std::floor(0.2 * (double(width) + double(height)))), 128);
}

int32_t clampBrushSize(int32_t size, int32_t brushSizeMax) {
  return std::clamp(size, kBrushSizeMin, std::max(brushSizeMax, kBrushSizeMin));
}

int32_t buildChangeList(MeshData& m) {
  const size_t room = size_t(pointCount(m)) + 16;
  if (m.changeIndices.size() < room) m.changeIndices.resize(room);
  if (m.changeValues.size() < room) m.changeValues.resize(room);
  int32_t count = 0;
  for (int32_t i = 0; i < pointCount(m); ++i) {
    const PntUserData& p = pointAt(m, i);
    if (!p.changed) continue;
    m.changeIndices[size_t(count)] = i;
    m.changeValues[size_t(count)] = p.hasValue ? p.value : kUnassignedValue;
    ++count;
  }
  return count;
}

int32_t commitStroke(StrokeContext& c) {
  c.host.makeZeroWeightedOutlinePoints();
  const int32_t count = buildChangeList(c.mesh);
  c.tool.stroke.lastChangeCount = count;
  c.host.recordUndoStep(count);
  c.host.writeChangeList(count);
  return count;
}

namespace {

PaintContext paintContext(StrokeContext& c) {
  return {c.mesh, c.settings, c.gradient, c.tool.view, c.tool.scratch};
}

bool isBrushTool(int32_t t) { return t == kToolPen || t == kToolBrush || t == kToolBlur; }

void readEventView(StrokeContext& c, const ToolEventInput& e) {
  ViewState& v = c.tool.view;
  ViewportView port;
  if (c.host.viewportView(e.viewport, port)) {
    v.eyePos = port.position;
    v.hither = port.hither;
    v.yon = port.yon;
    v.viewType = port.type;
  }
  v.eyePosAtPress = v.eyePos;
  v.viewport = e.viewport;
  setScreenAxes(v, e.axisX, e.axisY);
  const double depth = getEventPosRaw(v, e.pos, e.delta);
  if (depth != 0.0) v.pixelSize /= depth;
}

void startValues(MeshData& m) {
  for (int32_t i = 0; i < pointCount(m); ++i) {
    PntUserData& p = pointAt(m, i);
    p.changed = p.selected;
    p.factor = 0.0;
    p.hasValueAtStart = p.hasValueBackup = p.hasValue;
    p.valueAtStart = p.valueBackup = p.value;
  }
}

void takeBoneWeightMap(StrokeContext& c) {
  char name[kMapNameSize];
  if (!c.host.pickedBoneWeightMap(name, kMapNameSize)) return;
  name[kMapNameSize - 1] = '\0';
  copyCStringN(c.settings.weightMapName, name, kMapNameSize);
  c.host.refreshEditPanel();
}

// The faces under the cursor for "Fill" and "Fill Sel".
void facesUnderCursor(PaintContext& p, std::vector<int32_t>& faces) {
  faces.clear();
  if (p.settings.noDepth) {
    getListOfClickedPolygons(p, faces);
    return;
  }
  const FacePick pick = getClickedPolygon(p);
  if (pick.face >= 0) faces.push_back(pick.face);
}

void fillAtCursor(StrokeContext& c) {
  if (!c.mesh.meshReady) return;
  PaintContext p = paintContext(c);
  std::vector<int32_t>& faces = c.tool.scratch.clickedFaces;
  facesUnderCursor(p, faces);
  if (!faces.empty()) runVMapPaintBrush_Fill(p, faces);
}

void selectPartAtCursor(StrokeContext& c) {
  PaintContext p = paintContext(c);
  std::vector<int32_t>& faces = c.tool.scratch.clickedFaces;
  facesUnderCursor(p, faces);
  if (faces.empty()) return;
  getPointsOfClickedPart(p, faces, 0);
  for (int32_t i : c.tool.scratch.part) setPointSelected(c.mesh, i, !c.tool.stroke.deselectStroke);
}

void addLassoNode(StrokeContext& c) {
  const ViewState& v = c.tool.view;
  LassoNode& node = add1PolLine(c.tool.stroke.lasso, float(v.eventScreen.x), float(v.eventScreen.y));
  node.worldPos[0] = v.eventPos.x, node.worldPos[1] = v.eventPos.y, node.worldPos[2] = v.eventPos.z;
}

// Steps 7 and 10 of the press: the bone picks. Returns true when the press became one.
bool pressBonePick(StrokeContext& c) {
  StrokeState& s = c.tool.stroke;
  const int32_t tool = c.settings.toolIndex;
  bool picked = false;
  if (isBrushTool(tool) && s.buttonKind == 2) {
    if (c.settings.boneFollowsMap && c.host.getSelectedBoneStc(1) != 0) {
      s.downMode = kDownBoneRight;
      picked = true;
    } else {
      return false;
    }
  } else if ((tool == kToolLassoPaint || tool == kToolFill) && s.buttonKind == 2) {
    s.downMode = kDownBoneRight;
  } else if (tool == kToolSelBone) {
    s.downMode = s.buttonKind == 2 ? kDownBoneAdd : (c.host.hasPickedBone() ? kDownBoneRemove : kDownBoneAdd);
  } else {
    return false;
  }
  if (!c.settings.boneFollowsMap) {
    s.downMode = kDownPickingOff;
    return true;
  }
  if (!picked && c.host.getSelectedBoneStc(s.downMode) == 0) return true;
  if (c.host.hasPickedBone()) takeBoneWeightMap(c);
  return true;
}

}  // namespace

int32_t strokeDown(StrokeContext& c, const ToolEventInput& e) {
  StrokeState& s = c.tool.stroke;
  ToolSettings& set = c.settings;
  s.downMode = kDownStroke;
  s.buttonKind = 0;
  s.cancelled = 0;
  readEventView(c, e);
  int32_t width = 0, height = 0;
  const bool ports = c.host.viewportUnionSize(width, height);
  set.brushSizeMax = brushSizeMaxFor(ports, width, height);
  set.brushSize = clampBrushSize(set.brushSize, set.brushSizeMax);
  s.buttonKind = (e.flags & kAltButtonFlag) ? 2 : 1;
  c.redrawRequest = 1;
  if (set.toolIndex == kToolSelObject || c.mesh.noObject) {
    c.host.trySelectingObjectInLayout();
    s.downMode = kDownObject;
    return 1;
  }
  if (pressBonePick(c)) return 1;
  startValues(c.mesh);
  PaintContext p = paintContext(c);
  prepareStrokeCaches(p);
  const int32_t tool = set.toolIndex;
  const bool anySelected = c.mesh.selectedCount != 0;
  switch (tool) {
    case kToolPen:
    case kToolBrush:
    case kToolBlur:
      if (s.buttonKind == 2) set.brushSizeAtPress = set.brushSize;
      else if (c.mesh.meshReady) applyBrush(p, tool, true);
      break;
    case kToolLinearGrad:
      s.gradientStart = c.tool.view.eventPos;
      break;
    case kToolLassoPaint:
    case kToolLassoSel:
      s.deselectStroke = s.buttonKind == 1 && anySelected;
      destroyLasso(s.lasso);
      addLassoNode(c);
      break;
    case kToolFill:
      fillAtCursor(c);
      break;
    case kToolPenSel:
      s.deselectStroke = s.buttonKind == 1 && anySelected;
      applySelectionBrush(p, s.deselectStroke, true);
      break;
    case kToolFillSel:
      s.deselectStroke = s.buttonKind == 1 && anySelected;
      selectPartAtCursor(c);
      break;
    default:
      break;
  }
  return 1;
}

void strokeMove(StrokeContext& c, const ToolEventInput& e) {
  if (c.redrawRequest != 0) return;
  StrokeState& s = c.tool.stroke;
  ViewState& v = c.tool.view;
  ViewportView port;
  const bool moved = c.host.viewportView(e.viewport, port) &&
                     (port.position.x != v.eyePosAtPress.x || port.position.y != v.eyePosAtPress.y ||
                      port.position.z != v.eyePosAtPress.z);
  if (moved || s.cancelled) {
    s.cancelled = 1;
    s.downMode = kDownStroke;
    s.buttonKind = 0;
    c.redrawRequest = 3;
    return;
  }
  ToolSettings& set = c.settings;
  const int32_t tool = set.toolIndex;
  PaintContext p = paintContext(c);
  if (s.downMode == kDownStroke && s.buttonKind != 0) {
    ensureStrokeCaches(p);
    if (isBrushTool(tool) && s.buttonKind == 2) {
      set.brushSize = clampBrushSize(set.brushSizeAtPress + e.dx, set.brushSizeMax);
      c.host.refreshEditPanel();
    } else {
      getEventPosRaw(v, e.pos, e.delta);
      switch (tool) {
        case kToolPen:
        case kToolBrush:
        case kToolBlur:
          if (c.mesh.meshReady) applyBrush(p, tool, false);
          break;
        case kToolLinearGrad:
          if (s.buttonKind == 2) {
            v.eventPos = snapGradientEnd(v, s.gradientStart, v.eventPos);
          }
          break;
        case kToolLassoPaint:
        case kToolLassoSel:
          addLassoNode(c);
          break;
        case kToolFill:
          fillAtCursor(c);
          break;
        case kToolPenSel:
          applySelectionBrush(p, s.deselectStroke, false);
          break;
        case kToolFillSel:
          selectPartAtCursor(c);
          break;
        default:
          break;
      }
    }
  } else if (s.downMode == kDownObject) {
    getEventPosRaw(v, e.pos, e.delta);
    c.host.trySelectingObjectInLayout();
  } else if (s.downMode == kDownBoneRight || s.downMode == kDownBoneAdd || s.downMode == kDownBoneRemove) {
    getEventPosRaw(v, e.pos, e.delta);
    if (c.host.getSelectedBoneStc(s.downMode) != 0) takeBoneWeightMap(c);
  }
  c.redrawRequest = 1;
}

void strokeUp(StrokeContext& c, const ToolEventInput&) {
  StrokeState& s = c.tool.stroke;
  const int32_t tool = c.settings.toolIndex;
  PaintContext p = paintContext(c);
  if (s.cancelled) {
    if (tool == kToolLassoPaint || tool == kToolLassoSel) destroyLasso(s.lasso);
  } else if (s.downMode == kDownObject) {
    c.host.selectPickedObject();
  } else if (s.downMode == kDownStroke) {
    ensureStrokeCaches(p);
    switch (tool) {
      case kToolPen:
      case kToolBrush:
      case kToolFill:
      case kToolBlur:
        if (s.buttonKind == 1 && !c.host.selectedItemChanged() && c.mesh.meshReady) commitStroke(c);
        break;
      case kToolLinearGrad:
        if (!c.host.selectedItemChanged() && c.mesh.meshReady && applyGradientLine(p, s.gradientStart) > 0)
          commitStroke(c);
        break;
      case kToolLassoPaint:
        if (makeLasso(s.lasso) == 0 && s.buttonKind == 1 && !c.host.selectedItemChanged() && c.mesh.meshReady) {
          applyLassoPaint(p, s.lasso);
          commitStroke(c);
        }
        destroyLasso(s.lasso);
        break;
      case kToolLassoSel:
        if (makeLasso(s.lasso) == 0) applyLassoSelection(p, s.lasso, s.deselectStroke);
        destroyLasso(s.lasso);
        break;
      default:
        break;
    }
  }
  s.downMode = kDownStroke;
  s.buttonKind = 0;
  c.redrawRequest = 3;
}

}  // namespace velmora::tool
