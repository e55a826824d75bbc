// Headless panels: controls hold values, drawing is recorded, and tests or scripts
// press buttons, type values and choose items as a user would.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

extern "C" {
#include <lwpanel.h>
}

namespace sim {

struct PanelState;

// One text or shape a panel or control drew.
struct DrawRecord {
  DrawRecord() = default;
  DrawRecord(std::string kind_, std::string text_, int x_, int y_, int w_, int h_, int colour_)
      : kind(std::move(kind_)), text(std::move(text_)), x(x_), y(y_), w(w_), h(h_), colour(colour_) {}

  std::string kind;  // "text", "line", "box", "rgbbox", "border", "pixel", "erase", "blit"
  std::string text;
  int x = 0, y = 0, w = 0, h = 0;  // a line keeps its second end in w, h
  int colour = 0;    // an LWP_* index or RGB_() value; packed 0xRRGGBB when `rgb`
  bool rgb = false;  // drawn by drawRGBPixel or drawRGBBox
  // A blit: the part of the raster copied, from (srcX, srcY), and what the raster held.
  int srcX = 0, srcY = 0;
  std::vector<DrawRecord> blitted;
};

struct ControlState {
  LWControl api{};  // first member: the host hands out &api
  PanelState* panel = nullptr;
  std::string type;   // "ButtonControl", "PopupControl", ...
  std::string label;
  LWType descType = LWT_NULL;
  std::vector<std::string> items;  // choice items copied at creation
  LWPanPopupDesc popup{};          // custom pop-ups and list boxes keep their callbacks
  int x = 0, y = 0, w = 80, h = 20;
  int intValue = 0;
  double floatValue = 0.0;
  std::string stringValue;
  std::array<int, 3> ivec = {0, 0, 0};
  std::array<double, 3> fvec = {0, 0, 0};
  void* pointer = nullptr;
  int flags = 0;
  bool ghosted = false;  // GHOST_CON drew it ghosted; RENDER_CON / UNGHOST_CON cleared it
  int rangeMin = 0, rangeMax = 100;
  int mouseX = 0, mouseY = 0, mouseButton = 0;
  LWCtlEventHook event = nullptr;
  LWCtlDrawHook drawHook = nullptr;
  void* userData = nullptr;

  // A toggle button or check box: pressing it flips its value before the event.
  bool toggles() const {
    return descType == LWT_BOOLEAN || type == "BoolButtonControl" || type == "BoolControl";
  }
  // Buttons and pop-down menus carry their title on their face, so no label column.
  bool labelOnFace() const {
    return label.empty() || type == "ButtonControl" || type == "BoolButtonControl" || type == "PopDownControl";
  }
  // CTL_LABELWIDTH: the label column in the headless font, 7 pixels a byte; the face
  // starts this far right of x.
  static constexpr int kLabelCharWidth = 7;
  int labelWidth() const { return labelOnFace() ? 0 : int(label.size()) * kLabelCharWidth; }
};

struct PanelState {
  std::string title;
  std::vector<std::unique_ptr<ControlState>> controls;
  int x = 0, y = 0, w = 200, h = 100;
  bool open = false;
  bool destroyed = false;
  int openCount = 0;
  int lastOpenFlags = 0;
  int result = 0;
  void* userData = nullptr;
  LWPanDrawHook drawHook = nullptr;
  LWPanHook openHook = nullptr, closeHook = nullptr, activateHook = nullptr;
  LWPanKeyHook keyHook = nullptr;
  LWPanMouseHook mouseButtonHook = nullptr, mouseMoveHook = nullptr;
  std::vector<DrawRecord> drawn;  // since the last full redraw

  ControlState* control(const std::string& label);
  // Draws the panel as the host would: the user draw hook and each control's.
  void redraw();
  std::vector<std::string> texts() const;
};

// Closes a panel as the user would (its close callback runs).
void closePanelAsUser(PanelState* panel);

}  // namespace sim
