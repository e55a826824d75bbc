// The shell's scenarios under every host policy: activation, selection changes, the
// write-back, scene saves, renumbered items, closing the panel, leaving the tool and
// clearing the scene.
#include <filesystem>

#include "policy/policy_fixture.h"
#include "shell/mesh_edit_access.h"
#include "shell/module_state.h"

extern "C" {
#include <lwmaster.h>
}

namespace {

using ShellScenario = PolicyFixture;

int countPrefix(const std::vector<std::string>& commands, const std::string& prefix) {
  int n = 0;
  for (const auto& c : commands) n += c.rfind(prefix, 0) == 0 ? 1 : 0;
  return n;
}

TEST_P(ShellScenario, ActivationAppliesTheMasterAndMakesTheDummy) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_TRUE(host->toolActive());
  EXPECT_EQ(host->appliedServers("MasterHandler"), std::vector<std::string>{"MasterControl_vmr"});
  sim::SimItem* d = dummy();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->mesh->numPoints(), 2u);
  EXPECT_EQ(host->scene.itemsOfType(sim::ItemType::Bone, d->id).size(), 1u);
  EXPECT_EQ(stInstData.mesh.dummyObject, reinterpret_cast<LWItemID>(uintptr_t(d->id)));
  EXPECT_EQ(stInstData.mesh.currentObject, itemId(demo.limb));
  EXPECT_EQ(host->scene.firstSelected(), id(demo.limb));
  EXPECT_EQ(stInstData.mesh.noObject, 0);
}

TEST_P(ShellScenario, TheDeformationStateIsReadAsLayoutHasIt) {
  for (bool enabled : {false, true}) {
    SCOPED_TRACE(enabled);
    host->scene.deformationsEnabled = enabled;
    ASSERT_EQ(activateOn(id(demo.limb)), AFUNC_OK);
    EXPECT_EQ(stInstData.deformationsEnabled, enabled ? 1 : 0);
    // Closing the panel switches deformations back on, never off.
    sim::PanelState* panel = editPanel();
    ASSERT_NE(panel, nullptr);
    sim::closePanelAsUser(panel);
    EXPECT_TRUE(host->scene.deformationsEnabled);
    EXPECT_FALSE(host->toolActive());
  }
}

TEST_P(ShellScenario, SelectingAnotherObjectRestoresTheFirstOnceAndKeepsTheNewOne) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  stInstData.visibility = 1;
  item(demo.limb)->visibility = 1;
  size_t from = logSize();
  host->command(selectCommand(other));
  EXPECT_EQ(host->scene.firstSelected(), id(other));
  EXPECT_EQ(item(demo.limb)->visibility, 5);
  // The user's selection, the tool's own object, and the new one again: no more.
  EXPECT_EQ(countPrefix(commandsSince(from), "SelectItem"), 3);
  EXPECT_EQ(countPrefix(commandsSince(from), "ItemVisibility"), 1);
}

TEST_P(ShellScenario, DeselectingEverythingReselectsTheToolsObject) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  host->scene.clearSelection();
  host->postMasterEvent(LWEVNT_SELECT);
  EXPECT_EQ(host->scene.firstSelected(), id(demo.limb));
}

TEST_P(ShellScenario, AWriteBackChangesTheMapAndTheDeformedMesh) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  InstData& inst = stInstData;
  ASSERT_STREQ(inst.weightMapName, "Upper");
  sim::SimItem* limb = item(demo.limb);
  const size_t last = limb->mesh->numPoints() - 1;  // at the far end, moved by the posed lower bone
  const auto before = host->scene.frozen(limb->id).otherPos;
  inst.changeCount = 2;
  inst.mesh.changeIndices[0] = 1;
  inst.mesh.changeValues[0] = 0.25f;
  inst.mesh.changeIndices[1] = int32_t(last);
  inst.mesh.changeValues[1] = 1.0f;
  inst.meAccessOp = kOpStoreValues;
  callMeshEditAccess(inst);
  ASSERT_NE(limbValue("Upper", 1), nullptr);
  EXPECT_FLOAT_EQ((*limbValue("Upper", 1))[0], 0.25f);
  EXPECT_FLOAT_EQ((*limbValue("Upper", uint32_t(last)))[0], 1.0f);
  // Layout evaluates the object again once the weights changed, without a refresh asked.
  const auto& after = host->scene.frozen(item(demo.limb)->id).otherPos;
  ASSERT_EQ(after.size(), before.size());
  EXPECT_NE(after.back(), before.back());
}

