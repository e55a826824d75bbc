#include "tool/screen_faces.h"

#include <algorithm>
#include <cmath>

#include "tool/face_normals.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

namespace {

// A face spanning more grid cells than this is tested at every query instead.
constexpr int64_t kWideFaceCells = 64;

void projectPoints(PaintContext& c) {
  ToolScratch& s = c.scratch;
  for (int32_t i = 0; i < pointCount(c.mesh); ++i) {
    const Vec3 p = displayedPos(c.mesh, i);
    double* packed = &s.position[size_t(i) * 3];
    packed[0] = p.x, packed[1] = p.y, packed[2] = p.z;
    const ScreenPoint sp = projectToScreen(c.view, p);
    double* out = &s.screen[size_t(i) * 3];
    out[0] = sp.x, out[1] = sp.y, out[2] = sp.depth;
    s.behindEye[size_t(i)] = sp.behind ? 1 : 0;
  }
}

void boxFaces(PaintContext& c) {
  ToolScratch& s = c.scratch;
  for (int32_t f = 0; f < faceRecordCount(c.mesh); ++f) {
    double* b = &s.faceBox[size_t(f) * 4];
    b[0] = b[1] = 1e300;
    b[2] = b[3] = -1e300;
    uint8_t behind = 0;
    int32_t* corners = &s.faceCorner[size_t(f) * 4];
    corners[0] = corners[1] = corners[2] = corners[3] = -1;
    for (int32_t k = 0; k < cornerCountOf(c.mesh, f); ++k) {
      const int32_t p = cornerOf(c.mesh, f, k);
      corners[k] = p;
      const double x = s.screen[size_t(p) * 3], y = s.screen[size_t(p) * 3 + 1];
      b[0] = std::min(b[0], x), b[1] = std::min(b[1], y);
      b[2] = std::max(b[2], x), b[3] = std::max(b[3], y);
      behind |= s.behindEye[size_t(p)];
    }
    s.faceBehind[size_t(f)] = behind;
  }
}

void buildScreenPointGrid(PaintContext& c) {
  ToolScratch& s = c.scratch;
  GridBox bounds;
  bounds.lo[0] = bounds.lo[1] = 1e300;
  bounds.hi[0] = bounds.hi[1] = -1e300;
  int64_t inFront = 0;
  for (int32_t i = 0; i < pointCount(c.mesh); ++i) {
    if (s.behindEye[size_t(i)]) continue;
    ++inFront;
    for (int a = 0; a < 2; ++a) {
      bounds.lo[a] = std::min(bounds.lo[a], s.screen[size_t(i) * 3 + size_t(a)]);
      bounds.hi[a] = std::max(bounds.hi[a], s.screen[size_t(i) * 3 + size_t(a)]);
    }
  }
  if (inFront == 0) bounds = GridBox{};
  sizeUniformGrid(s.screenPoints, 2, bounds, inFront / 2 + 1);
  fillUniformGrid(s.screenPoints, [&](auto&& add) {
    for (int32_t i = 0; i < pointCount(c.mesh); ++i) {
      if (s.behindEye[size_t(i)]) continue;
      GridBox at;
      at.lo[0] = at.hi[0] = s.screen[size_t(i) * 3];
      at.lo[1] = at.hi[1] = s.screen[size_t(i) * 3 + 1];
      add(i, at);
    }
  });
}

void buildWorldPointGrid(PaintContext& c) {
  ToolScratch& s = c.scratch;
  const double* packed = s.position.data();
  GridBox bounds;
  for (int a = 0; a < 3; ++a) bounds.lo[a] = 1e300, bounds.hi[a] = -1e300;
  for (int32_t i = 0; i < pointCount(c.mesh); ++i) {
    const double* p = packed + size_t(i) * 3;
    for (int a = 0; a < 3; ++a) bounds.lo[a] = std::min(bounds.lo[a], p[a]), bounds.hi[a] = std::max(bounds.hi[a], p[a]);
  }
  if (pointCount(c.mesh) == 0) bounds = GridBox{};
  sizeUniformGrid(s.worldPoints, 3, bounds, int64_t(pointCount(c.mesh)) / 2 + 1);
  fillUniformGrid(s.worldPoints, [&](auto&& add) {
    for (int32_t i = 0; i < pointCount(c.mesh); ++i) {
      GridBox at;
      const double* p = packed + size_t(i) * 3;
      for (int a = 0; a < 3; ++a) at.lo[a] = at.hi[a] = p[a];
      add(i, at);
    }
  });
}

GridBox faceGridBox(const ToolScratch& s, int32_t f) {
  const double* b = &s.faceBox[size_t(f) * 4];
  GridBox box;
  box.lo[0] = b[0], box.lo[1] = b[1], box.hi[0] = b[2], box.hi[1] = b[3];
  return box;
}

bool isWideFace(const ToolScratch& s, int32_t f) {
  int32_t lo[3], hi[3];
  cellRange(s.screenFaces, faceGridBox(s, f), lo, hi);
  return int64_t(hi[0] - lo[0] + 1) * int64_t(hi[1] - lo[1] + 1) > kWideFaceCells;
}

void buildScreenFaceGrid(PaintContext& c) {
  ToolScratch& s = c.scratch;
  const MeshData& m = c.mesh;
  GridBox bounds;
  bounds.lo[0] = bounds.lo[1] = 1e300;
  bounds.hi[0] = bounds.hi[1] = -1e300;
  int64_t faces = 0;
  for (int32_t f = 0; f < faceRecordCount(m); ++f) {
    if (cornerCountOf(m, f) < 3 || s.faceBehind[size_t(f)]) continue;
    ++faces;
    const double* b = &s.faceBox[size_t(f) * 4];
    bounds.lo[0] = std::min(bounds.lo[0], b[0]), bounds.lo[1] = std::min(bounds.lo[1], b[1]);
    bounds.hi[0] = std::max(bounds.hi[0], b[2]), bounds.hi[1] = std::max(bounds.hi[1], b[3]);
  }
  if (faces == 0) bounds = GridBox{};
  s.frontFaceCount = faces;
  s.frontFaceBounds[0] = bounds.lo[0], s.frontFaceBounds[1] = bounds.lo[1];
  s.frontFaceBounds[2] = bounds.hi[0], s.frontFaceBounds[3] = bounds.hi[1];
  sizeUniformGrid(s.screenFaces, 2, bounds, faces / 2 + 1);
  s.wideFaces.clear();
  for (int32_t f = 0; f < faceRecordCount(m); ++f) {
    const bool outside = cornerCountOf(m, f) >= 3 && (s.faceBehind[size_t(f)] || isWideFace(s, f));
    s.faceOutsideGrid[size_t(f)] = outside ? 1 : 0;
    if (outside) s.wideFaces.push_back(f);
  }
  fillUniformGrid(s.screenFaces, [&](auto&& add) {
    for (int32_t f = 0; f < faceRecordCount(m); ++f) {
      if (cornerCountOf(m, f) < 3 || s.faceOutsideGrid[size_t(f)]) continue;
      add(f, faceGridBox(s, f));
    }
  });
}

// The surface walk's neighbour lists in one packed array (reading them from the
// snapshot's records costs a cache miss per point and face), with the length of each
// step on the packed positions, computed as the walk would compute it.
void packWalkNeighbours(PaintContext& c) {
  ToolScratch& s = c.scratch;
  const MeshData& m = c.mesh;
  const int32_t n = pointCount(m);
  s.walkStart.assign(size_t(n) + 1, 0);
  s.walkNext.clear();
  for (int32_t i = 0; i < n; ++i) {
    forEachFaceOf(m, i, [&](int32_t f, int32_t corner) {
      if (cornerCountOf(m, f) == 4) s.walkNext.push_back(cornerOf(m, f, (corner + 2) % 4));
    });
    forEachNeighbour(m, i, [&](int32_t j) { s.walkNext.push_back(j); });
    s.walkStart[size_t(i) + 1] = int32_t(s.walkNext.size());
  }
  s.walkLength.resize(s.walkNext.size());
  for (int32_t i = 0; i < n; ++i) {
    const double* a = &s.position[size_t(i) * 3];
    for (int32_t k = s.walkStart[size_t(i)]; k < s.walkStart[size_t(i) + 1]; ++k) {
      const double* b = &s.position[size_t(s.walkNext[size_t(k)]) * 3];
      s.walkLength[size_t(k)] = length(Vec3{b[0], b[1], b[2]} - Vec3{a[0], a[1], a[2]});
    }
  }
}

}  // namespace

