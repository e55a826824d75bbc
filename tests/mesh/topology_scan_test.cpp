// The snapshot's scans and build over a mesh info without a host: which face owns an
// edge whatever the order of lines and polygons, how a quad is kept or split, and how
// the frozen mesh's points are matched to the base points under either kind of ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "geometry/quick_sort.h"
#include "mesh/fake_mesh_info.h"
#include "mesh/mesh_topology.h"
#include "mesh/snapshot_invariants.h"

namespace {

const PntUserData* recordOf(const MeshData& m, const FakeMesh& mesh, uint32_t point) {
  const int k = findPointById(m, mesh.baseId(point));
  return k < 0 ? nullptr : m.sortedPoints[size_t(k)];
}

const EdgeData* edgeBetween(const MeshData& m, const PntUserData* a, const PntUserData* b) {
  for (int k = 0; k < a->neighbourCount; ++k)
    if (a->neighbours[k] == b) return pointEdgesOf(m, *a)[size_t(k)];
  return nullptr;
}

void build(MeshData& m, FakeMesh& mesh) {
  allocateMeshRecords(m, int(mesh.numPoints()), mesh.base()->numPolygons(mesh.base()));
  scanPointValues(m, mesh.frozen(), mesh.weightMap());
  buildMeshTopology(m, mesh.base());
}

TEST(TopologyScan, ALineNeverTakesAFacesEdgeWhereverItIsListed) {
  // Triangle 0 1 2 with a line over its side 0-1, in both directions, listed before and
  // after the triangle. The side stays a boundary of the triangle, owned by it.
  for (bool lineFirst : {true, false}) {
    for (bool lineReversed : {false, true}) {
      SCOPED_TRACE(::testing::Message() << (lineFirst ? "line first" : "line last") << (lineReversed ? ", 1->0" : ", 0->1"));
      FakeMesh mesh;
      for (FakeMesh::Pos p : {FakeMesh::Pos{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 0}, {6, 5, 0}}) mesh.addPoint(p);
      const std::vector<uint32_t> line = lineReversed ? std::vector<uint32_t>{1, 0} : std::vector<uint32_t>{0, 1};
      if (lineFirst) mesh.addPolygon(line);
      mesh.addPolygon({3, 4});  // a line of its own
      mesh.addPolygon({0, 1, 2});
      if (!lineFirst) mesh.addPolygon(line);
      MeshData m;
      build(m, mesh);
      ASSERT_TRUE(snapshotIsConsistent(m));
      EXPECT_EQ(m.numEdges, 4);
      const EdgeData* side = edgeBetween(m, recordOf(m, mesh, 0), recordOf(m, mesh, 1));
      ASSERT_NE(side, nullptr);
      ASSERT_NE(side->faceA, nullptr);
      EXPECT_EQ(side->faceA->cornerCount, 3);
      EXPECT_EQ(side->faceB, nullptr);
      const FaceData* triangle = side->faceA;
      for (int s = 0; s < 3; ++s) EXPECT_NE(triangle->edges[s], nullptr) << "side " << s;
      const EdgeData* own = edgeBetween(m, recordOf(m, mesh, 3), recordOf(m, mesh, 4));
      ASSERT_NE(own, nullptr);
      EXPECT_EQ(own->faceA->cornerCount, 2);
    }
  }
}

TEST(TopologyScan, TwoFacesShareAnEdgeOverALineListedBetweenThem) {
  // (0 1 2), the line 0-1, then (1 0 3): the two triangles share the side; the line adds
  // nothing.
  FakeMesh mesh;
  for (FakeMesh::Pos p : {FakeMesh::Pos{0, 0, 0}, {1, 0, 0}, {0.5f, 1, 0}, {0.5f, -1, 0}}) mesh.addPoint(p);
  mesh.addPolygon({0, 1});
  mesh.addPolygon({0, 1, 2});
  mesh.addPolygon({1, 0});
  mesh.addPolygon({1, 0, 3});
  MeshData m;
  build(m, mesh);
  ASSERT_TRUE(snapshotIsConsistent(m));
  EXPECT_EQ(m.numEdges, 5);
  const EdgeData* shared = edgeBetween(m, recordOf(m, mesh, 0), recordOf(m, mesh, 1));
  ASSERT_NE(shared, nullptr);
  ASSERT_NE(shared->faceA, nullptr);
  ASSERT_NE(shared->faceB, nullptr);
  EXPECT_EQ(shared->faceA->cornerCount, 3);
  EXPECT_EQ(shared->faceB->cornerCount, 3);
}

// The faces made for one quad listed as corners `order` of `corners`.
std::vector<const FaceData*> quadFaces(MeshData& m, FakeMesh& mesh) {
  build(m, mesh);
  std::vector<const FaceData*> faces;
  for (const FaceData* f = m.faceList; f; f = f->next) faces.push_back(f);
  return faces;
}

TEST(TopologyScan, AWholeQuadStartsAtTheEndOfItsBetterDiagonal) {
  // A convex quad is kept whole; its corner 0 - corner 2 diagonal is the split into the
  // more even pair of triangles (the larger product of their areas): here A-C
  // (areas 4.5 and 2 against 1.5 and 5), however the corners are listed.
  const FakeMesh::Pos A{0, 0, 0}, B{3, 0, 0}, C{4, 3, 0}, D{0, 1, 0};
  const std::vector<FakeMesh::Pos> ring = {A, B, C, D};
  for (int offset = 0; offset < 4; ++offset) {
    for (bool reversed : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "offset " << offset << (reversed ? " reversed" : ""));
      FakeMesh mesh;
      std::vector<uint32_t> corners;
      for (int k = 0; k < 4; ++k) {
        const int i = reversed ? (offset - k + 8) % 4 : (offset + k) % 4;
        corners.push_back(mesh.addPoint(ring[size_t(i)]));
      }
      mesh.addPolygon(corners);
      MeshData m;
      const std::vector<const FaceData*> faces = quadFaces(m, mesh);
      ASSERT_EQ(faces.size(), 1u);
      ASSERT_EQ(faces[0]->cornerCount, 4);
      std::set<std::array<double, 2>> diagonal;
      for (int c : {0, 2}) diagonal.insert({faces[0]->corners[c]->restPos[0], faces[0]->corners[c]->restPos[1]});
      EXPECT_EQ(diagonal, (std::set<std::array<double, 2>>{{0, 0}, {4, 3}}));
    }
  }
}

