// The gradient panel's control events and mouse callbacks. Each runs the edit panel's
// guard first and does nothing unless it lets the event proceed and the panel is open.
#pragma once

extern "C" {
#include <lwpanel.h>
}

// A tool button: its index becomes the gradient tool; it is set on, the others off.
void changeToolButtonsEvent_GradientPanel(LWControlID ctl, void* data);
// "Initialize": after a yes to the question, the chosen preset replaces the gradient and
// the tool becomes "Drag".
void commandInitializePopEvent_GradientPanel(LWControlID ctl, void* data);
// "Min", "Max" and "Weight Value".
void changePercentControlEvent_GradientPanel(LWControlID ctl, void* data);
// The key colour and the unweighted colour.
void changeRGBControlEvent_GradientPanel(LWControlID ctl, void* data);

// Press (MOUSE_DOWN in the qualifiers) and release on the panel.
void mouseButton_GradientPanel(LWPanelID panel, void* data, int qualifiers, int x, int y);
// A drag of the current key.
void mouseMove_GradientPanel(LWPanelID panel, void* data, int qualifiers, int x, int y);
