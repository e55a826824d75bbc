#include "panel/panel_events.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "mesh/dummy_object.h"
#include "mesh/map_bones.h"
#include "mesh/weight_map_names.h"
#include "panel/correct_edit_mode.h"
#include "panel/edit_panel.h"
#include "panel/panel_controls.h"
#include "panel/panel_images.h"
#include "panel/weight_map_popup.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/inst_data.h"
#include "undo/undo_replay.h"

namespace {

constexpr int32_t kToolBrush = 1;
constexpr int32_t kToolLinearGrad = 2;
constexpr double kSubDPolygonBudget = 1000000.0;
constexpr double kSubDGrowthCap = 1e20;

bool stForceFullRefresh = false;

// Runs body with the instance when the guard lets the event through.
template <typename F>
void guardedEvent(void* data, F&& body) {
  guardCallbackVoid([&] {
    auto* inst = static_cast<InstData*>(data);
    if (!inst || correctEditMode(*inst) != 0) return;
    body(*inst);
  });
}

// Position of ctl among count controls from first; -1 when it is none of them.
int32_t indexAmong(LWControlID ctl, int32_t first, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    if (stCtl[first + i] && static_cast<LWControlID>(stCtl[first + i]) == ctl) return i;
  return -1;
}

bool is(LWControlID ctl, int32_t c) { return stCtl[c] && static_cast<LWControlID>(stCtl[c]) == ctl; }

void redrawWithRecapture(InstData& inst) {
  inst.redrawRequest = 3;
  hostCommand("RedrawNow");
}

void adoptWeightMapName(InstData& inst, const char* name, int32_t index) {
  std::snprintf(inst.weightMapName, sizeof inst.weightMapName, "%s", name);
  inst.weightMapIndex = index;
  setCtlText(kCtlName, inst.weightMapName);
  setCtlInt(kCtlMapPop, index);
  selectBonesByWeightName(inst, inst.weightMapName);
  redrawWithRecapture(inst);
}

unsigned lowId(LWItemID id) { return unsigned(reinterpret_cast<uintptr_t>(id)); }

// The other objects loaded from the current object's file follow its display level.
bool followSubPatchLevelInInstances(InstData& inst, int32_t level) {
  const LWItemInfo* items = stHost.itemInfo;
  const LWObjectInfo* objects = stHost.objectInfo;
  const LWItemID current = inst.mesh.currentObject;
  const char* file = objects->filename ? objects->filename(current) : nullptr;
  if (!file || !*file) return false;
  bool changed = false;
  for (LWItemID o = items->first(LWI_OBJECT, LWITEM_NULL); o; o = items->next(o)) {
    if (o == current || objects->numPoints(o) <= 0) continue;
    const char* other = objects->filename(o);
    if (!other || std::strcmp(other, file) != 0) continue;
    int display = 0, render = 0;
    objects->patchLevel(o, &display, &render);
    if (level > 0 && display >= 1) continue;
    hostCommandf("SelectItem %x", lowId(o));
    hostCommandf("SubPatchLevel %d %d", level > 0 ? 1 : 0, render);
    changed = true;
  }
  return changed;
}

}  // namespace

bool fullRefreshPending() { return stForceFullRefresh; }

int32_t limitSubPatchLevel(int32_t level, int32_t faces, int32_t patches, int32_t subds) {
  level = std::clamp(level, 0, kSubDLevelMax);
  auto polygons = [&](int32_t l) {
    const double growth = std::min(std::pow(4.0, double(l)), kSubDGrowthCap);
    return double(faces) + double(l) * double(l) * double(patches) + growth * double(subds);
  };
  while (level > 0 && polygons(level) >= kSubDPolygonBudget) --level;
  return level;
}

void applySubPatchLevel(InstData& inst, int32_t level) {
  int32_t l = std::clamp(level, 0, kSubDLevelMax);
  const bool haveObject = inst.mesh.noObject == 0 && inst.mesh.currentObject &&
                          itemExistsWithItemID(stHost.itemInfo, inst.mesh.currentObject);
  if (haveObject) l = limitSubPatchLevel(l, inst.mesh.faceTypeCount, inst.mesh.patchTypeCount, inst.mesh.subdTypeCount);
  if (l != getCtlInt(kCtlSubD)) setCtlInt(kCtlSubD, l);
  inst.subPatchLevel = l;
  setWarningIconActive(l > 0 && haveObject && inst.mesh.patchTypeCount + inst.mesh.subdTypeCount > 0);
  drawEditPanelImages(inst);
  if (!haveObject) return;
  if (followSubPatchLevelInInstances(inst, l)) hostCommandf("SelectItem %x", lowId(inst.mesh.currentObject));
  int display = 0, render = 0;
  stHost.objectInfo->patchLevel(inst.mesh.currentObject, &display, &render);
  if (display != l) {
    hostCommandf("SubPatchLevel %d %d", l, render);
    if (inst.visibility == 1 || inst.visibility == 2) stForceFullRefresh = true;
  }
}

void changeToolButtonsEvent(LWControlID ctl, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    const int32_t t = indexAmong(ctl, kCtlToolFirst, kNumTools);
    if (t >= 0) inst.toolIndex = t;
    refreshWindow(inst);
  });
}

void changeWeightMapNameEvent(LWControlID, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    char name[kMapNameSize];
    getCtlText(kCtlName, name, kMapNameSize);
    adoptWeightMapName(inst, name, getIndexByVMapName(stHost.objectFuncs, name));
  });
}

