// Scene events reaching the tool through the master, and the master's own contract.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/module_state.h"
#include "support/module_fixture.h"

extern "C" {
#include <lwmaster.h>
}

namespace {

std::string selectCommand(uint64_t id) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "SelectItem %x", unsigned(id));
  return buf;
}

class RingsTest : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    other = host->scene.addObject("Other", sim::makeLimbMesh(3, 5, 1.0f, 0.5f)).id;
    host->scene.find(demo.limb)->visibility = 5;
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  }
  uint64_t other = 0;
};

TEST_F(RingsTest, SelectingALightChangesNothing) {
  size_t from = logSize();
  host->command(selectCommand(demo.light));
  EXPECT_EQ(commandsSince(from), std::vector<std::string>{selectCommand(demo.light)});
  EXPECT_EQ(host->scene.firstSelected(), demo.light);
}

TEST_F(RingsTest, DeselectingEverythingReselectsTheToolsObject) {
  host->scene.clearSelection();
  size_t from = logSize();
  host->postMasterEvent(LWEVNT_SELECT);
  EXPECT_EQ(commandsSince(from), std::vector<std::string>{selectCommand(demo.limb)});
  EXPECT_EQ(host->scene.firstSelected(), demo.limb);
}

TEST_F(RingsTest, SelectingAnotherObjectRestoresTheFirstObjectsVisibilityFirst) {
  stInstData.visibility = 1;  // a weight-shaded display has set the limb to 1
  host->scene.find(demo.limb)->visibility = 1;
  size_t from = logSize();
  host->command(selectCommand(other));
  std::vector<std::string> expected = {selectCommand(other), selectCommand(demo.limb), "ItemVisibility 5",
                                       selectCommand(other)};
  std::vector<std::string> issued = commandsSince(from);
  ASSERT_GE(issued.size(), expected.size());
  issued.resize(expected.size());
  EXPECT_EQ(issued, expected);
  EXPECT_EQ(host->scene.find(demo.limb)->visibility, 5);
  EXPECT_EQ(host->scene.firstSelected(), other);
}

TEST_F(RingsTest, TheSameObjectTwiceIsIgnored) {
  host->command(selectCommand(other));
  size_t from = logSize();
  host->postMasterEvent(LWEVNT_SELECT);
  EXPECT_TRUE(commandsSince(from).empty());
}

TEST_F(RingsTest, SceneSavingRemovesAndRecreatesTheDummyObject) {
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING);
  EXPECT_EQ(host->scene.findByName("(temporary data)"), nullptr);
  EXPECT_EQ(host->scene.firstSelected(), demo.limb);
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE);
  sim::SimItem* dummy = host->scene.findByName("(temporary data)");
  ASSERT_NE(dummy, nullptr);
  EXPECT_EQ(stInstData.mesh.dummyObject, reinterpret_cast<LWItemID>(dummy->id));
  EXPECT_EQ(dummy->mesh->numPoints(), 2u);
  EXPECT_EQ(host->scene.firstSelected(), demo.limb);
}

TEST_F(RingsTest, TheMastersSceneDataIsTheSingleFloat107) {
  auto data = host->saveMasterData();
  ASSERT_EQ(data.size(), 1u);
  EXPECT_EQ(data[0], std::vector<std::string>{"1.07"});
  // Loading it back makes a working master again.
  host->leaveTool();
  EXPECT_TRUE(host->appliedServers("MasterHandler").empty());
  host->loadMasterData({{"MasterControl_vmr", {"1.07"}}});
  EXPECT_EQ(host->appliedServers("MasterHandler").size(), 1u);
}

TEST_F(RingsTest, LeavingTheToolRemovesTheMasterAndTheDummyAndDetaches) {
  host->leaveTool();
  EXPECT_TRUE(host->appliedServers("MasterHandler").empty());
  EXPECT_EQ(host->scene.findByName("(temporary data)"), nullptr);
  for (const auto& r : host->rings) EXPECT_NE(r.topic, "COMRING_WEIGHTPAINTTOOL");
  EXPECT_EQ(stInstData.toolActive, 0);
  // A scene event after the tool is gone reaches nobody and changes nothing.
  size_t from = logSize();
  host->sendMasterEvent(LWEVNT_SELECT);
  EXPECT_TRUE(commandsSince(from).empty());
}

TEST_F(RingsTest, ClosingTheEditPanelEndsTheTool) {
  ASSERT_FALSE(host->panels.empty());
  sim::PanelState* panel = host->panels.back().get();
  ASSERT_TRUE(panel->open);
  sim::closePanelAsUser(panel);
  EXPECT_FALSE(host->toolActive());
  EXPECT_EQ(stInstData.toolActive, 0);
  EXPECT_TRUE(host->appliedServers("MasterHandler").empty());
  EXPECT_TRUE(std::filesystem::exists(settingsDir + "/VelmoraKTQ.cfg"));
}

}  // namespace
