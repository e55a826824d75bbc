#include "panel/panel_controls.h"

#include "panel/panel_control_kinds.h"

#include "panel/control_values.h"

#include <cstring>

#include "commands/command_menu.h"
#include "panel/panel_events.h"
#include "panel/panel_layout.h"
#include "panel/string_tables.h"
#include "panel/weight_map_popup.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"
#include "undo/undo_replay.h"

LWControl* stCtl[kNumEditControls] = {};

namespace {

LWControl* ctl(int32_t c) { return c >= 0 && c < kNumEditControls ? stCtl[c] : nullptr; }

char* label(TextId id, int32_t locale, int32_t build) { return const_cast<char*>(getText(id, locale, build)); }
const char** items(ChoiceList list, int32_t locale, int32_t build) {
  return const_cast<const char**>(getChoiceTable(list, locale, build));
}

void placeControl(LWControl* c, int32_t index) {
  if (!c) return;
  const ControlPlace place = editControlPlace(index);
  moveControl(c, place.labelEndX - controlAttribute(c, CTL_LABELWIDTH), editRowTop(place.row));
}

void bindEvent(LWControl* c, LWCtlEventHook event, InstData& inst) { setControlEvent(c, event, &inst); }

void undoEvent(LWControlID, void* data) { runUndoRedoButton(data, true); }
void redoEvent(LWControlID, void* data) { runUndoRedoButton(data, false); }

}  // namespace

