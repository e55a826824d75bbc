// What each display choice draws: primitive counts, colours and the outline rule.
#include <gtest/gtest.h>

#include <cmath>

#include "display/display_test_scene.h"
#include "display/edge_drawing.h"

using namespace display_testing;
using velmora::geometry::Vec3;

namespace {

constexpr double kPixel = 0.01;  // a unit edge is 100 pixels: 16 coloured pieces

// A 3 x 3 grid: 9 points, 4 quads, 12 edges (8 on the boundary), no lines.
struct GridDisplay : ::testing::Test {
  DisplayBench b;
  void SetUp() override {
    Points points;
    Polygons polygons;
    appendGrid(points, polygons, 3);
    b.load(points, polygons);
    b.frontView(kPixel);
  }
};

bool onBoundary(const std::array<double, 3>& p) {
  const double eps = 0.05;
  return std::fabs(p[0]) < eps || std::fabs(p[0] - 2) < eps || std::fabs(p[1]) < eps || std::fabs(p[1] - 2) < eps;
}

}  // namespace

TEST_F(GridDisplay, WireframedPointsDrawsColouredEdgesAndEveryMarker) {
  b.inst->visibility = kWireframedPoints;
  b.draw();
  const Counts c = b.counts();
  EXPECT_EQ(c.texturedQuads, 0);
  EXPECT_EQ(c.lines, 12 * 16);       // every edge in 16 coloured pieces
  EXPECT_EQ(c.triangles, 9 * 6);     // an octagon per point
  EXPECT_EQ(c.quads, 9);             // and its square
}

TEST_F(GridDisplay, ShadedSolidDrawsFacesAndOnlyOutlineEdgesThickBlack) {
  b.inst->visibility = kShadedSolid;
  b.draw();
  const Counts c = b.counts();
  EXPECT_EQ(c.texturedQuads, 4);
  EXPECT_EQ(c.lines, 0);             // no inner edge: none has both ends selected
  EXPECT_EQ(c.quads, 8);             // one band per boundary edge
  EXPECT_EQ(c.triangles, 16);        // capped at both ends
  for (const sim::DrawPrimitive& p : b.list.primitives) {
    if (p.kind != sim::DrawPrimitive::Quad || p.textureSize) continue;
    EXPECT_TRUE(sameColour(p.colour, colorBlack));
    for (const auto& v : p.vertices) EXPECT_TRUE(onBoundary(v)) << v[0] << " " << v[1];
    // 0.75 pixel wide: the band's first and last corners lie across the edge's start.
    EXPECT_NEAR(std::hypot(p.vertices[3][0] - p.vertices[0][0], p.vertices[3][1] - p.vertices[0][1]), 0.75 * kPixel, 1e-9);
  }
}

TEST_F(GridDisplay, ShadedSolidDrawsAnInnerEdgeWhenBothEndsAreSelected) {
  b.inst->visibility = kShadedSolid;
  b.inst->mesh.points[1].selected = 1;  // (1, 0) on the boundary
  b.inst->mesh.points[4].selected = 1;  // (1, 1) in the middle
  b.draw();
  const Counts c = b.counts();
  EXPECT_EQ(c.lines, 1);
  for (const sim::DrawPrimitive& p : b.list.primitives)
    if (p.kind == sim::DrawPrimitive::Line) {
      EXPECT_TRUE(sameColour(p.colour, colorSelected));
    }
  EXPECT_EQ(c.quads, 8 + 2);          // the bands and the two selected points' squares
  EXPECT_EQ(c.triangles, 16 + 2 * 6);
}

TEST_F(GridDisplay, ShadedSolidWireDrawsEveryEdgeBlackOrSelected) {
  b.inst->visibility = kShadedSolidWire;
  b.inst->mesh.points[0].selected = 1;
  b.inst->mesh.points[1].selected = 1;
  b.draw();
  const Counts c = b.counts();
  EXPECT_EQ(c.texturedQuads, 4);
  EXPECT_EQ(c.lines, 12);
  int selected = 0;
  for (const sim::DrawPrimitive& p : b.list.primitives)
    if (p.kind == sim::DrawPrimitive::Line) selected += sameColour(p.colour, colorSelected);
  EXPECT_EQ(selected, 1);
}

