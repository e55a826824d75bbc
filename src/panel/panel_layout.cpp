#include "panel/panel_layout.h"

namespace {

bool separatorAbove(int32_t row) {
  return row == kRowName || row == kRowEnableDeform || row == kRowVisibility || row == kRowAutoSave;
}

}  // namespace

int32_t editRowTop(int32_t row) {
  int32_t y = kEditTopMargin;
  for (int32_t r = 1; r <= row; ++r) y += kEditRowHeight + (separatorAbove(r) ? kEditSeparatorGap : 0);
  return y;
}

int32_t editPanelHeight() { return editRowTop(kNumEditRows); }

ControlPlace editControlPlace(int32_t c) {
  if (c >= kCtlToolFirst && c < kCtlToolFirst + 6) return {43, kRowToolsFirst + (c - kCtlToolFirst)};
  if (c >= kCtlToolFirst + 6 && c < kCtlToolFirst + kNumTools) return {124, kRowToolsFirst + (c - kCtlToolFirst - 6)};
  if (c >= kCtlCustomFirst && c < kCtlCustomFirst + kNumCustomButtons) return {10, kRowToolsFirst + (c - kCtlCustomFirst)};
  if (c >= kCtlValueButtonFirst && c < kCtlValueButtonFirst + kNumValueButtons)
    return {66 + 23 * (c - kCtlValueButtonFirst), kRowErase};
  switch (c) {
    case kCtlVersion: return {33, kRowVersion};
    case kCtlEdit: return {110, kRowVersion};
    case kCtlName: return {43, kRowName};
    case kCtlMapPop: return {172, kRowName};
    case kCtlBrushRadius: return {86, kRowBrushRadius};
    case kCtlFalloff: return {86, kRowFalloff};
    case kCtlStrength: return {86, kRowStrength};
    case kCtlValue: return {86, kRowValue};
    case kCtlErase: return {20, kRowErase};
    case kCtlZeroOutline: return {190, kRowZeroOutline};
    case kCtlEnableDeform: return {47, kRowEnableDeform};
    case kCtlSubD: return {86, kRowSubD};
    case kCtlVisibility: return {22, kRowVisibility};
    case kCtlPointSize: return {86, kRowPointSize};
    case kCtlMultiply: return {170, kRowMultiply};
    case kCtlShowWeights: return {86, kRowShowWeights};
    case kCtlNoDepth: return {122, kRowShowWeights};
    case kCtlAutoSave: return {18, kRowAutoSave};
    case kCtlUndo: return {104, kRowAutoSave};
    case kCtlRedo: return {151, kRowAutoSave};
    default: return {};
  }
}
