// The colour ramp that maps weight values to display colours: a sorted, doubly linked
// list of keys plus the colour of points without a value.
#pragma once
#include <cstdint>

// One key of the gradient. Keys of equal position keep their insertion order.
struct GradientSeg {
  float position = 0.0f;
  float colour[4] = {0.0f, 0.0f, 0.0f, 1.0f};  // R, G, B, A in 0..1
  GradientSeg* prev = nullptr;                 // lower or equal position
  GradientSeg* next = nullptr;                 // higher or equal position
};

// The gradient. Owns its keys (one heap block each); destroyGradientData frees them.
// Move-only: a copy would share the key blocks and free them twice.
struct GradientData {
  GradientSeg* first = nullptr;    // lowest position; none when empty
  GradientSeg* last = nullptr;     // highest position
  GradientSeg* current = nullptr;  // key selected for editing in the gradient panel
  float unweightedColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  int32_t count = 0;
  float rangeMin = -1.0f;  // value range shown by the gradient panel
  float rangeMax = 1.0f;

  GradientData() = default;
  // Frees the keys (destroyGradientData).
  ~GradientData();
  GradientData(const GradientData&) = delete;
  GradientData& operator=(const GradientData&) = delete;
  // Takes over the keys; the source is left empty with the default range.
  GradientData(GradientData&& other) noexcept;
  // Frees this gradient's keys, then takes over the source's.
  GradientData& operator=(GradientData&& other) noexcept;
};
