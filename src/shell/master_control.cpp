#include "shell/master_control.h"

#include <cstdlib>
#include <deque>

#include "settings/c_strings.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/comm_rings.h"

extern "C" {
#include <lwmaster.h>
}

namespace {

// The master's own module variable: the global function it was activated with.
GlobalFunc* stMasterGlobal = nullptr;

LWComRing* masterRing() {
  return stMasterGlobal ? static_cast<LWComRing*>(stMasterGlobal(hostapi::kComRing, GFUSE_TRANSIENT)) : nullptr;
}

// The instance itself means nothing; its address is what it answers with.
struct MasterInstance {
  int32_t unused[4] = {0, 0, 0, 0};
};

void masterRingEvent(void* inst, void*, int, void* data) {
  if (data) static_cast<RingDataBlock*>(data)->master = inst;
}

LWInstance VelmoraMasterCreate(void*, void*, LWError* err) {
  return guardCallback<LWInstance>(nullptr, [&]() -> LWInstance {
    auto* inst = new (std::nothrow) MasterInstance;
    if (!inst) {
      if (err) *err = "Couldn't allocate instance data.";
      return nullptr;
    }
    if (LWComRing* ring = masterRing())
      ring->ringAttach(const_cast<char*>(kMasterRing), inst, masterRingEvent);
    return inst;
  });
}

void VelmoraMasterDestroy(LWInstance inst) {
  guardCallbackVoid([&] {
    if (!inst) return;
    if (LWComRing* ring = masterRing()) ring->ringDetach(const_cast<char*>(kMasterRing), inst);
    delete static_cast<MasterInstance*>(inst);
  });
}

LWError VelmoraMasterCopy(LWInstance, LWInstance) { return nullptr; }

LWError VelmoraMasterLoad(LWInstance, const LWLoadState* ls) {
  return guardCallback<LWError>(nullptr, [&]() -> LWError {
    float version = 0.0f;
    if (ls && ls->readFP) ls->readFP(ls->readData, &version, 1);
    return nullptr;
  });
}

LWError VelmoraMasterSave(LWInstance, const LWSaveState* ss) {
  return guardCallback<LWError>(nullptr, [&]() -> LWError {
    const float version = 1.07f;
    if (ss && ss->writeFP) ss->writeFP(ss->writeData, &version, 1);
    return nullptr;
  });
}

const char* VelmoraMasterDescLn(LWInstance) { return "Velmora Tool"; }

const LWItemID* VelmoraMasterItems(LWInstance) {
  static const LWItemID none[1] = {LWITEM_NULL};
  return none;
}

// The host renumbers items: the tool follows its own ids (the list is "old, new, ..., 0").
void VelmoraMasterChangeID(LWInstance, const LWItemID* list) {
  guardCallbackVoid([&] {
    if (!list) return;
    if (LWComRing* ring = masterRing())
      ring->ringMessage(const_cast<char*>(kToolRing), kMsgItemIdsChanged, const_cast<LWItemID*>(list));
  });
}

// Scene events that arrived while the module was still busy, in order.
std::deque<int> stHeldBackMessages;

void forwardToTool(int message) {
  if (LWComRing* ring = masterRing()) ring->ringMessage(const_cast<char*>(kToolRing), message, nullptr);
}

// The dummy object is removed before a scene save and re-created after it. The save
// events are named, not numbered: the clear and load codes mean other things (and the
// clear event reaches only LAYOUT-type masters).
int toolMessageForEvent(int eventCode) {
  switch (eventCode) {
    case LWEVNT_SELECT: return kMsgSelectionChanged;
    case LWEVNT_NOTIFY_SCENE_SAVE_STARTING: return kMsgSceneSaveStarting;
    case LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE: return kMsgSceneSaveDone;
    default: return -1;
  }
}

// Scene events become tool-ring messages without data. An event raised by the module's
// own commands (the host delivering it at once) waits until the module has returned.
double VelmoraMasterProcess(LWInstance, const LWMasterAccess* access) {
  return guardCallback<double>(0.0, [&]() -> double {
    if (!access) return 0.0;
    const int message = toolMessageForEvent(access->eventCode);
    if (message < 0) return 0.0;
    if (stCallbackDepth > 1) {
      if (stHeldBackMessages.empty() || stHeldBackMessages.back() != message || message != kMsgSelectionChanged)
        stHeldBackMessages.push_back(message);
      return 0.0;
    }
    forwardToTool(message);
    return 0.0;
  });
}

unsigned int VelmoraMasterFlags(LWInstance) { return LWMASTF_RECEIVE_NOTIFICATIONS; }

}  // namespace

