// The double pyramid a bone is drawn and picked as.
#include <gtest/gtest.h>

#include <cmath>

#include "mesh/bone_pyramid.h"

namespace {

using velmora::geometry::Vec3;

ChildStc zAxisBone(double restLength) {
  ChildStc b;
  b.itemType = 3;
  b.boneType = 0;
  b.restLength = restLength;
  b.worldOrigin[0] = 1.0;
  b.right[0] = 1.0;
  b.up[1] = 1.0;
  b.forward[2] = 1.0;
  return b;
}

TEST(BonePyramid, AZAxisBoneRunsAlongItsForwardAxisWithItsWaistAtATenth) {
  ChildStc b = zAxisBone(2.0);
  b.iconScale = 0.5;
  Vec3 c[6];
  ASSERT_TRUE(bonePyramidCorners(b, {72, 1}, c));
  EXPECT_DOUBLE_EQ(c[0].x, 1.0);
  EXPECT_DOUBLE_EQ(c[5].z, 2.0);
  // handle 0.08, scaled by the length (auto size) and the icon scale: 0.08 * 2 * 0.5.
  EXPECT_NEAR(c[1].x - 1.0, 0.08, 1e-12);
  EXPECT_NEAR(c[1].z, 0.2, 1e-12);
  EXPECT_NEAR(c[2].y, 0.08, 1e-12);
  EXPECT_NEAR(c[3].x - 1.0, -0.08, 1e-12);
  EXPECT_NEAR(c[4].y, -0.08, 1e-12);
  // Without auto size the length does not widen it; a larger handle does.
  ASSERT_TRUE(bonePyramidCorners(b, {144, 0}, c));
  EXPECT_NEAR(c[1].x - 1.0, 0.08, 1e-12);
}

TEST(BonePyramid, ShortBonesAndJointBonesUnderAZAxisParentAreNotDrawn) {
  Vec3 c[6];
  EXPECT_FALSE(bonePyramidCorners(zAxisBone(1e-6), {72, 1}, c));
  ChildStc object;
  EXPECT_FALSE(bonePyramidCorners(object, {72, 1}, c));
  ChildStc parent = zAxisBone(1.0);
  ChildStc joint = zAxisBone(1.0);
  joint.boneType = 1;
  joint.localPos[1] = 1.0;
  joint.parent = &parent;
  EXPECT_FALSE(bonePyramidCorners(joint, {72, 1}, c));
  // Under a joint parent it runs from the parent's origin to its own, sized by the
  // parent's child-joint length.
  parent.boneType = 1;
  parent.childJointLength = 3.0;
  joint.worldOrigin[0] = 1.0;
  joint.worldOrigin[1] = 4.0;
  ASSERT_TRUE(bonePyramidCorners(joint, {72, 1}, c));
  EXPECT_DOUBLE_EQ(c[5].y, 4.0);
  EXPECT_NEAR(c[1].x - 1.0, 0.24, 1e-12);
  joint.localPos[1] = 1e-7;
  EXPECT_FALSE(bonePyramidCorners(joint, {72, 1}, c));
}

}  // namespace
