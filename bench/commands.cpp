// Normalize and Clamp over every weight map of biped_dense (105,612 points) from the
// shared test data, given 17 generated maps (three per point, five at every fifth point),
// the mesh on which a peer tool's normalize-all was timed.
//
//   Command/Normalize   the whole command from a button: map set, scan, normalize, the
//                       undo record, the write-back through the simulated host, redraw
//   Command/Clamp       the same for Clamp to 4 maps (the maps are regenerated between
//                       iterations, untimed, so every run has points to clamp)
//   Compute/Normalize   map set, scan through the simulated host's mesh info (its hash
//                       look-ups per point and map included) and normalize, no write
//   Compute/Clamp       the same for Clamp
//   Flat/Normalize      the module's own share: the same scan over an array-backed mesh
//   Flat/Clamp          info holding the same values (a host's look-up is an array read)
//
// Run: build/bench/bench_commands --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "commands/edit_command_ids.h"
#include "commands/normalize_weights.h"
#include "commands/weight_map_set.h"
#include "host/host.h"
#include "io/object_files.h"
#include "io/scene_files.h"
#include "shell/inst_data.h"
#include "undo/undo_replay.h"

extern "C" {
#include <lwmodule.h>
extern ModuleDescriptor _mod_descrip;
}

namespace {

constexpr int kMaps = 17;

struct Bench {
  std::unique_ptr<sim::Host> host;
  uint64_t object = 0;
};

Bench stBench;

void release() { stBench.host.reset(); }

void generateMaps(sim::SimMesh& mesh) {
  for (int k = 0; k < kMaps; ++k) {
    const std::string name = "Bone " + std::to_string(k);
    sim::SimVMap* m = mesh.findVMap(sim::kVMapWGHT, name);
    if (!m) m = &mesh.addVMap(sim::kVMapWGHT, name, 1);
    m->values.clear();
  }
  auto& maps = mesh.vmaps();
  for (uint32_t i = 0; i < mesh.numPoints(); ++i) {
    const int count = i % 5 == 0 ? 5 : 3;
    for (int j = 0; j < count; ++j) {
      const size_t map = size_t((i / 7 + uint32_t(j) * 5) % kMaps);
      maps[map].values[i] = {0.05f + 0.9f * float((i * 2654435761u + uint32_t(j) * 40503u) % 1000u) / 1000.0f};
    }
  }
}

Bench& bench() {
  if (stBench.host) return stBench;
  stBench.host = std::make_unique<sim::Host>();
  sim::Host& host = *stBench.host;
  host.settingsDir = (std::filesystem::temp_directory_path() / "velmora-bench").string();
  std::filesystem::create_directories(host.settingsDir);
  std::string error;
  host.addModule(&_mod_descrip, "velmora (in-process)", &error);
  sim::ObjectFiles objects;
  sim::LoadedScene loaded;
  sim::FileError fe;
  if (!sim::loadSceneIntoHost(host, objects, std::string(VELMORA_BENCH_DATA) + "/biped_dense.lws", loaded, fe)) {
    std::fprintf(stderr, "cannot load biped_dense: %s\n", fe.text().c_str());
    std::exit(1);
  }
  for (const auto& item : host.scene.items())
    if (item->type == sim::ItemType::Object && !item->isNull()) stBench.object = item->id;
  generateMaps(*host.scene.find(stBench.object)->mesh);
  host.scene.select(stBench.object);
  host.activateTool("KTQ_VelmoraTool");
  std::snprintf(stInstData.weightMapName, kMapNameSize, "Bone 0");
  stInstData.normalizeOption = 0;
  stInstData.clampOption = 0;
  stInstData.clampMaxMaps = 4;
  host.redrawViewports();
  std::atexit(release);
  return stBench;
}

void regenerate(Bench& b) {
  generateMaps(*b.host->scene.find(b.object)->mesh);
  destroyUndoStcData(stInstData);
}

void commandNormalize(benchmark::State& state) {
  Bench& b = bench();
  for (auto _ : state) {
    sim::Host::PluginCall call(*b.host);
    runNormalizeCommand(stInstData, CommandMode::Direct);
    state.PauseTiming();
    destroyUndoStcData(stInstData);
    state.ResumeTiming();
  }
  state.counters["points"] = double(stInstData.mesh.numPoints);
}

void commandClamp(benchmark::State& state) {
  Bench& b = bench();
  for (auto _ : state) {
    state.PauseTiming();
    regenerate(b);
    state.ResumeTiming();
    sim::Host::PluginCall call(*b.host);
    runClampCommand(stInstData, CommandMode::Direct);
  }
  state.counters["points"] = double(stInstData.mesh.numPoints);
}

// An array-backed mesh info over the bench object's points and 17 maps: the map handle
// is its index + 1, a point id its index + 1.
struct FlatMaps {
  LWMeshInfo info{};
  std::vector<std::string> names;
  std::vector<std::vector<float>> values;    // per map, per point
  std::vector<std::vector<uint8_t>> present;  // per map, per point
  size_t points = 0;
};

FlatMaps* flat(LWMeshInfoID mi) { return static_cast<FlatMaps*>(mi->priv); }

size_t flatScan(LWMeshInfoID mi, LWPntScanFunc* fn, void* data) {
  for (size_t i = 0; i < flat(mi)->points; ++i)
    if (size_t r = fn(data, reinterpret_cast<LWPntID>(uintptr_t(i + 1)))) return r;
  return 0;
}

void* flatLookup(LWMeshInfoID mi, LWID, const char* name) {
  const auto& n = flat(mi)->names;
  for (size_t k = 0; k < n.size(); ++k)
    if (n[k] == name) return reinterpret_cast<void*>(uintptr_t(k + 1));
  return nullptr;
}

int flatVIDGet(LWMeshInfoID mi, LWPntID pnt, float* out, void* vmap) {
  const FlatMaps* f = flat(mi);
  const size_t map = size_t(reinterpret_cast<uintptr_t>(vmap)) - 1, i = size_t(reinterpret_cast<uintptr_t>(pnt)) - 1;
  if (!f->present[map][i]) return 0;
  *out = f->values[map][i];
  return 1;
}

FlatMaps& flatMaps(Bench& b) {
  static FlatMaps f;
  if (!f.names.empty()) return f;
  const sim::SimMesh& mesh = *b.host->scene.find(b.object)->mesh;
  f.points = mesh.numPoints();
  for (const sim::SimVMap& m : mesh.vmaps()) {
    if (m.type != sim::kVMapWGHT) continue;
    f.names.push_back(m.name);
    f.values.emplace_back(f.points, 0.0f);
    f.present.emplace_back(f.points, uint8_t(0));
    for (const auto& [point, v] : m.values) {
      f.values.back()[point] = v.empty() ? 0.0f : v[0];
      f.present.back()[point] = 1;
    }
  }
  f.info.priv = &f;
  f.info.scanPoints = flatScan;
  f.info.pntVLookup = flatLookup;
  f.info.pntVIDGet = flatVIDGet;
  return f;
}

template <int32_t (*Apply)(MeshData&)>
void flatCompute(benchmark::State& state) {
  Bench& b = bench();
  regenerate(b);
  FlatMaps& f = flatMaps(b);
  WeightMapSet set;
  for (auto _ : state) {
    beginWeightMapSet(set, f.names, stInstData.mesh);
    getWeightsFromPoints(set, stInstData.mesh, &f.info);
    benchmark::DoNotOptimize(Apply(stInstData.mesh));
    destroyWeightMapData(set, stInstData.mesh);
  }
}

template <int32_t (*Apply)(MeshData&)>
void compute(benchmark::State& state) {
  Bench& b = bench();
  regenerate(b);
  WeightMapSet set;
  for (auto _ : state) {
    sim::Host::PluginCall call(*b.host);
    beginWeightMapSet(set, oneDimensionalWeightMaps(stInstData.mesh.currentObject, false), stInstData.mesh);
    getWeightsFromPoints(set, stInstData.mesh, stInstData.mesh.currentObject);
    benchmark::DoNotOptimize(Apply(stInstData.mesh));
    destroyWeightMapData(set, stInstData.mesh);
  }
}

int32_t normalizeAll(MeshData& m) { return normalizeChains(m); }
int32_t clampTo4(MeshData& m) { return clampChains(m, 4); }

}  // namespace

BENCHMARK(commandNormalize)->Name("Command/Normalize")->Unit(benchmark::kMillisecond);
BENCHMARK(commandClamp)->Name("Command/Clamp")->Unit(benchmark::kMillisecond);
BENCHMARK(compute<normalizeAll>)->Name("Compute/Normalize")->Unit(benchmark::kMillisecond);
BENCHMARK(compute<clampTo4>)->Name("Compute/Clamp")->Unit(benchmark::kMillisecond);
BENCHMARK(flatCompute<normalizeAll>)->Name("Flat/Normalize")->Unit(benchmark::kMillisecond);
BENCHMARK(flatCompute<clampTo4>)->Name("Flat/Clamp")->Unit(benchmark::kMillisecond);
