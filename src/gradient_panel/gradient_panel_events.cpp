#include "gradient_panel/gradient_panel_events.h"

#include "gradient/gradient.h"
#include "gradient_panel/colour_bytes.h"
#include "gradient_panel/gradient_key_edits.h"
#include "gradient_panel/gradient_panel_controls.h"
#include "gradient_panel/gradient_panel_refresh.h"
#include "gradient_panel/gradient_panel_state.h"
#include "panel/correct_edit_mode.h"
#include "panel/string_tables.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/inst_data.h"

namespace {

// The instance when the event may proceed: the edit panel's guard lets it and the
// gradient panel is open.
InstData* admitted(void* data) {
  auto* inst = static_cast<InstData*>(data);
  if (!inst || correctEditMode(*inst) != 0 || !stGradPanel.open) return nullptr;
  return inst;
}

int32_t controlIndex(LWControlID ctl) {
  for (int32_t i = 0; i < kNumGradientControls; ++i)
    if (stGradPanel.ctl[i] && stGradPanel.ctl[i] == ctl) return i;
  return -1;
}

bool userConfirmsInitialize() {
  LWMessageFuncs* msg = stHost.message;
  if (!msg || !msg->yesNo) return false;
  const int32_t locale = getLangIDForLW(stHost.global);
  return msg->yesNo(getText(TextId::InitializeGradient, locale, stBuildNumber),
                    getText(TextId::InitializeGradientQuestion, locale, stBuildNumber), nullptr) == 1;
}

}  // namespace

void changeToolButtonsEvent_GradientPanel(LWControlID ctl, void* data) {
  guardCallbackVoid([&] {
    if (!admitted(data)) return;
    const int32_t index = controlIndex(ctl) - kGradCtlToolFirst;
    if (index < 0 || index >= kNumGradientTools) return;
    stGradPanel.tool = index;
    showGradientTool();
  });
}

void commandInitializePopEvent_GradientPanel(LWControlID, void* data) {
  guardCallbackVoid([&] {
    InstData* inst = admitted(data);
    if (!inst || !userConfirmsInitialize()) return;
    setInitGradients(inst->gradient, gradientInitChoice());
    stGradPanel.tool = kGradToolDrag;
    stGradPanel.drag.on = false;
    showGradientTool();
    showGradientInControls(inst->gradient);
    refreshAfterGradientEdit(*inst, TextureRebuild::Yes);
  });
}

void changePercentControlEvent_GradientPanel(LWControlID ctl, void* data) {
  guardCallbackVoid([&] {
    InstData* inst = admitted(data);
    if (!inst) return;
    GradientData& g = inst->gradient;
    const int32_t index = controlIndex(ctl);
    const float f = gradientPercentValue(index);
    if (index == kGradCtlMin) {
      setGradientRangeMin(g, f);
    } else if (index == kGradCtlMax) {
      setGradientRangeMax(g, f);
    } else if (index == kGradCtlWeightValue) {
      moveCurrentKeyPushing(g, f);
    } else {
      return;
    }
    // Clamping may have moved the other end and the current key: show both as they are.
    showRangeInControls(g);
    showCurrentKeyInControls(g);
    refreshAfterGradientEdit(*inst, TextureRebuild::No);
  });
}

void changeRGBControlEvent_GradientPanel(LWControlID ctl, void* data) {
  guardCallbackVoid([&] {
    InstData* inst = admitted(data);
    if (!inst) return;
    GradientData& g = inst->gradient;
    const int32_t index = controlIndex(ctl);
    int32_t rgb[3];
    gradientRgbValue(index, rgb);
    float* target = index == kGradCtlKeyColour ? (g.current ? g.current->colour : nullptr)
                    : index == kGradCtlUnweighted ? g.unweightedColour
                                                  : nullptr;
    if (!target) return;
    for (int i = 0; i < 3; ++i) target[i] = colourByteToChannel(rgb[i]);
    refreshAfterGradientEdit(*inst, TextureRebuild::Yes);
  });
}
