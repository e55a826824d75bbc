#pragma once
// Surface elements searched by the element grid: triangles and segments with
// the geometry prepared once so that a nearest-element test or a location on
// the element costs a handful of multiplications.
//
// Frames: a triangle's rows are axis[0] = unit(B - A), axis[2] = the unit
// normal of (B - A) x (C - A) and axis[1] = axis[2] x axis[0]; a segment's
// rows are two unit axes perpendicular to it and axis[2] = its unit direction.
// Degenerate input still gets an orthonormal frame, so every test stays finite.

#include <cstdint>

#include "geometry/vec3.h"

namespace velmora::geometry {

enum class ElementKind : std::uint8_t { Segment, Triangle };

struct SurfaceElement {
  ElementKind kind = ElementKind::Triangle;
  Vec3 origin;      ///< first corner
  Vec3 axis[3];     ///< unit rows of the element frame (see above)
  Vec3 boxMin;      ///< world bounding box
  Vec3 boxMax;
  // Triangle only. Edge i runs from corner i to corner i + 1.
  Vec2 corner2[3];          ///< in-plane corners relative to origin; corner2[0] = (0, 0)
  Vec2 edgeDir[3];          ///< in-plane unit direction (zero for a zero-length edge)
  Vec2 edgeOutward[3];      ///< in-plane outward unit normal (zero for a zero-length edge)
  double edgeLength[3] = {0.0, 0.0, 0.0};
  Vec3 cornerNormal[3];     ///< unit corner normals in the frame, z >= kZeroLength
  bool hasArea = true;      ///< false for collinear or coincident corners
  // Segment only.
  double length = 0.0;
  Vec3 endNormal[2];        ///< world normals of the planes through each end
  // Links kept for the callers' interpolation.
  int source = -1;          ///< caller's polygon or record index
  int fanIndex = -1;        ///< 0..3 inside a quad's fan, else -1
};

/// Triangle element over the corners a, b, c (a is the first corner). The
/// corner normals are world vectors; null gives every corner the face normal.
/// A normal that points below the plane is flipped to the upper side and one
/// lying in the plane is lifted to z = kZeroLength before being made unit.
SurfaceElement makeTriangleElement(const Vec3& a, const Vec3& b, const Vec3& c,
                                   const Vec3* cornerNormals = nullptr);

/// Segment element from a to b with the end-plane normals (world vectors; a
/// zero normal becomes the segment's direction).
SurfaceElement makeSegmentElement(const Vec3& a, const Vec3& b, const Vec3& normalA,
                                  const Vec3& normalB);

/// q - element origin expressed in the element frame.
Vec3 toElementFrame(const SurfaceElement& element, const Vec3& q);

}  // namespace velmora::geometry
