#include "render/viewport_render.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/draw_list_render.h"
#include "render/view_painter.h"

extern "C" {
#include <lwrender.h>
}

namespace sim {
namespace {

constexpr Rgba8 kBackground = {92, 92, 96, 255};
constexpr std::array<float, 4> kGridColour = {0.30f, 0.30f, 0.32f, 1};
constexpr std::array<float, 4> kAxisColour = {0.20f, 0.20f, 0.22f, 1};
constexpr std::array<float, 4> kWireColour = {0.08f, 0.08f, 0.10f, 1};
constexpr std::array<float, 4> kWireOverShaded = {0.25f, 0.25f, 0.30f, 1};
constexpr std::array<float, 4> kSelectedColour = {1.00f, 0.85f, 0.25f, 1};
constexpr std::array<float, 4> kSurfaceColour = {0.80f, 0.80f, 0.78f, 1};
constexpr std::array<float, 4> kBoneColour = {0.35f, 0.65f, 1.00f, 1};
constexpr std::array<float, 4> kInactiveBoneColour = {0.45f, 0.45f, 0.50f, 1};
constexpr double kAmbient = 0.25;          // shade of a face seen edge-on
constexpr double kWireDepthBias = 2e-4;    // lets front-face wires win over their own faces
constexpr double kMinGridPixels = 20.0;    // grid lines closer than this thin out tenfold
constexpr int kGridHalfLines = 10;         // perspective grid: lines each side of the origin

Vec3 normalised(const Vec3& v) {
  const double l = std::sqrt(dot(v, v));
  return l > 0 ? v * (1.0 / l) : Vec3{0, 0, 0};
}

// A polygon's normal by Newell's method (robust for non-planar n-gons); it points out of
// the side from which the corners run clockwise, LightWave's front.
Vec3 newellNormal(const std::vector<uint32_t>& corners, const std::vector<Vec3>& world) {
  Vec3 n = {0, 0, 0};
  for (size_t i = 0; i < corners.size(); ++i) {
    const Vec3& a = world[corners[i]];
    const Vec3& b = world[corners[(i + 1) % corners.size()]];
    n[0] += (a[1] - b[1]) * (a[2] + b[2]);
    n[1] += (a[2] - b[2]) * (a[0] + b[0]);
    n[2] += (a[0] - b[0]) * (a[1] + b[1]);
  }
  return normalised(n);
}

// Grid spacing in metres: powers of ten, the finest whose lines stay kMinGridPixels apart.
double gridSpacing(double pixelsPerMetre) {
  double spacing = 1.0;
  while (spacing * pixelsPerMetre < kMinGridPixels && spacing < 1e9) spacing *= 10.0;
  while (spacing * pixelsPerMetre >= kMinGridPixels * 10.0 && spacing > 1e-6) spacing /= 10.0;
  return spacing;
}

void drawGrid(const SimViewport& vp, ViewPainter& painter) {
  RasterState s;
  s.depthTest = false;
  s.depthWrite = false;
  const Frame& f = painter.frame();
  if (!vp.perspective()) {
    // The plane of the view through the world origin, covering the visible area.
    const double spacing = gridSpacing(painter.pixelsPerUnit(1.0));
    const double halfW = vp.width * 0.5 / painter.pixelsPerUnit(1.0), halfH = vp.height * 0.5 / painter.pixelsPerUnit(1.0);
    const double cu = dot(vp.center, f.axis[0]), cv = dot(vp.center, f.axis[1]);
    const long u0 = long(std::floor((cu - halfW) / spacing)), u1 = long(std::ceil((cu + halfW) / spacing));
    const long v0 = long(std::floor((cv - halfH) / spacing)), v1 = long(std::ceil((cv + halfH) / spacing));
    auto at = [&](double u, double v) { return painter.toView(f.axis[0] * u + f.axis[1] * v); };
    for (long i = u0; i <= u1; ++i) {
      s.colour = i == 0 ? kAxisColour : kGridColour;
      painter.line(at(i * spacing, v0 * spacing), at(i * spacing, v1 * spacing), s);
    }
    for (long j = v0; j <= v1; ++j) {
      s.colour = j == 0 ? kAxisColour : kGridColour;
      painter.line(at(u0 * spacing, j * spacing), at(u1 * spacing, j * spacing), s);
    }
    return;
  }
  // Perspective: the ground (y = 0) around the origin, spaced for the distance looked at.
  const double spacing = gridSpacing(painter.pixelsPerUnit(std::max(vp.zoom, vp.hither)));
  const double extent = kGridHalfLines * spacing;
  for (int i = -kGridHalfLines; i <= kGridHalfLines; ++i) {
    s.colour = i == 0 ? kAxisColour : kGridColour;
    const double c = i * spacing;
    painter.line(painter.toView({c, 0, -extent}), painter.toView({c, 0, extent}), s);
    painter.line(painter.toView({-extent, 0, c}), painter.toView({extent, 0, c}), s);
  }
}

// An object's points in world space: the frozen positions when the host has them, else
// the base mesh through the item's frame.
std::vector<Vec3> worldPoints(const SimScene& scene, const SimItem& item) {
  const SimMesh& mesh = *item.mesh;
  std::vector<Vec3> out(mesh.numPoints());
  if (auto frozen = scene.frozenIfComputed(item.id)) {
    for (size_t i = 0; i < out.size(); ++i) {
      const auto& p = frozen->otherPos[frozen->extraPoints + i];
      out[i] = {p[0], p[1], p[2]};
    }
    return out;
  }
  const Frame f = scene.worldFrame(item.id);
  for (size_t i = 0; i < out.size(); ++i) {
    const float* p = mesh.point(i).pos;
    out[i] = f.apply({p[0], p[1], p[2]});
  }
  return out;
}

bool isFace(const SimPolygon& p) {
  return p.vertices.size() >= 3 && p.type != kTypeCURV && p.type != kTypeBONE;
}

class SceneDrawer {
 public:
  SceneDrawer(const SimScene& scene, ViewPainter& painter) : scene_(scene), painter_(painter) {}

