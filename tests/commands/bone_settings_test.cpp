// "Change Settings for Bones" on the demo limb's three bones: which bones it changes,
// what each "Change ..." box stands for, the enabled state of the dialog's groups, the
// undo step that restores every bone with the host's bone commands, and a change that
// survives the scene being saved and read back.
#include <cstdio>
#include <filesystem>
#include <string>

#include "command_fixture_maps.h"
#include "files/lws_scene.h"
#include "io/scene_files.h"
#include "shell/inst_data.h"

namespace {

// The dialog's answer: the three boxes and the values of their groups.
struct BoneDialogAnswer {
  int changeActive = 0, changeMap = 0, changeInfluence = 0;
  int active = 1, mapItem = 0, weightMapOnly = 0, normalization = 0, multiply = 0;
  double strengthPercent = 100.0;
  int answer = 1;
  // What the dialog showed when it opened.
  bool activeGhosted = false, mapGhosted = false, strengthGhosted = false;
  double shownStrength = -1;
  std::vector<std::string> mapItems;

  int run(sim::PanelState& p) {
    activeGhosted = p.control("Bone Active")->ghosted;
    mapGhosted = p.control("Bone Weight Map")->ghosted;
    strengthGhosted = p.control("Strength")->ghosted;
    shownStrength = p.control("Strength")->floatValue;
    mapItems = p.control("Bone Weight Map")->popupItems();
    clickControl(p.control("Change Bone Active"), changeActive);
    clickControl(p.control("Change Weight Map"), changeMap);
    clickControl(p.control("Change Influence Settings"), changeInfluence);
    p.control("Bone Active")->intValue = active;
    p.control("Bone Weight Map")->intValue = mapItem;
    p.control("Use Weight Map Only")->intValue = weightMapOnly;
    p.control("Weight Normalization")->intValue = normalization;
    p.control("Strength")->floatValue = strengthPercent;
    p.control("Multiply Strength by Rest Length")->intValue = multiply;
    return answer;
  }
};

class BoneSettingsCommand : public MapCommandTest {
 protected:
  void changeBones(BoneDialogAnswer& a) {
    whenDialogOpens([&a](sim::PanelState& p) { return a.run(p); });
    runFromMenu(kCmdBoneSettings);
  }
  std::string selectBone(int k) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "SelectItem %x", unsigned(demo.bones[k] & 0xFFFFFFFFu));
    return buf;
  }
};

TEST_F(BoneSettingsCommand, WithNoBoneSelectedEveryBoneOfTheObjectChanges) {
  useMap("Weight");  // no bone uses it: no bone is selected
  ASSERT_TRUE(stInstData.pickedBones.empty());
  BoneDialogAnswer a;
  a.changeInfluence = 1;
  a.strengthPercent = 50;
  a.weightMapOnly = 1;
  a.normalization = 1;
  changeBones(a);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(bone(k)->strength, 0.5) << k;
    EXPECT_TRUE(bone(k)->boneFlags & sim::kBoneWeightMapOnly) << k;
    EXPECT_TRUE(bone(k)->boneFlags & sim::kBoneWeightNorm) << k;
    EXPECT_EQ(bone(k)->weightMap, std::vector<std::string>({"Upper", "Lower", "Hand"})[size_t(k)]);
  }
  EXPECT_EQ(undoSteps(), 1);
}

TEST_F(BoneSettingsCommand, OnlyTheSelectedBonesChangeAndTheDialogShowsTheFirst) {
  bone(1)->strength = 0.25;
  useMap("Lower");  // the bone link selects the bone using it
  ASSERT_EQ(stInstData.pickedBones.size(), 1u);
  const std::vector<BoneState> before = allBones();
  BoneDialogAnswer a;
  a.changeActive = 1;
  a.active = 0;
  a.changeInfluence = 0;
  changeBones(a);
  EXPECT_DOUBLE_EQ(a.shownStrength, 25.0);
  EXPECT_FALSE(bone(1)->boneFlags & sim::kBoneActive);
  EXPECT_EQ(boneState(0), before[0]);
  EXPECT_EQ(boneState(2), before[2]);
}

TEST_F(BoneSettingsCommand, ASelectedBoneThatVanishedMakesTheCommandFallBackToEveryBone) {
  useMap("Lower");
  ASSERT_EQ(stInstData.pickedBones.size(), 1u);
  stInstData.pickedBones.push_back(BonePick{reinterpret_cast<LWItemID>(uintptr_t(0x4FFF0FFFu)), 1.0});
  BoneDialogAnswer a;
  a.changeInfluence = 1;
  a.strengthPercent = 30;
  changeBones(a);
  EXPECT_TRUE(stInstData.pickedBones.empty());
  for (int k = 0; k < 3; ++k) EXPECT_EQ(bone(k)->strength, 0.3) << k;
}

TEST_F(BoneSettingsCommand, NoneSetsNoWeightMapAndSwitchesWeightMapOnlyOff) {
  for (int k = 0; k < 3; ++k) bone(k)->boneFlags |= sim::kBoneWeightMapOnly;
  useMap("Weight");
  BoneDialogAnswer a;
  a.changeMap = 1;
  a.mapItem = 0;
  a.changeInfluence = 0;
  changeBones(a);
  ASSERT_GE(a.mapItems.size(), 4u);
  EXPECT_EQ(a.mapItems[0], " (none) ");
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(bone(k)->weightMap, "") << k;
    EXPECT_FALSE(bone(k)->boneFlags & sim::kBoneWeightMapOnly) << k;
  }
  EXPECT_STREQ(stInstData.weightMapName, "");
}

