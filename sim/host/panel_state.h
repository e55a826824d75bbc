// Headless panels: controls hold values, drawing is recorded, and tests or scripts
// press buttons, type values and choose items as a user would.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <lwpanel.h>
}

namespace sim {

struct PanelState;

// One text or shape a panel or control drew.
struct DrawRecord {
  std::string kind;  // "text", "line", "box", "rgbbox", "border", "pixel"
  std::string text;
  int x = 0, y = 0, w = 0, h = 0;
  int colour = 0;
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
