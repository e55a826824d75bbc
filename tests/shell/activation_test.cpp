// Tool activation: what it refuses, what it sets up, and what carries over.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "gradient/gradient.h"
#include "settings/cfg_file.h"
#include "settings/host_config.h"
#include "shell/module_state.h"
#include "shell/tool_activation.h"
#include "support/module_fixture.h"
#include "host/host_slots.h"

extern "C" {
#include <lwlaytool.h>
}

namespace {

using ActivationTest = ModuleFixture;

const char* kApplyMaster = "ApplyServer MasterHandler MasterControl_vmr";

TEST_F(ActivationTest, RejectsAnActivationVersionOtherThanOne) {
  LWLayoutToolFuncs funcs{};
  LWLayoutTool local{nullptr, &funcs};
  host->scene.select(demo.limb);
  EXPECT_EQ(VelmoraToolHandler(3, sim::hostGlobalFunc, &local, nullptr), AFUNC_BADVERSION);
  EXPECT_EQ(funcs.done, nullptr);
  EXPECT_EQ(host->commandLog.size(), 0u);
}

TEST_F(ActivationTest, AMissingGlobalFailsWithBadGlobal) {
  for (const char* name : {"LW Bone Info 7", "LW Communication Ring", "LW Command Interface",
                           "MultiThreading Utilities 2", "RasterServices"}) {
    SCOPED_TRACE(name);
    host->withheldGlobals = {name};
    EXPECT_EQ(activateOn(demo.limb), AFUNC_BADGLOBAL);
    EXPECT_FALSE(host->toolActive());
  }
}

TEST_F(ActivationTest, AnOlderHostIsAskedForTheOlderGlobalNames) {
  host->product.build = 3100;
  host->product.major = 11;
  host->product.minor = 6;
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  const auto& asked = host->globalRequests;
  EXPECT_NE(std::find(asked.begin(), asked.end(), "LW Item Info 5"), asked.end());
  EXPECT_NE(std::find(asked.begin(), asked.end(), "Scene Objects 6"), asked.end());
  EXPECT_EQ(std::find(asked.begin(), asked.end(), "LW Item Info 9"), asked.end());
}

TEST_F(ActivationTest, ANewerHostIsAskedForTheNewerGlobalNames) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  const auto& asked = host->globalRequests;
  for (const char* name : {"LW Item Info 9", "LW Object Info 14", "Scene Objects 9", "LW Bone Info 7"})
    EXPECT_NE(std::find(asked.begin(), asked.end(), name), asked.end()) << name;
}

TEST_F(ActivationTest, ObjectsModeOnlyShowsAPanelTwiceThenAWarning) {
  for (uint64_t item : {demo.light, demo.camera, demo.bones[0]}) {
    EXPECT_EQ(activateOn(item), AFUNC_BADAPP_SILENT);
  }
  host->scene.clearSelection();
  EXPECT_EQ(host->activateTool("KTQ_VelmoraTool"), AFUNC_BADAPP_SILENT);
  ASSERT_EQ(host->messages.size(), 4u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(host->messages[i].kind, "panel");
    EXPECT_EQ(host->messages[i].title, "Information");
    EXPECT_EQ(host->messages[i].line1, "Objects mode only.");
  }
  for (int i = 2; i < 4; ++i) {
    EXPECT_EQ(host->messages[i].kind, "warning");
    EXPECT_EQ(host->messages[i].line1, "Objects mode only.");
  }
  EXPECT_FALSE(host->toolActive());
  EXPECT_EQ(host->appliedServers("MasterHandler").size(), 0u);
}

TEST_F(ActivationTest, AJapaneseHostGetsTheJapaneseMessage) {
  host->localeId = 1041;
  EXPECT_EQ(activateOn(demo.light), AFUNC_BADAPP_SILENT);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_NE(host->messages[0].line1, "Objects mode only.");
  EXPECT_FALSE(host->messages[0].line1.empty());
}

TEST_F(ActivationTest, AppliesTheMasterOnlyWhenItIsNotThere) {
  size_t from = logSize();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_EQ(countCommand(from, kApplyMaster), 1);
  EXPECT_EQ(host->appliedServers("MasterHandler"), std::vector<std::string>{"MasterControl_vmr"});

  host->leaveTool();
  ASSERT_TRUE(host->applyServer("MasterHandler", "MasterControl_vmr"));
  from = logSize();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_EQ(countCommand(from, kApplyMaster), 0);
  EXPECT_EQ(host->appliedServers("MasterHandler").size(), 1u);
}

