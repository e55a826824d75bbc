// Reading, writing and placing one control through its own get/set/draw functions, for
// the edit panel and the commands' dialogs alike. Every function accepts a null control
// (a control the host failed to create) and then does nothing or returns 0.
#pragma once
#include <cstdint>
extern "C" {
#include <lwpanel.h>
}

int32_t getControlInt(LWControl* c);
void setControlInt(LWControl* c, int32_t value);
double getControlFloat(LWControl* c);
void setControlFloat(LWControl* c, double value);
// Copies the text into out (size bytes, always NUL-terminated).
void getControlText(LWControl* c, char* out, int32_t size);
void setControlText(LWControl* c, const char* text);
// An integer vector (a colour's three bytes).
void getControlIVec(LWControl* c, int32_t out[3]);
void setControlIVec(LWControl* c, const int32_t value[3]);
// Ghosts (enabled false) or renders (enabled true) the control.
void enableControl(LWControl* c, bool enabled);
void redrawControl(LWControl* c);
// Integer attributes (CTL_X, CTL_H, CTL_LABELWIDTH, ...).
int32_t controlAttribute(LWControl* c, cTag tag);
void setControlAttribute(LWControl* c, cTag tag, int32_t value);
// Puts the control at (x, y) (its label's left edge, as the host places it).
void moveControl(LWControl* c, int32_t x, int32_t y);
// The event and its user data.
void setControlEvent(LWControl* c, LWCtlEventHook event, void* data);
