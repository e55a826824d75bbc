#include "shell/mesh_edit_access.h"

#include "mesh/weight_stc.h"
#include "settings/c_strings.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/comm_rings.h"

namespace {

const LWID kWght = LWID_('W', 'G', 'H', 'T');

void writeValue(MeshEditOp* op, LWPntID point, const char* mapName, float value) {
  if (!mapName) return;
  float v = value;
  op->pntVMap(op->state, point, kWght, mapName, 1, isNoValue(value) ? nullptr : &v);
}

// Walks the change list in step with the scan; returns 1 when the list is done. The
// scan visits points in snapshot order, so scanPos is the snapshot index.
template <typename WritePoint>
EDError walkChangeList(WriteBackContext* ctx, const EDPointInfo* point, WritePoint&& write) {
  if (!ctx || !point || ctx->listPos >= ctx->count) return 1;
  if (ctx->scanPos == ctx->indices[ctx->listPos]) {
    write(ctx->listPos, point->pnt);
    ctx->listPos++;
    // A malformed list with repeated indices must not leave entries unvisited behind
    // this point: skip them.
    while (ctx->listPos < ctx->count && ctx->indices[ctx->listPos] <= ctx->scanPos) ctx->listPos++;
    if (ctx->listPos >= ctx->count) return 1;
  }
  ctx->scanPos++;
  return 0;
}

bool mapExists(MeshEditOp* op, const char* name) {
  return name && *name && op->vMapExists && op->vMapExists(op->state, name, kWght);
}

// Selects an existing weight map; never creates one.
bool selectExistingMap(MeshEditOp* op, const char* name) {
  return mapExists(op, name) && op->vMapSelect(op->state, name, kWght, 1) != nullptr;
}

MeshEditOp* beginEdit(LWModCommand* local) {
  return local->editBegin ? local->editBegin(0, 0, OPSEL_GLOBAL) : nullptr;
}

void storeValues(LWModCommand* local, LWComRing* ring) {
  RingDataBlock reply;
  ring->ringMessage(const_cast<char*>(kToolRing), kMsgStoreValues, &reply);
  MeshEditOp* op = beginEdit(local);
  if (!op) return;
  if (reply.count > 0 && reply.indices && reply.values && reply.instance) {
    WriteBackContext ctx;
    ctx.op = op;
    ctx.mapName = reply.instance->weightMapName;
    ctx.count = reply.count;
    ctx.indices = reply.indices;
    ctx.values = reply.values;
    op->pointScan(op->state, setWeightsToEvalPoints2, &ctx, OPLYR_FG);
  }
  op->done(op->state, EDERR_NONE, 0);
}

void deleteMap(LWModCommand* local, LWComRing* ring) {
  RingDataBlock reply;
  ring->ringMessage(const_cast<char*>(kToolRing), kMsgMapNames, &reply);
  MeshEditOp* op = beginEdit(local);
  if (!op) return;
  const char* name = reply.instance ? reply.instance->weightMapName : nullptr;
  if (name && *name && selectExistingMap(op, name)) {
    op->vMapRemove(op->state);
    ring->ringMessage(const_cast<char*>(kToolRing), kMsgMapChanged, nullptr);
  }
  op->done(op->state, EDERR_NONE, 0);
}

void renameMap(LWModCommand* local, LWComRing* ring) {
  RingDataBlock reply;
  ring->ringMessage(const_cast<char*>(kToolRing), kMsgMapNames, &reply);
  MeshEditOp* op = beginEdit(local);
  if (!op) return;
  const char* name = reply.instance ? reply.instance->weightMapName : nullptr;
  const char* newName = reply.secondName;
  if (name && *name && newName && *newName && !compareCString(name, newName)) {
    // Renaming onto an existing map replaces it; with no map to rename, the other map
    // stays.
    if (mapExists(op, name) && selectExistingMap(op, newName)) op->vMapRemove(op->state);
    if (selectExistingMap(op, name)) {
      op->vMapRename(op->state, newName);
      ring->ringMessage(const_cast<char*>(kToolRing), kMsgMapChanged, nullptr);
    }
  }
  op->done(op->state, EDERR_NONE, 0);
}

void multiMap(LWModCommand* local, LWComRing* ring, bool useBefore) {
  RingDataBlock reply;
  ring->ringMessage(const_cast<char*>(kToolRing), kMsgMultiMap, &reply);
  MeshEditOp* op = beginEdit(local);
  if (!op) return;
  bool removed = false;
  for (MapDelete* d = reply.deletions; d; d = d->next)
    if (d->name && *d->name && selectExistingMap(op, d->name)) {
      op->vMapRemove(op->state);
      removed = true;
    }
  if (removed) {
    op->done(op->state, EDERR_NONE, 0);
    op = beginEdit(local);
    if (!op) return;
  }
  if (reply.count > 0 && reply.indices && reply.pointMapLists) {
    WriteBackContext ctx;
    ctx.op = op;
    ctx.count = reply.count;
    ctx.indices = reply.indices;
    ctx.pointMapLists = reply.pointMapLists;
    op->pointScan(op->state, useBefore ? setMultiWeightsToEvalPoints_Inv : setMultiWeightsToEvalPoints, &ctx,
                  OPLYR_FG);
  }
  op->done(op->state, EDERR_NONE, 0);
}

void addTwoPoints(LWModCommand* local) {
  MeshEditOp* op = beginEdit(local);
  if (!op) return;
  double origin[3] = {0.0, 0.0, 0.0};
  op->addPoint(op->state, origin);
  op->addPoint(op->state, origin);
  op->done(op->state, EDERR_NONE, 0);
}

void emptyEdit(LWModCommand* local) {
  MeshEditOp* op = beginEdit(local);
  if (op) op->done(op->state, EDERR_NONE, 0);
}

}  // namespace

