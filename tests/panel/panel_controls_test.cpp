// The edit panel's 41 controls: order, kinds, labels, ranges and where their labels end.
#include <gtest/gtest.h>

#include <cstring>

#include "panel/panel_images.h"
#include "panel/panel_layout.h"
#include "support/edit_panel_fixture.h"

namespace {

struct Expected {
  const char* type;
  const char* label;
  int labelEndX;
  int width;  // 0: not checked
};

const Expected kControls[kNumEditControls] = {
    {"BoolButtonControl", "Pen", 43, 80},          {"BoolButtonControl", "Brush", 43, 80},
    {"BoolButtonControl", "Linear Grad", 43, 80},  {"BoolButtonControl", "Lasso Paint", 43, 80},
    {"BoolButtonControl", "Fill", 43, 80},         {"BoolButtonControl", "Blur", 43, 80},
    {"BoolButtonControl", "Pen Sel", 124, 80},     {"BoolButtonControl", "Lasso Sel", 124, 80},
    {"BoolButtonControl", "Fill Sel", 124, 80},    {"BoolButtonControl", "Sel Bone", 124, 80},
    {"BoolButtonControl", "Sel Object", 124, 80},  {"ButtonControl", "c1", 10, 26},
    {"ButtonControl", "c2", 10, 26},               {"ButtonControl", "c3", 10, 26},
    {"ButtonControl", "c4", 10, 26},               {"ButtonControl", "c5", 10, 26},
    {"InfoControl", "", 33, 0},                    {"PopDownControl", "Edit", 110, 0},
    {"EditControl", "Name", 43, 0},                {"CustomPopupControl", "", 172, 20},
    {"MiniSliderControl", "Brush Radius", 86, 0},  {"ChoiceControl", "Falloff Mode", 86, 0},
    {"MiniSliderControl", "Strength", 86, 0},      {"PercentControl", "Value", 86, 0},
    {"BoolButtonControl", "Erase", 20, 44},        {"ButtonControl", "0", 66, 24},
    {"ButtonControl", "25", 89, 24},               {"ButtonControl", "50", 112, 24},
    {"ButtonControl", "75", 135, 24},              {"ButtonControl", "100", 158, 32},
    {"BoolControl", "0-Weighted Outline Points", 0, 0},
    {"BoolButtonControl", "Enable Deformations", 0, 118},
    {"MiniSliderControl", "SubD Level", 0, 0},     {"PopupControl", "", 0, 0},
    {"HSlideControl", "Point Size", 0, 108},       {"BoolControl", "Multiply Size by Value", 0, 0},
    {"BoolControl", "No Depth", 122, 0},           {"BoolControl", "Show Weights", 0, 0},
    {"BoolButtonControl", "AutoSave", 18, 64},     {"ButtonControl", "Undo", 104, 48},
    {"ButtonControl", "Redo", 151, 48},
};

int labelEnd(sim::ControlState* c) {
  LWValue v{};
  v.type = LWT_INTEGER;
  c->api.get(&c->api, CTL_LABELWIDTH, &v);
  return c->x + v.intv.value;
}

}  // namespace

TEST_F(EditPanelTest, FortyOneControlsInTheirOrderWithLabelsAndPlaces) {
  for (int i = 0; i < kNumEditControls; ++i) {
    SCOPED_TRACE("control " + std::to_string(i + 1) + " " + kControls[i].label);
    sim::ControlState* c = control(i);
    EXPECT_EQ(c->type, kControls[i].type);
    EXPECT_EQ(c->label, kControls[i].label);
    if (kControls[i].labelEndX) { EXPECT_EQ(labelEnd(c), kControls[i].labelEndX); }
    if (kControls[i].width) { EXPECT_EQ(c->w, kControls[i].width); }
    EXPECT_GE(c->x, 0);
    EXPECT_LE(c->x + c->w, kEditPanelWidth + 4);
    EXPECT_EQ(c->userData, &stInstData);
  }
  EXPECT_EQ(panel()->w, kEditPanelWidth);
  EXPECT_EQ(panel()->lastOpenFlags, PANF_NOBUTT | PANF_PASSALLKEYS);
}

