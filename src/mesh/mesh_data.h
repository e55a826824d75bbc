// The object snapshot: the tool's private copy of the current object on which painting,
// selection, display and commands work, and the change list handed to the write-back.
//
// Representation. Every array is a flat std::vector sized once per topology build and
// never resized until the next one, so the raw pointers between records (corners,
// edges, faces, neighbours) stay valid from one build to the next destroyMeshData.
// Per-point adjacency is offset-plus-index (CSR): each point's neighbours and pointFaces
// point into the shared pools below, with room for exactly as many entries as the point
// has, however many that is. The parallel arrays (the edge to each neighbour, the
// point's corner in each face) sit at the same offset of their own pools and are read
// through pointEdgesOf and faceCornersOf, which keeps the point record 16 bytes smaller.
//
// Corner and edge numbering follows src/geometry: edge i of a face joins corner i and
// corner i + 1, cyclically.
//
// Memory. On a quad mesh (one face, two edges and four face corners per point) the
// snapshot holds about 525 bytes per point: the point record 168, its face 96, two
// edges 80, the adjacency pools 100, the polygon and its vertices 48, and 32 for
// sortedPoints, faceOrder and the change list. The brush and display working fields
// (otherNormal, brushDistance, screenPos, the surface-walk fields, the draw fields)
// belong at the end of the point record; screenPos and the surface-walk fields may
// share one union, as no operation uses both, which keeps them near 130 bytes.
// Captures reuse the arrays of the last build (resetMeshRecords), so a re-capture of a
// similar mesh does not fault in fresh pages.
//
// MeshData is move-only: its records point into its own arrays.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "mesh/weight_stc.h"

extern "C" {
#include <lwmeshes.h>
#include <lwrender.h>
}

struct EdgeData;
struct FaceData;

// One point of the snapshot.
struct PntUserData {
  uint8_t mark = 0;             // work flag of the brush builders and the part search
  uint8_t changed = 0;          // changed by the current stroke or command
  uint8_t hasValue = 0;         // has a value in the current weight map
  uint8_t hasValueAtStart = 0;
  uint8_t hasValueBackup = 0;
  uint8_t selected = 0;
  LWPntID pointId = nullptr;
  double restPos[3] = {0, 0, 0};  // base position, object space
  double pos[3] = {0, 0, 0};    // displayed (frozen, deformed) position
  float colour[4] = {0, 0, 0, 1};
  float colourKey = 0.0f;
  float value = 0.0f;           // 0 when hasValue is 0
  float valueAtStart = 0.0f;
  float valueBackup = 0.0f;
  double factor = 0.0;          // brush influence 0..1
  int32_t index = 0;            // position in MeshData::points
  int32_t neighbourCount = 0;   // = edges at the point
  PntUserData** neighbours = nullptr;  // neighbourCount entries (MeshData::neighbourPool)
  int32_t faceCount = 0;        // corners of faces (not lines) at the point
  FaceData** pointFaces = nullptr;     // faceCount entries (MeshData::pointFacePool)
  WeightStc* weightList = nullptr;
  PntUserData* partNext = nullptr;
  PntUserData* enableNext = nullptr;
  PntUserData* isolatedNext = nullptr;
};

// A polygon of three or more points, as the host lists it.
struct PolygonData {
  int32_t vertexCount = 0;
  PntUserData** vertices = nullptr;  // vertexCount entries (MeshData::polygonVertexPool)
};

// A triangle or quad cut from a polygon, or a two-point line.
struct FaceData {
  LWPolID polygonId = nullptr;
  double depthKey = 0.0;         // the display's sort key
  int32_t cornerCount = 0;       // 2, 3 or 4
  int32_t polygonIndex = -1;     // position in MeshData::polygons; -1 for a line
  PntUserData* corners[4] = {nullptr, nullptr, nullptr, nullptr};
  EdgeData* edges[4] = {nullptr, nullptr, nullptr, nullptr};  // none where no edge is shared
  FaceData* next = nullptr;      // faceList or lineList
};

