#include "undo/undo_record.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "settings/c_strings.h"
#include "settings/host_config.h"
#include "shell/inst_data.h"
#include "undo/undo_controls.h"

namespace {

using PointEntry = UndoStc::PointEntry;
using ListHead = UndoStc::ListHead;
using MapEntry = UndoStc::MapEntry;
using BoneEntry = UndoStc::BoneEntry;

bool validPoint(const MeshData& m, int32_t index) {
  return index >= 0 && index < m.numPoints && size_t(index) < m.points.size();
}

// Change entries that can be read: never more than the arrays hold.
int32_t readableChangeCount(const InstData& inst, bool withLists) {
  size_t n = size_t(std::max(inst.changeCount, 0));
  n = std::min(n, inst.mesh.changeIndices.size());
  if (withLists) n = std::min(n, inst.mesh.pointMapLists.size());
  else n = std::min(n, inst.mesh.changeValues.size());
  return int32_t(n);
}

void fillPointEntries(UndoStc& r, const InstData& inst) {
  const MeshData& m = inst.mesh;
  const int32_t n = readableChangeCount(inst, false);
  r.pointEntries.reserve(size_t(n));
  for (int32_t k = 0; k < n; ++k) {
    const int32_t i = m.changeIndices[size_t(k)];
    if (!validPoint(m, i)) continue;
    const PntUserData& p = m.points[size_t(i)];
    PointEntry e;
    e.selected = p.selected;
    e.assignedBefore = p.hasValueBackup ? 1 : 0;
    e.valueBefore = p.hasValueBackup ? p.valueBackup : 0.0f;
    e.assignedAfter = p.hasValue ? 1 : 0;
    e.valueAfter = p.hasValue ? p.value : 0.0f;
    e.pointIndex = i;
    r.pointEntries.push_back(e);
  }
  // The write-back walks the object's points once, in index order.
  std::stable_sort(r.pointEntries.begin(), r.pointEntries.end(),
                   [](const PointEntry& a, const PointEntry& b) { return a.pointIndex < b.pointIndex; });
  r.entryCount = int32_t(r.pointEntries.size());
}

// The map names of a kind-1 record, each copied once into the record's buffer. The
// commands point every WeightStc of a map at one name, so a pointer seen before is
// found without comparing text.
struct NameTable {
  std::vector<char>& buffer;
  std::vector<size_t> offsets;
  std::vector<std::pair<const char*, size_t>> seen;

