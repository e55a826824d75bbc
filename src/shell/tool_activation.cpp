#include "shell/tool_activation.h"

#include <cmath>
#include <cstdio>

#include "display/gradient_texture.h"
#include "gradient/gradient.h"
#include "mesh/dummy_object.h"
#include "mesh/snapshot.h"
#include "mesh/weight_map_names.h"
#include "panel/edit_panel.h"
#include "panel/string_tables.h"
#include "settings/c_strings.h"
#include "settings/cfg_file.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/comm_rings.h"
#include "shell/info_panel.h"
#include "shell/master_control.h"
#include "shell/module_state.h"

extern "C" {
#include <lwhost.h>
}

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr long long kDefaultCostBudget = 1280000;  // units of 100 bytes

// The module's own tool record: the host keeps pointing at it while the tool is active.
LWLayoutToolFuncs* toolFuncs(LWLayoutTool* local) { return local ? local->tool : nullptr; }

bool firstSelectedIsObject() {
  const LWInterfaceInfo* ui = stHost.interfaceInfo;
  LWItemID first = ui && ui->selItems ? ui->selItems[0] : LWITEM_NULL;
  return first && stHost.itemInfo->type(first) == LWI_OBJECT;
}

void reportObjectsModeOnly(GlobalFunc* global) {
  const char* text = getText(TextId::ObjectsModeOnly, getLangIDForLW(global), stBuildNumber);
  if (stObjectsModePanelsLeft > 0) {
    --stObjectsModePanelsLeft;
    showInformationPanel(text, nullptr);
  } else {
    stHost.message->warning(text, nullptr);
  }
}

std::string settingsDirectory(GlobalFunc* global) {
  auto* dirInfo = reinterpret_cast<LWDirInfoFunc*>(global(hostapi::kDirInfo, GFUSE_TRANSIENT));
  const char* dir = dirInfo ? dirInfo(LWFTYPE_SETTING) : nullptr;
  return dir ? dir : "";
}

void resolveWeightMap(InstData& inst) {
  inst.weightMapIndex = getIndexByVMapName(stHost.objectFuncs, inst.weightMapName);
  if (inst.weightMapIndex != 0) return;
  if (stHost.objectFuncs->numVMaps(LWID_('W', 'G', 'H', 'T')) > 0) {
    inst.weightMapIndex = 1;
    getVMapNameByIndex(stHost.objectFuncs, inst.weightMapName, 1, kMapNameSize);
  } else {
    copyCStringN(inst.weightMapName, "Weight", kMapNameSize);
    inst.weightMapIndex = 0;
  }
}

void setUpInstance(InstData& inst, GlobalFunc* global, long long freeMem, bool freeMemFailed) {
  ToolSettings kept = inst;  // the defaults on the first activation, else carried over
  if (stFirstActivation) kept = ToolSettings{};
  destroyUndoHistory(inst.undo);
  destroyMeshData(inst);
  destroyGradientData(inst.gradient);
  inst = InstData{};
  static_cast<ToolSettings&>(inst) = kept;
  inst.boneFollowsMap = 1;
  std::snprintf(inst.versionLabel, sizeof inst.versionLabel, "Ver %0.2f", double(kVersionNumber));
  for (int k = 0; k < kUnitCircleSteps; ++k) {
    double a = 2.0 * kPi * k / kUnitCircleSteps;
    inst.unitCircle[k][0] = std::cos(a);
    inst.unitCircle[k][1] = std::sin(a);
  }
  setInitGradients(inst.gradient, 0);
  std::string dir = settingsDirectory(global);
  if (!dir.empty()) loadCfgFile(inst, inst.gradient, makeCfgFilePath(dir));
  clampGradientSegs(inst.gradient, kMaxGradientKeys);
  resolveWeightMap(inst);

  ConfigRequest request = makeBoneHandleRequest();
  getIntValueFromLayoutConfigFile(global, request);
  inst.boneHandleSize = request[0].value;
  inst.boneHandleAutoSize = request[1].value;
  inst.boneHandleFill = request[2].value;

  createUndoHistory(inst.undo);
  inst.undo.costBudget = kDefaultCostBudget;
  if (!freeMemFailed && freeMem > 2560001) inst.undo.costBudget = freeMem / 2;
  createRGBABuffer(inst);
  inst.brushSizeMax = 320;
  inst.mesh.currentObject = inst.mesh.lastObject = LWITEM_NULL;
  inst.mesh.noObject = 1;
  inst.mesh.meshReady = 0;
  inst.mesh.savedVisibility = 6;
  inst.redrawRequest = 3;
  inst.toolActive = 1;
  stFirstActivation = false;
}

