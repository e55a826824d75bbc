// Sections:
//   point scans          initPointsCBFunc, getPointDataCBFunc, getPointDataWithWeightCBFunc
//   polygon scans        getTmpNumEdgesCBFunc, makeMeshDataCBFunc, the quad fold test
//   faces                add1PolygonToList, tryToAdd1QuadPolygonToList (emission in scan order)
//   adjacency            face corners per point, edges per point, edge linking
//
// The build runs in passes so that every array is sized exactly before it is filled:
// the polygon scan resolves each polygon into its pieces (fold test, triangulation)
// without making faces; the faces are made afterwards in scan order; the per-point
// face lists are counted, then filled; the edges at each point are counted as its
// distinct neighbours, then linked face by face in creation order with the rules a
// one-pass build would apply (an existing edge takes a second face only when that face
// runs it the other way).
#include "mesh/mesh_topology.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <utility>

#include "geometry/polygon_triangulation.h"
#include "geometry/quick_sort.h"

namespace {

using velmora::geometry::Vec3;

template <class T>
void release(std::vector<T>& v) {
  std::vector<T>().swap(v);
}

// Sizes v to n value-initialised elements, keeping its storage unless it is far larger
// than needed (a much smaller mesh than the last one gives the memory back).
template <class T>
void reuse(std::vector<T>& v, size_t n, const T& value = T{}) {
  if (v.capacity() > 2 * n + 4096) release(v);
  v.assign(n, value);
}

uint64_t idKey(LWPntID id) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(id)); }

Vec3 restOf(const PntUserData* p) { return {p->restPos[0], p->restPos[1], p->restPos[2]}; }

// How a polygon of three or four corners becomes faces, or that its pieces are in the
// n-gon piece table.
enum PieceKind : int8_t {
  kDropped,
  kTriangle,
  kQuadABCD,
  kQuadBCDA,
  kSplitBD,  // (B, C, D) and (D, A, B)
  kSplitAC,  // (A, B, C) and (C, D, A)
  kNgon,
};

int facesOfKind(int kind) {
  switch (kind) {
    case kTriangle:
    case kQuadABCD:
    case kQuadBCDA: return 1;
    case kSplitBD:
    case kSplitAC: return 2;
    default: return 0;
  }
}

// One triangle or quad of a triangulated polygon, corners as polygon-local indices.
struct NgonPiece {
  int32_t polygon = 0;
  int32_t count = 0;
  int32_t corners[4] = {0, 0, 0, 0};
};

// A two-point polygon, made into a face in its place among the polygons.
struct PendingLine {
  LWPolID id = nullptr;
  PntUserData* a = nullptr;
  PntUserData* b = nullptr;
  int32_t polygonsBefore = 0;
};

struct IdIndex {
  uint64_t id = 0;
  int32_t index = 0;
};

// Open-addressing table from point id to point index: the build's vertex look-up, one
// probe or two per corner where a bisection of sortedPoints would miss the cache at
// every step on a large mesh. Fibonacci hashing; id 0 marks an empty slot.
class PointIdTable {
 public:
  void build(const std::vector<PntUserData>& points) {
    size_t size = 16;
    while (size < 2 * points.size()) size *= 2;
    shift_ = 64;
    for (size_t s = size; s > 1; s /= 2) --shift_;
    mask_ = size - 1;
    slots_.assign(size, IdIndex{});
    for (const PntUserData& p : points) {
      const uint64_t id = idKey(p.pointId);
      if (id == 0) continue;
      size_t k = slotOf(id);
      while (slots_[k].id != 0 && slots_[k].id != id) k = (k + 1) & mask_;
      slots_[k] = {id, p.index};
    }
  }
  int find(uint64_t id) const {
    if (id == 0 || slots_.empty()) return -1;
    for (size_t k = slotOf(id);; k = (k + 1) & mask_) {
      if (slots_[k].id == id) return slots_[k].index;
      if (slots_[k].id == 0) return -1;
    }
  }