TEST(TopologyScan, AFoldedQuadIsSplitAlongTheDiagonalThatDoesNotFoldIt) {
  // One corner lifted far out of the plane of the other three, past the point above
  // the opposite triangle: the split along the diagonal through that corner keeps both
  // triangles facing the same way, the other split turns one of them over. A concave
  // quad is split along the diagonal from its reflex corner.
  struct Case {
    std::vector<FakeMesh::Pos> corners;
    uint32_t diagonal[2];
  };
  const std::vector<Case> cases = {
      {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.8f, 0.2f, 2}}, {1, 3}},
      {{{0, 0, 0}, {1, 0, 0}, {0.2f, 0.2f, 2}, {0, 1, 0}}, {0, 2}},
      {{{0, 0, 0}, {2, 0, 0}, {0.5f, 0.5f, 0}, {0, 2, 0}}, {0, 2}},
  };
  for (size_t c = 0; c < cases.size(); ++c) {
    SCOPED_TRACE(c);
    FakeMesh mesh;
    for (const auto& p : cases[c].corners) mesh.addPoint(p);
    mesh.addPolygon({0, 1, 2, 3});
    MeshData m;
    const std::vector<const FaceData*> faces = quadFaces(m, mesh);
    ASSERT_TRUE(snapshotIsConsistent(m));
    ASSERT_EQ(faces.size(), 2u);
    for (const FaceData* f : faces) EXPECT_EQ(f->cornerCount, 3);
    const EdgeData* d = edgeBetween(m, recordOf(m, mesh, cases[c].diagonal[0]), recordOf(m, mesh, cases[c].diagonal[1]));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->internalDiagonal, 1);
  }
}

