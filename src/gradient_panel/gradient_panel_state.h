// The gradient panel's module-level state, shared by its controls, mouse handling and
// events (inside src/gradient_panel only).
#pragma once
#include <cstdint>

extern "C" {
#include <lwpanel.h>
}

// The four mouse tools of the bar.
enum GradientTool : int32_t { kGradToolSelect = 0, kGradToolDrag = 1, kGradToolAdd = 2, kGradToolRemove = 3 };
inline constexpr int32_t kNumGradientTools = 4;

// The controls, in the order they are created.
enum GradientControl : int32_t {
  kGradCtlToolFirst = 0,                            // "Select", "Drag", "Add", "Remove"
  kGradCtlInitialize = kGradCtlToolFirst + kNumGradientTools,
  kGradCtlMin,
  kGradCtlMax,
  kGradCtlKeyColour,
  kGradCtlWeightValue,
  kGradCtlUnweighted,
  kNumGradientControls                              // 10
};

struct GradientDragState {
  bool on = false;
  float t0 = 0.0f;     // the key's position at the press
  float tPast = 0.0f;  // the bar position at the press
};

struct GradientPanelState {
  LWPanelID panel = nullptr;
  bool open = false;
  LWControl* ctl[kNumGradientControls] = {};
  LWRasterID bar = nullptr;  // only while the panel is open
  int32_t tool = kGradToolDrag;
  GradientDragState drag;
  int32_t controlAreaHeight = 0;
};

extern GradientPanelState stGradPanel;
