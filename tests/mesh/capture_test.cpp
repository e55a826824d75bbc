// Capturing the selected object: where positions and values come from, what a refresh
// keeps and what a change rebuilds, the display's visibility, and objects the tool
// cannot paint.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "mesh/dummy_object.h"
#include "mesh/snapshot.h"
#include "mesh/snapshot_invariants.h"

namespace {

using CaptureTest = SnapshotFixture;

sim::SimItem& item(sim::Host& host, uint64_t id) { return *host.scene.find(id); }

TEST_F(CaptureTest, PositionsAndValuesComeFromTheFrozenMeshPastItsSubdivisionPoints) {
  // The demo limb is bent by its bones; the snapshot's pos is the deformed position, its
  // restPos the mesh's own.
  const sim::SimMesh& limb = *item(*host, demo.limb).mesh;
  const MeshData& m = capture(demo.limb);
  ASSERT_TRUE(snapshotIsConsistent(m));
  const sim::FrozenMesh& frozen = host->scene.frozen(demo.limb);
  const sim::SimVMap* upper = limb.findVMap(sim::kVMapWGHT, "Upper");
  ASSERT_STREQ(stInstData.weightMapName, "Upper");
  int moved = 0, valued = 0;
  for (uint32_t i = 0; i < limb.numPoints(); ++i) {
    const PntUserData* p = pointOf(m, limb, i);
    ASSERT_NE(p, nullptr);
    for (int a = 0; a < 3; ++a) {
      EXPECT_EQ(p->restPos[a], double(limb.point(i).pos[a]));
      EXPECT_EQ(p->pos[a], double(frozen.otherPos[frozen.extraPoints + i][a]));
    }
    moved += p->pos[1] != p->restPos[1] ? 1 : 0;
    const std::vector<float>* v = upper->find(i);
    EXPECT_EQ(p->hasValue, v ? 1 : 0);
    EXPECT_EQ(p->value, v ? (*v)[0] : 0.0f);
    valued += p->hasValue;
  }
  EXPECT_GT(moved, 0);
  EXPECT_GT(valued, 0);
  EXPECT_EQ(m.meshReady, 1);

  // A subdivision-surface object displayed at level 3: the frozen mesh lists 3 extra
  // points per patch first; the base points still get their own positions.
  auto cage = makeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}, {2, 1, 0}},
                       {{0, 1, 2, 3}, {1, 4, 5, 2}}, sim::kTypeSUBD);
  captureNew(cage, "Cage");
  item(*host, lastObject).patchDisplay = 3;
  item(*host, lastObject).position = {0, 5, 0};
  host->scene.refreshFrozen();
  const MeshData& s = capture(lastObject);
  ASSERT_TRUE(snapshotIsConsistent(s));
  EXPECT_EQ(stInstData.subPatchLevel, 3);
  EXPECT_EQ(s.patchTypeCount + s.subdTypeCount, 2);
  const sim::FrozenMesh& cageFrozen = host->scene.frozen(lastObject);
  ASSERT_EQ(cageFrozen.extraPoints, 6u);
  for (uint32_t i = 0; i < cage->numPoints(); ++i) {
    const PntUserData* p = pointOf(s, *cage, i);
    EXPECT_EQ(p->pos[1], double(cageFrozen.otherPos[6 + i][1]));
    EXPECT_EQ(p->pos[1], p->restPos[1] + 5.0);
  }
}

TEST_F(CaptureTest, FrozenPointsWithIdsOfTheirOwnStillFeedTheirBasePoints) {
  // A host whose frozen mesh names its base points with ids of its own: positions and
  // values still reach the right records, the records keep the base ids they are found
  // by, and a value-only re-capture leaves them so.
  host->policy.frozenIds = sim::FrozenPointIds::OwnIds;
  auto cage = makeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}, {2, 1, 0}},
                       {{0, 1, 2, 3}, {1, 4, 5, 2}}, sim::kTypeSUBD);
  sim::SimVMap& map = cage->addVMap(sim::kVMapWGHT, "Upper", 1);
  map.values[4] = {0.75f};
  captureNew(cage, "Cage");
  item(*host, lastObject).patchDisplay = 2;
  item(*host, lastObject).position = {0, 5, 0};
  host->scene.refreshFrozen();
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    const MeshData& m = capture(lastObject);
    ASSERT_TRUE(snapshotIsConsistent(m));
    for (uint32_t i = 0; i < cage->numPoints(); ++i) {
      const PntUserData* p = pointOf(m, *cage, i);
      ASSERT_NE(p, nullptr) << i;
      EXPECT_EQ(p->pos[1], p->restPos[1] + 5.0);
      EXPECT_EQ(p->hasValue, i == 4 ? 1 : 0);
      EXPECT_EQ(p->value, i == 4 ? 0.75f : 0.0f);
    }
  }
}

