#include "shell/stroke_host.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "display/zero_weighted_outline.h"
#include "mesh/bone_pyramid.h"
#include "mesh/child_list.h"
#include "mesh/snapshot.h"
#include "panel/edit_panel.h"
#include "settings/c_strings.h"
#include "settings/host_globals.h"
#include "shell/mesh_edit_access.h"
#include "tool/item_pick.h"
#include "undo/undo_record.h"

using velmora::geometry::Vec3;
namespace tool = velmora::tool;

namespace {

constexpr double kInvisibleDissolve = 0.99;
constexpr int32_t kJointBone = 1;

Vec3 vec(const double v[3]) { return {v[0], v[1], v[2]}; }

LWViewportInfo* viewportInfo() {
  if (stHost.global)
    if (auto* info = static_cast<LWViewportInfo*>(stHost.global(hostapi::kViewportInfo, GFUSE_TRANSIENT)))
      stHost.viewport = info;
  return stHost.viewport;
}

LWTime currentTime() { return stHost.interfaceInfo ? stHost.interfaceInfo->curTime : 0.0; }

uint64_t itemKey(LWItemID id) { return uint64_t(reinterpret_cast<uintptr_t>(id)); }
LWItemID itemOf(uint64_t key) { return reinterpret_cast<LWItemID>(uintptr_t(key)); }

// One object's polygons offered to the pick, with the vertex scratch reused across them.
struct ObjectScan {
  tool::ObjectPick* pick = nullptr;
  const tool::ViewState* view = nullptr;
  LWMeshInfoID mesh = nullptr;
  std::vector<Vec3>* vertices = nullptr;
};

bool pickablePolygonType(LWID type) {
  return type == LWPOLTYPE_FACE || type == LWPOLTYPE_PTCH || type == LWPOLTYPE_SUBD;
}

size_t searchClickedObjectPol_CBFunc(void* data, LWPolID polygon) {
  auto* s = static_cast<ObjectScan*>(data);
  LWMeshInfoID mesh = s->mesh;
  if (!pickablePolygonType(mesh->polType(mesh, polygon))) return 0;
  const int count = mesh->polSize(mesh, polygon);
  if (count < 2) return 0;
  s->vertices->resize(size_t(count));
  for (int k = 0; k < count; ++k) {
    LWFVector p;
    mesh->pntOtherPos(mesh, mesh->polVertex(mesh, polygon, k), p);
    (*s->vertices)[size_t(k)] = {p[0], p[1], p[2]};
  }
  tool::offerObjectPolygon(*s->pick, *s->view, *s->vertices, polygon);
  return 0;
}

// Offers every polygon of object; true when one of them became the nearest hit.
bool scanObjectForPick(LWItemID object, tool::ObjectPick& pick, const tool::ViewState& view, std::vector<Vec3>& vertices) {
  LWMeshInfoID mesh = stHost.objectInfo->meshInfo(object, 1);
  if (!mesh) return false;
  const void* before = pick.bestPolygon;
  ObjectScan scan{&pick, &view, mesh, &vertices};
  if (mesh->scanPolys && mesh->polType && mesh->polSize && mesh->polVertex && mesh->pntOtherPos)
    mesh->scanPolys(mesh, searchClickedObjectPol_CBFunc, &scan);
  if (mesh->destroy) mesh->destroy(mesh);
  return pick.bestPolygon != before;
}

double boneLengthKey(const ChildStc& node) {
  return node.boneType == kJointBone ? length(vec(node.localPos)) : node.restLength;
}

}  // namespace

bool LayoutStrokeHost::viewportView(int32_t viewport, tool::ViewportView& out) {
  LWViewportInfo* info = viewportInfo();
  if (!info || viewport < 0 || viewport >= info->numViewports) return false;
  double eye[3] = {0, 0, 0};
  if (info->pos) info->pos(viewport, eye);
  out.position = vec(eye);
  out.type = info->type ? info->type(viewport) : 0;
  out.hither = out.yon = 0.0;
  if (info->clip) info->clip(viewport, &out.hither, &out.yon);
  return true;
}

bool LayoutStrokeHost::viewportUnionSize(int32_t& width, int32_t& height) {
  LWViewportInfo* info = viewportInfo();
  if (!info || !info->rect || info->numViewports <= 0) return false;
  int left = 0, top = 0, right = 0, bottom = 0;
  for (int k = 0; k < info->numViewports; ++k) {
    int l = 0, t = 0, w = 0, h = 0;
    info->rect(k, &l, &t, &w, &h);
    if (k == 0) left = l, top = t, right = l + w, bottom = t + h;
    left = std::min(left, l), top = std::min(top, t);
    right = std::max(right, l + w), bottom = std::max(bottom, t + h);
  }
  width = right - left;
  height = bottom - top;
  return true;
}

