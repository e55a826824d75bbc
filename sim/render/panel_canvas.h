// Flat 2-D drawing into an Image for pictures of panels: filled and framed rectangles,
// lines and pixels, every call clipped to the picture.
#pragma once
#include "render/image.h"

namespace sim {

inline void putPixel(Image& image, int x, int y, Rgba8 colour) {
  if (!image.inside(x, y)) return;
  uint8_t* p = image.pixel(x, y);
  for (int c = 0; c < 4; ++c) p[c] = colour[size_t(c)];
}

inline void fillRect(Image& image, int x, int y, int w, int h, Rgba8 colour) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) putPixel(image, i, j, colour);
}

// A one-pixel frame just inside the rectangle: `topLeft` on the top and left edges,
// `bottomRight` on the others (equal colours draw a plain frame).
inline void frameRect(Image& image, int x, int y, int w, int h, Rgba8 topLeft, Rgba8 bottomRight) {
  if (w <= 0 || h <= 0) return;
  fillRect(image, x, y, w, 1, topLeft);
  fillRect(image, x, y, 1, h, topLeft);
  fillRect(image, x, y + h - 1, w, 1, bottomRight);
  fillRect(image, x + w - 1, y, 1, h, bottomRight);
}

// A line including both end pixels.
void drawLine(Image& image, int x1, int y1, int x2, int y2, Rgba8 colour);

}  // namespace sim
