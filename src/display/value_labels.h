// Step 12 of the weight display ("Show Weights"): each valued point's value as a
// percentage, drawn from the built-in digit images above its marker.
#pragma once

#include "display/display_frame.h"

// One label. The axes point at the caller's arrays.
struct NumberLabel {
  const LWCustomObjAccess* access = nullptr;
  int32_t number = 0;
  double anchor[3] = {0, 0, 0};  // world; the string is centred on it and sits above it
  double glyphSize = 0.0;        // world units: cell pixels x pixel size
  double advance = 0.0;          // fraction of the glyph size
  double cell = 0.0;             // glyph cell in texture units
  const double* axisX = nullptr;
  const double* axisY = nullptr;
};

// The glyphs of an integer, least significant first; a negative number ends with the
// minus glyph. Returns the count (at most 11 for an int32).
int32_t numberGlyphs(int32_t number, int32_t glyphs[12]);

// Draws the integer centred on the anchor, glyphs laid right to left, one textured quad
// each (the digit texture must be set).
void drawNumber(const NumberLabel& label);

// The label value of a weight: trunc(value x 100), saturated into int32.
int32_t labelNumberOf(float value);

// The whole step: binds the digit image for pointSize, colour white, one label per
// valued point that is not behind the eye, anchored inner + 2 pixels above the point
// and snapped to whole pixels from the viewport's centre; releases the texture.
void drawValueLabels(DisplayFrame& f);