// An edge between two points with the one or two faces on it. It runs pointA -> pointB
// in faceA; faceB (when there is one) runs it the other way.
// Corner indices (0..3) are bytes: with two edges and one face per point on a quad
// mesh, narrow edge and corner records are what keeps the snapshot small.
struct EdgeData {
  uint8_t internalDiagonal = 0;  // both faces come from the same polygon
  // Per face: corner index of pointA, of pointB, and of the corner after the edge.
  int8_t cornersA[3] = {0, 0, 0};
  int8_t cornersB[3] = {0, 0, 0};
  PntUserData* pointA = nullptr;
  PntUserData* pointB = nullptr;
  FaceData* faceA = nullptr;
  FaceData* faceB = nullptr;     // none on a boundary
};

// One entry of the tool's selected-bone list (InstData::pickedBones): the bone and its
// length key. The list's first entry is its head, "the first selected bone".
struct BonePick {
  LWItemID bone = LWITEM_NULL;
  double lengthKey = 1.0;
};

struct MeshData {
  MeshData() = default;
  MeshData(const MeshData&) = delete;
  MeshData& operator=(const MeshData&) = delete;
  MeshData(MeshData&&) = default;
  MeshData& operator=(MeshData&&) = default;

  LWMeshInfoID meshInfo = nullptr;   // valid only during a capture
  void* weightVMap = nullptr;        // the current map as the mesh info found it
  LWItemID currentObject = LWITEM_NULL;
  LWItemID lastObject = LWITEM_NULL;
  LWItemID dummyObject = LWITEM_NULL;
  uint8_t noObject = 1;
  uint8_t meshReady = 0;
  int32_t savedVisibility = 5;

  std::vector<PntUserData> points;        // scan order
  std::vector<PntUserData*> sortedPoints; // by pointId, unsigned 64-bit ascending
  PntUserData* isolatedPoints = nullptr;  // points on no edge (isolatedNext)
  std::vector<FaceData> faces;            // creation order
  FaceData* faceList = nullptr;           // faces of 3 or 4 corners, most recent first
  FaceData* lineList = nullptr;           // two-point lines, most recent first
  std::vector<FaceData*> faceOrder;       // filled and sorted by the display
  std::vector<EdgeData> edges;            // creation order
  std::vector<PolygonData> polygons;      // scan order

  // Adjacency pools behind the per-point and per-polygon arrays.
  std::vector<PntUserData*> neighbourPool;
  std::vector<EdgeData*> pointEdgePool;   // parallel to neighbourPool
  std::vector<FaceData*> pointFacePool;
  std::vector<int8_t> faceCornerPool;     // parallel to pointFacePool
  std::vector<PntUserData*> polygonVertexPool;

  int32_t numPoints = 0;
  int32_t numFaces = 0;      // while counting: the triangle estimate; then faces made
  int32_t numEdges = 0;      // while counting: the edge estimate; then edges made
  int32_t numPolygons = 0;
  int32_t scanIndex = 0;
  int32_t skipPoints = 0;    // frozen-mesh points ahead of the base points
  int32_t hostPolygonCount = 0;
  int32_t faceTypeCount = 0, patchTypeCount = 0, subdTypeCount = 0;
  int32_t selectedCount = 0;
  PntUserData* enableList = nullptr;

  // The change list of the write-back: ascending point indices with their values, and
  // for the multi-map operations one list of WeightStc per entry (numPoints + 16 each).
  std::vector<int32_t> changeIndices;
  std::vector<float> changeValues;
  std::vector<WeightStc*> pointMapLists;
};

// Views of a point's adjacency arrays (p must be a point of m).
inline std::span<PntUserData* const> neighboursOf(const PntUserData& p) {
  return {p.neighbours, static_cast<size_t>(p.neighbourCount)};
}
// The edge to each neighbour, parallel to neighboursOf.
inline std::span<EdgeData* const> pointEdgesOf(const MeshData& m, const PntUserData& p) {
  return {m.pointEdgePool.data() + (p.neighbours - m.neighbourPool.data()), static_cast<size_t>(p.neighbourCount)};
}
inline std::span<FaceData* const> facesOf(const PntUserData& p) {
  return {p.pointFaces, static_cast<size_t>(p.faceCount)};
}
// The point's corner index in each of its faces, parallel to facesOf.
inline std::span<const int8_t> faceCornersOf(const MeshData& m, const PntUserData& p) {
  return {m.faceCornerPool.data() + (p.pointFaces - m.pointFacePool.data()), static_cast<size_t>(p.faceCount)};
}
inline std::span<PntUserData* const> verticesOf(const PolygonData& polygon) {
  return {polygon.vertices, static_cast<size_t>(polygon.vertexCount)};
}
