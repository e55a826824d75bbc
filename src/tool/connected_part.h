// The connected parts of the mesh under clicked faces ("Fill", "Fill Sel").
#pragma once
#include <cstdint>
#include <vector>

#include "tool/paint_context.h"

namespace velmora::tool {

// Collects into scratch.part (and links through partNext from the returned head) the
// points of the parts of the given faces, face by face: the face's candidate corners,
// then every candidate reached through edges. flag = 1 restricts the candidates to the
// selected points when any are selected, so the growth stops at unselected points.
// Only edges join parts: faces touching at a corner join through that corner.
// Returns the head of the partNext list, or null.
PntUserData* getPointsOfClickedPart(PaintContext& c, const std::vector<int32_t>& faces, int flag);

}  // namespace velmora::tool
