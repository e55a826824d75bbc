// The face (or two-point line) under the cursor along the pick ray of the latest event.
//
// Rules and gotchas:
// - Needs the pick frame of getEventPosRaw and, for speed, the press's caches
//   (prepareStrokeCaches); without them every face is tested.
// - In a perspective view a hit nearer to the eye than kBehindEyeDepth voids the
//   whole pick (no face at all), as a click "inside" the camera means nothing.
// - A line is taken within 16 pixels of the ray, even over a face behind it, but not
//   over a face in front of it.
#pragma once
#include <cstdint>
#include <vector>

#include "tool/paint_context.h"

namespace velmora::tool {

// Lines are picked within this many pixels of the ray.
inline constexpr double kLinePickPixels = 16.0;

struct FacePick {
  int32_t face = -1;  // face record index, -1 when nothing is under the cursor
  Vec3 hit;           // the hit point
};

// The nearest face or line under the cursor.
FacePick getClickedPolygon(PaintContext& c);

// Every face and line under the cursor regardless of depth ("No Depth"), in chain order
// (most recently found first: lines, then faces in ascending index). Empty when the
// perspective guard voids the pick.
void getListOfClickedPolygons(PaintContext& c, std::vector<int32_t>& out);

}  // namespace velmora::tool
