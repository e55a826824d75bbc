#include "commands/bone_settings_command.h"

#include <algorithm>
#include <vector>

#include "commands/bone_change_list.h"
#include "commands/command_frame.h"
#include "commands/map_command_texts.h"
#include "commands/option_dialog.h"
#include "commands/weight_map_set.h"
#include "mesh/weight_map_names.h"
#include "panel/control_values.h"
#include "panel/edit_panel.h"
#include "settings/c_strings.h"
#include "shell/callback_guard.h"
#include "shell/inst_data.h"
#include "undo/undo_history.h"
#include "undo/undo_record.h"

namespace {

constexpr LWID kWght = LWID_('W', 'G', 'H', 'T');
constexpr int kMapPopupWidth = 140;
constexpr int kIndent = 24;
constexpr int kSeparatorWidth = 260;
constexpr double kStrengthLimit = 1000000.0;

struct BoneSettingsDialog {
  LWControl* changeActive = nullptr;
  LWControl* active = nullptr;
  LWControl* changeMap = nullptr;
  LWControl* map = nullptr;
  LWControl* changeInfluence = nullptr;
  LWControl* weightMapOnly = nullptr;
  LWControl* normalization = nullptr;
  LWControl* strength = nullptr;
  LWControl* multiply = nullptr;
};

// What the dialog hands back on OK.
struct BoneSettingsChoice {
  bool changeActive = false, changeMap = false, changeInfluence = false;
  BoneSettings values;
  int32_t mapItem = 0;
};

void applyEnableRule(const BoneSettingsDialog& d) {
  enableControl(d.active, getControlInt(d.changeActive) != 0);
  enableControl(d.map, getControlInt(d.changeMap) != 0);
  const bool influence = getControlInt(d.changeInfluence) != 0;
  for (LWControl* c : {d.weightMapOnly, d.normalization, d.strength, d.multiply}) enableControl(c, influence);
}

LWControl* indented(LWControl* c) {
  moveControl(c, controlAttribute(c, CTL_X) + kIndent, controlAttribute(c, CTL_Y));
  return c;
}

bool selectedBonesVanished(const InstData& inst) {
  return std::any_of(inst.pickedBones.begin(), inst.pickedBones.end(), [](const BonePick& b) {
    return !b.bone || !itemExistsWithItemID(stHost.itemInfo, b.bone);
  });
}

std::vector<LWItemID> targetBones(InstData& inst) {
  if (selectedBonesVanished(inst)) inst.pickedBones.clear();
  std::vector<LWItemID> bones;
  for (const BonePick& b : inst.pickedBones) bones.push_back(b.bone);
  if (bones.empty()) bones = bonesBelowObject(inst.mesh.currentObject, true);
  return bones;
}

void buildControls(OptionDialog& dialog, BoneSettingsDialog& d) {
  LWPanelFuncs* pf = dialog.funcs();
  LWPanelID pan = dialog.panel();
  d.changeActive = addCheckBox(pf, pan, commandText(TextId::ChangeBoneActive));
  d.active = indented(addCheckBox(pf, pan, commandText(TextId::BoneActive)));
  addSeparator(pf, pan, kSeparatorWidth);
  d.changeMap = addCheckBox(pf, pan, commandText(TextId::ChangeWeightMap));
  d.map = indented(addCustomPopup(pf, pan, commandText(TextId::BoneWeightMap), kMapPopupWidth, popName_WGHT_none,
                                  popCount_WGHT_plus1));
  addSeparator(pf, pan, kSeparatorWidth);
  d.changeInfluence = addCheckBox(pf, pan, commandText(TextId::ChangeInfluenceSettings));
  d.weightMapOnly = indented(addCheckBox(pf, pan, commandText(TextId::UseWeightMapOnly)));
  d.normalization = indented(addCheckBox(pf, pan, commandText(TextId::WeightNormalization)));
  d.strength = indented(addPercent(pf, pan, commandText(TextId::Strength)));
  d.multiply = indented(addCheckBox(pf, pan, commandText(TextId::MultiplyStrengthByRestLength)));
  for (LWControl* c : {d.changeActive, d.changeMap, d.changeInfluence})
    setControlEvent(c, pushBoolButtonEvent_BoneSettings, &d);
}

void fillControls(const InstData& inst, const BoneSettingsDialog& d, LWItemID firstBone) {
  const BoneSettings bone = readBoneSettings(firstBone);
  setControlInt(d.changeActive, inst.boneSettingActive);
  setControlInt(d.changeMap, inst.boneSettingWeightMap);
  setControlInt(d.changeInfluence, inst.boneSettingInfluence);
  setControlInt(d.active, bone.active);
  setControlInt(d.map, bone.weightMap ? getIndexByVMapName(stHost.objectFuncs, bone.weightMap) : 0);
  setControlInt(d.weightMapOnly, bone.weightMapOnly);
  setControlInt(d.normalization, bone.normalization);
  setControlFloat(d.strength, bone.strength * 100.0);
  setControlInt(d.multiply, bone.multiplyByRestLength);
}

BoneSettingsChoice readControls(const BoneSettingsDialog& d) {
  BoneSettingsChoice c;
  c.changeActive = getControlInt(d.changeActive) != 0;
  c.changeMap = getControlInt(d.changeMap) != 0;
  c.changeInfluence = getControlInt(d.changeInfluence) != 0;
  c.values.active = getControlInt(d.active) ? 1 : 0;
  c.mapItem = getControlInt(d.map);
  c.values.weightMapOnly = getControlInt(d.weightMapOnly) ? 1 : 0;
  c.values.normalization = getControlInt(d.normalization) ? 1 : 0;
  c.values.strength = std::clamp(getControlFloat(d.strength) * 0.01, -kStrengthLimit, kStrengthLimit);
  c.values.multiplyByRestLength = getControlInt(d.multiply) ? 1 : 0;
  return c;
}

// Shows the dialog; false on Cancel. The three options are kept either way.
bool askBoneSettings(InstData& inst, LWItemID firstBone, BoneSettingsChoice& choice) {
  BoneSettingsDialog d;
  OptionDialog dialog(commandText(TextId::ChangeSettingsForBones));
  if (!dialog.created()) return false;
  buildControls(dialog, d);
  fillControls(inst, d, firstBone);
  dialog.funcs()->set(dialog.panel(), PAN_USERDATA, &d);
  dialog.funcs()->set(dialog.panel(), PAN_USERDRAW, reinterpret_cast<void*>(&panelDraw_BoneSettings));
  applyEnableRule(d);
  const bool ok = dialog.run();
  choice = readControls(d);
  inst.boneSettingActive = choice.changeActive ? 1 : 0;
  inst.boneSettingWeightMap = choice.changeMap ? 1 : 0;
  inst.boneSettingInfluence = choice.changeInfluence ? 1 : 0;
  return ok;
}

// The chosen pop-up item becomes the current map (item 0: none, an empty name).
const char* adoptChosenMap(InstData& inst, int32_t item) {
  char name[kMapNameSize] = "";
  if (item > 0) getVMapNameByIndex(stHost.objectFuncs, name, item, kMapNameSize);
  inst.weightMapIndex = name[0] ? item : 0;
  copyCStringN(inst.weightMapName, name, kMapNameSize);
  return inst.weightMapName[0] ? inst.weightMapName : nullptr;
}

void changeBones(InstData& inst, std::span<const LWItemID> bones, const BoneSettingsChoice& c) {
  const char* map = c.changeMap ? adoptChosenMap(inst, c.mapItem) : nullptr;
  getBoneStcListWithSelBones(inst, bones, map, c.changeMap);
  for (BoneSettingsChange& change : inst.boneChanges.entries) {
    if (c.changeActive) change.after.active = c.values.active;
    if (!c.changeInfluence) continue;
    change.after.weightMapOnly = c.values.weightMapOnly;
    change.after.normalization = c.values.normalization;
    change.after.strength = c.values.strength;
    change.after.multiplyByRestLength = c.values.multiplyByRestLength;
  }
  if (!inst.boneChanges.entries.empty()) {
    rec1Process(inst, kUndoBonesOnly, inst.boneChanges.entries);
    setBoneWeightMapStateWithBoneStcList(inst);
  }
  destroyBoneStcList(inst);
}

}  // namespace

