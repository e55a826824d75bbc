// The gradient panel's controls and their events, its opening and closing, and the
// gradient it edits reaching the settings file and the next activation.
#include <gtest/gtest.h>

#include <filesystem>

#include "gradient/gradient.h"
#include "gradient_panel/gradient_panel.h"
#include "gradient_panel_fixture.h"
#include "panel/edit_panel.h"

namespace {

int labelEnd(const sim::ControlState* c) { return c->x + (c->labelOnFace() ? 0 : int(c->label.size()) * 7); }

const PntUserData* firstPointWithout(bool value) {
  for (const PntUserData& p : stInstData.mesh.points)
    if ((p.hasValue != 0) == value) return &p;
  return nullptr;
}

}  // namespace

TEST_F(GradientPanelTest, ControlsInTheirOrderAndPlaces) {
  const char* kinds[kNumGradientControls] = {"BoolButtonControl", "BoolButtonControl", "BoolButtonControl",
                                             "BoolButtonControl", "PopDownControl",    "PercentControl",
                                             "PercentControl",    "MiniRGBControl",    "PercentControl",
                                             "MiniRGBControl"};
  const char* labels[kNumGradientControls] = {"Select", "Drag", "Add", "Remove", "Initialize",
                                              "Min",    "Max",  "",    "Weight Value", ""};
  for (int i = 0; i < kNumGradientControls; ++i) {
    EXPECT_EQ(control(i)->type, kinds[i]) << i;
    EXPECT_EQ(control(i)->label, labels[i]) << i;
  }
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(labelEnd(control(i)), 50 + 51 * i);
    EXPECT_EQ(control(i)->y, 2);
  }
  EXPECT_EQ(labelEnd(control(kGradCtlInitialize)), 262);
  const int h = 20;  // every headless control is 20 pixels high
  EXPECT_EQ(labelEnd(control(kGradCtlMin)), 36);
  EXPECT_EQ(control(kGradCtlMin)->y, h + 8);
  EXPECT_EQ(labelEnd(control(kGradCtlMax)), 252);
  EXPECT_EQ(control(kGradCtlMax)->y, h + 8);
  EXPECT_EQ(labelEnd(control(kGradCtlKeyColour)), 88);
  EXPECT_EQ(control(kGradCtlKeyColour)->y, 102);
  EXPECT_EQ(labelEnd(control(kGradCtlWeightValue)), 137);
  EXPECT_EQ(control(kGradCtlWeightValue)->y, h + 106);
  EXPECT_EQ(labelEnd(control(kGradCtlUnweighted)), 88);
  EXPECT_EQ(control(kGradCtlUnweighted)->y, 2 * h + 118);
  EXPECT_EQ(gradientPanel()->h, 3 * h + 132);
  EXPECT_EQ(gradientPanel()->x, 360);
  EXPECT_EQ(control(kGradCtlInitialize)->items,
            (std::vector<std::string>{"LightWave-style", "Spectrum", "Sunny Garden"}));
}

TEST_F(GradientPanelTest, ControlsShowTheGradientWhenOpened) {
  EXPECT_EQ(control(int(kGradCtlToolFirst) + kGradToolDrag)->intValue, 1);
  EXPECT_EQ(control(int(kGradCtlToolFirst) + kGradToolSelect)->intValue, 0);
  EXPECT_DOUBLE_EQ(control(kGradCtlMin)->floatValue, -100.0);
  EXPECT_DOUBLE_EQ(control(kGradCtlMax)->floatValue, 100.0);
  EXPECT_DOUBLE_EQ(control(kGradCtlWeightValue)->floatValue, 0.0);
  EXPECT_EQ(control(kGradCtlKeyColour)->ivec, (std::array<int, 3>{204, 204, 204}));
  EXPECT_EQ(control(kGradCtlUnweighted)->ivec, (std::array<int, 3>{38, 38, 38}));
  EXPECT_EQ(gradientPanel()->lastOpenFlags & PANF_MOUSETRAP, PANF_MOUSETRAP);
}

TEST_F(GradientPanelTest, DrawingShowsTheBarTheSeparatorAndTheUnweightedLabel) {
  gradientPanel()->redraw();
  const sim::ControlState* rgb = control(kGradCtlUnweighted);
  bool separator = false, label = false, bar = false;
  for (const auto& d : gradientPanel()->drawn) {
    separator |= d.kind == "line" && d.y == rgb->y - 2 && d.h == rgb->y - 2;
    label |= d.kind == "text" && d.text == "Unweighted" && d.x + 7 * 10 == rgb->x - 6;
    bar |= d.kind == "blit" && d.x == 16 && d.y == 56 && d.w == 328 && d.h == 38;
  }
  EXPECT_TRUE(separator);
  EXPECT_TRUE(label);
  EXPECT_TRUE(bar);
}

