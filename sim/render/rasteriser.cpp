#include "render/rasteriser.h"

#include <algorithm>
#include <cmath>

#include "render/bitmap_font.h"

namespace sim {

// Screen-linear attributes: 1/w and every attribute over w interpolate linearly in window
// space, so clipping and stepping on them keeps perspective correct.
struct Rasteriser::Linear {
  double x, y, q, zq, uq, vq;
};

namespace {

constexpr double kSubpixel = 256.0;  // vertex snapping: 8 fractional bits
constexpr double kGuard = 16.0;      // clip triangles this far outside the image
constexpr double kDepthSlack = 1e-9; // rounding at the near and far planes

Rasteriser::Linear toLinear(const RasterVertex& v) {
  const double q = 1.0 / v.w;
  return {v.x, v.y, q, v.z * q, v.u * q, v.v * q};
}

bool finite(const RasterVertex& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::isfinite(v.w) && v.w > 0 &&
         std::isfinite(v.u) && std::isfinite(v.v);
}

template <class V>
V lerp(const V& a, const V& b, double t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.q + (b.q - a.q) * t,
          a.zq + (b.zq - a.zq) * t, a.uq + (b.uq - a.uq) * t, a.vq + (b.vq - a.vq) * t};
}

// Keeps the part of a convex polygon where sign * (coordinate - limit) <= 0.
template <class V>
void clipAxis(std::vector<V>& poly, bool useX, double limit, double sign) {
  std::vector<V> out;
  out.reserve(poly.size() + 2);
  for (size_t i = 0; i < poly.size(); ++i) {
    const V& p = poly[i];
    const V& n = poly[(i + 1) % poly.size()];
    const double dp = sign * ((useX ? p.x : p.y) - limit), dn = sign * ((useX ? n.x : n.y) - limit);
    if (dp <= 0) out.push_back(p);
    if ((dp <= 0) != (dn <= 0)) out.push_back(lerp(p, n, dp / (dp - dn)));
  }
  poly.swap(out);
}

// The texture at (u, v), channels 0..1: the texel under it, or with linearFilter the
// four texels around it weighted by distance (texel centres at (i + 0.5) / size, edges
// clamped), as GL_NEAREST and GL_LINEAR with GL_CLAMP_TO_EDGE sample.
std::array<float, 4> sampleTexture(const RasterState& s, double u, double v) {
  const int n = s.textureSize;
  auto texel = [&](int tx, int ty) {
    tx = std::clamp(tx, 0, n - 1), ty = std::clamp(ty, 0, n - 1);
    return s.texture + (size_t(ty) * size_t(n) + size_t(tx)) * 4;
  };
  std::array<float, 4> out{};
  if (!s.linearFilter) {
    const uint8_t* t = texel(int(std::floor(u * n)), int(std::floor(v * n)));
    for (size_t c = 0; c < 4; ++c) out[c] = float(t[c]) / 255.0f;
    return out;
  }
  const double x = u * n - 0.5, y = v * n - 0.5;
  const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  const double fx = x - x0, fy = y - y0;
  const uint8_t *a = texel(x0, y0), *b = texel(x0 + 1, y0), *c = texel(x0, y0 + 1), *d = texel(x0 + 1, y0 + 1);
  for (size_t k = 0; k < 4; ++k)
    out[k] = float(((a[k] * (1 - fx) + b[k] * fx) * (1 - fy) + (c[k] * (1 - fx) + d[k] * fx) * fy) / 255.0);
  return out;
}

uint16_t patternMask(int pattern) {
  switch (pattern) {
    case 1: return 0x3333;  // dot: 2 on, 2 off
    case 2: return 0x00FF;  // dash: 8 on, 8 off
    case 3: return 0x0303;  // long dot: 2 on, 6 off
    default: return 0xFFFF;
  }
}

}  // namespace

Rasteriser::Rasteriser(Image& target) : image_(target) { clearDepth(); }

void Rasteriser::clearDepth() { depth_.assign(size_t(image_.width) * size_t(image_.height), 1.0f); }

