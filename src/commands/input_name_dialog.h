// The name dialog of Rename and Copy, and the switch of the current map by name.
#pragma once
#include <cstdint>

struct InstData;

// A dialog with the given title and one text field "New Name" showing
// inst.newWeightMapName; on OK the text (at most 511 bytes) is stored there. Returns 1
// when the user confirmed a non-empty name, else 0 (Cancel, an empty name, or no panel).
int32_t openOptionPanel_InputName(InstData& inst, const char* title);
// Makes name (at most 511 bytes) the current map: weightMapName, the index looked up
// again, the edit panel's "Name" field and weight-map pop-up.
void justChangeWeightMapName(InstData& inst, const char* name);
