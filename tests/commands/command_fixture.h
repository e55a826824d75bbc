// The edit panel open on the demo limb, with the commands run from the "Edit" menu and
// the custom buttons as a user runs them, dialogs answered by scripts, and the weight
// maps of an object read back as the host holds them.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/edit_panel_fixture.h"

using ValueMap = std::map<uint32_t, float>;
using AllMaps = std::map<std::string, ValueMap>;

class CommandTest : public EditPanelTest {
 protected:
  void SetUp() override;
  // Chooses the command at list index command in the "Edit" menu.
  void runMenu(int command);
  // Presses "c1" ... "c5" (k = 1 ... 5).
  void pressButton(int k);
  // The next dialog: the script sets its controls, then the dialog is closed with OK
  // (answer 1) or Cancel (0).
  void answerDialog(std::function<void(sim::PanelState&)> script, int answer = 1);
  // Sets a dialog control's integer value and fires its event, as a click does.
  static void setDialogInt(sim::PanelState& panel, const std::string& label, int value);
  // Draws the viewports, which takes the redraw the commands ask for.
  void redraw();
  void undo();
  void redo();

  // Objects and their maps as the host holds them.
  sim::SimItem* item(uint64_t original);
  ValueMap mapOf(uint64_t object, const std::string& name);
  AllMaps allMaps(uint64_t object);
  void setValue(uint64_t object, const std::string& map, uint32_t point, float value);
  // A flat grid of n x n quads in the xz plane, added and made the current object.
  uint64_t addGrid(int n);
  // Selects item in the scene and lets the tool capture it.
  void makeCurrent(uint64_t object);
  // Selects exactly these snapshot points.
  void selectPoints(const std::vector<int>& points);
  std::vector<int> selectedPoints() const;
  // Records in the undo history.
  int undoSteps() const;
};
