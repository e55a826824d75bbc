// Meshes and views for the painting tool's tests: a snapshot built by the module's own
// topology builder from plain point and polygon lists, and the two kinds of view.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "gradient/gradient_data.h"
#include "mesh/mesh_data.h"
#include "settings/tool_settings.h"
#include "tool/paint_context.h"
#include "tool/stroke.h"

namespace velmora::tool::testing {

using Points = std::vector<std::array<double, 3>>;
using Polygons = std::vector<std::vector<int32_t>>;

// Builds the snapshot topology of the polygons (displayed = rest positions).
void buildTestMesh(MeshData& m, const Points& points, const Polygons& polygons);

// A side x side grid of unit quads in the plane z = z0, x and y from offset.
void appendGrid(Points& points, Polygons& polygons, int32_t side, double z0, double offsetX = 0.0, double offsetY = 0.0);

// An orthographic front view: screen x = world x, y = world y, the ray along +z; one
// pixel is pixelSize world units.
void setFrontView(ViewState& v, double pixelSize);

// A perspective view from eye looking along +z (screen axes x and y).
void setPerspectiveView(ViewState& v, const Vec3& eye, double pixelSize);

// Puts the event (and the pick ray) at world position e.
void moveEventTo(ViewState& v, const Vec3& e);

// Everything an operation needs, owned in one place.
struct ToolBench {
  MeshData mesh;
  ToolSettings settings;
  GradientData gradient;
  ToolState tool;
  ToolBench();
  ~ToolBench();
  PaintContext context() { return {mesh, settings, gradient, tool.view, tool.scratch}; }
  // Builds the mesh, sizes the scratch and projects it in the current view.
  void load(const Points& points, const Polygons& polygons);
  // Re-runs the press caches (after changing the view).
  void prepare();
};

}  // namespace velmora::tool::testing
