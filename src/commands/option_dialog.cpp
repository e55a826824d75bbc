#include "commands/option_dialog.h"

#include <algorithm>

#include "panel/control_values.h"
#include "settings/host_globals.h"

namespace {

constexpr int32_t kBottomMargin = 8;

int32_t lowestControlBottom(LWPanelFuncs* pf, LWPanelID panel) {
  int32_t bottom = 0;
  if (!pf->nextControl) return bottom;
  for (LWControl* c = pf->nextControl(panel, nullptr); c; c = pf->nextControl(panel, c))
    bottom = std::max(bottom, controlAttribute(c, CTL_Y) + controlAttribute(c, CTL_H));
  return bottom;
}

}  // namespace

int panelKeyBlocking(LWPanelID, void*, LWDualKey) { return 1; }

OptionDialog::OptionDialog(const char* title, int32_t width) : funcs_(stHost.panel), width_(width) {
  if (!funcs_ || !funcs_->create) return;
  panel_ = funcs_->create(const_cast<char*>(title ? title : ""), funcs_);
  if (!panel_) return;
  funcs_->set(panel_, PAN_USERKEYS, reinterpret_cast<void*>(&panelKeyBlocking));
}

OptionDialog::~OptionDialog() {
  if (panel_ && funcs_->destroy) funcs_->destroy(panel_);
}

bool OptionDialog::run() {
  if (!panel_) return false;
  int32_t width = width_;
  int32_t height = lowestControlBottom(funcs_, panel_) + kBottomMargin;
  funcs_->set(panel_, PAN_W, &width);
  funcs_->set(panel_, PAN_H, &height);
  return funcs_->open(panel_, PANF_BLOCKING | PANF_CANCEL | PANF_FRAME) == 1;
}
