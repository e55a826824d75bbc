// The one tool instance. It outlives activations: every callback, panel handler and
// command works on it, and the persistent settings carry over from one activation to
// the next (ToolSettings is its first part, so weightMapName is its first field).
#pragma once
#include <cstdint>
#include <vector>

#include "commands/bone_change_list.h"
#include "commands/edit_menu_items.h"
#include "gradient/gradient_data.h"
#include "mesh/mesh_data.h"
#include "settings/tool_settings.h"
#include "tool/stroke.h"
#include "undo/undo_history.h"

// A weight map to delete before a multi-map write-back.
struct MapDelete {
  const char* name = nullptr;
  MapDelete* next = nullptr;
};

// Operation codes of the write-back (meAccessOp).
enum MeAccessOp : int32_t {
  kOpStoreValues = 0,
  kOpDeleteMap = 3,
  kOpRenameMap = 4,
  kOpMultiMapAfter = 5,
  kOpMultiMapBefore = 6,
  kOpAddTwoPoints = 8000,
  kOpEmptyEdit = 8001,
  kOpMapChanged = 100,  // set by the ring handler after a delete or rename
};

constexpr int kUnitCircleSteps = 64;

struct InstData : ToolSettings {
  // Host display preferences read from Layout's configuration file.
  int32_t boneHandleSize = 72;
  int32_t boneHandleAutoSize = 1;
  int32_t boneHandleFill = 1;

  // Stroke and view state: the stroke machine's view, stroke and scratch.
  velmora::tool::ToolState tool;

  // The object snapshot and the write-back.
  MeshData mesh;
  // The selected-bone list, head first: drawn selected, edited by bone picks and bone
  // commands, refilled from the current map by selectBonesByWeightName.
  std::vector<BonePick> pickedBones;
  // "Sel Object": the object under the cursor, from the press of the pick to the release.
  LWItemID pickedObject = LWITEM_NULL;
  int32_t meAccessOp = kOpStoreValues;
  int32_t changeCount = 0;
  MapDelete* mapsToDelete = nullptr;
  // The bones a map or bone command changes, before and after (built, applied and
  // recorded within the command, then freed).
  BoneChangeList boneChanges;

  UndoHistory undo;

  GradientData gradient;
  EditMenuItems editMenu;  // the "Edit" menu's items (the menu control points at them)

  double unitCircle[kUnitCircleSteps][2] = {};
  int32_t buttonKind = 0;
  int32_t toolActive = 0;
  int32_t redrawRequest = 0;   // bit 0: redraw; bit 1: re-capture the snapshot first
  int32_t pendingRefresh = 0;  // a "RefreshNow" is owed to the host
  char versionLabel[16] = "";
  std::vector<uint8_t> gradientTexture;
  int32_t gradientTextureSize = 0;
};

// The module's single instance and its module-level companions.
extern InstData stInstData;
