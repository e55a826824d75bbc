#include "scene/sim_scene.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace sim {

SimScene::SimScene() = default;

uint64_t SimScene::makeId(ItemType type, uint32_t index, uint32_t owner) {
  uint64_t low = uint64_t(typeCode(type)) << 28;
  if (type == ItemType::Bone)
    low |= (uint64_t(index & 0xFFF) << 16) | (owner & 0xFFFF);
  else
    low |= index & 0x0FFFFFFF;
  return kItemIdHighTag | low;
}

SimItem& SimScene::addObject(const std::string& name, std::shared_ptr<SimMesh> mesh) {
  auto item = std::make_unique<SimItem>();
  item->id = makeId(ItemType::Object, counters_[0]++);
  item->type = ItemType::Object;
  item->name = name;
  item->mesh = mesh ? std::move(mesh) : std::make_shared<SimMesh>();
  items_.push_back(std::move(item));
  return *items_.back();
}

SimItem& SimScene::addNull(const std::string& name) {
  SimItem& item = addObject(name, std::make_shared<SimMesh>());
  item.visibility = 5;
  return item;
}

SimItem& SimScene::addBone(uint64_t object, uint64_t parent, const std::string& name) {
  auto item = std::make_unique<SimItem>();
  item->id = makeId(ItemType::Bone, counters_[3]++, uint32_t(object & 0xFFFF));
  item->type = ItemType::Bone;
  item->name = name;
  item->boneObject = object;
  item->parent = parent ? parent : object;
  item->visibility = 1;
  items_.push_back(std::move(item));
  return *items_.back();
}

SimItem& SimScene::addLight(const std::string& name) {
  auto item = std::make_unique<SimItem>();
  item->id = makeId(ItemType::Light, counters_[1]++);
  item->type = ItemType::Light;
  item->name = name;
  item->visibility = 1;
  items_.push_back(std::move(item));
  return *items_.back();
}

SimItem& SimScene::addCamera(const std::string& name) {
  auto item = std::make_unique<SimItem>();
  item->id = makeId(ItemType::Camera, counters_[2]++);
  item->type = ItemType::Camera;
  item->name = name;
  item->visibility = 1;
  items_.push_back(std::move(item));
  return *items_.back();
}

bool SimScene::removeItem(uint64_t id) {
  if (!find(id)) return false;
  // Everything below the item goes with it, as do an object's bones.
  std::unordered_set<uint64_t> doomed{id};
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& it : items_) {
      if (doomed.count(it->id)) continue;
      if (doomed.count(it->parent) || (it->type == ItemType::Bone && doomed.count(it->boneObject))) {
        doomed.insert(it->id);
        grew = true;
      }
    }
  }
  items_.erase(std::remove_if(items_.begin(), items_.end(),
                              [&](const auto& it) { return doomed.count(it->id) > 0; }),
               items_.end());
  selection_.erase(std::remove_if(selection_.begin(), selection_.end(),
                                  [&](uint64_t s) { return doomed.count(s) > 0; }),
                   selection_.end());
  for (uint64_t d : doomed) frozen_.erase(d);
  return true;
}

std::vector<std::pair<uint64_t, uint64_t>> SimScene::renumberItems() {
  std::vector<std::pair<uint64_t, uint64_t>> changes;
  std::unordered_map<uint64_t, uint64_t> renamed;
  // Objects first: a bone's id carries its object's index.
  for (ItemType type : {ItemType::Object, ItemType::Light, ItemType::Camera, ItemType::Bone})
    for (auto& it : items_) {
      if (it->type != type) continue;
      uint64_t owner = type == ItemType::Bone ? renamed[it->boneObject] : 0;
      uint64_t fresh = makeId(type, counters_[int(type)]++, uint32_t(owner & 0xFFFF));
      renamed[it->id] = fresh;
    }
  auto follow = [&](uint64_t id) {
    auto r = renamed.find(id);
    return r == renamed.end() ? id : r->second;
  };
  for (auto& it : items_) {
    changes.push_back({it->id, renamed[it->id]});
    it->id = renamed[it->id];
    it->parent = follow(it->parent);
    it->boneObject = follow(it->boneObject);
    it->boneSource = follow(it->boneSource);
  }
  for (uint64_t& s : selection_) s = follow(s);
  std::unordered_map<uint64_t, std::shared_ptr<const FrozenMesh>> frozen;
  for (auto& [id, mesh] : frozen_) frozen[follow(id)] = mesh;
  frozen_ = std::move(frozen);
  return changes;
}

