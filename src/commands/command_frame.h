// The frame every command shares: the snapshot refresh, the change list, the undo record,
// the write-back and the display refresh.
#pragma once
#include <cstdint>
#include <span>

#include "undo/bone_settings_change.h"

struct InstData;
struct PntUserData;
struct GradientData;

// Refreshes the snapshot of the current object. False when there is no usable object,
// or when needMeshReady is set and the current map cannot be painted (missing name, or
// a map of more than one dimension).
bool refreshCommandObject(InstData& inst, bool needMeshReady = false);
// Asks for a redraw that re-captures the snapshot first ("RedrawNow").
void requestCommandRedraw(InstData& inst);
// The point's colour and key from its value in the current map.
void colourPointByValue(const GradientData& gradient, PntUserData& p);
// Lists every point marked changed with its value (or the unassigned value), records the
// change (kind 0, with the given bone changes) and writes it to the current map. Returns
// the number of points written; with none listed nothing is recorded or written.
int32_t writeChangedPoints(InstData& inst, std::span<const BoneSettingsChange> bones = {});
// Records (kind 1, with the given bone changes) and writes the first count entries of
// the change list with their per-point map lists (inst.mesh.pointMapLists). Nothing
// happens for count 0.
void writeMultiMapChanges(InstData& inst, int32_t count, std::span<const BoneSettingsChange> bones = {});
