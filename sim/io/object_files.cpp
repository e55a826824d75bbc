#include "io/object_files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>

#include "files/lwo_io.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

using MapKey = std::pair<uint32_t, std::string>;

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

bool sameValues(const SimVMap& a, const SimVMap& b) {
  if (a.dimension != b.dimension || a.values.size() != b.values.size()) return false;
  for (const auto& [point, v] : a.values) {
    auto it = b.values.find(point);
    if (it == b.values.end() || !sameBits(v, it->second)) return false;
  }
  return true;
}

std::vector<uint32_t> sortedPoints(const SimVMap& map) {
  std::vector<uint32_t> points;
  points.reserve(map.values.size());
  for (const auto& entry : map.values) points.push_back(entry.first);
  std::sort(points.begin(), points.end());
  return points;
}

std::string mapLabel(uint32_t type, const std::string& name) { return lwoIdText(type) + " \"" + name + "\""; }

SimVMap toSimMap(const LwoVertexMap& m) {
  SimVMap out;
  out.type = m.type;
  out.name = m.name;
  out.dimension = m.dimension;
  for (std::size_t e = 0; e < m.numEntries(); ++e) {
    auto first = m.values.begin() + long(e * m.dimension);
    out.values[m.points[e]].assign(first, first + m.dimension);
  }
  return out;
}

// Writes `points` of `map` (values of points at or above numPoints are skipped with a note).
bool setValues(LwoObject& file, std::size_t layer, const SimVMap& map, const std::vector<uint32_t>& points,
               std::size_t numPoints, std::vector<std::string>& changes, std::string& error) {
  std::vector<uint32_t> kept;
  std::vector<float> values;
  kept.reserve(points.size());
  values.reserve(points.size() * size_t(std::max(map.dimension, 0)));
  size_t skipped = 0;
  for (uint32_t p : points) {
    if (p >= numPoints) {
      ++skipped;
      continue;
    }
    const std::vector<float>& v = map.values.at(p);
    if (int(v.size()) != map.dimension) {
      error = mapLabel(map.type, map.name) + ": point " + std::to_string(p) + " has " +
              std::to_string(v.size()) + " values, not " + std::to_string(map.dimension);
      return false;
    }
    kept.push_back(p);
    values.insert(values.end(), v.begin(), v.end());
  }
  if (skipped)
    changes.push_back(mapLabel(map.type, map.name) + ": " + std::to_string(skipped) +
                      " values of points the file does not hold were not written");
  if (kept.empty()) return true;
  if (!file.setVertexMapValues(layer, map.type, map.name, kept, values, error)) return false;
  changes.push_back(mapLabel(map.type, map.name) + ": " + std::to_string(kept.size()) + " values set");
  return true;
}

bool isSourceFile(const std::string& source, const std::string& out) {
  if (source.empty()) return false;
  std::error_code ec;
  if (fs::exists(out, ec) && fs::equivalent(source, out, ec)) return true;
  return fs::weakly_canonical(source, ec) == fs::weakly_canonical(out, ec);
}

}  // namespace

int sceneLayerNumber(const LwoObject& file, std::size_t layer) {
  if (file.layerChunks(layer).layr == LwoLayerChunks::npos) return 1;
  return int(file.layerInfo(layer).number) + 1;
}

