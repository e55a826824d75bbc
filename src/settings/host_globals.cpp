#include "settings/host_globals.h"

#include <cstdarg>
#include <cstdio>

const char* servName_LWITEMINFO = LWITEMINFO_GLOBAL;
const char* servName_LWOBJECTINFO = LWOBJECTINFO_GLOBAL;
const char* servName_LWOBJECTFUNCS = LWOBJECTFUNCS_GLOBAL;
const char* servName_LWBONEINFO = LWBONEINFO_GLOBAL;

HostGlobals stHost;
int stBuildNumber = 0;

void selectGlobalNamesForBuild(int build) {
  if (build < kBuildNewGlobals) return;
  servName_LWITEMINFO = LWITEMINFO_GLOBAL_2020;
  servName_LWOBJECTINFO = LWOBJECTINFO_GLOBAL_2020;
  servName_LWOBJECTFUNCS = LWOBJECTFUNCS_GLOBAL_2020;
  servName_LWBONEINFO = LWBONEINFO_GLOBAL_2020;
}

namespace {
template <typename T>
T* acquire(GlobalFunc* global, const char* name) {
  return global ? static_cast<T*>(global(name, GFUSE_TRANSIENT)) : nullptr;
}
}  // namespace

bool acquireAllGlobals(GlobalFunc* global) {
  HostGlobals g;
  g.global = global;
  g.message = acquire<LWMessageFuncs>(global, LWMESSAGEFUNCS_GLOBAL);
  g.panel = acquire<LWPanelFuncs>(global, LWPANELFUNCS_GLOBAL);
  g.raster = acquire<LWRasterFuncs>(global, LWRASTERFUNCS_GLOBAL);
  g.viewport = acquire<LWViewportInfo>(global, LWVIEWPORTINFO_GLOBAL);
  g.interfaceInfo = acquire<LWInterfaceInfo>(global, LWINTERFACEINFO_GLOBAL);
  g.itemInfo = acquire<LWItemInfo>(global, servName_LWITEMINFO);
  g.objectInfo = acquire<LWObjectInfo>(global, servName_LWOBJECTINFO);
  g.objectFuncs = acquire<LWObjectFuncs>(global, servName_LWOBJECTFUNCS);
  g.boneInfo = acquire<LWBoneInfo>(global, servName_LWBONEINFO);
  g.mtUtil = acquire<LWMTUtilFuncs>(global, LWMTUTILFUNCS_GLOBAL);
  g.comRing = acquire<LWComRing>(global, LWCOMRING_GLOBAL);
  g.command = reinterpret_cast<LWCommandFunc*>(global ? global(LWCOMMANDFUNC_GLOBAL, GFUSE_TRANSIENT) : nullptr);
  stHost = g;
  return g.message && g.panel && g.raster && g.viewport && g.interfaceInfo && g.itemInfo &&
         g.objectInfo && g.objectFuncs && g.boneInfo && g.mtUtil && g.comRing && g.command;
}

bool reacquireSceneGlobals() {
  GlobalFunc* global = stHost.global;
  if (!global) return false;
  stHost.interfaceInfo = acquire<LWInterfaceInfo>(global, LWINTERFACEINFO_GLOBAL);
  stHost.itemInfo = acquire<LWItemInfo>(global, servName_LWITEMINFO);
  stHost.objectInfo = acquire<LWObjectInfo>(global, servName_LWOBJECTINFO);
  stHost.objectFuncs = acquire<LWObjectFuncs>(global, servName_LWOBJECTFUNCS);
  stHost.boneInfo = acquire<LWBoneInfo>(global, servName_LWBONEINFO);
  return stHost.interfaceInfo && stHost.itemInfo && stHost.objectInfo && stHost.objectFuncs &&
         stHost.boneInfo;
}

int hostCommand(const char* text) {
  if (!stHost.command || !text) return 0;
  return stHost.command(text);
}

int hostCommandf(const char* format, ...) {
  char buf[1200];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  return hostCommand(buf);
}

void resetHostGlobals() {
  stHost = HostGlobals{};
  stBuildNumber = 0;
  servName_LWITEMINFO = LWITEMINFO_GLOBAL;
  servName_LWOBJECTINFO = LWOBJECTINFO_GLOBAL;
  servName_LWOBJECTFUNCS = LWOBJECTFUNCS_GLOBAL;
  servName_LWBONEINFO = LWBONEINFO_GLOBAL;
}
