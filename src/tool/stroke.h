// The state machine of one stroke: what a press, each drag and the release do for the
// selected tool and mouse button, over the snapshot and the tool's own state. The host
// side (viewports, undo, write-back, item picks, panel) is reached only through
// StrokeHost, so the machine runs the same under the host's callbacks and in tests.
//
// Rules and gotchas:
// - A drag is taken only when redrawRequest is back at 0 (the previous drag was drawn).
// - A drag whose viewport moved since the press voids the stroke: nothing painted so
//   far is written, and redrawRequest 3 makes the next draw re-capture the snapshot.
// - The object is written once per stroke, at the release (commit), with the changed
//   points only; a click that changes nothing still records an empty undo step and
//   runs the write-back with an empty change list.
#pragma once
#include <cstdint>

#include "gradient/gradient_data.h"
#include "mesh/mesh_data.h"
#include "settings/tool_settings.h"
#include "tool/lasso.h"
#include "tool/tool_scratch.h"
#include "tool/view_state.h"

namespace velmora::tool {

// Tool list indices.
enum ToolIndex : int32_t {
  kToolPen = 0, kToolBrush = 1, kToolLinearGrad = 2, kToolLassoPaint = 3, kToolFill = 4, kToolBlur = 5,
  kToolPenSel = 6, kToolLassoSel = 7, kToolFillSel = 8, kToolSelBone = 9, kToolSelObject = 10,
};

// downMode values.
enum DownMode : int32_t {
  kDownStroke = 0, kDownBoneRight = 1, kDownBoneAdd = 2, kDownBoneRemove = 3, kDownPickingOff = 9,
  kDownObject = 10,
};

inline constexpr int32_t kBrushSizeMin = 4;
// The alternate (usually right) mouse button bit of the event flags.
inline constexpr int32_t kAltButtonFlag = 1 << 3;
// Value written for a point that leaves the map.
inline constexpr float kUnassignedValue = -1000000.0f;

// One mouse event, in the host's terms.
struct ToolEventInput {
  Vec3 pos;           // the event's 3D position (raw)
  Vec3 delta;         // its 3D offset from the press (raw)
  Vec3 axisX, axisY;  // the event's screen axes, not normalised (|axisX| = one pixel)
  int32_t dx = 0;     // horizontal pixel offset from the press
  int32_t flags = 0;
  int32_t viewport = 0;
};

struct ViewportView {
  Vec3 position;      // the view position
  int32_t type = 0;
  double hither = 0.0, yon = 0.0;
};

// What the stroke needs from the host and the other subsystems.
class StrokeHost {
 public:
  virtual ~StrokeHost() = default;
  // The viewport's view (re-acquired); false when the host cannot tell.
  virtual bool viewportView(int32_t viewport, ViewportView& out) = 0;
  // Width and height of the union of all viewports; false when there is none.
  virtual bool viewportUnionSize(int32_t& width, int32_t& height) = 0;
  // The selected item is no longer the snapshot's object.
  virtual bool selectedItemChanged() = 0;
  // Object pick at the event (sets the picked object), and at the release: select the
  // picked object and re-capture when it differs from the current one.
  virtual void trySelectingObjectInLayout() = 0;
  virtual void selectPickedObject() = 0;
  // Bone pick in a mode (getSelectedBoneStc); whether any bone is picked; and the
  // picked bone's weight-map name (false when it has none).
  virtual int32_t getSelectedBoneStc(int32_t mode) = 0;
  virtual bool hasPickedBone() = 0;
  virtual bool pickedBoneWeightMap(char* out, int32_t size) = 0;
  virtual void refreshEditPanel() = 0;
  virtual void makeZeroWeightedOutlinePoints() = 0;
  // rec1Process(inst, 0) and callMeshEditAccess(inst) over the change list.
  virtual void recordUndoStep(int32_t changeCount) = 0;
  virtual void writeChangeList(int32_t changeCount) = 0;
};

// The stroke's own state, kept from the press to the release.
struct StrokeState {
  int32_t downMode = kDownStroke;
  int32_t buttonKind = 0;       // 1 left, 2 alternate, 0 between strokes
  uint8_t cancelled = 0;
  uint8_t deselectStroke = 0;
  Vec3 gradientStart;
  Lasso lasso;
  int32_t lastChangeCount = 0;  // entries of the last commit
};

// Everything the tool keeps between events.
struct ToolState {
  ViewState view;
  StrokeState stroke;
  ToolScratch scratch;
};

// The stroke's view of the instance.
struct StrokeContext {
  MeshData& mesh;
  ToolSettings& settings;
  const GradientData& gradient;
  ToolState& tool;
  int32_t& redrawRequest;
  StrokeHost& host;
};

// Press, drag and release. strokeDown always returns 1 (the tool takes the press).
int32_t strokeDown(StrokeContext& c, const ToolEventInput& event);
void strokeMove(StrokeContext& c, const ToolEventInput& event);
void strokeUp(StrokeContext& c, const ToolEventInput& event);

// brushSizeMax from the union of the viewports: floor(0.2 (width + height)), at least
// 128; 320 when there is no viewport.
int32_t brushSizeMaxFor(bool haveViewports, int32_t width, int32_t height);

// Clamps a brush size into [4, brushSizeMax].
int32_t clampBrushSize(int32_t size, int32_t brushSizeMax);

// The change list: every changed point in index order with its value, or
// kUnassignedValue when it has none. Returns the number of entries.
int32_t buildChangeList(MeshData& m);

// Commit: outline points, change list, undo step and write-back.
int32_t commitStroke(StrokeContext& c);

}  // namespace velmora::tool
