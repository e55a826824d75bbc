// Undo and redo as a property: after any seeded sequence of strokes, assigns, unassigns,
// renames and map switches, undoing to the start gives back every map bit for bit, and
// redoing to the end gives the final maps bit for bit.
#include <gtest/gtest.h>

#include <random>

#include "commands/command_menu.h"
#include "undo/undo_history.h"

#include "undo_scenario.h"

namespace {

using namespace undo_test;
using AllMaps = std::map<std::string, ValueMap>;

// The sanitizer builds run the same sequences, shorter: they are several times slower.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kSteps = 600;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr int kSteps = 600;
#else
constexpr int kSteps = 10000;
#endif
#else
constexpr int kSteps = 10000;
#endif

class UndoProperty : public UndoScenario, public ::testing::WithParamInterface<uint32_t> {
 protected:
  // Every weight map of the limb that holds a value (an emptied map counts as gone).
  AllMaps limbMaps() {
    AllMaps out;
    for (const sim::SimVMap& m : limb()->mesh->vmaps()) {
      if (m.type != sim::kVMapWGHT || m.values.empty()) continue;
      out[m.name] = mapOf(m.name);
    }
    return out;
  }

  void randomStroke(std::mt19937& rng) {
    std::uniform_real_distribution<double> x(-0.3, 0.3), y(0.0, 3.0), unit(0.0, 1.0);
    stInstData.toolIndex = unit(rng) < 0.5 ? vt::kToolBrush : vt::kToolPen;
    stInstData.value = float(std::round(unit(rng) * 100.0) / 100.0);
    stInstData.erase = unit(rng) < 0.15 ? 1 : 0;
    const auto [sx, sy] = screenOf({x(rng), y(rng), 0});
    stroke(sx, sy, 1 + int(unit(rng) * 3));
  }

  void randomAssign(std::mt19937& rng, bool assign) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    MeshData& m = stInstData.mesh;
    const bool some = unit(rng) < 0.8;
    m.selectedCount = 0;
    for (int i = 0; i < m.numPoints; ++i) {
      m.points[size_t(i)].selected = some && unit(rng) < 0.3 ? 1 : 0;
      m.selectedCount += m.points[size_t(i)].selected;
    }
    stInstData.value = float(unit(rng));
    Host::PluginCall call(*host);
    runEditCommand(stInstData, assign ? kCmdAssignValue : kCmdUnassignValue, CommandMode::Direct);
  }

  void switchMap(std::mt19937& rng) {
    const AllMaps maps = limbMaps();
    if (maps.empty()) return;
    auto it = maps.begin();
    std::advance(it, std::uniform_int_distribution<size_t>(0, maps.size() - 1)(rng));
    std::snprintf(stInstData.weightMapName, kMapNameSize, "%s", it->first.c_str());
  }

  void runSequence(uint32_t seed, int steps) {
    std::mt19937 rng(seed);
    const AllMaps start = limbMaps();
    int renames = 0;
    for (int step = 0; step < steps; ++step) {
      const int kind = std::uniform_int_distribution<int>(0, 99)(rng);
      if (kind < 55) {
        randomStroke(rng);
      } else if (kind < 75) {
        randomAssign(rng, true);
      } else if (kind < 85) {
        randomAssign(rng, false);
      } else if (kind < 92 && limbHasMap(stInstData.weightMapName)) {
        const std::string name = "Renamed " + std::to_string(++renames);
        Host::PluginCall call(*host);
        renameCurrentMap(name.c_str());
      } else {
        switchMap(rng);
      }
      redraw();
      if (HasFatalFailure()) return;
    }
    const AllMaps final = limbMaps();
    const int records = undoRecordCount(stInstData.undo);
    ASSERT_GT(records, steps / 2) << "the history must hold the sequence";

    int undone = 0;
    for (;;) {
      redraw();
      Host::PluginCall call(*host);
      if (pushUndoButtonEvent(stInstData) == 0) break;
      ++undone;
    }
    redraw();
    EXPECT_EQ(undone, records);
    EXPECT_EQ(limbMaps(), start) << "seed " << seed;
    for (int k = 0; k < records; ++k) {
      redraw();
      Host::PluginCall call(*host);
      ASSERT_EQ(pushRedoButtonEvent(stInstData), 1);
    }
    redraw();
    EXPECT_EQ(limbMaps(), final) << "seed " << seed;
  }
};

TEST_P(UndoProperty, UndoToTheStartAndRedoToTheEndAreBitIdentical) { runSequence(GetParam(), kSteps); }

INSTANTIATE_TEST_SUITE_P(Seeds, UndoProperty, ::testing::Values(1u, 7u, 2026u));

}  // namespace
