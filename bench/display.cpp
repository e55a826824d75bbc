// One draw call of the weight display on generated quad grids of 100k and 1M points,
// module side only: the primitives go into an access that counts them (a host's own
// drawing cost is not ours to measure).
//
//   Draw/<choice>/<points>  choice 0 "Wire-framed Points", 1 "Weight Shaded Solid",
//                           2 "Weight Shaded Solid Wire", 3 shaded solid with "No Depth"
//
// Counters: primitives per call, heap allocations per call (operator new is counted).
// Every point carries a value, so every point has a gradient colour; a tenth of them are
// selected. Front view, the grid filling it.
#include <benchmark/benchmark.h>

#include "bumpy_grid.h"

#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <span>
#include <vector>

#include "display/display_frame.h"
#include "display/gradient_texture.h"
#include "gradient/gradient.h"
#include "mesh/mesh_topology.h"

extern "C" {
#include <lwmeshes.h>
}

namespace {
std::atomic<int64_t> stAllocations{0};
}

// The replaced global allocation functions pair malloc with free by design.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  stAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {


/** \name An access that counts what is drawn \{ */

struct Tally {
  int64_t primitives = 0;
  double sink = 0.0;  // touches every coordinate, so nothing is optimised away
};
Tally* T(void* disp) { return static_cast<Tally*>(disp); }
void setColor(void* d, float c[4]) { T(d)->sink += c[0]; }
void setPattern(void*, int) {}
void setTexture(void*, int, unsigned char*) {}
void setUVs(void* d, double a[2], double[2], double[2], double[2]) { T(d)->sink += a[0]; }
void point(void* d, double p[3], int) { T(d)->primitives++, T(d)->sink += p[0]; }
void line(void* d, double a[3], double b[3], int) { T(d)->primitives++, T(d)->sink += a[0] + b[1]; }
void triangle(void* d, double a[3], double b[3], double c[3], int) {
  T(d)->primitives++, T(d)->sink += a[0] + b[1] + c[2];
}
void quad(void* d, double a[3], double b[3], double c[3], double e[3], int) {
  T(d)->primitives++, T(d)->sink += a[0] + b[1] + c[2] + e[0];
}
void setDrawMode(void*, unsigned int) {}

/** \} */

struct Scene {
  InstData inst;
  DisplayState state;
  DrawView view;
  Tally tally;
  LWCustomObjAccess access{};
  int side = 0;
};

std::unique_ptr<Scene> stScene;

Scene& sceneFor(int64_t points) {
  const int side = int(std::lround(std::sqrt(double(points))));
  if (stScene && stScene->side == side) return *stScene;
  stScene = std::make_unique<Scene>();
  Scene& s = *stScene;
  s.side = side;
  MeshData& m = s.inst.mesh;
  bench_grid::buildBumpyGrid(m, side);
  for (size_t k = 0; k < m.points.size(); ++k) {
    PntUserData& p = m.points[k];
    p.hasValue = 1;
    p.value = float(k % 1000) / 500.0f - 1.0f;
    p.selected = k % 10 == 0;
  }
  m.meshReady = 1;
  m.noObject = 0;
  setInitGradients(s.inst.gradient, 0);
  createRGBABuffer(s.inst);
  setColorOfAllPnts(s.inst);
  for (int k = 0; k < kUnitCircleSteps; ++k) {
    s.inst.unitCircle[k][0] = std::cos(2 * M_PI * k / kUnitCircleSteps);
    s.inst.unitCircle[k][1] = std::sin(2 * M_PI * k / kUnitCircleSteps);
  }
  // Front view: the grid fills the screen, one pixel = half a grid step.
  const double xfrm[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  setDrawView(s.view, 0, LVVIEWT_FRONT, {side / 2.0, side / 2.0, -10.0}, xfrm, 0.5, 0.01, 1e6, 2 * side, 2 * side);
  LWCustomObjAccess& a = s.access;
  a.dispData = &s.tally;
  a.setColor = setColor;
  a.setPattern = setPattern;
  a.setTexture = setTexture;
  a.setUVs = setUVs;
  a.point = point;
  a.line = line;
  a.triangle = triangle;
  a.quad = quad;
  a.setDrawMode = setDrawMode;
  return s;
}

void draw(benchmark::State& state) {
  Scene& s = sceneFor(state.range(1));
  const int64_t choice = state.range(0);
  s.inst.visibility = choice == 3 ? int32_t(kShadedSolid) : int32_t(choice);
  s.inst.noDepth = choice == 3 ? 1 : 0;
  DisplayFrame f{s.access, s.view, s.inst, s.state};
  drawSnapshot(f);  // sizes the display state once
  int64_t allocations = 0, calls = 0;
  s.tally.primitives = 0;
  for (auto _ : state) {
    const int64_t before = stAllocations.load(std::memory_order_relaxed);
    drawSnapshot(f);
    allocations += stAllocations.load(std::memory_order_relaxed) - before;
    ++calls;
  }
  benchmark::DoNotOptimize(s.tally.sink);
  state.counters["primitives"] = double(s.tally.primitives) / double(calls);
  state.counters["allocs_per_call"] = double(allocations) / double(calls);
}

}  // namespace

BENCHMARK(draw)
    ->Name("Draw")
    ->ArgsProduct({{0, 1, 2, 3}, {100000, 1000000}})
    ->ArgNames({"choice", "points"})
    ->Unit(benchmark::kMillisecond);
