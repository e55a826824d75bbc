// The tool activated on the demo limb with the gradient panel open, and the user's
// hands on it: mouse presses, drags and releases in panel pixels, control events, and
// the bar as the panel shows it.
#pragma once
#include <vector>

#include "gradient/gradient_data.h"
#include "gradient_panel/gradient_panel_state.h"
#include "host/panel_state.h"
#include "render/image.h"
#include "shell/inst_data.h"
#include "support/module_fixture.h"

extern "C" {
#include <lwpanel.h>
}

class GradientPanelTest : public ModuleFixture {
 protected:
  void SetUp() override;

  sim::PanelState* gradientPanel() const;
  sim::PanelState* editPanel() const;
  sim::ControlState* control(int index) const;
  GradientData& gradient() const { return stInstData.gradient; }

  // Mouse on the gradient panel (left button unless told).
  void press(int x, int y, int buttons = MOUSE_LEFT);
  void drag(int x, int y, int buttons = MOUSE_LEFT);
  void release(int x, int y, int buttons = MOUSE_LEFT);
  // Lets the viewports draw, as the host does between two mouse moves.
  void letHostDraw();

  void fireFloat(int index, double value);
  void fireRgb(int index, int r, int g, int b);
  void fireChoice(int index, int value);
  void pressButton(int index);

  // The gradient panel's x for a key at position (the marker's column on the panel).
  int panelXOfKey(float position) const;
  // The key positions in list order.
  std::vector<float> positions() const;
  // What the panel shows of the bar: its last blit, in pixels.
  sim::Image shownBar() const;
  // How often "RedrawNow" was issued since the log had `from` entries.
  int redraws(size_t from) const { return countCommand(from, "RedrawNow"); }
};
