// The simulated Layout scene: items in item order with a parent tree, the selection,
// scene-wide switches and each object's frozen (deformed, subdivided) mesh.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "scene/sim_item.h"

namespace sim {

// Ids carry bits above the low 32 so that code which keeps only the low half (as host
// commands do) is told apart from code that loses the id.
constexpr uint64_t kItemIdHighTag = 0x0000002A00000000ull;

// The frozen mesh of an object as the last refresh computed it.
struct FrozenMesh {
  uint64_t sourceRevision = ~0ull;
  size_t extraPoints = 0;              // subdivision points, first in scan order
  std::vector<std::array<float, 3>> otherPos;  // extra points first, then base points
  std::vector<uint64_t> extraIds;
  bool deformed = false;
};

class SimScene {
 public:
  SimScene();

  // Items ----------------------------------------------------------------------------
  SimItem& addObject(const std::string& name, std::shared_ptr<SimMesh> mesh);
  SimItem& addNull(const std::string& name);
  SimItem& addBone(uint64_t object, uint64_t parent, const std::string& name);
  SimItem& addLight(const std::string& name);
  SimItem& addCamera(const std::string& name);
  // Removes the item and everything parented below it. Returns false for an unknown id.
  bool removeItem(uint64_t id);
  // Gives every item a new id (as Layout may at any time) and keeps every reference
  // (parents, bone owners, bone sources, the selection) pointing at the same items.
  // Returns the changes as pairs (old, new) in item order.
  std::vector<std::pair<uint64_t, uint64_t>> renumberItems();

  SimItem* find(uint64_t id);
  const SimItem* find(uint64_t id) const;
  // The item whose id has these low 32 bits (what host commands carry).
  SimItem* findLow32(uint32_t low);
  SimItem* findByName(const std::string& name, int type = -1);
  const std::vector<std::unique_ptr<SimItem>>& items() const { return items_; }

  // Items of a type in item order; bones only those of the given object.
  std::vector<uint64_t> itemsOfType(ItemType type, uint64_t boneObject = 0) const;
  std::vector<uint64_t> children(uint64_t parent) const;

  // Selection ------------------------------------------------------------------------
  const std::vector<uint64_t>& selection() const { return selection_; }
  void select(uint64_t id);        // exactly that item
  void clearSelection() { selection_.clear(); }
  uint64_t firstSelected() const { return selection_.empty() ? 0 : selection_.front(); }

  // Scene-wide switches -----------------------------------------------------------------
  bool deformationsEnabled = true;
  unsigned generalFlags = (1u << 7) | (1u << 11);  // IK and motion controllers on
  double time = 0.0;
  // Whether frozen positions include the object's own item transform (world space) or
  // stay in the object's space; the host sets it from its policy.
  bool otherPosInWorld = true;

  // Frames and deformation ------------------------------------------------------------
  Frame worldFrame(uint64_t id) const;      // current pose: item space to world
  Frame restWorldFrame(uint64_t id) const;  // bones in rest pose
  // The object whose bones deform `object` (its bone source, itself by default).
  uint64_t boneOwner(uint64_t object) const;
  // Whether the object's bones deform it now: deformations are on and an active bone
  // of its bone source applies (a weight-map-only bone needs its map on the mesh).
  bool deformsNow(uint64_t object) const;
  // The object's flags as the host reports them: bit 18 ("no deformer applied") follows
  // the current deformation state, since Layout re-evaluates after every change.
  unsigned objectFlagsNow(uint64_t object) const;
  // Recomputes every object's frozen mesh and its "no deformer applied" flag.
  void refreshFrozen();
  // The object's frozen mesh; a mesh info holds on to the shared copy, which a later
  // refresh replaces rather than changes.
  std::shared_ptr<const FrozenMesh> frozenShared(uint64_t object);
  const FrozenMesh& frozen(uint64_t object) { return *frozenShared(object); }
  // The frozen mesh the last refresh computed, without computing one; nullptr when there is
  // none or it no longer matches the mesh's point count (for readers of a const scene).
  std::shared_ptr<const FrozenMesh> frozenIfComputed(uint64_t object) const;

 private:
  uint64_t makeId(ItemType type, uint32_t index, uint32_t owner = 0);
  void computeFrozen(SimItem& object, FrozenMesh& out) const;

  std::vector<std::unique_ptr<SimItem>> items_;
  std::vector<uint64_t> selection_;
  std::unordered_map<uint64_t, std::shared_ptr<const FrozenMesh>> frozen_;
  uint32_t counters_[4] = {0, 0, 0, 0};
};

}  // namespace sim
