// Triangulation of n-gons: ear clipping is O(n^2) or worse, so the snapshot's
// capture time on meshes with large caps depends on it.

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/polygon_triangulation.h"

namespace {

using namespace velmora::geometry;

std::vector<Vec3> circle(int n) {
  std::vector<Vec3> p;
  for (int k = 0; k < n; ++k) {
    const double a = 2.0 * std::numbers::pi * k / n;
    p.push_back({std::cos(a), std::sin(a), 0.1 * std::sin(3.0 * a)});
  }
  return p;
}

// A star: half the corners reflex, so ear tests fail often.
std::vector<Vec3> star(int n) {
  std::vector<Vec3> p;
  for (int k = 0; k < n; ++k) {
    const double a = 2.0 * std::numbers::pi * k / n;
    const double r = k % 2 == 0 ? 1.0 : 0.6;
    p.push_back({r * std::cos(a), r * std::sin(a), 0.0});
  }
  return p;
}

void runTriangulation(benchmark::State& state, const std::vector<Vec3>& poly) {
  TCDTriangulationData td;  // reused, as the snapshot does
  for (auto _ : state) {
    benchmark::DoNotOptimize(triangulatePolygon(td, poly, true));
    benchmark::DoNotOptimize(td.numTrigons);
  }
  state.SetComplexityN(static_cast<benchmark::IterationCount>(poly.size()));
}

void BM_TriangulateConvex(benchmark::State& state) {
  runTriangulation(state, circle(static_cast<int>(state.range(0))));
}
void BM_TriangulateStar(benchmark::State& state) {
  runTriangulation(state, star(static_cast<int>(state.range(0))));
}

BENCHMARK(BM_TriangulateConvex)->RangeMultiplier(4)->Range(8, 512)->Complexity();
BENCHMARK(BM_TriangulateStar)->RangeMultiplier(4)->Range(8, 512)->Complexity();

}  // namespace
