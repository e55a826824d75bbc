// The snapshot's faces, edges and adjacency on small meshes built for one property each;
// every mesh also goes through the shared invariant checker.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "mesh/snapshot_invariants.h"
#include "shell/inst_data.h"

namespace {

using Points = std::vector<std::array<float, 3>>;
using TopologyTest = SnapshotFixture;

int countFaces(const MeshData& m, int corners) {
  int n = 0;
  for (int i = 0; i < m.numFaces; ++i) n += m.faces[size_t(i)].cornerCount == corners ? 1 : 0;
  return n;
}

int countDiagonals(const MeshData& m) {
  int n = 0;
  for (int i = 0; i < m.numEdges; ++i) n += m.edges[size_t(i)].internalDiagonal;
  return n;
}

// The edge joining two points of the snapshot, or null.
const EdgeData* edgeBetween(const PntUserData* a, const PntUserData* b) {
  const MeshData& m = stInstData.mesh;
  for (int k = 0; k < a->neighbourCount; ++k)
    if (a->neighbours[k] == b) return pointEdgesOf(m, *a)[size_t(k)];
  return nullptr;
}

// Rotates the corner list so that it starts at `offset`, optionally reversed.
std::vector<uint32_t> cornerOrder(uint32_t n, uint32_t offset, bool reversed) {
  std::vector<uint32_t> order;
  for (uint32_t k = 0; k < n; ++k) order.push_back((offset + (reversed ? n - k : k)) % n);
  return order;
}

TEST_F(TopologyTest, APentagonBecomesAQuadAndATriangleOrThreeTrianglesWithItsDiagonalsMarked) {
  // A regular pentagon, a "house" (square with a roof) and a concave arrow, each at every
  // start corner, in both directions, and far from the origin.
  const Points regular = [] {
    Points p;
    for (int k = 0; k < 5; ++k) p.push_back({float(std::cos(k * 1.2566370614359172)), float(std::sin(k * 1.2566370614359172)), 0.f});
    return p;
  }();
  const Points house = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.5f, 1.6f, 0}, {0, 1, 0}};
  const Points arrow = {{0, 0, 0}, {2, 1, 0}, {0, 2, 0}, {0.5f, 1, 0}, {0.2f, 0.8f, 0}};
  int variant = 0, withQuad = 0, allTriangles = 0;
  for (const Points* shape : {&regular, &house, &arrow}) {
    for (float shift : {0.0f, 1000.0f}) {
      Points points = *shape;
      for (auto& p : points) p[0] += shift, p[2] += shift;
      for (uint32_t offset = 0; offset < 5; ++offset) {
        for (bool reversed : {false, true}) {
          SCOPED_TRACE(::testing::Message() << "shape " << variant / 20 << " shift " << shift << " offset " << offset
                                            << (reversed ? " reversed" : ""));
          ++variant;
          auto mesh = makeMesh(points, {cornerOrder(5, offset, reversed)});
          const MeshData& m = captureNew(mesh);
          ASSERT_TRUE(snapshotIsConsistent(m));
          const int quads = countFaces(m, 4), triangles = countFaces(m, 3);
          EXPECT_TRUE((quads == 1 && triangles == 1) || (quads == 0 && triangles == 3)) << quads << " " << triangles;
          (quads ? withQuad : allTriangles) += 1;
          // Five sides of the object, plus one diagonal per extra face.
          EXPECT_EQ(m.numEdges, 5 + (quads + triangles - 1));
          EXPECT_EQ(countDiagonals(m), quads + triangles - 1);
          for (uint32_t k = 0; k < 5; ++k) {
            const EdgeData* side = edgeBetween(pointOf(m, *mesh, k), pointOf(m, *mesh, (k + 1) % 5));
            ASSERT_NE(side, nullptr);
            EXPECT_EQ(side->internalDiagonal, 0);
            EXPECT_EQ(side->faceB, nullptr);
          }
        }
      }
    }
  }
  // The merge into a quad is exercised (the house's square is rebuilt).
  EXPECT_GT(withQuad, 0);
  EXPECT_EQ(withQuad + allTriangles, variant);
}

