#include "gradient_panel/gradient_bar_raster.h"

#include <array>
#include <cmath>

#include "gradient/gradient.h"
#include "gradient_panel/colour_bytes.h"

namespace {

constexpr BarRgb kEdge = {8, 8, 10};
constexpr BarRgb kDark = {38, 38, 40};
constexpr BarRgb kLight = {86, 86, 88};
constexpr BarRgb kKeyOutline = {98, 99, 102};

struct BarLook {
  BarRgb background, track, currentOutline;
};

BarLook lookFor(int32_t build) {
  if (build < kModernLookBuild) return {{143, 143, 143}, {79, 79, 79}, {255, 255, 255}};
  return {{62, 62, 64}, kDark, {119, 179, 219}};
}

void box(const LWRasterFuncs& rf, LWRasterID r, BarRgb c, int32_t x, int32_t y, int32_t w, int32_t h) {
  rf.drawRGBBox(r, c.r, c.g, c.b, x, y, w, h);
}

void pixel(const LWRasterFuncs& rf, LWRasterID r, BarRgb c, int32_t x, int32_t y) {
  rf.drawRGBPixel(r, c.r, c.g, c.b, x, y);
}

BarRgb toBytes(const float* colour) {
  return {colourChannelToByte(colour[0]), colourChannelToByte(colour[1]), colourChannelToByte(colour[2])};
}

void drawBarFrame(const LWRasterFuncs& rf, LWRasterID r) {
  box(rf, r, kDark, 3, 0, 322, 1);
  box(rf, r, kDark, 3, 0, 1, 22);
  box(rf, r, kLight, 3, 22, 323, 1);
  box(rf, r, kLight, 325, 0, 1, 23);
}

void drawColourColumns(const LWRasterFuncs& rf, LWRasterID r, const GradientData& g) {
  const float span = g.rangeMax - g.rangeMin;
  std::array<float, 4> colour{};
  for (int32_t x = kBarFirstColumn; x <= kBarFirstColumn + kBarColumnSpan; ++x) {
    const float at = g.rangeMin + float(x - kBarFirstColumn) * span / float(kBarColumnSpan);
    getInterpolatedColorAtGradPosition(g, at, colour);
    box(rf, r, toBytes(colour.data()), x, 1, 1, 21);
  }
}

void drawKeyTrack(const LWRasterFuncs& rf, LWRasterID r, BarRgb track) {
  box(rf, r, track, 1, 30, 326, 5);
  box(rf, r, kEdge, 1, 29, 326, 1);
  box(rf, r, kEdge, 0, 30, 1, 5);
  box(rf, r, kLight, 1, 35, 326, 1);
  box(rf, r, kLight, 327, 30, 1, 5);
}

}  // namespace

int32_t keyMarkerColumn(const GradientData& g, float position) {
  const double span = double(g.rangeMax) - double(g.rangeMin);
  const double f = span > 0.0 ? (double(position) - double(g.rangeMin)) / span : 0.0;
  const double column = std::trunc(f * kKeyColumnSpan);
  // A key outside the range (loaded from a file) stays on the track's ends.
  if (!(column > 0.0)) return kBarFirstColumn;
  return kBarFirstColumn + (column > kKeyColumnSpan ? kKeyColumnSpan : int32_t(column));
}

void drawPointZoneCursor(const LWRasterFuncs& rf, LWRasterID r, int32_t x, BarRgb colour, BarRgb outline) {
  box(rf, r, kEdge, x - 4, 29, 9, 9);
  box(rf, r, colour, x - 3, 30, 7, 7);
  for (int32_t d = 0; d <= 3; ++d) {
    const int32_t top = 25 + d;  // the triangle widens by one column each way per row
    for (int32_t y = top; y <= 28; ++y) {
      pixel(rf, r, outline, x - d, y);
      if (d) pixel(rf, r, outline, x + d, y);
    }
    pixel(rf, r, kEdge, x - d, top - 1);
    if (d) pixel(rf, r, kEdge, x + d, top - 1);
  }
  for (int32_t y = 28; y <= 29; ++y) {
    pixel(rf, r, kEdge, x - 4, y);
    pixel(rf, r, kEdge, x + 4, y);
  }
}

void drawColorBarRaster(const LWRasterFuncs& rf, LWRasterID r, const GradientData& g, int32_t hostBuild) {
  if (!r) return;
  const BarLook look = lookFor(hostBuild);
  box(rf, r, look.background, 0, 0, kBarRasterW, kBarRasterH);
  drawBarFrame(rf, r);
  drawColourColumns(rf, r, g);
  drawKeyTrack(rf, r, look.track);
  for (const GradientSeg* k = g.first; k; k = k->next)
    drawPointZoneCursor(rf, r, keyMarkerColumn(g, k->position), toBytes(k->colour), kKeyOutline);
  if (const GradientSeg* k = g.current) {
    const int32_t x = keyMarkerColumn(g, k->position);
    drawPointZoneCursor(rf, r, x, toBytes(k->colour), look.currentOutline);
    pixel(rf, r, look.currentOutline, x, 23);
  }
}