EDError setWeightsToEvalPoints2(void* data, const EDPointInfo* point) {
  auto* ctx = static_cast<WriteBackContext*>(data);
  return walkChangeList(ctx, point, [&](int32_t entry, LWPntID pnt) {
    writeValue(ctx->op, pnt, ctx->mapName, ctx->values[entry]);
  });
}

EDError setMultiWeightsToEvalPoints(void* data, const EDPointInfo* point) {
  auto* ctx = static_cast<WriteBackContext*>(data);
  return walkChangeList(ctx, point, [&](int32_t entry, LWPntID pnt) {
    for (const WeightStc* w = ctx->pointMapLists[entry]; w; w = w->next) writeValue(ctx->op, pnt, w->mapName, w->valueAfter);
  });
}

EDError setMultiWeightsToEvalPoints_Inv(void* data, const EDPointInfo* point) {
  auto* ctx = static_cast<WriteBackContext*>(data);
  return walkChangeList(ctx, point, [&](int32_t entry, LWPntID pnt) {
    for (const WeightStc* w = ctx->pointMapLists[entry]; w; w = w->next) writeValue(ctx->op, pnt, w->mapName, w->valueBefore);
  });
}

int LayoutMEAccessMain(int version, GlobalFunc* global, void* localPtr, void*) {
  return guardCallback<int>(AFUNC_BADAPP_SILENT, [&]() -> int {
    if (version < hostapi::kCommandSequenceVersion) return AFUNC_BADAPP_SILENT;
    auto* ring = global ? static_cast<LWComRing*>(global(hostapi::kComRing, GFUSE_TRANSIENT)) : nullptr;
    auto* local = static_cast<LWModCommand*>(localPtr);
    if (!ring || !local) return AFUNC_BADAPP_SILENT;
    RingDataBlock query;
    query.count = -1;
    ring->ringMessage(const_cast<char*>(kToolRing), kMsgQueryOp, &query);
    if (query.count == -1) return AFUNC_OK;  // no tool is listening
    switch (query.count) {
      case kOpStoreValues: storeValues(local, ring); break;
      case kOpDeleteMap: deleteMap(local, ring); break;
      case kOpRenameMap: renameMap(local, ring); break;
      case kOpMultiMapAfter: multiMap(local, ring, false); break;
      case kOpMultiMapBefore: multiMap(local, ring, true); break;
      case kOpAddTwoPoints: addTwoPoints(local); break;
      case kOpEmptyEdit: emptyEdit(local); break;
      default: break;
    }
    return AFUNC_OK;
  });
}

void callMeshEditAccess(InstData& inst) {
  if (stBuildNumber >= 3067) hostCommand("Refresh");
  if (inst.visibility == 1 || inst.visibility == 2) {
    hostCommandf("ItemVisibility %d", inst.mesh.savedVisibility);
    hostCommand("ModCommand_MEAccess_vmr");
    hostCommand("ItemVisibility 1");
  } else {
    hostCommand("ModCommand_MEAccess_vmr");
  }
  inst.pendingRefresh = 0;
}
