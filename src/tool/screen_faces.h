// The press's projection cache: every point's screen position, the faces' screen
// boxes, and grids of points (on the screen and in space) and faces (on the screen),
// so that each drag visits only what lies near the brush.
#pragma once
#include <cstdint>

#include "tool/paint_context.h"

namespace velmora::tool {

// Sizes the scratch, projects every point, computes every face's screen box and builds
// the three grids. O(points + faces); called at each press (the view, the positions and
// the topology stay fixed until the release).
void prepareStrokeCaches(PaintContext& c);

// Re-runs prepareStrokeCaches when the snapshot's counts no longer match the scratch
// (the snapshot was re-captured during the stroke), so no array is read past its end.
void ensureStrokeCaches(PaintContext& c);

// Calls fn(face) once for every face (3 or 4 corners) whose screen box may meet the
// window minX, minY, maxX, maxY: the grid's faces there and every wide face.
template <class Fn>
void collectScreenFacesInBox(PaintContext& c, const double w[4], Fn&& fn);

// The faces the pick ray may hit, in faceList order (descending index): the grid's
// faces around the cursor when the ray runs along the view, else every face. Left in
// scratch.faceCandidates.
void collectFacesUnderCursor(PaintContext& c);

// ---- implementation -------------------------------------------------------------

uint32_t nextFaceEpoch(ToolScratch& s);

template <class Fn>
void collectScreenFacesInBox(PaintContext& c, const double w[4], Fn&& fn) {
  ToolScratch& s = c.scratch;
  const uint32_t epoch = nextFaceEpoch(s);
  auto once = [&](int32_t f) {
    if (s.faceStamp[size_t(f)] == epoch) return;
    s.faceStamp[size_t(f)] = epoch;
    fn(f);
  };
  GridBox box;
  box.lo[0] = w[0], box.lo[1] = w[1], box.hi[0] = w[2], box.hi[1] = w[3];
  forEachInBox(s.screenFaces, box, once);
  for (int32_t f : s.wideFaces) once(f);
}

}  // namespace velmora::tool