void afterOutermostCallback() noexcept {
  static bool flushing = false;
  if (flushing) return;
  flushing = true;
  try {
    // Bounded: handlers that keep raising events for each other must not hang the host.
    for (int guard = 0; !stHeldBackMessages.empty() && guard < 64; ++guard) {
      const int message = stHeldBackMessages.front();
      stHeldBackMessages.pop_front();
      forwardToTool(message);
    }
  } catch (...) {
  }
  stHeldBackMessages.clear();
  flushing = false;
}

int VelmoraMasterActivate(int version, GlobalFunc* global, void* local, void*) {
  return guardCallback<int>(AFUNC_BADAPP_SILENT, [&]() -> int {
    if (version != hostapi::kMasterHandlerVersion) return AFUNC_BADVERSION;
    if (!global || !global(hostapi::kComRing, GFUSE_TRANSIENT)) return AFUNC_BADGLOBAL;
    auto* handler = static_cast<LWMasterHandler*>(local);
    if (!handler || !handler->inst || !handler->item) return AFUNC_BADLOCAL;
    stMasterGlobal = global;
    setGlobalForFunc(global);
    handler->inst->create = VelmoraMasterCreate;
    handler->inst->destroy = VelmoraMasterDestroy;
    handler->inst->copy = VelmoraMasterCopy;
    handler->inst->load = VelmoraMasterLoad;
    handler->inst->save = VelmoraMasterSave;
    handler->inst->descln = VelmoraMasterDescLn;
    handler->item->useItems = VelmoraMasterItems;
    handler->item->changeID = VelmoraMasterChangeID;
    handler->event = VelmoraMasterProcess;
    handler->flags = VelmoraMasterFlags;
    handler->type = LWMAST_SCENE;
    return AFUNC_OK;
  });
}

int addMasterControlPlugin() {
  GlobalFunc* global = stHost.global ? stHost.global : getGlobalForFunc();
  auto* serverInfo = global ? static_cast<LWServerInfo*>(global(hostapi::kServerInfo, GFUSE_TRANSIENT)) : nullptr;
  if (!serverInfo) return 1;
  if (!serverInfo->path(kMasterClassName, kMasterServerName)) return 2;
  if (stHost.itemInfo)
    for (int i = 1;; ++i) {
      const char* name = stHost.itemInfo->server(LWITEM_NULL, kMasterClassName, i);
      if (!name) break;
      if (compareCString(name, kMasterServerName)) return 0;
    }
  hostCommandf("ApplyServer %s %s", kMasterClassName, kMasterServerName);
  return 0;
}

namespace {

int countAppliedMasters() {
  int n = 0;
  while (stHost.itemInfo->server(LWITEM_NULL, kMasterClassName, n + 1)) ++n;
  return n;
}

}  // namespace

void removeMasterControlPlugins() {
  if (!stHost.itemInfo) return;
  // A removal moves the next handler into this index, so the index stays after one.
  // Whether the removal happened is read back from the scene: the command's own result
  // is not defined by the host. A refused removal advances, so the walk ends.
  for (int i = 1, guard = 0; guard < 10000; ++guard) {
    const char* name = stHost.itemInfo->server(LWITEM_NULL, kMasterClassName, i);
    if (!name) break;
    if (!compareCString(name, kMasterServerName)) {
      ++i;
      continue;
    }
    const int before = countAppliedMasters();
    hostCommandf("RemoveServer %s %d", kMasterClassName, i);
    if (countAppliedMasters() >= before) ++i;
  }
}

bool masterIsPresent() {
  RingDataBlock block;
  sendRingMessage(kMasterRing, 0, &block);
  return block.master != nullptr;
}
