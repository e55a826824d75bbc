// The gradient panel's bar: a 328 x 38 raster with the colour bar on top and the key
// track with one marker per key below it, drawn with the raster services.
#pragma once
#include <cstdint>

#include "gradient/gradient_data.h"

extern "C" {
#include <lwpanel.h>
}

inline constexpr int32_t kBarRasterW = 328;
inline constexpr int32_t kBarRasterH = 38;
// Where the panel shows the raster.
inline constexpr int32_t kBarRasterX = 16;
inline constexpr int32_t kBarRasterY = 56;
// Columns of the colour bar (x = 4 ... 324) and the span of the key columns (319).
inline constexpr int32_t kBarFirstColumn = 4;
inline constexpr int32_t kBarColumnSpan = 320;
inline constexpr int32_t kKeyColumnSpan = 319;
// Host builds below this one draw the bar in the older, lighter look.
inline constexpr int32_t kModernLookBuild = 2000;

struct BarRgb {
  int32_t r, g, b;
};

// The raster column of a key at position: trunc((position - rangeMin) / (rangeMax -
// rangeMin) x 319) + 4.
int32_t keyMarkerColumn(const GradientData& g, float position);

// Draws one key marker at column x: the framed square of the key's colour on the track
// and the small triangle above it in the outline colour.
void drawPointZoneCursor(const LWRasterFuncs& rf, LWRasterID r, int32_t x, BarRgb colour, BarRgb outline);

// Draws the whole bar for the gradient: background, framed colour bar, key track, every
// key's marker and the current key's marker again on top with its highlight pixel.
void drawColorBarRaster(const LWRasterFuncs& rf, LWRasterID r, const GradientData& g, int32_t hostBuild);
