// Where a viewport looks: clip planes that follow the viewing distance, and a viewport aimed
// at what a scene holds, so a picture of any model shows it whatever its size.
#pragma once
#include "scene/sim_scene.h"
#include "scene/sim_viewport.h"

namespace sim {

// Perspective views: the near plane a fixed fraction of the distance to the centre (a model
// millimetres across, looked at from close by, stays in front of it) and the far plane far
// enough for the whole view. Orthographic views keep theirs.
void scaleClipPlanes(SimViewport& view);

// The box around every visible object's points in the world (frozen positions when the
// scene has them); false when no object has a point.
bool sceneBounds(const SimScene& scene, Vec3& lo, Vec3& hi);

// Centres the view on the box and sets its zoom so the box fits the picture with a margin,
// keeping the view's type, rotation and size; then scales the clip planes.
void frameViewport(SimViewport& view, const Vec3& lo, const Vec3& hi);

}  // namespace sim
