// A host-side stand-in for the tool's half of the module's weight-map ring.
//
// The module's mesh-edit command ("ModCommand_MEAccess_vmr") asks the tool, over the ring
// "COMRING_WEIGHTPAINTTOOL", what to do and with which data, then performs it with the
// host's mesh-edit access. Until mouse painting reaches the module, the command-line host
// plays the tool's answers itself so the module's own write path can be exercised: it
// answers the operation query (message 99) with an operation code and the data request
// (message 0 for stored values, 4 for map names) with its block.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "host/host.h"

namespace sim::app {

constexpr const char* kToolRingTopic = "COMRING_WEIGHTPAINTTOOL";
constexpr const char* kMeshEditCommand = "ModCommand_MEAccess_vmr";

// The operation codes the module's mesh-edit command understands.
enum class RingOp : int32_t { StoreValues = 0, DeleteMap = 3, RenameMap = 4 };

struct RingRequest {
  RingOp op = RingOp::StoreValues;
  std::string map;                // the map to write, delete or rename
  std::string newName;            // RenameMap: the new name
  std::vector<int32_t> indices;   // StoreValues: ascending point indices in scan order
  std::vector<float> values;      // StoreValues: one per index; <= -100000 removes the point
};

// What happened on the ring during one command.
struct RingOutcome {
  bool queried = false;       // the command asked for the operation
  bool dataSent = false;      // and for its data
  bool mapChanged = false;    // it reported a delete or rename
};

// Attaches a listener on the ring, issues the mesh-edit command through Host::command with
// the current selection, and detaches again. Fails when the tool is active (it answers the
// ring itself), when the request is malformed, or when the host refuses the command.
bool runRingRequest(Host& host, const RingRequest& request, RingOutcome* outcome, std::string* error);

// The demo's stroke: a gradient along +y over one column of points of `mesh` (the point
// with the smallest angle around the y axis on each ring of equal height), 0 at the bottom
// and 1 at the top, written as map `name`.
RingRequest gradientStroke(const SimMesh& mesh, const std::string& name, size_t maxPoints = 48);

}  // namespace sim::app
