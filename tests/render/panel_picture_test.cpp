// Pictures of headless panels: controls at their places with their labels and values,
// greys for ghosted ones, and the plug-in's own drawing (rasters included) on top.
#include <gtest/gtest.h>

#include <memory>

#include "host/panel_state.h"
#include "render/panel_control_picture.h"
#include "render/panel_palette.h"
#include "render/panel_picture.h"
#include "render/panel_text.h"

extern "C" {
#include <lwpanel.h>
}

namespace {

using sim::ControlState;
using sim::DrawRecord;
using sim::Image;
using sim::PanelRect;
using sim::Rgba8;

ControlState& addControl(sim::PanelState& panel, const std::string& type, const std::string& label, int x, int y,
                         int w, LWType descType = LWT_AREA) {
  auto c = std::make_unique<ControlState>();
  c->panel = &panel;
  c->type = type;
  c->label = label;
  c->descType = descType;
  c->x = x;
  c->y = y;
  c->w = w;
  panel.controls.push_back(std::move(c));
  return *panel.controls.back();
}

int countColour(const Image& image, const PanelRect& r, Rgba8 colour) {
  int n = 0;
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) n += image.inside(x, y) && image.at(x, y) == colour;
  return n;
}

const sim::PanelTheme& theme() { return sim::panelTheme(); }

sim::PanelState panelOfSize(int w, int h) {
  sim::PanelState p;
  p.w = w;
  p.h = h;
  return p;
}

TEST(PanelPicture, HasThePanelsSizeAndBackground) {
  sim::PanelState panel = panelOfSize(212, 97);
  const Image image = sim::panelPicture(panel);
  EXPECT_EQ(image.width, 212);
  EXPECT_EQ(image.height, 97);
  EXPECT_EQ(countColour(image, {0, 0, 212, 97}, theme().background), 212 * 97);
}

TEST(PanelPicture, ALabelColumnPutsTheFaceRightOfTheLabel) {
  sim::PanelState panel = panelOfSize(200, 40);
  ControlState& slider = addControl(panel, "MiniSliderControl", "Radius", 4, 10, 80, LWT_RANGE);
  slider.intValue = 40;
  ControlState& button = addControl(panel, "ButtonControl", "Undo", 120, 10, 48);
  const Image image = sim::panelPicture(panel);

  const PanelRect face = sim::controlFace(slider);
  EXPECT_EQ(face.x, 4 + 6 * ControlState::kLabelCharWidth);
  EXPECT_EQ(sim::controlFace(button).x, 120);  // a button has no label column
  // The label's letters lie left of the face, the number inside it; the face's frame
  // starts exactly at its left edge.
  EXPECT_GT(countColour(image, {0, 10, face.x, 20}, theme().text), 20);
  EXPECT_GT(countColour(image, {face.x, 10, 44, 20}, theme().text), 5);
  EXPECT_EQ(image.at(face.x, 20), theme().dark);
  EXPECT_EQ(image.at(face.x - 1, 20), theme().background);
  EXPECT_EQ(image.at(120, 20), theme().light);
  EXPECT_EQ(sim::controlValueText(slider), "40");
  EXPECT_EQ(sim::controlValueText(button), "Undo");
}

TEST(PanelPicture, GhostedControlsAreDrawnInGreys) {
  sim::PanelState panel = panelOfSize(100, 30);
  ControlState& c = addControl(panel, "ButtonControl", "Redo", 10, 5, 48);
  const PanelRect r = sim::controlFace(c);
  const Image live = sim::panelPicture(panel);
  c.ghosted = true;
  const Image ghost = sim::panelPicture(panel);
  EXPECT_GT(countColour(live, r, theme().text), 10);
  EXPECT_EQ(countColour(live, r, theme().textGhost), 0);
  EXPECT_EQ(countColour(ghost, r, theme().text), 0);
  EXPECT_GT(countColour(ghost, r, theme().textGhost), 10);
  EXPECT_NE(ghost.at(r.x + 2, r.y + 2), live.at(r.x + 2, r.y + 2));  // the face too
}