bool LayoutStrokeHost::selectedItemChanged() { return currentSelectedItemWasChanged(inst_); }

void LayoutStrokeHost::trySelectingObjectInLayout() {
  inst_.pickedObject = LWITEM_NULL;
  if (!stHost.itemInfo || !stHost.objectInfo) return;
  tool::ObjectPick pick;
  std::vector<Vec3> vertices(3);
  const LWTime time = currentTime();
  LWItemID candidate = LWITEM_NULL;
  for (LWItemID object = stHost.itemInfo->first(LWI_OBJECT, LWITEM_NULL); object;
       object = stHost.itemInfo->next(object)) {
    if (stHost.objectInfo->dissolve && stHost.objectInfo->dissolve(object, time) >= kInvisibleDissolve) continue;
    if (scanObjectForPick(object, pick, inst_.tool.view, vertices)) candidate = object;
  }
  inst_.pickedObject = candidate;
}

void LayoutStrokeHost::selectPickedObject() {
  const LWItemID picked = inst_.pickedObject;
  inst_.pickedObject = LWITEM_NULL;
  if (!picked || picked == inst_.mesh.currentObject) return;
  hostCommandf("SelectItem %x", unsigned(itemKey(picked)));
  getCurrentObject(inst_);
}

int32_t LayoutStrokeHost::getSelectedBoneStc(int32_t mode) {
  if (!inst_.boneFollowsMap || !inst_.mesh.currentObject || !stHost.global) return 0;
  ChildStcList list;
  if (!createChildStcList(list, stHost.global, inst_.mesh.currentObject)) return 0;
  // The pick works on a flat copy of the list with room for every bone of the tree.
  std::vector<tool::PickedBone> picks(inst_.pickedBones.size() + list.nodes.size() + 1);
  int32_t count = 0;
  for (const BonePick& b : inst_.pickedBones) picks[size_t(count++)] = {itemKey(b.bone), b.lengthKey};
  const BoneHandleSize size{inst_.boneHandleSize, inst_.boneHandleAutoSize};
  const tool::Vec2 cursor = tool::boneCursor(inst_.tool.view);
  int32_t result = 0;
  bool firstHit = true;
  for (const ChildStc& node : list.nodes) {
    Vec3 corners[6];
    if (!bonePyramidCorners(node, size, corners)) continue;
    if (!tool::boneDoublePyramidHit(inst_.tool.view, corners, cursor)) continue;
    result += tool::applyBonePickHit(picks, count, {itemKey(node.item), boneLengthKey(node)}, mode, firstHit);
    firstHit = false;
  }
  if (mode == 1 && result > 0) result = 1;
  inst_.pickedBones.clear();
  for (int32_t k = 0; k < count; ++k) inst_.pickedBones.push_back({itemOf(picks[size_t(k)].item), picks[size_t(k)].lengthKey});
  destroyChildStcList(list);
  return result;
}

bool LayoutStrokeHost::hasPickedBone() { return !inst_.pickedBones.empty(); }

bool LayoutStrokeHost::pickedBoneWeightMap(char* out, int32_t size) {
  if (inst_.pickedBones.empty() || !stHost.boneInfo || !stHost.boneInfo->weightMap || size <= 0) return false;
  const char* name = stHost.boneInfo->weightMap(inst_.pickedBones.front().bone);
  if (!name) return false;
  copyCStringN(out, name, size);
  return true;
}

void LayoutStrokeHost::refreshEditPanel() { refreshWindow(inst_); }

void LayoutStrokeHost::makeZeroWeightedOutlinePoints() {
  ::makeZeroWeightedOutlinePoints(inst_.mesh, inst_.gradient, inst_.zeroOutline);
}

void LayoutStrokeHost::recordUndoStep(int32_t changeCount) {
  inst_.changeCount = changeCount;
  inst_.meAccessOp = kOpStoreValues;
  rec1Process(inst_, 0);
}

void LayoutStrokeHost::writeChangeList(int32_t changeCount) {
  inst_.changeCount = changeCount;
  inst_.meAccessOp = kOpStoreValues;
  callMeshEditAccess(inst_);
}

tool::StrokeContext strokeContextOf(InstData& inst, tool::StrokeHost& host) {
  return {inst.mesh, inst, inst.gradient, inst.tool, inst.redrawRequest, host};
}

tool::ToolEventInput toolEventInputOf(const LWToolEvent& e) {
  tool::ToolEventInput in;
  in.pos = vec(e.posRaw);
  in.delta = vec(e.deltaRaw);
  in.axisX = vec(e.ax);
  in.axisY = vec(e.ay);
  in.dx = e.dx;
  in.flags = e.flags;
  in.viewport = e.viewNumber;
  return in;
}
