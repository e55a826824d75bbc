#include "geometry/element_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velmora::geometry {

namespace {

// Small boxes: the grid then uses unit extents so the cell size stays sane.
constexpr double kTinyExtent = 0.000004;
constexpr double kEmptyHalfExtent = 0.0001;
constexpr double kBisectionStop = 1e-7;
constexpr double kCapDivisor = 255.9;
// Far-away queries: cell coordinates beyond this only need to be "outside".
constexpr double kCellCoordinateLimit = 1 << 29;

double coord(const Vec3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }

bool isFinite(const Vec3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool isIndexed(const SurfaceElement& e, int mode) {
  if (e.kind == ElementKind::Segment && (mode & kGridWithSegments) == 0) return false;
  return isFinite(e.boxMin) && isFinite(e.boxMax);
}

struct Bounds {
  Vec3 min;
  Vec3 max;
  int count = 0;
};

Bounds boundsOf(std::span<const SurfaceElement> elements, int mode) {
  Bounds b;
  for (const SurfaceElement& e : elements) {
    if (!isIndexed(e, mode)) continue;
    if (b.count++ == 0) {
      b.min = e.boxMin;
      b.max = e.boxMax;
      continue;
    }
    b.min = {std::min(b.min.x, e.boxMin.x), std::min(b.min.y, e.boxMin.y),
             std::min(b.min.z, e.boxMin.z)};
    b.max = {std::max(b.max.x, e.boxMax.x), std::max(b.max.y, e.boxMax.y),
             std::max(b.max.z, e.boxMax.z)};
  }
  if (b.count == 0) {
    b.min = {-kEmptyHalfExtent, -kEmptyHalfExtent, -kEmptyHalfExtent};
    b.max = {kEmptyHalfExtent, kEmptyHalfExtent, kEmptyHalfExtent};
  }
  return b;
}

void countsFor(const double extent[3], double cell, int n[3]) {
  for (int a = 0; a < 3; ++a) {
    const double cells = std::floor(extent[a] / cell) + 1.0;
    n[a] = cells > 1e9 ? 1000000000 : static_cast<int>(cells);
  }
}

std::int64_t product(const int n[3]) {
  return static_cast<std::int64_t>(n[0]) * n[1] * n[2];
}

// Bisection on the cell size so that the cell count comes close to (and not
// below) target, then a cap of kMaxGridCellsPerAxis on the longest axis.
double sizeCells(const double extent[3], std::int64_t target, int n[3]) {
  const double longest = std::max({extent[0], extent[1], extent[2]});
  double low = 1.0 / static_cast<double>(target);
  double high = 1.0;
  double cell = longest;
  while (true) {
    const double mid = (low + high) / 2.0;
    cell = longest * mid;
    countsFor(extent, cell, n);
    const std::int64_t cells = product(n);
    if (cells >= target) {
      low = mid;
      if (cells <= target) break;
    } else {
      high = mid;
    }
    if (high - low < kBisectionStop) break;
  }
  const int widest = static_cast<int>(std::max_element(n, n + 3) - n);
  if (n[widest] > kMaxGridCellsPerAxis) {
    cell = extent[widest] / kCapDivisor;
    countsFor(extent, cell, n);
  }
  return cell;
}

CellBox cellsOf(const ElementGrid& grid, const SurfaceElement& e) {
  CellBox box;
  for (int a = 0; a < 3; ++a) {
    box.lo[a] = std::clamp(cellCoordinate(grid, a, coord(e.boxMin, a)), 0, grid.n[a] - 1);
    box.hi[a] = std::clamp(cellCoordinate(grid, a, coord(e.boxMax, a)), 0, grid.n[a] - 1);
  }
  return box;
}

std::int64_t cellCount(const CellBox& b) {
  return static_cast<std::int64_t>(b.hi[0] - b.lo[0] + 1) * (b.hi[1] - b.lo[1] + 1) *
         (b.hi[2] - b.lo[2] + 1);
}

template <typename F>
void forEachCell(const CellBox& b, F&& f) {
  for (int z = b.lo[2]; z <= b.hi[2]; ++z)
    for (int y = b.lo[1]; y <= b.hi[1]; ++y)
      for (int x = b.lo[0]; x <= b.hi[0]; ++x) f(x, y, z);
}

}  // namespace

int cellCoordinate(const ElementGrid& grid, int axis, double value) {
  const double c = std::floor((value - coord(grid.origin, axis)) / grid.cell);
  if (!(c > -kCellCoordinateLimit)) return -static_cast<int>(kCellCoordinateLimit);
  if (c > kCellCoordinateLimit) return static_cast<int>(kCellCoordinateLimit);
  return static_cast<int>(c);
}

void makeTrisMat3D(ElementGrid& grid, std::span<const SurfaceElement> elements, int mode) {
  destroyMat3D(grid);
  const Bounds bounds = boundsOf(elements, mode);
  double extent[3] = {bounds.max.x - bounds.min.x, bounds.max.y - bounds.min.y,
                      bounds.max.z - bounds.min.z};
  if (std::max({extent[0], extent[1], extent[2]}) < kTinyExtent) extent[0] = extent[1] = extent[2] = 1.0;
  const std::int64_t target = std::max<std::int64_t>(bounds.count, 8);
  grid.origin = bounds.min;
  grid.cell = sizeCells(extent, target, grid.n);

  const std::int64_t cells = product(grid.n);
  const std::int64_t largeLimit = std::max<std::int64_t>(cells / 8, 27);
  const bool largeApart = (mode & kGridLargeElementsApart) != 0;
  grid.cellStart.assign(static_cast<std::size_t>(cells) + 1, 0);
  // First pass counts the entries per cell, the second fills them in place.
  auto place = [&](bool firstPass, auto&& perCell) {
    for (std::size_t i = 0; i < elements.size(); ++i) {
      if (!isIndexed(elements[i], mode)) continue;
      const CellBox box = cellsOf(grid, elements[i]);
      if (largeApart && cellCount(box) > largeLimit) {
        if (firstPass) grid.largeElements.push_back(static_cast<std::uint32_t>(i));
        continue;
      }
      forEachCell(box, [&](int x, int y, int z) { perCell(cellIndex(grid, x, y, z), i); });
    }
  };
  place(true, [&](std::size_t c, std::size_t) { ++grid.cellStart[c + 1]; });
  for (std::size_t c = 1; c < grid.cellStart.size(); ++c) grid.cellStart[c] += grid.cellStart[c - 1];
  grid.entries.resize(grid.cellStart.back());
  std::vector<std::uint32_t> fill(grid.cellStart.begin(), grid.cellStart.end() - 1);
  place(false, [&](std::size_t c, std::size_t i) {
    grid.entries[fill[c]++] = static_cast<std::uint32_t>(i);
  });
  grid.built = true;
}

void destroyMat3D(ElementGrid& grid) {
  grid = ElementGrid{};
}

}  // namespace velmora::geometry
