#include "render/panel_control_picture.h"

#include <algorithm>
#include <cstdio>

#include "render/panel_canvas.h"
#include "render/panel_palette.h"
#include "render/panel_text.h"

namespace sim {
namespace {

constexpr int kCheckBoxSide = 14;
constexpr int kItemPadding = 10;  // around each item of a horizontal choice
constexpr int kNumberFieldWidth = 44;
constexpr int kLabelGap = 3;

struct Style {
  Rgba8 face, pressed, field, text;
};

Style styleOf(const ControlState& c) {
  const PanelTheme& t = panelTheme();
  if (c.ghosted) return {t.faceGhost, t.facePressedGhost, t.faceGhost, t.textGhost};
  return {t.face, t.facePressed, t.field, t.text};
}

bool isButton(const ControlState& c) { return c.type == "ButtonControl" || c.type == "BoolButtonControl"; }
bool isPopup(const ControlState& c) { return c.type == "PopupControl" || c.type == "CustomPopupControl"; }
bool isRange(const ControlState& c) { return c.descType == LWT_RANGE && c.type != "PercentControl"; }

std::string chosenItem(const ControlState& c) {
  if (!c.items.empty())
    return c.intValue >= 0 && size_t(c.intValue) < c.items.size() ? c.items[size_t(c.intValue)] : std::string();
  // A custom pop-up names its items through the plug-in's callbacks, as the host asks them.
  if (!c.popup.nameFn || !c.popup.countFn || c.intValue < 0 || c.intValue >= c.popup.countFn(c.userData)) return {};
  const char* name = c.popup.nameFn(c.userData, c.intValue);
  return name ? name : "";
}

std::string formatNumber(double v, const char* suffix) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f%s", v, suffix);
  return buf;
}

int textTop(const PanelRect& r) { return r.y + (r.h - kPanelTextHeight) / 2; }

void raisedFace(Image& image, const PanelRect& r, Rgba8 fill) {
  const PanelTheme& t = panelTheme();
  fillRect(image, r.x, r.y, r.w, r.h, fill);
  frameRect(image, r.x, r.y, r.w, r.h, t.light, t.dark);
}

void sunkenField(Image& image, const PanelRect& r, Rgba8 fill) {
  const PanelTheme& t = panelTheme();
  fillRect(image, r.x, r.y, r.w, r.h, fill);
  frameRect(image, r.x, r.y, r.w, r.h, t.dark, t.light);
}

constexpr int kTextInset = 2;
constexpr int kArrowRoom = 14;  // a pop-up's arrow at the right of its face

// Text inside a face, cut at `right`.
void fieldText(Image& image, const PanelRect& r, const std::string& text, Rgba8 colour, int right) {
  drawPanelText(image, r.x + kTextInset, textTop(r), text, colour, right, kFaceCharAdvance);
}

// Centred when it fits, else from the left and cut.
void centredText(Image& image, const PanelRect& r, const std::string& text, Rgba8 colour) {
  const int width = panelTextWidth(text, kFaceCharAdvance);
  if (width > r.w - 2 * kTextInset) return fieldText(image, r, text, colour, r.x + r.w - kTextInset);
  drawPanelText(image, r.x + (r.w - width) / 2, textTop(r), text, colour, r.x + r.w, kFaceCharAdvance);
}

void downArrow(Image& image, const PanelRect& r, Rgba8 colour) {
  const int cx = r.x + r.w - 8, cy = r.y + r.h / 2 - 1;
  for (int row = 0; row < 3; ++row) fillRect(image, cx - 2 + row, cy + row, 5 - 2 * row, 1, colour);
}

void paintCheckBox(Image& image, const PanelRect& r, const ControlState& c, const Style& s) {
  sunkenField(image, r, s.field);
  if (!c.intValue) return;
  const Rgba8 tick = c.ghosted ? s.text : panelTheme().mark;
  // A tick: a short stroke down to the right, then a long one up.
  drawLine(image, r.x + 3, r.y + 7, r.x + 5, r.y + 10, tick);
  drawLine(image, r.x + 5, r.y + 10, r.x + 10, r.y + 3, tick);
  drawLine(image, r.x + 3, r.y + 6, r.x + 5, r.y + 9, tick);
  drawLine(image, r.x + 5, r.y + 9, r.x + 10, r.y + 2, tick);
}

void paintChoice(Image& image, const PanelRect& r, const ControlState& c, const Style& s) {
  int x = r.x;
  for (size_t i = 0; i < c.items.size(); ++i) {
    const int w = panelTextWidth(c.items[i], kFaceCharAdvance) + kItemPadding;
    const PanelRect item{x, r.y, w, r.h};
    const bool chosen = int(i) == c.intValue;
    if (chosen) sunkenField(image, item, s.pressed);
    else raisedFace(image, item, s.face);
    centredText(image, item, c.items[i], s.text);
    x += w;
  }
}

void paintRange(Image& image, const PanelRect& r, const ControlState& c, const Style& s) {
  const PanelRect number{r.x, r.y, std::min(r.w, kNumberFieldWidth), r.h};
  sunkenField(image, number, s.field);
  fieldText(image, number, controlValueText(c), s.text, number.x + number.w - 1);
  if (r.w <= number.w + 8) return;
  const PanelRect track{number.x + number.w + 3, r.y + r.h / 2 - 2, r.w - number.w - 3, 4};
  sunkenField(image, track, s.field);
  const int span = std::max(1, c.rangeMax - c.rangeMin);
  const double f = std::clamp(double(c.intValue - c.rangeMin) / span, 0.0, 1.0);
  const int knobX = track.x + int(f * (track.w - 6));
  raisedFace(image, {knobX, r.y + 3, 6, r.h - 6}, c.ghosted ? s.face : panelTheme().mark);
}

void paintFace(Image& image, const PanelRect& r, const ControlState& c, const Style& s) {
  if (c.type == "BoolControl") return paintCheckBox(image, r, c, s);
  if (c.type == "ChoiceControl" || c.type == "TabChoiceControl") return paintChoice(image, r, c, s);
  if (isRange(c)) return paintRange(image, r, c, s);
  if (c.type == "InfoControl") return fieldText(image, r, controlValueText(c), s.text, r.x + r.w);
  if (c.type == "MiniRGBControl") {
    const auto byte = [](int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); };
    return sunkenField(image, r, {byte(c.ivec[0]), byte(c.ivec[1]), byte(c.ivec[2]), 255});
  }
  const std::string text = controlValueText(c);
  if (isButton(c)) {
    const bool pressed = c.type == "BoolButtonControl" && c.intValue;
    if (pressed) sunkenField(image, r, s.pressed);
    else raisedFace(image, r, s.face);
    centredText(image, r, text, s.text);
    return;
  }
  if (isPopup(c) || c.type == "PopDownControl") {
    raisedFace(image, r, s.face);
    fieldText(image, r, text, s.text, r.x + r.w - kArrowRoom);
    downArrow(image, r, s.text);
    return;
  }
  sunkenField(image, r, s.field);
  fieldText(image, r, text, s.text, r.x + r.w - 1);
}

}  // namespace

