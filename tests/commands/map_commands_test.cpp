// Rename, copy, delete and combine of weight maps on the demo limb, run from the "Edit"
// menu with their dialogs answered as a user would: what they write into the object,
// what they do to the bones, and that one Undo gives everything back.
#include <cstring>
#include <string>

#include "command_fixture_maps.h"
#include "commands/combine_maps.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"

namespace {

std::function<int(sim::PanelState&)> typeName(const std::string& name, int answer = 1) {
  return [name, answer](sim::PanelState& p) {
    sim::ControlState* field = p.control("New Name");
    if (!field) return 0;
    field->stringValue = name;
    return answer;
  };
}

// A point of the limb where "Upper" and "Lower" both hold values (the elbow blend).
uint32_t elbowPoint(const ValueMap& upper, const ValueMap& lower) {
  for (const auto& [point, v] : upper)
    if (lower.count(point)) return point;
  return UINT32_MAX;
}

class MapCommands : public MapCommandTest {};

TEST_F(MapCommands, RenameOntoAnExistingNameOrTheSameNameChangesNothing) {
  useMap("Upper");
  const ValueMap upper = mapOf("Upper"), lower = mapOf("Lower");
  for (const char* name : {"Lower", "Upper"}) {
    const size_t from = logSize();
    whenDialogOpens(typeName(name));
    runFromMenu(kCmdRenameMap);
    EXPECT_EQ(writeBacksSince(from), 0) << name;
  }
  EXPECT_EQ(mapOf("Upper"), upper);
  EXPECT_EQ(mapOf("Lower"), lower);
  EXPECT_STREQ(stInstData.weightMapName, "Upper");
  EXPECT_EQ(undoSteps(), 0);
}

TEST_F(MapCommands, WithoutTheCurrentMapOnTheObjectNoDialogOpensAndNothingIsWritten) {
  useMap("Nowhere");
  const size_t from = logSize();
  const size_t panelsShown = host->messages.size();
  for (int32_t command : {kCmdRenameMap, kCmdCopyMap, kCmdDeleteMap}) runFromMenu(command);
  EXPECT_EQ(host->messages.size(), panelsShown);
  EXPECT_EQ(writeBacksSince(from), 0);
  EXPECT_EQ(undoSteps(), 0);
  EXPECT_STREQ(stInstData.weightMapName, "Nowhere");
}

TEST_F(MapCommands, RenameShowsTheCurrentNameAndCancelKeepsIt) {
  useMap("Upper");
  std::string shown;
  whenDialogOpens([&](sim::PanelState& p) {
    shown = p.control("New Name") ? p.control("New Name")->stringValue : "";
    p.control("New Name")->stringValue = "Arm";
    return 0;
  });
  runFromMenu(kCmdRenameMap);
  EXPECT_EQ(shown, "Upper");
  EXPECT_TRUE(hasMap("Upper"));
  EXPECT_FALSE(hasMap("Arm"));
  EXPECT_EQ(undoSteps(), 0);
}

TEST_F(MapCommands, RenameTakesTheBonesAlongInOneUndoStepThatUndoAndRedoWalk) {
  useMap("Upper");
  const ValueMap upper = mapOf("Upper");
  const std::vector<BoneState> before = allBones();
  whenDialogOpens(typeName("Arm"));
  runFromMenu(kCmdRenameMap);
  EXPECT_FALSE(hasMap("Upper"));
  EXPECT_EQ(mapOf("Arm"), upper);
  EXPECT_STREQ(stInstData.weightMapName, "Arm");
  EXPECT_EQ(control(kCtlName)->stringValue, "Arm");
  EXPECT_EQ(bone(0)->weightMap, "Arm");
  EXPECT_EQ(bone(0)->boneFlags, before[0].flags);
  EXPECT_EQ(boneState(1), before[1]);
  ASSERT_EQ(undoSteps(), 1);
  const std::vector<BoneState> after = allBones();

  ASSERT_TRUE(undo());
  EXPECT_FALSE(hasMap("Arm"));
  EXPECT_EQ(mapOf("Upper"), upper);
  EXPECT_STREQ(stInstData.weightMapName, "Upper");
  EXPECT_EQ(allBones(), before);
  ASSERT_TRUE(redo());
  EXPECT_EQ(mapOf("Arm"), upper);
  EXPECT_STREQ(stInstData.weightMapName, "Arm");
  EXPECT_EQ(allBones(), after);
}

TEST_F(MapCommands, ARenameTheWriteBackCouldNotDoLeavesNoUndoStep) {
  useMap("Upper");
  const std::vector<BoneState> before = allBones();
  // The map goes while the dialog is open: there is nothing left to rename.
  whenDialogOpens([this](sim::PanelState& p) {
    limb()->mesh->removeVMap(sim::kVMapWGHT, "Upper");
    p.control("New Name")->stringValue = "Arm";
    return 1;
  });
  runFromMenu(kCmdRenameMap);
  EXPECT_FALSE(hasMap("Arm"));
  EXPECT_STREQ(stInstData.weightMapName, "Upper");
  EXPECT_EQ(allBones(), before);
  EXPECT_EQ(undoSteps(), 0);
}

TEST_F(MapCommands, CopyMakesANewMapWithTheSameValuesCurrentAndUndoRemovesIt) {
  useMap("Upper");
  const ValueMap upper = mapOf("Upper");
  whenDialogOpens(typeName("Upper copy"));
  runFromMenu(kCmdCopyMap);
  EXPECT_EQ(mapOf("Upper copy"), upper);
  EXPECT_EQ(mapOf("Upper"), upper);
  EXPECT_STREQ(stInstData.weightMapName, "Upper copy");
  ASSERT_EQ(undoSteps(), 1);
  ASSERT_TRUE(undo());
  EXPECT_TRUE(mapOf("Upper copy").empty());
  EXPECT_EQ(mapOf("Upper"), upper);
}

TEST_F(MapCommands, CopyOntoAnExistingMapOverwritesItCompletelyAndUndoRestoresIt) {
  useMap("Upper");
  const ValueMap upper = mapOf("Upper"), hand = mapOf("Hand");
  ASSERT_FALSE(hand.empty());
  whenDialogOpens(typeName("Hand"));
  runFromMenu(kCmdCopyMap);
  // Hand's own points, where Upper has no value, are gone too.
  EXPECT_EQ(mapOf("Hand"), upper);
  EXPECT_STREQ(stInstData.weightMapName, "Hand");
  ASSERT_TRUE(undo());
  EXPECT_EQ(mapOf("Hand"), hand);
  EXPECT_EQ(mapOf("Upper"), upper);
}

TEST_F(MapCommands, CopyOntoATwoDimensionalMapOrItselfWritesNothing) {
  limb()->mesh->addVMap(sim::kVMapWGHT, "Wide", 2).values[0] = {0.5f, 0.5f};
  useMap("Upper");
  for (const char* name : {"Wide", "Upper"}) {
    const size_t from = logSize();
    whenDialogOpens(typeName(name));
    runFromMenu(kCmdCopyMap);
    EXPECT_EQ(writeBacksSince(from), 0) << name;
  }
  EXPECT_EQ(mapOf("Wide").size(), 1u);
  EXPECT_STREQ(stInstData.weightMapName, "Upper");
  EXPECT_EQ(undoSteps(), 0);
}

TEST_F(MapCommands, DeleteSetsBothBonesToNoMapAndUndoGivesValuesAndBonesBack) {
  // Two bones use "Upper", both with weight map only and one with normalization on.
  bone(0)->boneFlags |= sim::kBoneWeightMapOnly | sim::kBoneWeightNorm;
  bone(1)->weightMap = "Upper";
  bone(1)->boneFlags |= sim::kBoneWeightMapOnly;
  useMap("Upper");
  const ValueMap upper = mapOf("Upper");
  const std::vector<BoneState> before = allBones();
  host->answers.push_back(1);
  runFromMenu(kCmdDeleteMap);

  EXPECT_FALSE(hasMap("Upper"));
  EXPECT_STREQ(stInstData.weightMapName, "");
  for (int k : {0, 1}) {
    EXPECT_EQ(bone(k)->weightMap, "") << k;
    EXPECT_FALSE(bone(k)->boneFlags & sim::kBoneWeightMapOnly) << k;
    EXPECT_EQ(bone(k)->strength, before[size_t(k)].strength);
  }
  EXPECT_TRUE(bone(0)->boneFlags & sim::kBoneWeightNorm);
  EXPECT_EQ(boneState(2), before[2]);
  ASSERT_EQ(undoSteps(), 1);

  ASSERT_TRUE(undo());
  EXPECT_EQ(mapOf("Upper"), upper);
  EXPECT_EQ(allBones(), before);
}

TEST_F(MapCommands, DeleteAnsweredNoKeepsTheMapAndACustomButtonAsksNothing) {
  useMap("Upper");
  const ValueMap upper = mapOf("Upper");
  host->answers.push_back(0);
  runFromMenu(kCmdDeleteMap);
  EXPECT_EQ(mapOf("Upper"), upper);
  EXPECT_EQ(undoSteps(), 0);

  const size_t asked = host->messages.size();
  host->answers.push_back(0);  // would refuse, were the question asked
  runFromButton(kCmdDeleteMap);
  EXPECT_FALSE(hasMap("Upper"));
  for (size_t k = asked; k < host->messages.size(); ++k) EXPECT_NE(host->messages[k].kind, "yesNo");
}

// The combine dialog as a script sees it: the list's titles, widths and icons, and the
// rows it clicks.
struct CombineClicks {
  std::vector<int> rows;
  int answer = 1;
  std::vector<std::string> iconsBefore, iconsAfter;
  std::string title, firstTitle;
  std::vector<int> widths;
  int run(sim::PanelState& p) {
    sim::ControlState* list = nullptr;
    for (auto& c : p.controls)
      if (c->type == "MultiListBoxControl") list = c.get();
    if (!list) return 0;
    firstTitle = list->cell(-1, 0);
    title = list->cell(-1, 1);
    widths = list->columnWidths();
    for (int r = 0; r < list->rowCount(); ++r) iconsBefore.push_back(list->cell(r, 0));
    for (int row : rows) clickControl(list, row);
    for (int r = 0; r < list->rowCount(); ++r) iconsAfter.push_back(list->cell(r, 0));
    return answer;
  }
};

class CombineMaps : public MapCommandTest {
 protected:
  // Row of a weight map in the host's order.
  int rowOf(const std::string& name) {
    const auto& maps = limb()->mesh->vmaps();
    int row = 0;
    for (const auto& m : maps) {
      if (m.type != sim::kVMapWGHT) continue;
      if (m.name == name) return row;
      ++row;
    }
    return -1;
  }
  void combine(CombineClicks& clicks) {
    whenDialogOpens([&clicks](sim::PanelState& p) { return clicks.run(p); });
    runFromMenu(kCmdCombineMaps);
  }
};

TEST_F(CombineMaps, TheListShowsTheCurrentMapCheckedUnderItsTitle) {
  useMap("Upper");
  CombineClicks clicks;
  clicks.answer = 0;
  combine(clicks);
  EXPECT_EQ(clicks.title, "Weight Map");
  EXPECT_EQ(clicks.firstTitle, "");
  EXPECT_EQ(clicks.widths, (std::vector<int>{20, 158}));
  ASSERT_EQ(clicks.iconsBefore.size(), 3u);
  EXPECT_EQ(clicks.iconsBefore[size_t(rowOf("Upper"))], kIconCheckmark);
  EXPECT_EQ(clicks.iconsBefore[size_t(rowOf("Lower"))], "");
}

TEST_F(CombineMaps, OnAJapaneseHostTheColumnTitleIsJapaneseExceptOnTheMiddleBuilds) {
  host->localeId = 1041;
  CombineClicks utf8;
  utf8.answer = 0;
  combine(utf8);
  EXPECT_EQ(utf8.title, "\xE3\x82\xA6\xE3\x82\xA7\xE3\x82\xA4\xE3\x83\x88\xE3\x83\x9E\xE3\x83\x83\xE3\x83\x97");
  const int build = stBuildNumber;
  stBuildNumber = 2500;
  CombineClicks middle;
  middle.answer = 0;
  combine(middle);
  stBuildNumber = build;
  EXPECT_EQ(middle.title, "Weight Map");
}

TEST_F(CombineMaps, ACurrentMapOfTwoDimensionsStartsMarkedNotChosen) {
  limb()->mesh->addVMap(sim::kVMapWGHT, "Wide", 2).values[0] = {0.5f, 0.5f};
  useMap("Wide");
  CombineClicks clicks;
  clicks.answer = 0;
  combine(clicks);
  ASSERT_EQ(clicks.iconsBefore.size(), 4u);
  EXPECT_EQ(clicks.iconsBefore[size_t(rowOf("Wide"))], kIconBullet);
  EXPECT_EQ(clicks.iconsBefore[size_t(rowOf("Upper"))], "");
}

TEST_F(CombineMaps, ValuesAddUpInTheFirstMapAndLeaveTheOthersAndBonesFollow) {
  useMap("Upper");
  ValueMap upper = mapOf("Upper"), lower = mapOf("Lower");
  const uint32_t elbow = elbowPoint(upper, lower);
  ASSERT_NE(elbow, UINT32_MAX);
  // A point with 0.2 in Upper and 0.3 in Lower.
  limb()->mesh->findVMap(sim::kVMapWGHT, "Upper")->values[elbow] = {0.2f};
  limb()->mesh->findVMap(sim::kVMapWGHT, "Lower")->values[elbow] = {0.3f};
  upper = mapOf("Upper");
  lower = mapOf("Lower");
  const ValueMap hand = mapOf("Hand");
  const std::vector<BoneState> before = allBones();

  CombineClicks clicks;
  clicks.rows = {rowOf("Lower")};
  combine(clicks);
  EXPECT_EQ(clicks.iconsAfter[size_t(rowOf("Lower"))], kIconCheckmark);

  const ValueMap combined = mapOf("Upper");
  EXPECT_EQ(combined.at(elbow), std::vector<float>{0.5f});
  EXPECT_TRUE(mapOf("Lower").empty());
  for (const auto& [point, v] : lower) {
    const float expected = upper.count(point) ? upper.at(point)[0] + v[0] : v[0];
    ASSERT_TRUE(combined.count(point)) << point;
    EXPECT_FLOAT_EQ(combined.at(point)[0], expected) << point;
  }
  EXPECT_EQ(mapOf("Hand"), hand);
  EXPECT_EQ(bone(1)->weightMap, "Upper");
  EXPECT_EQ(bone(1)->boneFlags, before[1].flags);
  EXPECT_EQ(boneState(0), before[0]);
  EXPECT_EQ(boneState(2), before[2]);
  EXPECT_STREQ(stInstData.weightMapName, "Upper");
  ASSERT_EQ(undoSteps(), 1);

  // With the bone link on, the re-pointed bones are the selected ones.
  std::vector<LWItemID> picked;
  for (const BonePick& b : stInstData.pickedBones) picked.push_back(b.bone);
  const std::vector<LWItemID> usersOfTheTwoMaps = {reinterpret_cast<LWItemID>(uintptr_t(demo.bones[0])),
                                                   reinterpret_cast<LWItemID>(uintptr_t(demo.bones[1]))};
  EXPECT_EQ(picked, usersOfTheTwoMaps);

  const std::vector<BoneState> after = allBones();
  ASSERT_TRUE(undo());
  EXPECT_EQ(mapOf("Upper"), upper);
  EXPECT_EQ(mapOf("Lower"), lower);
  EXPECT_EQ(allBones(), before);
  ASSERT_TRUE(redo());
  EXPECT_EQ(mapOf("Upper"), combined);
  EXPECT_TRUE(mapOf("Lower").empty());
  EXPECT_EQ(allBones(), after);
}

TEST_F(CombineMaps, AValueOnlyInTheSecondMapMovesToTheFirst) {
  useMap("Upper");
  const ValueMap upper = mapOf("Upper"), hand = mapOf("Hand");
  uint32_t only = UINT32_MAX;
  for (const auto& [point, v] : hand)
    if (!upper.count(point)) only = point;
  ASSERT_NE(only, UINT32_MAX);
  CombineClicks clicks;
  clicks.rows = {rowOf("Hand")};
  combine(clicks);
  EXPECT_EQ(mapOf("Upper").at(only), hand.at(only));
  EXPECT_TRUE(mapOf("Hand").empty());
}

TEST_F(CombineMaps, ATwoDimensionalMapOnlyTogglesItsBulletAndNeverJoins) {
  limb()->mesh->addVMap(sim::kVMapWGHT, "Wide", 2).values[0] = {0.5f, 0.5f};
  useMap("Upper");
  const ValueMap upper = mapOf("Upper");
  CombineClicks clicks;
  clicks.rows = {rowOf("Wide"), rowOf("Wide"), rowOf("Wide")};
  combine(clicks);
  EXPECT_EQ(clicks.iconsAfter[size_t(rowOf("Wide"))], kIconBullet);
  // Only one usable map was chosen: nothing is written.
  EXPECT_EQ(mapOf("Upper"), upper);
  EXPECT_EQ(mapOf("Wide").size(), 1u);
  EXPECT_EQ(undoSteps(), 0);
}

TEST_F(CombineMaps, ChoosingARowMakesItCurrentAndCancelCombinesNothing) {
  useMap("Upper");
  const ValueMap lower = mapOf("Lower");
  CombineClicks clicks;
  clicks.rows = {rowOf("Lower")};
  clicks.answer = 0;
  combine(clicks);
  EXPECT_STREQ(stInstData.weightMapName, "Lower");
  EXPECT_EQ(mapOf("Lower"), lower);
  EXPECT_EQ(undoSteps(), 0);
}

}  // namespace
