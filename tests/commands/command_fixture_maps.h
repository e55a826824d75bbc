// The edit panel on the demo limb (maps and bones "Upper", "Lower", "Hand") with a
// viewport, for running the map and bone commands as a user would: from the "Edit"
// menu or a custom button, their dialogs answered by queued scripts.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "commands/edit_command_ids.h"
#include "host/panel_state.h"
#include "panel/panel_controls.h"
#include "shell/inst_data.h"
#include "support/module_fixture.h"

using ValueMap = std::map<uint32_t, std::vector<float>>;

// What a bone's settings are in the scene.
struct BoneState {
  std::string weightMap;
  unsigned flags = 0;
  double strength = 0;
  sim::Vec3 restPosition{}, restRotation{};
  bool operator==(const BoneState&) const = default;
};

// Sets a control's value and fires its event, as a click in a dialog does.
void clickControl(sim::ControlState* c, int value);

class MapCommandTest : public ModuleFixture {
 protected:
  void SetUp() override;

  // The open edit panel and its controls.
  sim::PanelState* editPanel() const;
  sim::ControlState* control(int index) const { return editPanel()->controls[size_t(index)].get(); }
  // Fires a control's event as the host does (after setting its value).
  void press(int index);

  sim::SimItem* limb() { return host->scene.find(demo.limb); }
  sim::SimItem* bone(int k) { return host->scene.find(demo.bones[k]); }
  // A weight map of the limb as the object holds it; empty when there is no such map.
  ValueMap mapOf(const std::string& name);
  bool hasMap(const std::string& name);
  BoneState boneState(int k);
  std::vector<BoneState> allBones();

  // Makes name the current map by typing it into the panel's "Name" field.
  void useMap(const std::string& name);
  // Chooses the command in the "Edit" menu (with its dialogs).
  void runFromMenu(int32_t command);
  // Presses custom button c1 bound to the command.
  void runFromButton(int32_t command);
  // Queues the answer of the next blocking dialog.
  void whenDialogOpens(std::function<int(sim::PanelState&)> script) {
    host->dialogScripts.push_back(std::move(script));
  }
  // Draws the viewports, as the host does after a redraw request, so Undo and Redo run.
  void draw();
  bool undo();
  bool redo();
  int undoSteps() const;
  int writeBacksSince(size_t from) { return countCommand(from, "ModCommand_MEAccess_vmr"); }
};
