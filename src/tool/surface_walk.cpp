// The surface walk (falloff "Surface"): a shortest-path front over the mesh from the
// hit point, with an unfolding estimate of the distance along the surface.
//
// Each reached point carries its position in an "unfolded" plane (the hit point at the
// origin) and the direction of its last step there. A step from A to B turns the 3D edge
// into A's tangent frame, rotates it by A's unfolded direction and adds it to A's
// unfolded position: on a flat or gently curved sheet |unfolded| is the straight
// distance; where the path bends a lot, the path length takes over.
//
// The front is a 4-ary heap ordered by (key, time the key was set), which settles
// points in the same order as a sorted list with first-come first-served ties. Point
// fields are initialised lazily by an epoch stamp, so a walk touches only the points it
// reaches and their neighbours. What depends only on the settled point and the point it
// came from (its tangent frame) is computed once per settled point, and a relaxation
// stops at the first of its rejecting tests it can decide (they are alternatives, so
// their order does not change the outcome).
//
// A point exactly at the brush radius is not reached, as with the other builders: with
// "Pen" or "Pen Sel" a point in the list is painted or selected whatever its factor.
#include <algorithm>
#include <cmath>

#include "tool/enable_point_list.h"
#include "tool/falloff_curve.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

namespace {

constexpr double kUnreached = 1e20;

// A hint to start loading memory that is about to be read (no effect on results).
inline void prefetch(const void* p) {
#if defined(__GNUC__)
  __builtin_prefetch(p);
#else
  (void)p;
#endif
}
constexpr size_t kArity = 4;
// A front of this many queued points touches more memory than the core's caches hold.
constexpr size_t kWideFront = 1024;

Vec3 unitOrZero(const Vec3& v) {
  const double len = length(v);
  return len < 1e-11 ? Vec3{} : v * (1.0 / len);
}

struct Walk {
  PaintContext& c;
  ToolScratch& s;
  bool restrict;
  uint32_t live;       // stamp of a live point with mark 0; live + 1 with mark 1
  double radius;

  // Brings point i's record into this walk (straight = path = surface = 1e20, not
  // queued, hop 0, mark = candidate) and returns it.
  WalkPoint& touch(int32_t i) {
    WalkPoint& p = s.walk[size_t(i)];
    if ((p.stamp | 1u) == live + 1) return p;
    p.stamp = live + ((!restrict || pointAt(c.mesh, i).selected) ? 1u : 0u);
    p.straightDist = p.pathLength = p.surfaceDist = kUnreached;
    p.walkSlot = -1;
    s.walkLink[size_t(i)] = {-1, 0};
    return p;
  }
  bool marked(const WalkPoint& p) const { return p.stamp == live + 1; }
  void unmark(WalkPoint& p) const { p.stamp = live; }

  // Without short-circuits, so choosing among children compiles to selects, not to
  // branches that a front of near-equal keys mispredicts.
  static bool before(const WalkEntry& a, const WalkEntry& b) {
    return (a.key < b.key) | ((a.key == b.key) & (a.sequence < b.sequence));
  }
  void place(size_t slot, const WalkEntry& e) {
    s.walkHeap[slot] = e;
    s.walk[size_t(e.point)].walkSlot = int32_t(slot);
  }
  void siftUp(size_t slot) {
    const WalkEntry e = s.walkHeap[slot];
    while (slot > 0) {
      const size_t parent = (slot - 1) / kArity;
      if (!before(e, s.walkHeap[parent])) break;
      place(slot, s.walkHeap[parent]);
      slot = parent;
    }
    place(slot, e);
  }
  void siftDown(size_t slot) {
    const WalkEntry e = s.walkHeap[slot];
    const size_t n = s.walkHeap.size();
    const WalkEntry* heap = s.walkHeap.data();
    for (;;) {
      const size_t first = slot * kArity + 1;
      if (first >= n) break;
      size_t best = first;
      const size_t last = std::min(first + kArity, n);
      for (size_t k = first + 1; k < last; ++k) best = before(heap[k], heap[best]) ? k : best;
      if (!before(heap[best], e)) break;
      place(slot, heap[best]);
      slot = best;
    }
    place(slot, e);
  }

