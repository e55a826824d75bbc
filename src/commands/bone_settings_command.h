// "Change Settings for Bones": the active flag, weight map and influence settings of the
// selected bones (or of every bone of the object when none is selected), changed
// together through the host's bone commands and recorded as one undo step.
#pragma once

#include "panel/panel_control_kinds.h"

struct InstData;

// Items of the dialog's "Bone Weight Map" pop-up: " (none) ", then the WGHT maps.
int popCount_WGHT_plus1(void* data);
PopupNameResult popName_WGHT_none(void* data, int index);
// The three "Change ..." check boxes enable their groups when on and ghost them when off.
void pushBoolButtonEvent_BoneSettings(LWControlID ctl, void* data);
// The dialog's draw callback: the same rule when the dialog is drawn.
void panelDraw_BoneSettings(LWPanelID panel, void* data, DrMode mode);

// Runs the dialog; OK with at least one "Change ..." box on changes the targets (kind 99
// record), with all three off nothing is changed or recorded.
void runBoneSettingsCommand(InstData& inst);
