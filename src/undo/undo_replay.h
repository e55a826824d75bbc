// Undo and Redo: the edit panel's buttons walk the history and replay a record through
// the same write-back that made the change (values, per-point map lists, rename) and
// through the host's bone commands.
//
// Rules of a replay:
//  - nothing happens while a redraw the tool asked for is still pending (redrawRequest
//    non-zero): the snapshot must show the object before a record is laid over it;
//  - the step is consumed before it is replayed, so a record that cannot be applied is
//    skipped, not retried: when its object no longer exists (or cannot be made current
//    with "SelectItem"), when the object's point count differs from the record's, or,
//    for a rename, when the map to rename is not on the object;
//  - a record of another object first selects that object ("SelectItem %x");
//  - every replay ends with the controls refreshed and a redraw that re-captures the
//    snapshot.
// The panel runs its own guard (correctEditMode) before calling either event.
#pragma once
#include <cstdint>

struct InstData;

// Undoes the current record and steps back to the one before it. Returns 1 when a step
// was consumed, 0 when there was nothing to undo or a redraw is pending.
int32_t pushUndoButtonEvent(InstData& inst);
// Redoes the record after the current one and steps to it. Returns as the undo does.
int32_t pushRedoButtonEvent(InstData& inst);

// Frees every record including head (head and current become none, usedCost 0) and
// resets the budget to its floor of 1,280,000 units. Safe twice.
void destroyUndoStcData(InstData& inst);