  // add1NewStc, and the move of an existing entry to a smaller key.
  void queue(int32_t point, int32_t from, double key) {
    const WalkEntry e{key, s.walkSequence++, point, from};
    const int32_t slot = s.walk[size_t(point)].walkSlot;
    if (slot < 0) {
      s.walkHeap.push_back(e);
      siftUp(s.walkHeap.size() - 1);
    } else {
      s.walkHeap[size_t(slot)] = e;
      siftUp(size_t(slot));
    }
  }
  WalkEntry popSmallest() {
    const WalkEntry top = s.walkHeap.front();
    s.walk[size_t(top.point)].walkSlot = -1;
    const WalkEntry last = s.walkHeap.back();
    s.walkHeap.pop_back();
    if (!s.walkHeap.empty()) {
      s.walkHeap.front() = last;
      siftDown(0);
    }
    return top;
  }

  // The press's packed copy when there is one (a walk reads each position many times).
  Vec3 pos(int32_t i) const {
    if (!s.cachesReady) return displayedPos(c.mesh, i);
    const double* p = &s.position[size_t(i) * 3];
    return {p[0], p[1], p[2]};
  }
  Vec3 normal(int32_t i) const {
    const double* n = &s.otherNormal[size_t(i) * 3];
    return {n[0], n[1], n[2]};
  }
};

// The settled point A of testDistanceLinked2Pnts with what every relaxation from it
// shares: its tangent frame (side w and w x normal, from the step that reached it) and
// its walk fields.
struct Settled {
  int32_t index;
  Vec3 pos;
  Vec3 side, forward;
  double unfoldedPos[2], unfoldedDir[2];
  double pathLength;
  int32_t hopCount;

  Settled(const Walk& w, int32_t a, const Vec3& fromPos) : index(a), pos(w.pos(a)) {
    const Vec3 n = w.normal(a);
    side = unitOrZero(cross(n, pos - fromPos));
    forward = cross(side, n);
    const WalkPoint& A = w.s.walk[size_t(a)];
    unfoldedPos[0] = A.unfoldedPos[0], unfoldedPos[1] = A.unfoldedPos[1];
    unfoldedDir[0] = A.unfoldedDir[0], unfoldedDir[1] = A.unfoldedDir[1];
    pathLength = A.pathLength;
    hopCount = w.s.walkLink[size_t(a)].hopCount;
  }
};

}  // namespace

// One relaxation step of the walk: B reached from the settled point A over a step of
// length L (|B - A|, from the press's packed lengths when there are some).
static void testDistanceLinked2Pnts(Walk& w, const Settled& A, int32_t b, WalkPoint& B, double L) {
  const double path = A.pathLength + L;
  if (path >= B.pathLength) return;  // also tested by the caller's loop, where most end
  const Vec3 d = w.pos(b) - A.pos;
  const double sLocal = dot(d, A.forward), tLocal = dot(d, A.side);
  const double cDir = A.unfoldedDir[0], nDir = A.unfoldedDir[1];
  double x = sLocal * cDir + tLocal * nDir, y = sLocal * nDir - tLocal * cDir;
  const double xyLen = std::sqrt(x * x + y * y);
  if (xyLen > 0.0) x /= xyLen, y /= xyLen;
  else x = cDir, y = nDir;
  const double bx = A.unfoldedPos[0] + L * x, by = A.unfoldedPos[1] + L * y;
  const double straight = std::sqrt(bx * bx + by * by);
  if (straight >= B.straightDist && (path - B.pathLength) + (straight - B.straightDist) >= 0.0) return;
  const double ratio = path / std::max(straight, 1e-11);
  double dist = straight;
  if (ratio > 1.2) {
    double k = clamp01((ratio - 1.2) / 0.6);
    k = (3.0 - 2.0 * k) * k * k;
    dist = straight + k * (path - straight);
  }
  if (dist >= w.radius || dist >= B.surfaceDist) return;
  B.straightDist = straight;
  B.pathLength = path;
  B.surfaceDist = dist;
  B.unfoldedPos[0] = bx, B.unfoldedPos[1] = by;
  B.unfoldedDir[0] = x, B.unfoldedDir[1] = y;
  w.s.walkLink[size_t(b)] = {A.index, A.hopCount + 1};
  w.queue(b, A.index, dist);
}

