#include "display/point_markers.h"

#include <algorithm>

using velmora::geometry::Vec3;

namespace {

constexpr float kSmallestSpan = 0.0001f;
constexpr double kBehindEyeDepth = 2e-5;
constexpr float kBehindEyeSizeFactor = 1e20f;
constexpr double kMarkerLift = 6.0;  // markers are drawn 6 x outer toward the eye
constexpr double kMaxPull = 0.999;

// Corners of the octagon: every eighth entry of the unit-circle table.
constexpr double kOctagon[8][2] = {{1, 0},  {0.70710678118654752, 0.70710678118654752},  {0, 1},  {-0.70710678118654752, 0.70710678118654752},
                                   {-1, 0}, {-0.70710678118654752, -0.70710678118654752}, {0, -1}, {0.70710678118654752, -0.70710678118654752}};

}  // namespace

float markerSizeFactor(float v, float rangeMin, float rangeMax) {
  const float loPos = rangeMin >= 0.0f ? rangeMin : 0.0f;
  const float hiPos = rangeMax >= 0.0f ? rangeMax : kSmallestSpan;
  const float loNeg = rangeMax < 0.0f ? -rangeMax : 0.0f;
  const float hiNeg = rangeMin < 0.0f ? -rangeMin : kSmallestSpan;
  const float posSpan = std::max(hiPos - loPos, kSmallestSpan);
  const float negSpan = std::max(hiNeg - loNeg, kSmallestSpan);
  const float t = v >= 0.0f ? (v - loPos) / posSpan : (-v - loNeg) / negSpan;
  return std::clamp(t, 0.0f, 1.0f);
}

MarkerSize markerSizeOf(const InstData& inst, const PointDraw& draw, double pixel) {
  if (inst.visibility != kWireframedPoints) return {pixel, 2.0 * pixel};
  const double r = inst.pointSize / 20.0;
  const double t = inst.multiplySizeByValue ? double(draw.sizeFactor) : 1.0;
  const double inner = pixel * (1.0 + t * r);
  return {inner, pixel + inner};
}

void draw1Point(double inner, double outer, const LWCustomObjAccess& a, const Vec3& ax, const Vec3& ay,
                const Vec3& centre, const float colour[4], const float outlineColour[4]) {
  Vec3 ring[8];
  for (int k = 0; k < 8; ++k) ring[k] = centre + (ax * kOctagon[k][0] + ay * kOctagon[k][1]) * outer;
  putColour(a, outlineColour);
  for (int k = 1; k < 7; ++k) putTriangle(a, ring[0], ring[k], ring[k + 1]);
  putColour(a, colour);
  const Vec3 x = ax * inner, y = ay * inner;
  putQuad(a, centre - x - y, centre + x - y, centre + x + y, centre - x + y);
}

namespace {

void drawMarkerOf(DisplayFrame& f, const PntUserData& p, bool bySize) {
  const InstData& inst = f.inst;
  const DrawView& view = f.view;
  PointDraw& d = f.state.points[size_t(p.index)];
  if (bySize) d.sizeFactor = markerSizeFactor(p.value, inst.gradient.rangeMin, inst.gradient.rangeMax);
  MarkerSize size = markerSizeOf(inst, d, view.pixel);
  const Vec3 pos = toVec3(p.pos);
  Vec3 centre;
  if (view.perspective) {
    const double depth = dot(pos - view.eye, view.vd);
    if (depth <= kBehindEyeDepth) {
      if (bySize) d.sizeFactor = kBehindEyeSizeFactor;
      return;
    }
    const double k = std::clamp(kMarkerLift * size.outer, 0.0, kMaxPull);
    centre = view.eye + (pos - view.eye) * (1.0 - k);
    size.inner *= depth * (1.0 - k);
    size.outer *= depth * (1.0 - k);
  } else {
    centre = pos - view.vd * (kMarkerLift * size.outer);
  }
  draw1Point(size.inner, size.outer, f.access, view.ax, view.ay, centre, p.colour,
             p.selected ? colorSelected.c : colorBlack.c);
}

}  // namespace

void drawPointMarkers(DisplayFrame& f) {
  const InstData& inst = f.inst;
  if (inst.visibility == kWireframedPoints) {
    for (const PntUserData& p : inst.mesh.points) drawMarkerOf(f, p, inst.multiplySizeByValue != 0);
    return;
  }
  // Shaded choices: the selected points, then the points on no edge (the snapshot keeps
  // those in a list, so the pass over all points reads only the selection flags).
  for (const PntUserData& p : inst.mesh.points)
    if (p.selected) drawMarkerOf(f, p, false);
  for (const PntUserData* p = inst.mesh.isolatedPoints; p; p = p->isolatedNext)
    if (!p->selected) drawMarkerOf(f, *p, false);
}
