// "LW Item Info", "LW Object Info", "LW Bone Info", "LW Interface Info" and "Scene
// Objects" over the simulated scene.
#include <cmath>
#include <cstring>

#include "host/host_access.h"

namespace sim {

SimItem* itemOf(LWItemID id) {
  Host* h = Host::current();
  return h ? h->scene.find(fromItemID(id)) : nullptr;
}

namespace {

// --- item info ---------------------------------------------------------------------

LWItemID itemFirst(LWItemType type, LWItemID boneObject) {
  if (type < LWI_OBJECT || type > LWI_BONE) return LWITEM_NULL;
  auto ids = H().scene.itemsOfType(ItemType(type), type == LWI_BONE ? fromItemID(boneObject) : 0);
  return ids.empty() ? LWITEM_NULL : toItemID(ids.front());
}

LWItemID itemNext(LWItemID id) {
  SimItem* item = itemOf(id);
  if (!item) return LWITEM_NULL;
  auto ids = H().scene.itemsOfType(item->type, item->type == ItemType::Bone ? item->boneObject : 0);
  for (size_t i = 0; i + 1 < ids.size(); ++i)
    if (ids[i] == item->id) return toItemID(ids[i + 1]);
  return LWITEM_NULL;
}

LWItemID itemFirstChild(LWItemID parent) {
  auto kids = H().scene.children(fromItemID(parent));
  return kids.empty() ? LWITEM_NULL : toItemID(kids.front());
}

LWItemID itemNextChild(LWItemID parent, LWItemID prev) {
  auto kids = H().scene.children(fromItemID(parent));
  for (size_t i = 0; i + 1 < kids.size(); ++i)
    if (kids[i] == fromItemID(prev)) return toItemID(kids[i + 1]);
  return LWITEM_NULL;
}

LWItemID itemParent(LWItemID id) {
  SimItem* item = itemOf(id);
  return item ? toItemID(item->parent) : LWITEM_NULL;
}

LWItemID itemNone(LWItemID) { return LWITEM_NULL; }

LWItemType itemType(LWItemID id) {
  SimItem* item = itemOf(id);
  return item ? LWItemType(item->type) : LWI_OBJECT;
}

const char* itemName(LWItemID id) {
  SimItem* item = itemOf(id);
  return item ? item->name.c_str() : nullptr;
}

void writeVec(LWDVector out, const Vec3& v) {
  out[0] = v[0];
  out[1] = v[1];
  out[2] = v[2];
}

void itemParam(LWItemID id, LWItemParam param, LWTime, LWDVector out) {
  out[0] = out[1] = out[2] = 0.0;
  SimItem* item = itemOf(id);
  if (!item) return;
  const SimScene& scene = H().scene;
  Frame world = scene.worldFrame(item->id);
  switch (param) {
    case LWIP_POSITION: writeVec(out, item->position); break;
    case LWIP_ROTATION: writeVec(out, item->rotation); break;
    case LWIP_SCALING: writeVec(out, item->scale); break;
    case LWIP_PIVOT: writeVec(out, item->pivot); break;
    case LWIP_PIVOT_ROT: writeVec(out, item->pivotRotation); break;
    case LWIP_RIGHT: writeVec(out, world.axis[0]); break;
    case LWIP_UP: writeVec(out, world.axis[1]); break;
    case LWIP_FORWARD: writeVec(out, world.axis[2]); break;
    case LWIP_W_POSITION: writeVec(out, world.apply(item->pivot)); break;  // the pivot, in the world
    case LWIP_W_RIGHT:
    case LWIP_W_UP:
    case LWIP_W_FORWARD: {
      Frame inv = inverse(world);
      writeVec(out, inv.axis[param - LWIP_W_RIGHT]);
      break;
    }
    default: break;
  }
}

unsigned int itemLimits(LWItemID, LWItemParam, LWDVector, LWDVector) { return 0; }
const char* itemGetTag(LWItemID, int) { return nullptr; }
void itemSetTag(LWItemID, int, const char*) {}
LWChanGroupID itemChanGroup(LWItemID) { return nullptr; }

// Scene-level servers (item none) are the applied handlers of that class.
const char* itemServer(LWItemID id, const char* cls, int index) {
  if (id != LWITEM_NULL || !cls || index < 1) return nullptr;
  auto names = H().appliedServers(cls);
  if (size_t(index) > names.size()) return nullptr;
  std::string& name = H().scratch.serverName;
  name = names[size_t(index) - 1];
  return name.c_str();
}

unsigned int itemServerFlags(LWItemID, const char*, int) { return 0; }
void itemController(LWItemID, LWItemParam, int type[3]) { type[0] = type[1] = type[2] = 0; }
unsigned int itemFlags(LWItemID) { return 0; }
LWTime itemLookAhead(LWItemID) { return 0.0; }
double itemGoalStrength(LWItemID, LWTime) { return 0.0; }
void itemStiffness(LWItemID, LWItemParam, LWDVector v) { v[0] = v[1] = v[2] = 0.0; }
unsigned int itemAxisLocks(LWItemID, LWItemParam) { return 0; }
unsigned int itemUInt(LWItemID) { return 0; }
double itemDouble(LWItemID) { return 0.0; }
double itemDoubleT(LWItemID, LWTime) { return 0.0; }
LWFrame itemFrameT(LWItemID, LWTime) { return 0; }
unsigned int itemIkSoft(LWItemID, LWTime, unsigned int* d, double* mn, double* mx) {
  if (d) *d = 0;
  if (mn) *mn = 0;
  if (mx) *mx = 0;
  return 0;
}
LWItemID itemSameItem(LWItemID, LWItemParam) { return LWITEM_NULL; }
double itemSameItemBlend(LWItemID, LWItemParam, LWTime) { return 0.0; }
unsigned int itemParamUInt(LWItemID, LWItemParam) { return 0; }

// --- object info -------------------------------------------------------------------

SimItem* objectOf(LWItemID id) {
  SimItem* item = itemOf(id);
  return item && item->type == ItemType::Object ? item : nullptr;
}

const char* objFilename(LWItemID id) {
  SimItem* o = objectOf(id);
  return o ? o->filename.c_str() : nullptr;
}
int objNumPoints(LWItemID id) {
  SimItem* o = objectOf(id);
  return o ? int(o->mesh->numPoints()) : 0;
}
int objNumPolygons(LWItemID id) {
  SimItem* o = objectOf(id);
  return o ? int(o->mesh->numPolygons()) : 0;
}
unsigned int objShadowOpts(LWItemID id) {
  SimItem* o = objectOf(id);
  return o ? o->shadowOpts : 0;
}
double objDissolve(LWItemID id, LWTime) {
  SimItem* o = objectOf(id);
  return o ? o->dissolve : 0.0;
}
LWMeshInfoID objMeshInfo(LWItemID id, int frozen) {
  SimItem* o = objectOf(id);
  return o ? openMeshInfo(o->id, frozen != 0) : nullptr;
}
unsigned int objFlags(LWItemID id) {
  SimItem* o = objectOf(id);
  if (!o) return 0;
  // Bit 18 either follows the scene now, or reports the object's last evaluation (an object
  // never evaluated has it clear).
  return H().policy.objectFlags == ObjectFlagState::Live ? H().scene.objectFlagsNow(o->id) : o->objectFlags;
}
double objTimeDouble(LWItemID, LWTime) { return 0.0; }
LWTextureID objTexture(LWItemID) { return nullptr; }
void objPatchLevel(LWItemID id, int* display, int* render) {
  SimItem* o = objectOf(id);
  if (display) *display = o ? o->patchDisplay : 0;
  if (render) *render = o ? o->patchRender : 0;
}
void objMetaballRes(LWItemID, double* d, double* r) {
  if (d) *d = 0;
  if (r) *r = 0;
}
LWItemID objBoneSource(LWItemID id) {
  SimItem* o = objectOf(id);
  return o ? toItemID(H().scene.boneOwner(o->id)) : LWITEM_NULL;
}
LWItemID objNone(LWItemID) { return LWITEM_NULL; }
unsigned int objUInt(LWItemID) { return 0; }
void objColor(LWItemID, LWTime, LWDVector c) { c[0] = c[1] = c[2] = 0.0; }
int objInt(LWItemID) { return 0; }
int objExcluded(LWItemID, LWItemID) { return 0; }
double objThickness(LWItemID, LWTime, int) { return 0.0; }
double objDouble(LWItemID) { return 0.0; }
NodeEditorID objNodeEditor(LWItemID) { return nullptr; }
void objBounds(LWItemID id, LWDVector mn, LWDVector mx) {
  mn[0] = mn[1] = mn[2] = 0.0;
  mx[0] = mx[1] = mx[2] = 0.0;
  SimItem* o = objectOf(id);
  if (!o || o->mesh->numPoints() == 0) return;
  for (int a = 0; a < 3; ++a) mn[a] = mx[a] = o->mesh->point(0).pos[a];
  for (const auto& p : o->mesh->points())
    for (int a = 0; a < 3; ++a) {
      mn[a] = std::fmin(mn[a], p.pos[a]);
      mx[a] = std::fmax(mx[a], p.pos[a]);
    }
}

// --- bone info ---------------------------------------------------------------------

SimItem* boneOf(LWItemID id) {
  SimItem* item = itemOf(id);
  return item && item->type == ItemType::Bone ? item : nullptr;
}

unsigned int boneFlags(LWItemID id) {
  SimItem* b = boneOf(id);
  return b ? b->boneFlags : 0;
}
void boneRestParam(LWItemID id, LWItemParam param, LWDVector out) {
  out[0] = out[1] = out[2] = 0.0;
  SimItem* b = boneOf(id);
  if (!b) return;
  if (param == LWIP_POSITION) writeVec(out, b->restPosition);
  if (param == LWIP_ROTATION) writeVec(out, b->restRotation);
  if (param == LWIP_SCALING) writeVec(out, Vec3{1, 1, 1});
}
double boneRestLength(LWItemID id) {
  SimItem* b = boneOf(id);
  return b ? b->restLength : 0.0;
}
void boneLimits(LWItemID id, double* inner, double* outer) {
  SimItem* b = boneOf(id);
  if (inner) *inner = b ? b->limitInner : 0.0;
  if (outer) *outer = b ? b->limitOuter : 0.0;
}
// A bone without a map answers NULL.
const char* boneWeightMap(LWItemID id) {
  SimItem* b = boneOf(id);
  return b && !b->weightMap.empty() ? b->weightMap.c_str() : nullptr;
}
double boneStrength(LWItemID id) {
  SimItem* b = boneOf(id);
  return b ? b->strength : 0.0;
}
int boneFalloff(LWItemID id) {
  SimItem* b = boneOf(id);
  return b ? b->falloff : 0;
}
void boneTwoDoubles(LWItemID, double* a, double* b) {
  if (a) *a = 0;
  if (b) *b = 0;
}
int boneType(LWItemID id) {
  SimItem* b = boneOf(id);
  return b ? b->boneType : 0;
}
double boneTwist(LWItemID) { return 0.0; }
int boneTransform(LWItemID id, int transform, int relativeTo, LWFMatrix3 m, LWFVector pos,
                  LWFVector end) {
  SimItem* b = boneOf(id);
  if (!b) return 0;
  SimScene& scene = H().scene;
  Frame f = transform == 0 ? scene.restWorldFrame(b->id) : scene.worldFrame(b->id);
  if (relativeTo == 0) f = compose(inverse(scene.worldFrame(b->boneObject)), f);
  if (relativeTo == 1) {
    Frame parent = transform == 0 ? scene.restWorldFrame(b->parent) : scene.worldFrame(b->parent);
    f = compose(inverse(parent), f);
  }
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) m[r][c] = float(f.axis[r][c]);
  Vec3 tip = f.apply(Vec3{0, 0, b->restLength});
  for (int a = 0; a < 3; ++a) {
    pos[a] = float(f.origin[a]);
    end[a] = float(tip[a]);
  }
  return 1;
}
void boneTextures(LWItemID, LWTextureID* a, LWTextureID* b) {
  if (a) *a = nullptr;
  if (b) *b = nullptr;
}

// --- interface info ----------------------------------------------------------------

unsigned int ifaceItemFlags(LWItemID id) {
  SimItem* item = itemOf(id);
  if (!item) return 0;
  unsigned flags = item->locked ? LWITEMF_LOCKED : 0;
  for (uint64_t s : H().scene.selection())
    if (s == item->id) flags |= LWITEMF_SELECTED;
  return flags;
}
void ifaceSchemaPos(LWItemID, double* x, double* y) {
  if (x) *x = 0;
  if (y) *y = 0;
}
int ifaceItemVis(LWItemID id) {
  SimItem* item = itemOf(id);
  return item ? item->visibility : 0;
}
int ifaceItemColor(LWItemID) { return 0; }
void ifaceSetColorIndex(LWItemID, int) {}
void ifaceSetColorCustom(LWItemID, double*) {}
void ifaceDefaultColor(LWItemType, float* c, int set) {
  if (!set && c) c[0] = c[1] = c[2] = 0.5f;
}
void ifaceColorRgba(LWItemID, unsigned int, float rgba[4]) {
  rgba[0] = rgba[1] = rgba[2] = 0.5f;
  rgba[3] = 1.0f;
}
float ifaceIconScale(LWItemID id) {
  SimItem* item = itemOf(id);
  return item ? item->iconScale : 1.0f;
}

// --- scene objects -----------------------------------------------------------------

std::vector<SimItem*> objectList() {
  std::vector<SimItem*> out;
  for (const auto& it : H().scene.items())
    if (it->type == ItemType::Object) out.push_back(it.get());
  return out;
}

struct VMapEntry {
  uint32_t type;
  std::string name;
  int dimension;
};

// The scene-wide list of vertex maps: each (type, name) once, in object order.
std::vector<VMapEntry> vmapList(LWID type) {
  std::vector<VMapEntry> out;
  for (SimItem* o : objectList())
    for (const SimVMap& m : o->mesh->vmaps()) {
      if (type != 0 && m.type != type) continue;
      bool seen = false;
      for (const auto& e : out) seen = seen || (e.type == m.type && e.name == m.name);
      if (!seen) out.push_back({m.type, m.name, m.dimension});
    }
  return out;
}

int sobjNumObjects() { return int(objectList().size()); }
SimItem* sobjAt(int i) {
  auto list = objectList();
  return i >= 0 && size_t(i) < list.size() ? list[size_t(i)] : nullptr;
}
const char* sobjFilename(int i) {
  SimItem* o = sobjAt(i);
  return o ? o->filename.c_str() : nullptr;
}
int sobjMaxLayers(int i) { return sobjAt(i) ? 2 : 0; }
int sobjLayerExists(int i, int l) { return sobjAt(i) && l == 1; }
void sobjPivot(int, int, LWFVector pos) { pos[0] = pos[1] = pos[2] = 0.0f; }
LWMeshInfo* sobjLayerMesh(int i, int l) {
  SimItem* o = sobjAt(i);
  return o && l == 1 ? openMeshInfo(o->id, false) : nullptr;
}
int sobjNumVMaps(LWID type) { return int(vmapList(type).size()); }
const char* sobjVMapName(LWID type, int index) {
  auto list = vmapList(type);
  if (index < 0 || size_t(index) >= list.size()) return nullptr;
  std::string& name = H().scratch.vmapName;
  name = list[size_t(index)].name;
  return name.c_str();
}
int sobjVMapDim(LWID type, int index) {
  auto list = vmapList(type);
  return index >= 0 && size_t(index) < list.size() ? list[size_t(index)].dimension : 0;
}
LWID sobjVMapType(int index) {
  auto list = vmapList(0);
  return index >= 0 && size_t(index) < list.size() ? list[size_t(index)].type : 0;
}
const char* sobjLayerName(int, int) { return nullptr; }
int sobjLayerVis(int i, int l) { return sobjAt(i) && l == 1; }
const char* sobjUserName(int i) {
  SimItem* o = sobjAt(i);
  return o ? o->name.c_str() : nullptr;
}

}  // namespace