 private:
  size_t slotOf(uint64_t id) const { return size_t((id * 0x9E3779B97F4A7C15ull) >> shift_) & mask_; }
  std::vector<IdIndex> slots_;
  size_t mask_ = 0;
  int shift_ = 64;
};

// Working arrays of a build. They live from one build to the next so that a re-capture
// of a mesh of similar size touches memory that is already mapped (a fresh allocation
// of a few hundred megabytes costs more in page faults than the build itself);
// clearMeshRecords releases them with the snapshot.
struct TopologyScratch {
  PointIdTable ids;
  std::vector<int8_t> kinds;        // per polygon record
  std::vector<LWPolID> polygonIds;  // per polygon record
  std::vector<NgonPiece> ngonPieces;
  std::vector<PendingLine> lines;
  std::vector<int32_t> stamp;       // per point, countPointEdges
  std::vector<std::pair<int32_t, int32_t>> lineEdges;
  std::vector<IdIndex> byId;
  std::vector<IdIndex> byIdSwap;
  velmora::geometry::TCDTriangulationData td;
  std::vector<Vec3> cornerScratch;
};

TopologyScratch& scratch() {
  static TopologyScratch s;
  return s;
}

struct TopologyScan {
  MeshData* mesh = nullptr;
  LWMeshInfoID info = nullptr;
  TopologyScratch* w = nullptr;
  // Counting scan.
  int64_t cornerTotal = 0;   // corners of the polygons of 3 or more points
  int64_t ngonTriangles = 0; // n - 2 summed over the polygons of 5 or more points
  int32_t lineCount = 0;
  int32_t maxPolygonSize = 0;
  // Build scan.
  size_t numNgonPieces = 0;
  size_t vertexUsed = 0;
};

/** \name Point scans \{ */

size_t initPointsCBFunc(void* data, LWPntID point) {
  auto* s = static_cast<TopologyScan*>(data);
  MeshData& m = *s->mesh;
  if (m.scanIndex >= m.numPoints) return 0;  // more points than counted: ignore the extras
  const int k = m.scanIndex++;
  PntUserData& p = m.points[size_t(k)];
  m.sortedPoints[size_t(k)] = &p;
  p.pointId = point;
  p.index = k;
  LWFVector pos;
  s->info->pntBasePos(s->info, point, pos);
  for (int a = 0; a < 3; ++a) p.restPos[a] = pos[a];
  p.neighbourCount = p.faceCount = 0;
  return 0;
}

struct ValueScan {
  MeshData* mesh;
  LWMeshInfoID info;
  void* vmap;
};

// The next base point's record, or null while leading subdivision points are skipped.
// The frozen mesh's base points follow its subdivision points in the base mesh's scan
// order; whether they carry the base mesh's ids or ids of their own is the host's
// affair, so they are matched by position and pointId (the base mesh's id, which
// sortedPoints and the write-back rely on) is left alone.
PntUserData* nextScannedPoint(MeshData& m) {
  if (m.skipPoints > 0) {
    --m.skipPoints;
    return nullptr;
  }
  if (m.scanIndex >= m.numPoints) return nullptr;
  return &m.points[size_t(m.scanIndex++)];
}

void readOtherPos(LWMeshInfoID info, LWPntID point, PntUserData& p) {
  LWFVector pos;
  info->pntOtherPos(info, point, pos);
  for (int a = 0; a < 3; ++a) p.pos[a] = pos[a];
}

size_t getPointDataCBFunc(void* data, LWPntID point) {
  auto* s = static_cast<ValueScan*>(data);
  PntUserData* p = nextScannedPoint(*s->mesh);
  if (!p) return 0;
  readOtherPos(s->info, point, *p);
  p->hasValue = 0;
  p->value = 0.0f;
  return 0;
}

