#include "mesh/bone_pyramid.h"

namespace {

using velmora::geometry::Vec3;

constexpr double kShortestBone = 2e-6;
constexpr int32_t kItemBone = 3;
constexpr int32_t kJointBone = 1;

Vec3 vec(const double v[3]) { return {v[0], v[1], v[2]}; }

// base -> tip with the side corners at 10 % of the way, spread along the frame's right
// and up by halfWidth.
void fill(const Vec3& base, const Vec3& tip, const Vec3& right, const Vec3& up, double halfWidth, Vec3 corners[6]) {
  const Vec3 ring = base + (tip - base) * 0.1;
  corners[0] = base;
  corners[1] = ring + right * halfWidth;
  corners[2] = ring + up * halfWidth;
  corners[3] = ring - right * halfWidth;
  corners[4] = ring - up * halfWidth;
  corners[5] = tip;
}

}  // namespace

bool bonePyramidCorners(const ChildStc& node, const BoneHandleSize& size, Vec3 corners[6]) {
  if (node.itemType != kItemBone) return false;
  const double handle = size.handleSize / 72.0 * 0.08;
  if (node.boneType != kJointBone) {
    if (node.restLength < kShortestBone) return false;
    const double width = handle * node.iconScale * (size.autoSize ? node.restLength : 1.0);
    const Vec3 base = vec(node.worldOrigin);
    fill(base, base + vec(node.forward) * node.restLength, vec(node.right), vec(node.up), width, corners);
    return true;
  }
  const ChildStc* parent = node.parent;
  if (!parent || parent->itemType != kItemBone || parent->boneType != kJointBone) return false;
  if (length(vec(node.localPos)) < kShortestBone) return false;
  const double width = handle * parent->iconScale * (size.autoSize ? parent->childJointLength : 1.0);
  fill(vec(parent->worldOrigin), vec(node.worldOrigin), vec(parent->right), vec(parent->up), width, corners);
  return true;
}
