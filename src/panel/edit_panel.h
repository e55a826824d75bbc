// The tool's floating, non-modal edit panel "Velmora". Opening it is the last step of
// the activation; closing it ends the tool.
#pragma once

#include "shell/inst_data.h"

extern "C" {
#include <lwpanel.h>
}

// Opens the panel (created on the first call after the module is loaded) or, when it is
// open already, redraws it.
void openEditPanel(InstData& inst);
// Closes the panel as the user would; the closing steps run (see panelClose_EditPanel).
void closeEditPanel(InstData& inst);
// Closes the panel because the host is leaving the tool: the panel is marked closed
// first, so the closing steps do not ask the host to leave the tool again.
void closeEditPanelForToolDone(InstData& inst);
bool isEditPanelOpen();
// The panel's id (null before the first opening).
LWPanelID editPanelId();
// Saves the settings file into the host's settings folder (nothing without one).
void saveEditPanelSettings(InstData& inst);
// Keys with codes below 32 are reported as handled (1), all others are passed on (0).
int panelKeyBlocking_EditPanel(LWPanelID panel, void* data, LWDualKey key);
// When the panel is open: the controls follow the instance (resetPanelParm), then the
// whole panel is redrawn.
void refreshWindow(InstData& inst);
// The panel's close callback: restores the object's visibility, switches deformations
// back on, removes the dummy object and the master, saves the settings, frees the
// instance's data and leaves the tool.
void panelClose_EditPanel(void* panel, void* data);
// Forgets the panel (the module is being unloaded or started afresh).
void resetEditPanelState();
