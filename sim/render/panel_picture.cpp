#include "render/panel_picture.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "render/bitmap_font.h"

extern "C" {
#include <lwpanel.h>
}

namespace sim {
namespace {

Rgba8 unpack(int packed) {
  return {uint8_t((packed >> 16) & 255), uint8_t((packed >> 8) & 255), uint8_t(packed & 255), 255};
}

// The headless palette: the background index is the panel colour, every other index a
// light grey for lines and text.
Rgba8 indexColour(int index) { return index == LWP_BG ? kPanelBackground : Rgba8{200, 200, 204, 255}; }

void fill(Image& img, int x, int y, int w, int h, Rgba8 c) {
  for (int j = std::max(0, y); j < std::min(img.height, y + h); ++j)
    for (int i = std::max(0, x); i < std::min(img.width, x + w); ++i) {
      uint8_t* p = img.pixel(i, j);
      std::copy(c.begin(), c.end(), p);
    }
}

void line(Image& img, int x1, int y1, int x2, int y2, Rgba8 c) {
  const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  for (int s = 0; s <= steps; ++s) {
    const int x = steps ? x1 + (x2 - x1) * s / steps : x1;
    const int y = steps ? y1 + (y2 - y1) * s / steps : y1;
    fill(img, x, y, 1, 1, c);
  }
}

void text(Image& img, const std::string& s, int x, int y, Rgba8 c) {
  for (size_t k = 0; k < s.size(); ++k)
    for (int row = 0; row < kGlyphHeight; ++row)
      for (int col = 0; col < kGlyphWidth; ++col)
        if (glyphPixel(s[k], col, row)) fill(img, x + int(k) * kGlyphAdvance + col, y + row, 1, 1, c);
}

void replay(Image& img, const DrawRecord& d, int dx, int dy) {
  const int x = d.x + dx, y = d.y + dy;
  if (d.kind == "rgbpixel") fill(img, x, y, 1, 1, unpack(d.colour));
  else if (d.kind == "rgbbox") fill(img, x, y, d.w, d.h, unpack(d.colour));
  else if (d.kind == "pixel") fill(img, x, y, 1, 1, indexColour(d.colour));
  else if (d.kind == "box") fill(img, x, y, d.w, d.h, indexColour(d.colour));
  else if (d.kind == "erase") fill(img, x, y, d.w, d.h, kPanelBackground);
  else if (d.kind == "line") line(img, x, y, d.w + dx, d.h + dy, indexColour(d.colour));
  else if (d.kind == "text") text(img, d.text, x, y + 2, indexColour(d.colour));
}

void copyPart(Image& dst, const Image& src, const PanelBlit& b) {
  for (int j = 0; j < b.h; ++j)
    for (int i = 0; i < b.w; ++i) {
      const int sx = b.srcX + i, sy = b.srcY + j, tx = b.x + i, ty = b.y + j;
      if (!src.inside(sx, sy) || !dst.inside(tx, ty)) continue;
      std::copy(src.pixel(sx, sy), src.pixel(sx, sy) + 4, dst.pixel(tx, ty));
    }
}

int labelWidth(const ControlState& c) { return c.labelOnFace() ? 0 : int(c.label.size()) * 7; }

std::string valueText(const ControlState& c) {
  char buf[64] = "";
  if (c.type == "PercentControl") std::snprintf(buf, sizeof buf, "%.1f %%", c.floatValue);
  else if (c.type == "PopDownControl" || c.labelOnFace()) return c.label;
  else if (!c.items.empty() && c.intValue >= 0 && size_t(c.intValue) < c.items.size()) return c.items[size_t(c.intValue)];
  return buf;
}

void drawControl(Image& img, const ControlState& c) {
  const Rgba8 frame = {30, 30, 32, 255}, face = {98, 98, 102, 255}, on = {119, 150, 190, 255}, ink = {230, 230, 230, 255};
  const int lw = labelWidth(c);
  if (lw) text(img, c.label, c.x, c.y + 6, ink);
  const int x = c.x + lw;
  fill(img, x, c.y, c.w, c.h, frame);
  Rgba8 inner = c.toggles() && c.intValue ? on : face;
  if (c.descType == LWT_VINT) inner = {uint8_t(c.ivec[0]), uint8_t(c.ivec[1]), uint8_t(c.ivec[2]), 255};
  fill(img, x + 1, c.y + 1, c.w - 2, c.h - 2, inner);
  if (c.descType != LWT_VINT) text(img, valueText(c), x + 4, c.y + 6, ink);
}

}  // namespace

Image rasterPixels(const PanelRaster& raster) {
  Image img(raster.w, raster.h, kPanelBackground);
  for (const DrawRecord& d : raster.drawn) replay(img, d, 0, 0);
  return img;
}

Image panelPicture(const PanelState& panel) {
  Image img(panel.w, panel.h, kPanelBackground);
  for (const auto& c : panel.controls) drawControl(img, *c);
  size_t blit = 0;
  for (const DrawRecord& d : panel.drawn) {
    if (d.kind != "blit") {
      replay(img, d, 0, 0);
    } else if (blit < panel.blits.size()) {
      const PanelBlit& b = panel.blits[blit++];
      copyPart(img, rasterPixels(b.source), b);
    }
  }
  return img;
}

}  // namespace sim
