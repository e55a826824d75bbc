#include "tool/tool_test_mesh.h"

#include <cstring>

#include "gradient/gradient.h"
#include "mesh/mesh_topology.h"
#include "tool/event_position.h"
#include "tool/screen_faces.h"

extern "C" {
#include <lwmeshes.h>
}

namespace velmora::tool::testing {

namespace {

struct FlatMesh {
  const Points* points = nullptr;
  const Polygons* polygons = nullptr;
  LWMeshInfo info{};
};

FlatMesh* flat(LWMeshInfoID mi) { return static_cast<FlatMesh*>(mi->priv); }
// Ids are index + 1, scaled so they are never null and not in scan order by accident.
LWPntID pointId(size_t i) { return reinterpret_cast<LWPntID>(uintptr_t((i + 1) * 16)); }
size_t pointIndex(LWPntID id) { return size_t(reinterpret_cast<uintptr_t>(id) / 16 - 1); }
LWPolID polygonId(size_t i) { return reinterpret_cast<LWPolID>(uintptr_t((i + 1) * 16)); }
size_t polygonIndex(LWPolID id) { return size_t(reinterpret_cast<uintptr_t>(id) / 16 - 1); }

int numPoints(LWMeshInfoID mi) { return int(flat(mi)->points->size()); }
int numPolygons(LWMeshInfoID mi) { return int(flat(mi)->polygons->size()); }
size_t scanPoints(LWMeshInfoID mi, LWPntScanFunc* fn, void* data) {
  for (size_t i = 0; i < flat(mi)->points->size(); ++i)
    if (size_t r = fn(data, pointId(i))) return r;
  return 0;
}
size_t scanPolys(LWMeshInfoID mi, LWPolScanFunc* fn, void* data) {
  for (size_t i = 0; i < flat(mi)->polygons->size(); ++i)
    if (size_t r = fn(data, polygonId(i))) return r;
  return 0;
}
void basePos(LWMeshInfoID mi, LWPntID p, LWFVector out) {
  const auto& q = (*flat(mi)->points)[pointIndex(p)];
  for (int k = 0; k < 3; ++k) out[k] = float(q[size_t(k)]);
}
LWID polType(LWMeshInfoID, LWPolID) { return LWPOLTYPE_FACE; }
int polSize(LWMeshInfoID mi, LWPolID pol) { return int((*flat(mi)->polygons)[polygonIndex(pol)].size()); }
LWPntID polVertex(LWMeshInfoID mi, LWPolID pol, int v) {
  return pointId(size_t((*flat(mi)->polygons)[polygonIndex(pol)][size_t(v)]));
}

}  // namespace

void buildTestMesh(MeshData& m, const Points& points, const Polygons& polygons) {
  FlatMesh f;
  f.points = &points;
  f.polygons = &polygons;
  LWMeshInfo& i = f.info;
  i.priv = &f;
  i.numPoints = numPoints;
  i.numPolygons = numPolygons;
  i.scanPoints = scanPoints;
  i.scanPolys = scanPolys;
  i.pntBasePos = basePos;
  i.pntOtherPos = basePos;
  i.polType = polType;
  i.polSize = polSize;
  i.polVertex = polVertex;
  allocateMeshRecords(m, int(points.size()), int(polygons.size()));
  buildMeshTopology(m, &i);
  for (size_t k = 0; k < points.size(); ++k)
    for (int a = 0; a < 3; ++a) m.points[k].pos[a] = points[k][size_t(a)];
  m.noObject = 0;
  m.meshReady = 1;
}

void appendGrid(Points& points, Polygons& polygons, int32_t side, double z0, double offsetX, double offsetY) {
  const int32_t base = int32_t(points.size());
  for (int32_t r = 0; r < side; ++r)
    for (int32_t c = 0; c < side; ++c) points.push_back({offsetX + c, offsetY + r, z0});
  for (int32_t r = 0; r + 1 < side; ++r)
    for (int32_t c = 0; c + 1 < side; ++c) {
      const int32_t a = base + r * side + c;
      polygons.push_back({a, a + 1, a + side + 1, a + side});
    }
}

void setFrontView(ViewState& v, double pixelSize) {
  v = ViewState{};
  v.viewType = 3;
  v.yon = 1000.0;
  setScreenAxes(v, Vec3{pixelSize, 0, 0}, Vec3{0, pixelSize, 0});
  getEventPosRaw(v, Vec3{}, Vec3{});
}

void setPerspectiveView(ViewState& v, const Vec3& eye, double pixelSize) {
  v = ViewState{};
  v.viewType = 7;
  v.yon = 1000.0;
  v.eyePos = eye;
  v.eyePosAtPress = eye;
  setScreenAxes(v, Vec3{pixelSize, 0, 0}, Vec3{0, pixelSize, 0});
  getEventPosRaw(v, eye + Vec3{0, 0, 1}, Vec3{});
}

void moveEventTo(ViewState& v, const Vec3& e) { getEventPosRaw(v, e, Vec3{}); }

ToolBench::ToolBench() { setInitGradients(gradient, 0); }
ToolBench::~ToolBench() { destroyGradientData(gradient); }

void ToolBench::load(const Points& points, const Polygons& polygons) {
  buildTestMesh(mesh, points, polygons);
  prepare();
}

void ToolBench::prepare() {
  PaintContext c = context();
  prepareStrokeCaches(c);
}

}  // namespace velmora::tool::testing
