#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "geometry/quick_sort.h"

namespace {

using namespace velmora::geometry;

std::vector<std::vector<std::int32_t>> inputs() {
  std::mt19937 rng(31);
  std::uniform_int_distribution<std::int32_t> small(0, 5);
  std::uniform_int_distribution<std::int32_t> wide(INT32_MIN, INT32_MAX);
  std::vector<std::vector<std::int32_t>> out = {{}, {1}, {2, 1}, {3, 3, 3, 3}};
  std::vector<std::int32_t> random(1000), dup(1000), sorted(1000), rev(1000), pipe(1000);
  for (int i = 0; i < 1000; ++i) {
    random[static_cast<std::size_t>(i)] = wide(rng);
    dup[static_cast<std::size_t>(i)] = small(rng);
    sorted[static_cast<std::size_t>(i)] = i;
    rev[static_cast<std::size_t>(i)] = -i;
    pipe[static_cast<std::size_t>(i)] = std::min(i, 999 - i);
  }
  out.insert(out.end(), {random, dup, sorted, rev, pipe});
  return out;
}

TEST(QuickSort, MatchesStdSortAndLeavesOutsideTheRangeAlone) {
  for (const auto& input : inputs()) {
    const int n = static_cast<int>(input.size());
    for (auto [first, last] : {std::pair{0, n - 1}, std::pair{n / 4, n - 1 - n / 4}}) {
      SCOPED_TRACE("size " + std::to_string(n) + " range " + std::to_string(first) + ".." + std::to_string(last));
      std::vector<std::int32_t> ours = input, expected = input;
      sortIntegerValues(ours, first, last);
      if (first <= last) std::sort(expected.begin() + first, expected.begin() + last + 1);
      EXPECT_EQ(ours, expected);
    }
  }
}

struct Point {
  std::uint64_t pointId;
};
struct Value {
  float valueAfter;
};
struct Bone {
  std::int32_t duplicateIndex;
};
struct Crossing {
  double x, depth, a, b;
};

TEST(RecordSorts, SortByTheirKeyField) {
  std::vector<Point> pts = {{0xFFFFFFFF00000001ull}, {5}, {0x8000000000000000ull}, {2}};
  std::vector<Point*> ptrs;
  for (Point& p : pts) ptrs.push_back(&p);
  sortPntUserDataList(std::span<Point*>(ptrs), 0, 3);
  EXPECT_EQ(ptrs[0]->pointId, 2u);  // unsigned order: the top bit does not make it negative
  EXPECT_EQ(ptrs[2]->pointId, 0x8000000000000000ull);
  EXPECT_EQ(ptrs[3]->pointId, 0xFFFFFFFF00000001ull);

  std::vector<Value> vals = {{0.5f}, {-1000000.0f}, {1.0f}, {0.25f}};
  std::vector<Value*> vp;
  for (Value& v : vals) vp.push_back(&v);
  sortWeightStcsListByValue(std::span<Value*>(vp), 0, 3);
  EXPECT_EQ(vp[0]->valueAfter, -1000000.0f);
  EXPECT_EQ(vp[3]->valueAfter, 1.0f);

  std::vector<Bone> bones = {{3}, {1}, {2}};
  std::vector<Bone*> bp = {&bones[0], &bones[1], &bones[2]};
  sortSameNameWMapsByIndicies(std::span<Bone*>(bp), 0, 2);
  EXPECT_EQ(bp[0]->duplicateIndex, 1);
  EXPECT_EQ(bp[2]->duplicateIndex, 3);

  std::vector<Crossing> xs = {{2.5, 1, 0, 0}, {-1.0, 2, 0, 0}, {0.0, 3, 0, 0}};
  sortXCrossList(std::span<Crossing>(xs), 0, 2);
  EXPECT_EQ(xs[0].depth, 2.0);
  EXPECT_EQ(xs[2].depth, 1.0);
}

TEST(Bisection, FindsEveryIdAndClampsMisses) {
  std::vector<Point> pts;
  for (std::uint64_t id = 10; id <= 200; id += 10) pts.push_back({id});
  std::vector<Point*> list;
  for (Point& p : pts) list.push_back(&p);
  const int last = static_cast<int>(list.size()) - 1;
  for (int i = 0; i <= last; ++i) {
    EXPECT_EQ(getIndexAtBgPntUserDataList(std::span<Point*>(list), list[static_cast<std::size_t>(i)]->pointId, 0, last), i);
  }
  // Misses return an index the caller may read, whose id then differs.
  for (std::uint64_t miss : {0ull, 15ull, 195ull, 1000ull}) {
    const int i = getIndexAtPntUserDataList(std::span<Point*>(list), miss, 0, last);
    ASSERT_GE(i, 0);
    ASSERT_LE(i, last);
    EXPECT_NE(list[static_cast<std::size_t>(i)]->pointId, miss);
  }
  EXPECT_EQ(getIndexAtPntUserDataList(std::span<Point*>(list), 15, 0, last), 1);  // lower bound
  EXPECT_EQ(getIndexAtPntUserDataList(std::span<Point*>(list), 10, 0, -1), -1);  // empty range
}

}  // namespace
