// Nearest-element search over a triangle soup, as Mirror and Transfer run it
// once per point: the grid build, and one search per query with a reused
// scratch (no allocation per query).
//
//   GridBuild/<triangles>      building the element grid
//   OnSurface/<triangles>      one search from within 0.01 of the surface (Mirror, Transfer)
//   Nearest/<triangles>        one search from up to 0.7 off the surface: every element
//                              in the box q +- distance is tested, so the cost grows
//                              with distance^2 times the surface density
//   NearestFar/<triangles>     one search from far outside the grid: the final box
//                              q +- best distance then covers the whole grid, O(cells)

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "geometry/nearest_element.h"

namespace {

using namespace velmora::geometry;

// A bumpy height field of about count triangles over [0, 10] x [0, 10], the
// shape of a real surface: triangle size follows the density.
std::vector<SurfaceElement> soup(int count) {
  const int side = std::max(2, static_cast<int>(std::sqrt(count / 2.0)));
  const double step = 10.0 / side;
  auto at = [&](int i, int j) {
    const double x = i * step, y = j * step;
    return Vec3{x, y, 0.5 * std::sin(x) * std::cos(1.3 * y)};
  };
  std::vector<SurfaceElement> s;
  s.reserve(2 * static_cast<std::size_t>(side) * side);
  for (int j = 0; j < side; ++j) {
    for (int i = 0; i < side; ++i) {
      s.push_back(makeTriangleElement(at(i, j), at(i + 1, j), at(i + 1, j + 1)));
      s.push_back(makeTriangleElement(at(i + 1, j + 1), at(i, j + 1), at(i, j)));
    }
  }
  return s;
}

void BM_GridBuild(benchmark::State& state) {
  const auto s = soup(static_cast<int>(state.range(0)));
  ElementGrid g;
  for (auto _ : state) {
    makeTrisMat3D(g, s, 0);
    benchmark::DoNotOptimize(g.entries.data());
  }
  state.SetComplexityN(state.range(0));
}

// Queries over the field at up to height above or below it, spread sideways
// by spread beyond its edges.
void runSearches(benchmark::State& state, double spread, double height) {
  const auto s = soup(static_cast<int>(state.range(0)));
  ElementGrid g;
  makeTrisMat3D(g, s, 0);
  NearestScratch scratch;
  prepareNearestScratch(scratch, s.size());
  std::mt19937 rng(2);
  std::uniform_real_distribution<double> pos(-spread, 10.0 + spread), up(-height, height);
  std::vector<Vec3> queries(1024);
  for (Vec3& q : queries) q = {pos(rng), pos(rng), up(rng)};
  std::size_t k = 0;
  for (auto _ : state) {
    NearestResult best;
    searchNearTrigon(g, s, queries[k++ & 1023], best, scratch);
    benchmark::DoNotOptimize(best.element);
  }
  state.SetComplexityN(state.range(0));
}

void BM_OnSurface(benchmark::State& state) { runSearches(state, 0.0, 0.01); }
void BM_Nearest(benchmark::State& state) { runSearches(state, 0.0, 0.7); }
void BM_NearestFar(benchmark::State& state) { runSearches(state, 200.0, 200.0); }

BENCHMARK(BM_GridBuild)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity();
BENCHMARK(BM_OnSurface)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity();
BENCHMARK(BM_Nearest)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity();
BENCHMARK(BM_NearestFar)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity();

}  // namespace
