// Bones as translucent double pyramids: faces toward the eye filled, the edges beside
// them drawn, dashed without a weight map, picked bones in the selected colour.
#include <gtest/gtest.h>

#include "display/bone_drawing.h"
#include "display/display_test_scene.h"

using namespace display_testing;

namespace {

// One z-axis bone along +x from the origin, its side corners spread along y and z.
ChildStc& addBone(ChildStcList& list, uintptr_t id, const char* map) {
  ChildStc& b = list.nodes.emplace_back();
  b.item = reinterpret_cast<LWItemID>(id);
  b.itemType = 3;
  b.boneType = 0;
  b.restLength = 1.0;
  b.forward[0] = 1;
  b.right[2] = 1;
  b.up[1] = 1;
  b.weightMapName = map;
  return b;
}

}  // namespace

TEST(BoneDrawing, HalfThePyramidFacesTheEyeAndItsEdgesAreDrawn) {
  DisplayBench b;  // front view, looking along +z
  ChildStcList bones;
  addBone(bones, 0x30000001, "Upper");
  b.startRecording();
  DisplayFrame f = b.frame();
  drawBones(f, bones);
  const Counts c = b.counts();
  EXPECT_EQ(c.triangles, 4);  // the four on the -z side
  EXPECT_EQ(c.lines, 8);      // base, tip and ring edges beside them
  for (const sim::DrawPrimitive& p : b.list.primitives) {
    EXPECT_TRUE(sameColour(p.colour, transCyan));
    EXPECT_EQ(p.pattern, LWLPAT_SOLID);
    EXPECT_EQ(p.drawMode, 0u);
    if (p.kind == sim::DrawPrimitive::Triangle) {
      double z = 0;
      for (const auto& v : p.vertices) z += v[2];
      EXPECT_LT(z, 0.0);
    }
  }
}

TEST(BoneDrawing, PickedBonesAndBonesWithoutAMap) {
  DisplayBench b;
  ChildStcList bones;
  addBone(bones, 0x30000001, nullptr);
  addBone(bones, 0x30000002, "Lower").worldOrigin[1] = 2;
  b.inst->pickedBones.push_back({reinterpret_cast<LWItemID>(uintptr_t(0x30000002)), 1.0});
  b.startRecording();
  DisplayFrame f = b.frame();
  drawBones(f, bones);
  int dashed = 0, picked = 0;
  for (const sim::DrawPrimitive& p : b.list.primitives) {
    if (p.kind == sim::DrawPrimitive::Line) dashed += p.pattern == LWLPAT_DASH;
    picked += sameColour(p.colour, transSelected);
  }
  EXPECT_EQ(dashed, 8);        // the first bone's edges
  EXPECT_EQ(picked, 4 + 8);    // the second bone entirely
}

TEST(BoneDrawing, PerspectiveFacingUsesTheEyeAndShortBonesAreLeftOut) {
  DisplayBench b;
  ChildStcList bones;
  addBone(bones, 0x30000001, "Upper");
  addBone(bones, 0x30000002, "Short").restLength = 1e-6;
  // An eye beside the bone's +z side and far along +x sees the faces turned to +z.
  b.perspectiveView({0.5, 0, 5}, 0.001);
  b.startRecording();
  DisplayFrame f = b.frame();
  drawBones(f, bones);
  int triangles = 0;
  for (const sim::DrawPrimitive& p : b.list.primitives) {
    if (p.kind != sim::DrawPrimitive::Triangle) continue;
    ++triangles;
    double z = 0;
    for (const auto& v : p.vertices) z += v[2];
    EXPECT_GT(z, 0.0);
  }
  EXPECT_EQ(triangles, 4);
}