void makeEnablePointList_Mesh2(PaintContext& c, int32_t face, const Vec3& hit, int flag) {
  beginEnableList(c);
  if (face < 0 || cornerCountOf(c.mesh, face) < 2) return;
  ToolScratch& s = c.scratch;
  if (++s.walkEpoch >= 0x7fffffffu) {
    for (WalkPoint& p : s.walk) p.stamp = 0;
    s.walkEpoch = 1;
  }
  Walk w{c, s, restrictToSelection(c, flag), s.walkEpoch * 2, c.view.brushRadius3D};
  s.walkHeap.clear();
  for (int32_t k = 0; k < cornerCountOf(c.mesh, face); ++k) {
    const int32_t v = cornerOf(c.mesh, face, k);
    WalkPoint& V = w.touch(v);
    if (!w.marked(V)) continue;
    const double d = length(w.pos(v) - hit);
    if (!(d < w.radius && d < V.straightDist)) continue;
    V.straightDist = V.pathLength = V.surfaceDist = d;
    V.unfoldedPos[0] = d, V.unfoldedPos[1] = 0.0;
    V.unfoldedDir[0] = 1.0, V.unfoldedDir[1] = 0.0;
    w.unmark(V);
    s.walkLink[size_t(v)] = {-1, 1};
    w.queue(v, -1, d);
  }
  const MeshData& m = c.mesh;
  while (!s.walkHeap.empty()) {
    const WalkEntry e = w.popSmallest();
    const int32_t a = e.point, from = e.from;
    if (s.cachesReady && s.walkHeap.size() >= kWideFront) {
      // The likely next point to settle: start loading what settling it will read (on a
      // wide front the records have left the cache since they were last touched).
      const int32_t next = s.walkHeap.front().point;
      prefetch(&s.position[size_t(next) * 3]);
      prefetch(&s.otherNormal[size_t(next) * 3]);
      const int32_t begin = s.walkStart[size_t(next)], end = s.walkStart[size_t(next) + 1];
      prefetch(&s.walkLength[size_t(begin)]);
      for (int32_t k = begin; k < end; ++k) {
        const int32_t b = s.walkNext[size_t(k)];
        prefetch(&s.walk[size_t(b)]);
        prefetch(&s.position[size_t(b) * 3]);
      }
    }
    w.unmark(s.walk[size_t(a)]);
    s.list.members.push_back(a);
    const Settled A(w, a, from < 0 ? hit : w.pos(from));
    if (s.cachesReady) {
      const int32_t* next = s.walkNext.data();
      const double* step = s.walkLength.data();
      for (int32_t k = s.walkStart[size_t(a)], end = s.walkStart[size_t(a) + 1]; k < end; ++k) {
        const int32_t b = next[k];
        WalkPoint& B = w.touch(b);
        if (w.marked(B) && b != from && A.pathLength + step[k] < B.pathLength)
          testDistanceLinked2Pnts(w, A, b, B, step[k]);
      }
    } else {
      auto relax = [&](int32_t b) {
        WalkPoint& B = w.touch(b);
        if (w.marked(B) && b != from) testDistanceLinked2Pnts(w, A, b, B, length(w.pos(b) - A.pos));
      };
      forEachFaceOf(m, a, [&](int32_t f, int32_t corner) {
        if (cornerCountOf(m, f) == 4) relax(cornerOf(m, f, (corner + 2) % 4));
      });
      forEachNeighbour(m, a, relax);
    }
  }
  // Settled first = pushed first, so the list runs from the last settled to the first.
  std::reverse(s.list.members.begin(), s.list.members.end());
  int32_t depth = 0;
  PntUserData* previous = nullptr;
  for (int32_t i : s.list.members) {
    PntUserData& p = pointAt(c.mesh, i);
    p.factor = falloffCurve(clamp01(s.walk[size_t(i)].surfaceDist / c.view.brushRadius3DMin));
    depth = std::max(depth, s.walkLink[size_t(i)].hopCount);
    if (previous) previous->enableNext = &p;
    else c.mesh.enableList = &p;
    previous = &p;
  }
  if (previous) previous->enableNext = nullptr;
  s.list.influenceDepth = depth;
}

}  // namespace velmora::tool
