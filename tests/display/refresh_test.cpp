// When a draw call re-captures the snapshot, and when a moved view cancels the stroke.
#include <gtest/gtest.h>

#include "display/display_test_scene.h"
#include "display/tool_frame.h"

namespace {

struct Frames {
  int32_t redrawRequest = 0;
  int32_t refreshSkip = 0;
  // Runs one frame of `viewports` draw calls; returns the captures it made.
  int frame(int32_t viewports, bool buttonHeld, int* checks = nullptr) {
    int captures = 0;
    for (int v = 0; v < viewports; ++v) {
      const RefreshAction a = bookSnapshotRefresh(redrawRequest, refreshSkip, viewports, buttonHeld);
      captures += a == RefreshAction::Capture;
      if (checks) *checks += a == RefreshAction::CheckSelection;
    }
    return captures;
  }
};

}  // namespace

TEST(SnapshotRefresh, AtMostOneCapturePerFrameAfterARequest) {
  for (int32_t viewports : {1, 2, 4}) {
    SCOPED_TRACE(viewports);
    Frames f;
    f.redrawRequest = 3;
    int checks = 0;
    EXPECT_EQ(f.frame(viewports, false, &checks), 1);
    EXPECT_EQ(checks, viewports - 1);
    EXPECT_EQ(f.redrawRequest, 0);
    // Frames without a request keep the snapshot current, still once per frame.
    for (int k = 0; k < 3; ++k) EXPECT_EQ(f.frame(viewports, false), 1);
    f.redrawRequest = 1;  // a redraw without re-capture
    EXPECT_EQ(f.frame(viewports, false), viewports == 1 ? 0 : 0);
    EXPECT_EQ(f.redrawRequest, 0);
  }
}

TEST(SnapshotRefresh, NeverWhileAButtonIsHeldUnlessAsked) {
  Frames f;
  for (int k = 0; k < 4; ++k) EXPECT_EQ(f.frame(3, true), 0);
  f.redrawRequest = 1;  // a drag's redraw
  EXPECT_EQ(f.frame(3, true), 0);
  f.redrawRequest = 3;  // a commit's, which asks for the capture itself
  EXPECT_EQ(f.frame(3, true), 1);
  EXPECT_EQ(f.frame(3, false), 1);
}

TEST(SnapshotRefresh, NoViewportsStillClearsTheRequest) {
  Frames f;
  f.redrawRequest = 2;
  EXPECT_EQ(bookSnapshotRefresh(f.redrawRequest, f.refreshSkip, 0, false), RefreshAction::Capture);
  EXPECT_EQ(f.refreshSkip, 0);
  EXPECT_EQ(f.redrawRequest, 0);
}

TEST(StrokeGuard, OnlyAMovedStrokeViewportWithAButtonHeldCancels) {
  display_testing::DisplayBench b;
  InstData& inst = *b.inst;
  inst.tool.view.viewport = 2;
  inst.tool.view.eyePosAtPress = {1, 2, 3};
  const double same[3] = {1, 2, 3}, moved[3] = {1, 2, 3.0001};
  EXPECT_FALSE(viewMovedDuringStroke(inst, 2, moved));  // no button held
  inst.tool.stroke.buttonKind = 1;
  EXPECT_FALSE(viewMovedDuringStroke(inst, 2, same));
  EXPECT_TRUE(viewMovedDuringStroke(inst, 2, moved));
  EXPECT_FALSE(viewMovedDuringStroke(inst, 1, moved));  // another viewport moved
}
