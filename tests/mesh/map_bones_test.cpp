// The bones that follow the current weight map: found in the object's item tree, joint
// bones only below joint bones, kept in the tool's selected-bone list.
#include <gtest/gtest.h>

#include <set>

#include "mesh/map_bones.h"
#include "mesh/snapshot_invariants.h"

namespace {

using MapBonesTest = SnapshotFixture;

std::set<uint64_t> selectedBones() {
  std::set<uint64_t> out;
  for (const BonePick& b : stInstData.pickedBones) {
    out.insert(uint64_t(reinterpret_cast<uintptr_t>(b.bone)));
    EXPECT_EQ(b.lengthKey, 1.0);
  }
  return out;
}

TEST_F(MapBonesTest, OnlyTheTreesBonesOfTheMapAreSelectedJointsOnlyBelowJoints) {
  sim::SimScene& scene = host->scene;
  auto bone = [&](uint64_t parent, const char* name, int type, const char* map) {
    sim::SimItem& b = scene.addBone(demo.limb, parent, name);
    b.boneType = type;
    b.weightMap = map;
    return b.id;
  };
  // A joint chain under the object: its first joint hangs below a non-joint (the object)
  // and only marks where the chain starts.
  const uint64_t j1 = bone(0, "J1", 1, "Arm");
  const uint64_t j2 = bone(j1, "J2", 1, "Arm");
  const uint64_t j3 = bone(j2, "J3", 1, "Other");
  const uint64_t z = bone(j1, "Z", 0, "Arm");
  // A joint below a z-axis bone, and a bone the tree does not reach (below a light).
  const uint64_t jz = bone(z, "JZ", 1, "Arm");
  sim::SimItem& light = scene.addLight("Lamp");
  light.parent = j3;
  const uint64_t hidden = bone(light.id, "Hidden", 0, "Arm");
  (void)hidden;

  capture(demo.limb);
  stInstData.pickedBones.push_back({reinterpret_cast<LWItemID>(uintptr_t(demo.bones[0])), 3.0});
  EXPECT_EQ(selectBonesByWeightName(stInstData, "Arm"), 2);
  EXPECT_EQ(selectedBones(), (std::set<uint64_t>{j2, z}));
  (void)jz;

  // Another map replaces the list; a map no bone uses empties it.
  EXPECT_EQ(selectBonesByWeightName(stInstData, "Other"), 1);
  EXPECT_EQ(selectedBones(), (std::set<uint64_t>{j3}));
  EXPECT_EQ(selectBonesByWeightName(stInstData, "Nothing"), 0);
  EXPECT_TRUE(stInstData.pickedBones.empty());

  // With the bone link off the list is emptied and nothing is selected.
  selectBonesByWeightName(stInstData, "Arm");
  stInstData.boneFollowsMap = 0;
  EXPECT_EQ(selectBonesByWeightName(stInstData, "Arm"), 0);
  EXPECT_TRUE(stInstData.pickedBones.empty());

  // The list is the tool's, not the snapshot's: a re-capture of the same object keeps it.
  stInstData.boneFollowsMap = 1;
  selectBonesByWeightName(stInstData, "Arm");
  capture(demo.limb);
  EXPECT_EQ(selectedBones(), (std::set<uint64_t>{j2, z}));
}

}  // namespace
