// The bridge between scene files and the simulated host.
//
// Loading builds the host's scene from an LwsScene: objects (through ObjectFiles, one item
// per LoadObjectLayer), nulls, bones with their rest set-up, lights and cameras, parents,
// positions and rotations at time 0, and the master handlers the host's modules provide.
// Saving writes back only what the sim can change and the file model can edit: bone rest
// length, strength, weight-map name and flags, and the applied master handlers. Everything
// else keeps its lines.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "files/lws_scene.h"
#include "host/host.h"
#include "io/object_files.h"

namespace sim {

struct LoadedScene {
  std::string sourcePath;                 // empty for a scene built in the sim
  LwsScene file;
  std::vector<uint64_t> itemIds;          // per file item: the host item, 0 when none
  std::map<uint64_t, std::string> objectPaths;  // object item -> its path as the scene writes it
  // Master handlers of the file now applied in the host, in order.
  struct Master {
    std::size_t fileIndex = 0;            // position among the file's master handlers
    std::string server;
    std::vector<std::string> data;
  };
  std::vector<Master> masters;
  std::vector<std::string> warnings;      // objects not found, handlers not available, ...
};

// Finds a file a scene names, as Layout's content directory does: a relative path against
// the scene's folder, then against that folder's parent (the content folder of a scene kept
// in Scenes/), and only then as written (absolute, or from the current directory).
// Backslashes count as separators. Empty when none exists.
std::string resolveScenePath(const std::string& scenePath, const std::string& written);

// Builds the host's scene from the file. An object that cannot be found or read becomes an
// empty object (so its bones still load) and a warning; a scene that cannot be read fails.
bool loadSceneIntoHost(Host& host, ObjectFiles& objects, const std::string& path, LoadedScene& out,
                       FileError& error);

// A scene record for the host's current scene (for scenes built in the sim): every object
// with its bones, nulls, lights and cameras, with parents, positions and rest set-up.
// `objectPaths` gives the file name each object is written under.
LoadedScene sceneFromHost(const Host& host, const std::map<uint64_t, std::string>& objectPaths);

// Writes the host's bone settings and master handlers into the scene record and saves it to
// `outPath` (never over the source). `changes` lists what was edited; `warnings` what the
// file model cannot take (items added or removed, rest pose changes).
bool saveSceneFromHost(Host& host, LoadedScene& scene, const std::string& outPath, FileError& error,
                       std::vector<std::string>* changes = nullptr, std::vector<std::string>* warnings = nullptr);

}  // namespace sim
