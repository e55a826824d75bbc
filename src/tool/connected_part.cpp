#include "tool/connected_part.h"

#include "tool/tool_mesh_view.h"

namespace velmora::tool {

PntUserData* getPointsOfClickedPart(PaintContext& c, const std::vector<int32_t>& faces, int flag) {
  ToolScratch& s = c.scratch;
  MeshData& m = c.mesh;
  const bool restrict = restrictToSelection(c, flag);
  std::vector<int32_t>& part = s.part;
  part.clear();
  // mark = 1: collected already (cleared again below, so the scan stays local).
  auto candidate = [&](int32_t i) { return !s.mark[size_t(i)] && (!restrict || pointAt(m, i).selected); };
  auto take = [&](int32_t i) {
    s.mark[size_t(i)] = 1;
    part.push_back(i);
  };
  for (int32_t f : faces) {
    const int32_t n = cornerCountOf(m, f);
    int32_t first = -1;
    for (int32_t k = 0; k < n && first < 0; ++k)
      if (candidate(cornerOf(m, f, k))) first = k;
    if (first < 0) continue;
    size_t walkFrom = part.size();
    take(cornerOf(m, f, first));
    for (int32_t k = first + 1; k < n; ++k)
      if (candidate(cornerOf(m, f, k))) take(cornerOf(m, f, k));
    for (; walkFrom < part.size(); ++walkFrom)
      forEachNeighbour(m, part[walkFrom], [&](int32_t j) {
        if (candidate(j)) take(j);
      });
  }
  PntUserData* head = nullptr;
  for (size_t k = part.size(); k-- > 0;) {
    s.mark[size_t(part[k])] = 0;
    PntUserData& p = pointAt(m, part[k]);
    p.partNext = head;
    head = &p;
  }
  return head;
}

}  // namespace velmora::tool
