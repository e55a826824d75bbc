// The surface walk (falloff "Surface"): a shortest-path front over the mesh from the
// hit point, with an unfolding estimate of the distance along the surface.
//
// Each reached point carries its position in an "unfolded" plane (the hit point at the
// origin) and the direction of its last step there. A step from A to B turns the 3D edge
// into A's tangent frame, rotates it by A's unfolded direction and adds it to A's
// unfolded position: on a flat or gently curved sheet |unfolded| is the straight
// distance; where the path bends a lot, the path length takes over.
//
// The front is a binary heap ordered by (key, time the key was set), which settles
// points in the same order as a sorted list with first-come first-served ties. Point
// fields are initialised lazily by an epoch stamp, so a walk touches only the points it
// reaches and their neighbours.
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

struct Walk {
  PaintContext& c;
  ToolScratch& s;
  bool restrict;
  uint32_t epoch;

  // Brings point i's walk fields into this walk (straight = path = surface = 1e20,
  // not queued, hop 0, mark = candidate).
  void touch(int32_t i) {
    const size_t k = size_t(i);
    if (s.walkStamp[k] == epoch) return;
    s.walkStamp[k] = epoch;
    s.ring.push_back(i);
    s.straightDist[k] = s.pathLength[k] = s.surfaceDist[k] = kUnreached;
    s.walkSlot[k] = -1;
    s.walkParent[k] = -1;
    s.hopCount[k] = 0;
    s.mark[k] = (!restrict || pointAt(c.mesh, i).selected) ? 1 : 0;
  }

  bool before(const WalkEntry& a, const WalkEntry& b) const {
    return a.key < b.key || (a.key == b.key && a.sequence < b.sequence);
  }
  void place(size_t slot, const WalkEntry& e) {
    s.walkHeap[slot] = e;
    s.walkSlot[size_t(e.point)] = int32_t(slot);
  }
  void siftUp(size_t slot) {
    const WalkEntry e = s.walkHeap[slot];
    while (slot > 0) {
      const size_t parent = (slot - 1) / 2;
      if (!before(e, s.walkHeap[parent])) break;
      place(slot, s.walkHeap[parent]);
      slot = parent;
    }
    place(slot, e);
  }
  void siftDown(size_t slot) {
    const WalkEntry e = s.walkHeap[slot];
    const size_t n = s.walkHeap.size();
    for (;;) {
      size_t child = slot * 2 + 1;
      if (child >= n) break;
      if (child + 1 < n && before(s.walkHeap[child + 1], s.walkHeap[child])) ++child;
      if (!before(s.walkHeap[child], e)) break;
      place(slot, s.walkHeap[child]);
      slot = child;
    }
    place(slot, e);
  }

  // add1NewStc, and the move of an existing entry to a smaller key.
  void queue(int32_t point, int32_t from, double key) {
    const WalkEntry e{key, s.walkSequence++, point, from};
    const int32_t slot = s.walkSlot[size_t(point)];
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
    s.walkSlot[size_t(top.point)] = -1;
    const WalkEntry last = s.walkHeap.back();
    s.walkHeap.pop_back();
    if (!s.walkHeap.empty()) {
      s.walkHeap.front() = last;
      siftDown(0);
    }
    return top;
  }

  Vec3 pos(int32_t i) const { return displayedPos(c.mesh, i); }
  Vec3 normal(int32_t i) const {
    const double* n = &s.otherNormal[size_t(i) * 3];
    return {n[0], n[1], n[2]};
  }
};

Vec3 unitOrZero(const Vec3& v) {
  const double len = length(v);
  return len < 1e-11 ? Vec3{} : v * (1.0 / len);
}

}  // namespace

