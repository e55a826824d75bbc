#pragma once
// Conventions and tolerances shared by the whole geometry kernel.
//
// Corners and edges: edge i of a polygon, triangle or quad runs from corner i to
// corner i + 1, cyclically (the last edge closes back to corner 0). Every record
// in src/geometry/ that stores edges numbers them this way.
//
// Vectors are doubles, x first; quaternions are w first. Tolerances are absolute
// (object units) unless a comment says otherwise.

namespace velmora::geometry {

/// A vector shorter than this counts as zero; also the 2D equality tolerance and
/// the ear test's tolerance, where coordinates are already local to the polygon.
inline constexpr double kZeroLength = 1e-11;

/// Two 3D positions are equal when every coordinate differs by less than this
/// (per axis, not by distance).
inline constexpr double kEqualPosition3D = 0.000002;

/// Two 2D positions are equal when every coordinate differs by less than this.
inline constexpr double kEqualPosition2D = 1e-11;

/// getRotateAngleAndAxis reports "no rotation" above this dot product.
inline constexpr double kSameDirectionDot = 0.99999999999;

/// A diagonal flip must improve the compared cosine by more than this, so that
/// rounding on ties cannot flip an edge back and forth.
inline constexpr double kFlipMinGain = 1e-12;

/// A pair of triangles may merge into a quad when no corner of the quad is
/// further than this (radians) from a right angle; just below pi/2, so a
/// straight corner (pi) never qualifies.
inline constexpr double kQuadMergeMaxDeviation = 1.570795;

/// Segment visibility: an occluder end this close to the eye (per axis) means
/// the eye lies on the occluding triangle, which then hides nothing.
inline constexpr double kXEdgeEyeTolerance = 0.000002;

/// Segment visibility: visible remainders no longer than this are dropped, and
/// a cut that hides no more than this while keeping both sides is ignored.
inline constexpr double kXEdgeMinPieceLength = 0.000004;

}  // namespace velmora::geometry
