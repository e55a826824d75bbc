#include "panel/weight_map_popup.h"

#include <cstdio>

#include "mesh/weight_map_names.h"
#include "panel/string_tables.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"

int weightMapPopCount(void*) {
  const LWObjectFuncs* of = stHost.objectFuncs;
  if (!of || !of->numVMaps) return 1;
  const int n = of->numVMaps(LWVMAP_WGHT);
  return n > 0 ? n + 1 : 1;
}

PopupNameResult weightMapPopName(void*, int index) {
  static char missing[] = " (missing) ";
  if (index <= 0)
    return const_cast<char*>(getText(TextId::NewItem, getLangIDForLW(stHost.global), stBuildNumber));
  const LWObjectFuncs* of = stHost.objectFuncs;
  const char* name = of && of->vmapName ? of->vmapName(LWVMAP_WGHT, index - 1) : nullptr;
  return name ? const_cast<char*>(name) : missing;
}

void makeFreshWeightMapName(const LWObjectFuncs* objfuncs, char* out, int32_t size) {
  if (!out || size <= 0) return;
  std::snprintf(out, size_t(size), "Weight");
  // Each number is tried at most once per map, so the walk ends after numVMaps + 1 tries.
  for (int n = 1; getIndexByVMapName(objfuncs, out) > 0; ++n) std::snprintf(out, size_t(size), "Weight %d", n);
}
