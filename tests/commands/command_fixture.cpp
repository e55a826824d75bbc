#include "commands/command_fixture.h"

#include "undo/undo_history.h"

#include "host/host.h"
#include "panel/panel_controls.h"
#include "shell/inst_data.h"

void CommandTest::SetUp() {
  EditPanelTest::SetUp();
  stInstData.zeroOutline = 0;
  redraw();
}

void CommandTest::runMenu(int command) { fireInt(kCtlEdit, command - 1); }

void CommandTest::pressButton(int k) { press(kCtlCustomFirst + k - 1); }

void CommandTest::answerDialog(std::function<void(sim::PanelState&)> script, int answer) {
  host->dialogScripts.push_back([script = std::move(script), answer](sim::PanelState& p) {
    if (script) script(p);
    return answer;
  });
}

void CommandTest::setDialogInt(sim::PanelState& panel, const std::string& label, int value) {
  sim::ControlState* c = panel.control(label);
  ASSERT_NE(c, nullptr) << label;
  c->intValue = value;
  if (c->event) c->event(&c->api, c->userData);
}

void CommandTest::redraw() { host->redrawViewports(); }

void CommandTest::undo() {
  redraw();
  press(kCtlUndo);
  redraw();
}

void CommandTest::redo() {
  redraw();
  press(kCtlRedo);
  redraw();
}

sim::SimItem* CommandTest::item(uint64_t original) { return host->scene.find(host->currentIdOf(original)); }

ValueMap CommandTest::mapOf(uint64_t object, const std::string& name) {
  ValueMap out;
  sim::SimItem* it = item(object);
  const sim::SimVMap* map = it && it->mesh ? it->mesh->findVMap(sim::kVMapWGHT, name) : nullptr;
  if (!map) return out;
  for (const auto& [point, values] : map->values) out[point] = values.empty() ? 0.0f : values[0];
  return out;
}

AllMaps CommandTest::allMaps(uint64_t object) {
  AllMaps out;
  sim::SimItem* it = item(object);
  if (!it || !it->mesh) return out;
  for (const sim::SimVMap& m : it->mesh->vmaps())
    if (m.type == sim::kVMapWGHT) out[m.name] = mapOf(object, m.name);
  return out;
}

void CommandTest::setValue(uint64_t object, const std::string& map, uint32_t point, float value) {
  sim::SimItem* it = item(object);
  ASSERT_TRUE(it && it->mesh);
  sim::SimVMap* m = it->mesh->findVMap(sim::kVMapWGHT, map);
  if (!m) m = &it->mesh->addVMap(sim::kVMapWGHT, map, 1);
  m->values[point] = {value};
}

uint64_t CommandTest::addGrid(int n) {
  auto mesh = std::make_shared<sim::SimMesh>();
  for (int z = 0; z <= n; ++z)
    for (int x = 0; x <= n; ++x) {
      const float p[3] = {float(x), 0.0f, float(z)};
      mesh->addPoint(p);
    }
  const auto at = [n](int x, int z) { return uint32_t(z * (n + 1) + x); };
  for (int z = 0; z < n; ++z)
    for (int x = 0; x < n; ++x)
      mesh->addPolygon(sim::kTypeFACE, {at(x, z), at(x, z + 1), at(x + 1, z + 1), at(x + 1, z)});
  const uint64_t id = host->scene.addObject("Grid", mesh).id;
  makeCurrent(id);
  return id;
}

void CommandTest::makeCurrent(uint64_t object) {
  host->scene.select(host->currentIdOf(object));
  stInstData.redrawRequest = 3;
  redraw();
}

void CommandTest::selectPoints(const std::vector<int>& points) {
  MeshData& m = stInstData.mesh;
  for (auto& p : m.points) p.selected = 0;
  for (int i : points) m.points[size_t(i)].selected = 1;
  m.selectedCount = int32_t(points.size());
}

std::vector<int> CommandTest::selectedPoints() const {
  std::vector<int> out;
  const MeshData& m = stInstData.mesh;
  for (int i = 0; i < m.numPoints; ++i)
    if (m.points[size_t(i)].selected) out.push_back(i);
  return out;
}

int CommandTest::undoSteps() const { return undoRecordCount(stInstData.undo); }
