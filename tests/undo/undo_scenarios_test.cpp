// Undo and Redo in the simulated Layout: strokes painted with the mouse, map renames,
// multi-map changes and bone settings go back and forth on the object itself, through
// the same write-back that made them; records that no longer fit their object are
// consumed without touching it.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "mesh/snapshot.h"
#include "shell/mesh_edit_access.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"
#include "tool/stroke.h"
#include "undo/undo_record.h"
#include "undo/undo_replay.h"

#include "undo_scenario.h"

namespace {

using namespace undo_test;
using sim::Host;
namespace vt = velmora::tool;

TEST_F(UndoScenario, UndoAndRedoWalkTheStrokesBackAndForthOnTheObject) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  const ValueMap first = mapOf("Paint");
  ASSERT_FALSE(first.empty());
  stroke(x + 40, y - 20);
  const ValueMap second = mapOf("Paint");
  ASSERT_NE(first, second);
  ASSERT_EQ(undoRecordCount(stInstData.undo), 2);

  EXPECT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_EQ(mapOf("Paint"), first);
  expectSnapshotShows(first);
  // Undoing the first stroke removes the values it created.
  EXPECT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_TRUE(mapOf("Paint").empty());
  expectSnapshotShows({});
  EXPECT_EQ(pushUndoButtonEvent(stInstData), 0) << "nothing left to undo";
  EXPECT_FALSE(canUndo(stInstData.undo));

  EXPECT_EQ(pushRedoButtonEvent(stInstData), 1);
  EXPECT_EQ(mapOf("Paint"), first);
  EXPECT_EQ(pushRedoButtonEvent(stInstData), 1);
  EXPECT_EQ(mapOf("Paint"), second);
  expectSnapshotShows(second);
  EXPECT_EQ(pushRedoButtonEvent(stInstData), 0) << "nothing left to redo";
}

TEST_F(UndoScenario, NothingIsReplayedWhileARedrawIsPending) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  const ValueMap painted = mapOf("Paint");
  stInstData.redrawRequest = 3;  // the release asked for a frame the host has not drawn
  const size_t from = logSize();
  EXPECT_EQ(pushUndoButtonEvent(stInstData), 0);
  EXPECT_EQ(writeBacksSince(from), 0);
  EXPECT_EQ(mapOf("Paint"), painted);
  EXPECT_TRUE(canUndo(stInstData.undo));
  host->redrawViewports();
  EXPECT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_TRUE(mapOf("Paint").empty());
}

TEST_F(UndoScenario, AStrokeAfterAnUndoCutsTheRedoTail) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  stroke(x + 40, y - 20);
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  ASSERT_TRUE(canRedo(stInstData.undo));
  stroke(x - 40, y + 40);
  EXPECT_FALSE(canRedo(stInstData.undo));
  EXPECT_EQ(undoRecordCount(stInstData.undo), 2);
  const ValueMap now = mapOf("Paint");
  EXPECT_EQ(pushRedoButtonEvent(stInstData), 0);
  EXPECT_EQ(mapOf("Paint"), now);
}

TEST_F(UndoScenario, AClickThatChangedNothingIsAnEmptyStepThatWritesAnEmptyList) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  const ValueMap painted = mapOf("Paint");
  stroke(20, 20, 0);  // far off the limb
  ASSERT_EQ(undoRecordCount(stInstData.undo), 2);
  EXPECT_EQ(stInstData.undo.current->entryCount, 0);
  EXPECT_EQ(stInstData.undo.current->cost, 8u);
  const size_t from = logSize();
  EXPECT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_EQ(writeBacksSince(from), 1);
  EXPECT_EQ(mapOf("Paint"), painted);
}

