// Step 11 of the weight display: the point markers, and the marker sizes the value
// labels sit above. Sizes are in the view's pixel units (world units in an orthographic
// view, units at depth 1 in a perspective one).
#pragma once

#include "display/display_frame.h"

// "Multiply Size by Value": the value scaled into 0..1 against the gradient's range,
// each sign on its own (a negative value against the negative part of the range).
float markerSizeFactor(float value, float rangeMin, float rangeMax);

// Inner (square half-side) and outer (octagon radius) size of a point's marker.
struct MarkerSize {
  double inner = 0.0, outer = 0.0;
};
// For the display choice: "Wire-framed Points" grows with pointSize (and with the
// sizeFactor when "Multiply Size by Value" is on); the shaded choices use 1 and 2 pixels.
MarkerSize markerSizeOf(const InstData& inst, const PointDraw& draw, double pixel);

// A marker: an octagon of radius outer in outlineColour, then a square of half-side
// inner in colour, in the screen plane (axisX, axisY) around centre.
void draw1Point(double inner, double outer, const LWCustomObjAccess& access, const velmora::geometry::Vec3& axisX,
                const velmora::geometry::Vec3& axisY, const velmora::geometry::Vec3& centre, const float colour[4],
                const float outlineColour[4]);

// The whole step: every point in "Wire-framed Points"; selected and isolated points in
// the shaded choices. Sets each drawn point's sizeFactor. O(points), allocates nothing.
void drawPointMarkers(DisplayFrame& f);
