// The painting tool's working storage: per-point and per-face arrays parallel to the
// snapshot (struct of arrays, sized once per snapshot and reused by every event), the
// caches built at each press, and the influence list.
//
// Per point (bytes): position 24, walk neighbours about 36 and their step lengths about
// 64, screen 24, behindEye 1, otherNormal 24, brushDistance 8, mark 1, accepted bit 1/8,
// the surface-walk records 64 + 8 (WalkPoint, WalkLink): about 255 bytes, plus the two
// point grids (about 6 bytes each, and 8 of build scratch) and the walk heap (24 per
// queued point).
// Per face: faceBox 32, faceBehind 1, faceCorner 16, faceOutsideGrid 1, faceNormal 24,
// faceStamp 4, and its grid entries.
//
// The screen positions are kept apart from the surface-walk fields because one stroke
// may use both (the cursor leaves the mesh during a drag).
#pragma once
#include <cstdint>
#include <vector>

#include "geometry/vec3.h"
#include "tool/face_grid.h"
#include "tool/uniform_grid.h"

namespace velmora::tool {

using geometry::Vec2;
using geometry::Vec3;

// The touched points of one builder call, in list order (the reverse of the order in
// which they were accepted), and the depth of the touched region in rings of edges.
struct EnablePointList {
  std::vector<int32_t> members;
  int32_t influenceDepth = 0;
};

// One entry of the surface walk's queue (a binary heap ordered by key, then by the
// time the key was set, which gives equal keys first-come first-served).
struct WalkEntry {
  double key = 0.0;
  uint64_t sequence = 0;
  int32_t point = -1;
  int32_t from = -1;  // -1: the hit point itself
};

// One point's surface-walk fields, together in one cache line so that reaching a point
// touches as little memory as possible. Live only while stamp / 2 equals the walk's
// epoch; the low bit of a live stamp is the point's mark (still a candidate to reach).
struct alignas(64) WalkPoint {
  double straightDist;    // straight distance in the unfolded plane
  double pathLength;      // length of the edge path
  double surfaceDist;     // the distance used
  double unfoldedPos[2];  // position in the unfolded plane, the hit at the origin
  double unfoldedDir[2];  // unit direction of the last step there
  uint32_t stamp;
  int32_t walkSlot;       // heap position, -1 when not queued
};

// The walk fields read only when a point is settled or improved.
struct WalkLink {
  int32_t walkParent;     // the point it was reached from, -1: the hit point
  int32_t hopCount;       // edges from the clicked face
};

struct ToolScratch {
  int32_t sizedPoints = -1, sizedFaces = -1;
  bool cachesReady = false;         // prepareStrokeCaches ran for this snapshot

  // Projection cache of the press (the view is fixed for a stroke).
  std::vector<double> position;     // displayed position, 3 per point, packed for the walks
  // Each point's walk neighbours, packed: the opposite corner of each of its quads, then
  // its edge neighbours (the order the surface walk relaxes them in).
  std::vector<int32_t> walkStart;   // points + 1 offsets
  std::vector<int32_t> walkNext;
  std::vector<double> walkLength;   // per walkNext entry: the step's length
  std::vector<double> screen;       // x, y, depth per point
  std::vector<uint8_t> behindEye;   // perspective depth below kBehindEyeDepth
  std::vector<double> faceBox;      // minX, minY, maxX, maxY per face (screen)
  std::vector<uint8_t> faceBehind;  // a corner of the face is behind the eye
  std::vector<int32_t> faceCorner;  // 4 per face: corner point indices, -1 past the last
  double frontFaceBounds[4] = {0, 0, 0, 0};  // union of the boxes of the faces in front
  int64_t frontFaceCount = 0;       // faces (not lines) with no corner behind the eye
  uint64_t pressGeneration = 0;     // counts prepareStrokeCaches runs
  UniformGrid screenPoints;         // points in front of the eye, by screen x, y
  UniformGrid worldPoints;          // all points, by displayed position
  UniformGrid screenFaces;          // faces (not lines) in front, by screen box
  std::vector<int32_t> wideFaces;   // faces not in screenFaces: behind the eye or very wide
  std::vector<uint8_t> faceOutsideGrid;  // per face: listed in wideFaces
  bool screenFacesMatchRay = false; // the pick ray runs along the view: screenFaces may be used

  // Normals on the displayed positions, refreshed at each press.
  std::vector<double> otherNormal;  // 3 per point
  std::vector<double> faceNormal;   // 3 per face

  // Builder fields.
  std::vector<double> brushDistance;
  std::vector<uint8_t> mark;        // 0 outside a builder or walk
  std::vector<uint64_t> accepted;   // one bit per point: list order without sorting
  EnablePointList list;

  // Surface walk (lazy: a point's record is live only when its stamp / 2 equals walkEpoch).
  std::vector<WalkPoint> walk;
  std::vector<WalkLink> walkLink;
  uint32_t walkEpoch = 0;
  std::vector<WalkEntry> walkHeap;
  uint64_t walkSequence = 0;

  // Face de-duplication of grid queries.
  std::vector<uint32_t> faceStamp;
  uint32_t faceEpoch = 0;
  std::vector<int32_t> faceCandidates;
  std::vector<int32_t> lines;       // the two-point faces, in lineList order

  // Ring walk and part search queues.
  std::vector<int32_t> ring, nextRing;
  std::vector<int32_t> part;  // the clicked part, in collection order
  std::vector<int32_t> clickedFaces;  // the faces under the cursor of "Fill" and "Fill Sel"

  // The hidden-point face grid of one operation.
  FaceGrid faceGrid;
};

// Sizes every per-point and per-face array for the snapshot (no-op when the counts are
// unchanged). Called at each press; the arrays are then reused by every event.
struct PaintContext;
void sizeToolScratch(PaintContext& c);

}  // namespace velmora::tool
