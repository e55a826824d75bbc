#include "tool/outline_crossings.h"

namespace velmora::tool {

namespace {

int32_t startState(const OutlineCorner* c, int32_t k) {
  const OutlineCorner& a = c[(k + k - 2) % k];
  const OutlineCorner& b = c[k - 1];
  if (b.y > a.y) return 1;
  if (b.y < a.y) return 2;
  return b.x > a.x ? 3 : 4;
}

Crossing interpolated(const OutlineCorner& a, const OutlineCorner& b, double Y) {
  const double t = (Y - a.y) / (b.y - a.y);
  return {a.x + t * (b.x - a.x), a.z + t * (b.z - a.z)};
}

}  // namespace

int32_t pickCrossings(const OutlineCorner* c, int32_t k, double Y, Crossing* out) {
  if (k < 2) return 0;
  int32_t n = 0;
  int32_t state = startState(c, k);
  for (int32_t i = 0; i < k; ++i) {
    const OutlineCorner& a = c[(i + k - 1) % k];
    const OutlineCorner& b = c[i];
    if (b.y > a.y) {
      if (b.y > Y && Y > a.y) out[n++] = interpolated(a, b, Y);
      else if (a.y == Y && (state == 1 || state == 3)) out[n++] = {a.x, a.z};
      state = 1;
    } else if (a.y > b.y) {
      if (a.y > Y && Y > b.y) out[n++] = interpolated(a, b, Y);
      else if (a.y == Y && (state == 2 || state == 4)) out[n++] = {a.x, a.z};
      state = 2;
    } else if (b.x > a.x) {
      if (a.y == Y && state == 2) out[n++] = {a.x, a.z};
      state = 3;
    } else {
      if (a.y == Y && state == 1) out[n++] = {a.x, a.z};
      state = 4;
    }
  }
  return n;
}

int32_t hiddenTestCrossings(const OutlineCorner* c, int32_t k, double Y, Crossing* out) {
  if (k < 2) return 0;
  int32_t n = 0;
  int32_t state = startState(c, k);
  for (int32_t i = 0; i < k; ++i) {
    const OutlineCorner& a = c[(i + k - 1) % k];
    const OutlineCorner& b = c[i];
    if (b.y > a.y) {
      if (b.y > Y && Y > a.y) {
        out[n++] = interpolated(a, b, Y);
      } else if (a.y == Y) {
        out[n++] = {a.x, a.z};
        if (state == 2) out[n++] = {a.x, a.z};
      }
      state = 1;
    } else if (a.y > b.y) {
      if (a.y > Y && Y > b.y) {
        out[n++] = interpolated(a, b, Y);
      } else if (a.y == Y) {
        out[n++] = {a.x, a.z};
        if (state == 1) out[n++] = {a.x, a.z};
      }
      state = 2;
    } else {
      if (a.y == Y && (state == 1 || state == 2)) out[n++] = {a.x, a.z};
      state = b.x > a.x ? 3 : 4;
    }
  }
  return n;
}

void sortCrossingsByX(Crossing* c, int32_t n) {
  for (int32_t i = 1; i < n; ++i) {
    const Crossing v = c[i];
    int32_t j = i - 1;
    while (j >= 0 && c[j].x > v.x) {
      c[j + 1] = c[j];
      --j;
    }
    c[j + 1] = v;
  }
}

}  // namespace velmora::tool