TEST_F(UndoScenario, BlurIsUndoneToTheValuesBeforeTheBlur) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stInstData.brushSize = 30;
  stroke(x, y);
  const ValueMap painted = mapOf("Paint");
  stInstData.toolIndex = vt::kToolBlur;
  stInstData.brushSize = 80;
  stroke(x - 30, y, 6);
  ASSERT_NE(mapOf("Paint"), painted) << "the blur changed the map";
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  const ValueMap back = mapOf("Paint");
  ASSERT_EQ(back.size(), painted.size());
  for (const auto& [point, value] : painted) EXPECT_FLOAT_EQ(back.at(point), value) << "point " << point;
}

TEST_F(UndoScenario, ARecordOfAnotherObjectSelectsThatObjectFirst) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  switchToOther();
  const size_t from = logSize();
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  const auto log = commandsSince(from);
  const auto select = std::find(log.begin(), log.end(), selectCommand(demo.limb));
  const auto write = std::find(log.begin(), log.end(), "ModCommand_MEAccess_vmr");
  ASSERT_NE(select, log.end());
  ASSERT_NE(write, log.end());
  EXPECT_LT(select, write);
  EXPECT_TRUE(mapOf("Paint").empty());
  EXPECT_EQ(stInstData.mesh.currentObject, reinterpret_cast<LWItemID>(uintptr_t(host->currentIdOf(demo.limb))));
}

TEST_F(UndoScenario, ARecordOfADeletedObjectIsConsumedWithoutEffect) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  switchToOther();
  ASSERT_TRUE(host->scene.removeItem(host->currentIdOf(demo.limb)));
  const size_t from = logSize();
  EXPECT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_EQ(writeBacksSince(from), 0);
  EXPECT_FALSE(canUndo(stInstData.undo));
  EXPECT_TRUE(canRedo(stInstData.undo));
  EXPECT_EQ(stInstData.mesh.currentObject, reinterpret_cast<LWItemID>(uintptr_t(host->currentIdOf(other))));
}

TEST_F(UndoScenario, ARecordIsNotLaidOverAnObjectWhosePointCountChanged) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  const ValueMap painted = mapOf("Paint");
  const float p[3] = {5.0f, 5.0f, 5.0f};
  limb()->mesh->addPoint(p);
  limb()->mesh->touch();
  redraw();
  ASSERT_NE(stInstData.undo.current->pointCount, stInstData.mesh.numPoints);
  const size_t from = logSize();
  EXPECT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_EQ(writeBacksSince(from), 0);
  EXPECT_EQ(mapOf("Paint"), painted);
  EXPECT_FALSE(canUndo(stInstData.undo)) << "the step is consumed";
  // Redo meets the same check.
  EXPECT_EQ(pushRedoButtonEvent(stInstData), 1);
  EXPECT_EQ(writeBacksSince(from), 0);
}

TEST_F(UndoScenario, ARenameIsUndoneAndRedoneWithTheCurrentMapFollowing) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  const ValueMap painted = mapOf("Paint");
  renameCurrentMap("Renamed");
  redraw();
  ASSERT_FALSE(limbHasMap("Paint"));
  ASSERT_EQ(mapOf("Renamed"), painted);
  std::snprintf(stInstData.newWeightMapName, kMapNameSize, "Kept");

  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_FALSE(limbHasMap("Renamed"));
  EXPECT_EQ(mapOf("Paint"), painted);
  EXPECT_STREQ(stInstData.weightMapName, "Paint");
  EXPECT_STREQ(stInstData.newWeightMapName, "Kept") << "the rename dialog's name is the user's";
  expectSnapshotShows(painted);

  ASSERT_EQ(pushRedoButtonEvent(stInstData), 1);
  EXPECT_FALSE(limbHasMap("Paint"));
  EXPECT_EQ(mapOf("Renamed"), painted);
  EXPECT_STREQ(stInstData.weightMapName, "Renamed");

  // And the stroke before it still undoes on the old name.
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_TRUE(mapOf("Paint").empty());
}