TEST_F(GridDisplay, NoDepthDrawsTranslucentFacesFarthestFirstWithoutDepthTest) {
  // Tilt the grid so faces lie at different depths: row r at z = r.
  for (PntUserData& p : b.inst->mesh.points) p.pos[2] = p.pos[1];
  b.inst->visibility = kShadedSolid;
  b.inst->noDepth = 1;
  b.draw();
  double lastDepth = 1e300;
  int faces = 0;
  for (const sim::DrawPrimitive& p : b.list.primitives) {
    if (p.kind != sim::DrawPrimitive::Quad || !p.textureSize) continue;
    ++faces;
    EXPECT_EQ(p.drawMode, 0u);
    EXPECT_TRUE(sameColour(p.colour, transWhite));
    double depth = 0;
    for (const auto& v : p.vertices) depth += v[2] / 4;
    EXPECT_LE(depth, lastDepth + 1e-12);
    lastDepth = depth;
  }
  EXPECT_EQ(faces, 4);
}

TEST_F(GridDisplay, DepthOnDrawsFacesCulledAndDepthWritten) {
  b.inst->visibility = kShadedSolidWire;
  b.draw();
  for (const sim::DrawPrimitive& p : b.list.primitives)
    if (p.textureSize && p.kind == sim::DrawPrimitive::Quad) {
      EXPECT_EQ(p.drawMode, 13u);
      EXPECT_TRUE(sameColour(p.colour, colorWhite));
    } else if (p.kind == sim::DrawPrimitive::Line) {
      EXPECT_EQ(p.drawMode, 4u);
    }
}

TEST_F(GridDisplay, MarkerColoursAreThePointsGradientColourAndSelectionOutline) {
  b.inst->visibility = kWireframedPoints;
  b.inst->multiplySizeByValue = 0;
  b.setValue(4, 1.0f);
  b.inst->mesh.points[4].selected = 1;
  b.draw();
  // The centre point's marker: its octagon in colorSelected, its square in its colour.
  const PntUserData& p = b.inst->mesh.points[4];
  bool squareSeen = false, outlineSeen = false;
  for (const sim::DrawPrimitive& prim : b.list.primitives) {
    if (prim.textureSize) continue;
    double cx = 0, cy = 0;
    for (const auto& v : prim.vertices) cx += v[0] / double(prim.vertices.size()), cy += v[1] / double(prim.vertices.size());
    if (std::hypot(cx - 1, cy - 1) > 0.1) continue;
    if (prim.kind == sim::DrawPrimitive::Quad) {
      squareSeen = true;
      for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(prim.colour[size_t(k)], p.colour[k]);
    } else if (prim.kind == sim::DrawPrimitive::Triangle) {
      outlineSeen = true;
      EXPECT_TRUE(sameColour(prim.colour, colorSelected));
    }
  }
  EXPECT_TRUE(squareSeen);
  EXPECT_TRUE(outlineSeen);
  // The gradient's colour at 1.0 is not its colour without a value.
  EXPECT_NE(p.colour[0] + p.colour[1] + p.colour[2],
            b.inst->gradient.unweightedColour[0] + b.inst->gradient.unweightedColour[1] + b.inst->gradient.unweightedColour[2]);
}

TEST_F(GridDisplay, ColouredEdgePiecesBlendFromEndToEnd) {
  b.inst->visibility = kWireframedPoints;
  b.setValue(0, 1.0f);
  b.setValue(1, -1.0f);
  b.draw();
  // The edge (0,0)-(1,0): 16 pieces, the first nearest point 0's colour, the last
  // nearest point 1's.
  std::vector<const sim::DrawPrimitive*> pieces;
  for (const sim::DrawPrimitive& p : b.list.primitives)
    if (p.kind == sim::DrawPrimitive::Line && std::fabs(p.vertices[0][1]) < 0.02 && std::fabs(p.vertices[1][1]) < 0.02 &&
        p.vertices[0][0] < 1.0 + 1e-9 && p.vertices[1][0] < 1.0 + 1e-9)
      pieces.push_back(&p);
  ASSERT_EQ(pieces.size(), 16u);
  const float* a = b.inst->mesh.points[0].colour;
  const float* c = b.inst->mesh.points[1].colour;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const double t = (double(i) + 0.5) / 16.0;
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(pieces[i]->colour[size_t(k)], a[k] + (c[k] - a[k]) * t, 1e-5);
  }
}

TEST_F(GridDisplay, ShortEdgesGetTwoPiecesAndLongOnesAtMostSixteen) {
  b.inst->visibility = kWireframedPoints;
  for (double pixel : {1.0, 0.2, 0.04, 0.0001}) {
    SCOPED_TRACE(pixel);
    b.frontView(pixel);
    b.draw();
    const int expected = int(std::clamp(1.0 / (4 * pixel), 2.0, 16.0));
    EXPECT_EQ(b.counts().lines, 12 * expected);
  }
}

