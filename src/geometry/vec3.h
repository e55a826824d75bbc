#pragma once
// Small vector and quaternion aggregates with free inline operations.

#include <cmath>

namespace velmora::geometry {

/// 2D vector of doubles, x first.
struct Vec2 {
  double x = 0.0;
  double y = 0.0;
};

/// 3D vector of doubles, x first.
struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

/// Quaternion, w first.
struct Quat {
  double w = 1.0;
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator-(Vec2 a) { return {-a.x, -a.y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }
inline Vec2 operator*(double s, Vec2 a) { return {a.x * s, a.y * s}; }
inline double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
/// z of the 3D cross product: positive when b turns counter-clockwise from a.
inline double cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
inline double lengthSquared(Vec2 a) { return dot(a, a); }
inline double length(Vec2 a) { return std::sqrt(dot(a, a)); }
/// Linear interpolation a + (b - a) t.
inline Vec2 lerp(Vec2 a, Vec2 b, double t) { return a + (b - a) * t; }

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(const Vec3& a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(const Vec3& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 operator*(double s, const Vec3& a) { return {a.x * s, a.y * s, a.z * s}; }
inline double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
/// a x b = (a.y b.z - a.z b.y, a.z b.x - a.x b.z, a.x b.y - a.y b.x).
inline Vec3 cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double lengthSquared(const Vec3& a) { return dot(a, a); }
inline double length(const Vec3& a) { return std::sqrt(dot(a, a)); }
/// Linear interpolation a + (b - a) t.
inline Vec3 lerp(const Vec3& a, const Vec3& b, double t) { return a + (b - a) * t; }

}  // namespace velmora::geometry
