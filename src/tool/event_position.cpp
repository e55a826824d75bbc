#include "tool/event_position.h"

#include <cmath>

namespace velmora::tool {

namespace {

Vec3 unitOrZero(const Vec3& v) {
  const double len = length(v);
  return len < 1e-11 ? Vec3{} : v * (1.0 / len);
}

void setPickFrame(ViewState& v) {
  v.pickFrame[2] = v.rayDir;
  v.pickFrame[1] = unitOrZero(cross(v.rayDir, v.axisX));
  v.pickFrame[0] = cross(v.pickFrame[1], v.pickFrame[2]);
  if (v.perspective) {
    const Vec3 r = v.eventPos - v.eyePos;
    v.eventScreen = {dot(r, v.axisX), dot(r, v.axisY)};
  } else {
    v.eventScreen = {dot(v.eventPos, v.axisX), dot(v.eventPos, v.axisY)};
  }
}

}  // namespace

double setScreenAxes(ViewState& v, const Vec3& rawAxisX, const Vec3& rawAxisY) {
  const double size = length(rawAxisX);
  v.axisX = unitOrZero(rawAxisX);
  v.axisY = unitOrZero(rawAxisY);
  v.viewDir = cross(v.axisX, v.axisY);
  v.pixelSize = size;
  return size;
}

double getEventPosRaw(ViewState& v, const Vec3& e, const Vec3& d) {
  constexpr double kFar = 1e8;
  double result = 0.0;
  v.perspective = 0;
  switch (v.viewType) {
    case 1:
    case 2: {
      const double s = v.viewType == 1 ? 1.0 : -1.0;
      v.eyePos = {e.x, s * kFar, e.z};
      v.eventPos = {e.x, 0.0, e.z};
      v.rayDir = {0.0, -s, 0.0};
      v.eventOffset = {d.x, 0.0, d.z};
      v.depthLimit = -s * 10.0 * v.yon;
      break;
    }
    case 3:
    case 4: {
      const double s = v.viewType == 3 ? -1.0 : 1.0;
      v.eyePos = {e.x, e.y, s * kFar};
      v.eventPos = {e.x, e.y, 0.0};
      v.rayDir = {0.0, 0.0, -s};
      v.eventOffset = {d.x, d.y, 0.0};
      v.depthLimit = -s * 10.0 * v.yon;
      break;
    }
    case 5:
    case 6: {
      const double s = v.viewType == 5 ? 1.0 : -1.0;
      v.eyePos = {s * kFar, e.y, e.z};
      v.eventPos = {0.0, e.y, e.z};
      v.rayDir = {-s, 0.0, 0.0};
      v.eventOffset = {0.0, d.y, d.z};
      v.depthLimit = -s * 10.0 * v.yon;
      break;
    }
    case 7:
    case 8:
    case 9: {
      const Vec3 r = e - v.eyePos;
      const double depth = dot(r, v.viewDir);
      v.perspective = 1;
      result = depth;
      // An event at the eye has no direction: keep a neutral frame rather than divide by 0.
      if (std::fabs(depth) < 1e-11) {
        v.eventPos = v.eyePos;
        v.rayDir = unitOrZero(v.viewDir);
        v.eventOffset = {};
      } else {
        v.eventPos = v.eyePos + r * (1.0 / depth);
        v.rayDir = unitOrZero(r * (1.0 / depth));
        v.eventOffset = d * (1.0 / depth);
      }
      v.depthLimit = v.yon;
      break;
    }
    default:
      v.eventPos = {};
      v.rayDir = {0.0, 0.0, 1.0};
      v.eventOffset = {};
      break;
  }
  setPickFrame(v);
  return result;
}

}  // namespace velmora::tool
