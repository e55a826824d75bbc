// Capture of the current object into the tool's snapshot: which object, its display
// state, and every point's rest and displayed position and current-map value.
#pragma once

#include "shell/inst_data.h"

// The edit panel's refresh. The panel registers it when it opens; a capture calls it
// when what the panel shows may have changed (object, map, bones, subdivision level),
// and so does correctVMapIndexByName after putting the map index right. Null: none.
using SnapshotRefreshFunc = void (*)(InstData& inst);
void setSnapshotPanelRefresh(SnapshotRefreshFunc refresh);

// Captures or refreshes the snapshot of the first selected object. Values and positions
// are re-read at every call; the counts and the object decide whether the point records
// are rebuilt (point selections then start empty).
void getCurrentObject(InstData& inst);
// Releases the snapshot's arrays and zeroes its counts; the object ids stay.
void destroyMeshData(InstData& inst);
// True when the first selected item is not the snapshot's object; then the current
// stroke is cancelled as well.
bool currentSelectedItemWasChanged(InstData& inst);
// When the weight map at weightMapIndex is no longer named weightMapName, looks the
// index up again by name.
void correctVMapIndexByName(InstData& inst);
// Recolours every point from the gradient (colour and key coordinate of its value; the
// unweighted colour for points without one).
void recolourPoints(InstData& inst);
