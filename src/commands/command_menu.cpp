#include "commands/command_menu.h"

#include "commands/assign_commands.h"
#include "commands/bone_settings_command.h"
#include "commands/combine_maps.h"
#include "commands/copy_map.h"
#include "commands/custom_buttons.h"
#include "commands/delete_map.h"
#include "commands/normalize_weights.h"
#include "commands/rename_map.h"
#include "commands/selection_commands.h"
#include "gradient_panel/gradient_panel.h"
#include "panel/correct_edit_mode.h"
#include "panel/panel_controls.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/inst_data.h"

namespace {

bool is(LWControlID ctl, int32_t c) { return ctl && stCtl[c] && static_cast<LWControlID>(stCtl[c]) == ctl; }

}  // namespace

void commandPopEvent(LWControlID ctl, void* data) {
  guardCallbackVoid([&] {
    auto* inst = static_cast<InstData*>(data);
    if (!inst || correctEditMode(*inst) != 0) return;
    reacquireSceneGlobals();
    if (is(ctl, kCtlEdit)) {
      runEditCommand(*inst, getCtlInt(kCtlEdit) + 1, CommandMode::Interactive);
      return;
    }
    for (int32_t k = 0; k < kNumCustomButtons; ++k)
      if (is(ctl, kCtlCustomFirst + k)) runEditCommand(*inst, inst->customButtons[k], CommandMode::Direct);
  });
}

void runEditCommand(InstData& inst, int32_t command, CommandMode mode) {
  switch (command) {
    case kCmdSelectConnected:
    case kCmdSelectWeighted:
    case kCmdSelectUnweighted:
    case kCmdSelectOpen:
    case kCmdExpandSelection:
    case kCmdInvertSelection:
    case kCmdCancelSelection: runSelectionCommand(inst, command, mode); break;
    case kCmdAssignValue: runAssignCommand(inst, true); break;
    case kCmdUnassignValue: runAssignCommand(inst, false); break;
    case kCmdNormalizeWeights: runNormalizeCommand(inst, mode); break;
    case kCmdClampWeights: runClampCommand(inst, mode); break;
    case kCmdRenameMap: runRenameMapCommand(inst); break;
    case kCmdDeleteMap: runDeleteMapCommand(inst, mode); break;
    case kCmdCopyMap: runCopyMapCommand(inst); break;
    case kCmdCombineMaps: runCombineMapsCommand(inst); break;
    case kCmdBoneSettings: runBoneSettingsCommand(inst); break;
    case kCmdCustomButtons: runCustomButtonsDialog(inst); break;
    case kCmdGradientPanel: toggleGradientPanel(inst); break;
    default: break;  // separators, " (none) " and commands still to come
  }
}
