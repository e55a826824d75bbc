// Invariants every snapshot must satisfy whatever mesh it came from, and the scene set-up
// the snapshot tests share.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "mesh/mesh_data.h"
#include "scene/sim_mesh.h"
#include "support/module_fixture.h"

// Checks ids and order, faces and their lists, edges against the faces on them, the
// per-point adjacency against the faces and edges, internal diagonals, isolated points,
// and that the pieces of every polygon cover it (n - 2 triangles' worth).
::testing::AssertionResult snapshotIsConsistent(const MeshData& m);

// The module running in a sim host with the tool active on the demo limb.
class SnapshotFixture : public ModuleFixture {
 protected:
  void SetUp() override;
  // Adds an object with this mesh, selects it and captures it.
  const MeshData& captureNew(std::shared_ptr<sim::SimMesh> mesh, const char* name = "Object");
  // Selects the item and captures it.
  const MeshData& capture(uint64_t item);
  uint64_t lastObject = 0;
};

// A mesh from points and polygons of point indices (all FACE unless given).
std::shared_ptr<sim::SimMesh> makeMesh(const std::vector<std::array<float, 3>>& points,
                                       const std::vector<std::vector<uint32_t>>& polygons,
                                       uint32_t type = sim::kTypeFACE);
// The snapshot record of the sim point with this index in mesh (its id), or null.
const PntUserData* pointOf(const MeshData& m, const sim::SimMesh& mesh, uint32_t index);
