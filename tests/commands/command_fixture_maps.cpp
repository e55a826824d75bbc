#include "command_fixture_maps.h"

#include "panel/panel_controls.h"
#include "shell/inst_data.h"
#include "undo/undo_history.h"
#include "undo/undo_replay.h"

void MapCommandTest::SetUp() {
  ModuleFixture::SetUp();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  ASSERT_NE(editPanel(), nullptr);
  host->viewports.assign(1, {});
  sim::SimViewport& v = host->viewports[0];
  v.type = 4;
  v.center = {0, 1.5, 0};
  v.zoom = 2.0;
  v.width = 400;
  v.height = 300;
  draw();
}

sim::PanelState* MapCommandTest::editPanel() const {
  for (const auto& p : host->panels)
    if (p->open && p->title == "Velmora") return p.get();
  return nullptr;
}

void MapCommandTest::press(int index) {
  sim::ControlState* c = control(index);
  sim::Host::PluginCall call(*host);
  if (c->event) c->event(&c->api, c->userData);
}

ValueMap MapCommandTest::mapOf(const std::string& name) {
  ValueMap out;
  const sim::SimVMap* map = limb()->mesh->findVMap(sim::kVMapWGHT, name);
  if (!map) return out;
  for (const auto& [point, values] : map->values) out[point] = values;
  return out;
}

bool MapCommandTest::hasMap(const std::string& name) {
  return limb()->mesh->findVMap(sim::kVMapWGHT, name) != nullptr;
}

BoneState MapCommandTest::boneState(int k) {
  const sim::SimItem* b = bone(k);
  return {b->weightMap, b->boneFlags, b->strength, b->restPosition, b->restRotation};
}

std::vector<BoneState> MapCommandTest::allBones() { return {boneState(0), boneState(1), boneState(2)}; }

void MapCommandTest::useMap(const std::string& name) {
  control(kCtlName)->stringValue = name;
  press(kCtlName);
  draw();
}

void MapCommandTest::runFromMenu(int32_t command) {
  control(kCtlEdit)->intValue = command - 1;
  press(kCtlEdit);
}

void MapCommandTest::runFromButton(int32_t command) {
  stInstData.customButtons[0] = command;
  press(kCtlCustomFirst);
}

void MapCommandTest::draw() {
  host->redrawViewports();
  stInstData.redrawRequest = 0;
}

bool MapCommandTest::undo() {
  draw();
  sim::Host::PluginCall call(*host);
  return pushUndoButtonEvent(stInstData) == 1;
}

bool MapCommandTest::redo() {
  draw();
  sim::Host::PluginCall call(*host);
  return pushRedoButtonEvent(stInstData) == 1;
}

int MapCommandTest::undoSteps() const { return undoRecordCount(stInstData.undo); }

void clickControl(sim::ControlState* c, int value) {
  if (!c) return;
  c->intValue = value;
  if (c->event) c->event(&c->api, c->userData);
}