TEST_F(UndoScenario, UndoingARenameWhoseMapIsGoneDeletesNothing) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  const ValueMap painted = mapOf("Paint");
  renameCurrentMap("Renamed");
  redraw();
  // Meanwhile, outside the tool: "Renamed" is deleted and a new "Paint" is made.
  ASSERT_TRUE(limb()->mesh->removeVMap(sim::kVMapWGHT, "Renamed"));
  limb()->mesh->addVMap(sim::kVMapWGHT, "Paint", 1).values[0] = {0.75f};
  limb()->mesh->touch();
  redraw();
  const size_t from = logSize();
  EXPECT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_EQ(writeBacksSince(from), 0);
  ASSERT_TRUE(limbHasMap("Paint"));
  EXPECT_FLOAT_EQ(mapOf("Paint").at(0), 0.75f);
  EXPECT_STREQ(stInstData.weightMapName, "Renamed");
}

TEST_F(UndoScenario, AMultiMapChangeIsUndoneAndRedoneInEveryMap) {
  const ValueMap upper = mapOf("Upper"), lower = mapOf("Lower");
  ASSERT_FALSE(upper.empty());
  // Points 0..5: Upper set to 0.5 (or removed where it had no value), Lower removed.
  MeshData& m = stInstData.mesh;
  std::vector<WeightStc> stc(12);
  int32_t n = 0;
  for (int32_t i = 0; i < 6; ++i) {
    auto before = [&](const ValueMap& map) { return map.count(uint32_t(i)) ? map.at(uint32_t(i)) : kUnassignedValue; };
    stc[size_t(2 * i)] = {"Upper", 0, upper.count(uint32_t(i)) ? 0.5f : kUnassignedValue, before(upper), 0.0,
                          &stc[size_t(2 * i + 1)]};
    stc[size_t(2 * i + 1)] = {"Lower", 1, kUnassignedValue, before(lower), 0.0, nullptr};
    m.changeIndices[size_t(n)] = i;
    m.pointMapLists[size_t(n++)] = &stc[size_t(2 * i)];
  }
  stInstData.changeCount = n;
  stInstData.mapsToDelete = nullptr;
  ASSERT_EQ(rec1Process(stInstData, kUndoMultiMap), 1);
  stInstData.meAccessOp = kOpMultiMapAfter;
  callMeshEditAccess(stInstData);
  for (int32_t i = 0; i < n; ++i) m.pointMapLists[size_t(i)] = nullptr;
  stc.clear();  // the command frees its records
  redraw();
  const ValueMap upperAfter = mapOf("Upper"), lowerAfter = mapOf("Lower");
  for (uint32_t i = 0; i < 6; ++i) ASSERT_FALSE(lowerAfter.count(i)) << "point " << i;

  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_EQ(mapOf("Upper"), upper);
  EXPECT_EQ(mapOf("Lower"), lower);
  ASSERT_EQ(pushRedoButtonEvent(stInstData), 1);
  EXPECT_EQ(mapOf("Upper"), upperAfter);
  EXPECT_EQ(mapOf("Lower"), lowerAfter);
}

