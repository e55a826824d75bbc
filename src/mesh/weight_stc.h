// One value of one point in one weight map: the unit of every multi-map command, of
// the multi-map write-back and of undo.
#pragma once
#include <cstdint>

// Any value at or below this counts as "no value"; kUnassignedValue is what is written
// to take a point out of a map.
constexpr float kNoValueThreshold = -100000.0f;
constexpr float kUnassignedValue = -1000000.0f;

inline bool isNoValue(float v) { return v <= kNoValueThreshold; }

struct WeightStc {
  const char* mapName = nullptr;  // the map's NUL-terminated name
  int32_t mapIndex = 0;           // position in the command's list of map names
  float valueAfter = kUnassignedValue;
  float valueBefore = kUnassignedValue;
  double scratch = 0.0;           // working value of the binding command
  WeightStc* next = nullptr;
};
