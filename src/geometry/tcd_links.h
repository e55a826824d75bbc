#pragma once
// Internal to the triangulation sources: keeping edge-side links in step with
// the triangles' corner lists.

#include <cstddef>

#include "geometry/polygon_triangulation.h"

namespace velmora::geometry::tcd {

/// Records that edges[slot] of trigon t runs corners[slot] -> corners[slot + 1]
/// (cyclic over numCorners): the edge's side is chosen by that direction.
inline void linkTrigonEdge(TCDTriangulationData& td, int t, int slot) {
  TCDTrigon& tri = td.trigons[static_cast<std::size_t>(t)];
  const int from = tri.corners[slot];
  TCDEdge& e = td.edges[static_cast<std::size_t>(tri.edges[slot])];
  const int side = e.vertices[0] == from ? 0 : 1;
  const int nextSlot = (slot + 1) % tri.numCorners;
  e.trigons[side] = t;
  // vertices[0] sits at `slot` on side 0 and at `nextSlot` on side 1.
  e.cornerInTrigon[side][0] = side == 0 ? slot : nextSlot;
  e.cornerInTrigon[side][1] = side == 0 ? nextSlot : slot;
}

/// Sets all corners and edges of triangle t and links its edges.
inline void setTrigon(TCDTriangulationData& td, int t, int c0, int c1, int c2, int e0, int e1,
                      int e2) {
  TCDTrigon& tri = td.trigons[static_cast<std::size_t>(t)];
  tri.numCorners = 3;
  tri.corners[0] = c0;
  tri.corners[1] = c1;
  tri.corners[2] = c2;
  tri.corners[3] = -1;
  tri.edges[0] = e0;
  tri.edges[1] = e1;
  tri.edges[2] = e2;
  tri.edges[3] = -1;
  for (int slot = 0; slot < 3; ++slot) linkTrigonEdge(td, t, slot);
}

/// Slot (0..2) of the corner of triangle t that is neither a nor b.
inline int oppositeSlot(const TCDTrigon& tri, int a, int b) {
  for (int slot = 0; slot < 3; ++slot) {
    if (tri.corners[slot] != a && tri.corners[slot] != b) return slot;
  }
  return 0;
}

inline const Vec2& pos2(const TCDTriangulationData& td, int v) {
  return td.vertices[static_cast<std::size_t>(v)].pos2;
}

/// Orientation of the triangle (a, b, c) in the processed frame: negative when
/// it runs the way every processed polygon does (clockwise).
inline double turn(const TCDTriangulationData& td, int a, int b, int c) {
  return cross(pos2(td, b) - pos2(td, a), pos2(td, c) - pos2(td, a));
}

}  // namespace velmora::geometry::tcd
