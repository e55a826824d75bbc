#include "tool/item_pick.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tool/face_pick.h"
#include "tool/outline_crossings.h"

namespace velmora::tool {

namespace {

double signedArea2(const Vec2& a, const Vec2& b, const Vec2& c) { return cross(b - a, c - a); }

// Inside or on the edge of a triangle of non-positive signed area.
bool inClockwiseTriangle(const Vec2& a, const Vec2& b, const Vec2& c, const Vec2& p) {
  if (cross(b - a, p - a) > 0.0 || cross(c - b, p - b) > 0.0 || cross(a - c, p - c) > 0.0) return false;
  // A flat triangle passes the edge test along its whole line: keep to its extent.
  return p.x >= std::min({a.x, b.x, c.x}) && p.x <= std::max({a.x, b.x, c.x}) &&
         p.y >= std::min({a.y, b.y, c.y}) && p.y <= std::max({a.y, b.y, c.y});
}

}  // namespace

Vec2 boneCursor(const ViewState& v) {
  if (!v.perspective) return v.eventScreen;
  const double depth = dot(v.eventPos - v.eyePos, v.viewDir);
  return std::fabs(depth) < 1e-11 ? v.eventScreen : v.eventScreen * (1.0 / depth);
}

bool boneDoublePyramidHit(const ViewState& v, const Vec3 corners[6], const Vec2& cursor) {
  Vec2 s[6];
  for (int k = 0; k < 6; ++k) {
    const ScreenPoint p = projectToScreen(v, corners[k]);
    if (p.behind) return false;
    s[k] = {p.x, p.y};
  }
  for (int apex : {0, 5})
    for (int k = 0; k < 4; ++k) {
      const Vec2& a = s[apex];
      const Vec2& b = s[1 + k];
      const Vec2& c = s[1 + (k + 1) % 4];
      if (signedArea2(a, b, c) > 0.0) continue;
      if (inClockwiseTriangle(a, b, c, cursor)) return true;
    }
  return false;
}

int32_t applyBonePickHit(std::span<PickedBone> storage, int32_t& count, const PickedBone& hit, int32_t mode, bool firstHit) {
  auto find = [&]() -> int32_t {
    for (int32_t k = 0; k < count; ++k)
      if (storage[size_t(k)].item == hit.item) return k;
    return -1;
  };
  if (mode == 1) {
    if (firstHit) {
      storage[0] = hit;
      count = 1;
      return 1;
    }
    if (count > 0 && hit.lengthKey < storage[0].lengthKey) storage[0] = hit;
    return 0;
  }
  if (mode == 2) {
    if (find() >= 0 || size_t(count) >= storage.size()) return 0;
    for (int32_t k = count; k > 0; --k) storage[size_t(k)] = storage[size_t(k - 1)];
    storage[0] = hit;
    ++count;
    return 1;
  }
  if (mode == 3) {
    const int32_t at = find();
    if (at < 0) return 0;
    for (int32_t k = at; k + 1 < count; ++k) storage[size_t(k)] = storage[size_t(k + 1)];
    --count;
    return -1;
  }
  return 0;
}

bool offerObjectPolygon(ObjectPick& pick, const ViewState& v, std::span<const Vec3> vertices, const void* polygon) {
  const size_t n = vertices.size();
  if (n < 2) return false;
  const Vec2 cursor = brushCentreOnScreen(v);
  std::vector<OutlineCorner>& corners = pick.corners;
  std::vector<Crossing>& crossings = pick.crossings;
  corners.resize(n);
  for (size_t k = 0; k < n; ++k) {
    const ScreenPoint p = projectToScreen(v, vertices[k]);
    if (p.behind) return false;
    corners[k] = {p.x - cursor.x, p.y - cursor.y, p.depth};
  }
  double depth = 0.0;
  if (n == 2) {
    const OutlineCorner &a = corners[0], &b = corners[1];
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t = std::sqrt(len2) < 1e-11 ? 0.0 : std::clamp(-(a.x * dx + a.y * dy) / len2, 0.0, 1.0);
    if (!(std::hypot(a.x + t * dx, a.y + t * dy) <= kLinePickPixels * v.pixelSize)) return false;
    depth = a.z + t * (b.z - a.z);
  } else {
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (const OutlineCorner& c : corners)
      minX = std::min(minX, c.x), maxX = std::max(maxX, c.x), minY = std::min(minY, c.y), maxY = std::max(maxY, c.y);
    if (minX > 0.0 || maxX < 0.0 || minY > 0.0 || maxY < 0.0) return false;
    crossings.resize(2 * n);
    const int32_t m = pickCrossings(corners.data(), int32_t(n), 0.0, crossings.data());
    if (m == 0 || m % 2 != 0) return false;
    sortCrossingsByX(crossings.data(), m);
    int32_t left = 0;
    while (left < m && crossings[size_t(left)].x <= 0.0) ++left;
    if (left % 2 == 0) return false;
    const Crossing& a = crossings[size_t(left - 1)];
    const Crossing& b = crossings[size_t(left < m ? left : left - 1)];
    depth = b.x == a.x ? a.z : a.z + (0.0 - a.x) / (b.x - a.x) * (b.z - a.z);
  }
  if (pick.any && !(depth <= pick.bestHit)) return false;
  if (v.perspective && depth < kBehindEyeDepth) return false;
  pick.any = true;
  pick.bestHit = depth;
  pick.bestPolygon = polygon;
  return true;
}

}  // namespace velmora::tool
