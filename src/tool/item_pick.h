// The hit tests of the item pickers, over plain inputs so that the host side can feed
// them from its own scans: the bone's double pyramid and an object's polygon, both on
// the screen of the current view.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "tool/outline_crossings.h"

#include "tool/view_state.h"

namespace velmora::tool {

// Is the cursor (screen position, perspective-divided) over the double pyramid with
// these six corners (base, four side corners in order, tip)? Only the eight triangles
// facing the viewer (non-positive signed area in the order base, corner, corner and
// tip, corner, corner) count, their edges included. In a perspective view a pyramid
// with a corner behind the eye is never hit.
bool boneDoublePyramidHit(const ViewState& v, const Vec3 corners[6], const Vec2& cursor);

// The cursor as the bone picker sees it: eventScreen, divided by the depth of eventPos
// in a perspective view.
Vec2 boneCursor(const ViewState& v);

// Picked bones, as the bone pick modes change them: 1 keeps the single shortest bone
// under the cursor, 2 adds, 3 removes.
struct PickedBone {
  uint64_t item = 0;
  double lengthKey = 0.0;  // restLength (z-axis bone) or |localPos| (joint bone)
};

// Applies one hit of a bone pick call to the list (prepend order for mode 2). For mode
// 1, firstHit tells whether this is the call's first hit. Returns the change to the
// call's result: 1 for mode 1's first hit, +1 added, -1 removed, 0 nothing.
int32_t applyBonePickHit(std::span<PickedBone> storage, int32_t& count, const PickedBone& hit, int32_t mode, bool firstHit);

// The state of one object pick over all objects, with the scratch of the polygon being
// tested (grown to the largest polygon met).
struct ObjectPick {
  double bestHit = 1e200;
  bool any = false;
  const void* bestPolygon = nullptr;
  std::vector<OutlineCorner> corners;
  std::vector<Crossing> crossings;
};

// Offers one polygon of an object (its displayed vertex positions) to the pick at the
// cursor (brushCentreOnScreen): lines within 16 pixels, faces containing the cursor;
// the nearest hit (depth <= best) wins. Returns true when the polygon became the best.
// A polygon with a vertex behind the eye (perspective) is not taken: its projection is
// mirrored and would report hits that are not under the cursor.
bool offerObjectPolygon(ObjectPick& pick, const ViewState& v, std::span<const Vec3> vertices, const void* polygon);

}  // namespace velmora::tool