TEST_F(GradientPanelTest, ToolButtonsActAsARadioGroup) {
  pressButton(int(kGradCtlToolFirst) + kGradToolRemove);
  EXPECT_EQ(stGradPanel.tool, kGradToolRemove);
  for (int i = 0; i < kNumGradientTools; ++i) EXPECT_EQ(control(i)->intValue, i == kGradToolRemove ? 1 : 0) << i;
  pressButton(int(kGradCtlToolFirst) + kGradToolRemove);  // pressing the lit one keeps it lit
  EXPECT_EQ(control(kGradToolRemove)->intValue, 1);
}

TEST_F(GradientPanelTest, InitializeAnsweredNoChangesNothing) {
  pressButton(int(kGradCtlToolFirst) + kGradToolSelect);
  fireFloat(kGradCtlMax, 50.0);
  const std::vector<float> before = positions();
  const size_t from = logSize();
  host->answers.push_back(0);
  fireChoice(kGradCtlInitialize, 1);
  ASSERT_FALSE(host->messages.empty());
  EXPECT_EQ(host->messages.back().kind, "yesNo");
  EXPECT_EQ(host->messages.back().title, "Initialize Gradient");
  EXPECT_EQ(host->messages.back().line1, "Are you sure you want to initialize the gradient?");
  EXPECT_EQ(positions(), before);
  EXPECT_FLOAT_EQ(gradient().rangeMax, 0.5f);
  EXPECT_EQ(stGradPanel.tool, kGradToolSelect);
  EXPECT_EQ(redraws(from), 0);
}

TEST_F(GradientPanelTest, InitializeAnsweredYesLoadsThePresetAndTheDragTool) {
  pressButton(int(kGradCtlToolFirst) + kGradToolSelect);
  fireFloat(kGradCtlMax, 50.0);
  const size_t from = logSize();
  host->answers.push_back(1);
  fireChoice(kGradCtlInitialize, 2);
  EXPECT_EQ(positions(), (std::vector<float>{-1.0f, 0.0f, 0.25f, 0.5f, 0.75f, 1.0f}));
  EXPECT_EQ(stGradPanel.tool, kGradToolDrag);
  EXPECT_EQ(control(kGradToolDrag)->intValue, 1);
  EXPECT_EQ(control(kGradToolSelect)->intValue, 0);
  EXPECT_DOUBLE_EQ(control(kGradCtlMax)->floatValue, 100.0);
  EXPECT_EQ(control(kGradCtlUnweighted)->ivec, (std::array<int, 3>{54, 54, 56}));
  EXPECT_EQ(control(kGradCtlKeyColour)->ivec, (std::array<int, 3>{28, 17, 140}));
  EXPECT_EQ(redraws(from), 1);
  EXPECT_EQ(stInstData.gradientTextureSize, 8);
  EXPECT_EQ(stInstData.gradientTexture[size_t(5 * 4)], 245);  // the sixth key's red
}

TEST_F(GradientPanelTest, MinAboveMaxMovesMaxAndClampsEveryKey) {
  const size_t from = logSize();
  fireFloat(kGradCtlMin, 150.0);
  EXPECT_FLOAT_EQ(gradient().rangeMin, 1.5f);
  EXPECT_FLOAT_EQ(gradient().rangeMax, 1.5f + 0.0001f);
  EXPECT_NEAR(control(kGradCtlMax)->floatValue, 150.01, 1e-4);
  for (float p : positions()) EXPECT_FLOAT_EQ(p, 1.5f);
  EXPECT_NEAR(control(kGradCtlWeightValue)->floatValue, 150.0, 1e-4);
  EXPECT_EQ(redraws(from), 1);

  fireFloat(kGradCtlMax, -20.0);
  EXPECT_FLOAT_EQ(gradient().rangeMin, -0.2f - 0.0001f);
  for (float p : positions()) EXPECT_FLOAT_EQ(p, -0.2f);
  EXPECT_NEAR(control(kGradCtlMin)->floatValue, -20.01, 1e-4);
}

TEST_F(GradientPanelTest, WeightValueMovesTheCurrentKeyWithinTheRange) {
  fireFloat(kGradCtlWeightValue, 80.0);
  EXPECT_EQ(positions(), (std::vector<float>{-1.0f, -0.5f, 0.8f, 0.8f, 1.0f}));
  fireFloat(kGradCtlWeightValue, 300.0);
  EXPECT_EQ(positions(), (std::vector<float>{-1.0f, -0.5f, 1.0f, 1.0f, 1.0f}));
  EXPECT_DOUBLE_EQ(control(kGradCtlWeightValue)->floatValue, 100.0);
}