// One relaxation step of the walk: B reached from A (which was reached from F, or from
// the hit point when F < 0).
static void testDistanceLinked2Pnts(Walk& w, const Vec3& fromPos, int32_t a, int32_t b) {
  ToolScratch& s = w.s;
  const size_t ka = size_t(a), kb = size_t(b);
  const Vec3 pa = w.pos(a), na = w.normal(a);
  const Vec3 u = pa - fromPos;
  const Vec3 side = unitOrZero(cross(na, u));
  const Vec3 d = w.pos(b) - pa;
  const double L = length(d);
  const double sLocal = dot(d, cross(side, na)), tLocal = dot(d, side);
  const double cDir = s.unfoldedDir[ka * 2], nDir = s.unfoldedDir[ka * 2 + 1];
  double x = sLocal * cDir + tLocal * nDir, y = sLocal * nDir - tLocal * cDir;
  const double xyLen = std::hypot(x, y);
  if (xyLen > 0.0) x /= xyLen, y /= xyLen;
  else x = cDir, y = nDir;
  const double bx = s.unfoldedPos[ka * 2] + L * x, by = s.unfoldedPos[ka * 2 + 1] + L * y;
  const double straight = std::hypot(bx, by);
  const double path = s.pathLength[ka] + L;
  const double ratio = path / std::max(straight, 1e-11);
  double dist = straight;
  if (ratio > 1.2) {
    double k = clamp01((ratio - 1.2) / 0.6);
    k = (3.0 - 2.0 * k) * k * k;
    dist = straight + k * (path - straight);
  }
  if (dist >= w.c.view.brushRadius3D || dist >= s.surfaceDist[kb] || path >= s.pathLength[kb]) return;
  if (straight >= s.straightDist[kb] && (path - s.pathLength[kb]) + (straight - s.straightDist[kb]) >= 0.0) return;
  s.straightDist[kb] = straight;
  s.pathLength[kb] = path;
  s.surfaceDist[kb] = dist;
  s.unfoldedPos[kb * 2] = bx, s.unfoldedPos[kb * 2 + 1] = by;
  s.unfoldedDir[kb * 2] = x, s.unfoldedDir[kb * 2 + 1] = y;
  s.walkParent[kb] = a;
  s.hopCount[kb] = s.hopCount[ka] + 1;
  w.queue(b, a, dist);
}

void makeEnablePointList_Mesh2(PaintContext& c, int32_t face, const Vec3& hit, int flag) {
  beginEnableList(c);
  if (face < 0 || cornerCountOf(c.mesh, face) < 2) return;
  ToolScratch& s = c.scratch;
  if (++s.walkEpoch == 0) {
    std::fill(s.walkStamp.begin(), s.walkStamp.end(), 0u);
    s.walkEpoch = 1;
  }
  Walk w{c, s, restrictToSelection(c, flag), s.walkEpoch};
  s.walkHeap.clear();
  s.ring.clear();  // the points this walk touched
  const double radius = c.view.brushRadius3D;
  for (int32_t k = 0; k < cornerCountOf(c.mesh, face); ++k) {
    const int32_t v = cornerOf(c.mesh, face, k);
    w.touch(v);
    const size_t kv = size_t(v);
    if (!s.mark[kv]) continue;
    const double d = length(w.pos(v) - hit);
    if (!(d < radius && d < s.straightDist[kv])) continue;
    s.straightDist[kv] = s.pathLength[kv] = s.surfaceDist[kv] = d;
    s.unfoldedPos[kv * 2] = d, s.unfoldedPos[kv * 2 + 1] = 0.0;
    s.unfoldedDir[kv * 2] = 1.0, s.unfoldedDir[kv * 2 + 1] = 0.0;
    s.walkParent[kv] = -1;
    s.mark[kv] = 0;
    s.hopCount[kv] = 1;
    w.queue(v, -1, d);
  }
  const MeshData& m = c.mesh;
  while (!s.walkHeap.empty()) {
    const WalkEntry e = w.popSmallest();
    const int32_t a = e.point, from = e.from;
    s.mark[size_t(a)] = 0;
    s.list.members.push_back(a);
    const Vec3 fromPos = from < 0 ? hit : w.pos(from);
    auto relax = [&](int32_t b) {
      w.touch(b);
      if (s.mark[size_t(b)] && b != from) testDistanceLinked2Pnts(w, fromPos, a, b);
    };
    forEachFaceOf(m, a, [&](int32_t f, int32_t corner) {
      if (cornerCountOf(m, f) == 4) relax(cornerOf(m, f, (corner + 2) % 4));
    });
    forEachNeighbour(m, a, relax);
  }
  // Settled first = pushed first, so the list runs from the last settled to the first.
  std::reverse(s.list.members.begin(), s.list.members.end());
  int32_t depth = 0;
  for (int32_t i : s.list.members) {
    pointAt(c.mesh, i).factor = falloffCurve(clamp01(s.surfaceDist[size_t(i)] / c.view.brushRadius3DMin));
    depth = std::max(depth, s.hopCount[size_t(i)]);
  }
  for (int32_t i : s.ring) s.mark[size_t(i)] = 0;
  s.list.influenceDepth = depth;
  linkEnableList(c);
}

}  // namespace velmora::tool
