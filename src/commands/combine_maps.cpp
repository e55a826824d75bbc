#include "commands/combine_maps.h"

#include <algorithm>
#include <cstring>

#include "commands/bone_change_list.h"
#include "commands/command_frame.h"
#include "commands/input_name_dialog.h"
#include "commands/map_command_texts.h"
#include "commands/option_dialog.h"
#include "commands/rename_map.h"
#include "commands/weight_map_set.h"
#include "mesh/map_bones.h"
#include "panel/control_values.h"
#include "panel/edit_panel.h"
#include "shell/callback_guard.h"
#include "shell/inst_data.h"

namespace {

constexpr LWID kWght = LWID_('W', 'G', 'H', 'T');
constexpr int32_t kDialogWidth = 236;
constexpr int kListWidth = 178;
constexpr int kListRows = 16;
constexpr int kColumnWidths[2] = {20, 158};

MultiListNameResult nameResult(const char* text) { return const_cast<MultiListNameResult>(text); }

const char* mapNameAt(int32_t row) {
  const LWObjectFuncs* f = stHost.objectFuncs;
  return f && f->vmapName ? f->vmapName(kWght, row) : nullptr;
}

int32_t mapDimensionAt(int32_t row) {
  const LWObjectFuncs* f = stHost.objectFuncs;
  return f && f->vmapDim ? f->vmapDim(kWght, row) : 0;
}

void makeChosenMapCurrent(InstData& inst, int32_t row) {
  const char* name = mapNameAt(row);
  if (!name) return;
  justChangeWeightMapName(inst, name);
  inst.weightMapIndex = row + 1;
  selectBonesByWeightName(inst, inst.weightMapName);
  requestCommandRedraw(inst);
}

// The initial states: only the current map is chosen (or marked, when it cannot be).
void initialStates(CombineDialogData& d, int32_t current) {
  d.states.assign(size_t(d.mapCount), 0);
  if (current < 1 || current > d.mapCount) return;
  d.states[size_t(current - 1)] = mapDimensionAt(current - 1) == 1 ? kMapChosen : kMapMarkedUnusable;
}

// The chosen maps of dimension 1 in the host's order, each name once.
std::vector<std::string> chosenMapNames(const CombineDialogData& d) {
  std::vector<std::string> names;
  for (int32_t row = 0; row < d.mapCount; ++row) {
    if (!(d.states[size_t(row)] & kMapChosen) || mapDimensionAt(row) != 1) continue;
    const char* name = mapNameAt(row);
    if (name && *name && std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
  }
  return names;
}

struct CombineScan {
  MeshData* mesh;
  LWMeshInfoID info;
  WeightMapSet* set;
  const std::vector<void*>* handles;
  int32_t index;
};

WeightStc* makeRecord(CombineScan& s, int32_t map, float previous) {
  WeightStc* w = s.set->pool.make();
  w->mapName = s.set->names[size_t(map)].c_str();
  w->mapIndex = map;
  w->valueAfter = kUnassignedValue;
  w->valueBefore = previous;
  return w;
}

// One record per map of the set in which the point has a value, from the last map to
// the second, and always one for the target at the head of the chain.
size_t makeWeightStcsForAllPointsCBFunc_ForCombine(void* data, LWPntID point) {
  auto* s = static_cast<CombineScan*>(data);
  if (s->index >= s->mesh->numPoints) return 1;
  PntUserData& p = s->mesh->points[size_t(s->index++)];
  const std::vector<void*>& handles = *s->handles;
  auto read = [&](size_t map, float& value) {
    return handles[map] && s->info->pntVIDGet(s->info, point, &value, handles[map]) != 0;
  };
  for (size_t map = handles.size(); map-- > 1;) {
    float value = 0.0f;
    if (!read(map, value)) continue;
    WeightStc* w = makeRecord(*s, int32_t(map), value);
    w->next = p.weightList;
    p.weightList = w;
  }
  float target = 0.0f;
  WeightStc* head = makeRecord(*s, 0, read(0, target) ? target : kUnassignedValue);
  head->next = p.weightList;
  p.weightList = head;
  return 0;
}

bool scanCombineChains(WeightMapSet& set, MeshData& mesh, LWItemID object) {
  if (!stHost.objectInfo || !object) return false;
  LWMeshInfoID info = stHost.objectInfo->meshInfo(object, 0);
  if (!info) return false;
  std::vector<void*> handles;
  handles.reserve(set.names.size());
  for (const std::string& name : set.names) handles.push_back(info->pntVLookup(info, kWght, name.c_str()));
  CombineScan scan{&mesh, info, &set, &handles, 0};
  info->scanPoints(info, makeWeightStcsForAllPointsCBFunc_ForCombine, &scan);
  if (info->destroy) info->destroy(info);
  return true;
}

// The bones of the change list become the selected bones (with the bone link on).
void selectChangedBones(InstData& inst) {
  inst.pickedBones.clear();
  if (!inst.boneFollowsMap) return;
  for (const BoneSettingsChange& change : inst.boneChanges.entries)
    inst.pickedBones.push_back(BonePick{change.bone, 1.0});
}

void combineIntoFirst(InstData& inst, std::vector<std::string> names) {
  WeightMapSet set;
  beginWeightMapSet(set, std::move(names), inst.mesh);
  if (scanCombineChains(set, inst.mesh, inst.mesh.currentObject)) {
    const int32_t count = combineChains(inst.mesh);
    const std::string target = set.names.front();
    const std::vector<LWItemID> bones = bonesUsingWeightMaps(inst.mesh.currentObject, set.names);
    getBoneStcListWithSelBones(inst, bones, target.c_str(), true);
    if (count > 0) {
      justChangeWeightMapName(inst, target.c_str());
      selectChangedBones(inst);
      writeMultiMapChanges(inst, count, inst.boneChanges.entries);
      setBoneWeightMapStateWithBoneStcList(inst);
      requestCommandRedraw(inst);
    }
    destroyBoneStcList(inst);
  }
  destroyWeightMapData(set, inst.mesh);
}

}  // namespace

int MMapCountFunc(void* data) {
  auto* d = static_cast<CombineDialogData*>(data);
  return d ? d->mapCount : 0;
}

MultiListNameResult MMapNameFunc(void* data, int row, int column) {
  auto* d = static_cast<CombineDialogData*>(data);
  if (!d) return nameResult("");
  if (row < 0) return nameResult(column == 1 ? d->columnTitle : "");
  if (row >= d->mapCount) return nameResult("");
  if (column == 0) {
    const uint8_t state = d->states[size_t(row)];
    if (state & kMapChosen) return nameResult(kIconCheckmark);
    if (state & kMapMarkedUnusable) return nameResult(kIconBullet);
    return nameResult("");
  }
  const char* name = mapNameAt(row);
  return nameResult(name ? name : " (missing) ");
}

int MMapWidthFunc(void*, int column) { return column >= 0 && column < 2 ? kColumnWidths[column] : 0; }

void MapMultiChoiceEvent_CombineWeightMaps(LWControlID ctl, void* data) {
  guardCallbackVoid([&] {
    auto* d = static_cast<CombineDialogData*>(data);
    auto* list = static_cast<LWControl*>(ctl);
    if (!d || !d->inst) return;
    const int32_t row = getControlInt(list);
    if (row < 0 || row >= d->mapCount) return;
    d->lastRow = row;
    uint8_t& state = d->states[size_t(row)];
    if (mapDimensionAt(row) == 1) {
      state ^= kMapChosen;
      if (state & kMapChosen) makeChosenMapCurrent(*d->inst, row);
    } else {
      state ^= kMapMarkedUnusable;
    }
    redrawControl(list);
  });
}

int32_t combineChains(MeshData& m) {
  for (int32_t i = 0; i < m.numPoints; ++i) {
    PntUserData& p = m.points[size_t(i)];
    WeightStc* target = p.weightList;
    if (!target) continue;
    if (!target->next) {
      if (isNoValue(target->valueBefore)) p.weightList = nullptr;
      else target->valueAfter = target->valueBefore;
      continue;
    }
    double sum = isNoValue(target->valueBefore) ? 0.0 : double(target->valueBefore);
    for (const WeightStc* w = target->next; w; w = w->next) sum += double(w->valueBefore);
    target->valueAfter = float(sum);
  }
  return listPointsWithChains(m);
}

void runCombineMapsCommand(InstData& inst) {
  if (!refreshCommandObject(inst)) return;
  CombineDialogData d;
  d.inst = &inst;
  d.mapCount = weightMapCount();
  if (d.mapCount < 2) return;
  d.columnTitle = commandText(TextId::CombineColumnTitle);
  initialStates(d, currentMapPosition(inst));
  bool ok = false;
  {
    OptionDialog dialog(commandText(TextId::CombineWeightMaps), kDialogWidth);
    if (!dialog.created()) return;
    LWControl* list = addMultiList(dialog.funcs(), dialog.panel(), "", kListWidth, kListRows, MMapNameFunc,
                                   MMapCountFunc, MMapWidthFunc);
    if (!list) return;
    setControlEvent(list, MapMultiChoiceEvent_CombineWeightMaps, &d);
    ok = dialog.run();
  }
  for (uint8_t& state : d.states) state &= uint8_t(~kMapMarkedUnusable);
  const auto chosen = std::count_if(d.states.begin(), d.states.end(), [](uint8_t s) { return (s & kMapChosen) != 0; });
  if (!ok || chosen < 2 || weightMapCount() != d.mapCount) return;
  std::vector<std::string> names = chosenMapNames(d);
  if (names.size() < 2) return;
  combineIntoFirst(inst, std::move(names));
  requestCommandRedraw(inst);
  refreshWindow(inst);
}
