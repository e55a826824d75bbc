#include "gradient_panel/gradient_panel_refresh.h"

#include "display/gradient_texture.h"
#include "gradient_panel/gradient_bar_raster.h"
#include "gradient_panel/gradient_panel_state.h"
#include "panel/panel_images.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"

void redrawGradientBar(const InstData& inst) {
  LWRasterFuncs* rf = stHost.raster;
  if (!rf || !stGradPanel.bar) return;
  drawColorBarRaster(*rf, stGradPanel.bar, inst.gradient, stBuildNumber);
  if (stGradPanel.open && stGradPanel.panel)
    rf->blitPanel(stGradPanel.bar, 0, 0, stGradPanel.panel, kBarRasterX, kBarRasterY, kBarRasterW, kBarRasterH);
}

void refreshAfterGradientEdit(InstData& inst, TextureRebuild texture) {
  redrawGradientBar(inst);
  drawEditPanelImages(inst);
  setColorOfAllPnts(inst);
  if (texture == TextureRebuild::Yes) createRGBABuffer(inst);
  // A pending re-capture (bit 1) must survive this redraw request.
  inst.redrawRequest |= 1;
  hostCommand("RedrawNow");
}
