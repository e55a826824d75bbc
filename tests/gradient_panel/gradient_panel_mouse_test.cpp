// The mouse on the gradient panel's bar: the four tools, drags that push keys along,
// releases far away, and presses that must do nothing.
#include <gtest/gtest.h>

#include "gradient/gradient.h"
#include "gradient_panel_fixture.h"

namespace {

constexpr int kTrackY = 85;  // on the key track
constexpr int kColourY = 60;  // on the colour bar above it

}  // namespace

TEST_F(GradientPanelTest, DraggingAKeyPastItsNeighboursPushesThemAndKeepsTheOrder) {
  std::vector<GradientSeg*> order;
  for (GradientSeg* k = gradient().first; k; k = k->next) order.push_back(k);
  const int x0 = panelXOfKey(-0.5f);
  press(x0, kTrackY);
  ASSERT_EQ(gradient().current, order[1]);
  letHostDraw();
  drag(x0 + 180, kTrackY);  // about +1.13: past 0.0 and 0.5
  const float moved = order[1]->position;
  EXPECT_NEAR(moved, -0.5f + 180.0f / 319.0f * 2.0f, 1e-5);
  EXPECT_EQ(positions(), (std::vector<float>{-1.0f, moved, moved, moved, 1.0f}));
  letHostDraw();
  drag(x0 - 400, kTrackY);  // beyond the range start: clamped, pushing the first key
  EXPECT_EQ(positions(), (std::vector<float>{-1.0f, -1.0f, moved, moved, 1.0f}));
  release(x0, kTrackY);
  std::vector<GradientSeg*> after;
  for (GradientSeg* k = gradient().first; k; k = k->next) after.push_back(k);
  EXPECT_EQ(after, order);
  EXPECT_DOUBLE_EQ(control(kGradCtlWeightValue)->floatValue, -100.0);
}

TEST_F(GradientPanelTest, ADragWaitsForTheViewportsToHaveDrawn) {
  const int x0 = panelXOfKey(0.0f);
  press(x0, kTrackY);
  letHostDraw();
  const size_t from = logSize();
  drag(x0 + 20, kTrackY);
  const float first = gradient().current->position;
  EXPECT_GT(first, 0.1f);
  EXPECT_EQ(redraws(from), 1);
  stInstData.redrawRequest = 1;  // the frame has not been drawn yet
  drag(x0 + 60, kTrackY);
  EXPECT_EQ(gradient().current->position, first);
  letHostDraw();
  drag(x0 + 60, kTrackY);
  EXPECT_GT(gradient().current->position, first);
}

TEST_F(GradientPanelTest, ReleasingADragFarFromTheBarDeletesTheKey) {
  const int x0 = panelXOfKey(0.5f);
  press(x0, kTrackY);
  release(x0, 84 + 96);  // at the edge: kept
  EXPECT_EQ(gradient().count, 5);
  press(x0, kTrackY);
  const size_t from = logSize();
  release(x0, 84 + 97);
  EXPECT_EQ(positions(), (std::vector<float>{-1.0f, -0.5f, 0.0f, 1.0f}));
  EXPECT_EQ(redraws(from), 1);
  press(panelXOfKey(1.0f), kTrackY);
  release(481, kTrackY);  // far to the right
  EXPECT_EQ(positions(), (std::vector<float>{-1.0f, -0.5f, 0.0f}));
  press(panelXOfKey(0.0f), kTrackY);
  release(-121, kTrackY);  // far to the left
  EXPECT_EQ(positions(), (std::vector<float>{-1.0f, -0.5f}));
  // A release without a drag deletes nothing.
  release(-500, 500);
  EXPECT_EQ(gradient().count, 2);
}

TEST_F(GradientPanelTest, ThrowingAwayTheLastKeyLeavesAGreyKeyAtTheRangeStart) {
  std::vector<float> single = {0.3f, 1.0f, 0.0f, 0.0f, 0.0f, 0.2f, 0.2f, 0.2f};
  ASSERT_TRUE(setInitGradientsWithFloatArray(gradient(), single));  // range 0 .. 0.3
  press(panelXOfKey(0.3f), kTrackY);
  ASSERT_EQ(gradient().current, gradient().first);
  release(panelXOfKey(0.3f), 300);
  ASSERT_EQ(gradient().count, 1);
  EXPECT_EQ(gradient().current, gradient().first);
  EXPECT_FLOAT_EQ(gradient().first->position, gradient().rangeMin);
  for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(gradient().first->colour[c], 0.8f);
  EXPECT_EQ(control(kGradCtlKeyColour)->ivec, (std::array<int, 3>{204, 204, 204}));
}