// The module's binding to the host as it was before an activation. An activation that
// fails puts it back, so a half-acquired set of globals (or a binding to a tool record the
// host has dropped) never outlives the failure.
class BindingRollback {
 public:
  BindingRollback()
      : host_(stHost),
        toolLocal_(stToolLocal),
        build_(stBuildNumber),
        globalForFunc_(getGlobalForFunc()),
        names_{servName_LWITEMINFO, servName_LWOBJECTINFO, servName_LWOBJECTFUNCS, servName_LWBONEINFO} {}
  ~BindingRollback() {
    if (kept_) return;
    stHost = host_;
    stToolLocal = toolLocal_;
    stBuildNumber = build_;
    setGlobalForFunc(globalForFunc_);
    servName_LWITEMINFO = names_[0];
    servName_LWOBJECTINFO = names_[1];
    servName_LWOBJECTFUNCS = names_[2];
    servName_LWBONEINFO = names_[3];
  }
  BindingRollback(const BindingRollback&) = delete;
  BindingRollback& operator=(const BindingRollback&) = delete;
  void keep() { kept_ = true; }

 private:
  HostGlobals host_;
  LWLayoutTool* toolLocal_;
  int build_;
  GlobalFunc* globalForFunc_;
  const char* names_[4];
  bool kept_ = false;
};

void fillToolRecord(LWLayoutTool* local) {
  local->instance = &stInstData;
  LWLayoutToolFuncs* f = toolFuncs(local);
  f->done = VelmoraToolDone;
  f->draw = VelmoraToolDraw;
  f->help = VelmoraToolHelp;
  f->dirty = VelmoraToolDirty;
  f->count = nullptr;
  f->handle = nullptr;
  f->start = nullptr;
  f->adjust = nullptr;
  f->down = VelmoraToolDown;
  f->move = VelmoraToolMove;
  f->up = VelmoraToolUp;
  f->event = VelmoraToolEvent;
  f->panel = nullptr;
}

}  // namespace

int VelmoraToolHandler(int version, GlobalFunc* global, void* localPtr, void*) {
  return guardCallback<int>(AFUNC_BADAPP_SILENT, [&]() -> int {
    if (version != hostapi::kLayoutToolVersion) return AFUNC_BADVERSION;
    auto* local = static_cast<LWLayoutTool*>(localPtr);
    if (!global || !local || !local->tool) return AFUNC_BADLOCAL;
    BindingRollback binding;
    stToolLocal = local;
    stHost.global = global;
    setGlobalForFunc(global);

    stBuildNumber = getBuildNumber(global);
    (void)getNumberOfProcessors();
    int freeMemFailed = 0;
    long long freeMem = getFreeMemSizeIn100Bytes(&freeMemFailed);

    selectGlobalNamesForBuild(stBuildNumber);
    if (!acquireAllGlobals(global)) return AFUNC_BADGLOBAL;
    stHost.panel->globalFun = global;

    if (!firstSelectedIsObject()) {
      reportObjectsModeOnly(global);
      return AFUNC_BADAPP_SILENT;
    }
    if (addMasterControlPlugin() != 0) {
      showInformationPanel("You need to re-add the latest version of Velmora with the Add Plugins command,",
                           "because of lack of components.");
      return AFUNC_BADAPP_SILENT;
    }
    reacquireSceneGlobals();

    InstData& inst = stInstData;
    setUpInstance(inst, global, freeMem, freeMemFailed != 0);
    fillToolRecord(local);

    if (LWComRing* ring = static_cast<LWComRing*>(global(hostapi::kComRing, GFUSE_TRANSIENT)))
      ring->ringAttach(const_cast<char*>(kToolRing), &inst, ringEvent);

    inst.mesh.dummyObject = getDummyObject(inst);
    getCurrentObject(inst);
    openEditPanel(inst);
    binding.keep();
    return AFUNC_OK;
  });
}
