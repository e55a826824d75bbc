#include "shell/module_state.h"

#include "gradient/gradient.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/item_id_changes.h"

InstData stInstData;
LWLayoutTool* stToolLocal = nullptr;
bool stFirstActivation = true;
int stObjectsModePanelsLeft = 2;
bool stDummyFirstEditPending = true;
bool stDeformationStateUnevaluated = false;

void resetModuleState() {
  stInstData = InstData{};
  stToolLocal = nullptr;
  stFirstActivation = true;
  stObjectsModePanelsLeft = 2;
  stDummyFirstEditPending = true;
  stDeformationStateUnevaluated = false;
  resetItemIdChanges();
  setGlobalForFunc(nullptr);
  resetHostGlobals();
}
