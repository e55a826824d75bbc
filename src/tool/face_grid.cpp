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
  g.cellStart.clear();
  g.cellFaces.clear();
  g.entered.clear();
  g.columns = g.rows = 0;
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

void makeTrisMat2D(PaintContext& c, int32_t mode, const float* lassoBounds) {
  FaceGrid& g = c.scratch.faceGrid;
  destroyMat2D(g);
  double w[4];
  if (mode == kGridBrush) {
    brushWindow(c, w);
  } else if (mode == kGridLasso && lassoBounds) {
    for (int k = 0; k < 4; ++k) w[k] = lassoBounds[k];
  } else {
    allPointsWindow(c, w);
  }
  const std::vector<double>& box = c.scratch.faceBox;
  collectScreenFacesInBox(c, w, [&](int32_t f) {
    if (c.scratch.faceBehind[size_t(f)]) return;
    const double* b = &box[size_t(f) * 4];
    if (b[2] < w[0] || b[0] > w[2] || b[3] < w[1] || b[1] > w[3]) return;
    g.entered.push_back(f);
  });
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
  sizeFaceGrid(w[2] - w[0], w[3] - w[1], int32_t(g.entered.size()), g.cellSize, g.columns, g.rows);
  const size_t cells = size_t(g.columns) * size_t(g.rows);
  g.cellStart.assign(cells + 1, 0);
  auto span = [&](int32_t f, auto&& onCell) {
    const double* b = &box[size_t(f) * 4];
    const int32_t c0 = cellOf(b[0], w[0], g.cellSize, g.columns), c1 = cellOf(b[2], w[0], g.cellSize, g.columns);
    const int32_t r0 = cellOf(b[1], w[1], g.cellSize, g.rows), r1 = cellOf(b[3], w[1], g.cellSize, g.rows);
    for (int32_t r = r0; r <= r1; ++r)
      for (int32_t col = c0; col <= c1; ++col) onCell(size_t(r) * size_t(g.columns) + size_t(col));
  };
  for (int32_t f : g.entered) span(f, [&](size_t cell) { ++g.cellStart[cell + 1]; });
  for (size_t k = 1; k <= cells; ++k) g.cellStart[k] += g.cellStart[k - 1];
  g.cellFaces.resize(size_t(g.cellStart[cells]));
  g.cursor.assign(g.cellStart.begin(), g.cellStart.end() - 1);
  for (int32_t f : g.entered) span(f, [&](size_t cell) { g.cellFaces[size_t(g.cursor[cell]++)] = f; });
}

namespace {

// Does the outline of face f on the screen contain (x, y)? On the outline counts.
bool faceCoversScreenPoint(const PaintContext& c, int32_t f, double x, double y) {
  OutlineCorner corners[4];
  const int32_t k = cornerCountOf(c.mesh, f);
  for (int32_t i = 0; i < k; ++i) {
    const size_t p = size_t(cornerOf(c.mesh, f, i)) * 3;
    corners[i] = {c.scratch.screen[p], c.scratch.screen[p + 1], c.scratch.screen[p + 2]};
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

bool isCornerOf(const MeshData& m, int32_t f, int32_t i) {
  for (int32_t k = 0; k < cornerCountOf(m, f); ++k)
    if (cornerOf(m, f, k) == i) return true;
  return false;
}

// The plane of face f cuts the line of sight between point i and the eye. The face
// normals were stored at the press (the positions do not change during a stroke).
bool facePlaneHides(PaintContext& c, int32_t f, int32_t i) {
  const double* stored = &c.scratch.faceNormal[size_t(f) * 3];
  const Vec3 n{stored[0], stored[1], stored[2]};
  const Vec3 p = displayedPos(c.mesh, i);
  Vec3 v = c.view.viewDir;
  if (c.view.perspective) {
    v = p - c.view.eyePos;
    const double len = length(v);
    v = len < 1e-11 ? Vec3{} : v * (1.0 / len);
  }
  const double q = dot(n, v);
  if (std::fabs(q) < 1e-11) return false;
  const Vec3 a = displayedPos(c.mesh, cornerOf(c.mesh, f, 0));
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
  for (int32_t k = g.cellStart[cell]; k < g.cellStart[cell + 1]; ++k) {
    const int32_t f = g.cellFaces[size_t(k)];
    if (isCornerOf(c.mesh, f, i)) continue;  // cheaper first; never hides its own corner
    if (!faceCoversScreenPoint(c, f, x, y)) continue;
    if (facePlaneHides(c, f, i)) return 0;
  }
  return 1;
}

}  // namespace velmora::tool
