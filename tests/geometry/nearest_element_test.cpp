#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "geometry/nearest_element.h"

namespace {

using namespace velmora::geometry;

// Oracle: closest point on a 3D triangle by its Voronoi regions, written
// apart from the element frames the search uses.
Vec3 closestOnSegment(const Vec3& p, const Vec3& a, const Vec3& b) {
  const Vec3 ab = b - a;
  const double len2 = dot(ab, ab);
  if (len2 == 0.0) return a;
  return a + ab * std::clamp(dot(p - a, ab) / len2, 0.0, 1.0);
}

double oracleTriangleDistance(const Vec3& p, const Vec3& a, const Vec3& b, const Vec3& c) {
  const Vec3 n = cross(b - a, c - a);
  const double n2 = dot(n, n);
  double best = std::min({length(p - closestOnSegment(p, a, b)),
                          length(p - closestOnSegment(p, b, c)),
                          length(p - closestOnSegment(p, c, a))});
  if (n2 > 1e-24) {
    const Vec3 proj = p - n * (dot(p - a, n) / n2);
    const bool inside = dot(cross(b - a, proj - a), n) >= 0 && dot(cross(c - b, proj - b), n) >= 0 &&
                        dot(cross(a - c, proj - c), n) >= 0;
    if (inside) best = std::min(best, length(p - proj));
  }
  return best;
}

struct Soup {
  std::vector<SurfaceElement> elements;
  std::vector<std::array<Vec3, 3>> corners;  // segments: corners[2] == corners[1]
};

Soup randomSoup(int triangles, int segments, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> pos(0.0, 10.0);
  std::uniform_real_distribution<double> off(-1.0, 1.0);
  Soup s;
  for (int i = 0; i < triangles + segments; ++i) {
    const Vec3 a{pos(rng), pos(rng), pos(rng)};
    const Vec3 b = a + Vec3{off(rng), off(rng), off(rng)};
    Vec3 c = a + Vec3{off(rng), off(rng), off(rng)};
    if (i % 50 == 0) c = a + (b - a) * 0.5;  // collinear
    if (i % 97 == 0) c = b;                   // two corners coincide
    if (i < triangles) {
      s.elements.push_back(makeTriangleElement(a, b, c));
      s.corners.push_back({a, b, c});
    } else {
      s.elements.push_back(makeSegmentElement(a, b, {}, {}));
      s.corners.push_back({a, b, b});
    }
  }
  return s;
}

double oracleDistance(const Soup& s, std::size_t i, const Vec3& q) {
  const auto& c = s.corners[i];
  return oracleTriangleDistance(q, c[0], c[1], c[2]);
}

NearestResult search(const ElementGrid& g, const Soup& s, const Vec3& q, NearestScratch& scratch) {
  NearestResult best;
  searchNearTrigon(g, s.elements, q, best, scratch);
  return best;
}

TEST(NearestElement, EqualsBruteForceOnARandomSoup) {
  const Soup soup = randomSoup(1500, 100, 11);
  ElementGrid g;
  makeTrisMat3D(g, soup.elements, kGridWithSegments);
  NearestScratch scratch;
  prepareNearestScratch(scratch, soup.elements.size());
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> pos(-3.0, 13.0);
  for (int k = 0; k < 3000; ++k) {
    const Vec3 q{pos(rng), pos(rng), pos(rng)};
    double brute = 1e30;
    for (std::size_t i = 0; i < soup.elements.size(); ++i) brute = std::min(brute, oracleDistance(soup, i, q));
    const NearestResult r = search(g, soup, q, scratch);
    ASSERT_GE(r.element, 0);
    // The tie rule may prefer an element up to the tie band farther away.
    EXPECT_NEAR(oracleDistance(soup, r.element, q), brute, kNearTieBand) << "query " << k;
    EXPECT_TRUE(std::all_of(scratch.visited.begin(), scratch.visited.end(),
                            [](std::uint8_t b) { return b == 0; }));
  }
}

TEST(NearestElement, FarAwayAndOddQueriesStillFindTheNearest) {
  const Soup soup = randomSoup(300, 0, 2);
  ElementGrid g;
  makeTrisMat3D(g, soup.elements, 0);
  NearestScratch scratch;
  prepareNearestScratch(scratch, soup.elements.size());
  for (const Vec3 q : {Vec3{1e6, -1e6, 3e5}, Vec3{-500, 5, 5}, Vec3{5, 5, 1e4}, Vec3{1e15, 0, 0}}) {
    double brute = 1e300;
    for (std::size_t i = 0; i < soup.elements.size(); ++i) brute = std::min(brute, oracleDistance(soup, i, q));
    const NearestResult r = search(g, soup, q, scratch);
    ASSERT_GE(r.element, 0);
    EXPECT_NEAR(oracleDistance(soup, r.element, q), brute, std::max(kNearTieBand, brute * 1e-12));
  }
  EXPECT_EQ(search(g, soup, {NAN, 0, 0}, scratch).element, -1);
  EXPECT_EQ(search(ElementGrid{}, soup, {0, 0, 0}, scratch).element, -1);
}

// T1 lies in z = 0 over x >= 0; T2 is a shade higher over x <= 0. A point
// just over T1's side of the seam is a hair nearer T2's edge, but lies over T1.
TEST(NearestElement, TieWithinTheBandGoesToTheElementThePointLiesOver) {
  auto build = [](double lift, bool t1First) {
    Soup s;
    const SurfaceElement t1 = makeTriangleElement({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    const SurfaceElement t2 = makeTriangleElement({0, 0, lift}, {0, 1, lift}, {-1, 0, lift});
    s.elements = t1First ? std::vector{t1, t2} : std::vector{t2, t1};
    return s;
  };
  const Vec3 q{0.000001, 0.3, 1.0};
  for (bool t1First : {true, false}) {
    const int t1 = t1First ? 0 : 1;
    Soup tie = build(0.000001, t1First);
    ElementGrid g;
    makeTrisMat3D(g, tie.elements, 0);
    NearestScratch scratch;
    prepareNearestScratch(scratch, 2);
    EXPECT_EQ(search(g, tie, q, scratch).element, t1) << "t1 first: " << t1First;

    Soup clear = build(0.00002, t1First);  // well beyond the band: plain distance decides
    makeTrisMat3D(g, clear.elements, 0);
    EXPECT_EQ(search(g, clear, q, scratch).element, 1 - t1) << "t1 first: " << t1First;
  }
}

// The same pair offered to the candidate test directly, in both orders: the
// order in which a search meets them must not decide a tie.
TEST(NearestElement, TieRuleHoldsWhicheverCandidateComesFirst) {
  const std::vector<SurfaceElement> pair{
      makeTriangleElement({0, 0, 0}, {1, 0, 0}, {0, 1, 0}),
      makeTriangleElement({0, 0, 0.000001}, {0, 1, 0.000001}, {-1, 0, 0.000001})};
  const Vec3 q{0.000001, 0.3, 1.0};
  for (int first : {0, 1}) {
    NearestResult best;
    testNearTrigon(pair, first, q, best);
    testNearTrigon(pair, 1 - first, q, best);
    EXPECT_EQ(best.element, 0) << "first " << first;
    EXPECT_NEAR(best.distance, 1.0 + kNearTieSlack, 1e-12);
    EXPECT_DOUBLE_EQ(best.inPlane, 0.0);
  }
  // A candidate farther than the best by any margin never wins, in-plane or not.
  NearestResult best;
  testNearTrigon(pair, 1, {-0.5, 0.2, 0.5}, best);
  EXPECT_FALSE(testNearTrigon(pair, 0, {-0.5, 0.2, 0.5}, best));
  EXPECT_EQ(best.element, 1);
}

TEST(NearestElement, ExcludedElementsAreSkippedAndStayExcluded) {
  const Soup soup = randomSoup(200, 0, 9);
  ElementGrid g;
  makeTrisMat3D(g, soup.elements, 0);
  NearestScratch scratch;
  prepareNearestScratch(scratch, soup.elements.size());
  const Vec3 q{5, 5, 5};
  const int first = search(g, soup, q, scratch).element;
  ASSERT_GE(first, 0);
  excludeElement(scratch, static_cast<std::size_t>(first));
  const int second = search(g, soup, q, scratch).element;
  EXPECT_NE(second, first);
  EXPECT_EQ(search(g, soup, q, scratch).element, second);
  EXPECT_EQ(scratch.visited[first], 1);
  includeAllElements(scratch);
  EXPECT_EQ(search(g, soup, q, scratch).element, first);
}

TEST(NearestElement, SingleSegmentAndDegenerateTrianglesDoNotBreakTheSearch) {
  Soup s;
  s.elements.push_back(makeSegmentElement({0, 0, 0}, {2, 0, 0}, {}, {}));
  ElementGrid g;
  makeTrisMat3D(g, s.elements, kGridWithSegments);
  NearestScratch scratch;
  prepareNearestScratch(scratch, 1);
  NearestResult r;
  searchNearTrigon(g, s.elements, {1, 3, 4}, r, scratch);
  EXPECT_EQ(r.element, 0);
  EXPECT_NEAR(r.distance - kNearTieSlack, 5.0, 1e-12);
  EXPECT_DOUBLE_EQ(r.inPlane, 0.0);
  r = {};
  searchNearTrigon(g, s.elements, {-3, 4, 0}, r, scratch);
  EXPECT_NEAR(r.distance - kNearTieSlack, 5.0, 1e-12);
  EXPECT_DOUBLE_EQ(r.inPlane, 3.0);

  // A point triangle and a zero-length segment.
  s.elements = {makeTriangleElement({1, 1, 1}, {1, 1, 1}, {1, 1, 1}),
                makeSegmentElement({4, 4, 4}, {4, 4, 4}, {}, {})};
  makeTrisMat3D(g, s.elements, kGridWithSegments);
  prepareNearestScratch(scratch, 2);
  r = {};
  searchNearTrigon(g, s.elements, {1, 1, 3}, r, scratch);
  EXPECT_EQ(r.element, 0);
  EXPECT_NEAR(r.distance - kNearTieSlack, 2.0, 1e-12);
  r = {};
  searchNearTrigon(g, s.elements, {4, 4, 7}, r, scratch);
  EXPECT_EQ(r.element, 1);
  EXPECT_NEAR(r.distance - kNearTieSlack, 3.0, 1e-12);
}

TEST(NearestElement, LargeElementsKeptApartAreStillFound) {
  Soup s = randomSoup(100, 0, 4);
  s.elements.push_back(makeTriangleElement({-50, -50, 20}, {60, -50, 20}, {-50, 60, 20}));
  ElementGrid g;
  makeTrisMat3D(g, s.elements, kGridLargeElementsApart);
  ASSERT_EQ(g.largeElements.size(), 1u);
  NearestScratch scratch;
  prepareNearestScratch(scratch, s.elements.size());
  EXPECT_EQ(search(g, s, {5, 5, 19.5}, scratch).element, 100);
}

TEST(NearestElement, EightWorkersShareOneGridAndAgreeWithOne) {
  const Soup soup = randomSoup(1000, 50, 21);
  ElementGrid g;
  makeTrisMat3D(g, soup.elements, kGridWithSegments);
  std::mt19937 rng(8);
  std::uniform_real_distribution<double> pos(-1.0, 11.0);
  std::vector<Vec3> queries(4000);
  for (Vec3& q : queries) q = {pos(rng), pos(rng), pos(rng)};
  std::vector<int> alone(queries.size()), together(queries.size());
  NearestScratch scratch;
  prepareNearestScratch(scratch, soup.elements.size());
  for (std::size_t i = 0; i < queries.size(); ++i) alone[i] = search(g, soup, queries[i], scratch).element;

  std::vector<std::thread> workers;
  for (int w = 0; w < 8; ++w) {
    workers.emplace_back([&, w] {
      NearestScratch own;
      prepareNearestScratch(own, soup.elements.size());
      for (std::size_t i = w; i < queries.size(); i += 8) together[i] = search(g, soup, queries[i], own).element;
    });
  }
  for (std::thread& t : workers) t.join();
  EXPECT_EQ(alone, together);
}

}  // namespace