void createEditPanelControls(LWPanelFuncs* pf, LWPanelID panel, InstData& inst) {
  if (!pf || !panel) return;
  const int32_t locale = getLangIDForLW(stHost.global);
  const int32_t build = stBuildNumber;
  const char* const* tools = getChoiceTable(ChoiceList::Tool, locale, build);
  static const char* const kCustomLabels[kNumCustomButtons] = {"c1", "c2", "c3", "c4", "c5"};
  static const char* const kValueLabels[kNumValueButtons] = {"0", "25", "50", "75", "100"};

  for (int32_t t = 0; t < kNumTools; ++t)
    stCtl[kCtlToolFirst + t] = addToggleButton(pf, panel, tools[t], 80);
  for (int32_t b = 0; b < kNumCustomButtons; ++b)
    stCtl[kCtlCustomFirst + b] = addButton(pf, panel, kCustomLabels[b], 26);
  stCtl[kCtlVersion] = addInfoText(pf, panel, "", 13);
  stCtl[kCtlEdit] = addPopDown(pf, panel, label(TextId::Edit, locale, build), inst.editMenu.items);
  stCtl[kCtlName] = addTextEdit(pf, panel, label(TextId::Name, locale, build), 29);
  stCtl[kCtlMapPop] = addCustomPopup(pf, panel, "", 20, weightMapPopName, weightMapPopCount);
  stCtl[kCtlBrushRadius] = addMiniSlider(pf, panel, label(TextId::BrushRadius, locale, build), 80, kBrushSizeMin, kBrushSizeRangeMax);
  stCtl[kCtlFalloff] = addHorizontalChoice(pf, panel, label(TextId::FalloffMode, locale, build), items(ChoiceList::FalloffMode, locale, build));
  stCtl[kCtlStrength] = addMiniSlider(pf, panel, label(TextId::Strength, locale, build), 80, 0, kStrengthRangeMax);
  stCtl[kCtlValue] = addPercent(pf, panel, label(TextId::Value, locale, build));
  stCtl[kCtlErase] = addToggleButton(pf, panel, label(TextId::Erase, locale, build), 44);
  for (int32_t b = 0; b < kNumValueButtons; ++b)
    stCtl[kCtlValueButtonFirst + b] = addButton(pf, panel, kValueLabels[b], b + 1 == kNumValueButtons ? 32 : 24);
  stCtl[kCtlZeroOutline] = addCheckBox(pf, panel, label(TextId::ZeroWeightedOutline, locale, build));
  stCtl[kCtlEnableDeform] = addToggleButton(pf, panel, label(TextId::EnableDeformations, locale, build), 118);
  stCtl[kCtlSubD] = addMiniSlider(pf, panel, label(TextId::SubDLevel, locale, build), 80, 0, kSubDLevelMax);
  stCtl[kCtlVisibility] = addPopup(pf, panel, "", items(ChoiceList::Visibility, locale, build), 168);
  stCtl[kCtlPointSize] = addHorizontalSlider(pf, panel, label(TextId::PointSize, locale, build), 108, 0, kPointSizeMax);
  stCtl[kCtlMultiply] = addCheckBox(pf, panel, label(TextId::MultiplySizeByValue, locale, build));
  stCtl[kCtlNoDepth] = addCheckBox(pf, panel, label(TextId::NoDepth, locale, build));
  stCtl[kCtlShowWeights] = addCheckBox(pf, panel, label(TextId::ShowWeights, locale, build));
  stCtl[kCtlAutoSave] = addToggleButton(pf, panel, label(TextId::AutoSave, locale, build), 64);
  stCtl[kCtlUndo] = addButton(pf, panel, label(TextId::Undo, locale, build), 48);
  stCtl[kCtlRedo] = addButton(pf, panel, label(TextId::Redo, locale, build), 48);

  for (int32_t c = 0; c < kNumEditControls; ++c) placeControl(stCtl[c], c);

  for (int32_t t = 0; t < kNumTools; ++t) bindEvent(stCtl[kCtlToolFirst + t], changeToolButtonsEvent, inst);
  for (int32_t b = 0; b < kNumCustomButtons; ++b) bindEvent(stCtl[kCtlCustomFirst + b], commandPopEvent, inst);
  bindEvent(stCtl[kCtlVersion], nullptr, inst);
  bindEvent(stCtl[kCtlEdit], commandPopEvent, inst);
  bindEvent(stCtl[kCtlName], changeWeightMapNameEvent, inst);
  bindEvent(stCtl[kCtlMapPop], changeWeightMapPopEvent, inst);
  bindEvent(stCtl[kCtlBrushRadius], changeBrushSizeEvent, inst);
  bindEvent(stCtl[kCtlFalloff], changeChoiceControlEvent, inst);
  bindEvent(stCtl[kCtlStrength], changePercentValueEvent, inst);
  bindEvent(stCtl[kCtlValue], changePercentValueEvent, inst);
  bindEvent(stCtl[kCtlErase], pushBoolButtonEvent, inst);
  for (int32_t b = 0; b < kNumValueButtons; ++b) bindEvent(stCtl[kCtlValueButtonFirst + b], push1ClickValueButtonEvent, inst);
  bindEvent(stCtl[kCtlZeroOutline], pushBoolButtonEvent, inst);
  bindEvent(stCtl[kCtlEnableDeform], pushEnableDeformButtonEvent, inst);
  bindEvent(stCtl[kCtlSubD], changeSubPatchLevelEvent, inst);
  bindEvent(stCtl[kCtlVisibility], changeVisibilityPopEvent, inst);
  bindEvent(stCtl[kCtlPointSize], changeSliderControlEvent, inst);
  bindEvent(stCtl[kCtlMultiply], pushBoolButtonEvent, inst);
  bindEvent(stCtl[kCtlNoDepth], pushBoolButtonEvent, inst);
  bindEvent(stCtl[kCtlShowWeights], pushBoolButtonEvent, inst);
  bindEvent(stCtl[kCtlAutoSave], pushBoolButtonEvent, inst);
  bindEvent(stCtl[kCtlUndo], undoEvent, inst);
  bindEvent(stCtl[kCtlRedo], redoEvent, inst);
}

void forgetEditPanelControls() {
  for (auto& c : stCtl) c = nullptr;
}

int32_t getCtlInt(int32_t c) { return getControlInt(ctl(c)); }
void setCtlInt(int32_t c, int32_t value) { setControlInt(ctl(c), value); }
double getCtlFloat(int32_t c) { return getControlFloat(ctl(c)); }
void setCtlFloat(int32_t c, double value) { setControlFloat(ctl(c), value); }
void getCtlText(int32_t c, char* out, int32_t size) { getControlText(ctl(c), out, size); }
void setCtlText(int32_t c, const char* text) { setControlText(ctl(c), text); }
void enableCtl(int32_t c, bool enabled) { enableControl(ctl(c), enabled); }
void redrawCtl(int32_t c) { redrawControl(ctl(c)); }
