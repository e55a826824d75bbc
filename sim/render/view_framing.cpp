#include "render/view_framing.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr double kNearPerDistance = 1e-3;  // near plane at a thousandth of the view distance
constexpr double kFarPerDistance = 1e4;
constexpr double kDefaultFar = 1000.0;
constexpr double kMargin = 1.15;            // room around a framed box
constexpr double kSmallest = 1e-6;          // a box of one point still gets a view

}  // namespace

void scaleClipPlanes(SimViewport& view) {
  if (!view.perspective()) return;
  view.hither = view.zoom * kNearPerDistance;
  view.yon = std::max(kDefaultFar, view.zoom * kFarPerDistance);
}

bool sceneBounds(const SimScene& scene, Vec3& lo, Vec3& hi) {
  bool any = false;
  auto take = [&](const Vec3& p) {
    for (size_t a = 0; a < 3; ++a) {
      lo[a] = any ? std::min(lo[a], p[a]) : p[a];
      hi[a] = any ? std::max(hi[a], p[a]) : p[a];
    }
    any = true;
  };
  for (const auto& item : scene.items()) {
    if (item->type != ItemType::Object || item->isNull() || item->visibility == 0) continue;
    const SimMesh& mesh = *item->mesh;
    if (auto frozen = scene.frozenIfComputed(item->id)) {
      for (size_t i = 0; i < mesh.numPoints(); ++i) {
        const auto& p = frozen->otherPos[frozen->extraPoints + i];
        take({p[0], p[1], p[2]});
      }
      continue;
    }
    const Frame f = scene.worldFrame(item->id);
    for (size_t i = 0; i < mesh.numPoints(); ++i) {
      const float* p = mesh.point(i).pos;
      take(f.apply({p[0], p[1], p[2]}));
    }
  }
  return any;
}

void frameViewport(SimViewport& view, const Vec3& lo, const Vec3& hi) {
  view.center = (lo + hi) * 0.5;
  const Vec3 half = (hi - lo) * 0.5;
  const double aspect = view.height > 0 ? double(view.width) / view.height : 1.0;
  if (view.perspective()) {
    // The sphere around the box inside the narrower of the two opening angles.
    const double radius = std::max(std::sqrt(dot(half, half)), kSmallest);
    const double tanY = std::tan(view.fovY * 0.5);
    const double halfAngle = std::atan(std::min(tanY, tanY * aspect));
    view.zoom = radius / std::sin(halfAngle) * kMargin;
  } else {
    // The box's extent across the picture plane.
    const Frame f = view.viewFrame();
    double across = 0, up = 0;
    for (size_t a = 0; a < 3; ++a) {
      across += std::abs(f.axis[0][a]) * half[a];
      up += std::abs(f.axis[1][a]) * half[a];
    }
    view.zoom = std::max({up, across / aspect, kSmallest}) * kMargin;
  }
  scaleClipPlanes(view);
}

}  // namespace sim