size_t getPointDataWithWeightCBFunc(void* data, LWPntID point) {
  auto* s = static_cast<ValueScan*>(data);
  PntUserData* p = nextScannedPoint(*s->mesh);
  if (!p) return 0;
  readOtherPos(s->info, point, *p);
  float v = 0.0f;
  const bool has = s->info->pntVIDGet(s->info, point, &v, s->vmap) != 0;
  p->hasValue = has ? 1 : 0;
  p->value = has ? v : 0.0f;
  return 0;
}

/** \} */
/** \name Polygon scans \{ */

size_t getTmpNumEdgesCBFunc(void* data, LWPolID polygon) {
  auto* s = static_cast<TopologyScan*>(data);
  MeshData& m = *s->mesh;
  const int n = s->info->polSize(s->info, polygon);
  if (n < 4) {
    m.numEdges += n;
    m.numFaces += 1;
  } else {
    m.numEdges += 2 * n - 3;
    m.numFaces += n - 2;
  }
  if (n == 2) ++s->lineCount;
  if (n >= 3) s->cornerTotal += n;
  if (n >= 5) s->ngonTriangles += n - 2;
  s->maxPolygonSize = std::max(s->maxPolygonSize, n);
  return 0;
}

PntUserData* lookUpVertex(TopologyScan& s, LWPntID id) {
  const int k = s.w->ids.find(idKey(id));
  return k < 0 ? nullptr : &s.mesh->points[size_t(k)];
}

// The fold test on rest positions: a quad stays whole only when neither diagonal folds
// it, i.e. both pairs of triangles it can be cut into face the same way.
int quadKind(PntUserData* const q[4]) {
  const Vec3 A = restOf(q[0]), B = restOf(q[1]), C = restOf(q[2]), D = restOf(q[3]);
  const double d1 = dot(cross(B - A, D - A), cross(D - C, B - C));
  const double d2 = dot(cross(B - C, B - A), cross(D - A, D - C));
  if (d1 > 0.0 && d2 > 0.0) return d2 < d1 ? kQuadBCDA : kQuadABCD;
  if (d1 > 0.0) return kSplitBD;
  return kSplitAC;
}

// Appends the pieces of a triangulator triangle or quad (polygon-local corners).
void addNgonPiece(TopologyScan& s, int polygon, PntUserData* const* vertices, const int* corners, int count) {
  auto push = [&](int c0, int c1, int c2, int c3, int n) {
    if (s.numNgonPieces >= s.w->ngonPieces.size()) return;
    NgonPiece& piece = s.w->ngonPieces[s.numNgonPieces++];
    piece.polygon = polygon;
    piece.count = n;
    piece.corners[0] = c0;
    piece.corners[1] = c1;
    piece.corners[2] = c2;
    piece.corners[3] = c3;
  };
  if (count == 3) {
    push(corners[0], corners[1], corners[2], -1, 3);
    return;
  }
  PntUserData* const q[4] = {vertices[corners[0]], vertices[corners[1]], vertices[corners[2]], vertices[corners[3]]};
  const int a = corners[0], b = corners[1], c = corners[2], d = corners[3];
  switch (quadKind(q)) {
    case kQuadABCD: push(a, b, c, d, 4); break;
    case kQuadBCDA: push(b, c, d, a, 4); break;
    case kSplitBD:
      push(b, c, d, -1, 3);
      push(d, a, b, -1, 3);
      break;
    default:
      push(a, b, c, -1, 3);
      push(c, d, a, -1, 3);
      break;
  }
}

// Triangulates a polygon of five or more corners on its rest positions; kDropped when
// no triangulation is found.
int triangulateNgon(TopologyScan& s, int polygon, PntUserData* const* vertices, int n) {
  for (int k = 0; k < n; ++k) s.w->cornerScratch[size_t(k)] = restOf(vertices[k]);
  auto& td = s.w->td;
  if (!velmora::geometry::triangulatePolygon(td, std::span<const Vec3>(s.w->cornerScratch.data(), size_t(n)), true))
    return kDropped;
  for (int t = 0; t < td.numTrigons; ++t) {
    const auto& tri = td.trigons[size_t(t)];
    if (tri.deleted) continue;
    addNgonPiece(s, polygon, vertices, tri.corners, tri.numCorners);
  }
  return kNgon;
}