  // Shaded faces first, so wires drawn afterwards are hidden only by nearer surfaces.
  void draw() {
    for (const auto& item : scene_.items())
      if (visibleObject(*item) && item->visibility >= LWOVIS_SHADED) shaded(*item);
    for (const auto& item : scene_.items()) {
      if (item->type == ItemType::Bone && item->visibility != 0) bone(*item);
      if (item->type == ItemType::Object && item->isNull() && item->visibility != 0) null(*item);
      if (visibleObject(*item)) wires(*item);
    }
  }

 private:
  static bool visibleObject(const SimItem& item) {
    return item.type == ItemType::Object && !item.isNull() && item.visibility > LWOVIS_HIDDEN;
  }
  bool selected(const SimItem& item) const {
    const auto& sel = scene_.selection();
    return std::find(sel.begin(), sel.end(), item.id) != sel.end();
  }
  // Direction from a world point toward the eye.
  Vec3 towardEye(const Vec3& at) const {
    const Frame& f = painter_.frame();
    return painter_.view().perspective() ? normalised(f.origin - at) : f.axis[2] * -1.0;
  }
  void load(const SimItem& item) {
    world_ = worldPoints(scene_, item);
    view_.resize(world_.size());
    for (size_t i = 0; i < world_.size(); ++i) view_[i] = painter_.toView(world_[i]);
  }
  bool facing(const SimPolygon& poly) const {
    return dot(newellNormal(poly.vertices, world_), towardEye(world_[poly.vertices[0]])) > 0;
  }

  void shaded(const SimItem& item) {
    load(item);
    RasterState s;
    s.cullBack = true;
    std::vector<ViewVertex> corners;
    for (const SimPolygon& poly : item.mesh->polygons()) {
      if (!isFace(poly)) continue;
      const Vec3 n = newellNormal(poly.vertices, world_);
      const double light = std::max(0.0, dot(n, towardEye(world_[poly.vertices[0]])));
      const double shade = kAmbient + (1.0 - kAmbient) * light;
      for (int c = 0; c < 3; ++c) s.colour[size_t(c)] = float(kSurfaceColour[size_t(c)] * shade);
      corners.clear();
      for (uint32_t v : poly.vertices) corners.push_back({view_[v], 0, 0});
      painter_.polygon(corners, s);
    }
  }

