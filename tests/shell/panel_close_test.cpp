// Closing the edit panel: what it saves, in which order it leaves the scene, and the
// write-back's list handling and visibility choices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "gradient/gradient.h"
#include "settings/cfg_file.h"
#include "shell/mesh_edit_access.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"

namespace {

class PanelClose : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  }
  sim::PanelState* editPanel() const {
    for (const auto& p : host->panels)
      if (p->open && p->title == "Velmora") return p.get();
    return nullptr;
  }
};

TEST_F(PanelClose, TheUsersGradientIsSavedBeforeItIsFreed) {
  ASSERT_NE(add1NewGradientSeg(stInstData.gradient, 0.37f), nullptr);
  const std::vector<float> edited = getFloatArrayWithGradients(stInstData.gradient);
  sim::PanelState* panel = editPanel();
  ASSERT_NE(panel, nullptr);
  sim::closePanelAsUser(panel);
  EXPECT_EQ(stInstData.gradient.count, 0);  // freed with the panel

  ToolSettings settings;
  GradientData saved;
  ASSERT_TRUE(loadCfgFile(settings, saved, makeCfgFilePath(settingsDir)));
  EXPECT_EQ(getFloatArrayWithGradients(saved), edited);
}

TEST_F(PanelClose, TheSceneIsRestoredBeforeTheMasterGoes) {
  stInstData.visibility = 1;
  host->scene.find(demo.limb)->visibility = 1;
  stInstData.mesh.savedVisibility = 4;
  host->scene.deformationsEnabled = false;
  host->evaluateScene();
  size_t from = logSize();
  sim::closePanelAsUser(editPanel());
  std::vector<std::string> c = commandsSince(from);
  auto at = [&](const std::string& text) { return std::find(c.begin(), c.end(), text) - c.begin(); };
  ASSERT_LT(at("ItemVisibility 4"), long(c.size()));
  EXPECT_LT(at("ItemVisibility 4"), at("EnableDeformations"));
  EXPECT_LT(at("EnableDeformations"), at("ClearSelected"));
  EXPECT_LT(at("ClearSelected"), at("RemoveServer MasterHandler 1"));
  EXPECT_LT(at("RemoveServer MasterHandler 1"), at("ChangeTool"));
  EXPECT_EQ(host->scene.find(demo.limb)->visibility, 4);
  EXPECT_TRUE(host->scene.deformationsEnabled);
}

TEST_F(PanelClose, AutoSaveSavesTheObjectsWhileTheDummyIsGone) {
  stInstData.autoSave = 1;
  size_t from = logSize();
  sim::closePanelAsUser(editPanel());
  std::vector<std::string> c = commandsSince(from);
  auto save = std::find(c.begin(), c.end(), "SaveAllObjects");
  ASSERT_NE(save, c.end());
  EXPECT_LT(std::find(c.begin(), c.end(), "ClearSelected"), save);
}

using WriteBackList = PanelClose;

TEST_F(WriteBackList, RepeatedIndicesDoNotHideTheEntriesAfterThem) {
  InstData& inst = stInstData;
  const int32_t indices[] = {1, 1, 3, 3, 6};
  const float values[] = {0.2f, 0.4f, 0.6f, 0.7f, 0.9f};
  inst.changeCount = 5;
  for (int i = 0; i < 5; ++i) {
    inst.mesh.changeIndices[size_t(i)] = indices[i];
    inst.mesh.changeValues[size_t(i)] = values[i];
  }
  inst.meAccessOp = kOpStoreValues;
  callMeshEditAccess(inst);
  ASSERT_NE(limbValue("Upper", 3), nullptr);
  ASSERT_NE(limbValue("Upper", 6), nullptr);
  EXPECT_FLOAT_EQ((*limbValue("Upper", 1))[0], 0.2f);
  EXPECT_FLOAT_EQ((*limbValue("Upper", 3))[0], 0.6f);
  EXPECT_FLOAT_EQ((*limbValue("Upper", 6))[0], 0.9f);
}

TEST_F(WriteBackList, EveryShadedChoiceShowsTheObjectsOwnDisplayDuringTheCommand) {
  InstData& inst = stInstData;
  for (int choice : {0, 1, 2}) {
    SCOPED_TRACE(choice);
    inst.visibility = choice;
    inst.mesh.savedVisibility = 6;
    inst.changeCount = 1;
    inst.mesh.changeIndices[0] = 0;
    inst.mesh.changeValues[0] = 0.5f;
    inst.meAccessOp = kOpStoreValues;
    size_t from = logSize();
    callMeshEditAccess(inst);
    std::vector<std::string> expected =
        choice ? std::vector<std::string>{"Refresh", "ItemVisibility 6", "ModCommand_MEAccess_vmr", "ItemVisibility 1"}
               : std::vector<std::string>{"Refresh", "ModCommand_MEAccess_vmr"};
    EXPECT_EQ(commandsSince(from), expected);
  }
}

}  // namespace
