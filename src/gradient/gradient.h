// Operations on the colour gradient: presets, key editing, colour lookup and the
// float-array form stored in the settings file under "Grad".
//
// Float-array form: for each key in list order position, R, G, B (alpha is not
// stored), then one closing group 0.0, unweighted R, G, B; count * 4 + 4 floats.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "gradient/gradient_data.h"

// Most keys a gradient keeps after loading (older keys in the middle are dropped).
constexpr int32_t kMaxGradientKeys = 512;

// Frees every key; first = last = current = none, count = 0, range -1..1. The
// unweighted colour is kept. Safe to call twice. O(count).
void destroyGradientData(GradientData& g);

// Replaces the keys with preset 0 "LightWave-style", 1 "Spectrum" or 2 "Sunny Garden"
// (any other number gives 2), sets the range to -1..1, current to the key at 0.0 and
// the unweighted colour of the preset. Returns the last key made.
GradientSeg* setInitGradients(GradientData& g, int32_t preset);

// Adds a key at position whose colour is the gradient's colour there before the
// insertion, after any keys of equal position. current is left as it was. Returns the key.
GradientSeg* add1NewGradientSeg(GradientData& g, float position);

// Unlinks and frees key (nullptr: nothing happens). key must belong to g. When key was
// current, current moves to its previous key, else its next key, else none.
void remove1GradientSeg(GradientData& g, GradientSeg* key);

// With max >= 1 and count > max, keeps the first key and the last max - 1 keys and
// makes the first key current; returns 1. Otherwise changes nothing and returns 0.
int32_t clampGradientSegs(GradientData& g, int32_t max);

// The key nearest to position among those closer than tolerance (strictly); the first
// such key on ties; nullptr when there is none.
GradientSeg* getClickedGradientSeg(const GradientData& g, float position, float tolerance);

// Writes the colour (R, G, B, A) at position to colourOut and returns the key
// coordinate: 0 at the first key, 1 at the second, fractional in between. Below the
// first key: first colour, 0. At or above the last: last colour, count - 1. No keys:
// opaque black, 0.
float getInterpolatedColorAtGradPosition(const GradientData& g, float position,
                                         std::span<float, 4> colourOut);

// The float-array form (count * 4 + 4 values); empty when the gradient has no keys.
std::vector<float> getFloatArrayWithGradients(const GradientData& g);

// Loads the float-array form: k = size / 4 - 1 keys, sorted on insertion, alphas 1.0,
// current = first, range spanning 0 and every position (0..1 when narrower than 0.01).
// Returns false and changes nothing when k < 1 or a used value is not finite.
// O(k^2) for unsorted input.
bool setInitGradientsWithFloatArray(GradientData& g, std::span<const float> values);