LWItemInfo* itemInfoRecord() {
  static LWItemInfo r = {itemFirst, itemNext, itemFirstChild, itemNextChild, itemParent,
                         itemNone, itemNone, itemType, itemName, itemParam, itemLimits,
                         itemGetTag, itemSetTag, itemChanGroup, itemServer, itemServerFlags,
                         itemController, itemFlags, itemLookAhead, itemGoalStrength,
                         itemStiffness, itemAxisLocks, itemUInt, itemDouble, itemUInt,
                         itemDoubleT, itemUInt, itemFrameT, itemIkSoft, itemNone,
                         itemSameItem, itemSameItemBlend, itemParamUInt, itemParamUInt};
  return &r;
}

LWObjectInfo* objectInfoRecord() {
  static LWObjectInfo r = {objFilename, objNumPoints, objNumPolygons, objShadowOpts,
                           objDissolve, objMeshInfo, objFlags, objTimeDouble, objTexture,
                           objTexture, objPatchLevel, objMetaballRes, objBoneSource,
                           objNone, objTimeDouble, objUInt, objColor, objInt,
                           objTimeDouble, objExcluded, objColor, objThickness,
                           objTimeDouble, objTimeDouble, objDouble, objDouble, objUInt,
                           objInt, objInt, objNodeEditor, objInt, objBounds, objDouble};
  return &r;
}