void Rasteriser::plot(int x, int y, double z, const std::array<float, 4>& rgba, const RasterState& s) {
  if (!image_.inside(x, y) || z < -kDepthSlack || z > 1.0 + kDepthSlack) return;
  float& stored = depth_[size_t(y) * size_t(image_.width) + size_t(x)];
  const float biased = float(std::clamp(z - s.depthBias, 0.0, 1.0));
  if (s.depthTest && biased > stored) return;
  if (s.depthWrite) stored = biased;
  const float a = std::clamp(rgba[3], 0.0f, 1.0f);
  uint8_t* p = image_.pixel(x, y);
  for (int c = 0; c < 3; ++c) {
    const float src = std::clamp(rgba[size_t(c)], 0.0f, 1.0f) * 255.0f;
    p[c] = uint8_t(std::lround(src * a + float(p[c]) * (1.0f - a)));
  }
  p[3] = uint8_t(std::lround(a * 255.0f + float(p[3]) * (1.0f - a)));
}

void Rasteriser::triangle(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                          const RasterState& s) {
  if (!finite(a) || !finite(b) || !finite(c)) return;
  std::vector<Linear> poly = {toLinear(a), toLinear(b), toLinear(c)};
  const double w = image_.width, h = image_.height;
  // Only triangles reaching far off the image are cut, to keep the fixed-point edge
  // products within 64 bits.
  bool far = false;
  for (const Linear& v : poly)
    far = far || v.x < -kGuard || v.y < -kGuard || v.x > w + kGuard || v.y > h + kGuard;
  if (far) {
    clipAxis(poly, true, -kGuard, -1);
    clipAxis(poly, true, w + kGuard, 1);
    clipAxis(poly, false, -kGuard, -1);
    clipAxis(poly, false, h + kGuard, 1);
  }
  for (size_t i = 1; i + 1 < poly.size(); ++i) fill(poly[0], poly[i], poly[i + 1], s);
}

void Rasteriser::fill(const Linear& a0, const Linear& b0, const Linear& c0, const RasterState& s) {
  const Linear* v[3] = {&a0, &b0, &c0};
  int64_t X[3], Y[3];
  for (int i = 0; i < 3; ++i) {
    X[i] = int64_t(std::llround(v[i]->x * kSubpixel));
    Y[i] = int64_t(std::llround(v[i]->y * kSubpixel));
  }
  int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]);
  if (area == 0) return;
  if (area < 0) {  // counter-clockwise on screen: a back face
    if (s.cullBack) return;
    std::swap(v[1], v[2]);
    std::swap(X[1], X[2]);
    std::swap(Y[1], Y[2]);
    area = -area;
  }
  const int64_t sub = int64_t(kSubpixel);
  const int x0 = std::max<int64_t>(0, *std::min_element(X, X + 3) / sub - 1);
  const int x1 = int(std::min<int64_t>(image_.width - 1, *std::max_element(X, X + 3) / sub + 1));
  const int y0 = std::max<int64_t>(0, *std::min_element(Y, Y + 3) / sub - 1);
  const int y1 = int(std::min<int64_t>(image_.height - 1, *std::max_element(Y, Y + 3) / sub + 1));
  if (x0 > x1 || y0 > y1) return;

  // Edge k runs from corner k+1 to corner k+2, so its function is the weight of corner k.
  int64_t dx[3], dy[3], bias[3];
  for (int k = 0; k < 3; ++k) {
    const int p = (k + 1) % 3, q = (k + 2) % 3;
    dx[k] = X[q] - X[p];
    dy[k] = Y[q] - Y[p];
    // A centre exactly on an edge goes to the triangle that runs the edge downwards (or
    // leftwards when level); its neighbour runs the same edge the other way.
    const bool owns = dy[k] > 0 || (dy[k] == 0 && dx[k] < 0);
    bias[k] = owns ? 0 : -1;
  }
  auto edgeAt = [&](int k, int64_t px, int64_t py) {
    const int p = (k + 1) % 3;
    return dx[k] * (py - Y[p]) - dy[k] * (px - X[p]) + bias[k];
  };
  const bool textured = s.texture && s.textureSize > 0;
  const double inv = 1.0 / double(area);
  for (int y = y0; y <= y1; ++y) {
    const int64_t py = int64_t(y) * sub + sub / 2, px0 = int64_t(x0) * sub + sub / 2;
    int64_t e[3] = {edgeAt(0, px0, py), edgeAt(1, px0, py), edgeAt(2, px0, py)};
    for (int x = x0; x <= x1; ++x, e[0] -= dy[0] * sub, e[1] -= dy[1] * sub, e[2] -= dy[2] * sub) {
      if ((e[0] | e[1] | e[2]) < 0) continue;
      // Undo the ownership bias for the weights themselves.
      const double l[3] = {double(e[0] - bias[0]) * inv, double(e[1] - bias[1]) * inv, double(e[2] - bias[2]) * inv};
      const double q = l[0] * v[0]->q + l[1] * v[1]->q + l[2] * v[2]->q;
      const double z = (l[0] * v[0]->zq + l[1] * v[1]->zq + l[2] * v[2]->zq) / q;
      if (!textured) {
        plot(x, y, z, s.colour, s);
        continue;
      }
      const double u = (l[0] * v[0]->uq + l[1] * v[1]->uq + l[2] * v[2]->uq) / q;
      const double t = (l[0] * v[0]->vq + l[1] * v[1]->vq + l[2] * v[2]->vq) / q;
      std::array<float, 4> rgba = sampleTexture(s, u, t);
      for (size_t c = 0; c < 4; ++c) rgba[c] *= s.colour[c];
      plot(x, y, z, rgba, s);
    }
  }
}

