#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "geometry/geometry_conventions.h"
#include "geometry/polygon_triangulation.h"
#include "geometry/tcd_links.h"
#include "geometry/vector_math.h"

namespace velmora::geometry {

namespace {

using tcd::pos2;

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = std::numbers::pi / 2.0;

TCDEdge& edgeAt(TCDTriangulationData& td, int e) { return td.edges[static_cast<std::size_t>(e)]; }
TCDTrigon& trigonAt(TCDTriangulationData& td, int t) {
  return td.trigons[static_cast<std::size_t>(t)];
}

void computeAngles(TCDTriangulationData& td, TCDTrigon& tri) {
  for (int slot = 0; slot < 3; ++slot) {
    const Vec2& at = pos2(td, tri.corners[slot]);
    Vec2 toNext, toPrev;
    vect2D(at, pos2(td, tri.corners[(slot + 1) % 3]), toNext);
    vect2D(at, pos2(td, tri.corners[(slot + 2) % 3]), toPrev);
    tri.angles[slot] = std::acos(std::clamp(dot(toNext, toPrev), -1.0, 1.0));
  }
}

// The four edges of the two triangles beside e, other than e itself.
void outerEdges(TCDTriangulationData& td, int e, int (&out)[4]) {
  int k = 0;
  for (int side = 0; side < 2; ++side) {
    const TCDTrigon& tri = trigonAt(td, edgeAt(td, e).trigons[side]);
    for (int slot = 0; slot < 3; ++slot) {
      if (tri.edges[slot] != e && k < 4) out[k++] = tri.edges[slot];
    }
  }
}

// Quad deviation across interior edge e: largest |corner angle - pi/2| of the
// quad the two triangles would form.
double quadDeviation(TCDTriangulationData& td, int e) {
  const TCDEdge& edge = edgeAt(td, e);
  const TCDTrigon& t0 = trigonAt(td, edge.trigons[0]);
  const TCDTrigon& t1 = trigonAt(td, edge.trigons[1]);
  const double atA = t0.angles[edge.cornerInTrigon[0][0]] + t1.angles[edge.cornerInTrigon[1][0]];
  const double atB = t0.angles[edge.cornerInTrigon[0][1]] + t1.angles[edge.cornerInTrigon[1][1]];
  const double atC1 = t0.angles[3 - edge.cornerInTrigon[0][0] - edge.cornerInTrigon[0][1]];
  const double atC2 = t1.angles[3 - edge.cornerInTrigon[1][0] - edge.cornerInTrigon[1][1]];
  return std::max({std::fabs(atA - kHalfPi), std::fabs(atB - kHalfPi), std::fabs(atC1 - kHalfPi),
                   std::fabs(atC2 - kHalfPi)});
}

// Rewrites t0 as the quad a c2 b c1 (polygon winding, edge i from corner i)
// and deletes t1.
void mergePair(TCDTriangulationData& td, int e, double deviation) {
  TCDEdge& edge = edgeAt(td, e);
  const int a = edge.vertices[0];
  const int b = edge.vertices[1];
  const int t0 = edge.trigons[0];
  const int t1 = edge.trigons[1];
  TCDTrigon& q = trigonAt(td, t0);
  TCDTrigon& gone = trigonAt(td, t1);
  const int c1 = q.corners[tcd::oppositeSlot(q, a, b)];
  const int c2 = gone.corners[tcd::oppositeSlot(gone, a, b)];
  auto edgeFrom = [](const TCDTrigon& tri, int from) {
    for (int slot = 0; slot < 3; ++slot) {
      if (tri.corners[slot] == from) return tri.edges[slot];
    }
    return -1;
  };
  const int quadEdges[4] = {edgeFrom(gone, a), edgeFrom(gone, c2), edgeFrom(q, b), edgeFrom(q, c1)};
  q.numCorners = 4;
  q.mergeDeviation = deviation;
  q.corners[0] = a;
  q.corners[1] = c2;
  q.corners[2] = b;
  q.corners[3] = c1;
  for (int slot = 0; slot < 4; ++slot) q.edges[slot] = quadEdges[slot];
  for (int slot = 0; slot < 4; ++slot) tcd::linkTrigonEdge(td, t0, slot);
  gone.deleted = true;
  edge.merged = true;
  edge.trigons[0] = -1;
  edge.trigons[1] = -1;
}

}  // namespace

void unTripleTDCTTrigons(TCDTriangulationData& td) {
  for (int t = 0; t < td.numTrigons; ++t) {
    TCDTrigon& tri = trigonAt(td, t);
    if (tri.deleted || tri.numCorners != 3) continue;
    computeAngles(td, tri);
    tri.mergeDeviation = kPi;
  }

  // Candidate list in edge order, linked through nextWork.
  int head = -1;
  int tail = -1;
  for (int e = 0; e < td.numEdges; ++e) {
    TCDEdge& edge = edgeAt(td, e);
    edge.deviation = kPi;
    edge.nextWork = -1;
    if (edge.merged || edge.trigons[0] < 0 || edge.trigons[1] < 0) continue;
    if (trigonAt(td, edge.trigons[0]).numCorners != 3 ||
        trigonAt(td, edge.trigons[1]).numCorners != 3) {
      continue;
    }
    const double dev = quadDeviation(td, e);
    if (dev > kQuadMergeMaxDeviation) continue;
    edge.deviation = dev;
    (tail < 0 ? head : edgeAt(td, tail).nextWork) = e;
    tail = e;
  }

  // Each pass accepts at least the smallest remaining deviation, so the retry
  // passes end.
  while (head >= 0) {
    int retryHead = -1;
    int retryTail = -1;
    for (int e = head; e >= 0;) {
      TCDEdge& edge = edgeAt(td, e);
      const int next = edge.nextWork;
      edge.nextWork = -1;
      if (edge.deviation < kHalfPi) {
        int outer[4];
        outerEdges(td, e, outer);
        bool best = true;
        for (int o : outer) best = best && edge.deviation <= edgeAt(td, o).deviation;
        if (best) {
          mergePair(td, e, edge.deviation);
          edge.deviation = kPi;
          for (int o : outer) edgeAt(td, o).deviation = kPi;
        } else {
          (retryTail < 0 ? retryHead : edgeAt(td, retryTail).nextWork) = e;
          retryTail = e;
        }
      }
      e = next;
    }
    head = retryHead;
  }
}

}  // namespace velmora::geometry
