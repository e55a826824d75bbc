#include "display/bone_drawing.h"

#include "mesh/bone_pyramid.h"

using velmora::geometry::Vec3;

namespace {

// Corners: 0 base, 1..4 side ring, 5 tip. Triangle i (0..3) joins the base to ring
// corners i and i + 1; triangle 4 + i joins the tip to them.
struct PyramidFaces {
  bool filled[8] = {};
};

bool isPicked(const InstData& inst, LWItemID bone) {
  for (const BonePick& pick : inst.pickedBones)
    if (pick.bone == bone) return true;
  return false;
}

int ring(int i) { return 1 + (i % 4); }

bool facesEye(const DrawView& view, const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& centre) {
  Vec3 normal = cross(b - a, c - a);
  if (dot(normal, (a + b + c) * (1.0 / 3.0) - centre) < 0.0) normal = -normal;  // outward
  return view.perspective ? dot(normal, a - view.eye) < 0.0 : dot(normal, view.vd) < 0.0;
}

void drawPyramid(const LWCustomObjAccess& a, const DrawView& view, const Vec3 (&c)[6], bool dashed) {
  const Vec3 centre = (c[0] + c[1] + c[2] + c[3] + c[4] + c[5]) * (1.0 / 6.0);
  PyramidFaces faces;
  for (int i = 0; i < 4; ++i) {
    const Vec3 &p = c[ring(i)], &q = c[ring(i + 1)];
    if ((faces.filled[i] = facesEye(view, c[0], p, q, centre))) putTriangle(a, c[0], p, q);
    if ((faces.filled[4 + i] = facesEye(view, c[5], q, p, centre))) putTriangle(a, c[5], q, p);
  }
  a.setPattern(a.dispData, dashed ? LWLPAT_DASH : LWLPAT_SOLID);
  for (int i = 0; i < 4; ++i) {
    const int before = (i + 3) % 4;
    if (faces.filled[i] || faces.filled[before]) putLine(a, c[0], c[ring(i)]);            // base to ring
    if (faces.filled[i] || faces.filled[4 + i]) putLine(a, c[ring(i)], c[ring(i + 1)]);  // around the ring
    if (faces.filled[4 + i] || faces.filled[4 + before]) putLine(a, c[ring(i)], c[5]);    // ring to tip
  }
  a.setPattern(a.dispData, LWLPAT_SOLID);
}

}  // namespace

void drawBones(DisplayFrame& f, const ChildStcList& bones) {
  const LWCustomObjAccess& a = f.access;
  a.setDrawMode(a.dispData, kModeOverlay);
  const BoneHandleSize size{f.inst.boneHandleSize, f.inst.boneHandleAutoSize};
  for (const ChildStc& node : bones.nodes) {
    Vec3 corners[6];
    if (!bonePyramidCorners(node, size, corners)) continue;
    putColour(a, isPicked(f.inst, node.item) ? transSelected : transCyan);
    drawPyramid(a, f.view, corners, !node.weightMapName || !node.weightMapName[0]);
  }
}
