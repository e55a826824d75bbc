// The three radial influence builders: screen distance, screen distance with the
// hidden-point test, and distance in space.
#include <bit>
#include <cmath>

#include "tool/enable_point_list.h"
#include "tool/face_grid.h"
#include "tool/falloff_curve.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

void beginEnableList(PaintContext& c) {
  c.scratch.list.members.clear();
  c.scratch.list.influenceDepth = 0;
  c.mesh.enableList = nullptr;
}

void emitAcceptedPoints(PaintContext& c) {
  ToolScratch& s = c.scratch;
  for (size_t w = s.accepted.size(); w-- > 0;) {
    uint64_t bits = s.accepted[w];
    if (!bits) continue;
    s.accepted[w] = 0;
    while (bits) {
      const int top = 63 - std::countl_zero(bits);
      bits &= ~(uint64_t(1) << top);
      const int32_t i = int32_t(w * 64 + size_t(top));
      s.list.members.push_back(i);
      s.mark[size_t(i)] = 1;
    }
  }
  linkEnableList(c);
}

void linkEnableList(PaintContext& c) {
  PntUserData* head = nullptr;
  const auto& members = c.scratch.list.members;
  for (size_t k = members.size(); k-- > 0;) {
    PntUserData& p = pointAt(c.mesh, members[k]);
    p.enableNext = head;
    head = &p;
  }
  c.mesh.enableList = head;
}

namespace {

struct Nearest {
  int32_t point = -1;
  double distance = 1e200;
  void offer(int32_t i, double d) {
    if (d < distance || (d == distance && i < point)) distance = d, point = i;
  }
};

void acceptWithFalloff(PaintContext& c, int32_t i, double d, double radius, Nearest& nearest) {
  c.scratch.brushDistance[size_t(i)] = d;
  pointAt(c.mesh, i).factor = falloffCurve(d / radius);
  acceptPoint(c.scratch, i);
  nearest.offer(i, d);
}

GridBox squareAround(const Vec2& centre, double R) {
  GridBox box;
  box.lo[0] = centre.x - R, box.lo[1] = centre.y - R;
  box.hi[0] = centre.x + R, box.hi[1] = centre.y + R;
  return box;
}

// Calls fn(i, d) for every candidate in front of the eye strictly inside the screen
// circle; the grid holds only points in front of the eye.
template <class Fn>
void forEachInScreenCircle(PaintContext& c, int flag, Fn&& fn) {
  const Vec2 centre = brushCentreOnScreen(c.view);
  const double R = screenBrushRadius(c);
  const bool restrict = restrictToSelection(c, flag);
  const std::vector<double>& screen = c.scratch.screen;
  forEachInBox(c.scratch.screenPoints, squareAround(centre, R), [&](int32_t i) {
    if (restrict && !pointAt(c.mesh, i).selected) return;
    const double dx = screen[size_t(i) * 3] - centre.x, dy = screen[size_t(i) * 3 + 1] - centre.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d < R) fn(i, d);
  });
}

}  // namespace

void makeEnablePointList_Radial2D(PaintContext& c, int flag, int isBlur) {
  beginEnableList(c);
  Nearest nearest;
  const double R = screenBrushRadius(c);
  forEachInScreenCircle(c, flag, [&](int32_t i, double d) { acceptWithFalloff(c, i, d, R, nearest); });
  emitAcceptedPoints(c);
  getCountExpValue(c, nearest.point, isBlur);
}

void makeEnablePointListCullFace_Radial2D(PaintContext& c, int flag, int isBlur) {
  makeTrisMat2D(c, kGridBrush);
  beginEnableList(c);
  Nearest nearest;
  const double R = screenBrushRadius(c);
  forEachInScreenCircle(c, flag, [&](int32_t i, double d) {
    if (isFrontFacePoint(c, i)) acceptWithFalloff(c, i, d, R, nearest);
  });
  emitAcceptedPoints(c);
  destroyMat2D(c.scratch.faceGrid);
  getCountExpValue(c, nearest.point, isBlur);
}

void makeEnablePointList_Radial3D(PaintContext& c, const Vec3& hit, int flag, int isBlur) {
  beginEnableList(c);
  Nearest nearest;
  const double r = c.view.brushRadius3D;
  const bool restrict = restrictToSelection(c, flag);
  GridBox box;
  box.lo[0] = hit.x - r, box.lo[1] = hit.y - r, box.lo[2] = hit.z - r;
  box.hi[0] = hit.x + r, box.hi[1] = hit.y + r, box.hi[2] = hit.z + r;
  forEachInBox(c.scratch.worldPoints, box, [&](int32_t i) {
    if (restrict && !pointAt(c.mesh, i).selected) return;
    const double d = length(displayedPos(c.mesh, i) - hit);
    if (d < r) acceptWithFalloff(c, i, d, c.view.brushRadius3DMin, nearest);
  });
  emitAcceptedPoints(c);
  getCountExpValue(c, nearest.point, isBlur);
}

}  // namespace velmora::tool
