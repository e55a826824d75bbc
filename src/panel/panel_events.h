// The edit panel's control events. Each runs the guard (correctEditMode) first and does
// nothing unless it returns 0; each receives the InstData as its user data.
#pragma once
#include <cstdint>

extern "C" {
#include <lwpanel.h>
}

struct InstData;

void changeToolButtonsEvent(LWControlID ctl, void* data);      // toolIndex = the button's position
void changeWeightMapNameEvent(LWControlID ctl, void* data);    // "Name"
void changeWeightMapPopEvent(LWControlID ctl, void* data);     // the map pop-up
void changeBrushSizeEvent(LWControlID ctl, void* data);        // "Brush Radius", 4 ... brushSizeMax
void changeChoiceControlEvent(LWControlID ctl, void* data);    // "Falloff Mode"
void changePercentValueEvent(LWControlID ctl, void* data);     // "Strength" and "Value"
void push1ClickValueButtonEvent(LWControlID ctl, void* data);  // "0" ... "100"
void pushBoolButtonEvent(LWControlID ctl, void* data);         // check boxes, "Erase", "AutoSave"
void changeSliderControlEvent(LWControlID ctl, void* data);    // "Point Size"
void pushEnableDeformButtonEvent(LWControlID ctl, void* data); // "Enable Deformations"
void changeSubPatchLevelEvent(LWControlID ctl, void* data);    // "SubD Level"
void changeVisibilityPopEvent(LWControlID ctl, void* data);    // the display-mode pop-up
// "Undo" (undo true) and "Redo": the history's replay after the guard.
void runUndoRedoButton(void* data, bool undo);

// The level "SubD Level" may keep for an object of F faces, P sub-patches and S
// Catmull-Clark polygons: lowered while L > 0 and F + L^2 P + min(4^L, 1e20) S reaches
// 1,000,000 polygons.
int32_t limitSubPatchLevel(int32_t level, int32_t faces, int32_t patches, int32_t subds);
// Stores level (clamped 0 ... 1024, limited as above), updates the warning icon and
// the display levels of the object and of its other instances.
void applySubPatchLevel(InstData& inst, int32_t level);
// True once a change asked that the next redraw be a full refresh ("RefreshNow").
bool fullRefreshPending();
