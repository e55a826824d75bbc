// Which controls are enabled for each tool, while erasing, per display mode and without
// an object snapshot.
#include <gtest/gtest.h>

#include "panel/panel_images.h"
#include "panel/reset_panel_parm.h"
#include "support/edit_panel_fixture.h"

namespace {

struct ToolStates {
  const char* name;
  bool radius, falloff, strength;
};
const ToolStates kTools[kNumTools] = {
    {"Pen", true, true, false},          {"Brush", true, true, true},        {"Linear Grad", false, false, true},
    {"Lasso Paint", false, false, false}, {"Fill", false, false, false},      {"Blur", true, true, true},
    {"Pen Sel", true, true, false},      {"Lasso Sel", false, false, false}, {"Fill Sel", false, false, false},
    {"Sel Bone", false, false, false},   {"Sel Object", false, false, false},
};

}  // namespace

TEST_F(EditPanelTest, BrushControlsFollowTheTool) {
  for (int t = 0; t < kNumTools; ++t) {
    SCOPED_TRACE(kTools[t].name);
    fireInt(kCtlToolFirst + t, 1);
    EXPECT_EQ(stInstData.toolIndex, t);
    EXPECT_EQ(ghosted(kCtlBrushRadius), !kTools[t].radius);
    EXPECT_EQ(ghosted(kCtlFalloff), !kTools[t].falloff);
    EXPECT_EQ(ghosted(kCtlStrength), !kTools[t].strength);
    for (int other = 0; other < kNumTools; ++other) {
      EXPECT_EQ(control(kCtlToolFirst + other)->intValue, other == t ? 1 : 0) << other;
      EXPECT_FALSE(ghosted(kCtlToolFirst + other)) << other;
    }
    EXPECT_FALSE(ghosted(kCtlValue));
    EXPECT_FALSE(ghosted(kCtlName));
  }
}

TEST_F(EditPanelTest, StrengthShowsTheToolsOwnSlot) {
  stInstData.strength[0] = 0.3f;
  stInstData.strength[1] = 1.0f;
  stInstData.strength[2] = 1.4f;
  const int shown[kNumTools] = {100, 30, 100, 100, 100, 140, 100, 100, 100, 100, 100};
  for (int t = 0; t < kNumTools; ++t) {
    stInstData.toolIndex = t;
    refresh();
    EXPECT_EQ(control(kCtlStrength)->intValue, shown[t]) << t;
  }
  stInstData.strength[0] = 1.4f;  // a Brush slot above 100 % (from an old settings file)
  stInstData.toolIndex = 1;
  EXPECT_EQ(resetStrengthPercent(stInstData), 100);
}

TEST_F(EditPanelTest, ErasingGhostsTheValueControls) {
  fireInt(kCtlErase, 1);
  EXPECT_EQ(stInstData.erase, 1);
  EXPECT_TRUE(ghosted(kCtlValue));
  for (int b = 0; b < 5; ++b) { EXPECT_TRUE(ghosted(kCtlValueButtonFirst + b)) << b; }
  fireInt(kCtlErase, 0);
  EXPECT_FALSE(ghosted(kCtlValue));
  for (int b = 0; b < 5; ++b) { EXPECT_FALSE(ghosted(kCtlValueButtonFirst + b)) << b; }
}

TEST_F(EditPanelTest, MultiplySizeOnlyInTheObjectsOwnDisplay) {
  for (int mode = 0; mode < 3; ++mode) {
    stInstData.visibility = mode;
    refresh();
    EXPECT_EQ(ghosted(kCtlMultiply), mode != 0) << mode;
  }
}

TEST_F(EditPanelTest, WithoutASnapshotOnlySelObjectAndTheCurrentToolStay) {
  stInstData.toolIndex = 2;
  stInstData.mesh.noObject = 1;
  setWarningIconActive(true);
  refresh();
  for (int t = 0; t < kNumTools; ++t) {
    EXPECT_EQ(ghosted(kCtlToolFirst + t), t != 2 && t != 10) << t;
    EXPECT_EQ(control(kCtlToolFirst + t)->intValue, t == 2 ? 1 : 0) << t;
  }
  for (int c = kCtlCustomFirst; c < kNumEditControls; ++c) {
    const bool stays = c == kCtlVersion || c == kCtlEdit || c == kCtlAutoSave;
    EXPECT_EQ(ghosted(c), !stays) << c;
  }
  EXPECT_FALSE(warningIconActive());
  stInstData.mesh.noObject = 0;
  refresh();
  for (int t = 0; t < kNumTools; ++t) { EXPECT_FALSE(ghosted(kCtlToolFirst + t)) << t; }
}

TEST_F(EditPanelTest, UndoAndRedoFollowTheHistory) {
  // A fresh history has nothing to undo or redo.
  refresh();
  EXPECT_TRUE(ghosted(kCtlUndo));
  EXPECT_TRUE(ghosted(kCtlRedo));
}
