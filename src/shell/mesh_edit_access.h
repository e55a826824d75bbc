// The write-back: the tool cannot change weight maps itself, so it prepares an operation
// and a change list and runs the module's own mesh-edit command "MEAccess_vmr", which
// asks for the work over the tool ring and applies it with the host's mesh-edit
// operations. Both halves run on the host's main thread, one inside the other.
#pragma once

#include "shell/inst_data.h"

extern "C" {
#include <lwserver.h>
#include <lwcmdseq.h>
#include <lwmeshedt.h>
}

constexpr const char* kMeshEditServerName = "MEAccess_vmr";

// Tool side: issues "ModCommand_MEAccess_vmr" for the prepared operation. With a
// weight-shaded display the object's own visibility is restored around the command.
void callMeshEditAccess(InstData& inst);

// Command side: the CommandSequence server's activation.
int LayoutMEAccessMain(int version, GlobalFunc* global, void* local, void* serverData);

// The write-back context of one command run.
struct WriteBackContext {
  MeshEditOp* op = nullptr;
  const char* mapName = nullptr;
  int32_t listPos = 0;
  int32_t scanPos = 0;
  int32_t count = 0;
  const int32_t* indices = nullptr;
  const float* values = nullptr;
  WeightStc* const* pointMapLists = nullptr;
};

// Point-scan callbacks; each returns 1 to stop the scan.
EDError setWeightsToEvalPoints2(void* ctx, const EDPointInfo* point);
EDError setMultiWeightsToEvalPoints(void* ctx, const EDPointInfo* point);
EDError setMultiWeightsToEvalPoints_Inv(void* ctx, const EDPointInfo* point);
