#include "display/shaded_faces.h"

#include "geometry/quick_sort.h"

namespace {

void drawFace(const LWCustomObjAccess& a, const FaceData& face, double s) {
  double uv[4][2] = {};
  double corner[4][3] = {};
  const int n = face.cornerCount;
  for (int i = 0; i < n; ++i) {
    const PntUserData& p = *face.corners[i];
    uv[i][0] = double(p.colourKey) * s + 0.5 * s;
    uv[i][1] = 1.5 * s;
    corner[i][0] = p.pos[0], corner[i][1] = p.pos[1], corner[i][2] = p.pos[2];
  }
  // The host documents its texture on quads only: a triangle goes as a quad whose last
  // corner repeats its third, so it is shaded like the rest under any host.
  if (n == 3) {
    uv[3][0] = uv[2][0], uv[3][1] = uv[2][1];
    corner[3][0] = corner[2][0], corner[3][1] = corner[2][1], corner[3][2] = corner[2][2];
  }
  a.setUVs(a.dispData, uv[0], uv[1], uv[2], uv[3]);
  a.quad(a.dispData, corner[0], corner[1], corner[2], corner[3], LWCSYS_WORLD);
}

double centroidDepth(const FaceData& face, const velmora::geometry::Vec3& vd) {
  double sum = 0.0;
  for (int i = 0; i < face.cornerCount; ++i) sum += dot(toVec3(face.corners[i]->pos), vd);
  return sum / face.cornerCount;
}

}  // namespace

void depthSortMeshPolygons(std::span<FaceData*> faces, int first, int last) {
  velmora::geometry::quickSortByKey(faces, first, last, [](const FaceData* face) { return face->depthKey; });
}

void drawShadedFaces(DisplayFrame& f) {
  InstData& inst = f.inst;
  MeshData& m = inst.mesh;
  const LWCustomObjAccess& a = f.access;
  const int32_t n = inst.gradientTextureSize;
  if (inst.visibility == kWireframedPoints || n <= 0 || !m.faceList) return;
  if (inst.gradientTexture.size() < size_t(n) * size_t(n) * 4) return;
  const double s = 1.0 / n;
  a.setPattern(a.dispData, LWLPAT_SOLID);
  a.setTexture(a.dispData, n, inst.gradientTexture.data());
  if (!inst.noDepth) {
    a.setDrawMode(a.dispData, kModeSolid);
    putColour(a, colorWhite);
    for (const FaceData* face = m.faceList; face; face = face->next)
      if (face->cornerCount >= 3) drawFace(a, *face, s);
  } else {
    a.setDrawMode(a.dispData, kModeOverlay);
    putColour(a, transWhite);
    // Sorted as (key, face) values in one flat array: the sort then never chases face
    // pointers, which is what makes it affordable on a million faces.
    std::vector<KeyedFace>& order = f.state.faceDepths;
    order.clear();
    for (FaceData* face = m.faceList; face; face = face->next) {
      if (face->cornerCount < 3) continue;
      face->depthKey = centroidDepth(*face, f.view.vd);
      order.push_back({face->depthKey, face});
    }
    velmora::geometry::quickSortByKey(std::span<KeyedFace>(order), 0, int(order.size()) - 1,
                                      [](const KeyedFace& k) { return k.depthKey; });
    for (size_t i = order.size(); i-- > 0;) drawFace(a, *order[i].face, s);
  }
  a.setTexture(a.dispData, 16, nullptr);
}
