#include "files/lwo_object.h"

#include "files/lwo_ids.h"

#include <algorithm>
#include <unordered_map>

namespace sim {

using namespace lwo_ids;

namespace {


bool isGeometry(LwoId id) {
  return id == kPnts || id == kPols || id == kPtag || id == kVmap || id == kVmad || id == kBbox;
}

const LwoLayer& defaultLayer() {
  static const LwoLayer layer{};
  return layer;
}

template <class T>
std::vector<const T*> collect(const std::vector<LwoChunk>& chunks, const std::vector<std::size_t>& at) {
  std::vector<const T*> out;
  out.reserve(at.size());
  for (std::size_t i : at)
    if (const T* data = std::get_if<T>(&chunks[i].data)) out.push_back(data);
  return out;
}

}  // namespace

std::string lwoIdText(LwoId id) {
  std::string s(4, '?');
  for (int i = 0; i < 4; ++i) {
    char c = static_cast<char>((id >> (24 - 8 * i)) & 0xFF);
    if (c >= 0x20 && c < 0x7F) s[i] = c;
  }
  return s;
}

std::optional<LwoId> lwoIdFromText(std::string_view text) {
  if (text.size() != 4) return std::nullopt;
  LwoId id = 0;
  for (char c : text) id = (id << 8) | static_cast<std::uint8_t>(c);
  return id;
}

LwoObject::LwoObject(LwoFormat format, std::vector<LwoChunk> chunks, std::vector<std::uint8_t> trailing)
    : format_(format), chunks_(std::move(chunks)), trailing_(std::move(trailing)) {
  reindexLayers();
}

void LwoObject::reindexLayers() {
  layers_.clear();
  for (std::size_t i = 0; i < chunks_.size(); ++i) {
    LwoId id = chunks_[i].id;
    if (id == kLayr) {
      if (!layers_.empty()) layers_.back().end = i;
      layers_.push_back({});
      layers_.back().layr = i;
      layers_.back().begin = i;
      continue;
    }
    if (!isGeometry(id)) continue;
    if (layers_.empty()) {  // geometry before any LAYR: the implicit layer
      layers_.push_back({});
      layers_.back().begin = i;
    }
    LwoLayerChunks& layer = layers_.back();
    if (id == kPnts && layer.pnts == LwoLayerChunks::npos) layer.pnts = i;
    if (id == kBbox && layer.bbox == LwoLayerChunks::npos) layer.bbox = i;
    if (id == kPols) layer.pols.push_back(i);
    if (id == kPtag) layer.ptag.push_back(i);
    if (id == kVmap) layer.vmap.push_back(i);
    if (id == kVmad) layer.vmad.push_back(i);
  }
  if (!layers_.empty()) layers_.back().end = chunks_.size();
  // A layer ends where the next begins; chunks such as SURF after the last layer's geometry
  // still fall in its range, which only matters for where new maps may go (after PNTS anyway).
  for (std::size_t i = 0; i + 1 < layers_.size(); ++i) layers_[i].end = layers_[i + 1].begin;
}

const LwoLayer& LwoObject::layerInfo(std::size_t layer) const {
  const LwoLayerChunks& lc = layers_.at(layer);
  if (lc.layr == LwoLayerChunks::npos) return defaultLayer();
  const LwoLayer* info = std::get_if<LwoLayer>(&chunks_[lc.layr].data);
  return info ? *info : defaultLayer();
}

std::optional<std::size_t> LwoObject::findLayer(std::uint16_t number) const {
  for (std::size_t i = 0; i < layers_.size(); ++i)
    if (layerInfo(i).number == number) return i;
  return std::nullopt;
}

std::span<const LwoPoint> LwoObject::points(std::size_t layer) const {
  const LwoLayerChunks& lc = layers_.at(layer);
  if (lc.pnts == LwoLayerChunks::npos) return {};
  const LwoPoints* p = std::get_if<LwoPoints>(&chunks_[lc.pnts].data);
  return p ? std::span<const LwoPoint>(p->points) : std::span<const LwoPoint>();
}

std::vector<const LwoPolygons*> LwoObject::polygons(std::size_t layer) const {
  return collect<LwoPolygons>(chunks_, layers_.at(layer).pols);
}
std::vector<const LwoPolygonTags*> LwoObject::polygonTags(std::size_t layer) const {
  return collect<LwoPolygonTags>(chunks_, layers_.at(layer).ptag);
}
std::vector<const LwoVertexMap*> LwoObject::vertexMaps(std::size_t layer) const {
  return collect<LwoVertexMap>(chunks_, layers_.at(layer).vmap);
}
std::vector<const LwoDiscontinuousMap*> LwoObject::discontinuousMaps(std::size_t layer) const {
  return collect<LwoDiscontinuousMap>(chunks_, layers_.at(layer).vmad);
}

const LwoVertexMap* LwoObject::findVertexMap(std::size_t layer, LwoId type, std::string_view name) const {
  for (const LwoVertexMap* map : vertexMaps(layer))
    if (map->type == type && map->name == name) return map;
  return nullptr;
}

const LwoDiscontinuousMap* LwoObject::findDiscontinuousMap(std::size_t layer, LwoId type,
                                                           std::string_view name) const {
  for (const LwoDiscontinuousMap* map : discontinuousMaps(layer))
    if (map->type == type && map->name == name) return map;
  return nullptr;
}

const LwoTags* LwoObject::tags() const {
  for (const LwoChunk& chunk : chunks_)
    if (chunk.id == kTags)
      if (const LwoTags* t = std::get_if<LwoTags>(&chunk.data)) return t;
  return nullptr;
}

LwoChunk* LwoObject::findMapChunk(std::size_t layer, LwoId id, LwoId type, std::string_view name) {
  const std::vector<std::size_t>& at = id == kVmap ? layers_[layer].vmap : layers_[layer].vmad;
  for (std::size_t i : at) {
    LwoChunk& chunk = chunks_[i];
    if (auto* map = std::get_if<LwoVertexMap>(&chunk.data); map && map->type == type && map->name == name)
      return &chunk;
    if (auto* map = std::get_if<LwoDiscontinuousMap>(&chunk.data);
        map && map->type == type && map->name == name)
      return &chunk;
  }
  return nullptr;
}

bool LwoObject::setVertexMapValues(std::size_t layer, LwoId type, std::string_view name,
                                   std::span<const std::uint32_t> points, std::span<const float> values,
                                   std::string& error) {
  if (layer >= layers_.size()) {
    error = "layer " + std::to_string(layer) + " does not exist (" + std::to_string(layers_.size()) + " layers)";
    return false;
  }
  if (points.empty()) return true;
  if (values.size() % points.size() != 0 || values.size() / points.size() > 0xFFFF) {
    error = "values do not divide evenly among the points";
    return false;
  }
  const std::size_t dim = values.size() / points.size();
  const std::size_t numPoints = this->points(layer).size();
  for (std::uint32_t p : points)
    if (p >= numPoints) {
      error = "point " + std::to_string(p) + " is not in the layer (" + std::to_string(numPoints) + " points)";
      return false;
    }
  LwoChunk* chunk = findMapChunk(layer, kVmap, type, name);
  if (chunk != nullptr) {
    const auto& map = std::get<LwoVertexMap>(chunk->data);
    if (map.dimension != dim) {
      error = "map " + lwoIdText(type) + " \"" + std::string(name) + "\" has dimension " +
              std::to_string(map.dimension) + ", not " + std::to_string(dim);
      return false;
    }
  } else {
    // New map: after the layer's last VMAP, else after its BBOX or PNTS, else after its LAYR.
    const LwoLayerChunks& lc = layers_[layer];
    std::size_t after = lc.begin;
    if (!lc.vmap.empty()) {
      after = lc.vmap.back();
    } else if (lc.pnts != LwoLayerChunks::npos) {
      after = lc.pnts;
      if (lc.bbox != LwoLayerChunks::npos && lc.bbox > after) after = lc.bbox;
    }
    LwoChunk fresh;
    fresh.id = kVmap;
    LwoVertexMap map;
    map.type = type;
    map.dimension = static_cast<std::uint16_t>(dim);
    map.name = std::string(name);
    fresh.data = std::move(map);
    std::size_t insertAt = after + 1;
    chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(fresh));
    reindexLayers();
    chunk = &chunks_[insertAt];
  }
  auto& map = std::get<LwoVertexMap>(chunk->data);
  std::unordered_map<std::uint32_t, std::size_t> entryOf;
  entryOf.reserve(map.points.size() + points.size());
  for (std::size_t e = 0; e < map.points.size(); ++e) entryOf.emplace(map.points[e], e);
  for (std::size_t i = 0; i < points.size(); ++i) {
    auto [it, added] = entryOf.emplace(points[i], map.points.size());
    if (added) {
      map.points.push_back(points[i]);
      map.values.insert(map.values.end(), values.begin() + i * dim, values.begin() + (i + 1) * dim);
    } else {
      std::copy_n(values.begin() + i * dim, dim, map.values.begin() + it->second * dim);
    }
  }
  markEdited(*chunk);
  return true;
}

