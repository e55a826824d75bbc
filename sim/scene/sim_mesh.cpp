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

// Ids are scrambled (multiplication by an odd constant is a bijection on 64 bits) so
// that nothing in the module can get away with assuming id order equals scan order.
uint64_t SimMesh::nextId() {
  ++idCounter_;
  return (idCounter_ * 0x9E3779B97F4A7C15ull) | 1ull;
}

uint32_t SimMesh::addPoint(const float pos[3], int layer) {
  SimPoint p;
  p.id = nextId();
  std::copy(pos, pos + 3, p.pos);
  p.layer = layer;
  uint32_t index = uint32_t(points_.size());
  pointById_[p.id] = index;
  points_.push_back(p);
  touch();
  return index;
}

uint32_t SimMesh::addPolygon(uint32_t type, std::vector<uint32_t> vertices,
                             const std::string& surface, int layer) {
  SimPolygon poly;
  poly.id = nextId();
  poly.type = type;
  poly.vertices = std::move(vertices);
  poly.surface = surface;
  poly.layer = layer;
  uint32_t index = uint32_t(polygons_.size());
  polygonById_[poly.id] = index;
  polygons_.push_back(std::move(poly));
  touch();
  return index;
}

long SimMesh::pointIndex(uint64_t id) const {
  auto it = pointById_.find(id);
  return it == pointById_.end() ? -1 : long(it->second);
}

long SimMesh::polygonIndex(uint64_t id) const {
  auto it = polygonById_.find(id);
  return it == polygonById_.end() ? -1 : long(it->second);
}

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
