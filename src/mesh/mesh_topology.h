// The snapshot's point scans and topology build over a host mesh info: every point's
// displayed position and value, and the faces, edges and per-point adjacency.
// These take the mesh info as a parameter and touch no host global, so they run on any
// LWMeshInfo (the capture hands them the object's; tests and benchmarks their own).
#pragma once

#include "mesh/mesh_data.h"

// Clears every record and list of the snapshot, zeroes its counts and releases the
// memory, the build's working arrays included; the object ids, noObject, meshReady and
// savedVisibility stay. Safe to call twice.
void clearMeshRecords(MeshData& m);
// The same, but the arrays keep their storage for the next build (a re-capture then
// touches memory that is already mapped). Record pointers into the old arrays dangle.
void resetMeshRecords(MeshData& m);

// Sizes the snapshot for numPoints points: zeroed point records, sortedPoints and the
// three change arrays (numPoints + 16 entries each). Resets everything else first,
// reusing the storage of the previous build where it is large enough.
void allocateMeshRecords(MeshData& m, int numPoints, int hostPolygonCount);

// Reads each point's displayed position (the mesh's "other" position) and, when vmap
// is not null, its value in that map (a one-dimensional map) from a frozen mesh info.
// The frozen mesh's first numPoints(frozen) - m.numPoints points (its subdivision
// points) are skipped; points beyond m.numPoints are ignored. Without vmap every point
// reads as having no value. O(points), allocates nothing.
void scanPointValues(MeshData& m, LWMeshInfoID frozen, void* vmap);

// Builds the topology from an unfrozen mesh info whose point count is m.numPoints:
// rest positions and ids, sortedPoints, polygon records, faces (quads kept whole or
// split by the fold test, polygons of five or more corners triangulated; one that
// cannot be triangulated is left out), two-point lines, edges with internal diagonals
// marked, per-point adjacency and the isolated points. Polygons of types other than
// FACE, PTCH and SUBD, and polygons of fewer than two points, are ignored; a side that
// joins a point to itself makes no edge. Every array is sized before it is filled;
// O(points log points + corners) plus the triangulation of the n-gons.
// A polygon that names a point the mesh info did not list is left out.
void buildMeshTopology(MeshData& m, LWMeshInfoID base);

// Index in m.sortedPoints of the point with this id, or -1. O(log points).
int findPointById(const MeshData& m, LWPntID id);
