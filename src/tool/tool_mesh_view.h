// The painting tool's window on the object snapshot. Every read of positions and
// adjacency goes through these few functions, so the tool works on point and face
// indices and does not depend on how the snapshot lays out its records.
//
// Faces are numbered by their position in the snapshot's face array; the snapshot's
// faceList holds them most recent first, so "faceList order" is descending index.
#pragma once
#include <cstdint>

#include "geometry/vec3.h"
#include "mesh/mesh_data.h"

namespace velmora::tool {

using geometry::Vec3;

inline int32_t pointCount(const MeshData& m) { return m.numPoints; }
inline int32_t faceRecordCount(const MeshData& m) { return m.numFaces; }

inline PntUserData& pointAt(MeshData& m, int32_t i) { return m.points[size_t(i)]; }
inline const PntUserData& pointAt(const MeshData& m, int32_t i) { return m.points[size_t(i)]; }
inline int32_t indexOf(const MeshData& m, const PntUserData* p) { return int32_t(p - m.points.data()); }

inline Vec3 displayedPos(const MeshData& m, int32_t i) {
  const double* p = m.points[size_t(i)].pos;
  return {p[0], p[1], p[2]};
}

inline const FaceData& faceAt(const MeshData& m, int32_t f) { return m.faces[size_t(f)]; }
inline int32_t faceIndexOf(const MeshData& m, const FaceData* f) { return int32_t(f - m.faces.data()); }
inline int32_t cornerCountOf(const MeshData& m, int32_t f) { return m.faces[size_t(f)].cornerCount; }
inline int32_t cornerOf(const MeshData& m, int32_t f, int32_t k) {
  return indexOf(m, m.faces[size_t(f)].corners[k]);
}

// Calls fn(neighbourIndex) for every edge neighbour of point i.
template <class Fn>
inline void forEachNeighbour(const MeshData& m, int32_t i, Fn&& fn) {
  const PntUserData& p = m.points[size_t(i)];
  for (int32_t k = 0; k < p.neighbourCount; ++k) fn(indexOf(m, p.neighbours[k]));
}

// Calls fn(faceIndex, cornerOfPointInFace) for every face (not line) at point i.
template <class Fn>
inline void forEachFaceOf(const MeshData& m, int32_t i, Fn&& fn) {
  const PntUserData& p = m.points[size_t(i)];
  const auto corners = faceCornersOf(m, p);
  for (int32_t k = 0; k < p.faceCount; ++k) fn(faceIndexOf(m, p.pointFaces[k]), corners[size_t(k)]);
}

}  // namespace velmora::tool
