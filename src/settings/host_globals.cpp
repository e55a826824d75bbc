#include "settings/host_globals.h"

#include <cstdarg>
#include <cstdio>

const char* servName_LWITEMINFO = hostapi::kItemInfoOld;
const char* servName_LWOBJECTINFO = hostapi::kObjectInfoOld;
const char* servName_LWOBJECTFUNCS = hostapi::kObjectFuncsOld;
const char* servName_LWBONEINFO = hostapi::kBoneInfoOld;

HostGlobals stHost;
int stBuildNumber = 0;

void selectGlobalNamesForBuild(int build) {
  if (build < kBuildNewGlobals) return;
  servName_LWITEMINFO = hostapi::kItemInfoNew;
  servName_LWOBJECTINFO = hostapi::kObjectInfoNew;
  servName_LWOBJECTFUNCS = hostapi::kObjectFuncsNew;
  servName_LWBONEINFO = hostapi::kBoneInfoNew;
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
  g.message = acquire<LWMessageFuncs>(global, hostapi::kMessageFuncs);
  g.panel = acquire<LWPanelFuncs>(global, hostapi::kPanelFuncs);
  g.raster = acquire<LWRasterFuncs>(global, hostapi::kRasterFuncs);
  g.viewport = acquire<LWViewportInfo>(global, hostapi::kViewportInfo);
  g.interfaceInfo = acquire<LWInterfaceInfo>(global, hostapi::kInterfaceInfo);
  g.itemInfo = acquire<LWItemInfo>(global, servName_LWITEMINFO);
  g.objectInfo = acquire<LWObjectInfo>(global, servName_LWOBJECTINFO);
  g.objectFuncs = acquire<LWObjectFuncs>(global, servName_LWOBJECTFUNCS);
  g.boneInfo = acquire<LWBoneInfo>(global, servName_LWBONEINFO);
  g.mtUtil = acquire<LWMTUtilFuncs>(global, hostapi::kMTUtilFuncs);
  g.comRing = acquire<LWComRing>(global, hostapi::kComRing);
  g.command = reinterpret_cast<HostCommandFunc*>(global ? global(hostapi::kCommandFunc, GFUSE_TRANSIENT) : nullptr);
  stHost = g;
  return g.message && g.panel && g.raster && g.viewport && g.interfaceInfo && g.itemInfo &&
         g.objectInfo && g.objectFuncs && g.boneInfo && g.mtUtil && g.comRing && g.command;
}

bool reacquireSceneGlobals() {
  GlobalFunc* global = stHost.global;
  if (!global) return false;
  stHost.interfaceInfo = acquire<LWInterfaceInfo>(global, hostapi::kInterfaceInfo);
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
  servName_LWITEMINFO = hostapi::kItemInfoOld;
  servName_LWOBJECTINFO = hostapi::kObjectInfoOld;
  servName_LWOBJECTFUNCS = hostapi::kObjectFuncsOld;
  servName_LWBONEINFO = hostapi::kBoneInfoOld;
}
