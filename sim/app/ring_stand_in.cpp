#include "app/ring_stand_in.h"

#include <algorithm>
#include <cstring>

namespace sim::app {

namespace {

// The block the ring's messages carry, member for member as the module lays it out.
struct RingBlock {
  int32_t count;
  float value;
  const int32_t* indices;
  const float* values;
  void* instance;  // the tool's data; its first 512 bytes hold the map name
  const char* secondName;
  void* deletions;
  void* const* pointMapLists;
  void* master;
};

constexpr int kMsgStoreValues = 0;
constexpr int kMsgMapNames = 4;
constexpr int kMsgMapChanged = 10;
constexpr int kMsgQueryOp = 99;
constexpr size_t kNameBytes = 512;

struct Listener {
  const RingRequest* request = nullptr;
  char name[kNameBytes] = {};
  RingOutcome outcome;
};

void onRing(void* client, void*, int code, void* data) {
  auto* me = static_cast<Listener*>(client);
  auto* block = static_cast<RingBlock*>(data);
  switch (code) {
    case kMsgQueryOp:
      if (block) block->count = int32_t(me->request->op);
      me->outcome.queried = true;
      break;
    case kMsgStoreValues:
      if (!block) break;
      block->count = int32_t(me->request->indices.size());
      block->indices = me->request->indices.data();
      block->values = me->request->values.data();
      block->instance = me->name;
      me->outcome.dataSent = true;
      break;
    case kMsgMapNames:
      if (!block) break;
      block->instance = me->name;
      block->secondName = me->request->newName.c_str();
      me->outcome.dataSent = true;
      break;
    case kMsgMapChanged: me->outcome.mapChanged = true; break;
    default: break;
  }
}

}  // namespace

bool runRingRequest(Host& host, const RingRequest& request, RingOutcome* outcome, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (host.toolActive()) return fail("the tool is active and answers the ring itself; leave it first (ChangeTool)");
  if (request.map.empty() || request.map.size() >= kNameBytes) return fail("the map name is empty or too long");
  if (request.op == RingOp::RenameMap && request.newName.empty()) return fail("a rename needs a new name");
  if (request.op == RingOp::StoreValues) {
    if (request.indices.size() != request.values.size()) return fail("indices and values differ in number");
    if (!std::is_sorted(request.indices.begin(), request.indices.end()) ||
        std::adjacent_find(request.indices.begin(), request.indices.end()) != request.indices.end())
      return fail("point indices must be ascending and distinct");
  }
  Listener me;
  me.request = &request;
  std::memcpy(me.name, request.map.data(), request.map.size());
  host.ringAttach(kToolRingTopic, &me, onRing);
  const size_t logIndex = host.commandLog.size();
  host.command(kMeshEditCommand);
  host.ringDetach(kToolRingTopic, &me);
  if (outcome) *outcome = me.outcome;
  const CommandRecord& record = host.commandLog[logIndex];
  if (!record.ok) return fail(std::string(kMeshEditCommand) + ": " + record.error);
  if (!me.outcome.queried) return fail("the mesh-edit command did not ask for an operation");
  return true;
}

RingRequest gradientStroke(const SimMesh& mesh, const std::string& name, size_t maxPoints) {
  RingRequest r;
  r.op = RingOp::StoreValues;
  r.map = name;
  const size_t n = mesh.numPoints();
  if (n == 0 || maxPoints == 0) return r;
  float lo = mesh.point(0).pos[1], hi = lo;
  for (const SimPoint& p : mesh.points()) {
    lo = std::min(lo, p.pos[1]);
    hi = std::max(hi, p.pos[1]);
  }
  const float span = hi > lo ? hi - lo : 1.0f;
  const size_t step = std::max<size_t>(1, n / maxPoints);
  for (size_t i = 0; i < n && r.indices.size() < maxPoints; i += step) {
    r.indices.push_back(int32_t(i));
    r.values.push_back((mesh.point(i).pos[1] - lo) / span);
  }
  return r;
}

}  // namespace sim::app
