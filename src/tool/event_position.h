// Turning a tool event into the tool's view terms: the event point, the pick ray and
// the pick frame, per view type.
#pragma once
#include <cstdint>

#include "tool/view_state.h"

namespace velmora::tool {

// The screen axes of a press: axisX and axisY normalised, viewDir = axisX x axisY, and
// pixelSize = the length of the raw axisX. Returns that length.
double setScreenAxes(ViewState& v, const Vec3& rawAxisX, const Vec3& rawAxisY);

// Fills eventPos, eyePos (orthographic types), rayDir, eventOffset, depthLimit,
// perspective, the pick frame and eventScreen from the event's position e and delta d,
// for v.viewType (1-6 orthographic, 7-9 perspective, any other a neutral frame).
// Returns the event's depth in a perspective view, else 0.
double getEventPosRaw(ViewState& v, const Vec3& e, const Vec3& d);

}  // namespace velmora::tool
