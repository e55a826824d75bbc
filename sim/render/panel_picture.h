// Pictures of headless panels: a raster's recorded draw calls replayed into pixels, and a
// whole panel (its controls as plain boxes with their labels and values, what the panel
// drew, and the rasters it blitted).
#pragma once

#include "host/panel_state.h"
#include "render/image.h"

namespace sim {

// The panel background the pictures assume for LWP_BG and erased areas.
inline constexpr Rgba8 kPanelBackground = {70, 70, 72, 255};

// The raster's pixels: its draw calls replayed in order onto kPanelBackground. RGB calls
// give their exact colour; panel colour indices give a grey of the headless palette;
// text uses the 5 x 7 font. Calls outside the raster are clipped.
Image rasterPixels(const PanelRaster& raster);

// The whole panel at its size: controls, then the panel's own drawing with each blit's
// part of its raster copied in.
Image panelPicture(const PanelState& panel);

}  // namespace sim
