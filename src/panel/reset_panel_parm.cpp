#include "panel/reset_panel_parm.h"

#include <algorithm>

#include "mesh/weight_map_names.h"
#include "panel/panel_controls.h"
#include "panel/panel_images.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"
#include "undo/undo_controls.h"

namespace {

enum Tool : int32_t { kPen, kBrush, kLinearGrad, kLassoPaint, kFill, kBlur, kPenSel, kLassoSel, kFillSel, kSelBone, kSelObject };

void setAndEnable(int32_t c, int32_t value, bool enabled) {
  setCtlInt(c, value);
  enableCtl(c, enabled);
}

void showToolButtons(const InstData& inst, bool haveSnapshot) {
  for (int32_t t = 0; t < kNumTools; ++t) {
    const bool current = t == inst.toolIndex;
    setAndEnable(kCtlToolFirst + t, current ? 1 : 0, haveSnapshot || current || t == kSelObject);
  }
}

void ghostWithoutSnapshot() {
  for (int32_t c = kCtlCustomFirst; c < kNumEditControls; ++c)
    if (c != kCtlVersion && c != kCtlEdit && c != kCtlAutoSave) enableCtl(c, false);
  enableCtl(kCtlAutoSave, true);
  setWarningIconActive(false);
}

void showSnapshotFields(InstData& inst) {
  inst.weightMapIndex = getIndexByVMapName(stHost.objectFuncs, inst.weightMapName);
  for (int32_t b = 0; b < kNumCustomButtons; ++b) enableCtl(kCtlCustomFirst + b, true);
  setCtlText(kCtlName, inst.weightMapName);
  enableCtl(kCtlName, true);
  setAndEnable(kCtlMapPop, inst.weightMapIndex, true);
  const int32_t t = inst.toolIndex;
  const bool radius = t == kPen || t == kPenSel || t == kBrush || t == kBlur;
  const bool strength = t == kBrush || t == kBlur || t == kLinearGrad;
  setAndEnable(kCtlFalloff, inst.falloffMode, radius);
  setAndEnable(kCtlBrushRadius, inst.brushSize, radius);
  setAndEnable(kCtlStrength, resetStrengthPercent(inst), strength);
  setCtlFloat(kCtlValue, double(inst.value) * 100.0);
  enableCtl(kCtlValue, !inst.erase);
  for (int32_t b = 0; b < kNumValueButtons; ++b) enableCtl(kCtlValueButtonFirst + b, !inst.erase);
  setAndEnable(kCtlErase, inst.erase, true);
  setAndEnable(kCtlZeroOutline, inst.zeroOutline, true);
  enableCtl(kCtlEnableDeform, true);
  enableCtl(kCtlSubD, true);
  enableCtl(kCtlVisibility, true);
  setAndEnable(kCtlPointSize, inst.pointSize, true);
  setAndEnable(kCtlMultiply, inst.multiplySizeByValue, inst.visibility == 0);
  setAndEnable(kCtlNoDepth, inst.noDepth, true);
  setAndEnable(kCtlShowWeights, inst.showWeights, true);
  refreshUndoRedoCtl(inst);
}

}  // namespace

int resetStrengthPercent(const InstData& inst) {
  auto percentOf = [](float s) { return int(s * 100.0f + 0.25f); };
  switch (inst.toolIndex) {
    case kBlur: return std::clamp(percentOf(inst.strength[2]), 0, kStrengthRangeMax);
    case kBrush: return std::clamp(percentOf(inst.strength[0]), 0, 100);
    case kLinearGrad: return std::clamp(percentOf(inst.strength[1]), 0, 100);
    default: return 100;
  }
}

void resetPanelParm(InstData& inst) {
  setCtlText(kCtlVersion, inst.versionLabel);
  setCtlInt(kCtlEnableDeform, inst.deformationsEnabled);
  setCtlInt(kCtlSubD, inst.subPatchLevel);
  setCtlInt(kCtlAutoSave, inst.autoSave);
  setCtlInt(kCtlVisibility, inst.visibility);
  const bool haveSnapshot = inst.mesh.noObject == 0;
  showToolButtons(inst, haveSnapshot);
  if (haveSnapshot) showSnapshotFields(inst);
  else ghostWithoutSnapshot();
}