void sizeToolScratch(PaintContext& c) {
  ToolScratch& s = c.scratch;
  const size_t n = size_t(std::max(pointCount(c.mesh), 0));
  const size_t f = size_t(std::max(faceRecordCount(c.mesh), 0));
  s.cachesReady = false;
  if (s.sizedPoints != int32_t(n)) {
    s.sizedPoints = int32_t(n);
    s.screen.assign(n * 3, 0.0);
    s.position.assign(n * 3, 0.0);
    s.behindEye.assign(n, 0);
    s.otherNormal.assign(n * 3, 0.0);
    s.brushDistance.assign(n, 0.0);
    s.mark.assign(n, 0);
    s.accepted.assign(n / 64 + 1, 0);
    s.walk.assign(n, WalkPoint{});
    s.walkLink.assign(n, WalkLink{});
    s.walkEpoch = 0;
    s.list.members.clear();
    s.list.members.reserve(n);
    s.walkHeap.clear();
    s.walkHeap.reserve(n);
    s.ring.reserve(n);
    s.nextRing.reserve(n);
    s.part.reserve(n);
  }
  if (s.sizedFaces != int32_t(f)) {
    s.sizedFaces = int32_t(f);
    s.faceBox.assign(f * 4, 0.0);
    s.faceBehind.assign(f, 0);
    s.faceCorner.assign(f * 4, -1);
    s.faceOutsideGrid.assign(f, 0);
    s.faceNormal.assign(f * 3, 0.0);
    s.faceStamp.assign(f, 0);
    s.faceEpoch = 0;
    s.faceCandidates.reserve(f);
  }
}

