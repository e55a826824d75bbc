// Step 9: where each point is drawn. A perspective point is pulled 0.1 % toward the eye
// and an orthographic one a pixel toward the viewer, so that lines lie in front of the
// shaded faces they border.
#include "display/display_frame.h"

using velmora::geometry::Vec3;

namespace {

constexpr double kPerspectivePull = 0.999;
constexpr double kBehindEyeDepth = 2e-5;

}  // namespace

void computeDrawPositions(const MeshData& mesh, const DrawView& view, std::vector<PointDraw>& points) {
  if (points.size() != mesh.points.size()) points.resize(mesh.points.size());
  const Vec3 eye = view.eye, ax = view.ax, ay = view.ay, vd = view.vd;
  for (size_t i = 0; i < mesh.points.size(); ++i) {
    const PntUserData& p = mesh.points[i];
    PointDraw& d = points[i];
    Vec3 r = toVec3(p.pos) - eye;
    if (view.perspective) r = r * kPerspectivePull;
    else r = r - vd * view.pixel;
    d.drawPos[0] = eye.x + r.x, d.drawPos[1] = eye.y + r.y, d.drawPos[2] = eye.z + r.z;
    d.drawDepth = dot(r, vd);
    d.drawScreen[0] = dot(r, ax);
    d.drawScreen[1] = dot(r, ay);
    d.drawHidden = 0;
    if (!view.perspective) continue;
    if (d.drawDepth < kBehindEyeDepth) {
      d.drawHidden = 1;
    } else {
      d.drawScreen[0] /= d.drawDepth;
      d.drawScreen[1] /= d.drawDepth;
    }
  }
}