TEST_F(UndoScenario, BoneSettingsGoBackAndForthThroughTheBoneCommands) {
  sim::SimItem* bone = host->scene.find(host->currentIdOf(demo.bones[1]));
  ASSERT_TRUE(bone);
  BoneSettingsChange c;
  c.bone = reinterpret_cast<LWItemID>(uintptr_t(bone->id));
  const std::string mapBefore = bone->weightMap;
  ASSERT_FALSE(mapBefore.empty());
  c.before.weightMap = mapBefore.c_str();
  c.before.strength = bone->strength;
  c.before.active = (bone->boneFlags & sim::kBoneActive) != 0;
  c.before.weightMapOnly = (bone->boneFlags & sim::kBoneWeightMapOnly) != 0;
  c.before.normalization = (bone->boneFlags & sim::kBoneWeightNorm) != 0;
  c.before.multiplyByRestLength = (bone->boneFlags & sim::kBoneScaleStrength) != 0;
  for (int a = 0; a < 3; ++a) c.before.restPos[a] = bone->restPosition[a], c.before.restRot[a] = bone->restRotation[a];
  const unsigned flagsBefore = bone->boneFlags;
  const sim::Vec3 restPosBefore = bone->restPosition, restRotBefore = bone->restRotation;
  // After: no weight map, inactive, a quarter of the strength, turned and moved.
  c.after = c.before;
  c.after.weightMap = nullptr;
  c.after.weightMapOnly = 0;
  c.after.active = 0;
  c.after.multiplyByRestLength = !c.before.multiplyByRestLength;
  c.after.strength = 0.25;
  c.after.restRot[0] += 0.5;
  c.after.restPos[1] += 0.125;
  ASSERT_EQ(rec1Process(stInstData, kUndoBonesOnly, std::span<const BoneSettingsChange>(&c, 1)), 1);
  // The record is made before the change is applied; the redo applies it here.
  stInstData.undo.current = stInstData.undo.current->prev;
  ASSERT_EQ(pushRedoButtonEvent(stInstData), 1);
  EXPECT_EQ(bone->weightMap, "");
  EXPECT_DOUBLE_EQ(bone->strength, 0.25);
  EXPECT_FALSE(bone->boneFlags & sim::kBoneActive);
  EXPECT_FALSE(bone->boneFlags & sim::kBoneWeightMapOnly);
  EXPECT_NEAR(bone->restRotation[0], restRotBefore[0] + 0.5, 1e-7);
  EXPECT_NEAR(bone->restPosition[1], restPosBefore[1] + 0.125, 1e-7);

  const size_t from = logSize();
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_EQ(bone->weightMap, mapBefore);
  EXPECT_NEAR(bone->strength, c.before.strength, 1e-8);
  EXPECT_EQ(bone->boneFlags & (sim::kBoneActive | sim::kBoneWeightMapOnly | sim::kBoneWeightNorm | sim::kBoneScaleStrength),
            flagsBefore & (sim::kBoneActive | sim::kBoneWeightMapOnly | sim::kBoneWeightNorm | sim::kBoneScaleStrength));
  for (int a = 0; a < 3; ++a) {
    EXPECT_NEAR(bone->restPosition[a], restPosBefore[a], 1e-7);
    EXPECT_NEAR(bone->restRotation[a], restRotBefore[a], 1e-7);
  }
  const auto log = commandsSince(from);
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log.front(), selectCommand(demo.bones[1]));
  EXPECT_EQ(log[1].rfind("BoneStrength ", 0), 0u);
  EXPECT_NE(std::find(log.begin(), log.end(), "BoneWeightMapName " + mapBefore), log.end());
  EXPECT_EQ(countCommand(from, "ModCommand_MEAccess_vmr"), 0) << "bone settings write no weights";
  EXPECT_NE(std::find(log.begin(), log.end(), selectCommand(demo.limb)), log.end()) << "the object is selected again";
}

}  // namespace

