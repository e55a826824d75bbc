// An RGBA picture in memory: what the software rasteriser draws into and the PNG writer saves.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

using Rgba8 = std::array<uint8_t, 4>;

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // rows from the top, 4 bytes (R, G, B, A) per pixel

  Image() = default;
  // A width x height picture filled with `fill`; negative sizes count as 0.
  Image(int w, int h, Rgba8 fill = {0, 0, 0, 255})
      : width(w > 0 ? w : 0), height(h > 0 ? h : 0) {
    rgba.resize(size_t(width) * size_t(height) * 4);
    for (size_t i = 0; i < rgba.size(); i += 4)
      for (size_t c = 0; c < 4; ++c) rgba[i + c] = fill[c];
  }

  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  // Pixel (x, y), origin at the top left; the caller keeps (x, y) inside.
  uint8_t* pixel(int x, int y) { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
  const uint8_t* pixel(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
  Rgba8 at(int x, int y) const {
    const uint8_t* p = pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
  }
};

}  // namespace sim