TEST_F(BoneSettingsCommand, UndoRestoresEachBoneWithTheBoneCommandsOfItsFormerSettings) {
  useMap("Weight");
  const std::vector<BoneState> before = allBones();
  BoneDialogAnswer a;
  a.changeMap = 1;
  a.mapItem = 0;
  a.changeInfluence = 1;
  a.strengthPercent = 40;
  a.multiply = 1;
  changeBones(a);
  ASSERT_EQ(undoSteps(), 1);
  const std::vector<BoneState> after = allBones();
  ASSERT_NE(after, before);

  const size_t from = logSize();
  ASSERT_TRUE(undo());
  EXPECT_EQ(allBones(), before);
  // The "Hand" bone: strength, rest pose, the multiply toggle back off, its map name,
  // weight map only on for the normalization toggle and off again.
  const std::vector<std::string> log = commandsSince(from);
  std::vector<std::string> hand;
  bool inHand = false;
  for (const std::string& c : log) {
    if (c.rfind("SelectItem", 0) == 0) inHand = c == selectBone(2);
    if (inHand) hand.push_back(c);
  }
  EXPECT_EQ(hand, (std::vector<std::string>{selectBone(2), "BoneStrength 1.00000000",
                                            "BoneRestPosition 0.00000000 0.00000000 1.20000000",
                                            "BoneRestRotation 0.00000000 0.00000000 0.00000000", "BoneStrengthMultiply",
                                            "BoneWeightMapName Hand", "BoneWeightMapOnly", "BoneWeightMapOnly"}));
  ASSERT_TRUE(redo());
  EXPECT_EQ(allBones(), after);
}

TEST_F(BoneSettingsCommand, WithAllThreeChangeBoxesOffNothingChangesOrIsRecorded) {
  useMap("Weight");
  const std::vector<BoneState> before = allBones();
  const size_t from = logSize();
  BoneDialogAnswer a;
  a.strengthPercent = 10;
  changeBones(a);
  EXPECT_EQ(allBones(), before);
  EXPECT_EQ(undoSteps(), 0);
  EXPECT_EQ(countCommand(from, "BoneStrength 0.10000000"), 0);
  EXPECT_EQ(stInstData.boneSettingInfluence, 0);
}

TEST_F(BoneSettingsCommand, EachChangeBoxGhostsItsGroupWhenOff) {
  stInstData.boneSettingActive = 0;
  stInstData.boneSettingWeightMap = 1;
  stInstData.boneSettingInfluence = 0;
  BoneDialogAnswer opened;
  opened.answer = 0;
  changeBones(opened);
  EXPECT_TRUE(opened.activeGhosted);
  EXPECT_FALSE(opened.mapGhosted);
  EXPECT_TRUE(opened.strengthGhosted);

  bool ghostedAfterClick = true;
  whenDialogOpens([&](sim::PanelState& p) {
    clickControl(p.control("Change Bone Active"), 1);
    ghostedAfterClick = p.control("Bone Active")->ghosted;
    return 0;
  });
  runFromMenu(kCmdBoneSettings);
  EXPECT_FALSE(ghostedAfterClick);
  EXPECT_EQ(undoSteps(), 0);
}

TEST_F(BoneSettingsCommand, ABoneChangeIsWrittenByTheSceneSaveAndReadsBack) {
  sim::LoadedScene scene = sim::sceneFromHost(*host, {{demo.limb, "Limb.lwo"}});
  useMap("Weight");
  BoneDialogAnswer a;
  a.changeMap = 1;
  a.mapItem = 0;
  a.changeInfluence = 1;
  a.strengthPercent = 75;
  a.normalization = 1;
  a.changeActive = 1;
  a.active = 0;
  changeBones(a);

  const std::string dir = makeTempDir();
  const std::string path = (std::filesystem::path(dir) / "limb.lws").string();
  sim::FileError fe;
  std::vector<std::string> changes, warnings;
  ASSERT_TRUE(sim::saveSceneFromHost(*host, scene, path, fe, &changes, &warnings)) << fe.text();
  EXPECT_TRUE(warnings.empty()) << (warnings.empty() ? "" : warnings[0]);
  sim::LwsScene back;
  ASSERT_TRUE(sim::loadLws(path, back, fe)) << fe.text();
  removeTempDir(dir);
  for (const char* name : {"Upper", "Lower", "Hand"}) {
    const int index = back.findItem(sim::LwsItemType::Bone, name);
    ASSERT_GE(index, 0) << name;
    const sim::LwsBone& b = back.items[size_t(index)].bone;
    EXPECT_EQ(b.strength, 0.75) << name;
    EXPECT_TRUE(b.weightMapName.empty()) << name;
    EXPECT_TRUE(b.normalization) << name;
    EXPECT_FALSE(b.weightMapOnly) << name;
    EXPECT_FALSE(b.active) << name;
  }
}

}  // namespace
