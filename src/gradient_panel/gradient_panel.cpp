#include "gradient_panel/gradient_panel.h"

#include <cstring>

#include "gradient_panel/gradient_bar_raster.h"
#include "gradient_panel/gradient_panel_controls.h"
#include "gradient_panel/gradient_panel_events.h"
#include "gradient_panel/gradient_panel_refresh.h"
#include "gradient_panel/gradient_panel_state.h"
#include "panel/correct_edit_mode.h"
#include "panel/string_tables.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/inst_data.h"

GradientPanelState stGradPanel;

namespace {

constexpr int32_t kPanelX = 360;
constexpr int32_t kPanelWidth = kBarRasterX + kBarRasterW + kBarRasterX;
constexpr int32_t kUnweightedTextGap = 6;

void freeBarRaster() {
  if (stGradPanel.bar && stHost.raster) stHost.raster->destroy(stGradPanel.bar);
  stGradPanel.bar = nullptr;
}

void drawUnweightedLabel(LWPanelFuncs& pf, LWPanelID panel) {
  const DrawFuncs* df = pf.drawFuncs;
  const ControlBox box = unweightedControlBox();
  df->drawLine(panel, LWP_NORMAL, 0, box.y - 2, kPanelWidth - 1, box.y - 2);
  const int32_t locale = getLangIDForLW(stHost.global);
  char* text = const_cast<char*>(getText(TextId::Unweighted, locale, stBuildNumber));
  const LWDisplayMetrics* metrics = df->dispMetrics ? df->dispMetrics() : nullptr;
  const int32_t textHeight = metrics ? metrics->textHeight : 0;
  const int32_t x = box.x - kUnweightedTextGap - df->textWidth(panel, text);
  df->drawText(panel, text, LWP_NORMAL, x, box.y + (box.h - textHeight) / 2);
}

// The close steps run whatever the edit panel's guard would say: a closed panel must
// not keep its raster or a drag.
void panelClose_GradientPanel(LWPanelID, void*) {
  guardCallbackVoid([&] {
    stGradPanel.open = false;
    stGradPanel.drag.on = false;
    freeBarRaster();
  });
}

void panelDraw_GradientPanel(LWPanelID panel, void* data, DrMode) {
  guardCallbackVoid([&] {
    auto* inst = static_cast<InstData*>(data);
    LWPanelFuncs* pf = stHost.panel;
    if (!inst || !pf || !pf->drawFuncs || correctEditMode(*inst) != 0 || !stGradPanel.open) return;
    drawUnweightedLabel(*pf, panel);
    if (stGradPanel.bar && stHost.raster)
      stHost.raster->blitPanel(stGradPanel.bar, 0, 0, panel, kBarRasterX, kBarRasterY, kBarRasterW, kBarRasterH);
  });
}

bool createPanel(LWPanelFuncs& pf, InstData& inst) {
  const int32_t locale = getLangIDForLW(stHost.global);
  stGradPanel.panel = pf.create(const_cast<char*>(getText(TextId::GradientPanel, locale, stBuildNumber)), &pf);
  if (!stGradPanel.panel) return false;
  createGradientPanelControls(&pf, stGradPanel.panel, inst);
  return true;
}

void setPanelCallbacks(LWPanelFuncs& pf, InstData& inst) {
  LWPanelID p = stGradPanel.panel;
  pf.set(p, PAN_USERDATA, &inst);
  pf.set(p, PAN_USERDRAW, reinterpret_cast<void*>(&panelDraw_GradientPanel));
  pf.set(p, PAN_USERCLOSE, reinterpret_cast<void*>(&panelClose_GradientPanel));
  pf.set(p, PAN_MOUSEBUTTON, reinterpret_cast<void*>(&mouseButton_GradientPanel));
  pf.set(p, PAN_MOUSEMOVE, reinterpret_cast<void*>(&mouseMove_GradientPanel));
}

}  // namespace

bool isGradientPanelOpen() { return stGradPanel.open; }

void resetGradientPanelState() { stGradPanel = GradientPanelState{}; }

void openGradientPanel(InstData& inst) {
  LWPanelFuncs* pf = stHost.panel;
  if (!pf) return;
  if (!stGradPanel.bar && stHost.raster) stGradPanel.bar = stHost.raster->create(kBarRasterW, kBarRasterH, 0);
  if (!stGradPanel.panel && !createPanel(*pf, inst)) {
    freeBarRaster();
    return;
  }
  setPanelCallbacks(*pf, inst);
  showGradientTool();
  showGradientInControls(inst.gradient);
  redrawGradientBar(inst);
  if (stGradPanel.open) {
    pf->draw(stGradPanel.panel, DR_REFRESH);
    return;
  }
  int x = kPanelX, width = kPanelWidth, height = stGradPanel.controlAreaHeight;
  pf->set(stGradPanel.panel, PAN_X, &x);
  pf->set(stGradPanel.panel, PAN_W, &width);
  pf->set(stGradPanel.panel, PAN_H, &height);
  stGradPanel.open = true;  // before open: the host draws the panel while opening it
  if (!pf->open(stGradPanel.panel, PANF_NOBUTT | PANF_MOUSETRAP)) {
    stGradPanel.open = false;
    freeBarRaster();
  }
}

void closeGradientPanel() {
  if (!stGradPanel.open) return;
  if (stHost.panel && stGradPanel.panel) stHost.panel->close(stGradPanel.panel);
  // A host that closes without calling back still leaves the panel closed.
  panelClose_GradientPanel(stGradPanel.panel, nullptr);
}

void toggleGradientPanel(InstData& inst) {
  if (stGradPanel.open) closeGradientPanel();
  else openGradientPanel(inst);
}
