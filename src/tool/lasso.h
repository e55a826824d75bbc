// The freehand lasso: its outline, closed at the release, and the even-odd containment
// test of screen positions, sped up by horizontal bands of segments.
//
// Rules and gotchas:
// - A lasso of fewer than 3 nodes cannot be closed (makeLasso returns 1).
// - Scan-line crossings at nodes: a node counts once where the outline passes through
//   its height and not at all at a turning point (the outline comes back the same way),
//   so a point level with a turning node is decided correctly.
// - Self-crossing outlines (a figure eight) are decided by even-odd pairing: inside
//   either loop is inside.
#pragma once
#include <cstdint>
#include <vector>

#include "geometry/vec3.h"

namespace velmora::tool {

// Node flags: bit 0 the node counts as a crossing of a scan line through it, bit 1 the
// segment from it rises, bit 2 the segment is level.
enum LassoNodeFlags : uint8_t { kLassoCrossing = 1, kLassoRising = 2, kLassoLevel = 4 };

struct LassoNode {
  float x = 0.0f, y = 0.0f;        // screen position
  float endX = 0.0f, endY = 0.0f;  // the next node's (the first node's for the last)
  double worldPos[3] = {0, 0, 0};  // the event position of the node
  uint8_t flags = 0;
};

// Maximum crossings one containment test records (further ones overwrite the last).
inline constexpr int32_t kLassoMaxCrossings = 512;

struct Lasso {
  std::vector<LassoNode> nodes;
  float bounds[4] = {0, 0, 0, 0};  // minX, minY, maxX, maxY
  std::vector<int32_t> bandStart;  // bandCount + 1 offsets into bandSegments
  std::vector<int32_t> bandSegments;  // node indices (each node's segment), by band
  int32_t bandCount = 0;
  float bandHeight = 0.0f;
  std::vector<float> crossings;    // scratch of isInLasso, kLassoMaxCrossings
};

// Appends a node at (x, y); returns it.
LassoNode& add1PolLine(Lasso& lasso, float x, float y);

// Closes the outline and builds the bands: 0 success, 1 too few nodes.
int32_t makeLasso(Lasso& lasso);

// 1 when (x, y) is inside the closed lasso, else 0.
int32_t isInLasso(Lasso& lasso, float x, float y);

// Frees nodes and bands.
void destroyLasso(Lasso& lasso);

}  // namespace velmora::tool
