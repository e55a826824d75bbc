// Mouse presses, drags and releases on the gradient panel's bar.
#include "gradient/gradient.h"
#include "gradient_panel/gradient_bar_raster.h"
#include "gradient_panel/gradient_key_edits.h"
#include "gradient_panel/gradient_panel_controls.h"
#include "gradient_panel/gradient_panel_events.h"
#include "gradient_panel/gradient_panel_refresh.h"
#include "gradient_panel/gradient_panel_state.h"
#include "panel/correct_edit_mode.h"
#include "shell/callback_guard.h"
#include "shell/inst_data.h"

namespace {

// The host's panel mouse qualifiers: the press bit, and the two button bits that
// together mean the right button.
constexpr int kPressBit = 0x80;
constexpr int kButtonBitsRight = 0x20 | 0x40;

// The bar in panel pixels (the raster's place), and the key track below the colours.
constexpr int kBarLeft = kBarRasterX, kBarRight = kBarRasterX + kBarRasterW - 1;
constexpr int kBarTop = kBarRasterY, kBarBottom = kBarRasterY + kBarRasterH - 1;
constexpr int kKeyTrackTop = 80;
constexpr int kFirstKeyX = kBarRasterX + kBarFirstColumn;  // 20
constexpr float kHitPixels = 10.0f;

// A release this far from the bar throws the dragged key away.
constexpr int kBarCentreY = 84, kFarY = 96, kFarLeft = -120, kFarRight = 480;

float barPositionAt(const GradientData& g, int mx) {
  return g.rangeMin + (float(mx - kFirstKeyX) / float(kKeyColumnSpan)) * (g.rangeMax - g.rangeMin);
}

bool insideBar(int mx, int my) { return mx >= kBarLeft && mx <= kBarRight && my >= kBarTop && my <= kBarBottom; }

bool farFromBar(int mx, int my) {
  const int dy = my - kBarCentreY;
  return dy > kFarY || dy < -kFarY || mx < kFarLeft || mx > kFarRight;
}

GradientSeg* keyHit(const GradientData& g, float t, int my) {
  if (my < kKeyTrackTop) return nullptr;
  const float tolerance = (g.rangeMax - g.rangeMin) / float(kKeyColumnSpan) * kHitPixels;
  return getClickedGradientSeg(g, t, tolerance);
}

void startDrag(const GradientSeg& key, float t) {
  stGradPanel.drag = {true, key.position, t};
}

void pressAdd(InstData& inst, float t) {
  GradientSeg* key = addKeyFromPanel(inst.gradient, t);
  if (!key) return;
  startDrag(*key, t);
  refreshAfterGradientEdit(inst, TextureRebuild::Yes);
}

void pressDrag(InstData& inst, GradientSeg* hit, float t) {
  if (!hit) return;
  inst.gradient.current = hit;
  startDrag(*hit, t);
}

void pressRemove(InstData& inst, GradientSeg* hit) {
  if (!hit) return;
  removeKeyKeepingOne(inst.gradient, hit);
  refreshAfterGradientEdit(inst, TextureRebuild::Yes);
}

void press(InstData& inst, int qualifiers, int mx, int my) {
  if (!insideBar(mx, my)) return;
  GradientData& g = inst.gradient;
  const float t = barPositionAt(g, mx);
  const int32_t tool = (qualifiers & kButtonBitsRight) == kButtonBitsRight ? kGradToolAdd : stGradPanel.tool;
  switch (tool) {
    case kGradToolAdd: pressAdd(inst, t); break;
    case kGradToolDrag: pressDrag(inst, keyHit(g, t, my), t); break;
    case kGradToolRemove: pressRemove(inst, keyHit(g, t, my)); break;
    default:
      if (GradientSeg* hit = keyHit(g, t, my)) g.current = hit;
      break;
  }
  showCurrentKeyInControls(g);
  redrawGradientBar(inst);
}

void release(InstData& inst, int mx, int my) {
  if (!farFromBar(mx, my)) return;
  removeKeyKeepingOne(inst.gradient, inst.gradient.current);
  showCurrentKeyInControls(inst.gradient);
  refreshAfterGradientEdit(inst, TextureRebuild::Yes);
}

}  // namespace

void mouseButton_GradientPanel(LWPanelID, void* data, int qualifiers, int x, int y) {
  guardCallbackVoid([&] {
    auto* inst = static_cast<InstData*>(data);
    const bool isPress = (qualifiers & kPressBit) != 0;
    // A release always ends the drag, so a later move cannot carry a key unpressed.
    const bool wasDragging = stGradPanel.drag.on;
    if (!isPress) stGradPanel.drag.on = false;
    if (!inst || correctEditMode(*inst) != 0 || !stGradPanel.open) return;
    if (isPress) press(*inst, qualifiers, x, y);
    else if (wasDragging) release(*inst, x, y);
  });
}

void mouseMove_GradientPanel(LWPanelID, void* data, int, int x, int) {
  guardCallbackVoid([&] {
    auto* inst = static_cast<InstData*>(data);
    if (!inst || !stGradPanel.drag.on || inst->redrawRequest != 0) return;
    if (correctEditMode(*inst) != 0 || !stGradPanel.open) return;
    GradientData& g = inst->gradient;
    const float t = barPositionAt(g, x);
    moveCurrentKeyPushing(g, stGradPanel.drag.t0 + (t - stGradPanel.drag.tPast));
    showCurrentKeyInControls(g);
    // Colours and key order are unchanged: the texture stays.
    refreshAfterGradientEdit(*inst, TextureRebuild::No);
  });
}
