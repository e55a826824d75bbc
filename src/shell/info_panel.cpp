#include "shell/info_panel.h"

#include <algorithm>
#include <cstring>

#include "settings/c_strings.h"
#include "settings/host_globals.h"

namespace {

constexpr int kLineBufferSize = 256;

struct InfoPanelText {
  char line1[kLineBufferSize];
  char line2[kLineBufferSize];
};

// A 32 x 32 "i" sign drawn with boxes: a round-ish disc and the letter.
void drawInfoIcon(LWPanelID panel, DrawFuncs* df) {
  const int x = 8, y = 12;
  df->drawBox(panel, LWP_INFO_BG, x + 4, y, 24, 32);
  df->drawBox(panel, LWP_INFO_BG, x, y + 4, 32, 24);
  df->drawBox(panel, LWP_HEADLINE, x + 14, y + 6, 4, 4);
  df->drawBox(panel, LWP_HEADLINE, x + 14, y + 13, 4, 13);
}

void panelDraw_InfoPanel(LWPanelID panel, void* data, DrMode) {
  auto* text = static_cast<InfoPanelText*>(data);
  LWPanelFuncs* pf = stHost.panel;
  if (!pf || !text) return;
  DrawFuncs* df = pf->drawFuncs;
  const int lineHeight = df->dispMetrics()->textHeight;
  drawInfoIcon(panel, df);
  df->drawText(panel, text->line1, LWP_NORMAL, 48, 16);
  if (text->line2[0]) df->drawText(panel, text->line2, LWP_NORMAL, 48, 16 + lineHeight);
}

}  // namespace

void showInformationPanel(const char* line1, const char* line2) {
  LWPanelFuncs* pf = stHost.panel;
  if (!pf || !pf->create) return;
  InfoPanelText text;
  copyCStringN(text.line1, line1, kLineBufferSize);
  copyCStringN(text.line2, line2, kLineBufferSize);
  LWPanelID panel = pf->create(const_cast<char*>("Information"), pf);
  if (!panel) return;
  DrawFuncs* df = pf->drawFuncs;
  const int lineHeight = df->dispMetrics()->textHeight;
  int widest = df->textWidth(panel, text.line1);
  if (text.line2[0]) widest = std::max(widest, df->textWidth(panel, text.line2));
  int width = std::max(240, widest + 64);
  int height = lineHeight + 65 + (text.line2[0] ? lineHeight : 0);
  pf->set(panel, PAN_W, &width);
  pf->set(panel, PAN_H, &height);
  pf->set(panel, PAN_USERDATA, &text);
  pf->set(panel, PAN_USERDRAW, reinterpret_cast<void*>(&panelDraw_InfoPanel));
  pf->open(panel, PANF_BLOCKING);
  pf->destroy(panel);
}
