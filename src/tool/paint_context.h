// What every painting operation works on: the snapshot, the settings, the gradient
// (for colours), the view of the current stroke and the tool's working storage.
#pragma once
#include "gradient/gradient_data.h"
#include "mesh/mesh_data.h"
#include "settings/tool_settings.h"
#include "tool/tool_scratch.h"
#include "tool/view_state.h"

namespace velmora::tool {

struct PaintContext {
  MeshData& mesh;
  const ToolSettings& settings;
  const GradientData& gradient;
  ViewState& view;
  ToolScratch& scratch;
};

// The screen radius of the brush: brushSize x pixelSize.
inline double screenBrushRadius(const PaintContext& c) { return c.settings.brushSize * c.view.pixelSize; }

// Paint tools restrict to the selected points when any are selected.
inline bool restrictToSelection(const PaintContext& c, int flag) {
  return flag == 1 && c.mesh.selectedCount != 0;
}

}  // namespace velmora::tool
