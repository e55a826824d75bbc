#include "shell/item_id_changes.h"

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace {

using IdChange = std::pair<LWItemID, LWItemID>;

// The most recent change lists; older ones are dropped (an id is held across a command,
// never across many renumberings).
constexpr size_t kKeptChangeLists = 16;
std::deque<std::vector<IdChange>> stChangeLists;
size_t stChangeListsDropped = 0;

// One list renumbers each item once: the first pair naming the id wins.
LWItemID renumbered(LWItemID id, const std::vector<IdChange>& changes) {
  if (!id) return id;
  for (const auto& [from, to] : changes)
    if (from == id) return to;
  return id;
}

void follow(LWItemID& id, const std::vector<IdChange>& changes) { id = renumbered(id, changes); }

}  // namespace

void applyItemIdChanges(InstData& inst, const LWItemID* list) {
  if (!list) return;
  std::vector<IdChange> changes;
  for (const LWItemID* p = list; p[0] && p[1]; p += 2) changes.push_back({p[0], p[1]});
  if (changes.empty()) return;
  follow(inst.mesh.currentObject, changes);
  follow(inst.mesh.lastObject, changes);
  follow(inst.mesh.dummyObject, changes);
  for (BonePick& pick : inst.pickedBones) follow(pick.bone, changes);
  LWItemID source = reinterpret_cast<LWItemID>(static_cast<uintptr_t>(inst.transferSourceID));
  follow(source, changes);
  inst.transferSourceID = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(source));
  inst.redrawRequest |= 3;
  stChangeLists.push_back(std::move(changes));
  if (stChangeLists.size() > kKeptChangeLists) {
    stChangeLists.pop_front();
    ++stChangeListsDropped;
  }
}

size_t itemIdChangeMark() { return stChangeListsDropped + stChangeLists.size(); }

LWItemID followItemId(LWItemID id, size_t mark) {
  const size_t first = mark > stChangeListsDropped ? mark - stChangeListsDropped : 0;
  for (size_t i = first; i < stChangeLists.size(); ++i) id = renumbered(id, stChangeLists[i]);
  return id;
}

void resetItemIdChanges() {
  stChangeLists.clear();
  stChangeListsDropped = 0;
}
