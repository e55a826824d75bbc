// The ring walk: how many rings of edges deep the touched region is, which sets the
// number of "Blur" passes.
#include <algorithm>

#include "tool/enable_point_list.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

namespace {

// Breadth-first over the marked members from start; returns the number of rings (the
// start being ring 1). Collected members have their mark cleared.
int32_t countRingsFrom(PaintContext& c, int32_t start) {
  ToolScratch& s = c.scratch;
  const MeshData& m = c.mesh;
  s.ring.clear();
  s.ring.push_back(start);
  s.mark[size_t(start)] = 0;
  int32_t rings = 0;
  auto collect = [&](int32_t j) {
    if (!s.mark[size_t(j)]) return;
    s.mark[size_t(j)] = 0;
    s.nextRing.push_back(j);
  };
  while (!s.ring.empty()) {
    ++rings;
    s.nextRing.clear();
    for (int32_t i : s.ring) {
      // The corners of a face that are not adjacent to the point: with n corners, the
      // n - 3 from corner + 2 on.
      forEachFaceOf(m, i, [&](int32_t f, int32_t corner) {
        const int32_t n = cornerCountOf(m, f);
        for (int32_t k = 2; k <= n - 2; ++k) collect(cornerOf(m, f, (corner + k) % n));
      });
      forEachNeighbour(m, i, collect);
    }
    std::swap(s.ring, s.nextRing);
  }
  return rings;
}

}  // namespace

void getCountExpValue(PaintContext& c, int32_t nearest, int isBlur) {
  ToolScratch& s = c.scratch;
  EnablePointList& list = s.list;
  list.influenceDepth = 0;
  if (nearest >= 0) {
    if (!isBlur) {
      list.influenceDepth = 1;
    } else {
      list.influenceDepth = std::max(list.influenceDepth, countRingsFrom(c, nearest));
      // One more walk from the nearest member the first did not reach (first on ties
      // in list order); further disconnected groups are not walked.
      int32_t second = -1;
      for (int32_t i : list.members)
        if (s.mark[size_t(i)] && (second < 0 || s.brushDistance[size_t(i)] < s.brushDistance[size_t(second)]))
          second = i;
      if (second >= 0) list.influenceDepth = std::max(list.influenceDepth, countRingsFrom(c, second));
    }
  }
  for (int32_t i : list.members) s.mark[size_t(i)] = 0;
}

}  // namespace velmora::tool
