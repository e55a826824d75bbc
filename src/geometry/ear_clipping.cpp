#include <algorithm>
#include <cstddef>

#include "geometry/geometry_conventions.h"
#include "geometry/polygon_triangulation.h"
#include "geometry/tcd_links.h"
#include "geometry/vector_math.h"

namespace velmora::geometry {

namespace {

using tcd::pos2;

// Outward unit normal of the edge a->b of a clockwise triangle (left normal).
Vec2 outwardNormal(const Vec2& a, const Vec2& b) {
  Vec2 d;
  vect2D(a, b, d);
  return {-d.y, d.x};
}

// Corner c with neighbours p and n is an ear when it turns the polygon's way
// and no other remaining vertex lies inside or on the triangle (p, c, n).
// Vertices coinciding with p, c or n are ignored, so repeated corners do not
// block every ear.
bool isEar(const TCDTriangulationData& td, int p, int c, int n) {
  const Vec2& pc = pos2(td, c);
  const Vec2& pn = pos2(td, n);
  const Vec2& pp = pos2(td, p);
  if (cross(pn - pc, pp - pc) >= -kZeroLength) return false;

  const double minX = std::min({pp.x, pc.x, pn.x}) - kZeroLength;
  const double maxX = std::max({pp.x, pc.x, pn.x}) + kZeroLength;
  const double minY = std::min({pp.y, pc.y, pn.y}) - kZeroLength;
  const double maxY = std::max({pp.y, pc.y, pn.y}) + kZeroLength;
  const Vec2 n0 = outwardNormal(pc, pn);
  const Vec2 n1 = outwardNormal(pn, pp);
  const Vec2 n2 = outwardNormal(pp, pc);

  for (int v = td.vertices[static_cast<std::size_t>(n)].next; v != p;
       v = td.vertices[static_cast<std::size_t>(v)].next) {
    const Vec2& q = pos2(td, v);
    if (q.x < minX || q.x > maxX || q.y < minY || q.y > maxY) continue;
    if (dot(q - pc, n0) >= kZeroLength || dot(q - pn, n1) >= kZeroLength ||
        dot(q - pp, n2) >= kZeroLength) {
      continue;
    }
    if (isEqual2DPositions(q, pp) || isEqual2DPositions(q, pc) || isEqual2DPositions(q, pn)) {
      continue;
    }
    return false;
  }
  return true;
}

// Emits triangle (c, n, p) over the circle edges c->n, p->c and the new or
// closing edge n->p, then takes c out of the circle.
void clipEar(TCDTriangulationData& td, int p, int c, int n, int closingEdge) {
  int diagonal = closingEdge;
  if (diagonal < 0) {
    diagonal = td.numEdges++;
    TCDEdge& e = td.edges[static_cast<std::size_t>(diagonal)];
    e = TCDEdge{};
    e.vertices[0] = n;
    e.vertices[1] = p;
    vect2D(pos2(td, n), pos2(td, p), e.dir);
  }
  const int t = td.numTrigons++;
  TCDTrigon& tri = td.trigons[static_cast<std::size_t>(t)];
  tri = TCDTrigon{};
  tri.used = true;
  TCDVertex& vp = td.vertices[static_cast<std::size_t>(p)];
  TCDVertex& vc = td.vertices[static_cast<std::size_t>(c)];
  TCDVertex& vn = td.vertices[static_cast<std::size_t>(n)];
  tcd::setTrigon(td, t, c, n, p, vc.edge, diagonal, vp.edge);

  vp.next = n;
  vp.edge = diagonal;
  vn.prev = p;
  if (td.firstRemaining == c) td.firstRemaining = n;
  --td.numRemaining;
}

// Twice the signed area of the remaining circle (negative: the processed way).
double remainingArea(const TCDTriangulationData& td, int start) {
  double sum = 0.0;
  int v = start;
  do {
    const int next = td.vertices[static_cast<std::size_t>(v)].next;
    sum += cross(pos2(td, v), pos2(td, next));
    v = next;
  } while (v != start);
  return sum;
}

// A vertex coinciding with a neighbour: removing it cuts off a zero-area
// triangle and leaves the outline unchanged.
int findRepeatedVertex(const TCDTriangulationData& td, int start) {
  int v = start;
  do {
    const TCDVertex& vx = td.vertices[static_cast<std::size_t>(v)];
    if (isEqual2DPositions(vx.pos2, pos2(td, vx.next)) || isEqual2DPositions(vx.pos2, pos2(td, vx.prev))) {
      return v;
    }
    v = vx.next;
  } while (v != start);
  return -1;
}

}  // namespace

int tcTriangulation(TCDTriangulationData& td) {
  if (td.numRemaining < 3) return 0;
  int cur = td.firstRemaining;
  int failures = 0;
  const bool hasArea = remainingArea(td, cur) < -kZeroLength;
  while (td.numRemaining > 3) {
    const int p = td.vertices[static_cast<std::size_t>(cur)].prev;
    const int n = td.vertices[static_cast<std::size_t>(cur)].next;
    if (isEar(td, p, cur, n)) {
      clipEar(td, p, cur, n, -1);
      failures = 0;
      cur = n;
    } else if (++failures >= td.numRemaining) {
      // No proper ear. A polygon whose every corner is repeated has none, yet
      // has area: rather than lose it, drop a repeated vertex, or finish a
      // remainder that has collapsed to zero area, with zero-area triangles.
      // A polygon without area is still left out.
      if (!hasArea) return 0;
      int r = findRepeatedVertex(td, cur);
      if (r < 0 && remainingArea(td, cur) >= -kZeroLength) r = cur;
      if (r < 0) return 0;
      const TCDVertex& vr = td.vertices[static_cast<std::size_t>(r)];
      cur = vr.next;
      clipEar(td, vr.prev, r, vr.next, -1);
      failures = 0;
    } else {
      cur = n;
    }
  }
  // Three left: the closing edge n->p already exists as n's circle edge.
  const int p = td.vertices[static_cast<std::size_t>(cur)].prev;
  const int n = td.vertices[static_cast<std::size_t>(cur)].next;
  clipEar(td, p, cur, n, td.vertices[static_cast<std::size_t>(n)].edge);
  return 1;
}

}  // namespace velmora::geometry
