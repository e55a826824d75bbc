#pragma once
// Triangulation of planar n-gons (n >= 3; used for n >= 5) into triangles and
// quads: the polygon is laid flat in a caller-given plane frame, cut by ear
// clipping (Meisters, "Polygons have ears", 1975), its diagonals are flipped
// where that improves the angles (in the manner of Lawson's flip algorithm), and
// pairs of triangles forming a nearly rectangular quad are merged back.
//
// Calling order for one polygon, all on one work record (or triangulatePolygon):
//   searchFineZeroIndexOfPoly   when the first corner's edges are degenerate
//   setTCDPlaneFrame            origin and normal from the chosen corner
//   createTCDTriangulationData  load and normalise the winding
//   tcTriangulation             a 0 result means: leave the polygon out
//   spinTDCTTrigons, unTripleTDCTTrigons
// then read trigons[0 .. numTrigons) that are not deleted: numCorners corner
// indices each, in the polygon's own winding. Edge i of a record runs from
// corners[i] to corners[i + 1] (geometry_conventions.h).
//
// The work record is reused from polygon to polygon; its arrays only grow, so
// once sized for the largest polygon nothing is allocated. Not thread-safe:
// one record per thread. Ear clipping is O(n^2) tests per polygon, O(n^3) worst.

#include <span>
#include <vector>

#include "geometry/vec3.h"

