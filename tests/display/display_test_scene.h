// The display's test bench: an instance with a snapshot built from plain point and
// polygon lists, a gradient and its texture, a view, and a recording draw access whose
// primitives the tests count and read.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "display/display_frame.h"
#include "host/draw_recorder.h"

namespace display_testing {

using Points = std::vector<std::array<double, 3>>;
using Polygons = std::vector<std::vector<int32_t>>;  // two-point entries are lines

// A side x side grid of unit quads at z = 0, x and y from 0.
void appendGrid(Points& points, Polygons& polygons, int32_t side);

struct Counts {
  int triangles = 0, quads = 0, lines = 0, texturedQuads = 0, texturedTriangles = 0;
};

struct DisplayBench {
  std::unique_ptr<InstData> inst = std::make_unique<InstData>();
  DisplayState state;
  DrawView view;
  sim::DrawList list;
  LWCustomObjAccess access{};

  DisplayBench();  // gradient preset 0 and its texture, unit circle, front view
  ~DisplayBench();
  void load(const Points& points, const Polygons& polygons);
  // Orthographic front view (screen x = world x, y = world y, looking along +z) with
  // the eye at z = -10, or a perspective view from eye looking along +z.
  void frontView(double pixel);
  void perspectiveView(const velmora::geometry::Vec3& eye, double pixel);
  // Gives point i a value (and its gradient colour).
  void setValue(int32_t i, float value);
  // Records steps 7-13 (drawSnapshot) into list.
  void draw();
  DisplayFrame frame() { return {access, view, *inst, state}; }
  void startRecording();
  Counts counts() const;
};

Counts countOf(const sim::DrawList& list);
bool sameColour(const std::array<float, 4>& a, const Rgba& b);

// The glyph indices of the textured quads of a recorded label, read left to right on
// screen (x along axisX); cell is the image's cell in texture units.
std::vector<int> glyphsLeftToRight(const sim::DrawList& list, double cell, const velmora::geometry::Vec3& axisX);
// The same as text ("-50").
std::string labelText(const sim::DrawList& list, double cell, const velmora::geometry::Vec3& axisX);

}  // namespace display_testing
