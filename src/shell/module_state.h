// Module-level state: it lives as long as the host keeps the module loaded, and the
// module's start-up puts it back to its state at load.
#pragma once

#include "shell/inst_data.h"

extern "C" {
#include <lwlaytool.h>
}

// The host's tool record of the current activation.
extern LWLayoutTool* stToolLocal;
// True until the first activation has set the instance up.
extern bool stFirstActivation;
// "Objects mode only." is shown in the information panel while this is above 0.
extern int stObjectsModePanelsLeft;
// The dummy object's one-off empty edit on new hosts is still to be done.
extern bool stDummyFirstEditPending;
// The dummy object was just made, or the module switched deformations, and the host has
// not been asked to evaluate since: its "no deformer applied" flag may still describe an
// earlier state (a host may report the last evaluation, and evaluates when idle).
extern bool stDeformationStateUnevaluated;

// Puts every module-level variable back to its state at load.
void resetModuleState();
