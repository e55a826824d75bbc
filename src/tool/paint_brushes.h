// The value operations of the paint tools over the influence list (Pen, Brush, Blur)
// or a clicked part (Fill). Each marks what it touches as changed and recolours it.
//
// Rules and gotchas:
// - A value that comes within 0.005 of the target snaps to it; an erased value below
//   0.005 leaves the map (hasValue = 0, value = 0, the unweighted look).
// - "Brush" with erase on never touches points without a value; "Pen" with erase on
//   removes the value whatever the factor.
// - "Blur" reads valueAtStart and writes value, then copies value back into
//   valueAtStart after every pass, so passes and drags smooth the smoothed values.
#pragma once
#include <cstdint>
#include <vector>

#include "tool/paint_context.h"

namespace velmora::tool {

// Values within this of the target snap to it; erased values below it leave the map.
inline constexpr float kValueSnap = 0.005f;
// "Blur" never runs more passes than this in one application.
inline constexpr int32_t kMaxBlurPasses = 128;

void runVMapPaintBrush_Pen(PaintContext& c);
void runVMapPaintBrush_Brush(PaintContext& c);
void runVMapPaintBrush_Blur(PaintContext& c);
// Fills the connected parts of the clicked faces (restricted to the selected points
// when any are selected). Returns the number of points filled.
int32_t runVMapPaintBrush_Fill(PaintContext& c, const std::vector<int32_t>& faces);

// The number of "Blur" passes for strength s over a region influenceDepth rings deep.
int32_t blurPassCount(float s, int32_t influenceDepth);

// Colour and colour key of point p from the gradient at its value, or the unweighted
// look when it has no value.
void recolourPoint(const PaintContext& c, PntUserData& p);

// Sets a value (erase off) or removes it (erase on), as Pen, Fill and lasso paint do.
void setOrEraseValue(const PaintContext& c, PntUserData& p);
// Moves p's value a fraction k of the way to target (erase off) or towards no value
// (erase on), as Brush and Linear Grad do. False when erasing a point without a value,
// which is left untouched.
bool blendValue(PntUserData& p, float target, float k, bool erase);

}  // namespace velmora::tool
