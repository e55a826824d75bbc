#include "commands/normalize_weights.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "commands/command_frame.h"
#include "commands/option_dialog.h"
#include "commands/weight_map_set.h"
#include "panel/control_values.h"
#include "panel/panel_control_kinds.h"
#include "panel/string_tables.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"

namespace {

const char* text(TextId id) { return getText(id, getLangIDForLW(stHost.global), stBuildNumber); }

// The dialog of Normalize (no slider) or Clamp (with the "Maximum Number of Maps"
// slider); the options are stored also after Cancel.
bool askMapOptions(TextId title, int32_t& ignoreUnassigned, int32_t* maxMaps) {
  OptionDialog dialog(text(title));
  if (!dialog.created()) return false;
  LWControl* ignore = addCheckBox(dialog.funcs(), dialog.panel(), text(TextId::IgnoreUnassignedWeights));
  LWControl* maps = maxMaps ? addMiniSlider(dialog.funcs(), dialog.panel(), text(TextId::MaximumNumberOfMaps), 80, 1,
                                            kClampMapsMax)
                            : nullptr;
  setControlInt(ignore, ignoreUnassigned);
  if (maps) setControlInt(maps, *maxMaps);
  const bool ok = dialog.run();
  ignoreUnassigned = getControlInt(ignore) ? 1 : 0;
  if (maps) *maxMaps = std::clamp(getControlInt(maps), 1, kClampMapsMax);
  return ok;
}

// Builds the map set and reads every point's chain; false when there is nothing to do.
bool readMapSet(InstData& inst, WeightMapSet& set, bool boneMapsOnly) {
  if (weightMapCount() == 0) return false;
  std::vector<std::string> names = oneDimensionalWeightMaps(inst.mesh.currentObject, boneMapsOnly);
  if (names.empty()) return false;
  beginWeightMapSet(set, std::move(names), inst.mesh);
  return getWeightsFromPoints(set, inst.mesh, inst.mesh.currentObject);
}

}  // namespace

int32_t normalizeChains(MeshData& m) {
  for (int32_t i = 0; i < m.numPoints; ++i) {
    WeightStc* chain = m.points[size_t(i)].weightList;
    double sum = 0.0;
    for (const WeightStc* w = chain; w; w = w->next) sum += std::fabs(double(w->valueAfter));
    if (sum == 0.0) continue;
    for (WeightStc* w = chain; w; w = w->next) w->valueAfter = float(double(w->valueAfter) / sum);
  }
  return listPointsWithChains(m);
}

int32_t clampChains(MeshData& m, int32_t maxMaps) {
  std::vector<WeightStc*> order;
  for (int32_t i = 0; i < m.numPoints; ++i) {
    PntUserData& p = m.points[size_t(i)];
    order.clear();
    for (WeightStc* w = p.weightList; w; w = w->next) order.push_back(w);
    if (int32_t(order.size()) <= maxMaps) {
      p.weightList = nullptr;
      continue;
    }
    for (WeightStc* w : order) w->valueAfter = std::fabs(w->valueAfter);
    std::sort(order.begin(), order.end(), [](const WeightStc* a, const WeightStc* b) { return a->valueAfter < b->valueAfter; });
    const size_t removed = order.size() - size_t(maxMaps);
    p.weightList = nullptr;
    for (size_t k = removed; k-- > 0;) {
      order[k]->valueAfter = kUnassignedValue;
      order[k]->next = p.weightList;
      p.weightList = order[k];
    }
  }
  return listPointsWithChains(m);
}

void runNormalizeCommand(InstData& inst, CommandMode mode) {
  if (!refreshCommandObject(inst)) return;
  if (mode == CommandMode::Interactive && !askMapOptions(TextId::NormalizeWeights, inst.normalizeOption, nullptr))
    return;
  WeightMapSet set;
  if (readMapSet(inst, set, inst.normalizeOption != 0)) {
    const int32_t count = normalizeChains(inst.mesh);
    if (count > 0) {
      writeMultiMapChanges(inst, count);
      requestCommandRedraw(inst);
    }
  }
  destroyWeightMapData(set, inst.mesh);
}

void runClampCommand(InstData& inst, CommandMode mode) {
  if (!refreshCommandObject(inst)) return;
  const bool interactive = mode == CommandMode::Interactive;
  if (interactive && !askMapOptions(TextId::ClampWeights, inst.clampOption, &inst.clampMaxMaps)) return;
  WeightMapSet set;
  int32_t count = 0;
  if (readMapSet(inst, set, inst.clampOption != 0)) {
    count = clampChains(inst.mesh, std::clamp(inst.clampMaxMaps, 1, kClampMapsMax));
    if (count > 0) {
      writeMultiMapChanges(inst, count);
      requestCommandRedraw(inst);
    }
  }
  destroyWeightMapData(set, inst.mesh);
  if (count > 0 && interactive && stHost.message && stHost.message->info) {
    const std::string message = makeClampMessage(count, getLangIDForLW(stHost.global));
    stHost.message->info(message.c_str(), nullptr);
  }
}
