// The edit panel's Undo and Redo controls follow the history. The panel registers how
// it shows them; without a registered panel the refresh does nothing.
#pragma once

struct InstData;

// Shows the history's state in the panel: the weight-map name field gets the current
// map name, Undo is enabled when a record can be undone and Redo when one can be
// redone (ghosted otherwise), and both are redrawn.
using UndoControlsRefreshFunc = void (*)(InstData& inst, bool undoEnabled, bool redoEnabled);
// Registers the panel's refresh (null: none, as while the panel is closed).
void setUndoControlsRefresh(UndoControlsRefreshFunc refresh);

// Updates the panel's controls after any change of the history.
void refreshUndoRedoCtl(InstData& inst);
