#pragma once
// Where a point lies on a triangle element, as the three location numbers
// (c0, c1, c2) that the interpolating callers turn into corner weights
// wA = 1 - c1, wB = 1 - c2, wC = 1 - c0 (then divided by their sum).
//
// The triangle is first widened or narrowed to the point's height: each
// corner moves in the plane by height * (in-plane part / z) of its corner
// normal, so points above a curved surface map the way its normals fan out.

#include "geometry/surface_elements.h"

namespace velmora::geometry {

/// Region codes of getLocationPerAtTrigon.
enum TriangleRegion : int {
  kInsideTriangle = 0,
  kBeyondCornerA = 1,
  kBeyondCornerB = 2,
  kBeyondCornerC = 3,
  kOutsideEdgeAB = 4,
  kOutsideEdgeBC = 5,
  kOutsideEdgeCA = 6,
};

/// Locates point on triangle (corners A = origin, B, C) and writes c[0..2].
/// Beyond a corner (outside both its edges) that corner takes all the weight;
/// outside one edge between its ends the weight is split along that edge;
/// inside, the barycentric weights clamped to [0, 1]. Returns the region code.
int getLocationPerAtTrigon(const SurfaceElement& triangle, const Vec3& point, double c[3]);

/// The same on a fan triangle (centre, corner k, corner k + 1) of a quad, with
/// c[3] = the position along the outer side from corner k (0) to corner k + 1
/// (1), taken through the centre; 0.5 at the centre itself.
int getLocationPerAtPolygon(const SurfaceElement& fanTriangle, const Vec3& point, double c[4]);

/// Corner weights (wA, wB, wC) from location numbers, normalised to sum 1.
void cornerWeightsFromLocation(const double c[3], double w[3]);

}  // namespace velmora::geometry