namespace velmora::geometry {

/// One polygon corner in the triangulation.
struct TCDVertex {
  int index = 0;   ///< corner index in the polygon
  Vec2 pos2;       ///< plane-frame coordinates at unit size (x negated when mirrored)
  Vec3 pos3;       ///< the corner's 3D position (a copy)
  int edge = -1;   ///< edge from this vertex to the next remaining vertex
  int next = -1;   ///< next remaining vertex (circular, polygon order)
  int prev = -1;   ///< previous remaining vertex
};

/// A triangle of the result, or a quad after merging.
struct TCDTrigon {
  bool used = false;      ///< emitted by ear clipping
  bool deleted = false;   ///< absorbed into a quad; skip it
  int numCorners = 3;     ///< 3, or 4 after a merge
  int corners[4] = {-1, -1, -1, -1};  ///< vertex (= corner) indices, polygon winding
  int edges[4] = {-1, -1, -1, -1};    ///< edges[i] joins corners[i] and corners[i + 1]
  double angles[3] = {0.0, 0.0, 0.0}; ///< triangle's interior angle at corners[i], radians
  double mergeDeviation = 0.0;        ///< quads: largest |corner angle - pi/2|
};

/// A boundary edge or a diagonal. It runs vertices[0] -> vertices[1] inside
/// trigons[0] and the other way inside trigons[1]; boundary edges only have
/// trigons[0].
struct TCDEdge {
  int vertices[2] = {-1, -1};
  int trigons[2] = {-1, -1};                    ///< -1 when no triangle on that side
  int cornerInTrigon[2][2] = {{-1, -1}, {-1, -1}};  ///< [side][end]: slot of vertices[end]
  Vec2 dir;                  ///< unit 2D direction vertices[0] -> vertices[1]
  double deviation = 0.0;    ///< merge deviation of the quad across this edge
  int nextWork = -1;         ///< work-list link
  bool onWorkList = false;
  bool merged = false;       ///< a diagonal removed by merging two triangles
};

/// Work record, reused across polygons. The frame is set by the caller.
struct TCDTriangulationData {
  std::vector<TCDVertex> vertices;  ///< one per corner
  std::vector<TCDTrigon> trigons;   ///< corners - 2
  std::vector<TCDEdge> edges;       ///< corners boundary edges, then diagonals
  Vec3 origin;                      ///< plane frame origin (3D)
  Vec3 axisX{1.0, 0.0, 0.0};        ///< in-plane unit axes
  Vec3 axisY{0.0, 1.0, 0.0};
  int numVertices = 0;              ///< corners loaded
  int numRemaining = 0;             ///< vertices left in the ear-clipping circle
  int firstRemaining = -1;
  int numTrigons = 0;
  int numEdges = 0;
  bool mirrored = false;            ///< x was negated to normalise the winding
  std::vector<Vec3> cornerScratch;  ///< positions gathered by the record-type wrappers
};

/// Frees all arrays; the record is reusable afterwards and this is safe twice.
void destroyTCDTriangulationData(TCDTriangulationData& td);

/// Index of a well-shaped first corner of corners (3D positions, >= 3): one
/// whose two edges are non-zero and closest to a right angle (|in . out|
/// smallest, first on ties). With normal non-null the corner must also turn
/// positively about it. Without, the corner must be convex: if the best corner is
/// reflex the best convex one is chosen instead. Returns 0 when no corner
/// qualifies (also for fewer than 3 corners). O(n), no allocation.
int searchFineZeroIndexOfPoly(std::span<const Vec3> corners, const Vec3* normal);

/// The plane normal of a polygon (any winding, planar or not): Newell's vector area of
/// the corners taken at unit size, i.e. twice the area divided by the square of the
/// larger bounding-box side. Shorter than kZeroLength means the polygon has no area
/// relative to its size; the zero vector for fewer than 3 corners or all corners equal.
Vec3 polygonPlaneNormal(std::span<const Vec3> corners);

/// Sets the plane frame: origin and unit axes perpendicular to normal (any
/// length; a zero normal uses (0, 0, -1)).
void setTCDPlaneFrame(const Vec3& origin, const Vec3& normal, TCDTriangulationData& td);

/// Loads the polygon into td (frame already set): 2D coordinates scaled so that the
/// outline's bounding box is one unit at its larger side (every 2D tolerance is then
/// relative to the polygon's size), boundary edges, and the winding normalised so
/// every polygon is processed clockwise in the frame (zero-length edges are passed
/// over when measuring it).
/// Returns 1, or 0 with nothing loaded for fewer than 3 corners.
int createTCDTriangulationData(TCDTriangulationData& td, std::span<const Vec3> corners);

/// Ear clipping. Returns 1 with numTrigons = corners - 2, or 0 when no ear can
/// be found (zero-area or badly self-intersecting polygons); the triangles found
/// so far stay in td but the polygon should be left out.
int tcTriangulation(TCDTriangulationData& td);

/// Flips diagonals between two triangles where the angles improve (by more
/// than kFlipMinGain in cosine); only strictly convex quads are flipped, so the
/// result stays a valid tiling. Returns the number of flips, at most
/// numEdges^2 / 4 + 64.
int spinTDCTTrigons(TCDTriangulationData& td);

/// Merges pairs of triangles whose quad has every corner within
/// kQuadMergeMaxDeviation of a right angle into quads, best pairs first.
void unTripleTDCTTrigons(TCDTriangulationData& td);

/// All steps in the documented order for one polygon: the frame at the first corner
/// across polygonPlaneNormal (when the polygon has no area relative to its size: a
/// well-shaped corner's edges, then (0, 0, -1)), load, clip, flip, and merge when
/// mergeQuads. Returns the tcTriangulation result.
int triangulatePolygon(TCDTriangulationData& td, std::span<const Vec3> corners, bool mergeQuads);

/// searchFineZeroIndexOfPoly on point records: positionOf(corner) gives a Vec3.
/// Uses td.cornerScratch, so it allocates only when a polygon is the largest yet.
template <class P, class PositionOf>
int searchFineZeroIndexOfPolyForPoints(TCDTriangulationData& td, std::span<P* const> corners,
                                       const Vec3* normal, PositionOf positionOf) {
  td.cornerScratch.clear();
  for (P* c : corners) td.cornerScratch.push_back(positionOf(c));
  return searchFineZeroIndexOfPoly(td.cornerScratch, normal);
}

/// Same as searchFineZeroIndexOfPolyForPoints, for the surface copy's points.
template <class P, class PositionOf>
int searchFineZeroIndexOfPolyForBgPoints(TCDTriangulationData& td, std::span<P* const> corners,
                                         const Vec3* normal, PositionOf positionOf) {
  return searchFineZeroIndexOfPolyForPoints(td, corners, normal, positionOf);
}

/// createTCDTriangulationData on point records: positionOf(corner) gives a Vec3.
template <class P, class PositionOf>
int createTCDTriangulationDataForPoints(TCDTriangulationData& td, std::span<P* const> corners,
                                        PositionOf positionOf) {
  td.cornerScratch.clear();
  for (P* c : corners) td.cornerScratch.push_back(positionOf(c));
  return createTCDTriangulationData(td, td.cornerScratch);
}

/// Same as createTCDTriangulationDataForPoints, for the surface copy's points.
template <class P, class PositionOf>
int createTCDTriangulationDataForBgPoints(TCDTriangulationData& td, std::span<P* const> corners,
                                          PositionOf positionOf) {
  return createTCDTriangulationDataForPoints(td, corners, positionOf);
}

}  // namespace velmora::geometry