TEST_F(CaptureTest, AValueChangeKeepsTopologyAndSelectionsACountOrObjectChangeRebuilds) {
  sim::SimMesh& limb = *item(*host, demo.limb).mesh;
  MeshData& m = stInstData.mesh;
  capture(demo.limb);
  PntUserData* chosen = const_cast<PntUserData*>(pointOf(m, limb, 7));
  chosen->selected = 1;
  const EdgeData* edgesBefore = m.edges.data();
  const int numEdges = m.numEdges;

  // Only a value changes: same records, new value, the selection stays, and the host
  // is asked for nothing.
  limb.findVMap(sim::kVMapWGHT, "Upper")->values[7] = {0.25f};
  limb.touch();
  const size_t from = logSize();
  capture(demo.limb);
  EXPECT_TRUE(commandsSince(from).empty());
  EXPECT_EQ(m.edges.data(), edgesBefore);
  EXPECT_EQ(m.numEdges, numEdges);
  EXPECT_EQ(pointOf(m, limb, 7), chosen);
  EXPECT_EQ(chosen->selected, 1);
  EXPECT_FLOAT_EQ(chosen->value, 0.25f);
  ASSERT_TRUE(snapshotIsConsistent(m));

  // A point more: everything is rebuilt and the selection is gone.
  const float far[3] = {9, 9, 9};
  const uint32_t added = limb.addPoint(far);
  capture(demo.limb);
  ASSERT_TRUE(snapshotIsConsistent(m));
  EXPECT_EQ(m.numPoints, int(limb.numPoints()));
  EXPECT_EQ(m.isolatedPoints, pointOf(m, limb, added));
  EXPECT_TRUE(std::none_of(m.points.begin(), m.points.end(), [](const PntUserData& p) { return p.selected; }));

  // Another object and back: rebuilt again, selections lost.
  const_cast<PntUserData*>(pointOf(m, limb, 7))->selected = 1;
  captureNew(makeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}), "Other");
  EXPECT_EQ(m.numPoints, 3);
  capture(demo.limb);
  ASSERT_TRUE(snapshotIsConsistent(m));
  EXPECT_EQ(pointOf(m, limb, 7)->selected, 0);
}

TEST_F(CaptureTest, TheWeightShadedDisplayShowsOnlyTheCurrentObjectAsShaded) {
  // Visibility choice 1: the object being painted is shown at visibility 1 and every
  // other object keeps (or gets back) its own.
  stInstData.visibility = 1;
  item(*host, demo.limb).visibility = 5;
  captureNew(makeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}), "Second");
  const uint64_t second = lastObject;
  item(*host, second).visibility = 3;
  capture(demo.limb);
  EXPECT_EQ(item(*host, demo.limb).visibility, 1);
  EXPECT_EQ(stInstData.mesh.savedVisibility, 5);

  capture(second);
  EXPECT_EQ(item(*host, demo.limb).visibility, 5);
  EXPECT_EQ(item(*host, second).visibility, 1);
  EXPECT_EQ(stInstData.mesh.savedVisibility, 3);
  EXPECT_EQ(host->scene.firstSelected(), second);

  capture(demo.limb);
  EXPECT_EQ(item(*host, second).visibility, 3);
  EXPECT_EQ(item(*host, demo.limb).visibility, 1);

  // With the object's own display nothing is touched.
  stInstData.visibility = 0;
  capture(second);
  EXPECT_EQ(item(*host, second).visibility, 3);
}

TEST_F(CaptureTest, NoSelectionTheDummyObjectOrAnEmptyObjectLeaveNothingToPaint) {
  auto expectNothing = [&](int visibility) {
    const MeshData& m = stInstData.mesh;
    EXPECT_EQ(m.noObject, 1);
    EXPECT_EQ(m.meshReady, 0);
    EXPECT_EQ(m.savedVisibility, visibility);
    EXPECT_TRUE(m.points.empty());
    EXPECT_EQ(m.numFaces + m.numEdges + m.numPolygons, 0);
  };
  host->scene.clearSelection();
  getCurrentObject(stInstData);
  expectNothing(5);
  EXPECT_EQ(stInstData.mesh.currentObject, nullptr);

  const sim::SimItem* dummy = host->scene.findByName("(temporary data)");
  ASSERT_NE(dummy, nullptr);
  capture(dummy->id);
  expectNothing(dummy->visibility);

  sim::SimItem& null = host->scene.addNull("Empty");
  null.visibility = 4;
  capture(null.id);
  expectNothing(4);

  capture(demo.limb);
  EXPECT_EQ(stInstData.mesh.noObject, 0);
  EXPECT_TRUE(snapshotIsConsistent(stInstData.mesh));
}