TEST(TopologyScan, FrozenPointsAreMatchedByOrderUnderEitherKindOfIds) {
  // A frozen mesh with subdivision points first; its base points carry the base mesh's
  // ids or ids of their own. Either way each record gets its own point's displayed
  // position and value and keeps the base id it is found by, also after a value-only
  // re-scan.
  for (bool ownIds : {false, true}) {
    SCOPED_TRACE(ownIds ? "own ids" : "base ids");
    FakeMesh mesh;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) mesh.addPoint({float(c), float(r), 0});
    for (uint32_t r = 0; r < 3; ++r)
      for (uint32_t c = 0; c < 3; ++c) mesh.addPolygon({r * 4 + c, r * 4 + c + 1, r * 4 + c + 5, r * 4 + c + 4});
    for (uint32_t i = 0; i < 16; ++i) {
      mesh.setOtherPos(i, {float(i), 100.0f + float(i), -1});
      if (i % 3 == 0) mesh.setValue(i, 0.01f * float(i));
    }
    mesh.setFrozenForm(9, ownIds);
    MeshData m;
    for (int pass = 0; pass < 2; ++pass) {
      SCOPED_TRACE(pass == 0 ? "capture" : "value refresh");
      if (pass == 0) build(m, mesh);
      else scanPointValues(m, mesh.frozen(), mesh.weightMap());
      ASSERT_TRUE(snapshotIsConsistent(m));
      for (uint32_t i = 0; i < 16; ++i) {
        const PntUserData* p = recordOf(m, mesh, i);
        ASSERT_NE(p, nullptr) << i;
        EXPECT_EQ(p->index, int(i));
        EXPECT_EQ(p->pointId, mesh.baseId(i));
        EXPECT_EQ(p->restPos[0], double(i % 4));
        EXPECT_EQ(p->pos[1], 100.0 + i);
        EXPECT_EQ(p->hasValue, i % 3 == 0 ? 1 : 0);
        EXPECT_FLOAT_EQ(p->value, i % 3 == 0 ? 0.01f * float(i) : 0.0f);
      }
    }
  }
}

TEST(TopologyScan, PointRecordsSortAndAreFoundByTheirHostIds) {
  // The point list sort and search take the snapshot's own records, whose ids are host
  // handles: ordered as unsigned 64-bit numbers, high bit included.
  std::vector<PntUserData> points(6);
  const uint64_t ids[6] = {0x8000000000000010ull, 5, 0xFFFFFFFFFFFFFFF0ull, 0x7FFFFFFFFFFFFFFFull, 77, 6};
  std::vector<PntUserData*> list;
  for (size_t k = 0; k < 6; ++k) {
    points[k].pointId = reinterpret_cast<LWPntID>(uintptr_t(ids[k]));
    list.push_back(&points[k]);
  }
  velmora::geometry::sortPntUserDataList(std::span<PntUserData*>(list), 0, 5);
  for (size_t k = 1; k < 6; ++k)
    EXPECT_LT(uintptr_t(list[k - 1]->pointId), uintptr_t(list[k]->pointId));
  for (size_t k = 0; k < 6; ++k) {
    const int at = velmora::geometry::getIndexAtPntUserDataList(std::span<PntUserData*>(list), points[k].pointId, 0, 5);
    ASSERT_GE(at, 0);
    EXPECT_EQ(list[size_t(at)], &points[k]);
  }
  const int miss = velmora::geometry::getIndexAtPntUserDataList(std::span<PntUserData*>(list), reinterpret_cast<LWPntID>(uintptr_t(50)), 0, 5);
  EXPECT_NE(list[size_t(miss)]->pointId, reinterpret_cast<LWPntID>(uintptr_t(50)));
}

}  // namespace
