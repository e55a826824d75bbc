#include "mesh/weight_map_names.h"

#include <cstdint>

#include "settings/c_strings.h"

namespace {
const LWID kWght = LWID_('W', 'G', 'H', 'T');
}

void getVMapNameByIndex(const LWObjectFuncs* objfuncs, char* out, int index, int n) {
  if (!out || n <= 0) return;
  out[0] = 0;
  if (!objfuncs || index < 1 || index > objfuncs->numVMaps(kWght)) return;
  copyCStringN(out, objfuncs->vmapName(kWght, index - 1), n);
}

int getIndexByVMapName(const LWObjectFuncs* objfuncs, const char* name) {
  int index = 0;
  getMapDimensionsByVMapName(objfuncs, name, &index);
  return index;
}

int getMapDimensionsByVMapName(const LWObjectFuncs* objfuncs, const char* name, int* index) {
  if (index) *index = 0;
  if (!objfuncs || !name || !*name) return 0;
  int count = objfuncs->numVMaps(kWght);
  for (int i = 0; i < count; ++i)
    if (compareCString(objfuncs->vmapName(kWght, i), name)) {
      if (index) *index = i + 1;
      return objfuncs->vmapDim(kWght, i);
    }
  return 0;
}

LWItemID objectIDByPopIndex(const LWItemInfo* iteminfo, int n) {
  if (!iteminfo || n < 1) return LWITEM_NULL;
  int k = 0;
  for (LWItemID id = iteminfo->first(LWI_OBJECT, LWITEM_NULL); id; id = iteminfo->next(id)) {
    if (compareCString(iteminfo->name(id), kDummyObjectName)) continue;
    if (++k == n) return id;
  }
  return LWITEM_NULL;
}

int indexByObjectID(const LWItemInfo* iteminfo, LWItemID target) {
  if (!iteminfo || !target) return 0;
  int k = 0;
  for (LWItemID id = iteminfo->first(LWI_OBJECT, LWITEM_NULL); id; id = iteminfo->next(id)) {
    if (compareCString(iteminfo->name(id), kDummyObjectName)) continue;
    ++k;
    if (id == target) return k;
  }
  return 0;
}

// Type code 4 (bone): exists while it has a parent. Codes 1-3 (object, light, camera):
// false when the scene has no item of that type or the name is "(none)" or contains
// "lw_err"; an item named like the first of its type must be that first item.
bool itemExistsWithItemID(const LWItemInfo* iteminfo, LWItemID id) {
  if (!iteminfo || !id) return false;
  unsigned code = unsigned((reinterpret_cast<uintptr_t>(id) >> 28) & 0x7);
  if (code == 4) return iteminfo->parent(id) != LWITEM_NULL;
  if (code < 1 || code > 3) return false;
  LWItemID first = iteminfo->first(LWItemType(code - 1), LWITEM_NULL);
  if (!first) return false;
  const char* name = iteminfo->name(id);
  if (!name || compareCString(name, "(none)") || hasStringInName(name, "lw_err")) return false;
  if (!compareCString(name, iteminfo->name(first))) return true;
  return id == first;
}
