#include <algorithm>
#include <cmath>
#include <cstddef>

#include "geometry/geometry_conventions.h"
#include "geometry/polygon_triangulation.h"
#include "geometry/vector_math.h"

namespace velmora::geometry {

namespace {

// The larger side of the bounding box of the loaded 2D outline.
double planarExtent(const TCDTriangulationData& td, int n) {
  Vec2 lo = td.vertices[0].pos2, hi = lo;
  for (int k = 1; k < n; ++k) {
    const Vec2& p = td.vertices[static_cast<std::size_t>(k)].pos2;
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
  }
  return std::max(hi.x - lo.x, hi.y - lo.y);
}

// The larger side of the bounding box of the corners.
double spatialExtent(std::span<const Vec3> corners) {
  Vec3 lo = corners[0], hi = lo;
  for (const Vec3& p : corners) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
  }
  return std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z});
}

}  // namespace

void destroyTCDTriangulationData(TCDTriangulationData& td) { td = TCDTriangulationData{}; }

Vec3 polygonPlaneNormal(std::span<const Vec3> corners) {
  const std::size_t n = corners.size();
  if (n < 3) return {};
  const double extent = spatialExtent(corners);
  if (!(extent > 0.0)) return {};
  // Newell's method on coordinates relative to the first corner at unit size: the sum
  // of the corner-to-corner cross products, i.e. twice the vector area. It weighs the
  // whole outline, so a straight first corner, noise on the corners or a bent polygon
  // all give the plane the polygon lies closest to.
  const Vec3 origin = corners[0];
  Vec3 normal;
  for (std::size_t k = 0; k < n; ++k) {
    const Vec3 a = (corners[k] - origin) * (1.0 / extent);
    const Vec3 b = (corners[(k + 1) % n] - origin) * (1.0 / extent);
    normal = normal + cross(a, b);
  }
  return normal;
}

void setTCDPlaneFrame(const Vec3& origin, const Vec3& normal, TCDTriangulationData& td) {
  Vec3 n;
  if (normalize3D2(normal, n) == 0.0) n = {0.0, 0.0, -1.0};
  td.origin = origin;
  getRot90Vector(n, td.axisX);
  td.axisY = cross(n, td.axisX);
}

int createTCDTriangulationData(TCDTriangulationData& td, std::span<const Vec3> corners) {
  const int n = static_cast<int>(corners.size());
  td.numVertices = 0;
  td.numRemaining = 0;
  td.firstRemaining = -1;
  td.numTrigons = 0;
  td.numEdges = 0;
  td.mirrored = false;
  if (n < 3) return 0;

  // Sizes only grow, so a reused record stops allocating.
  const auto un = static_cast<std::size_t>(n);
  if (td.vertices.size() < un) td.vertices.resize(un);
  if (td.trigons.size() < un - 2) td.trigons.resize(un - 2);
  if (td.edges.size() < 2 * un - 3) td.edges.resize(2 * un - 3);

  for (int k = 0; k < n; ++k) {
    TCDVertex& v = td.vertices[static_cast<std::size_t>(k)];
    const Vec3& p = corners[static_cast<std::size_t>(k)];
    const Vec3 d = p - td.origin;
    v.index = k;
    v.pos3 = p;
    v.pos2 = {dot(d, td.axisX), dot(d, td.axisY)};
    v.edge = k;
    v.next = (k + 1) % n;
    v.prev = (k + n - 1) % n;
  }
  // The outline is laid out at unit size, so that the 2D tolerances of clipping and
  // flipping are relative to the polygon: a polygon a millionth of a unit across is cut
  // exactly like the same polygon a million times larger.
  const double extent = planarExtent(td, n);
  if (extent > 0.0)
    for (int k = 0; k < n; ++k) td.vertices[static_cast<std::size_t>(k)].pos2 = td.vertices[static_cast<std::size_t>(k)].pos2 * (1.0 / extent);
  for (int k = 0; k < n; ++k) {
    TCDEdge& e = td.edges[static_cast<std::size_t>(k)];
    e = TCDEdge{};
    e.vertices[0] = k;
    e.vertices[1] = (k + 1) % n;
    vect2D(td.vertices[static_cast<std::size_t>(k)].pos2,
           td.vertices[static_cast<std::size_t>((k + 1) % n)].pos2, e.dir);
  }

  // Winding: turning angles counted positive for right turns. Zero-length edges
  // (repeated corners) are passed over: counting them as right angles would
  // flip the sign for a polygon with a few repeated corners, and ear clipping
  // would then find no ear at all.
  double sum = 0.0;
  int firstDir = -1;
  int prevDir = -1;
  for (int k = 0; k <= n; ++k) {
    const int cur = k < n ? k : firstDir;
    if (cur < 0) break;
    const Vec2& d = td.edges[static_cast<std::size_t>(cur)].dir;
    if (k < n && d.x == 0.0 && d.y == 0.0) continue;
    if (prevDir >= 0) {
      const Vec2& p = td.edges[static_cast<std::size_t>(prevDir)].dir;
      const double a = std::acos(std::clamp(dot(p, d), -1.0, 1.0));
      sum += cross(p, d) < 0.0 ? a : -a;
    }
    if (firstDir < 0) firstDir = cur;
    prevDir = cur;
  }
  if (sum < 0.0) {
    td.mirrored = true;
    for (int k = 0; k < n; ++k) {
      td.vertices[static_cast<std::size_t>(k)].pos2.x *= -1.0;
      td.edges[static_cast<std::size_t>(k)].dir.x *= -1.0;
    }
  }

  td.numVertices = n;
  td.numRemaining = n;
  td.firstRemaining = 0;
  td.numEdges = n;
  return 1;
}

int triangulatePolygon(TCDTriangulationData& td, std::span<const Vec3> corners, bool mergeQuads) {
  const int n = static_cast<int>(corners.size());
  if (n < 3) {
    createTCDTriangulationData(td, corners);
    return 0;
  }
  auto at = [&](int k) -> const Vec3& { return corners[static_cast<std::size_t>((k + n) % n)]; };
  int first = 0;
  Vec3 normal = polygonPlaneNormal(corners);
  if (length(normal) < kZeroLength) {
    // No area to speak of at unit size: the plane of a well-shaped corner, if any.
    first = searchFineZeroIndexOfPoly(corners, nullptr);
    normal = cross(at(first + 1) - at(first), at(first - 1) - at(first));
  }
  // setTCDPlaneFrame falls back to (0, 0, -1) for a zero normal; the frame's
  // sign does not matter because loading normalises the winding.
  setTCDPlaneFrame(at(first), -normal, td);
  createTCDTriangulationData(td, corners);
  if (tcTriangulation(td) == 0) return 0;
  spinTDCTTrigons(td);
  if (mergeQuads) unTripleTDCTTrigons(td);
  return 1;
}

}  // namespace velmora::geometry