TEST_F(EditPanelTest, RowsAndColumnsFollowTheLayout) {
  // Tools 1-6 stack in the middle column, c1-c5 and tools 7-11 share its first five rows.
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(control(kCtlCustomFirst + i)->y, control(kCtlToolFirst + i)->y);
    EXPECT_EQ(control(kCtlToolFirst + 6 + i)->y, control(kCtlToolFirst + i)->y);
  }
  EXPECT_GT(control(kCtlToolFirst + 5)->y, control(kCtlToolFirst + 4)->y);
  const int sameRows[][2] = {{kCtlVersion, kCtlEdit}, {kCtlName, kCtlMapPop}, {kCtlErase, kCtlValueButtonFirst + 4},
                             {kCtlShowWeights, kCtlNoDepth}, {kCtlAutoSave, kCtlRedo}};
  for (const auto& pair : sameRows) { EXPECT_EQ(control(pair[0])->y, control(pair[1])->y) << pair[0]; }
  // Each of the other controls sits on a row below the one before it.
  const int column[] = {kCtlName, kCtlToolFirst, kCtlBrushRadius, kCtlFalloff, kCtlStrength, kCtlValue, kCtlErase,
                        kCtlZeroOutline, kCtlEnableDeform, kCtlSubD, kCtlVisibility, kCtlPointSize, kCtlMultiply,
                        kCtlShowWeights, kCtlAutoSave};
  for (size_t i = 1; i < std::size(column); ++i) { EXPECT_GT(control(column[i])->y, control(column[i - 1])->y) << i; }
  EXPECT_GE(panel()->h, control(kCtlUndo)->y + control(kCtlUndo)->h);
}

TEST_F(EditPanelTest, RangesAndChoices) {
  EXPECT_EQ(control(kCtlBrushRadius)->rangeMin, 4);
  EXPECT_EQ(control(kCtlBrushRadius)->rangeMax, 1000000);
  EXPECT_EQ(control(kCtlStrength)->rangeMax, 150);
  EXPECT_EQ(control(kCtlSubD)->rangeMax, 1024);
  EXPECT_EQ(control(kCtlPointSize)->rangeMax, 200);
  EXPECT_EQ(control(kCtlValue)->rangeMax, 100);
  EXPECT_EQ(control(kCtlFalloff)->items, (std::vector<std::string>{"Global", "Surface"}));
  ASSERT_EQ(control(kCtlVisibility)->items.size(), 3u);
  EXPECT_EQ(control(kCtlVisibility)->items[1], "\x03(i:175) Weight Shaded Solid");
  // The map pop-up: " (new) " and the limb's three maps.
  sim::ControlState* pop = control(kCtlMapPop);
  ASSERT_EQ(pop->popup.countFn(pop->userData), 4);
  EXPECT_STREQ(pop->popup.nameFn(pop->userData, 0), " (new) ");
  EXPECT_STREQ(pop->popup.nameFn(pop->userData, 2), "Lower");
  EXPECT_STREQ(pop->popup.nameFn(pop->userData, 9), " (missing) ");
}

TEST_F(EditPanelTest, ControlsShowTheSettingsWhenOpened) {
  EXPECT_EQ(control(kCtlToolFirst + stInstData.toolIndex)->intValue, 1);
  EXPECT_EQ(control(kCtlVersion)->stringValue, "Ver 1.07");
  EXPECT_EQ(control(kCtlName)->stringValue, stInstData.weightMapName);
  EXPECT_EQ(control(kCtlBrushRadius)->intValue, stInstData.brushSize);
  EXPECT_DOUBLE_EQ(control(kCtlValue)->floatValue, stInstData.value * 100.0);
  EXPECT_EQ(control(kCtlPointSize)->intValue, stInstData.pointSize);
}

TEST_F(EditPanelTest, DrawingShowsSeparatorsIconsAndTheColourBox) {
  panel()->redraw();
  int lines = 0, blits = 0, pixels = 0;
  for (const auto& d : panel()->drawn) {
    lines += d.kind == "line" && d.x == 0 && d.w == kEditPanelWidth - 1;
    blits += d.kind == "blit";
    pixels += d.kind == "pixel";
  }
  EXPECT_EQ(lines, 4);
  EXPECT_EQ(blits, 2);               // the warning and the bone icon
  EXPECT_GE(pixels, 24 * 15);        // the colour box, pixel by pixel
}

TEST(EditPanelIcons, TwoStatesWithTransparentSurroundings) {
  const uint8_t* icons[2] = {warningIconPixels(), boneIconPixels()};
  const int widths[2] = {kWarningIconPixelsW, kBoneIconPixelsW};
  for (int i = 0; i < 2; ++i) {
    int opaque[2] = {0, 0};
    for (int y = 0; y < 38; ++y)
      for (int x = 0; x < widths[i]; ++x) opaque[y / 19] += icons[i][(y * widths[i] + x) * 4 + 3] != 0;
    EXPECT_GT(opaque[0], 20) << i;
    EXPECT_EQ(opaque[0], opaque[1]) << i;  // the same shape, coloured differently
    EXPECT_EQ(icons[i][3], 0) << i;        // a transparent corner shows the panel
  }
}