void prepareStrokeCaches(PaintContext& c) {
  sizeToolScratch(c);
  ++c.scratch.pressGeneration;
  projectPoints(c);
  boxFaces(c);
  c.scratch.lines.clear();
  for (int32_t f = faceRecordCount(c.mesh) - 1; f >= 0; --f) {
    if (cornerCountOf(c.mesh, f) == 2) c.scratch.lines.push_back(f);
    else storePackedFaceNormal(c.mesh, c.scratch, f);
  }
  buildScreenPointGrid(c);
  buildWorldPointGrid(c);
  buildScreenFaceGrid(c);
  packWalkNeighbours(c);
  c.scratch.cachesReady = true;
}

void ensureStrokeCaches(PaintContext& c) {
  const ToolScratch& s = c.scratch;
  if (!s.cachesReady || s.sizedPoints != pointCount(c.mesh) || s.sizedFaces != faceRecordCount(c.mesh))
    prepareStrokeCaches(c);
}

uint32_t nextFaceEpoch(ToolScratch& s) {
  if (++s.faceEpoch == 0) {
    std::fill(s.faceStamp.begin(), s.faceStamp.end(), 0u);
    s.faceEpoch = 1;
  }
  return s.faceEpoch;
}

void collectFacesUnderCursor(PaintContext& c) {
  ToolScratch& s = c.scratch;
  s.faceCandidates.clear();
  const ViewState& v = c.view;
  const bool typed = v.viewType >= 1 && v.viewType <= 9;
  const bool alongView = v.perspective || std::fabs(dot(v.rayDir, v.viewDir)) >= 1.0 - 1e-9;
  if (typed && alongView && s.cachesReady && s.sizedFaces == faceRecordCount(c.mesh)) {
    const Vec2 cursor = brushCentreOnScreen(v);
    // A margin so a face whose box only touches the cursor is still looked at.
    const double eps = 1e-9 * (std::fabs(cursor.x) + std::fabs(cursor.y) + 1.0);
    const double w[4] = {cursor.x - eps, cursor.y - eps, cursor.x + eps, cursor.y + eps};
    collectScreenFacesInBox(c, w, [&](int32_t f) { s.faceCandidates.push_back(f); });
    std::sort(s.faceCandidates.begin(), s.faceCandidates.end(), [](int32_t a, int32_t b) { return a > b; });
  } else {
    for (int32_t f = faceRecordCount(c.mesh) - 1; f >= 0; --f)
      if (cornerCountOf(c.mesh, f) >= 3) s.faceCandidates.push_back(f);
  }
}

}  // namespace velmora::tool
