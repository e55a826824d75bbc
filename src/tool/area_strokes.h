// The release work of the area tools: the gradient line, lasso paint and lasso
// selection, and the 15-degree snapping of the gradient line while it is dragged.
#pragma once
#include <cstdint>

#include "tool/lasso.h"
#include "tool/paint_context.h"

namespace velmora::tool {

// The end of a gradient line from start to end, snapped to 15-degree steps in screen
// terms (axisX, axisY), keeping its screen length.
Vec3 snapGradientEnd(const ViewState& v, const Vec3& start, const Vec3& end);

// "Linear Grad" from start to the current eventPos: points behind the start get factor
// 1, beyond the end nothing, in between 1 - t/len; values move toward "Value" by
// factor x strength[1] (or toward 0 with erase). Returns the number of points changed
// (0 also for a line of zero length).
int32_t applyGradientLine(PaintContext& c, const Vec3& start);

// "Lasso Paint": every candidate inside the closed lasso (and visible, unless "No
// Depth") gets "Value" or loses its value. Returns the number of points changed.
int32_t applyLassoPaint(PaintContext& c, Lasso& lasso);

// "Lasso Sel": every point inside the closed lasso (and visible, unless "No Depth") is
// selected, or deselected. Returns the number of points whose selection was set.
int32_t applyLassoSelection(PaintContext& c, Lasso& lasso, bool deselect);

// The screen position of a world position as the area tools use it: divided in a
// perspective view unless nearer than minDepth (then false).
bool areaScreenPosition(const PaintContext& c, int32_t i, double minDepth, Vec2& out);

}  // namespace velmora::tool
