// The built-in demo scene: a limb mesh (a capped cylinder along +y) deformed by a chain
// of three bones, with a camera and a light.
#pragma once
#include <memory>

#include "scene/sim_scene.h"

namespace sim {

// A cylinder of `rings` x `segments` points from y = 0 to y = length, capped at both
// ends with n-gons; quads between the rings.
std::shared_ptr<SimMesh> makeLimbMesh(int rings, int segments, float length, float radius);

struct DemoScene {
  uint64_t limb = 0;
  uint64_t bones[3] = {0, 0, 0};
  uint64_t light = 0;
  uint64_t camera = 0;
};

// Adds the demo's items to scene. With weightMaps, the limb carries one weight map per
// bone ("Upper", "Lower", "Hand") with smooth falloffs between them.
DemoScene buildDemoScene(SimScene& scene, bool weightMaps = true, int rings = 48, int segments = 64);

}  // namespace sim
