// Every LWO2 object of the test data, layer by layer, captured and checked against
// counts taken straight from the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "files/lwo_io.h"
#include "mesh/snapshot_invariants.h"
#include "support/paths.h"

namespace {

using ObjectFilesTest = SnapshotFixture;
using Pair = std::pair<uint64_t, uint64_t>;

bool painted(uint32_t type) {
  return type == sim::kTypeFACE || type == sim::kTypePTCH || type == sim::kTypeSUBD;
}

std::vector<std::string> lwo2Files() {
  std::vector<std::string> files;
  const std::string root = velmora_test::testdataPath("lightwave");
  if (!std::filesystem::is_directory(root)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && (ext == ".lwo" || ext == ".LWO")) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::shared_ptr<sim::SimMesh> layerMesh(const sim::LwoObject& object, size_t layer) {
  auto mesh = std::make_shared<sim::SimMesh>();
  for (const sim::LwoPoint& p : object.points(layer)) mesh->addPoint(p.data());
  for (const sim::LwoPolygons* pols : object.polygons(layer))
    for (size_t i = 0; i < pols->numPolygons(); ++i) {
      auto corners = pols->corners(i);
      mesh->addPolygon(pols->type, std::vector<uint32_t>(corners.begin(), corners.end()));
    }
  return mesh;
}

Pair pairOf(uint64_t a, uint64_t b) { return {std::min(a, b), std::max(a, b)}; }

// Twice the area of a polygon (Newell's normal), to tell a degenerate one.
double polygonArea(const sim::SimMesh& mesh, const sim::SimPolygon& poly) {
  double n[3] = {0, 0, 0};
  const size_t count = poly.vertices.size();
  for (size_t k = 0; k < count; ++k) {
    const float* a = mesh.point(poly.vertices[k]).pos;
    const float* b = mesh.point(poly.vertices[(k + 1) % count]).pos;
    n[0] += (double(a[1]) - b[1]) * (double(a[2]) + b[2]);
    n[1] += (double(a[2]) - b[2]) * (double(a[0]) + b[0]);
    n[2] += (double(a[0]) - b[0]) * (double(a[1]) + b[1]);
  }
  return std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
}

// Checks one captured layer against the file's own polygons: every point is there, the
// faces of each polygon cover it (only polygons without area may be left out), the
// object's edges are exactly the polygons' sides, and each polygon cut into k pieces
// adds k - 1 diagonals. A side a polygon runs twice (the bridge of a keyhole polygon)
// has that polygon on both sides, so it counts as internal.
void checkAgainstFile(const MeshData& m, const sim::SimMesh& mesh) {
  EXPECT_EQ(m.numPoints, int(mesh.numPoints()));
  std::map<uint64_t, int> pieces;  // polygon id -> faces made
  for (int i = 0; i < m.numFaces; ++i) ++pieces[uint64_t(uintptr_t(m.faces[size_t(i)].polygonId))];
  std::set<Pair> sides, bridges;
  int triangles = 0, madeTriangles = 0, diagonals = 0;
  for (const sim::SimPolygon& poly : mesh.polygons()) {
    const size_t n = poly.vertices.size();
    if (!painted(poly.type) || n < 2) continue;
    const int made = pieces.count(poly.id) ? pieces[poly.id] : 0;
    if (n >= 3 && made == 0) {
      EXPECT_LT(polygonArea(mesh, poly), 1e-9) << "a polygon with area was left out";
      continue;
    }
    if (n >= 3) {
      triangles += int(n) - 2;
      diagonals += made - 1;
    }
    std::map<Pair, int> own;
    for (size_t k = 0; k < (n == 2 ? 1 : n); ++k) {
      const uint64_t a = mesh.point(poly.vertices[k]).id, b = mesh.point(poly.vertices[(k + 1) % n]).id;
      if (a != b) ++own[pairOf(a, b)];
    }
    for (const auto& [pair, times] : own) (times > 1 ? bridges : sides).insert(pair);
  }
  for (const Pair& b : bridges) sides.erase(b);
  for (int i = 0; i < m.numFaces; ++i) madeTriangles += std::max(m.faces[size_t(i)].cornerCount - 2, 0);
  EXPECT_EQ(madeTriangles, triangles);
  std::set<Pair> objectEdges;
  int internal = 0;
  for (int i = 0; i < m.numEdges; ++i) {
    const EdgeData& e = m.edges[size_t(i)];
    const Pair p = pairOf(uint64_t(uintptr_t(e.pointA->pointId)), uint64_t(uintptr_t(e.pointB->pointId)));
    if (e.internalDiagonal) ++internal;
    else objectEdges.insert(p);
  }
  EXPECT_EQ(objectEdges, sides);
  EXPECT_EQ(internal, diagonals + int(bridges.size()));
  EXPECT_EQ(m.numEdges, int(sides.size() + bridges.size()) + diagonals);
}

TEST_F(ObjectFilesTest, EveryLwo2LayerCapturesWithCountsMatchingTheFile) {
  int layersChecked = 0;
  for (const std::string& path : lwo2Files()) {
    sim::LwoObject object;
    sim::FileError error;
    if (!sim::loadLwo(path, object, error) || object.sourceFormat() != sim::LwoFormat::Lwo2) continue;
    for (size_t layer = 0; layer < object.numLayers(); ++layer) {
      if (object.points(layer).empty()) continue;
      SCOPED_TRACE(::testing::Message() << path << " layer " << layer);
      auto mesh = layerMesh(object, layer);
      const MeshData& m = captureNew(mesh, "File");
      ASSERT_EQ(m.noObject, 0);
      ASSERT_TRUE(snapshotIsConsistent(m));
      checkAgainstFile(m, *mesh);
      ++layersChecked;
    }
  }
  EXPECT_GE(layersChecked, 10);
}

}  // namespace