TEST_F(ActivationTest, AHostWithoutTheMasterServerIsToldToReAddThePlugin) {
  host->withheldGlobals = {"LW Server Info"};
  EXPECT_EQ(activateOn(demo.limb), AFUNC_BADAPP_SILENT);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].line1, "You need to re-add the latest version of Velmora with the Add Plugins command,");
  EXPECT_EQ(host->messages[0].line2, "because of lack of components.");
}

TEST_F(ActivationTest, SetsUpTheInstanceAndItsScene) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  const InstData& inst = stInstData;
  EXPECT_EQ(inst.toolActive, 1);
  EXPECT_STREQ(inst.versionLabel, "Ver 1.07");
  EXPECT_STREQ(inst.weightMapName, "Upper");  // the demo's first map
  EXPECT_EQ(inst.weightMapIndex, 1);
  EXPECT_EQ(inst.brushSize, 160);
  EXPECT_EQ(inst.gradient.count, 5);
  EXPECT_EQ(inst.boneHandleSize, 72);
  EXPECT_EQ(inst.mesh.currentObject, reinterpret_cast<LWItemID>(demo.limb));
  EXPECT_EQ(inst.mesh.noObject, 0);
  EXPECT_EQ(inst.mesh.numPoints, 96);
  EXPECT_NEAR(inst.unitCircle[16][0], 0.0, 1e-12);
  EXPECT_NEAR(inst.unitCircle[16][1], 1.0, 1e-12);
  ASSERT_NE(inst.undo.head, nullptr);
  EXPECT_EQ(inst.undo.head, inst.undo.current);
  EXPECT_EQ(inst.undo.usedCost, 0);

  // The dummy object: hidden, locked, two points and one bone of rest length 0.0001.
  sim::SimItem* dummy = host->scene.findByName("(temporary data)");
  ASSERT_NE(dummy, nullptr);
  EXPECT_EQ(inst.mesh.dummyObject, reinterpret_cast<LWItemID>(dummy->id));
  EXPECT_EQ(dummy->mesh->numPoints(), 2u);
  EXPECT_TRUE(dummy->locked);
  EXPECT_EQ(dummy->visibility, 2);
  EXPECT_EQ(dummy->shadowOpts, 0u);
  auto bones = host->scene.itemsOfType(sim::ItemType::Bone, dummy->id);
  ASSERT_EQ(bones.size(), 1u);
  EXPECT_DOUBLE_EQ(host->scene.find(bones[0])->restLength, 0.0001);
  EXPECT_TRUE(host->scene.find(bones[0])->boneFlags & 1u);  // active: it reveals the deformation state
  EXPECT_EQ(inst.deformationsEnabled, 1);
  // The user's selection is back where it was, and the edit panel is open.
  EXPECT_EQ(host->scene.firstSelected(), demo.limb);
  ASSERT_FALSE(host->panels.empty());
  EXPECT_EQ(host->panels.back()->title, "Velmora");
  EXPECT_TRUE(host->panels.back()->open);
}

TEST_F(ActivationTest, SeesWhetherLayoutsDeformationsAreOff) {
  host->command("EnableDeformations");
  ASSERT_FALSE(host->scene.deformationsEnabled);
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_EQ(stInstData.deformationsEnabled, 0);
}

TEST_F(ActivationTest, ASceneWithoutWeightMapsStartsWithAMapNamedWeight) {
  host->scene.find(demo.limb)->mesh->vmaps().clear();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_STREQ(stInstData.weightMapName, "Weight");
  EXPECT_EQ(stInstData.weightMapIndex, 0);
  EXPECT_EQ(stInstData.mesh.meshReady, 1);
}

