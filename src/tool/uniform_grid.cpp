#include "tool/uniform_grid.h"

#include <algorithm>
#include <cmath>

namespace velmora::tool {

namespace {

int64_t cellsFor(const double extent[3], int32_t dimension, double cell) {
  int64_t n = 1;
  for (int32_t a = 0; a < dimension; ++a) {
    const double k = std::floor(extent[a] / cell) + 1.0;
    n *= int64_t(std::min(k, 1e6));
  }
  return n;
}

}  // namespace

void sizeUniformGrid(UniformGrid& g, int32_t dimension, const GridBox& bounds, int64_t targetCells) {
  g.dimension = dimension;
  double extent[3] = {0, 0, 0};
  double largest = 0.0;
  for (int32_t a = 0; a < 3; ++a) {
    g.origin[a] = a < dimension ? bounds.lo[a] : 0.0;
    extent[a] = a < dimension ? std::max(bounds.hi[a] - bounds.lo[a], 0.0) : 0.0;
    largest = std::max(largest, extent[a]);
  }
  targetCells = std::max<int64_t>(targetCells, 1);
  if (!(largest > 0.0) || !std::isfinite(largest)) {
    g.cellSize = 1.0;
  } else {
    // Bisect the cell side: the count of cells falls as the side grows. Flat or thin
    // point sets (a plane in 3D) get cells sized by their real extent this way.
    double small = largest * 1e-7, big = largest * 1.000001;
    for (int i = 0; i < 60; ++i) {
      const double mid = std::sqrt(small * big);
      (cellsFor(extent, dimension, mid) > targetCells ? small : big) = mid;
    }
    g.cellSize = big;
  }
  for (int32_t a = 0; a < 3; ++a)
    g.dims[a] = a < dimension ? int32_t(std::min(std::floor(extent[a] / g.cellSize) + 1.0, 1e6)) : 1;
}

}  // namespace velmora::tool
