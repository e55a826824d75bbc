// Face and point normals on the displayed positions.
#pragma once
#include <cstdint>

#include "geometry/vec3.h"
#include "mesh/mesh_data.h"

namespace velmora::tool {

struct ToolScratch;
struct PaintContext;

// Unit normal of face f: (B - A) x (C - A) for a triangle, the sum of the normals of
// ABC and CDA for a quad; the zero vector when shorter than 1e-11. Also stored in the
// scratch's faceNormal.
geometry::Vec3 storeFaceNormal(const MeshData& m, ToolScratch& s, int32_t f);
// The same from the press's packed copy of the positions (scratch.position), which
// must hold the snapshot's current positions.
geometry::Vec3 storePackedFaceNormal(const MeshData& m, ToolScratch& s, int32_t f);

// Recomputes every point's otherNormal: the normalised sum of the unit normals of its
// faces (zero for a point on no face). O(faces + points); done once per press.
void initOtherNormOfPoints(PaintContext& c);

}  // namespace velmora::tool
