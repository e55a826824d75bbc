#pragma once
// Vector and plane helpers on Vec2 / Vec3. Tolerances: geometry_conventions.h.
// All functions are pure, thread-safe, O(1) and allocate nothing.

#include "geometry/vec3.h"

namespace velmora::geometry {

/// Euclidean distance between positions a and b.
double dist3D(const Vec3& a, const Vec3& b);

/// Makes v unit length in place and returns its former length; a v shorter than
/// kZeroLength becomes the zero vector and the result is 0.
double normalize2D(Vec2& v);
/// \copydoc normalize2D
double normalize3D(Vec3& v);

/// As normalize2D, but leaves v alone and writes the unit vector to out.
double normalize2D2(const Vec2& v, Vec2& out);
/// As normalize3D, but leaves v alone and writes the unit vector to out.
double normalize3D2(const Vec3& v, Vec3& out);

/// out = unit(b - a); returns |b - a|. Below kZeroLength: out = 0, result 0.
double vect2D(const Vec2& a, const Vec2& b, Vec2& out);
/// \copydoc vect2D
double vect3D(const Vec3& a, const Vec3& b, Vec3& out);

/// out = unit(a x b). Returns 1 (degenerate, out zeroed) when |a x b| < kZeroLength,
/// else 0.
int norm3D(const Vec3& a, const Vec3& b, Vec3& out);

/// True when every coordinate differs by less than kEqualPosition2D.
bool isEqual2DPositions(const Vec2& a, const Vec2& b);
/// True when every coordinate differs by less than kEqualPosition3D (per axis,
/// so equal points may lie up to sqrt(3) times that apart).
bool isEqual3DPositions(const Vec3& a, const Vec3& b);

/// Intersection of the 2D lines p + s a and q + t b: writes s and t (t from the
/// larger-magnitude component of b) and returns 1. When the lines are parallel
/// (sine of their angle below kZeroLength, or a or b zero) writes s = t = 0 and
/// returns 0.
int crossVect2D(const Vec2& p, const Vec2& q, const Vec2& a, const Vec2& b, double& s, double& t);

/// Distance from p to the segment a-b: |p - a| when the segment is shorter than
/// kZeroLength or p projects before a, |p - b| when beyond b, else perpendicular.
double distanceBetweenPointAndLine3D(const Vec3& a, const Vec3& b, const Vec3& p);

/// Intersection of the line linePoint + t lineDir with the plane through
/// planePoint with normal planeNormal (neither needs unit length). Returns 1 and
/// writes the crossing to out; when |lineDir . planeNormal| < kZeroLength the line
/// is taken as parallel: out = linePoint, result 0.
int crossPosWithPlaneVect3D(const Vec3& planePoint, const Vec3& planeNormal, const Vec3& linePoint,
                            const Vec3& lineDir, Vec3& out);

/// Unit vector perpendicular to v: out = unit(v x e), e the unit axis of v's
/// smallest-magnitude coordinate. Ties: X only when |y| > |x| and |z| > |x|; Y
/// only when |x| >= |y| and |z| > |y|; else Z. Returns as norm3D (1 when v is zero).
int getRot90Vector(const Vec3& v, Vec3& out);

/// Frame around a direction d (the bone frame of the binding command): axisB is
/// d with its smallest coordinate zeroed and the other two swapped with one sign
/// change, normalised (equal to getRot90Vector(d)); axisA = axisB x d, unit when
/// d is. Returns 1 with both axes zero when d is zero, else 0.
int getLocalAxis(const Vec3& d, Vec3& axisA, Vec3& axisB);

/// Diagonal choice for the quad p0 p1 p2 p3: with a = p1 - p0, b = p3 - p0,
/// c = p3 - p2, d = p1 - p2, true when (a x b).(c x d) > (d x a).(b x c), meaning
/// split along p1-p3; false means split along p0-p2.
bool boolSpinTrigon(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3);

/// Shortest distance between the infinite lines p1 + s d1 and p2 + t d2 (unit
/// directions). Lines whose cross product is below kZeroLength count as
/// parallel and give the distance between them.
double shortestDistanceBetweenTwoVectors3D(const Vec3& p1, const Vec3& p2, const Vec3& d1,
                                           const Vec3& d2);

}  // namespace velmora::geometry
