// Copies the instance's settings into the edit panel's controls and sets which controls
// are enabled for the current tool.
#pragma once

struct InstData;

// Always: version, "Enable Deformations", "SubD Level", "AutoSave", display mode.
// Without an object snapshot only the current tool's button (on), "Sel Object", the
// version, "Edit" and "AutoSave" stay enabled. With one, every field is shown and the
// brush controls follow the tool: radius and falloff for Pen, Pen Sel, Brush and Blur,
// strength for Brush, Blur and Linear Grad; the value controls are ghosted while
// erasing and "Multiply Size by Value" outside display mode 0; Undo and Redo follow the
// history.
void resetPanelParm(InstData& inst);
// The strength percentage the "Strength" slider shows for the current tool.
int resetStrengthPercent(const InstData& inst);
