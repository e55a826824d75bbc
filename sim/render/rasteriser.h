// A small software rasteriser with a depth buffer, drawing window-space primitives into an
// Image the way the host's OpenGL viewport would: filled triangles (perspective-correct,
// optionally textured), 1-pixel lines with dash patterns, square points and 5 x 7 text.
//
// Conventions:
// - Window pixels, origin at the top left; pixel (i, j) covers [i, i+1) x [j, j+1) and is
//   sampled at its centre (i + 0.5, j + 0.5).
// - Depth 0 is the near plane, 1 the far plane; fragments outside [0, 1] are dropped. The
//   depth test passes when the fragment is not farther than the stored depth (less-or-equal).
// - A triangle faces the viewer when its corners run clockwise on the screen, as LightWave
//   polygons do when seen from their front.
// - Edges: a pixel centre exactly on an edge belongs to one of the two triangles sharing
//   that edge, never both and never neither (vertices are snapped to 1/256 pixel and the
//   edge tests are exact integers).
#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "render/image.h"

namespace sim {

struct RasterVertex {
  double x = 0, y = 0;  // window pixels
  double z = 0;         // depth 0..1
  double w = 1;         // view depth for perspective-correct interpolation (1: orthographic)
  double u = 0, v = 0;  // texture coordinates
};

struct RasterState {
  std::array<float, 4> colour = {1, 1, 1, 1};  // RGBA 0..1; alpha blends over what is there
  bool depthTest = true;
  bool depthWrite = true;
  bool cullBack = false;     // drop triangles whose corners run counter-clockwise on screen
  int pattern = 0;           // LWLPAT_*: solid, dot, dash, long dot (lines only)
  const uint8_t* texture = nullptr;  // size x size RGBA, row 0 at v = 0; multiplied by the
  int textureSize = 0;               // colour
  bool linearFilter = false;         // blend the four nearest texels (edges clamped), else nearest
  double depthBias = 0;      // pulled nearer by this much before the test (wires on surfaces)
  int pointSize = 3;         // points are squares this many pixels wide
};

class Rasteriser {
 public:
  // Draws into `target` (kept by reference); the depth buffer starts cleared to the far plane.
  explicit Rasteriser(Image& target);

  Image& image() { return image_; }
  void clearDepth();
  // Stored depth at a pixel (1 where nothing was written).
  float depth(int x, int y) const { return depth_[size_t(y) * size_t(image_.width) + size_t(x)]; }

  // A filled triangle. Degenerate (zero-area) triangles draw nothing.
  void triangle(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c, const RasterState& s);
  // A 1-pixel line including both end pixels; the pattern counts pixels from `a`.
  void line(const RasterVertex& a, const RasterVertex& b, const RasterState& s);
  void point(const RasterVertex& p, const RasterState& s);
  // Text with its baseline at p.y; justify LWJUST_LEFT / CENTER / RIGHT about p.x.
  void text(const RasterVertex& p, std::string_view text, int justify, const RasterState& s);

  struct Linear;  // internal: a vertex with its attributes over w, linear on screen

 private:
  void fill(const Linear& a, const Linear& b, const Linear& c, const RasterState& s);
  void plot(int x, int y, double z, const std::array<float, 4>& rgba, const RasterState& s);

  Image& image_;
  std::vector<float> depth_;
};

}  // namespace sim
