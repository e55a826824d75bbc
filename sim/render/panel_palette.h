// The colours of a panel picture: a dark grey theme like Layout's, and the panel colour
// codes a plug-in draws with (LWP_* indices, RGB_() values, packed RGB of the RGB calls).
#pragma once
#include "render/image.h"

namespace sim {

struct PanelTheme {
  Rgba8 background{88, 88, 92, 255};
  Rgba8 face{118, 118, 124, 255};
  Rgba8 faceGhost{98, 98, 102, 255};
  Rgba8 facePressed{66, 112, 170, 255};
  Rgba8 facePressedGhost{84, 98, 118, 255};
  Rgba8 field{58, 58, 62, 255};
  Rgba8 text{232, 232, 232, 255};
  Rgba8 textGhost{150, 150, 154, 255};
  Rgba8 light{160, 160, 168, 255};
  Rgba8 dark{40, 40, 44, 255};
  Rgba8 mark{250, 206, 72, 255};  // check-box ticks and slider knobs
};

const PanelTheme& panelTheme();

// The colour a draw call named: `rgb` for the packed 0xRRGGBB of drawRGBPixel/drawRGBBox,
// otherwise an LWP_* index or an RGB_() value.
Rgba8 panelColour(int colour, bool rgb);

}  // namespace sim