bool LwoObject::setVertexMapValue(std::size_t layer, LwoId type, std::string_view name, std::uint32_t point,
                                  std::span<const float> values, std::string& error) {
  if (values.empty()) {
    // A zero-dimension map (PICK) still records membership: one entry without values.
    if (layer >= layers_.size() || point >= this->points(layer).size()) {
      error = "layer or point out of range";
      return false;
    }
    LwoChunk* chunk = findMapChunk(layer, kVmap, type, name);
    if (chunk == nullptr || std::get<LwoVertexMap>(chunk->data).dimension != 0) {
      error = "no zero-dimension map " + lwoIdText(type) + " \"" + std::string(name) + "\"";
      return false;
    }
    auto& map = std::get<LwoVertexMap>(chunk->data);
    if (std::find(map.points.begin(), map.points.end(), point) == map.points.end()) {
      map.points.push_back(point);
      markEdited(*chunk);
    }
    return true;
  }
  return setVertexMapValues(layer, type, name, std::span<const std::uint32_t>(&point, 1), values, error);
}

bool LwoObject::removeVertexMapValue(std::size_t layer, LwoId type, std::string_view name, std::uint32_t point,
                                     std::string& error) {
  if (layer >= layers_.size()) {
    error = "layer " + std::to_string(layer) + " does not exist";
    return false;
  }
  LwoChunk* chunk = findMapChunk(layer, kVmap, type, name);
  if (chunk == nullptr) {
    error = "no map " + lwoIdText(type) + " \"" + std::string(name) + "\" in the layer";
    return false;
  }
  auto& map = std::get<LwoVertexMap>(chunk->data);
  auto it = std::find(map.points.begin(), map.points.end(), point);
  if (it == map.points.end()) return true;
  std::size_t e = static_cast<std::size_t>(it - map.points.begin());
  map.points.erase(it);
  auto first = map.values.begin() + static_cast<std::ptrdiff_t>(e * map.dimension);
  map.values.erase(first, first + map.dimension);
  markEdited(*chunk);
  return true;
}