PanelRect controlFace(const ControlState& c) {
  PanelRect r{c.x + c.labelWidth(), c.y, c.w, c.h};
  if (c.type == "BoolControl") return {r.x, c.y + (c.h - kCheckBoxSide) / 2, kCheckBoxSide, kCheckBoxSide};
  if (c.type == "ChoiceControl" || c.type == "TabChoiceControl") {
    int itemsWidth = 0;
    for (const std::string& item : c.items) itemsWidth += panelTextWidth(item, kFaceCharAdvance) + kItemPadding;
    r.w = std::max(r.w, itemsWidth);
  }
  return r;
}

std::string controlValueText(const ControlState& c) {
  if (isButton(c) || c.type == "PopDownControl") return c.label;
  if (c.type == "BoolControl") return {};
  if (c.type == "PercentControl") return formatNumber(c.floatValue, " %");
  if (c.descType == LWT_CHOICE || c.descType == LWT_POPUP) return chosenItem(c);
  if (isRange(c) || c.descType == LWT_INTEGER) return std::to_string(c.intValue);
  if (c.descType == LWT_FLOAT || c.descType == LWT_DISTANCE) return formatNumber(c.floatValue, "");
  return c.stringValue;
}

void paintControl(Image& image, const ControlState& c) {
  const Style s = styleOf(c);
  const PanelRect face = controlFace(c);
  if (!c.labelOnFace()) {
    const PanelRect row{c.x, c.y, c.labelWidth(), c.h};
    drawPanelText(image, face.x - kLabelGap - panelTextWidth(c.label), textTop(row), c.label, s.text);
  }
  paintFace(image, face, c, s);
}

}  // namespace sim