size_t makeMeshDataCBFunc(void* data, LWPolID polygon) {
  auto* s = static_cast<TopologyScan*>(data);
  MeshData& m = *s->mesh;
  const int n = s->info->polSize(s->info, polygon);
  if (n < 2) return 0;
  const LWID type = s->info->polType(s->info, polygon);
  if (type == LWPOLTYPE_SUBD) ++m.subdTypeCount;
  else if (type == LWPOLTYPE_PTCH) ++m.patchTypeCount;
  else if (type == LWPOLTYPE_FACE) ++m.faceTypeCount;
  else return 0;

  if (n == 2) {
    PntUserData* a = lookUpVertex(*s, s->info->polVertex(s->info, polygon, 0));
    PntUserData* b = lookUpVertex(*s, s->info->polVertex(s->info, polygon, 1));
    if (a && b && s->w->lines.size() < size_t(s->lineCount)) s->w->lines.push_back({polygon, a, b, m.numPolygons});
    return 0;
  }
  // The counting scan sized everything; a mesh that grew since is cut off there.
  if (size_t(m.numPolygons) >= m.polygons.size() || s->vertexUsed + size_t(n) > m.polygonVertexPool.size() ||
      n > s->maxPolygonSize)
    return 0;
  PntUserData** vertices = m.polygonVertexPool.data() + s->vertexUsed;
  for (int v = 0; v < n; ++v) {
    vertices[v] = lookUpVertex(*s, s->info->polVertex(s->info, polygon, v));
    if (!vertices[v]) return 0;  // a point the scan did not list: leave the polygon out
  }
  s->vertexUsed += size_t(n);
  const int index = m.numPolygons++;
  PolygonData& record = m.polygons[size_t(index)];
  s->w->polygonIds[size_t(index)] = polygon;
  record.vertexCount = n;
  record.vertices = vertices;
  int kind = kTriangle;
  if (n == 4) kind = quadKind(vertices);
  else if (n >= 5) kind = triangulateNgon(*s, index, vertices, n);
  s->w->kinds[size_t(index)] = int8_t(kind);
  return 0;
}

/** \} */
/** \name Faces \{ */

FaceData& takeFace(MeshData& m) {
  assert(size_t(m.numFaces) < m.faces.size());
  return m.faces[size_t(m.numFaces++)];
}

void add1PolygonToList(MeshData& m, LWPolID polygon, int polygonIndex, PntUserData* const* corners, int n) {
  FaceData& f = takeFace(m);
  f.polygonId = polygon;
  f.polygonIndex = polygonIndex;
  f.cornerCount = n;
  for (int i = 0; i < n; ++i) f.corners[i] = corners[i];
  f.next = m.faceList;
  m.faceList = &f;
}

// Makes the faces of a quad whose fold test gave `kind` (A, B, C, D = q[0..3]).
void tryToAdd1QuadPolygonToList(MeshData& m, LWPolID polygon, int polygonIndex, PntUserData* const q[4], int kind) {
  PntUserData* const A = q[0], *const B = q[1], *const C = q[2], *const D = q[3];
  auto add = [&](std::initializer_list<PntUserData*> corners) {
    add1PolygonToList(m, polygon, polygonIndex, corners.begin(), int(corners.size()));
  };
  switch (kind) {
    case kQuadABCD: add({A, B, C, D}); break;
    case kQuadBCDA: add({B, C, D, A}); break;
    case kSplitBD:
      add({B, C, D});
      add({D, A, B});
      break;
    default:
      add({A, B, C});
      add({C, D, A});
      break;
  }
}

void addLineToList(MeshData& m, const PendingLine& line) {
  FaceData& f = takeFace(m);
  f.polygonId = line.id;
  f.polygonIndex = -1;
  f.cornerCount = 2;
  f.corners[0] = line.a;
  f.corners[1] = line.b;
  f.next = m.lineList;
  m.lineList = &f;
}