TEST_F(CaptureTest, TheMapDecidesWhetherPaintingIsPossible) {
  sim::SimMesh& limb = *item(*host, demo.limb).mesh;
  auto values = [&] {
    int n = 0;
    for (const PntUserData& p : stInstData.mesh.points) n += p.hasValue;
    return n;
  };
  // A map with that name but three values per point cannot be painted.
  limb.addVMap(sim::kVMapWGHT, "Tint", 3).values[0] = {1, 2, 3};
  std::strcpy(stInstData.weightMapName, "Tint");
  capture(demo.limb);
  EXPECT_EQ(stInstData.mesh.meshReady, 0);
  EXPECT_EQ(values(), 0);
  // A name no map has yet: painting creates it.
  std::strcpy(stInstData.weightMapName, "Fresh");
  capture(demo.limb);
  EXPECT_EQ(stInstData.mesh.meshReady, 1);
  EXPECT_EQ(values(), 0);
  stInstData.weightMapName[0] = 0;
  capture(demo.limb);
  EXPECT_EQ(stInstData.mesh.meshReady, 0);
}

TEST_F(CaptureTest, TheBonesOfTheCurrentMapAreFoundWithoutTouchingTheSelection) {
  std::strcpy(stInstData.weightMapName, "Lower");
  captureNew(makeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}), "Other");
  const size_t from = logSize();
  capture(demo.limb);
  ASSERT_EQ(stInstData.pickedBones.size(), 1u);
  EXPECT_EQ(stInstData.pickedBones[0].bone, reinterpret_cast<LWItemID>(demo.bones[1]));
  EXPECT_EQ(stInstData.pickedBones[0].lengthKey, 1.0);
  for (const std::string& c : commandsSince(from)) EXPECT_EQ(c.rfind("SelectItem", 0), std::string::npos) << c;
  EXPECT_EQ(host->scene.firstSelected(), demo.limb);

  stInstData.boneFollowsMap = 0;
  capture(lastObject);
  capture(demo.limb);
  EXPECT_TRUE(stInstData.pickedBones.empty());
}

TEST_F(CaptureTest, DeformationStateIsReadWithoutCommandsAndRefreshesPositions) {
  const size_t from = logSize();
  EXPECT_EQ(layoutDeformationFlags(stInstData, 0), 1);
  EXPECT_EQ(layoutDeformationFlags(stInstData, 0), 1);
  EXPECT_TRUE(commandsSince(from).empty());

  host->command("EnableDeformations");
  const size_t off = logSize();
  EXPECT_EQ(layoutDeformationFlags(stInstData, 0), 0);
  EXPECT_TRUE(commandsSince(off).empty());
  const MeshData& m = capture(demo.limb);
  EXPECT_EQ(stInstData.deformationsEnabled, 0);
  for (const PntUserData& p : m.points)
    for (int a = 0; a < 3; ++a) EXPECT_NEAR(p.pos[a], p.restPos[a], 1e-6);
}

TEST_F(CaptureTest, SelectionChecksMapIndexRepairAndRepeatedRelease) {
  EXPECT_FALSE(currentSelectedItemWasChanged(stInstData));
  stInstData.tool.stroke.cancelled = 0;
  host->scene.select(demo.camera);
  EXPECT_TRUE(currentSelectedItemWasChanged(stInstData));
  EXPECT_EQ(stInstData.tool.stroke.cancelled, 1);
  host->scene.select(demo.limb);

  // "Lower" is the second map; an index left at 1 is put right, a right one kept.
  std::strcpy(stInstData.weightMapName, "Lower");
  stInstData.weightMapIndex = 1;
  correctVMapIndexByName(stInstData);
  EXPECT_EQ(stInstData.weightMapIndex, 2);
  correctVMapIndexByName(stInstData);
  EXPECT_EQ(stInstData.weightMapIndex, 2);

  destroyMeshData(stInstData);
  destroyMeshData(stInstData);
  EXPECT_TRUE(stInstData.mesh.points.empty());
  EXPECT_EQ(stInstData.mesh.faceList, nullptr);
  EXPECT_EQ(stInstData.mesh.numEdges, 0);
  stInstData.mesh.noObject = 1;
  EXPECT_TRUE(snapshotIsConsistent(capture(demo.limb)));
  EXPECT_EQ(stInstData.mesh.numPoints, int(item(*host, demo.limb).mesh->numPoints()));
}

}  // namespace