SimItem* SimScene::find(uint64_t id) {
  if (id == 0) return nullptr;
  for (auto& it : items_)
    if (it->id == id) return it.get();
  return nullptr;
}

const SimItem* SimScene::find(uint64_t id) const {
  return const_cast<SimScene*>(this)->find(id);
}

SimItem* SimScene::findLow32(uint32_t low) {
  for (auto& it : items_)
    if (uint32_t(it->id) == low) return it.get();
  return nullptr;
}

SimItem* SimScene::findByName(const std::string& name, int type) {
  for (auto& it : items_)
    if (it->name == name && (type < 0 || int(it->type) == type)) return it.get();
  return nullptr;
}

std::vector<uint64_t> SimScene::itemsOfType(ItemType type, uint64_t boneObject) const {
  std::vector<uint64_t> out;
  for (const auto& it : items_) {
    if (it->type != type) continue;
    if (type == ItemType::Bone && it->boneObject != boneObject) continue;
    out.push_back(it->id);
  }
  return out;
}

std::vector<uint64_t> SimScene::children(uint64_t parent) const {
  std::vector<uint64_t> out;
  for (const auto& it : items_)
    if (it->parent == parent && parent != 0) out.push_back(it->id);
  return out;
}

void SimScene::select(uint64_t id) {
  if (!find(id)) return;
  selection_.assign(1, id);
}

Frame SimScene::worldFrame(uint64_t id) const {
  const SimItem* item = find(id);
  if (!item) return Frame{};
  // The pivot rotation turns the item before its own rotation, in the parent's space.
  Frame local = compose(rotationFrame(item->pivotRotation), rotationFrame(item->rotation));
  for (int i = 0; i < 3; ++i) local.axis[i] = local.axis[i] * item->scale[i];
  // The item turns and scales about its pivot, which sits at `position` in the parent.
  local.origin = item->position - local.applyDirection(item->pivot);
  Frame parent = item->parent ? worldFrame(item->parent) : Frame{};
  return compose(parent, local);
}

Frame SimScene::restWorldFrame(uint64_t id) const {
  const SimItem* item = find(id);
  if (!item) return Frame{};
  if (item->type != ItemType::Bone) return worldFrame(id);
  // As worldFrame, with the rest set-up in place of the motion (and no scale).
  Frame local = compose(rotationFrame(item->pivotRotation), rotationFrame(item->restRotation));
  local.origin = item->restPosition - local.applyDirection(item->pivot);
  return compose(restWorldFrame(item->parent), local);
}

uint64_t SimScene::boneOwner(uint64_t object) const {
  const SimItem* item = find(object);
  if (!item) return 0;
  return item->boneSource ? item->boneSource : object;
}

