// The map set of a multi-map command: the chosen one-dimensional weight maps with their
// names, their handles in a mesh info and a pool of WeightStc records, and the scan that
// gives each snapshot point its chain of records.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mesh/weight_stc.h"

extern "C" {
#include <lwmeshes.h>
#include <lwrender.h>
}

struct InstData;
struct MeshData;

// Records handed out in blocks that never move, so chains may point into them.
class WeightStcPool {
 public:
  explicit WeightStcPool(size_t blockSize = 1024) : blockSize_(blockSize ? blockSize : 1) {}
  WeightStc* make();
  void clear();

 private:
  size_t blockSize_;
  size_t used_ = 0;  // in the last block
  std::vector<std::unique_ptr<WeightStc[]>> blocks_;
};

struct WeightMapSet {
  std::vector<std::string> names;  // set order; WeightStc::mapName points into them
  WeightStcPool pool;
};

// Names of the object's WGHT maps of dimension 1, in the host's order; with boneMapsOnly,
// only those used as weight map by a bone below the object (each name once).
std::vector<std::string> oneDimensionalWeightMaps(LWItemID object, bool boneMapsOnly);
// Number of WGHT maps the object functions report (0 when they report none).
int32_t weightMapCount();
// Starts the set with these names and a pool sized for the snapshot (blocks of
// 2 x points + 32 records), and clears every point's chain.
void beginWeightMapSet(WeightMapSet& set, std::vector<std::string> names, MeshData& mesh);
// For each snapshot point and each map of the set in set order, a record (name, set
// index, before = after = the value) for a map in which the point has a value, put at the
// head of the point's chain, so chains run from the last map to the first. Reads the
// object's base mesh; false when it cannot be read.
bool getWeightsFromPoints(WeightMapSet& set, MeshData& mesh, LWItemID object);
// The same over an open mesh info whose points are the snapshot's, in its order.
void getWeightsFromPoints(WeightMapSet& set, MeshData& mesh, LWMeshInfoID info);
// Frees the set's records and empties every point's chain.
void destroyWeightMapData(WeightMapSet& set, MeshData& mesh);
// Puts every point with a chain into the change list (ascending indices, its chain in
// pointMapLists); returns the count.
int32_t listPointsWithChains(MeshData& mesh);
