#include "tool/face_pick.h"

#include <algorithm>
#include <cmath>

#include "tool/outline_crossings.h"
#include "tool/screen_faces.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

namespace {

Vec3 inPickFrame(const ViewState& v, const Vec3& p) {
  const Vec3 q = p - v.eventPos;
  return {dot(v.pickFrame[0], q), dot(v.pickFrame[1], q), dot(v.pickFrame[2], q)};
}

bool tooNearTheEye(const ViewState& v, const Vec3& p) {
  return v.perspective && dot(p - v.eyePos, v.viewDir) < kBehindEyeDepth;
}

// The ray's depth z0 inside face f, when the ray passes through it.
bool rayThroughFace(const PaintContext& c, int32_t f, double& z0) {
  OutlineCorner corners[4];
  const int32_t k = cornerCountOf(c.mesh, f);
  for (int32_t i = 0; i < k; ++i) {
    const Vec3 q = inPickFrame(c.view, displayedPos(c.mesh, cornerOf(c.mesh, f, i)));
    corners[i] = {q.x, q.y, q.z};
  }
  Crossing x[8];
  const int32_t n = pickCrossings(corners, k, 0.0, x);
  if (n == 0 || n % 2 != 0) return false;
  sortCrossingsByX(x, n);
  int32_t left = 0;
  while (left < n && x[left].x <= 0.0) ++left;
  if (left % 2 == 0) return false;
  const Crossing& a = x[left - 1];
  const Crossing& b = x[left < n ? left : left - 1];
  const double span = b.x - a.x;
  z0 = span == 0.0 ? a.z : a.z + (0.0 - a.x) / span * (b.z - a.z);
  return true;
}

struct LineHit {
  double distance = 0.0;  // from the ray, in screen terms
  double z = 0.0;         // along the ray
  Vec3 point;
  bool voidsPick = false;
};

LineHit lineNearRay(const PaintContext& c, int32_t f) {
  const ViewState& v = c.view;
  const Vec3 pa = displayedPos(c.mesh, cornerOf(c.mesh, f, 0));
  const Vec3 pb = displayedPos(c.mesh, cornerOf(c.mesh, f, 1));
  const Vec3 a = inPickFrame(v, pa), b = inPickFrame(v, pb);
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = 0.0;
  if (std::sqrt(len2) >= 1e-11) t = std::clamp(-(a.x * dx + a.y * dy) / len2, 0.0, 1.0);
  LineHit h;
  h.distance = std::hypot(a.x + t * dx, a.y + t * dy);
  h.point = pa + (pb - pa) * t;
  h.z = a.z + t * (b.z - a.z);
  if (v.perspective) {
    const double depth = dot(h.point - v.eyePos, v.viewDir);
    if (depth < kBehindEyeDepth) h.voidsPick = true;
    else h.distance /= depth;
  }
  return h;
}

// Calls fn(line) for every two-point face in lineList order.
template <class Fn>
void forEachLine(const PaintContext& c, Fn&& fn) {
  if (c.scratch.cachesReady && c.scratch.sizedFaces == faceRecordCount(c.mesh)) {
    for (int32_t f : c.scratch.lines) fn(f);
    return;
  }
  for (int32_t f = faceRecordCount(c.mesh) - 1; f >= 0; --f)
    if (cornerCountOf(c.mesh, f) == 2) fn(f);
}

}  // namespace

FacePick getClickedPolygon(PaintContext& c) {
  collectFacesUnderCursor(c);
  FacePick result;
  double best = 1e200;
  for (int32_t f : c.scratch.faceCandidates) {
    double z0 = 0.0;
    if (!rayThroughFace(c, f, z0) || !(z0 <= best)) continue;
    const Vec3 hit = c.view.eventPos + c.view.pickFrame[2] * z0;
    if (tooNearTheEye(c.view, hit)) return {};
    best = z0;
    result = {f, hit};
  }
  const double reach = kLinePickPixels * c.view.pixelSize;
  bool resultIsLine = false, voided = false;
  double lineDistance = 0.0;
  forEachLine(c, [&](int32_t f) {
    if (voided) return;
    const LineHit h = lineNearRay(c, f);
    if (h.voidsPick) {
      voided = true;
      return;
    }
    if (!(h.distance <= reach)) return;
    const bool take = result.face < 0 || (resultIsLine ? h.distance <= lineDistance : h.z <= best);
    if (!take) return;
    result = {f, h.point};
    resultIsLine = true;
    lineDistance = h.distance;
  });
  return voided ? FacePick{} : result;
}

void getListOfClickedPolygons(PaintContext& c, std::vector<int32_t>& out) {
  out.clear();
  collectFacesUnderCursor(c);
  // Candidates come in faceList order; the chain is built by pushing at its head.
  for (int32_t f : c.scratch.faceCandidates) {
    double z0 = 0.0;
    if (!rayThroughFace(c, f, z0)) continue;
    if (tooNearTheEye(c.view, c.view.eventPos + c.view.pickFrame[2] * z0)) {
      out.clear();
      return;
    }
    out.push_back(f);
  }
  const double reach = kLinePickPixels * c.view.pixelSize;
  bool voided = false;
  forEachLine(c, [&](int32_t f) {
    if (voided) return;
    const LineHit h = lineNearRay(c, f);
    if (h.voidsPick) voided = true;
    else if (h.distance <= reach) out.push_back(f);
  });
  if (voided) out.clear();
  std::reverse(out.begin(), out.end());
}

}  // namespace velmora::tool
