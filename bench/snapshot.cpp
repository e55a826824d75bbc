// Snapshot capture on quad grids of 10k, 100k and 1M points.
//
//   Sim/FullCapture    getCurrentObject rebuilding everything, through the simulated host
//   Sim/ValueRefresh   getCurrentObject when only values may have changed
//   Flat/Topology      buildMeshTopology alone over a minimal array-backed mesh info
//   Flat/Values        scanPointValues + recolouring over the same
//
// The Sim runs include the simulated host's own costs (its id hash look-ups and the copy
// of the frozen positions at every mesh-info open); the Flat runs measure the module's
// share. Counter bytes_per_point: the snapshot's arrays (capacity x record size) divided
// by the point count.
#include <filesystem>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "gradient/gradient.h"
#include "host/host.h"
#include "mesh/mesh_topology.h"
#include "mesh/snapshot.h"
#include "shell/inst_data.h"

extern "C" {
#include <lwmodule.h>
// The module's descriptor, linked in from the static library.
extern ModuleDescriptor _mod_descrip;
}

namespace {

template <class T>
size_t bytes(const std::vector<T>& v) {
  return v.capacity() * sizeof(T);
}

size_t snapshotBytes(const MeshData& m) {
  return bytes(m.points) + bytes(m.sortedPoints) + bytes(m.faces) + bytes(m.faceOrder) + bytes(m.edges) +
         bytes(m.polygons) + bytes(m.neighbourPool) + bytes(m.pointEdgePool) + bytes(m.pointFacePool) +
         bytes(m.faceCornerPool) + bytes(m.polygonVertexPool) + bytes(m.changeIndices) + bytes(m.changeValues) +
         bytes(m.pointMapLists);
}

int gridSide(int64_t points) { return int(std::lround(std::sqrt(double(points)))); }

/** \name A quad grid in the simulated host \{ */

struct SimBench {
  std::unique_ptr<sim::Host> host;
  uint64_t object = 0;
  int side = 0;
};

SimBench stSimBench;

// The host goes before the host's own function-local statics (built during the first
// activation) are destroyed at exit: leaving the tool still reaches them.
void releaseSimBench() { stSimBench.host.reset(); }

SimBench& simFor(int side) {
  SimBench& bench = stSimBench;
  if (!bench.host) {
    bench.host = std::make_unique<sim::Host>();
    bench.host->settingsDir = (std::filesystem::temp_directory_path() / "velmora-bench").string();
    std::filesystem::create_directories(bench.host->settingsDir);
    std::string error;
    bench.host->addModule(&_mod_descrip, "velmora (in-process)", &error);
  }
  if (bench.side != side) {
    bench.host->leaveTool();
    if (bench.object) bench.host->scene.removeItem(bench.object);
    auto mesh = std::make_shared<sim::SimMesh>();
    for (int r = 0; r < side; ++r)
      for (int c = 0; c < side; ++c) {
        const float p[3] = {float(c), float(r), 0.1f * float((r * 7 + c * 3) % 5)};
        mesh->addPoint(p);
      }
    for (int r = 0; r + 1 < side; ++r)
      for (int c = 0; c + 1 < side; ++c) {
        const uint32_t a = uint32_t(r * side + c);
        mesh->addPolygon(sim::kTypeFACE, {a, a + 1, a + uint32_t(side) + 1, a + uint32_t(side)});
      }
    sim::SimVMap& map = mesh->addVMap(sim::kVMapWGHT, "Weight", 1);
    for (uint32_t i = 0; i < mesh->numPoints(); i += 2) map.values[i] = {float(i % 100) / 100.0f};
    bench.object = bench.host->scene.addObject("Grid", mesh).id;
    bench.host->scene.refreshFrozen();
    bench.host->scene.select(bench.object);
    bench.host->activateTool("KTQ_VelmoraTool");
    static const bool registered = std::atexit(releaseSimBench) == 0;
    (void)registered;
    bench.side = side;
  }
  return bench;
}

void simFullCapture(benchmark::State& state) {
  SimBench& b = simFor(gridSide(state.range(0)));
  for (auto _ : state) {
    stInstData.mesh.noObject = 1;  // the same object captured afresh
    getCurrentObject(stInstData);
  }
  state.counters["points"] = double(stInstData.mesh.numPoints);
  state.counters["bytes_per_point"] = double(snapshotBytes(stInstData.mesh)) / stInstData.mesh.numPoints;
  (void)b;
}

void simValueRefresh(benchmark::State& state) {
  simFor(gridSide(state.range(0)));
  getCurrentObject(stInstData);
  for (auto _ : state) getCurrentObject(stInstData);
  state.counters["points"] = double(stInstData.mesh.numPoints);
}

/** \} */
/** \name A minimal mesh info over arrays \{ */

// Ids are (index + 1) times an odd constant, so the index comes back with one multiply.
constexpr uint64_t kIdScramble = 0x9E3779B97F4A7C15ull;
constexpr uint64_t kIdUnscramble = 0xF1DE83E19937733Dull;  // inverse of kIdScramble mod 2^64

struct FlatMesh {
  std::vector<std::array<float, 3>> pos;
  std::vector<float> values;
  std::vector<uint8_t> hasValue;
  std::vector<uint32_t> corners;  // 4 per quad
  int numQuads = 0;
  LWMeshInfo info{};
};

FlatMesh* flat(LWMeshInfoID mi) { return static_cast<FlatMesh*>(mi->priv); }
LWPntID pointId(size_t i) { return reinterpret_cast<LWPntID>(uintptr_t((i + 1) * kIdScramble)); }
size_t pointIndex(LWPntID id) { return size_t(uint64_t(reinterpret_cast<uintptr_t>(id)) * kIdUnscramble - 1); }
size_t polyIndex(LWPolID id) { return size_t(uint64_t(reinterpret_cast<uintptr_t>(id)) * kIdUnscramble - 1); }

int flatNumPoints(LWMeshInfoID mi) { return int(flat(mi)->pos.size()); }
int flatNumPolygons(LWMeshInfoID mi) { return flat(mi)->numQuads; }
size_t flatScanPoints(LWMeshInfoID mi, LWPntScanFunc* fn, void* data) {
  for (size_t i = 0; i < flat(mi)->pos.size(); ++i)
    if (size_t r = fn(data, pointId(i))) return r;
  return 0;
}
size_t flatScanPolys(LWMeshInfoID mi, LWPolScanFunc* fn, void* data) {
  for (int i = 0; i < flat(mi)->numQuads; ++i)
    if (size_t r = fn(data, reinterpret_cast<LWPolID>(uintptr_t((uint64_t(i) + 1) * kIdScramble)))) return r;
  return 0;
}
void flatPos(LWMeshInfoID mi, LWPntID p, LWFVector out) { std::memcpy(out, flat(mi)->pos[pointIndex(p)].data(), 12); }
int flatVIDGet(LWMeshInfoID mi, LWPntID p, float* out, void*) {
  const size_t i = pointIndex(p);
  if (!flat(mi)->hasValue[i]) return 0;
  *out = flat(mi)->values[i];
  return 1;
}
LWID flatPolType(LWMeshInfoID, LWPolID) { return LWPOLTYPE_FACE; }
int flatPolSize(LWMeshInfoID, LWPolID) { return 4; }
LWPntID flatPolVertex(LWMeshInfoID mi, LWPolID pol, int v) {
  return pointId(flat(mi)->corners[polyIndex(pol) * 4 + size_t(v)]);
}

std::unique_ptr<FlatMesh> makeFlatGrid(int side) {
  auto m = std::make_unique<FlatMesh>();
  for (int r = 0; r < side; ++r)
    for (int c = 0; c < side; ++c) m->pos.push_back({float(c), float(r), 0.1f * float((r * 7 + c * 3) % 5)});
  m->values.assign(m->pos.size(), 0.5f);
  m->hasValue.assign(m->pos.size(), 0);
  for (size_t i = 0; i < m->pos.size(); i += 2) m->hasValue[i] = 1;
  for (int r = 0; r + 1 < side; ++r)
    for (int c = 0; c + 1 < side; ++c) {
      const uint32_t a = uint32_t(r * side + c);
      for (uint32_t v : {a, a + 1, a + uint32_t(side) + 1, a + uint32_t(side)}) m->corners.push_back(v);
      ++m->numQuads;
    }
  LWMeshInfo& i = m->info;
  i.priv = m.get();
  i.numPoints = flatNumPoints;
  i.numPolygons = flatNumPolygons;
  i.scanPoints = flatScanPoints;
  i.scanPolys = flatScanPolys;
  i.pntBasePos = flatPos;
  i.pntOtherPos = flatPos;
  i.pntVIDGet = flatVIDGet;
  i.polType = flatPolType;
  i.polSize = flatPolSize;
  i.polVertex = flatPolVertex;
  return m;
}

void flatTopology(benchmark::State& state) {
  auto grid = makeFlatGrid(gridSide(state.range(0)));
  MeshData m;
  for (auto _ : state) {
    allocateMeshRecords(m, int(grid->pos.size()), grid->numQuads);
    buildMeshTopology(m, &grid->info);
    benchmark::DoNotOptimize(m.edges.data());
  }
  state.counters["points"] = double(m.numPoints);
  state.counters["bytes_per_point"] = double(snapshotBytes(m)) / m.numPoints;
}

void flatValues(benchmark::State& state) {
  auto grid = makeFlatGrid(gridSide(state.range(0)));
  InstData& inst = stInstData;
  destroyMeshData(inst);
  if (inst.gradient.count == 0) setInitGradients(inst.gradient, 0);
  allocateMeshRecords(inst.mesh, int(grid->pos.size()), grid->numQuads);
  buildMeshTopology(inst.mesh, &grid->info);
  void* vmap = &grid->values;
  for (auto _ : state) {
    scanPointValues(inst.mesh, &grid->info, vmap);
    recolourPoints(inst);
    benchmark::DoNotOptimize(inst.mesh.points.data());
  }
  state.counters["points"] = double(inst.mesh.numPoints);
  destroyMeshData(inst);
}

/** \} */

}  // namespace

BENCHMARK(simFullCapture)->Name("Sim/FullCapture")->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(simValueRefresh)->Name("Sim/ValueRefresh")->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(flatTopology)->Name("Flat/Topology")->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(flatValues)->Name("Flat/Values")->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
