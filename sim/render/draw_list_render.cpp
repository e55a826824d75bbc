#include "render/draw_list_render.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sim {
namespace {

constexpr double kTwoPi = 6.283185307179586;

RasterState stateOf(const DrawPrimitive& p) {
  RasterState s;
  s.colour = p.colour;
  s.pattern = p.pattern;
  s.depthTest = (p.drawMode & LWDRAWMODE_DEPTHTEST) != 0;
  s.depthWrite = (p.drawMode & LWDRAWMODE_DEPTHWRITE) != 0;
  s.cullBack = (p.drawMode & LWDRAWMODE_CULLFACE) != 0;
  return s;
}

// Where a primitive's coordinates live, and how big one of its units is in metres.
struct Space {
  int csys = LWCSYS_WORLD;
  Frame frame;        // to world (OBJECT / ICON)
  double unit = 1.0;  // metres per unit along the frame's first axis
};

Space spaceOf(const DrawPrimitive& p, const SimScene& scene) {
  Space sp;
  sp.csys = p.csys;
  if (p.csys != LWCSYS_OBJECT && p.csys != LWCSYS_ICON) return sp;
  const SimItem* item = p.csysItem ? scene.find(p.csysItem) : nullptr;
  if (!item) return sp;
  sp.frame = scene.worldFrame(item->id);
  if (p.csys == LWCSYS_ICON)
    for (Vec3& axis : sp.frame.axis) axis = axis * double(item->iconScale);
  sp.unit = std::sqrt(dot(sp.frame.axis[0], sp.frame.axis[0]));
  return sp;
}

Vec3 toView(const Space& sp, const std::array<double, 3>& v, const ViewPainter& painter) {
  if (sp.csys == LWCSYS_VIEWPORT) return painter.pixelToView(v[0], v[1], v[2]);
  const Vec3 p = {v[0], v[1], v[2]};
  return painter.toView(sp.csys == LWCSYS_OBJECT || sp.csys == LWCSYS_ICON ? sp.frame.apply(p) : p);
}

void outline(const std::vector<ViewVertex>& corners, const RasterState& s, ViewPainter& painter) {
  for (size_t i = 0; i < corners.size(); ++i) painter.line(corners[i].p, corners[(i + 1) % corners.size()].p, s);
}

// Corners of a circle in the view plane, clockwise on screen so it faces the viewer.
std::vector<ViewVertex> circleCorners(const Vec3& centre, double radius, const ViewPainter& painter) {
  const double pixels = radius * painter.pixelsPerUnit(centre[2]);
  const int n = std::clamp(int(pixels), 12, 96);
  std::vector<ViewVertex> corners(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double a = -kTwoPi * i / n;
    corners[size_t(i)].p = {centre[0] + radius * std::cos(a), centre[1] + radius * std::sin(a), centre[2]};
  }
  return corners;
}

// The bytes of the texture in force for p, when it has one of the right size.
const std::vector<uint8_t>* textureOf(const DrawPrimitive& p, const DrawList& list) {
  if (p.textureSize <= 0 || p.textureIndex < 0 || size_t(p.textureIndex) >= list.textures.size()) return nullptr;
  const std::vector<uint8_t>& t = list.textures[size_t(p.textureIndex)];
  return t.size() >= size_t(p.textureSize) * size_t(p.textureSize) * 4 ? &t : nullptr;
}

}  // namespace

void renderDrawList(const DrawList& list, const SimScene& scene, ViewPainter& painter, const DrawAccessPolicy& policy) {
  std::vector<ViewVertex> corners;
  for (const DrawPrimitive& p : list.primitives) {
    RasterState s = stateOf(p);
    const Space sp = spaceOf(p, scene);
    corners.clear();
    for (const auto& v : p.vertices) corners.push_back({toView(sp, v, painter), 0, 0});
    const bool outlined = (p.drawMode & LWDRAWMODE_OUTLINE) != 0;
    switch (p.kind) {
      case DrawPrimitive::Point:
        if (!corners.empty()) painter.point(corners[0].p, s);
        break;
      case DrawPrimitive::Line:
        if (corners.size() >= 2) painter.line(corners[0].p, corners[1].p, s);
        break;
      case DrawPrimitive::Text:
        if (!corners.empty()) painter.text(corners[0].p, p.text, p.justify, s);
        break;
      case DrawPrimitive::Circle:
      case DrawPrimitive::Disk: {
        if (corners.empty() || !(p.radius > 0)) break;
        const Vec3 centre = corners[0].p;
        const double radius = sp.csys == LWCSYS_VIEWPORT ? p.radius / painter.pixelsPerUnit(centre[2]) : p.radius * sp.unit;
        const std::vector<ViewVertex> ring = circleCorners(centre, radius, painter);
        if (p.kind == DrawPrimitive::Circle || outlined) outline(ring, s, painter);
        else painter.polygon(ring, s);
        break;
      }
      case DrawPrimitive::Triangle:
      case DrawPrimitive::Quad:
      case DrawPrimitive::Polygon:
        if (corners.size() == 1) {
          painter.point(corners[0].p, s);
        } else if (corners.size() == 2) {
          painter.line(corners[0].p, corners[1].p, s);
        } else if (outlined) {
          outline(corners, s, painter);
        } else {
          const std::vector<uint8_t>* texture = textureOf(p, list);
          if (p.kind == DrawPrimitive::Quad && texture) {
            for (size_t i = 0; i < 4 && i < corners.size(); ++i) {
              corners[i].u = p.uvs[i][0];
              corners[i].v = p.uvs[i][1];
            }
            s.texture = texture->data();
            s.textureSize = p.textureSize;
            s.linearFilter = policy.textureFilter == DrawAccessPolicy::TextureFilter::Linear;
          }
          painter.polygon(corners, s);
        }
        break;
    }
  }
}

}  // namespace sim
