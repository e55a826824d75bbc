#pragma once
// Rotation helpers on quaternions (w first). Pure, thread-safe, O(1).

#include "geometry/vec3.h"

namespace velmora::geometry {

/// Hamilton product out = a (x) b; out may alias a or b. Returns out.
Quat& multiplyQuaternion(const Quat& a, const Quat& b, Quat& out);

/// Rotation by angle (radians, right-handed) about the unit axis:
/// q = (cos(angle/2), sin(angle/2) axis) and its inverse (conjugate) qInv.
void getQuaternion(const Vec3& axis, double angle, Quat& q, Quat& qInv);

/// out = vector part of q (x) (0, v) (x) qInv, i.e. v rotated by q.
void transformQuaternion(const Quat& q, const Quat& qInv, const Vec3& v, Vec3& out);

/// Rotation turning unit a into unit b. Returns 1 and leaves axis and angle
/// untouched when a . b > kSameDirectionDot (no rotation needed). Otherwise
/// writes axis = unit(a x b) and angle = acos(a . b) (dot clamped to [-1, 1]) and
/// returns 0; for opposite vectors axis = unit(a x e) with e chosen as in
/// getRot90Vector, and angle = pi.
int getRotateAngleAndAxis(const Vec3& a, const Vec3& b, Vec3& axis, double& angle);

}  // namespace velmora::geometry
