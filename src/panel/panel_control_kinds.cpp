#include "panel/panel_control_kinds.h"

namespace {

LWControl* add(LWPanelFuncs* pf, LWPanelID panel, const char* kind, LWPanControlDesc& desc, const char* title) {
  if (!pf || !pf->addControl || !panel) return nullptr;
  return pf->addControl(panel, const_cast<char*>(kind), &desc, const_cast<char*>(title ? title : ""));
}

LWControl* addArea(LWPanelFuncs* pf, LWPanelID panel, const char* kind, const char* title, int width) {
  LWPanControlDesc desc{};
  desc.type = LWT_AREA;
  desc.area.width = width;
  desc.area.height = 0;
  return add(pf, panel, kind, desc, title);
}

LWControl* addRange(LWPanelFuncs* pf, LWPanelID panel, const char* kind, const char* title, int width, int min, int max) {
  LWPanControlDesc desc{};
  desc.type = LWT_RANGE;
  desc.range.width = width;
  desc.range.min = min;
  desc.range.max = max;
  return add(pf, panel, kind, desc, title);
}

LWControl* addString(LWPanelFuncs* pf, LWPanelID panel, const char* kind, const char* title, int width) {
  LWPanControlDesc desc{};
  desc.type = LWT_STRING;
  desc.string.width = width;
  return add(pf, panel, kind, desc, title);
}

LWControl* addChoice(LWPanelFuncs* pf, LWPanelID panel, const char* kind, const char* title, const char** items,
                     int vertical) {
  LWPanControlDesc desc{};
  desc.type = LWT_CHOICE;
  desc.choice.vertical = vertical;
  desc.choice.items = items;
  return add(pf, panel, kind, desc, title);
}

}  // namespace

LWControl* addButton(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width) {
  return addArea(pf, panel, "ButtonControl", title, width);
}

LWControl* addCheckBox(LWPanelFuncs* pf, LWPanelID panel, const char* title) {
  LWPanControlDesc desc{};
  desc.type = LWT_BOOLEAN;
  return add(pf, panel, "BoolControl", desc, title);
}

LWControl* addToggleButton(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width) {
  return addArea(pf, panel, "BoolButtonControl", title, width);
}

LWControl* addMiniSlider(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width, int min, int max) {
  return addRange(pf, panel, "MiniSliderControl", title, width, min, max);
}

LWControl* addHorizontalSlider(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width, int min, int max) {
  return addRange(pf, panel, "HSlideControl", title, width, min, max);
}

LWControl* addPercent(LWPanelFuncs* pf, LWPanelID panel, const char* title) {
  return addRange(pf, panel, "PercentControl", title, 0, 0, 100);
}

LWControl* addTextEdit(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width) {
  return addString(pf, panel, "EditControl", title, width);
}

LWControl* addInfoText(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width) {
  return addString(pf, panel, "InfoControl", title, width);
}

LWControl* addHorizontalChoice(LWPanelFuncs* pf, LWPanelID panel, const char* title, const char** items) {
  return addChoice(pf, panel, "ChoiceControl", title, items, MX_HCHOICE);
}

LWControl* addPopup(LWPanelFuncs* pf, LWPanelID panel, const char* title, const char** items, int width) {
  return addChoice(pf, panel, "PopupControl", title, items, width);
}

LWControl* addPopDown(LWPanelFuncs* pf, LWPanelID panel, const char* title, const char** items) {
  return addChoice(pf, panel, "PopDownControl", title, items, MX_POPUP);
}

LWControl* addMiniRGB(LWPanelFuncs* pf, LWPanelID panel, const char* title) {
  LWPanControlDesc desc{};
  desc.type = LWT_VINT;
  return add(pf, panel, "MiniRGBControl", desc, title);
}

LWControl* addCustomPopup(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width, PopupNameFunc nameFn,
                          PopupCountFunc countFn) {
  LWPanControlDesc desc{};
  desc.type = LWT_POPUP;
  desc.popup.width = width;
  desc.popup.nameFn = nameFn;
  desc.popup.countFn = countFn;
  return add(pf, panel, "CustomPopupControl", desc, title);
}

LWControl* addMultiList(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width, int visibleRows,
                        MultiListNameFunc nameFn, MultiListCountFunc countFn, MultiListWidthFunc widthFn) {
  LWPanControlDesc desc{};
  desc.type = LWT_MLIST;
  desc.multiList.width = width;
  desc.multiList.visItems = visibleRows;
  desc.multiList.top = 0;
  desc.multiList.nameFn = nameFn;
  desc.multiList.countFn = countFn;
  desc.multiList.colWidth = widthFn;
  return add(pf, panel, "MultiListBoxControl", desc, title);
}

LWControl* addSeparator(LWPanelFuncs* pf, LWPanelID panel, int width) {
  LWPanControlDesc desc{};
  desc.type = LWT_AREA;
  desc.area.width = width;
  desc.area.height = 0;
  return add(pf, panel, "BorderControl", desc, "");
}
