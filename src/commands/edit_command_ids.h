// Positions of the commands in the edit command list (the "Edit" menu is entries 1 ...
// 27; the custom buttons hold these numbers). Separators are entries too.
#pragma once
#include <cstdint>

enum EditCommandIndex : int32_t {
  kCmdNone = 0,
  kCmdSelectConnected = 1,
  kCmdSelectWeighted = 2,
  kCmdSelectUnweighted = 3,
  kCmdSelectOpen = 4,
  kCmdExpandSelection = 5,
  kCmdInvertSelection = 6,
  kCmdCancelSelection = 7,
  kCmdAssignValue = 9,
  kCmdUnassignValue = 10,
  kCmdNormalizeWeights = 12,
  kCmdSmoothWeights = 13,
  kCmdClampWeights = 14,
  kCmdMirrorWeights = 15,
  kCmdTransferWeights = 16,
  kCmdBindMesh = 17,
  kCmdRenameMap = 19,
  kCmdDeleteMap = 20,
  kCmdCopyMap = 21,
  kCmdCombineMaps = 22,
  kCmdBoneSettings = 24,
  kCmdCustomButtons = 26,
  kCmdGradientPanel = 27,
};

// How a command was started: from the menu (its dialogs and messages shown) or from a
// custom button (the stored options used where the command allows it).
enum class CommandMode { Interactive, Direct };
