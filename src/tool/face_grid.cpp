#include "tool/face_grid.h"

#include <algorithm>
#include <cmath>

#include "tool/outline_crossings.h"
#include "tool/paint_context.h"
#include "tool/screen_faces.h"
#include "tool/tool_mesh_view.h"

namespace velmora::tool {

void sizeFaceGrid(double W, double H, int32_t n, double& cellSize, int32_t& columns, int32_t& rows) {
  const double m = double(std::max(n, 4));
  constexpr double kThin = 2e-6;
  if (W < kThin && H < kThin) {
    W = H = 1.0;
  } else if (W < kThin) {
    W = H / (m + 1.0);
  } else if (H < kThin) {
    H = W / (m + 1.0);
  } else if (H > W && std::trunc(H / W) > m) {
    W = H / (m + 1.0);
  } else if (W >= H && std::trunc(W / H) > m) {
    H = W / (m + 1.0);
  }
  cellSize = std::sqrt(W * H / m);
  columns = int32_t(std::trunc(W / cellSize)) + 1;
  rows = int32_t(std::trunc(H / cellSize)) + 1;
}

void destroyMat2D(FaceGrid& g) {
  g.columns = g.rows = 0;
  if (g.keptGeneration != 0) return;
  g.cellStart.clear();
  g.cellFaces.clear();
  g.entered.clear();
}

namespace {

void brushWindow(const PaintContext& c, double w[4]) {
  const Vec2 centre = brushCentreOnScreen(c.view);
  const double R = screenBrushRadius(c);
  w[0] = centre.x - R, w[1] = centre.y - R, w[2] = centre.x + R, w[3] = centre.y + R;
}

void allPointsWindow(const PaintContext& c, double w[4]) {
  w[0] = w[1] = 1e300;
  w[2] = w[3] = -1e300;
  const auto& s = c.scratch.screen;
  for (int32_t i = 0; i < pointCount(c.mesh); ++i) {
    const double x = s[size_t(i) * 3], y = s[size_t(i) * 3 + 1];
    w[0] = std::min(w[0], x), w[1] = std::min(w[1], y);
    w[2] = std::max(w[2], x), w[3] = std::max(w[3], y);
  }
  if (w[0] > w[2]) w[0] = w[1] = w[2] = w[3] = 0.0;
}

int32_t cellOf(double v, double origin, double cell, int32_t count) {
  const double k = std::trunc((v - origin) / cell);
  if (!(k > 0.0)) return 0;
  return k >= double(count - 1) ? count - 1 : int32_t(k);
}

}  // namespace

namespace {

bool windowHolds(const double w[4], const double inner[4]) {
  return w[0] <= inner[0] && w[1] <= inner[1] && w[2] >= inner[2] && w[3] >= inner[3];
}

// The faces entered for window w: no corner behind the eye, screen box meeting the
// window (touching counts). Their order only orders each cell's list, which no answer
// depends on.
void enterFaces(PaintContext& c, const double w[4], FaceGrid& g) {
  const ToolScratch& s = c.scratch;
  const std::vector<double>& box = s.faceBox;
  auto consider = [&](int32_t f) {
    if (s.faceBehind[size_t(f)]) return;
    const double* b = &box[size_t(f) * 4];
    if (b[2] < w[0] || b[0] > w[2] || b[3] < w[1] || b[1] > w[3]) return;
    g.entered.push_back(f);
  };
  GridBox query;
  query.lo[0] = w[0], query.lo[1] = w[1], query.hi[0] = w[2], query.hi[1] = w[3];
  if (boxCoversMostOf(s.screenFaces, query)) {
    for (int32_t f = 0; f < faceRecordCount(c.mesh); ++f)
      if (cornerCountOf(c.mesh, f) >= 3) consider(f);
  } else {
    collectScreenFacesInBox(c, w, consider);
  }
}

void fillCells(const std::vector<double>& box, FaceGrid& g) {
  const double* w = g.window;
  g.spans.resize(g.entered.size() * 4);
  for (size_t k = 0; k < g.entered.size(); ++k) {
    const double* b = &box[size_t(g.entered[k]) * 4];
    int32_t* span = &g.spans[k * 4];
    span[0] = cellOf(b[0], w[0], g.cellSize, g.columns), span[1] = cellOf(b[2], w[0], g.cellSize, g.columns);
    span[2] = cellOf(b[1], w[1], g.cellSize, g.rows), span[3] = cellOf(b[3], w[1], g.cellSize, g.rows);
  }
  auto forEachCell = [&](size_t k, auto&& onCell) {
    const int32_t* span = &g.spans[k * 4];
    for (int32_t r = span[2]; r <= span[3]; ++r)
      for (int32_t col = span[0]; col <= span[1]; ++col) onCell(size_t(r) * size_t(g.columns) + size_t(col));
  };
  const size_t cells = size_t(g.columns) * size_t(g.rows);
  g.cellStart.assign(cells + 1, 0);
  for (size_t k = 0; k < g.entered.size(); ++k) forEachCell(k, [&](size_t cell) { ++g.cellStart[cell + 1]; });
  for (size_t k = 1; k <= cells; ++k) g.cellStart[k] += g.cellStart[k - 1];
  g.cellFaces.resize(size_t(g.cellStart[cells]));
  g.cursor.assign(g.cellStart.begin(), g.cellStart.end() - 1);
  for (size_t k = 0; k < g.entered.size(); ++k) {
    const int32_t f = g.entered[k];
    forEachCell(k, [&](size_t cell) { g.cellFaces[size_t(g.cursor[cell]++)] = f; });
  }
}

}  // namespace

void makeTrisMat2D(PaintContext& c, int32_t mode, const float* lassoBounds) {
  FaceGrid& g = c.scratch.faceGrid;
  const ToolScratch& s = c.scratch;
  double w[4];
  if (mode == kGridBrush) {
    brushWindow(c, w);
  } else if (mode == kGridLasso && lassoBounds) {
    for (int k = 0; k < 4; ++k) w[k] = lassoBounds[k];
  } else {
    allPointsWindow(c, w);
  }
  const bool allFaces = s.frontFaceCount > 0 && windowHolds(w, s.frontFaceBounds);
  if (allFaces && g.keptGeneration != 0 && g.keptGeneration == s.pressGeneration) {
    for (int k = 0; k < 4; ++k) g.window[k] = g.keptWindow[k];
    g.cellSize = g.keptCellSize;
    g.xSlack = g.keptXSlack;
    g.columns = g.keptColumns, g.rows = g.keptRows;
    return;
  }
  g.keptGeneration = 0;
  destroyMat2D(g);
  enterFaces(c, w, g);
  const std::vector<double>& box = s.faceBox;
  if (!g.entered.empty()) {
    w[0] = w[1] = 1e300;
    w[2] = w[3] = -1e300;
    for (int32_t f : g.entered) {
      const double* b = &box[size_t(f) * 4];
      w[0] = std::min(w[0], b[0]), w[1] = std::min(w[1], b[1]);
      w[2] = std::max(w[2], b[2]), w[3] = std::max(w[3], b[3]);
    }
  }
  for (int k = 0; k < 4; ++k) g.window[k] = w[k];
  g.xSlack = 2e-12 * std::max(std::fabs(w[0]), std::fabs(w[2]));
  sizeFaceGrid(w[2] - w[0], w[3] - w[1], int32_t(g.entered.size()), g.cellSize, g.columns, g.rows);
  fillCells(box, g);
  if (allFaces) {
    g.keptGeneration = s.pressGeneration;
    for (int k = 0; k < 4; ++k) g.keptWindow[k] = g.window[k];
    g.keptCellSize = g.cellSize;
    g.keptXSlack = g.xSlack;
    g.keptColumns = g.columns, g.keptRows = g.rows;
  }
}

namespace {

// Does the outline of face f on the screen contain (x, y)? On the outline counts.
bool faceCoversScreenPoint(const PaintContext& c, const int32_t* corner, double x, double y) {
  OutlineCorner corners[4];
  int32_t k = 0;
  for (; k < 4 && corner[k] >= 0; ++k) {
    const size_t p = size_t(corner[k]) * 3;
    corners[k] = {c.scratch.screen[p], c.scratch.screen[p + 1], c.scratch.screen[p + 2]};
  }
  Crossing crossings[8];
  const int32_t n = hiddenTestCrossings(corners, k, y, crossings);
  if (n == 0 || n % 2 != 0) return false;
  sortCrossingsByX(crossings, n);
  int32_t left = 0;
  while (left < n && crossings[left].x <= x) ++left;
  if (left % 2 == 1) return true;
  return left != 0 && crossings[left - 1].x == x;
}

// A point outside a face's box widened by xSlack in x cannot be inside its outline: a
// crossing lies on a side at the scan height (only corners' exact heights can give one,
// so the height test is exact), and an interpolated crossing strays from its side's x
// range by a few units in the last place of the largest |x| of the window at most;
// xSlack is thousands of times that.
bool outsideFaceBox(const double* b, double xLow, double xHigh, double y) {
  return (y < b[1]) | (y > b[3]) | (xLow < b[0]) | (xHigh > b[2]);
}

bool isCornerOf(const int32_t* corner, int32_t i) {
  return corner[0] == i || corner[1] == i || corner[2] == i || corner[3] == i;
}

Vec3 packedPos(const ToolScratch& s, int32_t i) {
  const double* p = &s.position[size_t(i) * 3];
  return {p[0], p[1], p[2]};
}

// The plane of face f cuts the line of sight between point i and the eye. The face
// normals and positions were stored at the press (they do not change during a stroke).
bool facePlaneHides(const PaintContext& c, int32_t f, int32_t firstCorner, int32_t i) {
  const ToolScratch& s = c.scratch;
  const double* stored = &s.faceNormal[size_t(f) * 3];
  const Vec3 n{stored[0], stored[1], stored[2]};
  const Vec3 p = packedPos(s, i);
  Vec3 v = c.view.viewDir;
  if (c.view.perspective) {
    v = p - c.view.eyePos;
    const double len = length(v);
    v = len < 1e-11 ? Vec3{} : v * (1.0 / len);
  }
  const double q = dot(n, v);
  if (std::fabs(q) < 1e-11) return false;
  const Vec3 a = packedPos(s, firstCorner);
  return dot(n, a - p) / q < 0.0;
}

}  // namespace

int32_t isFrontFacePoint(PaintContext& c, int32_t i) {
  return isFrontFacePointAt(c, i, c.scratch.screen[size_t(i) * 3], c.scratch.screen[size_t(i) * 3 + 1]);
}

int32_t isFrontFacePointAt(PaintContext& c, int32_t i, double x, double y) {
  const FaceGrid& g = c.scratch.faceGrid;
  if (g.columns == 0 || g.rows == 0) return 1;
  const size_t cell = size_t(cellOf(y, g.window[1], g.cellSize, g.rows)) * size_t(g.columns) +
                      size_t(cellOf(x, g.window[0], g.cellSize, g.columns));
  const ToolScratch& s = c.scratch;
  const double xLow = x + g.xSlack, xHigh = x - g.xSlack;
  for (int32_t k = g.cellStart[cell]; k < g.cellStart[cell + 1]; ++k) {
    const int32_t f = g.cellFaces[size_t(k)];
    // Cheapest first: the corners (a face never hides its own corner, and a point's own
    // faces fill much of its cell), then the box.
    const int32_t* corner = &s.faceCorner[size_t(f) * 4];
    if (isCornerOf(corner, i)) continue;
    if (outsideFaceBox(&s.faceBox[size_t(f) * 4], xLow, xHigh, y)) continue;
    if (!faceCoversScreenPoint(c, corner, x, y)) continue;
    if (facePlaneHides(c, f, corner[0], i)) return 0;
  }
  return 1;
}

}  // namespace velmora::tool