TEST_F(ActivationTest, ASavedMapNameThatIsGoneFallsBackToTheFirstMap) {
  ToolSettings saved;
  std::strcpy(saved.weightMapName, "Gone");
  saved.brushSize = 77;
  GradientData gradient;
  setInitGradients(gradient, 1);
  ASSERT_TRUE(saveCfgFile(saved, gradient, makeCfgFilePath(settingsDir)));
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_STREQ(stInstData.weightMapName, "Upper");
  EXPECT_EQ(stInstData.weightMapIndex, 1);
  EXPECT_EQ(stInstData.brushSize, 77);
  EXPECT_EQ(stInstData.gradient.count, 6);  // the Spectrum preset came from the file

  host->leaveTool();
  ToolSettings lower;
  std::strcpy(lower.weightMapName, "Lower");
  ASSERT_TRUE(saveCfgFile(lower, gradient, makeCfgFilePath(settingsDir)));
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_STREQ(stInstData.weightMapName, "Lower");
  EXPECT_EQ(stInstData.weightMapIndex, 2);
}

TEST_F(ActivationTest, ReActivationKeepsTheSettingsWithoutASettingsFile) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  stInstData.brushSize = 42;
  stInstData.strength[2] = 0.9f;
  stInstData.smoothIterations = 7;
  stInstData.transferSource = 3;
  std::strcpy(stInstData.mirrorSourceString, "Left");
  host->leaveTool();
  EXPECT_FALSE(host->toolActive());
  EXPECT_EQ(stInstData.toolActive, 0);
  std::filesystem::remove(makeCfgFilePath(settingsDir));

  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_EQ(stInstData.brushSize, 42);
  EXPECT_FLOAT_EQ(stInstData.strength[2], 0.9f);
  EXPECT_EQ(stInstData.smoothIterations, 7);
  EXPECT_EQ(stInstData.transferSource, 3);
  EXPECT_STREQ(stInstData.mirrorSourceString, "Left");
  EXPECT_EQ(stInstData.boneFollowsMap, 1);
  // Re-activation reuses the dummy object it left behind... or re-creates it when the
  // panel's closing removed it; either way there is exactly one.
  int dummies = 0;
  for (const auto& it : host->scene.items()) dummies += it->name == "(temporary data)" ? 1 : 0;
  EXPECT_EQ(dummies, 1);
}

TEST_F(ActivationTest, TheUndoBudgetFollowsTheFreeMemory) {
  int failed = 0;
  long long before = getFreeMemSizeIn100Bytes(&failed);
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  long long after = getFreeMemSizeIn100Bytes(&failed);
  ASSERT_EQ(failed, 0);
  if (std::min(before, after) > 2560001) {
    EXPECT_GE(stInstData.undo.costBudget, std::min(before, after) / 2 - 100000);
    EXPECT_LE(stInstData.undo.costBudget, std::max(before, after) / 2 + 100000);
  } else {
    EXPECT_EQ(stInstData.undo.costBudget, 1280000);
  }
}

TEST_F(ActivationTest, TheBoneHandlePreferencesComeFromLayoutsConfigFile) {
  // A 2020 host's settings folder is named after its version: "Layout 2020.0" is tried
  // second after "Layout <folder name>".
  host->layoutConfigText = "LayoutViewBoneHandleSize 96\nLayoutViewBoneHandleFill 0\n";
  ASSERT_TRUE(host->writeLayoutConfig("Layout 2020.0"));
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_EQ(stInstData.boneHandleSize, 96);
  EXPECT_EQ(stInstData.boneHandleAutoSize, 1);
  EXPECT_EQ(stInstData.boneHandleFill, 0);
}

TEST_F(ActivationTest, TheToolRecordCarriesTheCallbacks) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  sim::ToolSlot* slot = host->tool();
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot->local.instance, &stInstData);
  LWLayoutToolFuncs& f = slot->funcs;
  EXPECT_STREQ(f.help(slot->local.instance, nullptr), "Velmora Tool.");
  EXPECT_EQ(f.count, nullptr);
  EXPECT_EQ(f.panel, nullptr);
  EXPECT_EQ(f.dirty(slot->local.instance), 3);  // a redraw with re-capture is pending
  f.draw(slot->local.instance, nullptr);
  EXPECT_EQ(f.dirty(slot->local.instance), 0);
  // Callbacks given someone else's instance leave this one alone.
  int other = 0;
  f.done(&other);
  EXPECT_EQ(stInstData.toolActive, 1);
}

}  // namespace
