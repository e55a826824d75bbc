// The edit panel's weight-map pop-up: " (new) " then the object's weight maps, and the
// fresh name " (new) " stands for.
#pragma once

#include <cstdint>

#include "panel/panel_control_kinds.h"

extern "C" {
#include <lwmeshes.h>
}

// Items: the number of weight maps plus 1 (0 without the host's object functions).
int weightMapPopCount(void* data);
// Item 0 is " (new) " in the host's language; item n the n-th weight map's name, or
// " (missing) " when the host gives none. Never null.
PopupNameResult weightMapPopName(void* data, int index);
// out = "Weight" when no weight map has that name, else "Weight %d" with the smallest
// number 1, 2, ... no map has yet (size bytes, NUL-terminated).
void makeFreshWeightMapName(const LWObjectFuncs* objfuncs, char* out, int32_t size);
