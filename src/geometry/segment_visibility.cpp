#include "geometry/segment_visibility.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "geometry/geometry_conventions.h"
#include "geometry/vector_math.h"

namespace velmora::geometry {

namespace {

Vec2 toFrame(const XEdgeList& list, const Vec3& p) {
  const Vec3 d = p - list.point;
  if (list.onZAxis) return {dot(d, list.axisZ), 0.0};
  return {dot(d, list.axisX), dot(d, list.axisY)};
}

// Replaces the piece by its parts outside the hidden parameter interval
// [ta, tb] (clamped to [0, 1]). Returns 0 when nothing measurable is hidden.
int keepOutside(XEdgeList& list, const XEdge& piece, double ta, double tb) {
  ta = std::clamp(ta, 0.0, 1.0);
  tb = std::clamp(tb, 0.0, 1.0);
  if (ta > tb) return 0;
  const double len = dist3D(piece.ends3[0], piece.ends3[1]);
  if (len > 0.0 && (tb - ta) * len <= kZeroLength) return 0;
  if (ta * len > kXEdgeMinPieceLength) {
    add1NewXEdgeToList(list, piece.ends3[0], lerp(piece.ends3[0], piece.ends3[1], ta));
  }
  if ((1.0 - tb) * len > kXEdgeMinPieceLength) {
    add1NewXEdgeToList(list, lerp(piece.ends3[0], piece.ends3[1], tb), piece.ends3[1]);
  }
  return 1;
}

// Liang-Barsky clip of the parameter range [t0, t1] of a segment against
// f(t) = fa + t (fb - fa) >= 0. Returns false when nothing is left.
bool clipHalfPlane(double fa, double fb, double& t0, double& t1) {
  if (fa < 0.0 && fb < 0.0) return false;
  if (fa < 0.0) t0 = std::max(t0, fa / (fa - fb));
  if (fb < 0.0) t1 = std::min(t1, fa / (fa - fb));
  return t0 <= t1;
}

}  // namespace

void addInitialXEdgeToList(XEdgeList& list, const Vec3& head, const Vec3& tail, const Vec3& point) {
  list.pieces.clear();
  list.point = point;
  list.head = head;
  list.tail = tail;
  list.axisX = {};
  list.axisY = {};
  list.normal = {};
  list.axisZ = {};
  list.onZAxis = norm3D(head - point, tail - point, list.normal) != 0;
  if (list.onZAxis) {
    if (vect3D(head, tail, list.axisZ) == 0.0 && vect3D(point, head, list.axisZ) == 0.0) {
      list.axisZ = {0.0, 0.0, 1.0};  // all three coincide: any axis will do
    }
  } else {
    vect3D(point, head, list.axisX);
    list.axisY = cross(list.normal, list.axisX);
  }
  add1NewXEdgeToList(list, head, tail);
}

int add1NewXEdgeToList(XEdgeList& list, const Vec3& end0, const Vec3& end1) {
  XEdge piece;
  piece.ends3[0] = end0;
  piece.ends3[1] = end1;
  for (int k = 0; k < 2; ++k) {
    piece.ends2[k] = toFrame(list, piece.ends3[k]);
    normalize2D2(piece.ends2[k], piece.sight[k]);
  }
  vect2D(piece.ends2[0], piece.ends2[1], piece.dir);
  list.pieces.push_back(piece);
  return static_cast<int>(list.pieces.size()) - 1;
}

void removeXEdgeFromList(XEdgeList& list, int index) {
  const auto i = static_cast<std::size_t>(index);
  if (i >= list.pieces.size()) return;
  list.pieces[i] = list.pieces.back();
  list.pieces.pop_back();
}

int cutXEdgeWithTrigon(XEdgeList& list, std::span<const Vec3, 3> trigon, int index) {
  // Copy: appending remainders may move the vector.
  const XEdge piece = list.pieces[static_cast<std::size_t>(index)];

  // 1. The occluder O: where the triangle meets the plane.
  double w[3];
  for (int k = 0; k < 3; ++k) w[k] = dot(trigon[static_cast<std::size_t>(k)] - list.point, list.normal);
  Vec3 hits[3];
  int numHits = 0;
  for (int k = 0; k < 3; ++k) {
    const Vec3& a = trigon[static_cast<std::size_t>(k)];
    const Vec3& b = trigon[static_cast<std::size_t>((k + 1) % 3)];
    const double wa = w[k];
    const double wb = w[(k + 1) % 3];
    if (std::fabs(wa) < kZeroLength) {
      hits[numHits++] = a;  // a corner in the plane counts once, as its own edge's start
    } else if (std::fabs(wb) >= kZeroLength && (wa > 0.0) != (wb > 0.0)) {
      hits[numHits++] = lerp(a, b, wa / (wa - wb));
    }
    if (numHits == 3) break;
  }
  if (numHits != 2) return 0;
  const Vec2 o0 = toFrame(list, hits[0]);
  const Vec2 o1 = toFrame(list, hits[1]);

  // 2. Keep the part of O inside the triangle (P, e0, e1): between the two
  // sight lines and no farther than the piece.
  const Vec2 e0 = piece.ends2[0];
  const Vec2 e1 = piece.ends2[1];
  const double wedge = cross(e0, e1);
  if (wedge == 0.0) return 0;
  const double s = wedge > 0.0 ? 1.0 : -1.0;
  const Vec2 d = e1 - e0;
  auto f1 = [&](const Vec2& y) { return s * cross(e0, y); };
  auto f2 = [&](const Vec2& y) { return s * cross(d, y - e0); };
  auto f3 = [&](const Vec2& y) { return s * cross(y, e1); };
  double t0 = 0.0;
  double t1 = 1.0;
  if (!clipHalfPlane(f1(o0), f1(o1), t0, t1) || !clipHalfPlane(f2(o0), f2(o1), t0, t1) ||
      !clipHalfPlane(f3(o0), f3(o1), t0, t1)) {
    return 0;
  }
  const Vec2 y0 = lerp(o0, o1, t0);
  const Vec2 y1 = lerp(o0, o1, t1);
  // An occluder through P: P lies on the triangle, which then hides nothing.
  const Vec2 eye{};
  auto nearEye = [&](const Vec2& y) {
    return std::fabs(y.x - eye.x) < kXEdgeEyeTolerance && std::fabs(y.y - eye.y) < kXEdgeEyeTolerance;
  };
  if (nearEye(y0) || nearEye(y1)) return 0;

  // 3. Project the clipped occluder from P onto the piece: the hidden interval.
  auto project = [&](const Vec2& y) {
    const double den = cross(y, d);
    return den == 0.0 ? 0.0 : cross(e0, y) / den;
  };
  const double pa = project(y0);
  const double pb = project(y1);
  return keepOutside(list, piece, std::min(pa, pb), std::max(pa, pb));
}

int cutXEdgeWithTrigonOnZAxis(XEdgeList& list, std::span<const Vec3, 3> trigon, int index) {
  const XEdge piece = list.pieces[static_cast<std::size_t>(index)];

  // Crossing of the line P + z axisZ with the triangle (Moller and Trumbore,
  // "Fast, minimum storage ray/triangle intersection", 1997), edges inclusive.
  const Vec3 edge1 = trigon[1] - trigon[0];
  const Vec3 edge2 = trigon[2] - trigon[0];
  const Vec3 pvec = cross(list.axisZ, edge2);
  const double det = dot(edge1, pvec);
  if (std::fabs(det) < kZeroLength * length(edge1) * length(edge2) || det == 0.0) return 0;
  const double inv = 1.0 / det;
  const Vec3 tvec = list.point - trigon[0];
  const double u = dot(tvec, pvec) * inv;
  if (u < 0.0 || u > 1.0) return 0;
  const Vec3 qvec = cross(tvec, edge1);
  const double v = dot(list.axisZ, qvec) * inv;
  if (v < 0.0 || u + v > 1.0) return 0;
  const double zx = dot(edge2, qvec) * inv;
  if (std::fabs(zx) < kXEdgeEyeTolerance) return 0;

  // Hidden: z beyond zx, on zx's side of P, i.e. where g(z) = side (z - zx) >= 0.
  const double side = zx > 0.0 ? 1.0 : -1.0;
  const double g0 = side * (piece.ends2[0].x - zx);
  const double g1 = side * (piece.ends2[1].x - zx);
  if (g0 < 0.0 && g1 < 0.0) return 0;
  if (g0 >= 0.0 && g1 >= 0.0) return keepOutside(list, piece, 0.0, 1.0);
  const double tx = g0 / (g0 - g1);
  return g0 >= 0.0 ? keepOutside(list, piece, 0.0, tx) : keepOutside(list, piece, tx, 1.0);
}

int cutXEdgeListWithTrigon(XEdgeList& list, std::span<const Vec3, 3> trigon) {
  // Backwards, so that a removal's replacement from the back (an already
  // processed piece or a new remainder) is not cut twice.
  for (int i = static_cast<int>(list.pieces.size()) - 1; i >= 0; --i) {
    const int cut = list.onZAxis ? cutXEdgeWithTrigonOnZAxis(list, trigon, i)
                                 : cutXEdgeWithTrigon(list, trigon, i);
    if (cut != 0) removeXEdgeFromList(list, i);
  }
  return static_cast<int>(list.pieces.size());
}

double distanceToXEdgeList(const XEdgeList& list) {
  double best = -1.0;
  for (const XEdge& piece : list.pieces) {
    const double d = distanceBetweenPointAndLine3D(piece.ends3[0], piece.ends3[1], list.point);
    if (best < 0.0 || d < best) best = d;
  }
  return best;
}

void destroyXEdgeList(XEdgeList& list) { list = XEdgeList{}; }

}  // namespace velmora::geometry