void Rasteriser::line(const RasterVertex& a, const RasterVertex& b, const RasterState& s) {
  if (!finite(a) || !finite(b)) return;
  const Linear la = toLinear(a), lb = toLinear(b);
  const double dx = lb.x - la.x, dy = lb.y - la.y;
  const double steps = std::ceil(std::max(std::fabs(dx), std::fabs(dy)));
  if (steps > 1e12) return;
  // Liang-Barsky: the part of the segment within a pixel of the image.
  double t0 = 0, t1 = 1;
  const double lo[2] = {-1.0, -1.0}, hi[2] = {image_.width + 1.0, image_.height + 1.0};
  const double start[2] = {la.x, la.y}, delta[2] = {dx, dy};
  for (int axis = 0; axis < 2; ++axis) {
    if (delta[axis] == 0) {
      if (start[axis] < lo[axis] || start[axis] > hi[axis]) return;
      continue;
    }
    double ta = (lo[axis] - start[axis]) / delta[axis], tb = (hi[axis] - start[axis]) / delta[axis];
    if (ta > tb) std::swap(ta, tb);
    t0 = std::max(t0, ta);
    t1 = std::min(t1, tb);
  }
  if (t0 > t1) return;
  const uint16_t mask = patternMask(s.pattern);
  const int64_t first = steps == 0 ? 0 : int64_t(std::ceil(t0 * steps)), last = steps == 0 ? 0 : int64_t(std::floor(t1 * steps));
  for (int64_t i = first; i <= last; ++i) {
    if (!((mask >> (i & 15)) & 1)) continue;
    const Linear p = steps == 0 ? la : lerp(la, lb, double(i) / steps);
    plot(int(std::floor(p.x)), int(std::floor(p.y)), p.zq / p.q, s.colour, s);
  }
}

void Rasteriser::point(const RasterVertex& p, const RasterState& s) {
  if (!finite(p) || std::fabs(p.x) > 1e9 || std::fabs(p.y) > 1e9) return;
  const int size = std::max(1, s.pointSize);
  const int x0 = int(std::floor(p.x)) - (size - 1) / 2, y0 = int(std::floor(p.y)) - (size - 1) / 2;
  for (int y = y0; y < y0 + size; ++y)
    for (int x = x0; x < x0 + size; ++x) plot(x, y, p.z, s.colour, s);
}

void Rasteriser::text(const RasterVertex& p, std::string_view text, int justify, const RasterState& s) {
  if (!finite(p) || std::fabs(p.x) > 1e9 || std::fabs(p.y) > 1e9 || text.empty()) return;
  const int width = int(text.size()) * kGlyphAdvance - (kGlyphAdvance - kGlyphWidth);
  double left = p.x;
  if (justify == 1) left -= width / 2.0;
  else if (justify == 2) left -= width;
  const int x0 = int(std::lround(left)), top = int(std::floor(p.y)) - (kGlyphHeight - 1);
  for (size_t i = 0; i < text.size(); ++i)
    for (int row = 0; row < kGlyphHeight; ++row)
      for (int col = 0; col < kGlyphWidth; ++col)
        if (glyphPixel(text[i], col, row)) plot(x0 + int(i) * kGlyphAdvance + col, top + row, p.z, s.colour, s);
}

}  // namespace sim