TEST_F(TopologyTest, AQuadIsKeptWholeUnlessADiagonalFoldsIt) {
  // A flat square stays one face.
  auto square = makeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2, 3}});
  const MeshData& flat = captureNew(square, "Square");
  ASSERT_TRUE(snapshotIsConsistent(flat));
  EXPECT_EQ(flat.numFaces, 1);
  EXPECT_EQ(flat.numEdges, 4);

  // A concave quad (reflex corner 2) can only be cut along the diagonal from its reflex
  // corner, 0-2: the other cut would make a triangle outside the quad.
  for (uint32_t offset = 0; offset < 4; ++offset) {
    SCOPED_TRACE(offset);
    auto dart = makeMesh({{0, 0, 0}, {2, 0, 0}, {0.5f, 0.5f, 0}, {0, 2, 0}}, {cornerOrder(4, offset, false)});
    const MeshData& m = captureNew(dart, "Dart");
    ASSERT_TRUE(snapshotIsConsistent(m));
    EXPECT_EQ(countFaces(m, 3), 2);
    const EdgeData* diagonal = edgeBetween(pointOf(m, *dart, 0), pointOf(m, *dart, 2));
    ASSERT_NE(diagonal, nullptr);
    EXPECT_EQ(diagonal->internalDiagonal, 1);
    EXPECT_EQ(edgeBetween(pointOf(m, *dart, 1), pointOf(m, *dart, 3)), nullptr);
  }

  // A slightly warped quad is still whole.
  auto warped = makeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0.01f}, {0, 1, 0}}, {{0, 1, 2, 3}});
  const MeshData& w = captureNew(warped, "Warped");
  ASSERT_TRUE(snapshotIsConsistent(w));
  EXPECT_EQ(countFaces(w, 4), 1);
}

TEST_F(TopologyTest, FacesWindingTheSameWayOverASideDoNotShareIt) {
  const Points points = {{0, 0, 0}, {1, 0, 0}, {0.5f, 1, 0}, {0.5f, -1, 0}};
  // Consistent: (0 1 2) and (1 0 3) run the shared side opposite ways.
  auto good = makeMesh(points, {{0, 1, 2}, {1, 0, 3}});
  const MeshData& m1 = captureNew(good, "Good");
  ASSERT_TRUE(snapshotIsConsistent(m1));
  const EdgeData* shared = edgeBetween(pointOf(m1, *good, 0), pointOf(m1, *good, 1));
  ASSERT_NE(shared, nullptr);
  EXPECT_NE(shared->faceB, nullptr);
  EXPECT_EQ(shared->internalDiagonal, 0);

  // Inconsistent: (0 1 2) and (0 1 3) both run 0 -> 1. The pair still has one edge,
  // owned by the first face; the second face's side has none.
  auto bad = makeMesh(points, {{0, 1, 2}, {0, 1, 3}});
  const MeshData& m2 = captureNew(bad, "Bad");
  ASSERT_TRUE(snapshotIsConsistent(m2));
  EXPECT_EQ(m2.numEdges, 5);
  const EdgeData* side = edgeBetween(pointOf(m2, *bad, 0), pointOf(m2, *bad, 1));
  ASSERT_NE(side, nullptr);
  EXPECT_EQ(side->faceB, nullptr);
  int sidesWithout = 0;
  for (int i = 0; i < m2.numFaces; ++i)
    for (int s = 0; s < 3; ++s) sidesWithout += m2.faces[size_t(i)].edges[s] ? 0 : 1;
  EXPECT_EQ(sidesWithout, 1);
  EXPECT_EQ(side->faceA->polygonIndex, 0);
}

TEST_F(TopologyTest, APointKeepsEveryEdgeAndFaceHoweverManyItHas) {
  for (uint32_t spokes : {3u, 9u, 11u, 40u}) {
    SCOPED_TRACE(spokes);
    Points points = {{0, 0, 0}};
    std::vector<std::vector<uint32_t>> fan;
    for (uint32_t k = 0; k < spokes; ++k) {
      const double a = 6.283185307179586 * k / spokes;
      points.push_back({float(std::cos(a)), float(std::sin(a)), 0.f});
      fan.push_back({0, 1 + k, 1 + (k + 1) % spokes});
    }
    auto mesh = makeMesh(points, fan);
    const MeshData& m = captureNew(mesh, "Fan");
    ASSERT_TRUE(snapshotIsConsistent(m));
    const PntUserData* centre = pointOf(m, *mesh, 0);
    EXPECT_EQ(centre->neighbourCount, int(spokes));
    EXPECT_EQ(centre->faceCount, int(spokes));
    std::set<const PntUserData*> rim(centre->neighbours, centre->neighbours + centre->neighbourCount);
    for (uint32_t k = 1; k <= spokes; ++k) EXPECT_TRUE(rim.count(pointOf(m, *mesh, k)));
    EXPECT_EQ(m.numEdges, int(2 * spokes));
    // A closed fan: every edge has two faces but the rim.
    int boundary = 0;
    for (int i = 0; i < m.numEdges; ++i) boundary += m.edges[size_t(i)].faceB ? 0 : 1;
    EXPECT_EQ(boundary, int(spokes));
  }
}

