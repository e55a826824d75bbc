#include "render/panel_picture.h"

#include "render/panel_canvas.h"
#include "render/panel_control_picture.h"
#include "render/panel_palette.h"
#include "render/panel_text.h"

namespace sim {
namespace {

// A border: indent 0 raised, otherwise lowered; no height draws a groove across.
void paintBorder(Image& image, const DrawRecord& d, int dx, int dy) {
  const PanelTheme& t = panelTheme();
  const int x = d.x + dx, y = d.y + dy;
  if (d.h <= 0) {
    fillRect(image, x, y, d.w, 1, t.dark);
    fillRect(image, x, y + 1, d.w, 1, t.light);
    return;
  }
  if (d.colour == 0) frameRect(image, x, y, d.w, d.h, t.light, t.dark);
  else frameRect(image, x, y, d.w, d.h, t.dark, t.light);
}

// The raster's drawing into a picture of the blitted size, then its drawn pixels over
// the panel: a raster pixel never drawn leaves the panel as it was.
void paintBlit(Image& image, const DrawRecord& d, int dx, int dy) {
  Image raster(d.w, d.h, {0, 0, 0, 0});
  paintDrawRecords(raster, d.blitted, -d.srcX, -d.srcY);
  for (int j = 0; j < raster.height; ++j)
    for (int i = 0; i < raster.width; ++i) {
      const Rgba8 p = raster.at(i, j);
      if (p[3]) putPixel(image, d.x + dx + i, d.y + dy + j, p);
    }
}

void paintRecord(Image& image, const DrawRecord& d, int dx, int dy) {
  const Rgba8 colour = panelColour(d.colour, d.rgb);
  if (d.kind == "text") drawPanelText(image, d.x + dx, d.y + dy, d.text, colour);
  else if (d.kind == "line") drawLine(image, d.x + dx, d.y + dy, d.w + dx, d.h + dy, colour);
  else if (d.kind == "box" || d.kind == "rgbbox") fillRect(image, d.x + dx, d.y + dy, d.w, d.h, colour);
  else if (d.kind == "pixel") putPixel(image, d.x + dx, d.y + dy, colour);
  else if (d.kind == "erase") fillRect(image, d.x + dx, d.y + dy, d.w, d.h, panelTheme().background);
  else if (d.kind == "border") paintBorder(image, d, dx, dy);
  else if (d.kind == "blit") paintBlit(image, d, dx, dy);
}

}  // namespace

void paintDrawRecords(Image& image, const std::vector<DrawRecord>& records, int dx, int dy) {
  for (const DrawRecord& d : records) paintRecord(image, d, dx, dy);
}

Image panelPicture(const PanelState& panel) {
  Image image(panel.w, panel.h, panelTheme().background);
  for (const auto& c : panel.controls) paintControl(image, *c);
  paintDrawRecords(image, panel.drawn, 0, 0);
  return image;
}

Image rasterPixels(const PanelRaster& raster) {
  Image image(raster.w, raster.h, panelTheme().background);
  paintDrawRecords(image, raster.drawn, 0, 0);
  return image;
}

}  // namespace sim
