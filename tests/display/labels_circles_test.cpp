// Value labels from the digit images and the cursor's circles.
#include <gtest/gtest.h>

#include <cmath>

#include "display/cursor_drawing.h"
#include "display/digit_images.h"
#include "display/display_test_scene.h"
#include "display/value_labels.h"

using namespace display_testing;
using velmora::geometry::Vec3;

namespace {

// One point with a value, labels on, in the front view.
std::string labelOf(float value, int32_t pointSize = 80) {
  DisplayBench b;
  b.load({{0, 0, 0}}, {});
  b.inst->showWeights = 1;
  b.inst->pointSize = pointSize;
  b.setValue(0, value);
  b.draw();
  return labelText(b.list, digitImageForPointSize(pointSize).cell, {1, 0, 0});
}

}  // namespace

TEST(ValueLabels, ShowTheTruncatedPercentage) {
  EXPECT_EQ(labelOf(1.0f), "100");
  EXPECT_EQ(labelOf(0.004f), "0");
  EXPECT_EQ(labelOf(-0.5f), "-50");
  EXPECT_EQ(labelOf(0.5f), "50");
  EXPECT_EQ(labelOf(-0.25f), "-25");
  EXPECT_EQ(labelOf(0.999f), "99");
  EXPECT_EQ(labelOf(-0.009f), "0");  // trunc, not a "-0"
}

TEST(ValueLabels, EveryImageSizeReadsTheSame) {
  for (int32_t size : {80, 99, 100, 139, 140, 179, 180, 400}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(labelOf(-1.23f, size), "-123");
  }
}

TEST(ValueLabels, ExtremeValuesSaturateInsteadOfOverflowing) {
  EXPECT_EQ(labelNumberOf(1e30f), 2147483647);
  EXPECT_EQ(labelNumberOf(-1e30f), -2147483647 - 1);
  EXPECT_EQ(labelNumberOf(std::nanf("")), 0);
  int32_t glyphs[12];
  EXPECT_EQ(numberGlyphs(-2147483647 - 1, glyphs), 11);
  EXPECT_EQ(glyphs[10], kMinusGlyph);
  EXPECT_EQ(glyphs[0], 8);
}

TEST(ValueLabels, GlyphsAreLaidCentredAndCloserThanTheirCells) {
  DisplayBench b;
  b.startRecording();
  const double ax[3] = {1, 0, 0}, ay[3] = {0, 1, 0};
  NumberLabel label;
  label.access = &b.access;
  label.number = 100;
  label.anchor[0] = 10;
  label.glyphSize = 8;
  label.advance = 0.75;
  label.cell = 0.25;
  label.axisX = ax;
  label.axisY = ay;
  drawNumber(label);
  ASSERT_EQ(b.list.primitives.size(), 3u);
  // Right to left: the last digit first, its right end at anchor + 3 x 6 / 2.
  const auto& first = b.list.primitives[0].vertices;
  EXPECT_DOUBLE_EQ(first[0][0], 10 + 9 - 6);
  EXPECT_DOUBLE_EQ(first[1][0], 10 + 9 - 6 + 8);
  EXPECT_DOUBLE_EQ(first[2][1], 8.0);  // raised by the glyph size
  EXPECT_DOUBLE_EQ(b.list.primitives[2].vertices[0][0], 10 - 9);
}

TEST(ValueLabels, SitAboveTheMarkerOnWholePixels) {
  DisplayBench b;
  b.load({{0.123456, 0.5, 0}}, {});
  b.frontView(0.01);
  b.inst->showWeights = 1;
  b.inst->visibility = kShadedSolid;  // marker inner = 1 pixel
  b.setValue(0, 0.5f);
  b.draw();
  const double glyph = 8 * 0.01;
  for (const sim::DrawPrimitive& p : b.list.primitives) {
    if (!p.textureSize || p.kind != sim::DrawPrimitive::Quad) continue;
    // Bottom edge: 1 + 2 pixels above the point, snapped (the 480-pixel-high view's
    // centre lies on a pixel edge).
    EXPECT_NEAR(p.vertices[0][1], std::round((0.5 + 0.03) / 0.01) * 0.01, 1e-9);
    EXPECT_NEAR(p.vertices[2][1] - p.vertices[0][1], glyph, 1e-12);
    // Drawn 3 glyph sizes toward the viewer from the point.
    EXPECT_NEAR(p.vertices[0][2], -0.01 - 3 * glyph, 1e-9);
  }
}

TEST(DigitImages, HaveTheTableSizesAndInkInEveryGlyphCell) {
  struct Row {
    int32_t pointSize, texture, cellPixels;
    double cell, advance;
  };
  for (const Row& r : {Row{80, 32, 8, 0.25, 0.75}, Row{100, 64, 10, 0.15625, 0.8}, Row{140, 64, 12, 0.1875, 5.0 / 6.0},
                       Row{180, 64, 16, 0.25, 0.75}}) {
    SCOPED_TRACE(r.pointSize);
    const DigitImage& image = digitImageForPointSize(r.pointSize);
    EXPECT_EQ(image.textureSize, r.texture);
    EXPECT_EQ(image.cellPixels, r.cellPixels);
    EXPECT_DOUBLE_EQ(image.cell, r.cell);
    EXPECT_NEAR(image.advance, r.advance, 1e-12);
    EXPECT_DOUBLE_EQ(image.cell * image.textureSize, image.cellPixels);
    const int advancePixels = int(std::floor(image.advance * image.cellPixels + 1e-9));
    for (int g = 0; g <= kMinusGlyph; ++g) {
      int white = 0, beyondAdvance = 0;
      const int x0 = (g % 4) * image.cellPixels, y0 = (g / 4) * image.cellPixels;
      for (int y = 0; y < image.cellPixels; ++y)
        for (int x = 0; x < image.cellPixels; ++x) {
          const uint8_t* t = image.rgba + (size_t(y0 + y) * size_t(image.textureSize) + size_t(x0 + x)) * 4;
          white += t[0] == 255 && t[3] == 255;
          beyondAdvance += x >= advancePixels && t[3] != 0;
        }
      EXPECT_GT(white, 0) << "glyph " << g;
      EXPECT_EQ(beyondAdvance, 0) << "glyph " << g;
    }
  }
}