namespace {

LWItemID lwItem(uint64_t id) { return reinterpret_cast<LWItemID>(uintptr_t(id)); }

TEST_F(UndoScenario, UndoWritesTheRecordedMapAndMakesItCurrentAgain) {
  const auto [x, y] = screenOf({0, 0.8, 0});
  stroke(x, y);
  const ValueMap upper = mapOf("Upper");
  std::snprintf(stInstData.weightMapName, kMapNameSize, "Upper");
  redraw();
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_STREQ(stInstData.weightMapName, "Paint");
  EXPECT_TRUE(mapOf("Paint").empty());
  EXPECT_EQ(mapOf("Upper"), upper) << "the map that was current at the undo is left alone";
}

TEST_F(UndoScenario, TheRecordedBoneBecomesTheOnlySelectedBone) {
  const uint64_t lower = host->currentIdOf(demo.bones[1]);
  const double restLength = host->scene.find(lower)->restLength;
  const auto [x, y] = screenOf({0, 0.8, 0});
  stInstData.pickedBones.assign(1, BonePick{lwItem(lower), 1.0});
  stroke(x, y);
  ASSERT_EQ(stInstData.undo.current->selectedBoneId, lwItem(lower));
  stroke(x + 30, y + 30);

  // A z-axis bone carries its rest length.
  stInstData.pickedBones.assign(2, BonePick{lwItem(host->currentIdOf(demo.bones[0])), 1.0});
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  ASSERT_EQ(stInstData.pickedBones.size(), 1u);
  EXPECT_EQ(stInstData.pickedBones[0].bone, lwItem(lower));
  EXPECT_DOUBLE_EQ(stInstData.pickedBones[0].lengthKey, restLength);

  // With the bone link off the selection is emptied.
  ASSERT_EQ(pushRedoButtonEvent(stInstData), 1);
  stInstData.boneFollowsMap = 0;
  stInstData.pickedBones.assign(1, BonePick{lwItem(lower), 1.0});
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  EXPECT_TRUE(stInstData.pickedBones.empty());

  // A bone that no longer exists leaves the selection as it is.
  ASSERT_EQ(pushRedoButtonEvent(stInstData), 1);
  stInstData.boneFollowsMap = 1;
  ASSERT_TRUE(host->scene.removeItem(lower));
  redraw();
  stInstData.pickedBones.assign(1, BonePick{lwItem(host->currentIdOf(demo.bones[0])), 2.0});
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  ASSERT_EQ(stInstData.pickedBones.size(), 1u);
  EXPECT_EQ(stInstData.pickedBones[0].bone, lwItem(host->currentIdOf(demo.bones[0])));
}

TEST_F(UndoScenario, AJointBoneUnderAJointBoneCarriesTheDistanceBetweenTheirPivots) {
  // "Lower" sits 1.2 along "Upper"; its own rest length is made different from that.
  sim::SimItem* upper = host->scene.find(host->currentIdOf(demo.bones[0]));
  sim::SimItem* lower = host->scene.find(host->currentIdOf(demo.bones[1]));
  upper->boneType = lower->boneType = 1;
  lower->restLength = 0.5;
  redraw();
  const auto [x, y] = screenOf({0, 0.8, 0});
  stInstData.pickedBones.assign(1, BonePick{lwItem(lower->id), 1.0});
  stroke(x, y);
  stInstData.pickedBones.clear();
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  ASSERT_EQ(stInstData.pickedBones.size(), 1u);
  EXPECT_NEAR(stInstData.pickedBones[0].lengthKey, 1.2, 1e-6);
  // The first joint of the chain has no joint parent: its rest length.
  ASSERT_EQ(pushRedoButtonEvent(stInstData), 1);
  stInstData.pickedBones.assign(1, BonePick{lwItem(upper->id), 1.0});
  stroke(x + 20, y);
  ASSERT_EQ(pushUndoButtonEvent(stInstData), 1);
  ASSERT_EQ(stInstData.pickedBones.size(), 1u);
  EXPECT_DOUBLE_EQ(stInstData.pickedBones[0].lengthKey, upper->restLength);
}

TEST_F(UndoScenario, ABoneThatNoLongerExistsIsSkippedSilently) {
  const uint64_t hand = host->currentIdOf(demo.bones[2]);
  BoneSettingsChange c;
  c.bone = lwItem(hand);
  c.before.weightMap = "Hand";
  c.after.weightMap = "Lower";
  ASSERT_EQ(rec1Process(stInstData, kUndoBonesOnly, std::span<const BoneSettingsChange>(&c, 1)), 1);
  ASSERT_TRUE(host->scene.removeItem(hand));
  redraw();
  const size_t from = logSize();
  EXPECT_EQ(pushUndoButtonEvent(stInstData), 1);
  for (const std::string& command : commandsSince(from)) EXPECT_EQ(command.rfind("Bone", 0), std::string::npos) << command;
  EXPECT_TRUE(host->hostFaults.empty());
}

}  // namespace
