// Step 13 of the weight display: the cursor of the current tool while a button is held,
// and the circles it is made of.
#pragma once

#include "display/display_frame.h"

enum CircleMode : int32_t { kCircleFilled = 0, kCircleDashed = 1 };

// Segments of a circle of this radius: 8 below 13 pixels, 16 below 32, 32 below 64,
// else 64.
int32_t circleSegmentsFor(double radiusPixels);

// A circle in the screen plane (ax, ay) around centre, radius radiusPixels x pixel,
// corners from the unit-circle table (64 entries) at a step of 64 / segments. Filled:
// solid pattern, one triangle per segment from the centre. Dashed: pattern 2, one line
// per segment.
void drawFillCircle(const LWCustomObjAccess& access, const double (&unitCircle)[kUnitCircleSteps][2],
                    int32_t mode, const Rgba& colour, const velmora::geometry::Vec3& centre,
                    const velmora::geometry::Vec3& ax, const velmora::geometry::Vec3& ay, double radiusPixels,
                    double pixel);

// The "Linear Grad" band from start to end (both already at the cursor's depth):
// n = clamp(|end - start| / (4 pixel), 8, 64) pieces, 2 pixels to each side. Erase
// off: piece i in the gradient colour of value (1 - (i + 0.5) / n) with black sides and
// an end line in the colour at 0; erase on: cyan to dark grey with a cyan start line and
// a dark grey end line.
void drawGradientBand(const LWCustomObjAccess& access, const InstData& inst, const DrawView& view,
                      const velmora::geometry::Vec3& start, const velmora::geometry::Vec3& end, double pixel);

// The whole step, in the stroke's viewport only; drawn over everything (draw mode 0),
// since in a perspective view the cursor sits halfway between the clip planes.
void drawCursor(DisplayFrame& f);