TEST(PanelPicture, ValuesShowAsTicksPressedButtonsAndChosenItems) {
  sim::PanelState panel = panelOfSize(220, 120);
  ControlState& box = addControl(panel, "BoolControl", "No Depth", 0, 0, 80, LWT_BOOLEAN);
  ControlState& toggle = addControl(panel, "BoolButtonControl", "Erase", 0, 25, 44);
  static const char* kItems[] = {"Global", "Surface"};
  ControlState& choice = addControl(panel, "ChoiceControl", "Falloff", 0, 50, 80, LWT_CHOICE);
  choice.items.assign(kItems, kItems + 2);
  ControlState& percent = addControl(panel, "PercentControl", "Value", 0, 75, 80, LWT_RANGE);
  percent.floatValue = 35;

  const Image off = sim::panelPicture(panel);
  box.intValue = 1;
  toggle.intValue = 1;
  choice.intValue = 1;
  const Image on = sim::panelPicture(panel);

  const PanelRect boxFace = sim::controlFace(box), toggleFace = sim::controlFace(toggle);
  EXPECT_EQ(boxFace.w, boxFace.h);  // a check box is a square, not the control's width
  EXPECT_EQ(countColour(off, boxFace, theme().mark), 0);
  EXPECT_GT(countColour(on, boxFace, theme().mark), 6);
  EXPECT_EQ(countColour(off, toggleFace, theme().facePressed), 0);
  EXPECT_GT(countColour(on, toggleFace, theme().facePressed), toggleFace.w * toggleFace.h / 2);

  // The horizontal choice is as wide as its items need; the chosen one looks pressed.
  const PanelRect choiceFace = sim::controlFace(choice);
  const int cell = sim::kFaceCharAdvance;
  EXPECT_GE(choiceFace.w, 13 * cell);
  const PanelRect first{choiceFace.x, choiceFace.y, 6 * cell, choiceFace.h};
  const PanelRect second{choiceFace.x + 6 * cell + 10, choiceFace.y, 7 * cell, choiceFace.h};
  EXPECT_GT(countColour(off, first, theme().facePressed), 0);
  EXPECT_EQ(countColour(off, second, theme().facePressed), 0);
  EXPECT_EQ(countColour(on, first, theme().facePressed), 0);
  EXPECT_GT(countColour(on, second, theme().facePressed), 0);

  EXPECT_EQ(sim::controlValueText(choice), "Surface");
  EXPECT_EQ(sim::controlValueText(percent), "35.0 %");
  choice.intValue = 7;  // out of range: nothing rather than a stray item
  EXPECT_EQ(sim::controlValueText(choice), "");
}

int stPopupCount(void*) { return 3; }
char* stPopupName(void*, int index) {
  static char names[3][8] = {" (new) ", "Upper", "Lower"};
  return index >= 0 && index < 3 ? names[index] : nullptr;
}

TEST(PanelPicture, ACustomPopupShowsTheItemItsCallbacksName) {
  sim::PanelState panel = panelOfSize(100, 30);
  ControlState& c = addControl(panel, "CustomPopupControl", "", 0, 0, 60, LWT_POPUP);
  c.popup.countFn = stPopupCount;
  c.popup.nameFn = stPopupName;
  c.intValue = 2;
  EXPECT_EQ(sim::controlValueText(c), "Lower");
  c.intValue = 3;
  EXPECT_EQ(sim::controlValueText(c), "");
}

TEST(PanelPicture, ThePluginsDrawingLiesOnTopOfTheControls) {
  sim::PanelState panel = panelOfSize(100, 60);
  addControl(panel, "ButtonControl", "Big", 0, 0, 100);
  panel.drawn.push_back({"line", "", 0, 30, 99, 30, LWP_BLACK});
  DrawRecord box{"rgbbox", "", 10, 2, 5, 5, 0x102030};
  box.rgb = true;
  panel.drawn.push_back(box);
  panel.drawn.push_back({"box", "", 20, 2, 3, 3, int(RGB_(200, 100, 50))});
  const Image image = sim::panelPicture(panel);
  EXPECT_EQ(image.at(50, 30), (Rgba8{0, 0, 0, 255}));
  EXPECT_EQ(image.at(12, 4), (Rgba8{0x10, 0x20, 0x30, 255}));
  EXPECT_EQ(image.at(21, 3), (Rgba8{200, 100, 50, 255}));
}

TEST(PanelPicture, ABlitCopiesThePartOfTheRasterItNames) {
  sim::PanelState panel = panelOfSize(60, 60);
  // A raster two states high: the blit takes the lower state only.
  DrawRecord blit{"blit", "", 10, 20, 4, 4, 0};
  blit.srcX = 0;
  blit.srcY = 4;
  DrawRecord upper{"pixel", "", 1, 1, 1, 1, 0xFF0000};
  upper.rgb = true;
  DrawRecord lower{"pixel", "", 1, 5, 1, 1, 0x00FF00};
  lower.rgb = true;
  blit.blitted = {upper, lower, {"pixel", "", 2, 6, 1, 1, LWP_BG}};
  panel.drawn.push_back({"box", "", 0, 0, 60, 60, LWP_BLACK});
  panel.drawn.push_back(blit);
  const Image image = sim::panelPicture(panel);
  EXPECT_EQ(image.at(11, 21), (Rgba8{0, 255, 0, 255}));
  EXPECT_EQ(image.at(12, 22), theme().background);  // the raster's background colour
  EXPECT_EQ(image.at(11, 17), (Rgba8{0, 0, 0, 255}));  // the upper state stays out
  EXPECT_EQ(image.at(13, 23), (Rgba8{0, 0, 0, 255}));  // never drawn: the panel shows
}

}  // namespace
