// The write-back through the module's own mesh-edit command.
#include <gtest/gtest.h>

#include <cstring>

#include "mesh/weight_stc.h"
#include "shell/mesh_edit_access.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"

extern "C" {
#include <lwmodule.h>
}

namespace {

class WriteBackTest : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  }
  sim::SimMesh& limb() { return *host->scene.find(demo.limb)->mesh; }
  void setChanges(std::initializer_list<std::pair<int, float>> changes) {
    InstData& inst = stInstData;
    inst.changeCount = 0;
    for (auto [index, value] : changes) {
      inst.mesh.changeIndices[size_t(inst.changeCount)] = index;
      inst.mesh.changeValues[size_t(inst.changeCount)] = value;
      inst.changeCount++;
    }
  }
};

TEST_F(WriteBackTest, StoresValuesAndRemovesUnassignedPoints) {
  InstData& inst = stInstData;
  ASSERT_STREQ(inst.weightMapName, "Upper");
  ASSERT_NE(limbValue("Upper", 3), nullptr);
  setChanges({{1, 0.25f}, {3, kUnassignedValue}, {95, 0.75f}});
  inst.meAccessOp = kOpStoreValues;
  size_t from = logSize();
  callMeshEditAccess(inst);
  EXPECT_EQ(countCommand(from, "ModCommand_MEAccess_vmr"), 1);
  ASSERT_NE(limbValue("Upper", 1), nullptr);
  EXPECT_FLOAT_EQ((*limbValue("Upper", 1))[0], 0.25f);
  EXPECT_EQ(limbValue("Upper", 3), nullptr);
  ASSERT_NE(limbValue("Upper", 95), nullptr);
  EXPECT_FLOAT_EQ((*limbValue("Upper", 95))[0], 0.75f);
  // Untouched points keep their values.
  EXPECT_NE(limbValue("Upper", 0), nullptr);
}

TEST_F(WriteBackTest, TheFirstWriteCreatesAMissingMap) {
  InstData& inst = stInstData;
  std::strcpy(inst.weightMapName, "Fresh");
  setChanges({{0, 1.0f}, {10, 0.5f}});
  callMeshEditAccess(inst);
  const sim::SimVMap* map = limb().findVMap(sim::kVMapWGHT, "Fresh");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->dimension, 1);
  EXPECT_EQ(map->values.size(), 2u);
}

TEST_F(WriteBackTest, AnEmptyChangeListCommitsAnEditWithoutWriting) {
  auto before = limb().vmaps().front().values;
  setChanges({});
  int committed = host->editsCommitted;
  callMeshEditAccess(stInstData);
  EXPECT_EQ(host->editsCommitted, committed + 1);
  EXPECT_EQ(limb().vmaps().front().values, before);
}

TEST_F(WriteBackTest, RenamingOntoAnExistingMapReplacesIt) {
  InstData& inst = stInstData;
  auto upper = limb().findVMap(sim::kVMapWGHT, "Upper")->values;
  std::strcpy(inst.newWeightMapName, "Lower");
  inst.meAccessOp = kOpRenameMap;
  callMeshEditAccess(inst);
  EXPECT_EQ(inst.meAccessOp, kOpMapChanged);
  EXPECT_EQ(limb().findVMap(sim::kVMapWGHT, "Upper"), nullptr);
  ASSERT_NE(limb().findVMap(sim::kVMapWGHT, "Lower"), nullptr);
  EXPECT_EQ(limb().findVMap(sim::kVMapWGHT, "Lower")->values, upper);
  int lowers = 0;
  for (const auto& m : limb().vmaps()) lowers += m.name == "Lower" ? 1 : 0;
  EXPECT_EQ(lowers, 1);
}

TEST_F(WriteBackTest, RenamingAMapOntoItsOwnNameKeepsIt) {
  InstData& inst = stInstData;
  auto upper = limb().findVMap(sim::kVMapWGHT, "Upper")->values;
  std::strcpy(inst.newWeightMapName, "Upper");
  inst.meAccessOp = kOpRenameMap;
  callMeshEditAccess(inst);
  ASSERT_NE(limb().findVMap(sim::kVMapWGHT, "Upper"), nullptr);
  EXPECT_EQ(limb().findVMap(sim::kVMapWGHT, "Upper")->values, upper);
}

