// "LW Viewport Info" over the host's viewports.
#include <cmath>

#include "host/host_access.h"

extern "C" {
#include <lwrender.h>
}

namespace sim {
namespace {

const SimViewport* V(int n) {
  const auto& v = H().viewports;
  return n >= 0 && size_t(n) < v.size() ? &v[size_t(n)] : nullptr;
}

int vpType(int n) { return V(n) ? V(n)->type : LVVIEWT_NONE; }
unsigned int vpFlags(int) { return 0; }
void vpPos(int n, LWDVector spot) {
  Vec3 e = V(n) ? V(n)->eye() : Vec3{0, 0, 0};
  for (int i = 0; i < 3; ++i) spot[i] = e[size_t(i)];
}
void vpXfrm(int n, double mat[9]) {
  Frame f = V(n) ? V(n)->viewFrame() : Frame{};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) mat[r * 3 + c] = f.axis[r][size_t(c)];
}
void vpClip(int n, double* hither, double* yon) {
  if (hither) *hither = V(n) ? V(n)->hither : 0.01;
  if (yon) *yon = V(n) ? V(n)->yon : 1000.0;
}
void vpRect(int n, int* l, int* t, int* w, int* h) {
  const SimViewport* v = V(n);
  if (l) *l = v ? v->left : 0;
  if (t) *t = v ? v->top : 0;
  if (w) *w = v ? v->width : 0;
  if (h) *h = v ? v->height : 0;
}
int vpViewLevel(int) { return LWOVIS_SHADED; }

// OpenGL convention, m[column][row].
int vpProjection(int n, LWDMatrix4 proj, LWDMatrix4 inv) {
  const SimViewport* v = V(n);
  if (!v) return 0;
  double p[4][4] = {};
  double aspect = double(v->width) / double(v->height);
  if (v->perspective()) {
    double f = 1.0 / std::tan(v->fovY * 0.5);
    p[0][0] = f / aspect;
    p[1][1] = f;
    p[2][2] = -(v->yon + v->hither) / (v->yon - v->hither);
    p[2][3] = -1.0;
    p[3][2] = -2.0 * v->yon * v->hither / (v->yon - v->hither);
  } else {
    p[0][0] = 1.0 / (v->zoom * aspect);
    p[1][1] = 1.0 / v->zoom;
    p[2][2] = -2.0 / (v->yon - v->hither);
    p[3][2] = -(v->yon + v->hither) / (v->yon - v->hither);
    p[3][3] = 1.0;
  }
  if (proj)
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r) proj[c][r] = p[c][r];
  if (inv) {
    double q[4][4] = {};
    if (v->perspective()) {
      q[0][0] = 1.0 / p[0][0];
      q[1][1] = 1.0 / p[1][1];
      q[3][2] = -1.0;
      q[2][3] = 1.0 / p[3][2];
      q[3][3] = p[2][2] / p[3][2];
    } else {
      q[0][0] = 1.0 / p[0][0];
      q[1][1] = 1.0 / p[1][1];
      q[2][2] = 1.0 / p[2][2];
      q[3][2] = -p[3][2] / p[2][2];
      q[3][3] = 1.0;
    }
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r) inv[c][r] = q[c][r];
  }
  return 1;
}

// World to eye space; the eye looks down its -z axis.
int vpModelview(int n, LWDMatrix4 mv, LWDMatrix4 inv) {
  const SimViewport* v = V(n);
  if (!v) return 0;
  Frame f = v->viewFrame();
  Vec3 rows[3] = {f.axis[0], f.axis[1], f.axis[2] * -1.0};
  if (mv) {
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) mv[c][r] = rows[r][size_t(c)];
      mv[3][r] = -dot(rows[r], f.origin);
    }
    mv[0][3] = mv[1][3] = mv[2][3] = 0.0;
    mv[3][3] = 1.0;
  }
  if (inv) {
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) inv[c][r] = rows[c][size_t(r)];
      inv[3][r] = f.origin[size_t(r)];
    }
    inv[0][3] = inv[1][3] = inv[2][3] = 0.0;
    inv[3][3] = 1.0;
  }
  return 1;
}

int vpProject(int n, LWDVector world, double* x, double* y, double* z) {
  const SimViewport* v = V(n);
  if (!v) return 0;
  return v->project(Vec3{world[0], world[1], world[2]}, x, y, z) ? 1 : 0;
}
int vpUnproject(int n, double x, double y, double z, LWDVector world) {
  const SimViewport* v = V(n);
  if (!v) return 0;
  Vec3 w = v->unproject(x, y, z);
  for (int i = 0; i < 3; ++i) world[i] = w[size_t(i)];
  return 1;
}
double vpPixelSize(int n, double pixels, LWDVector at) {
  const SimViewport* v = V(n);
  return v ? v->pixelSize(pixels, Vec3{at[0], at[1], at[2]}) : 0.0;
}
int vpHandleSize(int) { return 8; }
double vpGridSize(int) { return 1.0; }
LWItemID vpViewItem(int) { return LWITEM_NULL; }

}  // namespace

LWViewportInfo* viewportInfoRecord() {
  static LWViewportInfo r = {};
  r.numViewports = int(H().viewports.size());
  r.type = vpType;
  r.flags = vpFlags;
  r.pos = vpPos;
  r.xfrm = vpXfrm;
  r.clip = vpClip;
  r.rect = vpRect;
  r.viewLevel = vpViewLevel;
  r.projection = vpProjection;
  r.modelview = vpModelview;
  r.project = vpProject;
  r.unproject = vpUnproject;
  r.pixelSize = vpPixelSize;
  r.handleSize = vpHandleSize;
  r.gridSize = vpGridSize;
  r.viewItem = vpViewItem;
  return &r;
}

}  // namespace sim
