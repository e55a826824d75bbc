// The three images the edit panel draws itself: the subdivision warning icon, the
// bone-link icon and the colour box, with the presses that hit them.
#pragma once
#include <cstdint>

extern "C" {
#include <lwpanel.h>
}

struct InstData;

inline constexpr int32_t kWarningIconPixelsW = 18, kWarningIconPixelsH = 38;
inline constexpr int32_t kBoneIconPixelsW = 20, kBoneIconPixelsH = 38;

// RGBA bytes of the two icons, rows from the top: the upper 19 rows the off state, the
// lower 19 the on state. A pixel with alpha 0 shows the panel's background.
const uint8_t* warningIconPixels();
const uint8_t* boneIconPixels();

// Turns the icon pixels into host rasters (once; nothing without raster services).
void makeEditPanelIconRasters();
// Frees the icon rasters; safe twice.
void freeEditPanelIconRasters();

bool warningIconActive();
void setWarningIconActive(bool active);

// Draws the warning icon, the bone icon and the colour box at their places.
void drawEditPanelImages(InstData& inst);
// Draws the four separator lines across the panel.
void drawEditPanelSeparators(LWPanelFuncs* pf, LWPanelID panel);

// The panel's mouse-button callback (see edit_panel.h for what a press does).
void mouseButton_EditPanel(LWPanelID panel, void* data, int qualifiers, int x, int y);
