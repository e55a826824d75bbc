#include <algorithm>
#include <cstddef>

#include "geometry/geometry_conventions.h"
#include "geometry/polygon_triangulation.h"
#include "geometry/tcd_links.h"
#include "geometry/vector_math.h"

namespace velmora::geometry {

namespace {

using tcd::pos2;

bool isInterior(const TCDEdge& e) { return e.trigons[0] >= 0 && e.trigons[1] >= 0 && !e.merged; }

void pushWork(TCDTriangulationData& td, int& head, int e) {
  TCDEdge& edge = td.edges[static_cast<std::size_t>(e)];
  if (edge.onWorkList || !isInterior(edge)) return;
  edge.onWorkList = true;
  edge.nextWork = head;
  head = e;
}

// Cosine of the angle at `at` between the directions to u and w.
double cornerCos(const TCDTriangulationData& td, int at, int u, int w) {
  Vec2 du, dw;
  vect2D(pos2(td, at), pos2(td, u), du);
  vect2D(pos2(td, at), pos2(td, w), dw);
  return dot(du, dw);
}

// Edge ids of triangle t: the one running from corner `from`.
int edgeFrom(const TCDTrigon& tri, int from) {
  for (int slot = 0; slot < 3; ++slot) {
    if (tri.corners[slot] == from) return tri.edges[slot];
  }
  return -1;
}

}  // namespace

int spinTDCTTrigons(TCDTriangulationData& td) {
  int head = -1;
  for (int e = 0; e < td.numEdges; ++e) td.edges[static_cast<std::size_t>(e)].onWorkList = false;
  for (int e = td.numEdges - 1; e >= 0; --e) pushWork(td, head, e);

  // The angle rule is local, so no global measure is known to improve with
  // each flip; the cap guarantees termination should it ever cycle. Stopping
  // early still leaves a valid tiling.
  const long maxFlips = static_cast<long>(td.numEdges) * td.numEdges / 4 + 64;
  int flips = 0;
  while (head >= 0 && flips < maxFlips) {
    const int e = head;
    TCDEdge& edge = td.edges[static_cast<std::size_t>(e)];
    head = edge.nextWork;
    edge.onWorkList = false;
    edge.nextWork = -1;

    const int a = edge.vertices[0];
    const int b = edge.vertices[1];
    const int t0 = edge.trigons[0];  // runs a -> b -> c1
    const int t1 = edge.trigons[1];  // runs b -> a -> c2
    const TCDTrigon old0 = td.trigons[static_cast<std::size_t>(t0)];
    const TCDTrigon old1 = td.trigons[static_cast<std::size_t>(t1)];
    const int c1 = old0.corners[tcd::oppositeSlot(old0, a, b)];
    const int c2 = old1.corners[tcd::oppositeSlot(old1, a, b)];

    const double present[4] = {cornerCos(td, a, b, c1), cornerCos(td, a, b, c2),
                               cornerCos(td, b, a, c1), cornerCos(td, b, a, c2)};
    const double other[4] = {cornerCos(td, c1, c2, a), cornerCos(td, c1, c2, b),
                              cornerCos(td, c2, c1, a), cornerCos(td, c2, c1, b)};
    const auto [presentMin, presentMax] = std::minmax_element(present, present + 4);
    const auto [otherMin, otherMax] = std::minmax_element(other, other + 4);
    const bool anyObtuse = *presentMin < 0.0 || *otherMin < 0.0;
    // A flip must win by more than rounding: with ties (cocircular corners)
    // the recomputed cosines would otherwise flip the same edge back and forth.
    const bool better = anyObtuse ? *presentMin > *otherMin + kFlipMinGain
                                  : *presentMax > *otherMax + kFlipMinGain;
    if (!better) continue;
    // Only a strictly convex quad a c2 b c1 can take the other diagonal;
    // otherwise the new triangles would fold over each other.
    if (tcd::turn(td, c1, a, c2) >= -kZeroLength || tcd::turn(td, c2, b, c1) >= -kZeroLength) {
      continue;
    }

    const int eC1A = edgeFrom(old0, c1);
    const int eBC1 = edgeFrom(old0, b);
    const int eAC2 = edgeFrom(old1, a);
    const int eC2B = edgeFrom(old1, c2);
    edge.vertices[0] = c2;
    edge.vertices[1] = c1;
    vect2D(pos2(td, c2), pos2(td, c1), edge.dir);
    tcd::setTrigon(td, t0, c1, a, c2, eC1A, eAC2, e);
    tcd::setTrigon(td, t1, c2, b, c1, eC2B, eBC1, e);
    for (int outer : {eC1A, eAC2, eC2B, eBC1}) pushWork(td, head, outer);
    ++flips;
  }
  // Leave no stale work-list marks behind when the cap stopped the loop.
  for (; head >= 0; head = td.edges[static_cast<std::size_t>(head)].nextWork) {
    td.edges[static_cast<std::size_t>(head)].onWorkList = false;
  }
  return flips;
}

}  // namespace velmora::geometry
