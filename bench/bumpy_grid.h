// The benchmarks' mesh: a gently bumpy quad grid of side x side points, one unit apart,
// built into a snapshot by the snapshot's own topology builder through a minimal mesh
// info.
#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "mesh/mesh_data.h"
#include "mesh/mesh_topology.h"

extern "C" {
#include <lwmeshes.h>
}

namespace bench_grid {

struct GridInfo {
  int side = 0;
  std::vector<std::array<float, 3>> pos;
  LWMeshInfo info{};
};

inline GridInfo* grid(LWMeshInfoID mi) { return static_cast<GridInfo*>(mi->priv); }
inline LWPntID pointId(size_t i) { return reinterpret_cast<LWPntID>(uintptr_t((i + 1) * 8)); }
inline size_t pointIndex(LWPntID id) { return size_t(reinterpret_cast<uintptr_t>(id) / 8 - 1); }
inline int numPoints(LWMeshInfoID mi) { return int(grid(mi)->pos.size()); }
inline int numPolygons(LWMeshInfoID mi) { return (grid(mi)->side - 1) * (grid(mi)->side - 1); }
inline size_t scanPoints(LWMeshInfoID mi, LWPntScanFunc* fn, void* data) {
  for (size_t i = 0; i < grid(mi)->pos.size(); ++i)
    if (size_t r = fn(data, pointId(i))) return r;
  return 0;
}
inline size_t scanPolys(LWMeshInfoID mi, LWPolScanFunc* fn, void* data) {
  for (int i = 0; i < numPolygons(mi); ++i)
    if (size_t r = fn(data, reinterpret_cast<LWPolID>(uintptr_t((i + 1) * 8)))) return r;
  return 0;
}
inline void position(LWMeshInfoID mi, LWPntID p, LWFVector out) {
  const auto& q = grid(mi)->pos[pointIndex(p)];
  out[0] = q[0], out[1] = q[1], out[2] = q[2];
}
inline LWID polType(LWMeshInfoID, LWPolID) { return LWPOLTYPE_FACE; }
inline int polSize(LWMeshInfoID, LWPolID) { return 4; }
inline LWPntID polVertex(LWMeshInfoID mi, LWPolID pol, int v) {
  const int side = grid(mi)->side;
  const int q = int(reinterpret_cast<uintptr_t>(pol) / 8 - 1);
  const int r = q / (side - 1), c = q % (side - 1);
  const int a = r * side + c;
  const int corners[4] = {a, a + 1, a + side + 1, a + side};
  return pointId(size_t(corners[v]));
}

// Builds the grid into mesh (its records allocated here) with the displayed positions
// set; leaves values, selection and readiness to the caller.
inline void buildBumpyGrid(MeshData& mesh, int side) {
  GridInfo g;
  g.side = side;
  for (int r = 0; r < side; ++r)
    for (int c = 0; c < side; ++c) g.pos.push_back({float(c), float(r), 0.3f * std::sin(c * 0.05f) * std::cos(r * 0.07f)});
  LWMeshInfo& i = g.info;
  i.priv = &g;
  i.numPoints = numPoints;
  i.numPolygons = numPolygons;
  i.scanPoints = scanPoints;
  i.scanPolys = scanPolys;
  i.pntBasePos = position;
  i.pntOtherPos = position;
  i.polType = polType;
  i.polSize = polSize;
  i.polVertex = polVertex;
  allocateMeshRecords(mesh, int(g.pos.size()), numPolygons(&i));
  buildMeshTopology(mesh, &i);
  for (size_t k = 0; k < g.pos.size(); ++k)
    for (int a = 0; a < 3; ++a) mesh.points[k].pos[a] = g.pos[k][size_t(a)];
}

}  // namespace bench_grid
