// Internals shared by the host's global implementations: id conversions and the
// records behind the globals. Not part of the host's public face.
#pragma once
#include <cstdint>
#include <string>

#include "host/host.h"

extern "C" {
#include <lwrender.h>
#include <lwmeshes.h>
}

namespace sim {

inline LWItemID toItemID(uint64_t id) { return reinterpret_cast<LWItemID>(static_cast<uintptr_t>(id)); }
inline uint64_t fromItemID(LWItemID id) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(id)); }

// The live host; globals are only handed out while one exists.
inline Host& H() { return *Host::current(); }

// Item lookups that tolerate ids the host does not know (they answer "nothing").
SimItem* itemOf(LWItemID id);

// Builders of the global records (each returns a record that lives as long as the host).
LWItemInfo* itemInfoRecord();
LWObjectInfo* objectInfoRecord();
LWBoneInfo* boneInfoRecord();
LWInterfaceInfo* interfaceInfoRecord();
// Brings the interface record a plug-in may hold up to date with the scene.
void syncInterfaceInfo();
LWObjectFuncs* objectFuncsRecord();
// Opens a mesh info for an object item (frozen or not); freed by its destroy member.
LWMeshInfo* openMeshInfo(uint64_t object, bool frozen);

}  // namespace sim
