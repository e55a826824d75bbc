// Clearing the point selection of the snapshot (a press on the panel's empty space).
#pragma once

struct InstData;

// Clears every point's selected flag and sets the selected count to 0. O(points).
void cancelSelectionStateOfAllPnts(InstData& inst);
