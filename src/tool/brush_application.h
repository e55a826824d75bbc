// One application of a brush tool at the latest event: build the influence list with
// the variant the view and settings call for, then change the values.
#pragma once
#include <cstdint>

#include "tool/paint_context.h"

namespace velmora::tool {

// Builds scratch.list for the event: "No Depth" by screen distance; otherwise the face
// under the cursor decides: none gives the screen variant with the hidden-point test,
// a face the "Surface" or "Global" variant at its hit point (brushRadius3D is set from
// the brush size at the hit's depth). atPress recomputes the point normals first.
void buildBrushInfluence(PaintContext& c, int flag, int isBlur, bool atPress);

// One brush application of Pen (0), Brush (1) or Blur (5).
void applyBrush(PaintContext& c, int32_t toolIndex, bool atPress);

// "Pen Sel": the same influence with flag 0; each member is selected, or deselected
// when deselect is set, keeping selectedCount exact.
void applySelectionBrush(PaintContext& c, bool deselect, bool atPress);

// Sets or clears point i's selection, keeping selectedCount exact.
void setPointSelected(MeshData& m, int32_t i, bool selected);

}  // namespace velmora::tool