TEST_F(GradientPanelTest, ColourControlsRecolourThePointsAndTheTexture) {
  const PntUserData* unweighted = firstPointWithout(false);
  ASSERT_NE(unweighted, nullptr);
  const size_t from = logSize();
  fireRgb(kGradCtlUnweighted, 255, 0, 51);
  EXPECT_FLOAT_EQ(gradient().unweightedColour[0], 1.0f);
  EXPECT_FLOAT_EQ(gradient().unweightedColour[2], 0.2f);
  EXPECT_FLOAT_EQ(unweighted->colour[0], 1.0f);
  EXPECT_FLOAT_EQ(unweighted->colour[2], 0.2f);

  fireRgb(kGradCtlKeyColour, 0, 255, 0);  // the current key, at 0.0
  EXPECT_FLOAT_EQ(gradient().current->colour[0], 0.0f);
  EXPECT_FLOAT_EQ(gradient().current->colour[1], 1.0f);
  const uint8_t* texel = &stInstData.gradientTexture[size_t((stInstData.gradientTextureSize + 2) * 4)];
  EXPECT_EQ(texel[0], 0);
  EXPECT_EQ(texel[1], 255);
  EXPECT_EQ(redraws(from), 2);
}

TEST_F(GradientPanelTest, TheToggleClosesAndReopensAndTheRasterLivesOnlyWhileOpen) {
  EXPECT_NE(stGradPanel.bar, nullptr);
  {
    sim::Host::PluginCall call(*host);
    toggleGradientPanel(stInstData);
  }
  EXPECT_FALSE(isGradientPanelOpen());
  EXPECT_EQ(gradientPanel(), nullptr);
  EXPECT_EQ(stGradPanel.bar, nullptr);
  {
    sim::Host::PluginCall call(*host);
    toggleGradientPanel(stInstData);
  }
  EXPECT_TRUE(isGradientPanelOpen());
  EXPECT_NE(stGradPanel.bar, nullptr);
  EXPECT_EQ(host->panels.size(), size_t(2));  // built once, reused
  sim::closePanelAsUser(gradientPanel());  // its own close box
  EXPECT_FALSE(isGradientPanelOpen());
  EXPECT_EQ(stGradPanel.bar, nullptr);
}

TEST_F(GradientPanelTest, ClosingTheEditPanelClosesTheGradientPanel) {
  sim::closePanelAsUser(editPanel());
  EXPECT_FALSE(isGradientPanelOpen());
  EXPECT_EQ(gradientPanel(), nullptr);
  EXPECT_EQ(stGradPanel.bar, nullptr);
  // A late mouse event on the closed panel's hooks does nothing.
  sim::PanelState* p = host->panels.back().get();
  ASSERT_EQ(p->title, "Gradient Panel");
  sim::Host::PluginCall call(*host);
  p->mouseButtonHook(p, p->userData, MOUSE_DOWN | MOUSE_LEFT, 100, 85);
}

TEST_F(GradientPanelTest, TheEditedGradientIsSavedAndShownAtTheNextActivation) {
  stGradPanel.tool = kGradToolAdd;
  press(100, 85);
  release(100, 85);
  fireRgb(kGradCtlKeyColour, 10, 20, 30);
  fireFloat(kGradCtlMin, -50.0);
  fireRgb(kGradCtlUnweighted, 1, 2, 3);
  const std::vector<float> edited = positions();
  ASSERT_EQ(edited.size(), size_t(6));
  sim::closePanelAsUser(editPanel());
  EXPECT_EQ(gradient().count, 0);  // freed with the edit panel
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_EQ(positions(), edited);
  {
    sim::Host::PluginCall call(*host);
    openGradientPanel(stInstData);
  }
  ASSERT_NE(gradientPanel(), nullptr);
  EXPECT_EQ(control(kGradCtlUnweighted)->ivec, (std::array<int, 3>{1, 2, 3}));
  EXPECT_DOUBLE_EQ(control(kGradCtlMin)->floatValue, -50.0);
  int found = 0;
  for (const GradientSeg* k = gradient().first; k; k = k->next)
    found += k->colour[0] == 10 / 255.0f && k->colour[1] == 20 / 255.0f && k->colour[2] == 30 / 255.0f;
  EXPECT_EQ(found, 1);
}
