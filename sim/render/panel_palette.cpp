#include "render/panel_palette.h"

#include <cstdint>

extern "C" {
#include <lwpanel.h>
}

namespace sim {

const PanelTheme& panelTheme() {
  static const PanelTheme theme;
  return theme;
}

Rgba8 panelColour(int colour, bool rgb) {
  const auto byte = [](unsigned v) { return uint8_t(v & 255u); };
  const unsigned v = unsigned(colour);
  if (rgb) return {byte(v >> 16), byte(v >> 8), byte(v), 255};
  // RGB_() packs red, blue, green from the top, with bit 24 set.
  if (v & 0x1000000u) return {byte(v >> 16), byte(v), byte(v >> 8), 255};
  const PanelTheme& t = panelTheme();
  switch (colour) {
    case LWP_BG: case LWP_NONE: return t.background;
    case LWP_INFO_BG: case LWP_EDIT_BG: return t.field;
    case LWP_INFO_DIS: case LWP_EDIT_DIS: return t.textGhost;
    case LWP_EDIT_SEL: return t.facePressed;
    case LWP_BLACK: return {0, 0, 0, 255};
    case LWP_SHADOW: return t.dark;
    case LWP_LOWERED: return t.faceGhost;
    case LWP_RAISED: return t.face;
    case LWP_HILIGHT: return t.light;
    case LWP_HEADLINE: return {255, 255, 255, 255};
    case LWP_NORMAL: return {200, 200, 204, 255};
    default: return t.text;
  }
}

}  // namespace sim
