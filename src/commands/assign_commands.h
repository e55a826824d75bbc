// "Assign Value to Selected" and "Unassign Current Map to Selected": the panel's value
// into the current map, or the current map's values out, at the selected points (every
// point when none is selected).
#pragma once
#include <cstdint>

struct InstData;

// Marks the targets changed and gives them the value (assign) or removes it; keeps
// every point's state before in its backup fields. Returns the number of targets.
int32_t assignValueToTargets(InstData& inst, bool assign);
// The whole command: refresh, targets, zero outline, record, write, redraw.
void runAssignCommand(InstData& inst, bool assign);
