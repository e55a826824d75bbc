#include "scene/sim_viewport.h"

#include <cmath>

namespace sim {

Frame SimViewport::viewFrame() const {
  Frame f;
  switch (type) {
    case 1:  // top: looking down -y, +z up on screen
      f.axis[0] = {1, 0, 0}; f.axis[1] = {0, 0, 1}; f.axis[2] = {0, -1, 0}; break;
    case 2:  // bottom
      f.axis[0] = {1, 0, 0}; f.axis[1] = {0, 0, -1}; f.axis[2] = {0, 1, 0}; break;
    // Layout names the XY views for the side they look at: "Back" looks toward +z (from
    // -z), "Front" toward -z. A tool's ray picks rely on it (the nearer face is the one
    // towards the eye).
    case 3:  // back: looking toward +z
      f.axis[0] = {1, 0, 0}; f.axis[1] = {0, 1, 0}; f.axis[2] = {0, 0, 1}; break;
    case 4:  // front: looking toward -z
      f.axis[0] = {-1, 0, 0}; f.axis[1] = {0, 1, 0}; f.axis[2] = {0, 0, -1}; break;
    case 5:  // right: looking toward -x
      f.axis[0] = {0, 0, 1}; f.axis[1] = {0, 1, 0}; f.axis[2] = {-1, 0, 0}; break;
    case 6:  // left: looking toward +x
      f.axis[0] = {0, 0, -1}; f.axis[1] = {0, 1, 0}; f.axis[2] = {1, 0, 0}; break;
    default: f = rotationFrame(rotation); break;
  }
  f.origin = eye();
  return f;
}

Vec3 SimViewport::eye() const {
  if (perspective()) return center - rotationFrame(rotation).axis[2] * zoom;
  // Orthographic views stand far back along their view direction.
  Vec3 dir = {0, 0, 1};
  switch (type) {
    case 1: dir = {0, -1, 0}; break;
    case 2: dir = {0, 1, 0}; break;
    case 4: dir = {0, 0, -1}; break;
    case 5: dir = {-1, 0, 0}; break;
    case 6: dir = {1, 0, 0}; break;
    default: break;
  }
  return center - dir * (yon * 0.5);
}

bool SimViewport::project(const Vec3& world, double* x, double* y, double* z) const {
  Frame f = viewFrame();
  Vec3 d = world - f.origin;
  double vx = dot(d, f.axis[0]), vy = dot(d, f.axis[1]), vz = dot(d, f.axis[2]);
  double sx, sy;
  if (perspective()) {
    if (vz < 2e-5) return false;
    double scale = (height * 0.5) / std::tan(fovY * 0.5);
    sx = vx / vz * scale;
    sy = vy / vz * scale;
  } else {
    double scale = (height * 0.5) / zoom;
    sx = vx * scale;
    sy = vy * scale;
  }
  if (x) *x = width * 0.5 + sx;
  if (y) *y = height * 0.5 - sy;
  if (z) *z = (vz - hither) / (yon - hither);
  return true;
}

Vec3 SimViewport::unproject(double x, double y, double z) const {
  Frame f = viewFrame();
  double vz = hither + z * (yon - hither);
  double sx = x - width * 0.5, sy = height * 0.5 - y;
  double vx, vy;
  if (perspective()) {
    double scale = (height * 0.5) / std::tan(fovY * 0.5);
    vx = sx / scale * vz;
    vy = sy / scale * vz;
  } else {
    double scale = (height * 0.5) / zoom;
    vx = sx / scale;
    vy = sy / scale;
  }
  return f.origin + f.axis[0] * vx + f.axis[1] * vy + f.axis[2] * vz;
}

double SimViewport::pixelSize(double pixels, const Vec3& at) const {
  if (!perspective()) return pixels * zoom / (height * 0.5);
  Frame f = viewFrame();
  double vz = dot(at - f.origin, f.axis[2]);
  if (vz < 2e-5) vz = 2e-5;
  return pixels * vz * std::tan(fovY * 0.5) / (height * 0.5);
}

}  // namespace sim
