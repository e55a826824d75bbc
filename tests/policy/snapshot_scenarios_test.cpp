// The object snapshot under every host policy: what the first capture holds, and that a
// write-back, a selection change and a renumbering are reflected by the next capture.
#include <cmath>

#include "mesh/snapshot.h"
#include "policy/policy_fixture.h"
#include "shell/mesh_edit_access.h"
#include "shell/module_state.h"

namespace {

class SnapshotScenario : public PolicyFixture {
 protected:
  // The snapshot's value of the sim point with this index, by its position in scan order.
  static float valueAt(uint32_t index) { return stInstData.mesh.points[index].value; }
  static bool hasValueAt(uint32_t index) { return stInstData.mesh.points[index].hasValue != 0; }
  void expectSnapshotMatchesTheLimb() {
    const MeshData& m = stInstData.mesh;
    const sim::SimMesh& mesh = *item(demo.limb)->mesh;
    ASSERT_EQ(size_t(m.numPoints), mesh.numPoints());
    const sim::SimVMap* upper = mesh.findVMap(sim::kVMapWGHT, "Upper");
    ASSERT_NE(upper, nullptr);
    for (uint32_t i = 0; i < mesh.numPoints(); ++i) {
      const auto* v = upper->find(i);
      ASSERT_EQ(hasValueAt(i), v != nullptr) << i;
      if (v) {
        EXPECT_FLOAT_EQ(valueAt(i), (*v)[0]) << i;
      }
      for (int a = 0; a < 3; ++a) EXPECT_NEAR(m.points[i].restPos[a], mesh.point(i).pos[a], 1e-6) << i;
    }
  }
};

TEST_P(SnapshotScenario, TheFirstCaptureHoldsTheObjectAndItsCurrentMap) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_EQ(stInstData.mesh.meshReady, 1);
  expectSnapshotMatchesTheLimb();
}

TEST_P(SnapshotScenario, TheNextCaptureShowsAWriteBack) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  InstData& inst = stInstData;
  inst.changeCount = 1;
  inst.mesh.changeIndices[0] = 2;
  inst.mesh.changeValues[0] = 0.125f;
  inst.meAccessOp = kOpStoreValues;
  callMeshEditAccess(inst);
  inst.redrawRequest = 3;
  host->redrawViewports();
  expectSnapshotMatchesTheLimb();
  EXPECT_FLOAT_EQ(valueAt(2), 0.125f);
}

TEST_P(SnapshotScenario, ACaptureAfterRenumberingStillHoldsTheSameObject) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  host->renumberItems();
  host->redrawViewports();
  EXPECT_TRUE(host->toolActive());
  EXPECT_EQ(stInstData.mesh.currentObject, itemId(demo.limb));
  expectSnapshotMatchesTheLimb();
}

INSTANTIATE_TEST_SUITE_P(EveryPlausibleHost, SnapshotScenario, ::testing::ValuesIn(sim::plausibleHostPolicies()),
                         policyTestName);

}  // namespace
