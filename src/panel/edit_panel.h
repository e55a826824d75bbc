// The tool's floating, non-modal edit panel "Velmora". Opening it is the last step of
// the activation; closing it ends the tool.
#pragma once

#include "shell/inst_data.h"

// Opens the panel (created on the first call after the module is loaded) or, when it is
// open already, redraws it.
void openEditPanel(InstData& inst);
// Closes the panel as the user would; the closing steps run (see panelClose_EditPanel).
void closeEditPanel(InstData& inst);
// Closes the panel because the host is leaving the tool: the panel is marked closed
// first, so the closing steps do not ask the host to leave the tool again.
void closeEditPanelForToolDone(InstData& inst);
bool isEditPanelOpen();
// Redraws the panel when open.
void refreshWindow(InstData& inst);
// The panel's close callback: restores the object's visibility, switches deformations
// back on, removes the dummy object and the master, saves the settings, frees the
// instance's data and leaves the tool.
void panelClose_EditPanel(void* panel, void* data);
// Forgets the panel (the module is being unloaded or started afresh).
void resetEditPanelState();
