// The hidden, locked "(temporary data)" object with one bone, through which the tool
// reads whether Layout's deformations are on, and the deformation switches.
#pragma once

#include "shell/inst_data.h"

// Finds, repairs or creates the dummy object and returns it (none without the globals).
LWItemID getDummyObject(InstData& inst);
// Deletes the stored dummy object from the scene (the caller wraps it in AutoConfirm).
void removeDummyObject(InstData& inst);
// mode 0: 1 when Layout's deformations are enabled, else 0. Odd mode: enables
// deformations, IK and motion controllers and returns 1; other even modes disable all
// three and return 0. Each switch is toggled only when not already as wanted.
int layoutDeformationFlags(InstData& inst, int mode);
