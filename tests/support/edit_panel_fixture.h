// The edit panel opened by an activation on the demo limb, with helpers to find its
// controls and fire their events as the host does.
#pragma once
#include <string>

#include "host/panel_state.h"
#include "panel/panel_controls.h"
#include "shell/inst_data.h"
#include "support/module_fixture.h"

class EditPanelTest : public ModuleFixture {
 protected:
  void SetUp() override;
  sim::PanelState* panel() const;
  sim::ControlState* control(int index) const;
  // Sets an integer (or boolean) value and fires the control's event.
  void fireInt(int index, int value);
  void fireFloat(int index, double value);
  void fireText(int index, const std::string& text);
  // Fires the event as it stands (a plain button).
  void press(int index);
  bool ghosted(int index) const { return control(index)->ghosted; }
  // Redraws the controls from the instance as a refresh does.
  void refresh();
};