bool writeMapChanges(LwoObject& file, std::size_t layer, const std::vector<SimVMap>& saved,
                     const std::vector<SimVMap>& current, std::size_t numPoints,
                     std::vector<std::string>& changes, std::string& error) {
  std::map<MapKey, const SimVMap*> before, after;
  for (const SimVMap& m : saved) before[{m.type, m.name}] = &m;
  for (const SimVMap& m : current) after[{m.type, m.name}] = &m;

  // Maps that went away: renamed when their values turn up unchanged under a new name.
  std::set<MapKey> renamedTo;
  for (const auto& [key, old] : before) {
    if (after.count(key)) continue;
    const SimVMap* target = nullptr;
    for (const auto& [newKey, m] : after)
      if (newKey.first == key.first && !before.count(newKey) && !renamedTo.count(newKey) && sameValues(*old, *m)) {
        target = m;
        break;
      }
    if (target) {
      if (!file.renameVertexMap(layer, key.first, key.second, target->name, error)) return false;
      renamedTo.insert({target->type, target->name});
      changes.push_back(mapLabel(key.first, key.second) + " renamed to \"" + target->name + "\"");
    } else {
      if (!file.deleteVertexMap(layer, key.first, key.second, error)) return false;
      changes.push_back(mapLabel(key.first, key.second) + " deleted");
    }
  }

  for (const SimVMap& m : current) {
    MapKey key{m.type, m.name};
    if (renamedTo.count(key)) continue;
    auto old = before.find(key);
    if (old != before.end() && old->second->dimension != m.dimension) {
      // A map cannot change its dimension in place: write it afresh.
      if (!file.deleteVertexMap(layer, m.type, m.name, error)) return false;
      changes.push_back(mapLabel(m.type, m.name) + " deleted to change its dimension");
      old = before.end();
    }
    if (old == before.end()) {
      if (m.values.empty()) {
        changes.push_back(mapLabel(m.type, m.name) + " is empty and was not written");
        continue;
      }
      if (!setValues(file, layer, m, sortedPoints(m), numPoints, changes, error)) return false;
      continue;
    }
    const SimVMap& was = *old->second;
    std::vector<uint32_t> changed;
    for (uint32_t p : sortedPoints(m)) {
      auto it = was.values.find(p);
      if (it == was.values.end() || !sameBits(it->second, m.values.at(p))) changed.push_back(p);
    }
    if (!setValues(file, layer, m, changed, numPoints, changes, error)) return false;
    size_t removed = 0;
    for (uint32_t p : sortedPoints(was))
      if (!m.values.count(p) && p < numPoints) {
        if (!file.removeVertexMapValue(layer, m.type, m.name, p, error)) return false;
        ++removed;
      }
    if (removed) changes.push_back(mapLabel(m.type, m.name) + ": " + std::to_string(removed) + " points removed");
  }
  return true;
}

