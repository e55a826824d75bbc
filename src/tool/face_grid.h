// The screen face grid and the hidden-point test: which points are hidden from the eye
// by a face of the object. The grid lives for one operation (one brush application
// without a face under the cursor, one gradient line, one lasso release).
//
// Rules and gotchas:
// - Needs the press's projection cache (prepareStrokeCaches): screen positions and the
//   behind-the-eye flags of the points, and the faces' screen boxes.
// - A face with a corner behind the eye is never entered, so it never hides anything.
// - A point outside the window is looked up in the nearest border cell.
#pragma once
#include <cstdint>
#include <vector>

namespace velmora::tool {

struct FaceGrid {
  double window[4] = {0, 0, 0, 0};  // minX, minY, maxX, maxY
  double cellSize = 0.0;
  int32_t columns = 0, rows = 0;
  double xSlack = 0.0;              // widening of the face boxes in x for the quick reject
  std::vector<int32_t> cellStart;   // columns x rows + 1 offsets (row-major)
  std::vector<int32_t> cellFaces;   // face indices grouped by cell
  std::vector<int32_t> entered;     // the faces entered
  std::vector<int32_t> cursor;      // build scratch
  std::vector<int32_t> spans;       // build scratch: first and last column and row per entered face

  // A grid that entered every face in front of the eye depends only on the press's
  // projection, so destroyMat2D keeps it and a later window that takes in all those
  // faces gets it back unchanged (a brush over the whole mesh, drag after drag).
  uint64_t keptGeneration = 0;      // the press it was built for; 0: none kept
  double keptWindow[4] = {0, 0, 0, 0};
  double keptCellSize = 0.0, keptXSlack = 0.0;
  int32_t keptColumns = 0, keptRows = 0;
};

// Cell side and counts for a window of W x H holding n faces: about max(n, 4) square
// cells, and never a strip thinner than 1 / (m + 1) of the other side.
void sizeFaceGrid(double W, double H, int32_t n, double& cellSize, int32_t& columns, int32_t& rows);

struct PaintContext;

enum FaceGridMode : int32_t { kGridBrush = 0, kGridGradientLine = 1, kGridLasso = 2 };

// Builds the grid around the brush (mode 0), over all points (mode 1) or over the lasso
// bounds minX, minY, maxX, maxY (mode 2, lassoBounds required).
void makeTrisMat2D(PaintContext& c, int32_t mode, const float* lassoBounds = nullptr);

// 1 when no entered face lies between point i and the eye, else 0.
int32_t isFrontFacePoint(PaintContext& c, int32_t i);
// The same with point i seen at screen position (x, y).
int32_t isFrontFacePointAt(PaintContext& c, int32_t i, double x, double y);

// Empties the grid (safe on an empty grid); the arrays keep their capacity, and a grid
// of every face in front of the eye is kept for reuse within the same press.
void destroyMat2D(FaceGrid& g);

}  // namespace velmora::tool
