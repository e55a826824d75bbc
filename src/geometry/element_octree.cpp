#include "geometry/element_octree.h"

namespace velmora::geometry {

namespace {

double get(const Vec3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }

void set(Vec3& v, int axis, double value) { (axis == 0 ? v.x : (axis == 1 ? v.y : v.z)) = value; }

Box3 worldBox(const ElementGrid& grid, const CellBox& cells) {
  Box3 box;
  for (int a = 0; a < 3; ++a) {
    set(box.min, a, get(grid.origin, a) + cells.lo[a] * grid.cell);
    set(box.max, a, get(grid.origin, a) + (cells.hi[a] + 1) * grid.cell);
  }
  return box;
}

// Splits range lo..hi into a lower part of ceil(c / 2) cells and an upper part
// of floor(c / 2); a single cell stays whole.
int halves(int lo, int hi, int outLo[2], int outHi[2]) {
  const int count = hi - lo + 1;
  if (count <= 1) {
    outLo[0] = lo;
    outHi[0] = hi;
    return 1;
  }
  const int lower = (count + 1) / 2;
  outLo[0] = lo;
  outHi[0] = lo + lower - 1;
  outLo[1] = lo + lower;
  outHi[1] = hi;
  return 2;
}

int addNode(ElementOctree& octree, const ElementGrid& grid, const CellBox& cells) {
  OctreeNode node;
  node.cells = cells;
  node.box = worldBox(grid, cells);
  octree.nodes.push_back(node);
  return static_cast<int>(octree.nodes.size() - 1);
}

void split(ElementOctree& octree, const ElementGrid& grid, int index) {
  const CellBox cells = octree.nodes[static_cast<std::size_t>(index)].cells;
  int lo[3][2], hi[3][2], parts[3];
  for (int a = 0; a < 3; ++a) parts[a] = halves(cells.lo[a], cells.hi[a], lo[a], hi[a]);
  if (parts[0] * parts[1] * parts[2] == 1) return;
  for (int z = 0; z < parts[2]; ++z)
    for (int y = 0; y < parts[1]; ++y)
      for (int x = 0; x < parts[0]; ++x) {
        CellBox child;
        child.lo[0] = lo[0][x], child.hi[0] = hi[0][x];
        child.lo[1] = lo[1][y], child.hi[1] = hi[1][y];
        child.lo[2] = lo[2][z], child.hi[2] = hi[2][z];
        const int c = addNode(octree, grid, child);
        OctreeNode& parent = octree.nodes[static_cast<std::size_t>(index)];
        parent.children[parent.childCount++] = c;
      }
}

}  // namespace

void makeOctreeData(ElementOctree& octree, const ElementGrid& grid) {
  destroyOctreeData(octree);
  if (!grid.built) return;
  const std::size_t cells = static_cast<std::size_t>(grid.n[0]) * grid.n[1] * grid.n[2];
  // A full octree over c leaves has fewer than 2c nodes.
  octree.nodes.reserve(2 * cells + 1);
  CellBox all;
  for (int a = 0; a < 3; ++a) all.lo[a] = 0, all.hi[a] = grid.n[a] - 1;
  addNode(octree, grid, all);
  // Nodes are split in creation order, so every new child is reached later.
  for (std::size_t i = 0; i < octree.nodes.size(); ++i) split(octree, grid, static_cast<int>(i));
}

void destroyOctreeData(ElementOctree& octree) { octree.nodes = {}; }

}  // namespace velmora::geometry