TEST_F(TopologyTest, LinesIsolatedPointsAndIgnoredPolygons) {
  const Points points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {3, 3, 0}, {4, 4, 0}, {5, 5, 0}, {6, 6, 0}};
  auto mesh = makeMesh(points, {{0, 1, 2}});
  mesh->addPolygon(sim::kTypeFACE, {3, 4});  // a line of its own
  mesh->addPolygon(sim::kTypeFACE, {1, 0});  // a line over a triangle's side
  mesh->addPolygon(sim::kTypeBONE, {4, 5});  // skelegon: ignored
  mesh->addPolygon(sim::kTypeCURV, {5, 4, 3});  // curve: ignored
  mesh->addPolygon(sim::kTypeFACE, {6});     // a one-point polygon: ignored
  const MeshData& m = captureNew(mesh, "Lines");
  ASSERT_TRUE(snapshotIsConsistent(m));
  EXPECT_EQ(m.faceTypeCount, 3);  // the one-point polygon is not counted
  EXPECT_EQ(m.numPolygons, 1);
  int lines = 0;
  for (const FaceData* f = m.lineList; f; f = f->next) ++lines;
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(m.numEdges, 4);  // three sides and the separate line
  EXPECT_NE(edgeBetween(pointOf(m, *mesh, 3), pointOf(m, *mesh, 4)), nullptr);
  EXPECT_EQ(pointOf(m, *mesh, 3)->faceCount, 0);
  std::set<const PntUserData*> isolated;
  for (const PntUserData* p = m.isolatedPoints; p; p = p->isolatedNext) isolated.insert(p);
  EXPECT_EQ(isolated, (std::set<const PntUserData*>{pointOf(m, *mesh, 5), pointOf(m, *mesh, 6)}));
}

TEST_F(TopologyTest, DegeneratePolygonsGiveADefinedResult) {
  // Five collinear points cannot be triangulated: left out silently. A repeated corner
  // makes no edge from a point to itself. A subdivision-surface polygon is counted.
  const Points points = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {0, 1, 0}, {1, 1, 0}};
  auto mesh = makeMesh(points, {{0, 1, 2, 3, 4}});
  mesh->addPolygon(sim::kTypeFACE, {5, 6, 6, 0});
  mesh->addPolygon(sim::kTypeSUBD, {0, 1, 6});
  const MeshData& m = captureNew(mesh, "Degenerate");
  ASSERT_TRUE(snapshotIsConsistent(m));
  EXPECT_EQ(m.subdTypeCount, 1);
  EXPECT_EQ(m.faceTypeCount, 2);
  for (int i = 0; i < m.numFaces; ++i) EXPECT_NE(m.faces[size_t(i)].polygonIndex, 0);
  EXPECT_EQ(pointOf(m, *mesh, 3)->neighbourCount, 0);
  EXPECT_EQ(pointOf(m, *mesh, 4)->neighbourCount, 0);
  const PntUserData* twice = pointOf(m, *mesh, 6);
  EXPECT_EQ(std::count(twice->neighbours, twice->neighbours + twice->neighbourCount, twice), 0);
}

TEST_F(TopologyTest, AGridHasTheEdgeCountOfAGrid) {
  // rows x cols points in quads: (rows - 1) cols + rows (cols - 1) edges, interior edges
  // with two faces. A known count, independent of the build.
  for (auto [rows, cols] : {std::pair{2, 2}, std::pair{3, 7}, std::pair{20, 13}}) {
    SCOPED_TRACE(::testing::Message() << rows << "x" << cols);
    Points points;
    std::vector<std::vector<uint32_t>> quads;
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) points.push_back({float(c), float(r), 0.f});
    for (int r = 0; r + 1 < rows; ++r)
      for (int c = 0; c + 1 < cols; ++c) {
        const uint32_t a = uint32_t(r * cols + c);
        quads.push_back({a, a + 1, a + uint32_t(cols) + 1, a + uint32_t(cols)});
      }
    const MeshData& m = captureNew(makeMesh(points, quads), "Grid");
    ASSERT_TRUE(snapshotIsConsistent(m));
    EXPECT_EQ(m.numFaces, (rows - 1) * (cols - 1));
    EXPECT_EQ(m.numEdges, (rows - 1) * cols + rows * (cols - 1));
    int twoFaced = 0;
    for (int i = 0; i < m.numEdges; ++i) twoFaced += m.edges[size_t(i)].faceB ? 1 : 0;
    EXPECT_EQ(twoFaced, (rows - 2) * (cols - 1) + (rows - 1) * (cols - 2));
    EXPECT_EQ(m.isolatedPoints, nullptr);
  }
}

}  // namespace