int popCount_WGHT_plus1(void*) { return weightMapCount() + 1; }

PopupNameResult popName_WGHT_none(void*, int index) {
  static char missing[] = " (missing) ";
  if (index <= 0) return const_cast<PopupNameResult>(commandText(TextId::NoneItem));
  const LWObjectFuncs* f = stHost.objectFuncs;
  const char* name = f && f->vmapName ? f->vmapName(kWght, index - 1) : nullptr;
  return name ? const_cast<PopupNameResult>(name) : missing;
}

void pushBoolButtonEvent_BoneSettings(LWControlID, void* data) {
  guardCallbackVoid([&] {
    if (data) applyEnableRule(*static_cast<BoneSettingsDialog*>(data));
  });
}

void panelDraw_BoneSettings(LWPanelID, void* data, DrMode) {
  guardCallbackVoid([&] {
    if (data) applyEnableRule(*static_cast<BoneSettingsDialog*>(data));
  });
}

void runBoneSettingsCommand(InstData& inst) {
  if (!refreshCommandObject(inst)) return;
  const std::vector<LWItemID> bones = targetBones(inst);
  BoneSettingsChoice choice;
  if (!bones.empty()) {
    if (!askBoneSettings(inst, bones.front(), choice)) return;
    if (choice.changeActive || choice.changeMap || choice.changeInfluence) changeBones(inst, bones, choice);
  }
  requestCommandRedraw(inst);
  refreshWindow(inst);
}
