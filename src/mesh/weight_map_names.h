// Weight-map and item look-ups by name and position, as the edit panel and the
// commands use them. Weight maps are the host's vertex maps of type "WGHT".
#pragma once

extern "C" {
#include <lwmeshes.h>
#include <lwrender.h>
}

constexpr const char* kDummyObjectName = "(temporary data)";

// out = name of the weight map at the 1-based index (at most n bytes); empty when index
// < 1 or there is no such map.
void getVMapNameByIndex(const LWObjectFuncs* objfuncs, char* out, int index, int n);
// 1-based position of the weight map with exactly that name; 0 when the name is empty,
// there are no weight maps, or none matches.
int getIndexByVMapName(const LWObjectFuncs* objfuncs, const char* name);
// As getIndexByVMapName with the position in *index; returns the map's dimension, 0 when
// not found.
int getMapDimensionsByVMapName(const LWObjectFuncs* objfuncs, const char* name, int* index);
// The n-th object (1-based) in item order, skipping dummy objects; none when n < 1 or
// past the end.
LWItemID objectIDByPopIndex(const LWItemInfo* iteminfo, int n);
// 1-based position of id in that order; 0 when absent.
int indexByObjectID(const LWItemInfo* iteminfo, LWItemID id);
// Whether an item id still names an item of the scene (see the definition for the rule
// per type code).
bool itemExistsWithItemID(const LWItemInfo* iteminfo, LWItemID id);
