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

void emitAcceptedPoints(PaintContext& c, double radius) {
  ToolScratch& s = c.scratch;
  // One descending pass over the accepted points: the list, the factors and the links
  // are written together, so each point record is visited once and in memory order.
  PntUserData* previous = nullptr;
  c.mesh.enableList = nullptr;
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
      PntUserData& p = pointAt(c.mesh, i);
      p.factor = falloffCurve(s.brushDistance[size_t(i)] / radius);
      if (previous) previous->enableNext = &p;
      else c.mesh.enableList = &p;
      previous = &p;
    }
  }
  if (previous) previous->enableNext = nullptr;
}

namespace {

struct Nearest {
  int32_t point = -1;
  double distance = 1e200;
  void offer(int32_t i, double d) {
    if (d < distance || (d == distance && i < point)) distance = d, point = i;
  }
};

// The factor is written when the list is emitted (emitAcceptedPoints), from the distance.
void accept(PaintContext& c, int32_t i, double d, Nearest& nearest) {
  c.scratch.brushDistance[size_t(i)] = d;
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
// circle; the grid holds only points in front of the eye. A brush over most of the
// mesh reads all points in index order instead of hopping between grid cells.
template <class Fn>
void forEachInScreenCircle(PaintContext& c, int flag, Fn&& fn) {
  const Vec2 centre = brushCentreOnScreen(c.view);
  const double R = screenBrushRadius(c);
  const bool restrict = restrictToSelection(c, flag);
  const ToolScratch& s = c.scratch;
  const double* screen = s.screen.data();
  auto test = [&](int32_t i) {
    if (restrict && !pointAt(c.mesh, i).selected) return;
    const double dx = screen[size_t(i) * 3] - centre.x, dy = screen[size_t(i) * 3 + 1] - centre.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d < R) fn(i, d);
  };
  const GridBox box = squareAround(centre, R);
  if (boxCoversMostOf(s.screenPoints, box)) {
    for (int32_t i = 0; i < pointCount(c.mesh); ++i)
      if (!s.behindEye[size_t(i)]) test(i);
  } else {
    forEachInBox(s.screenPoints, box, test);
  }
}

}  // namespace

void makeEnablePointList_Radial2D(PaintContext& c, int flag, int isBlur) {
  beginEnableList(c);
  Nearest nearest;
  const double R = screenBrushRadius(c);
  forEachInScreenCircle(c, flag, [&](int32_t i, double d) { accept(c, i, d, nearest); });
  emitAcceptedPoints(c, R);
  getCountExpValue(c, nearest.point, isBlur);
}

void makeEnablePointListCullFace_Radial2D(PaintContext& c, int flag, int isBlur) {
  makeTrisMat2D(c, kGridBrush);
  beginEnableList(c);
  Nearest nearest;
  const double R = screenBrushRadius(c);
  forEachInScreenCircle(c, flag, [&](int32_t i, double d) {
    if (isFrontFacePoint(c, i)) accept(c, i, d, nearest);
  });
  emitAcceptedPoints(c, R);
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
  const ToolScratch& s = c.scratch;
  auto test = [&](int32_t i, const Vec3& p) {
    if (restrict && !pointAt(c.mesh, i).selected) return;
    const double d = length(p - hit);
    if (d < r) accept(c, i, d, nearest);
  };
  if (s.cachesReady && boxCoversMostOf(s.worldPoints, box)) {
    // The press's packed positions, read in order (the same values as the snapshot's).
    const double* packed = s.position.data();
    for (int32_t i = 0; i < pointCount(c.mesh); ++i)
      test(i, {packed[size_t(i) * 3], packed[size_t(i) * 3 + 1], packed[size_t(i) * 3 + 2]});
  } else {
    forEachInBox(s.worldPoints, box, [&](int32_t i) { test(i, displayedPos(c.mesh, i)); });
  }
  emitAcceptedPoints(c, c.view.brushRadius3DMin);
  getCountExpValue(c, nearest.point, isBlur);
}

}  // namespace velmora::tool