TEST(DisplayOutline, FoldedFacesMakeASilhouetteEdge) {
  DisplayBench b;
  // Two quads sharing the edge x = 1; the second folded back over the first, so on
  // screen the two turn opposite ways.
  Points points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0.5, 0, 1}, {0.5, 1, 1}};
  Polygons polygons = {{0, 1, 2, 3}, {1, 4, 5, 2}};
  b.load(points, polygons);
  b.frontView(0.01);
  std::vector<PointDraw> draws;
  computeDrawPositions(b.inst->mesh, b.view, draws);
  int outline = 0, shared = 0;
  for (const EdgeData& e : b.inst->mesh.edges) {
    outline += isOutlineEdge(e, draws);
    if (e.faceA && e.faceB) {
      ++shared;
      EXPECT_TRUE(isOutlineEdge(e, draws));
    }
  }
  EXPECT_EQ(shared, 1);
  EXPECT_EQ(outline, 7);
  // Unfolded, the shared edge is inner.
  b.inst->mesh.points[4].pos[0] = 2, b.inst->mesh.points[4].pos[2] = 0;
  b.inst->mesh.points[5].pos[0] = 2, b.inst->mesh.points[5].pos[2] = 0;
  computeDrawPositions(b.inst->mesh, b.view, draws);
  for (const EdgeData& e : b.inst->mesh.edges)
    if (e.faceA && e.faceB) {
      EXPECT_FALSE(isOutlineEdge(e, draws));
    }
}

TEST(DisplayLines, ShadedChoicesDrawTwoPointPolygonsThickAndColoured) {
  DisplayBench b;
  Points points = {{0, 0, 0}, {1, 0, 0}, {5, 5, 0}};
  Polygons polygons = {{0, 1}};
  b.load(points, polygons);
  b.frontView(0.01);
  b.inst->visibility = kShadedSolid;
  b.draw();
  const Counts c = b.counts();
  EXPECT_EQ(c.quads, 1 + 1);      // the line's 2-pixel band, and the isolated point's square
  EXPECT_EQ(c.lines, 16);         // the coloured line on top
  EXPECT_EQ(c.triangles, 2 + 6);  // band caps, the isolated point's octagon
}

TEST(DisplayPerspective, EdgesWithAnEndBehindTheEyeAreSkippedAndFarEyesDrawNothing) {
  DisplayBench b;
  Points points;
  Polygons polygons;
  appendGrid(points, polygons, 3);
  b.load(points, polygons);
  // The eye inside the grid's plane band: points with z below the eye's are behind it.
  for (PntUserData& p : b.inst->mesh.points) p.pos[2] = p.pos[1] * 2 - 1;  // rows at z = -1, 1, 3
  b.perspectiveView({1, 1, 0}, 0.001);
  b.inst->visibility = kShadedSolidWire;
  b.draw();
  // Only the edges between rows at z = 1 and z = 3 remain: 2 + 3 (top row and the
  // verticals between the two upper rows) + 2 (middle row).
  EXPECT_EQ(b.counts().lines, 7);
  const double xfrm[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  EXPECT_FALSE(setDrawView(b.view, 0, LVVIEWT_PERSPECTIVE, {1e6, 0, 0}, xfrm, 0.001, 0.01, 1000.0, 640, 480));
  EXPECT_TRUE(setDrawView(b.view, 0, LVVIEWT_FRONT, {1e6, 0, 0}, xfrm, 0.001, 0.01, 1000.0, 640, 480));
}

TEST(DisplayNoObject, OnlyTheCursorIsDrawnWithoutAnObject) {
  DisplayBench b;
  b.inst->tool.stroke.buttonKind = 1;
  b.inst->toolIndex = velmora::tool::kToolFill;
  b.draw();
  const Counts c = b.counts();
  EXPECT_EQ(c.triangles, 8);  // the 3-pixel cyan dot
  EXPECT_EQ(c.quads + c.lines + c.texturedQuads, 0);
}

TEST(DisplayShading, TrianglesAreShadedAsQuadsWithARepeatedCorner) {
  DisplayBench b;
  Points points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 0, 0}};
  Polygons polygons = {{0, 1, 2}, {1, 4, 3}};
  b.load(points, polygons);
  b.inst->visibility = kShadedSolid;
  b.setValue(1, 1.0f);
  b.draw();
  const Counts c = b.counts();
  EXPECT_EQ(c.texturedQuads, 2);
  EXPECT_EQ(c.texturedTriangles, 0);
  const double s = 1.0 / b.inst->gradientTextureSize;
  for (const sim::DrawPrimitive& p : b.list.primitives) {
    if (!p.textureSize) continue;
    EXPECT_EQ(p.vertices[3], p.vertices[2]);
    EXPECT_EQ(p.uvs[3], p.uvs[2]);
    for (const auto& uv : p.uvs) EXPECT_DOUBLE_EQ(uv[1], 1.5 * s);  // the middle key row
  }
}
