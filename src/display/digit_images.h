// The value labels' built-in digit images: square RGBA textures holding the glyphs
// "0".."9" and a minus sign (glyph 10) in a grid of 4 columns, glyph g at column g mod 4
// and row g / 4. Each glyph is white with a one-pixel black rim (legible over any
// weight colour), left-aligned in its square cell and no wider than the advance, so
// glyphs laid closer than their cells never cover each other.
#pragma once
#include <cstdint>

struct DigitImage {
  int32_t textureSize = 0;     // pixels per side
  int32_t cellPixels = 0;      // glyph cell side in pixels
  double cell = 0.0;           // glyph cell side in texture units
  double advance = 0.0;        // glyph advance, a fraction of the cell
  const uint8_t* rgba = nullptr;  // textureSize x textureSize x 4 bytes, row 0 first
};

inline constexpr int32_t kMinusGlyph = 10;

// The image for a pointSize: cells of 8 pixels below 100, 10 up to 139, 12 up to 179,
// else 16.
const DigitImage& digitImageForPointSize(int32_t pointSize);
