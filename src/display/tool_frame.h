// One viewport frame of the tool: what the host's draw callback does for our instance.
//
// Rules and gotchas:
// - The host calls the draw callback once per viewport and frame. The snapshot is
//   re-captured by at most one of those calls per frame (refreshSkip counts the other
//   viewports' calls, which only check the selection), and never while a button is held.
// - A view moved while a button is held cancels the stroke at the next draw of the
//   stroke's viewport.
// - A null access (a host asking for no drawing) still keeps the snapshot current.
#pragma once
#include <cstdint>

#include "display/display_state.h"
#include "shell/inst_data.h"

extern "C" {
#include <lwcustobj.h>
}

// What one draw call does to keep the snapshot current.
enum class RefreshAction { None, Capture, CheckSelection };

// Decides and books the refresh of one draw call. A pending redraw request is cleared
// and starts a countdown over the other viewports' calls of this frame (captures only
// when bit 1 asked for it); without one, the countdown's calls check the selection and
// the first call after it re-captures (unless a button is held), starting the countdown
// again so the frame's other viewports do not capture too.
RefreshAction bookSnapshotRefresh(int32_t& redrawRequest, int32_t& refreshSkip, int32_t numViewports,
                                  bool buttonHeld);

// True when the stroke must be cancelled: a button is held, this is the stroke's
// viewport, and its position is no longer the one read at the press.
bool viewMovedDuringStroke(const InstData& inst, int32_t viewport, const double viewportPos[3]);

// The display state of the module's instance.
DisplayState& toolDisplayState();

// Everything the draw callback does for our instance: leave the tool when the edit
// panel is closed or nothing is selected ("ChangeTool"), keep the snapshot current,
// guard the stroke, then draw faces, bones, edges, points, labels, the cursor and the
// pick highlight into access.
void drawToolFrame(InstData& inst, LWCustomObjAccess* access);
