// The guard every panel event runs first: proceed, restart the tool, or close.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "panel/correct_edit_mode.h"
#include "panel/edit_panel.h"
#include "support/edit_panel_fixture.h"
#include "shell/module_state.h"

namespace {

std::string selectCommand(uint64_t id) {
  char text[32];
  std::snprintf(text, sizeof text, "SelectItem %x", unsigned(id & 0xFFFFFFFFu));
  return text;
}

class PanelGuard : public EditPanelTest {
 protected:
  int guard() {
    sim::Host::PluginCall call(*host);
    return correctEditMode(stInstData);
  }
  bool issued(size_t from, const std::string& text) const {
    auto c = commandsSince(from);
    return std::find(c.begin(), c.end(), text) != c.end();
  }
};

}  // namespace

TEST_F(PanelGuard, AnObjectInFrontLetsTheEventThroughQuietly) {
  const size_t from = logSize();
  EXPECT_EQ(guard(), 0);
  EXPECT_TRUE(commandsSince(from).empty());
}

TEST_F(PanelGuard, ABoneInFrontBringsTheToolsObjectBack) {
  host->scene.select(demo.bones[1]);
  const size_t from = logSize();
  EXPECT_EQ(guard(), 0);
  EXPECT_TRUE(issued(from, "EditObjects"));
  EXPECT_TRUE(issued(from, selectCommand(demo.limb)));
  EXPECT_EQ(host->scene.firstSelected(), demo.limb);
  EXPECT_TRUE(isEditPanelOpen());
}

TEST_F(PanelGuard, NothingSelectedClosesThePanelAndTheTool) {
  host->scene.clearSelection();
  EXPECT_EQ(guard(), 1);
  EXPECT_FALSE(isEditPanelOpen());
  EXPECT_FALSE(host->toolActive());
  EXPECT_EQ(guard(), 1);  // a closed panel lets nothing through
}

TEST_F(PanelGuard, ALeftToolIsStartedAgainOnItsObject) {
  // The host reused its tool record for another tool: our done callback is gone.
  stToolLocal->tool->done = nullptr;
  host->scene.select(demo.bones[0]);
  const size_t from = logSize();
  EXPECT_EQ(guard(), 2);
  EXPECT_TRUE(issued(from, selectCommand(demo.limb)));
  EXPECT_TRUE(issued(from, "Tool_KTQ_VelmoraTool"));
  EXPECT_TRUE(host->toolActive());
}

TEST_F(PanelGuard, AnEventBlockedByTheGuardChangesNothing) {
  const int before = stInstData.toolIndex;
  sim::ControlState* button = control(kCtlToolFirst + (before == 0 ? 3 : 0));
  host->scene.clearSelection();
  button->intValue = 1;
  {
    sim::Host::PluginCall call(*host);
    button->event(&button->api, button->userData);
  }
  EXPECT_EQ(stInstData.toolIndex, before);
  EXPECT_FALSE(isEditPanelOpen());
}
