#include "display/display_test_scene.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "display/gradient_texture.h"
#include "gradient/gradient.h"
#include "mesh/mesh_topology.h"

extern "C" {
#include <lwmeshes.h>
}

namespace display_testing {

namespace {

struct FlatMesh {
  const Points* points = nullptr;
  const Polygons* polygons = nullptr;
  LWMeshInfo info{};
};

FlatMesh* flat(LWMeshInfoID mi) { return static_cast<FlatMesh*>(mi->priv); }
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

void appendGrid(Points& points, Polygons& polygons, int32_t side) {
  const int32_t base = int32_t(points.size());
  for (int32_t r = 0; r < side; ++r)
    for (int32_t c = 0; c < side; ++c) points.push_back({double(c), double(r), 0.0});
  for (int32_t r = 0; r + 1 < side; ++r)
    for (int32_t c = 0; c + 1 < side; ++c) {
      const int32_t a = base + r * side + c;
      polygons.push_back({a, a + 1, a + side + 1, a + side});
    }
}

DisplayBench::DisplayBench() {
  setInitGradients(inst->gradient, 0);
  createRGBABuffer(*inst);
  for (int k = 0; k < kUnitCircleSteps; ++k) {
    const double a = 2.0 * M_PI * k / kUnitCircleSteps;
    inst->unitCircle[k][0] = std::cos(a);
    inst->unitCircle[k][1] = std::sin(a);
  }
  inst->mesh.noObject = 1;
  frontView(0.01);
}

DisplayBench::~DisplayBench() { destroyGradientData(inst->gradient); }

void DisplayBench::load(const Points& points, const Polygons& polygons) {
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
  MeshData& m = inst->mesh;
  allocateMeshRecords(m, int(points.size()), int(polygons.size()));
  buildMeshTopology(m, &i);
  for (size_t k = 0; k < points.size(); ++k)
    for (int a = 0; a < 3; ++a) m.points[k].pos[a] = points[k][size_t(a)];
  m.noObject = 0;
  m.meshReady = 1;
  setColorOfAllPnts(*inst);
}

void DisplayBench::frontView(double pixel) {
  const double xfrm[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  setDrawView(view, 0, LVVIEWT_FRONT, {0, 0, -10}, xfrm, pixel, 0.01, 1000.0, 640, 480);
}

void DisplayBench::perspectiveView(const velmora::geometry::Vec3& eye, double pixel) {
  const double xfrm[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  setDrawView(view, 0, LVVIEWT_PERSPECTIVE, eye, xfrm, pixel, 0.01, 1000.0, 640, 480);
}

void DisplayBench::setValue(int32_t i, float value) {
  PntUserData& p = inst->mesh.points[size_t(i)];
  p.hasValue = 1;
  p.value = value;
  p.colourKey = getInterpolatedColorAtGradPosition(inst->gradient, value, std::span<float, 4>(p.colour));
}

void DisplayBench::startRecording() {
  const double pos[3] = {view.eye.x, view.eye.y, view.eye.z};
  const double dir[3] = {view.vd.x, view.vd.y, view.vd.z};
  sim::beginRecording(access, list, view.perspective ? LWVIEW_PERSP : LWVIEW_XY, pos, dir);
}

void DisplayBench::draw() {
  startRecording();
  DisplayFrame f = frame();
  drawSnapshot(f);
}

Counts DisplayBench::counts() const { return countOf(list); }

Counts countOf(const sim::DrawList& list) {
  Counts c;
  for (const sim::DrawPrimitive& p : list.primitives) {
    const bool textured = p.textureSize > 0;
    switch (p.kind) {
      case sim::DrawPrimitive::Triangle: ++(textured ? c.texturedTriangles : c.triangles); break;
      case sim::DrawPrimitive::Quad: ++(textured ? c.texturedQuads : c.quads); break;
      case sim::DrawPrimitive::Line: ++c.lines; break;
      default: break;
    }
  }
  return c;
}

bool sameColour(const std::array<float, 4>& a, const Rgba& b) {
  for (int k = 0; k < 4; ++k)
    if (std::fabs(a[size_t(k)] - b.c[k]) > 1e-6f) return false;
  return true;
}

std::vector<int> glyphsLeftToRight(const sim::DrawList& list, double cell, const velmora::geometry::Vec3& axisX) {
  std::vector<std::pair<double, int>> glyphs;
  for (const sim::DrawPrimitive& p : list.primitives) {
    if (p.kind != sim::DrawPrimitive::Quad || p.textureSize == 0) continue;
    const auto& v = p.vertices[0];
    const double x = v[0] * axisX.x + v[1] * axisX.y + v[2] * axisX.z;
    // The top edge's v is the cell's row start.
    const int column = int(std::lround(p.uvs[3][0] / cell)), row = int(std::lround(p.uvs[3][1] / cell));
    glyphs.push_back({x, row * 4 + column});
  }
  std::sort(glyphs.begin(), glyphs.end());
  std::vector<int> out;
  for (const auto& g : glyphs) out.push_back(g.second);
  return out;
}

std::string labelText(const sim::DrawList& list, double cell, const velmora::geometry::Vec3& axisX) {
  std::string text;
  for (int g : glyphsLeftToRight(list, cell, axisX)) text += g == 10 ? '-' : char('0' + g);
  return text;
}

}  // namespace display_testing
