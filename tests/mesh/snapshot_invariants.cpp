#include "mesh/snapshot_invariants.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "mesh/mesh_topology.h"
#include "mesh/snapshot.h"
#include "shell/inst_data.h"

namespace {

uint64_t key(LWPntID id) { return uint64_t(reinterpret_cast<uintptr_t>(id)); }

// Collects the first few failures with their context.
struct Report {
  std::ostringstream text;
  int count = 0;
  void fail(const std::string& what) {
    if (count++ < 8) text << "\n  " << what;
  }
  ::testing::AssertionResult result() const {
    if (count == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << count << " broken invariants:" << text.str();
  }
};

template <class T, class U>
bool inArray(const std::vector<T>& v, const U* p) {
  return !v.empty() && p >= v.data() && p < v.data() + v.size();
}

void checkPoints(const MeshData& m, Report& r) {
  if (int(m.points.size()) != m.numPoints || m.sortedPoints.size() != m.points.size()) r.fail("point array sizes");
  for (size_t k = 0; k < m.points.size(); ++k)
    if (m.points[k].index != int(k)) r.fail("point index " + std::to_string(k));
  std::set<const PntUserData*> seen(m.sortedPoints.begin(), m.sortedPoints.end());
  if (seen.size() != m.points.size()) r.fail("sortedPoints is not a permutation of points");
  for (size_t k = 1; k < m.sortedPoints.size(); ++k)
    if (key(m.sortedPoints[k - 1]->pointId) >= key(m.sortedPoints[k]->pointId)) r.fail("sortedPoints out of order");
  for (const PntUserData& p : m.points)
    if (findPointById(m, p.pointId) < 0 || m.sortedPoints[size_t(findPointById(m, p.pointId))] != &p)
      r.fail("point id not found by binary search");
}

void checkFaces(const MeshData& m, Report& r) {
  int listed = 0, lines = 0;
  for (const FaceData* f = m.faceList; f && listed <= m.numFaces; f = f->next, ++listed)
    if (f->cornerCount < 3 || !inArray(m.faces, f)) r.fail("faceList holds a line or a foreign face");
  for (const FaceData* f = m.lineList; f && lines <= m.numFaces; f = f->next, ++lines)
    if (f->cornerCount != 2 || !inArray(m.faces, f)) r.fail("lineList holds a face");
  if (listed + lines != m.numFaces) r.fail("faceList + lineList != numFaces");
  for (int i = 0; i < m.numFaces; ++i) {
    const FaceData& f = m.faces[size_t(i)];
    if (f.cornerCount < 2 || f.cornerCount > 4) r.fail("corner count " + std::to_string(f.cornerCount));
    for (int c = 0; c < f.cornerCount; ++c)
      if (!inArray(m.points, f.corners[c])) r.fail("face corner outside points");
    if (f.cornerCount == 2) continue;
    if (f.polygonIndex < 0 || f.polygonIndex >= m.numPolygons) {
      r.fail("face without polygon");
      continue;
    }
    const PolygonData& poly = m.polygons[size_t(f.polygonIndex)];
    for (int c = 0; c < f.cornerCount; ++c)
      if (std::find(poly.vertices, poly.vertices + poly.vertexCount, f.corners[c]) == poly.vertices + poly.vertexCount)
        r.fail("face corner not a vertex of its polygon");
    const int n = f.cornerCount;
    for (int side = 0; side < n; ++side) {
      const EdgeData* e = f.edges[side];
      if (!e) continue;
      const PntUserData *a = f.corners[side], *b = f.corners[(side + 1) % n];
      const bool asA = e->faceA == &f && e->pointA == a && e->pointB == b;
      const bool asB = e->faceB == &f && e->pointA == b && e->pointB == a;
      if (!asA && !asB) r.fail("face side " + std::to_string(side) + " and its edge disagree");
      const int8_t* corners = asA ? e->cornersA : e->cornersB;
      if ((asA || asB) && (f.corners[corners[0]] != e->pointA || f.corners[corners[1]] != e->pointB ||
                           corners[2] != ((asA ? corners[1] : corners[0]) + 1) % n))
        r.fail("edge corner indices for a face");
    }
  }
  // The pieces of each polygon add up to it: n - 2 triangles' worth, or nothing when
  // the polygon was left out.
  std::vector<int> triangles(size_t(m.numPolygons), 0);
  for (int i = 0; i < m.numFaces; ++i)
    if (m.faces[size_t(i)].cornerCount > 2) triangles[size_t(m.faces[size_t(i)].polygonIndex)] += m.faces[size_t(i)].cornerCount - 2;
  for (int p = 0; p < m.numPolygons; ++p)
    if (triangles[size_t(p)] != 0 && triangles[size_t(p)] != m.polygons[size_t(p)].vertexCount - 2)
      r.fail("polygon " + std::to_string(p) + " pieces cover " + std::to_string(triangles[size_t(p)]) + " triangles");
}

void checkEdges(const MeshData& m, Report& r) {
  std::set<std::pair<const void*, const void*>> pairs;
  for (int i = 0; i < m.numEdges; ++i) {
    const EdgeData& e = m.edges[size_t(i)];
    if (!e.pointA || !e.pointB || e.pointA == e.pointB) {
      r.fail("edge end points");
      continue;
    }
    if (!pairs.insert(std::minmax<const void*>(e.pointA, e.pointB)).second) r.fail("two edges join one pair");
    if (!e.faceA) r.fail("edge without faceA");
    const bool diagonal = e.faceA && e.faceB && e.faceA->polygonId == e.faceB->polygonId;
    if (diagonal != (e.internalDiagonal != 0)) r.fail("internalDiagonal flag");
    for (const PntUserData* p : {e.pointA, e.pointB}) {
      const PntUserData* other = p == e.pointA ? e.pointB : e.pointA;
      int found = 0;
      for (int k = 0; k < p->neighbourCount; ++k)
        if (pointEdgesOf(m, *p)[size_t(k)] == &e) found += p->neighbours[k] == other ? 1 : 100;
      if (found != 1) r.fail("edge not once in its points' lists");
    }
  }
  // Every face side and every line joins a pair that has an edge.
  for (int i = 0; i < m.numFaces; ++i) {
    const FaceData& f = m.faces[size_t(i)];
    const int sides = f.cornerCount == 2 ? 1 : f.cornerCount;
    for (int s = 0; s < sides; ++s) {
      const PntUserData *a = f.corners[s], *b = f.corners[(s + 1) % f.cornerCount];
      if (a != b && !pairs.count(std::minmax<const void*>(a, b))) r.fail("a face side without an edge");
    }
  }
}

void checkAdjacency(const MeshData& m, Report& r) {
  size_t corners = 0;
  for (int i = 0; i < m.numFaces; ++i)
    if (m.faces[size_t(i)].cornerCount > 2) corners += size_t(m.faces[size_t(i)].cornerCount);
  size_t faceEntries = 0, edgeEntries = 0;
  std::set<const PntUserData*> isolated;
  for (const PntUserData* p = m.isolatedPoints; p && isolated.size() <= m.points.size(); p = p->isolatedNext)
    isolated.insert(p);
  for (const PntUserData& p : m.points) {
    faceEntries += size_t(p.faceCount);
    edgeEntries += size_t(p.neighbourCount);
    for (int k = 0; k < p.faceCount; ++k)
      if (p.pointFaces[k]->corners[faceCornersOf(m, p)[size_t(k)]] != &p) r.fail("pointFaces corner is not the point");
    std::set<const PntUserData*> distinct(p.neighbours, p.neighbours + p.neighbourCount);
    if (int(distinct.size()) != p.neighbourCount || distinct.count(&p)) r.fail("neighbours repeat or include the point");
    if ((p.neighbourCount == 0) != (isolated.count(&p) == 1)) r.fail("isolatedPoints list");
  }
  if (faceEntries != corners) r.fail("pointFaces entries != face corners");
  if (edgeEntries != 2 * size_t(m.numEdges)) r.fail("neighbour entries != 2 x edges");
}

}  // namespace

::testing::AssertionResult snapshotIsConsistent(const MeshData& m) {
  Report r;
  checkPoints(m, r);
  checkFaces(m, r);
  checkEdges(m, r);
  checkAdjacency(m, r);
  return r.result();
}

void SnapshotFixture::SetUp() {
  ModuleFixture::SetUp();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
}

const MeshData& SnapshotFixture::captureNew(std::shared_ptr<sim::SimMesh> mesh, const char* name) {
  sim::SimItem& item = host->scene.addObject(name, std::move(mesh));
  host->scene.refreshFrozen();
  lastObject = item.id;
  return capture(item.id);
}

const MeshData& SnapshotFixture::capture(uint64_t item) {
  host->scene.select(item);
  getCurrentObject(stInstData);
  return stInstData.mesh;
}

std::shared_ptr<sim::SimMesh> makeMesh(const std::vector<std::array<float, 3>>& points,
                                       const std::vector<std::vector<uint32_t>>& polygons, uint32_t type) {
  auto mesh = std::make_shared<sim::SimMesh>();
  for (const auto& p : points) mesh->addPoint(p.data());
  for (const auto& poly : polygons) mesh->addPolygon(type, poly);
  return mesh;
}

const PntUserData* pointOf(const MeshData& m, const sim::SimMesh& mesh, uint32_t index) {
  const int k = findPointById(m, reinterpret_cast<LWPntID>(uintptr_t(mesh.point(index).id)));
  return k < 0 ? nullptr : m.sortedPoints[size_t(k)];
}
