// Recording an undo step. Strokes and commands call rec1Process after filling the
// change list and before the write-back; the record is what Undo and Redo replay.
#pragma once
#include <cstdint>
#include <span>

#include "undo/bone_settings_change.h"

struct InstData;

// Records the change the caller is about to write back, as one record of kind
// (UndoKind) appended after the history's current record:
//  - kind 0: one entry per change-list entry (inst.mesh.changeIndices, inst.changeCount)
//    with the point's selection, its state when the stroke or command began
//    (hasValueBackup, valueBackup) and its state now (hasValue, value);
//  - kind 1: a copy of the per-point WeightStc lists (inst.mesh.pointMapLists, one per
//    change entry), the names of the maps they use and, when a point is selected, the
//    selection of every point;
//  - kind 10: the rename of inst.weightMapName to inst.newWeightMapName;
//  - any kind: the given bone changes (names copied).
// The redo tail is dropped first, then the oldest records while the history would
// exceed its budget (recomputed from the free memory). Nothing is recorded when the
// tool has no object, or when the record alone exceeds the budget (the history is then
// empty). Change entries outside the snapshot's points are left out. Returns 1 when
// recorded, else 0. O(entries + map entries), plus O(points) for selection bytes.
int32_t rec1Process(InstData& inst, int32_t kind);
int32_t rec1Process(InstData& inst, int32_t kind, std::span<const BoneSettingsChange> bones);
