#pragma once
// Inverse of bilinear interpolation on a quad in its own 2D frame.

#include "geometry/vec3.h"

namespace velmora::geometry {

/// Finds (u, v) with p = (1 - v)((1 - u) q[0] + u q[1]) + v((1 - u) q[3] + u q[2]).
/// Returns 1 with u, v written, or 0 when no solution with v in [0, 1] exists
/// or the quad is too thin at p to tell u (the caller then falls back to the
/// quad's fan triangles).
int getQuadInterpolation(const Vec2 q[4], const Vec2& p, double& u, double& v);

}  // namespace velmora::geometry
