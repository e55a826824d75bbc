// The companion master handler "MasterControl_vmr": a scene-level server that forwards
// the host's scene events to the tool over the tool ring, and the tool's means to apply
// and remove it.
#pragma once

extern "C" {
#include <lwserver.h>
}

constexpr const char* kMasterServerName = "MasterControl_vmr";
constexpr const char* kMasterClassName = "MasterHandler";

// 0 when the master is (or has just been) applied to the scene; 1 when "LW Server Info"
// is missing; 2 when the host has no such MasterHandler server.
int addMasterControlPlugin();
// Removes every instance of this module's master from the scene.
void removeMasterControlPlugins();
// True when a master instance answers on the master ring.
bool masterIsPresent();

// Activation of the MasterHandler server.
int VelmoraMasterActivate(int version, GlobalFunc* global, void* local, void* serverData);
