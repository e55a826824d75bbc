// Item ids the host renumbered. Layout may change item ids "for any reason" and tells
// handlers through changeID; the master forwards the list to the tool, which follows the
// ids it keeps, and code that holds an id across a host command can follow it too.
#pragma once
#include <cstddef>

#include "shell/inst_data.h"

// Records a changeID list ("old, new, old, new, ..., null") and renumbers the ids the tool
// instance keeps (its object, the last selection, the dummy object, the picked bones,
// the transfer source); the snapshot, with its bone ids, is re-captured at the next draw.
void applyItemIdChanges(InstData& inst, const LWItemID* list);
// A mark of the changes recorded so far.
size_t itemIdChangeMark();
// `id` followed through every change recorded since `mark`.
LWItemID followItemId(LWItemID id, size_t mark);
// Forgets every recorded change (module start).
void resetItemIdChanges();
