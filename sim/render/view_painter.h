// Draws view-space shapes into a Rasteriser through one viewport's projection (the same
// mapping as SimViewport::project), cutting them at the near plane first so nothing behind
// the eye is drawn.
//
// View space: x right, y up, z the depth along the view direction from the eye, in metres.
#pragma once
#include <span>
#include <string_view>

#include "render/rasteriser.h"
#include "scene/sim_viewport.h"

namespace sim {

struct ViewVertex {
  Vec3 p = {0, 0, 0};  // view space
  double u = 0, v = 0;
};

class ViewPainter {
 public:
  ViewPainter(const SimViewport& view, Rasteriser& raster);

  const SimViewport& view() const { return view_; }
  Rasteriser& raster() { return raster_; }
  // View to world.
  const Frame& frame() const { return frame_; }

  Vec3 toView(const Vec3& world) const;
  // Window pixel (x, y) at depth z (0 near, 1 far) in view space; toScreen's inverse.
  Vec3 pixelToView(double x, double y, double z) const;
  // Window pixels per metre across the view at view depth `depth`.
  double pixelsPerUnit(double depth) const;
  // View space to window pixels and depth; false in front of the near plane.
  bool toScreen(const Vec3& view, RasterVertex* out) const;

  // A filled convex polygon (a fan from its first corner); 3 or more corners.
  void polygon(std::span<const ViewVertex> corners, const RasterState& s);
  void line(const Vec3& a, const Vec3& b, const RasterState& s);
  void point(const Vec3& p, const RasterState& s);
  void text(const Vec3& p, std::string_view text, int justify, const RasterState& s);

 private:
  const SimViewport& view_;
  Rasteriser& raster_;
  Frame frame_;
  double scale_;  // perspective: pixels per unit of (x / depth); orthographic: pixels per metre
};

}  // namespace sim
