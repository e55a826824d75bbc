// A uniform grid of indices over 2D or 3D positions, stored as CSR (cell offsets and
// one index array), used to find the points or faces near a brush without visiting
// the whole mesh. Built once per press; queries allocate nothing.
//
// Cells are cubes (squares in 2D) of side cellSize starting at origin; dims[a] >= 1.
// Entries of one cell keep the order in which they were added.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::tool {

struct UniformGrid {
  int32_t dimension = 2;         // 2 or 3
  double origin[3] = {0, 0, 0};
  double cellSize = 1.0;
  int32_t dims[3] = {1, 1, 1};
  std::vector<int32_t> cellStart;  // cells + 1 offsets into items
  std::vector<int32_t> items;      // indices, grouped by cell
  std::vector<int32_t> cursor;     // build scratch, one per cell
  std::vector<int64_t> entryCell;  // build scratch: each entry's cell, -1 when it spans several
};

// An axis-aligned box: lo[0..dimension), hi[0..dimension).
struct GridBox {
  double lo[3] = {0, 0, 0};
  double hi[3] = {0, 0, 0};
};

// Chooses origin, cell size and dims for entries inside bounds so that the grid has
// about targetCells cells (at least one), no axis thinner than one cell.
void sizeUniformGrid(UniformGrid& g, int32_t dimension, const GridBox& bounds, int64_t targetCells);

// Cell coordinate range [lo, hi] of the box along each axis, clamped to the grid.
inline void cellRange(const UniformGrid& g, const GridBox& box, int32_t lo[3], int32_t hi[3]) {
  for (int32_t a = 0; a < 3; ++a) {
    if (a >= g.dimension) {
      lo[a] = hi[a] = 0;
      continue;
    }
    const double l = std::floor((box.lo[a] - g.origin[a]) / g.cellSize);
    const double h = box.hi[a] == box.lo[a] ? l : std::floor((box.hi[a] - g.origin[a]) / g.cellSize);
    const double top = double(g.dims[a] - 1);
    // NaN compares false everywhere and lands on the whole axis, a safe superset.
    lo[a] = int32_t(l > 0.0 ? std::min(l, top) : 0.0);
    hi[a] = int32_t(h < top ? std::max(h, 0.0) : top);
  }
}

// Fills the grid: forEachEntry(add) must call add(index, box) for every entry, in the
// same order each time; an entry goes into every cell its box spans. Two passes over
// the entries (count, then place).
template <class ForEachEntry>
void fillUniformGrid(UniformGrid& g, ForEachEntry&& forEachEntry) {
  const int64_t cells = int64_t(g.dims[0]) * g.dims[1] * (g.dimension == 3 ? g.dims[2] : 1);
  g.cellStart.assign(std::size_t(cells) + 1, 0);
  auto visit = [&g](const int32_t lo[3], const int32_t hi[3], auto&& onCell) {
    for (int32_t z = lo[2]; z <= hi[2]; ++z)
      for (int32_t y = lo[1]; y <= hi[1]; ++y)
        for (int32_t x = lo[0]; x <= hi[0]; ++x) onCell((int64_t(z) * g.dims[1] + y) * g.dims[0] + x);
  };
  // The count pass remembers the cell of each entry that lies in one cell (points, most
  // faces), so the place pass does not work the cells out again.
  g.entryCell.clear();
  forEachEntry([&](int32_t, const GridBox& box) {
    int32_t lo[3], hi[3];
    cellRange(g, box, lo, hi);
    const bool single = lo[0] == hi[0] && lo[1] == hi[1] && lo[2] == hi[2];
    g.entryCell.push_back(single ? (int64_t(lo[2]) * g.dims[1] + lo[1]) * g.dims[0] + lo[0] : -1);
    visit(lo, hi, [&](int64_t c) { ++g.cellStart[std::size_t(c) + 1]; });
  });
  for (std::size_t c = 1; c < g.cellStart.size(); ++c) g.cellStart[c] += g.cellStart[c - 1];
  g.items.resize(std::size_t(g.cellStart.back()));
  g.cursor.assign(g.cellStart.begin(), g.cellStart.end() - 1);
  std::size_t entry = 0;
  forEachEntry([&](int32_t index, const GridBox& box) {
    const int64_t single = g.entryCell[entry++];
    if (single >= 0) {
      g.items[std::size_t(g.cursor[std::size_t(single)]++)] = index;
      return;
    }
    int32_t lo[3], hi[3];
    cellRange(g, box, lo, hi);
    visit(lo, hi, [&](int64_t c) { g.items[std::size_t(g.cursor[std::size_t(c)]++)] = index; });
  });
}

// Calls fn(index) for every entry of every cell the box meets (an entry spanning
// several of those cells is reported once per cell).
template <class Fn>
void forEachInBox(const UniformGrid& g, const GridBox& box, Fn&& fn) {
  if (g.cellStart.empty()) return;
  int32_t lo[3], hi[3];
  cellRange(g, box, lo, hi);
  for (int32_t z = lo[2]; z <= hi[2]; ++z)
    for (int32_t y = lo[1]; y <= hi[1]; ++y) {
      const int64_t row = (int64_t(z) * g.dims[1] + y) * g.dims[0];
      const int32_t begin = g.cellStart[std::size_t(row + lo[0])], end = g.cellStart[std::size_t(row + hi[0]) + 1];
      for (int32_t k = begin; k < end; ++k) fn(g.items[std::size_t(k)]);
    }
}

// The number of entries in the cells the box meets (an entry counted once per cell):
// what forEachInBox would visit. O(rows of the box).
inline int64_t countInBox(const UniformGrid& g, const GridBox& box) {
  if (g.cellStart.empty()) return 0;
  int32_t lo[3], hi[3];
  cellRange(g, box, lo, hi);
  int64_t n = 0;
  for (int32_t z = lo[2]; z <= hi[2]; ++z)
    for (int32_t y = lo[1]; y <= hi[1]; ++y) {
      const int64_t row = (int64_t(z) * g.dims[1] + y) * g.dims[0];
      n += g.cellStart[std::size_t(row + hi[0]) + 1] - g.cellStart[std::size_t(row + lo[0])];
    }
  return n;
}

// A box query that visits at least this share of a grid's entries is cheaper as one
// pass over all entries in index order (sequential reads instead of cell hopping).
inline bool boxCoversMostOf(const UniformGrid& g, const GridBox& box) {
  return g.cellStart.size() > 1 && countInBox(g, box) * 4 >= int64_t(g.items.size());
}

}  // namespace velmora::tool
