// The influence builders against plain, slow references written straight from their
// rules: every point visited in index order, the surface walk's queue a sorted list,
// the hidden-point test trying every face. The fast builders (grids, lazy walk fields,
// a heap, whole-mesh scans for big brushes) must give the same list in the same order
// and bit-identical factors, drag after drag on the same working storage.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tool/enable_point_list.h"
#include "tool/face_grid.h"
#include "tool/face_normals.h"
#include "tool/falloff_curve.h"
#include "tool/outline_crossings.h"
#include "tool/tool_mesh_view.h"
#include "tool/tool_test_mesh.h"

namespace velmora::tool {
namespace {

using testing::Points;
using testing::Polygons;
using testing::ToolBench;

struct Influence {
  std::vector<int32_t> members;
  std::vector<double> factors;  // per member
  int32_t depth = 0;
};

Influence built(const ToolBench& b) {
  Influence r;
  r.members = b.tool.scratch.list.members;
  for (int32_t i : r.members) r.factors.push_back(b.mesh.points[size_t(i)].factor);
  r.depth = b.tool.scratch.list.influenceDepth;
  return r;
}

void expectSame(const Influence& fast, const Influence& ref, const char* what) {
  ASSERT_EQ(fast.members, ref.members) << what;
  for (size_t k = 0; k < ref.members.size(); ++k)
    ASSERT_EQ(fast.factors[k], ref.factors[k]) << what << " point " << ref.members[k];
  EXPECT_EQ(fast.depth, ref.depth) << what;
}

Vec3 unitOrZero(const Vec3& v) {
  const double len = length(v);
  return len < 1e-11 ? Vec3{} : v * (1.0 / len);
}

Vec3 faceNormal(const MeshData& m, int32_t f) {
  const Vec3 a = displayedPos(m, cornerOf(m, f, 0)), b = displayedPos(m, cornerOf(m, f, 1));
  const Vec3 c = displayedPos(m, cornerOf(m, f, 2));
  Vec3 n = cross(b - a, c - a);
  if (cornerCountOf(m, f) == 4) n = n + cross(displayedPos(m, cornerOf(m, f, 3)) - c, a - c);
  return unitOrZero(n);
}

std::vector<Vec3> pointNormals(const MeshData& m) {
  std::vector<Vec3> n(size_t(pointCount(m)));
  for (int32_t f = 0; f < faceRecordCount(m); ++f) {
    if (cornerCountOf(m, f) < 3) continue;
    const Vec3 fn = faceNormal(m, f);
    for (int32_t k = 0; k < cornerCountOf(m, f); ++k) n[size_t(cornerOf(m, f, k))] = n[size_t(cornerOf(m, f, k))] + fn;
  }
  for (Vec3& v : n) v = unitOrZero(v);
  return n;
}

bool candidate(const MeshData& m, int32_t i, bool restrict) { return !restrict || pointAt(m, i).selected; }

// ---- the surface walk, literally -----------------------------------------------------

struct RefPoint {
  double straight = 1e20, path = 1e20, surface = 1e20;
  double ux = 0, uy = 0, dx = 0, dy = 0;
  int32_t hops = 0;
  bool mark = false, queued = false;
};

struct RefEntry {
  int32_t point, from;
  double key;
};

// Sorted by key; a new or moved entry goes after every entry of a key <= its own.
void enqueue(std::vector<RefEntry>& q, const RefEntry& e) {
  for (size_t k = 0; k < q.size(); ++k)
    if (q[k].point == e.point) {
      q.erase(q.begin() + long(k));
      break;
    }
  size_t at = q.size();
  while (at > 0 && q[at - 1].key > e.key) --at;
  q.insert(q.begin() + long(at), e);
}

Influence referenceSurfaceWalk(const MeshData& m, int32_t face, const Vec3& hit, double radius, double radiusMin,
                               bool restrict) {
  const std::vector<Vec3> normal = pointNormals(m);
  std::vector<RefPoint> p(size_t(pointCount(m)));
  for (int32_t i = 0; i < pointCount(m); ++i) p[size_t(i)].mark = candidate(m, i, restrict);
  std::vector<RefEntry> queue;
  for (int32_t k = 0; k < cornerCountOf(m, face); ++k) {
    const int32_t v = cornerOf(m, face, k);
    RefPoint& V = p[size_t(v)];
    if (!V.mark) continue;
    const double d = length(displayedPos(m, v) - hit);
    if (!(d < radius && d < V.straight)) continue;
    V.straight = V.path = V.surface = d;
    V.ux = d, V.uy = 0, V.dx = 1, V.dy = 0;
    V.mark = false;
    V.hops = 1;
    enqueue(queue, {v, -1, d});
  }
  std::vector<int32_t> settled;
  auto relax = [&](int32_t from, int32_t a, int32_t b) {
    const RefPoint& A = p[size_t(a)];
    RefPoint& B = p[size_t(b)];
    const Vec3 pa = displayedPos(m, a);
    const Vec3 u = pa - (from < 0 ? hit : displayedPos(m, from));
    const Vec3 w = unitOrZero(cross(normal[size_t(a)], u));
    const Vec3 d = displayedPos(m, b) - pa;
    const double L = length(d);
    const double s = dot(d, cross(w, normal[size_t(a)])), t = dot(d, w);
    double x = s * A.dx + t * A.dy, y = s * A.dy - t * A.dx;
    const double xy = std::sqrt(x * x + y * y);
    if (xy > 0.0) x /= xy, y /= xy;
    else x = A.dx, y = A.dy;
    const double bx = A.ux + L * x, by = A.uy + L * y;
    const double straight = std::sqrt(bx * bx + by * by);
    const double path = A.path + L;
    const double ratio = path / std::max(straight, 1e-11);
    double dist = straight;
    if (ratio > 1.2) {
      double k = clamp01((ratio - 1.2) / 0.6);
      k = (3.0 - 2.0 * k) * k * k;
      dist = straight + k * (path - straight);
    }
    if (dist >= radius || dist >= B.surface || path >= B.path) return;
    if (straight >= B.straight && (path - B.path) + (straight - B.straight) >= 0.0) return;
    B.straight = straight, B.path = path, B.surface = dist;
    B.ux = bx, B.uy = by, B.dx = x, B.dy = y;
    B.hops = A.hops + 1;
    enqueue(queue, {b, a, dist});
  };
  while (!queue.empty()) {
    const RefEntry e = queue.front();
    queue.erase(queue.begin());
    const int32_t a = e.point;
    p[size_t(a)].mark = false;
    settled.push_back(a);
    auto visit = [&](int32_t b) {
      if (p[size_t(b)].mark && b != e.from) relax(e.from, a, b);
    };
    forEachFaceOf(m, a, [&](int32_t f, int32_t corner) {
      if (cornerCountOf(m, f) == 4) visit(cornerOf(m, f, (corner + 2) % 4));
    });
    forEachNeighbour(m, a, visit);
  }
  Influence r;
  r.members.assign(settled.rbegin(), settled.rend());
  for (int32_t i : r.members) {
    r.factors.push_back(falloffCurve(clamp01(p[size_t(i)].surface / radiusMin)));
    r.depth = std::max(r.depth, p[size_t(i)].hops);
  }
  return r;
}

// ---- the radial builders and the hidden-point test, literally ------------------------

Influence referenceRadial3D(const MeshData& m, const Vec3& hit, double radius, double radiusMin, bool restrict) {
  Influence r;
  for (int32_t i = pointCount(m) - 1; i >= 0; --i) {
    if (!candidate(m, i, restrict)) continue;
    const double d = length(displayedPos(m, i) - hit);
    if (d < radius) r.members.push_back(i), r.factors.push_back(falloffCurve(d / radiusMin));
  }
  r.depth = r.members.empty() ? 0 : 1;
  return r;
}

// Screen position and whether the point is behind the eye.
ScreenPoint onScreen(const ViewState& v, const MeshData& m, int32_t i) { return projectToScreen(v, displayedPos(m, i)); }

bool faceContains(const ViewState& v, const MeshData& m, int32_t f, double x, double y) {
  OutlineCorner corners[4];
  for (int32_t k = 0; k < cornerCountOf(m, f); ++k) {
    const ScreenPoint s = onScreen(v, m, cornerOf(m, f, k));
    corners[k] = {s.x, s.y, s.depth};
  }
  Crossing c[8];
  const int32_t n = hiddenTestCrossings(corners, cornerCountOf(m, f), y, c);
  if (n == 0 || n % 2) return false;
  sortCrossingsByX(c, n);
  int32_t left = 0;
  while (left < n && c[left].x <= x) ++left;
  return left % 2 == 1 || (left != 0 && c[left - 1].x == x);
}

// Hidden by any face with no corner behind the eye whose screen box meets the window.
bool referenceHidden(const ViewState& v, const MeshData& m, int32_t i, const double window[4]) {
  const ScreenPoint sp = onScreen(v, m, i);
  for (int32_t f = 0; f < faceRecordCount(m); ++f) {
    if (cornerCountOf(m, f) < 3) continue;
    double box[4] = {1e300, 1e300, -1e300, -1e300};
    bool behind = false, corner = false;
    for (int32_t k = 0; k < cornerCountOf(m, f); ++k) {
      const ScreenPoint s = onScreen(v, m, cornerOf(m, f, k));
      behind |= s.behind;
      corner |= cornerOf(m, f, k) == i;
      box[0] = std::min(box[0], s.x), box[1] = std::min(box[1], s.y);
      box[2] = std::max(box[2], s.x), box[3] = std::max(box[3], s.y);
    }
    if (behind || corner) continue;
    if (box[2] < window[0] || box[0] > window[2] || box[3] < window[1] || box[1] > window[3]) continue;
    if (!faceContains(v, m, f, sp.x, sp.y)) continue;
    const Vec3 n = faceNormal(m, f), p = displayedPos(m, i);
    const Vec3 dir = v.perspective ? unitOrZero(p - v.eyePos) : v.viewDir;
    const double q = dot(n, dir);
    if (std::fabs(q) >= 1e-11 && dot(n, displayedPos(m, cornerOf(m, f, 0)) - p) / q < 0.0) return true;
  }
  return false;
}

Influence referenceRadial2D(const ToolBench& b, bool restrict, bool hiddenTest) {
  const MeshData& m = b.mesh;
  const ViewState& v = b.tool.view;
  const Vec2 centre = brushCentreOnScreen(v);
  const double R = b.settings.brushSize * v.pixelSize;
  const double window[4] = {centre.x - R, centre.y - R, centre.x + R, centre.y + R};
  Influence r;
  for (int32_t i = pointCount(m) - 1; i >= 0; --i) {
    const ScreenPoint s = onScreen(v, m, i);
    if (!candidate(m, i, restrict) || s.behind) continue;
    const double d = std::sqrt((s.x - centre.x) * (s.x - centre.x) + (s.y - centre.y) * (s.y - centre.y));
    if (!(d < R)) continue;
    if (hiddenTest && referenceHidden(v, m, i, window)) continue;
    r.members.push_back(i), r.factors.push_back(falloffCurve(d / R));
  }
  r.depth = r.members.empty() ? 0 : 1;
  return r;
}

// ---- scenes ------------------------------------------------------------------------

// A bumpy sheet of side x side points, every third quad split in two, and a small
// flap floating in front of it (toward the eye, which looks along +z).
struct BumpyBench : ToolBench {
  int32_t side;
  explicit BumpyBench(int32_t s = 16) : side(s) {
    Points p;
    Polygons f;
    testing::appendGrid(p, f, side, 0.0);
    for (size_t k = 0; k < p.size(); ++k)
      p[k][2] = 0.35 * std::sin(0.9 * p[k][0]) * std::cos(0.7 * p[k][1]) + 0.05 * std::sin(double(k) * 1.3);
    const size_t quads = f.size();
    for (size_t k = 0; k < quads; k += 3) {
      const auto q = f[k];
      f[k] = {q[0], q[1], q[2]};
      f.push_back({q[2], q[3], q[0]});
    }
    testing::appendGrid(p, f, 4, -2.0, 5.3, 6.1);
    testing::setFrontView(tool.view, 0.1);
    load(p, f);
    PaintContext c = context();
    initOtherNormOfPoints(c);
  }
  void selectEveryThird() {
    for (int32_t i = 0; i < pointCount(mesh); i += 3) mesh.points[size_t(i)].selected = 1, ++mesh.selectedCount;
  }
};

struct Spot {
  double x, y, radius;
};
const Spot kSpots[] = {{7.3, 7.6, 3.0}, {7.9, 7.2, 3.0}, {0.4, 0.3, 2.5}, {12.2, 4.7, 1.2}, {8.0, 8.0, 40.0},
                       {5.5, 9.1, 6.5}, {14.6, 14.2, 5.0}, {3.3, 12.8, 0.6}};

// The sheet's face under (x, y) and the hit point on it (the sheet is only gently bumpy:
// the point above the face's corner mean is close enough for a walk's start).
int32_t faceAt(const ToolBench& b, int32_t side, double x, double y, Vec3& hit) {
  const int32_t cx = std::clamp(int32_t(x), 0, side - 2), cy = std::clamp(int32_t(y), 0, side - 2);
  const int32_t corner = cy * side + cx;
  for (int32_t f = 0; f < faceRecordCount(b.mesh); ++f)
    if (cornerOf(b.mesh, f, 0) == corner) {
      Vec3 sum{};
      for (int32_t k = 0; k < cornerCountOf(b.mesh, f); ++k) sum = sum + displayedPos(b.mesh, cornerOf(b.mesh, f, k));
      hit = sum * (1.0 / cornerCountOf(b.mesh, f));
      return f;
    }
  return -1;
}

TEST(InfluenceReference, TheSurfaceWalkSettlesLikeTheSortedListWalk) {
  for (int restrict = 0; restrict < 2; ++restrict) {
    BumpyBench b;
    if (restrict) b.selectEveryThird();
    PaintContext c = b.context();
    for (const Spot& s : kSpots) {
      Vec3 hit;
      const int32_t face = faceAt(b, b.side, s.x, s.y, hit);
      ASSERT_GE(face, 0);
      b.tool.view.brushRadius3D = s.radius;
      b.tool.view.brushRadius3DMin = std::max(s.radius, 2e-6);
      makeEnablePointList_Mesh2(c, face, hit, 1);
      const Influence ref = referenceSurfaceWalk(b.mesh, face, hit, s.radius, b.tool.view.brushRadius3DMin, restrict);
      if (!restrict) {
        EXPECT_FALSE(ref.members.empty());
      }
      expectSame(built(b), ref, restrict ? "walk, selected only" : "walk");
      // The snapshot's enableList follows the same order.
      const PntUserData* p = b.mesh.enableList;
      for (int32_t i : ref.members) {
        ASSERT_EQ(p, &b.mesh.points[size_t(i)]);
        p = p->enableNext;
      }
      EXPECT_EQ(p, nullptr);
    }
  }
}

TEST(InfluenceReference, GlobalFalloffMatchesTheWholeMeshLoop) {
  for (int restrict = 0; restrict < 2; ++restrict) {
    BumpyBench b;
    if (restrict) b.selectEveryThird();
    PaintContext c = b.context();
    for (const Spot& s : kSpots) {
      const Vec3 hit{s.x, s.y, 0.1};
      b.tool.view.brushRadius3D = s.radius;
      b.tool.view.brushRadius3DMin = std::max(s.radius, 2e-6);
      makeEnablePointList_Radial3D(c, hit, 1, 0);
      expectSame(built(b), referenceRadial3D(b.mesh, hit, s.radius, b.tool.view.brushRadius3DMin, restrict), "global");
    }
  }
}

TEST(InfluenceReference, ScreenBrushesMatchTheWholeMeshLoopInBothViews) {
  for (int perspective = 0; perspective < 2; ++perspective)
    for (int restrict = 0; restrict < 2; ++restrict) {
      BumpyBench b;
      if (perspective) {
        testing::setPerspectiveView(b.tool.view, {7.5, 7.5, -9.0}, 0.01);
        b.prepare();
      }
      if (restrict) b.selectEveryThird();
      PaintContext c = b.context();
      for (const Spot& s : kSpots) {
        const Vec3 at{s.x, s.y, 0.0};
        testing::moveEventTo(b.tool.view, at);
        // The same brush in world units at the sheet (depth 9 in the perspective view).
        b.settings.brushSize = int32_t(s.radius / (perspective ? 9.0 * 0.01 : 0.1));
        makeEnablePointList_Radial2D(c, 1, 0);
        expectSame(built(b), referenceRadial2D(b, restrict, false), "no depth");
        makeEnablePointListCullFace_Radial2D(c, 1, 0);
        const Influence ref = referenceRadial2D(b, restrict, true);
        expectSame(built(b), ref, "hidden-point test");
      }
    }
}

TEST(InfluenceReference, AGridOfEveryFaceIsNotReusedAfterANewPress) {
  // A brush over the whole mesh enters every face, and that grid is kept for the next
  // drag; a new press in another view must build its own.
  BumpyBench b;
  PaintContext c = b.context();
  b.settings.brushSize = 100000;
  testing::moveEventTo(b.tool.view, {7.0, 7.0, 0.0});
  makeEnablePointListCullFace_Radial2D(c, 1, 0);
  expectSame(built(b), referenceRadial2D(b, false, true), "front view");
  makeEnablePointListCullFace_Radial2D(c, 1, 0);
  expectSame(built(b), referenceRadial2D(b, false, true), "front view, kept grid");
  testing::setPerspectiveView(b.tool.view, {2.0, 12.0, -6.0}, 0.01);
  b.prepare();
  testing::moveEventTo(b.tool.view, {7.0, 7.0, 0.0});
  makeEnablePointListCullFace_Radial2D(c, 1, 0);
  const Influence ref = referenceRadial2D(b, false, true);
  EXPECT_LT(ref.members.size(), size_t(pointCount(b.mesh)));
  expectSame(built(b), ref, "perspective view after a new press");
}

TEST(InfluenceReference, TheFlapHidesTheSheetBehindIt) {
  // The check the comparisons above rest on: some sheet points are hidden, so the
  // hidden-point test is exercised, not just passed through.
  BumpyBench b;
  PaintContext c = b.context();
  testing::moveEventTo(b.tool.view, {6.8, 7.6, 0.0});
  b.settings.brushSize = 30;
  makeEnablePointList_Radial2D(c, 1, 0);
  const size_t all = b.tool.scratch.list.members.size();
  makeEnablePointListCullFace_Radial2D(c, 1, 0);
  const size_t visible = b.tool.scratch.list.members.size();
  EXPECT_LT(visible, all);
  EXPECT_GT(visible, all / 3);
  for (int32_t i : b.tool.scratch.list.members) {
    const Vec3 p = displayedPos(b.mesh, i);
    const bool underFlap = p.z > -1.0 && p.x > 5.3 && p.x < 8.3 && p.y > 6.1 && p.y < 9.1;
    EXPECT_FALSE(underFlap) << i;
  }
}

}  // namespace
}  // namespace velmora::tool