int countFaces(const TopologyScan& s, int numPolygons) {
  int total = int(s.w->lines.size()) + int(s.numNgonPieces);
  for (int i = 0; i < numPolygons; ++i) total += facesOfKind(s.w->kinds[size_t(i)]);
  return total;
}

void makeFaces(MeshData& m, const TopologyScan& s) {
  size_t lineCursor = 0, pieceCursor = 0;
  for (int i = 0; i < m.numPolygons; ++i) {
    while (lineCursor < s.w->lines.size() && s.w->lines[lineCursor].polygonsBefore <= i) addLineToList(m, s.w->lines[lineCursor++]);
    const PolygonData& polygon = m.polygons[size_t(i)];
    const LWPolID id = s.w->polygonIds[size_t(i)];
    const int kind = s.w->kinds[size_t(i)];
    if (kind == kTriangle) {
      add1PolygonToList(m, id, i, polygon.vertices, 3);
    } else if (kind == kNgon) {
      for (; pieceCursor < s.numNgonPieces && s.w->ngonPieces[pieceCursor].polygon == i; ++pieceCursor) {
        const NgonPiece& piece = s.w->ngonPieces[pieceCursor];
        PntUserData* corners[4] = {};
        for (int c = 0; c < piece.count; ++c) corners[c] = polygon.vertices[piece.corners[c]];
        add1PolygonToList(m, id, i, corners, piece.count);
      }
    } else if (kind != kDropped) {
      tryToAdd1QuadPolygonToList(m, id, i, polygon.vertices, kind);
    }
  }
  while (lineCursor < s.w->lines.size()) addLineToList(m, s.w->lines[lineCursor++]);
}

/** \} */
/** \name Adjacency \{ */

void buildPointFaces(MeshData& m) {
  size_t total = 0;
  for (int f = 0; f < m.numFaces; ++f) {
    const FaceData& face = m.faces[size_t(f)];
    if (face.cornerCount < 3) continue;
    for (int c = 0; c < face.cornerCount; ++c) ++face.corners[c]->faceCount;
    total += size_t(face.cornerCount);
  }
  reuse(m.pointFacePool, total);
  reuse(m.faceCornerPool, total);
  size_t offset = 0;
  for (PntUserData& p : m.points) {
    p.pointFaces = m.pointFacePool.data() + offset;
    offset += size_t(p.faceCount);
    p.faceCount = 0;
  }
  for (int f = 0; f < m.numFaces; ++f) {
    FaceData& face = m.faces[size_t(f)];
    if (face.cornerCount < 3) continue;
    for (int c = 0; c < face.cornerCount; ++c) {
      PntUserData* p = face.corners[c];
      m.faceCornerPool[size_t(p->pointFaces - m.pointFacePool.data()) + size_t(p->faceCount)] = int8_t(c);
      p->pointFaces[p->faceCount++] = &face;
    }
  }
}

// True when b is next to a on a side of one of a's faces.
bool sharesFaceSide(const MeshData& m, const PntUserData& a, const PntUserData* b) {
  const std::span<const int8_t> corners = faceCornersOf(m, a);
  for (int k = 0; k < a.faceCount; ++k) {
    const FaceData& f = *a.pointFaces[k];
    const int n = f.cornerCount, c = corners[size_t(k)];
    if (f.corners[(c + 1) % n] == b || f.corners[(c + n - 1) % n] == b) return true;
  }
  return false;
}

