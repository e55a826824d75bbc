// Assign, Unassign, Normalize and Clamp on the host's maps: the values they write, the
// points they leave alone, one undo step each that gives the maps back bit for bit.
#include <gtest/gtest.h>

#include <cmath>

#include "commands/command_fixture.h"
#include "commands/edit_command_ids.h"
#include "shell/inst_data.h"

namespace {

class ValueCommandTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    grid = addGrid(2);  // 9 points, no bones
  }
  // Runs a map command from the menu with "Ignore Weights Unassigned to Bones" set to
  // ignore (and Clamp's maximum when given).
  void runMapCommand(int command, int ignore, int maxMaps = 0) {
    answerDialog([=](sim::PanelState& p) {
      setDialogInt(p, "Ignore Weights Unassigned to Bones", ignore);
      if (maxMaps) setDialogInt(p, "Maximum Number of Maps", maxMaps);
    });
    runMenu(command);
    redraw();
  }
  uint64_t grid = 0;
};

TEST_F(ValueCommandTest, AssignWithoutSelectionSetsEveryPointAndUndoRemovesThem) {
  std::snprintf(stInstData.weightMapName, kMapNameSize, "Fresh");
  stInstData.value = 0.4f;
  makeCurrent(grid);
  runMenu(kCmdAssignValue);
  redraw();
  const ValueMap fresh = mapOf(grid, "Fresh");
  ASSERT_EQ(fresh.size(), 9u);
  for (const auto& [point, value] : fresh) EXPECT_EQ(value, 0.4f) << point;
  EXPECT_EQ(undoSteps(), 1);
  undo();
  EXPECT_TRUE(mapOf(grid, "Fresh").empty());
  redo();
  EXPECT_EQ(mapOf(grid, "Fresh"), fresh);
}

TEST_F(ValueCommandTest, AssignAndUnassignOnlyTouchTheSelection) {
  for (uint32_t p = 0; p < 9; ++p) setValue(grid, "W", p, 0.5f);
  std::snprintf(stInstData.weightMapName, kMapNameSize, "W");
  stInstData.value = 1.0f;
  makeCurrent(grid);
  const AllMaps start = allMaps(grid);
  selectPoints({0, 4});
  runMenu(kCmdAssignValue);
  redraw();
  selectPoints({8});
  pressButton(2);  // "c2" is Assign by default: the same without a dialog
  redraw();
  stInstData.customButtons[2] = kCmdUnassignValue;
  selectPoints({1});
  pressButton(3);
  redraw();
  ValueMap expected;
  for (uint32_t p = 0; p < 9; ++p) expected[p] = 0.5f;
  expected[0] = expected[4] = expected[8] = 1.0f;
  expected.erase(1);
  EXPECT_EQ(mapOf(grid, "W"), expected);
  EXPECT_EQ(undoSteps(), 3);
  for (int k = 0; k < 3; ++k) undo();
  EXPECT_EQ(allMaps(grid), start);
}

TEST_F(ValueCommandTest, NormalizeDividesBySumOfMagnitudesKeepingSigns) {
  setValue(grid, "A", 0, 0.2f);
  setValue(grid, "B", 0, 0.6f);
  setValue(grid, "A", 1, -0.5f);
  setValue(grid, "B", 1, 0.5f);
  setValue(grid, "A", 2, 0.0f);
  setValue(grid, "B", 2, 0.0f);
  setValue(grid, "B", 3, 0.3f);
  setValue(grid, "A", 4, -0.2f);
  setValue(grid, "B", 4, 0.6f);
  const AllMaps start = allMaps(grid);

  // No bone uses A or B: with the option on the set is empty and nothing happens.
  runMapCommand(kCmdNormalizeWeights, 1);
  EXPECT_EQ(allMaps(grid), start);
  EXPECT_EQ(undoSteps(), 0);

  runMapCommand(kCmdNormalizeWeights, 0);
  EXPECT_EQ(stInstData.normalizeOption, 0);
  const ValueMap a = mapOf(grid, "A"), b = mapOf(grid, "B");
  EXPECT_FLOAT_EQ(a.at(0), 0.25f);
  EXPECT_FLOAT_EQ(b.at(0), 0.75f);
  EXPECT_FLOAT_EQ(a.at(1), -0.5f);
  EXPECT_FLOAT_EQ(b.at(1), 0.5f);
  EXPECT_EQ(a.at(2), 0.0f);
  EXPECT_EQ(b.at(2), 0.0f);
  EXPECT_FLOAT_EQ(b.at(3), 1.0f);
  EXPECT_FLOAT_EQ(a.at(4), -0.25f);  // magnitudes add up, signs stay
  EXPECT_FLOAT_EQ(b.at(4), 0.75f);
  EXPECT_EQ(a.count(3), 0u);  // no value is created
  EXPECT_EQ(a.size(), 4u);
  EXPECT_EQ(undoSteps(), 1);
  undo();
  EXPECT_EQ(allMaps(grid), start);
}

