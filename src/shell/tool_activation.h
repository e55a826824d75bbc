// The Layout tool server "KTQ_VelmoraTool": activation and the tool's callbacks.
#pragma once

extern "C" {
#include <lwlaytool.h>
#include <lwserver.h>
}

constexpr const char* kToolServerName = "KTQ_VelmoraTool";
constexpr float kVersionNumber = 1.07f;

// Binds the host, checks the scene, applies the master, sets the instance up from the
// carried-over settings and the settings file, takes the first snapshot and opens the
// edit panel. Returns an AFUNC_* code.
int VelmoraToolHandler(int version, GlobalFunc* global, void* local, void* serverData);

void VelmoraToolDone(LWInstance inst);
void VelmoraToolDraw(LWInstance inst, LWCustomObjAccess* access);
const char* VelmoraToolHelp(LWInstance inst, LWToolEvent* event);
int VelmoraToolDirty(LWInstance inst);
int VelmoraToolDown(LWInstance inst, LWToolEvent* event);
void VelmoraToolMove(LWInstance inst, LWToolEvent* event);
void VelmoraToolUp(LWInstance inst, LWToolEvent* event);
void VelmoraToolEvent(LWInstance inst, int code);
