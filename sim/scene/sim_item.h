// One item of the simulated scene: object, null, bone, light or camera.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/sim_math.h"
#include "scene/sim_mesh.h"

namespace sim {

// Item types as the host numbers them (LWI_*).
enum class ItemType : int { Object = 0, Light = 1, Camera = 2, Bone = 3 };

// Type code kept in bits 28-30 of an item id (the scene-file numbering).
inline uint32_t typeCode(ItemType t) {
  switch (t) {
    case ItemType::Object: return 1;
    case ItemType::Light: return 2;
    case ItemType::Camera: return 3;
    case ItemType::Bone: return 4;
  }
  return 0;
}

// Host bit values the sim keeps in item state.
constexpr unsigned kObjfUnseenByCamera = 1u << 0;
constexpr unsigned kObjfUnseenByRays = 1u << 1;
constexpr unsigned kObjfUnaffectByFog = 1u << 2;
constexpr unsigned kObjfUnseenByAlpha = 1u << 6;
constexpr unsigned kObjfNoDeformersApplied = 1u << 18;
constexpr unsigned kObjfUnseenByRadiosity = 1u << 19;
constexpr unsigned kShadowSelf = 1u << 0, kShadowCast = 1u << 1, kShadowReceive = 1u << 2;
constexpr unsigned kBoneActive = 1u << 0, kBoneLimitedRange = 1u << 1,
                   kBoneScaleStrength = 1u << 2, kBoneWeightMapOnly = 1u << 3,
                   kBoneWeightNorm = 1u << 4;

struct SimItem {
  uint64_t id = 0;
  ItemType type = ItemType::Object;
  std::string name;
  uint64_t parent = 0;       // 0: none
  int visibility = 5;        // LWOVIS_* for objects, 0/1 for others
  bool locked = false;
  double dissolve = 0.0;

  // Motion at the current time (static: the sim does not animate).
  Vec3 position = {0, 0, 0};
  Vec3 rotation = {0, 0, 0};  // heading, pitch, bank in radians
  Vec3 scale = {1, 1, 1};
  Vec3 pivot = {0, 0, 0};
  Vec3 pivotRotation = {0, 0, 0};  // heading, pitch, bank in radians: the item's zero rotation
  float iconScale = 1.0f;

  // Objects.
  std::shared_ptr<SimMesh> mesh;  // empty mesh for a null object
  std::string filename;
  unsigned objectFlags = 0;
  unsigned shadowOpts = kShadowSelf | kShadowCast | kShadowReceive;
  int patchDisplay = 0;
  int patchRender = 0;
  uint64_t boneSource = 0;        // 0: the object itself
  bool modified = false;          // unsaved mesh changes

  // Bones: the object they belong to and their rest set-up (relative to the parent).
  uint64_t boneObject = 0;
  Vec3 restPosition = {0, 0, 0};
  Vec3 restRotation = {0, 0, 0};
  double restLength = 1.0;
  unsigned boneFlags = kBoneActive;
  double strength = 1.0;
  int falloff = 0;
  std::string weightMap;
  int boneType = 0;              // 0 z-axis, 1 joint
  double limitInner = 0.0, limitOuter = 0.0;

  bool isNull() const { return type == ItemType::Object && (!mesh || mesh->numPoints() == 0); }
};

}  // namespace sim