TEST_F(ValueCommandTest, NormalizeWithTheOptionTakesOnlyMapsOfTheObjectsBones) {
  // The limb's bones use "Upper", "Lower" and "Hand"; "Extra" is used by none.
  makeCurrent(demo.limb);
  setValue(demo.limb, "Extra", 0, 5.0f);
  setValue(demo.limb, "Upper", 0, 0.5f);
  setValue(demo.limb, "Lower", 0, 0.5f);
  setValue(demo.limb, "Hand", 0, 1.0f);
  runMapCommand(kCmdNormalizeWeights, 1);
  EXPECT_FLOAT_EQ(mapOf(demo.limb, "Upper").at(0), 0.25f);
  EXPECT_FLOAT_EQ(mapOf(demo.limb, "Hand").at(0), 0.5f);
  EXPECT_EQ(mapOf(demo.limb, "Extra").at(0), 5.0f);
  for (const auto& [point, upper] : mapOf(demo.limb, "Upper")) {
    float sum = std::fabs(upper);
    for (const char* other : {"Lower", "Hand"}) {
      const ValueMap m = mapOf(demo.limb, other);
      if (m.count(point)) sum += std::fabs(m.at(point));
    }
    EXPECT_NEAR(sum, 1.0f, 1e-6f) << point;
  }
}

TEST_F(ValueCommandTest, ClampKeepsTheLargestMagnitudes) {
  const char* names[4] = {"A", "B", "C", "D"};
  const float values[4] = {0.1f, 0.5f, 0.3f, 0.05f};
  for (int k = 0; k < 4; ++k) setValue(grid, names[k], 0, values[k]);
  setValue(grid, "A", 1, -0.8f);
  setValue(grid, "B", 1, 0.3f);
  setValue(grid, "C", 2, 0.7f);
  const AllMaps start = allMaps(grid);
  host->messages.clear();
  runMapCommand(kCmdClampWeights, 0, 2);
  EXPECT_EQ(stInstData.clampMaxMaps, 2);
  EXPECT_EQ(mapOf(grid, "A").count(0), 0u);
  EXPECT_EQ(mapOf(grid, "D").count(0), 0u);
  EXPECT_EQ(mapOf(grid, "B").at(0), 0.5f);
  EXPECT_EQ(mapOf(grid, "C").at(0), 0.3f);
  EXPECT_EQ(mapOf(grid, "A").at(1), -0.8f);  // two maps: left alone
  ASSERT_FALSE(host->messages.empty());
  EXPECT_EQ(host->messages.back().kind, "info");
  EXPECT_EQ(host->messages.back().line1, "1 point has been unassigned.");

  // Maximum 1 by magnitude: -0.8 stays, 0.3 goes; from a button, without a message.
  stInstData.clampMaxMaps = 1;
  stInstData.customButtons[4] = kCmdClampWeights;
  host->messages.clear();
  pressButton(5);
  redraw();
  EXPECT_EQ(mapOf(grid, "A").at(1), -0.8f);
  EXPECT_EQ(mapOf(grid, "B").count(1), 0u);
  EXPECT_EQ(mapOf(grid, "B").at(0), 0.5f);
  EXPECT_EQ(mapOf(grid, "C").count(0), 0u);
  for (const auto& m : host->messages) EXPECT_NE(m.kind, "info");
  EXPECT_EQ(undoSteps(), 2);
  undo();
  undo();
  EXPECT_EQ(allMaps(grid), start);
}

TEST_F(ValueCommandTest, ClampWithNothingToRemoveIsSilent) {
  setValue(grid, "A", 0, 0.5f);
  setValue(grid, "B", 0, 0.5f);
  host->messages.clear();
  runMapCommand(kCmdClampWeights, 0, 4);
  for (const auto& m : host->messages) EXPECT_NE(m.kind, "info");
  EXPECT_EQ(undoSteps(), 0);
}

}  // namespace