LWBoneInfo* boneInfoRecord() {
  static LWBoneInfo r = {boneFlags, boneRestParam, boneRestLength, boneLimits,
                         boneWeightMap, boneStrength, boneFalloff, boneTwoDoubles,
                         boneTwoDoubles, boneType, boneTwist, boneTransform,
                         boneTwoDoubles, boneTextures, boneTextures};
  return &r;
}

LWInterfaceInfo* interfaceInfoRecord() {
  // The selection array and the scalar fields are refreshed at every request, as the
  // host's record always shows the current state.
  static LWInterfaceInfo r = {};
  // The host rewrites the array in place whenever the selection changes; it never moves.
  Host& h = H();
  std::vector<void*>& selection = h.scratch.selection;
  selection.clear();
  for (uint64_t s : h.scene.selection())
    if (selection.size() + 1 < selection.capacity()) selection.push_back(toItemID(s));
  selection.push_back(LWITEM_NULL);
  r.curTime = h.scene.time;
  r.selItems = reinterpret_cast<const LWItemID*>(selection.data());
  r.itemFlags = ifaceItemFlags;
  r.previewStart = 0;
  r.previewEnd = 60;
  r.previewStep = 1;
  r.dynaUpdate = LWDYNUP_INTERACTIVE;
  r.schemaPos = ifaceSchemaPos;
  r.itemVis = ifaceItemVis;
  r.displayFlags = 0;
  r.generalFlags = h.scene.generalFlags;
  r.boxThreshold = 100000000;
  r.itemColor = ifaceItemColor;
  r.setItemColorIndex = ifaceSetColorIndex;
  r.setItemColorCustom = ifaceSetColorCustom;
  r.alertLevel = LWALERT_INTERMEDIATE;
  r.autoKeyCreate = LWAKC_OFF;
  r.defaultItemTypeColor = ifaceDefaultColor;
  r.itemColorRgba = ifaceColorRgba;
  r.itemIconScale = ifaceIconScale;
  return &r;
}

LWObjectFuncs* objectFuncsRecord() {
  static LWObjectFuncs r = {sobjNumObjects, sobjFilename, sobjMaxLayers, sobjLayerExists,
                            sobjPivot, sobjLayerMesh, sobjNumVMaps, sobjVMapName,
                            sobjVMapDim, sobjVMapType, sobjLayerName, sobjLayerVis,
                            sobjUserName, sobjUserName, 1023};
  return &r;
}

}  // namespace sim
