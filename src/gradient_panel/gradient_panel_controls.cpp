#include "gradient_panel/gradient_panel_controls.h"

#include "gradient_panel/colour_bytes.h"
#include "gradient_panel/gradient_panel_events.h"
#include "gradient_panel/gradient_panel_state.h"
#include "panel/control_values.h"
#include "panel/panel_control_kinds.h"
#include "panel/string_tables.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"

namespace {

constexpr int32_t kToolButtonWidth = 50;

LWControl* ctl(int32_t c) { return c >= 0 && c < kNumGradientControls ? stGradPanel.ctl[c] : nullptr; }



// x is where the control's label ends.
void place(int32_t c, int32_t labelEndX, int32_t y) {
  LWControl* x = ctl(c);
  moveControl(x, labelEndX - controlAttribute(x, CTL_LABELWIDTH), y);
}

int32_t heightOf(int32_t c) { return controlAttribute(ctl(c), CTL_H); }

void setFloat(int32_t c, double value) { setControlFloat(ctl(c), value); }

void setRgb(int32_t c, const float* colour) {
  const int32_t bytes[3] = {colourChannelToByte(colour[0]), colourChannelToByte(colour[1]), colourChannelToByte(colour[2])};
  setControlIVec(ctl(c), bytes);
}

void bind(int32_t c, LWCtlEventHook event, InstData& inst) { setControlEvent(ctl(c), event, &inst); }

void placeControls() {
  for (int32_t i = 0; i < kNumGradientTools; ++i) place(kGradCtlToolFirst + i, 50 + 51 * i, 2);
  place(kGradCtlInitialize, 262, 2);
  const int32_t h1 = heightOf(kGradCtlInitialize);
  place(kGradCtlMin, 36, h1 + 8);
  place(kGradCtlMax, 252, h1 + 8);
  place(kGradCtlKeyColour, 88, 102);
  const int32_t h2 = heightOf(kGradCtlKeyColour);
  place(kGradCtlWeightValue, 137, h2 + 106);
  const int32_t h3 = heightOf(kGradCtlWeightValue);
  place(kGradCtlUnweighted, 88, h2 + h3 + 118);
  const int32_t h4 = heightOf(kGradCtlUnweighted);
  stGradPanel.controlAreaHeight = h2 + h3 + h4 + 132;
}

}  // namespace

void createGradientPanelControls(LWPanelFuncs* pf, LWPanelID panel, InstData& inst) {
  if (!pf || !panel) return;
  const int32_t locale = getLangIDForLW(stHost.global);
  const int32_t build = stBuildNumber;
  auto label = [&](TextId id) { return getText(id, locale, build); };
  const char* const* tools = getChoiceTable(ChoiceList::GradientTool, locale, build);
  const char* const* presets = getChoiceTable(ChoiceList::GradientInit, locale, build);
  LWControl** c = stGradPanel.ctl;
  for (int32_t i = 0; i < kNumGradientTools; ++i)
    c[kGradCtlToolFirst + i] = addToggleButton(pf, panel, tools[i], kToolButtonWidth);
  c[kGradCtlInitialize] = addPopDown(pf, panel, label(TextId::Initialize), const_cast<const char**>(presets));
  c[kGradCtlMin] = addPercent(pf, panel, label(TextId::Min));
  c[kGradCtlMax] = addPercent(pf, panel, label(TextId::Max));
  c[kGradCtlKeyColour] = addMiniRGB(pf, panel, "");
  c[kGradCtlWeightValue] = addPercent(pf, panel, label(TextId::WeightValue));
  c[kGradCtlUnweighted] = addMiniRGB(pf, panel, "");
  placeControls();
  for (int32_t i = 0; i < kNumGradientTools; ++i) bind(kGradCtlToolFirst + i, changeToolButtonsEvent_GradientPanel, inst);
  bind(kGradCtlInitialize, commandInitializePopEvent_GradientPanel, inst);
  bind(kGradCtlMin, changePercentControlEvent_GradientPanel, inst);
  bind(kGradCtlMax, changePercentControlEvent_GradientPanel, inst);
  bind(kGradCtlKeyColour, changeRGBControlEvent_GradientPanel, inst);
  bind(kGradCtlWeightValue, changePercentControlEvent_GradientPanel, inst);
  bind(kGradCtlUnweighted, changeRGBControlEvent_GradientPanel, inst);
}

void showGradientTool() {
  for (int32_t i = 0; i < kNumGradientTools; ++i) setControlInt(ctl(kGradCtlToolFirst + i), i == stGradPanel.tool ? 1 : 0);
}

void showRangeInControls(const GradientData& g) {
  setFloat(kGradCtlMin, double(g.rangeMin) * 100.0);
  setFloat(kGradCtlMax, double(g.rangeMax) * 100.0);
}

void showCurrentKeyInControls(const GradientData& g) {
  if (!g.current) return;
  setFloat(kGradCtlWeightValue, double(g.current->position) * 100.0);
  setRgb(kGradCtlKeyColour, g.current->colour);
}

void showGradientInControls(const GradientData& g) {
  showRangeInControls(g);
  showCurrentKeyInControls(g);
  setRgb(kGradCtlUnweighted, g.unweightedColour);
}

float gradientPercentValue(int32_t control) { return float(getControlFloat(ctl(control)) * 0.01); }

void gradientRgbValue(int32_t control, int32_t rgb[3]) { getControlIVec(ctl(control), rgb); }

int32_t gradientInitChoice() { return getControlInt(ctl(kGradCtlInitialize)); }

ControlBox unweightedControlBox() {
  LWControl* x = ctl(kGradCtlUnweighted);
  return {controlAttribute(x, CTL_X), controlAttribute(x, CTL_Y), controlAttribute(x, CTL_H)};
}
