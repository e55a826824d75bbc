// The host globals the module binds at every tool activation, the names it asks for
// (four of them depend on the host build) and the host build number.
#pragma once

extern "C" {
#include <lwtypes.h>
#include <lwcomring.h>
#include <lwhost.h>
#include <lwmeshes.h>
#include <lwmtutil.h>
#include <lwpanel.h>
#include <lwrender.h>
#include <lwserver.h>
}

#include "settings/host_global_names.h"

// Host builds from which the newer versions of the four versioned globals are used.
using hostapi::kBuildNewGlobals;

// "LW Command Interface": runs one command line. The older SDK headers do not declare
// it, so the module names the function type itself.
using HostCommandFunc = int(const char* command);

// The version-dependent names; older names until an activation on a newer host.
extern const char* servName_LWITEMINFO;
extern const char* servName_LWOBJECTINFO;
extern const char* servName_LWOBJECTFUNCS;
extern const char* servName_LWBONEINFO;

// Module-level binding to the host, alive as long as the module is loaded.
struct HostGlobals {
  GlobalFunc* global = nullptr;
  LWMessageFuncs* message = nullptr;
  LWPanelFuncs* panel = nullptr;
  LWRasterFuncs* raster = nullptr;
  LWViewportInfo* viewport = nullptr;
  LWInterfaceInfo* interfaceInfo = nullptr;
  LWItemInfo* itemInfo = nullptr;
  LWObjectInfo* objectInfo = nullptr;
  LWObjectFuncs* objectFuncs = nullptr;
  LWBoneInfo* boneInfo = nullptr;
  LWMTUtilFuncs* mtUtil = nullptr;
  LWComRing* comRing = nullptr;
  HostCommandFunc* command = nullptr;
};

extern HostGlobals stHost;
extern int stBuildNumber;

// Switches the four versioned names to the newer ones when build >= 3211.
void selectGlobalNamesForBuild(int build);
// Acquires all twelve globals through global; false when any is missing.
bool acquireAllGlobals(GlobalFunc* global);
// Re-acquires interface, item, object, object-functions and bone info (as most
// callbacks do first); false when one is missing.
bool reacquireSceneGlobals();
// Issues a host command through the command function; 0 when there is none.
int hostCommand(const char* text);
// printf-style form of hostCommand.
int hostCommandf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Restores the module-level binding to its state at load (used when the module starts).
void resetHostGlobals();
