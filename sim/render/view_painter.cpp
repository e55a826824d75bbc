#include "render/view_painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sim {

ViewPainter::ViewPainter(const SimViewport& view, Rasteriser& raster)
    : view_(view), raster_(raster), frame_(view.viewFrame()) {
  scale_ = view.perspective() ? (view.height * 0.5) / std::tan(view.fovY * 0.5) : (view.height * 0.5) / view.zoom;
}

Vec3 ViewPainter::toView(const Vec3& world) const {
  const Vec3 d = world - frame_.origin;
  return {dot(d, frame_.axis[0]), dot(d, frame_.axis[1]), dot(d, frame_.axis[2])};
}

Vec3 ViewPainter::pixelToView(double x, double y, double z) const {
  const double depth = view_.hither + z * (view_.yon - view_.hither);
  const double per = view_.perspective() ? depth / scale_ : 1.0 / scale_;
  return {(x - view_.width * 0.5) * per, (view_.height * 0.5 - y) * per, depth};
}

double ViewPainter::pixelsPerUnit(double depth) const {
  return view_.perspective() ? scale_ / std::max(depth, view_.hither) : scale_;
}

bool ViewPainter::toScreen(const Vec3& v, RasterVertex* out) const {
  if (v[2] < view_.hither) return false;
  const double per = view_.perspective() ? scale_ / v[2] : scale_;
  out->x = view_.width * 0.5 + v[0] * per;
  out->y = view_.height * 0.5 - v[1] * per;
  out->z = (v[2] - view_.hither) / (view_.yon - view_.hither);
  out->w = view_.perspective() ? v[2] : 1.0;
  return true;
}

void ViewPainter::polygon(std::span<const ViewVertex> corners, const RasterState& s) {
  if (corners.size() < 3) return;
  const double near = view_.hither;
  bool allIn = true;
  for (const ViewVertex& c : corners) allIn = allIn && c.p[2] >= near;
  std::vector<ViewVertex> kept;
  if (allIn) {
    kept.assign(corners.begin(), corners.end());
  } else {
    // Sutherland-Hodgman against the near plane; view space is where depth is linear.
    for (size_t i = 0; i < corners.size(); ++i) {
      const ViewVertex& a = corners[i];
      const ViewVertex& b = corners[(i + 1) % corners.size()];
      const bool aIn = a.p[2] >= near, bIn = b.p[2] >= near;
      if (aIn) kept.push_back(a);
      if (aIn != bIn) {
        const double t = (near - a.p[2]) / (b.p[2] - a.p[2]);
        ViewVertex m;
        m.p = a.p + (b.p - a.p) * t;
        m.p[2] = near;
        m.u = a.u + (b.u - a.u) * t;
        m.v = a.v + (b.v - a.v) * t;
        kept.push_back(m);
      }
    }
  }
  if (kept.size() < 3) return;
  std::vector<RasterVertex> screen(kept.size());
  for (size_t i = 0; i < kept.size(); ++i) {
    toScreen(kept[i].p, &screen[i]);
    screen[i].u = kept[i].u;
    screen[i].v = kept[i].v;
  }
  for (size_t i = 1; i + 1 < screen.size(); ++i) raster_.triangle(screen[0], screen[i], screen[i + 1], s);
}

void ViewPainter::line(const Vec3& a0, const Vec3& b0, const RasterState& s) {
  Vec3 a = a0, b = b0;
  const double near = view_.hither;
  if (a[2] < near && b[2] < near) return;
  if (a[2] < near || b[2] < near) {
    const double t = (near - a[2]) / (b[2] - a[2]);
    Vec3 m = a + (b - a) * t;
    m[2] = near;
    (a[2] < near ? a : b) = m;
  }
  RasterVertex sa, sb;
  if (toScreen(a, &sa) && toScreen(b, &sb)) raster_.line(sa, sb, s);
}

void ViewPainter::point(const Vec3& p, const RasterState& s) {
  RasterVertex v;
  if (toScreen(p, &v)) raster_.point(v, s);
}

void ViewPainter::text(const Vec3& p, std::string_view text, int justify, const RasterState& s) {
  RasterVertex v;
  if (toScreen(p, &v)) raster_.text(v, text, justify, s);
}

}  // namespace sim