  void wires(const SimItem& item) {
    const int vis = item.visibility;
    if (vis == LWOVIS_SHADED || vis == LWOVIS_TEXTURED) return;
    load(item);
    RasterState s;
    s.depthWrite = false;
    s.colour = selected(item) ? kSelectedColour : vis == LWOVIS_TEXTURED_WIRE ? kWireOverShaded : kWireColour;
    if (vis == LWOVIS_TEXTURED_WIRE) s.depthBias = kWireDepthBias;
    if (vis == LWOVIS_BOUNDINGBOX) return box(item, s);
    if (vis == LWOVIS_VERTICES) {
      s.pointSize = 2;
      for (const Vec3& p : view_) painter_.point(p, s);
      return;
    }
    const bool frontOnly = vis == LWOVIS_FFWIREFRAME || vis == LWOVIS_TEXTURED_WIRE;
    for (const SimPolygon& poly : item.mesh->polygons()) {
      const auto& c = poly.vertices;
      if (c.empty()) continue;
      if (c.size() == 1) {
        painter_.point(view_[c[0]], s);
        continue;
      }
      const bool face = isFace(poly);
      if (face && frontOnly && !facing(poly)) continue;
      for (size_t i = 0; i + 1 < c.size(); ++i) painter_.line(view_[c[i]], view_[c[i + 1]], s);
      if (face) painter_.line(view_[c.back()], view_[c[0]], s);
    }
  }

  // The box around the points in the object's own axes.
  void box(const SimItem& item, const RasterState& s) {
    if (world_.empty()) return;
    const Frame f = scene_.worldFrame(item.id), inv = inverse(f);
    Vec3 lo = inv.apply(world_[0]), hi = lo;
    for (const Vec3& p : world_) {
      const Vec3 o = inv.apply(p);
      for (size_t a = 0; a < 3; ++a) {
        lo[a] = std::min(lo[a], o[a]);
        hi[a] = std::max(hi[a], o[a]);
      }
    }
    Vec3 corner[8];
    for (int i = 0; i < 8; ++i)
      corner[i] = painter_.toView(f.apply({(i & 1) ? hi[0] : lo[0], (i & 2) ? hi[1] : lo[1], (i & 4) ? hi[2] : lo[2]}));
    for (int i = 0; i < 8; ++i)
      for (int bit = 1; bit < 8; bit <<= 1)
        if (!(i & bit)) painter_.line(corner[i], corner[i | bit], s);
  }

  // An octahedron from the pivot to the tip, widest a fifth of the way along.
  void bone(const SimItem& item) {
    const Frame f = scene_.worldFrame(item.id);
    const Vec3 x = normalised(f.axis[0]), y = normalised(f.axis[1]), z = normalised(f.axis[2]);
    const double length = std::max(item.restLength, 1e-6), r = 0.1 * length;
    const Vec3 base = f.origin, tip = f.origin + z * length, mid = f.origin + z * (0.2 * length);
    const Vec3 ring[4] = {mid + x * r, mid + y * r, mid - x * r, mid - y * r};
    RasterState s;
    s.colour = selected(item) ? kSelectedColour : (item.boneFlags & kBoneActive) ? kBoneColour : kInactiveBoneColour;
    const Vec3 vb = painter_.toView(base), vt = painter_.toView(tip);
    for (int i = 0; i < 4; ++i) {
      const Vec3 a = painter_.toView(ring[i]), b = painter_.toView(ring[(i + 1) % 4]);
      painter_.line(vb, a, s);
      painter_.line(a, vt, s);
      painter_.line(a, b, s);
    }
  }

  void null(const SimItem& item) {
    const Frame f = scene_.worldFrame(item.id);
    const double half = 0.25 * item.iconScale;
    RasterState s;
    s.colour = selected(item) ? kSelectedColour : kWireColour;
    for (const Vec3& axis : f.axis) {
      const Vec3 d = normalised(axis) * half;
      painter_.line(painter_.toView(f.origin - d), painter_.toView(f.origin + d), s);
    }
  }

  const SimScene& scene_;
  ViewPainter& painter_;
  std::vector<Vec3> world_, view_;  // the current object's points
};

}  // namespace

bool renderViewport(const Host& host, int viewport, Image& image) {
  if (viewport < 0 || size_t(viewport) >= host.viewports.size()) return false;
  const SimViewport& vp = host.viewports[size_t(viewport)];
  if (vp.width <= 0 || vp.height <= 0) return false;
  image = Image(vp.width, vp.height, kBackground);
  Rasteriser raster(image);
  ViewPainter painter(vp, raster);
  drawGrid(vp, painter);
  SceneDrawer(host.scene, painter).draw();
  if (size_t(viewport) < host.lastDraw.size()) renderDrawList(host.lastDraw[size_t(viewport)], host.scene, painter);
  return true;
}

}  // namespace sim
