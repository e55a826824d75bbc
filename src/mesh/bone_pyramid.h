// The double pyramid a bone is drawn and picked as: base, four side corners and tip,
// in world space. The display and the bone picker share it, so what is hit is exactly
// what is shown.
#pragma once

#include "geometry/vec3.h"
#include "mesh/child_list.h"

// The host's bone-handle preferences that size the pyramid.
struct BoneHandleSize {
  int32_t handleSize = 72;  // boneHandleSize
  int32_t autoSize = 1;     // boneHandleAutoSize
};

// Fills corners (base, +right, +up, -right, -up side corners at 10 % of the length,
// tip) for a bone node of the child list. Returns false when the node is not drawn: not
// a bone, a joint bone whose parent is not a joint bone, or a bone shorter than 2e-6.
bool bonePyramidCorners(const ChildStc& node, const BoneHandleSize& size, velmora::geometry::Vec3 corners[6]);
