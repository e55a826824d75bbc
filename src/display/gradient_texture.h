// The shaded display's gradient texture and the colouring of points from the gradient.
//
// Texture layout: N x N RGBA bytes; key i (list order) fills texels (i, 0), (i, 1) and
// (i, 2). A point's colourKey is its key coordinate (0 at the first key, 1 at the
// second, fractional between), so sampling row 1 at u = (colourKey + 0.5) / N with
// linear filtering blends neighbouring keys' colours exactly as the gradient does.
#pragma once
#include <cstdint>

#include "shell/inst_data.h"

// Texture side for a gradient of keyCount keys: 0 without keys, 8 up to 8 keys, else the
// next power of two from 16 that holds them, at most 512.
int32_t gradientTextureSizeFor(int32_t keyCount);

// Rebuilds inst.gradientTexture and inst.gradientTextureSize from inst.gradient. The
// array is reallocated only when the size changes. Keys beyond the texture's width are
// not written (a gradient holds at most 512 keys after loading).
void createRGBABuffer(InstData& inst);

// Recolours every snapshot point: with a value, colour and colourKey of the gradient at
// the value; without, the gradient's unweighted colour and the key coordinate at 0.
// O(points x keys), allocates nothing.
void setColorOfAllPnts(InstData& inst);
