#include "display/draw_view.h"

#include <cmath>
#include <limits>

using velmora::geometry::Vec3;

namespace {

constexpr double kFarEyeFactor = 100.0;

Vec3 unitOrZero(const Vec3& v) {
  const double n = length(v);
  return n > 1e-11 ? v * (1.0 / n) : Vec3{};
}

}  // namespace

bool setDrawView(DrawView& view, int32_t viewport, int32_t type, const Vec3& eye, const double xfrm[9], double pixel,
                 double hither, double yon, int32_t width, int32_t height) {
  view.viewport = viewport;
  view.type = type;
  view.perspective = type >= LVVIEWT_PERSPECTIVE && type <= LVVIEWT_CAMERA;
  view.eye = eye;
  view.ax = unitOrZero({xfrm[0], xfrm[1], xfrm[2]});
  view.ay = unitOrZero({xfrm[3], xfrm[4], xfrm[5]});
  view.vd = cross(view.ax, view.ay);
  // A zero pixel would make every marker vanish and every edge one piece.
  view.pixel = pixel > 0.0 && std::isfinite(pixel) ? pixel : 1e-3;
  view.hither = hither;
  view.yon = yon;
  view.width = width;
  view.height = height;
  view.cursorDepth = 1.0;
  if (!view.perspective) return true;
  if (length(eye) > kFarEyeFactor * yon) return false;
  view.cursorDepth = (hither + yon) / 2.0;
  return true;
}

int32_t findDrawnViewport(const LWViewportInfo* info, const LWCustomObjAccess& access) {
  if (!info || !info->pos || !info->xfrm) return 0;
  const Vec3 pos = toVec3(access.viewPos), dir = toVec3(access.viewDir);
  int32_t best = 0;
  double bestScore = std::numeric_limits<double>::infinity();
  for (int32_t n = 0; n < info->numViewports; ++n) {
    double spot[3] = {0, 0, 0}, m[9] = {0, 0, 0, 0, 0, 0, 0, 0, 1};
    info->pos(n, spot);
    info->xfrm(n, m);
    const Vec3 d = unitOrZero({m[6], m[7], m[8]});
    const double score = lengthSquared(toVec3(spot) - pos) / (1.0 + lengthSquared(pos)) + (1.0 - dot(d, dir));
    if (score < bestScore) bestScore = score, best = n;
  }
  return best;
}

bool readDrawView(const LWViewportInfo* info, const LWCustomObjAccess& access, DrawView& view) {
  if (!info || info->numViewports <= 0 || !info->type || !info->xfrm || !info->pixelSize) return false;
  const int32_t n = findDrawnViewport(info, access);
  const Vec3 eye = toVec3(access.viewPos);
  double m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  info->xfrm(n, m);
  double at[3] = {eye.x + access.viewDir[0], eye.y + access.viewDir[1], eye.z + access.viewDir[2]};
  const double pixel = info->pixelSize(n, 1.0, at);
  double hither = 0.0, yon = 0.0;
  if (info->clip) info->clip(n, &hither, &yon);
  int left = 0, top = 0, width = 0, height = 0;
  if (info->rect) info->rect(n, &left, &top, &width, &height);
  return setDrawView(view, n, info->type(n), eye, m, pixel, hither, yon, width, height);
}
