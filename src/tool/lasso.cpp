#include "tool/lasso.h"

#include <algorithm>
#include <cmath>

namespace velmora::tool {

LassoNode& add1PolLine(Lasso& lasso, float x, float y) {
  if (lasso.nodes.empty()) {
    lasso.bounds[0] = lasso.bounds[2] = x;
    lasso.bounds[1] = lasso.bounds[3] = y;
  } else {
    LassoNode& last = lasso.nodes.back();
    last.endX = x, last.endY = y;
    if (x < lasso.bounds[0]) lasso.bounds[0] = x;
    else if (x > lasso.bounds[2]) lasso.bounds[2] = x;
    if (y < lasso.bounds[1]) lasso.bounds[1] = y;
    else if (y > lasso.bounds[3]) lasso.bounds[3] = y;
  }
  LassoNode node;
  node.x = x, node.y = y;
  lasso.nodes.push_back(node);
  return lasso.nodes.back();
}

namespace {

int32_t bandOf(const Lasso& lasso, float y) {
  const double k = std::trunc((double(y) - lasso.bounds[1]) / lasso.bandHeight);
  if (!(k > 0.0)) return 0;
  return k >= double(lasso.bandCount - 1) ? lasso.bandCount - 1 : int32_t(k);
}

}  // namespace

int32_t makeLasso(Lasso& lasso) {
  const int32_t count = int32_t(lasso.nodes.size());
  if (count < 3) return 1;
  lasso.nodes.back().endX = lasso.nodes.front().x;
  lasso.nodes.back().endY = lasso.nodes.front().y;
  for (int32_t i = 0; i < count; ++i) {
    LassoNode& n = lasso.nodes[size_t(i)];
    const float d1 = lasso.nodes[size_t((i + count - 1) % count)].y - n.y;
    const float d2 = n.endY - n.y;
    n.flags = 0;
    if ((d1 < 0 && d2 >= 0) || (d1 >= 0 && d2 < 0)) n.flags |= kLassoCrossing;
    if (d2 == 0) n.flags |= kLassoLevel;
    if (d2 > 0) n.flags |= kLassoRising;
  }
  lasso.bandCount = count / 20 + 1;
  const float height = lasso.bounds[3] - lasso.bounds[1];
  lasso.bandHeight = height < 1e-11f ? 1.0f : height / float(lasso.bandCount);
  lasso.bandStart.assign(size_t(lasso.bandCount) + 1, 0);
  auto forEachBand = [&](const LassoNode& n, auto&& fn) {
    const int32_t lo = bandOf(lasso, std::min(n.y, n.endY)), hi = bandOf(lasso, std::max(n.y, n.endY));
    for (int32_t b = lo; b <= hi; ++b) fn(b);
  };
  for (const LassoNode& n : lasso.nodes) forEachBand(n, [&](int32_t b) { ++lasso.bandStart[size_t(b) + 1]; });
  for (size_t b = 1; b < lasso.bandStart.size(); ++b) lasso.bandStart[b] += lasso.bandStart[b - 1];
  lasso.bandSegments.resize(size_t(lasso.bandStart.back()));
  std::vector<int32_t> cursor(lasso.bandStart.begin(), lasso.bandStart.end() - 1);
  for (int32_t i = 0; i < count; ++i)
    forEachBand(lasso.nodes[size_t(i)], [&](int32_t b) { lasso.bandSegments[size_t(cursor[size_t(b)]++)] = i; });
  lasso.crossings.assign(kLassoMaxCrossings, 0.0f);
  return 0;
}

int32_t isInLasso(Lasso& lasso, float x, float y) {
  if (lasso.bandCount == 0) return 0;
  if (x < lasso.bounds[0] || x > lasso.bounds[2] || y < lasso.bounds[1] || y > lasso.bounds[3]) return 0;
  const int32_t band = bandOf(lasso, y);
  int32_t n = 0;
  auto add = [&](float cx) {
    lasso.crossings[size_t(std::min(n, kLassoMaxCrossings - 1))] = cx;
    n = std::min(n + 1, kLassoMaxCrossings);
  };
  for (int32_t k = lasso.bandStart[size_t(band)]; k < lasso.bandStart[size_t(band) + 1]; ++k) {
    const LassoNode& s = lasso.nodes[size_t(lasso.bandSegments[size_t(k)])];
    if (y == s.y) {
      if (s.flags & kLassoCrossing) add(s.x);
    } else if (!(s.flags & kLassoLevel) && std::min(s.y, s.endY) < y && y < std::max(s.y, s.endY)) {
      add(s.x + (y - s.y) / (s.endY - s.y) * (s.endX - s.x));
    }
  }
  if (n < 2) return 0;
  std::sort(lasso.crossings.begin(), lasso.crossings.begin() + n);
  for (int32_t pair = n / 2 - 1; pair >= 0; --pair) {
    const float left = lasso.crossings[size_t(pair) * 2], right = lasso.crossings[size_t(pair) * 2 + 1];
    if (left <= x) return x <= right ? 1 : 0;
  }
  return 0;
}

void destroyLasso(Lasso& lasso) {
  lasso.nodes.clear();
  lasso.bandStart.clear();
  lasso.bandSegments.clear();
  lasso.bandCount = 0;
}

}  // namespace velmora::tool
