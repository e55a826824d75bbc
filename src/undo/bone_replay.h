// Replaying the bone side of an undo record through the host's bone commands, and the
// bone selection a replay restores.
#pragma once

#include "undo/bone_settings_change.h"
#include "undo/undo_history.h"

struct InstData;

// Sets one bone to these settings with the host's bone commands: "SelectItem",
// "BoneStrength", "BoneActive" (only when the active flag differs), "BoneRestPosition",
// "BoneRestRotation" (degrees), "BoneStrengthMultiply" (when it differs), then the
// weight map: its name, and unless the bone had none and gets none, weight map only
// switched on for the normalization toggle and off again when s has it off; "(none)"
// last when s names no map. Flags are compared with the bone's flags before the first
// command. The caller selects the object again afterwards.
void setBoneSettingsWithCommands(LWItemID bone, const BoneSettings& s);

// Sets every bone of the record that still exists to its settings before the change
// (undo) or after it (redo), with the commands "SelectItem", "BoneStrength",
// "BoneActive", "BoneRestPosition", "BoneRestRotation" (degrees), "BoneStrengthMultiply",
// "BoneWeightMapName", "BoneWeightMapOnly" and "BoneNormalization"; the toggles are
// issued only where the bone's present flags differ. Then selects the current object
// again. Does nothing for a record without bone entries.
void undoBoneState_InUndo(InstData& inst, const UndoStc& record);
void redoBoneState_InRedo(InstData& inst, const UndoStc& record);

// Makes bone the only entry of the tool's selected-bone list, with its length key (for
// a joint bone under a joint bone the distance between the two world pivot points,
// else its rest length). With the bone link off the list is emptied; when the bone no
// longer exists the list is left as it is.
void makeOnly1BoneSelected(InstData& inst, LWItemID bone);
