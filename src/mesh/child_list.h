// The child list: the tree of bones (and null objects) below the current object's bone
// source, read from Layout with their positions, rest lengths and weight-map names,
// for drawing bones, picking them and binding the mesh.
#pragma once
#include <cstdint>
#include <deque>

extern "C" {
#include <lwrender.h>
#include <lwserver.h>
}

// One node: the root (the bone source), a bone or a null object.
struct ChildStc {
  LWItemID item = LWITEM_NULL;
  int32_t itemType = 0;          // 0 object (the root, or a null child), 3 bone
  int32_t boneType = 0;          // bones: 1 joint bone, otherwise z-axis bone
  double localPos[3] = {0, 0, 0};     // bones: position - pivot
  double position[3] = {0, 0, 0};     // bones: position in the parent's space
  double worldOrigin[3] = {0, 0, 0};  // bones: world position of the pivot-corrected origin
  double worldPosition[3] = {0, 0, 0};
  double pivot[3] = {0, 0, 0};
  double right[3] = {0, 0, 0};
  double up[3] = {0, 0, 0};
  double forward[3] = {0, 0, 0};
  double childJointLength = 0.0; // joint bones: mean distance to joint-bone children; 0 when none
  double iconScale = 1.0;
  double restLength = 1.0;
  const char* weightMapName = nullptr;  // the host's string; none when the bone has none
  ChildStc* parent = nullptr;
  ChildStc* firstChild = nullptr;  // children are prepended: the last child found
  ChildStc* nextSibling = nullptr;
  ChildStc* nextInOrder = nullptr; // creation order (breadth-first)
};

// The list header. Nodes live in a deque, so their addresses stay put as it grows.
struct ChildStcList {
  std::deque<ChildStc> nodes;
  ChildStc* root = nullptr;
  ChildStc* cursor = nullptr;
  ChildStc* tail = nullptr;
  int32_t zAxisBoneCount = 0;
  int32_t jointBoneCount = 0;
  int32_t nullCount = 0;
};

// Builds the list for object through the host's global function: the root is the
// object's bone source; below it every bone and every null object, breadth-first.
// Objects with points, lights and cameras are left out together with everything below
// them. Item parameters are read at the interface's current time. Returns 1 when the
// list holds at least one bone, else 0 with the list empty. O(items below the root).
int createChildStcList(ChildStcList& list, GlobalFunc* global, LWItemID object);
// Frees every node and zeroes the header; safe twice.
void destroyChildStcList(ChildStcList& list);
