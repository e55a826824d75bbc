// The bridge between object files and the simulated scene.
//
// Each layer of an object file becomes one object item, as Layout loads a layered object
// ("Name" for a one-layer object, "Name:LayerName" or "Name:Layer<n>" otherwise). The item's
// mesh holds that layer's points in file order (point index == PNTS index), its polygons of
// every type with their surface, and every VMAP of the layer with its type and dimension.
// VMADs and all other chunks stay in the file untouched.
//
// The loaded LwoObject is kept with a copy of each layer's vertex maps as last loaded or
// saved. Saving compares the item's maps with that copy and edits only the VMAP chunks that
// differ, so an object saved without changes is byte-identical to its source.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "files/file_error.h"
#include "files/lwo_object.h"
#include "scene/sim_scene.h"

namespace sim {

// One object file behind one or more items.
struct LoadedObject {
  std::string sourcePath;
  LwoObject file;
  // Per item: the file layer (position in file order) it was built from.
  std::map<uint64_t, std::size_t> layerOfItem;
  // Per item: its vertex maps as the file holds them now.
  std::map<uint64_t, std::vector<SimVMap>> savedMaps;
};

// What one save changed, for reports.
struct ObjectSaveReport {
  std::string path;
  std::vector<std::string> changes;  // "WGHT \"Demo\": 48 values set", "renamed ...", ...
  std::vector<std::string> warnings;
};

class ObjectFiles {
 public:
  // Loads every layer of `path` as items (or only the layer a scene calls `layerNumber` when
  // it is >= 0, as LoadObjectLayer does: LAYR number + 1). Returns the new item ids; empty
  // with `error` set when the file cannot be read or has no such layer. Each item's points
  // carry that scene layer number.
  std::vector<uint64_t> load(SimScene& scene, const std::string& path, FileError& error,
                             int layerNumber = -1);

  // Writes the item's current maps into its file record and saves the whole file to
  // `outPath` (other items of the same file contribute their layers too). An item that came
  // from no file (built in the sim) is written as a new one-layer object. Refuses to write
  // over the source file.
  bool save(const SimScene& scene, uint64_t item, const std::string& outPath, FileError& error,
            ObjectSaveReport* report = nullptr);

  // The file behind an item, or null for items built in the sim.
  const LoadedObject* find(uint64_t item) const;

 private:
  std::vector<std::shared_ptr<LoadedObject>> objects_;
  std::map<uint64_t, std::shared_ptr<LoadedObject>> byItem_;
};

// The number a scene's LoadObjectLayer gives the layer at `layer` (file order): its LAYR
// number plus one; 1 for the implicit layer of an object without LAYR chunks.
int sceneLayerNumber(const LwoObject& file, std::size_t layer);

// A new one-layer LWO2 object holding the mesh's points, polygons (with SURF tags) and
// vertex maps: how the sim saves an object that never had a file.
LwoObject lwoFromMesh(const SimMesh& mesh);

// Brings the record of `layer` in line with `current`, given the maps the file held
// (`saved`): changed values are set, dropped points removed, vanished maps deleted, and a
// vanished map whose values reappear under a new name of the same type is renamed.
bool writeMapChanges(LwoObject& file, std::size_t layer, const std::vector<SimVMap>& saved,
                     const std::vector<SimVMap>& current, std::size_t numPoints,
                     std::vector<std::string>& changes, std::string& error);

// Free-function forms of ObjectFiles::load / save.
std::vector<uint64_t> loadObjectIntoScene(SimScene& scene, ObjectFiles& files, const std::string& path,
                                          FileError& error);
bool saveObjectFromScene(const SimScene& scene, ObjectFiles& files, uint64_t item,
                         const std::string& outPath, FileError& error, ObjectSaveReport* report = nullptr);

}  // namespace sim
