// The "Gradient Panel": a floating panel in which the user edits the display gradient
// with the mouse on a colour bar (tools "Select", "Drag", "Add", "Remove"), the range
// ("Min", "Max"), the current key's position and colour, the colour of points without a
// value and the "Initialize" presets. Every change recolours the points, the edit
// panel's colour box and the viewports at once.
#pragma once

struct InstData;

// Builds the panel on first use and opens it (when it is open already, shows the
// gradient again).
void openGradientPanel(InstData& inst);
// Closes the panel when it is open (its close steps run).
void closeGradientPanel();
bool isGradientPanelOpen();
// The "Open Gradient Panel" command: closes the panel when it is open, else opens it.
void toggleGradientPanel(InstData& inst);
// Forgets the panel (the module is being loaded afresh; the host's panel is gone).
void resetGradientPanelState();