TEST(CursorCircles, SegmentCountsFollowTheRadius) {
  EXPECT_EQ(circleSegmentsFor(12), 8);
  EXPECT_EQ(circleSegmentsFor(12.99), 8);
  EXPECT_EQ(circleSegmentsFor(13), 16);
  EXPECT_EQ(circleSegmentsFor(31), 16);
  EXPECT_EQ(circleSegmentsFor(32), 32);
  EXPECT_EQ(circleSegmentsFor(63), 32);
  EXPECT_EQ(circleSegmentsFor(64), 64);
  EXPECT_EQ(circleSegmentsFor(320), 64);
}

TEST(CursorCircles, FilledAndDashedCirclesOnTheUnitCircle) {
  DisplayBench b;
  for (auto [radius, segments] : {std::pair{12, 8}, {13, 16}, {64, 64}}) {
    SCOPED_TRACE(radius);
    b.startRecording();
    drawFillCircle(b.access, b.inst->unitCircle, kCircleFilled, transYellow, {1, 2, 3}, {1, 0, 0}, {0, 1, 0}, radius, 0.5);
    Counts c = b.counts();
    EXPECT_EQ(c.triangles, segments);
    for (const sim::DrawPrimitive& p : b.list.primitives) {
      EXPECT_EQ(p.pattern, LWLPAT_SOLID);
      EXPECT_TRUE(sameColour(p.colour, transYellow));
      for (size_t k = 1; k < 3; ++k)
        EXPECT_NEAR(std::hypot(p.vertices[k][0] - 1, p.vertices[k][1] - 2), radius * 0.5, 1e-9);
    }
    b.startRecording();
    drawFillCircle(b.access, b.inst->unitCircle, kCircleDashed, colorYellow, {1, 2, 3}, {1, 0, 0}, {0, 1, 0}, radius, 0.5);
    c = b.counts();
    EXPECT_EQ(c.lines, segments);
    EXPECT_EQ(c.triangles, 0);
    for (const sim::DrawPrimitive& p : b.list.primitives) EXPECT_EQ(p.pattern, LWLPAT_DASH);
  }
}

TEST(Cursor, BrushToolsShowTheirCircleOnlyInTheStrokesViewport) {
  DisplayBench b;
  InstData& inst = *b.inst;
  inst.toolIndex = velmora::tool::kToolBrush;
  inst.brushSize = 12;
  inst.tool.stroke.buttonKind = 1;
  b.draw();
  Counts c = b.counts();
  EXPECT_EQ(c.lines, 8);      // the dashed 12-pixel circle
  EXPECT_EQ(c.triangles, 8);  // and the 3-pixel dot
  inst.tool.stroke.buttonKind = 2;  // resizing: a translucent disc
  inst.brushSize = 64;
  b.draw();
  c = b.counts();
  EXPECT_EQ(c.triangles, 64);
  EXPECT_EQ(c.lines, 0);
  inst.tool.view.viewport = 1;  // another viewport's stroke
  b.draw();
  EXPECT_EQ(b.list.primitives.size(), 0u);
  inst.tool.view.viewport = 0;
  inst.tool.stroke.buttonKind = 0;  // no button held
  b.draw();
  EXPECT_EQ(b.list.primitives.size(), 0u);
}

TEST(Cursor, PerspectiveCursorSitsAtTheCursorDepthAndKeepsItsPixelSize) {
  DisplayBench b;
  b.perspectiveView({0, 0, -10}, 0.002);
  InstData& inst = *b.inst;
  inst.toolIndex = velmora::tool::kToolPenSel;
  inst.brushSize = 20;
  inst.tool.stroke.buttonKind = 1;
  inst.tool.view.eventPos = {0, 0, -9};  // depth 1
  b.draw();
  const double depth = (0.01 + 1000.0) / 2;
  ASSERT_FALSE(b.list.primitives.empty());
  const sim::DrawPrimitive& first = b.list.primitives[0];
  EXPECT_NEAR(first.vertices[0][2], -10 + depth, 1e-9);
  EXPECT_NEAR(std::hypot(first.vertices[1][0], first.vertices[1][1]), 20 * 0.002 * depth, 1e-9);
  EXPECT_EQ(first.drawMode, 0u);  // over everything
}

TEST(Cursor, LinearGradBandPiecesAndColours) {
  DisplayBench b;
  InstData& inst = *b.inst;
  inst.toolIndex = velmora::tool::kToolLinearGrad;
  inst.tool.stroke.buttonKind = 1;
  inst.tool.stroke.gradientStart = {0, 0, 0};
  inst.tool.view.eventPos = {1, 0, 0};  // 100 pixels: 25 pieces
  inst.value = 1.0f;
  b.draw();
  Counts c = b.counts();
  EXPECT_EQ(c.triangles, 2 * 25);
  EXPECT_EQ(c.lines, 2 * 25 + 1);
  inst.tool.view.eventPos = {0.05, 0, 0};  // 5 pixels: at least 8 pieces
  inst.erase = 1;
  b.draw();
  c = b.counts();
  EXPECT_EQ(c.triangles, 2 * 8);
  EXPECT_EQ(c.lines, 2);  // cyan start, dark grey end
  EXPECT_TRUE(sameColour(b.list.primitives.back().colour, colorDGray));
}
