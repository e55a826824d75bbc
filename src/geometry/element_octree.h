#pragma once
// Octree over the cells of an ElementGrid, for walks that prune by box
// (which triangles may hide a bone from a point). A node covers a range of
// cells; one covering more than one cell is split by halving the range on
// each axis that spans more than one cell, the lower half taking the extra
// cell. Leaves are single cells and use that cell's list in the grid, so no
// element is copied. The grid's large elements (kGridLargeElementsApart)
// belong to the root: every walk meets them first.

#include <cstdint>
#include <vector>

#include "geometry/box_overlap.h"
#include "geometry/element_grid.h"

namespace velmora::geometry {

struct OctreeNode {
  Box3 box;       ///< world box of the node's cells
  CellBox cells;  ///< inclusive cell range
  int childCount = 0;
  int children[8] = {0, 0, 0, 0, 0, 0, 0, 0};  ///< indices into ElementOctree::nodes
};

struct ElementOctree {
  std::vector<OctreeNode> nodes;  ///< nodes[0] is the root; empty when not built
};

/// Builds the octree over grid's cells (grid must be built).
void makeOctreeData(ElementOctree& octree, const ElementGrid& grid);

/// Frees the nodes.
void destroyOctreeData(ElementOctree& octree);

/// Calls visit(element index) for the grid's large elements and for every
/// element listed in a leaf reached through nodes whose box passes
/// overlaps(box). An element in several leaves is visited once per leaf; the
/// caller's visited marks drop the repeats.
template <typename Overlaps, typename Visit>
void walkElementOctree(const ElementOctree& octree, const ElementGrid& grid, Overlaps&& overlaps,
                       Visit&& visit) {
  if (octree.nodes.empty()) return;
  for (std::uint32_t e : grid.largeElements) visit(e);
  // Depth is at most 9 (256 cells per axis), 7 pending siblings per level.
  int stack[80];
  int top = 0;
  stack[top++] = 0;
  while (top > 0) {
    const OctreeNode& node = octree.nodes[static_cast<std::size_t>(stack[--top])];
    if (!overlaps(node.box)) continue;
    if (node.childCount == 0) {
      for (std::uint32_t e : cellElements(grid, node.cells.lo[0], node.cells.lo[1], node.cells.lo[2]))
        visit(e);
      continue;
    }
    for (int k = 0; k < node.childCount; ++k) stack[top++] = node.children[k];
  }
}

}  // namespace velmora::geometry
