// One bone's settings before and after a change: what a command hands to the undo
// recorder for the bones it changes (bone settings, map rename and delete, binding).
#pragma once
#include <cstdint>

extern "C" {
#include <lwrender.h>
}

// The settings of one bone that the tool changes.
struct BoneSettings {
  const char* weightMap = nullptr;  // none: the bone uses no weight map
  double strength = 1.0;
  uint8_t weightMapOnly = 0;         // LWBONEF_WEIGHT_MAP_ONLY
  uint8_t normalization = 0;         // LWBONEF_WEIGHT_NORM
  uint8_t multiplyByRestLength = 0;  // LWBONEF_SCALE_STRENGTH
  uint8_t active = 0;                // LWBONEF_ACTIVE
  double restPos[3] = {0, 0, 0};
  double restRot[3] = {0, 0, 0};  // radians (heading, pitch, bank)
};

struct BoneSettingsChange {
  LWItemID bone = LWITEM_NULL;
  BoneSettings before;
  BoneSettings after;
};
