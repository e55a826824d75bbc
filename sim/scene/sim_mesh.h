// The simulated host's mesh of one object: points with stable ids that are not in scan
// order, polygons of the host's types, and vertex maps of any type and dimension.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace sim {

// Four-character code, big-endian character order, as the host's LWID.
constexpr uint32_t fourCC(char a, char b, char c, char d) {
  return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) |
         (uint32_t(uint8_t(c)) << 8) | uint32_t(uint8_t(d));
}
constexpr uint32_t kTypeFACE = fourCC('F', 'A', 'C', 'E');
constexpr uint32_t kTypePTCH = fourCC('P', 'T', 'C', 'H');
constexpr uint32_t kTypeSUBD = fourCC('S', 'U', 'B', 'D');
constexpr uint32_t kTypeCURV = fourCC('C', 'U', 'R', 'V');
constexpr uint32_t kTypeBONE = fourCC('B', 'O', 'N', 'E');
constexpr uint32_t kTypeMBAL = fourCC('M', 'B', 'A', 'L');
constexpr uint32_t kVMapWGHT = fourCC('W', 'G', 'H', 'T');
constexpr uint32_t kTagSURF = fourCC('S', 'U', 'R', 'F');

std::string fourCCText(uint32_t id);

struct SimPoint {
  uint64_t id = 0;     // opaque host id; never 0
  float pos[3] = {0, 0, 0};
  int layer = 1;
};

struct SimPolygon {
  uint64_t id = 0;
  uint32_t type = kTypeFACE;
  uint32_t flags = 0;
  std::vector<uint32_t> vertices;  // point indices
  std::string surface = "Default";
  int layer = 1;
};

// A per-point vertex map (VMAP). Values are stored per point index.
struct SimVMap {
  uint32_t type = kVMapWGHT;
  std::string name;
  int dimension = 1;
  std::unordered_map<uint32_t, std::vector<float>> values;  // point index -> values

  const std::vector<float>* find(uint32_t point) const;
};

class SimMesh {
 public:
  // Adds a point and returns its index; its id is fresh and unrelated to the index.
  uint32_t addPoint(const float pos[3], int layer = 1);
  uint32_t addPolygon(uint32_t type, std::vector<uint32_t> vertices,
                      const std::string& surface = "Default", int layer = 1);

  size_t numPoints() const { return points_.size(); }
  size_t numPolygons() const { return polygons_.size(); }
  const SimPoint& point(size_t i) const { return points_[i]; }
  SimPoint& point(size_t i) { return points_[i]; }
  const SimPolygon& polygon(size_t i) const { return polygons_[i]; }
  const std::vector<SimPoint>& points() const { return points_; }
  const std::vector<SimPolygon>& polygons() const { return polygons_; }

  // Id lookups, O(1) without hashing; -1 when the id names no point/polygon of this mesh.
  long pointIndex(uint64_t id) const;
  long polygonIndex(uint64_t id) const;

  // Vertex maps, in creation order.
  std::vector<SimVMap>& vmaps() { return vmaps_; }
  const std::vector<SimVMap>& vmaps() const { return vmaps_; }
  SimVMap* findVMap(uint32_t type, const std::string& name);
  const SimVMap* findVMap(uint32_t type, const std::string& name) const;
  SimVMap& addVMap(uint32_t type, const std::string& name, int dimension);
  bool removeVMap(uint32_t type, const std::string& name);

  // Bumped by every change, so views can tell they are stale.
  uint64_t revision() const { return revision_; }
  void touch() { ++revision_; }

 private:
  std::vector<SimPoint> points_;
  std::vector<SimPolygon> polygons_;
  std::vector<SimVMap> vmaps_;
  uint64_t revision_ = 0;
};

}  // namespace sim
