#include "render/panel_canvas.h"

namespace sim {

// Bresenham: every step moves one pixel along the major axis.
void drawLine(Image& image, int x1, int y1, int x2, int y2, Rgba8 colour) {
  const int dx = x2 > x1 ? x2 - x1 : x1 - x2, dy = y2 > y1 ? y1 - y2 : y2 - y1;
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    putPixel(image, x1, y1, colour);
    if (x1 == x2 && y1 == y2) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x1 += sx;
    if (e2 <= dx) err += dx, y1 += sy;
  }
}

}  // namespace sim
