// What Layout shows in one viewport, drawn in software so a person can look at it: the
// background, a ground grid, the scene's objects by their item visibility, bones, nulls,
// and on top the active tool's last drawing for that viewport.
#pragma once
#include "host/host.h"
#include "render/image.h"

namespace sim {

// Draws viewport `viewport` of `host` into `image` (resized to the viewport's width x
// height). Objects are drawn at their frozen (deformed) positions by visibility: 0 hidden,
// 1 bounding box, 2 points, 3 wireframe, 4 front-face wireframe, 5 and 6 shaded (headlight
// Lambert, back faces culled), 7 shaded with front-face wires; selected items in yellow.
// Bones are octahedral wires from their current frames (pivot, rest length along +z),
// nulls small crosses. host.lastDraw[viewport] (filled by redrawViewports()) is replayed
// last with its own depth handling. Cost: O(points + polygons + covered pixels).
// False, with `image` untouched, for an unknown viewport or one with no pixels.
bool renderViewport(const Host& host, int viewport, Image& image);

}  // namespace sim
