#include "gradient_panel_fixture.h"

#include "gradient_panel/gradient_bar_raster.h"
#include "gradient_panel/gradient_panel.h"
#include "render/panel_picture.h"

void GradientPanelTest::SetUp() {
  ModuleFixture::SetUp();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  {
    sim::Host::PluginCall call(*host);
    openGradientPanel(stInstData);
  }
  ASSERT_NE(gradientPanel(), nullptr);
  ASSERT_EQ(gradientPanel()->controls.size(), size_t(kNumGradientControls));
  letHostDraw();
}

sim::PanelState* GradientPanelTest::gradientPanel() const {
  for (const auto& p : host->panels)
    if (p->open && p->title == "Gradient Panel") return p.get();
  return nullptr;
}

sim::PanelState* GradientPanelTest::editPanel() const {
  for (const auto& p : host->panels)
    if (p->open && p->title == "Velmora") return p.get();
  return nullptr;
}

sim::ControlState* GradientPanelTest::control(int index) const {
  for (const auto& p : host->panels)
    if (p->title == "Gradient Panel") return p->controls[size_t(index)].get();
  return nullptr;
}

void GradientPanelTest::press(int x, int y, int buttons) { sim::panelMousePress(gradientPanel(), buttons, x, y); }
void GradientPanelTest::drag(int x, int y, int buttons) { sim::panelMouseDrag(gradientPanel(), buttons, x, y); }
void GradientPanelTest::release(int x, int y, int buttons) { sim::panelMouseRelease(gradientPanel(), buttons, x, y); }
void GradientPanelTest::letHostDraw() { host->redrawViewports(); }

void GradientPanelTest::pressButton(int index) {
  sim::ControlState* c = control(index);
  sim::Host::PluginCall call(*host);
  if (c->toggles()) c->intValue = c->intValue ? 0 : 1;
  if (c->event) c->event(&c->api, c->userData);
}

void GradientPanelTest::fireFloat(int index, double value) {
  sim::ControlState* c = control(index);
  c->floatValue = value;
  sim::Host::PluginCall call(*host);
  c->event(&c->api, c->userData);
}

void GradientPanelTest::fireRgb(int index, int r, int g, int b) {
  sim::ControlState* c = control(index);
  c->ivec = {r, g, b};
  sim::Host::PluginCall call(*host);
  c->event(&c->api, c->userData);
}

void GradientPanelTest::fireChoice(int index, int value) {
  sim::ControlState* c = control(index);
  c->intValue = value;
  sim::Host::PluginCall call(*host);
  c->event(&c->api, c->userData);
}

int GradientPanelTest::panelXOfKey(float position) const {
  return kBarRasterX + keyMarkerColumn(gradient(), position);
}

std::vector<float> GradientPanelTest::positions() const {
  std::vector<float> out;
  for (const GradientSeg* k = gradient().first; k; k = k->next) out.push_back(k->position);
  return out;
}

sim::Image GradientPanelTest::shownBar() const {
  const sim::PanelState* p = gradientPanel();
  if (!p || p->blits.empty()) return sim::Image();
  return sim::rasterPixels(p->blits.back().source);
}
