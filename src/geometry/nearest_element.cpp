#include "geometry/nearest_element.h"

#include <algorithm>
#include <cmath>

#include "geometry/vector_math.h"

namespace velmora::geometry {

namespace {

double coord(const Vec3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }

// How far the 2D point p lies from the triangle in its plane (0 inside). A
// triangle without area has no inside: its "plane" is arbitrary, so only the
// distance to its sides counts.
double triangleInPlaneDistance(const SurfaceElement& e, const Vec2& p) {
  bool inside = e.hasArea;
  for (int i = 0; i < 3; ++i) {
    if (dot(p - e.corner2[i], e.edgeOutward[i]) > 0.0) inside = false;
  }
  if (inside) return 0.0;
  double nearest = kNearStartDistance;
  for (int i = 0; i < 3; ++i) {
    const Vec2 rel = p - e.corner2[i];
    const double t = std::clamp(dot(rel, e.edgeDir[i]), 0.0, e.edgeLength[i]);
    nearest = std::min(nearest, length(rel - e.edgeDir[i] * t));
  }
  return nearest;
}

void segmentDistance(const SurfaceElement& e, const Vec3& d, double& distance, double& inPlane) {
  const double t = d.z;
  const double perpendicularSq = d.x * d.x + d.y * d.y;
  if (t < 0.0) {
    distance = length(d);
    inPlane = -t;
  } else if (t > e.length) {
    const double beyond = t - e.length;
    distance = std::sqrt(beyond * beyond + perpendicularSq);
    inPlane = beyond;
  } else {
    distance = std::sqrt(perpendicularSq);
    inPlane = 0.0;
  }
}

// Visits the cells of box that lie outside done (done may be empty).
void visitNewCells(const ElementGrid& grid, std::span<const SurfaceElement> elements,
                   const Vec3& q, const CellBox& box, const CellBox& done, NearestResult& best,
                   NearestScratch& scratch) {
  auto visitCell = [&](int x, int y, int z) {
    for (std::uint32_t element : cellElements(grid, x, y, z)) {
      if (scratch.visited[element] != 0) continue;
      scratch.visited[element] = 1;
      scratch.touched.push_back(element);
      testNearTrigon(elements, static_cast<int>(element), q, best);
    }
  };
  for (int z = box.lo[2]; z <= box.hi[2]; ++z) {
    for (int y = box.lo[1]; y <= box.hi[1]; ++y) {
      const bool rowDone = z >= done.lo[2] && z <= done.hi[2] && y >= done.lo[1] && y <= done.hi[1];
      for (int x = box.lo[0]; x <= box.hi[0]; ++x) {
        if (rowDone && x >= done.lo[0] && x <= done.hi[0]) {
          x = done.hi[0];
          continue;
        }
        visitCell(x, y, z);
      }
    }
  }
}

// The query's cell, or when it lies outside the grid the smallest cube of
// cells around it that reaches the grid, clamped to the grid.
CellBox startBox(const ElementGrid& grid, const Vec3& q) {
  int c[3];
  int margin = 0;
  for (int a = 0; a < 3; ++a) {
    c[a] = cellCoordinate(grid, a, coord(q, a));
    if (c[a] < 0) margin = std::max(margin, -c[a]);
    if (c[a] > grid.n[a] - 1) margin = std::max(margin, c[a] - (grid.n[a] - 1));
  }
  CellBox box;
  for (int a = 0; a < 3; ++a) {
    box.lo[a] = std::clamp(c[a] - margin, 0, grid.n[a] - 1);
    box.hi[a] = std::clamp(c[a] + margin, 0, grid.n[a] - 1);
  }
  return box;
}

bool growByOneCell(const ElementGrid& grid, CellBox& box) {
  bool grew = false;
  for (int a = 0; a < 3; ++a) {
    if (box.lo[a] > 0) {
      --box.lo[a];
      grew = true;
    }
    if (box.hi[a] < grid.n[a] - 1) {
      ++box.hi[a];
      grew = true;
    }
  }
  return grew;
}

CellBox sphereBox(const ElementGrid& grid, const Vec3& q, double radius) {
  CellBox box;
  for (int a = 0; a < 3; ++a) {
    box.lo[a] = std::clamp(cellCoordinate(grid, a, coord(q, a) - radius), 0, grid.n[a] - 1);
    box.hi[a] = std::clamp(cellCoordinate(grid, a, coord(q, a) + radius), 0, grid.n[a] - 1);
  }
  return box;
}

void testLargeElements(const ElementGrid& grid, std::span<const SurfaceElement> elements,
                       const Vec3& q, NearestResult& best, NearestScratch& scratch) {
  for (std::uint32_t element : grid.largeElements) {
    if (scratch.visited[element] != 0) continue;
    testNearTrigon(elements, static_cast<int>(element), q, best);
  }
}

void clearTouched(NearestScratch& scratch) {
  for (std::uint32_t element : scratch.touched) scratch.visited[element] = 0;
  scratch.touched.clear();
}

}  // namespace

void prepareNearestScratch(NearestScratch& scratch, std::size_t elementCount) {
  scratch.visited.assign(elementCount, 0);
  scratch.touched.clear();
  // Each element is remembered at most once per search, so this never grows.
  scratch.touched.reserve(elementCount + 16);
}

void excludeElement(NearestScratch& scratch, std::size_t element) {
  if (element < scratch.visited.size()) scratch.visited[element] = 1;
}

void includeAllElements(NearestScratch& scratch) {
  std::fill(scratch.visited.begin(), scratch.visited.end(), 0);
  scratch.touched.clear();
}

void elementDistance(const SurfaceElement& element, const Vec3& q, double& distance,
                     double& inPlane) {
  const Vec3 d = toElementFrame(element, q);
  if (element.kind == ElementKind::Segment) {
    segmentDistance(element, d, distance, inPlane);
    return;
  }
  inPlane = triangleInPlaneDistance(element, {d.x, d.y});
  distance = std::sqrt(d.z * d.z + inPlane * inPlane);
}

bool testNearTrigon(std::span<const SurfaceElement> elements, int element, const Vec3& q,
                    NearestResult& best) {
  double distance = 0.0;
  double inPlane = 0.0;
  elementDistance(elements[static_cast<std::size_t>(element)], q, distance, inPlane);
  if (!(distance < best.distance)) return false;
  if (best.distance - distance < kNearTieBand && inPlane > best.inPlane) return false;
  best.element = element;
  best.distance = distance + kNearTieSlack;
  best.inPlane = inPlane;
  return true;
}

void searchNearTrigon(const ElementGrid& grid, std::span<const SurfaceElement> elements,
                      const Vec3& q, NearestResult& best, NearestScratch& scratch) {
  if (!grid.built || scratch.visited.size() < elements.size()) return;
  if (!std::isfinite(q.x) || !std::isfinite(q.y) || !std::isfinite(q.z)) return;
  testLargeElements(grid, elements, q, best, scratch);
  CellBox box = startBox(grid, q);
  visitNewCells(grid, elements, q, box, CellBox{}, best, scratch);
  while (best.element < 0) {
    const CellBox before = box;
    if (!growByOneCell(grid, box)) break;
    visitNewCells(grid, elements, q, box, before, best, scratch);
  }
  if (best.element >= 0) {
    const CellBox sphere = sphereBox(grid, q, best.distance);
    visitNewCells(grid, elements, q, sphere, box, best, scratch);
  }
  clearTouched(scratch);
}

}  // namespace velmora::geometry
