#include "commands/selection_commands.h"

#include <algorithm>
#include <vector>

#include "commands/command_frame.h"
#include "commands/option_dialog.h"
#include "mesh/mesh_data.h"
#include "panel/cancel_point_selection.h"
#include "panel/control_values.h"
#include "panel/panel_control_kinds.h"
#include "panel/string_tables.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"

namespace {

std::span<PntUserData> pointsOf(MeshData& m) { return {m.points.data(), size_t(std::max(m.numPoints, 0))}; }

void recount(MeshData& m) {
  int32_t n = 0;
  for (const PntUserData& p : pointsOf(m)) n += p.selected ? 1 : 0;
  m.selectedCount = n;
}

bool onBoundary(const MeshData& m, const PntUserData& p) {
  for (const EdgeData* e : pointEdgesOf(m, p))
    if (e && !e->faceB) return true;
  return false;
}

void select(MeshData& m, PntUserData& p) {
  if (p.selected) return;
  p.selected = 1;
  ++m.selectedCount;
}

// The change-index array doubles as the work list: it is sized for every point.
std::vector<int32_t>& workList(MeshData& m) {
  const size_t room = size_t(m.numPoints) + 16;
  if (m.changeIndices.size() < room) m.changeIndices.resize(room);
  return m.changeIndices;
}

// The dialog "Expand Selection": its one slider, stored also after Cancel.
bool askExpandTimes(InstData& inst) {
  const int32_t locale = getLangIDForLW(stHost.global);
  OptionDialog dialog(getText(TextId::ExpandSelection, locale, stBuildNumber));
  if (!dialog.created()) return false;
  LWControl* times = addMiniSlider(dialog.funcs(), dialog.panel(), getText(TextId::NumberOfTimes, locale, stBuildNumber),
                                   80, 1, kExpandTimesMax);
  setControlInt(times, inst.expandSelectionOption);
  const bool ok = dialog.run();
  inst.expandSelectionOption = std::clamp(getControlInt(times), 1, kExpandTimesMax);
  return ok;
}

}  // namespace

void selectConnectedPoints(MeshData& m) {
  std::vector<int32_t>& stack = workList(m);
  size_t top = 0;
  for (const PntUserData& p : pointsOf(m))
    if (p.selected) stack[top++] = p.index;
  while (top > 0) {
    PntUserData& p = m.points[size_t(stack[--top])];
    for (PntUserData* n : neighboursOf(p)) {
      if (n->selected) continue;
      select(m, *n);
      stack[top++] = n->index;
    }
  }
}

void selectPointsByValue(MeshData& m, bool weighted) {
  for (PntUserData& p : pointsOf(m)) p.selected = (p.hasValue != 0) == weighted ? 1 : 0;
  recount(m);
}

void selectOpenPoints(MeshData& m) {
  if (m.selectedCount == 0) {
    for (const EdgeData& e : std::span(m.edges.data(), size_t(std::max(m.numEdges, 0)))) {
      if (e.faceB || !e.pointA || !e.pointB) continue;
      select(m, *e.pointA);
      select(m, *e.pointB);
    }
    // The loose ends of two-point lines.
    for (FaceData* f = m.lineList; f; f = f->next)
      for (int c = 0; c < 2; ++c)
        if (f->corners[c] && f->corners[c]->neighbourCount == 1) select(m, *f->corners[c]);
    return;
  }
  for (PntUserData& p : pointsOf(m))
    if (p.selected && p.neighbourCount != 1 && !onBoundary(m, p)) p.selected = 0;
  recount(m);
}

void expandPointSelection(MeshData& m, int32_t times) {
  std::vector<int32_t>& ring = workList(m);
  size_t ringBegin = 0, ringEnd = 0;
  for (const PntUserData& p : pointsOf(m))
    if (p.selected) ring[ringEnd++] = p.index;
  // Each pass appends its new points after the previous ring: every point enters once.
  for (int32_t pass = 0; pass < times && ringBegin < ringEnd; ++pass) {
    const size_t passEnd = ringEnd;
    for (size_t r = ringBegin; r < passEnd; ++r) {
      PntUserData& p = m.points[size_t(ring[r])];
      auto add = [&](PntUserData* q) {
        if (!q || q->selected) return;
        select(m, *q);
        ring[ringEnd++] = q->index;
      };
      for (FaceData* f : facesOf(p))
        for (int c = 0; c < f->cornerCount; ++c) add(f->corners[c]);
      for (PntUserData* n : neighboursOf(p)) add(n);
    }
    ringBegin = passEnd;
  }
}

void invertPointSelection(MeshData& m) {
  for (PntUserData& p : pointsOf(m)) p.selected = p.selected ? 0 : 1;
  recount(m);
}

void runSelectionCommand(InstData& inst, int32_t command, CommandMode mode) {
  if (!refreshCommandObject(inst)) return;
  MeshData& m = inst.mesh;
  switch (command) {
    case kCmdSelectConnected: selectConnectedPoints(m); break;
    case kCmdSelectWeighted: selectPointsByValue(m, true); break;
    case kCmdSelectUnweighted: selectPointsByValue(m, false); break;
    case kCmdSelectOpen: selectOpenPoints(m); break;
    case kCmdExpandSelection:
      if (mode == CommandMode::Interactive && !askExpandTimes(inst)) return;
      expandPointSelection(m, std::clamp(inst.expandSelectionOption, 1, kExpandTimesMax));
      break;
    case kCmdInvertSelection: invertPointSelection(m); break;
    case kCmdCancelSelection: cancelSelectionStateOfAllPnts(inst); break;
    default: return;
  }
  requestCommandRedraw(inst);
}