std::vector<uint64_t> ObjectFiles::load(SimScene& scene, const std::string& path, FileError& error,
                                        int layerNumber) {
  // Which layers to load, or an error.
  auto chooseLayers = [&](const LwoObject& file, std::vector<std::size_t>& layers) {
    layers.clear();
    if (layerNumber >= 0) {
      // Scenes count layers from 1 where LAYR counts from 0.
      std::optional<std::size_t> found;
      if (layerNumber >= 1 && layerNumber <= 0x10000) found = file.findLayer(uint16_t(layerNumber - 1));
      // An object without LAYR chunks has only its implicit layer, which answers to layer 1.
      if (!found && layerNumber == 1 && file.numLayers() == 1 && file.layerChunks(0).layr == LwoLayerChunks::npos)
        found = 0;
      if (!found) {
        error = FileError{path, "", -1, 0, "the object has no layer " + std::to_string(layerNumber)};
        return false;
      }
      layers.push_back(*found);
    } else {
      for (std::size_t l = 0; l < file.numLayers(); ++l) layers.push_back(l);
    }
    if (layers.empty()) error = FileError{path, "", -1, 0, "the object has no geometry layer"};
    return !layers.empty();
  };

  // Layers of one file loaded one at a time (as a scene does) share one record, so a save
  // writes all of them; loading a layer a second time makes an independent copy.
  std::shared_ptr<LoadedObject> loaded;
  std::vector<std::size_t> layers;
  std::error_code ec;
  for (const auto& o : objects_) {
    if (o->sourcePath.empty() || !fs::exists(path, ec) || !fs::equivalent(o->sourcePath, path, ec)) continue;
    if (!chooseLayers(o->file, layers)) return {};
    bool taken = false;
    for (const auto& entry : o->layerOfItem)
      taken = taken || std::find(layers.begin(), layers.end(), entry.second) != layers.end();
    if (!taken) loaded = o;
    break;
  }
  const bool fresh = !loaded;
  if (fresh) {
    loaded = std::make_shared<LoadedObject>();
    loaded->sourcePath = path;
    if (!loadLwo(path, loaded->file, error)) return {};
    // Old-format objects are held as LWO2 from the start, so edits and saves need no special case.
    if (loaded->file.needsConversion()) loaded->file.convertToLwo2();
    if (!chooseLayers(loaded->file, layers)) return {};
  }
  const LwoObject& file = loaded->file;

  const std::string stem = fs::path(path).stem().string();
  const LwoTags* tags = file.tags();
  std::vector<uint64_t> ids;
  for (std::size_t layer : layers) {
    const LwoLayer& info = file.layerInfo(layer);
    const int layerNo = sceneLayerNumber(file, layer);
    auto mesh = std::make_shared<SimMesh>();
    for (const LwoPoint& p : file.points(layer)) mesh->addPoint(p.data(), layerNo);

    // A PTAG names polygons of the latest POLS before it.
    const LwoLayerChunks& lc = file.layerChunks(layer);
    for (std::size_t pi = 0; pi < lc.pols.size(); ++pi) {
      const auto& pols = std::get<LwoPolygons>(file.chunks()[lc.pols[pi]].data);
      const std::size_t nextPols = pi + 1 < lc.pols.size() ? lc.pols[pi + 1] : lc.end;
      std::vector<std::string> surface(pols.numPolygons(), "Default");
      for (std::size_t t : lc.ptag) {
        if (t < lc.pols[pi] || t >= nextPols) continue;
        const auto& ptag = std::get<LwoPolygonTags>(file.chunks()[t].data);
        if (ptag.type != lwoId("SURF") || !tags) continue;
        for (std::size_t e = 0; e < ptag.polygons.size(); ++e)
          if (ptag.polygons[e] < surface.size() && ptag.tags[e] < tags->names.size())
            surface[ptag.polygons[e]] = tags->names[ptag.tags[e]];
      }
      for (std::size_t i = 0; i < pols.numPolygons(); ++i) {
        auto corners = pols.corners(i);
        mesh->addPolygon(pols.type, std::vector<uint32_t>(corners.begin(), corners.end()), surface[i], layerNo);
      }
    }

    std::vector<SimVMap> maps;
    for (const LwoVertexMap* m : file.vertexMaps(layer)) {
      SimVMap sm = toSimMap(*m);
      // Two chunks of one map in a layer read as one map, the later values winning.
      auto same = std::find_if(maps.begin(), maps.end(),
                               [&](const SimVMap& x) { return x.type == sm.type && x.name == sm.name; });
      if (same == maps.end()) {
        maps.push_back(std::move(sm));
      } else {
        for (auto& [p, v] : sm.values) same->values[p] = v;
      }
    }
    for (const SimVMap& m : maps) {
      SimVMap& added = mesh->addVMap(m.type, m.name, m.dimension);
      added.values = m.values;
    }

    std::string name = stem;
    if (file.numLayers() > 1)
      name += ":" + (info.name.empty() ? "Layer" + std::to_string(layerNo) : info.name);
    SimItem& item = scene.addObject(name, mesh);
    item.filename = path;
    item.pivot = {info.pivot[0], info.pivot[1], info.pivot[2]};
    loaded->layerOfItem[item.id] = layer;
    loaded->savedMaps[item.id] = std::move(maps);
    byItem_[item.id] = loaded;
    ids.push_back(item.id);
  }
  if (fresh) objects_.push_back(loaded);
  return ids;
}

const LoadedObject* ObjectFiles::find(uint64_t item) const {
  auto it = byItem_.find(item);
  return it == byItem_.end() ? nullptr : it->second.get();
}

bool ObjectFiles::save(const SimScene& scene, uint64_t item, const std::string& outPath, FileError& error,
                       ObjectSaveReport* report) {
  ObjectSaveReport local;
  ObjectSaveReport& rep = report ? *report : local;
  rep.path = outPath;
  const SimItem* it = scene.find(item);
  if (!it || it->type != ItemType::Object || !it->mesh) {
    error = FileError{outPath, "", -1, 0, "item is not an object"};
    return false;
  }
  std::shared_ptr<LoadedObject> loaded;
  if (auto found = byItem_.find(item); found != byItem_.end()) {
    loaded = found->second;
  } else {
    // Built in the sim: give it a file record with no maps yet, then save it like any other.
    loaded = std::make_shared<LoadedObject>();
    loaded->file = lwoFromMesh(*it->mesh);
    loaded->layerOfItem[item] = 0;
    loaded->savedMaps[item] = {};
    byItem_[item] = loaded;
    objects_.push_back(loaded);
  }
  if (isSourceFile(loaded->sourcePath, outPath)) {
    error = FileError{outPath, "", -1, 0, "refusing to write over the object's source file"};
    return false;
  }

  // Write every item of the file, so the saved file holds all layers' current maps.
  LwoObject edited = loaded->file;
  std::map<uint64_t, std::vector<SimVMap>> nowSaved;
  for (const auto& [id, layer] : loaded->layerOfItem) {
    const SimItem* part = scene.find(id);
    if (!part || !part->mesh) continue;  // removed from the scene: its layer stays as it was
    const std::size_t numPoints = edited.points(layer).size();
    if (part->mesh->numPoints() > numPoints)
      rep.warnings.push_back(part->name + ": " + std::to_string(part->mesh->numPoints() - numPoints) +
                             " points added in the scene are not written");
    std::string why;
    std::vector<std::string> changes;
    if (!writeMapChanges(edited, layer, loaded->savedMaps[id], part->mesh->vmaps(), numPoints, changes, why)) {
      error = FileError{outPath, "VMAP", -1, 0, part->name + ": " + why};
      return false;
    }
    for (auto& c : changes) rep.changes.push_back(part->name + ": " + c);
    nowSaved[id] = part->mesh->vmaps();
  }
  if (!saveLwo(edited, outPath, error)) return false;
  loaded->file = std::move(edited);
  for (auto& [id, maps] : nowSaved) loaded->savedMaps[id] = std::move(maps);
  return true;
}

