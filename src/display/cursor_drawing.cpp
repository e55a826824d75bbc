#include "display/cursor_drawing.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "gradient/gradient.h"

using velmora::geometry::Vec3;
using namespace velmora::tool;

namespace {

constexpr double kDotRadius = 3.0;         // pixels
constexpr double kBandHalfWidth = 2.0;     // pixels
constexpr double kBandPiecePixels = 4.0;
constexpr int kBandMinPieces = 8;
constexpr int kBandMaxPieces = 64;

void drawDot(const DisplayFrame& f, const Rgba& colour, const Vec3& centre, double pixel) {
  drawFillCircle(f.access, f.inst.unitCircle, kCircleFilled, colour, centre, f.view.ax, f.view.ay, kDotRadius, pixel);
}

Rgba gradientColourAt(const GradientData& g, float value) {
  Rgba c{};
  getInterpolatedColorAtGradPosition(g, value, std::span<float, 4>(c.c));
  return c;
}

Rgba mix(const Rgba& a, const Rgba& b, float t) {
  Rgba c{};
  for (int k = 0; k < 4; ++k) c.c[k] = a.c[k] + (b.c[k] - a.c[k]) * t;
  return c;
}

}  // namespace

int32_t circleSegmentsFor(double radiusPixels) {
  if (radiusPixels < 13) return 8;
  if (radiusPixels < 32) return 16;
  if (radiusPixels < 64) return 32;
  return 64;
}

void drawFillCircle(const LWCustomObjAccess& a, const double (&unitCircle)[kUnitCircleSteps][2], int32_t mode,
                    const Rgba& colour, const Vec3& centre, const Vec3& ax, const Vec3& ay, double radiusPixels,
                    double pixel) {
  const int32_t segments = circleSegmentsFor(radiusPixels);
  const int32_t step = kUnitCircleSteps / segments;
  const double r = radiusPixels * pixel;
  auto corner = [&](int32_t s) {
    const double* cs = unitCircle[(s * step) % kUnitCircleSteps];
    return centre + (ax * cs[0] + ay * cs[1]) * r;
  };
  a.setPattern(a.dispData, mode == kCircleFilled ? LWLPAT_SOLID : LWLPAT_DASH);
  putColour(a, colour);
  for (int32_t s = 0; s < segments; ++s) {
    if (mode == kCircleFilled) putTriangle(a, centre, corner(s), corner(s + 1));
    else putLine(a, corner(s), corner(s + 1));
  }
  if (mode != kCircleFilled) a.setPattern(a.dispData, LWLPAT_SOLID);
}

void drawGradientBand(const LWCustomObjAccess& a, const InstData& inst, const DrawView& view, const Vec3& start,
                      const Vec3& end, double pixel) {
  const Vec3 line = end - start;
  const double len = length(line);
  const int n = int(std::clamp(len / (kBandPiecePixels * pixel), double(kBandMinPieces), double(kBandMaxPieces)));
  const Vec3 dir = len > 0.0 ? line * (1.0 / len) : view.ax;
  const Vec3 side = cross(dir, view.vd) * (kBandHalfWidth * pixel);  // the line turned -90 degrees about vd
  const Vec3 step = line * (1.0 / n);
  a.setPattern(a.dispData, LWLPAT_SOLID);
  for (int i = 0; i < n; ++i) {
    const Vec3 p = start + step * double(i), q = p + step;
    const float t = float((i + 0.5) / n);
    const Rgba fill = inst.erase ? mix(colorCyan, colorDGray, t) : gradientColourAt(inst.gradient, inst.value * (1.0f - t));
    putColour(a, fill);
    putTriangle(a, p - side, q - side, q + side);
    putTriangle(a, p - side, q + side, p + side);
    if (!inst.erase) {
      putColour(a, colorBlack);
      putLine(a, p - side, q - side);
      putLine(a, p + side, q + side);
    }
  }
  if (inst.erase) {
    putColour(a, colorCyan);
    putLine(a, start - side, start + side);
    putColour(a, colorDGray);
  } else {
    putColour(a, gradientColourAt(inst.gradient, 0.0f));
  }
  putLine(a, end - side, end + side);
}

void drawCursor(DisplayFrame& f) {
  const InstData& inst = f.inst;
  const DrawView& view = f.view;
  const StrokeState& s = inst.tool.stroke;
  if (s.buttonKind == 0 || inst.tool.view.viewport != view.viewport) return;
  const LWCustomObjAccess& a = f.access;
  a.setDrawMode(a.dispData, kModeOverlay);
  auto atCursorDepth = [&](const Vec3& p) { return view.perspective ? view.eye + (p - view.eye) * view.cursorDepth : p; };
  const Vec3 centre = atCursorDepth(inst.tool.view.eventPos);
  const double pixel = view.pixel * (view.perspective ? view.cursorDepth : 1.0);
  if (s.downMode != kDownStroke) {
    drawDot(f, colorCyan, centre, pixel);
    return;
  }
  switch (inst.toolIndex) {
    case kToolPen:
    case kToolBrush:
    case kToolBlur:
      if (s.buttonKind == 2) {
        drawFillCircle(a, inst.unitCircle, kCircleFilled, transYellow, centre, view.ax, view.ay, inst.brushSize, pixel);
      } else {
        drawFillCircle(a, inst.unitCircle, kCircleDashed, colorYellow, centre, view.ax, view.ay, inst.brushSize, pixel);
        drawDot(f, colorYellow, centre, pixel);
      }
      break;
    case kToolPenSel:
      drawFillCircle(a, inst.unitCircle, kCircleFilled, transYellow, centre, view.ax, view.ay, inst.brushSize, pixel);
      drawDot(f, colorYellow, centre, pixel);
      break;
    case kToolLinearGrad:
      drawGradientBand(a, inst, view, atCursorDepth(s.gradientStart), centre, pixel);
      break;
    case kToolLassoPaint:
    case kToolLassoSel: {
      const std::vector<LassoNode>& nodes = s.lasso.nodes;
      a.setPattern(a.dispData, LWLPAT_SOLID);
      putColour(a, colorCyan);
      for (size_t i = 1; i < nodes.size(); ++i)
        putLine(a, atCursorDepth(toVec3(nodes[i - 1].worldPos)), atCursorDepth(toVec3(nodes[i].worldPos)));
      break;
    }
    default:
      drawDot(f, colorCyan, centre, pixel);
      break;
  }
}
