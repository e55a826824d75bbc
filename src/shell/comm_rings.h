// The two communication rings between the module's servers, and the data block their
// messages carry. Tool and mesh-edit command run in one process, one after the other,
// so the block hands over pointers to the tool's own data.
#pragma once
#include <cstdint>

#include "shell/inst_data.h"

constexpr const char* kToolRing = "COMRING_WEIGHTPAINTTOOL";
constexpr const char* kMasterRing = "COMRING_MASTERCONTROL";

// Messages on the tool ring.
enum ToolRingMessage : int {
  kMsgStoreValues = 0,     // reply: change list and instance
  kMsgMapNames = 4,        // reply: instance and second name
  kMsgMultiMap = 5,        // reply: change list, deletions, per-point lists (also 6)
  kMsgMapChanged = 10,     // no reply; the tool notes a delete or rename took place
  kMsgQueryOp = 99,        // reply: count = the operation to perform
  kMsgSelectionChanged = 80,
  kMsgSceneSaveStarting = 81,
  kMsgSceneSaveDone = 82,
  kMsgItemIdsChanged = 83,  // data: the host's list "old, new, ..., 0" of renumbered items
};

struct RingDataBlock {
  int32_t count = 0;
  float value = 0.0f;
  const int32_t* indices = nullptr;
  const float* values = nullptr;
  InstData* instance = nullptr;        // its first field is weightMapName
  const char* secondName = nullptr;
  MapDelete* deletions = nullptr;
  WeightStc* const* pointMapLists = nullptr;
  void* master = nullptr;              // filled by a master on the master ring
};

// The tool's handler on kToolRing (attached from activation until the tool is done).
void ringEvent(void* inst, void* portData, int code, void* data);

// Sends `code` with `data` on a ring through the host; does nothing without the global.
void sendRingMessage(const char* topic, int code, void* data);
