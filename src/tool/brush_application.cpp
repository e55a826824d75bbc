#include "tool/brush_application.h"

#include <algorithm>

#include "tool/enable_point_list.h"
#include "tool/face_normals.h"
#include "tool/face_pick.h"
#include "tool/paint_brushes.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

void buildBrushInfluence(PaintContext& c, int flag, int isBlur, bool atPress) {
  beginEnableList(c);
  if (c.settings.noDepth) {
    makeEnablePointList_Radial2D(c, flag, isBlur);
    return;
  }
  if (atPress) initOtherNormOfPoints(c);
  const FacePick pick = getClickedPolygon(c);
  if (pick.face < 0) {
    makeEnablePointListCullFace_Radial2D(c, flag, isBlur);
    return;
  }
  ViewState& v = c.view;
  v.brushRadius3D = c.settings.brushSize * v.pixelSize * depthFactorAt(v, pick.hit);
  v.brushRadius3DMin = std::max(v.brushRadius3D, 2e-6);
  if (c.settings.falloffMode == 1) makeEnablePointList_Mesh2(c, pick.face, pick.hit, flag);
  else makeEnablePointList_Radial3D(c, pick.hit, flag, isBlur);
}

void applyBrush(PaintContext& c, int32_t toolIndex, bool atPress) {
  const int isBlur = toolIndex == 5 ? 1 : 0;
  buildBrushInfluence(c, 1, isBlur, atPress);
  if (c.scratch.list.members.empty()) return;
  if (toolIndex == 1) runVMapPaintBrush_Brush(c);
  else if (toolIndex == 0) runVMapPaintBrush_Pen(c);
  else if (toolIndex == 5) runVMapPaintBrush_Blur(c);
}

void setPointSelected(MeshData& m, int32_t i, bool selected) {
  PntUserData& p = pointAt(m, i);
  if (bool(p.selected) == selected) return;
  p.selected = selected ? 1 : 0;
  m.selectedCount += selected ? 1 : -1;
}

void applySelectionBrush(PaintContext& c, bool deselect, bool atPress) {
  buildBrushInfluence(c, 0, 0, atPress);
  for (int32_t i : c.scratch.list.members) setPointSelected(c.mesh, i, !deselect);
}

}  // namespace velmora::tool
