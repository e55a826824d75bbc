// The influence builders: which points a brush touches and how strongly. Each builds
// scratch.list (members in list order with a factor per point in PntUserData::factor)
// and links the same points into the snapshot's enableList through enableNext.
//
// Rules and gotchas:
// - flag = 1 restricts the candidates to the selected points when any are selected
//   (paint tools); "Pen Sel" passes 0. isBlur = 1 asks for the ring depth of the region.
// - A point exactly at the rim is not touched; one at the centre gets factor 1.
// - A point outside the list keeps whatever factor it had.
// - The screen variants need the press's caches (prepareStrokeCaches); the surface walk
//   needs the press's point normals (initOtherNormOfPoints).
// - List order is the reverse of index order for the radial builders and the reverse
//   of settling order for the surface walk; ties of "nearest" go to the lower index.
#pragma once
#include <cstdint>

#include "tool/paint_context.h"

namespace velmora::tool {

// By screen distance, no depth or facing test ("No Depth").
void makeEnablePointList_Radial2D(PaintContext& c, int flag, int isBlur);

// By screen distance, hidden points excluded (the cursor is over no face).
void makeEnablePointListCullFace_Radial2D(PaintContext& c, int flag, int isBlur);

// By distance in space from the hit point (falloff "Global").
void makeEnablePointList_Radial3D(PaintContext& c, const Vec3& hit, int flag, int isBlur);

// By distance along the surface from the hit point (falloff "Surface"), starting from
// the corners of face; nothing when face < 0.
void makeEnablePointList_Mesh2(PaintContext& c, int32_t face, const Vec3& hit, int flag);

// Sets list.influenceDepth: the rings of edges of the touched region, walked from
// nearest (and from the nearest member the first walk did not reach); 1 when not Blur,
// 0 when nearest < 0.
void getCountExpValue(PaintContext& c, int32_t nearest, int isBlur);

// ---- shared by the builders -------------------------------------------------------

// Starts an empty list.
void beginEnableList(PaintContext& c);
// Accepts point i (radial builders): the list is emitted in reverse index order.
inline void acceptPoint(ToolScratch& s, int32_t i) { s.accepted[size_t(i) >> 6] |= uint64_t(1) << (i & 63); }
// Turns the accepted bits into list order, sets mark = 1 for members, gives each member
// factor = curve(brushDistance / radius) and links enableNext.
void emitAcceptedPoints(PaintContext& c, double radius);

}  // namespace velmora::tool
