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

// An off-screen raster (the raster services): its size and the draw calls made into it.
// RGB calls are flagged rgb with the colour packed as r << 16 | g << 8 | b; other calls
// carry a panel colour index.
struct PanelRaster {
  int w = 0, h = 0;
  std::vector<DrawRecord> drawn;
};

// One blitPanel: a copy of the raster's draw calls at that moment, which part of it was
// copied and where it went on the panel.
struct PanelBlit {
  PanelRaster source;
  int srcX = 0, srcY = 0;
  int x = 0, y = 0, w = 0, h = 0;
};

struct ControlState {
  LWControl api{};  // first member: the host hands out &api
  PanelState* panel = nullptr;
  std::string type;   // "ButtonControl", "PopupControl", ...
  std::string label;
  LWType descType = LWT_NULL;
  std::vector<std::string> items;  // choice items as they were at creation
  // The plug-in's item array: the panel services keep the pointer, not a copy, so a
  // plug-in may rewrite the strings (a menu's marks) while the control lives.
  const char** itemSource = nullptr;
  LWPanPopupDesc popup{};          // custom pop-ups and list boxes keep their callbacks
  LWPanMultiListBoxDesc multiList{};  // multi-lists keep theirs (count, cell names, column widths)
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

  // The items as the control shows them now.
  std::vector<std::string> currentItems() const {
    if (!itemSource) return items;
    std::vector<std::string> out;
    for (const char** it = itemSource; *it; ++it) out.push_back(*it);
    return out;
  }
  // A custom pop-up's items, asked of its callbacks now (with the control's user data).
  std::vector<std::string> popupItems() const {
    std::vector<std::string> out;
    if (!popup.countFn || !popup.nameFn) return out;
    const int n = popup.countFn(userData);
    for (int i = 0; i < n; ++i) {
      const char* name = popup.nameFn(userData, i);
      out.push_back(name ? name : "");
    }
    return out;
  }
  // A multi-list's rows, columns and cells as its callbacks give them now; row -1 is the
  // column titles.
  int rowCount() const { return multiList.countFn ? multiList.countFn(userData) : 0; }
  std::vector<int> columnWidths() const {
    std::vector<int> out;
    if (!multiList.colWidth) return out;
    for (int i = 0; i < 64; ++i) {
      const int w = multiList.colWidth(userData, i);
      if (w <= 0) break;
      out.push_back(w);
    }
    return out;
  }
  std::string cell(int row, int column) const {
    const char* text = multiList.nameFn ? multiList.nameFn(userData, row, column) : nullptr;
    return text ? text : "";
  }
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
  std::vector<PanelBlit> blits;   // since the last full redraw (each also a "blit" in drawn)

  ControlState* control(const std::string& label);
  // Draws the panel as the host would: the user draw hook and each control's.
  void redraw();
  std::vector<std::string> texts() const;
};

// Closes a panel as the user would (its close callback runs).
void closePanelAsUser(PanelState* panel);

// The user's mouse on an open panel opened with PANF_MOUSETRAP (other panels get nothing):
// a press calls the mouse-button hook with the button bits (MOUSE_LEFT, MOUSE_MID, both
// for the right button, plus IQ_* keys) and MOUSE_DOWN; a drag calls the mouse-move hook
// with the held bits and MOUSE_DOWN; the release calls the mouse-button hook with the
// bits without MOUSE_DOWN. x, y are panel pixels and may lie outside the panel during a
// drag. Each is one plug-in call. False when nothing was delivered.
bool panelMousePress(PanelState* panel, int buttons, int x, int y);
bool panelMouseDrag(PanelState* panel, int buttons, int x, int y);
bool panelMouseRelease(PanelState* panel, int buttons, int x, int y);

}  // namespace sim