  size_t offsetOf(const char* name) {
    if (!name) name = "";
    for (const auto& [ptr, off] : seen)
      if (ptr == name) return off;
    const std::string_view wanted(name);
    size_t found = buffer.size();
    for (size_t off : offsets)
      if (std::string_view(buffer.data() + off) == wanted) found = off;
    if (found == buffer.size()) {
      buffer.insert(buffer.end(), wanted.begin(), wanted.end());
      buffer.push_back('\0');
      offsets.push_back(found);
    }
    seen.push_back({name, found});
    return found;
  }
};

void fillMapLists(UndoStc& r, const InstData& inst) {
  const MeshData& m = inst.mesh;
  const int32_t n = readableChangeCount(inst, true);
  // First pass: the listed points, the entry count and the map names, so that every
  // array is sized once and the pointers into them stay valid.
  NameTable names{r.mapNameBuffer, {}, {}};
  std::vector<std::pair<int32_t, const WeightStc*>> listed;
  size_t entries = 0;
  for (int32_t k = 0; k < n; ++k) {
    const int32_t i = m.changeIndices[size_t(k)];
    if (!validPoint(m, i)) continue;
    listed.push_back({i, m.pointMapLists[size_t(k)]});
    for (const WeightStc* w = m.pointMapLists[size_t(k)]; w; w = w->next) {
      ++entries;
      names.offsetOf(w->mapName);
    }
  }
  std::stable_sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  r.mapNamePointers.reserve(names.offsets.size());
  for (size_t off : names.offsets) r.mapNamePointers.push_back(r.mapNameBuffer.data() + off);
  r.mapNameCount = int32_t(names.offsets.size());

  r.mapEntries.resize(entries);
  r.pointListHeads.resize(listed.size());
  size_t e = 0;
  for (size_t h = 0; h < listed.size(); ++h) {
    r.pointListHeads[h].pointIndex = listed[h].first;
    MapEntry* tail = nullptr;
    for (const WeightStc* w = listed[h].second; w; w = w->next) {
      MapEntry& copy = r.mapEntries[e++];
      copy.mapName = r.mapNameBuffer.data() + names.offsetOf(w->mapName);
      copy.mapIndex = w->mapIndex;
      copy.valueAfter = w->valueAfter;
      copy.valueBefore = w->valueBefore;
      (tail ? tail->next : r.pointListHeads[h].head) = &copy;
      tail = &copy;
    }
  }
  r.entryCount = int32_t(r.pointListHeads.size());

  const size_t points = std::min(size_t(std::max(m.numPoints, 0)), m.points.size());
  bool anySelected = false;
  for (size_t i = 0; i < points && !anySelected; ++i) anySelected = m.points[i].selected != 0;
  if (anySelected) {
    r.selectionBytes.resize(points);
    for (size_t i = 0; i < points; ++i) r.selectionBytes[i] = m.points[i].selected;
  }
}

size_t nameBytes(const char* name) { return name ? std::strlen(name) + 1 : 0; }

const char* copyName(std::vector<char>& buffer, size_t& used, const char* name) {
  if (!name) return nullptr;
  const size_t len = std::strlen(name) + 1;
  char* out = buffer.data() + used;
  std::memcpy(out, name, len);
  used += len;
  return out;
}

void fillBoneEntries(UndoStc& r, std::span<const BoneSettingsChange> bones) {
  size_t bytes = 0;
  for (const BoneSettingsChange& b : bones) bytes += nameBytes(b.before.weightMap) + nameBytes(b.after.weightMap);
  r.boneNameBuffer.resize(bytes);
  r.boneEntries.resize(bones.size());
  size_t used = 0;
  for (size_t k = 0; k < bones.size(); ++k) {
    const BoneSettingsChange& b = bones[k];
    BoneEntry& e = r.boneEntries[k];
    e.bone = b.bone;
    e.mapNameBefore = copyName(r.boneNameBuffer, used, b.before.weightMap);
    e.mapNameAfter = copyName(r.boneNameBuffer, used, b.after.weightMap);
    e.strengthBefore = b.before.strength;
    e.strengthAfter = b.after.strength;
    e.weightMapOnly[0] = b.before.weightMapOnly, e.weightMapOnly[1] = b.after.weightMapOnly;
    e.normalization[0] = b.before.normalization, e.normalization[1] = b.after.normalization;
    e.multiplyByRestLength[0] = b.before.multiplyByRestLength, e.multiplyByRestLength[1] = b.after.multiplyByRestLength;
    e.active[0] = b.before.active, e.active[1] = b.after.active;
    for (int a = 0; a < 3; ++a) {
      e.restPosBefore[a] = b.before.restPos[a], e.restPosAfter[a] = b.after.restPos[a];
      e.restRotBefore[a] = b.before.restRot[a], e.restRotAfter[a] = b.after.restRot[a];
    }
  }
  r.boneCount = int32_t(bones.size());
}

std::unique_ptr<UndoStc> makeRecord(const InstData& inst, int32_t kind, std::span<const BoneSettingsChange> bones) {
  auto r = std::make_unique<UndoStc>();
  r->kind = kind;
  r->objectId = inst.mesh.currentObject;
  copyCStringN(r->mapName, inst.weightMapName, int(sizeof r->mapName));
  r->pointCount = inst.mesh.numPoints;
  r->selectedBoneId = inst.pickedBones.empty() ? LWITEM_NULL : inst.pickedBones.front().bone;
  if (kind == kUndoPointValues) fillPointEntries(*r, inst);
  else if (kind == kUndoMultiMap) fillMapLists(*r, inst);
  else if (kind == kUndoRename) r->renameTarget = inst.newWeightMapName;
  fillBoneEntries(*r, bones);
  r->cost = undoRecordCost(*r);
  return r;
}

}  // namespace

int32_t rec1Process(InstData& inst, int32_t kind) { return rec1Process(inst, kind, {}); }

int32_t rec1Process(InstData& inst, int32_t kind, std::span<const BoneSettingsChange> bones) {
  if (inst.mesh.noObject) return 0;
  UndoHistory& h = inst.undo;
  if (!h.head) createUndoHistory(h);
  discardRedoTail(h);
  std::unique_ptr<UndoStc> record = makeRecord(inst, kind, bones);

  int failed = 0;
  const long long freeMemory = getFreeMemSizeIn100Bytes(&failed);
  h.costBudget = undoCostBudget(failed == 0 && freeMemory >= 0, uint64_t(std::max(freeMemory, 0LL)), h.usedCost);
  if (!makeRoomForRecord(h, record->cost)) {
    refreshUndoRedoCtl(inst);
    return 0;
  }
  appendUndoRecord(h, std::move(record));
  refreshUndoRedoCtl(inst);
  return 1;
}
