// Small rigid-transform math for the simulated host: item frames from position and
// heading/pitch/bank rotations, composed along the parent chain.
#pragma once
#include <array>
#include <cmath>

namespace sim {

using Vec3 = std::array<double, 3>;

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
inline Vec3 operator*(const Vec3& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
inline double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// A rigid frame: world = origin + axis[0]*x + axis[1]*y + axis[2]*z. The axes may carry
// scale, as the host's right/up/forward item parameters do.
struct Frame {
  Vec3 axis[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  Vec3 origin = {0, 0, 0};

  Vec3 apply(const Vec3& p) const {
    return origin + axis[0] * p[0] + axis[1] * p[1] + axis[2] * p[2];
  }
  Vec3 applyDirection(const Vec3& d) const {
    return axis[0] * d[0] + axis[1] * d[1] + axis[2] * d[2];
  }
};

// The host's rotation order: bank about z first, then pitch about x, then heading
// about y (angles in radians).
inline Frame rotationFrame(const Vec3& hpb) {
  const double ch = std::cos(hpb[0]), sh = std::sin(hpb[0]);
  const double cp = std::cos(hpb[1]), sp = std::sin(hpb[1]);
  const double cb = std::cos(hpb[2]), sb = std::sin(hpb[2]);
  // Columns of R = Ry(h) * Rx(p) * Rz(b).
  Frame f;
  f.axis[0] = {ch * cb + sh * sp * sb, cp * sb, -sh * cb + ch * sp * sb};
  f.axis[1] = {-ch * sb + sh * sp * cb, cp * cb, sh * sb + ch * sp * cb};
  f.axis[2] = {sh * cp, -sp, ch * cp};
  return f;
}

// parent ∘ child: child's frame expressed in the parent's space.
inline Frame compose(const Frame& parent, const Frame& child) {
  Frame f;
  for (int i = 0; i < 3; ++i) f.axis[i] = parent.applyDirection(child.axis[i]);
  f.origin = parent.apply(child.origin);
  return f;
}

// Inverse of a frame whose axes are orthogonal (scale allowed).
inline Frame inverse(const Frame& f) {
  Frame inv;
  double s[3];
  for (int i = 0; i < 3; ++i) {
    double l2 = dot(f.axis[i], f.axis[i]);
    s[i] = l2 > 0 ? 1.0 / l2 : 0.0;
  }
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) inv.axis[c][r] = f.axis[r][c] * s[r];
  inv.origin = inv.applyDirection(f.origin) * -1.0;
  return inv;
}

}  // namespace sim
