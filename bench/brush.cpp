// Brush application per drag on generated quad grids of 100k and 1M points.
//
//   Drag/<variant>/<points>/<under>  one drag: the pick at the cursor (Surface, Global),
//                                     the influence builder and the "Brush" operation
//   Press/<points>                    the press's caches: projection, point and face
//                                     grids, point normals
//   FaceGrid/<points>                 the screen face grid over the whole mesh (gradient),
//                                     built cold (the grid kept from an earlier build is dropped)
//
// variant: Surface, Global, Screen ("No Depth"), ScreenHidden (the hidden-point test);
// under: 10000 points under the brush, or 0 for all points under it. Counters: points
// touched per drag, and heap allocations per drag (operator new is counted).
#include <benchmark/benchmark.h>

#include "bumpy_grid.h"

#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "gradient/gradient.h"
#include "mesh/mesh_topology.h"
#include "tool/brush_application.h"
#include "tool/enable_point_list.h"
#include "tool/event_position.h"
#include "tool/face_grid.h"
#include "tool/face_normals.h"
#include "tool/paint_brushes.h"
#include "tool/screen_faces.h"
#include "tool/stroke.h"

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

using namespace velmora::tool;

struct Scene {
  MeshData mesh;
  ToolSettings settings;
  GradientData gradient;
  ToolState tool;
  int side = 0;
  PaintContext context() { return {mesh, settings, gradient, tool.view, tool.scratch}; }
};

std::unique_ptr<Scene> stScene;

Scene& sceneFor(int64_t points) {
  const int side = int(std::lround(std::sqrt(double(points))));
  if (stScene && stScene->side == side) return *stScene;
  stScene = std::make_unique<Scene>();
  Scene& s = *stScene;
  s.side = side;
  bench_grid::buildBumpyGrid(s.mesh, side);
  s.mesh.meshReady = 1;
  s.mesh.noObject = 0;
  setInitGradients(s.gradient, 0);
  // Front view: the grid fills the screen, one pixel = half a grid step.
  ViewState& v = s.tool.view;
  v.viewType = 3;  // eye on the -z side, ray along +z
  v.yon = 1e6;
  setScreenAxes(v, {0.5, 0, 0}, {0, 0.5, 0});
  PaintContext c = s.context();
  prepareStrokeCaches(c);
  initOtherNormOfPoints(c);
  return s;
}

/** \} */

enum Variant { kSurface, kGlobal, kScreen, kScreenHidden };

void drag(benchmark::State& state, Variant variant) {
  Scene& s = sceneFor(state.range(0));
  const int64_t under = state.range(1);
  // Radius in grid steps for the wanted count (a disc of area pi r^2), or the whole grid.
  const double radius = under > 0 ? std::sqrt(double(under) / 3.14159265358979) : s.side * 0.75;
  s.settings.brushSize = int32_t(std::lround(radius / s.tool.view.pixelSize));
  s.settings.falloffMode = variant == kSurface ? 1 : 0;
  s.settings.noDepth = variant == kScreen ? 1 : 0;
  s.settings.strength[0] = 0.3f;
  PaintContext c = s.context();
  const double mid = s.side / 2.0 + 0.25;
  int64_t touched = 0, allocations = 0, drags = 0;
  for (auto _ : state) {
    const double step = (drags & 1) ? 1.0 : 0.0;  // alternate the cursor by one grid step
    getEventPosRaw(s.tool.view, {mid + step, mid, 5.0}, {0, 0, 0});
    const int64_t before = stAllocations.load(std::memory_order_relaxed);
    if (variant == kScreenHidden) {
      makeEnablePointListCullFace_Radial2D(c, 1, 0);
      if (!s.tool.scratch.list.members.empty()) runVMapPaintBrush_Brush(c);
    } else {
      applyBrush(c, 1, false);
    }
    allocations += stAllocations.load(std::memory_order_relaxed) - before;
    touched += int64_t(s.tool.scratch.list.members.size());
    ++drags;
  }
  state.counters["touched"] = double(touched) / double(drags);
  state.counters["allocs_per_drag"] = double(allocations) / double(drags);
}

void press(benchmark::State& state) {
  Scene& s = sceneFor(state.range(0));
  PaintContext c = s.context();
  for (auto _ : state) {
    prepareStrokeCaches(c);
    initOtherNormOfPoints(c);
  }
}

void faceGrid(benchmark::State& state) {
  Scene& s = sceneFor(state.range(0));
  PaintContext c = s.context();
  for (auto _ : state) {
    s.tool.scratch.faceGrid.keptGeneration = 0;  // a cold build, not the kept grid
    makeTrisMat2D(c, kGridGradientLine);
    benchmark::DoNotOptimize(s.tool.scratch.faceGrid.cellFaces.data());
    destroyMat2D(s.tool.scratch.faceGrid);
  }
}

void releaseScene() { stScene.reset(); }

}  // namespace

#define VELMORA_DRAG(name, variant)                                                          \
  BENCHMARK_CAPTURE(drag, name, variant)                                                     \
      ->Name("Drag/" #name)                                                                  \
      ->Args({10000, 0})->Args({100000, 10000}) \
      ->Args({100000, 0})                                                                    \
      ->Args({1000000, 10000})                                                               \
      ->Args({1000000, 0})                                                                   \
      ->Unit(benchmark::kMillisecond)

VELMORA_DRAG(Surface, kSurface);
VELMORA_DRAG(Global, kGlobal);
VELMORA_DRAG(Screen, kScreen);
VELMORA_DRAG(ScreenHidden, kScreenHidden);
BENCHMARK(press)->Name("Press")->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(faceGrid)->Name("FaceGrid")->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

static const int stRelease = (std::atexit(releaseScene), 0);
