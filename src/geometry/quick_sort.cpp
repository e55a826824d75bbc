#include "geometry/quick_sort.h"

namespace velmora::geometry {

void sortIntegerValues(std::span<std::int32_t> values, int first, int last) {
  quickSortByKey(values, first, last, [](std::int32_t v) { return v; });
}

}  // namespace velmora::geometry
