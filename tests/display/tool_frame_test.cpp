// The draw callback under the simulated host: leaving the tool, the stroke guard and
// what one frame draws into each viewport.
#include <gtest/gtest.h>

#include "display/display_test_scene.h"
#include "display/tool_frame.h"
#include "panel/edit_panel.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"

namespace {

class ToolFrame : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
    host->redrawViewports();  // the activation's capture
  }
  // Holds a button in viewport `viewport`, pressed with the view where it is now.
  void holdButtonIn(int viewport) {
    InstData& inst = stInstData;
    inst.tool.stroke.buttonKind = 1;
    inst.tool.stroke.cancelled = 0;
    inst.tool.view.viewport = viewport;
    const sim::Vec3 eye = host->viewports[size_t(viewport)].eye();
    inst.tool.view.eyePosAtPress = {eye[0], eye[1], eye[2]};
  }
};

}  // namespace

TEST_F(ToolFrame, DeselectingEverythingMakesTheNextDrawLeaveTheTool) {
  ASSERT_TRUE(host->toolActive());
  const size_t from = logSize();
  host->scene.clearSelection();
  host->redrawViewports();
  EXPECT_EQ(countCommand(from, "ChangeTool"), 1);
  EXPECT_EQ(stInstData.mesh.noObject, 1);
}

TEST_F(ToolFrame, AClosedPanelMakesTheNextDrawLeaveTheTool) {
  const size_t from = logSize();
  host->redrawViewports();
  EXPECT_EQ(countCommand(from, "ChangeTool"), 0);
  resetEditPanelState();  // the panel is gone without its close handler
  host->redrawViewports();
  EXPECT_EQ(countCommand(from, "ChangeTool"), 1);
}

TEST_F(ToolFrame, MovingTheViewWhilePaintingCancelsTheStrokeAtTheNextDraw) {
  holdButtonIn(0);
  host->redrawViewports();
  EXPECT_EQ(stInstData.tool.stroke.cancelled, 0);
  EXPECT_EQ(stInstData.tool.stroke.buttonKind, 1);
  host->viewports[0].center = {0.5, 0, 0};
  EXPECT_EQ(stInstData.tool.stroke.cancelled, 0);  // not before the draw
  host->redrawViewports();
  EXPECT_EQ(stInstData.tool.stroke.cancelled, 1);
  EXPECT_EQ(stInstData.tool.stroke.buttonKind, 0);
}

TEST_F(ToolFrame, AnotherViewportMovingLeavesTheStrokeAlone) {
  host->viewports.resize(2);
  host->viewports[1].type = LVVIEWT_FRONT;
  host->redrawViewports();
  holdButtonIn(1);
  host->viewports[0].center = {0.5, 0, 0};
  host->redrawViewports();
  EXPECT_EQ(stInstData.tool.stroke.cancelled, 0);
  host->viewports[1].center = {0.5, 0, 0};
  host->redrawViewports();
  EXPECT_EQ(stInstData.tool.stroke.cancelled, 1);
}

TEST_F(ToolFrame, EachViewportGetsTheObjectDrawn) {
  host->viewports.resize(3);
  host->viewports[1].type = LVVIEWT_FRONT;
  host->viewports[2].type = LVVIEWT_TOP;
  stInstData.visibility = kShadedSolid;
  stInstData.redrawRequest = 3;
  host->redrawViewports();
  const int faces = [&] {
    int n = 0;
    for (const FaceData* f = stInstData.mesh.faceList; f; f = f->next) n += f->cornerCount >= 3;
    return n;
  }();
  ASSERT_GT(faces, 0);
  ASSERT_EQ(host->lastDraw.size(), 3u);
  for (const sim::DrawList& list : host->lastDraw) {
    SCOPED_TRACE(list.viewport);
    const display_testing::Counts c = display_testing::countOf(list);
    EXPECT_EQ(c.texturedQuads + c.texturedTriangles, faces);
  }
  EXPECT_EQ(toolDisplayState().refreshSkip, 0);  // the frame's other two calls used it up
}

TEST_F(ToolFrame, ANullAccessStillClearsTheRedrawRequest) {
  stInstData.redrawRequest = 3;
  drawToolFrame(stInstData, nullptr);
  EXPECT_EQ(stInstData.redrawRequest, 0);
}
