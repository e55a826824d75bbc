#include "mesh/fake_mesh_info.h"

#include <cstring>

namespace {

// Ids out of scan order: odd multipliers scatter consecutive indices over the id range.
uint64_t baseIdOf(uint32_t i) { return (uint64_t(i) + 1) * 0x9E3779B97F4A7C15ull; }
uint64_t ownIdOf(uint32_t i) { return (uint64_t(i) + 1) * 0xC2B2AE3D27D4EB4Full ^ 0x5500000000000000ull; }
uint64_t extraIdOf(uint32_t k) { return 0x0000700000000000ull + 8 * uint64_t(k); }

LWPntID asPnt(uint64_t id) { return reinterpret_cast<LWPntID>(uintptr_t(id)); }
uint64_t idOf(LWPntID p) { return uint64_t(reinterpret_cast<uintptr_t>(p)); }
LWPolID asPol(size_t i) { return reinterpret_cast<LWPolID>(uintptr_t(16 * (i + 1))); }
size_t polIndex(LWPolID p) { return size_t(reinterpret_cast<uintptr_t>(p)) / 16 - 1; }

}  // namespace

uint32_t FakeMesh::addPoint(Pos pos) {
  points_.push_back({pos, pos, false, 0.0f});
  return uint32_t(points_.size() - 1);
}

uint32_t FakeMesh::addPolygon(std::vector<uint32_t> corners, LWID type) {
  polygons_.push_back({type, std::move(corners)});
  return uint32_t(polygons_.size() - 1);
}

LWPntID FakeMesh::baseId(uint32_t point) const { return asPnt(baseIdOf(point)); }
LWPntID FakeMesh::frozenId(uint32_t point) const { return asPnt(ownIds_ ? ownIdOf(point) : baseIdOf(point)); }

void FakeMesh::rebuildIndex() {
  baseIndex_.clear();
  frozenIndex_.clear();
  for (uint32_t i = 0; i < points_.size(); ++i) {
    baseIndex_[baseIdOf(i)] = i;
    frozenIndex_[idOf(frozenId(i))] = i;
  }
}

void FakeMesh::fill(View& v, bool frozen) {
  rebuildIndex();
  v.mesh = this;
  v.frozen = frozen;
  LWMeshInfo& i = v.info;
  i = LWMeshInfo{};
  i.priv = &v;
  i.numPoints = numPointsF;
  i.numPolygons = numPolygonsF;
  i.scanPoints = scanPointsF;
  i.scanPolys = scanPolysF;
  i.pntBasePos = basePosF;
  i.pntOtherPos = otherPosF;
  i.pntVLookup = vLookupF;
  i.pntVIDGet = vIDGetF;
  i.polType = polTypeF;
  i.polSize = polSizeF;
  i.polVertex = polVertexF;
}

LWMeshInfoID FakeMesh::base() {
  fill(baseView_, false);
  return &baseView_.info;
}

LWMeshInfoID FakeMesh::frozen() {
  fill(frozenView_, true);
  return &frozenView_.info;
}

long FakeMesh::indexOf(const View& v, LWPntID id) const {
  const auto& index = v.frozen ? frozenIndex_ : baseIndex_;
  const auto it = index.find(idOf(id));
  return it == index.end() ? -1 : long(it->second);
}

int FakeMesh::numPointsF(LWMeshInfoID mi) {
  const View& v = viewOf(mi);
  return int(v.mesh->points_.size() + (v.frozen ? v.mesh->extra_ : 0));
}

int FakeMesh::numPolygonsF(LWMeshInfoID mi) { return int(viewOf(mi).mesh->polygons_.size()); }

size_t FakeMesh::scanPointsF(LWMeshInfoID mi, LWPntScanFunc* fn, void* data) {
  const View& v = viewOf(mi);
  if (v.frozen)
    for (uint32_t k = 0; k < v.mesh->extra_; ++k)
      if (size_t r = fn(data, asPnt(extraIdOf(k)))) return r;
  for (uint32_t i = 0; i < v.mesh->points_.size(); ++i)
    if (size_t r = fn(data, v.frozen ? v.mesh->frozenId(i) : v.mesh->baseId(i))) return r;
  return 0;
}

size_t FakeMesh::scanPolysF(LWMeshInfoID mi, LWPolScanFunc* fn, void* data) {
  const View& v = viewOf(mi);
  for (size_t i = 0; i < v.mesh->polygons_.size(); ++i)
    if (size_t r = fn(data, asPol(i))) return r;
  return 0;
}

void FakeMesh::basePosF(LWMeshInfoID mi, LWPntID p, LWFVector out) {
  const View& v = viewOf(mi);
  const long i = v.mesh->indexOf(v, p);
  const Pos pos = i < 0 ? Pos{0, 0, 0} : v.mesh->points_[size_t(i)].base;
  std::memcpy(out, pos.data(), sizeof(float) * 3);
}

void FakeMesh::otherPosF(LWMeshInfoID mi, LWPntID p, LWFVector out) {
  const View& v = viewOf(mi);
  const long i = v.mesh->indexOf(v, p);
  // Extra points sit far away, so that reading one in place of a base point shows.
  const Pos pos = i < 0 ? Pos{-999, -999, -999} : v.mesh->points_[size_t(i)].other;
  std::memcpy(out, pos.data(), sizeof(float) * 3);
}

void* FakeMesh::vLookupF(LWMeshInfoID mi, LWID type, const char*) {
  return type == LWVMAP_WGHT ? viewOf(mi).mesh->weightMap() : nullptr;
}

int FakeMesh::vIDGetF(LWMeshInfoID mi, LWPntID p, float* out, void* vmap) {
  const View& v = viewOf(mi);
  const long i = v.mesh->indexOf(v, p);
  if (i < 0 || vmap != v.mesh->weightMap() || !v.mesh->points_[size_t(i)].hasValue) return 0;
  *out = v.mesh->points_[size_t(i)].value;
  return 1;
}

LWID FakeMesh::polTypeF(LWMeshInfoID mi, LWPolID pol) { return viewOf(mi).mesh->polygons_[polIndex(pol)].type; }

int FakeMesh::polSizeF(LWMeshInfoID mi, LWPolID pol) {
  return int(viewOf(mi).mesh->polygons_[polIndex(pol)].corners.size());
}

LWPntID FakeMesh::polVertexF(LWMeshInfoID mi, LWPolID pol, int vertex) {
  const View& v = viewOf(mi);
  return v.mesh->baseId(v.mesh->polygons_[polIndex(pol)].corners[size_t(vertex)]);
}
