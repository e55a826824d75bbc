// The edits the gradient panel makes to the gradient: moving the current key with its
// neighbours pushed along, changing the shown range, adding and removing keys so that
// the gradient never becomes empty. Pure functions of the gradient; no host calls.
#pragma once
#include <cstdint>

#include "gradient/gradient_data.h"

// Keys the panel lets a gradient hold; "Add" is refused at this count.
inline constexpr int32_t kPanelMaxKeys = 512;
// The smallest gap the panel keeps between the range ends.
inline constexpr float kMinRangeGap = 0.0001f;
// Colour of the key that replaces the last one removed.
inline constexpr float kReplacementGrey = 0.8f;

// v clamped into [lo, hi] (lo when v is not a number).
float clampIntoRange(float v, float lo, float hi);

// Moves the current key to position (clamped into the range) and pushes every key
// before it that lies above the position, and every key after it that lies below, onto
// the position: the list order never changes. Nothing without a current key. O(count).
void moveCurrentKeyPushing(GradientData& g, float position);

// Sets the range start; when it comes within kMinRangeGap of the end (or passes it), the
// end moves to start + kMinRangeGap. Every key is clamped into the new range.
void setGradientRangeMin(GradientData& g, float start);
// Sets the range end; when it comes within kMinRangeGap of the start, the start moves to
// end - kMinRangeGap. Every key is clamped into the new range.
void setGradientRangeMax(GradientData& g, float end);

// Adds a key at position with the gradient's colour there and makes it current. Refused
// (nullptr) when position lies outside the range or the gradient holds kPanelMaxKeys keys.
GradientSeg* addKeyFromPanel(GradientData& g, float position);

// Removes key (nullptr: nothing). When no key is left, a grey key at rangeMin is added and
// made current, so the gradient never becomes empty.
void removeKeyKeepingOne(GradientData& g, GradientSeg* key);