bool LwoObject::deleteVertexMap(std::size_t layer, LwoId type, std::string_view name, std::string& error) {
  if (layer >= layers_.size()) {
    error = "layer " + std::to_string(layer) + " does not exist";
    return false;
  }
  std::vector<std::size_t> doomed;
  for (LwoId id : {kVmap, kVmad}) {
    LwoChunk* chunk = findMapChunk(layer, id, type, name);
    if (chunk == nullptr) continue;
    std::size_t at = static_cast<std::size_t>(chunk - chunks_.data());
    doomed.push_back(at);
    if (at > 0 && chunks_[at - 1].id == kVmpa) doomed.push_back(at - 1);  // its parameters go too
  }
  if (doomed.empty()) {
    error = "no map " + lwoIdText(type) + " \"" + std::string(name) + "\" in the layer";
    return false;
  }
  std::sort(doomed.rbegin(), doomed.rend());
  for (std::size_t at : doomed) chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(at));
  reindexLayers();
  return true;
}

bool LwoObject::renameVertexMap(std::size_t layer, LwoId type, std::string_view name, std::string_view newName,
                                std::string& error) {
  if (layer >= layers_.size()) {
    error = "layer " + std::to_string(layer) + " does not exist";
    return false;
  }
  if (newName.empty() || newName.find('\0') != std::string_view::npos) {
    error = "a map name must be non-empty and contain no NUL";
    return false;
  }
  LwoChunk* vmap = findMapChunk(layer, kVmap, type, name);
  LwoChunk* vmad = findMapChunk(layer, kVmad, type, name);
  if (vmap == nullptr && vmad == nullptr) {
    error = "no map " + lwoIdText(type) + " \"" + std::string(name) + "\" in the layer";
    return false;
  }
  if (newName == name) return true;
  if (findMapChunk(layer, kVmap, type, newName) || findMapChunk(layer, kVmad, type, newName)) {
    error = "a map " + lwoIdText(type) + " \"" + std::string(newName) + "\" already exists";
    return false;
  }
  if (vmap) {
    std::get<LwoVertexMap>(vmap->data).name = std::string(newName);
    markEdited(*vmap);
  }
  if (vmad) {
    std::get<LwoDiscontinuousMap>(vmad->data).name = std::string(newName);
    markEdited(*vmad);
  }
  return true;
}

}  // namespace sim