// Counts each point's distinct neighbours (its edges) into neighbourCount and returns
// the sum. stamp[q] == k marks q as already counted for point k.
size_t countPointEdges(MeshData& m, TopologyScratch& w) {
  std::vector<int32_t>& stamp = w.stamp;
  stamp.assign(m.points.size(), -1);
  size_t total = 0;
  for (PntUserData& p : m.points) {
    int count = 0;
    const std::span<const int8_t> corners = faceCornersOf(m, p);
    for (int k = 0; k < p.faceCount; ++k) {
      const FaceData& f = *p.pointFaces[k];
      const int n = f.cornerCount, c = corners[size_t(k)];
      for (PntUserData* q : {f.corners[(c + n - 1) % n], f.corners[(c + 1) % n]}) {
        if (q == &p || stamp[size_t(q->index)] == p.index) continue;
        stamp[size_t(q->index)] = p.index;
        ++count;
      }
    }
    p.neighbourCount = count;
    total += size_t(count);
  }
  // Lines add an edge only between points no face side joins, once per pair.
  std::vector<std::pair<int32_t, int32_t>>& extra = w.lineEdges;
  extra.clear();
  for (const FaceData* line = m.lineList; line; line = line->next) {
    const PntUserData *a = line->corners[0], *b = line->corners[1];
    if (a == b || sharesFaceSide(m, *a, b)) continue;
    extra.emplace_back(std::min(a->index, b->index), std::max(a->index, b->index));
  }
  std::sort(extra.begin(), extra.end());
  extra.erase(std::unique(extra.begin(), extra.end()), extra.end());
  for (const auto& [a, b] : extra) {
    ++m.points[size_t(a)].neighbourCount;
    ++m.points[size_t(b)].neighbourCount;
    total += 2;
  }
  return total;
}

EdgeData* findEdge(const MeshData& m, const PntUserData& a, const PntUserData* b) {
  for (int k = 0; k < a.neighbourCount; ++k)
    if (a.neighbours[k] == b) return pointEdgesOf(m, a)[size_t(k)];
  return nullptr;
}

void addNeighbour(MeshData& m, PntUserData& p, PntUserData* other, EdgeData* e) {
  m.pointEdgePool[size_t(p.neighbours - m.neighbourPool.data()) + size_t(p.neighbourCount)] = e;
  p.neighbours[p.neighbourCount++] = other;
}

EdgeData* newEdge(MeshData& m, PntUserData* a, PntUserData* b, FaceData* face, int cornerA, int cornerB, int after) {
  assert(size_t(m.numEdges) < m.edges.size());
  EdgeData& e = m.edges[size_t(m.numEdges++)];
  e.pointA = a;
  e.pointB = b;
  e.faceA = face;
  e.cornersA[0] = int8_t(cornerA);
  e.cornersA[1] = int8_t(cornerB);
  e.cornersA[2] = int8_t(after);
  addNeighbour(m, *a, b, &e);
  addNeighbour(m, *b, a, &e);
  return &e;
}

void linkFaceEdges(MeshData& m, FaceData& f) {
  const int n = f.cornerCount;
  if (n == 2) {
    PntUserData *a = f.corners[0], *b = f.corners[1];
    if (a != b && !findEdge(m, *a, b)) newEdge(m, a, b, &f, 0, 1, 0);
    return;
  }
  for (int i = 0; i < n; ++i) {
    const int side = (i + n - 1) % n;
    PntUserData *a = f.corners[side], *b = f.corners[i];
    if (a == b) continue;
    EdgeData* e = findEdge(m, *a, b);
    if (!e) {
      f.edges[side] = newEdge(m, a, b, &f, side, i, (i + 1) % n);
    } else if (!e->faceB && e->pointB == a) {
      // The face on the other side runs the edge the other way: a consistent pair.
      e->faceB = &f;
      e->cornersB[0] = int8_t(i);
      e->cornersB[1] = int8_t(side);
      e->cornersB[2] = int8_t((i + 1) % n);
      f.edges[side] = e;
    }
  }
}

