// What the tool does with the scene events its master forwards: the selection message's
// refresh step, and the visibility branches around the dummy object's removal and return.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/host_globals.h"
#include "shell/comm_rings.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"

extern "C" {
#include <lwmaster.h>
}

namespace {

class MasterMessages : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    other = host->scene.addObject("Other", sim::makeLimbMesh(3, 5, 1.0f, 0.5f)).id;
    host->scene.find(demo.limb)->visibility = 5;
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  }
  std::string select(uint64_t id) const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "SelectItem %x", unsigned(id));
    return buf;
  }
  bool issued(size_t from, const std::string& text) const { return countCommand(from, text) > 0; }
  uint64_t other = 0;
};

TEST_F(MasterMessages, SelectingAnotherObjectRefreshesOnlyWhenARefreshIsOwed) {
  stInstData.pendingRefresh = 0;
  size_t from = logSize();
  host->command(select(other));
  EXPECT_FALSE(issued(from, "RefreshNow"));

  host->command(select(demo.limb));
  stInstData.pendingRefresh = 1;
  from = logSize();
  host->command(select(other));
  std::vector<std::string> after = commandsSince(from);
  auto refresh = std::find(after.begin(), after.end(), "RefreshNow");
  ASSERT_NE(refresh, after.end());
  // The refresh comes after the new object is selected again.
  EXPECT_EQ(*(refresh - 1), select(other));
  EXPECT_EQ(stInstData.pendingRefresh, 0);
  EXPECT_EQ(countCommand(from, "RefreshNow"), 1);
}

TEST_F(MasterMessages, AHostBefore2000IsAlwaysRefreshed) {
  stInstData.pendingRefresh = 0;
  const int build = stBuildNumber;
  stBuildNumber = 1999;
  size_t from = logSize();
  host->command(select(other));
  stBuildNumber = build;
  EXPECT_TRUE(issued(from, "RefreshNow"));
}

TEST_F(MasterMessages, TheSaveStartRestoresTheObjectsOwnVisibilityUnderAShadedDisplay) {
  stInstData.visibility = 1;
  stInstData.mesh.savedVisibility = 5;
  host->scene.find(demo.limb)->visibility = 1;
  size_t from = logSize();
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING);
  std::vector<std::string> after = commandsSince(from);
  auto restore = std::find(after.begin(), after.end(), "ItemVisibility 5");
  ASSERT_NE(restore, after.end());
  ASSERT_NE(restore + 1, after.end());
  EXPECT_EQ(*(restore + 1), "Refresh");
  EXPECT_EQ(host->scene.find(demo.limb)->visibility, 5);
  EXPECT_FALSE(issued(from, "RefreshNow"));
}

TEST_F(MasterMessages, TheSaveStartLeavesVisibilityAloneWithoutAShadedDisplayOrAnotherSelection) {
  stInstData.visibility = 0;
  size_t from = logSize();
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING);
  for (const auto& c : commandsSince(from)) EXPECT_NE(c.rfind("ItemVisibility", 0), 0u) << c;
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE);

  stInstData.visibility = 2;
  host->scene.select(demo.light);
  from = logSize();
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING);
  for (const auto& c : commandsSince(from)) EXPECT_NE(c.rfind("ItemVisibility", 0), 0u) << c;
}

TEST_F(MasterMessages, TheSaveEndForcesTheShadedDisplayBackOnTheSameObject) {
  stInstData.visibility = 2;
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING);
  ASSERT_EQ(host->scene.firstSelected(), demo.limb);
  size_t from = logSize();
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE);
  EXPECT_TRUE(issued(from, "ItemVisibility 1"));
  EXPECT_EQ(host->scene.find(demo.limb)->visibility, 1);
  EXPECT_EQ(commandsSince(from).back(), "RefreshNow");

  stInstData.visibility = 0;
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING);
  from = logSize();
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE);
  EXPECT_FALSE(issued(from, "ItemVisibility 1"));
  EXPECT_EQ(commandsSince(from).back(), "RefreshNow");
}

TEST_F(MasterMessages, ACaptureForcesTheShadedDisplayAgainWhenTheUserChangedIt) {
  stInstData.visibility = 1;
  host->scene.find(demo.limb)->visibility = 3;  // the user picked another display
  stInstData.redrawRequest = 3;
  size_t from = logSize();
  host->redrawViewports();
  EXPECT_TRUE(issued(from, "ItemVisibility 1"));
  EXPECT_EQ(host->scene.find(demo.limb)->visibility, 1);
}

TEST_F(MasterMessages, TheCommandRepliesAreEmptyWhileTheToolHasNoObject) {
  stInstData.changeCount = 1;
  stInstData.mesh.noObject = 1;
  for (int code : {0, 4, 5, 6}) {
    SCOPED_TRACE(code);
    RingDataBlock block;
    host->ringMessage("COMRING_WEIGHTPAINTTOOL", code, &block);
    EXPECT_EQ(block.count, 0);
    EXPECT_EQ(block.indices, nullptr);
    EXPECT_EQ(block.instance, nullptr);
    EXPECT_EQ(block.secondName, nullptr);
    EXPECT_EQ(block.pointMapLists, nullptr);
  }
  stInstData.mesh.noObject = 0;
  RingDataBlock block;
  host->ringMessage("COMRING_WEIGHTPAINTTOOL", 0, &block);
  EXPECT_EQ(block.count, 1);
  EXPECT_EQ(block.instance, &stInstData);
}

}  // namespace