TEST_F(WriteBackTest, DeletingOrRenamingAMissingMapChangesNothing) {
  InstData& inst = stInstData;
  std::strcpy(inst.weightMapName, "Nowhere");
  std::strcpy(inst.newWeightMapName, "Elsewhere");
  size_t maps = limb().vmaps().size();
  for (int op : {int(kOpDeleteMap), int(kOpRenameMap)}) {
    inst.meAccessOp = op;
    callMeshEditAccess(inst);
    EXPECT_EQ(inst.meAccessOp, op);
    EXPECT_EQ(limb().vmaps().size(), maps);
  }
  // A rename from a missing map onto an existing one leaves that one alone.
  std::strcpy(inst.newWeightMapName, "Lower");
  const auto lower = limb().findVMap(sim::kVMapWGHT, "Lower")->values;
  inst.meAccessOp = kOpRenameMap;
  callMeshEditAccess(inst);
  EXPECT_EQ(inst.meAccessOp, int(kOpRenameMap));
  ASSERT_NE(limb().findVMap(sim::kVMapWGHT, "Lower"), nullptr);
  EXPECT_EQ(limb().findVMap(sim::kVMapWGHT, "Lower")->values, lower);
  std::strcpy(inst.weightMapName, "Hand");
  inst.meAccessOp = kOpDeleteMap;
  callMeshEditAccess(inst);
  EXPECT_EQ(inst.meAccessOp, kOpMapChanged);
  EXPECT_EQ(limb().findVMap(sim::kVMapWGHT, "Hand"), nullptr);
}

TEST_F(WriteBackTest, MultiMapChangesDeleteFirstThenWriteAfterOrBeforeValues) {
  InstData& inst = stInstData;
  auto weight = [](const char* map, float after, float before) {
    WeightStc w;
    w.mapName = map;
    w.valueAfter = after;
    w.valueBefore = before;
    return w;
  };
  WeightStc a = weight("Upper", 0.5f, 0.1f);
  WeightStc b = weight("Extra", 0.6f, kUnassignedValue);
  a.next = &b;
  WeightStc c = weight("Upper", kUnassignedValue, 0.3f);
  setChanges({{2, 0}, {40, 0}});
  inst.mesh.pointMapLists[0] = &a;
  inst.mesh.pointMapLists[1] = &c;
  MapDelete del;
  del.name = "Hand";
  inst.mapsToDelete = &del;
  inst.meAccessOp = kOpMultiMapAfter;
  callMeshEditAccess(inst);
  EXPECT_EQ(limb().findVMap(sim::kVMapWGHT, "Hand"), nullptr);
  EXPECT_FLOAT_EQ((*limbValue("Upper", 2))[0], 0.5f);
  EXPECT_FLOAT_EQ((*limbValue("Extra", 2))[0], 0.6f);
  EXPECT_EQ(limbValue("Upper", 40), nullptr);

  inst.mapsToDelete = nullptr;
  inst.meAccessOp = kOpMultiMapBefore;
  callMeshEditAccess(inst);
  EXPECT_FLOAT_EQ((*limbValue("Upper", 2))[0], 0.1f);
  EXPECT_EQ(limbValue("Extra", 2), nullptr);
  EXPECT_FLOAT_EQ((*limbValue("Upper", 40))[0], 0.3f);
  inst.mesh.pointMapLists[0] = inst.mesh.pointMapLists[1] = nullptr;
}

TEST_F(WriteBackTest, AWeightShadedDisplayRestoresTheObjectsVisibilityAroundTheCommand) {
  InstData& inst = stInstData;
  inst.visibility = 1;
  inst.mesh.savedVisibility = 5;
  setChanges({{0, 0.5f}});
  size_t from = logSize();
  callMeshEditAccess(inst);
  std::vector<std::string> expected = {"Refresh", "ItemVisibility 5", "ModCommand_MEAccess_vmr", "ItemVisibility 1"};
  std::vector<std::string> issued = commandsSince(from);
  issued.resize(std::min(issued.size(), expected.size()));
  EXPECT_EQ(issued, expected);
  EXPECT_EQ(host->scene.find(demo.limb)->visibility, 1);
  EXPECT_EQ(inst.pendingRefresh, 0);
}

using WriteBackOnAnOlderHost = ModuleFixture;

TEST_F(WriteBackOnAnOlderHost, GetsNoRefreshBeforeTheCommand) {
  host->product.build = 3000;
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  stInstData.changeCount = 1;
  stInstData.mesh.changeIndices[0] = 0;
  stInstData.mesh.changeValues[0] = 0.5f;
  size_t from = logSize();
  callMeshEditAccess(stInstData);
  EXPECT_EQ(commandsSince(from).front(), "ModCommand_MEAccess_vmr");
}

TEST(WriteBackWithoutTool, TheCommandDoesNothingAndSucceedsWhenNoToolListens) {
  sim::Host host;
  sim::DemoScene demo = sim::buildDemoScene(host.scene, true, 4, 6);
  std::string error;
  ASSERT_TRUE(host.addModule(&_mod_descrip, "in-process", &error)) << error;
  host.scene.select(demo.limb);
  auto before = host.scene.find(demo.limb)->mesh->vmaps().front().values;
  EXPECT_EQ(host.command("ModCommand_MEAccess_vmr"), 1);
  EXPECT_TRUE(host.commandLog.back().ok);
  EXPECT_EQ(host.editsBegun, 0);
  EXPECT_EQ(host.scene.find(demo.limb)->mesh->vmaps().front().values, before);
}

}  // namespace
