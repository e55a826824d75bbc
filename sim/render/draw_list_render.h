// Replays what a plug-in drew through the custom-object access (a recorded DrawList) into a
// viewport picture, honouring each primitive's colour, line pattern, draw mode bits, texture
// and coordinate system.
#pragma once
#include "host/draw_recorder.h"
#include "render/view_painter.h"
#include "scene/sim_scene.h"

namespace sim {

// Draws every primitive of `list` in order over what `painter` already holds, testing
// against (and writing) its depth buffer as each primitive's LWDRAWMODE_* bits say.
// - LWCSYS_WORLD: world metres. LWCSYS_OBJECT: the csysItem's space (world when the item is
//   unknown or none). LWCSYS_ICON: as OBJECT, scaled by the item's icon scale (the grid is
//   1 m). LWCSYS_VIEWPORT: window pixels from the top left, z 0 near .. 1 far.
// - Circles and disks lie in the view plane around their centre; the radius is in the
//   primitive's units (pixels for LWCSYS_VIEWPORT).
// - The texture in force when a quad was drawn maps onto it with its four UVs (the
//   documents promise textures on quads only); filtered as `policy` says.
// - LWDRAWMODE_OUTLINE draws triangles, quads, polygons and disks as closed outlines.
// How the host's OpenGL samples a plug-in's texture: the documents do not say, so both
// plausible filters are offered. Linear is what a gradient texture of key colours
// (sampled between key texels) is made for.
struct DrawAccessPolicy {
  enum class TextureFilter { Nearest, Linear } textureFilter = TextureFilter::Linear;
};

void renderDrawList(const DrawList& list, const SimScene& scene, ViewPainter& painter,
                    const DrawAccessPolicy& policy = {});

}  // namespace sim
