#include "undo/undo_history.h"

namespace {

constexpr uint64_t kBudgetThreshold = 2560001;

// Position of current in records; records.size() when it is not there.
size_t currentPosition(const UndoHistory& history) {
  for (size_t k = 0; k < history.records.size(); ++k)
    if (history.records[k].get() == history.current) return k;
  return history.records.size();
}

void relink(UndoHistory& history, size_t from) {
  auto& r = history.records;
  for (size_t k = from; k < r.size(); ++k) {
    r[k]->prev = k > 0 ? r[k - 1].get() : nullptr;
    r[k]->next = k + 1 < r.size() ? r[k + 1].get() : nullptr;
  }
  if (from > 0 && from <= r.size()) r[from - 1]->next = from < r.size() ? r[from].get() : nullptr;
}

}  // namespace

void destroyUndoHistory(UndoHistory& history) {
  history.records.clear();
  history.head = history.current = nullptr;
  history.usedCost = 0;
}

void createUndoHistory(UndoHistory& history) {
  destroyUndoHistory(history);
  history.records.push_back(std::make_unique<UndoStc>());
  history.head = history.current = history.records.back().get();
}

uint64_t undoRecordCost(const UndoStc& r) {
  const uint64_t n = uint64_t(r.entryCount > 0 ? r.entryCount : 0);
  uint64_t cost = 0;
  switch (r.kind) {
    case kUndoPointValues: cost = 15 * n / 100 + 8; break;
    case kUndoMultiMap: {
      const uint64_t points = uint64_t(r.pointCount > 0 ? r.pointCount : 0);
      const uint64_t base = r.selectionBytes.empty() ? 7 : points / 100 + 8;
      const uint64_t m = r.mapEntries.size();
      const uint64_t k = uint64_t(r.mapNameCount > 0 ? r.mapNameCount : 0);
      cost = base + 16 * n / 100 + 1 + 36 * m / 100 + 1 + 40 * k / 100 + 1;
      break;
    }
    case kUndoRename: cost = 9; break;
    default: cost = 7; break;
  }
  if (r.boneCount > 0) cost += 208 * uint64_t(r.boneCount) / 100 + 1;
  return cost;
}

uint64_t undoCostBudget(bool freeKnown, uint64_t freeMemory, uint64_t usedCost) {
  if (!freeKnown) return kDefaultUndoCostBudget;
  const uint64_t s = freeMemory + usedCost;
  return s > kBudgetThreshold ? s / 2 : kDefaultUndoCostBudget;
}

void discardRedoTail(UndoHistory& history) {
  const size_t pos = currentPosition(history);
  if (pos >= history.records.size()) return;
  for (size_t k = pos + 1; k < history.records.size(); ++k) history.usedCost -= history.records[k]->cost;
  history.records.resize(pos + 1);
  history.current->next = nullptr;
}

bool dropOldestRecord(UndoHistory& history) {
  if (history.records.size() < 2) return false;
  UndoStc* oldest = history.records[1].get();
  if (history.current == oldest) history.current = history.head;
  history.usedCost -= oldest->cost;
  history.records.erase(history.records.begin() + 1);
  relink(history, 1);
  return true;
}

bool makeRoomForRecord(UndoHistory& history, uint64_t cost) {
  while (history.usedCost + cost > history.costBudget)
    if (!dropOldestRecord(history)) return false;
  return true;
}

UndoStc* appendUndoRecord(UndoHistory& history, std::unique_ptr<UndoStc> record) {
  if (!history.head) createUndoHistory(history);
  discardRedoTail(history);
  UndoStc* stored = record.get();
  history.usedCost += stored->cost;
  history.records.push_back(std::move(record));
  relink(history, history.records.size() - 1);
  history.current = stored;
  return stored;
}

int32_t undoRecordCount(const UndoHistory& history) {
  return history.records.empty() ? 0 : int32_t(history.records.size() - 1);
}

bool canUndo(const UndoHistory& history) { return history.current && history.current != history.head; }

bool canRedo(const UndoHistory& history) { return history.current && history.current->next; }
