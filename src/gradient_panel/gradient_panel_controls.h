// The gradient panel's controls: creation in their order and places, and the helpers
// that show the gradient in them and read them back.
#pragma once
#include <cstdint>

#include "gradient/gradient_data.h"

extern "C" {
#include <lwpanel.h>
}

struct InstData;

// Creates the ten controls on the panel, places them, binds their events with inst as
// user data and records the control area's height. Labels follow the host's language.
void createGradientPanelControls(LWPanelFuncs* pf, LWPanelID panel, InstData& inst);

// The tool buttons: the current tool's on, the other three off.
void showGradientTool();
// Min, Max, Weight Value and the two colours from the gradient.
void showGradientInControls(const GradientData& g);
// Weight Value and the key colour from the current key (nothing without one).
void showCurrentKeyInControls(const GradientData& g);
void showRangeInControls(const GradientData& g);

// A percent control's value x 0.01.
float gradientPercentValue(int32_t control);
// An RGB control's three bytes.
void gradientRgbValue(int32_t control, int32_t rgb[3]);
// The index chosen in the "Initialize" pop-down.
int32_t gradientInitChoice();

// Where the unweighted colour control sits (its left edge, top and height).
struct ControlBox {
  int32_t x = 0, y = 0, h = 0;
};
ControlBox unweightedControlBox();
