// The "Edit" menu and the custom buttons: which entry runs what, the buttons' marks in
// the menu, and the dialog that binds the buttons.
#include <gtest/gtest.h>

#include "commands/command_fixture.h"
#include "commands/custom_buttons.h"
#include "commands/edit_command_ids.h"
#include "panel/string_tables.h"

namespace {

std::vector<std::string> menuItems(sim::ControlState* menu) { return menu->currentItems(); }

TEST_F(CommandTest, MenuListsEveryEntryAfterNoneWithTheDefaultButtonMarks) {
  const std::vector<std::string> items = menuItems(control(kCtlEdit));
  ASSERT_EQ(items.size(), 27u);
  EXPECT_EQ(items[0], "Select Connected");
  EXPECT_EQ(items[kCmdExpandSelection - 1], "Expand Selection ... [c1]");
  EXPECT_EQ(items[kCmdAssignValue - 1], "Assign Value to Selected ... [c2]");
  EXPECT_EQ(items[kCmdSmoothWeights - 1], "Smooth Weights ... [c3]");
  EXPECT_EQ(items[kCmdBoneSettings - 1], "Change Settings for Bones ... [c4]");
  EXPECT_EQ(items[kCmdCustomButtons - 1], "Open Custom Command Buttons Panel ... [c5]");
  EXPECT_EQ(items[7], kCommandSeparator);
  EXPECT_EQ(items[26], "Open Gradient Panel");
}

TEST_F(CommandTest, SeparatorsAndUnboundButtonsDoNothing) {
  selectPoints({0, 1});
  const AllMaps before = allMaps(demo.limb);
  const size_t log = logSize();
  for (int separator : {8, 11, 18, 23, 25}) runMenu(separator);
  stInstData.customButtons[1] = kCmdNone;
  pressButton(2);
  EXPECT_EQ(logSize(), log);
  EXPECT_EQ(allMaps(demo.limb), before);
  EXPECT_EQ(selectedPoints(), (std::vector<int>{0, 1}));
  EXPECT_EQ(undoSteps(), 0);
}

TEST_F(CommandTest, ChoosingACommandBoundElsewhereUnbindsItThere) {
  CustomButtonChoice choice;
  const int32_t defaults[5] = {5, 9, 13, 24, 26};
  std::copy(defaults, defaults + 5, choice.bindings);
  choice.commandList = stEditCommandList_En;
  EXPECT_EQ(chooseCustomButtonCommand(choice, 0, kCmdSmoothWeights), kCmdSmoothWeights);
  EXPECT_EQ(choice.bindings[0], kCmdSmoothWeights);
  EXPECT_EQ(choice.bindings[2], kCmdNone);
  // The separator below "Cancel Selection" binds "Cancel Selection".
  EXPECT_EQ(chooseCustomButtonCommand(choice, 1, 8), kCmdCancelSelection);
  // " (none) " may stand on several buttons.
  chooseCustomButtonCommand(choice, 3, kCmdNone);
  EXPECT_EQ(choice.bindings[2], kCmdNone);
  EXPECT_EQ(choice.bindings[3], kCmdNone);
}

TEST_F(CommandTest, ButtonsDialogStoresOnOkAndRemarksTheMenuAtOnce) {
  answerDialog([](sim::PanelState& p) {
    EXPECT_EQ(p.title, "Custom Command Buttons");
    EXPECT_EQ(p.w, 288);
    ASSERT_NE(p.control("c3:"), nullptr);
    EXPECT_EQ(p.control("c3:")->currentItems().size(), 28u);
    setDialogInt(p, "c1:", kCmdSmoothWeights);
    EXPECT_EQ(p.control("c3:")->intValue, kCmdNone);  // shown at once
    setDialogInt(p, "c2:", 11);                        // the separator below Unassign
  });
  pressButton(5);
  EXPECT_EQ(stInstData.customButtons[0], kCmdSmoothWeights);
  EXPECT_EQ(stInstData.customButtons[1], kCmdUnassignValue);
  EXPECT_EQ(stInstData.customButtons[2], kCmdNone);
  const std::vector<std::string> items = menuItems(control(kCtlEdit));
  EXPECT_EQ(items[kCmdSmoothWeights - 1], "Smooth Weights ... [c1]");
  EXPECT_EQ(items[kCmdUnassignValue - 1], "Unassign Current Map to Selected ... [c2]");
  EXPECT_EQ(items[kCmdExpandSelection - 1], "Expand Selection");
  EXPECT_EQ(items[kCmdAssignValue - 1], "Assign Value to Selected");
}

TEST_F(CommandTest, ButtonsDialogCancelChangesNothing) {
  const std::vector<std::string> before = menuItems(control(kCtlEdit));
  answerDialog([](sim::PanelState& p) { setDialogInt(p, "c1:", kCmdSmoothWeights); }, 0);
  runMenu(kCmdCustomButtons);
  EXPECT_EQ(stInstData.customButtons[0], kCmdExpandSelection);
  EXPECT_EQ(stInstData.customButtons[2], kCmdSmoothWeights);
  EXPECT_EQ(menuItems(control(kCtlEdit)), before);
}

}  // namespace

namespace {

TEST_F(CommandTest, GradientPanelEntryOpensAndClosesThePanel) {
  const auto gradientPanelOpen = [this] {
    for (const auto& p : host->panels)
      if (p->open && p.get() != panel()) return true;
    return false;
  };
  runMenu(kCmdGradientPanel);
  EXPECT_TRUE(gradientPanelOpen());
  runMenu(kCmdGradientPanel);
  EXPECT_FALSE(gradientPanelOpen());
}

}  // namespace
