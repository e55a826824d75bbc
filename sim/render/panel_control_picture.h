// One control of a headless panel drawn as Layout would show it: its label in the label
// column (buttons carry it on their face), its face at the control's place, its value
// (a ticked check box, the chosen item, the number in the field, a pressed toggle), all
// in greys while it is ghosted.
#pragma once
#include <string>

#include "host/panel_state.h"
#include "render/image.h"

namespace sim {

struct PanelRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// The control's face: right of its label column, as wide as the control (a horizontal
// choice as wide as its items need, a check box a small square).
PanelRect controlFace(const ControlState& c);
// The text shown on or in the face: the label of a button, the chosen item, the number
// or string of a field; empty for a check box.
std::string controlValueText(const ControlState& c);
void paintControl(Image& image, const ControlState& c);

}  // namespace sim
