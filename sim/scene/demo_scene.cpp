#include "scene/demo_scene.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// Direction of step s of n around a ring. The angle is reduced to its quarter turn
// first, so the quarter points come out exactly on the axes and no math library is
// asked for a cosine near a zero: C libraries disagree there (Windows' reduces by a
// shorter pi), and the demo object must have the same bytes on every system.
void ringDirection(int s, int n, double& c, double& sn) {
  const double halfPi = 1.5707963267948966;
  const int quarter = int((4LL * s) / n);
  const double a = halfPi * (double(4LL * s - 1LL * quarter * n) / n);
  const double x = std::cos(a), y = std::sin(a);
  switch (quarter & 3) {
    case 0: c = x, sn = y; break;
    case 1: c = -y, sn = x; break;
    case 2: c = -x, sn = -y; break;
    default: c = y, sn = -x; break;
  }
}

}  // namespace

std::shared_ptr<SimMesh> makeLimbMesh(int rings, int segments, float length, float radius) {
  auto mesh = std::make_shared<SimMesh>();
  rings = std::max(rings, 2);
  segments = std::max(segments, 3);
  for (int r = 0; r < rings; ++r) {
    float y = length * float(r) / float(rings - 1);
    for (int s = 0; s < segments; ++s) {
      double c = 1, sn = 0;
      ringDirection(s, segments, c, sn);
      float p[3] = {radius * float(c), y, radius * float(sn)};
      mesh->addPoint(p);
    }
  }
  auto at = [&](int r, int s) { return uint32_t(r * segments + (s % segments)); };
  for (int r = 0; r + 1 < rings; ++r)
    for (int s = 0; s < segments; ++s)
      mesh->addPolygon(kTypeFACE, {at(r, s), at(r + 1, s), at(r + 1, s + 1), at(r, s + 1)});
  std::vector<uint32_t> bottom, top;
  for (int s = 0; s < segments; ++s) {
    bottom.push_back(at(0, segments - 1 - s));
    top.push_back(at(rings - 1, s));
  }
  mesh->addPolygon(kTypeFACE, bottom);
  mesh->addPolygon(kTypeFACE, top);
  return mesh;
}

DemoScene buildDemoScene(SimScene& scene, bool weightMaps, int rings, int segments) {
  const float length = 3.0f;
  DemoScene d;
  auto mesh = makeLimbMesh(rings, segments, length, 0.25f);
  SimItem& limb = scene.addObject("Limb", mesh);
  limb.filename = "Limb.lwo";
  d.limb = limb.id;

  const char* names[3] = {"Upper", "Lower", "Hand"};
  const double lengths[3] = {1.2, 1.2, 0.6};
  uint64_t parent = 0;
  double y = 0.0;
  for (int b = 0; b < 3; ++b) {
    SimItem& bone = scene.addBone(limb.id, parent, names[b]);
    // Bones point along their +z; a pitch of -90 degrees turns +z to +y.
    bone.restPosition = parent ? Vec3{0, 0, lengths[b - 1]} : Vec3{0, 0, 0};
    bone.restRotation = parent ? Vec3{0, 0, 0} : Vec3{0, -1.5707963267948966, 0};
    bone.position = bone.restPosition;
    bone.rotation = bone.restRotation;
    bone.restLength = lengths[b];
    bone.boneType = 0;
    if (weightMaps) bone.weightMap = names[b];
    d.bones[b] = bone.id;
    parent = bone.id;
    y += lengths[b];
  }

  if (weightMaps) {
    // Each point belongs to the bone along whose span it lies, blended over 0.2 m at the
    // joints.
    const double starts[3] = {0.0, 1.2, 2.4};
    SimVMap* maps[3];
    for (int b = 0; b < 3; ++b) maps[b] = &mesh->addVMap(kVMapWGHT, names[b], 1);
    // addVMap may move earlier maps: look them up again.
    for (int b = 0; b < 3; ++b) maps[b] = mesh->findVMap(kVMapWGHT, names[b]);
    for (size_t i = 0; i < mesh->numPoints(); ++i) {
      double py = mesh->point(i).pos[1];
      double w[3];
      double total = 0;
      for (int b = 0; b < 3; ++b) {
        double lo = starts[b] - 0.1, hi = (b < 2 ? starts[b + 1] : 10.0) + 0.1;
        double in = std::clamp(std::min(py - lo, hi - py) / 0.2, 0.0, 1.0);
        w[b] = in;
        total += in;
      }
      for (int b = 0; b < 3; ++b)
        if (w[b] > 0) maps[b]->values[uint32_t(i)] = {float(w[b] / total)};
    }
  }

  // Bend the chain a little so the deformed pose differs from the rest pose.
  if (SimItem* lower = scene.find(d.bones[1])) lower->rotation = {0, 0.5, 0};

  SimItem& light = scene.addLight("Light");
  light.position = {2, 4, -3};
  d.light = light.id;
  SimItem& camera = scene.addCamera("Camera");
  camera.position = {0, 1.5, -6};
  d.camera = camera.id;
  scene.refreshFrozen();
  return d;
}

}  // namespace sim