void changeWeightMapPopEvent(LWControlID, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    const int32_t item = getCtlInt(kCtlMapPop);
    char name[kMapNameSize] = "";
    if (item > 0) getVMapNameByIndex(stHost.objectFuncs, name, item, kMapNameSize);
    // An item past the object's maps (the list changed under the pop-up) names no map:
    // it counts as " (new) " rather than leaving an empty map name.
    if (item <= 0 || !name[0]) {
      makeFreshWeightMapName(stHost.objectFuncs, name, kMapNameSize);
      adoptWeightMapName(inst, name, 0);
      return;
    }
    adoptWeightMapName(inst, name, item);
  });
}

void changeBrushSizeEvent(LWControlID, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    const int32_t size = std::max(std::min(getCtlInt(kCtlBrushRadius), inst.brushSizeMax), kBrushSizeMin);
    setCtlInt(kCtlBrushRadius, size);
    inst.brushSize = size;
  });
}

void changeChoiceControlEvent(LWControlID, void* data) {
  guardedEvent(data, [&](InstData& inst) { inst.falloffMode = std::clamp(getCtlInt(kCtlFalloff), 0, 1); });
}

void changePercentValueEvent(LWControlID ctl, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    if (is(ctl, kCtlStrength)) {
      const bool capped = inst.toolIndex == kToolBrush || inst.toolIndex == kToolLinearGrad;
      const int32_t slot = capped ? inst.toolIndex - 1 : 2;
      const int32_t percent = std::clamp(getCtlInt(kCtlStrength), 0, capped ? 100 : kStrengthRangeMax);
      setCtlInt(kCtlStrength, percent);
      inst.strength[slot] = float(percent) * 0.01f;
      return;
    }
    double percent = getCtlFloat(kCtlValue);
    if (!std::isfinite(percent)) percent = std::isnan(percent) ? 0.0 : std::copysign(kValuePercentLimit, percent);
    percent = std::clamp(percent, -kValuePercentLimit, kValuePercentLimit);
    setCtlFloat(kCtlValue, percent);
    inst.value = float(percent * 0.01);
    drawEditPanelImages(inst);
  });
}

void push1ClickValueButtonEvent(LWControlID ctl, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    const int32_t b = indexAmong(ctl, kCtlValueButtonFirst, kNumValueButtons);
    if (b < 0) return;
    inst.value = 0.25f * float(b);
    setCtlFloat(kCtlValue, 25.0 * b);
    drawEditPanelImages(inst);
  });
}

void pushBoolButtonEvent(LWControlID ctl, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    auto state = [](int32_t c) { return getCtlInt(c) != 0 ? 1 : 0; };
    if (is(ctl, kCtlErase)) {
      inst.erase = state(kCtlErase);
      refreshWindow(inst);
    } else if (is(ctl, kCtlZeroOutline)) {
      inst.zeroOutline = state(kCtlZeroOutline);
    } else if (is(ctl, kCtlAutoSave)) {
      inst.autoSave = state(kCtlAutoSave);
    } else {
      if (is(ctl, kCtlMultiply)) inst.multiplySizeByValue = state(kCtlMultiply);
      else if (is(ctl, kCtlNoDepth)) inst.noDepth = state(kCtlNoDepth);
      else if (is(ctl, kCtlShowWeights)) inst.showWeights = state(kCtlShowWeights);
      else return;
      inst.redrawRequest = 1;
      hostCommand("RedrawNow");
    }
  });
}

void changeSliderControlEvent(LWControlID, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    const int32_t size = std::clamp(getCtlInt(kCtlPointSize), 0, kPointSizeMax);
    setCtlInt(kCtlPointSize, size);
    inst.pointSize = size;
    inst.redrawRequest = 1;
    hostCommand("RedrawNow");
  });
}

void pushEnableDeformButtonEvent(LWControlID, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    const int32_t on = getCtlInt(kCtlEnableDeform) != 0 ? 1 : 0;
    // The switch may make the host refresh, and a capture during that refresh reads the
    // state from before the switch: the button's state is stored after it.
    layoutDeformationFlags(inst, on ? 1 : 2);
    inst.deformationsEnabled = on;
  });
}

void changeSubPatchLevelEvent(LWControlID, void* data) {
  guardedEvent(data, [&](InstData& inst) { applySubPatchLevel(inst, getCtlInt(kCtlSubD)); });
}

void changeVisibilityPopEvent(LWControlID, void* data) {
  guardedEvent(data, [&](InstData& inst) {
    const int32_t mode = std::clamp(getCtlInt(kCtlVisibility), 0, 2);
    const int32_t before = inst.visibility;
    const LWItemID object = inst.mesh.currentObject;
    const LWInterfaceInfo* ui = stHost.interfaceInfo;
    const LWItemID first = ui->selItems ? ui->selItems[0] : LWITEM_NULL;
    const bool objectInFront = inst.mesh.noObject == 0 && object && first == object &&
                               itemExistsWithItemID(stHost.itemInfo, object);
    if (objectInFront && before == 0 && mode > 0) {
      // The tool draws the shaded object itself; the object's own look comes back later.
      const int shown = ui->itemVis(object);
      inst.mesh.savedVisibility = shown == 1 ? 5 : shown;
      hostCommand("ItemVisibility 1");
    } else if (objectInFront && before > 0 && mode == 0) {
      hostCommandf("ItemVisibility %d", inst.mesh.savedVisibility);
    }
    inst.visibility = mode;
    refreshWindow(inst);
    inst.redrawRequest = 1;
    if (stBuildNumber >= 2000 && !stForceFullRefresh) {
      hostCommand("RedrawNow");
    } else {
      hostCommand("RefreshNow");
      stForceFullRefresh = false;
    }
  });
}

void runUndoRedoButton(void* data, bool undo) {
  guardedEvent(data, [&](InstData& inst) {
    if (undo) pushUndoButtonEvent(inst);
    else pushRedoButtonEvent(inst);
  });
}
