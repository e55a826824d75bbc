#include "tool/paint_brushes.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "gradient/gradient.h"
#include "tool/connected_part.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

void recolourPoint(const PaintContext& c, PntUserData& p) {
  const std::span<float, 4> colour(p.colour);
  if (p.hasValue) {
    p.colourKey = getInterpolatedColorAtGradPosition(c.gradient, p.value, colour);
  } else {
    float ignored[4];
    p.colourKey = getInterpolatedColorAtGradPosition(c.gradient, 0.0f, std::span<float, 4>(ignored));
    std::copy(c.gradient.unweightedColour, c.gradient.unweightedColour + 4, p.colour);
  }
}

void setOrEraseValue(const PaintContext& c, PntUserData& p) {
  p.changed = 1;
  if (c.settings.erase) {
    p.hasValue = 0;
    p.value = 0.0f;
  } else {
    p.hasValue = 1;
    p.value = c.settings.value;
  }
  recolourPoint(c, p);
}

void runVMapPaintBrush_Pen(PaintContext& c) {
  for (int32_t i : c.scratch.list.members) setOrEraseValue(c, pointAt(c.mesh, i));
}

void runVMapPaintBrush_Brush(PaintContext& c) {
  const float s0 = c.settings.strength[0];
  const float target = c.settings.value;
  for (int32_t i : c.scratch.list.members) {
    PntUserData& p = pointAt(c.mesh, i);
    if (blendValue(p, target, float(p.factor) * s0 * s0, c.settings.erase)) recolourPoint(c, p);
  }
}

bool blendValue(PntUserData& p, float target, float k, bool erase) {
  if (!erase) {
    p.changed = 1;
    p.hasValue = 1;
    p.value = p.value + (target - p.value) * k;
    if (std::fabs(p.value - target) < kValueSnap) p.value = target;
    return true;
  }
  if (!p.hasValue) return false;
  p.changed = 1;
  p.value = p.value - p.value * k;
  if (std::fabs(p.value) < kValueSnap) {
    p.hasValue = 0;
    p.value = 0.0f;
  }
  return true;
}

int32_t blurPassCount(float s, int32_t influenceDepth) {
  if (!(s > 1.0f)) return 1;
  const double passes = std::trunc(2.0 * (double(s) - 1.0) * double(influenceDepth));
  if (passes <= 0.0) return 1;
  return passes >= double(kMaxBlurPasses) ? kMaxBlurPasses : int32_t(passes);
}

namespace {

// One smoothing pass of point i from the start values of itself and its neighbours
// (edge neighbours and the opposite corner of each quad).
void blurPoint(MeshData& m, int32_t i, float k) {
  PntUserData& p = pointAt(m, i);
  double sum = p.valueAtStart;
  int32_t count = 1;
  bool any = p.hasValueAtStart != 0;
  auto add = [&](int32_t j) {
    const PntUserData& q = pointAt(m, j);
    sum += q.valueAtStart;
    ++count;
    any = any || q.hasValueAtStart;
  };
  forEachNeighbour(m, i, add);
  forEachFaceOf(m, i, [&](int32_t f, int32_t corner) {
    if (cornerCountOf(m, f) == 4) add(cornerOf(m, f, (corner + 2) % 4));
  });
  if (!any) return;
  const float mean = float(sum / count);
  p.value = p.valueAtStart + (mean - p.valueAtStart) * (float(p.factor) * k);
  p.changed = 1;
  p.hasValue = 1;
}

}  // namespace

void runVMapPaintBrush_Blur(PaintContext& c) {
  const float s = c.settings.strength[2];
  const float clamped = std::min(s, 1.0f);
  const float k = s < 0.0f ? 0.0f : clamped * clamped;
  const int32_t passes = blurPassCount(s, c.scratch.list.influenceDepth);
  const auto& members = c.scratch.list.members;
  for (int32_t pass = 0; pass < passes; ++pass) {
    for (int32_t i : members) blurPoint(c.mesh, i, k);
    for (int32_t i : members) {
      PntUserData& p = pointAt(c.mesh, i);
      p.valueAtStart = p.value;
      p.hasValueAtStart = p.hasValue;
    }
  }
  for (int32_t i : members) recolourPoint(c, pointAt(c.mesh, i));
}

int32_t runVMapPaintBrush_Fill(PaintContext& c, const std::vector<int32_t>& faces) {
  getPointsOfClickedPart(c, faces, 1);
  for (int32_t i : c.scratch.part) setOrEraseValue(c, pointAt(c.mesh, i));
  return int32_t(c.scratch.part.size());
}

}  // namespace velmora::tool