LwoObject lwoFromMesh(const SimMesh& mesh) {
  std::vector<LwoChunk> chunks;
  auto add = [&](LwoId id, LwoChunkData data) {
    LwoChunk c;
    c.id = id;
    c.data = std::move(data);
    chunks.push_back(std::move(c));
  };

  LwoTags tags;
  std::map<std::string, uint16_t> tagIndex;
  for (const SimPolygon& p : mesh.polygons())
    if (tagIndex.emplace(p.surface, uint16_t(tags.names.size())).second) tags.names.push_back(p.surface);
  if (!tags.names.empty()) add(lwoId("TAGS"), tags);

  LwoLayer layer;
  layer.number = 0;  // Modeler's first layer; scenes call it layer 1
  add(lwoId("LAYR"), layer);

  LwoPoints points;
  LwoBounds bounds;
  points.points.reserve(mesh.numPoints());
  for (size_t i = 0; i < mesh.numPoints(); ++i) {
    const SimPoint& p = mesh.point(i);
    LwoPoint v{p.pos[0], p.pos[1], p.pos[2]};
    for (int a = 0; a < 3; ++a) {
      bounds.min[size_t(a)] = i ? std::min(bounds.min[size_t(a)], v[size_t(a)]) : v[size_t(a)];
      bounds.max[size_t(a)] = i ? std::max(bounds.max[size_t(a)], v[size_t(a)]) : v[size_t(a)];
    }
    points.points.push_back(v);
  }
  add(lwoId("PNTS"), points);
  add(lwoId("BBOX"), bounds);

  // One POLS per polygon type, in order of first use, each followed by its surface tags.
  std::vector<uint32_t> types;
  for (const SimPolygon& p : mesh.polygons())
    if (std::find(types.begin(), types.end(), p.type) == types.end()) types.push_back(p.type);
  for (uint32_t type : types) {
    LwoPolygons pols;
    LwoPolygonTags ptag;
    pols.type = type;
    ptag.type = lwoId("SURF");
    pols.offsets.push_back(0);
    for (const SimPolygon& p : mesh.polygons()) {
      if (p.type != type) continue;
      ptag.polygons.push_back(uint32_t(pols.numPolygons()));
      ptag.tags.push_back(tagIndex[p.surface]);
      pols.indices.insert(pols.indices.end(), p.vertices.begin(), p.vertices.end());
      pols.offsets.push_back(uint32_t(pols.indices.size()));
      pols.flags.push_back(uint16_t(p.flags & 0x3F));
    }
    add(lwoId("POLS"), std::move(pols));
    add(lwoId("PTAG"), std::move(ptag));
  }
  return LwoObject(LwoFormat::Lwo2, std::move(chunks), {});
}

std::vector<uint64_t> loadObjectIntoScene(SimScene& scene, ObjectFiles& files, const std::string& path,
                                          FileError& error) {
  return files.load(scene, path, error);
}

bool saveObjectFromScene(const SimScene& scene, ObjectFiles& files, uint64_t item, const std::string& outPath,
                         FileError& error, ObjectSaveReport* report) {
  return files.save(scene, item, outPath, error, report);
}

}  // namespace sim