// Linear blend skinning: each active bone moves a point by its current frame times the
// inverse of its rest frame, weighted by the bone's weight map (or, for a bone without a
// map, by inverse distance to the bone), and the weights are normalised.
void SimScene::computeFrozen(SimItem& object, FrozenMesh& out) const {
  const SimMesh& mesh = *object.mesh;
  const size_t n = mesh.numPoints();

  struct Influence {
    Frame deform;
    const SimVMap* map;
    Vec3 restOrigin;
    double strength;
  };
  std::vector<Influence> bones;
  if (deformationsEnabled) {
    uint64_t owner = boneOwner(object.id);
    Frame objectInverse = inverse(worldFrame(object.id));
    for (uint64_t b : itemsOfType(ItemType::Bone, owner)) {
      const SimItem* bone = find(b);
      if (!(bone->boneFlags & kBoneActive)) continue;
      Frame rest = compose(objectInverse, restWorldFrame(b));
      Frame now = compose(objectInverse, worldFrame(b));
      Influence inf;
      inf.deform = compose(now, inverse(rest));
      inf.map = bone->weightMap.empty() ? nullptr : mesh.findVMap(kVMapWGHT, bone->weightMap);
      inf.restOrigin = rest.origin;
      inf.strength = bone->strength;
      if (!bone->weightMap.empty() && !inf.map && (bone->boneFlags & kBoneWeightMapOnly)) continue;
      bones.push_back(inf);
    }
  }
  out.deformed = !bones.empty();

  size_t extra = 0;
  if (object.patchDisplay > 0)
    for (const auto& p : mesh.polygons())
      if (p.type == kTypeSUBD || p.type == kTypePTCH) extra += size_t(object.patchDisplay);
  out.extraPoints = extra;
  out.otherPos.assign(extra + n, {0.f, 0.f, 0.f});
  if (out.extraIds.size() != extra) {
    out.extraIds.resize(extra);
    for (size_t i = 0; i < extra; ++i) out.extraIds[i] = 0xF000000000000001ull + 2 * i;
  }

  Frame world = worldFrame(object.id);
  for (size_t i = 0; i < n; ++i) {
    const SimPoint& sp = mesh.point(i);
    Vec3 p = {sp.pos[0], sp.pos[1], sp.pos[2]};
    if (!bones.empty()) {
      Vec3 sum = {0, 0, 0};
      double total = 0;
      for (const Influence& b : bones) {
        double w;
        if (b.map) {
          const auto* v = b.map->find(uint32_t(i));
          w = v && !v->empty() ? std::max(0.0, double((*v)[0])) : 0.0;
        } else {
          Vec3 d = p - b.restOrigin;
          w = 1.0 / std::max(1e-9, std::sqrt(dot(d, d)));
        }
        w *= b.strength;
        if (w <= 0) continue;
        sum = sum + b.deform.apply(p) * w;
        total += w;
      }
      if (total > 0) p = sum * (1.0 / total);
    }
    if (otherPosInWorld) p = world.apply(p);
    out.otherPos[extra + i] = {float(p[0]), float(p[1]), float(p[2])};
  }
  // Subdivision points sit at the centre of their polygon's corners.
  size_t k = 0;
  if (extra)
    for (const auto& poly : mesh.polygons()) {
      if (poly.type != kTypeSUBD && poly.type != kTypePTCH) continue;
      std::array<float, 3> c = {0, 0, 0};
      for (uint32_t v : poly.vertices)
        for (int a = 0; a < 3; ++a) c[a] += out.otherPos[extra + v][a] / float(poly.vertices.size());
      for (int l = 0; l < object.patchDisplay; ++l) out.otherPos[k++] = c;
    }
  out.sourceRevision = mesh.revision();
}

bool SimScene::deformsNow(uint64_t object) const {
  const SimItem* item = find(object);
  if (!deformationsEnabled || !item || item->type != ItemType::Object) return false;
  for (uint64_t b : itemsOfType(ItemType::Bone, boneOwner(object))) {
    const SimItem* bone = find(b);
    if (!(bone->boneFlags & kBoneActive)) continue;
    if ((bone->boneFlags & kBoneWeightMapOnly) && !bone->weightMap.empty() &&
        !item->mesh->findVMap(kVMapWGHT, bone->weightMap))
      continue;
    return true;
  }
  return false;
}

unsigned SimScene::objectFlagsNow(uint64_t object) const {
  const SimItem* item = find(object);
  if (!item) return 0;
  unsigned flags = item->objectFlags & ~kObjfNoDeformersApplied;
  return deformsNow(object) ? flags : flags | kObjfNoDeformersApplied;
}

void SimScene::refreshFrozen() {
  for (auto& it : items_) {
    if (it->type != ItemType::Object) continue;
    auto fresh = std::make_shared<FrozenMesh>();
    computeFrozen(*it, *fresh);
    frozen_[it->id] = fresh;
    if (fresh->deformed)
      it->objectFlags &= ~kObjfNoDeformersApplied;
    else
      it->objectFlags |= kObjfNoDeformersApplied;
  }
}

std::shared_ptr<const FrozenMesh> SimScene::frozenShared(uint64_t object) {
  SimItem* item = find(object);
  std::shared_ptr<const FrozenMesh>& slot = frozen_[object];
  // A mesh never frozen, or whose point count changed since the last refresh, is
  // computed now: the host never hands out a frozen mesh that disagrees with the base
  // mesh's size.
  if (!slot || (item && slot->otherPos.size() != slot->extraPoints + item->mesh->numPoints())) {
    auto fresh = std::make_shared<FrozenMesh>();
    if (item) computeFrozen(*item, *fresh);
    slot = fresh;
  }
  return slot;
}

std::shared_ptr<const FrozenMesh> SimScene::frozenIfComputed(uint64_t object) const {
  const SimItem* item = find(object);
  auto it = frozen_.find(object);
  if (!item || !item->mesh || it == frozen_.end() || !it->second ||
      it->second->otherPos.size() != it->second->extraPoints + item->mesh->numPoints())
    return nullptr;
  return it->second;
}

}  // namespace sim
