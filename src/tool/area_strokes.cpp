#include "tool/area_strokes.h"

#include <cmath>
#include <numbers>

#include "tool/brush_application.h"
#include "tool/face_grid.h"
#include "tool/paint_brushes.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

namespace {

// eventPos and gradientStart are projected without the perspective division.
Vec2 undividedScreen(const ViewState& v, const Vec3& p) {
  const Vec3 r = v.perspective ? p - v.eyePos : p;
  return {dot(r, v.axisX), dot(r, v.axisY)};
}

bool isCandidate(const PaintContext& c, int32_t i) {
  return c.mesh.selectedCount == 0 || pointAt(c.mesh, i).selected;
}

}  // namespace

Vec3 snapGradientEnd(const ViewState& v, const Vec3& start, const Vec3& end) {
  const Vec3 d = end - start;
  const double x = dot(d, v.axisX), y = dot(d, v.axisY);
  const double a = std::atan2(y, x), L = std::hypot(x, y);
  const double step = std::numbers::pi / 12.0;
  const double steps = (a + std::numbers::pi) / step;
  double k = std::floor(steps);
  if (steps - k > 0.5) k += 1.0;
  const double snapped = k * step - std::numbers::pi;
  return start + (v.axisX * std::cos(snapped) + v.axisY * std::sin(snapped)) * L;
}

bool areaScreenPosition(const PaintContext& c, int32_t i, double minDepth, Vec2& out) {
  const double* s = &c.scratch.screen[size_t(i) * 3];
  if (!c.view.perspective) {
    out = {s[0], s[1]};
    return true;
  }
  if (s[2] < minDepth) return false;
  // The cache divides only from kBehindEyeDepth on; nearer points hold the products.
  out = c.scratch.behindEye[size_t(i)] ? Vec2{s[0] / s[2], s[1] / s[2]} : Vec2{s[0], s[1]};
  return true;
}

int32_t applyGradientLine(PaintContext& c, const Vec3& start) {
  const Vec2 s = undividedScreen(c.view, start), e = undividedScreen(c.view, c.view.eventPos);
  const Vec2 along = e - s;
  const double len = length(along);
  if (len == 0.0) return 0;
  const Vec2 dir = along * (1.0 / len);
  const bool depthTest = !c.settings.noDepth;
  if (depthTest) makeTrisMat2D(c, kGridGradientLine);
  const float target = c.settings.value, strength = c.settings.strength[1];
  int32_t changed = 0;
  for (int32_t i = 0; i < pointCount(c.mesh); ++i) {
    Vec2 p;
    if (!isCandidate(c, i) || !areaScreenPosition(c, i, kBehindEyeDepth, p)) continue;
    const double t = dot(p - s, dir);
    if (t > len) continue;
    const double factor = t < 0.0 ? 1.0 : 1.0 - t / len;
    if (depthTest && !isFrontFacePointAt(c, i, p.x, p.y)) continue;
    PntUserData& q = pointAt(c.mesh, i);
    q.factor = factor;
    if (!blendValue(q, target, float(factor) * strength, c.settings.erase)) continue;
    recolourPoint(c, q);
    ++changed;
  }
  if (depthTest) destroyMat2D(c.scratch.faceGrid);
  return changed;
}

int32_t applyLassoPaint(PaintContext& c, Lasso& lasso) {
  const bool depthTest = !c.settings.noDepth;
  if (depthTest) makeTrisMat2D(c, kGridLasso, lasso.bounds);
  int32_t changed = 0;
  for (int32_t i = 0; i < pointCount(c.mesh); ++i) {
    Vec2 p;
    if (!isCandidate(c, i) || !areaScreenPosition(c, i, kBehindEyeDepth, p)) continue;
    if (!isInLasso(lasso, float(p.x), float(p.y))) continue;
    if (depthTest && !isFrontFacePointAt(c, i, p.x, p.y)) continue;
    setOrEraseValue(c, pointAt(c.mesh, i));
    ++changed;
  }
  if (depthTest) destroyMat2D(c.scratch.faceGrid);
  return changed;
}

int32_t applyLassoSelection(PaintContext& c, Lasso& lasso, bool deselect) {
  const bool depthTest = !c.settings.noDepth;
  if (depthTest) makeTrisMat2D(c, kGridLasso, lasso.bounds);
  int32_t touched = 0;
  for (int32_t i = 0; i < pointCount(c.mesh); ++i) {
    Vec2 p;
    if (!areaScreenPosition(c, i, 1e-11, p)) continue;
    if (!isInLasso(lasso, float(p.x), float(p.y))) continue;
    if (depthTest && !isFrontFacePointAt(c, i, p.x, p.y)) continue;
    setPointSelected(c.mesh, i, !deselect);
    ++touched;
  }
  if (depthTest) destroyMat2D(c.scratch.faceGrid);
  return touched;
}

}  // namespace velmora::tool
