// Where a horizontal line y = Y crosses a closed outline of corners (x, y, z), in the
// two counting rules the tool uses. Both carry a direction state from side to side,
// started from the last side (corner k-2 -> corner k-1): 1 rising, 2 falling, else 3
// when that side runs toward +x and 4 otherwise. Sides are visited from corner k-1 to
// corner 0, then 0 -> 1, and so on.
#pragma once
#include <cstdint>

namespace velmora::tool {

struct OutlineCorner {
  double x = 0.0, y = 0.0, z = 0.0;
};

// One crossing: its x and the z interpolated like x.
struct Crossing {
  double x = 0.0, z = 0.0;
};

// The picking rule: a corner on the line counts once where the outline passes through
// it and not at all (or twice) at a turning point. out needs room for 2k entries.
// Returns the number of crossings.
int32_t pickCrossings(const OutlineCorner* corners, int32_t k, double Y, Crossing* out);

// The hidden-point rule: a corner on the line is added once on the way through, twice
// where the outline turns back on it, and level sides add their start corner once when
// entered from a slope. out needs room for 2k entries. Returns the number of crossings.
int32_t hiddenTestCrossings(const OutlineCorner* corners, int32_t k, double Y, Crossing* out);

// Sorts crossings ascending by x (insertion sort: outlines are short).
void sortCrossingsByX(Crossing* c, int32_t n);

}  // namespace velmora::tool
