#include "display/value_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "display/digit_images.h"
#include "display/point_markers.h"

using velmora::geometry::Vec3;

namespace {

constexpr double kLabelGap = 2.0;        // pixels between marker and label
constexpr double kLabelLift = 3.0;       // labels are drawn 3 glyph sizes toward the eye
constexpr double kMaxPull = 0.999;
constexpr int kGlyphColumns = 4;

// Snaps a screen coordinate to the pixel grid of a viewport `pixels` wide whose centre is
// at 0: whole pixels from the centre, on pixel edges.
double snapToPixels(double x, double pixel, int32_t pixels) {
  const double edge = (pixels % 2) ? 0.5 : 0.0;
  return (std::floor(x / pixel - edge + 0.5) + edge) * pixel;
}

}  // namespace

int32_t numberGlyphs(int32_t number, int32_t glyphs[12]) {
  int64_t n = std::llabs(int64_t(number));
  int32_t count = 0;
  do {
    glyphs[count++] = int32_t(n % 10);
    n /= 10;
  } while (n > 0);
  if (number < 0) glyphs[count++] = kMinusGlyph;
  return count;
}

int32_t labelNumberOf(float value) {
  const double v = std::trunc(double(value) * 100.0);
  if (!(v == v)) return 0;
  return int32_t(std::clamp(v, double(std::numeric_limits<int32_t>::min()), double(std::numeric_limits<int32_t>::max())));
}

void drawNumber(const NumberLabel& label) {
  if (!label.access || !label.axisX || !label.axisY) return;
  const LWCustomObjAccess& a = *label.access;
  int32_t glyphs[12];
  const int32_t count = numberGlyphs(label.number, glyphs);
  const Vec3 anchor = toVec3(label.anchor), ax = toVec3(label.axisX), ay = toVec3(label.axisY);
  const double size = label.glyphSize, advance = size * label.advance, cell = label.cell;
  const Vec3 up = ay * size;
  double x = count * advance / 2.0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t g = glyphs[i];
    const double u0 = (g % kGlyphColumns) * cell, v0 = (g / kGlyphColumns) * cell;
    // Texture rows run top first: the glyph's top edge takes v0.
    double uv0[2] = {u0, v0 + cell}, uv1[2] = {u0 + cell, v0 + cell}, uv2[2] = {u0 + cell, v0}, uv3[2] = {u0, v0};
    a.setUVs(a.dispData, uv0, uv1, uv2, uv3);
    x -= advance;
    const Vec3 left = anchor + ax * x, right = anchor + ax * (x + size);
    putQuad(a, left, right, right + up, left + up);
  }
}

void drawValueLabels(DisplayFrame& f) {
  const InstData& inst = f.inst;
  const DrawView& view = f.view;
  const LWCustomObjAccess& a = f.access;
  const DigitImage& image = digitImageForPointSize(inst.pointSize);
  a.setTexture(a.dispData, image.textureSize, const_cast<uint8_t*>(image.rgba));
  putColour(a, colorWhite);
  const double ax[3] = {view.ax.x, view.ax.y, view.ax.z}, ay[3] = {view.ay.x, view.ay.y, view.ay.z};
  NumberLabel label;
  label.access = &a;
  label.advance = image.advance;
  label.cell = image.cell;
  label.axisX = ax;
  label.axisY = ay;
  const double glyph = image.cellPixels * view.pixel;
  for (size_t i = 0; i < inst.mesh.points.size(); ++i) {
    const PntUserData& p = inst.mesh.points[i];
    const PointDraw& d = f.state.points[i];
    if (!(p.hasValue & 1) || d.drawHidden) continue;
    const MarkerSize marker = markerSizeOf(inst, d, view.pixel);
    const double sx = snapToPixels(d.drawScreen[0], view.pixel, view.width);
    const double sy = snapToPixels(d.drawScreen[1] + marker.inner + kLabelGap * view.pixel, view.pixel, view.height);
    Vec3 anchor;
    if (view.perspective) {
      const double k = std::clamp(kLabelLift * glyph, 0.0, kMaxPull);
      const double depth = d.drawDepth * (1.0 - k);
      anchor = view.eye + (view.ax * sx + view.ay * sy + view.vd) * depth;
      label.glyphSize = glyph * depth;
    } else {
      anchor = view.eye + view.ax * sx + view.ay * sy + view.vd * (d.drawDepth - kLabelLift * glyph);
      label.glyphSize = glyph;
    }
    label.anchor[0] = anchor.x, label.anchor[1] = anchor.y, label.anchor[2] = anchor.z;
    label.number = labelNumberOf(p.value);
    drawNumber(label);
  }
  a.setTexture(a.dispData, 16, nullptr);
}
