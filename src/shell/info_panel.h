// The module's blocking "Information" panel: an icon and one or two lines of text.
#pragma once

// Shows the panel through the host's panel services and waits until it is closed.
// An empty or null second line is not shown. Does nothing without panel services.
void showInformationPanel(const char* line1, const char* line2);