void buildEdges(MeshData& m, TopologyScratch& w) {
  const size_t total = countPointEdges(m, w);
  reuse(m.neighbourPool, total);
  reuse(m.pointEdgePool, total);
  reuse(m.edges, total / 2 + 16);
  size_t offset = 0;
  for (PntUserData& p : m.points) {
    p.neighbours = m.neighbourPool.data() + offset;
    offset += size_t(p.neighbourCount);
    p.neighbourCount = 0;
  }
  m.numEdges = 0;
  // Faces first, lines last: a line must not take an edge as its faceA before the
  // faces on it are linked, or a boundary side would look shared (the face running the
  // other way becomes faceB) or lose its edge (the face running the same way).
  for (int f = 0; f < m.numFaces; ++f)
    if (m.faces[size_t(f)].cornerCount >= 3) linkFaceEdges(m, m.faces[size_t(f)]);
  for (int f = 0; f < m.numFaces; ++f)
    if (m.faces[size_t(f)].cornerCount == 2) linkFaceEdges(m, m.faces[size_t(f)]);
  assert(size_t(m.numEdges) * 2 == total);
  for (int e = 0; e < m.numEdges; ++e) {
    EdgeData& edge = m.edges[size_t(e)];
    edge.internalDiagonal = edge.faceA && edge.faceB && edge.faceA->polygonId == edge.faceB->polygonId ? 1 : 0;
  }
  m.isolatedPoints = nullptr;
  for (PntUserData& p : m.points) {
    if (p.neighbourCount != 0) continue;
    p.isolatedNext = m.isolatedPoints;
    m.isolatedPoints = &p;
  }
}

/** \} */

void releaseScratch() {
  TopologyScratch& w = scratch();
  w = TopologyScratch{};
}

// LSD radix sort of (id, index) pairs by id, 16 bits a pass; a pass whose digit is the
// same in every id (the high bits of ids that are addresses) is skipped. O(n) passes
// over compact pairs instead of a comparison sort's O(n log n) cache misses.
void radixSortById(std::vector<IdIndex>& items, std::vector<IdIndex>& swap) {
  const size_t n = items.size();
  if (n < 2) return;
  swap.resize(n);
  std::vector<uint32_t> counts(65536);
  for (int shift = 0; shift < 64; shift += 16) {
    std::fill(counts.begin(), counts.end(), 0u);
    for (const IdIndex& e : items) ++counts[size_t((e.id >> shift) & 0xFFFF)];
    if (counts[size_t((items[0].id >> shift) & 0xFFFF)] == n) continue;
    uint32_t sum = 0;
    for (uint32_t& c : counts) {
      const uint32_t here = c;
      c = sum;
      sum += here;
    }
    for (const IdIndex& e : items) swap[counts[size_t((e.id >> shift) & 0xFFFF)]++] = e;
    items.swap(swap);
  }
}

void sortPointsById(MeshData& m, TopologyScratch& w) {
  std::vector<IdIndex>& byId = w.byId;
  byId.resize(m.points.size());
  for (size_t k = 0; k < m.points.size(); ++k) byId[k] = {idKey(m.points[k].pointId), int32_t(k)};
  radixSortById(byId, w.byIdSwap);
  for (size_t k = 0; k < byId.size(); ++k) m.sortedPoints[k] = &m.points[size_t(byId[k].index)];
}

}  // namespace

void clearMeshRecords(MeshData& m) {
  resetMeshRecords(m);
  release(m.points);
  release(m.sortedPoints);
  release(m.faces);
  release(m.faceOrder);
  release(m.edges);
  release(m.polygons);
  release(m.neighbourPool);
  release(m.pointEdgePool);
  release(m.pointFacePool);
  release(m.faceCornerPool);
  release(m.polygonVertexPool);
  release(m.changeIndices);
  release(m.changeValues);
  release(m.pointMapLists);
  releaseScratch();
}

void resetMeshRecords(MeshData& m) {
  m.meshInfo = nullptr;
  m.weightVMap = nullptr;
  m.points.clear();
  m.sortedPoints.clear();
  m.faces.clear();
  m.faceOrder.clear();
  m.edges.clear();
  m.polygons.clear();
  m.neighbourPool.clear();
  m.pointEdgePool.clear();
  m.pointFacePool.clear();
  m.faceCornerPool.clear();
  m.polygonVertexPool.clear();
  m.changeIndices.clear();
  m.changeValues.clear();
  m.pointMapLists.clear();
  m.isolatedPoints = nullptr;
  m.faceList = m.lineList = nullptr;
  m.enableList = nullptr;
  m.numPoints = m.numFaces = m.numEdges = m.numPolygons = 0;
  m.scanIndex = m.skipPoints = m.hostPolygonCount = 0;
  m.faceTypeCount = m.patchTypeCount = m.subdTypeCount = 0;
  m.selectedCount = 0;
}