TEST_F(GradientPanelTest, AddPutsACurrentKeyOfTheColourThereAndStartsADrag) {
  stGradPanel.tool = kGradToolAdd;
  const size_t from = logSize();
  press(100, kColourY);  // the colour bar takes Add too
  ASSERT_EQ(gradient().count, 6);
  const float t = -1.0f + (80.0f / 319.0f) * 2.0f;
  EXPECT_FLOAT_EQ(gradient().current->position, t);
  EXPECT_EQ(redraws(from), 1);
  letHostDraw();
  drag(110, kColourY);
  EXPECT_NEAR(gradient().current->position, t + 10.0f / 319.0f * 2.0f, 1e-5);
}

TEST_F(GradientPanelTest, TheRightButtonAddsWhateverTheTool) {
  stGradPanel.tool = kGradToolSelect;
  press(200, kTrackY, MOUSE_RIGHT);
  EXPECT_EQ(gradient().count, 6);
}

TEST_F(GradientPanelTest, AddIsRefusedAtTheKeyLimitAndOutsideTheRange) {
  stGradPanel.tool = kGradToolAdd;
  size_t from = logSize();
  press(17, kTrackY);  // left of the first key's column: below the range start
  press(342, kTrackY);  // right of the last: above the range end
  EXPECT_EQ(gradient().count, 5);
  EXPECT_EQ(redraws(from), 0);
  while (gradient().count < 511) add1NewGradientSeg(gradient(), 0.25f);
  press(200, kTrackY);
  EXPECT_EQ(gradient().count, 512);
  GradientSeg* current = gradient().current;
  from = logSize();
  press(220, kTrackY);
  EXPECT_EQ(gradient().count, 512);
  EXPECT_EQ(gradient().current, current);
  EXPECT_EQ(redraws(from), 0);
}

TEST_F(GradientPanelTest, PressesOutsideTheBarOrAwayFromKeysDoNothing) {
  const std::vector<float> before = positions();
  GradientSeg* current = gradient().current;
  const size_t from = logSize();
  for (int tool = 0; tool < kNumGradientTools; ++tool) {
    stGradPanel.tool = tool;
    for (int buttons : {MOUSE_LEFT, MOUSE_RIGHT}) {
      press(15, kTrackY, buttons);   // left of the bar
      press(344, kTrackY, buttons);  // right of it
      press(179, 55, buttons);       // above it
      press(179, 94, buttons);       // below it
      release(179, 400, buttons);
    }
  }
  EXPECT_EQ(positions(), before);
  for (int tool : {kGradToolSelect, kGradToolDrag, kGradToolRemove}) {
    stGradPanel.tool = tool;
    press(panelXOfKey(0.5f), kColourY);      // over a key, but on the colour bar
    press(panelXOfKey(0.5f) + 11, kTrackY);  // on the track, 11 pixels from the key
    press(panelXOfKey(0.5f) - 11, kTrackY);
    release(panelXOfKey(0.5f), 400);
  }
  EXPECT_EQ(positions(), before);
  EXPECT_EQ(gradient().current, current);
  EXPECT_EQ(redraws(from), 0);
}

TEST_F(GradientPanelTest, SelectAndRemoveActOnTheKeyUnderTheMouse) {
  stGradPanel.tool = kGradToolSelect;
  press(panelXOfKey(-1.0f) + 3, kTrackY);
  EXPECT_EQ(gradient().current, gradient().first);
  EXPECT_DOUBLE_EQ(control(kGradCtlWeightValue)->floatValue, -100.0);
  EXPECT_EQ(control(kGradCtlKeyColour)->ivec, (std::array<int, 3>{0, 64, 255}));
  letHostDraw();
  drag(300, kTrackY);  // Select starts no drag
  EXPECT_FLOAT_EQ(gradient().first->position, -1.0f);

  stGradPanel.tool = kGradToolRemove;
  press(panelXOfKey(0.5f), kTrackY);
  EXPECT_EQ(positions(), (std::vector<float>{-1.0f, -0.5f, 0.0f, 1.0f}));
}