TEST_P(ShellScenario, ASceneSaveTakesTheDummyOutAndPutsItBack) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING);
  EXPECT_EQ(dummy(), nullptr);
  EXPECT_EQ(host->scene.firstSelected(), id(demo.limb));
  EXPECT_EQ(stInstData.mesh.currentObject, itemId(demo.limb));
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE);
  ASSERT_NE(dummy(), nullptr);
  EXPECT_EQ(stInstData.mesh.dummyObject, reinterpret_cast<LWItemID>(uintptr_t(dummy()->id)));
  EXPECT_EQ(host->scene.firstSelected(), id(demo.limb));
}

TEST_P(ShellScenario, RenumberedItemsAreFollowed) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  stInstData.visibility = 1;
  item(demo.limb)->visibility = 1;
  const uint64_t before = id(demo.limb);
  stInstData.pickedBones.assign(1, BonePick{itemId(demo.bones[1]), 1.0});
  stInstData.transferSourceID = id(other);
  host->renumberItems();
  ASSERT_NE(id(demo.limb), before);
  EXPECT_EQ(stInstData.mesh.currentObject, itemId(demo.limb));
  ASSERT_EQ(stInstData.pickedBones.size(), 1u);
  EXPECT_EQ(stInstData.pickedBones[0].bone, itemId(demo.bones[1]));
  EXPECT_EQ(stInstData.transferSourceID, id(other));
  EXPECT_EQ(stInstData.mesh.dummyObject, reinterpret_cast<LWItemID>(uintptr_t(dummy()->id)));
  // The tool restores its object by the new id when another object is selected.
  host->command(selectCommand(other));
  EXPECT_EQ(item(demo.limb)->visibility, 5);
  EXPECT_EQ(host->scene.firstSelected(), id(other));
}

TEST_P(ShellScenario, ClosingThePanelLeavesTheSceneAsItWas) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  stInstData.visibility = 1;
  item(demo.limb)->visibility = 1;
  sim::PanelState* panel = editPanel();
  ASSERT_NE(panel, nullptr);
  sim::closePanelAsUser(panel);
  EXPECT_FALSE(host->toolActive());
  EXPECT_TRUE(host->appliedServers("MasterHandler").empty());
  EXPECT_EQ(dummy(), nullptr);
  EXPECT_EQ(host->scene.firstSelected(), id(demo.limb));
  EXPECT_EQ(item(demo.limb)->visibility, 5);
  EXPECT_TRUE(std::filesystem::exists(settingsDir + "/VelmoraKTQ.cfg"));
}

TEST_P(ShellScenario, LeavingTheToolDetachesAndRemovesItsTraces) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  host->command("ChangeTool");
  EXPECT_FALSE(host->toolActive());
  EXPECT_TRUE(host->appliedServers("MasterHandler").empty());
  EXPECT_EQ(dummy(), nullptr);
  for (const auto& r : host->rings) EXPECT_NE(r.topic, "COMRING_WEIGHTPAINTTOOL");
  size_t from = logSize();
  host->sendMasterEvent(LWEVNT_SELECT);
  EXPECT_TRUE(commandsSince(from).empty());
}

TEST_P(ShellScenario, ClearingTheSceneDestroysTheMasterAndTheToolLetsGo) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  host->clearScene();
  EXPECT_TRUE(host->appliedServers("MasterHandler").empty());
  for (const auto& r : host->rings) EXPECT_NE(r.topic, "COMRING_MASTERCONTROL");
  EXPECT_TRUE(host->scene.items().empty());
  // The next redraw finds nothing selected and leaves the tool.
  host->redrawViewports();
  EXPECT_FALSE(host->toolActive());
}

TEST_P(ShellScenario, ASecondActivationAfterLeavingStartsCleanAgain) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  host->command("ChangeTool");
  ASSERT_EQ(activateOn(id(demo.limb)), AFUNC_OK);
  EXPECT_EQ(host->appliedServers("MasterHandler").size(), 1u);
  int dummies = 0;
  for (const auto& it : host->scene.items()) dummies += it->name == "(temporary data)" ? 1 : 0;
  EXPECT_EQ(dummies, 1);
  EXPECT_EQ(stInstData.mesh.currentObject, itemId(demo.limb));
}

INSTANTIATE_TEST_SUITE_P(EveryPlausibleHost, ShellScenario, ::testing::ValuesIn(sim::plausibleHostPolicies()),
                         policyTestName);

}  // namespace
