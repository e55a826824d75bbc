// Mouse events the host hands to a Layout tool: a recording tool registered in-process shows
// the event records and which callbacks run.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/host.h"

extern "C" {
#include <lwlaytool.h>
#include <lwmodule.h>
}

namespace {

struct Recorded {
  char kind;  // 'd' down, 'm' move, 'u' up
  LWToolEvent event;
};
std::vector<Recorded> stEvents;
int stDownResult = 1;

int onDown(LWInstance, LWToolEvent* e) {
  stEvents.push_back({'d', *e});
  return stDownResult;
}
void onMove(LWInstance, LWToolEvent* e) { stEvents.push_back({'m', *e}); }
void onUp(LWInstance, LWToolEvent* e) { stEvents.push_back({'u', *e}); }
void onDone(LWInstance) {}

int activate(int, GlobalFunc*, void* local, void*) {
  auto* tool = static_cast<LWLayoutTool*>(local);
  static int instance;
  tool->instance = &instance;
  tool->tool->done = onDone;
  tool->tool->down = onDown;
  tool->tool->move = onMove;
  tool->tool->up = onUp;
  return AFUNC_OK;
}

ServerRecord stServers[] = {{LWLAYOUTTOOL_CLASS, "RecordingTool", activate, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
ModuleDescriptor stModule = {MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE, nullptr, nullptr, stServers};

class cliHostMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    stEvents.clear();
    stDownResult = 1;
    std::string error;
    ASSERT_TRUE(host.addModule(&stModule, "recording", &error)) << error;
    sim::SimViewport& v = host.viewports[0];
    v.type = 3;  // back: looks along +z
    v.center = {0, 1, 0};
    v.zoom = 2.0;
    v.width = 400;
    v.height = 200;
  }
  sim::Host host;
};

}  // namespace

TEST_F(cliHostMouse, NoToolNoEvents) {
  EXPECT_EQ(host.toolMouse(sim::Host::MouseAction::Down, 200, 100, 0, 0, 0), -1);
  ASSERT_EQ(host.activateTool("RecordingTool"), AFUNC_OK);
  EXPECT_EQ(host.toolMouse(sim::Host::MouseAction::Move, 200, 100, 0, 0, 0), -1);  // no press yet
  EXPECT_EQ(host.toolMouse(sim::Host::MouseAction::Down, 200, 100, 0, 0, 3), -1);  // no such viewport
  EXPECT_TRUE(stEvents.empty());
}

TEST_F(cliHostMouse, ADragInABackViewCarriesWorldPositionsAndDeltas) {
  ASSERT_EQ(host.activateTool("RecordingTool"), AFUNC_OK);
  EXPECT_EQ(host.toolMouse(sim::Host::MouseAction::Down, 200, 100, 1, sim::Host::kMouseShift, 0), 1);
  host.toolMouse(sim::Host::MouseAction::Move, 250, 50, 0, 0, 0);
  host.toolMouse(sim::Host::MouseAction::Up, 250, 50, 0, 0, 0);
  ASSERT_EQ(stEvents.size(), 3u);
  EXPECT_EQ(std::string({stEvents[0].kind, stEvents[1].kind, stEvents[2].kind}), "dmu");

  const LWToolEvent& down = stEvents[0].event;
  // The window centre is the view's centre; a back view looks along +z.
  EXPECT_NEAR(down.posRaw[0], 0.0, 1e-9);
  EXPECT_NEAR(down.posRaw[1], 1.0, 1e-9);
  EXPECT_EQ(down.portAxis, 2);
  EXPECT_EQ(down.axis[2], 1.0);
  EXPECT_TRUE(down.flags & LWTOOLF_ALT_BUTTON);
  EXPECT_TRUE(down.flags & (1 << 7));  // shift, the qualifier bit of a 2020 host
  // 100 pixels from centre to the top edge span the zoom (2 m): 0.02 m per pixel.
  EXPECT_NEAR(down.ax[0], 0.02, 1e-12);
  EXPECT_NEAR(down.ay[1], 0.02, 1e-12);

  const LWToolEvent& move = stEvents[1].event;
  EXPECT_EQ(move.dx, 50);
  EXPECT_EQ(move.dy, 50);  // up is positive, as ay
  EXPECT_NEAR(move.deltaRaw[0], 1.0, 1e-9);
  EXPECT_NEAR(move.deltaRaw[1], 1.0, 1e-9);
  EXPECT_NEAR(move.posRaw[1], 2.0, 1e-9);
  EXPECT_TRUE(move.flags & LWTOOLF_ALT_BUTTON);  // the drag keeps its button
  EXPECT_FALSE(host.mouseDrag.down);
}

TEST_F(cliHostMouse, AToolThatDeclinesThePressGetsNoMoveOrUp) {
  stDownResult = 0;
  ASSERT_EQ(host.activateTool("RecordingTool"), AFUNC_OK);
  EXPECT_EQ(host.toolMouse(sim::Host::MouseAction::Down, 10, 10, 0, 0, 0), 0);
  EXPECT_EQ(host.toolMouse(sim::Host::MouseAction::Move, 20, 20, 0, 0, 0), 0);
  EXPECT_EQ(host.toolMouse(sim::Host::MouseAction::Up, 20, 20, 0, 0, 0), 0);
  ASSERT_EQ(stEvents.size(), 1u);
  EXPECT_EQ(stEvents[0].kind, 'd');
}

TEST_F(cliHostMouse, PerspectiveEventsPointAlongTheRay) {
  host.viewports[0].type = 7;
  host.viewports[0].zoom = 5.0;
  ASSERT_EQ(host.activateTool("RecordingTool"), AFUNC_OK);
  host.toolMouse(sim::Host::MouseAction::Down, 200, 100, 0, 0, 0);
  ASSERT_EQ(stEvents.size(), 1u);
  const LWToolEvent& e = stEvents[0].event;
  EXPECT_EQ(e.portAxis, -1);
  // The centre of the window hits the view's centre, straight ahead of the eye.
  EXPECT_NEAR(e.posRaw[1], 1.0, 1e-9);
  EXPECT_NEAR(e.posRaw[2], 0.0, 1e-9);
  EXPECT_NEAR(e.axis[2], 1.0, 1e-9);
}
