// The guard every event of the edit panel (and of the gradient panel) runs first: it
// brings the user back to the tool's object, or restarts the tool when the user left it.
#pragma once
#include <cstdint>

struct InstData;

// 0: the event may proceed (the first selected item is an object, re-selected if the
// user had left objects mode). 1: the panel is not open or was closed because nothing is
// selected. 2: the tool was no longer the host's active tool and has been started again
// (the event must not proceed; the new activation owns the panel).
int32_t correctEditMode(InstData& inst);