void allocateMeshRecords(MeshData& m, int numPoints, int hostPolygonCount) {
  resetMeshRecords(m);
  const size_t n = size_t(std::max(numPoints, 0));
  m.numPoints = int32_t(n);
  m.hostPolygonCount = hostPolygonCount;
  reuse(m.points, n);
  for (size_t k = 0; k < n; ++k) m.points[k].index = int32_t(k);
  reuse(m.sortedPoints, n);
  reuse(m.changeIndices, n + 16);
  reuse(m.changeValues, n + 16);
  reuse(m.pointMapLists, n + 16);
}

void scanPointValues(MeshData& m, LWMeshInfoID frozen, void* vmap) {
  if (!frozen) return;
  m.meshInfo = frozen;
  m.skipPoints = std::max(frozen->numPoints(frozen) - m.numPoints, 0);
  m.scanIndex = 0;
  ValueScan s{&m, frozen, vmap};
  frozen->scanPoints(frozen, vmap ? getPointDataWithWeightCBFunc : getPointDataCBFunc, &s);
  m.meshInfo = nullptr;
}

void buildMeshTopology(MeshData& m, LWMeshInfoID base) {
  if (!base) return;
  m.meshInfo = base;
  TopologyScan s;
  s.mesh = &m;
  s.info = base;
  s.w = &scratch();
  TopologyScratch& w = *s.w;

  m.scanIndex = 0;
  base->scanPoints(base, initPointsCBFunc, &s);
  sortPointsById(m, w);
  w.ids.build(m.points);

  m.numFaces = m.numEdges = 0;
  base->scanPolys(base, getTmpNumEdgesCBFunc, &s);
  const size_t polygonCapacity = size_t(std::max(base->numPolygons(base), 0)) + 16;
  reuse(m.polygons, polygonCapacity);
  reuse(m.polygonVertexPool, size_t(s.cornerTotal));
  reuse(w.kinds, polygonCapacity, int8_t(kDropped));
  reuse(w.polygonIds, polygonCapacity);
  reuse(w.ngonPieces, size_t(s.ngonTriangles));
  w.lines.clear();
  w.lines.reserve(size_t(s.lineCount));
  w.cornerScratch.resize(size_t(std::max(s.maxPolygonSize, 0)));
  // Sized for the largest polygon once, so the triangulation allocates nothing later.
  if (s.maxPolygonSize >= 5) {
    const size_t n = size_t(s.maxPolygonSize);
    if (w.td.vertices.size() < n) w.td.vertices.resize(n);
    if (w.td.trigons.size() < n - 2) w.td.trigons.resize(n - 2);
    if (w.td.edges.size() < 2 * n - 3) w.td.edges.resize(2 * n - 3);
  }

  m.numFaces = m.numEdges = m.numPolygons = 0;
  base->scanPolys(base, makeMeshDataCBFunc, &s);
  m.meshInfo = nullptr;

  const int numFaces = countFaces(s, m.numPolygons);
  reuse(m.faces, size_t(numFaces) + 16);
  reuse(m.faceOrder, size_t(numFaces) + 16);
  makeFaces(m, s);
  buildPointFaces(m);
  buildEdges(m, w);
}

int findPointById(const MeshData& m, LWPntID id) {
  const std::span<PntUserData* const> sorted(m.sortedPoints);
  const int k = velmora::geometry::getIndexAtPntUserDataList(sorted, id, 0, int(sorted.size()) - 1);
  return k >= 0 && sorted[size_t(k)]->pointId == id ? k : -1;
}
