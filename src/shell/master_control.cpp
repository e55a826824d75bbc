#include "shell/master_control.h"

#include <cstdlib>

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
  return stMasterGlobal ? static_cast<LWComRing*>(stMasterGlobal(LWCOMRING_GLOBAL, GFUSE_TRANSIENT)) : nullptr;
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

void VelmoraMasterChangeID(LWInstance, const LWItemID*) {}

// Scene events become tool-ring messages without data.
double VelmoraMasterProcess(LWInstance, const LWMasterAccess* access) {
  return guardCallback<double>(0.0, [&]() -> double {
    if (!access) return 0.0;
    int message = -1;
    switch (access->eventCode) {
      case LWEVNT_SELECT: message = kMsgSelectionChanged; break;
#if defined(_WIN32) || defined(_MSWIN)
      case LWEVNT_NOTIFY_SCENE_CLEAR_COMPLETE: message = kMsgSceneSaveStarting; break;
      case LWEVNT_NOTIFY_SCENE_LOAD_STARTING: message = kMsgSceneSaveDone; break;
#else
      case LWEVNT_NOTIFY_SCENE_SAVE_STARTING: message = kMsgSceneSaveStarting; break;
      case LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE: message = kMsgSceneSaveDone; break;
#endif
      default: break;
    }
    if (message >= 0)
      if (LWComRing* ring = masterRing()) ring->ringMessage(const_cast<char*>(kToolRing), message, nullptr);
    return 0.0;
  });
}

unsigned int VelmoraMasterFlags(LWInstance) { return LWMASTF_RECEIVE_NOTIFICATIONS; }

}  // namespace

int VelmoraMasterActivate(int version, GlobalFunc* global, void* local, void*) {
  return guardCallback<int>(AFUNC_BADAPP_SILENT, [&]() -> int {
    if (version != LWMASTER_VERSION) return AFUNC_BADVERSION;
    if (!global || !global(LWCOMRING_GLOBAL, GFUSE_TRANSIENT)) return AFUNC_BADGLOBAL;
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
  auto* serverInfo = global ? static_cast<LWServerInfo*>(global(LWSERVERINFO_GLOBAL, GFUSE_TRANSIENT)) : nullptr;
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

void removeMasterControlPlugins() {
  if (!stHost.itemInfo) return;
  // A removal moves the next handler into this index, so the index only advances past
  // other handlers. The bound stops a host that refuses the removal from looping.
  for (int i = 1, guard = 0; guard < 10000; ++guard) {
    const char* name = stHost.itemInfo->server(LWITEM_NULL, kMasterClassName, i);
    if (!name) break;
    if (compareCString(name, kMasterServerName)) {
      if (!hostCommandf("RemoveServer %s %d", kMasterClassName, i)) ++i;
    } else {
      ++i;
    }
  }
}

bool masterIsPresent() {
  RingDataBlock block;
  sendRingMessage(kMasterRing, 0, &block);
  return block.master != nullptr;
}
