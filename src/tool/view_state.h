// The view terms of one stroke: the screen axes and eye read at the press, the event
// point and pick ray of the latest event, and the screen projection every screen-space
// test uses.
//
// Screen coordinates. Orthographic: x = p . axisX, y = p . axisY, depth = p . viewDir.
// Perspective: r = p - eyePos, depth = r . viewDir, x = (r . axisX) / depth and
// y = (r . axisY) / depth; a point whose depth is below kBehindEyeDepth is behind the eye
// and its x, y are left undivided.
#pragma once
#include <cstdint>

#include "geometry/vec3.h"

namespace velmora::tool {

using geometry::Vec2;
using geometry::Vec3;

// Anything nearer to the eye than this (in a perspective view) counts as behind it.
inline constexpr double kBehindEyeDepth = 2e-5;

struct ViewState {
  Vec3 eventPos;        // the current event point (depth 1 in a perspective view)
  Vec3 eyePos;          // view position; overwritten for the orthographic view types
  Vec3 eyePosAtPress;
  Vec3 axisX, axisY;    // unit screen axes of the event
  Vec3 viewDir;         // axisX x axisY
  Vec3 rayDir;          // unit pick-ray direction
  Vec3 eventOffset;     // the event's delta in the same terms as eventPos
  Vec3 pickFrame[3];    // M0, M1, M2 (M2 = rayDir)
  Vec2 eventScreen;     // screen position of eventPos (undivided)
  double pixelSize = 2e-6;  // world size of one pixel (at depth 1 in perspective)
  double brushRadius3D = 0.0;     // brush radius in world units at the hit point
  double brushRadius3DMin = 2e-6; // brushRadius3D, at least 2e-6
  double hither = 0.0, yon = 0.0;
  double depthLimit = 0.0;
  int32_t viewType = 0;
  int32_t viewport = 0;
  uint8_t perspective = 0;
};

// A projected position: screen x, y and depth; behind is set for a perspective point
// nearer than kBehindEyeDepth (x, y then hold the undivided products).
struct ScreenPoint {
  double x = 0.0, y = 0.0, depth = 0.0;
  bool behind = false;
};

inline ScreenPoint projectToScreen(const ViewState& v, const Vec3& p) {
  if (!v.perspective) return {dot(p, v.axisX), dot(p, v.axisY), dot(p, v.viewDir), false};
  const Vec3 r = p - v.eyePos;
  const double depth = dot(r, v.viewDir);
  const double x = dot(r, v.axisX), y = dot(r, v.axisY);
  if (depth < kBehindEyeDepth) return {x, y, depth, true};
  return {x / depth, y / depth, depth, false};
}

// The brush centre on the screen: eventPos projected without the division (it already
// lies at depth 1 in a perspective view).
inline Vec2 brushCentreOnScreen(const ViewState& v) {
  if (!v.perspective) return {dot(v.eventPos, v.axisX), dot(v.eventPos, v.axisY)};
  const Vec3 r = v.eventPos - v.eyePos;
  return {dot(r, v.axisX), dot(r, v.axisY)};
}

// Depth of a world position along the view (perspective) or 1 (orthographic): the
// factor between a screen length and a world length at that position.
inline double depthFactorAt(const ViewState& v, const Vec3& p) {
  return v.perspective ? dot(p - v.eyePos, v.viewDir) : 1.0;
}

}  // namespace velmora::tool
