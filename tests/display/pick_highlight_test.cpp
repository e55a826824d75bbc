// The "Sel Object" highlight: pieces of every face-like polygon, drawn farthest first.
#include <gtest/gtest.h>

#include <array>

#include "display/display_test_scene.h"
#include "display/pick_highlight.h"

using namespace display_testing;

namespace {

struct FakePolygon {
  LWID type;
  std::vector<int> corners;
};
struct FakeMesh {
  std::vector<std::array<float, 3>> points;
  std::vector<FakePolygon> polygons;
};
FakeMesh* M(LWMeshInfoID mi) { return static_cast<FakeMesh*>(mi->priv); }
size_t polygonOf(LWPolID id) { return size_t(reinterpret_cast<uintptr_t>(id) / 8 - 1); }
size_t scanPolys(LWMeshInfoID mi, LWPolScanFunc* fn, void* data) {
  for (size_t i = 0; i < M(mi)->polygons.size(); ++i)
    if (size_t r = fn(data, reinterpret_cast<LWPolID>(uintptr_t((i + 1) * 8)))) return r;
  return 0;
}
LWID polType(LWMeshInfoID mi, LWPolID p) { return M(mi)->polygons[polygonOf(p)].type; }
int polSize(LWMeshInfoID mi, LWPolID p) { return int(M(mi)->polygons[polygonOf(p)].corners.size()); }
LWPntID polVertex(LWMeshInfoID mi, LWPolID p, int v) {
  return reinterpret_cast<LWPntID>(uintptr_t((M(mi)->polygons[polygonOf(p)].corners[size_t(v)] + 1) * 8));
}
void otherPos(LWMeshInfoID mi, LWPntID p, LWFVector out) {
  const auto& q = M(mi)->points[size_t(reinterpret_cast<uintptr_t>(p) / 8 - 1)];
  out[0] = q[0], out[1] = q[1], out[2] = q[2];
}

LWMeshInfo infoOf(FakeMesh& mesh) {
  LWMeshInfo info{};
  info.priv = &mesh;
  info.scanPolys = scanPolys;
  info.polType = polType;
  info.polSize = polSize;
  info.polVertex = polVertex;
  info.pntOtherPos = otherPos;
  return info;
}

}  // namespace

TEST(PickHighlight, PiecesOfFacesPatchesAndSubdivisionCagesOnly) {
  FakeMesh mesh;
  mesh.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 1}, {3, 0, 1}, {3.5, 1, 1}, {2.5, 2, 1}, {1.5, 1, 1}};
  mesh.polygons = {
      {LWPOLTYPE_FACE, {0, 1, 2, 3}},     // 2 triangles
      {LWPOLTYPE_SUBD, {4, 5, 6, 7, 8}},  // 3 triangles
      {LWPOLTYPE_PTCH, {0, 2}},           // a line
      {LWPOLTYPE_FACE, {1}},              // a single point: nothing
      {LWID_('B', 'O', 'N', 'E'), {0, 1}},  // not face-like: nothing
      {LWPOLTYPE_FACE, {0, 1, 2}},        // 1 triangle
  };
  LWMeshInfo info = infoOf(mesh);
  std::vector<HighlightPiece> pieces;
  collectHighlightPieces(&info, pieces);
  int lines = 0, triangles = 0;
  for (const HighlightPiece& p : pieces) (p.cornerCount == 2 ? lines : triangles)++;
  EXPECT_EQ(lines, 1);
  EXPECT_EQ(triangles, 2 + 3 + 1);
  collectHighlightPieces(nullptr, pieces);
  EXPECT_TRUE(pieces.empty());
}

TEST(PickHighlight, DrawnFarthestFirstInTranslucentOrange) {
  FakeMesh mesh;
  mesh.points = {{0, 0, 5}, {1, 0, 5}, {0, 1, 5}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {0, 0, 3}, {1, 1, 3}};
  mesh.polygons = {{LWPOLTYPE_FACE, {3, 4, 5}}, {LWPOLTYPE_FACE, {0, 1, 2}}, {LWPOLTYPE_FACE, {6, 7}}};
  LWMeshInfo info = infoOf(mesh);
  DisplayBench b;  // front view, looking along +z
  std::vector<HighlightPiece> pieces;
  collectHighlightPieces(&info, pieces);
  b.startRecording();
  DisplayFrame f = b.frame();
  drawHighlightPieces(f, pieces);
  ASSERT_EQ(b.list.primitives.size(), 3u);
  const double expectedZ[3] = {5, 3, 1};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(b.list.primitives[i].vertices[0][2], expectedZ[i], 1e-9);
    EXPECT_TRUE(sameColour(b.list.primitives[i].colour, transOrange));
    EXPECT_EQ(b.list.primitives[i].drawMode, 0u);
  }
  EXPECT_EQ(b.list.primitives[1].kind, sim::DrawPrimitive::Quad);  // the line as a band
}
