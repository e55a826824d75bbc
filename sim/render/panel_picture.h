// A picture of a headless panel: the panel's size, each control drawn at its place with
// its value, then what the plug-in drew itself (the panel's recorded draw calls and the
// rasters it blitted), on top.
#pragma once
#include <vector>

#include "host/panel_state.h"
#include "render/image.h"

namespace sim {

Image panelPicture(const PanelState& panel);
// A raster's pixels: its draw calls replayed onto the panel background.
Image rasterPixels(const PanelRaster& raster);
// Replays recorded panel draw calls into `image`, shifted by (dx, dy).
void paintDrawRecords(Image& image, const std::vector<DrawRecord>& records, int dx, int dy);

}  // namespace sim
