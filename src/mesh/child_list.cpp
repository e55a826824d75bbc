#include "mesh/child_list.h"

#include <cmath>

#include "settings/host_globals.h"

namespace {

struct ChildGlobals {
  const LWInterfaceInfo* ui = nullptr;
  const LWItemInfo* items = nullptr;
  const LWObjectInfo* objects = nullptr;
  const LWBoneInfo* bones = nullptr;
};

ChildStc* addNode(ChildStcList& list, LWItemID item, int itemType, ChildStc* parent) {
  ChildStc& node = list.nodes.emplace_back();
  node.item = item;
  node.itemType = itemType;
  node.parent = parent;
  if (parent) {
    node.nextSibling = parent->firstChild;
    parent->firstChild = &node;
  }
  if (list.tail) list.tail->nextInOrder = &node;
  list.tail = &node;
  return &node;
}

void readBone(ChildStcList& list, const ChildGlobals& g, ChildStc& node) {
  const LWItemID bone = node.item;
  node.boneType = g.bones->type(bone);
  node.iconScale = g.ui->itemIconScale ? g.ui->itemIconScale(bone) : 1.0;
  node.restLength = g.bones->restLength(bone);
  node.weightMapName = g.bones->weightMap(bone);
  if (node.boneType == LWBONETYPE_JOINT) ++list.jointBoneCount;
  else ++list.zAxisBoneCount;
  const LWTime t = g.ui->curTime;
  g.items->param(bone, LWIP_POSITION, t, node.position);
  g.items->param(bone, LWIP_W_POSITION, t, node.worldPosition);
  g.items->param(bone, LWIP_PIVOT, t, node.pivot);
  g.items->param(bone, LWIP_RIGHT, t, node.right);
  g.items->param(bone, LWIP_UP, t, node.up);
  g.items->param(bone, LWIP_FORWARD, t, node.forward);
  for (int a = 0; a < 3; ++a) {
    node.localPos[a] = node.position[a] - node.pivot[a];
    node.worldOrigin[a] = node.worldPosition[a] -
                          (node.right[a] * node.pivot[0] + node.up[a] * node.pivot[1] + node.forward[a] * node.pivot[2]);
  }
}

void addChildren(ChildStcList& list, const ChildGlobals& g, ChildStc* node) {
  for (LWItemID child = g.items->firstChild(node->item); child; child = g.items->nextChild(node->item, child)) {
    const LWItemType type = g.items->type(child);
    if (type == LWI_BONE) {
      addNode(list, child, LWI_BONE, node);
    } else if (type == LWI_OBJECT && g.objects->numPoints(child) == 0) {
      addNode(list, child, LWI_OBJECT, node);
      ++list.nullCount;
    }
  }
}

double distance(const double a[3], const double b[3]) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

void measureJointLengths(ChildStcList& list) {
  for (ChildStc* node = list.root; node; node = node->nextInOrder) {
    if (node->itemType != LWI_BONE || node->boneType != LWBONETYPE_JOINT) continue;
    double sum = 0.0;
    int count = 0;
    for (ChildStc* c = node->firstChild; c; c = c->nextSibling) {
      if (c->itemType != LWI_BONE || c->boneType != LWBONETYPE_JOINT) continue;
      sum += distance(node->worldOrigin, c->worldOrigin);
      ++count;
    }
    node->childJointLength = count ? sum / count : 0.0;
  }
}

}  // namespace

void destroyChildStcList(ChildStcList& list) { list = ChildStcList{}; }

int createChildStcList(ChildStcList& list, GlobalFunc* global, LWItemID object) {
  destroyChildStcList(list);
  if (!global) return 0;
  ChildGlobals g;
  g.ui = static_cast<const LWInterfaceInfo*>(global(hostapi::kInterfaceInfo, GFUSE_TRANSIENT));
  g.items = static_cast<const LWItemInfo*>(global(servName_LWITEMINFO, GFUSE_TRANSIENT));
  g.objects = static_cast<const LWObjectInfo*>(global(servName_LWOBJECTINFO, GFUSE_TRANSIENT));
  g.bones = static_cast<const LWBoneInfo*>(global(servName_LWBONEINFO, GFUSE_TRANSIENT));
  if (!g.ui || !g.items || !g.objects || !g.bones || !object) return 0;
  const LWItemID source = g.objects->boneSource(object);
  if (!source) return 0;

  list.root = list.cursor = addNode(list, source, g.items->type(source), nullptr);
  for (; list.cursor; list.cursor = list.cursor->nextInOrder) {
    if (list.cursor->itemType == LWI_BONE) readBone(list, g, *list.cursor);
    addChildren(list, g, list.cursor);
  }
  if (list.zAxisBoneCount + list.jointBoneCount == 0) {
    destroyChildStcList(list);
    return 0;
  }
  measureJointLengths(list);
  return 1;
}
