// The edit panel's colour box: a 24 x 15 preview of the paint value's colour (a
// checkerboard while erasing) in a two-line frame, drawn with the panel's raster
// functions.
#pragma once
#include <cstdint>

#include "gradient/gradient_data.h"

extern "C" {
#include <lwpanel.h>
}

inline constexpr int32_t kColourBoxWidth = 24;
inline constexpr int32_t kColourBoxHeight = 15;

// The box's pixels, rows from the top, RGB bytes.
struct ColourBoxPixels {
  uint8_t rgb[kColourBoxHeight][kColourBoxWidth][3] = {};
};

// The value a "Value" percentage stands for: p x 0.01 inside -100,000 ... 100,000, else
// -1000 below and 1000 above; a percentage that is not a number counts as 0.
float colourBoxValueOf(double percent);

// Fills the box: erase off, the gradient colour at the value; erase on, a checkerboard
// of 5-pixel squares in 255 and 204 grey (frame from white). Then the inner frame (top,
// left and right lines darkened by 20 %, the bottom line lightened by 20 %) and the outer
// frame in (38, 38, 40). Channels convert to bytes as trunc(c x 255 + 0.5).
void makeColourBoxPixels(const GradientData& gradient, int32_t erase, double percent, ColourBoxPixels& out);

// Draws the box with its top left at (x, y) into the panel (nothing without the panel's
// drawing functions).
void drawColorBoxForValue(const LWPanelFuncs* panels, LWPanelID panel, const GradientData& gradient, int32_t erase,
                          double percent, int32_t x, int32_t y);
