#include "scene/sim_mesh.h"

#include <algorithm>

namespace sim {

std::string fourCCText(uint32_t id) {
  std::string s(4, ' ');
  for (int i = 0; i < 4; ++i) s[i] = char((id >> (24 - 8 * i)) & 0xFF);
  return s;
}

const std::vector<float>* SimVMap::find(uint32_t point) const {
  auto it = values.find(point);
  return it == values.end() ? nullptr : &it->second;
}

namespace {

// Ids are scrambled so that nothing in the module can get away with assuming id order
// equals scan order. Multiplying by an odd constant is a bijection on 64 bits, so an id
// maps back to its index with the constant's inverse, and never to 0.
constexpr uint64_t kPointKey = 0x9E3779B97F4A7C15ull;
constexpr uint64_t kPolygonKey = 0xC2B2AE3D27D4EB4Full;

constexpr uint64_t inverseOf(uint64_t odd) {
  uint64_t x = odd;  // Newton's iteration doubles the correct low bits each step
  for (int i = 0; i < 6; ++i) x *= 2 - odd * x;
  return x;
}
static_assert(kPointKey * inverseOf(kPointKey) == 1);
static_assert(kPolygonKey * inverseOf(kPolygonKey) == 1);

uint64_t idOf(uint64_t index, uint64_t key) { return (index + 1) * key; }

long indexOf(uint64_t id, uint64_t key, size_t count) {
  uint64_t index = id * inverseOf(key) - 1;
  return index < count ? long(index) : -1;
}

}  // namespace

uint32_t SimMesh::addPoint(const float pos[3], int layer) {
  SimPoint p;
  uint32_t index = uint32_t(points_.size());
  p.id = idOf(index, kPointKey);
  std::copy(pos, pos + 3, p.pos);
  p.layer = layer;
  points_.push_back(p);
  touch();
  return index;
}

uint32_t SimMesh::addPolygon(uint32_t type, std::vector<uint32_t> vertices,
                             const std::string& surface, int layer) {
  SimPolygon poly;
  poly.id = idOf(polygons_.size(), kPolygonKey);
  poly.type = type;
  poly.vertices = std::move(vertices);
  poly.surface = surface;
  poly.layer = layer;
  uint32_t index = uint32_t(polygons_.size());
  polygons_.push_back(std::move(poly));
  touch();
  return index;
}

long SimMesh::pointIndex(uint64_t id) const { return indexOf(id, kPointKey, points_.size()); }

long SimMesh::polygonIndex(uint64_t id) const { return indexOf(id, kPolygonKey, polygons_.size()); }

SimVMap* SimMesh::findVMap(uint32_t type, const std::string& name) {
  for (auto& m : vmaps_)
    if (m.type == type && m.name == name) return &m;
  return nullptr;
}

const SimVMap* SimMesh::findVMap(uint32_t type, const std::string& name) const {
  for (const auto& m : vmaps_)
    if (m.type == type && m.name == name) return &m;
  return nullptr;
}

SimVMap& SimMesh::addVMap(uint32_t type, const std::string& name, int dimension) {
  SimVMap m;
  m.type = type;
  m.name = name;
  m.dimension = dimension;
  vmaps_.push_back(std::move(m));
  touch();
  return vmaps_.back();
}

bool SimMesh::removeVMap(uint32_t type, const std::string& name) {
  auto it = std::find_if(vmaps_.begin(), vmaps_.end(),
                         [&](const SimVMap& m) { return m.type == type && m.name == name; });
  if (it == vmaps_.end()) return false;
  vmaps_.erase(it);
  touch();
  return true;
}

}  // namespace sim
