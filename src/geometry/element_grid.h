#pragma once
// Uniform grid over surface elements: about as many cells as elements (at
// least 8, at most 256 per axis), each cell listing the elements whose
// bounding box overlaps it. The lists are one compressed array (cellStart[c]
// to cellStart[c + 1] in entries), so elements are referenced by index, never
// copied, and the grid is read-only once built: any number of threads may
// search it at once.

#include <cstdint>
#include <span>
#include <vector>

#include "geometry/surface_elements.h"

namespace velmora::geometry {

inline constexpr int kMaxGridCellsPerAxis = 256;

/// Mode bits of makeTrisMat3D.
inline constexpr int kGridLargeElementsApart = 1;  ///< keep big elements out of the cells
inline constexpr int kGridWithSegments = 2;        ///< also index the segment elements

struct ElementGrid {
  bool built = false;
  Vec3 origin;         ///< min corner of the elements' bounding box
  double cell = 1.0;   ///< cell edge length
  int n[3] = {0, 0, 0};
  std::vector<std::uint32_t> cellStart;  ///< nx*ny*nz + 1 offsets into entries
  std::vector<std::uint32_t> entries;    ///< element indices, cell by cell
  std::vector<std::uint32_t> largeElements;  ///< with kGridLargeElementsApart
};

/// Integer cell box, inclusive on both ends.
struct CellBox {
  int lo[3] = {0, 0, 0};
  int hi[3] = {-1, -1, -1};
};

/// Builds the grid over elements (triangles; segments too with
/// kGridWithSegments). Elements with a non-finite coordinate are left out.
/// With kGridLargeElementsApart an element covering more than
/// max(cells / 8, 27) cells goes to largeElements instead.
void makeTrisMat3D(ElementGrid& grid, std::span<const SurfaceElement> elements, int mode);

/// Frees the grid's storage; the grid counts as not built.
void destroyMat3D(ElementGrid& grid);

/// Cell coordinate of value on axis (floor((value - origin) / cell)), clamped
/// far outside the grid so that it always fits an int; may lie outside 0..n-1.
int cellCoordinate(const ElementGrid& grid, int axis, double value);

/// Linear index of cell (x, y, z), which must lie in the grid.
inline std::size_t cellIndex(const ElementGrid& grid, int x, int y, int z) {
  return (static_cast<std::size_t>(z) * grid.n[1] + y) * grid.n[0] + x;
}

/// The elements listed in cell (x, y, z).
inline std::span<const std::uint32_t> cellElements(const ElementGrid& grid, int x, int y, int z) {
  const std::size_t c = cellIndex(grid, x, y, z);
  return {grid.entries.data() + grid.cellStart[c], grid.cellStart[c + 1] - grid.cellStart[c]};
}

}  // namespace velmora::geometry
