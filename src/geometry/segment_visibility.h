#pragma once
// Segment-visibility list: the parts of a segment (a bone, head to tail) that a
// point P can see, cut down one occluding triangle at a time. A point X of the
// segment is hidden by a triangle when the open sight line P-X crosses it.
//
// All sight lines to the segment lie in the plane through P, head and tail, so
// a triangle occludes through the segment O in which it meets that plane, and
// X is hidden exactly when X lies in the projection from P of the part of O
// inside the triangle (P, piece start, piece end). When P lies on the segment's
// line the plane is undefined; then a triangle crossing the line hides
// everything beyond the crossing, seen from P ("on the Z axis").
//
// Pieces live in one vector owned by the list; a list reused through
// addInitialXEdgeToList stops allocating once it has held its most pieces.
// One list per thread.

#include <span>
#include <vector>

#include "geometry/vec3.h"

namespace velmora::geometry {

/// One visible piece of the segment.
struct XEdge {
  Vec3 ends3[2];  ///< 3D ends, in the segment's head-to-tail order
  Vec2 ends2[2];  ///< ends in the list's frame (on the Z axis: (z, 0))
  Vec2 dir;       ///< unit 2D direction ends2[0] -> ends2[1] (zero for a point)
  Vec2 sight[2];  ///< unit 2D directions from P towards each end
};

/// The list with its frame: origin P; in the plane case axisX, axisY span the
/// plane of P, head and tail and normal is its unit normal; on the Z axis,
/// axisZ runs along the segment.
struct XEdgeList {
  Vec3 point;
  Vec3 head;
  Vec3 tail;
  Vec3 axisX;
  Vec3 axisY;
  Vec3 normal;
  Vec3 axisZ;
  bool onZAxis = false;       ///< P lies on the segment's line
  std::vector<XEdge> pieces;  ///< visible pieces, unordered
};

/// Starts the list for the segment head-tail seen from point: sets up the frame
/// (on the Z axis when unit((head - P) x (tail - P)) is degenerate, including a
/// zero-length segment) and one piece covering the whole segment.
void addInitialXEdgeToList(XEdgeList& list, const Vec3& head, const Vec3& tail, const Vec3& point);

/// Appends the piece end0-end1 (3D points on the segment); returns its index.
int add1NewXEdgeToList(XEdgeList& list, const Vec3& end0, const Vec3& end1);

/// Removes piece index; the last piece takes its place (order is not kept).
void removeXEdgeFromList(XEdgeList& list, int index);

/// Cuts the part of piece index that trigon hides from P (plane case). The
/// visible remainders longer than kXEdgeMinPieceLength are appended, and the
/// result is 1 when the caller must remove piece index; 0 leaves it untouched
/// (no hidden part, the triangle is not cut by the plane in exactly two
/// points, or an end of the occluder lies within kXEdgeEyeTolerance of P).
int cutXEdgeWithTrigon(XEdgeList& list, std::span<const Vec3, 3> trigon, int index);

/// The same when P lies on the segment's line: a triangle crossed by that line
/// hides the part of the piece beyond the crossing, seen from P; a crossing
/// within kXEdgeEyeTolerance of P, or a line in the triangle's plane, hides
/// nothing.
int cutXEdgeWithTrigonOnZAxis(XEdgeList& list, std::span<const Vec3, 3> trigon, int index);

/// Cuts every piece of the list with trigon (the right function for the
/// frame), removing what it hides. Returns the number of pieces left.
int cutXEdgeListWithTrigon(XEdgeList& list, std::span<const Vec3, 3> trigon);

/// Smallest distance from P to the visible pieces, or -1 when none is left.
double distanceToXEdgeList(const XEdgeList& list);

/// Frees the pieces; the list can be started again. Safe twice.
void destroyXEdgeList(XEdgeList& list);

}  // namespace velmora::geometry
