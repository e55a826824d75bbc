// One draw call's working set, handed to each drawing step: the access, the view, the
// instance (snapshot, settings, gradient, stroke) and the display's own state.
#pragma once

#include "display/display_state.h"
#include "display/draw_view.h"
#include "shell/inst_data.h"

struct DisplayFrame {
  const LWCustomObjAccess& access;
  const DrawView& view;
  InstData& inst;
  DisplayState& state;
};

// Display choices (InstData::visibility).
enum DisplayChoice : int32_t { kWireframedPoints = 0, kShadedSolid = 1, kShadedSolidWire = 2 };

// Draw modes the display uses (LWDRAWMODE_* bits).
inline constexpr unsigned kModeOverlay = 0;                                       // no depth, no culling
inline constexpr unsigned kModeDepthTested = LWDRAWMODE_DEPTHTEST;                // tested, not written
inline constexpr unsigned kModeSolid = LWDRAWMODE_CULLFACE | LWDRAWMODE_DEPTHTEST | LWDRAWMODE_DEPTHWRITE;

// Step 9: every point's drawPos, drawScreen, drawDepth and drawHidden for this view.
// state.points is resized only when the point count changed. O(points).
void computeDrawPositions(const MeshData& mesh, const DrawView& view, std::vector<PointDraw>& points);

// Steps 7-13 of one draw call over the snapshot (no host calls): shaded faces, draw
// positions, edges, point markers, labels and the cursor. Bones and the pick highlight
// need the host and are drawn by drawToolFrame.
void drawSnapshot(DisplayFrame& f);
