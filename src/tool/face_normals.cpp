#include "tool/face_normals.h"

#include <cmath>

#include "tool/paint_context.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

namespace {

Vec3 unitOrZero(const Vec3& v) {
  const double len = length(v);
  return len < 1e-11 ? Vec3{} : v * (1.0 / len);
}

}  // namespace

namespace {

template <class PosOf>
Vec3 storeNormal(const MeshData& m, ToolScratch& s, int32_t f, PosOf&& posOf) {
  const int32_t k = cornerCountOf(m, f);
  Vec3 n{};
  if (k >= 3) {
    const Vec3 a = posOf(cornerOf(m, f, 0)), b = posOf(cornerOf(m, f, 1));
    const Vec3 c = posOf(cornerOf(m, f, 2));
    n = cross(b - a, c - a);
    if (k == 4) {
      const Vec3 d = posOf(cornerOf(m, f, 3));
      n = n + cross(d - c, a - c);
    }
    n = unitOrZero(n);
  }
  double* out = &s.faceNormal[size_t(f) * 3];
  out[0] = n.x, out[1] = n.y, out[2] = n.z;
  return n;
}

}  // namespace

Vec3 storeFaceNormal(const MeshData& m, ToolScratch& s, int32_t f) {
  return storeNormal(m, s, f, [&](int32_t i) { return displayedPos(m, i); });
}

Vec3 storePackedFaceNormal(const MeshData& m, ToolScratch& s, int32_t f) {
  const double* packed = s.position.data();
  return storeNormal(m, s, f, [&](int32_t i) {
    const double* p = packed + size_t(i) * 3;
    return Vec3{p[0], p[1], p[2]};
  });
}

void initOtherNormOfPoints(PaintContext& c) {
  const MeshData& m = c.mesh;
  ToolScratch& s = c.scratch;
  std::fill(s.otherNormal.begin(), s.otherNormal.end(), 0.0);
  for (int32_t f = 0; f < faceRecordCount(m); ++f) {
    if (cornerCountOf(m, f) < 3) continue;
    const Vec3 n = storeFaceNormal(m, s, f);
    for (int32_t k = 0; k < cornerCountOf(m, f); ++k) {
      double* o = &s.otherNormal[size_t(cornerOf(m, f, k)) * 3];
      o[0] += n.x, o[1] += n.y, o[2] += n.z;
    }
  }
  for (int32_t i = 0; i < pointCount(m); ++i) {
    double* o = &s.otherNormal[size_t(i) * 3];
    const Vec3 n = unitOrZero({o[0], o[1], o[2]});
    o[0] = n.x, o[1] = n.y, o[2] = n.z;
  }
}

}  // namespace velmora::tool
