#include "support/edit_panel_fixture.h"

#include "host/host.h"
#include "panel/edit_panel.h"

void EditPanelTest::SetUp() {
  ModuleFixture::SetUp();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  ASSERT_NE(panel(), nullptr);
  ASSERT_EQ(panel()->controls.size(), size_t(kNumEditControls));
}

sim::PanelState* EditPanelTest::panel() const {
  for (const auto& p : host->panels)
    if (p->open && p->title == "Velmora") return p.get();
  return nullptr;
}

sim::ControlState* EditPanelTest::control(int index) const { return panel()->controls[size_t(index)].get(); }

void EditPanelTest::press(int index) {
  sim::ControlState* c = control(index);
  sim::Host::PluginCall call(*host);
  if (c->event) c->event(&c->api, c->userData);
}

void EditPanelTest::fireInt(int index, int value) {
  control(index)->intValue = value;
  press(index);
}

void EditPanelTest::fireFloat(int index, double value) {
  control(index)->floatValue = value;
  press(index);
}

void EditPanelTest::fireText(int index, const std::string& text) {
  control(index)->stringValue = text;
  press(index);
}

void EditPanelTest::refresh() {
  sim::Host::PluginCall call(*host);
  refreshWindow(stInstData);
}
