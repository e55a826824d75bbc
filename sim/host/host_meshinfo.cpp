// Mesh info over a simulated object. The frozen form lists the subdivision points
// first and gives every point its deformed ("other") position from the last refresh.
#include <cstring>
#include <deque>

#include "host/host_access.h"

namespace sim {
namespace {

struct VMapHandle {
  uint32_t type;
  std::string name;
  // The map it resolved to, valid while the mesh revision is unchanged: a plug-in that
  // reads several maps in turn finds each without a search.
  mutable const SimVMap* map = nullptr;
  mutable uint64_t revision = ~0ull;
};

struct SimMeshInfo {
  LWMeshInfo api{};  // first member: the host hands out &api
  uint64_t object = 0;
  std::shared_ptr<SimMesh> mesh;
  bool frozen = false;
  bool ownIds = false;  // frozen info whose base points carry ids of their own
  size_t extra = 0;                                 // subdivision points this info lists
  std::shared_ptr<const FrozenMesh> positions;      // shared, never copied per info
  std::deque<VMapHandle> handles;                   // stable addresses handed out
  const VMapHandle* selected = nullptr;
};

SimMeshInfo* self(LWMeshInfoID mi) { return mi ? static_cast<SimMeshInfo*>(mi->priv) : nullptr; }

const SimVMap* resolve(SimMeshInfo* m, const VMapHandle* h) {
  if (!h) return nullptr;
  if (h->revision == m->mesh->revision()) return h->map;
  h->revision = m->mesh->revision();
  h->map = m->mesh->findVMap(h->type, h->name);
  return h->map;
}

// Tag that makes a base point's own id in a frozen info under FrozenPointIds::OwnIds
// (an involution, so it maps back; base ids handed to such an info name nothing).
constexpr uint64_t kFrozenOwnIdTag = 0x5A5A000000000000ull;

LWPntID pointIdOf(const SimMeshInfo* m, size_t index) {
  uint64_t id = m->mesh->point(index).id;
  return reinterpret_cast<LWPntID>(uintptr_t(m->ownIds ? id ^ kFrozenOwnIdTag : id));
}

// Point ids: base points carry their mesh id (or their own id, by the policy); frozen
// extra points always their own.
long baseIndex(SimMeshInfo* m, LWPntID pnt, long* extraIndex) {
  uint64_t id = reinterpret_cast<uintptr_t>(pnt);
  *extraIndex = -1;
  long base = m->mesh->pointIndex(m->ownIds ? id ^ kFrozenOwnIdTag : id);
  if (base >= 0 || m->extra == 0) return base;
  // Extra ids run in steps of two from the first one.
  uint64_t first = m->positions->extraIds.front();
  if (id >= first && (id - first) % 2 == 0 && (id - first) / 2 < m->extra)
    *extraIndex = long((id - first) / 2);
  return -1;
}

void miDestroy(LWMeshInfoID mi) { delete self(mi); }
int miNumPoints(LWMeshInfoID mi) {
  SimMeshInfo* m = self(mi);
  return m ? int(m->extra + m->mesh->numPoints()) : 0;
}
int miNumPolygons(LWMeshInfoID mi) {
  SimMeshInfo* m = self(mi);
  return m ? int(m->mesh->numPolygons()) : 0;
}

size_t miScanPoints(LWMeshInfoID mi, LWPntScanFunc* fn, void* data) {
  SimMeshInfo* m = self(mi);
  if (!m || !fn) return 0;
  for (size_t i = 0; i < m->extra; ++i)
    if (size_t r = fn(data, reinterpret_cast<LWPntID>(uintptr_t(m->positions->extraIds[i])))) return r;
  for (size_t i = 0; i < m->mesh->numPoints(); ++i)
    if (size_t r = fn(data, pointIdOf(m, i))) return r;
  return 0;
}

size_t miScanPolys(LWMeshInfoID mi, LWPolScanFunc* fn, void* data) {
  SimMeshInfo* m = self(mi);
  if (!m || !fn) return 0;
  const auto& polys = m->mesh->polygons();
  for (size_t i = 0; i < polys.size(); ++i)
    if (size_t r = fn(data, reinterpret_cast<LWPolID>(uintptr_t(polys[i].id)))) return r;
  return 0;
}

void miBasePos(LWMeshInfoID mi, LWPntID pnt, LWFVector pos) {
  pos[0] = pos[1] = pos[2] = 0.0f;
  SimMeshInfo* m = self(mi);
  if (!m) return;
  long extra;
  long i = baseIndex(m, pnt, &extra);
  if (i >= 0) std::memcpy(pos, m->mesh->point(size_t(i)).pos, sizeof(float) * 3);
  else if (extra >= 0) std::memcpy(pos, m->positions->otherPos[size_t(extra)].data(), sizeof(float) * 3);
}

void miOtherPos(LWMeshInfoID mi, LWPntID pnt, LWFVector pos) {
  pos[0] = pos[1] = pos[2] = 0.0f;
  SimMeshInfo* m = self(mi);
  if (!m) return;
  long extra;
  long i = baseIndex(m, pnt, &extra);
  const FrozenMesh& fz = *m->positions;
  size_t k = i >= 0 ? fz.extraPoints + size_t(i) : size_t(extra);
  if ((i >= 0 || extra >= 0) && k < fz.otherPos.size()) std::memcpy(pos, fz.otherPos[k].data(), sizeof(float) * 3);
}

void* miVLookup(LWMeshInfoID mi, LWID type, const char* name) {
  SimMeshInfo* m = self(mi);
  if (!m || !name || !m->mesh->findVMap(type, name)) return nullptr;
  for (auto& h : m->handles)
    if (h.type == type && h.name == name) return &h;
  m->handles.push_back({type, name, nullptr, ~0ull});
  return &m->handles.back();
}

int dimensionOf(SimMeshInfo* m, void* vmap) {
  const SimVMap* map = resolve(m, static_cast<const VMapHandle*>(vmap));
  return map ? map->dimension : 0;
}

int miVSelect(LWMeshInfoID mi, void* vmap) {
  SimMeshInfo* m = self(mi);
  if (!m) return 0;
  m->selected = static_cast<const VMapHandle*>(vmap);
  return dimensionOf(m, vmap);
}

int readValue(SimMeshInfo* m, const VMapHandle* h, LWPntID pnt, float* out) {
  const SimVMap* map = resolve(m, h);
  if (!map) return 0;
  long extra;
  long i = baseIndex(m, pnt, &extra);
  if (i < 0) return 0;
  const auto* v = map->find(uint32_t(i));
  if (!v) return 0;
  if (out) std::memcpy(out, v->data(), sizeof(float) * v->size());
  return 1;
}

int miVGet(LWMeshInfoID mi, LWPntID pnt, float* vector) {
  SimMeshInfo* m = self(mi);
  return m ? readValue(m, m->selected, pnt, vector) : 0;
}

const SimPolygon* polyOf(SimMeshInfo* m, LWPolID pol) {
  long i = m->mesh->polygonIndex(reinterpret_cast<uintptr_t>(pol));
  return i < 0 ? nullptr : &m->mesh->polygon(size_t(i));
}

LWID miPolType(LWMeshInfoID mi, LWPolID pol) {
  SimMeshInfo* m = self(mi);
  const SimPolygon* p = m ? polyOf(m, pol) : nullptr;
  return p ? p->type : 0;
}
int miPolSize(LWMeshInfoID mi, LWPolID pol) {
  SimMeshInfo* m = self(mi);
  const SimPolygon* p = m ? polyOf(m, pol) : nullptr;
  return p ? int(p->vertices.size()) : 0;
}
LWPntID miPolVertex(LWMeshInfoID mi, LWPolID pol, int v) {
  SimMeshInfo* m = self(mi);
  const SimPolygon* p = m ? polyOf(m, pol) : nullptr;
  if (!p || v < 0 || size_t(v) >= p->vertices.size()) return nullptr;
  return pointIdOf(m, p->vertices[size_t(v)]);
}
const char* miPolTag(LWMeshInfoID mi, LWPolID pol, LWID tag) {
  SimMeshInfo* m = self(mi);
  const SimPolygon* p = m ? polyOf(m, pol) : nullptr;
  return p && tag == kTagSURF ? p->surface.c_str() : nullptr;
}
int miVPGet(LWMeshInfoID mi, LWPntID pnt, LWPolID, float* vector) { return miVGet(mi, pnt, vector); }
unsigned int miPolFlags(LWMeshInfoID mi, LWPolID pol) {
  SimMeshInfo* m = self(mi);
  const SimPolygon* p = m ? polyOf(m, pol) : nullptr;
  return p ? p->flags : 0;
}
int miVIDGet(LWMeshInfoID mi, LWPntID pnt, float* vector, void* vmap) {
  SimMeshInfo* m = self(mi);
  return m ? readValue(m, static_cast<const VMapHandle*>(vmap), pnt, vector) : 0;
}
int miVPIDGet(LWMeshInfoID mi, LWPntID pnt, LWPolID, float* vector, void* vmap) {
  return miVIDGet(mi, pnt, vector, vmap);
}
int miPolTypeFlags(LWMeshInfoID, LWPolID) { return 0; }
int miPolNormal(LWMeshInfoID, LWPolID, LWFVector n) {
  n[0] = n[1] = n[2] = 0.0f;
  return 0;
}
int miPntNormal(LWMeshInfoID, LWPolID, LWPntID, LWFVector n) {
  n[0] = n[1] = n[2] = 0.0f;
  return 0;
}
LWMeshIteratorID miCreateIter(LWMeshInfoID, int) { return nullptr; }
void miDestroyIter(LWMeshInfoID, LWMeshIteratorID) {}
void* miIterate(LWMeshInfoID, LWMeshIteratorID) { return nullptr; }
void miResetIter(LWMeshInfoID, LWMeshIteratorID) {}
int miSetEvent(LWMeshInfoID, LWMeshEventFunc*, void*) { return 0; }

}  // namespace

LWMeshInfo* openMeshInfo(uint64_t object, bool frozen) {
  H().applyScenePolicy();
  SimItem* item = H().scene.find(object);
  if (!item || item->type != ItemType::Object) return nullptr;
  auto* m = new SimMeshInfo;
  m->object = object;
  m->mesh = item->mesh;
  m->frozen = frozen;
  m->ownIds = frozen && H().policy.frozenIds == FrozenPointIds::OwnIds;
  m->positions = H().scene.frozenShared(object);
  m->extra = frozen ? m->positions->extraPoints : 0;
  LWMeshInfo& a = m->api;
  a.priv = m;
  a.destroy = miDestroy;
  a.numPoints = miNumPoints;
  a.numPolygons = miNumPolygons;
  a.scanPoints = miScanPoints;
  a.scanPolys = miScanPolys;
  a.pntBasePos = miBasePos;
  a.pntOtherPos = miOtherPos;
  a.pntVLookup = miVLookup;
  a.pntVSelect = miVSelect;
  a.pntVGet = miVGet;
  a.polType = miPolType;
  a.polSize = miPolSize;
  a.polVertex = miPolVertex;
  a.polTag = miPolTag;
  a.pntVPGet = miVPGet;
  a.polFlags = miPolFlags;
  a.pntVIDGet = miVIDGet;
  a.pntVPIDGet = miVPIDGet;
  a.polTypeFlags = miPolTypeFlags;
  a.polBaseNormal = miPolNormal;
  a.polOtherNormal = miPolNormal;
  a.pntBaseNormal = miPntNormal;
  a.pntOtherNormal = miPntNormal;
  a.createMeshIterator = miCreateIter;
  a.destroyMeshIterator = miDestroyIter;
  a.iterateMesh = miIterate;
  a.resetMeshIterator = miResetIter;
  a.setMeshEvent = miSetEvent;
  return &m->api;
}

}  // namespace sim
