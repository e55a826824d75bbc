// "ModCommand_<name>": runs a CommandSequence server with mesh-edit access to the current
// object. By the host policy, edits either apply at once (journalled, so done() with an
// error rolls them back) or work on a private copy that done() puts in place as a whole.
#include <cstring>
#include <optional>

#include "host/host_access.h"
#include "host/host_slots.h"

extern "C" {
#include <lwcmdseq.h>
#include <lwmeshedt.h>
}

namespace sim {
namespace {

constexpr int kModCommandVersion2020 = 4;  // lwcmdseq.h of a 2020 host

struct JournalEntry {
  enum Kind { SetValue, AddPoint, RemoveMap, RenameMap, AddMap };
  explicit JournalEntry(Kind k) : kind(k) {}
  Kind kind;
  uint32_t type = 0;
  std::string name;      // map name (after a rename: the new name)
  std::string oldName;   // rename: the previous name
  uint32_t point = 0;
  std::optional<std::vector<float>> before;  // SetValue: the old value, none if unmapped
  SimVMap removed;       // RemoveMap: the whole map
  size_t mapPosition = 0;
};

struct SimEdit {
  MeshEditOp op{};
  uint64_t object = 0;
  std::shared_ptr<SimMesh> mesh;
  std::shared_ptr<SimMesh> target;  // the object's mesh, when `mesh` is a private copy
  std::vector<JournalEntry> journal;
  bool open = true;
  // The map vMapSelect chose.
  bool haveSelection = false;
  uint32_t selType = 0;
  std::string selName;
  EDPointInfo pointInfo{};
  EDPolygonInfo polyInfo{};
  std::vector<LWPntID> polyPoints;
};

SimEdit* stEdit = nullptr;  // the one open edit (the host allows one at a time)

SimEdit* E(EDStateRef s) { return reinterpret_cast<SimEdit*>(s); }

long pointOf(SimEdit* e, LWPntID p) { return e->mesh->pointIndex(reinterpret_cast<uintptr_t>(p)); }

void setValue(SimEdit* e, uint32_t point, uint32_t type, const std::string& name, int dim,
              const float* value) {
  SimVMap* map = e->mesh->findVMap(type, name);
  if (!map) {
    if (!value) return;  // removing from a map that does not exist changes nothing
    map = &e->mesh->addVMap(type, name, dim > 0 ? dim : 1);
    JournalEntry add(JournalEntry::AddMap);
    add.type = type;
    add.name = name;
    e->journal.push_back(std::move(add));
  }
  JournalEntry j(JournalEntry::SetValue);
  j.type = type;
  j.name = name;
  j.point = point;
  if (const auto* old = map->find(point)) j.before = *old;
  if (value)
    map->values[point].assign(value, value + map->dimension);
  else
    map->values.erase(point);
  e->journal.push_back(std::move(j));
  e->mesh->touch();
}

void rollback(SimEdit* e) {
  for (auto it = e->journal.rbegin(); it != e->journal.rend(); ++it) {
    switch (it->kind) {
      case JournalEntry::SetValue: {
        SimVMap* map = e->mesh->findVMap(it->type, it->name);
        if (!map) break;
        if (it->before) map->values[it->point] = *it->before;
        else map->values.erase(it->point);
        break;
      }
      case JournalEntry::AddMap: e->mesh->removeVMap(it->type, it->name); break;
      case JournalEntry::RemoveMap: {
        auto& maps = e->mesh->vmaps();
        size_t pos = std::min(it->mapPosition, maps.size());
        maps.insert(maps.begin() + long(pos), std::move(it->removed));
        break;
      }
      case JournalEntry::RenameMap: {
        SimVMap* map = e->mesh->findVMap(it->type, it->name);
        if (map) map->name = it->oldName;
        break;
      }
      case JournalEntry::AddPoint: break;  // points cannot be taken back; see edDone
    }
  }
  e->mesh->touch();
}

void edDone(EDStateRef s, EDError err, int) {
  SimEdit* e = E(s);
  if (!e || !e->open) return;
  e->open = false;
  if (err == EDERR_NONE) H().editsCommitted++;
  if (e->target) {
    // Readers saw nothing of the edit so far; a successful one appears as a whole.
    if (err == EDERR_NONE && !e->journal.empty()) *e->target = std::move(*e->mesh);
    e->mesh = e->target;
  } else if (err != EDERR_NONE) {
    rollback(e);
  }
  if (err == EDERR_NONE && !e->journal.empty()) {
    if (SimItem* item = H().scene.find(e->object)) item->modified = true;
    // Changed weights and points change the deformed mesh: Layout evaluates it again.
    H().evaluationInputsChanged();
  }
}

int edPointCount(EDStateRef s, EltOpLayer, int mode) {
  return mode == EDCOUNT_ALL ? int(E(s)->mesh->numPoints()) : 0;
}
int edPolyCount(EDStateRef s, EltOpLayer, int mode) {
  return mode == EDCOUNT_ALL ? int(E(s)->mesh->numPolygons()) : 0;
}

EDError edPointScan(EDStateRef s, EDPointScanFunc* fn, void* data, EltOpLayer) {
  SimEdit* e = E(s);
  if (!fn) return EDERR_BADARGS;
  // Points are visited in scan order, the order mesh info scans them.
  for (size_t i = 0; i < e->mesh->numPoints(); ++i) {
    const SimPoint& p = e->mesh->point(i);
    EDPointInfo info{};
    info.pnt = reinterpret_cast<LWPntID>(uintptr_t(p.id));
    info.layer = p.layer;
    for (int a = 0; a < 3; ++a) info.position[a] = p.pos[a];
    if (EDError r = fn(data, &info)) return r;
  }
  return EDERR_NONE;
}

EDError edPolyScan(EDStateRef s, EDPolyScanFunc* fn, void* data, EltOpLayer) {
  SimEdit* e = E(s);
  if (!fn) return EDERR_BADARGS;
  for (size_t i = 0; i < e->mesh->numPolygons(); ++i) {
    EDPolygonInfo* info = nullptr;
    const SimPolygon& p = e->mesh->polygon(i);
    e->polyPoints.clear();
    for (uint32_t v : p.vertices) e->polyPoints.push_back(reinterpret_cast<LWPntID>(uintptr_t(e->mesh->point(v).id)));
    e->polyInfo = EDPolygonInfo{};
    info = &e->polyInfo;
    info->pol = reinterpret_cast<LWPolID>(uintptr_t(p.id));
    info->layer = p.layer;
    info->numPnts = int(p.vertices.size());
    info->points = e->polyPoints.data();
    info->surface = p.surface.c_str();
    info->type = p.type;
    if (EDError r = fn(data, info)) return r;
  }
  return EDERR_NONE;
}

EDPointInfo* edPointInfo(EDStateRef s, LWPntID pnt) {
  SimEdit* e = E(s);
  long i = pointOf(e, pnt);
  if (i < 0) return nullptr;
  e->pointInfo = EDPointInfo{};
  e->pointInfo.pnt = pnt;
  e->pointInfo.layer = e->mesh->point(size_t(i)).layer;
  for (int a = 0; a < 3; ++a) e->pointInfo.position[a] = e->mesh->point(size_t(i)).pos[a];
  return &e->pointInfo;
}
EDPolygonInfo* edPolyInfo(EDStateRef, LWPolID) { return nullptr; }
int edPolyNormal(EDStateRef, LWPolID, double n[3]) {
  n[0] = n[1] = n[2] = 0;
  return 0;
}

LWPntID edAddPoint(EDStateRef s, double* xyz) {
  SimEdit* e = E(s);
  if (!xyz) return nullptr;
  float pos[3] = {float(xyz[0]), float(xyz[1]), float(xyz[2])};
  uint32_t i = e->mesh->addPoint(pos, 1);
  e->journal.emplace_back(JournalEntry::AddPoint);
  return reinterpret_cast<LWPntID>(uintptr_t(e->mesh->point(i).id));
}

LWPolID edAddFace(EDStateRef, const char*, int, const LWPntID*) { return nullptr; }
LWPolID edAddCurve(EDStateRef, const char*, int, const LWPntID*, int) { return nullptr; }
EDError edAddQuad(EDStateRef, LWPntID, LWPntID, LWPntID, LWPntID) { return EDERR_BADARGS; }
EDError edAddTri(EDStateRef, LWPntID, LWPntID, LWPntID) { return EDERR_BADARGS; }
EDError edAddPatch(EDStateRef, int, int, int, int, EDBoundCv*, EDBoundCv*, EDBoundCv*, EDBoundCv*) {
  return EDERR_BADARGS;
}
EDError edRemPoint(EDStateRef, LWPntID) { return EDERR_BADARGS; }
EDError edRemPoly(EDStateRef, LWPolID) { return EDERR_BADARGS; }
EDError edPntMove(EDStateRef, LWPntID, const double*) { return EDERR_BADARGS; }
EDError edPolSurf(EDStateRef, LWPolID, const char*) { return EDERR_BADARGS; }
EDError edPolPnts(EDStateRef, LWPolID, int, const LWPntID*) { return EDERR_BADARGS; }
EDError edPolFlag(EDStateRef, LWPolID, int, int) { return EDERR_BADARGS; }
EDError edPolTag(EDStateRef, LWPolID, LWID, const char*) { return EDERR_BADARGS; }

EDError edPntVMap(EDStateRef s, LWPntID pnt, LWID type, const char* name, int dim, float* value) {
  SimEdit* e = E(s);
  long i = pointOf(e, pnt);
  if (i < 0 || !name) return EDERR_BADARGS;
  setValue(e, uint32_t(i), type, name, dim, value);
  return EDERR_NONE;
}

LWPolID edAddPoly(EDStateRef, LWID, LWPolID, const char*, int, const LWPntID*) { return nullptr; }
LWPntID edAddIPnt(EDStateRef, double*, int, const LWPntID*, const double*) { return nullptr; }
EDError edInitUV(EDStateRef, float*) { return EDERR_NONE; }
void* edPointVSet(EDStateRef, void*, LWID, const char*) { return nullptr; }
int edPointVGet(EDStateRef, LWPntID, float*) { return 0; }
const char* edPolyTag(EDStateRef, LWPolID, LWID) { return nullptr; }
EDError edPntSelect(EDStateRef, LWPntID, int) { return EDERR_BADARGS; }
EDError edPolSelect(EDStateRef, LWPolID, int) { return EDERR_BADARGS; }
int edPointVPGet(EDStateRef, LWPntID, LWPolID, float*) { return 0; }
int edPointVEval(EDStateRef, LWPntID, LWPolID, float*) { return 0; }
EDError edPntVPMap(EDStateRef, LWPntID, LWPolID, LWID, const char*, int, float*) { return EDERR_BADARGS; }
int edEdgeCount(EDStateRef, EltOpLayer, int) { return 0; }
EDError edEdgeScan(EDStateRef, EDEdgeScanFunc*, void*, EltOpLayer) { return EDERR_NONE; }
EDEdgeInfo* edEdgeInfo(EDStateRef, LWEdgeID) { return nullptr; }
EDError edEdgeSelect(EDStateRef, LWEdgeID, int) { return EDERR_BADARGS; }
int edEdgePolys(EDStateRef, LWEdgeID, const LWPolID** pols) {
  if (pols) *pols = nullptr;
  return 0;
}
LWPntID edEdgePoint(EDStateRef, LWEdgeID) { return nullptr; }
LWEdgeID edEdgeFromPoints(EDStateRef, LWPntID, LWPntID) { return nullptr; }
void edEdgeFlip(EDStateRef, LWEdgeID) {}
void edPointPos(EDStateRef s, LWPntID pnt, double pos[3]) {
  SimEdit* e = E(s);
  long i = pointOf(e, pnt);
  for (int a = 0; a < 3; ++a) pos[a] = i < 0 ? 0.0 : e->mesh->point(size_t(i)).pos[a];
}
int edPointEdges(EDStateRef, LWPntID, const LWEdgeID** edges) {
  if (edges) *edges = nullptr;
  return 0;
}
unsigned int edPolyType(EDStateRef, LWPolID) { return 0; }
int edPolyPoints(EDStateRef, LWPolID, const LWPntID** pts) {
  if (pts) *pts = nullptr;
  return 0;
}
int edPointFlags(EDStateRef, LWPntID) { return 0; }
int edEdgeFlags(EDStateRef, LWEdgeID) { return 0; }
int edPolyFlags(EDStateRef, LWPolID) { return 0; }
void* edPointData(EDStateRef, LWPntID) { return nullptr; }
void* edEdgeData(EDStateRef, LWEdgeID) { return nullptr; }
void* edPolyData(EDStateRef, LWPolID) { return nullptr; }
EDError edFastPointScan(EDStateRef s, EDFastPointScanFunc* fn, void* data, EltOpLayer, int) {
  SimEdit* e = E(s);
  if (!fn) return EDERR_BADARGS;
  for (size_t i = 0; i < e->mesh->numPoints(); ++i)
    if (EDError r = fn(data, reinterpret_cast<LWPntID>(uintptr_t(e->mesh->point(i).id)))) return r;
  return EDERR_NONE;
}
EDError edFastEdgeScan(EDStateRef, EDFastEdgeScanFunc*, void*, EltOpLayer, int) { return EDERR_NONE; }
EDError edFastPolyScan(EDStateRef s, EDFastPolyScanFunc* fn, void* data, EltOpLayer, int) {
  SimEdit* e = E(s);
  if (!fn) return EDERR_BADARGS;
  for (size_t i = 0; i < e->mesh->numPolygons(); ++i)
    if (EDError r = fn(data, reinterpret_cast<LWPolID>(uintptr_t(e->mesh->polygon(i).id)))) return r;
  return EDERR_NONE;
}
int edPointLayer(EDStateRef, LWPntID) { return 1; }
int edEdgeLayer(EDStateRef, LWEdgeID) { return 1; }
int edPolyLayer(EDStateRef, LWPolID) { return 1; }
int edSetLayer(EDStateRef, int layer) { return layer == 1; }
int edAdvanceLayer(EDStateRef) { return 0; }
int edPointNew(EDStateRef, LWPntID) { return 0; }
int edEdgeNew(EDStateRef, LWEdgeID) { return 0; }
int edPolyNew(EDStateRef, LWPolID) { return 0; }
struct LWPointGenerator* edGenPoints(EDStateRef, EltOpLayer, int) { return nullptr; }
struct LWEdgeGenerator* edGenEdges(EDStateRef, EltOpLayer, int) { return nullptr; }
struct LWPolyGenerator* edGenPolys(EDStateRef, EltOpLayer, int) { return nullptr; }

// Selects a map; a missing map is created when a dimension is given.
void* edVMapSelect(EDStateRef s, const char* name, LWID type, int dim) {
  SimEdit* e = E(s);
  if (!name || !*name) return nullptr;
  SimVMap* map = e->mesh->findVMap(type, name);
  if (!map) {
    if (dim <= 0) return nullptr;
    e->mesh->addVMap(type, name, dim);
    JournalEntry add(JournalEntry::AddMap);
    add.type = type;
    add.name = name;
    e->journal.push_back(std::move(add));
  }
  e->haveSelection = true;
  e->selType = type;
  e->selName = name;
  return e;
}
int edVMapExists(EDStateRef s, const char* name, LWID type) {
  return name && E(s)->mesh->findVMap(type, name) ? 1 : 0;
}
SimVMap* selectedMap(SimEdit* e) {
  return e->haveSelection ? e->mesh->findVMap(e->selType, e->selName) : nullptr;
}
unsigned int edVMapGetDimension(EDStateRef s) {
  SimVMap* map = selectedMap(E(s));
  return map ? unsigned(map->dimension) : 0;
}
void edVMapSet(EDStateRef s, LWPntID pnt, LWPolID, const float* value) {
  SimEdit* e = E(s);
  SimVMap* map = selectedMap(e);
  long i = pointOf(e, pnt);
  if (!map || i < 0) return;
  setValue(e, uint32_t(i), map->type, map->name, map->dimension, value);
}
void edVMapRename(EDStateRef s, const char* newName) {
  SimEdit* e = E(s);
  SimVMap* map = selectedMap(e);
  if (!map || !newName || !*newName) return;
  JournalEntry j(JournalEntry::RenameMap);
  j.type = map->type;
  j.oldName = map->name;
  j.name = newName;
  map->name = newName;
  e->selName = newName;
  e->journal.push_back(std::move(j));
  e->mesh->touch();
}
void edVMapRemove(EDStateRef s) {
  SimEdit* e = E(s);
  SimVMap* map = selectedMap(e);
  if (!map) return;
  auto& maps = e->mesh->vmaps();
  JournalEntry j(JournalEntry::RemoveMap);
  j.mapPosition = size_t(map - maps.data());
  j.removed = std::move(*map);
  j.type = j.removed.type;
  j.name = j.removed.name;
  maps.erase(maps.begin() + long(j.mapPosition));
  e->journal.push_back(std::move(j));
  e->haveSelection = false;
  e->mesh->touch();
}

MeshEditOp* beginEdit(int, int, EltOpSelect);
MeshEditOp* beginEdit2(int p, int, int q, EltOpSelect sel) { return beginEdit(p, q, sel); }

std::vector<std::unique_ptr<SimEdit>>* stEdits = nullptr;

MeshEditOp* beginEdit(int, int, EltOpSelect) {
  Host& h = H();
  if (stEdit && stEdit->open) return nullptr;  // one edit at a time
  SimItem* object = h.scene.find(h.scene.firstSelected());
  if (object && object->type == ItemType::Bone) object = h.scene.find(object->boneObject);
  if (!object || object->type != ItemType::Object) return nullptr;
  auto edit = std::make_unique<SimEdit>();
  edit->object = object->id;
  edit->mesh = object->mesh;
  if (h.policy.meshEdits == MeshEditVisibility::AtDone) {
    edit->target = object->mesh;
    edit->mesh = std::make_shared<SimMesh>(*object->mesh);
  }
  MeshEditOp& op = edit->op;
  op.state = reinterpret_cast<EDStateRef>(edit.get());
  op.layerNum = 1;
  op.done = edDone;
  op.pointCount = edPointCount;
  op.polyCount = edPolyCount;
  op.pointScan = edPointScan;
  op.polyScan = edPolyScan;
  op.pointInfo = edPointInfo;
  op.polyInfo = edPolyInfo;
  op.polyNormal = edPolyNormal;
  op.addPoint = edAddPoint;
  op.addFace = edAddFace;
  op.addCurve = edAddCurve;
  op.addQuad = edAddQuad;
  op.addTri = edAddTri;
  op.addPatch = edAddPatch;
  op.remPoint = edRemPoint;
  op.remPoly = edRemPoly;
  op.pntMove = edPntMove;
  op.polSurf = edPolSurf;
  op.polPnts = edPolPnts;
  op.polFlag = edPolFlag;
  op.polTag = edPolTag;
  op.pntVMap = edPntVMap;
  op.addPoly = edAddPoly;
  op.addIPnt = edAddIPnt;
  op.initUV = edInitUV;
  op.pointVSet = edPointVSet;
  op.pointVGet = edPointVGet;
  op.polyTag = edPolyTag;
  op.pntSelect = edPntSelect;
  op.polSelect = edPolSelect;
  op.pointVPGet = edPointVPGet;
  op.pointVEval = edPointVEval;
  op.pntVPMap = edPntVPMap;
  op.edgeCount = edEdgeCount;
  op.edgeScan = edEdgeScan;
  op.edgeInfo = edEdgeInfo;
  op.edgeSelect = edEdgeSelect;
  op.edgePolys = edEdgePolys;
  op.edgePoint1 = edEdgePoint;
  op.edgePoint2 = edEdgePoint;
  op.edgeFromPoints = edEdgeFromPoints;
  op.edgeFlip = edEdgeFlip;
  op.pointPos = edPointPos;
  op.pointEdges = edPointEdges;
  op.polyType = edPolyType;
  op.polyPoints = edPolyPoints;
  op.pointFlags = edPointFlags;
  op.edgeFlags = edEdgeFlags;
  op.polyFlags = edPolyFlags;
  op.pointData = edPointData;
  op.edgeData = edEdgeData;
  op.polyData = edPolyData;
  op.fastPointScan = edFastPointScan;
  op.fastEdgeScan = edFastEdgeScan;
  op.fastPolyScan = edFastPolyScan;
  op.pointLayer = edPointLayer;
  op.edgeLayer = edEdgeLayer;
  op.polyLayer = edPolyLayer;
  op.setLayer = edSetLayer;
  op.advanceLayer = edAdvanceLayer;
  op.pointNew = edPointNew;
  op.edgeNew = edEdgeNew;
  op.polyNew = edPolyNew;
  op.genPoints = edGenPoints;
  op.genEdges = edGenEdges;
  op.genPolys = edGenPolys;
  op.vMapSelect = edVMapSelect;
  op.vMapExists = edVMapExists;
  op.vMapGetDimension = edVMapGetDimension;
  op.vMapSet = edVMapSet;
  op.vMapSetIdeal = edVMapSet;
  op.vMapRename = edVMapRename;
  op.vMapRemove = edVMapRemove;
  h.editsBegun++;
  stEdit = edit.get();
  stEdits->push_back(std::move(edit));
  return &stEdit->op;
}

LWCommandCode modLookup(void*, const char*) { return 0; }
int modExecute(void*, LWCommandCode, int, const DynaValue*, EltOpSelect, DynaValue*) {
  return CSERR_OPFAILURE;
}
int modEvaluate(void* data, const char* command) {
  if (stEdit && stEdit->open) {
    static_cast<Host*>(data)->commandLog.push_back({command ? command : "", false, "command issued while a mesh edit is open"});
    return 0;
  }
  return command ? static_cast<Host*>(data)->command(command) : 0;
}
void modUndoGroup() {}

}  // namespace

int Host::runModCommand(const std::string& name, const std::string& argument) {
  const ServerEntry* server = findServer(LWMODCOMMAND_CLASS, name);
  if (!server) return -1;
  std::vector<std::unique_ptr<SimEdit>> edits;
  auto* savedEdits = stEdits;
  SimEdit* savedEdit = stEdit;
  stEdits = &edits;
  stEdit = nullptr;
  LWModCommand local{};
  local.data = this;
  local.argument = argument.c_str();
  local.lookup = modLookup;
  local.execute = modExecute;
  local.editBegin = beginEdit;
  local.evaluate = modEvaluate;
  local.undoGroupBegin = modUndoGroup;
  local.undoGroupEnd = modUndoGroup;
  local.editBegin2 = beginEdit2;
  PluginCall call(*this);
  int rc = activateServer(*server, LWMODCOMMAND_VERSION, kModCommandVersion2020, &local);
  // An edit the command left open is discarded, as the host does when a command ends.
  for (auto& e : edits)
    if (e->open) {
      commandLog.push_back({"ModCommand_" + name, false, "mesh edit left open; discarded"});
      edDone(e->op.state, EDERR_USERABORT, 0);
    }
  stEdits = savedEdits;
  stEdit = savedEdit;
  return rc;
}

}  // namespace sim
