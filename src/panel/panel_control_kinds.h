// The edit panel's control kinds, created through the panel services' addControl with
// descriptors filled here. The SDK's control-creation macros are not used: their
// expansion is not part of the published facts, so the module spells each kind's class
// name and descriptor itself and builds the same against every SDK header set.
#pragma once

#include <type_traits>

extern "C" {
#include <lwpanel.h>
}

// A custom pop-up's callbacks as this SDK declares them (the item name is const char *
// in newer headers, char * in older ones); callbacks are declared with these so that
// they match either.
using PopupNameFunc = decltype(LWPanPopupDesc::nameFn);
using PopupCountFunc = decltype(LWPanPopupDesc::countFn);
using PopupNameResult = std::invoke_result_t<PopupNameFunc, void*, int>;
// A multi-list's callbacks, likewise typed from the descriptor in use.
using MultiListCountFunc = decltype(LWPanMultiListBoxDesc::countFn);
using MultiListNameFunc = decltype(LWPanMultiListBoxDesc::nameFn);
using MultiListWidthFunc = decltype(LWPanMultiListBoxDesc::colWidth);
using MultiListNameResult = std::invoke_result_t<MultiListNameFunc, void*, int, int>;

// A push button of the given width ("ButtonControl").
LWControl* addButton(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width);
// A check box ("BoolControl").
LWControl* addCheckBox(LWPanelFuncs* pf, LWPanelID panel, const char* title);
// A toggle button of the given width ("BoolButtonControl").
LWControl* addToggleButton(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width);
// Sliders with an integer range: the small one with a field ("MiniSliderControl") and the
// horizontal one ("HSlideControl").
LWControl* addMiniSlider(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width, int min, int max);
LWControl* addHorizontalSlider(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width, int min, int max);
// A percentage field, 0 ... 100 ("PercentControl").
LWControl* addPercent(LWPanelFuncs* pf, LWPanelID panel, const char* title);
// A text field ("EditControl") and a read-only text ("InfoControl"), width in characters.
LWControl* addTextEdit(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width);
LWControl* addInfoText(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width);
// Choices from a null-terminated item list: side by side ("ChoiceControl"), a pop-up of
// the given width ("PopupControl") and a pop-down menu ("PopDownControl").
LWControl* addHorizontalChoice(LWPanelFuncs* pf, LWPanelID panel, const char* title, const char** items);
LWControl* addPopup(LWPanelFuncs* pf, LWPanelID panel, const char* title, const char** items, int width);
LWControl* addPopDown(LWPanelFuncs* pf, LWPanelID panel, const char* title, const char** items);
// A small RGB colour field, values 0 ... 255 each ("MiniRGBControl", an integer vector).
LWControl* addMiniRGB(LWPanelFuncs* pf, LWPanelID panel, const char* title);
// A pop-up whose items come from callbacks ("CustomPopupControl").
LWControl* addCustomPopup(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width, PopupNameFunc nameFn,
                          PopupCountFunc countFn);
// A list with columns ("MultiListBoxControl"): width in pixels, visibleRows rows shown;
// the callbacks get the control's user data (set it before the panel opens).
LWControl* addMultiList(LWPanelFuncs* pf, LWPanelID panel, const char* title, int width, int visibleRows,
                        MultiListNameFunc nameFn, MultiListCountFunc countFn, MultiListWidthFunc widthFn);
// A separator line of the given width ("BorderControl" of height 0).
LWControl* addSeparator(LWPanelFuncs* pf, LWPanelID panel, int width);
